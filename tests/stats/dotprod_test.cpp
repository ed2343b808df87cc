#include "stats_test_util.h"

namespace {

using vt::i128;

template <class V, class T> V re(const T& x) { if constexpr (std::is_arithmetic_v<T>) return V(x); else return V(x.re); }
template <class V, class T> V im(const T& x) { if constexpr (std::is_arithmetic_v<T>) return V(0); else return V(x.im); }

// The sum of products by parts in V (i128: exact), and the sum of the
// magnitudes of all partial products.
template <class V, class A, class B> std::array<V, 2> ref_dot(const std::vector<A>& a, const std::vector<B>& b, long double* mag = nullptr) {
    V r = 0, i = 0;
    long double m = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const V ar = re<V>(a[k]), ai = im<V>(a[k]), br = re<V>(b[k]), bi = im<V>(b[k]);
        r += ar * br - ai * bi, i += ar * bi + ai * br;
        for (V p : {ar * br, ai * bi, ar * bi, ai * br}) m += std::fabs(static_cast<long double>(p));
    }
    if (mag) *mag = m;
    return {r, i};
}

// The 16-bit Sfs rule: sf above 31 acts as 31, left shifts stop at 15.
template <class T> T ref_scaled(i128 s, int sf) {
    return vt::sat<T>(sf >= 0 ? vt::scale_half_even(s, std::min(sf, 31)) : s * vt::pow2(std::min(-sf, 15)));
}

// A scaled member at every sf in [lo, hi] against want(exact part, sf) per part.
template <class A, class B, class D, class Want>
void check_scaled(VekStatus (*f)(const A*, const B*, int, D*, int), const std::vector<A>& a, const std::vector<B>& b, int lo, int hi,
                  Want want) {
    const auto s = ref_dot<i128>(a, b);
    for (int sf = lo; sf <= hi; ++sf) {
        D got;
        ASSERT_EQ(f(a.data(), b.data(), int(a.size()), &got, sf), vekStsOk);
        using C = veks::component_t<D>;
        EXPECT_TRUE(re<C>(got) == want(s[0], sf) && im<C>(got) == want(s[1], sf)) << "sf " << sf;
    }
}

template <class A, class B, class D64, class D32F, class D16, class D32>
void check_integer_family(VekStatus (*f64)(const A*, const B*, int, D64*), VekStatus (*f32f)(const A*, const B*, int, D32F*),
                          VekStatus (*f16)(const A*, const B*, int, D16*, int), VekStatus (*f32)(const A*, const B*, int, D32*, int)) {
    vt::Rng r(101);
    for (int len : {1, 2, 7, 1000, 65537, 140000})
        for (int kind = 0; kind < 3; ++kind) {
            SCOPED_TRACE(testing::Message() << "len " << len << " kind " << kind);
            // Kinds 1 and 2: the most negative products and the extremes of opposite sign.
            const auto a = st::ints<A>(r, len, kind);
            const auto b = st::ints<B>(r, len, kind == 0 ? 0 : 3 - kind);
            const auto s = ref_dot<i128>(a, b);
            D64 d64;
            D32F d32f;
            ASSERT_EQ(f64(a.data(), b.data(), len, &d64), vekStsOk);
            ASSERT_EQ(f32f(a.data(), b.data(), len, &d32f), vekStsOk);
            EXPECT_TRUE(re<Vek64s>(d64) == Vek64s(s[0]) && im<Vek64s>(d64) == Vek64s(s[1]));
            EXPECT_TRUE(re<float>(d32f) == float(Vek64s(s[0])) && im<float>(d32f) == float(Vek64s(s[1])));
            check_scaled(f16, a, b, -20, 40, ref_scaled<Vek16s>);
            check_scaled(f32, a, b, -20, 40, ref_scaled<Vek32s>);
        }
}

