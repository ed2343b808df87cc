// The multirate FIR sum. The input is placed at u[upPhase + m * up] (zeros
// between), filtered by the taps, and every down-th value from downPhase is
// kept: output j is v[n], n = downPhase + j * down, and with m0 the newest
// input at or before n and p = n - upPhase - m0 * up,
//   y[j] = sum over i >= 0 with p + i * up < L of taps[p + i * up] * x[m0 - i],
// added in the order i = 0, 1, ... (newest input first).
// Inputs before the call come from a history of P = ceil(L / up) samples.
// One iteration consumes down inputs and produces up outputs, so the
// phases repeat at every iteration boundary.
//
// Fast evaluation: output j = r + t * up ("class" r, iteration t) has the
// phase p of class r and m0 = m0(r) + t * down. Splitting the inputs into
// down interleaved streams (stream q holds the inputs q, q + down, ...)
// makes the inputs of term i contiguous across consecutive iterations of a
// class, so each class is a row of dot products of its taps with windows
// of the streams, computed several outputs at a time (firmr_lanes.h). A
// per-call work area holds the taps of every class and, per chunk of
// iterations, the inputs converted to the product type and split into
// streams.
#pragma once

#include <omp.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/vekcore/vekcore.h"
#include "filters/fir_elem.h"
#include "filters/firmr_lanes.h"

