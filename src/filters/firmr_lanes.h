// Groups of R multirate outputs computed side by side. Output l of a group
// is sum over i < n of taps[i] * s[off[i] + l]: every output adds its terms
// in the order i = 0, 1, ..., so a group gives exactly what R separate sums
// would. The products are formed in Prod arithmetic and added to Acc sums.
// Single-precision products summed in double precision have an SSE2 loop
// (eight outputs in four double pairs); its scalar twin is the generic loop,
// which makes the same roundings in the same order.
#pragma once

#include <cstdint>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "filters/fir_elem.h"

namespace veks::fir::mr {

template <class Prod, class Acc, int R>
inline void lane_sums_generic(const Prod* taps, const std::int32_t* off, int n, const Prod* s, Acc (&a)[R]) {
    for (int l = 0; l < R; ++l) a[l] = Acc{};
    for (int i = 0; i < n; ++i) {
        const Prod t = taps[i];
        const Prod* p = s + off[i];
        for (int l = 0; l < R; ++l) a[l] += convert<Acc>(t * p[l]);
    }
}

// Outputs per group for a product / sum type pair.
template <class Prod, class Acc>
constexpr int lane_count = std::is_same_v<Prod, float> && std::is_same_v<Acc, double> ? 16 : 4;

template <class Prod, class Acc, int R>
inline void lane_sums(const Prod* taps, const std::int32_t* off, int n, const Prod* s, Acc (&a)[R]) {
#if defined(__SSE2__)
    if constexpr (std::is_same_v<Prod, float> && std::is_same_v<Acc, double> && R % 4 == 0) {
        constexpr int nq = R / 4;
        __m128d lo[nq], hi[nq];
        for (int v = 0; v < nq; ++v) lo[v] = hi[v] = _mm_setzero_pd();
        for (int i = 0; i < n; ++i) {
            const __m128 t = _mm_set1_ps(taps[i]);
            const float* p = s + off[i];
            for (int v = 0; v < nq; ++v) {
                const __m128 q = _mm_mul_ps(t, _mm_loadu_ps(p + 4 * v));
                lo[v] = _mm_add_pd(lo[v], _mm_cvtps_pd(q));
                hi[v] = _mm_add_pd(hi[v], _mm_cvtps_pd(_mm_movehl_ps(q, q)));
            }
        }
        for (int v = 0; v < nq; ++v) {
            _mm_storeu_pd(a + 4 * v, lo[v]);
            _mm_storeu_pd(a + 4 * v + 2, hi[v]);
        }
        return;
    }
#endif
    lane_sums_generic<Prod, Acc, R>(taps, off, n, s, a);
}

} // namespace veks::fir::mr
