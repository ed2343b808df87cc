#include <cstdint>
#include <cstring>

#include "core/rounding.h"
#include "core/scale.h"
#include "core/vekcore/vekcore.h"
#include "veks_test.h"

TEST(Version, ExactRecordAtOneAddress) {
    const VekLibraryVersion* v = veksGetLibVersion();
    ASSERT_EQ(v, veksGetLibVersion());
    EXPECT_EQ(v->major, 5);
    EXPECT_EQ(v->minor, 3);
    EXPECT_EQ(v->majorBuild, 85);
    EXPECT_EQ(v->build, 508);
    EXPECT_EQ(std::memcmp(v->targetCpu, "zn\0\0", 4), 0);
    EXPECT_STREQ(v->Name, "libvekszn-5.3.dylib");
    EXPECT_STREQ(v->Version, "5.3 Update 3 build 85.25");
    EXPECT_STREQ(v->BuildDate, "Apr 26 2008");
}

TEST(Malloc, NullForNonPositiveLength) {
    EXPECT_EQ(veksMalloc_32f(0), nullptr);
    EXPECT_EQ(veksMalloc_32f(-5), nullptr);
    EXPECT_EQ(veksMalloc_64fc(-2147483647 - 1), nullptr);
    veksFree(nullptr);
}

TEST(Malloc, AlignedWritableAndFreed) {
    // Every member, several lengths: 32-byte alignment, the whole block is
    // usable, and the address kept before the block lies 8..39 bytes back.
    std::vector<std::pair<void*, std::size_t>> blocks;
    for (int len : {1, 2, 3, 31, 32, 33, 1000}) {
        blocks.push_back({veksMalloc_8u(len), 1 * len});
        blocks.push_back({veksMalloc_8s(len), 1 * len});
        blocks.push_back({veksMalloc_8sc(len), 2 * len});
        blocks.push_back({veksMalloc_16s(len), 2 * len});
        blocks.push_back({veksMalloc_16u(len), 2 * len});
        blocks.push_back({veksMalloc_16sc(len), 4 * len});
        blocks.push_back({veksMalloc_32s(len), 4 * len});
        blocks.push_back({veksMalloc_32u(len), 4 * len});
        blocks.push_back({veksMalloc_32f(len), 4 * len});
        blocks.push_back({veksMalloc_32sc(len), 8 * len});
        blocks.push_back({veksMalloc_32fc(len), 8 * len});
        blocks.push_back({veksMalloc_64s(len), 8 * len});
        blocks.push_back({veksMalloc_64f(len), 8 * len});
        blocks.push_back({veksMalloc_64sc(len), 16 * len});
        blocks.push_back({veksMalloc_64fc(len), 16 * len});
    }
    for (auto [p, bytes] : blocks) {
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 32, 0u);
        void* raw;
        std::memcpy(&raw, static_cast<char*>(p) - sizeof(void*), sizeof raw);
        const auto gap = reinterpret_cast<std::uintptr_t>(p) - reinterpret_cast<std::uintptr_t>(raw);
        EXPECT_GE(gap, sizeof(void*));
        EXPECT_LE(gap, 39u);
        std::memset(p, 0x5A, bytes);
    }
    for (auto [p, bytes] : blocks) veksFree(p);
}

TEST(ScaleRule, RoundsHalfToEvenAndSaturates) {
    using veks::with_scale;
    struct Case { std::int32_t v; int sf; Vek16s want; };
    const Case cases[] = {
        {1, 1, 0}, {3, 1, 2}, {5, 1, 2}, {-1, 1, 0}, {-3, 1, -2}, {6, 2, 2}, {10, 2, 2}, {-6, 2, -2},
        {40000, -1, 32767}, {1, -16, 32767}, {-1, -16, -32768}, {0, -16, 0}, {65534, 16, 1},
        {1073741824, 15, 32767}, {1073741824, 16, 16384}, {-40000, 0, -32768}, {16383, -1, 32766},
        {16384, -1, 32767}, {-16384, -1, -32768}, {-16385, -1, -32768},
    };
    for (const Case& c : cases) {
        const Vek16s got = with_scale<Vek16s>(c.sf, [&](auto scale) { return scale(c.v); });
        EXPECT_EQ(got, c.want) << "v " << c.v << " sf " << c.sf;
    }
}

