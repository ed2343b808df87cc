#include <cmath>
#include <limits>
#include <vector>

#include "stats_test_util.h"

namespace {

TEST(StatsNormalize, ArgumentChecks) {
    st::expect_checks(veksNormalize_32f);
    st::expect_checks(veksNormalize_64f);
    st::expect_checks(veksNormalize_32fc);
    st::expect_checks(veksNormalize_64fc);
    st::expect_checks(veksNormalize_16s_Sfs);
    st::expect_checks(veksNormalize_16sc_Sfs);
    st::expect_checks(veksCountInRange_32s);
    st::expect_checks(veksFindNearestOne_16u);
    st::expect_checks(veksFindNearest_16u);
    st::expect_checks(veksMaxOrder_16s, st::Order::LenThenPtrs);
    st::expect_checks(veksMaxOrder_32s, st::Order::LenThenPtrs);
    st::expect_checks(veksMaxOrder_32f, st::Order::LenThenPtrs);
    st::expect_checks(veksMaxOrder_64f, st::Order::LenThenPtrs);
}

TEST(StatsNormalize, TinyDivisorIsAnErrorAfterPointersAndLength) {
    const Vek32f x32[2] = {1, 2};
    const Vek64f x64[2] = {1, 2};
    const Vek32fc c32[2] = {};
    const Vek64fc c64[2] = {};
    const Vek16s s16[2] = {1, 2};
    const Vek16sc s16c[2] = {};
    vt::Guarded<Vek32f> d32(2);
    vt::Guarded<Vek64f> d64(2);
    vt::Guarded<Vek32fc> e32(2);
    vt::Guarded<Vek64fc> e64(2);
    vt::Guarded<Vek16s> d16(2);
    vt::Guarded<Vek16sc> e16(2);
    for (float div : {1e-39f, -1e-39f, 0.0f, -0.0f}) {
        EXPECT_EQ(veksNormalize_32f(x32, d32.data(), 2, 0, div), vekStsDivByZeroError);
        EXPECT_EQ(veksNormalize_32fc(c32, e32.data(), 2, {}, div), vekStsDivByZeroError);
    }
    for (double div : {2.2e-308, -1e-310, 0.0}) {
        EXPECT_EQ(veksNormalize_64f(x64, d64.data(), 2, 0, div), vekStsDivByZeroError);
        EXPECT_EQ(veksNormalize_64fc(c64, e64.data(), 2, {}, div), vekStsDivByZeroError);
    }
    EXPECT_EQ(veksNormalize_16s_Sfs(s16, d16.data(), 2, 0, 0, 0), vekStsDivByZeroError);
    EXPECT_EQ(veksNormalize_16sc_Sfs(s16c, e16.data(), 2, {}, 0, 0), vekStsDivByZeroError);
    // Pointer and length errors come first.
    EXPECT_EQ(veksNormalize_32f(x32, nullptr, 2, 0, 0), vekStsNullPtr);
    EXPECT_EQ(veksNormalize_16s_Sfs(s16, d16.data(), 0, 0, 0, 0), vekStsBadLength);
    EXPECT_TRUE(d32.intact() && d64.intact() && e32.intact() && e64.intact() && d16.intact() && e16.intact());
    // The smallest normal divisor is accepted.
    EXPECT_EQ(veksNormalize_32f(x32, d32.data(), 2, 0, std::numeric_limits<float>::min()), vekStsOk);
    EXPECT_EQ(veksNormalize_64f(x64, d64.data(), 2, 0, std::numeric_limits<double>::min()), vekStsOk);
}

TEST(StatsNormalize, FloatFormsMultiplyByTheReciprocal) {
    vt::Rng r(151);
    const int len = 333;
    std::vector<Vek32f> x(len);
    std::vector<Vek32fc> c(len);
    std::vector<Vek64f> y(len);
    for (int i = 0; i < len; ++i) {
        x[i] = static_cast<float>(r.real(-100, 100));
        c[i] = {static_cast<float>(r.real(-100, 100)), static_cast<float>(r.real(-100, 100))};
        y[i] = r.real(-100, 100);
    }
    const float sub = 1.25f, div = 3.0f;
    vt::Guarded<Vek32f> d(len);
    vt::Guarded<Vek32fc> e(len);
    vt::Guarded<Vek64f> g(len);
    ASSERT_EQ(veksNormalize_32f(x.data(), d.data(), len, sub, div), vekStsOk);
    ASSERT_EQ(veksNormalize_32fc(c.data(), e.data(), len, {sub, -sub}, div), vekStsOk);
    ASSERT_EQ(veksNormalize_64f(y.data(), g.data(), len, 1.25, 3.0), vekStsOk);
    const float inv32 = 1.0f / div;
    for (int i = 0; i < len; ++i) {
        // 32f: single reciprocal; 32fc: double reciprocal and product.
        ASSERT_TRUE(vt::same_bits(d[i], (x[i] - sub) * inv32));
        ASSERT_TRUE(vt::same_bits(e[i].re, static_cast<float>(double(c[i].re - sub) * (1.0 / div))));
        ASSERT_TRUE(vt::same_bits(e[i].im, static_cast<float>(double(c[i].im + sub) * (1.0 / div))));
        // Against the true quotient: two roundings (reciprocal, product).
        EXPECT_LE(vt::ulp_distance(d[i], (static_cast<long double>(x[i]) - sub) / div), 1.5);
        EXPECT_LE(vt::ulp_distance(g[i], (static_cast<long double>(y[i]) - 1.25L) / 3.0L), 1.5);
    }
    EXPECT_TRUE(d.guard_intact() && e.guard_intact() && g.guard_intact());
}

// y = (x - vSub) * (1/vDiv) * 2^-sf in single precision; saturate, else truncate.
Vek16s ref_normalize_16s(int x, int sub, int div, int sf) {
    const int m = sf % 128;
    const float f = (1.0f / static_cast<float>(div)) * static_cast<float>(m == 127 ? 0.0 : std::ldexp(1.0, -m));
    const float y = static_cast<float>(x - sub) * f;
    return y > 32767.0f ? 32767 : y < -32768.0f ? -32768 : static_cast<Vek16s>(std::trunc(y));
}

TEST(StatsNormalize, IntegerFormsTruncateAndSaturate) {
    vt::Rng r(161);
    const int len = 200;
    std::vector<Vek16s> x(len);
    std::vector<Vek16sc> c(len);
    for (int i = 0; i < len; ++i) {
        x[i] = r.any<Vek16s>();
        c[i] = {r.any<Vek16s>(), r.any<Vek16s>()};
    }
    x[0] = -32768;
    x[1] = 32767;
    for (int div : {1, -1, 3, -7, 1000, 65536, -2147483647 - 1})
        for (int sf : {0, 1, 5, 15, 126, 127, 128, 129, -1, -3, -15, -127, -128, -129, 255}) {
            const Vek16s sub = Vek16s(div & 0xFF);
            vt::Guarded<Vek16s> d(len);
            vt::Guarded<Vek16sc> e(len);
            ASSERT_EQ(veksNormalize_16s_Sfs(x.data(), d.data(), len, sub, div, sf), vekStsOk);
            ASSERT_EQ(veksNormalize_16sc_Sfs(c.data(), e.data(), len, {sub, Vek16s(-sub)}, div, sf), vekStsOk);
            for (int i = 0; i < len; ++i) {
                ASSERT_EQ(d[i], ref_normalize_16s(x[i], sub, div, sf)) << "div " << div << " sf " << sf << " x " << x[i];
                ASSERT_EQ(e[i].re, ref_normalize_16s(c[i].re, sub, div, sf));
                ASSERT_EQ(e[i].im, ref_normalize_16s(c[i].im, -sub, div, sf));
            }
            EXPECT_TRUE(d.guard_intact() && e.guard_intact());
        }
}

TEST(StatsSearch, CountInRangeExcludesBothBounds) {
    const Vek32s a[3] = {1, 2, 3};
    int n = -1;
    ASSERT_EQ(veksCountInRange_32s(a, 3, &n, 1, 3), vekStsOk);
    EXPECT_EQ(n, 1);
    ASSERT_EQ(veksCountInRange_32s(a, 3, &n, 3, 1), vekStsOk);
    EXPECT_EQ(n, 0);
    vt::Rng r(171);
    std::vector<Vek32s> x(5000);
    for (auto& v : x) v = r.any<Vek32s>();
    x[7] = std::numeric_limits<Vek32s>::min();
    x[8] = std::numeric_limits<Vek32s>::max();
    for (auto [lo, hi] : {std::pair<Vek32s, Vek32s>{-2147483647 - 1, 2147483647}, {-5, 5}, {-1000000000, 1000000000}}) {
        int want = 0;
        for (auto v : x) want += (v > lo && v < hi);
        ASSERT_EQ(veksCountInRange_32s(x.data(), 5000, &n, lo, hi), vekStsOk);
        EXPECT_EQ(n, want);
    }
}

TEST(StatsSearch, NearestEntryTiesGoLow) {
    const Vek16u t[2] = {10, 20};
    Vek16u v = 0;
    int i = -1;
    veksFindNearestOne_16u(15, &v, &i, t, 2);
    EXPECT_EQ(v, 10);
    EXPECT_EQ(i, 0);
    veksFindNearestOne_16u(16, &v, &i, t, 2);
    EXPECT_EQ(v, 20);
    EXPECT_EQ(i, 1);
    const Vek16u one[1] = {500};
    veksFindNearestOne_16u(65535, &v, &i, one, 1);
    EXPECT_EQ(i, 0);

    // Against a brute-force search over strictly increasing tables.
    vt::Rng r(181);
    for (int tlen : {1, 2, 3, 17, 1000}) {
        std::vector<Vek16u> table;
        int next = r.integer(0, 40);
        for (int k = 0; k < tlen; ++k, next += r.integer(1, 60)) table.push_back(Vek16u(next));
        std::vector<Vek16u> vals(3000);
        for (auto& x : vals) x = r.integer<Vek16u>(0, std::min(65535, next + 50));
        vals[0] = 0;
        vals[1] = 65535;
        std::vector<Vek16u> got_v(vals.size());
        std::vector<int> got_i(vals.size());
        ASSERT_EQ(veksFindNearest_16u(vals.data(), got_v.data(), got_i.data(), int(vals.size()), table.data(), tlen), vekStsOk);
        for (std::size_t j = 0; j < vals.size(); ++j) {
            int best = 0;
            for (int k = 1; k < tlen; ++k)
                if (std::abs(int(vals[j]) - table[k]) < std::abs(int(vals[j]) - table[best])) best = k;
            ASSERT_EQ(got_i[j], best) << "value " << vals[j];
            ASSERT_EQ(got_v[j], table[best]);
            Vek16u one_v;
            int one_i;
            veksFindNearestOne_16u(vals[j], &one_v, &one_i, table.data(), tlen);
            ASSERT_EQ(one_i, best);
        }
    }
}

TEST(StatsSearch, TableLengthChecks) {
    const Vek16u t[1] = {1}, src[1] = {1};
    vt::Guarded<Vek16u> v(1);
    vt::Guarded<int> i(1);
    EXPECT_EQ(veksFindNearestOne_16u(1, v.data(), i.data(), t, 0), vekStsBadLength);
    EXPECT_EQ(veksFindNearest_16u(src, v.data(), i.data(), 1, t, 0), vekStsBadLength);
    EXPECT_EQ(veksFindNearest_16u(src, v.data(), i.data(), 1, nullptr, 0), vekStsNullPtr);
    EXPECT_TRUE(v.intact() && i.intact());
}

TEST(StatsOrder, SignificantBitsOfIntegers) {
    struct Row { std::vector<Vek32s> x; int order; };
    for (const Row& row : std::vector<Row>{{{0, 0}, 0}, {{1}, 1}, {{-1, 0}, 1}, {{3, -4}, 3}, {{-2147483647 - 1}, 32},
                                           {{2147483647}, 31}, {{65535, -65536}, 17}}) {
        int o = -1;
        ASSERT_EQ(veksMaxOrder_32s(row.x.data(), int(row.x.size()), &o), vekStsOk);
        EXPECT_EQ(o, row.order);
    }
    const Vek16s a[3] = {5, -32768, 7}, b[2] = {0, 0}, c[2] = {32767, -32767};
    int o = -1;
    veksMaxOrder_16s(a, 3, &o);
    EXPECT_EQ(o, 16);
    veksMaxOrder_16s(b, 2, &o);
    EXPECT_EQ(o, 0);
    veksMaxOrder_16s(c, 2, &o);
    EXPECT_EQ(o, 15);
}

template <class F>
void check_float_order(VekStatus (*fn)(const F*, int, int*)) {
    using L = std::numeric_limits<F>;
    struct Row { std::vector<F> x; int order; VekStatus status; };
    const int denormal_order = L::min_exponent - 1;
    const std::vector<Row> rows = {
        {{F(0.75)}, 0, vekStsOk},
        {{F(1.0)}, 1, vekStsOk},
        {{F(-3.0), F(2.0)}, 2, vekStsOk},
        {{F(0.0), F(-0.0)}, 0, vekStsOk},
        {{L::infinity(), F(1.0)}, 1, vekStsNonNormalData},
        {{F(1.0), L::quiet_NaN()}, 1, vekStsNonNormalData},
        {{-L::infinity()}, 0, vekStsNonNormalData},
        {{L::denorm_min(), F(0.0)}, denormal_order, vekStsNonNormalData},
        {{L::min()}, L::min_exponent, vekStsOk},
        {{L::max(), -L::max()}, L::max_exponent, vekStsOk},
    };
    for (const Row& row : rows) {
        int o = -12345;
        EXPECT_EQ(fn(row.x.data(), int(row.x.size()), &o), row.status);
        EXPECT_EQ(o, row.order) << row.x[0];
    }
}

TEST(StatsOrder, ExponentOfLargestFiniteMagnitude) {
    check_float_order<Vek32f>(veksMaxOrder_32f);
    check_float_order<Vek64f>(veksMaxOrder_64f);
    int o = 0;
    const Vek32f denormal[1] = {1e-40f};
    EXPECT_EQ(veksMaxOrder_32f(denormal, 1, &o), vekStsNonNormalData);
    EXPECT_EQ(o, -126);
}

} // namespace
