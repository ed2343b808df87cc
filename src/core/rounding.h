// Rounding of floating-point values to integral values: the one place that
// decides ties. The fraction v - trunc(v) is exact in binary floating point,
// so a half-way value is recognised exactly whatever the caller's rounding
// environment, and values of 2^52 and beyond are already integral.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "veks.h"

namespace veks {

// Rounding modes as compile-time tags: 0 toward zero, 1 nearest-even,
// 2 nearest with halves away from zero.
template <int Mode>
inline double round_integral(double v) {
    if (!(std::fabs(v) < 4503599627370496.0)) return v; // 2^52 and beyond, infinities, NaN
    const std::int64_t t = static_cast<std::int64_t>(v);
    if constexpr (Mode == vekRoundTowardZero) {
        return static_cast<double>(t);
    } else {
        const double frac = v - static_cast<double>(t); // exact
        const bool odd = (t & 1) != 0;
        const bool up = Mode == vekRoundHalfAway ? frac >= 0.5 : (frac > 0.5 || (frac == 0.5 && odd));
        const bool down = Mode == vekRoundHalfAway ? frac <= -0.5 : (frac < -0.5 || (frac == -0.5 && odd));
        return static_cast<double>(t + std::int64_t(up) - std::int64_t(down));
    }
}

inline double round_half_even(double v) { return round_integral<vekRoundHalfEven>(v); }
inline double round_half_away(double v) { return round_integral<vekRoundHalfAway>(v); }

// Modes 0 and 1 with their range test: in range rounds, above gives the
// maximum, below the minimum, NaN gives 0.
template <class I, int Mode>
inline I round_saturate(double v) {
    static_assert(Mode == vekRoundTowardZero || Mode == vekRoundHalfEven, "modes 0 and 1");
    constexpr double lo = static_cast<double>(std::numeric_limits<I>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<I>::max());
    if (v >= lo && v <= hi) return static_cast<I>(round_integral<Mode>(v));
    if (v > hi) return std::numeric_limits<I>::max();
    if (v < lo) return std::numeric_limits<I>::min();
    return I(0); // NaN
}

} // namespace veks
