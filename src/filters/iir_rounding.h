// Floating-point results to integers the way the IIR filters store them.
#pragma once

#include <cmath>
#include <limits>

#include "core/rounding.h"

namespace veks::iir {

// Half away from zero, saturated to I; NaN gives 0.
template <class I, class R>
I round_away_saturate(R v) {
    using L = std::numeric_limits<I>;
    const double w = static_cast<double>(v);
    if (std::isnan(w)) return I(0);
    if (w >= static_cast<double>(L::max())) return L::max();
    if (w <= static_cast<double>(L::min())) return L::min();
    return static_cast<I>(round_half_away(w));
}

} // namespace veks::iir