TEST(StatsDotProd, IntegerFormsExactlyRounded) {
    check_integer_family<Vek16s, Vek16s>(veksDotProd_16s64s, veksDotProd_16s32f, veksDotProd_16s_Sfs, veksDotProd_16s32s_Sfs);
    check_integer_family<Vek16sc, Vek16sc>(veksDotProd_16sc64sc, veksDotProd_16sc32fc, veksDotProd_16sc_Sfs, veksDotProd_16sc32sc_Sfs);
    check_integer_family<Vek16s, Vek16sc>(veksDotProd_16s16sc64sc, veksDotProd_16s16sc32fc, veksDotProd_16s16sc_Sfs,
                                          veksDotProd_16s16sc32sc_Sfs);
    // 16 x 32 bits: 140000 products of +-2^46 take the sum beyond 64 bits either way.
    vt::Rng r(111);
    for (int len : {1, 1000, 140000})
        for (int kind = 0; kind < 3; ++kind) {
            SCOPED_TRACE(testing::Message() << "len " << len << " kind " << kind);
            const auto a = st::ints<Vek16s>(r, len, kind);
            const auto b = st::ints<Vek32s>(r, len, kind == 2 ? 1 : kind);
            check_scaled(veksDotProd_16s32s32s_Sfs, a, b, -20, 40, ref_scaled<Vek32s>);
        }
    // 32-bit data go through double: products below 2^41 and sums below 2^51 are exact,
    // so the result is the exactly rounded one, with sf clamped to -31..93.
    const auto want = [](i128 s, int sf) { return vt::sat<Vek32s>(vt::scale_half_even(s, std::clamp(sf, -31, 93))); };
    const auto elem = [&r] { return st::random_elem<Vek32sc>(r, -(1 << 20), 1 << 20); };
    for (int len : {1, 3, 4, 5, 999}) {
        std::vector<Vek32sc> a(len), b(len);
        for (int k = 0; k < len; ++k) a[k] = elem(), b[k] = elem();
        std::vector<Vek32s> ar(len), br(len);
        for (int k = 0; k < len; ++k) ar[k] = a[k].re, br[k] = b[k].im;
        SCOPED_TRACE(testing::Message() << "len " << len);
        check_scaled(veksDotProd_32s_Sfs, ar, br, -40, 100, want);
        check_scaled(veksDotProd_32sc_Sfs, a, b, -40, 100, want);
        check_scaled(veksDotProd_32s32sc_Sfs, ar, b, -40, 100, want);
    }
}

// Sums in P partial sums of precision eps err by less than about
// (len / P + log2 P + 2) * eps times the sum of the product magnitudes.
template <class A, class B, class D> void check_float_dot(VekStatus (*f)(const A*, const B*, int, D*), long double eps, int partials) {
    vt::Rng r(141);
    for (int len : {1, 2, 7, 8, 9, 16, 17, 1000, 10007}) {
        std::vector<A> a(len);
        std::vector<B> b(len);
        for (auto& x : a) x = st::random_elem<A>(r, -4, 4);
        for (auto& x : b) x = st::random_elem<B>(r, -4, 4);
        long double mag;
        const auto want = ref_dot<long double>(a, b, &mag);
        D got;
        ASSERT_EQ(f(a.data(), b.data(), len, &got), vekStsOk);
        const long double tol = (len / partials + 6) * eps * mag;
        EXPECT_LE(std::fabs(re<long double>(got) - want[0]), tol) << len;
        EXPECT_LE(std::fabs(im<long double>(got) - (std::is_arithmetic_v<D> ? 0 : want[1])), tol) << len;
    }
}

TEST(StatsDotProd, FloatFormsAgainstLongDouble) {
    const long double e32 = std::ldexp(1.0L, -24), e64 = std::ldexp(1.0L, -53);
    check_float_dot(veksDotProd_32f, e32, 8);
    check_float_dot(veksDotProd_32fc, e32, 4);
    check_float_dot(veksDotProd_32f32fc, e32, 4);
    check_float_dot(veksDotProd_32f64f, e64, 4);
    check_float_dot(veksDotProd_32fc64fc, e64, 4);
    check_float_dot(veksDotProd_32f32fc64fc, e64, 4);
    check_float_dot(veksDotProd_64f, e64, 4);
    check_float_dot(veksDotProd_64fc, e64, 4);
    check_float_dot(veksDotProd_64f64fc, e64, 4); // the reference does not conjugate
}

} // namespace
