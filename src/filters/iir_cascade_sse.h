// Biquad cascades pipelined across sections: the lanes of a vector are
// consecutive sections, each a sample behind the one before it, so one
// vector step advances W (or 2W) sections at once. Every lane evaluates the
// scalar recurrence of its section in the same order, so the results are
// those of the sample-by-sample cascade bit for bit.
#pragma once

#include <cstddef>
#include <cstdint>

#include "filters/iir_kernels.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace veks::iir {

struct LanesF32 {
    using T = float;
    using R = __m128;
    static constexpr int W = 4;
    static R load(const T* p) { return _mm_loadu_ps(p); }
    static void store(T* p, R v) { _mm_storeu_ps(p, v); }
    static R scalar(const T* p) { return _mm_load_ss(p); }
    static R add(R a, R b) { return _mm_add_ps(a, b); }
    static R sub(R a, R b) { return _mm_sub_ps(a, b); }
    static R mul(R a, R b) { return _mm_mul_ps(a, b); }
    static R zero() { return _mm_setzero_ps(); }
    static R select(R m, R a, R b) { return _mm_or_ps(_mm_and_ps(m, a), _mm_andnot_ps(m, b)); }
    // Lane j takes lane j+1 of v; the top lane takes lane 0 of top.
    static R shift_in(R v, R top) {
        return _mm_or_ps(_mm_castsi128_ps(_mm_srli_si128(_mm_castps_si128(v), 4)),
                         _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(top), 12)));
    }
    static R mask(const bool* on) {
        return _mm_castsi128_ps(_mm_setr_epi32(-int(on[0]), -int(on[1]), -int(on[2]), -int(on[3])));
    }
};

struct LanesF64 {
    using T = double;
    using R = __m128d;
    static constexpr int W = 2;
    static R load(const T* p) { return _mm_loadu_pd(p); }
    static void store(T* p, R v) { _mm_storeu_pd(p, v); }
    static R scalar(const T* p) { return _mm_load_sd(p); }
    static R add(R a, R b) { return _mm_add_pd(a, b); }
    static R sub(R a, R b) { return _mm_sub_pd(a, b); }
    static R mul(R a, R b) { return _mm_mul_pd(a, b); }
    static R zero() { return _mm_setzero_pd(); }
    static R select(R m, R a, R b) { return _mm_or_pd(_mm_and_pd(m, a), _mm_andnot_pd(m, b)); }
    static R shift_in(R v, R top) {
        return _mm_or_pd(_mm_castsi128_pd(_mm_srli_si128(_mm_castpd_si128(v), 8)),
                         _mm_castsi128_pd(_mm_slli_si128(_mm_castpd_si128(top), 8)));
    }
    static R mask(const bool* on) {
        return _mm_castsi128_pd(_mm_set_epi64x(-std::int64_t(on[1]), -std::int64_t(on[0])));
    }
};

