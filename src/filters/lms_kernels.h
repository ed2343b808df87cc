// The floating-point LMS step: taps (Vek32f, reversed) times a window of
// samples (Vek32f or Vek16s), products in single precision accumulated in
// double precision, and the tap update t = t + w * x in double precision
// stored in single.
//
// The sum is split into eight lanes (term j goes to lane j mod 8, added in
// increasing j) that are combined as ((l0+l4)+(l2+l6)) + ((l1+l5)+(l3+l7)).
// The SSE2 loops and the scalar twin follow exactly this order, so every
// path gives the same bits. Arrays may sit at any address.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "veks.h"

namespace veks::lms {

template <class T> inline T ld(const T* p, int j) {
    T v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(p) + std::size_t(j) * sizeof(T), sizeof(T));
    return v;
}
template <class T> inline void st(T* p, int j, T v) {
    std::memcpy(reinterpret_cast<unsigned char*>(p) + std::size_t(j) * sizeof(T), &v, sizeof(T));
}

struct Lanes {
    double l[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    double total() const { return ((l[0] + l[4]) + (l[2] + l[6])) + ((l[1] + l[5]) + (l[3] + l[7])); }
};

// One tap: the update (when Update), then the product with the new window's sample.
template <bool Update, bool Dot, class D>
inline void tap_scalar(float* t, int j, double w, D old_x, D new_x, Lanes& acc) {
    float tj = ld(t, j);
    if constexpr (Update) {
        tj = static_cast<float>(static_cast<double>(tj) + w * static_cast<double>(old_x));
        st(t, j, tj);
    }
    if constexpr (Dot) acc.l[j & 7] += static_cast<double>(tj * static_cast<float>(new_x));
}

#if defined(__SSE2__)
inline __m128 load4(const float* p) { return _mm_loadu_ps(p); }
inline __m128 load4(const Vek16s* p) {
    const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    return _mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpacklo_epi16(v, v), 16));
}

// Four taps from j: optional update with xo, optional products with xn into
// the lane pair accumulators lo (lanes j, j+1) and hi (j+2, j+3).
template <bool Update, bool Dot, class D>
inline void taps4(float* t, const D* xo, const D* xn, __m128d w, __m128d& lo, __m128d& hi) {
    __m128 tv = _mm_loadu_ps(t);
    if constexpr (Update) {
        const __m128 x = load4(xo);
        const __m128d nlo = _mm_add_pd(_mm_cvtps_pd(tv), _mm_mul_pd(w, _mm_cvtps_pd(x)));
        const __m128d nhi = _mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(tv, tv)),
                                       _mm_mul_pd(w, _mm_cvtps_pd(_mm_movehl_ps(x, x))));
        tv = _mm_movelh_ps(_mm_cvtpd_ps(nlo), _mm_cvtpd_ps(nhi));
        _mm_storeu_ps(t, tv);
    }
    if constexpr (Dot) {
        const __m128 p = _mm_mul_ps(tv, load4(xn));
        lo = _mm_add_pd(lo, _mm_cvtps_pd(p));
        hi = _mm_add_pd(hi, _mm_cvtps_pd(_mm_movehl_ps(p, p)));
    }
}
#endif

// The pass over all taps. Update: t[j] += w * xo[j]. Dot: returns the sum of
// t[j] * xn[j] over the (updated) taps.
template <bool Update, bool Dot, class D>
double pass(float* t, const D* xo, const D* xn, int len, double w) {
    Lanes acc;
    int j = 0;
#if defined(__SSE2__)
    const int vec_end = (len / 8) * 8;
    if (vec_end > 0) {
        const __m128d wv = _mm_set1_pd(w);
        __m128d a0 = _mm_setzero_pd(), a1 = _mm_setzero_pd(), a2 = _mm_setzero_pd(), a3 = _mm_setzero_pd();
        for (; j < vec_end; j += 8) {
            taps4<Update, Dot>(t + j, xo + j, xn + j, wv, a0, a1);
            taps4<Update, Dot>(t + j + 4, xo + j + 4, xn + j + 4, wv, a2, a3);
        }
        _mm_storeu_pd(acc.l + 0, a0);
        _mm_storeu_pd(acc.l + 2, a1);
        _mm_storeu_pd(acc.l + 4, a2);
        _mm_storeu_pd(acc.l + 6, a3);
    }
#endif
    for (; j < len; ++j) tap_scalar<Update, Dot>(t, j, w, Update ? ld(xo, j) : D(0), Dot ? ld(xn, j) : D(0), acc);
    return acc.total();
}

template <class D> inline double dot(const float* t, const D* x, int len) {
    return pass<false, true>(const_cast<float*>(t), x, x, len, 0.0);
}
template <class D> inline void update(float* t, const D* x, int len, double w) {
    pass<true, false>(t, x, x, len, w);
}

// Output of one step for the caller's type: single precision, or clamped to
// the 16-bit range and rounded half away from zero.
template <class D> inline D output_of(double y) {
    if constexpr (std::is_same_v<D, float>) {
        return static_cast<float>(y);
    } else {
        if (!(y > -32768.0)) return y < 0 ? D(-32768) : D(0); // NaN gives 0
        if (y >= 32767.0) return D(32767);
        return static_cast<D>(y < 0 ? y - 0.5 : y + 0.5);
    }
}

// The step size applied to the error: mu doubled in single precision.
inline double step_of(float mu) { return static_cast<double>(2.0f * mu); }

// One sample: store x at i and i + L, advance i, filter with the current
// taps, then adapt. Returns the output.
template <class D>
D one_step(D x, D ref, float* t, D* dly, int len, int& idx, float mu) {
    st(dly, idx, x);
    st(dly, idx + len, x);
    idx = idx + 1 == len ? 0 : idx + 1;
    const double y = dot(t, dly + idx, len);
    update(t, dly + idx, len, step_of(mu) * (static_cast<double>(ref) - y));
    return output_of<D>(y);
}

// A block of samples. Each sample's update and the next sample's output
// share one pass over the taps; the result is that of one_step per sample.
template <class D>
void block(const D* src, const D* ref, D* dst, int n, float* t, D* dly, int len, int& idx, float mu) {
    const double step = step_of(mu);
    D x = ld(src, 0);
    st(dly, idx, x);
    st(dly, idx + len, x);
    idx = idx + 1 == len ? 0 : idx + 1;
    double y = dot(t, dly + idx, len);
    for (int k = 1; k < n; ++k) {
        const double w = step * (static_cast<double>(ld(ref, k - 1)) - y);
        x = ld(src, k);
        st(dst, k - 1, output_of<D>(y)); // after the reads: dst may be src or ref
        // Window before this sample: dly[idx .. idx+L-1]; after it: one
        // later, ending at element idx + L, which the update does not read.
        // The copy at idx still holds the oldest sample that it needs.
        st(dly, idx + len, x);
        y = pass<true, true>(t, dly + idx, dly + idx + 1, len, w);
        st(dly, idx, x);
        idx = idx + 1 == len ? 0 : idx + 1;
    }
    const double w = step * (static_cast<double>(ld(ref, n - 1)) - y);
    st(dst, n - 1, output_of<D>(y));
    update(t, dly + idx, len, w);
}

} // namespace veks::lms
