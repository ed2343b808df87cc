#include <cmath>
#include <limits>
#include <vector>

#include "stats_test_util.h"

namespace {

using st::i128;

TEST(StatsDotProd, ArgumentChecks) {
    st::expect_checks(veksDotProd_32f);
    st::expect_checks(veksDotProd_32fc);
    st::expect_checks(veksDotProd_32f32fc);
    st::expect_checks(veksDotProd_32f64f);
    st::expect_checks(veksDotProd_32fc64fc);
    st::expect_checks(veksDotProd_32f32fc64fc);
    st::expect_checks(veksDotProd_64f);
    st::expect_checks(veksDotProd_64fc);
    st::expect_checks(veksDotProd_64f64fc);
    st::expect_checks(veksDotProd_16s64s);
    st::expect_checks(veksDotProd_16sc64sc);
    st::expect_checks(veksDotProd_16s16sc64sc);
    st::expect_checks(veksDotProd_16s32f);
    st::expect_checks(veksDotProd_16sc32fc);
    st::expect_checks(veksDotProd_16s16sc32fc);
    st::expect_checks(veksDotProd_16s_Sfs);
    st::expect_checks(veksDotProd_16sc_Sfs);
    st::expect_checks(veksDotProd_16s16sc_Sfs);
    st::expect_checks(veksDotProd_16s32s_Sfs);
    st::expect_checks(veksDotProd_16s32s32s_Sfs);
    st::expect_checks(veksDotProd_16sc32sc_Sfs);
    st::expect_checks(veksDotProd_16s16sc32sc_Sfs);
    st::expect_checks(veksDotProd_32s_Sfs);
    st::expect_checks(veksDotProd_32sc_Sfs);
    st::expect_checks(veksDotProd_32s32sc_Sfs);
}

// ---- generic access to real and complex elements -----------------------------------------
template <class T> struct Parts {
    static constexpr bool complex = false;
    template <class V> static V re(const T& x) { return V(x); }
    template <class V> static V im(const T&) { return V(0); }
};
#define PARTS_COMPLEX(C)                                                                \
    template <> struct Parts<C> {                                                       \
        static constexpr bool complex = true;                                           \
        template <class V> static V re(const C& x) { return V(x.re); }                  \
        template <class V> static V im(const C& x) { return V(x.im); }                  \
    };
PARTS_COMPLEX(Vek16sc) PARTS_COMPLEX(Vek32sc) PARTS_COMPLEX(Vek32fc) PARTS_COMPLEX(Vek64fc)
#undef PARTS_COMPLEX

// Exact (V = i128) or long double sum of the products, by parts; mag
// receives the sum of the magnitudes of all partial products.
template <class V, class A, class B>
void ref_dot(const std::vector<A>& a, const std::vector<B>& b, V& re, V& im, long double* mag = nullptr) {
    re = im = 0;
    long double m = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const V ar = Parts<A>::template re<V>(a[k]), ai = Parts<A>::template im<V>(a[k]);
        const V br = Parts<B>::template re<V>(b[k]), bi = Parts<B>::template im<V>(b[k]);
        re += ar * br - ai * bi;
        im += ar * bi + ai * br;
        if (mag) m += std::fabs(static_cast<long double>(ar * br)) + std::fabs(static_cast<long double>(ai * bi)) +
                      std::fabs(static_cast<long double>(ar * bi)) + std::fabs(static_cast<long double>(ai * br));
    }
    if (mag) *mag = m;
}

template <class T> T make(vt::Rng& r, int kind);
template <> Vek16s make(vt::Rng& r, int kind) { return kind == 1 ? -32768 : kind == 2 ? 32767 : r.any<Vek16s>(); }
template <> Vek32s make(vt::Rng& r, int kind) { return kind == 1 ? -2147483647 - 1 : kind == 2 ? 2147483647 : r.any<Vek32s>(); }
template <> Vek16sc make(vt::Rng& r, int kind) {
    return kind == 1 ? Vek16sc{-32768, -32768} : kind == 2 ? Vek16sc{-32768, 32767} : Vek16sc{r.any<Vek16s>(), r.any<Vek16s>()};
}

template <class T> std::vector<T> make_vec(vt::Rng& r, int n, int kind) {
    std::vector<T> v(n);
    for (auto& x : v) x = make<T>(r, kind);
    return v;
}

// The Sfs rule of the 16-bit dot products on an exact total.
template <class T> T ref_scaled(i128 s, int sf) {
    if (sf >= 0) return st::sat<T>(st::scale_half_even(s, std::min(sf, 31)));
    return st::sat<T>(s * st::pow2(std::min(-sf, 15)));
}

