// Double-precision windows for other families of the library (filter
// design): the exported windows' rules applied in place to Vek64f data.
// Checks as the exported windows (pointer, then length >= 3; BlackmanOpt
// tests length >= 4 first).
#pragma once

#include "gen/window_ops.h"

namespace veks::gen {

enum class WindowKind { Bartlett, Hann, Hamming, BlackmanOpt };

inline VekStatus window_64f_inplace(WindowKind kind, Vek64f* taps, int len) {
    switch (kind) {
    case WindowKind::Bartlett: return bartlett(taps, taps, len);
    case WindowKind::Hann: return hann(taps, taps, len);
    case WindowKind::Hamming: return hamming(taps, taps, len);
    case WindowKind::BlackmanOpt: return blackman_opt(taps, taps, len);
    }
    return vekStsOk;
}

} // namespace veks::gen
