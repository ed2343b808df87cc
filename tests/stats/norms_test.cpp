#include <cmath>
#include <limits>
#include <vector>

#include "stats_test_util.h"

namespace {

using st::i128;

TEST(StatsNorms, ArgumentChecks) {
    st::expect_checks(veksNorm_Inf_16s32f);
    st::expect_checks(veksNorm_Inf_16s32s_Sfs);
    st::expect_checks(veksNorm_Inf_32f);
    st::expect_checks(veksNorm_Inf_64f);
    st::expect_checks(veksNorm_Inf_32fc32f);
    st::expect_checks(veksNorm_Inf_64fc64f);
    st::expect_checks(veksNorm_L1_16s32f);
    st::expect_checks(veksNorm_L1_16s32s_Sfs);
    st::expect_checks(veksNorm_L1_16s64s_Sfs);
    st::expect_checks(veksNorm_L1_32f);
    st::expect_checks(veksNorm_L1_64f);
    st::expect_checks(veksNorm_L1_32fc64f);
    st::expect_checks(veksNorm_L1_64fc64f);
    st::expect_checks(veksNorm_L2_16s32f);
    st::expect_checks(veksNorm_L2_16s32s_Sfs);
    st::expect_checks(veksNorm_L2_32f);
    st::expect_checks(veksNorm_L2_64f);
    st::expect_checks(veksNorm_L2_32fc64f);
    st::expect_checks(veksNorm_L2_64fc64f);
    st::expect_checks(veksNorm_L2Sqr_16s64s_Sfs);
    st::expect_checks(veksNormDiff_Inf_16s32f);
    st::expect_checks(veksNormDiff_Inf_16s32s_Sfs);
    st::expect_checks(veksNormDiff_Inf_32f);
    st::expect_checks(veksNormDiff_Inf_64f);
    st::expect_checks(veksNormDiff_Inf_32fc32f);
    st::expect_checks(veksNormDiff_Inf_64fc64f);
    st::expect_checks(veksNormDiff_L1_16s32f);
    st::expect_checks(veksNormDiff_L1_16s32s_Sfs);
    st::expect_checks(veksNormDiff_L1_16s64s_Sfs);
    st::expect_checks(veksNormDiff_L1_32f);
    st::expect_checks(veksNormDiff_L1_64f);
    st::expect_checks(veksNormDiff_L1_32fc64f);
    st::expect_checks(veksNormDiff_L1_64fc64f);
    st::expect_checks(veksNormDiff_L2_16s32f);
    st::expect_checks(veksNormDiff_L2_16s32s_Sfs);
    st::expect_checks(veksNormDiff_L2_32f);
    st::expect_checks(veksNormDiff_L2_64f);
    st::expect_checks(veksNormDiff_L2_32fc64f);
    st::expect_checks(veksNormDiff_L2_64fc64f);
    st::expect_checks(veksNormDiff_L2Sqr_16s64s_Sfs);
}

// ---- 16-bit data: exact totals --------------------------------------------------------------
struct Totals { i128 inf = 0, l1 = 0, l2sqr = 0; };

Totals totals_of(const std::vector<i128>& d) {
    Totals t;
    for (auto v : d) {
        const i128 a = v < 0 ? -v : v;
        t.inf = a > t.inf ? a : t.inf;
        t.l1 += a;
        t.l2sqr += v * v;
    }
    return t;
}

Vek32s ref_shift_32s(i128 v, int sf) {
    if (sf >= 0) return st::sat<Vek32s>(sf >= 100 ? 0 : v >> sf);
    return st::sat<Vek32s>(i128(st::sat<Vek32s>(v)) * st::pow2(std::min(-sf, 40)));
}
Vek64s ref_shift_64s(i128 v, int sf) {
    if (sf >= 0) return Vek64s(sf >= 100 ? 0 : v >> sf);
    if (v == 0) return 0;
    if (-sf >= 64) return std::numeric_limits<Vek64s>::max();
    const i128 w = v << -sf;
    return w > i128(std::numeric_limits<Vek64s>::max()) ? std::numeric_limits<Vek64s>::max() : Vek64s(w);
}
// The square root is taken in double, scaled, then truncated.
Vek32s ref_l2_32s(i128 sq, int sf) {
    const double v = std::ldexp(std::sqrt(static_cast<double>(sq)), -sf);
    return v >= 2147483647.0 ? 2147483647 : Vek32s(v);
}
i128 isqrt(i128 n) {
    i128 r = static_cast<i128>(std::sqrt(static_cast<long double>(n)));
    while (r * r > n) --r;
    while ((r + 1) * (r + 1) <= n) ++r;
    return r;
}

// Runs every 16-bit norm of d (a single vector or a difference) and
// compares with the references.
struct Int16Case {
    std::vector<Vek16s> a, b;
    bool diff;
};

void check_int16_norms(const Int16Case& c) {
    const int len = int(c.a.size());
    std::vector<i128> d(len);
    for (int i = 0; i < len; ++i) d[i] = i128(c.a[i]) - (c.diff ? c.b[i] : 0);
    const Totals t = totals_of(d);
    const Vek16s* a = c.a.data();
    const Vek16s* b = c.b.data();
    Vek32f f = 0;
    c.diff ? veksNormDiff_Inf_16s32f(a, b, len, &f) : veksNorm_Inf_16s32f(a, len, &f);
    EXPECT_EQ(f, static_cast<float>(t.inf));
    c.diff ? veksNormDiff_L1_16s32f(a, b, len, &f) : veksNorm_L1_16s32f(a, len, &f);
    EXPECT_EQ(f, static_cast<float>(static_cast<Vek64s>(t.l1)));
    c.diff ? veksNormDiff_L2_16s32f(a, b, len, &f) : veksNorm_L2_16s32f(a, len, &f);
    EXPECT_EQ(f, static_cast<float>(std::sqrt(static_cast<double>(t.l2sqr))));
    for (int sf = -70; sf <= 70; ++sf) {
        Vek32s r32 = 0;
        Vek64s r64 = 0;
        ASSERT_EQ(c.diff ? veksNormDiff_Inf_16s32s_Sfs(a, b, len, &r32, sf) : veksNorm_Inf_16s32s_Sfs(a, len, &r32, sf), vekStsOk);
        ASSERT_EQ(r32, ref_shift_32s(t.inf, sf)) << "Inf sf " << sf;
        ASSERT_EQ(c.diff ? veksNormDiff_L1_16s32s_Sfs(a, b, len, &r32, sf) : veksNorm_L1_16s32s_Sfs(a, len, &r32, sf), vekStsOk);
        ASSERT_EQ(r32, ref_shift_32s(t.l1, sf)) << "L1 sf " << sf;
        ASSERT_EQ(c.diff ? veksNormDiff_L1_16s64s_Sfs(a, b, len, &r64, sf) : veksNorm_L1_16s64s_Sfs(a, len, &r64, sf), vekStsOk);
        ASSERT_EQ(r64, ref_shift_64s(t.l1, sf)) << "L1 64 sf " << sf;
        ASSERT_EQ(c.diff ? veksNormDiff_L2Sqr_16s64s_Sfs(a, b, len, &r64, sf) : veksNorm_L2Sqr_16s64s_Sfs(a, len, &r64, sf), vekStsOk);
        ASSERT_EQ(r64, ref_shift_64s(t.l2sqr, sf)) << "L2Sqr sf " << sf;
        ASSERT_EQ(c.diff ? veksNormDiff_L2_16s32s_Sfs(a, b, len, &r32, sf) : veksNorm_L2_16s32s_Sfs(a, len, &r32, sf), vekStsOk);
        ASSERT_EQ(r32, ref_l2_32s(t.l2sqr, sf)) << "L2 sf " << sf;
        // Below 2^52 the double square root truncates like the exact one.
        if (sf >= 0 && sf < 40 && t.l2sqr < (i128(1) << 52)) {
            ASSERT_EQ(r32, st::sat<Vek32s>(isqrt(t.l2sqr) >> sf));
        }
    }
}

TEST(StatsNorms, SixteenBitNormsExact) {
    vt::Rng r(61);
    for (int len : {1, 2, 9, 1000, 65537, 140000})
        for (int kind = 0; kind < 4; ++kind)
            for (bool diff : {false, true}) {
                Int16Case c{std::vector<Vek16s>(len), std::vector<Vek16s>(len), diff};
                for (int i = 0; i < len; ++i) {
                    // Kind 1 and 2 give the widest magnitudes and differences.
                    c.a[i] = kind == 1 ? Vek16s(-32768) : kind == 2 ? Vek16s(32767) : kind == 3 ? r.integer<Vek16s>(-2, 2) : r.any<Vek16s>();
                    c.b[i] = kind == 1 ? Vek16s(32767) : kind == 2 ? Vek16s(-32768) : r.any<Vek16s>();
                }
                SCOPED_TRACE(testing::Message() << "len " << len << " kind " << kind << " diff " << diff);
                check_int16_norms(c);
            }
}

TEST(StatsNorms, IntegerScalingTruncates) {
    const Vek16s v[2] = {3, 4}, m[1] = {-32768};
    Vek32s r = 0;
    veksNorm_L2_16s32s_Sfs(v, 2, &r, 1);
    EXPECT_EQ(r, 2); // 2.5 truncated
    veksNorm_Inf_16s32s_Sfs(m, 1, &r, 0);
    EXPECT_EQ(r, 32768);
    veksNorm_L1_16s32s_Sfs(v, 2, &r, 1);
    EXPECT_EQ(r, 3); // 3.5 truncated
}

// ---- float data ---------------------------------------------------------------------------
template <class F>
std::vector<F> values(vt::Rng& r, std::size_t n) {
    std::vector<F> v(n);
    for (auto& x : v) x = static_cast<F>(std::ldexp(r.real(-1, 1), r.integer(-6, 6)));
    return v;
}

struct FloatRef { long double inf = 0, l1 = 0, l2 = 0; };

template <class F>
FloatRef real_ref(const std::vector<F>& a, const std::vector<F>* b) {
    FloatRef t;
    long double sq = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const long double d = b ? static_cast<long double>(F(a[i] - (*b)[i])) : a[i];
        t.inf = std::max(t.inf, std::fabs(d));
        t.l1 += std::fabs(d);
        sq += d * d;
    }
    t.l2 = std::sqrt(sq);
    return t;
}

