// Conjugation, conjugation with reversal, real and imaginary parts, and
// complex vectors built from parts.
#include <limits>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "convert/complex_source.h"
#include "core/unaligned.h"
#include "core/export.h"

namespace veks {
namespace {

// Integer imaginary parts negate with saturation; floating ones are
// subtracted from +0.0 so that -0.0 becomes +0.0 and NaN stays NaN.
template <class R>
inline R negate_imag(R v) {
    if constexpr (std::is_integral_v<R>)
        return v == std::numeric_limits<R>::min() ? std::numeric_limits<R>::max() : static_cast<R>(-v);
    else
        return R(0) - v;
}

template <class C>
inline C conjugate(C v) { return C{v.re, negate_imag(v.im)}; }

#if defined(__SSE2__)
// Sixteen bytes of interleaved data at a time, without separating the
// parts: (v & real lanes) - (v & imaginary lanes) leaves re - 0 = re and
// gives 0 - im; integer lanes take a saturating 0 - im.
inline __m128i conj_lanes(__m128i v, Vek16s) {
    const __m128i re_lanes = _mm_set1_epi32(0x0000FFFF);
    return _mm_or_si128(_mm_and_si128(re_lanes, v), _mm_andnot_si128(re_lanes, _mm_subs_epi16(_mm_setzero_si128(), v)));
}
inline __m128i conj_lanes(__m128i v, Vek32f) {
    const __m128i re_lanes = _mm_set1_epi64x(0x00000000FFFFFFFFll);
    const __m128 f = _mm_castsi128_ps(v), mask = _mm_castsi128_ps(re_lanes);
    return _mm_castps_si128(_mm_sub_ps(_mm_and_ps(mask, f), _mm_andnot_ps(mask, f)));
}
inline __m128i conj_lanes(__m128i v, Vek64f) {
    const __m128d d = _mm_castsi128_pd(v), mask = _mm_castsi128_pd(_mm_set_epi64x(0, -1));
    return _mm_castpd_si128(_mm_sub_pd(_mm_and_pd(mask, d), _mm_andnot_pd(mask, d)));
}
#endif

template <class C>
VekStatus conj(const C* src, C* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    int k = 0;
#if defined(__SSE2__)
    // Two vectors per step, both loaded before either is stored.
    constexpr int per_vector = 16 / sizeof(C);
    for (; k + 2 * per_vector <= len; k += 2 * per_vector) {
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + k));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + k + per_vector));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + k), conj_lanes(v0, component_t<C>{}));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + k + per_vector), conj_lanes(v1, component_t<C>{}));
    }
#endif
    for (; k < len; ++k) store_elem(dst, k, conjugate(load_elem(src, k)));
    return vekStsOk;
}

template <class C>
VekStatus conj_inplace(C* srcdst, int len) { return conj<C>(srcdst, srcdst, len); }

template <class C>
VekStatus conj_flip(const C* src, C* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if (src == dst) {
        // Swap from both ends so that no element is read after it is written.
        int lo = 0, hi = len - 1;
        for (; lo < hi; ++lo, --hi) {
            const C a = load_elem(src, lo), b = load_elem(src, hi);
            store_elem(dst, lo, conjugate(b));
            store_elem(dst, hi, conjugate(a));
        }
        if (lo == hi) store_elem(dst, lo, conjugate(load_elem(src, lo)));
        return vekStsOk;
    }
    for (int k = 0; k < len; ++k) store_elem(dst, len - 1 - k, conjugate(load_elem(src, k)));
    return vekStsOk;
}

template <class C>
VekStatus real_part(const C* src, component_t<C>* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (int k = 0; k < len; ++k) store_elem(dst, k, load_elem(src, k).re);
    return vekStsOk;
}

template <class C>
VekStatus imag_part(const C* src, component_t<C>* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (int k = 0; k < len; ++k) store_elem(dst, k, load_elem(src, k).im);
    return vekStsOk;
}

template <class C>
VekStatus cplx_to_real(const C* src, component_t<C>* re, component_t<C>* im, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, re, im));
    for (int k = 0; k < len; ++k) {
        store_elem(re, k, load_elem(src, k).re);
        store_elem(im, k, load_elem(src, k).im);
    }
    return vekStsOk;
}

// A missing part reads as zero; only both missing is an error, and that is
// tested after the destination and the length.
template <class R>
VekStatus real_to_cplx(const R* re, const R* im, typename complex_of<R>::type* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, dst));
    if (re == nullptr && im == nullptr) return vekStsNullPtr;
    if (re == nullptr)
        for (int k = 0; k < len; ++k) store_elem(dst, k, {R(0), load_elem(im, k)});
    else if (im == nullptr)
        for (int k = 0; k < len; ++k) store_elem(dst, k, {load_elem(re, k), R(0)});
    else
        for (int k = 0; k < len; ++k) store_elem(dst, k, {load_elem(re, k), load_elem(im, k)});
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

#define VEKS_CONJ(c) \
    VEKS_API VekStatus veksConj_##c(const Vek##c* pSrc, Vek##c* pDst, int len) { return conj(pSrc, pDst, len); } \
    VEKS_API VekStatus veksConj_##c##_I(Vek##c* pSrcDst, int len) { return conj_inplace(pSrcDst, len); }
#define VEKS_CONJ_FLIP(c) \
    VEKS_API VekStatus veksConjFlip_##c(const Vek##c* pSrc, Vek##c* pDst, int len) { return conj_flip(pSrc, pDst, len); }
#define VEKS_PARTS(c, r) \
    VEKS_API VekStatus veksReal_##c(const Vek##c* pSrc, Vek##r* pDstRe, int len) { return real_part(pSrc, pDstRe, len); } \
    VEKS_API VekStatus veksImag_##c(const Vek##c* pSrc, Vek##r* pDstIm, int len) { return imag_part(pSrc, pDstIm, len); } \
    VEKS_API VekStatus veksCplxToReal_##c(const Vek##c* pSrc, Vek##r* pDstRe, Vek##r* pDstIm, int len) { return cplx_to_real(pSrc, pDstRe, pDstIm, len); }
#define VEKS_REAL_TO_CPLX(r, c) \
    VEKS_API VekStatus veksRealToCplx_##r(const Vek##r* pSrcRe, const Vek##r* pSrcIm, Vek##c* pDst, int len) { return real_to_cplx(pSrcRe, pSrcIm, pDst, len); }

VEKS_CONJ(16sc)
VEKS_CONJ(32fc)
VEKS_CONJ(64fc)
VEKS_CONJ_FLIP(16sc)
VEKS_CONJ_FLIP(32fc)
VEKS_CONJ_FLIP(64fc)
VEKS_PARTS(16sc, 16s)
VEKS_PARTS(32fc, 32f)
VEKS_PARTS(64fc, 64f)
VEKS_REAL_TO_CPLX(16s, 16sc)
VEKS_REAL_TO_CPLX(32f, 32fc)
VEKS_REAL_TO_CPLX(64f, 64fc)
