#include <cmath>
#include <limits>
#include <vector>

#include "stats_test_util.h"

namespace {

TEST(StatsExtremes, ArgumentChecks) {
    // pIndex of MaxIndx/MinIndx (the third pointer) may be null.
    st::expect_checks(veksMax_16s);
    st::expect_checks(veksMax_32s);
    st::expect_checks(veksMax_32f);
    st::expect_checks(veksMax_64f);
    st::expect_checks(veksMin_16s);
    st::expect_checks(veksMin_32s);
    st::expect_checks(veksMin_32f);
    st::expect_checks(veksMin_64f);
    st::expect_checks(veksMaxIndx_16s, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMaxIndx_32s, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMaxIndx_32f, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMaxIndx_64f, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMinIndx_16s, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMinIndx_32s, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMinIndx_32f, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMinIndx_64f, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMaxAbs_16s);
    st::expect_checks(veksMaxAbs_32s);
    st::expect_checks(veksMinAbs_16s);
    st::expect_checks(veksMinAbs_32s);
    st::expect_checks(veksMaxAbsIndx_16s, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMaxAbsIndx_32s, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMinAbsIndx_16s, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMinAbsIndx_32s, st::Order::PtrsThenLen, {2});
    st::expect_checks(veksMinMax_8u);
    st::expect_checks(veksMinMax_16u);
    st::expect_checks(veksMinMax_16s);
    st::expect_checks(veksMinMax_32u);
    st::expect_checks(veksMinMax_32s);
    st::expect_checks(veksMinMax_32f);
    st::expect_checks(veksMinMax_64f);
    st::expect_checks(veksMinMaxIndx_8u);
    st::expect_checks(veksMinMaxIndx_16u);
    st::expect_checks(veksMinMaxIndx_16s);
    st::expect_checks(veksMinMaxIndx_32u);
    st::expect_checks(veksMinMaxIndx_32s);
    st::expect_checks(veksMinMaxIndx_32f);
    st::expect_checks(veksMinMaxIndx_64f);
    st::expect_checks(veksMaxEvery_8u_I);
    st::expect_checks(veksMaxEvery_16u_I);
    st::expect_checks(veksMaxEvery_16s_I);
    st::expect_checks(veksMaxEvery_32s_I);
    st::expect_checks(veksMaxEvery_32f_I);
    st::expect_checks(veksMinEvery_8u_I);
    st::expect_checks(veksMinEvery_16u_I);
    st::expect_checks(veksMinEvery_16s_I);
    st::expect_checks(veksMinEvery_32s_I);
    st::expect_checks(veksMinEvery_32f_I);
}

// ---- the reference: the sequential strict-comparison walk ------------------------------
template <class T, class Key>
int ref_index(const std::vector<T>& x, bool max, Key key) {
    int at = 0;
    auto m = key(x[0]);
    for (std::size_t i = 1; i < x.size(); ++i) {
        const auto k = key(x[i]);
        if (max ? k > m : k < m) m = k, at = int(i);
    }
    return at;
}
auto identity = [](auto v) { return v; };
template <class T> T saturated_abs(T v) {
    return v >= 0 ? v : (v == std::numeric_limits<T>::min() ? std::numeric_limits<T>::max() : T(-v));
}

// Few distinct values, so ties are everywhere; special values planted at
// positions that straddle the blocks of the vectorised search.
template <class T>
std::vector<T> tie_heavy(vt::Rng& r, int len, int variant) {
    std::vector<T> x(len);
    for (auto& v : x) v = static_cast<T>(r.integer(0, 6)) ;
    if constexpr (std::is_signed_v<T> || std::is_floating_point_v<T>)
        for (auto& v : x) v = static_cast<T>(v - 3);
    const int spots[] = {0, 1, len / 2, len - 1, 2047, 2048, 2049, 4095, 6000};
    for (int p : spots) {
        if (p >= len) continue;
        if (variant == 1) x[p] = std::numeric_limits<T>::max();
        if (variant == 2) x[p] = std::numeric_limits<T>::lowest();
        if constexpr (std::is_floating_point_v<T>) {
            if (variant == 3 && p != 0) x[p] = std::numeric_limits<T>::quiet_NaN();
            if (variant == 4) x[p] = (p & 1) ? T(-0.0) : T(0.0);
        }
    }
    if constexpr (std::is_floating_point_v<T>)
        if (variant == 4) for (auto& v : x) v = v > 0 ? T(-v) : v; // maximum is a zero of either sign
    // Ramps: the extreme improves in every block, in runs of three equal
    // values (narrow types level off early, leaving long ties).
    const double top = static_cast<double>(std::numeric_limits<T>::max());
    if (variant == 5)
        for (int i = 0; i < len; ++i) x[i] = static_cast<T>(std::min<double>(i / 3, top));
    if (variant == 6)
        for (int i = 0; i < len; ++i) x[i] = static_cast<T>(std::min<double>((len - i) / 3, top));
    return x;
}

// One row per element type: the functions that type has.
template <class T> struct Ext;
#define EXT_MINMAX(s)                                                                                    \
    static constexpr auto minmax = veksMinMax_##s;                                                       \
    static constexpr auto minmax_i = veksMinMaxIndx_##s;
#define EXT_ROW(s)                                                                                       \
    template <> struct Ext<Vek##s> {                                                                     \
        static constexpr bool plain = true;                                                              \
        static constexpr auto max = veksMax_##s;                                                         \
        static constexpr auto min = veksMin_##s;                                                         \
        static constexpr auto max_i = veksMaxIndx_##s;                                                   \
        static constexpr auto min_i = veksMinIndx_##s;                                                   \
        EXT_MINMAX(s)                                                                                    \
    };
