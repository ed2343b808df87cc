// Magnitude, power spectrum and squared magnitude.
#include <algorithm>
#include <cstdint>

#include "complex_test_data.h"

namespace {

using u128 = unsigned __int128;

u128 isqrt(u128 x) {
    u128 r = 0;
    for (int b = 63; b >= 0; --b) {
        const u128 t = r | (u128(1) << b);
        if (t * t <= x) r = t;
    }
    return r;
}

// Exact sqrt(p) * 2^-s rounded as the integer magnitude rounds: half up
// when scaling up (a root is never exactly half-way there), half to even
// when scaling down; then saturated to top.
std::int64_t magnitude_reference(std::uint64_t p, int s, std::int64_t top) {
    if (p == 0) return 0;
    if (s <= 0) {
        if (-s > 31) return top;
        const u128 big = u128(p) << (2 * -s);
        const u128 n = (isqrt(4 * big) + 1) / 2;
        return n > u128(top) ? top : static_cast<std::int64_t>(n);
    }
    if (s >= 64) return 0;
    const u128 n0 = isqrt(p) >> s;
    const u128 half = (2 * n0 + 1) << s; // 2 * (n0 + 1/2) * 2^s
    const u128 lhs = 4 * u128(p), rhs = half * half;
    const u128 n = lhs > rhs ? n0 + 1 : (lhs < rhs ? n0 : n0 + (n0 & 1));
    return std::min<std::int64_t>(static_cast<std::int64_t>(n), top);
}

// Exact p * 2^-s: truncating right shift, saturating left shift.
std::int64_t power_reference(std::uint64_t p, int s, std::int64_t top) {
    if (s >= 0) return s >= 64 ? 0 : static_cast<std::int64_t>(std::min<std::uint64_t>(p >> s, top));
    if (p == 0) return 0;
    if (-s >= 64) return top;
    const u128 v = u128(p) << -s;
    return v > u128(top) ? top : static_cast<std::int64_t>(v);
}

template <class R>
std::uint64_t exact_power(R re, R im) {
    return static_cast<std::uint64_t>(std::int64_t(re) * re) + static_cast<std::uint64_t>(std::int64_t(im) * im);
}

TEST(ComplexMagnitude, CheckOrder) {
    Vek32f f[4] = {}, g[4] = {};
    Vek32fc fc[4] = {};
    Vek16s s[4] = {};
    Vek16sc sc[4] = {};
    Vek32sc ic[4] = {};
    vt::Guarded<Vek32f> df(4);
    vt::Guarded<Vek16s> ds(4);
    vt::Guarded<Vek32s> di(4);
    auto intact = [&] { return df.intact() && ds.intact() && di.intact(); };
    using vt::ptr_or_null;
    for (auto fn : {veksMagnitude_32f, veksPowerSpectr_32f})
        vt::expect_ptrs_then_len(3, [&](int n, int len) { return fn(ptr_or_null(f, 0, n), ptr_or_null(g, 1, n), ptr_or_null(df.data(), 2, n), len); }, intact);
    for (auto fn : {veksMagnitude_32fc, veksPowerSpectr_32fc})
        vt::expect_ptrs_then_len(2, [&](int n, int len) { return fn(ptr_or_null(fc, 0, n), ptr_or_null(df.data(), 1, n), len); }, intact);
    // Integer forms check pointers and length before looking at the scale
    // factor, including the factors that shortcut to all zeros or all maxima.
    for (int sf : {-100, 0, 5, 100}) {
        for (auto fn : {veksMagnitude_16s_Sfs, veksPowerSpectr_16s_Sfs})
            vt::expect_ptrs_then_len(3, [&](int n, int len) { return fn(ptr_or_null(s, 0, n), ptr_or_null(s, 1, n), ptr_or_null(ds.data(), 2, n), len, sf); }, intact);
        for (auto fn : {veksMagnitude_16sc_Sfs, veksPowerSpectr_16sc_Sfs})
            vt::expect_ptrs_then_len(2, [&](int n, int len) { return fn(ptr_or_null(sc, 0, n), ptr_or_null(ds.data(), 1, n), len, sf); }, intact);
        for (auto fn : {veksMagnitude_32sc_Sfs, veksMagSquared_32sc32s_Sfs})
            vt::expect_ptrs_then_len(2, [&](int n, int len) { return fn(ptr_or_null(ic, 0, n), ptr_or_null(di.data(), 1, n), len, sf); }, intact);
    }
}

// Floating magnitude: the squares, the sum and the root each round once in
// double, a relative error below 1.25 * 2^-53 in all. Single-precision
// results are therefore within half an ulp plus a negligible margin; double
// results within 2.5 ulp (an ulp is as small as 2^-53 relative at the
// bottom of a binade), which also covers squares of denormals underflowing.
template <class R, class D, class C>
void check_float_magnitude(VekStatus (*split)(const R*, const R*, D*, int), VekStatus (*cplx)(const C*, D*, int),
                           double scale) {
    vt::Rng rng(3);
    const auto parts = ct::test_parts<R>(rng, 2000, true, scale);
    const auto src = ct::interleave<C>(parts);
    const int n = parts.size();
    vt::Guarded<D> a(parts.count()), b(parts.count());
    ASSERT_EQ(split(parts.re.data(), parts.im.data(), a.data(), n), vekStsOk);
    ASSERT_EQ(cplx(src.data(), b.data(), n), vekStsOk);
    const double tolerance = sizeof(D) == 4 ? 0.5 + 1e-6 : 2.5;
    for (int k = 0; k < n; ++k) {
        const long double re = parts.re[k], im = parts.im[k];
        long double want = std::sqrt(re * re + im * im);
        if (!std::isnan(want) && (re * re > std::numeric_limits<double>::max() || im * im > std::numeric_limits<double>::max()))
            want = INFINITY; // squares formed in double overflow
        EXPECT_LE(vt::ulp_distance(a[k], want), tolerance) << k << ": " << parts.re[k] << ", " << parts.im[k];
        EXPECT_TRUE(vt::same_bits(a[k], b[k])) << k;
    }
    EXPECT_TRUE(a.guard_intact() && b.guard_intact());
}

TEST(ComplexMagnitude, FloatingAgainstLongDouble) {
    check_float_magnitude<Vek32f, Vek32f, Vek32fc>(veksMagnitude_32f, veksMagnitude_32fc, 1e3);
    check_float_magnitude<Vek32f, Vek32f, Vek32fc>(veksMagnitude_32f, veksMagnitude_32fc, 1e30);
    check_float_magnitude<Vek64f, Vek64f, Vek64fc>(veksMagnitude_64f, veksMagnitude_64fc, 1e3);
    check_float_magnitude<Vek64f, Vek64f, Vek64fc>(veksMagnitude_64f, veksMagnitude_64fc, 1e160);
    check_float_magnitude<Vek16s, Vek32f, Vek16sc>(veksMagnitude_16s32f, veksMagnitude_16sc32f, 0);
}

// Integer magnitude across every scale factor around the thresholds. The
// 32-bit sum of squares is rounded to double above 2^53, and the root may
// round across a half-integer once the result exceeds 2^25; there the
// result may differ from the exact one by 1.
template <class R, class D>
void check_int_magnitude(const ct::Parts<R>& parts, int lo_sf, int hi_sf,
                         const std::function<VekStatus(const ct::Parts<R>&, D*, int, int)>& call) {
    const int n = parts.size();
    constexpr std::int64_t top = std::numeric_limits<D>::max();
    for (int sf = lo_sf; sf <= hi_sf; ++sf) {
        vt::Guarded<D> d(parts.count());
        ASSERT_EQ(call(parts, d.data(), n, sf), vekStsOk);
        for (int k = 0; k < n; ++k) {
            const std::uint64_t p = exact_power(parts.re[k], parts.im[k]);
            const std::int64_t want = magnitude_reference(p, sf, top);
            const std::int64_t slack = (want > (1 << 25) || p >= (std::uint64_t(1) << 53)) ? 1 : 0;
            EXPECT_LE(std::llabs(d[k] - want), slack) << "sf " << sf << " (" << parts.re[k] << ", " << parts.im[k] << ")";
        }
        EXPECT_TRUE(d.guard_intact());
    }
}

TEST(ComplexMagnitude, IntegerAcrossScaleFactors) {
    vt::Rng rng(11);
    const auto p16 = ct::test_parts<Vek16s>(rng, 300);
    check_int_magnitude<Vek16s, Vek16s>(p16, -18, 19, [](const ct::Parts<Vek16s>& p, Vek16s* d, int n, int sf) {
        return veksMagnitude_16s_Sfs(p.re.data(), p.im.data(), d, n, sf);
    });
    check_int_magnitude<Vek16s, Vek16s>(p16, -18, 19, [](const ct::Parts<Vek16s>& p, Vek16s* d, int n, int sf) {
        const auto c = ct::interleave<Vek16sc>(p);
        return veksMagnitude_16sc_Sfs(c.data(), d, n, sf);
    });

    auto p32 = ct::test_parts<Vek32s>(rng, 0);
    for (int k = 0; k < 300; ++k) {
        p32.re.push_back(rng.integer<Vek32s>(-(1 << 24), 1 << 24));
        p32.im.push_back(rng.integer<Vek32s>(-(1 << 24), 1 << 24));
    }
    check_int_magnitude<Vek32s, Vek32s>(p32, -34, 35, [](const ct::Parts<Vek32s>& p, Vek32s* d, int n, int sf) {
        const auto c = ct::interleave<Vek32sc>(p);
        return veksMagnitude_32sc_Sfs(c.data(), d, n, sf);
    });
}

TEST(ComplexMagnitude, NamedValues) {
    const Vek16sc v[3] = {{3, 4}, {-32768, -32768}, {0, 0}};
    Vek16s d[3];
    const std::pair<int, Vek16s> cases[] = {{0, 5}, {1, 2}, {2, 1}, {-1, 10}};
    for (auto [sf, want] : cases) {
        ASSERT_EQ(veksMagnitude_16sc_Sfs(v, d, 1, sf), vekStsOk);
        EXPECT_EQ(d[0], want) << sf;
    }
    ASSERT_EQ(veksMagnitude_16sc_Sfs(v, d, 3, 0), vekStsOk);
    EXPECT_EQ(d[1], 32767);
    ASSERT_EQ(veksMagnitude_16sc_Sfs(v, d, 3, -15), vekStsOk);
    EXPECT_TRUE(d[0] == 32767 && d[1] == 32767 && d[2] == 0);

    const Vek64f big = 1e200, zero = 0;
    Vek64f m;
    ASSERT_EQ(veksMagnitude_64f(&big, &zero, &m, 1), vekStsOk);
    EXPECT_TRUE(std::isinf(m));
}

TEST(ComplexPower, FloatingIsPlainArithmetic) {
    vt::Rng rng(5);
    const auto p32 = ct::test_parts<Vek32f>(rng, 500);
    const auto c32 = ct::interleave<Vek32fc>(p32);
    vt::Guarded<Vek32f> a(p32.count()), b(p32.count());
    ASSERT_EQ(veksPowerSpectr_32f(p32.re.data(), p32.im.data(), a.data(), p32.size()), vekStsOk);
    ASSERT_EQ(veksPowerSpectr_32fc(c32.data(), b.data(), p32.size()), vekStsOk);
    for (int k = 0; k < p32.size(); ++k) {
        const float x = p32.re[k], y = p32.im[k];
        const float xx = x * x, yy = y * y, want = xx + yy;
        EXPECT_TRUE(vt::same_bits(a[k], want) && vt::same_bits(b[k], want)) << k;
    }

    const auto p64 = ct::test_parts<Vek64f>(rng, 500);
    const auto c64 = ct::interleave<Vek64fc>(p64);
    vt::Guarded<Vek64f> e(p64.count()), f(p64.count());
    ASSERT_EQ(veksPowerSpectr_64f(p64.re.data(), p64.im.data(), e.data(), p64.size()), vekStsOk);
    ASSERT_EQ(veksPowerSpectr_64fc(c64.data(), f.data(), p64.size()), vekStsOk);
    for (int k = 0; k < p64.size(); ++k) {
        const double x = p64.re[k], y = p64.im[k];
        const double xx = x * x, yy = y * y, want = xx + yy;
        EXPECT_TRUE(vt::same_bits(e[k], want) && vt::same_bits(f[k], want)) << k;
    }

    // 16-bit data: the exact integer sum, rounded once to single precision.
    const auto p16 = ct::test_parts<Vek16s>(rng, 500);
    const auto c16 = ct::interleave<Vek16sc>(p16);
    vt::Guarded<Vek32f> g(p16.count()), h(p16.count());
    ASSERT_EQ(veksPowerSpectr_16s32f(p16.re.data(), p16.im.data(), g.data(), p16.size()), vekStsOk);
    ASSERT_EQ(veksPowerSpectr_16sc32f(c16.data(), h.data(), p16.size()), vekStsOk);
    for (int k = 0; k < p16.size(); ++k) {
        const float want = static_cast<float>(exact_power(p16.re[k], p16.im[k]));
        EXPECT_TRUE(vt::same_bits(g[k], want) && vt::same_bits(h[k], want)) << k;
    }
    EXPECT_TRUE(a.guard_intact() && b.guard_intact() && e.guard_intact() && f.guard_intact() && g.guard_intact() && h.guard_intact());
}

TEST(ComplexPower, IntegerAcrossScaleFactors) {
    vt::Rng rng(9);
    const auto p16 = ct::test_parts<Vek16s>(rng, 200);
    const auto c16 = ct::interleave<Vek16sc>(p16);
    const auto p32 = ct::test_parts<Vek32s>(rng, 200);
    const auto c32 = ct::interleave<Vek32sc>(p32);
    for (int sf = -70; sf <= 70; ++sf) {
        vt::Guarded<Vek16s> a(p16.count()), b(p16.count());
        vt::Guarded<Vek32s> c(p32.count());
        ASSERT_EQ(veksPowerSpectr_16s_Sfs(p16.re.data(), p16.im.data(), a.data(), p16.size(), sf), vekStsOk);
        ASSERT_EQ(veksPowerSpectr_16sc_Sfs(c16.data(), b.data(), p16.size(), sf), vekStsOk);
        ASSERT_EQ(veksMagSquared_32sc32s_Sfs(c32.data(), c.data(), p32.size(), sf), vekStsOk);
        for (int k = 0; k < p16.size(); ++k) {
            const std::int64_t want = power_reference(exact_power(p16.re[k], p16.im[k]), sf, 32767);
            EXPECT_EQ(a[k], want) << "sf " << sf << " k " << k;
            EXPECT_EQ(b[k], want) << "sf " << sf << " k " << k;
        }
        for (int k = 0; k < p32.size(); ++k)
            EXPECT_EQ(c[k], power_reference(exact_power(p32.re[k], p32.im[k]), sf, 2147483647)) << "sf " << sf << " k " << k;
        EXPECT_TRUE(a.guard_intact() && b.guard_intact() && c.guard_intact());
    }
}

TEST(ComplexPower, NamedValues) {
    const Vek16s re = 3, im = 4;
    Vek16s d;
    ASSERT_EQ(veksPowerSpectr_16s_Sfs(&re, &im, &d, 1, 1), vekStsOk);
    EXPECT_EQ(d, 12);
    ASSERT_EQ(veksPowerSpectr_16s_Sfs(&re, &im, &d, 1, -15), vekStsOk);
    EXPECT_EQ(d, 32767);
    const Vek32sc v[2] = {{65536, 0}, {-2147483647 - 1, -2147483647 - 1}};
    Vek32s e[2];
    ASSERT_EQ(veksMagSquared_32sc32s_Sfs(v, e, 2, 0), vekStsOk);
    EXPECT_TRUE(e[0] == 2147483647 && e[1] == 2147483647);
    ASSERT_EQ(veksMagSquared_32sc32s_Sfs(v, e, 2, 63), vekStsOk);
    EXPECT_TRUE(e[0] == 0 && e[1] == 1); // 2^63 >> 63

    // The extreme scale factors take the all-zero and saturating shortcuts.
    const Vek16sc z[2] = {{0, 0}, {-1, 0}};
    Vek16s out[2];
    Vek32s out32[2];
    for (int sf : {-2147483647 - 1, 2147483647}) {
        const bool up = sf < 0;
        ASSERT_EQ(veksMagnitude_16sc_Sfs(z, out, 2, sf), vekStsOk);
        EXPECT_TRUE(out[0] == 0 && out[1] == (up ? 32767 : 0)) << sf;
        ASSERT_EQ(veksPowerSpectr_16sc_Sfs(z, out, 2, sf), vekStsOk);
        EXPECT_TRUE(out[0] == 0 && out[1] == (up ? 32767 : 0)) << sf;
        ASSERT_EQ(veksMagnitude_32sc_Sfs(v, out32, 2, sf), vekStsOk);
        EXPECT_TRUE(out32[0] == (up ? 2147483647 : 0) && out32[1] == (up ? 2147483647 : 0)) << sf;
        ASSERT_EQ(veksMagSquared_32sc32s_Sfs(v, out32, 2, sf), vekStsOk);
        EXPECT_TRUE(out32[0] == (up ? 2147483647 : 0) && out32[1] == (up ? 2147483647 : 0)) << sf;
    }
}

} // namespace
