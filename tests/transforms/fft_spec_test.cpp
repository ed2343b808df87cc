// FFT spec life cycle: reported sizes, check order, placement in caller
// memory and identifiers.
#include "fft_test_util.h"

namespace {

using fftt::all_kinds;
using fftt::kind;

struct SizeRow { const char* kind; int order, flag, hint, spec, init, work; };

// Sizes worked out by hand from the size rules.
const SizeRow kSizes[] = {
    {"C_32fc", 0, 8, 0, 116, 0, 0},      {"C_32fc", 3, 1, 0, 116, 0, 0},
    {"C_32f", 2, 4, 2, 116, 0, 0},       {"R_32f", 3, 2, 0, 116, 0, 0},
    {"C_64fc", 0, 8, 0, 120, 0, 0},      {"C_64f", 3, 8, 0, 120, 0, 0},
    {"R_64f", 1, 8, 0, 120, 0, 0},
    {"C_32fc", 4, 8, 0, 320, 0, 0},      {"C_32fc", 5, 8, 0, 480, 0, 0},
    {"C_32fc", 10, 8, 0, 9408, 0, 0},    {"C_32fc", 11, 8, 0, 14528, 2112, 0},
    {"C_32fc", 12, 8, 0, 20672, 4160, 0}, {"C_32fc", 13, 8, 0, 76256, 9344, 1056},
    {"C_32f", 16, 1, 1, 594144, 74080, 8224}, {"C_32fc", 19, 8, 0, 4731104, 558176, 32800},
    {"C_32fc", 20, 8, 0, 9453792, 1082464, 32800}, {"C_32fc", 21, 8, 0, 18895072, 2131040, 32800},
    {"C_32fc", 23, 8, 0, 75764992, 8401408, 8224},
    {"C_64fc", 4, 8, 0, 448, 0, 0},      {"C_64fc", 9, 8, 0, 8896, 0, 0},
    {"C_64fc", 10, 8, 0, 13504, 0, 0},   {"C_64f", 12, 8, 0, 74208, 8800, 1056},
    {"C_16sc", 0, 8, 2, 84, 0, 0},       {"C_16s", 0, 1, 0, 84, 0, 0},
    {"C_16sc", 1, 8, 0, 160, 64, 48},    {"C_16sc", 2, 8, 1, 160, 64, 64},
    {"C_16s", 4, 8, 0, 256, 64, 160},    {"C_16sc", 8, 8, 0, 2432, 192, 2080},
    {"C_16sc", 9, 8, 0, 4896, 32, 4128}, // float engine from order 9
    {"C_16sc", 4, 8, 2, 416, 32, 160},   // float engine for hint 2: 320 + 96, 0 + 32, 0 + 128 + 32
    {"C_32sc", 0, 8, 0, 184, 0, 48},     {"C_32s", 4, 8, 0, 512, 0, 288},
    {"C_32sc", 12, 8, 0, 74272, 8832, 66624},
};

TEST(FftSpec, ReportedSizes) {
    for (const auto& r : kSizes) {
        int spec = -1, init = -1, work = -1;
        ASSERT_EQ(kind(r.kind).get_size(r.order, r.flag, r.hint, &spec, &init, &work), vekStsOk) << r.kind;
        EXPECT_EQ((std::array<int, 3>{spec, init, work}), (std::array<int, 3>{r.spec, r.init, r.work}))
            << r.kind << " order " << r.order;
    }
}

TEST(FftSpec, LifeCycleCheckOrderWritesNothing) {
    for (const auto& k : all_kinds()) {
        int a = 7, b = 7, c = 7;
        for (int order : {-1, 31, -2147483647 - 1}) EXPECT_EQ(k.get_size(order, 3, 0, nullptr, &b, &c), vekStsBadFftOrder);
        for (int p = 0; p < 3; ++p) {
            EXPECT_EQ(k.get_size(4, 3, 0, vt::ptr_or_null(&a, 0, p), vt::ptr_or_null(&b, 1, p), vt::ptr_or_null(&c, 2, p)), vekStsNullPtr);
        }
        for (int flag : {0, 3, 5, 16, -1}) EXPECT_EQ(k.get_size(4, flag, 0, &a, &b, &c), vekStsBadFftFlag) << k.name;
        EXPECT_TRUE(a == 7 && b == 7 && c == 7) << "an error wrote a size";
        EXPECT_EQ(k.get_size(4, 8, 99, &a, &b, &c), vekStsOk) << "hints are never refused";
        void* s = reinterpret_cast<void*>(0x99);
        EXPECT_EQ(k.init_alloc(nullptr, 4, 8, 0), vekStsNullPtr);
        EXPECT_EQ(k.init_alloc(&s, 31, 8, 0), vekStsBadFftOrder);
        EXPECT_EQ(k.init_alloc(&s, 4, 6, 0), vekStsBadFftFlag);
        EXPECT_EQ(s, reinterpret_cast<void*>(0x99));
        vt::Guarded<Vek8u> mem(1 << 16), init(1 << 16);
        void* out = reinterpret_cast<void*>(0x1234);
        EXPECT_EQ(k.init(nullptr, 31, 3, 0, nullptr, nullptr), vekStsNullPtr) << k.name;
        EXPECT_EQ(k.init(&out, 31, 3, 0, nullptr, nullptr), vekStsBadFftOrder) << k.name;
        EXPECT_EQ(k.init(&out, -1, 8, 0, mem.data(), init.data()), vekStsBadFftOrder) << k.name;
        EXPECT_EQ(k.init(&out, 4, 3, 0, nullptr, init.data()), vekStsNullPtr) << k.name;
        EXPECT_TRUE(mem.intact());
        // the init buffer is required from order 11 (float kinds) or 1 (16-bit kinds)
        const bool short_kind = std::strstr(k.name, "16s") && !std::strstr(k.name, "32s");
        EXPECT_EQ(k.init(&out, short_kind ? 1 : 11, 8, 0, mem.data(), nullptr), vekStsNullPtr) << k.name;
        EXPECT_TRUE(mem.intact()) << k.name;
        EXPECT_EQ(out, reinterpret_cast<void*>(0x1234));
        // a bad flag leaves a zeroed header with identifier 0
        EXPECT_EQ(k.init(&out, 4, 3, 0, mem.data(), init.data()), vekStsBadFftFlag) << k.name;
        EXPECT_EQ(out, reinterpret_cast<void*>(0x1234));
        std::uint32_t id = 1;
        std::memcpy(&id, mem.data(), 4);
        EXPECT_EQ(id, 0u) << k.name;
        EXPECT_TRUE(init.intact());
        EXPECT_EQ(k.get_buf_size(nullptr, &a), vekStsNullPtr);
        EXPECT_EQ(k.free(nullptr), vekStsNullPtr);
        const fftt::Spec spec(k, 2, vekFftNormNone);
        EXPECT_EQ(k.get_buf_size(spec.get(), nullptr), vekStsNullPtr);
    }
}

// Init into memory of exactly the reported size at every misalignment, the guard zone behind it untouched;
// every other kind refuses the spec, and so does its own kind once it is freed.
TEST(FftSpec, InitStaysInsideReportedSizes) {
    for (const auto& k : all_kinds())
        for (int order : {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13, 14, 17})
            for (int flag : fftt::kFlags)
                for (int hint : {0, 2}) {
                    int spec = 0, init = 0, work = 0;
                    ASSERT_EQ(k.get_size(order, flag, hint, &spec, &init, &work), vekStsOk);
                    for (int skew : {0, 1, 31}) {
                        vt::Guarded<Vek8u> mem(spec + skew, 64), ib(init + skew + 1, 64);
                        void* s = nullptr;
                        ASSERT_EQ(k.init(&s, order, flag, hint, mem.data() + skew, ib.data() + skew), vekStsOk)
                            << k.name << " order " << order;
                        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(s) % 32, 0u);
                        EXPECT_GE(static_cast<Vek8u*>(s), mem.data() + skew);
                        EXPECT_TRUE(mem.guard_intact()) << k.name << " order " << order << " flag " << flag;
                        EXPECT_TRUE(ib.guard_intact()) << k.name << " order " << order;
                        int buf = -1;
                        ASSERT_EQ(k.get_buf_size(s, &buf), vekStsOk);
                        EXPECT_EQ(buf, work) << k.name << " order " << order;
                        for (const auto& other : all_kinds()) {
                            EXPECT_TRUE(&other == &k || (other.get_buf_size(s, &buf) == vekStsBadContext && buf == work &&
                                                         other.free(s) == vekStsBadContext)) << k.name << " given to " << other.name;
                        }
                        EXPECT_EQ(k.free(s), vekStsOk);
                        EXPECT_EQ(k.free(s), vekStsBadContext) << "a freed spec is refused";
                        EXPECT_TRUE(mem.guard_intact());
                    }
                }
}

