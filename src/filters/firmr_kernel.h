// The multirate FIR sum. The input is placed at u[upPhase + m * up] (zeros
// between), filtered by the taps, and every down-th value from downPhase is
// kept: output j is v[n], n = downPhase + j * down, and with m0 the newest
// input at or before n and p = n - upPhase - m0 * up,
//   y[j] = sum over i >= 0 with p + i * up < L of taps[p + i * up] * x[m0 - i].
// Inputs before the call come from a history of P = ceil(L / up) samples.
// One iteration consumes down inputs and produces up outputs, so the
// phases repeat at every iteration boundary.
#pragma once

#include <omp.h>

#include <algorithm>
#include <cstddef>

#include "core/vekcore/vekcore.h"
#include "filters/fir_elem.h"

namespace veks::fir::mr {

struct Rate {
    int up, up_phase, down, down_phase;
};

inline int history_len(int L, int up) { return (L + up - 1) / up; }

// Outputs j0 .. j1-1 of a call. x(m) reads input m (m < 0: history).
template <class Prod, class Acc, class Tap, class Read, class Emit>
inline void outputs(const Tap* taps, int L, const Rate& r, std::int64_t j0, std::int64_t j1, Read&& x, Emit&& emit) {
    for (std::int64_t j = j0; j < j1; ++j) {
        const std::int64_t n = r.down_phase + j * r.down - r.up_phase;
        // floor division: n may be negative before the first input
        const std::int64_t m0 = n >= 0 ? n / r.up : -((-n + r.up - 1) / r.up);
        const int p = int(n - m0 * r.up);
        Acc a{};
        std::int64_t m = m0;
        for (int k = p; k < L; k += r.up, --m) a += convert<Acc>(convert<Prod>(taps[k]) * convert<Prod>(x(m)));
        emit(j, a);
    }
}

// All outputs of numIters iterations, split among threads for long calls.
template <class Prod, class Acc, class Tap, class Read, class Emit>
inline void run(const Tap* taps, int L, const Rate& r, int numIters, Read&& x, Emit&& emit) {
    const std::int64_t total = std::int64_t(numIters) * r.up;
    if (numIters >= 1601 && ownGetNumThreads() >= 2) {
#pragma omp parallel num_threads(ownGetNumThreads())
        {
            const int P = omp_get_num_threads(), t = omp_get_thread_num();
            const std::int64_t per = numIters / P, rest = numIters % P;
            const std::int64_t i0 = t * per + std::min<std::int64_t>(t, rest);
            const std::int64_t i1 = i0 + per + (t < rest ? 1 : 0);
            outputs<Prod, Acc>(taps, L, r, i0 * r.up, i1 * r.up, x, emit);
        }
    } else {
        outputs<Prod, Acc>(taps, L, r, 0, total, x, emit);
    }
}

} // namespace veks::fir::mr
