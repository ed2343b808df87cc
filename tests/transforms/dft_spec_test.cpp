// DFT spec life cycle: work-buffer sizes of each engine, check orders,
// kinds refused by other kinds' calls.
#include "float_kinds.h"

namespace {

using dftt::Kind;

const Kind& kind(const std::string& name) {
    for (const Kind& k : dftt::dft_kinds())
        if (name == k.name) return k;
    throw std::runtime_error(name);
}

int fft_buf_32fc(int order) {
    VeksFFTSpec_C_32fc* s = nullptr;
    EXPECT_EQ(veksFFTInitAlloc_C_32fc(&s, order, vekFftNormNone, 0), vekStsOk);
    int b = -1;
    veksFFTGetBufSize_C_32fc(s, &b);
    veksFFTFree_C_32fc(s);
    return b;
}

TEST(DftSpec, WorkBufferSizeOfEachEngine) {
    const Kind& c32 = kind("C_32fc");
    const Kind& c64 = kind("C_64fc");
    for (const Kind& k : dftt::dft_kinds())
        for (int n = 1; n <= 4; ++n) EXPECT_EQ(dftt::Spec(k, n, 8).buf_size(), 0) << k.name << " n " << n;
    EXPECT_EQ(dftt::Spec(c32, 7, 8).buf_size(), 8 * 7 + 32);   // direct
    EXPECT_EQ(dftt::Spec(c64, 7, 8).buf_size(), 16 * 7 + 32);
    EXPECT_EQ(dftt::Spec(c32, 149, 8).buf_size(), 8 * 149 + 32);
    EXPECT_EQ(dftt::Spec(c32, 151, 8).buf_size(), fft_buf_32fc(9) + 8 * 512 + 32);   // chirp, M = 512
    EXPECT_EQ(dftt::Spec(c32, 302, 8).buf_size(), fft_buf_32fc(10) + 8 * 1024 + 32); // 2 * 151: chirp, M = 1024
    EXPECT_EQ(dftt::Spec(c32, 8192, 8).buf_size(), fft_buf_32fc(13));                 // the FFT's own
    EXPECT_GT(dftt::Spec(c32, 8192, 8).buf_size(), 0);
    VeksDFTSpec_C_16sc* s16 = nullptr;
    ASSERT_EQ(veksDFTInitAlloc_C_16sc(&s16, 151, 8, 0), vekStsOk);
    int b = -1;
    EXPECT_EQ(veksDFTGetBufSize_C_16sc(s16, &b), vekStsOk);
    EXPECT_EQ(b, dftt::Spec(c32, 151, 8).buf_size() + 8 * 151 + 32);
    EXPECT_EQ(veksDFTFree_C_16sc(s16), vekStsOk);
    VeksDFTSpec_R_16s* r16 = nullptr;
    ASSERT_EQ(veksDFTInitAlloc_R_16s(&r16, 1, 1, 0), vekStsOk);
    EXPECT_EQ(veksDFTGetBufSize_R_16s(r16, &b), vekStsOk);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(veksDFTFree_R_16s(r16), vekStsOk);
}

TEST(DftSpec, InitAllocChecks) {
    for (const Kind& k : dftt::dft_kinds()) {
        void* p = reinterpret_cast<void*>(1);
        EXPECT_EQ(k.init_alloc(nullptr, 0, 3, 0), vekStsNullPtr) << k.name;
        EXPECT_EQ(k.init_alloc(&p, 0, 3, 0), vekStsBadLength);
        EXPECT_EQ(k.init_alloc(&p, -5, 8, 0), vekStsBadLength);
        for (int flag : {0, 3, 16, -1}) EXPECT_EQ(k.init_alloc(&p, 12, flag, 0), vekStsBadFftFlag);
        EXPECT_EQ(p, reinterpret_cast<void*>(1)) << "an error wrote the output pointer";
        EXPECT_EQ(k.free(nullptr), vekStsNullPtr);
        int b = 0;
        EXPECT_EQ(k.get_buf_size(nullptr, &b), vekStsNullPtr);
        dftt::Spec s(k, 6, 8, 7); // any hint is accepted
        EXPECT_EQ(s.status(), vekStsOk);
        EXPECT_EQ(k.get_buf_size(s.get(), nullptr), vekStsNullPtr);
    }
    VeksDFTSpec_C_16s* p = nullptr;
    EXPECT_EQ(veksDFTInitAlloc_C_16s(nullptr, 5, 8, 0), vekStsNullPtr);
    EXPECT_EQ(veksDFTInitAlloc_C_16s(&p, 0, 8, 0), vekStsBadLength);
    EXPECT_EQ(veksDFTInitAlloc_C_16s(&p, 1, 5, 0), vekStsBadFftFlag);
    EXPECT_EQ(p, nullptr);
}

// Every kind refuses the specs of all other kinds.
TEST(DftSpec, OtherKindsAreRefused) {
    for (const Kind& owner : dftt::dft_kinds()) {
        dftt::Spec s(owner, 12, 8);
        for (const Kind& k : dftt::dft_kinds()) {
            if (&k == &owner) continue;
            int b = 0;
            EXPECT_EQ(k.get_buf_size(s.get(), &b), vekStsBadContext) << owner.name << " given to " << k.name;
        }
    }
    dftt::Spec c(kind("C_32fc"), 12, 8);
    dftt::Spec r(kind("R_32f"), 12, 8);
    vt::Guarded<Vek32fc> dst(12);
    std::vector<Vek32fc> src(12, Vek32fc{1, 2});
    EXPECT_EQ(veksDFTFwd_CToC_32fc(src.data(), dst.data(), static_cast<const VeksDFTSpec_C_32fc*>(r.get()), nullptr), vekStsBadContext);
    EXPECT_EQ(veksDFTOutOrdFwd_CToC_32fc(src.data(), dst.data(), static_cast<const VeksDFTOutOrdSpec_C_32fc*>(c.get()), nullptr),
              vekStsBadContext);
    EXPECT_EQ(veksDFTFwd_CToC_16sc_Sfs(nullptr, nullptr, static_cast<const VeksDFTSpec_C_16sc*>(c.get()), 0, nullptr), vekStsBadContext);
    EXPECT_TRUE(dst.intact());
}

// Transforms: spec first (null, then kind), then the data pointers; nothing
// is written on an error.
TEST(DftSpec, TransformCheckOrder) {
    VeksDFTSpec_C_32f* s = nullptr;
    ASSERT_EQ(veksDFTInitAlloc_C_32f(&s, 10, 8, 0), vekStsOk);
    std::vector<Vek32f> a(10, 1.0f);
    vt::Guarded<Vek32f> re(10), im(10);
    EXPECT_EQ(veksDFTFwd_CToC_32f(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), vekStsNullPtr);
    VeksDFTSpec_R_32f* wrong = nullptr;
    ASSERT_EQ(veksDFTInitAlloc_R_32f(&wrong, 10, 8, 0), vekStsOk);
    EXPECT_EQ(veksDFTInv_CToC_32f(nullptr, nullptr, nullptr, nullptr, reinterpret_cast<const VeksDFTSpec_C_32f*>(wrong), nullptr),
              vekStsBadContext);
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(veksDFTFwd_CToC_32f(vt::ptr_or_null(a.data(), 0, p), vt::ptr_or_null(a.data(), 1, p),
                                      vt::ptr_or_null(re.data(), 2, p), vt::ptr_or_null(im.data(), 3, p), s, nullptr),
                  vekStsNullPtr) << p;
    }
    EXPECT_TRUE(re.intact() && im.intact());
    vt::Guarded<Vek64f> r64(12);
    VeksDFTSpec_R_64f* r = nullptr;
    ASSERT_EQ(veksDFTInitAlloc_R_64f(&r, 10, 8, 0), vekStsOk);
    std::vector<Vek64f> x(12, 1.0);
    EXPECT_EQ(veksDFTFwd_RToCCS_64f(nullptr, r64.data(), r, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksDFTInv_PackToR_64f(x.data(), nullptr, r, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksDFTFwd_RToPerm_64f(x.data(), r64.data(), nullptr, nullptr), vekStsNullPtr);
    EXPECT_TRUE(r64.intact());
    EXPECT_EQ(veksDFTFree_R_64f(r), vekStsOk);
    EXPECT_EQ(veksDFTFree_C_32f(reinterpret_cast<VeksDFTSpec_C_32f*>(wrong)), vekStsBadContext);
    EXPECT_EQ(veksDFTFree_R_32f(wrong), vekStsOk);
    EXPECT_EQ(veksDFTFree_C_32f(s), vekStsOk);
}

} // namespace