template <class F>
FloatRef complex_ref(const std::vector<F>& re, const std::vector<F>& im, const std::vector<F>* bre, const std::vector<F>* bim) {
    FloatRef t;
    long double sq = 0;
    for (std::size_t i = 0; i < re.size(); ++i) {
        const long double x = bre ? static_cast<long double>(F(re[i] - (*bre)[i])) : re[i];
        const long double y = bim ? static_cast<long double>(F(im[i] - (*bim)[i])) : im[i];
        const long double m2 = x * x + y * y;
        t.inf = std::max(t.inf, std::sqrt(m2));
        t.l1 += std::sqrt(m2);
        sq += m2;
    }
    t.l2 = std::sqrt(sq);
    return t;
}

// Double sums of n terms carry a relative error below about n * 2^-53;
// single results are then within one unit in the last place.
template <class R>
void expect_close(R got, long double want, std::size_t n, const char* what) {
    if (sizeof(R) == 4) EXPECT_LE(vt::ulp_distance(got, want), 1.0) << what << " n " << n;
    else EXPECT_LE(std::fabs(got - want), want * (n + 4) * 1.2e-16L) << what << " n " << n;
}

TEST(StatsNorms, RealFloatNormsAgainstLongDouble) {
    vt::Rng r(71);
    for (std::size_t n : {1, 2, 7, 8, 9, 17, 1000, 4099}) {
        const auto a32 = values<Vek32f>(r, n), b32 = values<Vek32f>(r, n);
        const auto a64 = values<Vek64f>(r, n), b64 = values<Vek64f>(r, n);
        for (bool diff : {false, true}) {
            const int len = int(n);
            Vek32f f;
            Vek64f d;
            const FloatRef w32 = real_ref(a32, diff ? &b32 : nullptr), w64 = real_ref(a64, diff ? &b64 : nullptr);
            diff ? veksNormDiff_Inf_32f(a32.data(), b32.data(), len, &f) : veksNorm_Inf_32f(a32.data(), len, &f);
            EXPECT_EQ(f, static_cast<float>(w32.inf));
            diff ? veksNormDiff_L1_32f(a32.data(), b32.data(), len, &f) : veksNorm_L1_32f(a32.data(), len, &f);
            expect_close(f, w32.l1, n, "L1_32f");
            diff ? veksNormDiff_L2_32f(a32.data(), b32.data(), len, &f) : veksNorm_L2_32f(a32.data(), len, &f);
            expect_close(f, w32.l2, n, "L2_32f");
            diff ? veksNormDiff_Inf_64f(a64.data(), b64.data(), len, &d) : veksNorm_Inf_64f(a64.data(), len, &d);
            EXPECT_EQ(d, static_cast<double>(w64.inf));
            diff ? veksNormDiff_L1_64f(a64.data(), b64.data(), len, &d) : veksNorm_L1_64f(a64.data(), len, &d);
            expect_close(d, w64.l1, n, "L1_64f");
            diff ? veksNormDiff_L2_64f(a64.data(), b64.data(), len, &d) : veksNorm_L2_64f(a64.data(), len, &d);
            expect_close(d, w64.l2, n, "L2_64f");
        }
    }
}

