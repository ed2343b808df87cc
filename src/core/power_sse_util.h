// Block driver of the double-precision kernels behind single-precision
// results (logarithm, arctangent).
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

#include <cstring>

namespace veks {

// Lanes (as 32-bit masks) whose double lies within 8 double ulps of a
// point half-way between two singles: a kernel whose error is a few double
// ulps cannot promise the double-rounded single there (about one value in
// 2^25), so such values are recomputed with the C library's function.
inline __m128i near_single_midpoint(__m128d a, __m128d b) {
    // The low 29 significand bits sit in the low 32 bits of each lane; the
    // midpoint pattern is 0x10000000.
    const __m128i lows = _mm_castps_si128(_mm_shuffle_ps(_mm_castpd_ps(a), _mm_castpd_ps(b), _MM_SHUFFLE(2, 0, 2, 0)));
    const __m128i offset = _mm_and_si128(_mm_sub_epi32(lows, _mm_set1_epi32(0x0FFFFFF8)), _mm_set1_epi32(0x1FFFFFFF));
    return _mm_cmplt_epi32(offset, _mm_set1_epi32(17));
}

// Runs kernel4(s, d, near) over chunks of Chunk values. kernel4 handles four
// values: it stores four results and ORs their near-midpoint lanes into
// near, or returns false and stores nothing for inputs it does not take. A
// chunk with such a block or a near-midpoint result is redone element by
// element, in order, by redo(s, d, count). In-place chunks read a copy of
// their source. Returns the number of values done.
template <int Chunk, class Kernel4, class Redo>
inline int run_chunks(const float* src, float* dst, int from, int len, Kernel4 kernel4, Redo redo) {
    int n = from;
    for (; n + Chunk <= len; n += Chunk) {
        alignas(16) float saved[Chunk];
        const float* s = src + n;
        if (src == dst) {
            std::memcpy(saved, s, sizeof saved);
            s = saved;
        }
        __m128i near = _mm_setzero_si128();
        bool handled = true;
        for (int k = 0; k < Chunk; k += 4) handled &= kernel4(s + k, dst + n + k, near);
        if (!handled || _mm_movemask_epi8(near) != 0) redo(s, dst + n, Chunk);
    }
    return n;
}

} // namespace veks
#endif
