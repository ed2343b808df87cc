// The element-wise engine of the arithmetic family: operand access, the
// exact wide result of each operation, how a result is stored (saturated,
// scaled or as is) and the loops that apply one operation to a vector.
//
// Every loop reads element i of each operand before it writes element i of
// the destination and walks upward, so a destination that overlaps a source
// gets the element-by-element ascending result; the compiler's vector code
// checks for overlap at run time and keeps to that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"
#include "core/arith_sse2.h"
#include "core/movement_kernels.h"
#include "core/scale.h"
#include "core/unaligned.h"

namespace veks::arith {

using Index = std::ptrdiff_t;

// A constant operand indexed like a vector.
template <class T> struct Scalar {
    T v;
    T operator[](Index) const { return v; }
};

// Element i of an operand: vectors may sit at any address.
template <class T> T at(const T* p, Index i) { return load_elem(p, static_cast<std::size_t>(i)); }
template <class T> T at(Scalar<T> c, Index) { return c.v; }

template <class P> using elem_of = std::remove_cv_t<std::remove_reference_t<decltype(std::declval<P>()[0])>>;

template <class T> constexpr bool is_float_elem = std::is_floating_point_v<component_t<T>>;

// The real component array behind a complex vector.
template <class C> auto as_components(C* p) {
    using R = std::conditional_t<std::is_const_v<C>, const component_t<std::remove_cv_t<C>>, component_t<std::remove_cv_t<C>>>;
    return reinterpret_cast<R*>(p);
}

template <class T> bool is_zero(const T& v) {
    if constexpr (is_complex_v<T>) return v.re == 0 && v.im == 0;
    else return v == 0;
}

// ---- exact results -------------------------------------------------------------

// Both components of a complex result in the wide type.
template <class W> struct Wide2 { W re, im; };

// The intermediate type of an operation: the element precision for floating
// point operands; for integers 32 bits unless an operand or the result is 32-bit, or a
// product could pass the 32-bit range (16u factors, complex products).
template <class Op, class D, class X, class Y>
struct wide_for {
    using CD = component_t<D>;
    using CX = component_t<X>;
    using CY = component_t<Y>;
    static constexpr bool has32 = sizeof(CD) >= 4 || sizeof(CX) >= 4 || sizeof(CY) >= 4;
    static constexpr bool big_product =
        Op::is_mul && (is_complex_v<D> || std::is_same_v<CX, Vek16u> || std::is_same_v<CY, Vek16u>);
    using exact_integer = std::conditional_t<has32 || big_product, std::int64_t, std::int32_t>;
    // Integer operands with a floating-point result: the exact integer
    // result, rounded once when stored (a zero product stays +0.0).
    using type = std::conditional_t<std::is_floating_point_v<CX>, CD, exact_integer>;
};

// The only integer sum that can pass the wide range is the imaginary part of
// a complex product whose four components are all the type minimum; it is
// taken as the wide maximum.
template <class W> W add_clamped(W a, W b) {
    if constexpr (std::is_integral_v<W>) {
        W r;
        return __builtin_add_overflow(a, b, &r) ? std::numeric_limits<W>::max() : r;
    } else {
        return a + b;
    }
}

struct Add {
    static constexpr bool is_mul = false;
    static constexpr bool zero_keeps_source = true; // x + 0 == x
    template <class W, class X, class Y> static auto apply(X x, Y y) {
        if constexpr (is_complex_v<X>) return Wide2<W>{W(W(x.re) + W(y.re)), W(W(x.im) + W(y.im))};
        else return W(W(x) + W(y));
    }
};

struct Sub {
    static constexpr bool is_mul = false;
    static constexpr bool zero_keeps_source = true; // x - 0 == x
    template <class W, class X, class Y> static auto apply(X x, Y y) {
        if constexpr (is_complex_v<X>) return Wide2<W>{W(W(x.re) - W(y.re)), W(W(x.im) - W(y.im))};
        else return W(W(x) - W(y));
    }
};

struct Mul {
    static constexpr bool is_mul = true;
    static constexpr bool zero_keeps_source = false;
    template <class W, class X, class Y> static auto apply(X x, Y y) {
        if constexpr (is_complex_v<X> && is_complex_v<Y>)
            return Wide2<W>{W(W(x.re) * W(y.re) - W(x.im) * W(y.im)),
                            add_clamped<W>(W(x.re) * W(y.im), W(x.im) * W(y.re))};
        else if constexpr (is_complex_v<Y>) // real times complex
            return Wide2<W>{W(W(x) * W(y.re)), W(W(x) * W(y.im))};
        else
            return W(W(x) * W(y));
    }
};

// The same operation with its operands exchanged: y op x.
template <class Op> struct Swapped {
    static constexpr bool is_mul = Op::is_mul;
    static constexpr bool zero_keeps_source = false;
    template <class W, class X, class Y> static auto apply(X x, Y y) { return Op::template apply<W>(y, x); }
};

// ---- storing a result ----------------------------------------------------------

// Floating-point results are stored as computed.
struct Keep {
    template <class V> V operator()(V v) const { return v; }
};

template <class D> using plain_policy = std::conditional_t<is_float_elem<D>, Keep, ScaleNone<component_t<D>>>;

template <class D, class S, class W> inline D put(const S& s, W v) { return static_cast<D>(s(v)); }
template <class D, class S, class W> inline D put(const S& s, Wide2<W> v) { return D{s(v.re), s(v.im)}; }

// v / 2^sf rounded half to even for any v of W, the sum that could pass
// W's range done on the halves of v.
template <class W> constexpr W round_shift_half_even_any(W v, int sf) {
    const W h = v >> 1, l = v & 1;
    return (h + ((l + (W(1) << (sf - 1)) - 1 + ((h >> (sf - 1)) & 1)) >> 1)) >> (sf - 1);
}

template <class T> struct ScaleDownAny {
    int sf; // 1 .. width(W)-1
    template <class W> constexpr T operator()(W v) const { return saturate<T>(round_shift_half_even_any(v, sf)); }
};

// 64-bit intermediates may use their full range, so their positive scale
// factors take the overflow-free rounding.
template <class T, class W, class Body> inline auto with_scale_for(int sf, Body&& body) {
    if (sf < -64) sf = -64; // every such factor saturates by sign; keeps -sf in range
    if constexpr (std::is_same_v<W, std::int64_t>) {
        if (sf > 0) return body(ScaleDownAny<T>{sf});
    }
    return with_scale<T>(sf, body);
}

// ---- loops -----------------------------------------------------------------------

// Vek16s vectors added, subtracted or multiplied (saturated or scaled
// down), real float vectors added, subtracted or multiplied, and Vek32fc
// products go through the SSE2 block kernels when no source partly overlaps
// the destination. Returns the number of leading elements done.
template <class Op, class A, class B, class D, class S>
inline Index each_blocks([[maybe_unused]] A a, [[maybe_unused]] B b, [[maybe_unused]] D* d, [[maybe_unused]] Index n,
                         [[maybe_unused]] S s) {
#if defined(__SSE2__)
    if constexpr (std::is_same_v<A, const Vek16s*> && std::is_same_v<B, const Vek16s*> && std::is_same_v<D, Vek16s>) {
        constexpr bool known_op = std::is_same_v<Op, Add> || std::is_same_v<Op, Swapped<Sub>> || std::is_same_v<Op, Mul>;
        constexpr sse2::Op16 op = std::is_same_v<Op, Add> ? sse2::Op16::add : std::is_same_v<Op, Mul> ? sse2::Op16::mul : sse2::Op16::sub_rev;
        if constexpr (known_op) {
            if (!apart_or_same(a, d, n) || !apart_or_same(b, d, n)) return 0;
            if constexpr (std::is_same_v<S, ScaleNone<Vek16s>>) return sse2::binary16<op>(a, b, d, n, sse2::NoShift{});
            if constexpr (std::is_same_v<S, ScaleDown<Vek16s>>) {
                if (op == sse2::Op16::add && s.sf == 1) return sse2::halving_add16(a, b, d, n);
                return sse2::binary16<op>(a, b, d, n, sse2::RoundShift(s.sf));
            }
        }
    }
    if constexpr (std::is_floating_point_v<D> && std::is_same_v<A, const D*> && std::is_same_v<B, const D*>) {
        constexpr bool known_op = std::is_same_v<Op, Add> || std::is_same_v<Op, Swapped<Sub>> || std::is_same_v<Op, Mul>;
        constexpr sse2::OpF op = std::is_same_v<Op, Add> ? sse2::OpF::add : std::is_same_v<Op, Mul> ? sse2::OpF::mul : sse2::OpF::sub_rev;
        if constexpr (known_op) {
            if (!apart_or_same(a, d, n) || !apart_or_same(b, d, n)) return 0;
            return sse2::binary_f<op>(a, b, d, n);
        }
    }
    if constexpr (std::is_same_v<D, Vek32fc> && std::is_same_v<A, const D*> && std::is_same_v<B, const D*> && std::is_same_v<Op, Mul>) {
        if (!apart_or_same(a, d, n) || !apart_or_same(b, d, n)) return 0;
        return sse2::complex_mul_f(as_components(a), as_components(b), as_components(d), n);
    }
#endif
    return 0;
}

// d[i] = s(Op(a[i], b[i])); a and b are vectors or Scalar constants.
template <class Op, class A, class B, class D, class S>
inline void each(A a, B b, D* d, Index n, S s) {
    using W = typename wide_for<Op, D, elem_of<A>, elem_of<B>>::type;
    for (Index i = each_blocks<Op>(a, b, d, n, s); i < n; ++i) store_elem(d, i, put<D>(s, Op::template apply<W>(at(a, i), at(b, i))));
}

template <class D> inline void zero_fill(D* d, Index n) { std::memset(d, 0, static_cast<std::size_t>(n) * sizeof(D)); }

template <class Op, class A, class B, class D>
inline VekStatus run_plain(A a, B b, D* d, Index n) {
    each<Op>(a, b, d, n, plain_policy<D>{});
    return vekStsOk;
}

// Scaled integer results; scale factors above zero_above give all zeros.
template <class Op, int zero_above, class A, class B, class D>
inline VekStatus run_scaled(A a, B b, D* d, Index n, int sf) {
    if (sf > zero_above) {
        zero_fill(d, n);
        return vekStsOk;
    }
    using W = typename wide_for<Op, D, elem_of<A>, elem_of<B>>::type;
    return with_scale_for<component_t<D>, W>(sf, [&](auto s) {
        each<Op>(a, b, d, n, s);
        return vekStsOk;
    });
}

// A zero constant that leaves every element unchanged turns the member into
// a copy: integer AddC/SubC at scale factor 0, and AddC of Vek32f (bit copy).
template <class Op, class T> constexpr bool copies_on_zero_constant =
    Op::zero_keeps_source && (!is_float_elem<T> || (std::is_same_v<T, Vek32f> && std::is_same_v<Op, Add>));

template <class... P> inline VekStatus check_len_then_ptrs(int len, const P*... p) {
    VEKS_CHECK(check_len(len));
    return check_ptrs(p...);
}

// ---- members ---------------------------------------------------------------------
// Shapes: vv two vectors, vv_i in place, vc vector and constant, vc_i
// constant in place; cr complex run as the real member on 2*len components.
// In-place forms pass the source-destination as a const source too, so they
// share the out-of-place kernels.

template <class Op, class A, class B, class D>
VekStatus plain_vv(const A* s1, const B* s2, D* d, int len) {
    VEKS_CHECK(check_ptrs_len(len, s1, s2, d));
    return run_plain<Op>(s1, s2, d, len);
}
template <class Op, class A, class D>
VekStatus plain_vv_i(const A* s, D* sd, int len) {
    VEKS_CHECK(check_ptrs_len(len, s, sd));
    return run_plain<Op>(s, static_cast<const D*>(sd), sd, len);
}
template <class Op, int zero_above, class A, class B, class D>
VekStatus sfs_vv(const A* s1, const B* s2, D* d, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s1, s2, d));
    return run_scaled<Op, zero_above>(s1, s2, d, len, sf);
}
template <class Op, int zero_above, class A, class D>
VekStatus sfs_vv_i(const A* s, D* sd, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s, sd));
    return run_scaled<Op, zero_above>(s, static_cast<const D*>(sd), sd, len, sf);
}

