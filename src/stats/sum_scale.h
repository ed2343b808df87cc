// Scaling of exact integer totals to the stored result: the rounding
// (half to even) rules of sums, means and dot products and the truncating
// rules of the integer norms.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/rounding.h"
#include "core/scale.h"

namespace veks::stats {

// v (inside the 32-bit range) shifted left by sh >= 1 with saturation. From
// 32 bits on every non-zero value saturates, and v * 2^32 still fits 64
// bits, so the shift is clamped there rather than tested: no path shifts
// past the width.
// -sf for a scale factor, limited to lim so that the most negative int
// negates safely (every larger magnitude gives the same result).
inline int negated(int sf, int lim) { return sf < -lim ? lim : (sf > lim ? -lim : -sf); }

template <class T>
T shift_left_saturate(std::int64_t v, int sh) {
    return saturate<T>(v * (std::int64_t(1) << (sh > 32 ? 32 : sh)));
}

// How a total below the 32-bit range meets a left shift of more than 31:
// the 16-bit sums answer +-2147483647 by sign, the others saturate.
enum class FarLeft { Saturate, SymmetricMax };

// A 64-bit total scaled to Vek32s: sf > 0 divides rounding half to even
// (sf above 63 acts as 63), sf < 0 saturates first and then shifts left
// with saturation.
template <FarLeft Far = FarLeft::Saturate>
Vek32s scale_total_32s(std::int64_t s, int sf) {
    if (sf == 0) return saturate<Vek32s>(s);
    if (sf > 0) return saturate<Vek32s>(round_shift_half_even(s, sf > 63 ? 63 : sf));
    if (Far == FarLeft::SymmetricMax && sf < -31) return s > 0 ? 2147483647 : (s < 0 ? -2147483647 : 0);
    return shift_left_saturate<Vek32s>(saturate<Vek32s>(s), negated(sf, 63));
}

// Dot-product scaling of an exact total: sf > 0 rounds half to even with sf
// limited to 31, sf < 0 shifts left by at most 15 bits; then saturates.
template <class T>
T scale_dot_total(std::int64_t s, int sf) {
    if (sf == 0) return saturate<T>(s);
    if (sf > 0) return saturate<T>(round_shift_half_even(s, sf > 31 ? 31 : sf));
    const int sh = negated(sf, 15);
    // |s| < 2^62 after the caller's clamp, so only the saturating shift can overflow.
    if (s > (std::numeric_limits<std::int64_t>::max() >> sh)) return std::numeric_limits<T>::max();
    if (s < (std::numeric_limits<std::int64_t>::min() >> sh)) return std::numeric_limits<T>::min();
    return saturate<T>(s * (std::int64_t(1) << sh));
}

// Mean of an exact total: |s| * 2^-sf / len in double (the power of two on
// |s| for sf < 0, on len for sf > 0), rounded half to even, signed and
// saturated to T. Beyond the type's width the result is known: sf at or
// above the width gives 0, sf at or below 1 - width saturates by sign.
template <class T>
T scale_mean(std::int64_t s, int len, int sf) {
    using L = std::numeric_limits<T>;
    constexpr int width = int(sizeof(T) * 8);
    if (sf >= width) return T(0);
    if (sf <= 1 - width) return s > 0 ? L::max() : (s < 0 ? L::min() : T(0));
    const double a = std::fabs(static_cast<double>(s));
    const double q = sf > 0 ? a / std::ldexp(static_cast<double>(len), sf) : std::ldexp(a, -sf) / len;
    const double r = round_half_even(q);
    if (r > static_cast<double>(L::max())) return s < 0 ? L::min() : L::max();
    return static_cast<T>(s < 0 ? -r : r);
}

// Truncating shifts of the non-negative norm totals. Shift counts are
// clamped to 63, which already gives the limit result.
// To Vek32s: right by sf (0 from 63 on), or saturate then shift left.
inline Vek32s norm_shift_32s(std::int64_t s, int sf) {
    if (sf >= 0) return saturate<Vek32s>(s >> (sf > 63 ? 63 : sf));
    return shift_left_saturate<Vek32s>(saturate<Vek32s>(s), negated(sf, 63));
}

// To Vek64s: right by sf, or left by -sf where an overflowing shift gives
// the largest Vek64s.
inline Vek64s norm_shift_64s(std::int64_t s, int sf) {
    if (sf >= 0) return s >> (sf > 63 ? 63 : sf);
    const int sh = negated(sf, 63);
    if (s > (std::numeric_limits<std::int64_t>::max() >> sh)) return std::numeric_limits<std::int64_t>::max();
    return s << sh;
}

// A non-negative double scaled by 2^-sf, truncated toward zero and
// saturated to Vek32s.
inline Vek32s scale_truncate_32s(double v, int sf) {
    return round_saturate<Vek32s, vekRoundTowardZero>(std::ldexp(v, negated(sf, 4096)));
}

// A double scaled by 2^-sf, rounded half to even, saturated to Vek32s.
inline Vek32s scale_round_32s(double v, int sf) {
    return round_saturate<Vek32s, vekRoundHalfEven>(std::ldexp(v, negated(sf, 4096)));
}

} // namespace veks::stats
