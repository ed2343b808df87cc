// The modified Bessel function I0 by the classic rational-free polynomial
// approximations: a polynomial in (x/3.75)^2 below 3.75, an asymptotic
// polynomial in 3.75/x times e^x / sqrt(x) above (relative error below
// 2e-7). The exponential is the library's own.
#pragma once

#include <cmath>

#include "veks.h"

namespace veks::gen {

inline double bessel_i0(double x) {
    x = std::fabs(x); // I0 is even
    if (x < 3.75) {
        const double t = x * 0.26666666666666666;
        const double t2 = t * t;
        return 1.0 + t2 * (3.5156229 + t2 * (3.0899424 + t2 * (1.2067492 + t2 * (0.2659732 + t2 * (0.0360768 + t2 * 0.0045813)))));
    }
    const double u = 3.75 / x;
    double e;
    veksExp_64f(&x, &e, 1);
    return e / std::sqrt(x) *
           (0.39894228 +
            u * (0.01328592 +
                 u * (0.00225319 +
                      u * (-0.00157565 +
                           u * (0.00916281 + u * (-0.02057706 + u * (0.02635537 + u * (-0.01647633 + u * 0.00392377))))))));
}

} // namespace veks::gen
