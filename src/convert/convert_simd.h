// SSE2 bodies of the float-to-integer conversion. Each returns how many
// leading elements it converted (a multiple of 8); the scalar loop of
// convert_kernels.h finishes the rest with identical results.
//
// Rounding uses only truncating conversions and exact arithmetic, so the
// caller's rounding mode does not matter: t = trunc(v), g = 2 (v - t) is
// exact with |g| < 2, and trunc(g) is the away-from-zero step of a
// half-away rounding. For ties to even, g is first nudged toward zero by
// less than the gap between 1 and its neighbours whenever t is even: an
// exact half then truncates to no step, any other value keeps its step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>

namespace veks::conv::simd {

// 4 floats, free of NaN and within +-2^24, to int32.
template <int Mode>
inline __m128i round_ps(__m128 v) {
    const __m128i t = _mm_cvttps_epi32(v);
    if constexpr (Mode == 0) {
        return t;
    } else {
        __m128 g = _mm_sub_ps(v, _mm_cvtepi32_ps(t));
        g = _mm_add_ps(g, g);
        if constexpr (Mode == 1) {
            const __m128i even = _mm_cmpeq_epi32(_mm_and_si128(t, _mm_set1_epi32(1)), _mm_setzero_si128());
            const __m128 nudge = _mm_and_ps(_mm_castsi128_ps(even), _mm_set1_ps(0x1p-24f));
            const __m128 sign = _mm_and_ps(g, _mm_set1_ps(-0.0f));
            g = _mm_sub_ps(g, _mm_or_ps(nudge, sign));
        }
        return _mm_add_epi32(t, _mm_cvttps_epi32(g));
    }
}

// 2 doubles, free of NaN and within the 32-bit range, to int32 in the low lanes.
template <int Mode>
inline __m128i round_pd(__m128d v) {
    const __m128i t = _mm_cvttpd_epi32(v);
    if constexpr (Mode == 0) {
        return t;
    } else {
        __m128d g = _mm_sub_pd(v, _mm_cvtepi32_pd(t));
        g = _mm_add_pd(g, g);
        if constexpr (Mode == 1) {
            __m128i even = _mm_cmpeq_epi32(_mm_and_si128(t, _mm_set1_epi32(1)), _mm_setzero_si128());
            even = _mm_unpacklo_epi32(even, even); // one mask per double
            const __m128d nudge = _mm_and_pd(_mm_castsi128_pd(even), _mm_set1_pd(0x1p-53));
            const __m128d sign = _mm_and_pd(g, _mm_set1_pd(-0.0));
            g = _mm_sub_pd(g, _mm_or_pd(nudge, sign));
        }
        return _mm_add_epi32(t, _mm_cvttpd_epi32(g));
    }
}

// NaN lanes to +0, then clamped to [lo, hi].
inline __m128 clamp_ps(__m128 v, __m128 lo, __m128 hi) {
    v = _mm_and_ps(v, _mm_cmpord_ps(v, v));
    return _mm_min_ps(_mm_max_ps(v, lo), hi);
}
inline __m128d clamp_pd(__m128d v, __m128d lo, __m128d hi) {
    v = _mm_and_pd(v, _mm_cmpord_pd(v, v));
    return _mm_min_pd(_mm_max_pd(v, lo), hi);
}

// Stores 8 int32 (already within the destination range) at dst + i.
template <class D>
inline void store8(store_t<D>* dst, std::size_t i, __m128i a, __m128i b) {
    if constexpr (std::is_same_v<D, Vek16s>) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_packs_epi32(a, b));
    } else if constexpr (std::is_same_v<D, Vek16u>) {
        const __m128i bias = _mm_set1_epi32(32768);
        const __m128i p = _mm_packs_epi32(_mm_sub_epi32(a, bias), _mm_sub_epi32(b, bias));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_xor_si128(p, _mm_set1_epi16(-32768)));
    } else if constexpr (std::is_same_v<D, Vek8s>) {
        const __m128i p = _mm_packs_epi32(a, b);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i), _mm_packs_epi16(p, p));
    } else if constexpr (std::is_same_v<D, Vek8u>) {
        const __m128i p = _mm_packs_epi32(a, b);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i), _mm_packus_epi16(p, p));
    } else if constexpr (std::is_same_v<D, Vek32s>) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 4), b);
    } else { // packed 24-bit
        alignas(16) std::int32_t v[8];
        _mm_store_si128(reinterpret_cast<__m128i*>(v), a);
        _mm_store_si128(reinterpret_cast<__m128i*>(v + 4), b);
        for (int k = 0; k < 8; ++k) store_24(dst + 3 * (i + k), static_cast<std::uint32_t>(v[k]));
    }
}

