// Floating-point power members against long double references. Single-precision results come
// from a double-precision value rounded to single, so they may sit up to 2^-29 ulp beyond half
// an ulp; double-precision results of the C library's functions stay within one ulp.
#include "core_test_util.h"

namespace {

constexpr double kFloatUlp = 0.5 + 1.0 / (1 << 20);

// Random finite values of every exponent (both signs unless positive_only), and the awkward ones.
template <class F> std::vector<F> all_exponents(int count, bool positive_only) {
    using U = std::conditional_t<sizeof(F) == 4, std::uint32_t, std::uint64_t>;
    std::vector<F> v = {F(1), F(2), F(0.5), std::numeric_limits<F>::min(), std::numeric_limits<F>::denorm_min(),
                        std::numeric_limits<F>::max(), F(1) + std::numeric_limits<F>::epsilon(), F(1) - std::numeric_limits<F>::epsilon() / 2};
    vt::Rng rng(21);
    while (int(v.size()) < count) {
        F x;
        const U bits = rng.any<U>();
        std::memcpy(&x, &bits, sizeof x);
        if (!std::isfinite(x)) continue;
        v.push_back(positive_only ? std::fabs(x) : x);
    }
    return v;
}

template <class S, class D>
void check_accuracy(const char* name, VekStatus (*fn)(const S*, D*, int), const std::vector<S>& src,
                    long double (*ref)(long double), double bound) {
    std::vector<D> dst(src.size());
    ASSERT_EQ(fn(src.data(), dst.data(), int(src.size())), vekStsOk) << name;
    for (std::size_t i = 0; i < src.size(); ++i) {
        const long double want = ref(src[i]);
        ASSERT_LE(vt::ulp_distance<D>(dst[i], want), bound) << name << "(" << src[i] << ") = " << dst[i];
        if (sizeof(D) == 4) { // single precision: the double-rounded value itself
            ASSERT_EQ(dst[i], static_cast<D>(static_cast<double>(want))) << name << "(" << src[i] << ")";
        }
    }
}

TEST(PowerFloat, AccuracyOverAllExponentsInAndOutOfPlace) {
    const auto f_pos = all_exponents<float>(100000, true), f_all = all_exponents<float>(100000, false);
    const auto d_pos = all_exponents<double>(100000, true), d_all = all_exponents<double>(100000, false);
    std::vector<float> f_exp;
    std::vector<double> d_exp;
    vt::Rng rng(4);
    for (int i = 0; i < 100000; ++i) {
        f_exp.push_back(float(rng.real(-104, 88.72)));
        d_exp.push_back(rng.real(-745, 709.7));
    }
    check_accuracy("Sqr_32f", veksSqr_32f, f_all, [](long double x) { return x * x; }, 0.5);
    check_accuracy("Sqrt_32f", veksSqrt_32f, f_pos, sqrtl, 0.5);
    check_accuracy("Sqrt_64f", veksSqrt_64f, d_pos, sqrtl, 0.5);
    check_accuracy("Cubrt_32f", veksCubrt_32f, f_all, cbrtl, kFloatUlp);
    check_accuracy("Exp_32f", veksExp_32f, f_exp, expl, kFloatUlp);
    check_accuracy("Exp_64f", veksExp_64f, d_exp, expl, 1.0);
    check_accuracy("Exp_32f64f", veksExp_32f64f, f_exp, expl, 1.0);
    check_accuracy("Ln_32f", veksLn_32f, f_pos, logl, kFloatUlp);
    check_accuracy("Ln_64f", veksLn_64f, d_pos, logl, 1.0);
    check_accuracy("Ln_64f32f", veksLn_64f32f, d_pos, logl, kFloatUlp);
    check_accuracy("Arctan_32f", veksArctan_32f, f_all, atanl, kFloatUlp);
    check_accuracy("Arctan_64f", veksArctan_64f, d_all, atanl, 1.0);
    // Two whose logarithm lies next to a single-precision rounding boundary,
    // then a dense sweep of values around 1, where ln cancels.
    std::vector<float> near1 = {0x1.827a74p-7f, 0x1.d1309cp+62f};
    for (float x = 0.75f; x < 1.5f; x = std::nextafter(std::nextafter(std::nextafter(x, 2.0f), 2.0f), 2.0f)) near1.push_back(x);
    check_accuracy("Ln_32f near 1", veksLn_32f, near1, logl, kFloatUlp);
    check_accuracy("Arctan_32f near 1", veksArctan_32f, near1, atanl, kFloatUlp);
    // In place equals out of place, specials included.
    std::vector<float> f(f_all.begin(), f_all.begin() + 3000);
    std::vector<double> d(d_all.begin(), d_all.begin() + 3000);
    f.insert(f.end(), {0.0f, -0.0f, std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(), std::nanf("")});
    d.insert(d.end(), {0.0, -0.0, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), std::nan("")});
    std::vector<Vek32fc> fc(f.size() / 2);
    std::vector<Vek64fc> dc(d.size() / 2);
    std::memcpy(fc.data(), f.data(), fc.size() * sizeof(Vek32fc));
    std::memcpy(dc.data(), d.data(), dc.size() * sizeof(Vek64fc));
#define PAIR(fn, src) ct::expect_inplace_matches(fn, fn##_I, src); sp::expect_checks_all({}, fn, fn##_I);
    PAIR(veksSqr_32f, f) PAIR(veksSqr_64f, d) PAIR(veksSqrt_32f, f) PAIR(veksSqrt_64f, d) PAIR(veksExp_32f, f)
    PAIR(veksExp_64f, d) PAIR(veksLn_32f, f) PAIR(veksLn_64f, d) PAIR(veksArctan_32f, f) PAIR(veksArctan_64f, d)
    PAIR(veksSqr_32fc, fc) PAIR(veksSqr_64fc, dc) PAIR(veksSqrt_32fc, fc) PAIR(veksSqrt_64fc, dc)
#undef PAIR
    sp::expect_checks_all({}, veksCubrt_32f, veksExp_32f64f, veksLn_64f32f);
}

