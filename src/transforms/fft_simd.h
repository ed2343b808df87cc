// Small vector types for the FFT butterflies: SSE2 registers when the
// target has them, plain scalars otherwise. Every type offers the same
// operations, so the butterfly code is written once.
#pragma once

#include <cstddef>

#include "core/unaligned.h"

// VEKS_FFT_SCALAR forces the scalar twin (to test it on SSE2 machines).
#if defined(__SSE2__) && !defined(VEKS_FFT_SCALAR)
#define VEKS_FFT_SSE2 1
#include <emmintrin.h>
#if defined(__AVX__)
#define VEKS_FFT_AVX 1 // builds for the host processor
#include <immintrin.h>
#endif
#endif

namespace veks::fft {

// One lane: the scalar twin of the vector types.
template <class T>
struct Scalar {
    using elem = T;
    static constexpr int lanes = 1;
    T v;
    static Scalar load(const T* p) { return {load_elem(p)}; }
    void store(T* p) const { store_elem(p, 0, v); }
    static Scalar bcast(T x) { return {x}; }
    static Scalar gather(const T* p, std::ptrdiff_t) { return {*p}; }
    static void load_ci(const T* p, Scalar& re, Scalar& im) { re.v = load_elem(p, 0); im.v = load_elem(p, 1); }
    static void store_ci(T* p, Scalar re, Scalar im) { store_elem(p, 0, re.v); store_elem(p, 1, im.v); }
    static void gather_pairs(const T* p, std::ptrdiff_t, Scalar& re, Scalar& im) { re.v = p[0]; im.v = p[1]; }
    friend Scalar operator+(Scalar a, Scalar b) { return {a.v + b.v}; }
    friend Scalar operator-(Scalar a, Scalar b) { return {a.v - b.v}; }
    friend Scalar operator*(Scalar a, Scalar b) { return {a.v * b.v}; }
    friend Scalar operator-(Scalar a) { return {-a.v}; }
    Scalar reversed() const { return *this; }
};

// Two vectors side by side: twice the lanes.
template <class V>
struct Pair {
    using elem = typename V::elem;
    using T = elem;
    static constexpr int lanes = 2 * V::lanes;
    V lo, hi;
    static Pair load(const T* p) { return {V::load(p), V::load(p + V::lanes)}; }
    void store(T* p) const { lo.store(p); hi.store(p + V::lanes); }
    static Pair bcast(T x) { return {V::bcast(x), V::bcast(x)}; }
    static Pair gather(const T* p, std::ptrdiff_t step) { return {V::gather(p, step), V::gather(p + V::lanes * step, step)}; }
    static void load_ci(const T* p, Pair& re, Pair& im) {
        V::load_ci(p, re.lo, im.lo);
        V::load_ci(p + 2 * V::lanes, re.hi, im.hi);
    }
    static void store_ci(T* p, Pair re, Pair im) {
        V::store_ci(p, re.lo, im.lo);
        V::store_ci(p + 2 * V::lanes, re.hi, im.hi);
    }
    static void gather_pairs(const T* p, std::ptrdiff_t step, Pair& re, Pair& im) {
        V::gather_pairs(p, step, re.lo, im.lo);
        V::gather_pairs(p + V::lanes * step, step, re.hi, im.hi);
    }
    friend Pair operator+(Pair a, Pair b) { return {a.lo + b.lo, a.hi + b.hi}; }
    friend Pair operator-(Pair a, Pair b) { return {a.lo - b.lo, a.hi - b.hi}; }
    friend Pair operator*(Pair a, Pair b) { return {a.lo * b.lo, a.hi * b.hi}; }
    friend Pair operator-(Pair a) { return {-a.lo, -a.hi}; }
    Pair reversed() const { return {hi.reversed(), lo.reversed()}; }
};

#if defined(VEKS_FFT_SSE2)
struct F32x4 {
    using elem = float;
    static constexpr int lanes = 4;
    __m128 v;
    static F32x4 load(const float* p) { return {_mm_loadu_ps(p)}; }
    void store(float* p) const { _mm_storeu_ps(p, v); }
    static F32x4 bcast(float x) { return {_mm_set1_ps(x)}; }
    static F32x4 gather(const float* p, std::ptrdiff_t s) {
        if (s == 1) return load(p);
        return {_mm_setr_ps(p[0], p[s], p[2 * s], p[3 * s])};
    }
    static void load_ci(const float* p, F32x4& re, F32x4& im) {
        const __m128 a = _mm_loadu_ps(p), b = _mm_loadu_ps(p + 4);
        re.v = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
        im.v = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
    }
    static void store_ci(float* p, F32x4 re, F32x4 im) {
        _mm_storeu_ps(p, _mm_unpacklo_ps(re.v, im.v));
        _mm_storeu_ps(p + 4, _mm_unpackhi_ps(re.v, im.v));
    }
    static void gather_pairs(const float* p, std::ptrdiff_t s, F32x4& re, F32x4& im) {
        __m128 a = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(p));
        a = _mm_loadh_pi(a, reinterpret_cast<const __m64*>(p + s));
        __m128 b = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(p + 2 * s));
        b = _mm_loadh_pi(b, reinterpret_cast<const __m64*>(p + 3 * s));
        re.v = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
        im.v = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
    }
    friend F32x4 operator+(F32x4 a, F32x4 b) { return {_mm_add_ps(a.v, b.v)}; }
    friend F32x4 operator-(F32x4 a, F32x4 b) { return {_mm_sub_ps(a.v, b.v)}; }
    friend F32x4 operator*(F32x4 a, F32x4 b) { return {_mm_mul_ps(a.v, b.v)}; }
    friend F32x4 operator-(F32x4 a) { return {_mm_xor_ps(a.v, _mm_set1_ps(-0.0f))}; }
    F32x4 reversed() const { return {_mm_shuffle_ps(v, v, _MM_SHUFFLE(0, 1, 2, 3))}; }
};