// Every transform checks its spec (null, then kind) before its data
// pointers and writes nothing on an error.
TEST(FftSpec, TransformsCheckSpecThenPointers) {
    const auto spec = [](const char* name) { return fftt::Spec(kind(name), 3, vekFftNormNone); };
    const fftt::Spec c = spec("C_32fc"), s = spec("C_32f"), sc = spec("C_16sc"), ss = spec("C_16s");
    const fftt::Spec wc = spec("C_32sc"), ws = spec("C_32s"), r = spec("R_32f"), r16 = spec("R_16s"), r1632 = spec("R_16s32s");
    using fftt::expect_spec_checks;
    expect_spec_checks(veksFFTInv_CToC_32fc, c.get(), s.get());
    expect_spec_checks(veksFFTFwd_CToC_32fc_I, c.get(), s.get());
    expect_spec_checks(veksFFTFwd_CToC_32f, s.get(), c.get());
    expect_spec_checks(veksFFTInv_CToC_16sc_Sfs, sc.get(), ss.get());
    expect_spec_checks(veksFFTFwd_CToC_32s_Sfs, ws.get(), wc.get());
    expect_spec_checks(veksFFTFwd_CToC_32sc_ISfs, wc.get(), ws.get());
    for (auto op : {veksFFTFwd_RToPerm_32f, veksFFTFwd_RToPack_32f, veksFFTFwd_RToCCS_32f, veksFFTInv_PermToR_32f,
                    veksFFTInv_PackToR_32f, veksFFTInv_CCSToR_32f})
        expect_spec_checks(op, r.get(), c.get());
    expect_spec_checks(veksFFTFwd_RToCCS_16s32s_Sfs, r1632.get(), r16.get());
    expect_spec_checks(veksFFTInv_CCSToR_32s16s_Sfs, r1632.get(), r.get());
}

