#include <cmath>
#include <vector>

#include "stats_test_util.h"

namespace {

using st::i128;

// ---- references ---------------------------------------------------------------------
// The 32-bit sum rule on an exact total.
Vek32s ref_sum_32s(i128 s, int sf, bool from_16bit) {
    if (sf >= 0) return st::sat<Vek32s>(st::scale_half_even(s, sf));
    const i128 v = st::sat<Vek32s>(s);
    if (from_16bit && sf < -31) return v > 0 ? 2147483647 : (v < 0 ? -2147483647 : 0);
    return st::sat<Vek32s>(v * st::pow2(std::min(-sf, 40)));
}

// Means: exact rational |s| * 2^-sf / len, ties to even; the width's limits.
template <class T>
T ref_mean(i128 s, int len, int sf) {
    constexpr int width = int(sizeof(T) * 8);
    if (sf >= width) return 0;
    if (sf <= 1 - width) return st::sat<T>(s > 0 ? i128(1) << 40 : (s < 0 ? -(i128(1) << 40) : 0));
    const i128 a = s < 0 ? -s : s;
    const i128 q = st::div_half_even(a * st::pow2(std::max(-sf, 0)), i128(len) * st::pow2(std::max(sf, 0)));
    return st::sat<T>(s < 0 ? -q : q);
}

// The prescribed order of real float sums: two running double sums over
// groups of four (4i, 4i+2 / 4i+1, 4i+3), added, then the rest in order.
template <class F>
double ref_two_sum(const F* x, std::size_t n) {
    double a = 0, b = 0;
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        a += x[i];
        b += x[i + 1];
        a += x[i + 2];
        b += x[i + 3];
    }
    double t = a + b;
    for (; i < n; ++i) t += x[i];
    return t;
}

template <class F>
std::vector<F> wide_range_values(std::size_t n, std::uint64_t seed) {
    vt::Rng r(seed);
    std::vector<F> v(n);
    for (auto& x : v) x = static_cast<F>(std::ldexp(r.real(-1, 1), r.integer(-30, 30)));
    return v;
}

i128 exact_total(const std::vector<Vek16s>& x) {
    i128 s = 0;
    for (auto v : x) s += v;
    return s;
}

std::vector<Vek16s> int16_cases(vt::Rng& r, int len, int kind) {
    std::vector<Vek16s> x(len);
    for (auto& v : x)
        v = kind == 0 ? r.integer<Vek16s>(-32768, 32767) : kind == 1 ? Vek16s(32767) : kind == 2 ? Vek16s(-32768) : r.integer<Vek16s>(-3, 3);
    return x;
}

// ---- argument checks ------------------------------------------------------------------
TEST(StatsSums, ArgumentChecks) {
    st::expect_checks(veksSum_32f);
    st::expect_checks(veksSum_64f);
    st::expect_checks(veksSum_32fc);
    st::expect_checks(veksSum_64fc);
    st::expect_checks(veksSum_16s_Sfs);
    st::expect_checks(veksSum_16sc_Sfs);
    st::expect_checks(veksSum_16s32s_Sfs);
    st::expect_checks(veksSum_16sc32sc_Sfs);
    st::expect_checks(veksSum_32s_Sfs);
    st::expect_checks(veksMean_32f);
    st::expect_checks(veksMean_64f);
    st::expect_checks(veksMean_32fc);
    st::expect_checks(veksMean_64fc);
    st::expect_checks(veksMean_16s_Sfs);
    st::expect_checks(veksMean_16sc_Sfs);
    st::expect_checks(veksMean_32s_Sfs);
    st::expect_checks(veksStdDev_32f);
    st::expect_checks(veksStdDev_64f);
    st::expect_checks(veksStdDev_16s_Sfs);
    st::expect_checks(veksStdDev_16s32s_Sfs);
    st::expect_checks(veksMeanStdDev_32f);
    st::expect_checks(veksMeanStdDev_64f);
    st::expect_checks(veksMeanStdDev_16s_Sfs);
    st::expect_checks(veksMeanStdDev_16s32s_Sfs);
}

