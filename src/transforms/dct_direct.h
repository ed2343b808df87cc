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
        at = at >= q ? at - q : at;
    }
};

// G outputs from an odd k on in one sweep of the inputs: odd ones sum v,
// even ones u (plus the middle sample of an odd length, cos(pi k / 2)).
// Separate accumulators keep the additions independent.
template <int G, class T>
void direct_group(const T* u, const T* v, int h, int n, int k, const T* t, T mid, T c, T* dst) {
    const std::int32_t q = 4 * n;
    std::int32_t at[G], step[G];
    T acc[G];
    for (int g = 0; g < G; ++g) {
        at[g] = (k + g) % q;
        step[g] = (2 * (k + g)) % q;
        acc[g] = 0;
    }
    for (int i = 0; i < h; ++i) {
        for (int g = 0; g < G; ++g) {
            acc[g] += (g & 1 ? u[i] : v[i]) * t[at[g]];
            at[g] += step[g];
            at[g] = at[g] >= q ? at[g] - q : at[g];
        }
    }
    for (int g = 0; g < G; ++g) {
        if ((g & 1) && (n & 1)) acc[g] += ((k + g) / 2) & 1 ? -mid : mid;
        dst[k + g] = acc[g] * c;
    }
}

// work holds n values.
template <class T>
void direct_fwd(const T* src, T* dst, int n, const T* t, T* work, T c0, T c) {
    const int h = n / 2;
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
    int k = 1;
    for (; k + 3 < n; k += 4) direct_group<4>(u, v, h, n, k, t, mid, c, dst);
    for (; k + 1 < n; k += 2) direct_group<2>(u, v, h, n, k, t, mid, c, dst);
    if (k < n) direct_group<1>(u, v, h, n, k, t, mid, c, dst);
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
