// Sine and cosine of one single-precision angle together, as the paired
// single-precision polar conversion evaluates them: a reduction by pi and a
// degree-9 odd polynomial, all in double precision, results rounded to
// single. A four-lane SSE2 form gives the same bits.
#pragma once

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veks {

struct SinCos32 {
    float sin;
    float cos;
};

// sin r for |r| <= pi/2.
inline double sine_polynomial(double r) {
    constexpr double c1 = -0.16666665094466732;
    constexpr double c2 = 0.008333215738643764;
    constexpr double c3 = -0.00019820663968799938;
    constexpr double c4 = 2.630033909762885e-6;
    const double r2 = r * r;
    return r + r * r2 * (((c4 * r2 + c3) * r2 + c2) * r2 + c1);
}

inline SinCos32 paired_sincos(float phi) {
    constexpr double inv_pi = 0.3183098861837907;
    constexpr double pi = 3.141592653589793;
    constexpr double half_pi = 1.5707963267948966;
    const double p = phi;
    const double n = std::trunc(p * inv_pi);
    const double sign = std::signbit(phi) ? -1.0 : 1.0;
    double r = p - n * pi;
    // Beyond +-pi/2 reflect about +-pi/2: the sine keeps its sign, the
    // cosine changes it.
    const bool reflect = std::fabs(r) > half_pi;
    r = reflect ? pi * sign - r : r;
    const double s = sine_polynomial(r);
    const double c0 = sine_polynomial(std::fabs(half_pi * sign - r));
    const double c = reflect ? -c0 : c0;
    // An odd multiple of pi removed flips both signs (every double at or
    // beyond 2^53 is even, so this parity test holds for any phase).
    const bool odd = n - 2.0 * std::trunc(n * 0.5) != 0.0;
    const float sf = static_cast<float>(s), cf = static_cast<float>(c);
    return {odd ? -sf : sf, odd ? -cf : cf};
}

#if defined(__SSE2__)
// Four angles at once, bit for bit as paired_sincos. Returns false (and
// leaves the outputs unset) when an angle is too large for the 32-bit
// multiple of pi, infinite or NaN; the caller then takes the scalar path.
inline bool paired_sincos4(const float* phi, __m128& sin_out, __m128& cos_out) {
    const __m128 p4 = _mm_loadu_ps(phi);
    const __m128 abs_mask_ps = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    if (_mm_movemask_ps(_mm_cmplt_ps(_mm_and_ps(p4, abs_mask_ps), _mm_set1_ps(6.0e9f))) != 0xF) return false;

    const __m128d sign_mask = _mm_set1_pd(-0.0);
    const __m128d pi = _mm_set1_pd(3.141592653589793);
    const __m128d half_pi = _mm_set1_pd(1.5707963267948966);
    const __m128d one = _mm_set1_pd(1.0);
    auto poly = [](__m128d r) {
        const __m128d r2 = _mm_mul_pd(r, r);
        __m128d q = _mm_add_pd(_mm_mul_pd(_mm_set1_pd(2.630033909762885e-6), r2), _mm_set1_pd(-0.00019820663968799938));
        q = _mm_add_pd(_mm_mul_pd(q, r2), _mm_set1_pd(0.008333215738643764));
        q = _mm_add_pd(_mm_mul_pd(q, r2), _mm_set1_pd(-0.16666665094466732));
        return _mm_add_pd(r, _mm_mul_pd(_mm_mul_pd(r, r2), q));
    };
    // Two angles in double precision: float sine and cosine in the low two
    // lanes, and the multiple of pi in the low two integer lanes.
    auto half = [&](__m128d p, __m128& s_out, __m128& c_out, __m128i& n_out) {
        const __m128d t = _mm_mul_pd(p, _mm_set1_pd(0.3183098861837907));
        n_out = _mm_cvttpd_epi32(t);
        // A zero n loses the sign trunc would give it; r = p - n pi and the
        // results are the same either way.
        const __m128d n = _mm_cvtepi32_pd(n_out);
        const __m128d sign = _mm_or_pd(_mm_and_pd(p, sign_mask), one);
        __m128d r = _mm_sub_pd(p, _mm_mul_pd(n, pi));
        const __m128d reflect = _mm_cmpgt_pd(_mm_andnot_pd(sign_mask, r), half_pi);
        const __m128d reflected = _mm_sub_pd(_mm_mul_pd(pi, sign), r);
        r = _mm_or_pd(_mm_and_pd(reflect, reflected), _mm_andnot_pd(reflect, r));
        const __m128d s = poly(r);
        const __m128d u = _mm_andnot_pd(sign_mask, _mm_sub_pd(_mm_mul_pd(half_pi, sign), r));
        const __m128d c = _mm_xor_pd(poly(u), _mm_and_pd(reflect, sign_mask));
        s_out = _mm_cvtpd_ps(s);
        c_out = _mm_cvtpd_ps(c);
    };
    __m128 s_lo, c_lo, s_hi, c_hi;
    __m128i n_lo, n_hi;
    half(_mm_cvtps_pd(p4), s_lo, c_lo, n_lo);
    half(_mm_cvtps_pd(_mm_movehl_ps(p4, p4)), s_hi, c_hi, n_hi);
    const __m128 odd = _mm_castsi128_ps(_mm_slli_epi32(_mm_unpacklo_epi64(n_lo, n_hi), 31));
    sin_out = _mm_xor_ps(_mm_movelh_ps(s_lo, s_hi), odd);
    cos_out = _mm_xor_ps(_mm_movelh_ps(c_lo, c_hi), odd);
    return true;
}
#endif

} // namespace veks
