#include "core/rounding.h"
#include "core/scale.h"
#include "core_test_util.h"

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

TEST(Malloc, AlignedWritableAndFreed) {
    EXPECT_EQ(veksMalloc_32f(0), nullptr);
    EXPECT_EQ(veksMalloc_64fc(-2147483647 - 1), nullptr);
    veksFree(nullptr);
    // Every member: 32-byte alignment, the whole block is usable, and the
    // address kept before the block lies 8..39 bytes back.
    std::vector<std::pair<void*, std::size_t>> blocks;
#define MALLOC_ROW(s) blocks.push_back({veksMalloc_##s(len), sizeof(Vek##s) * len});
    for (int len : {1, 2, 3, 31, 32, 33, 1000}) {
        MALLOC_ROW(8u) MALLOC_ROW(8s) MALLOC_ROW(8sc) MALLOC_ROW(16s) MALLOC_ROW(16u) MALLOC_ROW(16sc) MALLOC_ROW(32s)
        MALLOC_ROW(32u) MALLOC_ROW(32f) MALLOC_ROW(32sc) MALLOC_ROW(32fc) MALLOC_ROW(64s) MALLOC_ROW(64f) MALLOC_ROW(64sc)
        MALLOC_ROW(64fc)
    }
#undef MALLOC_ROW
    for (auto [p, bytes] : blocks) {
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 32, 0u);
        void* raw;
        std::memcpy(&raw, static_cast<char*>(p) - sizeof(void*), sizeof raw);
        const auto gap = reinterpret_cast<std::uintptr_t>(p) - reinterpret_cast<std::uintptr_t>(raw);
        EXPECT_TRUE(gap >= sizeof(void*) && gap <= 39u) << gap;
        std::memset(p, 0x5A, bytes);
    }
    for (auto [p, bytes] : blocks) veksFree(p);
}

TEST(ScaleRule, MatchesExactReference) {
    // Ties to even at every shift, and saturation just past the limits.
    for (auto [v, sf] : {std::pair<std::int64_t, int>{16383, -1}, {16384, -1}, {-16385, -1}, {65534, 16}}) {
        const std::int64_t value = v;
        EXPECT_EQ(veks::with_scale<Vek16s>(sf, [&](auto scale) { return scale(value); }),
                  vt::sat<Vek16s>(vt::scale_half_even(v, sf))) << v << " sf " << sf;
    }
    vt::Rng rng;
    for (int i = 0; i < 200000; ++i) {
        std::int64_t v = rng.integer<std::int64_t>(-(std::int64_t(1) << 62), std::int64_t(1) << 62) >> rng.integer(0, 62);
        const int sf = rng.integer(-40, 62);
        if (i % 4 == 0 && sf > 0) v = (v >> sf) * (std::int64_t(1) << sf) + (std::int64_t(1) << (sf - 1)); // a tie
        const Vek32s got = veks::with_scale<Vek32s>(sf, [&](auto scale) { return scale(v); });
        ASSERT_EQ(got, vt::sat<Vek32s>(vt::scale_half_even(v, sf))) << "v " << v << " sf " << sf;
        const Vek16s got16 = veks::with_scale<Vek16s>(sf, [&](auto scale) { return scale(v >> 16); });
        ASSERT_EQ(got16, vt::sat<Vek16s>(vt::scale_half_even(v >> 16, sf))) << "v " << (v >> 16) << " sf " << sf;
    }
}

TEST(Rounding, HalfEvenWithRangeTest) {
    using veks::round_saturate;
    const std::pair<double, Vek16s> cases[] = {{0.5, 0}, {1.5, 2}, {-2.5, -2}, {0.49999997f, 0}, {32767.4, 32767},
                                               {32767.5, 32767}, {-40000.0, -32768}, {std::nan(""), 0}};
    for (auto [v, want] : cases) EXPECT_EQ((round_saturate<Vek16s, vekRoundHalfEven>(v)), want) << v;
    EXPECT_EQ((round_saturate<Vek32s, vekRoundTowardZero>(-7.9)), -7);
    EXPECT_EQ((round_saturate<Vek32s, vekRoundHalfEven>(2147483647.5)), 2147483647);
}

TEST(CoreServices, ConstantsThreadsAndControlWord) {
    EXPECT_TRUE(std::isinf(vekConstantOfINF_32f) && vekConstantOfINF_32f > 0);
    EXPECT_TRUE(std::isinf(vekConstantOfINF_64f) && vekConstantOfINF_64f > 0);
    EXPECT_TRUE(std::isnan(vekConstantOfNAN_32f) && std::isnan(vekConstantOfNAN_64f));
    EXPECT_GE(ownGetNumThreads(), 1);
    const unsigned saved = ps_get_cw_fpu();
    vek_set_cw_fpu(0x3FF);
#if defined(__i386__) || defined(__x86_64__)
    EXPECT_EQ(ps_get_cw_fpu() & 0x1F3F, 0x3FFu & 0x1F3F);
#endif
    vek_set_cw_fpu(saved);
    EXPECT_EQ(ps_get_cw_fpu(), saved);
}
