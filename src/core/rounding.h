// Rounding of floating-point values to integers with range saturation.
// The +-0.5 additions are exact in double precision for every value inside
// a 32-bit range, so the half-way test below is exact.
#pragma once

#include <cmath>
#include <limits>

#include "veks.h"

namespace veks {

// Mode 2: nearest, an exact half away from zero.
inline double round_half_away(double v) {
    return v >= 0.0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5);
}

// Mode 1: nearest, an exact half to the even integer.
inline double round_half_even(double v) {
    if (v >= 0.0) {
        const double s = v + 0.5, r = std::trunc(s);
        return (r == s && std::fmod(r, 2.0) != 0.0) ? r - 1.0 : r;
    }
    const double s = v - 0.5, r = std::trunc(s);
    return (r == s && std::fmod(r, 2.0) != 0.0) ? r + 1.0 : r;
}

// Modes 0 and 1 with their range test: in range rounds, above gives the
// maximum, below the minimum, NaN gives 0.
template <class I, int Mode>
inline I round_saturate(double v) {
    static_assert(Mode == vekRoundTowardZero || Mode == vekRoundHalfEven, "modes 0 and 1");
    constexpr double lo = static_cast<double>(std::numeric_limits<I>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<I>::max());
    if (v >= lo && v <= hi)
        return static_cast<I>(Mode == vekRoundTowardZero ? std::trunc(v) : round_half_even(v));
    if (v > hi) return std::numeric_limits<I>::max();
    if (v < lo) return std::numeric_limits<I>::min();
    return I(0); // NaN
}

} // namespace veks
