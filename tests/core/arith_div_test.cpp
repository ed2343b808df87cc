// Integer division: every member against a reference that forms the
// quotient in the stated precision and rounds it independently; zero
// divisors, zero constants and rounding modes.
#include <cmath>

#include "arith_test_util.h"

namespace {

using namespace at;

template <class F> F two_to_minus(int sf) {
    if (sf > 2000) return F(0);
    if (sf < -2000) return std::numeric_limits<F>::infinity();
    return std::ldexp(F(1), -sf);
}

template <class D, class Y> D zero_divisor_value(Y y) {
    if constexpr (ncomp<D> == 2) return D{0, 0};
    else return y > 0 ? std::numeric_limits<D>::max() : (y < 0 ? std::numeric_limits<D>::min() : D(0));
}

// q + 32768 + 0.5 in F, truncated, one down when odd and exact; saturated.
template <class F> Vek16s round16(F q) {
    if (std::isnan(q)) return 0;
    if (q > F(32767)) return 32767;
    if (q < F(-32768)) return -32768;
    const F t = (q + F(32768)) + F(0.5);
    F r = std::floor(t);
    if (r == t && std::fmod(r, F(2)) == 1) r -= 1;
    return static_cast<Vek16s>(static_cast<int>(r) - 32768);
}
Vek8u round8(float q) {
    if (std::isnan(q)) return 0;
    if (q >= 255.0f) return 255;
    const float t = q + 0.5f;
    float r = std::floor(t);
    if (r == t && std::fmod(r, 2.0f) == 1) r -= 1;
    return static_cast<Vek8u>(r > 255 ? 255 : r);
}
// floor(y * 2^16 / (x * 2^sf)), then the fraction rounding of the 16u members.
Vek16u round_fraction16(i128 y, i128 x, int sf) {
    if (y == 0) return 0;
    if (sf > 60) return 0;
    if (sf < -60) return 65535;
    const i128 num = (y << 16) << (sf < 0 ? -sf : 0), den = x << (sf > 0 ? sf : 0);
    const i128 q16 = num / den;
    const i128 r = (q16 + 32767 + 2 * ((q16 >> 16) & 1)) >> 16;
    return static_cast<Vek16u>(r > 65535 ? 65535 : r);
}
template <class D> D saturate_double(double r) {
    using L = std::numeric_limits<D>;
    return r >= double(L::max()) ? L::max() : (r <= double(L::min()) ? L::min() : static_cast<D>(r));
}
template <class D, class X, class Y> D sign_saturated(X x, Y y) {
    return y == 0 ? D(0) : ((y > 0) == (x > 0) ? std::numeric_limits<D>::max() : std::numeric_limits<D>::min());
}

// Quotient rules, x the divisor and y the dividend (not zero here).
Vek16s q16s(Vek16s x, Vek16s y, int sf) { return round16<float>((float(y) * two_to_minus<float>(sf)) / float(x)); }
Vek8u q8u(Vek8u x, Vek8u y, int sf) { return round8((float(y) * two_to_minus<float>(sf)) / float(x)); }
Vek16u q16u(Vek16u x, Vek16u y, int sf) { return round_fraction16(y, x, sf); }
template <class D, class X, class Y> D q32s(X x, Y y, int sf) {
    if (sf > 32) return D(0);
    if (sf < -62) return sign_saturated<D>(x, y);
    return saturate_double<D>(std::nearbyint(std::ldexp(double(y), -sf) / double(x)));
}
Vek16sc q16sc(Vek16sc x, Vek16sc y, int sf) {
    const double s = two_to_minus<double>(sf) / (double(x.re) * x.re + double(x.im) * x.im);
    return {round16<double>((double(x.re) * y.re + double(x.im) * y.im) * s), round16<double>((double(x.re) * y.im - double(x.im) * y.re) * s)};
}
// Constant forms: the reciprocal factor formed once.
Vek16s c16s(Vek16s v, Vek16s y, int sf) { return round16<float>(float(y) * (two_to_minus<float>(sf) / float(v))); }
Vek8u c8u(Vek8u v, Vek8u y, int sf) { return round8(float(y) * (two_to_minus<float>(sf) * (1.0f / float(v)))); }
Vek16sc c16sc(Vek16sc c, Vek16sc y, int sf) {
    const double s = two_to_minus<double>(sf) / (double(c.re) * c.re + double(c.im) * c.im);
    const double fr = c.re * s, fi = -c.im * s;
    return {round16<double>(y.re * fr - y.im * fi), round16<double>(y.re * fi + y.im * fr)};
}

template <class T> bool is_zero_value(const T& v) {
    for (int k = 0; k < ncomp<T>; ++k)
        if (part(v, k) != 0) return false;
    return true;
}

template <class D, class A, class B>
void check_div(const std::string& name, VekStatus (*fn)(const A*, const B*, D*, int, int),
               nondeduced<VekStatus (*)(const A*, D*, int, int)> fn_i, nondeduced<D (*)(A, B, int)> quot) {
    SCOPED_TRACE(name);
    vt::Rng rng(std::hash<std::string>{}(name));
    std::vector<A> x;
    std::vector<B> y;
    if constexpr (sizeof(A) == 1) {
        for (int i = 0; i < 256; ++i)
            for (int j = 0; j < 256; ++j) x.push_back(A(i)), y.push_back(B(j));
    } else {
        x = random_vec<A>(rng, 3000);
        y = random_vec<B>(rng, 3000);
    }
    const int n = static_cast<int>(x.size());
    bool any_zero = false;
    for (const A& v : x) any_zero |= is_zero_value(v);
    ASSERT_TRUE(any_zero);
    vt::Guarded<D> d(n);
    for (int sf : scale_factors()) {
        d.reset();
        ASSERT_EQ(fn(x.data(), y.data(), d.data(), n, sf), vekStsDivByZero) << "sf " << sf;
        ASSERT_TRUE(d.guard_intact());
        for (int i = 0; i < n; ++i) {
            const D want = is_zero_value(x[i]) ? zero_divisor_value<D>(y[i]) : quot(x[i], y[i], sf);
            ASSERT_TRUE(vt::same_bits(d[i], want)) << "sf " << sf << " element " << i;
        }
        if constexpr (std::is_same_v<B, D>) {
            if (fn_i) {
                std::vector<D> sd = y;
                ASSERT_EQ(fn_i(x.data(), sd.data(), n, sf), vekStsDivByZero);
                ASSERT_TRUE(same_elems(sd.data(), d.data(), n)) << "in place, sf " << sf;
            }
        }
    }
    // Without zero divisors there is no warning.
    std::vector<A> nz(x.begin(), x.begin() + 50);
    for (auto& v : nz) set_part(v, 0, comp_t<A>(3));
    EXPECT_EQ(fn(nz.data(), y.data(), d.data(), 50, 0), vekStsOk);
    vt::Guarded<D> g(8);
    vt::expect_ptrs_then_len(3, [&](int nul, int len) {
        return fn(vt::ptr_or_null(x.data(), 0, nul), vt::ptr_or_null(y.data(), 1, nul), vt::ptr_or_null(g.data(), 2, nul), len, 0);
    }, [&] { return g.intact(); });
    if constexpr (std::is_same_v<B, D>) {
        if (fn_i)
            vt::expect_ptrs_then_len(2, [&](int nul, int len) { return fn_i(vt::ptr_or_null(x.data(), 0, nul), vt::ptr_or_null(g.data(), 1, nul), len, 0); },
                                     [&] { return g.intact(); });
    }
}

template <class T>
void check_divc(const std::string& name, VekStatus (*fn)(const T*, T, T*, int, int), VekStatus (*fn_i)(T, T*, int, int),
                nondeduced<T (*)(T, T, int)> quot) {
    SCOPED_TRACE(name);
    vt::Rng rng(std::hash<std::string>{}(name));
    const int n = sizeof(T) == 1 ? 256 : 2000;
    std::vector<T> a = random_vec<T>(rng, n);
    if constexpr (sizeof(T) == 1)
        for (int i = 0; i < 256; ++i) a[i] = T(i);
    vt::Guarded<T> d(n);
    for (int c = 0; c < 8; ++c) {
        T val = random_elem<T>(rng);
        if (c == 0) set_part(val, 0, comp_t<T>(1)), set_part(val, ncomp<T> - 1, comp_t<T>(ncomp<T> == 2 ? 0 : 1));
        if (is_zero_value(val)) continue;
        for (int sf : scale_factors()) {
            d.reset();
            ASSERT_EQ(fn(a.data(), val, d.data(), n, sf), vekStsOk);
            for (int i = 0; i < n; ++i) ASSERT_TRUE(vt::same_bits(d[i], quot(val, a[i], sf))) << "sf " << sf << " element " << i;
            ASSERT_TRUE(d.guard_intact());
            std::vector<T> sd = a;
            ASSERT_EQ(fn_i(val, sd.data(), n, sf), vekStsOk);
            ASSERT_TRUE(same_elems(sd.data(), d.data(), n));
        }
    }
    // A zero constant: pointers and length first, then the error; nothing written.
    vt::Guarded<T> g(8);
    std::vector<T> sd = a;
    EXPECT_EQ(fn(nullptr, T{}, g.data(), 4, 0), vekStsNullPtr);
    EXPECT_EQ(fn(a.data(), T{}, g.data(), 0, 0), vekStsBadLength);
    EXPECT_EQ(fn(a.data(), T{}, g.data(), 4, 0), vekStsDivByZeroError);
    EXPECT_EQ(fn_i(T{}, sd.data(), 4, 0), vekStsDivByZeroError);
    EXPECT_EQ(fn_i(T{}, nullptr, 4, 0), vekStsNullPtr);
    EXPECT_TRUE(g.intact());
    EXPECT_TRUE(same_elems(sd.data(), a.data(), n));
    vt::expect_ptrs_then_len(2, [&](int nul, int len) {
        return fn(vt::ptr_or_null(a.data(), 0, nul), a[1], vt::ptr_or_null(g.data(), 1, nul), len, 0);
    }, [&] { return g.intact(); });
}

} // namespace

