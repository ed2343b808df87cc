// 16-bit real DFTs in every layout within one unit of the long double
// reference scaled by 2^-scaleFactor, the single point of length 1 with
// ties to even and saturation. (The complex 16-bit DFTs run with
// the integer FFTs in fft_int_test.)
#include "float_kinds.h"

namespace {

using dftt::cld;

// Within one unit: the float transform's error is far below 0.5, so only
// values near a rounding boundary may land on the neighbour.
void expect_close(long double want, Vek16s got, const char* what, int n) {
    const long double w = std::max(-32768.0L, std::min(32767.0L, want));
    EXPECT_LE(std::fabs(w - got), 1.0L) << what << " n " << n << " want " << want;
}

TEST(DftInt, RealKindAgainstReferenceInEveryLayout) {
    using Op = VekStatus (*)(const Vek16s*, Vek16s*, const VeksDFTSpec_R_16s*, int, Vek8u*);
    const Op fwd[] = {veksDFTFwd_RToPerm_16s_Sfs, veksDFTFwd_RToPack_16s_Sfs, veksDFTFwd_RToCCS_16s_Sfs};
    const Op inv[] = {veksDFTInv_PermToR_16s_Sfs, veksDFTInv_PackToR_16s_Sfs, veksDFTInv_CCSToR_16s_Sfs};
    for (int n : {1, 2, 3, 4, 5, 6, 9, 16, 30, 181}) {
        const std::vector<cld> x = dftt::random_signal(n, true, n + 1, 2000);
        const std::vector<cld> spec = fftref::naive_dft(x, -1);
        const dftt::Spec holder(dftt::dft_int_kinds()[2], n, vekFftNormInv);
        const auto* s = holder.as<VeksDFTSpec_R_16s>();
        std::vector<Vek16s> src(n);
        for (int i = 0; i < n; ++i) src[i] = Vek16s(x[i].real());
        for (int l = 0; l < 3; ++l) {
            const int vals = dftt::layout_values(l, n), sf = 4;
            dftt::Bytes<Vek16s> out(vals, 0), in(vals, 0);
            ASSERT_EQ(fwd[l](src.data(), out.ptr(), s, sf, nullptr), vekStsOk);
            EXPECT_EQ(out.raw[vals * sizeof(Vek16s)], 0xA5) << "wrote past the end";
            const std::vector<cld> bins = dftt::get_spectrum(out, n, l);
            for (int k = 0; 2 * k <= n; ++k) {
                expect_close(spec[k].real() / 16, Vek16s(bins[k].real()), "re", n);
                expect_close(spec[k].imag() / 16, Vek16s(bins[k].imag()), "im", n);
            }
            // the exact spectrum back, scaled by 1/N and 2^-(-2)
            std::vector<cld> exact(spec.begin(), spec.begin() + n / 2 + 1);
            for (auto& v : exact) v = cld(std::round(v.real() / 8), std::round(v.imag() / 8));
            dftt::put_spectrum(in, exact, n, l);
            std::vector<Vek16s> back(n);
            ASSERT_EQ(inv[l](in.ptr(), back.data(), s, -3, nullptr), vekStsOk);
            for (int i = 0; i < n; ++i) EXPECT_LE(std::fabs(x[i].real() - back[i]), 4.0L) << "n " << n << " layout " << l;
        }
    }
}

// Length 1 scales the point itself (ties to even, saturated) in both
// directions; a sum beyond 16 bits saturates.
TEST(DftInt, LengthOneAndSaturation) {
    const dftt::Spec cs(dftt::dft_int_kinds()[0], 1, vekFftNormSqrt), rs(dftt::dft_int_kinds()[2], 6, vekFftNormNone);
    const struct { Vek16sc in; int sf; bool inv; Vek16sc want; } rows[] = {
        {{3, 5}, 1, false, {2, 2}}, {{1, -3}, 1, false, {0, -2}}, {{-1, 7}, 1, false, {0, 4}},
        {{30000, -30000}, -1, true, {32767, -32768}}};
    for (const auto& r : rows) {
        Vek16sc out{};
        const auto op = r.inv ? veksDFTInv_CToC_16sc_Sfs : veksDFTFwd_CToC_16sc_Sfs;
        ASSERT_EQ(op(&r.in, &out, cs.as<VeksDFTSpec_C_16sc>(), r.sf, nullptr), vekStsOk);
        EXPECT_TRUE(out.re == r.want.re && out.im == r.want.im) << r.in.re << " " << r.in.im;
    }
    std::vector<Vek16s> x(6, 20000), y(6);
    for (int sf : {0, 3}) {
        ASSERT_EQ(veksDFTFwd_RToPack_16s_Sfs(x.data(), y.data(), rs.as<VeksDFTSpec_R_16s>(), sf, nullptr), vekStsOk);
        EXPECT_EQ(y, std::vector<Vek16s>({Vek16s(sf ? 15000 : 32767), 0, 0, 0, 0, 0}));
    }
}

} // namespace
