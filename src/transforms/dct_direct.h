// The direct DCT for lengths up to 100 that are not powers of two: sums over
// a table T[m] = cos(2 pi m / 4N), m < 4N, with the index (2n+1) k taken
// modulo 4N. Symmetry halves the work: the forward sums run over
// u[n] = x[n] + x[N-1-n] (even k) or v[n] = x[n] - x[N-1-n] (odd k), the
// inverse forms even and odd partial sums E, O and writes E + O, E - O.
#pragma once

#include <cstddef>
#include <cstdint>

namespace veks::dct {

// The index (2n+1) k advances by a fixed step modulo 4N.
struct ModIndex {
    std::int32_t at, step, q;
    void advance() {
        at += step;
        if (at >= q) at -= q;
    }
};

// work holds n values.
template <class T>
void direct_fwd(const T* src, T* dst, int n, const T* t, T* work, T c0, T c) {
    const int h = n / 2, q = 4 * n;
    T* u = work;
    T* v = work + h;
    for (int i = 0; i < h; ++i) {
        u[i] = src[i] + src[n - 1 - i];
        v[i] = src[i] - src[n - 1 - i];
    }
    const T mid = n & 1 ? src[h] : T(0);
    T x0 = mid;
    for (int i = 0; i < h; ++i) x0 += u[i];
    dst[0] = x0 * c0;
    // Two outputs at a time (an odd k and the even k after it) over one
    // sweep of the inputs.
    int k = 1;
    for (; k + 1 < n; k += 2) {
        ModIndex a{k, (2 * k) % q, q}, b{k + 1, (2 * k + 2) % q, q};
        T so = 0, se = 0;
        for (int i = 0; i < h; ++i) {
            so += v[i] * t[a.at];
            se += u[i] * t[b.at];
            a.advance();
            b.advance();
        }
        if (n & 1) se += ((k + 1) / 2) & 1 ? -mid : mid; // the middle sample: cos(pi k / 2)
        dst[k] = so * c;
        dst[k + 1] = se * c;
    }
    if (k < n) { // the last odd k of an even length
        ModIndex a{k, (2 * k) % q, q};
        T so = 0;
        for (int i = 0; i < h; ++i) {
            so += v[i] * t[a.at];
            a.advance();
        }
        dst[k] = so * c;
    }
}

// work holds n values.
template <class T>
void direct_inv(const T* src, T* dst, int n, const T* t, T* work, T c0, T c) {
    const int h = n / 2, q = 4 * n;
    T* y = work;
    y[0] = src[0] * c0;
    for (int k = 1; k < n; ++k) y[k] = src[k] * c;
    for (int i = 0; i < h; ++i) {
        const std::int32_t step = 2 * i + 1;
        ModIndex a{step, step, q};
        T e = y[0], o = 0;
        for (int k = 1; k + 1 < n; k += 2) {
            o += y[k] * t[a.at];
            a.advance();
            e += y[k + 1] * t[a.at];
            a.advance();
        }
        if (!(n & 1)) o += y[n - 1] * t[a.at];
        dst[i] = e + o;
        dst[n - 1 - i] = e - o;
    }
    if (n & 1) { // the middle sample: cos(pi k / 2) = (-1)^(k/2) for even k
        T e = y[0];
        for (int k = 2; k < n; k += 2) e += (k / 2) & 1 ? -y[k] : y[k];
        dst[h] = e;
    }
}

} // namespace veks::dct
