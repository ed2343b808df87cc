// Threshold family: every comparison boundary against expected tables, the
// complex forms against long-double references; out of place and in place
// on arrays at odd byte offsets.
#include "byte_offset.h"
#include "stats_test_util.h"

namespace {

// Out-of-place and in-place member bound to their parameters.
#define PAIR(fn, ...) [&](const auto* s, auto* d, int n) { return fn(s, d, n, __VA_ARGS__); }, \
                      [&](auto* sd, int n) { return fn##_I(sd, n, __VA_ARGS__); }

template <class T, class Out, class In>
void expect_both(const std::vector<T>& src, const std::vector<T>& want, Out out, In in, VekStatus sts = vekStsOk) {
    vt::Misaligned<T> s(src), d(src.size(), 3), io(src);
    EXPECT_EQ(out(s.data(), d.data(), int(src.size())), sts);
    EXPECT_EQ(in(io.data(), int(src.size())), sts);
    EXPECT_TRUE(st::same_bits_all(d.values(), want) && st::same_bits_all(io.values(), want));
    EXPECT_TRUE(st::same_bits_all(s.values(), src)) << "source changed";
}

// Elements equal to the level, one step either side, signed zeros, NaN
// and infinities, the negated level.
#define FLOAT_BOUNDARIES(s)                                                                                   \
    TEST(Threshold, FloatBoundaries_##s) {                                                                    \
        using F = Vek##s;                                                                                     \
        const F L = 1.5, up = std::nextafter(L, F(2)), dn = std::nextafter(L, F(1)), z = 0, nz = -z;          \
        const F inf = std::numeric_limits<F>::infinity(), nan = std::numeric_limits<F>::quiet_NaN();          \
        const std::vector<F> x = {L, up, dn, nz, z, nan, inf, -inf, -L};                                      \
        const std::vector<F> lt = {L, up, L, L, L, L, inf, L, L}, gt = {L, L, dn, nz, z, L, L, -inf, -L};     \
        expect_both<F>(x, lt, PAIR(veksThreshold_LT_##s, L));                                                    \
        expect_both<F>(x, gt, PAIR(veksThreshold_GT_##s, L));                                                    \
        expect_both<F>(x, lt, PAIR(veksThreshold_##s, L, 7));                                                    \
        expect_both<F>(x, gt, PAIR(veksThreshold_##s, L, vekCmpGreater));                                        \
        expect_both<F>(x, {L, up, 9, 9, 9, 9, inf, 9, 9}, PAIR(veksThreshold_LTVal_##s, L, F(9)));               \
        expect_both<F>(x, {L, 9, dn, nz, z, 9, 9, -inf, -L}, PAIR(veksThreshold_GTVal_##s, L, F(9)));            \
        expect_both<F>(x, {L, 7, dn, nz, z, 7, 7, -7, -L}, PAIR(veksThreshold_LTValGTVal_##s, -L, F(-7), L, F(7))); \
        expect_both<F>(x, {L, up, L, L, L, -L, inf, -inf, -L}, PAIR(veksThreshold_LTAbs_##s, L));                \
        expect_both<F>(x, {L, L, dn, nz, z, -L, L, -L, -L}, PAIR(veksThreshold_GTAbs_##s, L));                   \
        expect_both<F>(x, {1 / L, 1 / up, 1 / L, 1 / L, 1 / L, -1 / L, z, nz, -1 / L},                            \
                    PAIR(veksThreshold_LTInv_##s, L));                                                        \
        /* the level itself is what replaces: its zero sign, and 0 - L for the Abs forms */                    \
        expect_both<F>({nz, z}, {z, z}, PAIR(veksThreshold_LT_##s, z));                                          \
        expect_both<F>({z, nz}, {nz, nz}, PAIR(veksThreshold_GT_##s, nz));                                       \
        expect_both<F>({F(-3), nan, nz}, {z, z, nz}, PAIR(veksThreshold_GTAbs_##s, z));                          \
        expect_both<F>({nan, nz, F(-2)}, {z, nz, F(-2)}, PAIR(veksThreshold_LTAbs_##s, z));                      \
        /* inversion at level 0: zeros of either sign give +inf and the warning after the whole vector */     \
        expect_both<F>({F(2), z, nz, F(-4)}, {F(0.5), inf, inf, F(-0.25)}, PAIR(veksThreshold_LTInv_##s, z),     \
                    vekStsInverseOfZero);                                                                     \
        expect_both<F>({F(2), F(-4)}, {F(0.5), F(-0.25)}, PAIR(veksThreshold_LTInv_##s, z));                     \
        expect_both<F>({F(0.25), F(-0.25), F(4)}, {F(2), F(-2), F(0.25)}, PAIR(veksThreshold_LTInv_##s, F(0.5))); \
    }
FLOAT_BOUNDARIES(32f)
FLOAT_BOUNDARIES(64f)

#define INT_BOUNDARIES(s)                                                                                     \
    TEST(Threshold, IntegerBoundaries_##s) {                                                                  \
        using I = Vek##s;                                                                                     \
        const I lo = std::numeric_limits<I>::min(), hi = std::numeric_limits<I>::max();                      \
        const std::vector<I> x = {4, 5, 6, -5, -6, 0, lo, hi};                                                \
        expect_both<I>(x, {5, 5, 6, 5, 5, 5, 5, hi}, PAIR(veksThreshold_LT_##s, I(5)));                          \
        expect_both<I>(x, {4, 5, 5, -5, -6, 0, lo, 5}, PAIR(veksThreshold_GT_##s, I(5)));                        \
        expect_both<I>(x, {4, 5, 99, -5, -99, 0, -99, 99}, PAIR(veksThreshold_LTValGTVal_##s, I(-5), I(-99), I(5), I(99))); \
        expect_both<I>(x, {5, 5, 6, -5, -6, 5, lo, hi}, PAIR(veksThreshold_LTAbs_##s, I(5)));                    \
        expect_both<I>(x, {4, 5, 5, -5, -5, 0, -5, 5}, PAIR(veksThreshold_GTAbs_##s, I(5)));                     \
    }
INT_BOUNDARIES(16s)
INT_BOUNDARIES(32s)

// got within `ulps` of z scaled by a factor, per component (integers: rounded to nearest, equal).
template <class C>
bool close(C got, C z, long double factor, double ulps) {
    using R = decltype(got.re);
    const auto part = [&](R v) { return std::is_integral_v<R> ? R(std::nearbyint(v * factor)) : R(v * factor); };
    if constexpr (std::is_integral_v<R>) return got.re == part(z.re) && got.im == part(z.im);
    else return vt::ulp_distance<R>(got.re, part(z.re)) <= ulps && vt::ulp_distance<R>(got.im, part(z.im)) <= ulps;
}

// Random elements around the level: results are the reference values
// (clamped along their own direction, or 1/z), decisions exact.
template <class C, class Lt, class Gt, class Inv>
void complex_against_reference(decltype(C{}.re) L, Lt lt, Gt gt, Inv inv, double ulps) {
    using R = decltype(C{}.re);
    vt::Rng rng(7);
    std::vector<C> z(300);
    for (auto& c : z) c = C{R(rng.real(-2.0 * L, 2.0 * L)), R(rng.real(-2.0 * L, 2.0 * L))};
    vt::Misaligned<C> s(z), a(z.size()), b(z.size()), c(z.size());
    ASSERT_EQ(lt(s.data(), a.data(), int(z.size())), vekStsOk);
    ASSERT_EQ(gt(s.data(), b.data(), int(z.size())), vekStsOk);
    if constexpr (!std::is_null_pointer_v<Inv>) {
        ASSERT_EQ(inv(s.data(), c.data(), int(z.size())), vekStsOk);
    }
    const auto va = a.values(), vb = b.values(), vc = c.values();
    for (std::size_t k = 0; k < z.size(); ++k) {
        const long double re = z[k].re, im = z[k].im, m = re * re + im * im, L2 = (long double)L * L;
        const long double f = std::sqrt(L2 / m);
        EXPECT_TRUE(close(va[k], z[k], m >= L2 ? 1 : f, ulps)) << k;
        EXPECT_TRUE(close(vb[k], z[k], m <= L2 ? 1 : f, ulps)) << k;
        const long double d = m >= L2 ? m : std::sqrt(m) * L;
        if constexpr (!std::is_null_pointer_v<Inv>) {
            EXPECT_TRUE(close(vc[k], C{R(re / d), R(-im / d)}, 1, ulps)) << k;
        }
    }
}

#define OUT(fn, ...) [&](const auto* s, auto* d, int n) { return fn(s, d, n, __VA_ARGS__); }

#define COMPLEX_FORMS(s, r, ulps, inv, steps)                                                                 \
    TEST(Threshold, Complex_##s) {                                                                            \
        using C = Vek##s;                                                                                     \
        using R = Vek##r;                                                                                     \
        const std::vector<C> x = {{3, 4}, {0, 0}, {-3, 4}, {6, -8}};                                          \
        /* |(3,4)| = 5 equals the level: every form keeps it */                                               \
        expect_both<C>(x, {{3, 4}, {5, 0}, {-3, 4}, {6, -8}}, PAIR(veksThreshold_LT_##s, R(5)));                 \
        expect_both<C>(x, {{3, 4}, {0, 0}, {-3, 4}, {3, -4}}, PAIR(veksThreshold_GT_##s, R(5)));                 \
        expect_both<C>(x, {{3, 4}, {1, 2}, {-3, 4}, {6, -8}}, PAIR(veksThreshold_LTVal_##s, R(5), C{1, 2}));     \
        expect_both<C>(x, {{3, 4}, {0, 0}, {-3, 4}, {1, 2}}, PAIR(veksThreshold_GTVal_##s, R(5), C{1, 2}));      \
        complex_against_reference<C>(R(100), OUT(veksThreshold_LT_##s, R(100)), OUT(veksThreshold_GT_##s, R(100)), inv, ulps); \
        steps(s)                                                                                              \
    }
#define NO_STEPS(s)
// Floating complex: one step either side of |z| = 5, and the inversion.
#define FLOAT_STEPS(s)                                                                                        \
    const R up = std::nextafter(R(5), R(6)), dn = std::nextafter(R(5), R(4));                                 \
    const R inf = std::numeric_limits<R>::infinity();                                                         \
    expect_both<C>({{3, 4}}, {{1, 2}}, PAIR(veksThreshold_LTVal_##s, up, C{1, 2}));                           \
    expect_both<C>({{3, 4}}, {{1, 2}}, PAIR(veksThreshold_GTVal_##s, dn, C{1, 2}));                           \
    expect_both<C>({{3, 4}, {0, 0}, {-0.0, 0}}, {{R(0.12), R(-0.16)}, {inf, 0}, {inf, 0}},                    \
                   PAIR(veksThreshold_LTInv_##s, R(0)), vekStsInverseOfZero);                                 \
    expect_both<C>({{0, 0}, {0.5, 0}, {4, 0}}, {{R(0.5), 0}, {R(0.5), R(-0.0)}, {R(0.25), R(-0.0)}},          \
                   PAIR(veksThreshold_LTInv_##s, R(2)));
COMPLEX_FORMS(16sc, 16s, 0, nullptr, NO_STEPS)
COMPLEX_FORMS(32fc, 32f, 1, OUT(veksThreshold_LTInv_32fc, R(100)), FLOAT_STEPS)
COMPLEX_FORMS(64fc, 64f, 4, OUT(veksThreshold_LTInv_64fc, R(100)), FLOAT_STEPS)

// A level above the upper level is an error after the pointers and the length; equal levels are valid.
TEST(Threshold, LevelOrder) {
    const VekStatus bad = vekStsBadLevelOrder;
    expect_both<Vek32f>({0, 0}, {0, 0}, PAIR(veksThreshold_LTValGTVal_32f, 10.f, -1.f, 0.f, 9.f), bad);
    expect_both<Vek32f>({2, 3}, {2, 7}, PAIR(veksThreshold_LTValGTVal_32f, 2.f, 1.f, 2.f, 7.f));
    expect_both<Vek32f>({-3, 0}, {-1, 0}, PAIR(veksThreshold_LT_32f, -1.f)); // real levels may be negative
}

} // namespace