TEST(StatsSums, DeviationNeedsTwoElements) {
    const Vek16s x16[2] = {1, 2};
    const Vek32f x32[2] = {1, 2};
    const Vek64f x64[2] = {1, 2};
    vt::Guarded<Vek32f> f(1), g(1);
    vt::Guarded<Vek64f> d(1), e(1);
    vt::Guarded<Vek16s> s(1), t(1);
    vt::Guarded<Vek32s> w(1), u(1);
    EXPECT_EQ(veksStdDev_32f(x32, 1, f.data()), vekStsBadLength);
    EXPECT_EQ(veksStdDev_64f(x64, 1, d.data()), vekStsBadLength);
    EXPECT_EQ(veksStdDev_16s_Sfs(x16, 1, s.data(), 0), vekStsBadLength);
    EXPECT_EQ(veksStdDev_16s32s_Sfs(x16, 1, w.data(), 0), vekStsBadLength);
    EXPECT_EQ(veksMeanStdDev_32f(x32, 1, f.data(), g.data()), vekStsBadLength);
    EXPECT_EQ(veksMeanStdDev_64f(x64, 1, d.data(), e.data()), vekStsBadLength);
    EXPECT_EQ(veksMeanStdDev_16s_Sfs(x16, 1, s.data(), t.data(), 0), vekStsBadLength);
    EXPECT_EQ(veksMeanStdDev_16s32s_Sfs(x16, 1, w.data(), u.data(), 0), vekStsBadLength);
    EXPECT_TRUE(f.intact() && g.intact() && d.intact() && e.intact() && s.intact() && t.intact() && w.intact() && u.intact());
}

// ---- integer sums -------------------------------------------------------------------------
TEST(StatsSums, SixteenBitSumsExactAcrossScaleFactors) {
    vt::Rng r(7);
    // Lengths straddle the 65536-element blocks; constant extremes push the
    // total beyond 32 bits.
    for (int len : {1, 2, 15, 17, 1000, 65535, 65536, 65537, 140001})
        for (int kind = 0; kind < 4; ++kind) {
            const auto x = int16_cases(r, len, kind);
            const i128 s = exact_total(x);
            for (int sf = -45; sf <= 70; ++sf) {
                Vek32s got32 = 0;
                Vek16s got16 = 0;
                ASSERT_EQ(veksSum_16s32s_Sfs(x.data(), len, &got32, sf), vekStsOk);
                ASSERT_EQ(veksSum_16s_Sfs(x.data(), len, &got16, sf), vekStsOk);
                const Vek32s want = ref_sum_32s(s, sf, true);
                ASSERT_EQ(got32, want) << "len " << len << " kind " << kind << " sf " << sf;
                ASSERT_EQ(got16, st::sat<Vek16s>(want)) << "len " << len << " kind " << kind << " sf " << sf;
            }
        }
}

TEST(StatsSums, SumRoundsHalfToEven) {
    const Vek16s a[2] = {1, 2}, b[2] = {1, 4};
    Vek16s r = 0;
    EXPECT_EQ(veksSum_16s_Sfs(a, 2, &r, 1), vekStsOk);
    EXPECT_EQ(r, 2); // 1.5
    EXPECT_EQ(veksSum_16s_Sfs(b, 2, &r, 1), vekStsOk);
    EXPECT_EQ(r, 2); // 2.5
    std::vector<Vek16s> big(40000, 32767);
    EXPECT_EQ(veksSum_16s_Sfs(big.data(), 40000, &r, 0), vekStsOk);
    EXPECT_EQ(r, 32767);
}

TEST(StatsSums, ThirtyTwoBitSumExactAcrossScaleFactors) {
    vt::Rng r(11);
    for (int len : {1, 3, 4097})
        for (int kind = 0; kind < 3; ++kind) {
            std::vector<Vek32s> x(len);
            for (auto& v : x)
                v = kind == 0 ? r.any<Vek32s>() : kind == 1 ? Vek32s(2147483647) : Vek32s(-2147483647 - 1);
            i128 s = 0;
            for (auto v : x) s += v;
            for (int sf = -70; sf <= 100; ++sf) {
                Vek32s got = 0;
                ASSERT_EQ(veksSum_32s_Sfs(x.data(), len, &got, sf), vekStsOk);
                ASSERT_EQ(got, ref_sum_32s(s, sf, false)) << "len " << len << " kind " << kind << " sf " << sf;
            }
        }
}