template <class C, class F>
std::vector<C> complex_of(const std::vector<F>& re, const std::vector<F>& im) {
    std::vector<C> c(re.size());
    for (std::size_t i = 0; i < re.size(); ++i) c[i] = {re[i], im[i]};
    return c;
}

TEST(StatsNorms, ComplexFloatNormsAgainstLongDouble) {
    vt::Rng r(81);
    for (std::size_t n : {1, 3, 8, 9, 1000}) {
        const int len = int(n);
        const auto ar = values<Vek32f>(r, n), ai = values<Vek32f>(r, n), br = values<Vek32f>(r, n), bi = values<Vek32f>(r, n);
        const auto a = complex_of<Vek32fc>(ar, ai), b = complex_of<Vek32fc>(br, bi);
        const auto dr = values<Vek64f>(r, n), di = values<Vek64f>(r, n), er = values<Vek64f>(r, n), ei = values<Vek64f>(r, n);
        const auto c = complex_of<Vek64fc>(dr, di), e = complex_of<Vek64fc>(er, ei);
        for (bool diff : {false, true}) {
            const FloatRef w32 = complex_ref(ar, ai, diff ? &br : nullptr, diff ? &bi : nullptr);
            const FloatRef w64 = complex_ref(dr, di, diff ? &er : nullptr, diff ? &ei : nullptr);
            Vek32f f;
            Vek64f d;
            diff ? veksNormDiff_Inf_32fc32f(a.data(), b.data(), len, &f) : veksNorm_Inf_32fc32f(a.data(), len, &f);
            expect_close(f, w32.inf, 1, "Inf_32fc32f");
            diff ? veksNormDiff_L1_32fc64f(a.data(), b.data(), len, &d) : veksNorm_L1_32fc64f(a.data(), len, &d);
            expect_close(d, w32.l1, 2 * n, "L1_32fc64f");
            diff ? veksNormDiff_L2_32fc64f(a.data(), b.data(), len, &d) : veksNorm_L2_32fc64f(a.data(), len, &d);
            expect_close(d, w32.l2, 2 * n, "L2_32fc64f");
            diff ? veksNormDiff_Inf_64fc64f(c.data(), e.data(), len, &d) : veksNorm_Inf_64fc64f(c.data(), len, &d);
            expect_close(d, w64.inf, 2, "Inf_64fc64f");
            diff ? veksNormDiff_L1_64fc64f(c.data(), e.data(), len, &d) : veksNorm_L1_64fc64f(c.data(), len, &d);
            expect_close(d, w64.l1, 2 * n, "L1_64fc64f");
            diff ? veksNormDiff_L2_64fc64f(c.data(), e.data(), len, &d) : veksNorm_L2_64fc64f(c.data(), len, &d);
            expect_close(d, w64.l2, 2 * n, "L2_64fc64f");
        }
    }
}

