// The power-of-two DCT (N >= 16): a recursive split of the type II sum into
// two half-length sums, iterated level by level over whole arrays.
//
//   g[i] = x[i] + x[L-1-i],  h[i] = (x[i] - x[L-1-i]) / (2 cos(pi (2i+1) / 2L))
//   X[2k] = G[k],  X[2k+1] = H[k] + H[k+1]   (H[L/2] = 0)
//
// with G, H the half-length transforms of g and h, down to blocks of 8 that
// the straight-line kernel finishes. The inverse runs the transposed steps
// in reverse order. Each level is one pass from one array to the other
// (the caller's destination and the work area), an even number in all, so
// the result lands in the destination; the first pass reads the source,
// which may be the destination.
#pragma once

#include <cstddef>

#include "transforms/dct_kernels.h"
#include "transforms/dct_spec.h"
#include "transforms/fft_simd.h"

namespace veks::dct {

// Blocks of length l: sums in the first half, scaled differences in the second.
template <class T>
void split_level(const T* src, T* dst, idx n, idx l, const T* t) {
    using V = fft::Wide<T>;
    const idx h = l / 2;
    for (idx b = 0; b < n; b += l) {
        const T* s = src + b;
        T* d = dst + b;
        idx i = 0;
        for (; i + V::lanes <= h; i += V::lanes) {
            const V a = V::load(s + i), r = V::load(s + l - i - V::lanes).reversed();
            (a + r).store(d + i);
            ((a - r) * V::load(t + i)).store(d + h + i);
        }
        for (; i < h; ++i) {
            const T a = s[i], r = s[l - 1 - i];
            d[i] = a + r;
            d[h + i] = (a - r) * t[i];
        }
    }
}

// Blocks [G | H] of length l into X[2k] = G[k], X[2k+1] = H[k] + H[k+1],
// every value times c (X[0] of the whole array times c0 when last).
template <class T>
void merge_level(const T* src, T* dst, idx n, idx l, bool last, T c0, T c) {
    using V = fft::Wide<T>;
    const idx h = l / 2;
    const V vc = V::bcast(c);
    for (idx b = 0; b < n; b += l) {
        const T* s = src + b;
        T* d = dst + b;
        idx k = 0;
        if (last) {
            for (; k + V::lanes < h; k += V::lanes)
                V::store_ci(d + 2 * k, V::load(s + k) * vc, (V::load(s + h + k) + V::load(s + h + k + 1)) * vc);
        } else {
            for (; k + V::lanes < h; k += V::lanes)
                V::store_ci(d + 2 * k, V::load(s + k), V::load(s + h + k) + V::load(s + h + k + 1));
        }
        const T f = last ? c : T(1);
        for (; k < h; ++k) {
            d[2 * k] = s[k] * f;
            d[2 * k + 1] = (k + 1 < h ? s[h + k] + s[h + k + 1] : s[h + k]) * f;
        }
    }
    if (last) dst[0] = src[0] * c0;
}

// Transposed merge: X into blocks [G' | H'] with G'[k] = X[2k] and
// H'[k] = X[2k+1] + X[2k-1] (H'[0] = X[1]); the first pass also applies the
// scaling c0, c of the inverse.
template <class T>
void unmerge_level(const T* src, T* dst, idx n, idx l, bool first, T c0, T c) {
    using V = fft::Wide<T>;
    const idx h = l / 2;
    const T f = first ? c : T(1);
    const V vf = V::bcast(f);
    for (idx b = 0; b < n; b += l) {
        const T* s = src + b;
        T* d = dst + b;
        d[0] = s[0] * f;
        d[h] = s[1] * f;
        idx k = 1;
        for (; k + V::lanes <= h; k += V::lanes) {
            V even, odd, pe, prev;
            V::load_ci(s + 2 * k, even, odd);
            V::load_ci(s + 2 * k - 2, pe, prev);
            (even * vf).store(d + k);
            ((odd + prev) * vf).store(d + h + k);
        }
        for (; k < h; ++k) {
            d[k] = s[2 * k] * f;
            d[h + k] = (s[2 * k + 1] + s[2 * k - 1]) * f;
        }
    }
    if (first) dst[0] = src[0] * c0;
}

// Transposed split: [g | h] into y[i] = g[i] + h[i] t[i], y[l-1-i] = g[i] - h[i] t[i].
template <class T>
void join_level(const T* src, T* dst, idx n, idx l, const T* t) {
    using V = fft::Wide<T>;
    const idx h = l / 2;
    for (idx b = 0; b < n; b += l) {
        const T* s = src + b;
        T* d = dst + b;
        idx i = 0;
        for (; i + V::lanes <= h; i += V::lanes) {
            const V g = V::load(s + i), w = V::load(s + h + i) * V::load(t + i);
            (g + w).store(d + i);
            (g - w).reversed().store(d + l - i - V::lanes);
        }
        for (; i < h; ++i) {
            const T g = s[i], w = s[h + i] * t[i];
            d[i] = g + w;
            d[l - 1 - i] = g - w;
        }
    }
}

// The whole transform of n >= 16 points; table as the spec builds it
// (level l at n - l), work holds n values.
template <class T, bool Inv>
void pow2_dct(const T* src, T* dst, idx n, const T* table, T* work, T c0, T c) {
    int pass = 0;
    const auto next = [&] { return ++pass & 1 ? work : dst; };
    const T* in = src;
    for (idx l = n; l >= 16; l /= 2) {
        T* out = next();
        if (Inv) unmerge_level(in, out, n, l, l == n, c0, c);
        else split_level(in, out, n, l, table + (n - l));
        in = out;
    }
    T* blocks = const_cast<T*>(in); // the work area or the destination by now
    for (idx b = 0; b < n; b += 8) Inv ? dct8_inv(blocks + b) : dct8_fwd(blocks + b);
    for (idx l = 16; l <= n; l *= 2) {
        T* out = next();
        if (Inv) join_level(in, out, n, l, table + (n - l));
        else merge_level(in, out, n, l, l == n, c0, c);
        in = out;
    }
}

} // namespace veks::dct
