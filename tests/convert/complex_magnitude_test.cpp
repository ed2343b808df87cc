// Magnitude, power spectrum, squared magnitude, phase, and the first and last together.
#include "convert_test_util.h"

namespace {

using u128 = unsigned __int128;

u128 isqrt(u128 x) {
    u128 r = static_cast<u128>(std::sqrt(static_cast<long double>(x)));
    while (r * r > x) --r;
    while ((r + 1) * (r + 1) <= x) ++r;
    return r;
}

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

std::int64_t rational_phase_reference(double re, double im) {
    const float x = static_cast<float>(re), y = static_cast<float>(im);
    if (x == 0 && y == 0) return 0;
    const double a = std::fabs(double(y)) + 1e-10, q = 0.7853981633974483, q3 = 2.356194490192345;
    const float r = static_cast<float>(x >= 0 ? q - q * (x - a) / (x + a) : q3 - q * (x + a) / (a - x));
    const float v = y < 0 ? -r : r;
    return static_cast<std::int64_t>(v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5));
}

// The platform's atan2 (rounded to single for 16-bit forms) times 2^-sf,
// half away from zero, saturated; sf 0 takes the coarse unscaled form.
template <class I>
std::int64_t phase_reference(double re, double im, int sf) {
    if (sf == 0) return rational_phase_reference(re, im);
    double ph = std::atan2(im, re);
    if (sizeof(I) == 2) ph = static_cast<float>(ph);
    const long double v = std::ldexp(static_cast<long double>(ph), static_cast<int>(std::clamp(-(long long)sf, -20000LL, 20000LL)));
    const long double r = v >= 0 ? std::trunc(v + 0.5L) : std::trunc(v - 0.5L);
    return static_cast<std::int64_t>(std::clamp<long double>(r, std::numeric_limits<I>::min(), std::numeric_limits<I>::max()));
}

template <class R, class D> using SplitFn = VekStatus (*)(const R*, const R*, D*, int);
template <class C, class D> using CplxFn = VekStatus (*)(const C*, D*, int);

// Magnitude: squares, sum and root round once each in double (relative error
// below 1.25 * 2^-53): singles within half an ulp and a negligible margin,
// doubles within 2.5 ulp (an ulp can be 2^-53 relative; squares of denormals
// flush). Phase: atan2 in double rounded once (half an ulp, or one), exact
// for zero results and infinite operands. Power: plain arithmetic in the
// data's precision, the exact integer sum rounded once for 16-bit data.
template <class R, class C, class D, class Cart, class CartC>
void check_floating(double scale, SplitFn<R, D> magnitude, CplxFn<C, D> magnitude_c, SplitFn<R, D> phase,
                    CplxFn<C, D> phase_c, SplitFn<R, D> power, CplxFn<C, D> power_c, Cart cart, CartC cart_c) {
    using W = std::conditional_t<std::is_integral_v<R>, std::int64_t, R>;
    vt::Rng rng(3);
    const auto p = ct::test_parts<R>(rng, 3000, scale);
    const auto mag = ct::both_forms(p, magnitude, magnitude_c);
    const auto ph = ct::both_forms(p, phase, phase_c);
    const auto pow = ct::both_forms(p, power, power_c);
    for (int k = 0; k < p.size(); ++k) {
        const long double re = p.re[k], im = p.im[k], dmax = std::numeric_limits<double>::max();
        long double want = std::sqrt(re * re + im * im);
        if (!std::isnan(want) && std::max(re * re, im * im) > dmax) want = INFINITY; // squares overflow in double
        EXPECT_LE(vt::ulp_distance(mag[k], want), sizeof(D) == 4 ? 0.5 + 1e-6 : 2.5) << p.re[k] << ", " << p.im[k];
        const long double angle = std::atan2(im, re);
        EXPECT_LE(vt::ulp_distance(ph[k], angle), sizeof(D) == 4 ? 0.5 + 1e-6 : 1.0) << p.re[k] << ", " << p.im[k];
        const bool exact = angle == 0 || std::isinf(re) || std::isinf(im);
        EXPECT_TRUE(!exact || vt::same_bits(ph[k], static_cast<D>(angle))) << p.re[k] << ", " << p.im[k];
        const W xx = W(p.re[k]) * p.re[k], yy = W(p.im[k]) * p.im[k];
        EXPECT_TRUE(vt::same_bits(pow[k], static_cast<D>(xx + yy))) << p.re[k] << ", " << p.im[k];
    }
    // CartToPolar is Magnitude and Phase bit for bit; both halves run whatever
    // the other's status, and the magnitude's status comes first.
    if constexpr (!std::is_null_pointer_v<Cart>) {
        const auto c = p.template interleaved<C>();
        const int n = p.size();
        vt::Guarded<D> m(p.count()), a(p.count()), cm(p.count()), ca(p.count()), none(p.count());
        EXPECT_EQ(cart(p.re.data(), p.im.data(), m.data(), a.data(), n), vekStsOk);
        EXPECT_EQ(cart_c(c.data(), cm.data(), nullptr, n), vekStsNullPtr);
        EXPECT_EQ(cart_c(c.data(), nullptr, ca.data(), n), vekStsNullPtr);
        EXPECT_TRUE(ct::holds(m, mag) && ct::holds(cm, mag) && ct::holds(a, ph) && ct::holds(ca, ph));
        EXPECT_EQ(cart(nullptr, p.im.data(), none.data(), none.data(), n), vekStsNullPtr);
        EXPECT_EQ(cart_c(c.data(), none.data(), nullptr, 0), vekStsBadLength);
        EXPECT_TRUE(none.intact());
    }
}

