// The two-filter wavelet transform: forward analysis into two decimated
// bands and inverse synthesis from two bands, streaming through the
// delay lines of the state (see wavelet_state.h).
//
// Each band is computed in chunks of kChunk outputs. A chunk first gathers
// the stretch of input it reads - history from the delay line, then the
// caller's data - into the band's scratch area, split into even and odd
// samples, so that every tap becomes a contiguous multiply-add over the
// chunk that the compiler turns into vector code.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "convert/convert_kernels.h"
#include "core/checks.h"
#include "core/export.h"
#include "transforms/wavelet_access.h"
#include "transforms/wavelet_state.h"

namespace veks::wt {
namespace {

using std::size_t;

// The sequence a band reads: its history (oldest first) followed by the
// caller's data converted to single precision.
template <class S>
struct Window {
    const float* hist;
    size_t history;
    const S* data;
    float at(size_t i) const { return i < history ? hist[i] : static_cast<float>(load(data, i - history)); }
};

// even[j] = w[from + 2j] for j < n_even, odd[j] = w[from + 2j + 1] for j < n_odd (n_odd <= n_even).
template <class S>
void split_even_odd(const Window<S>& w, size_t from, size_t n_even, size_t n_odd, float* even, float* odd) {
    size_t j = 0;
    for (; j < n_even && from + 2 * j < w.history; ++j) { // pairs that start in the history
        even[j] = w.at(from + 2 * j);
        if (j < n_odd) odd[j] = w.at(from + 2 * j + 1);
    }
    if (j == n_even) return; // everything came from the history
    const S* d = w.data + (from + 2 * j - w.history);
    const size_t both = std::max(j, n_odd);
    size_t m = 0;
#if defined(__SSE2__)
    if constexpr (std::is_same_v<S, Vek32f>) {
        for (; j + m + 4 <= both; m += 4) {
            const __m128 lo = _mm_loadu_ps(d + 2 * m), hi = _mm_loadu_ps(d + 2 * m + 4);
            _mm_storeu_ps(even + j + m, _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(2, 0, 2, 0)));
            _mm_storeu_ps(odd + j + m, _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(3, 1, 3, 1)));
        }
    }
#endif
    for (; j + m < both; ++m) {
        even[j + m] = static_cast<float>(load(d, 2 * m));
        odd[j + m] = static_cast<float>(load(d, 2 * m + 1));
    }
    for (; j + m < n_even; ++m) even[j + m] = static_cast<float>(load(d, 2 * m));
}

// After a call the history is the newest `history` values of the window.
template <class S>
void push_history(float* hist, size_t history, const S* data, size_t n) {
    if (n >= history) {
        for (size_t i = 0; i < history; ++i) hist[i] = static_cast<float>(load(data, n - history + i));
    } else {
        std::memmove(hist, hist + n, 4 * (history - n));
        for (size_t i = 0; i < n; ++i) hist[history - n + i] = static_cast<float>(load(data, i));
    }
}

// acc[q] += c * p[q] for q < n.
inline void tap_add(float* __restrict acc, const float* __restrict p, float c, size_t n) {
    for (size_t q = 0; q < n; ++q) acc[q] += c * p[q];
}

// out[q] = sum_i r[i] src_i[q] with src_i = (i odd ? odd : even) + i / 2,
// each sum in tap order. With SSE2, sixteen outputs at a time stay in
// registers while every tap is applied; the scalar loop does the rest.
inline void forward_taps(float* __restrict out, const float* even, const float* odd, const float* r, size_t len,
                         size_t n) {
    size_t q = 0;
#if defined(__SSE2__)
    for (; q + 16 <= n; q += 16) {
        __m128 a0 = _mm_setzero_ps(), a1 = a0, a2 = a0, a3 = a0;
        const auto step = [&](const float* p, float tap) {
            const __m128 c = _mm_set1_ps(tap);
            a0 = _mm_add_ps(a0, _mm_mul_ps(c, _mm_loadu_ps(p)));
            a1 = _mm_add_ps(a1, _mm_mul_ps(c, _mm_loadu_ps(p + 4)));
            a2 = _mm_add_ps(a2, _mm_mul_ps(c, _mm_loadu_ps(p + 8)));
            a3 = _mm_add_ps(a3, _mm_mul_ps(c, _mm_loadu_ps(p + 12)));
        };
        size_t i = 0;
        for (; i + 2 <= len; i += 2) { // taps i (even samples) and i + 1 (odd samples)
            step(even + i / 2 + q, r[i]);
            step(odd + i / 2 + q, r[i + 1]);
        }
        if (i < len) step(even + i / 2 + q, r[i]);
        _mm_storeu_ps(out + q, a0);
        _mm_storeu_ps(out + q + 4, a1);
        _mm_storeu_ps(out + q + 8, a2);
        _mm_storeu_ps(out + q + 12, a3);
    }
#endif
    for (; q < n; ++q) {
        float a = 0;
        for (size_t i = 0; i < len; ++i) a += r[i] * (((i & 1) ? odd : even) + i / 2)[q];
        out[q] = a;
    }
}

