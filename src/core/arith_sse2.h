// SSE2 block kernels for the hottest arithmetic members, each with a
// scalar twin in the generic loops of arith_kernels.h that it must match
// bit for bit. Callers use them only when every source either is the
// destination or does not overlap it, so blocks give the element-by-element
// result.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>

#include "core/unaligned.h"
#endif

namespace veks::arith {

// A block kernel may run when the source is the destination or lies apart from it.
template <class S, class D> inline bool apart_or_same(const S* s, const D* d, std::ptrdiff_t n) {
    const auto sb = reinterpret_cast<std::uintptr_t>(s), db = reinterpret_cast<std::uintptr_t>(d);
    if (sb == db) return true;
    return sb + std::uintptr_t(n) * sizeof(S) <= db || db + std::uintptr_t(n) * sizeof(D) <= sb;
}

#if defined(__SSE2__)
namespace sse2 {

inline __m128i widen_lo(__m128i v) { return _mm_srai_epi32(_mm_unpacklo_epi16(v, v), 16); }
inline __m128i widen_hi(__m128i v) { return _mm_srai_epi32(_mm_unpackhi_epi16(v, v), 16); }

// Exact 32-bit results of 8 pairs of Vek16s: r0 holds elements 0-3, r1 4-7.
enum class Op16 { add, sub_rev, mul };
template <Op16 op> inline void exact16(__m128i a, __m128i b, __m128i& r0, __m128i& r1) {
    if constexpr (op == Op16::mul) {
        const __m128i lo = _mm_mullo_epi16(a, b), hi = _mm_mulhi_epi16(a, b);
        r0 = _mm_unpacklo_epi16(lo, hi);
        r1 = _mm_unpackhi_epi16(lo, hi);
    } else if constexpr (op == Op16::add) {
        r0 = _mm_add_epi32(widen_lo(a), widen_lo(b));
        r1 = _mm_add_epi32(widen_hi(a), widen_hi(b));
    } else {
        r0 = _mm_sub_epi32(widen_lo(b), widen_lo(a));
        r1 = _mm_sub_epi32(widen_hi(b), widen_hi(a));
    }
}

// v / 2^sf, ties to even: (v + 2^(sf-1) - 1 + ((v >> sf) & 1)) >> sf.
struct RoundShift {
    __m128i bias, one, count;
    explicit RoundShift(int sf)
        : bias(_mm_set1_epi32((1 << (sf - 1)) - 1)), one(_mm_set1_epi32(1)), count(_mm_cvtsi32_si128(sf)) {}
    __m128i operator()(__m128i v) const {
        const __m128i odd = _mm_and_si128(_mm_sra_epi32(v, count), one);
        return _mm_sra_epi32(_mm_add_epi32(_mm_add_epi32(v, bias), odd), count);
    }
};
struct NoShift {
    __m128i operator()(__m128i v) const { return v; }
};

// Vek16s op Vek16s, scaled down or not, saturated by the signed pack.
// Returns the number of elements done (a multiple of 8).
template <Op16 op, class Shift>
inline std::ptrdiff_t binary16(const std::int16_t* a, const std::int16_t* b, std::int16_t* d, std::ptrdiff_t n, Shift shift) {
    std::ptrdiff_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        __m128i r0, r1;
        exact16<op>(va, vb, r0, r1);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_packs_epi32(shift(r0), shift(r1)));
    }
    return i;
}

// (a + b) / 2 with ties to even, in 16-bit lanes: the floor of the mean
// (a & b) + ((a ^ b) >> 1), plus one when the sum is odd and the floor is
// odd; the only result beyond the range, 32768, saturates in the add.
inline std::ptrdiff_t halving_add16(const std::int16_t* a, const std::int16_t* b, std::int16_t* d, std::ptrdiff_t n) {
    const __m128i one = _mm_set1_epi16(1);
    std::ptrdiff_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i x = _mm_xor_si128(va, vb);
        const __m128i floor_mean = _mm_add_epi16(_mm_and_si128(va, vb), _mm_srai_epi16(x, 1));
        const __m128i up = _mm_and_si128(_mm_and_si128(x, floor_mean), one);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_adds_epi16(floor_mean, up));
    }
    return i;
}