TEST(StatsSums, ComplexIntegerSumsWorkPerPart) {
    vt::Rng r(3);
    const int len = 70001;
    std::vector<Vek16sc> x(len);
    std::vector<Vek16s> re(len), im(len);
    for (int i = 0; i < len; ++i) {
        x[i] = {r.integer<Vek16s>(-32768, 32767), Vek16s(i % 3 == 0 ? -32768 : 32767)};
        re[i] = x[i].re;
        im[i] = x[i].im;
    }
    for (int sf : {-33, -32, -1, 0, 1, 5, 17, 40}) {
        Vek16sc c16{};
        Vek32sc c32{};
        Vek16s r16, i16;
        Vek32s r32, i32;
        ASSERT_EQ(veksSum_16sc_Sfs(x.data(), len, &c16, sf), vekStsOk);
        ASSERT_EQ(veksSum_16sc32sc_Sfs(x.data(), len, &c32, sf), vekStsOk);
        veksSum_16s_Sfs(re.data(), len, &r16, sf);
        veksSum_16s_Sfs(im.data(), len, &i16, sf);
        veksSum_16s32s_Sfs(re.data(), len, &r32, sf);
        veksSum_16s32s_Sfs(im.data(), len, &i32, sf);
        EXPECT_EQ(c16.re, r16);
        EXPECT_EQ(c16.im, i16);
        EXPECT_EQ(c32.re, r32);
        EXPECT_EQ(c32.im, i32);

        Vek16sc m{};
        Vek16s mr, mi;
        ASSERT_EQ(veksMean_16sc_Sfs(x.data(), len, &m, sf), vekStsOk);
        veksMean_16s_Sfs(re.data(), len, &mr, sf);
        veksMean_16s_Sfs(im.data(), len, &mi, sf);
        EXPECT_EQ(m.re, mr);
        EXPECT_EQ(m.im, mi);
    }
}

// ---- integer means ---------------------------------------------------------------------------
TEST(StatsSums, IntegerMeansExact) {
    EXPECT_EQ(ref_mean<Vek16s>(3, 2, 0), 2);
    vt::Rng r(5);
    for (int len : {1, 2, 3, 7, 1000, 70000})
        for (int kind = 0; kind < 4; ++kind) {
            const auto x = int16_cases(r, len, kind);
            const i128 s = exact_total(x);
            for (int sf = -20; sf <= 20; ++sf) {
                Vek16s got = 0;
                ASSERT_EQ(veksMean_16s_Sfs(x.data(), len, &got, sf), vekStsOk);
                ASSERT_EQ(got, ref_mean<Vek16s>(s, len, sf)) << "len " << len << " kind " << kind << " sf " << sf;
            }
        }
    for (int len : {1, 5, 999})
        for (int kind = 0; kind < 3; ++kind) {
            std::vector<Vek32s> x(len);
            for (auto& v : x) v = kind == 0 ? r.any<Vek32s>() : kind == 1 ? r.integer(-9, 9) : Vek32s(-2147483647 - 1);
            i128 s = 0;
            for (auto v : x) s += v;
            for (int sf = -36; sf <= 36; ++sf) {
                Vek32s got = 0;
                ASSERT_EQ(veksMean_32s_Sfs(x.data(), len, &got, sf), vekStsOk);
                ASSERT_EQ(got, ref_mean<Vek32s>(s, len, sf)) << "len " << len << " kind " << kind << " sf " << sf;
            }
        }
}

TEST(StatsSums, MeanRoundsHalfToEvenAndSaturatesBeyondWidth) {
    const Vek16s up[2] = {1, 2}, down[2] = {-1, -2}, tiny[3] = {0, 0, 1}, zero[2] = {0, 0};
    Vek16s m = 0;
    veksMean_16s_Sfs(up, 2, &m, 0);
    EXPECT_EQ(m, 2);
    veksMean_16s_Sfs(down, 2, &m, 0);
    EXPECT_EQ(m, -2);
    veksMean_16s_Sfs(tiny, 3, &m, -15); // any non-zero sum saturates here
    EXPECT_EQ(m, 32767);
    veksMean_16s_Sfs(down, 2, &m, -15);
    EXPECT_EQ(m, -32768);
    veksMean_16s_Sfs(zero, 2, &m, -100);
    EXPECT_EQ(m, 0);
    veksMean_16s_Sfs(up, 2, &m, 16);
    EXPECT_EQ(m, 0);
}

