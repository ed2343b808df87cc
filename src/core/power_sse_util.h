// Helper of the double-precision kernels behind single-precision results.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

namespace veks {

// True when either double lies within 8 double ulps of a point half-way
// between two singles. A kernel whose error is a few double ulps cannot
// promise the double-rounded single there, so such blocks are recomputed
// with the C library's double-precision function (about one value in 2^25).
inline bool near_single_midpoint(__m128d y) {
    // The low 29 significand bits sit in the low 32 bits of each lane.
    const __m128i low = _mm_and_si128(_mm_castpd_si128(y), _mm_set1_epi32(0x1FFFFFFF));
    const __m128i d = _mm_add_epi32(_mm_sub_epi32(low, _mm_set1_epi32(0x10000000)), _mm_set1_epi32(8));
    const __m128i near = _mm_and_si128(_mm_cmpgt_epi32(d, _mm_set1_epi32(-1)), _mm_cmplt_epi32(d, _mm_set1_epi32(17)));
    return (_mm_movemask_epi8(near) & 0x0F0F) != 0;
}

} // namespace veks
#endif