// One forward band: band[k] = sum_j h[j] x[2k - o - j], with the reversed
// taps r as sum_i r[i] w[2k + s + i] over the window w.
template <class S>
void forward_band(State* st, Band* b, const S* src, Vek32f* dst, size_t n) {
    const size_t len = static_cast<size_t>(b->len), history = static_cast<size_t>(b->history);
    const size_t s = history - (len - 1 + static_cast<size_t>(b->offset)); // 1 only for one tap at offset -1
    const float* r = taps_of(st, b);
    float* even = scratch_of(st, b);
    float* odd = even + kChunk + len / 2 + 1;
    const Window<S> w{delay_of(st, b), history, src};
    alignas(32) float acc[kChunk];
    for (size_t k0 = 0; k0 < n; k0 += kChunk) {
        const size_t kc = std::min<size_t>(kChunk, n - k0);
        split_even_odd(w, 2 * k0 + s, kc + (len - 1) / 2, len >= 2 ? kc + (len - 2) / 2 : 0, even, odd);
        forward_taps(acc, even, odd, r, len, kc);
        std::memcpy(dst + k0, acc, 4 * kc);
    }
    push_history(delay_of(st, b), history, src, 2 * n);
}

template <class S>
VekStatus forward(const S* src, Vek32f* low, Vek32f* high, int len, void* state) {
    VEKS_CHECK(check_state(state, Dir::Fwd));
    VEKS_CHECK(check_ptrs_len(len, src, low, high));
    auto* st = static_cast<State*>(state);
    forward_band(st, band_of(st, st->low), src, low, static_cast<size_t>(len));
    forward_band(st, band_of(st, st->high), src, high, static_cast<size_t>(len));
    return vekStsOk;
}

// Adds one inverse band's contribution to the even (acc[0]) and odd (acc[1])
// outputs of band values p0 .. p0 + kc: with v the band upsampled and z = g * v,
// out[2p + e] += z[2p + e - 1 - o] = sum over j of matching parity of
// g[j] u[p + (e - 1 - o - j) / 2], read from the window u_w = history ++ band.
void inverse_band(State* st, Band* b, const Vek32f* band, size_t p0, size_t kc, float (*acc)[kChunk]) {
    const long len = b->len, offset = b->offset;
    const size_t history = static_cast<size_t>(b->history);
    const float* r = taps_of(st, b);
    float* u = scratch_of(st, b);
    const float* hist = delay_of(st, b);
    // u[t] = u_w[p0 + t], t < kc + history
    const size_t from_hist = p0 < history ? history - p0 : 0;
    std::memcpy(u, hist + (history - from_hist), 4 * from_hist);
    std::memcpy(u + from_hist, band + (p0 + from_hist - history), 4 * (kc + history - from_hist));
    for (long e = 0; e < 2; ++e) {
        for (long j = (e - 1 - offset) & 1; j < len; j += 2) {
            const long shift = static_cast<long>(history) + (e - 1 - offset - j) / 2;
            tap_add(acc[e], u + shift, r[len - 1 - j], kc);
        }
    }
}

template <class D>
inline void store_out(D* dst, size_t i, float v) {
    if constexpr (std::is_same_v<D, Vek32f>) store(dst, i, v);
    else store(dst, i, conv::float_to_int<D, vekRoundHalfEven>(static_cast<double>(v)));
}

template <class D>
VekStatus inverse(const Vek32f* low, const Vek32f* high, int len, D* dst, void* state) {
    VEKS_CHECK(check_state(state, Dir::Inv));
    VEKS_CHECK(check_ptrs_len(len, low, high, dst));
    auto* st = static_cast<State*>(state);
    Band* bl = band_of(st, st->low);
    Band* bh = band_of(st, st->high);
    const size_t n = static_cast<size_t>(len);
    alignas(32) float acc[2][kChunk];
    for (size_t p0 = 0; p0 < n; p0 += kChunk) {
        const size_t kc = std::min<size_t>(kChunk, n - p0);
        std::fill(acc[0], acc[0] + kc, 0.0f);
        std::fill(acc[1], acc[1] + kc, 0.0f);
        inverse_band(st, bl, low, p0, kc, acc);
        inverse_band(st, bh, high, p0, kc, acc);
        for (size_t q = 0; q < kc; ++q) {
            store_out(dst, 2 * (p0 + q), acc[0][q]);
            store_out(dst, 2 * (p0 + q) + 1, acc[1][q]);
        }
    }
    push_history(delay_of(st, bl), static_cast<size_t>(bl->history), low, n);
    push_history(delay_of(st, bh), static_cast<size_t>(bh->history), high, n);
    return vekStsOk;
}

} // namespace
} // namespace veks::wt