// 4 values from src + i as doubles times factor, rounded: int32 lanes.
template <class D, int Mode, class F>
inline __m128i four_via_double(const F* src, std::size_t i, __m128d factor) {
    __m128d v0, v1;
    if constexpr (std::is_same_v<F, float>) {
        const __m128 x = _mm_loadu_ps(src + i);
        v0 = _mm_cvtps_pd(x);
        v1 = _mm_cvtps_pd(_mm_movehl_ps(x, x));
    } else {
        v0 = _mm_loadu_pd(src + i);
        v1 = _mm_loadu_pd(src + i + 2);
    }
    v0 = _mm_mul_pd(v0, factor);
    v1 = _mm_mul_pd(v1, factor);
    const __m128d lo = _mm_set1_pd(dest<D>::lo), hi = _mm_set1_pd(dest<D>::hi);
    __m128i r = _mm_unpacklo_epi64(round_pd<Mode>(clamp_pd(v0, lo, hi)), round_pd<Mode>(clamp_pd(v1, lo, hi)));
    if constexpr (nan_result<D, Mode>() != 0) {
        // NaN lanes rounded as 0 above; they take the integer indefinite.
        const __m128 m = _mm_shuffle_ps(_mm_castpd_ps(_mm_cmpunord_pd(v0, v0)), _mm_castpd_ps(_mm_cmpunord_pd(v1, v1)),
                                        _MM_SHUFFLE(2, 0, 2, 0));
        r = _mm_or_si128(r, _mm_and_si128(_mm_castps_si128(m), _mm_set1_epi32(nan_result<D, Mode>())));
    }
    return r;
}

template <class D, int Mode, class F>
inline std::size_t float_to_int_scaled(const F* src, store_t<D>* dst, std::size_t n, double factor) {
    std::size_t i = 0;
    // Single precision gives the same results when the factor is a normal
    // single and the range fits 24 bits: the product is then exact unless it
    // overflows (saturates either way) or falls below 2^-126 (rounds to 0
    // either way).
    constexpr bool narrow = dest<D>::hi <= 16777215.0 && dest<D>::lo >= -16777216.0;
    if constexpr (std::is_same_v<F, float> && narrow) {
        if (factor >= 0x1p-126 && factor <= 0x1p127) {
            const __m128 f = _mm_set1_ps(static_cast<float>(factor));
            const __m128 lo = _mm_set1_ps(static_cast<float>(dest<D>::lo));
            const __m128 hi = _mm_set1_ps(static_cast<float>(dest<D>::hi));
            for (; i + 8 <= n; i += 8) {
                const __m128 a = clamp_ps(_mm_mul_ps(_mm_loadu_ps(src + i), f), lo, hi);
                const __m128 b = clamp_ps(_mm_mul_ps(_mm_loadu_ps(src + i + 4), f), lo, hi);
                store8<D>(dst, i, round_ps<Mode>(a), round_ps<Mode>(b));
            }
            return i;
        }
    }
    const __m128d f = _mm_set1_pd(factor);
    for (; i + 8 <= n; i += 8)
        store8<D>(dst, i, four_via_double<D, Mode>(src, i, f), four_via_double<D, Mode>(src, i + 4, f));
    return i;
}

// 16-bit integers to singles, 16 per step (fewer loop overheads per store
// than the compiler's 8).
inline std::size_t int16_to_float(const Vek16s* src, Vek32f* dst, std::size_t n) {
    const std::size_t blocks = n / 16;
    const __m128i zero = _mm_setzero_si128();
    for (std::size_t k = 0; k < blocks; ++k, src += 16, dst += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 8));
        const __m128i sa = _mm_cmpgt_epi16(zero, a), sb = _mm_cmpgt_epi16(zero, b); // sign extensions
        _mm_storeu_ps(dst, _mm_cvtepi32_ps(_mm_unpacklo_epi16(a, sa)));
        _mm_storeu_ps(dst + 4, _mm_cvtepi32_ps(_mm_unpackhi_epi16(a, sa)));
        _mm_storeu_ps(dst + 8, _mm_cvtepi32_ps(_mm_unpacklo_epi16(b, sb)));
        _mm_storeu_ps(dst + 12, _mm_cvtepi32_ps(_mm_unpackhi_epi16(b, sb)));
    }
    return blocks * 16;
}

} // namespace veks::conv::simd

#endif