// Special values one element at a time, with the status each gives. A want
// of kAnyNan accepts any NaN; other NaNs must be the library's constant.
const float kAnyNan = std::nanf("1");
template <class F> struct Special { VekStatus (*fn)(const F*, F*, int); F x, want; VekStatus status; };
template <class F> void check_specials(std::initializer_list<Special<F>> rows) {
    for (const auto& r : rows) {
        vt::Guarded<F> d(1);
        ASSERT_EQ(r.fn(&r.x, d.data(), 1), r.status) << r.x;
        if (vt::same_bits(float(r.want), kAnyNan)) EXPECT_TRUE(std::isnan(d[0])) << r.x;
        else EXPECT_TRUE(vt::same_bits(d[0], r.want)) << r.x << " gave " << d[0];
        EXPECT_TRUE(d.guard_intact());
    }
}

TEST(PowerFloat, SpecialValuesInBlocksAndAlone) {
    // Specials among ordinary values at lengths that leave every kind of tail.
    vt::Rng rng(31);
    for (int len : {63, 64, 65, 130, 200}) {
        std::vector<float> x(len);
        for (auto& v : x) v = float(rng.real(1e-3, 1e3));
        x[len - 20] = 0.0f;
        x[len - 10] = -2.0f;
        x[len - 5] = std::numeric_limits<float>::denorm_min();
        vt::Guarded<Vek32f> out(len);
        ASSERT_EQ(veksLn_32f(x.data(), out.data(), len), vekStsLogZeroArg);
        for (int i = 0; i < len; ++i) {
            const float ln = x[i] > 0 ? float(double(std::log((long double)x[i]))) : (x[i] == 0 ? -std::numeric_limits<float>::infinity() : vekConstantOfNAN_32f);
            ASSERT_TRUE(vt::same_bits(out[i], ln)) << len << " " << i;
        }
        EXPECT_TRUE(out.guard_intact());
    }
    const float inf = std::numeric_limits<float>::infinity(), nan = vekConstantOfNAN_32f, tiny = std::numeric_limits<float>::denorm_min();
    const float half_pi = float(std::atan(1.0) * 2), x_max = 88.7228f;
    const VekStatus ok = vekStsOk, neg = vekStsSqrtNegativeArg, lzero = vekStsLogZeroArg, lneg = vekStsLogNegativeArg;
    check_specials<float>({{veksSqrt_32f, 4, 2, ok}, {veksSqrt_32f, -1, nan, neg}, {veksSqrt_32f, std::nanf(""), nan, neg},
                           {veksSqrt_32f, -0.0f, -0.0f, ok}, {veksSqrt_32f, inf, inf, ok}, {veksSqrt_32f, -inf, nan, neg},
                           {veksSqrt_32f, -tiny, nan, neg}, {veksLn_32f, 0, -inf, lzero}, {veksLn_32f, -0.0f, nan, lneg},
                           {veksLn_32f, -1, nan, lneg}, {veksLn_32f, inf, inf, ok}, {veksLn_32f, std::nanf(""), kAnyNan, ok},
                           {veksExp_32f, x_max, float(std::exp(double(x_max))), ok}, {veksExp_32f, 88.7229f, inf, ok}, {veksExp_32f, 100, inf, ok},
                           {veksExp_32f, inf, inf, ok}, {veksExp_32f, -inf, 0, ok}, {veksExp_32f, -200, 0, ok},
                           {veksExp_32f, std::nanf(""), kAnyNan, ok}, {veksArctan_32f, inf, half_pi, ok},
                           {veksArctan_32f, -inf, -half_pi, ok}, {veksArctan_32f, std::nanf(""), kAnyNan, ok},
                           {veksArctan_32f, -0.0f, -0.0f, ok}, {veksArctan_32f, -tiny, -tiny, ok}});
    const double dinf = std::numeric_limits<double>::infinity(), dnan = vekConstantOfNAN_64f;
    check_specials<double>({{veksSqrt_64f, 2.25, 1.5, ok}, {veksSqrt_64f, 0.0, 0.0, ok}, {veksSqrt_64f, -1e-300, dnan, neg}, {veksLn_64f, 0, -dinf, lzero},
                            {veksLn_64f, -0.0, dnan, lneg}, {veksArctan_64f, dinf, std::atan(1.0) * 2, ok},
                            {veksArctan_64f, -dinf, -std::atan(1.0) * 2, ok}, {veksArctan_64f, -0.0, -0.0, ok}});
    // Several specials: the first one decides.
    const float qnan = std::nanf("");
    struct Case { std::vector<float> x; VekStatus want; };
    for (const Case& c : {Case{{1, 0, -1}, lzero}, Case{{1, -1, 0}, lneg}, Case{{2, qnan}, ok},
                          Case{{-qnan, 0}, lneg}, Case{{-0.0f}, lneg}, Case{{0, -qnan}, lzero}}) {
        const int n = int(c.x.size());
        std::vector<double> xd(c.x.begin(), c.x.end());
        std::vector<float> d(n), df(n);
        EXPECT_EQ(veksLn_32f(c.x.data(), d.data(), n), c.want);
        EXPECT_EQ(veksLn_64f32f(xd.data(), df.data(), n), c.want);
        for (int i = 0; i < n; ++i) // a negative sign gives the library's NaN in both forms
            EXPECT_TRUE(!std::signbit(c.x[i]) || (vt::same_bits(d[i], vekConstantOfNAN_32f) && vt::same_bits(df[i], vekConstantOfNAN_32f))) << i;
    }
}

