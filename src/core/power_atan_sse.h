// Arctangent of four single-precision values at a time, evaluated in double
// precision. With a = |x| and t = a (a <= 1) or 1/a (a > 1), a table point
// c = j/64 next to t gives u = (t - c)/(1 + t*c), computed as
// (a - c)/(1 + a*c) or (1 - a*c)/(a + c) so that one division serves both
// ranges; |u| <= 2^-7 and
//     atan(a) = atan(c) + atan(u)            (a <= 1)
//     atan(a) = pi/2 - (atan(c) + atan(u))   (a > 1)
// with atan(u) = u + u*z*P(z), z = u^2, to u^9 (first omitted term below
// 2^-70 of u). The error stays near one double ulp, so rounding to single
// gives the double-rounded arctangent.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

#include "core/power_atan_table.h"
#include "core/power_sse_util.h"

namespace veks {
namespace atansse {

inline __m128d atan_reduced(__m128d a, __m128i j_pair, int j0, int j1) {
    const __m128d c = _mm_mul_pd(_mm_cvtepi32_pd(j_pair), _mm_set1_pd(1.0 / 64));
    const __m128d one = _mm_set1_pd(1.0);
    const __m128d big = _mm_cmpgt_pd(a, one);
    const __m128d ac = _mm_mul_pd(a, c);
    const __m128d num = _mm_or_pd(_mm_and_pd(big, _mm_sub_pd(one, ac)), _mm_andnot_pd(big, _mm_sub_pd(a, c)));
    const __m128d den = _mm_or_pd(_mm_and_pd(big, _mm_add_pd(a, c)), _mm_andnot_pd(big, _mm_add_pd(one, ac)));
    const __m128d u = _mm_div_pd(num, den);
    const __m128d z = _mm_mul_pd(u, u);
    // P(z) = -1/3 + z/5 - z^2/7 + z^3/9 in pairs (short dependency chains).
    const __m128d p01 = _mm_add_pd(_mm_set1_pd(-1.0 / 3), _mm_mul_pd(z, _mm_set1_pd(1.0 / 5)));
    const __m128d p23 = _mm_add_pd(_mm_set1_pd(-1.0 / 7), _mm_mul_pd(z, _mm_set1_pd(1.0 / 9)));
    const __m128d p = _mm_add_pd(p01, _mm_mul_pd(_mm_mul_pd(z, z), p23));
    const __m128d atan_u = _mm_add_pd(u, _mm_mul_pd(_mm_mul_pd(u, z), p));
    const __m128d hi = _mm_loadh_pd(_mm_load_sd(&kAtanTable[j0].hi), &kAtanTable[j1].hi);
    const __m128d lo = _mm_loadh_pd(_mm_load_sd(&kAtanTable[j0].lo), &kAtanTable[j1].lo);
    // a > 1: pi/2 - atan(c) - atan(u); the sign flip of atan(u) is an XOR.
    const __m128d sign = _mm_and_pd(big, _mm_set1_pd(-0.0));
    const __m128d head = _mm_or_pd(_mm_and_pd(big, _mm_sub_pd(_mm_set1_pd(kHalfPiHi), hi)), _mm_andnot_pd(big, hi));
    const __m128d tail = _mm_or_pd(_mm_and_pd(big, _mm_sub_pd(_mm_set1_pd(kHalfPiLo), lo)), _mm_andnot_pd(big, lo));
    return _mm_add_pd(head, _mm_add_pd(_mm_xor_pd(atan_u, sign), tail));
}

// Writes atan of four finite floats and ORs the lanes near a single-precision
// rounding boundary into near; returns false (writing nothing) when any of
// the four is infinite or NaN.
inline bool atan4(const float* src, float* dst, __m128i& near) {
    const __m128 x = _mm_loadu_ps(src);
    const __m128 sign = _mm_and_ps(x, _mm_set1_ps(-0.0f));
    const __m128 a = _mm_andnot_ps(_mm_set1_ps(-0.0f), x);
    const __m128i finite = _mm_cmplt_epi32(_mm_castps_si128(a), _mm_set1_epi32(0x7F800000));
    if (_mm_movemask_epi8(finite) != 0xFFFF) return false;
    // The table point only needs t to about 2^-9, so a reciprocal estimate will do.
    const __m128 t = _mm_min_ps(a, _mm_rcp_ps(a));
    const __m128i j = _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(t, _mm_set1_ps(64.0f)), _mm_set1_ps(0.5f)));
    alignas(16) int js[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(js), j);
    const __m128d lo = atan_reduced(_mm_cvtps_pd(a), j, js[0], js[1]);
    const __m128d hi = atan_reduced(_mm_cvtps_pd(_mm_movehl_ps(a, a)), _mm_shuffle_epi32(j, 0x0E), js[2], js[3]);
    near = _mm_or_si128(near, near_single_midpoint(lo, hi));
    _mm_storeu_ps(dst, _mm_xor_ps(_mm_movelh_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi)), sign));
    return true;
}

} // namespace atansse
} // namespace veks
#endif