TEST(ScaleRule, MatchesExactReferenceOver32BitDestinations) {
    vt::Rng rng;
    for (int i = 0; i < 200000; ++i) {
        const std::int64_t v = rng.integer<std::int64_t>(-(std::int64_t(1) << 62), std::int64_t(1) << 62) >> rng.integer(0, 62);
        const int sf = rng.integer(-40, 62);
        const __int128 exact = sf >= 0 ? 0 : (__int128)v * ((__int128)1 << -sf);
        __int128 r;
        if (sf > 0) {
            const __int128 d = (__int128)1 << sf, q = v >= 0 ? v / d : -((-(__int128)v) / d);
            __int128 rem = v - q * d, fl = rem < 0 ? q - 1 : q;
            rem = v - fl * d;
            r = 2 * rem > d || (2 * rem == d && (fl & 1)) ? fl + 1 : fl;
        } else {
            r = sf == 0 ? v : exact;
        }
        const Vek32s want = r > INT32_MAX ? INT32_MAX : r < INT32_MIN ? INT32_MIN : (Vek32s)r;
        const Vek32s got = veks::with_scale<Vek32s>(sf, [&](auto scale) { return scale(v); });
        ASSERT_EQ(got, want) << "v " << v << " sf " << sf;
    }
}

TEST(Rounding, HalfEvenWithRangeTest) {
    using veks::round_saturate;
    EXPECT_EQ((round_saturate<Vek16s, vekRoundHalfEven>(0.5)), 0);
    EXPECT_EQ((round_saturate<Vek16s, vekRoundHalfEven>(1.5)), 2);
    EXPECT_EQ((round_saturate<Vek16s, vekRoundHalfEven>(-2.5)), -2);
    EXPECT_EQ((round_saturate<Vek16s, vekRoundHalfEven>(0.49999997f)), 0);
    EXPECT_EQ((round_saturate<Vek16s, vekRoundHalfEven>(32767.4)), 32767);
    EXPECT_EQ((round_saturate<Vek16s, vekRoundHalfEven>(32767.5)), 32767);
    EXPECT_EQ((round_saturate<Vek16s, vekRoundHalfEven>(-40000.0)), -32768);
    EXPECT_EQ((round_saturate<Vek16s, vekRoundHalfEven>(std::nan(""))), 0);
    EXPECT_EQ((round_saturate<Vek32s, vekRoundTowardZero>(-7.9)), -7);
    EXPECT_EQ((round_saturate<Vek32s, vekRoundHalfEven>(2147483647.5)), 2147483647);
}

TEST(CoreServices, ConstantsThreadsAndControlWord) {
    EXPECT_TRUE(std::isinf(vekConstantOfINF_32f) && vekConstantOfINF_32f > 0);
    EXPECT_TRUE(std::isinf(vekConstantOfINF_64f) && vekConstantOfINF_64f > 0);
    EXPECT_TRUE(std::isnan(vekConstantOfNAN_32f));
    EXPECT_TRUE(std::isnan(vekConstantOfNAN_64f));
    EXPECT_GE(ownGetNumThreads(), 1);
    const unsigned saved = ps_get_cw_fpu();
    vek_set_cw_fpu(0x3FF);
#if defined(__i386__) || defined(__x86_64__)
    EXPECT_EQ(ps_get_cw_fpu() & 0x1F3F, 0x3FFu & 0x1F3F);
#endif
    vek_set_cw_fpu(saved);
    EXPECT_EQ(ps_get_cw_fpu(), saved);
}
