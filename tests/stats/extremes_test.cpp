#include "stats_test_util.h"

namespace {

using st::lim;

// The reference: the sequential walk with strict comparisons.
template <class T, class Key> int ref_index(const std::vector<T>& x, bool max, Key key) {
    int at = 0;
    for (std::size_t i = 1; i < x.size(); ++i)
        if (max ? key(x[i]) > key(x[at]) : key(x[i]) < key(x[at])) at = int(i);
    return at;
}
auto identity = [](auto v) { return v; };
auto saturated_abs = [](auto v) { return v >= 0 ? v : v == lim<decltype(v)>::min() ? lim<decltype(v)>::max() : decltype(v)(-v); };

// Few distinct values, so ties are everywhere, with specials planted where
// the vectorised search changes blocks (8: both ends, whose magnitudes tie);
// ramps improve in every block.
template <class T> std::vector<T> tie_heavy(vt::Rng& r, int len, int variant) {
    std::vector<T> x(len);
    for (auto& v : x) v = static_cast<T>(r.integer(0, 6) - (lim<T>::is_signed ? 3 : 0));
    for (int p : {0, 1, len / 2, len - 1, 2047, 2048, 2049, 4095, 6000}) {
        if (p < 0 || p >= len) continue;
        if (variant == 1 || (variant == 8 && (p & 1))) x[p] = lim<T>::max();
        if (variant == 2 || (variant == 8 && !(p & 1))) x[p] = lim<T>::lowest();
        if constexpr (std::is_floating_point_v<T>) {
            if ((variant == 3 && p != 0) || variant == 7) x[p] = lim<T>::quiet_NaN(); // 7: the first is NaN
            if (variant == 4) x[p] = (p & 1) ? T(-0.0) : T(0.0);
        }
    }
    for (int i = 0; i < len; ++i) {
        if (variant == 4 && x[i] > 0) x[i] = T(-x[i]); // the maximum is a zero of either sign
        if (variant == 5) x[i] = T(std::min<double>(i / 3, double(lim<T>::max())));
        if (variant == 6) x[i] = T(std::min<double>((len - i) / 3, double(lim<T>::max())));
    }
    return x;
}

template <class T> struct Ext;
#define EXT_MINMAX(s)                                   \
    static constexpr auto minmax = veksMinMax_##s;      \
    static constexpr auto minmax_i = veksMinMaxIndx_##s;
#define EXT_EVERY(s) static constexpr auto max_every = veksMaxEvery_##s##_I, min_every = veksMinEvery_##s##_I;
#define EXT_NO_EVERY(s) static constexpr std::nullptr_t max_every = nullptr, min_every = nullptr;
#define EXT_ONLY_MINMAX(s, every) template <> struct Ext<Vek##s> { static constexpr bool plain = false; EXT_MINMAX(s) every(s) };
#define EXT_ABS(s)                                                                   \
    static constexpr auto max_abs = veksMaxAbs_##s, min_abs = veksMinAbs_##s;        \
    static constexpr auto max_abs_i = veksMaxAbsIndx_##s, min_abs_i = veksMinAbsIndx_##s;
#define EXT_NO_ABS(s) static constexpr std::nullptr_t max_abs = nullptr;
#define EXT_ROW(s, every, abs)                                                                           \
    template <> struct Ext<Vek##s> {                                                                     \
        static constexpr bool plain = true;                                                              \
        static constexpr auto max = veksMax_##s, min = veksMin_##s;                                      \
        static constexpr auto max_i = veksMaxIndx_##s, min_i = veksMinIndx_##s;                          \
        EXT_MINMAX(s) every(s) abs(s)                                                                    \
    };
EXT_ONLY_MINMAX(8u, EXT_EVERY) EXT_ONLY_MINMAX(16u, EXT_EVERY) EXT_ROW(16s, EXT_EVERY, EXT_ABS) EXT_ONLY_MINMAX(32u, EXT_NO_EVERY)
EXT_ROW(32s, EXT_EVERY, EXT_ABS) EXT_ROW(32f, EXT_EVERY, EXT_NO_ABS) EXT_ROW(64f, EXT_NO_EVERY, EXT_NO_ABS)