TEST(StatsNorms, DifferenceNormIsNormOfDifference) {
    // The difference is formed in the element type, so NormDiff(a, b)
    // equals Norm(a - b) bit for bit.
    vt::Rng r(91);
    const int len = 1003;
    const auto a = values<Vek32f>(r, len), b = values<Vek32f>(r, len);
    std::vector<Vek32f> d(len);
    for (int i = 0; i < len; ++i) d[i] = a[i] - b[i];
    for (auto pair : {std::make_pair(veksNorm_Inf_32f, veksNormDiff_Inf_32f), std::make_pair(veksNorm_L1_32f, veksNormDiff_L1_32f),
                      std::make_pair(veksNorm_L2_32f, veksNormDiff_L2_32f)}) {
        Vek32f n1, n2;
        pair.first(d.data(), len, &n1);
        pair.second(a.data(), b.data(), len, &n2);
        EXPECT_TRUE(vt::same_bits(n1, n2));
    }
}

TEST(StatsNorms, InfNormFollowsTheMaxRuleForNan) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Vek32f first[2] = {nan, 1}, later[3] = {1, nan, -2};
    Vek32f f;
    veksNorm_Inf_32f(first, 2, &f);
    EXPECT_TRUE(std::isnan(f));
    veksNorm_Inf_32f(later, 3, &f);
    EXPECT_EQ(f, 2.0f);
    const Vek32fc c[2] = {{1, 0}, {nan, 0}};
    veksNorm_Inf_32fc32f(c, 2, &f);
    EXPECT_EQ(f, 1.0f);
}

} // namespace
