// A vectorisable double-precision atan2 for operands that came from single
// precision or 16-bit integers (at most 24 significant bits, so the octant
// reduction lo - hi, lo + hi below is exact). Relative error about one ulp
// of double, far below the rounding to single that follows. Finite operands
// only; callers pass infinities and NaNs to std::atan2.
//
// Reduction: t = min(|x|,|y|) / max(|x|,|y|) in [0, 1]; above tan(pi/8)
// t' = (lo - hi) / (lo + hi) and pi/4 is added back, so |t| <= tan(pi/8)
// and atan t = t + t z P(z), z = t^2, with P a degree-10 polynomial fitted
// at Chebyshev nodes and evaluated by Estrin's scheme (short dependency
// chains). The quadrant follows from the swap and the signs.
#pragma once

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veks {
namespace atan2_detail {

constexpr double tan_pi_8 = 0.41421356237309503;
constexpr double quarter_pi = 0.7853981633974483;
constexpr double half_pi = 1.5707963267948966;
constexpr double pi = 3.141592653589793;
constexpr double coef[11] = {
    -0.3333333333333333,   0.1999999999999552,   -0.14285714284666542, 0.11111111015256361,
    -0.09090904578123903,  0.07692183190826087,  -0.06664511447381948, 0.0585814891280221,
    -0.0508544973794026,   0.03923165829558719,  -0.01917688711906226,
};

} // namespace atan2_detail

inline double narrow_atan2(double y, double x) {
    using namespace atan2_detail;
    const double ax = std::fabs(x), ay = std::fabs(y);
    const bool swap = ay > ax;
    const double lo = swap ? ax : ay, hi = swap ? ay : ax;
    const bool octant = lo > tan_pi_8 * hi;
    const double num = octant ? lo - hi : lo;
    const double den0 = octant ? lo + hi : hi;
    const double t = num / (den0 == 0.0 ? 1.0 : den0);
    const double z = t * t, z2 = z * z, z4 = z2 * z2;
    const double q0 = (coef[0] + coef[1] * z) + z2 * (coef[2] + coef[3] * z);
    const double q1 = (coef[4] + coef[5] * z) + z2 * (coef[6] + coef[7] * z);
    const double q2 = (coef[8] + coef[9] * z) + z2 * coef[10];
    const double p = q0 + z4 * (q1 + z4 * q2);
    double a = t + t * z * p;
    a = octant ? quarter_pi + a : a;
    a = swap ? half_pi - a : a;
    a = std::signbit(x) ? pi - a : a;
    return std::signbit(y) ? -a : a;
}

#if defined(__SSE2__)
// Two lanes, bit for bit as narrow_atan2.
inline __m128d narrow_atan2_2(__m128d y, __m128d x) {
    using namespace atan2_detail;
    const __m128d sign = _mm_set1_pd(-0.0);
    auto select = [](__m128d mask, __m128d a, __m128d b) { return _mm_or_pd(_mm_and_pd(mask, a), _mm_andnot_pd(mask, b)); };
    auto sign_mask = [](__m128d v) {
        return _mm_castsi128_pd(_mm_shuffle_epi32(_mm_srai_epi32(_mm_castpd_si128(v), 31), _MM_SHUFFLE(3, 3, 1, 1)));
    };
    const __m128d ax = _mm_andnot_pd(sign, x), ay = _mm_andnot_pd(sign, y);
    const __m128d swap = _mm_cmpgt_pd(ay, ax);
    const __m128d lo = select(swap, ax, ay), hi = select(swap, ay, ax);
    const __m128d octant = _mm_cmpgt_pd(lo, _mm_mul_pd(_mm_set1_pd(tan_pi_8), hi));
    const __m128d num = select(octant, _mm_sub_pd(lo, hi), lo);
    const __m128d den0 = select(octant, _mm_add_pd(lo, hi), hi);
    const __m128d den = select(_mm_cmpeq_pd(den0, _mm_setzero_pd()), _mm_set1_pd(1.0), den0);
    const __m128d t = _mm_div_pd(num, den);
    const __m128d z = _mm_mul_pd(t, t), z2 = _mm_mul_pd(z, z), z4 = _mm_mul_pd(z2, z2);
    auto c = [](int k) { return _mm_set1_pd(coef[k]); };
    auto linear = [&](int k) { return _mm_add_pd(c(k), _mm_mul_pd(c(k + 1), z)); };
    const __m128d q0 = _mm_add_pd(linear(0), _mm_mul_pd(z2, linear(2)));
    const __m128d q1 = _mm_add_pd(linear(4), _mm_mul_pd(z2, linear(6)));
    const __m128d q2 = _mm_add_pd(linear(8), _mm_mul_pd(z2, c(10)));
    const __m128d p = _mm_add_pd(q0, _mm_mul_pd(z4, _mm_add_pd(q1, _mm_mul_pd(z4, q2))));
    __m128d a = _mm_add_pd(t, _mm_mul_pd(_mm_mul_pd(t, z), p));
    a = select(octant, _mm_add_pd(_mm_set1_pd(quarter_pi), a), a);
    a = select(swap, _mm_sub_pd(_mm_set1_pd(half_pi), a), a);
    a = select(sign_mask(x), _mm_sub_pd(_mm_set1_pd(pi), a), a);
    return _mm_xor_pd(a, _mm_and_pd(y, sign));
}

// True when both lanes of x and y are finite.
inline bool finite_2(__m128d y, __m128d x) {
    const __m128d sign = _mm_set1_pd(-0.0), inf = _mm_set1_pd(INFINITY);
    const __m128d ok = _mm_and_pd(_mm_cmplt_pd(_mm_andnot_pd(sign, x), inf), _mm_cmplt_pd(_mm_andnot_pd(sign, y), inf));
    return _mm_movemask_pd(ok) == 3;
}
#endif

} // namespace veks
