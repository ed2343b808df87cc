// IIR recurrences on a block of samples of the computing type, in place.
// Every path evaluates the same expressions in the same order, so a block
// split anywhere, or run one sample at a time, gives the same bits.
//
//   arbitrary order N: y = B0 x + d[0]
//                      d[k] = (B(k+1) x - A(k+1) y) + d[k+1], k < N-1
//                      d[N-1] = (BN x - AN y) + d[N]  (d[N] is always 0;
//                      order 1 leaves the addition out)
//   biquad section:    y = B0 x + d0; d0 = (B1 x + d1) - A1 y; d1 = B2 x - A2 y
#pragma once

#include <cstddef>

#include "filters/iir_state.h"

namespace veks::iir {

// Arbitrary order, any order and computing type. taps: B0..BN, A1..AN.
template <class T>
void run_order(T* x, std::size_t n, const T* taps, T* d, int order) {
    const T* b = taps;
    const T* a = taps + order; // a[k] is Ak
    if (order == 1) {
        T d0 = d[0];
        for (std::size_t i = 0; i < n; ++i) {
            const T xi = x[i];
            const T y = b[0] * xi + d0;
            d0 = b[1] * xi - a[1] * y;
            x[i] = y;
        }
        d[0] = d0;
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const T xi = x[i];
        const T y = b[0] * xi + d[0];
        for (int k = 0; k < order; ++k) d[k] = b[k + 1] * xi - a[k + 1] * y + d[k + 1];
        x[i] = y;
    }
}

// Orders 2..N fixed at compile time: taps and delay line live in registers.
template <int N, class T>
void run_order_fixed(T* x, std::size_t n, const T* taps, T* dly) {
    T b[N + 1], a[N + 1], d[N + 1];
    for (int k = 0; k <= N; ++k) {
        b[k] = taps[k];
        a[k] = k ? taps[N + k] : T(0);
        d[k] = dly[k];
    }
    for (std::size_t i = 0; i < n; ++i) {
        const T xi = x[i];
        const T y = b[0] * xi + d[0];
        for (int k = 0; k < N; ++k) d[k] = b[k + 1] * xi - a[k + 1] * y + d[k + 1];
        x[i] = y;
    }
    for (int k = 0; k < N; ++k) dly[k] = d[k];
}

template <class T>
void run_order_any(T* x, std::size_t n, const T* taps, T* d, int order) {
    if constexpr (!is_cx<T>) {
        switch (order) {
        case 2: return run_order_fixed<2>(x, n, taps, d);
        case 3: return run_order_fixed<3>(x, n, taps, d);
        case 4: return run_order_fixed<4>(x, n, taps, d);
        case 5: return run_order_fixed<5>(x, n, taps, d);
        case 6: return run_order_fixed<6>(x, n, taps, d);
        case 7: return run_order_fixed<7>(x, n, taps, d);
        case 8: return run_order_fixed<8>(x, n, taps, d);
        default: break;
        }
    }
    run_order(x, n, taps, d, order);
}

// Biquad cascade, sample by sample through every section. taps: 5 per
// section (B0, B1, B2, A1, A2); d: d0, d1 per section.
template <class T>
void run_biquads(T* x, std::size_t n, const T* taps, T* d, int num_bq) {
    for (std::size_t i = 0; i < n; ++i) {
        T v = x[i];
        for (int s = 0; s < num_bq; ++s) {
            const T* t = taps + 5 * s;
            T* ds = d + 2 * s;
            const T y = t[0] * v + ds[0];
            ds[0] = t[1] * v + ds[1] - t[3] * y;
            ds[1] = t[2] * v - t[4] * y;
            v = y;
        }
        x[i] = v;
    }
}

// R sections (R small) with taps and delays in registers.
template <int R, class T>
void run_biquads_fixed(T* x, std::size_t n, const T* taps, T* dly) {
    T t[R][5], d[R][2];
    for (int s = 0; s < R; ++s) {
        for (int k = 0; k < 5; ++k) t[s][k] = taps[5 * s + k];
        d[s][0] = dly[2 * s];
        d[s][1] = dly[2 * s + 1];
    }
    for (std::size_t i = 0; i < n; ++i) {
        T v = x[i];
        for (int s = 0; s < R; ++s) {
            const T y = t[s][0] * v + d[s][0];
            d[s][0] = t[s][1] * v + d[s][1] - t[s][3] * y;
            d[s][1] = t[s][2] * v - t[s][4] * y;
            v = y;
        }
        x[i] = v;
    }
    for (int s = 0; s < R; ++s) {
        dly[2 * s] = d[s][0];
        dly[2 * s + 1] = d[s][1];
    }
}

} // namespace veks::iir
