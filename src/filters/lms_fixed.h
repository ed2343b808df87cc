// Fixed-point LMS arithmetic shared by the Q15 one-sample form and the
// multirate family. A Vek32s tap is a Q31 value whose upper 16 bits (the
// tap shifted right arithmetically by 16) are the Q15 tap that filters; the
// lower 16 bits keep the fraction that small updates accumulate. Samples
// and errors are read as Q15 fractions of full scale, so one update is
//   tap += 2 * mu * e * x   (mu Q15) = muQ15 * e * x / 2^13 in Q31 units
// for an error e in sample units, rounded half to even and saturated to the
// Vek32s range. Complex data use the complex products t * x for the output
// and e * conj(x) for the update.
#pragma once

#include <cstdint>

#include "core/scale.h"
#include "filters/lms_kernels.h"
#include "veks.h"

namespace veks::lms {

struct Wide {
    std::int64_t re = 0, im = 0;
};

inline std::int64_t q15_tap(std::int32_t t) { return t >> 16; }

// Output sums: acc += (tap >> 16) * x, exact in 64 bits.
inline void mac(std::int64_t& acc, Vek32s t, Vek16s x) { acc += q15_tap(t) * x; }
inline void mac(Wide& acc, Vek32sc t, Vek16sc x) {
    const std::int64_t tr = q15_tap(t.re), ti = q15_tap(t.im);
    acc.re += tr * x.re - ti * x.im;
    acc.im += tr * x.im + ti * x.re;
}

inline Vek32s saturate32(std::int64_t v) { return saturate<Vek32s>(v); }
inline Vek32sc saturate32(const Wide& v) { return {saturate<Vek32s>(v.re), saturate<Vek32s>(v.im)}; }

// tap + round(w * x / 2^shift) (1 <= shift <= 32), saturated; |w| <= 2^47.
inline Vek32s adapt(Vek32s t, std::int64_t w, Vek16s x, int shift) {
    return saturate<Vek32s>(std::int64_t(t) + round_shift_half_even<std::int64_t>(w * x, shift));
}
inline Vek32sc adapt(Vek32sc t, const Wide& w, Vek16sc x, int shift) {
    const std::int64_t re = w.re * x.re + w.im * x.im; // w * conj(x)
    const std::int64_t im = w.im * x.re - w.re * x.im;
    return {saturate<Vek32s>(std::int64_t(t.re) + round_shift_half_even<std::int64_t>(re, shift)),
            saturate<Vek32s>(std::int64_t(t.im) + round_shift_half_even<std::int64_t>(im, shift))};
}

} // namespace veks::lms