TEST(ArithDiv, VectorQuotients) {
    check_div("Div_16s_Sfs", veksDiv_16s_Sfs, veksDiv_16s_ISfs, q16s);
    check_div("Div_8u_Sfs", veksDiv_8u_Sfs, veksDiv_8u_ISfs, q8u);
    check_div("Div_16u_Sfs", veksDiv_16u_Sfs, veksDiv_16u_ISfs, q16u);
    check_div("Div_32s_Sfs", veksDiv_32s_Sfs, veksDiv_32s_ISfs, q32s<Vek32s, Vek32s, Vek32s>);
    check_div("Div_32s16s_Sfs", veksDiv_32s16s_Sfs, nullptr, q32s<Vek16s, Vek16s, Vek32s>);
    check_div("Div_16sc_Sfs", veksDiv_16sc_Sfs, veksDiv_16sc_ISfs, q16sc);
}

TEST(ArithDiv, ConstantQuotients) {
    check_divc("DivC_16s_Sfs", veksDivC_16s_Sfs, veksDivC_16s_ISfs, c16s);
    check_divc("DivC_8u_Sfs", veksDivC_8u_Sfs, veksDivC_8u_ISfs, c8u);
    check_divc("DivC_16u_Sfs", veksDivC_16u_Sfs, veksDivC_16u_ISfs, [](Vek16u v, Vek16u y, int sf) { return q16u(v, y, sf); });
    check_divc("DivC_16sc_Sfs", veksDivC_16sc_Sfs, veksDivC_16sc_ISfs, c16sc);
}

