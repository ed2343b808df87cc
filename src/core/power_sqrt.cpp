// Square and cube roots: floating point, complex floating point, and the
// exact integer members with a scale factor.
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "core/checks.h"
#include "core/core_services.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "core/power_roots.h"
#include "core/power_special.h"
#include "core/rounding.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veks {
namespace {

// ---- floating point ----------------------------------------------------------

// A negative or NaN element gives NaN. The single-precision root equals the
// double-precision root rounded to single (53 >= 2*24 + 2 bits).
template <class F>
bool sqrt_real_scalar(const F* src, F* dst, int from, int len) {
    const F nan = const_nan<F>();
    bool bad = false;
    for (int n = from; n < len; ++n) {
        const F x = load_elem(src, n);
        const bool ok = x >= F(0);
        store_elem(dst, n, ok ? std::sqrt(x) : nan);
        bad |= !ok;
    }
    return bad;
}

#if defined(__SSE2__)
// Four (two) elements per step; the blocks are independent unless the
// buffers overlap partially, which the caller excludes.
inline int sqrt_real_sse(const float* src, float* dst, int len, bool& bad) {
    const __m128 zero = _mm_setzero_ps(), nan = _mm_set1_ps(nan32());
    __m128 all_ok = _mm_castsi128_ps(_mm_set1_epi32(-1));
    int n = 0;
    for (; n + 8 <= len; n += 8) {
        const __m128 x0 = _mm_loadu_ps(src + n), ok0 = _mm_cmpge_ps(x0, zero);
        const __m128 x1 = _mm_loadu_ps(src + n + 4), ok1 = _mm_cmpge_ps(x1, zero);
        _mm_storeu_ps(dst + n, _mm_or_ps(_mm_and_ps(ok0, _mm_sqrt_ps(x0)), _mm_andnot_ps(ok0, nan)));
        _mm_storeu_ps(dst + n + 4, _mm_or_ps(_mm_and_ps(ok1, _mm_sqrt_ps(x1)), _mm_andnot_ps(ok1, nan)));
        all_ok = _mm_and_ps(all_ok, _mm_and_ps(ok0, ok1));
    }
    for (; n + 4 <= len; n += 4) {
        const __m128 x = _mm_loadu_ps(src + n), ok = _mm_cmpge_ps(x, zero);
        _mm_storeu_ps(dst + n, _mm_or_ps(_mm_and_ps(ok, _mm_sqrt_ps(x)), _mm_andnot_ps(ok, nan)));
        all_ok = _mm_and_ps(all_ok, ok);
    }
    bad = _mm_movemask_ps(all_ok) != 0xF;
    return n;
}
inline int sqrt_real_sse(const double* src, double* dst, int len, bool& bad) {
    const __m128d zero = _mm_setzero_pd(), nan = _mm_set1_pd(nan64());
    __m128d all_ok = _mm_castsi128_pd(_mm_set1_epi32(-1));
    int n = 0;
    for (; n + 2 <= len; n += 2) {
        const __m128d x = _mm_loadu_pd(src + n), ok = _mm_cmpge_pd(x, zero);
        _mm_storeu_pd(dst + n, _mm_or_pd(_mm_and_pd(ok, _mm_sqrt_pd(x)), _mm_andnot_pd(ok, nan)));
        all_ok = _mm_and_pd(all_ok, ok);
    }
    bad = _mm_movemask_pd(all_ok) != 0x3;
    return n;
}
#endif

template <class F>
VekStatus sqrt_real(const F* src, F* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    bool bad = false;
    int done = 0;
#if defined(__SSE2__)
    if (!overlaps_partially(src, dst, len)) done = sqrt_real_sse(src, dst, len, bad);
#endif
    bad |= sqrt_real_scalar(src, dst, done, len);
    return bad ? vekStsSqrtNegativeArg : vekStsOk;
}

struct CplxD { double re, im; };

// Principal root by the half-angle method from a = re/2, b = im/2.
template <bool Rescale>
inline CplxD half_angle_sqrt(double re, double im) {
    const double a = re * 0.5, b = im * 0.5;
    double t = std::sqrt(a * a + b * b);
    if constexpr (Rescale) {
        const double s = a * a + b * b;
        if (!(s >= std::numeric_limits<double>::min() && s <= std::numeric_limits<double>::max()))
            t = std::hypot(a, b);
    }
    if (t == 0.0) return {0.0, im};
    if (a > 0.0) {
        const double u = std::sqrt(a + t);
        return {u, b / u};
    }
    const double u = std::sqrt(t - a);
    return {std::fabs(b) / u, std::copysign(u, b)};
}

template <class C>
VekStatus sqrt_complex(const C* src, C* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    using F = decltype(src->re);
    for (int n = 0; n < len; ++n) {
        const C x = load_elem(src, n);
        const CplxD r = half_angle_sqrt<std::is_same_v<F, double>>(x.re, x.im);
        store_complex(dst, n, static_cast<F>(r.re), static_cast<F>(r.im));
    }
    return vekStsOk;
}

VekStatus cubrt_32f(const Vek32f* src, Vek32f* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (int n = 0; n < len; ++n) store_elem(dst, n, static_cast<float>(std::cbrt(static_cast<double>(load_elem(src, n)))));
    return vekStsOk;
}

// ---- integers ------------------------------------------------------------------

// sqrt(x) * 2^-sf, rounded to nearest (ties to even), saturated to the
// destination maximum; a negative element gives 0 and the warning.
template <class S, class D>
VekStatus sqrt_int(const S* src, D* dst, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    constexpr std::uint64_t cap = static_cast<std::uint64_t>(std::numeric_limits<D>::max());
    int bad = 0;
    for (int n = 0; n < len; ++n) {
        const S x = load_elem(src, n);
        if constexpr (std::is_signed_v<S>) {
            if (x < 0) {
                store_elem(dst, n, 0);
                bad = 1;
                continue;
            }
        }
        store_elem(dst, n, static_cast<D>(roots::scaled_root<2>(static_cast<std::uint64_t>(x), sf, cap)));
    }
    return bad ? vekStsSqrtNegativeArg : vekStsOk;
}

template <class T>
VekStatus sqrt_int_inplace(T* srcdst, int len, int sf) { return sqrt_int<T, T>(srcdst, srcdst, len, sf); }

// Each component of the principal root, scaled, rounded half to even and
// saturated. Components never exceed 2^7.75, so scale factors are clamped
// to a range where the clamped value gives the same result.
VekStatus sqrt_16sc(const Vek16sc* src, Vek16sc* dst, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    const int sfc = sf > 40 ? 40 : (sf < -40 ? -40 : sf);
    const double scale = std::ldexp(1.0, -sfc);
    for (int n = 0; n < len; ++n) {
        const Vek16sc x = load_elem(src, n);
        const CplxD r = half_angle_sqrt<false>(x.re, x.im);
        store_complex(dst, n, round_saturate<Vek16s, vekRoundHalfEven>(r.re * scale),
                      round_saturate<Vek16s, vekRoundHalfEven>(r.im * scale));
    }
    return vekStsOk;
}

// cbrt(|x|) * 2^-sf rounded to nearest (ties to even) with the sign of x.
VekStatus cubrt_32s16s(const Vek32s* src, Vek16s* dst, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (int n = 0; n < len; ++n) {
        const std::int64_t x = load_elem(src, n);
        const std::uint64_t m = static_cast<std::uint64_t>(x < 0 ? -x : x);
        const std::uint64_t r = roots::scaled_root<3>(m, sf, x < 0 ? 32768u : 32767u);
        store_elem(dst, n, static_cast<Vek16s>(x < 0 ? -static_cast<std::int64_t>(r) : static_cast<std::int64_t>(r)));
    }
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

#define VEKS_SQRT_I(s)                                                                                   \
    VEKS_API VekStatus veksSqrt_##s##_Sfs(const Vek##s* pSrc, Vek##s* pDst, int len, int scaleFactor) {    \
        return sqrt_int(pSrc, pDst, len, scaleFactor);                                                   \
    }                                                                                                    \
    VEKS_API VekStatus veksSqrt_##s##_ISfs(Vek##s* pSrcDst, int len, int scaleFactor) {                  \
        return sqrt_int_inplace(pSrcDst, len, scaleFactor);                                              \
    }

