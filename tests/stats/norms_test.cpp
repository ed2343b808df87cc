#include <functional>

#include "stats_test_util.h"

namespace {

using vt::i128;
using st::lim;

// Truncating shift references on exact totals.
Vek32s ref_shift_32s(i128 v, int sf) {
    return sf >= 0 ? vt::sat<Vek32s>(v >> std::min(sf, 100)) : vt::sat<Vek32s>(vt::sat<Vek32s>(v) * vt::pow2(std::min(-sf, 40)));
}
Vek64s ref_shift_64s(i128 v, int sf) {
    if (sf >= 0) return Vek64s(v >> std::min(sf, 100));
    const i128 w = v * vt::pow2(std::min(-sf, 64));
    return w > lim<Vek64s>::max() ? lim<Vek64s>::max() : Vek64s(w);
}

// Norm, or NormDiff when diff is set, of the loop's a (and b); then the scale factor, if any.
#define NORM16(kind, r, ...) \
    (diff ? veksNormDiff_##kind(a.data(), b.data(), len, r, ##__VA_ARGS__) : veksNorm_##kind(a.data(), len, r, ##__VA_ARGS__))

TEST(StatsNorms, SixteenBitNormsExact) {
    vt::Rng r(61);
    for (int len : {1, 2, 9, 1000, 65537, 140000})
        for (int kind = 0; kind < 4; ++kind)
            for (bool diff : {false, true}) {
                SCOPED_TRACE(testing::Message() << "len " << len << " kind " << kind << " diff " << diff);
                // Kinds 1 and 2 give the widest magnitudes and differences (65535).
                const auto a = st::ints<Vek16s>(r, len, kind), b = st::ints<Vek16s>(r, len, kind % 3 ? 3 - kind : 0);
                i128 inf = 0, l1 = 0, sq = 0;
                for (int i = 0; i < len; ++i) {
                    const i128 d = i128(a[i]) - (diff ? b[i] : 0), m = d < 0 ? -d : d;
                    inf = std::max(inf, m), l1 += m, sq += d * d;
                }
                const double root = std::sqrt(double(sq));
                Vek32f f;
                EXPECT_TRUE(NORM16(Inf_16s32f, &f) == vekStsOk && f == float(inf));
                EXPECT_TRUE(NORM16(L1_16s32f, &f) == vekStsOk && f == float(Vek64s(l1)));
                EXPECT_TRUE(NORM16(L2_16s32f, &f) == vekStsOk && f == float(root));
                for (int sf = -70; sf <= 70; ++sf) {
                    Vek32s v;
                    Vek64s w;
                    ASSERT_TRUE(NORM16(Inf_16s32s_Sfs, &v, sf) == vekStsOk && v == ref_shift_32s(inf, sf)) << sf;
                    ASSERT_TRUE(NORM16(L1_16s32s_Sfs, &v, sf) == vekStsOk && v == ref_shift_32s(l1, sf)) << sf;
                    ASSERT_TRUE(NORM16(L1_16s64s_Sfs, &w, sf) == vekStsOk && w == ref_shift_64s(l1, sf)) << sf;
                    ASSERT_TRUE(NORM16(L2Sqr_16s64s_Sfs, &w, sf) == vekStsOk && w == ref_shift_64s(sq, sf)) << sf;
                    // The square root in double, scaled, truncated.
                    const double t = std::ldexp(root, -sf);
                    ASSERT_TRUE(NORM16(L2_16s32s_Sfs, &v, sf) == vekStsOk && v == (t >= 2147483647.0 ? 2147483647 : Vek32s(t))) << sf;
                }
            }
}

// Inf, L1 and L2 of parts (re, im) with an optional subtrahend, the
// difference rounded to F as the library forms it.
template <class F> std::array<long double, 3> ref_norms(const std::vector<F>* re, const std::vector<F>* im, bool diff) {
    long double inf = 0, l1 = 0, sq = 0;
    for (std::size_t i = 0; i < re[0].size(); ++i) {
        const long double x = diff ? F(re[0][i] - re[1][i]) : re[0][i];
        const long double y = !im ? 0 : diff ? F(im[0][i] - im[1][i]) : im[0][i];
        const long double m = std::sqrt(x * x + y * y);
        inf = std::max(inf, m), l1 += m, sq += x * x + y * y;
    }
    return {inf, l1, std::sqrt(sq)};
}

// Double sums of n terms err by less than about n * 2^-53 relative;
// single results are then within one unit in the last place.
template <class R> bool close(R got, long double want, std::size_t n) {
    return sizeof(R) == 4 ? vt::ulp_distance(float(got), want) <= 1.0 : std::fabs(got - want) <= want * (n + 4) * 1.2e-16L;
}

// Any float norm through one signature: true when it succeeds with a result
// close to want (a sum of `terms` terms), or equal to it when `exact`.
template <class T> using FloatNorm = std::function<bool(const T*, const T*, int, long double, std::size_t, bool)>;
#define FNORM(kind, R)                                                                                   \
    [](const auto* a, const auto* b, int n, long double want, std::size_t terms, bool exact) {           \
        R v;                                                                                             \
        const VekStatus s = b ? veksNormDiff_##kind(a, b, n, &v) : veksNorm_##kind(a, n, &v);            \
        return s == vekStsOk && (exact ? v == R(want) : close(v, want, terms));                          \
    }

template <class F, class C>
void check_float_norms(std::array<FloatNorm<F>, 3> real, std::array<FloatNorm<C>, 3> cplx) {
    vt::Rng r(71);
    for (std::size_t n : {1, 2, 7, 8, 9, 17, 1000, 4099}) {
        const std::vector<F> re[2] = {st::spread<F>(r, n, 6), st::spread<F>(r, n, 6)}, im[2] = {st::spread<F>(r, n, 6), st::spread<F>(r, n, 6)};
        std::vector<C> c[2] = {std::vector<C>(n), std::vector<C>(n)};
        for (int k = 0; k < 2; ++k)
            for (std::size_t i = 0; i < n; ++i) c[k][i] = {re[k][i], im[k][i]};
        for (bool d : {false, true}) {
            const auto want = ref_norms<F>(re, nullptr, d), cwant = ref_norms(re, im, d);
            for (int k = 0; k < 3; ++k) {
                SCOPED_TRACE(testing::Message() << "kind " << k << " n " << n << " diff " << d);
                // The largest real magnitude is exact.
                EXPECT_TRUE(real[k](re[0].data(), d ? re[1].data() : nullptr, int(n), want[k], n, k == 0));
                EXPECT_TRUE(cplx[k](c[0].data(), d ? c[1].data() : nullptr, int(n), cwant[k], 2 * n, false)) << "complex";
            }
        }
    }
}

TEST(StatsNorms, FloatNormsAgainstLongDoubleAndTheMaxRuleForNan) {
    check_float_norms<Vek32f, Vek32fc>({FNORM(Inf_32f, Vek32f), FNORM(L1_32f, Vek32f), FNORM(L2_32f, Vek32f)},
                                       {FNORM(Inf_32fc32f, Vek32f), FNORM(L1_32fc64f, Vek64f), FNORM(L2_32fc64f, Vek64f)});
    check_float_norms<Vek64f, Vek64fc>({FNORM(Inf_64f, Vek64f), FNORM(L1_64f, Vek64f), FNORM(L2_64f, Vek64f)},
                                       {FNORM(Inf_64fc64f, Vek64f), FNORM(L1_64fc64f, Vek64f), FNORM(L2_64fc64f, Vek64f)});
    // A NaN first magnitude is the result; later ones are skipped.
    const float nan = lim<float>::quiet_NaN();
    const Vek32f first[2] = {nan, 1}, later[3] = {1, nan, -2};
    const Vek32fc c[2] = {{1, 0}, {nan, 0}};
    Vek32f f, g, h;
    EXPECT_TRUE(veksNorm_Inf_32f(first, 2, &f) == vekStsOk && std::isnan(f));
    EXPECT_TRUE(veksNorm_Inf_32f(later, 3, &g) == vekStsOk && g == 2.0f);
    EXPECT_TRUE(veksNorm_Inf_32fc32f(c, 2, &h) == vekStsOk && h == 1.0f);
}

} // namespace
