// Integer division against a reference that forms the quotient in the stated precision and
// rounds it by its own means; zero divisors, zero constants and rounding modes.
#include "arith_test_util.h"

namespace {

using namespace at;

template <class F> F two_to_minus(int sf) { return std::ldexp(F(1), -std::clamp(sf, -2000, 2000)); }

template <class D, class Y> D zero_divisor_value(Y y) {
    if constexpr (ncomp<D> == 2) return D{0, 0};
    else return y > 0 ? std::numeric_limits<D>::max() : (y < 0 ? std::numeric_limits<D>::min() : D(0));
}
template <class D, class X, class Y> D sign_saturated(X x, Y y) {
    return y == 0 ? D(0) : ((y > 0) == (x > 0) ? std::numeric_limits<D>::max() : std::numeric_limits<D>::min());
}
template <class D> D saturate_double(double r) {
    using L = std::numeric_limits<D>;
    return r >= double(L::max()) ? L::max() : (r <= double(L::min()) ? L::min() : static_cast<D>(r));
}

// (q - min) + 0.5 in F, floored, one down when odd and exact; saturated.
template <class D, class F> D round_sat(F q) {
    using L = std::numeric_limits<D>;
    if (std::isnan(q)) return 0;
    if (q > F(L::max())) return L::max();
    if (q < F(L::min())) return L::min();
    const F t = (q - F(L::min())) + F(0.5);
    F r = std::floor(t);
    if (r == t && std::fmod(r, F(2)) == 1) r -= 1;
    return static_cast<D>(static_cast<int>(r) + L::min());
}
// floor(y * 2^16 / (x * 2^sf)), then (q16 + 32767 + 2 * bit16) >> 16, saturated.
Vek16u round_fraction16(i128 y, i128 x, int sf) {
    if (y == 0) return 0;
    if (sf > 60) return 0;
    if (sf < -60) return 65535;
    const i128 q16 = ((y << 16) << (sf < 0 ? -sf : 0)) / (x << (sf > 0 ? sf : 0));
    const i128 r = (q16 + 32767 + 2 * ((q16 >> 16) & 1)) >> 16;
    return static_cast<Vek16u>(r > 65535 ? 65535 : r);
}

// Quotient rules: x the divisor, y the dividend.
template <class T> T q_float(T x, T y, int sf) { return round_sat<T>((float(y) * two_to_minus<float>(sf)) / float(x)); }
template <class D, class X, class Y> D q32s(X x, Y y, int sf) {
    if (sf > 32) return D(0);
    if (sf < -62) return sign_saturated<D>(x, y);
    return saturate_double<D>(std::nearbyint(std::ldexp(double(y), -sf) / double(x)));
}
Vek16sc q16sc(Vek16sc x, Vek16sc y, int sf) {
    const double s = two_to_minus<double>(sf) / (double(x.re) * x.re + double(x.im) * x.im);
    return {round_sat<Vek16s>((double(x.re) * y.re + double(x.im) * y.im) * s), round_sat<Vek16s>((double(x.re) * y.im - double(x.im) * y.re) * s)};
}
// Constant forms: the factor formed once; v is the constant.
Vek16s c16s(Vek16s y, Vek16s v, int sf, bool&) { return round_sat<Vek16s>(float(y) * (two_to_minus<float>(sf) / float(v))); }
Vek8u c8u(Vek8u y, Vek8u v, int sf, bool&) { return round_sat<Vek8u>(float(y) * (two_to_minus<float>(sf) * (1.0f / float(v)))); }
Vek16u c16u(Vek16u y, Vek16u v, int sf, bool&) { return round_fraction16(y, v, sf); }
Vek16sc c16sc(Vek16sc y, Vek16sc c, int sf, bool&) {
    const double s = two_to_minus<double>(sf) / (double(c.re) * c.re + double(c.im) * c.im);
    const double fr = c.re * s, fi = -c.im * s;
    return {round_sat<Vek16s>(y.re * fr - y.im * fi), round_sat<Vek16s>(y.re * fi + y.im * fr)};
}

// The zero-divisor rule around a quotient rule.
template <class Q> auto divide(Q quot) {
    return [quot](auto x, auto y, int sf, bool& warn) {
        using D = decltype(quot(x, y, sf));
        if (!is_zero_value(x)) return quot(x, y, sf);
        warn = true;
        return zero_divisor_value<D>(y);
    };
}

} // namespace

