// Floating-point division: Div, DivC and DivCRev of Vek32f, Vek64f and
// their complex types. A zero divisor gives +-INF by the dividend's sign or
// NaN, taken from the core library's constants, with vekStsDivByZero.
#include "core/unaligned.h"
#include "core/arith_div_kernels.h"
#include "core/core_services.h"

namespace veks::arith {
namespace {

// The value of dividend / 0 for real types, constants read once per call.
template <class F> struct RealZeroDivisor {
    F inf = const_inf<F>(), nan = const_nan<F>();
    F operator()(F y) const { return y > 0 ? inf : (y < 0 ? -inf : nan); }
};

template <class T> VekStatus divide(const T* divisor, const T* dividend, T* d, Index n) {
    if constexpr (is_complex_v<T>) {
        using F = component_t<T>;
        const F nan = const_nan<F>();
        bool zero_met = false;
        for (Index i = 0; i < n; ++i) {
            const T c = load_elem(divisor, i), m = load_elem(dividend, i);
            const F mag = c.re * c.re + c.im * c.im;
            if (mag == 0) {
                zero_met = true;
                store_elem(d, i, T{nan, nan});
            } else {
                const F s = F(1) / mag;
                store_elem(d, i, T{(c.re * m.re + c.im * m.im) * s, (c.re * m.im - c.im * m.re) * s});
            }
        }
        return zero_met ? vekStsDivByZero : vekStsOk;
    } else {
        const RealZeroDivisor<T> special;
        bool zero_met = false;
        Index i = 0;
#if defined(__SSE2__)
        if (apart_or_same(divisor, d, n) && apart_or_same(dividend, d, n))
            i = sse2::divide_real(divisor, dividend, d, n, special.inf, special.nan, zero_met);
#endif
        for (; i < n; ++i) {
            const T x = load_elem(divisor, i), y = load_elem(dividend, i);
            const bool z = x == 0;
            zero_met |= z;
            store_elem(d, i, z ? special(y) : y / x);
        }
        return zero_met ? vekStsDivByZero : vekStsOk;
    }
}

template <class T> VekStatus div_f(const T* s1, const T* s2, T* d, int len) {
    VEKS_CHECK(check_ptrs_len(len, s1, s2, d));
    return divide(s1, s2, d, len);
}
template <class T> VekStatus div_f_i(const T* s, T* sd, int len) {
    VEKS_CHECK(check_ptrs_len(len, s, sd));
    return divide(s, sd, sd, len);
}

// Multiplication by the reciprocal of the constant, formed once.
template <class T> T reciprocal(T val) {
    if constexpr (is_complex_v<T>) {
        using F = component_t<T>;
        const F s = F(1) / (val.re * val.re + val.im * val.im);
        return T{val.re * s, -val.im * s};
    } else {
        return T(1) / val;
    }
}
template <class T> bool zero_constant(T val) {
    if constexpr (is_complex_v<T>) return val.re * val.re + val.im * val.im == 0;
    else return val == 0;
}
template <class T> VekStatus divc_f(const T* s, T val, T* d, int len) {
    VEKS_CHECK(check_ptrs_len(len, s, d));
    if (zero_constant(val)) return vekStsDivByZeroError;
    return run_plain<Mul>(s, Scalar<T>{reciprocal(val)}, d, len);
}
template <class T> VekStatus divc_f_i(T val, T* sd, int len) {
    VEKS_CHECK(check_ptrs_len(len, sd));
    if (zero_constant(val)) return vekStsDivByZeroError;
    return run_plain<Mul>(sd, Scalar<T>{reciprocal(val)}, sd, len);
}

VekStatus divcrev_32f(const Vek32f* s, Vek32f val, Vek32f* d, int len) {
    VEKS_CHECK(check_ptrs_len(len, s, d));
    const float special = RealZeroDivisor<float>{}(val);
    bool zero_met = false;
    for (Index i = 0; i < Index(len); ++i) {
        const float x = load_elem(s, i);
        const bool z = x == 0;
        zero_met |= z;
        store_elem(d, i, z ? special : val / x);
    }
    return zero_met ? vekStsDivByZero : vekStsOk;
}

} // namespace
} // namespace veks::arith

using namespace veks;
using namespace veks::arith;

#define DIV_F(name, T)    VEKS_API VekStatus name(const T* pSrc1, const T* pSrc2, T* pDst, int len) { return div_f(pSrc1, pSrc2, pDst, len); }
#define DIV_F_I(name, T)  VEKS_API VekStatus name(const T* pSrc, T* pSrcDst, int len) { return div_f_i(pSrc, pSrcDst, len); }
#define DIVC_F(name, T)   VEKS_API VekStatus name(const T* pSrc, T val, T* pDst, int len) { return divc_f(pSrc, val, pDst, len); }
#define DIVC_F_I(name, T) VEKS_API VekStatus name(T val, T* pSrcDst, int len) { return divc_f_i(val, pSrcDst, len); }

DIV_F   (veksDiv_32f,     Vek32f)
DIV_F_I (veksDiv_32f_I,   Vek32f)
DIV_F   (veksDiv_64f,     Vek64f)
DIV_F_I (veksDiv_64f_I,   Vek64f)
DIV_F   (veksDiv_32fc,    Vek32fc)
DIV_F_I (veksDiv_32fc_I,  Vek32fc)
DIV_F   (veksDiv_64fc,    Vek64fc)
DIV_F_I (veksDiv_64fc_I,  Vek64fc)

DIVC_F  (veksDivC_32f,    Vek32f)
DIVC_F_I(veksDivC_32f_I,  Vek32f)
DIVC_F  (veksDivC_64f,    Vek64f)
DIVC_F_I(veksDivC_64f_I,  Vek64f)
DIVC_F  (veksDivC_32fc,   Vek32fc)
DIVC_F_I(veksDivC_32fc_I, Vek32fc)
DIVC_F  (veksDivC_64fc,   Vek64fc)
DIVC_F_I(veksDivC_64fc_I, Vek64fc)

VEKS_API VekStatus veksDivCRev_32f(const Vek32f* pSrc, Vek32f val, Vek32f* pDst, int len) { return divcrev_32f(pSrc, val, pDst, len); }
VEKS_API VekStatus veksDivCRev_32f_I(Vek32f val, Vek32f* pSrcDst, int len) { return divcrev_32f(pSrcDst, val, pSrcDst, len); }