template <class T> class StatsExtremesTyped : public ::testing::Test {};
using ExtremeTypes = ::testing::Types<Vek8u, Vek16u, Vek16s, Vek32u, Vek32s, Vek32f, Vek64f>;
TYPED_TEST_SUITE(StatsExtremesTyped, ExtremeTypes);

TYPED_TEST(StatsExtremesTyped, FirstExtremeMatchesSequentialWalk) {
    using T = TypeParam;
    using E = Ext<T>;
    vt::Rng r(31);
    for (int len : {1, 2, 3, 8, 9, 17, 2047, 2048, 2049, 6001})
        for (int variant = 0; variant < 9; ++variant) {
            SCOPED_TRACE(testing::Message() << "len " << len << " variant " << variant);
            const auto x = tie_heavy<T>(r, len, variant);
            const int hi = ref_index(x, true, identity), lo = ref_index(x, false, identity);
            auto same = [&](T v, int at) { return vt::same_bits(v, x[at]); };
            T a, b;
            int ia, ib;
            ASSERT_EQ(E::minmax_i(x.data(), len, &a, &ia, &b, &ib), vekStsOk);
            EXPECT_TRUE(ia == lo && ib == hi && same(a, lo) && same(b, hi));
            ASSERT_EQ(E::minmax(x.data(), len, &a, &b), vekStsOk);
            EXPECT_TRUE(same(a, lo) && same(b, hi));
            if constexpr (E::plain) {
                EXPECT_TRUE(E::max_i(x.data(), len, &a, &ia) == vekStsOk && ia == hi && same(a, hi));
                EXPECT_TRUE(E::min_i(x.data(), len, &a, &ia) == vekStsOk && ia == lo && same(a, lo));
                EXPECT_TRUE(E::max(x.data(), len, &a) == vekStsOk && same(a, hi));
                EXPECT_TRUE(E::min(x.data(), len, &a) == vekStsOk && same(a, lo));
                EXPECT_TRUE(E::max_i(x.data(), len, &a, nullptr) == vekStsOk && same(a, hi)); // no index wanted
                // Magnitudes saturate: the most negative value ties with the largest.
                if constexpr (!std::is_null_pointer_v<decltype(E::max_abs)>) {
                    const int ahi = ref_index(x, true, saturated_abs), alo = ref_index(x, false, saturated_abs);
                    EXPECT_TRUE(E::max_abs_i(x.data(), len, &a, &ia) == vekStsOk && ia == ahi && a == saturated_abs(x[ahi]));
                    EXPECT_TRUE(E::min_abs_i(x.data(), len, &a, &ia) == vekStsOk && ia == alo && a == saturated_abs(x[alo]));
                    EXPECT_TRUE(E::max_abs(x.data(), len, &a) == vekStsOk && a == saturated_abs(x[ahi]));
                    EXPECT_TRUE(E::min_abs(x.data(), len, &a) == vekStsOk && a == saturated_abs(x[alo]));
                }
            }
            // Every: the destination kept unless strictly beaten (3 against 4: NaNs against signed zeros).
            if constexpr (!std::is_null_pointer_v<decltype(E::max_every)>) {
                const auto y = tie_heavy<T>(r, len, (variant + 1) % 9);
                for (bool max : {true, false}) {
                    vt::Guarded<T> d(y.size());
                    for (int k = 0; k < len; ++k) d[k] = y[k];
                    ASSERT_EQ((max ? E::max_every : E::min_every)(x.data(), d.data(), len), vekStsOk);
                    for (int k = 0; k < len; ++k) ASSERT_TRUE(vt::same_bits(d[k], (max ? x[k] > y[k] : x[k] < y[k]) ? x[k] : y[k])) << k;
                    EXPECT_TRUE(d.guard_intact());
                }
            }
        }
}

} // namespace