// ---- float sums and means --------------------------------------------------------------------
template <class F>
void check_float_sum_and_mean(VekStatus (*sum)(const F*, int, F*), VekStatus (*mean)(const F*, int, F*)) {
    for (std::size_t len : {1, 2, 3, 4, 5, 7, 8, 9, 31, 1000, 100003}) {
        const auto x = wide_range_values<F>(len, len);
        F s, m;
        ASSERT_EQ(sum(x.data(), int(len), &s), vekStsOk);
        ASSERT_EQ(mean(x.data(), int(len), &m), vekStsOk);
        const double want = ref_two_sum(x.data(), len);
        EXPECT_TRUE(vt::same_bits(s, static_cast<F>(want))) << len;
        EXPECT_TRUE(vt::same_bits(m, static_cast<F>(want / double(len)))) << len;
        // And the order is an accurate one: close to the exact sum.
        long double exact = 0, mag = 0;
        for (auto v : x) exact += v, mag += std::fabs(static_cast<long double>(v));
        EXPECT_LE(std::fabs(static_cast<long double>(want) - exact), mag * len * 1.2e-16L);
    }
}

TEST(StatsSums, RealFloatSumsFollowTheTwoSumOrder) {
    check_float_sum_and_mean<Vek32f>(veksSum_32f, veksMean_32f);
    check_float_sum_and_mean<Vek64f>(veksSum_64f, veksMean_64f);
}

template <class C, class F>
void check_complex_sum_and_mean(VekStatus (*sum)(const C*, int, C*), VekStatus (*mean)(const C*, int, C*)) {
    for (std::size_t len : {1, 2, 5, 1001}) {
        const auto re = wide_range_values<F>(len, 2 * len), im = wide_range_values<F>(len, 2 * len + 1);
        std::vector<C> x(len);
        double wr = 0, wi = 0; // one running sum per part
        for (std::size_t i = 0; i < len; ++i) {
            x[i] = {re[i], im[i]};
            wr += re[i];
            wi += im[i];
        }
        C s, m;
        ASSERT_EQ(sum(x.data(), int(len), &s), vekStsOk);
        ASSERT_EQ(mean(x.data(), int(len), &m), vekStsOk);
        EXPECT_TRUE(vt::same_bits(s.re, static_cast<F>(wr)) && vt::same_bits(s.im, static_cast<F>(wi)));
        EXPECT_TRUE(vt::same_bits(m.re, static_cast<F>(wr / len)) && vt::same_bits(m.im, static_cast<F>(wi / len)));
    }
}

TEST(StatsSums, ComplexFloatSumsKeepOneSumPerPart) {
    check_complex_sum_and_mean<Vek32fc, Vek32f>(veksSum_32fc, veksMean_32fc);
    check_complex_sum_and_mean<Vek64fc, Vek64f>(veksSum_64fc, veksMean_64fc);
}

// ---- standard deviation -----------------------------------------------------------------------
template <class F>
long double ref_sample_deviation(const std::vector<F>& x) {
    long double mean = 0, ss = 0;
    for (auto v : x) mean += v;
    mean /= x.size();
    for (auto v : x) ss += (v - mean) * (v - mean);
    return std::sqrt(ss / (x.size() - 1));
}

TEST(StatsSums, FloatDeviationIsTheSampleDeviation) {
    const Vek32f four[4] = {1, 2, 3, 4};
    Vek32f d = 0, m = 0;
    ASSERT_EQ(veksStdDev_32f(four, 4, &d), vekStsOk);
    EXPECT_EQ(d, static_cast<Vek32f>(std::sqrt(5.0 / 3.0)));
    const Vek64f same[3] = {2.5, 2.5, 2.5};
    Vek64f dd = -1, mm = 0;
    ASSERT_EQ(veksStdDev_64f(same, 3, &dd), vekStsOk);
    EXPECT_EQ(dd, 0.0);

    vt::Rng r(9);
    for (int len : {2, 3, 10, 1000, 65537}) {
        std::vector<Vek32f> x(len);
        std::vector<Vek64f> y(len);
        for (int i = 0; i < len; ++i) x[i] = static_cast<Vek32f>(r.real(-1, 1)), y[i] = r.real(-1, 1);
        ASSERT_EQ(veksMeanStdDev_32f(x.data(), len, &m, &d), vekStsOk);
        // Sums of about unit-variance, near-zero-mean data lose no digits
        // that matter to a single result: within one unit in the last place.
        EXPECT_LE(vt::ulp_distance(d, ref_sample_deviation(x)), 1.0) << len;
        Vek32f d_only;
        veksStdDev_32f(x.data(), len, &d_only);
        EXPECT_TRUE(vt::same_bits(d, d_only));
        Vek32f m_only;
        veksMean_32f(x.data(), len, &m_only);
        EXPECT_TRUE(vt::same_bits(m, m_only));

        ASSERT_EQ(veksMeanStdDev_64f(y.data(), len, &mm, &dd), vekStsOk);
        const long double want = ref_sample_deviation(y);
        // Q*n - S^2 in double: the sums' rounding errors (about len * 2^-53
        // of Q*n) are amplified by the cancellation Q*n / V, halved by the
        // square root.
        long double s = 0, q = 0;
        for (auto v : y) s += v, q += static_cast<long double>(v) * v;
        const long double amplification = q * len / (q * len - s * s);
        EXPECT_LE(std::fabs(dd - want), want * (1.5L * (len + 2) * amplification + 2) * 1.12e-16L) << len;
    }
}