// Vek16s times a single-precision factor, rounded as (q + 32768) + 0.5
// truncated with ties to even. Clamping q to [-32768, 32767] (NaN to 0)
// gives the saturated results of the range test.
inline std::ptrdiff_t scale16_by_float(const std::int16_t* s, float f, std::int16_t* d, std::ptrdiff_t n) {
    const __m128 vf = _mm_set1_ps(f), lo = _mm_set1_ps(-32768.0f), hi = _mm_set1_ps(32767.0f);
    const __m128 offset = _mm_set1_ps(32768.0f), half = _mm_set1_ps(0.5f);
    const __m128i one = _mm_set1_epi32(1), bias = _mm_set1_epi32(32768);
    auto round4 = [&](__m128i x) {
        __m128 q = _mm_mul_ps(_mm_cvtepi32_ps(x), vf);
        q = _mm_and_ps(q, _mm_cmpeq_ps(q, q)); // NaN -> 0
        q = _mm_min_ps(_mm_max_ps(q, lo), hi);
        const __m128 t = _mm_add_ps(_mm_add_ps(q, offset), half);
        __m128i k = _mm_cvttps_epi32(t);
        const __m128i exact = _mm_castps_si128(_mm_cmpeq_ps(_mm_cvtepi32_ps(k), t));
        k = _mm_sub_epi32(k, _mm_and_si128(_mm_and_si128(k, one), exact));
        return _mm_sub_epi32(k, bias);
    };
    std::ptrdiff_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_packs_epi32(round4(widen_lo(v)), round4(widen_hi(v))));
    }
    return i;
}

// Lanes of one SSE2 register of floats or doubles.
template <class F> struct Lanes;
template <> struct Lanes<float> {
    using V = __m128;
    static constexpr int n = 4;
    static V load(const float* p) { return _mm_loadu_ps(p); }
    static void store(float* p, V v) { _mm_storeu_ps(p, v); }
    static void stream(float* p, V v) { _mm_stream_ps(p, v); }
    static V set1(float x) { return _mm_set1_ps(x); }
    static V zero() { return _mm_setzero_ps(); }
    static V div(V a, V b) { return _mm_div_ps(a, b); }
    static V eq(V a, V b) { return _mm_cmpeq_ps(a, b); }
    static V gt(V a, V b) { return _mm_cmpgt_ps(a, b); }
    static V lt(V a, V b) { return _mm_cmplt_ps(a, b); }
    static V select(V m, V a, V b) { return _mm_or_ps(_mm_and_ps(m, a), _mm_andnot_ps(m, b)); }
    static int any(V m) { return _mm_movemask_ps(m); }
};
template <> struct Lanes<double> {
    using V = __m128d;
    static constexpr int n = 2;
    static V load(const double* p) { return _mm_loadu_pd(p); }
    static void store(double* p, V v) { _mm_storeu_pd(p, v); }
    static void stream(double* p, V v) { _mm_stream_pd(p, v); }
    static V set1(double x) { return _mm_set1_pd(x); }
    static V zero() { return _mm_setzero_pd(); }
    static V div(V a, V b) { return _mm_div_pd(a, b); }
    static V eq(V a, V b) { return _mm_cmpeq_pd(a, b); }
    static V gt(V a, V b) { return _mm_cmpgt_pd(a, b); }
    static V lt(V a, V b) { return _mm_cmplt_pd(a, b); }
    static V select(V m, V a, V b) { return _mm_or_pd(_mm_and_pd(m, a), _mm_andnot_pd(m, b)); }
    static int any(V m) { return _mm_movemask_pd(m); }
};

// Destinations of at least this many bytes are written with streaming
// stores: they skip reading each destination line first and leave the
// cache to the sources. The caller peels elements until the destination
// is 16-byte aligned.
constexpr std::size_t kStreamBytes = std::size_t(4) << 20;

inline bool aligned16(const void* p) { return (reinterpret_cast<std::uintptr_t>(p) & 15) == 0; }

// Runs step(i, store) on blocks of `block` elements from i while they fit;
// returns the index reached.
template <class L, class Step>
inline std::ptrdiff_t run_blocks(std::ptrdiff_t i, std::ptrdiff_t n, std::ptrdiff_t block, bool stream, Step step) {
    if (stream) {
        for (; i + block <= n; i += block) step(i, [](auto* p, auto v) { L::stream(p, v); });
        _mm_sfence();
    } else {
        for (; i + block <= n; i += block) step(i, [](auto* p, auto v) { L::store(p, v); });
    }
    return i;
}