// Runs P * W consecutive sections over n samples from in to out. Lane j of
// group g holds section W g + W-1-j; at step t it filters sample t minus its
// section index, so the last group's vector, stored at out + t - (L-1),
// puts each lane on its own sample and the last section writes last.
// in needs L-1 readable elements after n; out needs L-1 writable elements
// before it and W-1 after n.
template <class V, int P>
void cascade_pass(const typename V::T* in, typename V::T* out, std::ptrdiff_t n, const typename V::T* taps,
                  typename V::T* dly) {
    using T = typename V::T;
    using R = typename V::R;
    constexpr int W = V::W, L = W * P;
    R c[P][5], d0[P], d1[P], y[P];
    for (int g = 0; g < P; ++g) {
        alignas(16) T lanes[7][W];
        for (int j = 0; j < W; ++j) {
            const int s = W * g + W - 1 - j;
            for (int k = 0; k < 5; ++k) lanes[k][j] = taps[5 * s + k];
            lanes[5][j] = dly[2 * s];
            lanes[6][j] = dly[2 * s + 1];
        }
        for (int k = 0; k < 5; ++k) c[g][k] = V::load(lanes[k]);
        d0[g] = V::load(lanes[5]);
        d1[g] = V::load(lanes[6]);
        y[g] = V::zero();
    }
    auto step = [&](std::ptrdiff_t t, auto masked) {
        R x[P];
        x[0] = V::shift_in(y[0], V::scalar(in + t));
        for (int g = 1; g < P; ++g) x[g] = V::shift_in(y[g], y[g - 1]);
        for (int g = 0; g < P; ++g) {
            const R yn = V::add(V::mul(c[g][0], x[g]), d0[g]);
            const R d0n = V::sub(V::add(V::mul(c[g][1], x[g]), d1[g]), V::mul(c[g][3], yn));
            const R d1n = V::sub(V::mul(c[g][2], x[g]), V::mul(c[g][4], yn));
            if constexpr (decltype(masked)::value) {
                bool on[W];
                for (int j = 0; j < W; ++j) {
                    const std::ptrdiff_t sample = t - (W * g + W - 1 - j);
                    on[j] = sample >= 0 && sample < n;
                }
                const R m = V::mask(on);
                d0[g] = V::select(m, d0n, d0[g]);
                d1[g] = V::select(m, d1n, d1[g]);
            } else {
                d0[g] = d0n;
                d1[g] = d1n;
            }
            y[g] = yn;
        }
        V::store(out + t - (L - 1), y[P - 1]);
    };
    using Masked = std::true_type;
    using Full = std::false_type;
    std::ptrdiff_t t = 0;
    for (; t < L - 1; ++t) step(t, Masked{});
    for (; t < n; ++t) step(t, Full{});
    for (; t < n + L - 1; ++t) step(t, Masked{});
    for (int g = 0; g < P; ++g) {
        alignas(16) T lanes[2][W];
        V::store(lanes[0], d0[g]);
        V::store(lanes[1], d1[g]);
        for (int j = 0; j < W; ++j) {
            const int s = W * g + W - 1 - j;
            dly[2 * s] = lanes[0][j];
            dly[2 * s + 1] = lanes[1][j];
        }
    }
}

// The whole cascade over buf (n samples with kCascadeMargin free elements on
// both sides; tmp the same size): passes of 2W and W sections, the last few
// sections with their state in registers.
constexpr std::ptrdiff_t kCascadeMargin = 16;

template <class V>
void run_cascade_lanes(typename V::T* buf, typename V::T* tmp, std::ptrdiff_t n, const typename V::T* taps,
                       typename V::T* dly, int num_bq) {
    using T = typename V::T;
    constexpr int W = V::W;
    static_assert(2 * W - 1 <= kCascadeMargin, "margin holds the pipeline skew");
    T* cur = buf;
    T* other = tmp;
    for (std::ptrdiff_t k = 0; k < kCascadeMargin; ++k) cur[n + k] = T(0); // read by lanes that are idle
    int s = 0;
    auto swap = [&] {
        T* t = cur;
        cur = other;
        other = t;
        for (std::ptrdiff_t k = 0; k < kCascadeMargin; ++k) cur[n + k] = T(0);
    };
    for (; num_bq - s >= 2 * W; s += 2 * W) {
        cascade_pass<V, 2>(cur, other, n, taps + 5 * s, dly + 2 * s);
        swap();
    }
    if (num_bq - s >= W) {
        cascade_pass<V, 1>(cur, other, n, taps + 5 * s, dly + 2 * s);
        swap();
        s += W;
    }
    switch (num_bq - s) {
    case 1: run_biquads_fixed<1>(cur, std::size_t(n), taps + 5 * s, dly + 2 * s); break;
    case 2: run_biquads_fixed<2>(cur, std::size_t(n), taps + 5 * s, dly + 2 * s); break;
    case 3: run_biquads_fixed<3>(cur, std::size_t(n), taps + 5 * s, dly + 2 * s); break;
    default: break;
    }
    if (cur != buf)
        for (std::ptrdiff_t i = 0; i < n; ++i) buf[i] = cur[i];
}

} // namespace veks::iir

#endif
