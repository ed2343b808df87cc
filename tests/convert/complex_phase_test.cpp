// Phase: floating forms, scaled integer forms and the coarse unscaled one.
#include <algorithm>
#include <cstdint>

#include "complex_test_data.h"

namespace {

// The unscaled integer phase, written out from its definition.
int rational_phase_reference(double re, double im) {
    const float x = static_cast<float>(re), y = static_cast<float>(im);
    if (x == 0 && y == 0) return 0;
    const double a = std::fabs(double(y)) + 1e-10;
    const double q = 0.7853981633974483, q3 = 2.356194490192345;
    const double r = x >= 0 ? q - q * (x - a) / (x + a) : q3 - q * (x + a) / (a - x);
    const float rf = static_cast<float>(r);
    const float v = y < 0 ? -rf : rf;
    return static_cast<int>(v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5));
}

// A scaled integer phase: the platform's atan2 (rounded to single for the
// 16-bit forms), times 2^-sf exactly, half away from zero, saturated.
std::int64_t scaled_phase_reference(double re, double im, int sf, bool single, std::int64_t lo, std::int64_t hi) {
    double ph = std::atan2(im, re);
    if (single) ph = static_cast<float>(ph);
    const long double v = std::ldexp(static_cast<long double>(ph), static_cast<int>(std::clamp(-static_cast<long long>(sf), -20000LL, 20000LL)));
    const long double r = v >= 0 ? std::trunc(v + 0.5L) : std::trunc(v - 0.5L);
    return r > hi ? hi : (r < lo ? lo : static_cast<std::int64_t>(r));
}

TEST(ComplexPhase, CheckOrder) {
    Vek64f f[4] = {}, g[4] = {};
    Vek64fc fc[4] = {};
    Vek16s s[4] = {};
    Vek32sc ic[4] = {};
    vt::Guarded<Vek64f> df(4);
    vt::Guarded<Vek16s> ds(4);
    vt::Guarded<Vek32s> di(4);
    auto intact = [&] { return df.intact() && ds.intact() && di.intact(); };
    using vt::ptr_or_null;
    vt::expect_ptrs_then_len(3, [&](int n, int len) { return veksPhase_64f(ptr_or_null(f, 0, n), ptr_or_null(g, 1, n), ptr_or_null(df.data(), 2, n), len); }, intact);
    vt::expect_ptrs_then_len(2, [&](int n, int len) { return veksPhase_64fc(ptr_or_null(fc, 0, n), ptr_or_null(df.data(), 1, n), len); }, intact);
    for (int sf : {0, 3})
        vt::expect_ptrs_then_len(3, [&](int n, int len) { return veksPhase_16s_Sfs(ptr_or_null(s, 0, n), ptr_or_null(s, 1, n), ptr_or_null(ds.data(), 2, n), len, sf); }, intact);
    vt::expect_ptrs_then_len(2, [&](int n, int len) { return veksPhase_32sc_Sfs(ptr_or_null(ic, 0, n), ptr_or_null(di.data(), 1, n), len, -3); }, intact);
}

// Single precision: atan2 in double then one rounding, so within half an
// ulp plus a negligible margin of the true angle; double within one ulp.
template <class R, class D, class C>
void check_float_phase(VekStatus (*split)(const R*, const R*, D*, int), VekStatus (*cplx)(const C*, D*, int), double scale) {
    vt::Rng rng(21);
    const auto parts = ct::test_parts<R>(rng, 3000, true, scale);
    const auto src = ct::interleave<C>(parts);
    const int n = parts.size();
    vt::Guarded<D> a(parts.count()), b(parts.count());
    ASSERT_EQ(split(parts.re.data(), parts.im.data(), a.data(), n), vekStsOk);
    ASSERT_EQ(cplx(src.data(), b.data(), n), vekStsOk);
    const double tolerance = sizeof(D) == 4 ? 0.5 + 1e-6 : 1.0;
    for (int k = 0; k < n; ++k) {
        const long double want = std::atan2(static_cast<long double>(parts.im[k]), static_cast<long double>(parts.re[k]));
        EXPECT_LE(vt::ulp_distance(a[k], want), tolerance) << k << ": " << parts.re[k] << ", " << parts.im[k];
        // Signed zeros and infinities follow the two-argument arctangent.
        if (want == 0 || std::isinf(parts.re[k]) || std::isinf(parts.im[k])) {
            EXPECT_TRUE(vt::same_bits(a[k], static_cast<D>(want))) << k;
        }
        EXPECT_TRUE(vt::same_bits(a[k], b[k])) << k;
    }
    EXPECT_TRUE(a.guard_intact() && b.guard_intact());
}