// A spec holds offsets, not addresses: a copy at another 32-byte boundary
// transforms exactly like the original.
TEST(FftSpec, CopiedSpecWorksAtItsNewPlace) {
    for (int order : {3, 6, 11, 13}) {
        int spec = 0, init = 0, work = 0;
        ASSERT_EQ(veksFFTGetSize_C_32fc(order, vekFftNormSqrt, 0, &spec, &init, &work), vekStsOk);
        std::vector<Vek8u> a(spec), b(spec + 32), ib(init + 1);
        VeksFFTSpec_C_32fc* s = nullptr;
        ASSERT_EQ(veksFFTInit_C_32fc(&s, order, vekFftNormSqrt, 0, a.data(), ib.data()), vekStsOk);
        auto* moved = reinterpret_cast<VeksFFTSpec_C_32fc*>((reinterpret_cast<std::uintptr_t>(b.data()) + 31) & ~std::uintptr_t(31));
        std::memcpy(moved, s, spec - 32);
        std::memset(a.data(), 0x5A, a.size()); // the original is gone
        const int n = 1 << order;
        std::vector<Vek32fc> x(n), y(n), z(n);
        for (int i = 0; i < n; ++i) x[i] = {static_cast<float>(i % 7), static_cast<float>(i % 3)};
        std::vector<Vek8u> buf(work + 1);
        ASSERT_EQ(veksFFTFwd_CToC_32fc(x.data(), y.data(), moved, buf.data()), vekStsOk);
        ASSERT_EQ(veksFFTInit_C_32fc(&s, order, vekFftNormSqrt, 0, a.data(), ib.data()), vekStsOk);
        ASSERT_EQ(veksFFTFwd_CToC_32fc(x.data(), z.data(), s, buf.data()), vekStsOk);
        EXPECT_EQ(0, std::memcmp(y.data(), z.data(), n * sizeof(Vek32fc))) << order;
    }
}

} // namespace
