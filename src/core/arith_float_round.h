// Conversions of floating-point quotients and products to integers that
// the arithmetic family fixes to the last bit, and powers of two built the
// way those conversions expect.
#pragma once

#include <cstdint>
#include <limits>

#include "veks.h"

namespace veks::arith {

// 2^-sf built by repeated halving (sf > 0) or doubling (sf < 0) of 1.0 in
// F; the steps stop once the value has reached zero or infinity.
template <class F> inline F two_to_minus(int sf) {
    F p = F(1);
    if (sf > 0) {
        for (int i = 0; i < sf && p != F(0); ++i) p = p * F(0.5);
    } else {
        for (int i = 0; i > sf && p != std::numeric_limits<F>::infinity(); --i) p = p * F(2);
    }
    return p;
}

// q in [-32768, 32767] to Vek16s: t = (q + 32768) + 0.5 in F, truncated, one
// step down when the truncation is odd and exact (a tie goes to even).
template <class F> inline Vek16s round_biased_16s(F q) {
    const F t = (q + F(32768)) + F(0.5);
    std::int32_t k = static_cast<std::int32_t>(t);
    k -= (k & 1) & static_cast<std::int32_t>(static_cast<F>(k) == t);
    return static_cast<Vek16s>(k - 32768);
}

// The same with the range test: beyond the range the sign decides; NaN
// (only from 0 times an infinite scale) gives 0.
template <class F> inline Vek16s round_saturate_16s(F q) {
    if (q >= F(-32768) && q <= F(32767)) return round_biased_16s(q);
    return q > 0 ? Vek16s(32767) : (q < 0 ? Vek16s(-32768) : Vek16s(0));
}

// Non-negative q to Vek8u: t = q + 0.5, truncated, one step down when odd
// and exact, saturated to 255; NaN gives 0.
inline Vek8u round_saturate_8u(float q) {
    if (q < 255.0f) {
        const float t = q + 0.5f;
        std::int32_t k = static_cast<std::int32_t>(t);
        k -= (k & 1) & static_cast<std::int32_t>(static_cast<float>(k) == t);
        return static_cast<Vek8u>(k);
    }
    return q >= 255.0f ? Vek8u(255) : Vek8u(0);
}

// A 16-bit binary fraction q16 = quotient * 65536 (truncated) to the integer
// quotient: (q16 + 32767 + 2 * (bit 16 of q16)) >> 16, saturated to 65535.
inline Vek16u round_fraction_16u(std::uint64_t q16) {
    const std::uint64_t r = (q16 + 32767 + 2 * ((q16 >> 16) & 1)) >> 16;
    return r > 65535 ? Vek16u(65535) : static_cast<Vek16u>(r);
}

// A single-precision product to Vek16s: truncate(p + (p > 0 ? 0.5 : -0.5) + e)
// with e = +-2^-23 (the sign of the half) when truncate(p) is odd, else 0.
// p must already lie in the int32 range.
inline std::int32_t convert_nudged(float p) {
    const float half = p > 0 ? 0.5f : -0.5f;
    const float nudge = (static_cast<std::int32_t>(p) & 1) ? (p > 0 ? 1.1920929e-7f : -1.1920929e-7f) : 0.0f;
    return static_cast<std::int32_t>(p + half + nudge);
}

} // namespace veks::arith
