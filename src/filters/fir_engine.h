// Filtering steps shared by every state form: the direct method (short
// blocks appended to the history, long blocks read straight from the
// source, long enough ones split across threads), the one-sample step on
// the doubled circular window, and the delay-line views.
//
// Delay-window invariant: between calls the delay buffer holds the last L
// inputs, oldest first, at elements [index, index + L).
#pragma once

#include <omp.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "core/vekcore/vekcore.h"
#include "filters/fir_dot.h"
#include "filters/fir_elem.h"

namespace veks::fir {

// Rows k0 .. k0 + count - 1 of the output, read from x (element 0 of x is
// the first sample of row k0's window), stored through out into dst.
template <class Acc, class Tap, class X, class D, class Out>
inline void rows_to(const Tap* rt, int L, const void* x, std::size_t k0, std::size_t count, void* dst, const Out& out) {
    // Sums of the data type are the outputs: the vector loops store them directly.
    constexpr bool direct_store = std::is_same_v<value_t<D>, Acc> && std::is_floating_point_v<part_t<Acc>>;
    char* d = static_cast<char*>(dst) + k0 * sizeof(value_t<D>);
    dot_rows<Acc, Acc, Tap, X>(
        rt, L, x, count, [&](std::size_t k, const Acc& a) { store<value_t<D>>(d, k, out(a)); },
        direct_store ? d : nullptr);
}

// Splits rows first .. n-1 among the granted threads (contiguous ranges,
// the last thread takes the remainder), or runs them on the caller.
template <class Body>
inline void split_rows(int first, int n, bool parallel, Body&& rows) {
    if (!parallel) {
        rows(first, n - first);
        return;
    }
    int q = 0, rem = 0, P = 1;
#pragma omp parallel num_threads(ownGetNumThreads())
    {
#pragma omp master
        {
            P = omp_get_num_threads();
            q = (n - first) / P;
            rem = (n - first) - q * P;
        }
#pragma omp barrier
        const int t = omp_get_thread_num();
        rows(first + t * q, q + (t == P - 1 ? rem : 0));
    }
}

// The direct method on one block of n samples. The caller has set the
// stored index to 0; i is the index before the call and m the short-block
// limit. D is the exported data type, Dly the stored delay type.
template <class Acc, class Tap, class Dly, class D, class Out>
inline void direct_block(const Tap* rt, int L, int m, Dly* dly, int i, const void* src, void* dst, int n, const Out& out,
                         int par_limit) {
    using Data = value_t<D>;
    Dly* window = dly + i + 1;
    if (n <= m) {
        for (int k = 0; k < n; ++k) dly[i + L + k] = convert<Dly>(load<Data>(src, std::size_t(k)));
        rows_to<Acc, Tap, Dly, D>(rt, L, window, 0, std::size_t(n), dst, out);
        std::memmove(dly, dly + i + n, sizeof(Dly) * std::size_t(L));
        return;
    }
    for (int k = 0; k < m; ++k) dly[i + L + k] = convert<Dly>(load<Data>(src, std::size_t(k)));
    const int r = (L + 3) & ~3;
    rows_to<Acc, Tap, Dly, D>(rt, L, window, 0, std::size_t(r), dst, out);
    for (int k = 0; k < L; ++k) dly[k] = convert<Dly>(load<Data>(src, std::size_t(n - L + k)));
    const bool parallel = n >= par_limit && ownGetNumThreads() >= 2;
    const char* s = static_cast<const char*>(src);
    split_rows(r, n, parallel, [&](int k0, int count) {
        if (count > 0)
            rows_to<Acc, Tap, Data, D>(rt, L, s + std::size_t(k0 - L + 1) * sizeof(Data), std::size_t(k0),
                                       std::size_t(count), dst, out);
    });
}

// One sample: store it at elements i and i + L, advance the index, and
// return the dot product over the window that starts at the new index.
// Eight partial sums in the unrolled part.
template <class Acc, class Tap, class Dly>
inline Acc one_step(const Tap* rt, int L, Dly* dly, int& index, const Dly& x) {
    dly[index] = x;
    dly[index + L] = x;
    index = index + 1 == L ? 0 : index + 1;
    const Dly* w = dly + index;
    Acc s[8] = {};
    int j = 0;
    for (; j + 8 <= L; j += 8)
        for (int p = 0; p < 8; ++p) s[p] += convert<Acc>(convert<Acc>(rt[j + p]) * convert<Acc>(w[j + p]));
    Acc a = ((s[0] + s[4]) + (s[2] + s[6])) + ((s[1] + s[5]) + (s[3] + s[7]));
    for (; j < L; ++j) a += convert<Acc>(convert<Acc>(rt[j]) * convert<Acc>(w[j]));
    return a;
}

// Delay line newest first (pDlyLine[k] = (k+1)-th most recent input).
template <class D, class Dly>
inline void read_history(const Dly* dly, int index, int L, void* out) {
    for (int k = 0; k < L; ++k) store<value_t<D>>(out, std::size_t(k), convert<value_t<D>>(dly[index + L - 1 - k]));
}

// Stores a newest-first history oldest first at the buffer's start (zeros
// when none is given).
template <class D, class Dly>
inline void write_history(Dly* dly, int L, const void* in) {
    for (int k = 0; k < L; ++k) dly[k] = in ? convert<Dly>(load<value_t<D>>(in, std::size_t(L - 1 - k))) : Dly{};
}

} // namespace veks::fir
