// DFT spec life cycle: work-buffer sizes of each engine, check orders,
// kinds refused by other kinds' calls.
#include "float_kinds.h"

namespace {

using dftt::Kind;

const Kind& kind(const char* name) { return fftt::find(dftt::dft_kinds(), name); }
int fft_buf_32fc(int order) { return fftt::Spec(fftt::kind("C_32fc"), order, vekFftNormNone).buf_size(); }

TEST(DftSpec, WorkBufferSizeOfEachEngine) {
    const Kind& c32 = kind("C_32fc");
    const Kind& c64 = kind("C_64fc");
    for (const Kind& k : dftt::dft_kinds())
        for (int n = 1; n <= 4; ++n) EXPECT_EQ(dftt::Spec(k, n, 8).buf_size(), 0) << k.name << " n " << n;
    const struct { const Kind& k; int n, bytes; } rows[] = {
        {c32, 7, 8 * 7 + 32}, {c64, 7, 16 * 7 + 32}, {c32, 149, 8 * 149 + 32},                   // direct
        {c32, 151, fft_buf_32fc(9) + 8 * 512 + 32}, {c32, 302, fft_buf_32fc(10) + 8 * 1024 + 32}, // chirp, M = 512, 1024
        {c32, 8192, fft_buf_32fc(13)},                                                              // the FFT's own
    };
    for (const auto& r : rows) EXPECT_EQ(dftt::Spec(r.k, r.n, 8).buf_size(), r.bytes) << r.k.name << " n " << r.n;
    EXPECT_EQ(dftt::Spec(dftt::dft_int_kinds()[0], 151, 8).buf_size(), dftt::Spec(c32, 151, 8).buf_size() + 8 * 151 + 32);
    EXPECT_EQ(dftt::Spec(dftt::dft_int_kinds()[2], 1, 1).buf_size(), 0);
}

TEST(DftSpec, InitAllocChecks) {
    for (const auto* kinds : {&dftt::dft_kinds(), &dftt::dft_int_kinds()})
    for (const Kind& k : *kinds) {
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
}

// Every kind refuses the specs of all other kinds; transforms check the
// spec first (null, then kind), then the data pointers, and write nothing on
// an error.
TEST(DftSpec, OtherKindsAndCheckOrder) {
    std::vector<Kind> every = dftt::dft_kinds();
    every.insert(every.end(), dftt::dft_int_kinds().begin(), dftt::dft_int_kinds().end());
    for (const Kind& owner : every) {
        dftt::Spec s(owner, 12, 8);
        for (const Kind& k : every) {
            int b = 0;
            EXPECT_TRUE(&k == &owner || (k.get_buf_size(s.get(), &b) == vekStsBadContext && k.free(s.get()) == vekStsBadContext))
                << owner.name << " given to " << k.name;
        }
    }
    dftt::Spec c(kind("C_32fc"), 12, 8), r(kind("R_32f"), 12, 8), o(kind("OutOrd_C_32fc"), 12, 8);
    dftt::Spec split(kind("C_32f"), 10, 8), r64(kind("R_64f"), 10, 8);
    dftt::Spec s16(dftt::dft_int_kinds()[1], 5, 8), r16(dftt::dft_int_kinds()[2], 5, 8);
    fftt::expect_spec_checks(veksDFTFwd_CToC_32fc, c.get(), r.get());
    fftt::expect_spec_checks(veksDFTOutOrdFwd_CToC_32fc, o.get(), c.get());
    fftt::expect_spec_checks(veksDFTInv_CToC_32f, split.get(), r.get());
    fftt::expect_spec_checks(veksDFTFwd_RToCCS_64f, r64.get(), r.get());
    fftt::expect_spec_checks(veksDFTInv_PackToR_64f, r64.get(), r.get());
    fftt::expect_spec_checks(veksDFTInv_CToC_16s_Sfs, s16.get(), r16.get());
    EXPECT_EQ(veksDFTFwd_CToC_16sc_Sfs(nullptr, nullptr, c.as<VeksDFTSpec_C_16sc>(), 0, nullptr), vekStsBadContext);
}

} // namespace