namespace veks::fir::mr {

struct Rate {
    int up, up_phase, down, down_phase;
};

inline int history_len(int L, int up) { return (L + up - 1) / up; }

inline std::int64_t floor_div(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The inputs of a call: input m >= 0 is element m of src (any address),
// input m < 0 is hist[P + m] (the history, oldest first).
template <class D>
struct Inputs {
    const D* hist;
    int P;
    const void* src;
    D operator()(std::int64_t m) const { return m >= 0 ? load<D>(src, std::size_t(m)) : hist[P + m]; }
};

// Outputs j0 .. j1-1 one sum at a time: the fallback when no work area
// can be had.
template <class Prod, class Acc, class Tap, class D, class Emit>
inline void plain_outputs(const Tap* taps, int L, const Rate& r, std::int64_t j0, std::int64_t j1, const Inputs<D>& x, Emit& emit) {
    for (std::int64_t j = j0; j < j1; ++j) {
        const std::int64_t n = r.down_phase + j * r.down - r.up_phase;
        const std::int64_t m0 = floor_div(n, r.up);
        const int p = int(n - m0 * r.up);
        Acc a{};
        std::int64_t m = m0;
        for (int k = p; k < L; k += r.up, --m) a += convert<Acc>(convert<Prod>(taps[k]) * convert<Prod>(x(m)));
        emit(j, a);
    }
}

// The work area of one thread: class taps and stream offsets for the
// whole call, streams for one chunk of T iterations.
template <class Prod>
struct ClassPlan {
    int up, down, P;
    std::int64_t B;          // inputs before the chunk in its streams: a multiple of down, >= P
    std::int64_t T, S;       // iterations per chunk; stream length B / down + T
    Prod* streams;           // down streams of S values
    Prod* taps;              // the taps of class 0, then class 1, ...
    std::int32_t* off;       // per tap: stream * S + position for the chunk's first iteration
    std::int32_t* first;     // up + 1 entries: where each class starts in taps / off

    static std::int64_t hist_span(int P, int down) { return (std::int64_t(P) + down - 1) / down * down; }
    static std::int64_t table_bytes(int up, int P) {
        const std::int64_t entries = std::int64_t(up) * P;
        return entries * std::int64_t(sizeof(Prod) + 4) + 4 * (std::int64_t(up) + 1);
    }
    static std::int64_t bytes(int up, int P, int down, std::int64_t T) {
        return std::int64_t(sizeof(Prod)) * (hist_span(P, down) + down * T) + table_bytes(up, P) + 16;
    }
    // The largest chunk (a multiple of 16 iterations, at most 4096) that fits.
    static std::int64_t chunk_for(std::int64_t room, int up, int P, int down) {
        const std::int64_t left = room - 16 - table_bytes(up, P) - std::int64_t(sizeof(Prod)) * hist_span(P, down);
        if (left <= 0) return 0;
        return std::min<std::int64_t>(4096, left / std::int64_t(sizeof(Prod)) / down / 16 * 16);
    }
};

// Lays out the plan in mem (aligned to 16) and fills the class tables.
template <class Prod, class Tap>
inline ClassPlan<Prod> make_plan(void* mem, const Tap* taps, int L, const Rate& r, std::int64_t T) {
    ClassPlan<Prod> c;
    c.up = r.up;
    c.down = r.down;
    c.P = history_len(L, r.up);
    c.B = ClassPlan<Prod>::hist_span(c.P, r.down);
    c.T = T;
    c.S = c.B / r.down + T;
    c.streams = static_cast<Prod*>(mem);
    c.taps = c.streams + r.down * c.S;
    c.off = reinterpret_cast<std::int32_t*>(c.taps + std::int64_t(r.up) * c.P);
    c.first = c.off + std::int64_t(r.up) * c.P;
    int e = 0;
    for (int cls = 0; cls < r.up; ++cls) {
        c.first[cls] = e;
        const std::int64_t n = r.down_phase + std::int64_t(cls) * r.down - r.up_phase;
        const std::int64_t m0 = floor_div(n, r.up);
        // position of input m0 - i among the chunk's inputs (>= B - P >= 0)
        std::int64_t g = m0 + c.B;
        for (std::int64_t k = n - m0 * r.up; k < L; k += r.up, --g, ++e) {
            c.taps[e] = convert<Prod>(taps[k]);
            c.off[e] = std::int32_t(g % r.down * c.S + g / r.down);
        }
    }
    c.first[r.up] = e;
    return c;
}

// Iterations it0 .. it1-1 through the plan, a chunk at a time.
template <class Prod, class Acc, class D, class Emit>
inline void class_outputs(const ClassPlan<Prod>& c, std::int64_t it0, std::int64_t it1, const Inputs<D>& x, Emit& emit) {
    constexpr int R = lane_count<Prod, Acc>;
    const int up = c.up, down = c.down;
    for (std::int64_t a = it0; a < it1; a += c.T) {
        const std::int64_t tn = std::min(c.T, it1 - a);
        // The chunk's inputs start B before its first iteration's inputs;
        // those older than the history are never read.
        const std::int64_t m_start = a * down - c.B;
        const std::int64_t positions = c.B / down + tn;
        for (int q = 0; q < down; ++q) {
            Prod* stream = c.streams + q * c.S;
            const std::int64_t m_q = m_start + q;
            // positions of the first input from the history and from src
            const std::int64_t from_hist = std::clamp<std::int64_t>(floor_div(-c.P - m_q + down - 1, down), 0, positions);
            const std::int64_t from_src = std::clamp<std::int64_t>(floor_div(-m_q + down - 1, down), 0, positions);
            std::int64_t pos = 0;
            for (; pos < from_hist; ++pos) stream[pos] = Prod{};
            for (; pos < from_src; ++pos) stream[pos] = convert<Prod>(x.hist[x.P + m_q + pos * down]);
            for (; pos < positions; ++pos) stream[pos] = convert<Prod>(load<D>(x.src, std::size_t(m_q + pos * down)));
        }
        for (int cls = 0; cls < up; ++cls) {
            const Prod* taps = c.taps + c.first[cls];
            const std::int32_t* off = c.off + c.first[cls];
            const int n = c.first[cls + 1] - c.first[cls];
            std::int64_t t = 0;
            Acc s[R];
            for (; t + R <= tn; t += R) {
                lane_sums<Prod, Acc, R>(taps, off, n, c.streams + t, s);
                for (int l = 0; l < R; ++l) emit((a + t + l) * up + cls, s[l]);
            }
            for (; t < tn; ++t) {
                Acc one[1];
                lane_sums_generic<Prod, Acc, 1>(taps, off, n, c.streams + t, one);
                emit((a + t) * up + cls, one[0]);
            }
        }
    }
}

// Iterations it0 .. it1-1 of a call: through a work area on the stack, or
// allocated when the tables do not fit it, or one sum at a time when the
// allocation fails.
template <class Prod, class Acc, class Tap, class D, class Emit>
inline void outputs(const Tap* taps, int L, const Rate& r, std::int64_t it0, std::int64_t it1, const Inputs<D>& x, Emit& emit) {
    using Plan = ClassPlan<Prod>;
    constexpr std::int64_t kStackBytes = 16384;
    alignas(16) unsigned char stack[kStackBytes];
    const int P = history_len(L, r.up);
    const std::int64_t T = Plan::chunk_for(kStackBytes, r.up, P, r.down);
    if (T >= 16) {
        class_outputs<Prod, Acc>(make_plan<Prod>(stack, taps, L, r, T), it0, it1, x, emit);
        return;
    }
    const std::int64_t bytes = Plan::bytes(r.up, P, r.down, 256);
    Vek8u* heap = bytes <= INT32_MAX ? veksMalloc_8u(static_cast<int>(bytes)) : nullptr;
    if (heap) {
        class_outputs<Prod, Acc>(make_plan<Prod>(heap, taps, L, r, 256), it0, it1, x, emit);
        veksFree(heap);
    } else {
        plain_outputs<Prod, Acc>(taps, L, r, it0 * r.up, it1 * r.up, x, emit);
    }
}

// All outputs of numIters iterations, split among threads for long calls.
template <class Prod, class Acc, class Tap, class D, class Emit>
inline void run(const Tap* taps, int L, const Rate& r, int numIters, const Inputs<D>& x, Emit&& emit) {
    if (numIters >= 1601 && ownGetNumThreads() >= 2) {
#pragma omp parallel num_threads(ownGetNumThreads())
        {
            const int P = omp_get_num_threads(), t = omp_get_thread_num();
            const std::int64_t per = numIters / P, rest = numIters % P;
            const std::int64_t i0 = t * per + std::min<std::int64_t>(t, rest);
            const std::int64_t i1 = i0 + per + (t < rest ? 1 : 0);
            outputs<Prod, Acc>(taps, L, r, i0, i1, x, emit);
        }
    } else {
        outputs<Prod, Acc>(taps, L, r, 0, numIters, x, emit);
    }
}

} // namespace veks::fir::mr