template <class Op, class T>
VekStatus plain_vc(const T* s, T val, T* d, int len) {
    VEKS_CHECK(check_ptrs_len(len, s, d));
    if constexpr (copies_on_zero_constant<Op, T>) {
        if (is_zero(val)) {
            copy_bytes_ascending(s, d, static_cast<std::size_t>(len) * sizeof(T));
            return vekStsOk;
        }
    }
    return run_plain<Op>(s, Scalar<T>{val}, d, len);
}
template <class Op, class T>
VekStatus plain_vc_i(T val, T* sd, int len) {
    VEKS_CHECK(check_ptrs_len(len, sd));
    if constexpr (copies_on_zero_constant<Op, T>)
        if (is_zero(val)) return vekStsOk;
    return run_plain<Op>(sd, Scalar<T>{val}, sd, len);
}
template <class Op, int zero_above, class T>
VekStatus sfs_vc(const T* s, T val, T* d, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s, d));
    if constexpr (copies_on_zero_constant<Op, T>) {
        if (sf == 0 && is_zero(val)) {
            copy_bytes_ascending(s, d, static_cast<std::size_t>(len) * sizeof(T));
            return vekStsOk;
        }
    }
    return run_scaled<Op, zero_above>(s, Scalar<T>{val}, d, len, sf);
}
template <class Op, int zero_above, class T>
VekStatus sfs_vc_i(T val, T* sd, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, sd));
    if constexpr (copies_on_zero_constant<Op, T>)
        if (sf == 0 && is_zero(val)) return vekStsOk;
    return run_scaled<Op, zero_above>(sd, Scalar<T>{val}, sd, len, sf);
}

