// Linear convolution of two real operands: direct sums, one transform of
// the whole result, or overlap-save blocks (threaded for long operands),
// chosen by the operand lengths.
#pragma once

#include "veks.h"

namespace veks::filt {

// dst = a * b (la + lb - 1 values); operands and dst may sit at any address.
template <class F>
VekStatus conv_real(const F* a, int la, const F* b, int lb, F* dst);

} // namespace veks::filt
