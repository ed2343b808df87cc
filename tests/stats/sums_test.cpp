#include <numeric>

#include "stats_test_util.h"

namespace {

using vt::i128;

// The 32-bit sum rule on an exact total.
Vek32s ref_sum_32s(i128 s, int sf, bool from_16bit) {
    if (sf >= 0) return vt::sat<Vek32s>(vt::scale_half_even(s, sf));
    const i128 v = vt::sat<Vek32s>(s);
    if (from_16bit && sf < -31) return v > 0 ? 2147483647 : (v < 0 ? -2147483647 : 0);
    return vt::sat<Vek32s>(v * vt::pow2(std::min(-sf, 40)));
}

// Means: |s| * 2^-sf / len exactly, ties to even; fixed results beyond the width.
template <class T> T ref_mean(i128 s, int len, int sf) {
    constexpr int width = int(sizeof(T) * 8);
    if (sf >= width) return 0;
    if (sf <= 1 - width) return vt::sat<T>(s * vt::pow2(40));
    const i128 q = vt::div_half_even((s < 0 ? -s : s) * vt::pow2(std::max(-sf, 0)), i128(len) * vt::pow2(std::max(sf, 0)));
    return vt::sat<T>(s < 0 ? -q : q);
}

template <class T> i128 total(const std::vector<T>& x) { return std::accumulate(x.begin(), x.end(), i128(0)); }

// A scaled reduction of x into one result; the call must succeed.
template <class S, class D> D reduce(VekStatus (*f)(const S*, int, D*, int), const std::vector<S>& x, int sf) {
    D d{};
    EXPECT_EQ(f(x.data(), int(x.size()), &d, sf), vekStsOk);
    return d;
}

TEST(StatsSums, IntegerSumsAndMeansExact) {
    vt::Rng r(7);
    // Lengths straddle the 65536-element blocks; constant extremes take the
    // total beyond 32 bits. Complex data run the same rule per part.
    for (int len : {1, 2, 15, 1000, 65536, 65537, 140001})
        for (int kind = 0; kind < 4; ++kind) {
            const auto x = st::ints<Vek16s>(r, len, kind), y = st::ints<Vek16s>(r, len, 3 - kind);
            std::vector<Vek16sc> c(len);
            for (int i = 0; i < len; ++i) c[i] = {x[i], y[i]};
            const i128 s = total(x), t = total(y);
            for (int sf = -45; sf <= 70; ++sf) {
                SCOPED_TRACE(testing::Message() << "len " << len << " kind " << kind << " sf " << sf);
                const Vek32s s32 = reduce(veksSum_16s32s_Sfs, x, sf);
                const Vek16s s16 = reduce(veksSum_16s_Sfs, x, sf), m16 = reduce(veksMean_16s_Sfs, x, sf);
                const Vek32sc c32 = reduce(veksSum_16sc32sc_Sfs, c, sf);
                const Vek16sc c16 = reduce(veksSum_16sc_Sfs, c, sf), cm = reduce(veksMean_16sc_Sfs, c, sf);
                ASSERT_EQ(s32, ref_sum_32s(s, sf, true));
                ASSERT_EQ(s16, vt::sat<Vek16s>(ref_sum_32s(s, sf, true)));
                ASSERT_EQ(m16, ref_mean<Vek16s>(s, len, sf));
                ASSERT_TRUE(c32.re == s32 && c32.im == ref_sum_32s(t, sf, true));
                ASSERT_TRUE(c16.re == s16 && c16.im == vt::sat<Vek16s>(ref_sum_32s(t, sf, true)));
                ASSERT_TRUE(cm.re == m16 && cm.im == ref_mean<Vek16s>(t, len, sf));
            }
        }
    for (int len : {1, 5, 4097})
        for (int kind = 0; kind < 4; ++kind) {
            const auto x = st::ints<Vek32s>(r, len, kind);
            for (int sf = -70; sf <= 100; ++sf) {
                ASSERT_EQ(reduce(veksSum_32s_Sfs, x, sf), ref_sum_32s(total(x), sf, false)) << len << " kind " << kind << " sf " << sf;
                ASSERT_EQ(reduce(veksMean_32s_Sfs, x, sf), ref_mean<Vek32s>(total(x), len, sf)) << len << " kind " << kind << " sf " << sf;
            }
        }
}

// The prescribed order of real float sums: two running double sums over
// groups of four (4i, 4i+2 / 4i+1, 4i+3), added, then the rest in order.
template <class F> double ref_two_sum(const std::vector<F>& x) {
    double a = 0, b = 0, t;
    std::size_t i = 0;
    for (; i + 4 <= x.size(); i += 4) a += x[i], b += x[i + 1], a += x[i + 2], b += x[i + 3];
    for (t = a + b; i < x.size(); ++i) t += x[i];
    return t;
}

template <class F, class C>
void check_float_sums(VekStatus (*sum)(const F*, int, F*), VekStatus (*mean)(const F*, int, F*), VekStatus (*csum)(const C*, int, C*),
                      VekStatus (*cmean)(const C*, int, C*)) {
    vt::Rng r(13);
    for (std::size_t len : {1, 2, 3, 4, 5, 7, 8, 9, 1000, 100003}) {
        const auto x = st::spread<F>(r, len, 30), y = st::spread<F>(r, len, 30);
        F s, m;
        ASSERT_EQ(sum(x.data(), int(len), &s), vekStsOk);
        ASSERT_EQ(mean(x.data(), int(len), &m), vekStsOk);
        const double want = ref_two_sum(x);
        EXPECT_TRUE(vt::same_bits(s, F(want)) && vt::same_bits(m, F(want / len))) << len;
        // Complex data keep one running sum per part.
        std::vector<C> c(len);
        double wr = 0, wi = 0;
        for (std::size_t i = 0; i < len; ++i) c[i] = {x[i], y[i]}, wr += x[i], wi += y[i];
        C cs, cm;
        ASSERT_EQ(csum(c.data(), int(len), &cs), vekStsOk);
        ASSERT_EQ(cmean(c.data(), int(len), &cm), vekStsOk);
        EXPECT_TRUE(vt::same_bits(cs.re, F(wr)) && vt::same_bits(cs.im, F(wi)));
        EXPECT_TRUE(vt::same_bits(cm.re, F(wr / len)) && vt::same_bits(cm.im, F(wi / len)));
    }
}

template <class F> long double ref_deviation(const std::vector<F>& x) {
    long double mean = 0, ss = 0;
    for (auto v : x) mean += v;
    mean /= x.size();
    for (auto v : x) ss += (v - mean) * (v - mean);
    return std::sqrt(ss / (x.size() - 1));
}

// Sums follow their order; the deviation is the sample deviation.
TEST(StatsSums, FloatSumsAndDeviation) {
    check_float_sums<Vek32f, Vek32fc>(veksSum_32f, veksMean_32f, veksSum_32fc, veksMean_32fc);
    check_float_sums<Vek64f, Vek64fc>(veksSum_64f, veksMean_64f, veksSum_64fc, veksMean_64fc);
    Vek32f d, m, d1, m1;
    vt::Rng r(9);
    for (int len : {2, 3, 10, 1000, 65537}) {
        std::vector<Vek32f> x(len);
        std::vector<Vek64f> y(len);
        for (int i = 0; i < len; ++i) x[i] = Vek32f(r.real(-1, 1)), y[i] = r.real(-1, 1);
        ASSERT_EQ(veksMeanStdDev_32f(x.data(), len, &m, &d), vekStsOk);
        veksStdDev_32f(x.data(), len, &d1);
        veksMean_32f(x.data(), len, &m1);
        EXPECT_TRUE(vt::same_bits(d, d1) && vt::same_bits(m, m1));
        // Near-zero-mean data lose nothing that shows in a single result.
        EXPECT_LE(vt::ulp_distance(d, ref_deviation(x)), 1.0) << len;
        Vek64f dd, mm, dd1;
        ASSERT_EQ(veksMeanStdDev_64f(y.data(), len, &mm, &dd), vekStsOk);
        ASSERT_TRUE(veksStdDev_64f(y.data(), len, &dd1) == vekStsOk && vt::same_bits(dd, dd1));
        // Q*n - S^2 in double: the sums' errors (about len * 2^-53 of Q*n)
        // grow by the cancellation Q*n / V and halve in the square root.
        long double s = 0, q = 0;
        for (auto v : y) s += v, q += static_cast<long double>(v) * v;
        const long double want = ref_deviation(y), growth = q * len / (q * len - s * s);
        EXPECT_LE(std::fabs(dd - want), want * (1.5L * (len + 2) * growth + 2) * 1.12e-16L) << len;
    }
}

TEST(StatsSums, IntegerDeviationAndMean) {
    vt::Rng r(21);
    for (int len : {2, 3, 17, 1000})
        for (int kind : {0, 3}) {
            const auto x = st::ints<Vek16s>(r, len, kind);
            i128 s = 0, q = 0;
            for (auto v : x) s += v, q += i128(v) * v;
            // Below 2^53 the double computation is exact up to the final square root.
            const long double dev = std::sqrt(static_cast<long double>(q * len - s * s) / (i128(len) * (len - 1)));
            for (int sf = -20; sf <= 18; ++sf) {
                Vek32s m32, d32;
                Vek16s m16, d16;
                ASSERT_EQ(veksMeanStdDev_16s32s_Sfs(x.data(), len, &m32, &d32, sf), vekStsOk);
                ASSERT_EQ(veksMeanStdDev_16s_Sfs(x.data(), len, &m16, &d16, sf), vekStsOk);
                const long double scaled = std::ldexp(dev, -sf), frac = scaled - std::floor(scaled);
                i128 want = i128(std::floor(scaled)) + (frac > 0.5L || (frac == 0.5L && (i128(std::floor(scaled)) & 1)));
                if (std::fabs(frac - 0.5L) < 1e-9L && frac != 0.5L) want = d32; // too close to call
                EXPECT_EQ(d32, vt::sat<Vek32s>(want)) << len << " sf " << sf;
                EXPECT_TRUE(reduce(veksStdDev_16s32s_Sfs, x, sf) == d32 && d16 == vt::sat<Vek16s>(d32));
                EXPECT_EQ(reduce(veksStdDev_16s_Sfs, x, sf), d16);
                // The mean of MeanStdDev rounds half away from zero.
                const i128 mean = st::div_half_away(s * vt::pow2(std::max(-sf, 0)), i128(len) * vt::pow2(std::max(sf, 0)));
                EXPECT_EQ(m32, vt::sat<Vek32s>(mean)) << len << " sf " << sf;
                EXPECT_EQ(m16, vt::sat<Vek16s>(vt::sat<Vek32s>(mean)));
            }
        }
}

} // namespace