TEST(ArithDiv, FixedCases) {
    const Vek16s x[] = {2, 2, 2, 0, 0, 0};
    const Vek16s y[] = {3, 5, -3, 5, -5, 0};
    Vek16s d[6];
    ASSERT_EQ(veksDiv_16s_Sfs(x, y, d, 6, 0), vekStsDivByZero);
    const Vek16s want[] = {2, 2, -2, 32767, -32768, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(d[i], want[i]) << i;
    // 1/2 and 3/2 tie to even.
    Vek16u two = 2, r;
    ASSERT_EQ(veksDivCRev_16u(&two, 1, &r, 1), vekStsOk);
    EXPECT_EQ(r, 0);
    ASSERT_EQ(veksDivCRev_16u(&two, 3, &r, 1), vekStsOk);
    EXPECT_EQ(r, 2);
    // Copy shortcut of DivC_16u: val 1, scale factor 0.
    const Vek16u src[] = {0, 1, 65535};
    Vek16u dst[3];
    ASSERT_EQ(veksDivC_16u_Sfs(src, 1, dst, 3, 0), vekStsOk);
    EXPECT_TRUE(same_elems(src, dst, 3));
}

TEST(ArithDiv, DivCRev16u) {
    vt::Rng rng(11);
    const auto a = random_vec<Vek16u>(rng, 3000);
    for (Vek16u val : {Vek16u(0), Vek16u(1), Vek16u(3), Vek16u(1000), Vek16u(65535)}) {
        vt::Guarded<Vek16u> d(3000);
        ASSERT_EQ(veksDivCRev_16u(a.data(), val, d.data(), 3000), vekStsDivByZero);
        for (int i = 0; i < 3000; ++i) {
            const Vek16u want = val == 0 ? 0 : (a[i] == 0 ? 65535 : round_fraction16(val, a[i], 0));
            ASSERT_EQ(d[i], want) << i;
        }
        std::vector<Vek16u> sd = a;
        ASSERT_EQ(veksDivCRev_16u_I(val, sd.data(), 3000), vekStsDivByZero);
        EXPECT_TRUE(same_elems(sd.data(), d.data(), 3000));
        const Vek16u nonzero[] = {1, 2, 7};
        EXPECT_EQ(veksDivCRev_16u(nonzero, val, d.data(), 3), vekStsOk);
    }
    vt::Guarded<Vek16u> g(8);
    vt::expect_ptrs_then_len(2, [&](int nul, int len) { return veksDivCRev_16u(vt::ptr_or_null(a.data(), 0, nul), 3, vt::ptr_or_null(g.data(), 1, nul), len); },
                             [&] { return g.intact(); });
    vt::expect_ptrs_then_len(1, [&](int nul, int len) { return veksDivCRev_16u_I(3, vt::ptr_or_null(g.data(), 0, nul), len); }, [&] { return g.intact(); });
}

// Div_Round: truncation, ties to even, ties away; thresholds; the mode is
// checked after pointers and length.
template <class T>
void check_div_round(const char* name, VekStatus (*fn)(const T*, const T*, T*, int, int, int), VekStatus (*fn_i)(const T*, T*, int, int, int)) {
    SCOPED_TRACE(name);
    vt::Rng rng(13);
    std::vector<T> x = random_vec<T>(rng, 3000), y = random_vec<T>(rng, 3000);
    for (int i = 0; i < 200; ++i) x[i] = T(rng.integer<int>(1, 9)), y[i] = T(rng.integer<int>(-40, 40)); // many ties
    x[0] = 0;
    vt::Guarded<T> d(3000);
    for (int mode = 0; mode < 3; ++mode)
        for (int sf : scale_factors()) {
            d.reset();
            ASSERT_EQ(fn(x.data(), y.data(), d.data(), 3000, mode, sf), vekStsDivByZero);
            for (int i = 0; i < 3000; ++i) {
                T want;
                if (x[i] == 0) want = zero_divisor_value<T>(y[i]);
                else if (sf > 15) want = 0;
                else if (sf < -30) want = sign_saturated<T>(x[i], y[i]);
                else {
                    const double q = (double(float(y[i])) * std::ldexp(1.0, -sf)) / double(float(x[i]));
                    want = saturate_double<T>(mode == 0 ? std::trunc(q) : mode == 1 ? std::nearbyint(q) : std::round(q));
                }
                ASSERT_EQ(d[i], want) << "mode " << mode << " sf " << sf << " element " << i;
            }
            std::vector<T> sd = y;
            ASSERT_EQ(fn_i(x.data(), sd.data(), 3000, mode, sf), vekStsDivByZero);
            ASSERT_TRUE(same_elems(sd.data(), d.data(), 3000));
        }
    vt::Guarded<T> g(8);
    for (int bad : {3, -1, 100}) {
        vt::expect_ptrs_then_len(3, [&](int nul, int len) {
            return fn(vt::ptr_or_null(x.data(), 0, nul), vt::ptr_or_null(y.data(), 1, nul), vt::ptr_or_null(g.data(), 2, nul), len, bad, 0);
        }, [&] { return g.intact(); });
        EXPECT_EQ(fn(x.data(), y.data(), g.data(), 4, bad, 0), vekStsBadRoundMode);
        EXPECT_EQ(fn_i(x.data(), g.data(), 4, bad, 0), vekStsBadRoundMode);
        EXPECT_EQ(fn_i(x.data(), nullptr, 4, bad, 0), vekStsNullPtr);
        EXPECT_EQ(fn_i(x.data(), g.data(), 0, bad, 0), vekStsBadLength);
        EXPECT_TRUE(g.intact());
    }
}

TEST(ArithDiv, DivRoundModes) {
    check_div_round("Div_Round_8u", veksDiv_Round_8u_Sfs, veksDiv_Round_8u_ISfs);
    check_div_round("Div_Round_16u", veksDiv_Round_16u_Sfs, veksDiv_Round_16u_ISfs);
    check_div_round("Div_Round_16s", veksDiv_Round_16s_Sfs, veksDiv_Round_16s_ISfs);
    const Vek16s two = 2, five = 5;
    Vek16s r;
    const Vek16s want[] = {2, 2, 3};
    for (int mode = 0; mode < 3; ++mode) {
        ASSERT_EQ(veksDiv_Round_16s_Sfs(&two, &five, &r, 1, mode, 0), vekStsOk);
        EXPECT_EQ(r, want[mode]);
    }
}