TEST(ComplexPhase, FloatingAgainstLongDouble) {
    check_float_phase<Vek32f, Vek32f, Vek32fc>(veksPhase_32f, veksPhase_32fc, 1e3);
    check_float_phase<Vek32f, Vek32f, Vek32fc>(veksPhase_32f, veksPhase_32fc, 1e-30);
    check_float_phase<Vek64f, Vek64f, Vek64fc>(veksPhase_64f, veksPhase_64fc, 1e3);
    check_float_phase<Vek16s, Vek32f, Vek16sc>(veksPhase_16s32f, veksPhase_16sc32f, 0);
}

// An element's phase does not depend on where it sits in the vector:
// whole-vector calls equal one call per element.
TEST(ComplexPhase, IndependentOfPosition) {
    vt::Rng rng(29);
    const auto p32 = ct::test_parts<Vek32f>(rng, 1000);
    const auto c32 = ct::interleave<Vek32fc>(p32);
    const auto p16 = ct::test_parts<Vek16s>(rng, 1000);
    const auto c16 = ct::interleave<Vek16sc>(p16);
    vt::Guarded<Vek32f> a(p32.count()), b(p16.count());
    ASSERT_EQ(veksPhase_32fc(c32.data(), a.data(), p32.size()), vekStsOk);
    ASSERT_EQ(veksPhase_16sc32f(c16.data(), b.data(), p16.size()), vekStsOk);
    for (int k = 0; k < p32.size(); ++k) {
        Vek32f one, split_one;
        ASSERT_EQ(veksPhase_32fc(&c32[k], &one, 1), vekStsOk);
        ASSERT_EQ(veksPhase_32f(&p32.re[k], &p32.im[k], &split_one, 1), vekStsOk);
        EXPECT_TRUE(vt::same_bits(a[k], one) && vt::same_bits(a[k], split_one)) << k;
    }
    for (int k = 0; k < p16.size(); ++k) {
        Vek32f one;
        ASSERT_EQ(veksPhase_16sc32f(&c16[k], &one, 1), vekStsOk);
        EXPECT_TRUE(vt::same_bits(b[k], one)) << k;
    }
}

TEST(ComplexPhase, IntegerAcrossScaleFactors) {
    vt::Rng rng(23);
    const auto p16 = ct::test_parts<Vek16s>(rng, 300);
    const auto c16 = ct::interleave<Vek16sc>(p16);
    const auto p32 = ct::test_parts<Vek32s>(rng, 300);
    const auto c32 = ct::interleave<Vek32sc>(p32);
    std::vector<int> factors = {-2147483647 - 1, -2000, -1100, -200, -130, 130, 160, 200, 1100, 2147483647};
    for (int sf = -34; sf <= 34; ++sf) factors.push_back(sf);
    for (int sf : factors) {
        vt::Guarded<Vek16s> a(p16.count()), b(p16.count());
        vt::Guarded<Vek32s> c(p32.count());
        ASSERT_EQ(veksPhase_16s_Sfs(p16.re.data(), p16.im.data(), a.data(), p16.size(), sf), vekStsOk);
        ASSERT_EQ(veksPhase_16sc_Sfs(c16.data(), b.data(), p16.size(), sf), vekStsOk);
        ASSERT_EQ(veksPhase_32sc_Sfs(c32.data(), c.data(), p32.size(), sf), vekStsOk);
        for (int k = 0; k < p16.size(); ++k) {
            const std::int64_t want = sf == 0 ? rational_phase_reference(p16.re[k], p16.im[k])
                                              : scaled_phase_reference(p16.re[k], p16.im[k], sf, true, -32768, 32767);
            EXPECT_EQ(a[k], want) << "sf " << sf << " (" << p16.re[k] << ", " << p16.im[k] << ")";
            EXPECT_EQ(b[k], want) << "sf " << sf << " k " << k;
        }
        for (int k = 0; k < p32.size(); ++k) {
            const std::int64_t want = sf == 0 ? rational_phase_reference(p32.re[k], p32.im[k])
                                              : scaled_phase_reference(p32.re[k], p32.im[k], sf, false, -2147483647 - 1, 2147483647);
            EXPECT_EQ(c[k], want) << "sf " << sf << " (" << p32.re[k] << ", " << p32.im[k] << ")";
        }
        EXPECT_TRUE(a.guard_intact() && b.guard_intact() && c.guard_intact());
    }
}

TEST(ComplexPhase, NamedValues) {
    struct Case { Vek16s re, im; int sf; Vek16s want; };
    const Case cases[] = {
        {1, 1, 0, 1}, {-1, 0, 0, 3}, {0, 0, 0, 0}, {-1, -1, 0, -2}, {0, -5, 0, -2},
        {-1, 0, -13, 25736}, {-1, -1, -14, -32768}, {0, 0, -13, 0}, {5, 0, -200, 0},
    };
    for (const Case& c : cases) {
        Vek16s d;
        ASSERT_EQ(veksPhase_16s_Sfs(&c.re, &c.im, &d, 1, c.sf), vekStsOk);
        EXPECT_EQ(d, c.want) << c.re << ", " << c.im << " sf " << c.sf;
    }
}

} // namespace
