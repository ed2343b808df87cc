// Accumulation orders of the reductions. Each order is defined once here,
// with an SSE2 kernel and a scalar twin that add in exactly the same order,
// so a result never depends on which one ran.
//
// A "term source" describes the values to add: it has a scalar
// `double at(std::size_t i)` and, where it can be vectorised (static
// constexpr bool has_quad), `quad(i, lo, hi)` giving terms i..i+3 as two
// pairs of doubles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/unaligned.h"
#include "veks.h"

namespace veks::stats {

// Two running double sums over groups of four: the first takes terms 4i and
// 4i+2, the second 4i+1 and 4i+3 (each in that order). The two are added
// and the last n % 4 terms follow one by one.
template <class Src>
double sum_pairs4(const Src& src, std::size_t n) {
    const std::size_t groups = n / 4 * 4;
    double total;
#if defined(__SSE2__)
    if constexpr (Src::has_quad) {
        // Lane 0 is the first sum, lane 1 the second.
        __m128d acc = _mm_setzero_pd(), lo, hi;
        for (std::size_t i = 0; i < groups; i += 4) {
            src.quad(i, lo, hi);
            acc = _mm_add_pd(acc, lo);
            acc = _mm_add_pd(acc, hi);
        }
        total = _mm_cvtsd_f64(acc) + _mm_cvtsd_f64(_mm_unpackhi_pd(acc, acc));
    } else
#endif
    {
        double s0 = 0.0, s1 = 0.0;
        for (std::size_t i = 0; i < groups; i += 4) {
            s0 += src.at(i);
            s1 += src.at(i + 1);
            s0 += src.at(i + 2);
            s1 += src.at(i + 3);
        }
        total = s0 + s1;
    }
    for (std::size_t i = groups; i < n; ++i) total += src.at(i);
    return total;
}

// P interleaved partial sums (term k goes to sum k % P) combine by halving:
// s[j] += s[j + P/2] for the lower half, repeated down to one sum. That is
// the order in which SIMD lanes fold, so vector kernels reproduce it.
template <class Acc, int P>
Acc combine_halving(Acc (&s)[P]) {
    static_assert((P & (P - 1)) == 0, "a power of two");
    for (int half = P / 2; half >= 1; half /= 2)
        for (int j = 0; j < half; ++j) s[j] += s[j + half];
    return s[0];
}

// Eight interleaved double sums, combined by halving; the last n % 8 terms
// follow one by one.
template <class Src>
double sum_interleaved8(const Src& src, std::size_t n) {
    const std::size_t groups = n / 8 * 8;
    double total;
#if defined(__SSE2__)
    if constexpr (Src::has_quad) {
        __m128d a0 = _mm_setzero_pd(), a1 = a0, a2 = a0, a3 = a0, t0, t1, t2, t3;
        for (std::size_t i = 0; i < groups; i += 8) {
            src.quad(i, t0, t1);
            src.quad(i + 4, t2, t3);
            a0 = _mm_add_pd(a0, t0);
            a1 = _mm_add_pd(a1, t1);
            a2 = _mm_add_pd(a2, t2);
            a3 = _mm_add_pd(a3, t3);
        }
        // a0..a3 hold sums (0,1) (2,3) (4,5) (6,7).
        const __m128d t = _mm_add_pd(_mm_add_pd(a0, a2), _mm_add_pd(a1, a3));
        total = _mm_cvtsd_f64(t) + _mm_cvtsd_f64(_mm_unpackhi_pd(t, t));
    } else
#endif
    {
        double s[8] = {};
        for (std::size_t i = 0; i < groups; i += 8)
            for (int k = 0; k < 8; ++k) s[k] += src.at(i + k);
        total = combine_halving(s);
    }
    for (std::size_t i = groups; i < n; ++i) total += src.at(i);
    return total;
}

// Exact sums of 16-bit data: 32-bit partial sums over blocks of 65536
// elements (which cannot overflow), the block sums added in 64 bits.
// term(i) maps an element to a value whose 65536-fold sum fits U.
template <class U, class Term>
std::int64_t exact_sum_blocked(std::size_t n, Term term) {
    constexpr std::size_t kBlock = 65536;
    std::int64_t total = 0;
    for (std::size_t b = 0; b < n; b += kBlock) {
        const std::size_t e = n - b < kBlock ? n : b + kBlock;
        U part = 0;
        for (std::size_t i = b; i < e; ++i) part += static_cast<U>(term(i));
        total += static_cast<std::int64_t>(part);
    }
    return total;
}

// Sum of Vek16s elements (stride 1 or 2 for one part of complex data).
inline std::int64_t exact_sum_16s(const Vek16s* x, std::size_t n, std::size_t stride = 1) {
#if defined(__SSE2__)
    if (stride == 1) {
        // madd with ones adds neighbouring pairs into 32-bit lanes; a block
        // of 65536 elements puts at most 2^15 values into each lane.
        constexpr std::size_t kBlock = 65536;
        const __m128i ones = _mm_set1_epi16(1);
        std::int64_t total = 0;
        std::size_t i = 0;
        for (std::size_t b = 0; b + 16 <= n; b = i) {
            const std::size_t e = b + (n - b < kBlock ? (n - b) / 16 * 16 : kBlock);
            __m128i a0 = _mm_setzero_si128(), a1 = a0;
            for (i = b; i < e; i += 16) {
                a0 = _mm_add_epi32(a0, _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i)), ones));
                a1 = _mm_add_epi32(a1, _mm_madd_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i + 8)), ones));
            }
            std::int32_t l[8];
            _mm_storeu_si128(reinterpret_cast<__m128i*>(l), a0);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(l + 4), a1);
            for (int k = 0; k < 8; ++k) total += l[k];
        }
        for (; i < n; ++i) total += load_elem(x, i);
        return total;
    }
#endif
    return exact_sum_blocked<std::int32_t>(n, [&](std::size_t i) { return load_elem(x, i * stride); });
}

// Sum of Vek32s elements, straight into 64 bits.
inline std::int64_t exact_sum_32s(const Vek32s* x, std::size_t n, std::size_t stride = 1) {
    std::int64_t total = 0;
    for (std::size_t i = 0; i < n; ++i) total += load_elem(x, i * stride);
    return total;
}

} // namespace veks::stats