template <class C>
void check_complex_sqrt(VekStatus (*fn)(const C*, C*, int), double bound) {
    using F = decltype(C{}.re);
    std::vector<C> src;
    const auto v = all_exponents<F>(20000, false);
    for (std::size_t i = 0; i + 1 < v.size(); i += 2) src.push_back({v[i], v[i + 1]});
    const F big = std::numeric_limits<F>::max() / 4;
    for (F re : {F(0), F(-0.0), F(4), F(-4), F(1e-3), big, -big})
        for (F im : {F(0), F(-0.0), F(3), F(-3), big}) src.push_back({re, im});
    std::vector<C> dst(src.size());
    ASSERT_EQ(fn(src.data(), dst.data(), int(src.size())), vekStsOk);
    for (std::size_t i = 0; i < src.size(); ++i) {
        const auto w = std::sqrt(std::complex<long double>(src[i].re, src[i].im));
        const long double mag = std::abs(w);
        // Each component within `bound` ulps of the root's magnitude (a component
        // much smaller than the other carries the larger one's absolute error).
        for (auto [got, want] : {std::pair<F, long double>{dst[i].re, w.real()}, {dst[i].im, w.imag()}}) {
            const long double ulp = mag == 0 ? 0.0L : std::ldexp(1.0L, std::ilogb(F(mag)) - std::numeric_limits<F>::digits + 1);
            ASSERT_LE(std::fabs(got - want), bound * ulp + std::numeric_limits<F>::denorm_min())
                << src[i].re << "," << src[i].im;
        }
        ASSERT_FALSE(std::signbit(dst[i].re)) << "principal root";
        ASSERT_TRUE(src[i].im == 0 || std::signbit(dst[i].im) == std::signbit(src[i].im)) << "sign of the imaginary part";
    }
}