#define CHECK_FLOATING(s, c, scale, ...)                                                                  \
    check_floating(scale, veksMagnitude_##s, veksMagnitude_##c, veksPhase_##s, veksPhase_##c, veksPowerSpectr_##s, \
                   veksPowerSpectr_##c, __VA_ARGS__)

TEST(ComplexFloating, AgainstLongDouble) {
    for (double scale : {1e3, 1e30, 1e-30}) CHECK_FLOATING(32f, 32fc, scale, veksCartToPolar_32f, veksCartToPolar_32fc);
    for (double scale : {1e3, 1e160}) CHECK_FLOATING(64f, 64fc, scale, veksCartToPolar_64f, veksCartToPolar_64fc);
    CHECK_FLOATING(16s32f, 16sc32f, 0, nullptr, nullptr);
}

// Integer forms at every scale factor around the thresholds. The 32-bit sum of
// squares rounds to double above 2^53 and the root may then round across a
// half-integer above 2^25: there the magnitude may be 1 off.
TEST(ComplexInteger, AcrossScaleFactors) {
    vt::Rng rng(11);
    const auto p16 = ct::test_parts<Vek16s>(rng, 300);
    auto p32 = ct::test_parts<Vek32s>(rng, 300);
    for (int k = 0; k < 300; ++k) p32.re.push_back(rng.integer(-(1 << 24), 1 << 24)), p32.im.push_back(rng.integer(-(1 << 24), 1 << 24));
    std::vector<int> factors = {-2147483647 - 1, -2000, -1100, -200, -130, 130, 160, 200, 1100, 2147483647};
    for (int sf = -70; sf <= 70; ++sf) factors.push_back(sf);
    auto check = [](const auto& p, const auto& mag, const auto& pow, const auto& ph, std::int64_t top, int sf) {
        using I = typename std::decay_t<decltype(ph)>::value_type;
        for (int k = 0; k < p.size(); ++k) {
            const std::uint64_t e =
                std::uint64_t(std::int64_t(p.re[k]) * p.re[k]) + std::uint64_t(std::int64_t(p.im[k]) * p.im[k]);
            const std::int64_t want = magnitude_reference(e, sf, top);
            EXPECT_LE(std::llabs(mag[k] - want), want > (1 << 25) || e >> 53 ? 1 : 0) << sf << " k " << k;
            EXPECT_EQ(pow[k], power_reference(e, sf, top)) << sf << " k " << k;
            EXPECT_EQ(ph[k], phase_reference<I>(p.re[k], p.im[k], sf)) << sf << " k " << k;
        }
    };
    for (int sf : factors) {
        check(p16, ct::both_forms(p16, veksMagnitude_16s_Sfs, veksMagnitude_16sc_Sfs, sf),
              ct::both_forms(p16, veksPowerSpectr_16s_Sfs, veksPowerSpectr_16sc_Sfs, sf),
              ct::both_forms(p16, veksPhase_16s_Sfs, veksPhase_16sc_Sfs, sf), 32767, sf);
        check(p32, ct::both_forms(p32, nullptr, veksMagnitude_32sc_Sfs, sf),
              ct::both_forms(p32, nullptr, veksMagSquared_32sc32s_Sfs, sf),
              ct::both_forms(p32, nullptr, veksPhase_32sc_Sfs, sf), 2147483647, sf);
    }
}

} // namespace
