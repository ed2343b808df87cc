#include "stats_test_util.h"

namespace {

using st::lim;

// Each component against ok(result, source, vSub) for vDiv 3.
template <class T, class S, class R, class Ok> void check_float_normalize(VekStatus (*fn)(const T*, T*, int, S, R), S sub, Ok ok) {
    vt::Rng r(151);
    std::vector<T> x(333);
    for (auto& v : x) v = st::random_elem<T>(r, -100, 100);
    vt::Guarded<T> d(x.size());
    ASSERT_EQ(fn(x.data(), d.data(), int(x.size()), sub, R(3)), vekStsOk);
    for (std::size_t i = 0; i < x.size(); ++i) {
        if constexpr (std::is_arithmetic_v<T>) EXPECT_TRUE(ok(d[i], x[i], sub)) << i;
        else EXPECT_TRUE(ok(d[i].re, x[i].re, sub.re) && ok(d[i].im, x[i].im, sub.im)) << i;
    }
    EXPECT_TRUE(d.guard_intact());
}

TEST(StatsNormalize, FloatFormsMultiplyByTheReciprocal) {
    // 32f: single reciprocal; 32fc: double reciprocal and product.
    check_float_normalize(veksNormalize_32f, 1.25f, [](float y, float x, float s) { return vt::same_bits(y, (x - s) * (1.0f / 3.0f)); });
    check_float_normalize(veksNormalize_32fc, Vek32fc{1.25f, -1.25f},
                          [](float y, float x, float s) { return vt::same_bits(y, float(double(x - s) * (1.0 / 3.0))); });
    check_float_normalize(veksNormalize_64fc, Vek64fc{1.25, -1.25},
                          [](double y, double x, double s) { return vt::same_bits(y, (x - s) * (1.0 / 3.0)); });
    // Two roundings (reciprocal, product) from the true quotient.
    check_float_normalize(veksNormalize_64f, 1.25,
                          [](double y, double x, double s) { return vt::ulp_distance(y, (static_cast<long double>(x) - s) / 3) <= 1.5; });
}

// y = (x - vSub) * (1/vDiv) * 2^-(sf % 128) in single precision (127: a
// zero factor); saturated, else truncated.
Vek16s ref_normalize_16s(int x, int sub, int div, int sf) {
    const int m = sf % 128;
    const float y = float(x - sub) * ((1.0f / float(div)) * float(m == 127 ? 0.0 : std::ldexp(1.0, -m)));
    return y > 32767.0f ? 32767 : y < -32768.0f ? -32768 : Vek16s(std::trunc(y));
}

TEST(StatsNormalize, IntegerFormsTruncateAndSaturate) {
    vt::Rng r(161);
    const int len = 200;
    std::vector<Vek16s> x(len);
    std::vector<Vek16sc> c(len);
    for (int i = 0; i < len; ++i) x[i] = r.any<Vek16s>(), c[i] = {r.any<Vek16s>(), r.any<Vek16s>()};
    x[0] = -32768, x[1] = 32767;
    for (int div : {1, -1, 3, -7, 1000, 65536, -2147483647 - 1})
        for (int sf : {0, 1, 5, 15, 126, 127, 128, 129, -1, -3, -15, -127, -128, -129, 255}) {
            const Vek16s sub = Vek16s(div & 0xFF);
            vt::Guarded<Vek16s> d(len);
            vt::Guarded<Vek16sc> e(len);
            ASSERT_EQ(veksNormalize_16s_Sfs(x.data(), d.data(), len, sub, div, sf), vekStsOk);
            ASSERT_EQ(veksNormalize_16sc_Sfs(c.data(), e.data(), len, {sub, Vek16s(-sub)}, div, sf), vekStsOk);
            for (int i = 0; i < len; ++i)
                ASSERT_TRUE(d[i] == ref_normalize_16s(x[i], sub, div, sf) && e[i].re == ref_normalize_16s(c[i].re, sub, div, sf) &&
                            e[i].im == ref_normalize_16s(c[i].im, -sub, div, sf))
                    << "div " << div << " sf " << sf << " i " << i;
            EXPECT_TRUE(d.guard_intact() && e.guard_intact());
        }
}

TEST(StatsSearch, CountInRangeExcludesBothBounds) {
    vt::Rng r(171);
    std::vector<Vek32s> x = {1, 2, 3, lim<Vek32s>::min(), lim<Vek32s>::max()};
    for (int i = 0; i < 5000; ++i) x.push_back(r.any<Vek32s>());
    for (auto [lo, hi] : {std::pair<Vek32s, Vek32s>{lim<Vek32s>::min(), lim<Vek32s>::max()}, {1, 3}, {3, 1}, {-1000000000, 1000000000}}) {
        int want = 0, n = -1;
        for (auto v : x) want += (v > lo && v < hi);
        ASSERT_EQ(veksCountInRange_32s(x.data(), int(x.size()), &n, lo, hi), vekStsOk);
        EXPECT_EQ(n, want);
    }
}

TEST(StatsSearch, NearestEntryTiesGoLow) {
    Vek16u v = 0;
    int i = -1;
    // Against a brute-force search (strict comparison: the first of two equally near
    // entries wins) over strictly increasing tables with even and odd gaps.
    vt::Rng r(181);
    for (int tlen : {1, 2, 3, 17, 1000}) {
        std::vector<Vek16u> table;
        int next = r.integer(0, 40);
        for (int k = 0; k < tlen; ++k, next += r.integer(1, 60)) table.push_back(Vek16u(next));
        std::vector<Vek16u> vals(3000), got_v(3000);
        std::vector<int> got_i(3000);
        for (auto& x : vals) x = r.integer<Vek16u>(0, std::min(65535, next + 50));
        vals[0] = 0, vals[1] = 65535;
        ASSERT_EQ(veksFindNearest_16u(vals.data(), got_v.data(), got_i.data(), 3000, table.data(), tlen), vekStsOk);
        for (int j = 0; j < 3000; ++j) {
            int best = 0;
            for (int k = 1; k < tlen; ++k)
                if (std::abs(vals[j] - table[k]) < std::abs(vals[j] - table[best])) best = k;
            ASSERT_TRUE(got_i[j] == best && got_v[j] == table[best]) << "value " << vals[j];
            ASSERT_TRUE(veksFindNearestOne_16u(vals[j], &v, &i, table.data(), tlen) == vekStsOk && i == best);
        }
    }
}

template <class F> void check_float_order(VekStatus (*fn)(const F*, int, int*)) {
    using L = lim<F>;
    struct Row { std::vector<F> x; int order; VekStatus status; };
    for (const Row& row : std::vector<Row>{{{F(0.75)}, 0, vekStsOk},
                                           {{F(1.0)}, 1, vekStsOk},
                                           {{F(-3.0), F(2.0)}, 2, vekStsOk},
                                           {{F(0.0), F(-0.0)}, 0, vekStsOk},
                                           {{L::infinity(), F(1.0)}, 1, vekStsNonNormalData},
                                           {{F(1.0), L::quiet_NaN()}, 1, vekStsNonNormalData},
                                           {{-L::infinity()}, 0, vekStsNonNormalData},
                                           {{L::denorm_min(), F(0.0)}, L::min_exponent - 1, vekStsNonNormalData}, // -126, -1022
                                           {{L::min()}, L::min_exponent, vekStsOk},
                                           {{L::max(), -L::max()}, L::max_exponent, vekStsOk}}) {
        int o = -12345;
        EXPECT_EQ(fn(row.x.data(), int(row.x.size()), &o), row.status);
        EXPECT_EQ(o, row.order) << row.x[0];
    }
}

TEST(StatsOrder, SignificantBitsAndExponentOfLargestMagnitude) {
    check_float_order<Vek32f>(veksMaxOrder_32f);
    check_float_order<Vek64f>(veksMaxOrder_64f);
    for (auto [x, order] : std::vector<std::pair<std::vector<Vek32s>, int>>{
             {{0, 0}, 0}, {{1}, 1}, {{-1, 0}, 1}, {{3, -4}, 3}, {{lim<Vek32s>::min()}, 32}, {{lim<Vek32s>::max()}, 31}, {{65535, -65536}, 17}}) {
        int o = -1;
        EXPECT_TRUE(veksMaxOrder_32s(x.data(), int(x.size()), &o) == vekStsOk && o == order) << order;
    }
    for (auto [x, order] : std::vector<std::pair<std::vector<Vek16s>, int>>{{{5, -32768, 7}, 16}, {{0, 0}, 0}, {{32767, -32767}, 15}}) {
        int o = -1;
        EXPECT_TRUE(veksMaxOrder_16s(x.data(), int(x.size()), &o) == vekStsOk && o == order) << order;
    }
}

} // namespace
