// Phase: floating forms, scaled integer forms and the coarse unscaled one.
#include <algorithm>
#include <cstdint>

#include "complex_test_data.h"

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

TEST(ComplexPhase, CheckOrder) {
    Vek64f f[4] = {};
    Vek16s s[4] = {};
    Vek32sc ic[4] = {};
    vt::Guarded<Vek64f> df(4);
    vt::Guarded<Vek16s> ds(4);
    vt::Guarded<Vek32s> di(4);
    auto intact = [&] { return df.intact() && ds.intact() && di.intact(); };
    using vt::ptr_or_null;
    vt::expect_ptrs_then_len(3, [&](int n, int len) { return veksPhase_64f(ptr_or_null(f, 0, n), ptr_or_null(f, 1, n), ptr_or_null(df.data(), 2, n), len); }, intact);
    for (int sf : {0, 3})
        vt::expect_ptrs_then_len(3, [&](int n, int len) { return veksPhase_16s_Sfs(ptr_or_null(s, 0, n), ptr_or_null(s, 1, n), ptr_or_null(ds.data(), 2, n), len, sf); }, intact);
    vt::expect_ptrs_then_len(2, [&](int n, int len) { return veksPhase_32sc_Sfs(ptr_or_null(ic, 0, n), ptr_or_null(di.data(), 1, n), len, -3); }, intact);
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

// An element's phase does not depend on where it sits in the vector.
TEST(ComplexPhase, IndependentOfPosition) {
    vt::Rng rng(29);
    const auto p32 = ct::test_parts<Vek32f>(rng, 1000);
    const auto p16 = ct::test_parts<Vek16s>(rng, 1000);
    const auto whole32 = ct::both_forms(p32, veksPhase_32f, veksPhase_32fc);
    const auto whole16 = ct::both_forms(p16, veksPhase_16s32f, veksPhase_16sc32f);
    Vek32f one;
    for (int k = 0; k < p32.size(); ++k) {
        ASSERT_EQ(veksPhase_32f(&p32.re[k], &p32.im[k], &one, 1), vekStsOk);
        EXPECT_TRUE(vt::same_bits(whole32[k], one)) << k;
    }
    for (int k = 0; k < p16.size(); ++k) {
        ASSERT_EQ(veksPhase_16s32f(&p16.re[k], &p16.im[k], &one, 1), vekStsOk);
        EXPECT_TRUE(vt::same_bits(whole16[k], one)) << k;
    }
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

TEST(ComplexPhase, NamedValues) {
    struct Case { Vek16s re, im; int sf; Vek16s want; };
    const Case cases[] = {{1, 1, 0, 1}, {-1, 0, 0, 3}, {0, 0, 0, 0}, {-1, -1, 0, -2}, {0, -5, 0, -2},
                          {-1, 0, -13, 25736}, {-1, -1, -14, -32768}, {0, 0, -13, 0}, {5, 0, -200, 0}};
    for (const Case& c : cases) {
        Vek16s d;
        ASSERT_EQ(veksPhase_16s_Sfs(&c.re, &c.im, &d, 1, c.sf), vekStsOk);
        EXPECT_EQ(d, c.want) << c.re << ", " << c.im << " sf " << c.sf;
    }
}

} // namespace
