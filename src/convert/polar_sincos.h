// Sine and cosine of one single-precision angle together, as the paired
// single-precision polar conversion evaluates them: a reduction by pi and a
// degree-9 odd polynomial, all in double precision, results rounded to
// single. Written branch-free so that loops over it vectorise.
#pragma once

#include <cmath>

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

} // namespace veks
