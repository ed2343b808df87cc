// Phase: floating forms, scaled integer forms and the coarse unscaled one.
#include <algorithm>
#include <cstdint>

#include "convert_test_util.h"

namespace {

// The unscaled integer phase, written out from its definition.
std::int64_t rational_phase_reference(double re, double im) {
    const float x = static_cast<float>(re), y = static_cast<float>(im);
    if (x == 0 && y == 0) return 0;
    const double a = std::fabs(double(y)) + 1e-10, q = 0.7853981633974483, q3 = 2.356194490192345;
    const float r = static_cast<float>(x >= 0 ? q - q * (x - a) / (x + a) : q3 - q * (x + a) / (a - x));
    const float v = y < 0 ? -r : r;
    return static_cast<std::int64_t>(v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5));
}

// A scaled integer phase: the platform's atan2 (rounded to single for the
// 16-bit forms) times 2^-sf exactly, half away from zero, saturated.
template <class I>
std::int64_t scaled_phase_reference(double re, double im, int sf) {
    double ph = std::atan2(im, re);
    if (sizeof(I) == 2) ph = static_cast<float>(ph);
    const long double v = std::ldexp(static_cast<long double>(ph), static_cast<int>(std::clamp(-(long long)sf, -20000LL, 20000LL)));
    const long double r = v >= 0 ? std::trunc(v + 0.5L) : std::trunc(v - 0.5L);
    return static_cast<std::int64_t>(std::clamp<long double>(r, std::numeric_limits<I>::min(), std::numeric_limits<I>::max()));
}

// atan2 in double then one rounding: single results within half an ulp
// plus a negligible margin of the true angle, double ones within one ulp.
// Zero results and infinite operands give the exact standard value.
template <class R, class C, class D>
void check_float_phase(VekStatus (*split)(const R*, const R*, D*, int), VekStatus (*cplx)(const C*, D*, int), double scale) {
    vt::Rng rng(21);
    const auto p = ct::test_parts<R>(rng, 3000, true, scale);
    const auto got = ct::both_forms(p, split, cplx);
    for (int k = 0; k < p.size(); ++k) {
        const long double want = std::atan2(static_cast<long double>(p.im[k]), static_cast<long double>(p.re[k]));
        EXPECT_LE(vt::ulp_distance(got[k], want), sizeof(D) == 4 ? 0.5 + 1e-6 : 1.0) << p.re[k] << ", " << p.im[k];
        if (want == 0 || std::isinf(p.re[k]) || std::isinf(p.im[k])) {
            EXPECT_TRUE(vt::same_bits(got[k], static_cast<D>(want))) << p.re[k] << ", " << p.im[k];
        }
    }
}

TEST(ComplexPhase, FloatingAgainstLongDouble) {
    for (double scale : {1e3, 1e-30}) check_float_phase(veksPhase_32f, veksPhase_32fc, scale);
    check_float_phase(veksPhase_64f, veksPhase_64fc, 1e3);
    check_float_phase(veksPhase_16s32f, veksPhase_16sc32f, 0);
}

TEST(ComplexPhase, IntegerAcrossScaleFactors) {
    vt::Rng rng(23);
    const auto p16 = ct::test_parts<Vek16s>(rng, 300);
    const auto p32 = ct::test_parts<Vek32s>(rng, 300);
    std::vector<int> factors = {-2147483647 - 1, -2000, -1100, -200, -130, 130, 160, 200, 1100, 2147483647};
    for (int sf = -34; sf <= 34; ++sf) factors.push_back(sf);
    for (int sf : factors) {
        const auto got16 = ct::both_forms(p16, veksPhase_16s_Sfs, veksPhase_16sc_Sfs, sf);
        const auto got32 = ct::both_forms(p32, nullptr, veksPhase_32sc_Sfs, sf);
        for (int k = 0; k < p16.size(); ++k)
            EXPECT_EQ(got16[k], sf ? scaled_phase_reference<Vek16s>(p16.re[k], p16.im[k], sf) : rational_phase_reference(p16.re[k], p16.im[k]))
                << sf << " (" << p16.re[k] << ", " << p16.im[k] << ")";
        for (int k = 0; k < p32.size(); ++k)
            EXPECT_EQ(got32[k], sf ? scaled_phase_reference<Vek32s>(p32.re[k], p32.im[k], sf) : rational_phase_reference(p32.re[k], p32.im[k]))
                << sf << " (" << p32.re[k] << ", " << p32.im[k] << ")";
    }
}

} // namespace