template <class Op, class C>
VekStatus plain_cr(const C* s1, const C* s2, C* d, int len) {
    VEKS_CHECK(check_len_then_ptrs(len, s1, s2, d));
    return run_plain<Op>(as_components(s1), as_components(s2), as_components(d), 2 * Index(len));
}
template <class Op, class C>
VekStatus plain_cr_i(const C* s, C* sd, int len) {
    VEKS_CHECK(check_len_then_ptrs(len, s, sd));
    return run_plain<Op>(as_components(s), as_components(static_cast<const C*>(sd)), as_components(sd), 2 * Index(len));
}
template <class Op, int zero_above, class C>
VekStatus sfs_cr(const C* s1, const C* s2, C* d, int len, int sf) {
    VEKS_CHECK(check_len_then_ptrs(len, s1, s2, d));
    return run_scaled<Op, zero_above>(as_components(s1), as_components(s2), as_components(d), 2 * Index(len), sf);
}
template <class Op, int zero_above, class C>
VekStatus sfs_cr_i(const C* s, C* sd, int len, int sf) {
    VEKS_CHECK(check_len_then_ptrs(len, s, sd));
    return run_scaled<Op, zero_above>(as_components(s), as_components(static_cast<const C*>(sd)), as_components(sd), 2 * Index(len), sf);
}

} // namespace veks::arith

