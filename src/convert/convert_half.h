// Half precision (IEEE-754 binary16 bit patterns) to and from single
// precision, scalar and SSE2. Rounding to half is mode 1 (nearest, ties to
// even) or mode 0 (truncation); see single_to_half for the exact limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/scale.h"
#include "convert/convert_kernels.h"

namespace veks::conv {

inline std::uint32_t bits_of(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}
inline float float_of(std::uint32_t b) {
    float f;
    std::memcpy(&f, &b, sizeof f);
    return f;
}

// Exact: normals rebias the exponent, subnormals become m * 2^-24, a NaN
// keeps its payload in the top of the single mantissa.
inline std::uint32_t half_to_single(std::uint16_t h) {
    const std::uint32_t sign = std::uint32_t(h & 0x8000u) << 16;
    const std::uint32_t e = (h >> 10) & 0x1Fu, m = h & 0x3FFu;
    if (e == 0x1F) return sign | 0x7F800000u | m << 13;
    if (e != 0) return sign | (e + 112) << 23 | m << 13;
    if (m == 0) return sign;
    return sign | bits_of(static_cast<float>(m) * 0x1p-24f);
}

// Single bit pattern to half. NaN gives 0x7DFF and infinity 0x7C00, signed.
// Mode 1: the mantissa is rounded to 10 bits by adding 0x0FFF plus the lowest
// kept bit; a rounded magnitude of 65536 or more is infinity; below 2^-14 the
// result is a subnormal rounded to nearest even, except that [2^-25, 2^-24)
// gives the smallest subnormal. Mode 0 truncates: 65536 or more is infinity,
// below 2^-24 is zero.
template <int Mode>
inline std::uint16_t single_to_half(std::uint32_t b) {
    const std::uint16_t sign = static_cast<std::uint16_t>((b >> 16) & 0x8000u);
    const std::uint32_t a = b & 0x7FFFFFFFu;
    const std::uint32_t e = a >> 23;
    const std::uint32_t sig = (a & 0x7FFFFFu) | 0x800000u;
    if (a > 0x7F800000u) return sign | 0x7DFFu;
    if constexpr (Mode == 1) {
        if (e >= 113) {
            const std::uint32_t r = a + 0x0FFFu + ((a >> 13) & 1u);
            if (r >= 143u << 23) return sign | 0x7C00u;
            return static_cast<std::uint16_t>(sign | ((r >> 13) - (112u << 10)));
        }
        if (e == 102) return sign | 1u;
        if (e > 102) return static_cast<std::uint16_t>(sign | round_shift_half_even(sig, int(126 - e)));
        return sign;
    } else {
        if (e >= 143) return sign | 0x7C00u;
        if (e >= 113) return static_cast<std::uint16_t>(sign | ((a >> 13) - (112u << 10)));
        if (e >= 103) return static_cast<std::uint16_t>(sign | (sig >> (126 - e)));
        return sign;
    }
}

} // namespace veks::conv

#if defined(__SSE2__)
#include <emmintrin.h>

#include "convert/convert_simd.h"

namespace veks::conv::simd {

inline __m128i select(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

// 4 halves (zero-extended in 32-bit lanes) to single bit patterns.
inline __m128i half_to_single4(__m128i h) {
    const __m128i sign = _mm_slli_epi32(_mm_and_si128(h, _mm_set1_epi32(0x8000)), 16);
    const __m128i em = _mm_and_si128(h, _mm_set1_epi32(0x7FFF));
    __m128i o = _mm_add_epi32(_mm_slli_epi32(em, 13), _mm_set1_epi32(112 << 23));
    // Infinity and NaN: exponent all ones.
    const __m128i special = _mm_cmpgt_epi32(em, _mm_set1_epi32(0x7BFF));
    o = _mm_add_epi32(o, _mm_and_si128(special, _mm_set1_epi32(112 << 23)));
    // Zero and subnormal: 2^-14 (1 + m/1024) - 2^-14 = m 2^-24, exact.
    const __m128i tiny = _mm_cmplt_epi32(em, _mm_set1_epi32(0x0400));
    const __m128 sub = _mm_sub_ps(_mm_castsi128_ps(_mm_add_epi32(o, _mm_set1_epi32(1 << 23))), _mm_set1_ps(0x1p-14f));
    o = select(tiny, _mm_castps_si128(sub), o);
    return _mm_or_si128(o, sign);
}

// Halves of magnitudes a below 2^-14 (tiny lanes; others give garbage):
// |x| 2^24 rounded, exact since the product is exact.
template <int Mode>
inline __m128i small_halves(__m128i a, __m128i tiny) {
    // Larger magnitudes are replaced by 0 so that they raise no overflow.
    const __m128 y = _mm_mul_ps(_mm_castsi128_ps(_mm_and_si128(a, tiny)), _mm_set1_ps(0x1p24f));
    if constexpr (Mode == 0) return _mm_cvttps_epi32(y);
    // [2^-25, 2^-24) gives the smallest subnormal, not the even zero.
    const __m128i at_half = _mm_castps_si128(_mm_cmpeq_ps(y, _mm_set1_ps(0.5f)));
    return _mm_or_si128(round_ps<1>(y), _mm_and_si128(at_half, _mm_set1_epi32(1)));
}

// 4 single bit patterns to halves in the low 16 bits of 32-bit lanes.
template <int Mode>
inline __m128i single_to_half4(__m128i b) {
    const __m128i a = _mm_and_si128(b, _mm_set1_epi32(0x7FFFFFFF));
    const __m128i sign = _mm_and_si128(_mm_srli_epi32(b, 16), _mm_set1_epi32(0x8000));
    // Normal halves; infinity from 65536 (after rounding) up.
    const __m128i r = Mode == 1 ? _mm_add_epi32(_mm_add_epi32(a, _mm_set1_epi32(0x0FFF)),
                                                _mm_and_si128(_mm_srli_epi32(a, 13), _mm_set1_epi32(1)))
                                : a;
    __m128i h = _mm_sub_epi32(_mm_srli_epi32(r, 13), _mm_set1_epi32(112 << 10));
    h = select(_mm_cmpgt_epi32(r, _mm_set1_epi32((143 << 23) - 1)), _mm_set1_epi32(0x7C00), h);
    // Below 2^-14: zeros only need clearing; the rare other lanes take the
    // subnormal path.
    const __m128i tiny = _mm_cmplt_epi32(a, _mm_set1_epi32(113 << 23));
    const __m128i nonzero_tiny = _mm_andnot_si128(_mm_cmpeq_epi32(a, _mm_setzero_si128()), tiny);
    if (_mm_movemask_epi8(nonzero_tiny) != 0) h = select(tiny, small_halves<Mode>(a, tiny), h);
    else h = _mm_andnot_si128(tiny, h);
    h = select(_mm_cmpgt_epi32(a, _mm_set1_epi32(0x7F800000)), _mm_set1_epi32(0x7DFF), h);
    return _mm_or_si128(h, sign);
}

// Packs the low 16 bits of two sets of 4 lanes (each 0..0xFFFF) into 8 halves.
inline __m128i pack_low16(__m128i a, __m128i b) {
    const __m128i bias = _mm_set1_epi32(0x8000);
    const __m128i p = _mm_packs_epi32(_mm_sub_epi32(a, bias), _mm_sub_epi32(b, bias));
    return _mm_xor_si128(p, _mm_set1_epi16(-32768));
}

} // namespace veks::conv::simd
#endif