VEKS_EXPORT_UNARY(Sqrt, 32f, sqrt_real)
VEKS_EXPORT_UNARY(Sqrt, 64f, sqrt_real)
VEKS_EXPORT_UNARY(Sqrt, 32fc, sqrt_complex)
VEKS_EXPORT_UNARY(Sqrt, 64fc, sqrt_complex)
VEKS_SQRT_I(8u)
VEKS_SQRT_I(16u)
VEKS_SQRT_I(16s)
VEKS_SQRT_I(64s)
VEKS_API VekStatus veksSqrt_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int scaleFactor) { return sqrt_int(pSrc, pDst, len, scaleFactor); }
VEKS_API VekStatus veksSqrt_64s16s_Sfs(const Vek64s* pSrc, Vek16s* pDst, int len, int scaleFactor) { return sqrt_int(pSrc, pDst, len, scaleFactor); }
VEKS_API VekStatus veksSqrt_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int len, int scaleFactor) { return sqrt_16sc(pSrc, pDst, len, scaleFactor); }
VEKS_API VekStatus veksSqrt_16sc_ISfs(Vek16sc* pSrcDst, int len, int scaleFactor) { return sqrt_16sc(pSrcDst, pSrcDst, len, scaleFactor); }

VEKS_API VekStatus veksCubrt_32f(const Vek32f* pSrc, Vek32f* pDst, int len) { return cubrt_32f(pSrc, pDst, len); }
VEKS_API VekStatus veksCubrt_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int scaleFactor) { return cubrt_32s16s(pSrc, pDst, len, scaleFactor); }
