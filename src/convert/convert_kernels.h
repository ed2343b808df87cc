// Unchecked conversion kernels, shared by the exported Convert family and by
// families that convert internally (the integer transforms convert through
// float with rounding mode 1). Callers have checked their arguments.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "core/rounding.h"

namespace veks::conv {

// 2^-sf as an exact double, built by repeated halving or doubling.
inline double pow2_neg(int sf) {
    double f = 1.0;
    for (int i = 0; i < sf; ++i) f *= 0.5;
    for (int i = 0; i > sf; --i) f *= 2.0;
    return f;
}

// One value, float to integer with a rounding mode: modes 0 and 1 saturate
// out-of-range values and give 0 for NaN; mode 2 (and any other value)
// tests the range inclusively and lets NaN reach the rounding, where it
// becomes -2147483648 truncated to the destination width.
template <class I, int Mode>
inline I float_to_int(double v) {
    if constexpr (Mode == vekRoundTowardZero || Mode == vekRoundHalfEven) {
        return round_saturate<I, Mode>(v);
    } else {
        constexpr double lo = static_cast<double>(std::numeric_limits<I>::min());
        constexpr double hi = static_cast<double>(std::numeric_limits<I>::max());
        if (v >= hi) return std::numeric_limits<I>::max();
        if (v <= lo) return std::numeric_limits<I>::min();
        if (std::isnan(v)) return static_cast<I>(static_cast<std::uint32_t>(0x80000000u));
        return static_cast<I>(round_half_away(v));
    }
}

// Float vector to integer vector scaled by 2^-sf (computed in double).
template <class I, int Mode, class F>
inline void float_to_int_sfs(const F* src, I* dst, std::size_t n, int sf) {
    if (sf == 0) {
        for (std::size_t i = 0; i < n; ++i) dst[i] = float_to_int<I, Mode>(static_cast<double>(src[i]));
        return;
    }
    const double f = pow2_neg(sf);
    for (std::size_t i = 0; i < n; ++i) dst[i] = float_to_int<I, Mode>(static_cast<double>(src[i]) * f);
}

// Integer vector to float, exact or nearest (ties to even).
template <class F, class I>
inline void int_to_float(const I* src, F* dst, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) dst[i] = static_cast<F>(src[i]);
}

} // namespace veks::conv
