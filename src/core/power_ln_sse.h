// Natural logarithm of four single-precision values at a time, evaluated in
// double precision: x = m * 2^e with m in [1, 2); a table entry c near m
// gives r = m/c - 1 exactly (|r| <= 2^-8), and
//     ln x = (e*ln2_hi + ln(c)_hi) + (r + r^2 * P(r) + (e*ln2_lo + ln(c)_lo))
// with P the log1p series to r^7 (first omitted term below 2^-59 of r).
// The error stays near one double ulp, so rounding to single gives the
// double-rounded logarithm.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "core/power_ln_table.h"
#include "core/power_sse_util.h"

namespace veks {
namespace lnsse {

constexpr double kLn2Hi = 0x1.62e42fee00000p-1; // 32 significant bits: e * kLn2Hi is exact
constexpr double kLn2Lo = 0x1.a39ef35793c76p-33;

// Two lanes: m in [1, 2), e, and the table entries of indices j0, j1.
inline __m128d ln_reduced(__m128d m, __m128d e, int j0, int j1) {
    const __m128d invc = _mm_loadh_pd(_mm_load_sd(&kLnTable[j0].invc), &kLnTable[j1].invc);
    const __m128d hi = _mm_loadh_pd(_mm_load_sd(&kLnTable[j0].log_hi), &kLnTable[j1].log_hi);
    const __m128d lo = _mm_loadh_pd(_mm_load_sd(&kLnTable[j0].log_lo), &kLnTable[j1].log_lo);
    const __m128d r = _mm_sub_pd(_mm_mul_pd(m, invc), _mm_set1_pd(1.0));
    // P(r) = -1/2 + r/3 - r^2/4 + r^3/5 - r^4/6 + r^5/7 in pairs (short dependency chains).
    const __m128d r2 = _mm_mul_pd(r, r);
    const __m128d p01 = _mm_add_pd(_mm_set1_pd(-1.0 / 2), _mm_mul_pd(r, _mm_set1_pd(1.0 / 3)));
    const __m128d p23 = _mm_add_pd(_mm_set1_pd(-1.0 / 4), _mm_mul_pd(r, _mm_set1_pd(1.0 / 5)));
    const __m128d p45 = _mm_add_pd(_mm_set1_pd(-1.0 / 6), _mm_mul_pd(r, _mm_set1_pd(1.0 / 7)));
    const __m128d p = _mm_add_pd(p01, _mm_mul_pd(r2, _mm_add_pd(p23, _mm_mul_pd(r2, p45))));
    const __m128d head = _mm_add_pd(_mm_mul_pd(e, _mm_set1_pd(kLn2Hi)), hi);
    const __m128d tail = _mm_add_pd(_mm_mul_pd(e, _mm_set1_pd(kLn2Lo)), lo);
    return _mm_add_pd(head, _mm_add_pd(r, _mm_add_pd(_mm_mul_pd(r2, p), tail)));
}

// Writes ln of four positive normal finite floats and ORs the lanes near a
// single-precision rounding boundary into near; returns false (writing
// nothing) when any of the four is not such a value.
inline bool ln4(const float* src, float* dst, __m128i& near) {
    const __m128i bits = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    const __m128i normal = _mm_and_si128(_mm_cmpgt_epi32(bits, _mm_set1_epi32(0x007FFFFF)),
                                         _mm_cmplt_epi32(bits, _mm_set1_epi32(0x7F800000)));
    if (_mm_movemask_epi8(normal) != 0xFFFF) return false;
    // Table indices straight from memory: scalar loads do not wait for the vector work.
    int j[4];
    for (int k = 0; k < 4; ++k) {
        std::uint32_t b;
        std::memcpy(&b, src + k, sizeof b);
        j[k] = static_cast<int>((b >> 15) & 0xFF);
    }
    const __m128i e = _mm_sub_epi32(_mm_srli_epi32(bits, 23), _mm_set1_epi32(127));
    const __m128 m = _mm_castsi128_ps(_mm_or_si128(_mm_and_si128(bits, _mm_set1_epi32(0x007FFFFF)), _mm_set1_epi32(0x3F800000)));
    const __m128d lo = ln_reduced(_mm_cvtps_pd(m), _mm_cvtepi32_pd(e), j[0], j[1]);
    const __m128d hi = ln_reduced(_mm_cvtps_pd(_mm_movehl_ps(m, m)), _mm_cvtepi32_pd(_mm_shuffle_epi32(e, 0x0E)), j[2], j[3]);
    near = _mm_or_si128(near, near_single_midpoint(lo, hi));
    _mm_storeu_ps(dst, _mm_movelh_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi)));
    return true;
}

} // namespace lnsse
} // namespace veks
#endif
