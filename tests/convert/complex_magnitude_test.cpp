// Magnitude, power spectrum and squared magnitude.
#include <algorithm>
#include <cstdint>

#include "convert_test_util.h"

namespace {

using u128 = unsigned __int128;
constexpr std::int64_t max16 = 32767, max32 = 2147483647;

u128 isqrt(u128 x) {
    u128 r = 0;
    for (int b = 63; b >= 0; --b)
        if ((r | (u128(1) << b)) * (r | (u128(1) << b)) <= x) r |= u128(1) << b;
    return r;
}

template <class R>
std::uint64_t exact_power(R re, R im) { return std::uint64_t(std::int64_t(re) * re) + std::uint64_t(std::int64_t(im) * im); }

// Exact sqrt(p) * 2^-s: scaling up rounds half up (a root of an integer is
// never exactly half-way there), scaling down half to even; saturated.
std::int64_t magnitude_reference(std::uint64_t p, int s, std::int64_t top) {
    if (p == 0 || s >= 64) return 0;
    if (s <= 0) {
        if (-s > 31) return top;
        const u128 n = (isqrt(4 * (u128(p) << (2 * -s))) + 1) / 2;
        return n > u128(top) ? top : std::int64_t(n);
    }
    const u128 n0 = isqrt(p) >> s, half = (2 * n0 + 1) << s; // 2 (n0 + 1/2) 2^s
    const u128 lhs = 4 * u128(p), rhs = half * half;
    return std::min<std::int64_t>(std::int64_t(lhs > rhs ? n0 + 1 : (lhs < rhs ? n0 : n0 + (n0 & 1))), top);
}

// Exact p * 2^-s: truncating right shift, saturating left shift.
std::int64_t power_reference(std::uint64_t p, int s, std::int64_t top) {
    if (s >= 0) return s >= 64 ? 0 : std::int64_t(std::min<std::uint64_t>(p >> s, top));
    if (p == 0) return 0;
    return -s >= 64 || (u128(p) << -s) > u128(top) ? top : std::int64_t(p << -s);
}

// Squares, sum and root each round once in double: relative error below
// 1.25 * 2^-53. Single results are thus within half an ulp plus a
// negligible margin; double results within 2.5 ulp (an ulp can be 2^-53
// relative), which also covers squares of denormals flushing to zero.
template <class R, class C, class D>
void check_float_magnitude(VekStatus (*split)(const R*, const R*, D*, int), VekStatus (*cplx)(const C*, D*, int), double scale) {
    vt::Rng rng(3);
    const auto p = ct::test_parts<R>(rng, 2000, true, scale);
    const auto got = ct::both_forms(p, split, cplx);
    for (int k = 0; k < p.size(); ++k) {
        const long double re = p.re[k], im = p.im[k], dmax = std::numeric_limits<double>::max();
        long double want = std::sqrt(re * re + im * im);
        if (!std::isnan(want) && std::max(re * re, im * im) > dmax) want = INFINITY; // squares overflow in double
        EXPECT_LE(vt::ulp_distance(got[k], want), sizeof(D) == 4 ? 0.5 + 1e-6 : 2.5) << p.re[k] << ", " << p.im[k];
    }
}

TEST(ComplexMagnitude, FloatingAgainstLongDouble) {
    for (double scale : {1e3, 1e30}) check_float_magnitude(veksMagnitude_32f, veksMagnitude_32fc, scale);
    for (double scale : {1e3, 1e160}) check_float_magnitude(veksMagnitude_64f, veksMagnitude_64fc, scale);
    check_float_magnitude(veksMagnitude_16s32f, veksMagnitude_16sc32f, 0);
}

// Magnitude and power at every scale factor around the thresholds. The
// 32-bit sum of squares rounds to double above 2^53, and the root may round
// across a half-integer once the result exceeds 2^25: there the magnitude
// may be 1 off the exact one.
TEST(ComplexMagnitude, IntegerAcrossScaleFactors) {
    vt::Rng rng(11);
    const auto p16 = ct::test_parts<Vek16s>(rng, 300);
    auto p32 = ct::test_parts<Vek32s>(rng, 0);
    for (int k = 0; k < 300; ++k) p32.re.push_back(rng.integer(-(1 << 24), 1 << 24)), p32.im.push_back(rng.integer(-(1 << 24), 1 << 24));
    std::vector<int> factors = {-2147483647 - 1, 2147483647};
    for (int sf = -70; sf <= 70; ++sf) factors.push_back(sf);
    for (int sf : factors) {
        const auto mag16 = ct::both_forms(p16, veksMagnitude_16s_Sfs, veksMagnitude_16sc_Sfs, sf);
        const auto pow16 = ct::both_forms(p16, veksPowerSpectr_16s_Sfs, veksPowerSpectr_16sc_Sfs, sf);
        for (int k = 0; k < p16.size(); ++k) {
            const std::uint64_t p = exact_power(p16.re[k], p16.im[k]);
            EXPECT_TRUE(mag16[k] == magnitude_reference(p, sf, max16) && pow16[k] == power_reference(p, sf, max16))
                << sf << " k " << k;
        }
        const auto mag32 = ct::both_forms(p32, nullptr, veksMagnitude_32sc_Sfs, sf);
        const auto pow32 = ct::both_forms(p32, nullptr, veksMagSquared_32sc32s_Sfs, sf);
        for (int k = 0; k < p32.size(); ++k) {
            const std::uint64_t p = exact_power(p32.re[k], p32.im[k]);
            const std::int64_t want = magnitude_reference(p, sf, max32);
            EXPECT_LE(std::llabs(mag32[k] - want), want > (1 << 25) || p >> 53 ? 1 : 0) << sf << " (" << p32.re[k] << ", " << p32.im[k] << ")";
            EXPECT_EQ(pow32[k], power_reference(p, sf, max32)) << sf << " k " << k;
        }
    }
}

// Floating power is the plain arithmetic in the data's precision; 16-bit
// data give the exact integer sum rounded once to single.
TEST(ComplexPower, FloatingIsPlainArithmetic) {
    vt::Rng rng(5);
    auto check = [&](auto split, auto cplx, auto tag) {
        using R = decltype(tag);
        using W = std::conditional_t<std::is_integral_v<R>, std::int64_t, R>;
        const auto p = ct::test_parts<R>(rng, 500);
        const auto got = ct::both_forms(p, split, cplx);
        for (int k = 0; k < p.size(); ++k) {
            const W xx = W(p.re[k]) * p.re[k], yy = W(p.im[k]) * p.im[k];
            EXPECT_TRUE(vt::same_bits(got[k], static_cast<std::decay_t<decltype(got[k])>>(xx + yy))) << k;
        }
    };
    check(veksPowerSpectr_32f, veksPowerSpectr_32fc, Vek32f{});
    check(veksPowerSpectr_64f, veksPowerSpectr_64fc, Vek64f{});
    check(veksPowerSpectr_16s32f, veksPowerSpectr_16sc32f, Vek16s{});
}

} // namespace