template <class D> using comp_t = decltype(D::re);

// Every integer dot product of one operand pair.
template <class A, class B, class D64, class D32F, class D16, class D32>
void check_integer_family(VekStatus (*f64)(const A*, const B*, int, D64*), VekStatus (*f32f)(const A*, const B*, int, D32F*),
                          VekStatus (*f16)(const A*, const B*, int, D16*, int), VekStatus (*f32)(const A*, const B*, int, D32*, int)) {
    vt::Rng r(101);
    for (int len : {1, 2, 7, 1000, 65537, 140000})
        for (int kind = 0; kind < 3; ++kind) {
            const auto a = make_vec<A>(r, len, kind), b = make_vec<B>(r, len, kind == 0 ? 0 : 3 - kind);
            i128 re, im;
            ref_dot(a, b, re, im);
            SCOPED_TRACE(testing::Message() << "len " << len << " kind " << kind);
            constexpr bool cplx = Parts<A>::complex || Parts<B>::complex;
            auto expect = [&](const auto& got, auto want_of) {
                if constexpr (cplx) {
                    EXPECT_EQ(got.re, want_of(re));
                    EXPECT_EQ(got.im, want_of(im));
                } else {
                    EXPECT_EQ(got, want_of(re));
                }
            };
            D64 d64{};
            ASSERT_EQ(f64(a.data(), b.data(), len, &d64), vekStsOk);
            expect(d64, [](i128 v) { return Vek64s(v); });
            D32F d32f{};
            ASSERT_EQ(f32f(a.data(), b.data(), len, &d32f), vekStsOk);
            expect(d32f, [](i128 v) { return static_cast<float>(Vek64s(v)); });
            for (int sf = -20; sf <= 40; ++sf) {
                D16 d16{};
                D32 d32{};
                ASSERT_EQ(f16(a.data(), b.data(), len, &d16, sf), vekStsOk);
                ASSERT_EQ(f32(a.data(), b.data(), len, &d32, sf), vekStsOk);
                expect(d16, [sf](i128 v) { return ref_scaled<Vek16s>(v, sf); });
                expect(d32, [sf](i128 v) { return ref_scaled<Vek32s>(v, sf); });
            }
        }
}

TEST(StatsDotProd, SixteenBitFormsExact) {
    check_integer_family<Vek16s, Vek16s>(veksDotProd_16s64s, veksDotProd_16s32f, veksDotProd_16s_Sfs, veksDotProd_16s32s_Sfs);
    check_integer_family<Vek16sc, Vek16sc>(veksDotProd_16sc64sc, veksDotProd_16sc32fc, veksDotProd_16sc_Sfs, veksDotProd_16sc32sc_Sfs);
    check_integer_family<Vek16s, Vek16sc>(veksDotProd_16s16sc64sc, veksDotProd_16s16sc32fc, veksDotProd_16s16sc_Sfs,
                                          veksDotProd_16s16sc32sc_Sfs);
}

TEST(StatsDotProd, SixteenByThirtyTwoBitSumBeyondSixtyFourBits) {
    vt::Rng r(111);
    for (int len : {1, 5, 1000, 140000})
        for (int kind = 0; kind < 3; ++kind) {
            // kind 1: (-32768) * (-2^31) = 2^46 every time: 140000 of them exceed 2^63.
            const auto a = make_vec<Vek16s>(r, len, kind);
            const auto b = make_vec<Vek32s>(r, len, kind);
            i128 re, im;
            ref_dot(a, b, re, im);
            for (int sf = -20; sf <= 40; ++sf) {
                Vek32s got = 0;
                ASSERT_EQ(veksDotProd_16s32s32s_Sfs(a.data(), b.data(), len, &got, sf), vekStsOk);
                ASSERT_EQ(got, ref_scaled<Vek32s>(re, sf)) << "len " << len << " kind " << kind << " sf " << sf;
            }
        }
}