// Div_Round: truncation, ties to even, ties away; a bad mode is reported after the pointers and length.
template <class T>
void check_div_round(const char* name, VekStatus (*fn)(const T*, const T*, T*, int, int, int), VekStatus (*fn_i)(const T*, T*, int, int, int)) {
    for (int mode = 0; mode < 3; ++mode) {
        const Opts o = {scale_factors(), false, false};
        check_vv<T, T, T>(name, [fn, mode](const T* a, const T* b, T* d, int n, int sf) { return fn(a, b, d, n, mode, sf); },
           [fn_i, mode](const T* a, T* d, int n, int sf) { return fn_i(a, d, n, mode, sf); },
           divide([mode](T x, T y, int sf) {
               if (sf > 15) return T(0);
               if (sf < -30) return sign_saturated<T>(x, y);
               const double q = (double(float(y)) * std::ldexp(1.0, -sf)) / double(float(x));
               return saturate_double<T>(mode == 0 ? std::trunc(q) : mode == 1 ? std::nearbyint(q) : std::round(q));
           }), o);
    }
    for (int bad : {3, -1, 100}) sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, bad, 0, vekStsBadRoundMode}, fn, fn_i);
}

TEST(ArithDiv, EveryQuotientRuleAndRoundMode) {
    vv("Div_16s_Sfs", veksDiv_16s_Sfs, veksDiv_16s_ISfs, divide(q_float<Vek16s>));
    vv("Div_8u_Sfs", veksDiv_8u_Sfs, veksDiv_8u_ISfs, divide(q_float<Vek8u>));
    vv("Div_16u_Sfs", veksDiv_16u_Sfs, veksDiv_16u_ISfs, divide([](Vek16u x, Vek16u y, int sf) { return round_fraction16(y, x, sf); }));
    vv("Div_32s_Sfs", veksDiv_32s_Sfs, veksDiv_32s_ISfs, divide(q32s<Vek32s, Vek32s, Vek32s>));
    vv("Div_32s16s_Sfs", veksDiv_32s16s_Sfs, nullptr, divide(q32s<Vek16s, Vek16s, Vek32s>));
    vv("Div_16sc_Sfs", veksDiv_16sc_Sfs, veksDiv_16sc_ISfs, divide(q16sc));
    vc("DivC_16s_Sfs", veksDivC_16s_Sfs, veksDivC_16s_ISfs, c16s, kNoZeroConstant);
    vc("DivC_8u_Sfs", veksDivC_8u_Sfs, veksDivC_8u_ISfs, c8u, kNoZeroConstant);
    vc("DivC_16u_Sfs", veksDivC_16u_Sfs, veksDivC_16u_ISfs, c16u, kNoZeroConstant);
    vc("DivC_16sc_Sfs", veksDivC_16sc_Sfs, veksDivC_16sc_ISfs, c16sc, kNoZeroConstant);
    // val 0 writes zeros (warning when an element is 0); a zero element gives 65535.
    vc("DivCRev_16u", veksDivCRev_16u, veksDivCRev_16u_I, [](Vek16u x, Vek16u v, int, bool& warn) {
        warn = warn || x == 0;
        return Vek16u(v == 0 ? 0 : (x == 0 ? 65535 : round_fraction16(v, x, 0)));
    });
    check_div_round("Div_Round_8u", veksDiv_Round_8u_Sfs, veksDiv_Round_8u_ISfs);
    check_div_round("Div_Round_16u", veksDiv_Round_16u_Sfs, veksDiv_Round_16u_ISfs);
    check_div_round("Div_Round_16s", veksDiv_Round_16s_Sfs, veksDiv_Round_16s_ISfs);
}
