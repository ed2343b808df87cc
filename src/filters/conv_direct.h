// Direct-sum convolution kernel: blocks of outputs held in registers while
// the short operand streams past, so each output is one running sum.
#pragma once

#include <algorithm>
#include <cstring>

#include "filters/conv_fft.h"

namespace veks::filt {

// Outputs computed together; their sums stay in registers.
template <class F> constexpr int kDirectBlock = 64 / int(sizeof(F)) * 2;

// out[k] = sum over j < m of s[j] * x[k - j] for k < nout, where x[i] is
// xpad[i + m - 1] and zero outside the operand. xpad must be readable up to
// nout + m - 1 + kDirectBlock elements. With Accumulate the sums are added
// to what out holds. out may sit at any address.
template <class F, bool Accumulate>
void conv_direct_block(const F* xpad, const F* s, int m, int nout, F* out) {
    constexpr int B = kDirectBlock<F>;
    for (int k = 0; k < nout; k += B) {
        F acc[B] = {};
        const F* base = xpad + k + m - 1;
        for (int j = 0; j < m; ++j) {
            const F w = s[j];
            const F* p = base - j;
            for (int l = 0; l < B; ++l) acc[l] += w * p[l];
        }
        const int n = std::min(B, nout - k);
        if constexpr (Accumulate) {
            F old[B];
            std::memcpy(old, out + k, sizeof(F) * n);
            for (int l = 0; l < n; ++l) acc[l] = old[l] + acc[l];
        }
        std::memcpy(out + k, acc, sizeof(F) * n);
    }
}

// Longest operand piece the direct sum takes at once, and the longest
// short operand it ever sees (the size rule sends longer ones to a transform).
constexpr int kDirectChunk = 4096;
constexpr int kDirectMaxShort = 75;

// Full linear convolution of x (n values) with s (m values, m <= n, m at
// most kDirectMaxShort) by direct sums into dst (n + m - 1 values). Long
// operands are taken in chunks whose contributions add up in dst.
template <class F>
void conv_direct(const F* x, int n, const F* s_any, int m, F* dst) {
    constexpr int B = kDirectBlock<F>;
    alignas(32) F s[kDirectMaxShort];
    alignas(32) F xpad[kDirectChunk + 2 * kDirectMaxShort + B];
    std::memcpy(s, s_any, sizeof(F) * m);
    const int chunk = std::min(n, kDirectChunk);
    std::fill(xpad, xpad + m - 1, F(0));
    if (n <= kDirectChunk) {
        std::memcpy(xpad + m - 1, x, sizeof(F) * n);
        std::fill(xpad + m - 1 + n, xpad + n + 2 * (m - 1) + B, F(0));
        conv_direct_block<F, false>(xpad, s, m, n + m - 1, dst);
        return;
    }
    std::memset(dst, 0, sizeof(F) * (static_cast<std::size_t>(n) + m - 1));
    for (int c = 0; c < n; c += chunk) {
        const int len = std::min(chunk, n - c);
        std::memcpy(xpad + m - 1, x + c, sizeof(F) * len);
        std::fill(xpad + m - 1 + len, xpad + len + 2 * (m - 1) + B, F(0));
        conv_direct_block<F, true>(xpad, s, m, len + m - 1, dst + c);
    }
}

} // namespace veks::filt