// ---- 32-bit data in double -------------------------------------------------------------------
template <class A, class B, class D>
void check_double_scaled(VekStatus (*f)(const A*, const B*, int, D*, int)) {
    vt::Rng r(121);
    constexpr bool cplx = Parts<A>::complex || Parts<B>::complex;
    auto small = [&](auto* tag) {
        using T = std::remove_pointer_t<decltype(tag)>;
        T v;
        if constexpr (Parts<T>::complex) v = {r.integer(-(1 << 20), 1 << 20), r.integer(-(1 << 20), 1 << 20)};
        else v = r.integer(-(1 << 20), 1 << 20);
        return v;
    };
    for (int len : {1, 3, 4, 5, 999}) {
        // Products below 2^41 and sums below 2^51 are exact in double, so
        // the result is the exactly rounded one.
        std::vector<A> a(len);
        std::vector<B> b(len);
        for (auto& x : a) x = small(static_cast<A*>(nullptr));
        for (auto& x : b) x = small(static_cast<B*>(nullptr));
        i128 re, im;
        ref_dot(a, b, re, im);
        for (int sf = -40; sf <= 100; ++sf) {
            const int s = std::max(-31, std::min(sf, 93));
            D got{};
            ASSERT_EQ(f(a.data(), b.data(), len, &got, sf), vekStsOk);
            const Vek32s want_re = st::sat<Vek32s>(st::scale_half_even(re, s)), want_im = st::sat<Vek32s>(st::scale_half_even(im, s));
            if constexpr (cplx) {
                ASSERT_EQ(got.re, want_re) << len << " sf " << sf;
                ASSERT_EQ(got.im, want_im) << len << " sf " << sf;
            } else {
                ASSERT_EQ(got, want_re) << len << " sf " << sf;
            }
        }
    }
}

TEST(StatsDotProd, ThirtyTwoBitFormsRoundAndClamp) {
    check_double_scaled(veksDotProd_32s_Sfs);
    check_double_scaled(veksDotProd_32sc_Sfs);
    check_double_scaled(veksDotProd_32s32sc_Sfs);
    // Full-range data: products round in double, so compare with the
    // long double value to within one unit unless saturated.
    vt::Rng r(131);
    const int len = 4099;
    const auto a = make_vec<Vek32s>(r, len, 0), b = make_vec<Vek32s>(r, len, 0);
    long double re, im;
    ref_dot(a, b, re, im);
    for (int sf : {30, 40, 50, 62, 70}) {
        Vek32s got;
        veksDotProd_32s_Sfs(a.data(), b.data(), len, &got, sf);
        const long double want = std::ldexp(re, -sf);
        if (std::fabs(want) < 2147483647.0L) EXPECT_LE(std::fabs(got - want), 1.0L) << sf;
        else EXPECT_EQ(got, want > 0 ? 2147483647 : -2147483647 - 1);
    }
}

// ---- floating point --------------------------------------------------------------------------
template <class T> std::vector<T> float_vec(vt::Rng& r, int n) {
    std::vector<T> v(n);
    for (auto& x : v) {
        if constexpr (Parts<T>::complex) x = {static_cast<decltype(x.re)>(r.real(-4, 4)), static_cast<decltype(x.re)>(r.real(-4, 4))};
        else x = static_cast<T>(r.real(-4, 4));
    }
    return v;
}

// Sums in P partial sums of precision eps: error below about
// (len / P + log2 P + 2) * eps times the sum of the magnitudes.
template <class A, class B, class D>
void check_float_dot(VekStatus (*f)(const A*, const B*, int, D*), long double eps, int partials) {
    vt::Rng r(141);
    for (int len : {1, 2, 7, 8, 9, 16, 17, 1000, 10007}) {
        const auto a = float_vec<A>(r, len);
        const auto b = float_vec<B>(r, len);
        long double re, im, mag;
        ref_dot(a, b, re, im, &mag);
        D got{};
        ASSERT_EQ(f(a.data(), b.data(), len, &got), vekStsOk);
        const long double tol = (len / partials + 6) * eps * mag;
        if constexpr (Parts<D>::complex) {
            EXPECT_LE(std::fabs(got.re - re), tol) << len;
            EXPECT_LE(std::fabs(got.im - im), tol) << len;
        } else {
            EXPECT_LE(std::fabs(got - re), tol) << len;
        }
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
    check_float_dot(veksDotProd_64f64fc, e64, 4);
}

TEST(StatsDotProd, ComplexProductsAreNotConjugated) {
    const Vek32fc a[1] = {{1, 2}}, b[1] = {{3, 4}};
    Vek32fc r;
    veksDotProd_32fc(a, b, 1, &r);
    EXPECT_EQ(r.re, -5.0f); // 1*3 - 2*4
    EXPECT_EQ(r.im, 10.0f); // 1*4 + 2*3
    const Vek16sc c[1] = {{1, 2}}, d[1] = {{3, 4}};
    Vek64sc s;
    veksDotProd_16sc64sc(c, d, 1, &s);
    EXPECT_EQ(s.re, -5);
    EXPECT_EQ(s.im, 10);
}

} // namespace
