// The seam between the FIR state operations and multirate states. A
// multirate state carries its form's multirate identifier (the single-rate
// code plus 2) and its own header after the shared leading fields
// (identifier, taps, delay buffer, tapsLen); the shared operations hand such
// a state to these entry points, which read the form from the identifier.
#pragma once

#include <cstdint>

#include "filters/fir_state.h"
#include "veks.h"

namespace veks::fir {

// What a state pointer handed to an operation of form F holds: a state of
// that form, the multirate state of that form, or anything else.
enum class Rate { Single, Multi, Foreign };
template <class F> Rate rate_of(const void* state) {
    const std::uint32_t id = read_id(state);
    if (id == state_id(F::code)) return Rate::Single;
    if (id == state_id(multirate_code(F::code))) return Rate::Multi;
    return Rate::Foreign;
}

} // namespace veks::fir

namespace veks::fir::multirate {

// Block filter of numIters iterations (scaleFactor ignored by float data).
VekStatus filter(void* state, const void* pSrc, void* pDst, int numIters, int scaleFactor);
VekStatus filter_in_place(void* state, void* pSrcDst, int numIters, int scaleFactor);
// Taps in natural order. float_taps: the taps are read or written as the
// floating view of an integer-tap form (32s_16s32f, 32sc_16sc32fc); pFactor
// and tapsFactor serve the integer view.
VekStatus get_taps(const void* state, void* pTaps, int* pFactor, bool float_taps);
VekStatus set_taps(void* state, const void* pTaps, int tapsFactor, bool float_taps);
VekStatus get_dly_line(const void* state, void* pDlyLine);
VekStatus set_dly_line(void* state, const void* pDlyLine);
VekStatus release(void* state);

} // namespace veks::fir::multirate
