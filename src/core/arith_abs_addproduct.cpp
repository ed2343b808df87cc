// AddProduct (accumulate products into the destination), AddProductC and Abs.
#include <cmath>

#include "core/unaligned.h"
#include "core/arith_kernels.h"

namespace veks::arith {
namespace {

// acc[i] = acc[i] + a[i] * b[i], exact in the wide type, then stored.
template <class A, class B, class D, class S>
inline void accumulate_products(A a, B b, D* acc, Index n, S s) {
    using W = typename wide_for<Mul, D, elem_of<A>, elem_of<B>>::type;
    for (Index i = 0; i < n; ++i) {
        const D prev = load_elem(acc, i);
        const auto p = Mul::apply<W>(at(a, i), at(b, i));
        if constexpr (is_complex_v<D>) store_elem(acc, i, put<D>(s, Wide2<W>{W(prev.re + p.re), W(prev.im + p.im)}));
        else store_elem(acc, i, put<D>(s, W(W(prev) + p)));
    }
}

template <class A, class D> VekStatus add_product(const A* s1, const A* s2, D* sd, int len) {
    VEKS_CHECK(check_ptrs_len(len, s1, s2, sd));
    accumulate_products(s1, s2, sd, len, Keep{});
    return vekStsOk;
}

VekStatus add_product_c_32f(const Vek32f* s, Vek32f val, Vek32f* sd, int len) {
    VEKS_CHECK(check_ptrs_len(len, s, sd));
    accumulate_products(s, Scalar<Vek32f>{val}, sd, len, Keep{});
    return vekStsOk;
}

template <int zero_above, class A, class D> VekStatus add_product_sfs(const A* s1, const A* s2, D* sd, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s1, s2, sd));
    if (sf > zero_above) {
        zero_fill(sd, len);
        return vekStsOk;
    }
    using W = typename wide_for<Mul, D, A, A>::type;
    return with_scale_for<D, W>(sf, [&](auto s) {
        accumulate_products(s1, s2, sd, len, s);
        return vekStsOk;
    });
}

// The integer minimum maps to the maximum; floating point clears the sign bit.
template <class T> T magnitude(T x) {
    if constexpr (std::is_floating_point_v<T>) return std::fabs(x);
    else return x >= 0 ? x : (x == std::numeric_limits<T>::min() ? std::numeric_limits<T>::max() : T(-x));
}

template <class T> VekStatus abs_v(const T* s, T* d, int len) {
    VEKS_CHECK(check_ptrs_len(len, s, d));
    for (Index i = 0; i < Index(len); ++i) store_elem(d, i, magnitude(load_elem(s, i)));
    return vekStsOk;
}
template <class T> VekStatus abs_i(T* sd, int len) {
    VEKS_CHECK(check_ptrs_len(len, sd));
    for (Index i = 0; i < Index(len); ++i) store_elem(sd, i, magnitude(load_elem(sd, i)));
    return vekStsOk;
}

} // namespace
} // namespace veks::arith

using namespace veks;
using namespace veks::arith;

// ---- AddProduct: pSrcDst += pSrc1 * pSrc2 ---------------------------------------------
#define ADD_PRODUCT(name, D, A) \
    VEKS_API VekStatus name(const A* pSrc1, const A* pSrc2, D* pSrcDst, int len) { return add_product(pSrc1, pSrc2, pSrcDst, len); }
#define ADD_PRODUCT_SFS(name, Z, D, A)                                                          \
    VEKS_API VekStatus name(const A* pSrc1, const A* pSrc2, D* pSrcDst, int len, int scaleFactor) { \
        return add_product_sfs<Z>(pSrc1, pSrc2, pSrcDst, len, scaleFactor);                         \
    }
ADD_PRODUCT_SFS(veksAddProduct_16s_Sfs,    30, Vek16s, Vek16s)
ADD_PRODUCT_SFS(veksAddProduct_32s_Sfs,    63, Vek32s, Vek32s)
ADD_PRODUCT_SFS(veksAddProduct_16s32s_Sfs, 32, Vek32s, Vek16s)
ADD_PRODUCT    (veksAddProduct_32f,  Vek32f,  Vek32f)
ADD_PRODUCT    (veksAddProduct_64f,  Vek64f,  Vek64f)
ADD_PRODUCT    (veksAddProduct_32fc, Vek32fc, Vek32fc)
ADD_PRODUCT    (veksAddProduct_64fc, Vek64fc, Vek64fc)
VEKS_API VekStatus veksAddProductC_32f(const Vek32f* pSrc, Vek32f val, Vek32f* pSrcDst, int len) { return add_product_c_32f(pSrc, val, pSrcDst, len); }

// ---- Abs ------------------------------------------------------------------------------
#define ABS(name, T)   VEKS_API VekStatus name(const T* pSrc, T* pDst, int len) { return abs_v(pSrc, pDst, len); }
#define ABS_I(name, T) VEKS_API VekStatus name(T* pSrcDst, int len) { return abs_i(pSrcDst, len); }
ABS  (veksAbs_16s,   Vek16s)
ABS_I(veksAbs_16s_I, Vek16s)
ABS  (veksAbs_32s,   Vek32s)
ABS_I(veksAbs_32s_I, Vek32s)
ABS  (veksAbs_32f,   Vek32f)
ABS_I(veksAbs_32f_I, Vek32f)
ABS  (veksAbs_64f,   Vek64f)
ABS_I(veksAbs_64f_I, Vek64f)
