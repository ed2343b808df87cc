// The fixed-point engine of the 16-bit transforms: 32-bit values with Q14
// twiddles, decimation in frequency (natural order in, bit-reversed out),
// then the bit-reversal permutation.
#pragma once

#include <cstdint>

#include "transforms/fft_layout.h"

namespace veks::fft {

// Left shift applied to the 16-bit input before the transform of order m.
inline int fixed_pre_shift(int m) { return 15 - (m < 15 ? m : 15); }

// x * w / 16384 for a Q14 w, from the halves of x with the low part rounded.
inline std::int32_t q14_mul(std::int32_t x, std::int32_t w) {
    return ((((x & 0xFFFF) >> 1) * w + 4096) >> 13) + (x >> 16) * w * 4;
}

// Scale factors beyond +-64 narrow like +-64 (narrow_q caps the total shift):
// capping first keeps the shift sums from overflowing.
inline int cap_scale(int sf) { return sf > 64 ? 64 : sf < -64 ? -64 : sf; }

// Narrowing to 16 bits: shift right by s rounding half up (left for s < 0),
// saturated.
inline std::int16_t narrow_q(std::int64_t x, int s) {
    if (s > 40) s = 40;
    if (s < -40) s = -40;
    // A left shift saturates for any |x| above 16 bits: clamp x first so the
    // product cannot overflow.
    const std::int64_t xl = x > 65536 ? 65536 : x < -65536 ? -65536 : x;
    const std::int64_t v = s > 0 ? (x + (std::int64_t(1) << (s - 1))) >> s : s == 0 ? x : xl * (std::int64_t(1) << -s);
    return static_cast<std::int16_t>(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
}

// Transforms the 2^m complex values x (re, im interleaved) in place with the
// spec's tables of order m; the result is in natural order, before the
// final narrowing.
void fixed_transform(const ShortSpecHeader* h, std::int32_t* x, bool inverse, int m);

} // namespace veks::fft