template <class S, class D>
void check_sum_ln(VekStatus (*fn)(const S*, int, D*)) {
    vt::Rng rng(8);
    for (int len : {1, 2, 511, 512, 513, 1024, 1537}) {
        std::vector<S> x(len);
        long double want = 0;
        for (auto& v : x) {
            v = S(std::is_integral_v<S> ? rng.integer<int>(1, 32767) : std::ldexp(rng.real(0.5, 1), rng.integer<int>(-120, 120)));
            want += std::log((long double)v);
        }
        D sum = 0;
        ASSERT_EQ(fn(x.data(), len, &sum), vekStsOk);
        EXPECT_LE(std::fabs(sum - want), 1e-6L * (1 + std::fabs(want))) << len;
    }
    // The first special element decides, also after the blocked part.
    std::vector<S> x(600, S(2));
    D sum = 0;
    for (auto [zero, neg, want] : {std::tuple{1, 2, vekStsLogZeroArg}, {2, 1, vekStsLogNegativeArg}, {0, 599, vekStsLogZeroArg},
                                   {600, 599, vekStsLogNegativeArg}}) {
        std::fill(x.begin(), x.end(), S(2));
        if (zero < 600) x[zero] = -S(0); // -0.0 counts as zero here
        x[neg] = S(-1);
        EXPECT_EQ(fn(x.data(), 600, &sum), want) << zero << " " << neg;
        EXPECT_TRUE(want == vekStsLogZeroArg ? sum == -std::numeric_limits<D>::infinity() : std::isnan(sum));
    }
    sp::expect_checks(fn);
}

TEST(PowerFloat, SquaresComplexRootsAndSumsOfLogarithms) {
    const Vek32fc z[] = {{3, 4}, {1e30f, 1e30f}, {-2, 0.5f}};
    const Vek64fc zd[] = {{3, 4}};
    Vek32fc w[3];
    Vek64fc wd[1];
    veksSqr_32fc(z, w, 3);
    veksSqr_64fc(zd, wd, 1);
    EXPECT_TRUE(w[0].re == -7 && w[0].im == 24 && w[2].re == 3.75f && w[2].im == -2 && wd[0].re == -7 && wd[0].im == 24);
    // inf - inf in single precision
    EXPECT_TRUE((std::isnan(w[1].re) || w[1].re == 0) && w[1].im == std::numeric_limits<float>::infinity());
    check_complex_sqrt(veksSqrt_32fc, 1.0);
    check_complex_sqrt(veksSqrt_64fc, 2.0);
    check_sum_ln(veksSumLn_16s32f);
    check_sum_ln(veksSumLn_32f);
    check_sum_ln(veksSumLn_32f64f);
    check_sum_ln(veksSumLn_64f);
}

} // namespace