// Real float and double add, reversed subtract and multiply.
enum class OpF { add, sub_rev, mul };
template <OpF op> inline __m128 apply_f(__m128 a, __m128 b) {
    if constexpr (op == OpF::add) return _mm_add_ps(a, b);
    else if constexpr (op == OpF::mul) return _mm_mul_ps(a, b);
    else return _mm_sub_ps(b, a);
}
template <OpF op> inline __m128d apply_f(__m128d a, __m128d b) {
    if constexpr (op == OpF::add) return _mm_add_pd(a, b);
    else if constexpr (op == OpF::mul) return _mm_mul_pd(a, b);
    else return _mm_sub_pd(b, a);
}
template <OpF op, class F> inline F apply_f(F a, F b) {
    if constexpr (op == OpF::add) return a + b;
    else if constexpr (op == OpF::mul) return a * b;
    else return b - a;
}
template <OpF op, class F> inline std::ptrdiff_t binary_f(const F* a, const F* b, F* d, std::ptrdiff_t n) {
    using L = Lanes<F>;
    const bool stream = std::size_t(n) * sizeof(F) >= kStreamBytes;
    std::ptrdiff_t i = 0;
    if (stream)
        for (; i < n && !aligned16(d + i); ++i) store_elem(d, i, apply_f<op>(load_elem(a, i), load_elem(b, i)));
    return run_blocks<L>(i, n, 2 * L::n, stream, [&](std::ptrdiff_t k, auto store) {
        store(d + k, apply_f<op>(L::load(a + k), L::load(b + k)));
        store(d + k + L::n, apply_f<op>(L::load(a + k + L::n), L::load(b + k + L::n)));
    });
}

// Complex single-precision products, two per vector: (a.re*b.re, a.re*b.im)
// plus (-(a.im*b.im), a.im*b.re). Adding the negated product equals the
// subtraction bit for bit (a NaN may differ in sign only).
inline __m128 complex_mul2(__m128 a, __m128 b, __m128 flip) {
    const __m128 re = _mm_shuffle_ps(a, a, _MM_SHUFFLE(2, 2, 0, 0));
    const __m128 im = _mm_shuffle_ps(a, a, _MM_SHUFFLE(3, 3, 1, 1));
    const __m128 swapped = _mm_shuffle_ps(b, b, _MM_SHUFFLE(2, 3, 0, 1));
    return _mm_add_ps(_mm_mul_ps(re, b), _mm_xor_ps(_mm_mul_ps(im, swapped), flip));
}
// a, b, d: interleaved (re, im) pairs; n counts complex elements.
inline std::ptrdiff_t complex_mul_f(const float* a, const float* b, float* d, std::ptrdiff_t n) {
    const __m128 flip = _mm_castsi128_ps(_mm_set_epi32(0, INT32_MIN, 0, INT32_MIN));
    const bool stream = std::size_t(n) * 8 >= kStreamBytes && (reinterpret_cast<std::uintptr_t>(d) & 7) == 0;
    std::ptrdiff_t i = 0;
    if (stream && !aligned16(d)) {
        const float ar = load_elem(a, 0), ai = load_elem(a, 1), br = load_elem(b, 0), bi = load_elem(b, 1);
        d[0] = ar * br - ai * bi; // d is 8-byte aligned here
        d[1] = ar * bi + ai * br;
        i = 1;
    }
    return run_blocks<Lanes<float>>(i, n, 4, stream, [&](std::ptrdiff_t k, auto store) {
        store(d + 2 * k, complex_mul2(_mm_loadu_ps(a + 2 * k), _mm_loadu_ps(b + 2 * k), flip));
        store(d + 2 * k + 4, complex_mul2(_mm_loadu_ps(a + 2 * k + 4), _mm_loadu_ps(b + 2 * k + 4), flip));
    });
}

// Real division with the zero-divisor values (+-inf by the dividend's sign,
// NaN for a zero or NaN dividend); sets zero_met when a zero divisor was
// seen. Returns the number of elements done.
template <class F>
inline std::ptrdiff_t divide_real(const F* divisor, const F* dividend, F* d, std::ptrdiff_t n, F inf, F nan, bool& zero_met) {
    using L = Lanes<F>;
    const auto vzero = L::zero(), vinf = L::set1(inf), vninf = L::set1(-inf), vnan = L::set1(nan);
    const bool stream = std::size_t(n) * sizeof(F) >= kStreamBytes;
    bool zeros = false;
    std::ptrdiff_t i = 0;
    if (stream)
        for (; i < n && !aligned16(d + i); ++i) {
            const F x = load_elem(divisor, i), y = load_elem(dividend, i);
            zeros = zeros || x == 0;
            store_elem(d, i, x == 0 ? (y > 0 ? inf : (y < 0 ? -inf : nan)) : y / x);
        }
    i = run_blocks<L>(i, n, L::n, stream, [&](std::ptrdiff_t k, auto store) {
        const auto x = L::load(divisor + k), y = L::load(dividend + k);
        auto q = L::div(y, x);
        const auto z = L::eq(x, vzero);
        if (L::any(z)) { // rare: the special values by the dividend's sign
            zeros = true;
            q = L::select(z, L::select(L::gt(y, vzero), vinf, L::select(L::lt(y, vzero), vninf, vnan)), q);
        }
        store(d + k, q);
    });
    zero_met = zero_met || zeros;
    return i;
}

} // namespace sse2
#endif

} // namespace veks::arith