// Deviation reference from the exact V = Q*n - S^2; a value this close to
// a rounding boundary may round either way after the double computation.
struct IntDev {
    long double scaled;
    bool near_tie() const {
        const long double f = scaled - std::floor(scaled);
        return std::fabs(f - 0.5L) < 1e-9L && f != 0.5L;
    }
    i128 rounded() const {
        const long double fl = std::floor(scaled), f = scaled - fl;
        i128 q = i128(fl);
        if (f > 0.5L || (f == 0.5L && (q & 1))) ++q;
        return q;
    }
};

IntDev ref_int_deviation(const std::vector<Vek16s>& x, int sf) {
    i128 s = 0, q = 0;
    for (auto v : x) s += v, q += i128(v) * v;
    const i128 n = x.size();
    const i128 v = q * n - s * s;
    return {std::ldexp(std::sqrt(static_cast<long double>(v) / static_cast<long double>(n * (n - 1))), -sf)};
}

TEST(StatsSums, IntegerDeviationAndMean) {
    vt::Rng r(21);
    for (int len : {2, 3, 17, 1000})
        for (int kind : {0, 3}) {
            const auto x = int16_cases(r, len, kind);
            const i128 s = exact_total(x);
            for (int sf = -20; sf <= 18; ++sf) {
                Vek32s d32 = 0, m32 = 0, d_only = 0;
                Vek16s d16 = 0, m16 = 0, d16_only = 0;
                ASSERT_EQ(veksMeanStdDev_16s32s_Sfs(x.data(), len, &m32, &d32, sf), vekStsOk);
                ASSERT_EQ(veksMeanStdDev_16s_Sfs(x.data(), len, &m16, &d16, sf), vekStsOk);
                ASSERT_EQ(veksStdDev_16s32s_Sfs(x.data(), len, &d_only, sf), vekStsOk);
                ASSERT_EQ(veksStdDev_16s_Sfs(x.data(), len, &d16_only, sf), vekStsOk);
                const IntDev ref = ref_int_deviation(x, sf);
                const i128 want = ref.rounded();
                if (ref.near_tie()) EXPECT_LE(std::abs(static_cast<long long>(i128(d32) - st::sat<Vek32s>(want))), 1);
                else EXPECT_EQ(d32, st::sat<Vek32s>(want)) << len << " sf " << sf;
                EXPECT_EQ(d_only, d32);
                EXPECT_EQ(d16, st::sat<Vek16s>(d32));
                EXPECT_EQ(d16_only, d16);
                // The mean of MeanStdDev rounds half away from zero.
                const i128 mean = st::div_half_away(s * st::pow2(std::max(-sf, 0)), i128(len) * st::pow2(std::max(sf, 0)));
                EXPECT_EQ(m32, st::sat<Vek32s>(mean)) << len << " sf " << sf;
                EXPECT_EQ(m16, st::sat<Vek16s>(st::sat<Vek32s>(mean)));
            }
        }
}

TEST(StatsSums, MeanOfMeanStdDevRoundsHalfAway) {
    const Vek16s a[2] = {1, 2}, b[2] = {-1, -2}, c[2] = {1, 4};
    Vek32s m, d;
    veksMeanStdDev_16s32s_Sfs(a, 2, &m, &d, 0);
    EXPECT_EQ(m, 2);
    veksMeanStdDev_16s32s_Sfs(b, 2, &m, &d, 0);
    EXPECT_EQ(m, -2);
    veksMeanStdDev_16s32s_Sfs(c, 2, &m, &d, 0);
    EXPECT_EQ(m, 3); // Mean_16s_Sfs gives 2 here
    Vek16s even;
    veksMean_16s_Sfs(c, 2, &even, 0);
    EXPECT_EQ(even, 2);
}

} // namespace