struct F64x2 {
    using elem = double;
    static constexpr int lanes = 2;
    __m128d v;
    static F64x2 load(const double* p) { return {_mm_loadu_pd(p)}; }
    void store(double* p) const { _mm_storeu_pd(p, v); }
    static F64x2 bcast(double x) { return {_mm_set1_pd(x)}; }
    static F64x2 gather(const double* p, std::ptrdiff_t s) {
        if (s == 1) return load(p);
        return {_mm_setr_pd(p[0], p[s])};
    }
    static void load_ci(const double* p, F64x2& re, F64x2& im) {
        const __m128d a = _mm_loadu_pd(p), b = _mm_loadu_pd(p + 2);
        re.v = _mm_unpacklo_pd(a, b);
        im.v = _mm_unpackhi_pd(a, b);
    }
    static void store_ci(double* p, F64x2 re, F64x2 im) {
        _mm_storeu_pd(p, _mm_unpacklo_pd(re.v, im.v));
        _mm_storeu_pd(p + 2, _mm_unpackhi_pd(re.v, im.v));
    }
    static void gather_pairs(const double* p, std::ptrdiff_t s, F64x2& re, F64x2& im) {
        const __m128d a = _mm_loadu_pd(p), b = _mm_loadu_pd(p + s);
        re.v = _mm_unpacklo_pd(a, b);
        im.v = _mm_unpackhi_pd(a, b);
    }
    friend F64x2 operator+(F64x2 a, F64x2 b) { return {_mm_add_pd(a.v, b.v)}; }
    friend F64x2 operator-(F64x2 a, F64x2 b) { return {_mm_sub_pd(a.v, b.v)}; }
    friend F64x2 operator*(F64x2 a, F64x2 b) { return {_mm_mul_pd(a.v, b.v)}; }
    friend F64x2 operator-(F64x2 a) { return {_mm_xor_pd(a.v, _mm_set1_pd(-0.0))}; }
    F64x2 reversed() const { return {_mm_shuffle_pd(v, v, 1)}; }
};

#if defined(VEKS_FFT_AVX)
// 256-bit twins; lanes hold consecutive elements, as in the 128-bit types.
struct F32x8 {
    using elem = float;
    static constexpr int lanes = 8;
    __m256 v;
    static F32x8 join(F32x4 lo, F32x4 hi) { return {_mm256_insertf128_ps(_mm256_castps128_ps256(lo.v), hi.v, 1)}; }
    static F32x8 load(const float* p) { return {_mm256_loadu_ps(p)}; }
    void store(float* p) const { _mm256_storeu_ps(p, v); }
    static F32x8 bcast(float x) { return {_mm256_set1_ps(x)}; }
    static F32x8 gather(const float* p, std::ptrdiff_t s) {
        if (s == 1) return load(p);
        return join(F32x4::gather(p, s), F32x4::gather(p + 4 * s, s));
    }
    static void load_ci(const float* p, F32x8& re, F32x8& im) {
        const __m256 a = _mm256_loadu_ps(p), b = _mm256_loadu_ps(p + 8);
        const __m256 t0 = _mm256_permute2f128_ps(a, b, 0x20), t1 = _mm256_permute2f128_ps(a, b, 0x31);
        re.v = _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(2, 0, 2, 0));
        im.v = _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(3, 1, 3, 1));
    }
    static void store_ci(float* p, F32x8 re, F32x8 im) {
        const __m256 lo = _mm256_unpacklo_ps(re.v, im.v), hi = _mm256_unpackhi_ps(re.v, im.v);
        _mm256_storeu_ps(p, _mm256_permute2f128_ps(lo, hi, 0x20));
        _mm256_storeu_ps(p + 8, _mm256_permute2f128_ps(lo, hi, 0x31));
    }
    static void gather_pairs(const float* p, std::ptrdiff_t s, F32x8& re, F32x8& im) {
        F32x4 r0, i0, r1, i1;
        F32x4::gather_pairs(p, s, r0, i0);
        F32x4::gather_pairs(p + 4 * s, s, r1, i1);
        re = join(r0, r1);
        im = join(i0, i1);
    }
    friend F32x8 operator+(F32x8 a, F32x8 b) { return {_mm256_add_ps(a.v, b.v)}; }
    friend F32x8 operator-(F32x8 a, F32x8 b) { return {_mm256_sub_ps(a.v, b.v)}; }
    friend F32x8 operator*(F32x8 a, F32x8 b) { return {_mm256_mul_ps(a.v, b.v)}; }
    friend F32x8 operator-(F32x8 a) { return {_mm256_xor_ps(a.v, _mm256_set1_ps(-0.0f))}; }
    F32x8 reversed() const {
        const __m256 swapped = _mm256_permute2f128_ps(v, v, 0x01);
        return {_mm256_permute_ps(swapped, _MM_SHUFFLE(0, 1, 2, 3))};
    }
};