#define EXT_ROW_MINMAX_ONLY(s)                                                                           \
    template <> struct Ext<Vek##s> {                                                                     \
        static constexpr bool plain = false;                                                             \
        EXT_MINMAX(s)                                                                                    \
    };
EXT_ROW_MINMAX_ONLY(8u)
EXT_ROW_MINMAX_ONLY(16u)
EXT_ROW(16s)
EXT_ROW_MINMAX_ONLY(32u)
EXT_ROW(32s)
EXT_ROW(32f)
EXT_ROW(64f)
#undef EXT_ROW
#undef EXT_ROW_MINMAX_ONLY
#undef EXT_MINMAX

template <class T> class StatsExtremesTyped : public ::testing::Test {};
using ExtremeTypes = ::testing::Types<Vek8u, Vek16u, Vek16s, Vek32u, Vek32s, Vek32f, Vek64f>;
TYPED_TEST_SUITE(StatsExtremesTyped, ExtremeTypes);

TYPED_TEST(StatsExtremesTyped, FirstExtremeMatchesSequentialWalk) {
    using T = TypeParam;
    using E = Ext<T>;
    vt::Rng r(31);
    for (int len : {1, 2, 3, 8, 9, 17, 2047, 2048, 2049, 6001})
        for (int variant = 0; variant < 7; ++variant) {
            const auto x = tie_heavy<T>(r, len, variant);
            const int imax = ref_index(x, true, identity), imin = ref_index(x, false, identity);
            T lo{}, hi{};
            int ilo = -1, ihi = -1;
            ASSERT_EQ(E::minmax_i(x.data(), len, &lo, &ilo, &hi, &ihi), vekStsOk);
            EXPECT_EQ(ihi, imax) << len << " variant " << variant;
            EXPECT_EQ(ilo, imin) << len << " variant " << variant;
            EXPECT_TRUE(vt::same_bits(hi, x[imax]) && vt::same_bits(lo, x[imin]));
            T lo2{}, hi2{};
            ASSERT_EQ(E::minmax(x.data(), len, &lo2, &hi2), vekStsOk);
            EXPECT_TRUE(vt::same_bits(hi2, x[imax]) && vt::same_bits(lo2, x[imin])) << len << " variant " << variant;
            if constexpr (E::plain) {
                T v{};
                int i = -1;
                ASSERT_EQ(E::max_i(x.data(), len, &v, &i), vekStsOk);
                EXPECT_EQ(i, imax);
                EXPECT_TRUE(vt::same_bits(v, x[imax]));
                ASSERT_EQ(E::min_i(x.data(), len, &v, &i), vekStsOk);
                EXPECT_EQ(i, imin);
                EXPECT_TRUE(vt::same_bits(v, x[imin]));
                ASSERT_EQ(E::max(x.data(), len, &v), vekStsOk);
                EXPECT_TRUE(vt::same_bits(v, x[imax]));
                ASSERT_EQ(E::min(x.data(), len, &v), vekStsOk);
                EXPECT_TRUE(vt::same_bits(v, x[imin]));
                ASSERT_EQ(E::max_i(x.data(), len, &v, nullptr), vekStsOk); // no index wanted
                EXPECT_TRUE(vt::same_bits(v, x[imax]));
            }
        }
}

TEST(StatsExtremes, TiesKeepTheFirstIndex) {
    const Vek16s a[4] = {3, 7, 7, 1};
    Vek16s v;
    int i;
    veksMaxIndx_16s(a, 4, &v, &i);
    EXPECT_EQ(v, 7);
    EXPECT_EQ(i, 1);
    const Vek32f b[3] = {2, 1, 1};
    Vek32f f;
    veksMinIndx_32f(b, 3, &f, &i);
    EXPECT_EQ(i, 1);
    const Vek32f zeros[3] = {-1.0f, 0.0f, -0.0f};
    veksMaxIndx_32f(zeros, 3, &f, &i);
    EXPECT_EQ(i, 1);
    EXPECT_FALSE(std::signbit(f));
}