// Table rows: one exported name each. D destination, A first operand, B
// second operand (element types); Z the scale factor above which every
// result is zero.
#define ARITH_VV(name, Op, D, A, B) \
    VEKS_API VekStatus name(const A* pSrc1, const B* pSrc2, D* pDst, int len) { return plain_vv<Op>(pSrc1, pSrc2, pDst, len); }
#define ARITH_VV_I(name, Op, D, A) \
    VEKS_API VekStatus name(const A* pSrc, D* pSrcDst, int len) { return plain_vv_i<Op>(pSrc, pSrcDst, len); }
#define ARITH_VV_SFS(name, Op, Z, D, A, B)                                                   \
    VEKS_API VekStatus name(const A* pSrc1, const B* pSrc2, D* pDst, int len, int scaleFactor) { \
        return sfs_vv<Op, Z>(pSrc1, pSrc2, pDst, len, scaleFactor);                              \
    }
#define ARITH_VV_ISFS(name, Op, Z, D, A) \
    VEKS_API VekStatus name(const A* pSrc, D* pSrcDst, int len, int scaleFactor) { return sfs_vv_i<Op, Z>(pSrc, pSrcDst, len, scaleFactor); }
#define ARITH_VC(name, Op, T) \
    VEKS_API VekStatus name(const T* pSrc, T val, T* pDst, int len) { return plain_vc<Op>(pSrc, val, pDst, len); }
#define ARITH_VC_I(name, Op, T) \
    VEKS_API VekStatus name(T val, T* pSrcDst, int len) { return plain_vc_i<Op>(val, pSrcDst, len); }
#define ARITH_VC_SFS(name, Op, Z, T) \
    VEKS_API VekStatus name(const T* pSrc, T val, T* pDst, int len, int scaleFactor) { return sfs_vc<Op, Z>(pSrc, val, pDst, len, scaleFactor); }
#define ARITH_VC_ISFS(name, Op, Z, T) \
    VEKS_API VekStatus name(T val, T* pSrcDst, int len, int scaleFactor) { return sfs_vc_i<Op, Z>(val, pSrcDst, len, scaleFactor); }
#define ARITH_CR(name, Op, C) \
    VEKS_API VekStatus name(const C* pSrc1, const C* pSrc2, C* pDst, int len) { return plain_cr<Op>(pSrc1, pSrc2, pDst, len); }
#define ARITH_CR_I(name, Op, C) \
    VEKS_API VekStatus name(const C* pSrc, C* pSrcDst, int len) { return plain_cr_i<Op>(pSrc, pSrcDst, len); }
#define ARITH_CR_SFS(name, Op, Z, C) \
    VEKS_API VekStatus name(const C* pSrc1, const C* pSrc2, C* pDst, int len, int scaleFactor) { return sfs_cr<Op, Z>(pSrc1, pSrc2, pDst, len, scaleFactor); }
#define ARITH_CR_ISFS(name, Op, Z, C) \
    VEKS_API VekStatus name(const C* pSrc, C* pSrcDst, int len, int scaleFactor) { return sfs_cr_i<Op, Z>(pSrc, pSrcDst, len, scaleFactor); }