struct F64x4 {
    using elem = double;
    static constexpr int lanes = 4;
    __m256d v;
    static F64x4 join(F64x2 lo, F64x2 hi) { return {_mm256_insertf128_pd(_mm256_castpd128_pd256(lo.v), hi.v, 1)}; }
    static F64x4 load(const double* p) { return {_mm256_loadu_pd(p)}; }
    void store(double* p) const { _mm256_storeu_pd(p, v); }
    static F64x4 bcast(double x) { return {_mm256_set1_pd(x)}; }
    static F64x4 gather(const double* p, std::ptrdiff_t s) {
        if (s == 1) return load(p);
        return join(F64x2::gather(p, s), F64x2::gather(p + 2 * s, s));
    }
    static void load_ci(const double* p, F64x4& re, F64x4& im) {
        const __m256d a = _mm256_loadu_pd(p), b = _mm256_loadu_pd(p + 4);
        const __m256d t0 = _mm256_permute2f128_pd(a, b, 0x20), t1 = _mm256_permute2f128_pd(a, b, 0x31);
        re.v = _mm256_unpacklo_pd(t0, t1);
        im.v = _mm256_unpackhi_pd(t0, t1);
    }
    static void store_ci(double* p, F64x4 re, F64x4 im) {
        const __m256d lo = _mm256_unpacklo_pd(re.v, im.v), hi = _mm256_unpackhi_pd(re.v, im.v);
        _mm256_storeu_pd(p, _mm256_permute2f128_pd(lo, hi, 0x20));
        _mm256_storeu_pd(p + 4, _mm256_permute2f128_pd(lo, hi, 0x31));
    }
    static void gather_pairs(const double* p, std::ptrdiff_t s, F64x4& re, F64x4& im) {
        F64x2 r0, i0, r1, i1;
        F64x2::gather_pairs(p, s, r0, i0);
        F64x2::gather_pairs(p + 2 * s, s, r1, i1);
        re = join(r0, r1);
        im = join(i0, i1);
    }
    friend F64x4 operator+(F64x4 a, F64x4 b) { return {_mm256_add_pd(a.v, b.v)}; }
    friend F64x4 operator-(F64x4 a, F64x4 b) { return {_mm256_sub_pd(a.v, b.v)}; }
    friend F64x4 operator*(F64x4 a, F64x4 b) { return {_mm256_mul_pd(a.v, b.v)}; }
    friend F64x4 operator-(F64x4 a) { return {_mm256_xor_pd(a.v, _mm256_set1_pd(-0.0))}; }
    F64x4 reversed() const {
        const __m256d swapped = _mm256_permute2f128_pd(v, v, 0x01);
        return {_mm256_permute_pd(swapped, 0x5)};
    }
};
#endif

template <class T> struct VecTypes;
#if defined(VEKS_FFT_AVX)
template <> struct VecTypes<float> { using wide = F32x8; using quad = F32x4; using sse = F32x4; };
template <> struct VecTypes<double> { using wide = F64x4; using quad = F64x4; using sse = F64x2; };
#else
template <> struct VecTypes<float> { using wide = F32x4; using quad = F32x4; using sse = F32x4; };
template <> struct VecTypes<double> { using wide = F64x2; using quad = Pair<F64x2>; using sse = F64x2; };
#endif
#else
template <class T> struct VecTypes { using wide = Scalar<T>; using quad = Pair<Pair<Scalar<T>>>; };
#endif

// The next narrower vector type (down to a scalar).
template <class V> struct NarrowOf { using type = Scalar<typename V::elem>; };
template <class V> struct NarrowOf<Pair<V>> { using type = V; };
#if defined(VEKS_FFT_AVX)
template <> struct NarrowOf<F32x8> { using type = F32x4; };
template <> struct NarrowOf<F64x4> { using type = F64x2; };
#endif
template <class V> using Narrow = typename NarrowOf<V>::type;

// The widest vector of T, and a vector of exactly four lanes.
template <class T> using Wide = typename VecTypes<T>::wide;
template <class T> using Quad = typename VecTypes<T>::quad;

} // namespace veks::fft