using veks::wt::Dir;

#define WT_FWD(s, S)                                                                                   \
    VEKS_API VekStatus veksWTFwdInitAlloc_##s(VeksWTFwdState_##s** ppState, const Vek32f* pTapsLow,    \
                                              int lenLow, int offsLow, const Vek32f* pTapsHigh,        \
                                              int lenHigh, int offsHigh) {                             \
        return veks::wt::create_state(Dir::Fwd, reinterpret_cast<void**>(ppState), pTapsLow, lenLow,   \
                                      offsLow, pTapsHigh, lenHigh, offsHigh);                          \
    }                                                                                                  \
    VEKS_API VekStatus veksWTFwd_##s(const S* pSrc, Vek32f* pDstLow, Vek32f* pDstHigh, int dstLen,     \
                                     VeksWTFwdState_##s* pState) {                                     \
        return veks::wt::forward(pSrc, pDstLow, pDstHigh, dstLen, pState);                             \
    }                                                                                                  \
    VEKS_API VekStatus veksWTFwdGetDlyLine_##s(const VeksWTFwdState_##s* pState, Vek32f* pDlyLow,      \
                                               Vek32f* pDlyHigh) {                                     \
        return veks::wt::get_delay(pState, Dir::Fwd, pDlyLow, pDlyHigh);                               \
    }                                                                                                  \
    VEKS_API VekStatus veksWTFwdSetDlyLine_##s(VeksWTFwdState_##s* pState, const Vek32f* pDlyLow,      \
                                               const Vek32f* pDlyHigh) {                               \
        return veks::wt::set_delay(pState, Dir::Fwd, pDlyLow, pDlyHigh);                               \
    }                                                                                                  \
    VEKS_API VekStatus veksWTFwdFree_##s(VeksWTFwdState_##s* pState) {                                 \
        return veks::wt::free_state(pState, Dir::Fwd);                                                 \
    }

#define WT_INV(s, D)                                                                                   \
    VEKS_API VekStatus veksWTInvInitAlloc_##s(VeksWTInvState_##s** ppState, const Vek32f* pTapsLow,    \
                                              int lenLow, int offsLow, const Vek32f* pTapsHigh,        \
                                              int lenHigh, int offsHigh) {                             \
        return veks::wt::create_state(Dir::Inv, reinterpret_cast<void**>(ppState), pTapsLow, lenLow,   \
                                      offsLow, pTapsHigh, lenHigh, offsHigh);                          \
    }                                                                                                  \
    VEKS_API VekStatus veksWTInv_##s(const Vek32f* pSrcLow, const Vek32f* pSrcHigh, int srcLen, D* pDst, \
                                     VeksWTInvState_##s* pState) {                                     \
        return veks::wt::inverse(pSrcLow, pSrcHigh, srcLen, pDst, pState);                             \
    }                                                                                                  \
    VEKS_API VekStatus veksWTInvGetDlyLine_##s(const VeksWTInvState_##s* pState, Vek32f* pDlyLow,      \
                                               Vek32f* pDlyHigh) {                                     \
        return veks::wt::get_delay(pState, Dir::Inv, pDlyLow, pDlyHigh);                               \
    }                                                                                                  \
    VEKS_API VekStatus veksWTInvSetDlyLine_##s(VeksWTInvState_##s* pState, const Vek32f* pDlyLow,      \
                                               const Vek32f* pDlyHigh) {                               \
        return veks::wt::set_delay(pState, Dir::Inv, pDlyLow, pDlyHigh);                               \
    }                                                                                                  \
    VEKS_API VekStatus veksWTInvFree_##s(VeksWTInvState_##s* pState) {                                 \
        return veks::wt::free_state(pState, Dir::Inv);                                                 \
    }

WT_FWD(32f, Vek32f)
WT_FWD(8u32f, Vek8u)
WT_FWD(8s32f, Vek8s)
WT_FWD(16u32f, Vek16u)
WT_FWD(16s32f, Vek16s)
WT_INV(32f, Vek32f)
WT_INV(32f8u, Vek8u)
WT_INV(32f8s, Vek8s)
WT_INV(32f16u, Vek16u)
WT_INV(32f16s, Vek16s)
