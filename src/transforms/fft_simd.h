// Small vector types for the FFT butterflies: SSE2 registers when the
// target has them, plain scalars otherwise. Every type offers the same
// operations, so the butterfly code is written once.
#pragma once

#include <cstddef>

// VEKS_FFT_SCALAR forces the scalar twin (to test it on SSE2 machines).
#if defined(__SSE2__) && !defined(VEKS_FFT_SCALAR)
#define VEKS_FFT_SSE2 1
#include <emmintrin.h>
#endif

namespace veks::fft {

// One lane: the scalar twin of the vector types.
template <class T>
struct Scalar {
    using elem = T;
    static constexpr int lanes = 1;
    T v;
    static Scalar load(const T* p) { return {*p}; }
    void store(T* p) const { *p = v; }
    static Scalar bcast(T x) { return {x}; }
    static Scalar gather(const T* p, std::ptrdiff_t) { return {*p}; }
    static void load_ci(const T* p, Scalar& re, Scalar& im) { re.v = p[0]; im.v = p[1]; }
    static void store_ci(T* p, Scalar re, Scalar im) { p[0] = re.v; p[1] = im.v; }
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

template <class T> struct VecTypes;
template <> struct VecTypes<float> { using wide = F32x4; using quad = F32x4; };
template <> struct VecTypes<double> { using wide = F64x2; using quad = Pair<F64x2>; };
#else
template <class T> struct VecTypes { using wide = Scalar<T>; using quad = Pair<Pair<Scalar<T>>>; };
#endif

// The widest vector of T, and a vector of exactly four lanes.
template <class T> using Wide = typename VecTypes<T>::wide;
template <class T> using Quad = typename VecTypes<T>::quad;

} // namespace veks::fft