TEST(StatsExtremes, NanOnlyCountsAtIndexZero) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Vek32f first[2] = {nan, 5}, later[3] = {5, nan, 6};
    Vek32f v, lo, hi;
    int i = -1, ilo = -1, ihi = -1;
    veksMax_32f(first, 2, &v);
    EXPECT_TRUE(std::isnan(v));
    veksMin_32f(first, 2, &v);
    EXPECT_TRUE(std::isnan(v));
    veksMaxIndx_32f(first, 2, &v, &i);
    EXPECT_TRUE(std::isnan(v));
    EXPECT_EQ(i, 0);
    veksMinMaxIndx_32f(first, 2, &lo, &ilo, &hi, &ihi);
    EXPECT_TRUE(std::isnan(lo) && std::isnan(hi) && ilo == 0 && ihi == 0);
    veksMax_32f(later, 3, &v);
    EXPECT_EQ(v, 6);
    veksMin_32f(later, 3, &v);
    EXPECT_EQ(v, 5);
    const Vek64f d[3] = {1, std::numeric_limits<double>::quiet_NaN(), 0};
    Vek64f dv;
    veksMinIndx_64f(d, 3, &dv, &i);
    EXPECT_EQ(dv, 0);
    EXPECT_EQ(i, 2);
}

template <class T>
void check_abs_family(VekStatus (*max_abs)(const T*, int, T*), VekStatus (*min_abs)(const T*, int, T*),
                      VekStatus (*max_abs_i)(const T*, int, T*, int*), VekStatus (*min_abs_i)(const T*, int, T*, int*)) {
    vt::Rng r(41);
    const auto key = [](T v) { return saturated_abs(v); };
    for (int len : {1, 2, 5, 2049, 5000})
        for (int variant = 0; variant < 3; ++variant) {
            auto x = tie_heavy<T>(r, len, variant);
            const int imax = ref_index(x, true, key), imin = ref_index(x, false, key);
            T v;
            int i;
            ASSERT_EQ(max_abs_i(x.data(), len, &v, &i), vekStsOk);
            EXPECT_EQ(i, imax);
            EXPECT_EQ(v, key(x[imax]));
            ASSERT_EQ(min_abs_i(x.data(), len, &v, &i), vekStsOk);
            EXPECT_EQ(i, imin);
            EXPECT_EQ(v, key(x[imin]));
            ASSERT_EQ(max_abs(x.data(), len, &v), vekStsOk);
            EXPECT_EQ(v, key(x[imax]));
            ASSERT_EQ(min_abs(x.data(), len, &v), vekStsOk);
            EXPECT_EQ(v, key(x[imin]));
        }
    // The most negative value counts as the maximum, so it ties with it.
    const T lim[2] = {std::numeric_limits<T>::max(), std::numeric_limits<T>::min()};
    T v;
    int i = -1;
    max_abs_i(lim, 2, &v, &i);
    EXPECT_EQ(v, std::numeric_limits<T>::max());
    EXPECT_EQ(i, 0);
    max_abs_i(lim + 1, 1, &v, &i);
    EXPECT_EQ(v, std::numeric_limits<T>::max());
}

TEST(StatsExtremes, MagnitudesSaturate) {
    check_abs_family<Vek16s>(veksMaxAbs_16s, veksMinAbs_16s, veksMaxAbsIndx_16s, veksMinAbsIndx_16s);
    check_abs_family<Vek32s>(veksMaxAbs_32s, veksMinAbs_32s, veksMaxAbsIndx_32s, veksMinAbsIndx_32s);
}

template <class T>
void check_every(VekStatus (*max_every)(const T*, T*, int), VekStatus (*min_every)(const T*, T*, int)) {
    vt::Rng r(51);
    for (int len : {1, 7, 16, 33, 1001}) {
        const auto a = tie_heavy<T>(r, len, 3), b = tie_heavy<T>(r, len, 4); // NaNs and signed zeros
        for (bool max : {true, false}) {
            vt::Guarded<T> d(len);
            for (int k = 0; k < len; ++k) d[k] = b[k];
            ASSERT_EQ((max ? max_every : min_every)(a.data(), d.data(), len), vekStsOk);
            for (int k = 0; k < len; ++k) {
                const T want = (max ? a[k] > b[k] : a[k] < b[k]) ? a[k] : b[k];
                ASSERT_TRUE(vt::same_bits(d[k], want)) << k;
            }
            EXPECT_TRUE(d.guard_intact());
        }
    }
}

TEST(StatsExtremes, EveryKeepsDestinationUnlessStrictlyBeaten) {
    check_every<Vek8u>(veksMaxEvery_8u_I, veksMinEvery_8u_I);
    check_every<Vek16u>(veksMaxEvery_16u_I, veksMinEvery_16u_I);
    check_every<Vek16s>(veksMaxEvery_16s_I, veksMinEvery_16s_I);
    check_every<Vek32s>(veksMaxEvery_32s_I, veksMinEvery_32s_I);
    check_every<Vek32f>(veksMaxEvery_32f_I, veksMinEvery_32f_I);
}

} // namespace
