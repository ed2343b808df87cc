// Butterflies of the DFT engines, written once over "complex vectors": Cx<T>
// holds one complex value; with SSE2, CxF2 holds two complex floats and
// CxD1 one complex double in a register. Loads and stores are unaligned:
// callers may pass arrays at any byte address.
#pragma once

#include <cstddef>
#include <cstring>

#if defined(__SSE2__) && !defined(VEKS_FFT_SCALAR)
#define VEKS_DFT_SSE2 1
#include <emmintrin.h>
#endif

namespace veks::dft {

using idx = std::ptrdiff_t;

constexpr int kMaxRadixHalf = 75; // odd radices up to 150

// ---- one complex value ------------------------------------------------------------
template <class T> struct Cx {
    using real = T;
    static constexpr int lanes = 1;
    T re, im;
    static Cx load(const T* p) { Cx c; std::memcpy(&c, p, sizeof c); return c; }
    static Cx bcast(const T* p) { return load(p); }
    void store(T* p) const { std::memcpy(p, this, sizeof *this); }
};

template <class T> inline Cx<T> ld(const T* p, idx i) { return Cx<T>::load(p + 2 * i); }
template <class T> inline void st(T* p, idx i, Cx<T> c) { c.store(p + 2 * i); }

template <class T> inline Cx<T> operator+(Cx<T> a, Cx<T> b) { return {a.re + b.re, a.im + b.im}; }
template <class T> inline Cx<T> operator-(Cx<T> a, Cx<T> b) { return {a.re - b.re, a.im - b.im}; }
template <class T> inline Cx<T> operator*(T s, Cx<T> a) { return {s * a.re, s * a.im}; }

// a * w (forward) or a * conj(w) (inverse).
template <bool Inv, class T> inline Cx<T> twiddle(Cx<T> a, Cx<T> w) {
    return Inv ? Cx<T>{a.re * w.re + a.im * w.im, a.im * w.re - a.re * w.im}
               : Cx<T>{a.re * w.re - a.im * w.im, a.im * w.re + a.re * w.im};
}
// -i * a forward, +i * a inverse: the rotation of the forward sine terms.
template <bool Inv, class T> inline Cx<T> rot(Cx<T> a) { return Inv ? Cx<T>{-a.im, a.re} : Cx<T>{a.im, -a.re}; }

#ifdef VEKS_DFT_SSE2
// ---- two complex floats -------------------------------------------------------------
struct CxF2 {
    using real = float;
    static constexpr int lanes = 2;
    __m128 v;
    static CxF2 load(const float* p) { return {_mm_loadu_ps(p)}; }
    // one complex value in both lanes
    static CxF2 bcast(const float* p) {
        double d;
        std::memcpy(&d, p, sizeof d);
        return {_mm_castpd_ps(_mm_set1_pd(d))};
    }
    void store(float* p) const { _mm_storeu_ps(p, v); }
    void store_lo(float* p) const { _mm_storel_pi(reinterpret_cast<__m64*>(p), v); }
    void store_hi(float* p) const { _mm_storeh_pi(reinterpret_cast<__m64*>(p), v); }
};
inline CxF2 operator+(CxF2 a, CxF2 b) { return {_mm_add_ps(a.v, b.v)}; }
inline CxF2 operator-(CxF2 a, CxF2 b) { return {_mm_sub_ps(a.v, b.v)}; }
inline CxF2 operator*(float s, CxF2 a) { return {_mm_mul_ps(_mm_set1_ps(s), a.v)}; }
// sign masks of the odd (imaginary) and even (real) lanes
inline __m128 odd_sign_f() { return _mm_castsi128_ps(_mm_set_epi32(int(0x80000000u), 0, int(0x80000000u), 0)); }
inline __m128 even_sign_f() { return _mm_castsi128_ps(_mm_set_epi32(0, int(0x80000000u), 0, int(0x80000000u))); }
template <bool Inv> inline CxF2 twiddle(CxF2 a, CxF2 w) {
    const __m128 wr = _mm_shuffle_ps(w.v, w.v, _MM_SHUFFLE(2, 2, 0, 0));
    const __m128 wi = _mm_xor_ps(_mm_shuffle_ps(w.v, w.v, _MM_SHUFFLE(3, 3, 1, 1)), Inv ? odd_sign_f() : even_sign_f());
    const __m128 sw = _mm_shuffle_ps(a.v, a.v, _MM_SHUFFLE(2, 3, 0, 1));
    return {_mm_add_ps(_mm_mul_ps(a.v, wr), _mm_mul_ps(sw, wi))};
}
template <bool Inv> inline CxF2 rot(CxF2 a) {
    const __m128 sw = _mm_shuffle_ps(a.v, a.v, _MM_SHUFFLE(2, 3, 0, 1));
    return {_mm_xor_ps(sw, Inv ? even_sign_f() : odd_sign_f())};
}

// ---- one complex double ---------------------------------------------------------------
struct CxD1 {
    using real = double;
    static constexpr int lanes = 1;
    __m128d v;
    static CxD1 load(const double* p) { return {_mm_loadu_pd(p)}; }
    static CxD1 bcast(const double* p) { return load(p); }
    void store(double* p) const { _mm_storeu_pd(p, v); }
};
inline CxD1 operator+(CxD1 a, CxD1 b) { return {_mm_add_pd(a.v, b.v)}; }
inline CxD1 operator-(CxD1 a, CxD1 b) { return {_mm_sub_pd(a.v, b.v)}; }
inline CxD1 operator*(double s, CxD1 a) { return {_mm_mul_pd(_mm_set1_pd(s), a.v)}; }
inline __m128d odd_sign_d() { return _mm_castsi128_pd(_mm_set_epi32(int(0x80000000u), 0, 0, 0)); }
inline __m128d even_sign_d() { return _mm_castsi128_pd(_mm_set_epi32(0, 0, int(0x80000000u), 0)); }
template <bool Inv> inline CxD1 twiddle(CxD1 a, CxD1 w) {
    const __m128d wr = _mm_unpacklo_pd(w.v, w.v);
    const __m128d wi = _mm_xor_pd(_mm_unpackhi_pd(w.v, w.v), Inv ? odd_sign_d() : even_sign_d());
    const __m128d sw = _mm_shuffle_pd(a.v, a.v, 1);
    return {_mm_add_pd(_mm_mul_pd(a.v, wr), _mm_mul_pd(sw, wi))};
}
template <bool Inv> inline CxD1 rot(CxD1 a) {
    const __m128d sw = _mm_shuffle_pd(a.v, a.v, 1);
    return {_mm_xor_pd(sw, Inv ? even_sign_d() : odd_sign_d())};
}

template <class T> struct VecOf;
template <> struct VecOf<float> { using type = CxF2; };
template <> struct VecOf<double> { using type = CxD1; };
#else
template <class T> struct VecOf { using type = Cx<T>; };
#endif

// The widest complex vector of an element type.
template <class T> using CxV = typename VecOf<T>::type;

// ---- butterflies ------------------------------------------------------------------------
template <class T> struct Consts {
    static constexpr T half = T(0.5L);
    static constexpr T s3 = T(0.866025403784438646763723170752936183L);  // sin(2pi/3)
    static constexpr T c51 = T(0.309016994374947424102293417182819059L); // cos(2pi/5)
    static constexpr T c52 = T(-0.809016994374947424102293417182819059L);
    static constexpr T s51 = T(0.951056516295153572116439333379382143L);
    static constexpr T s52 = T(0.587785252292473129168705954639072769L);
};

template <bool Inv, class V> inline void bfly2(V* a) {
    const V t = a[0];
    a[0] = t + a[1];
    a[1] = t - a[1];
}

template <bool Inv, class V> inline void bfly3(V* a) {
    using K = Consts<typename V::real>;
    const V s = a[1] + a[2];
    const V t = a[0] - K::half * s;
    const V u = rot<Inv>(K::s3 * (a[1] - a[2]));
    a[0] = a[0] + s;
    a[1] = t + u;
    a[2] = t - u;
}

template <bool Inv, class V> inline void bfly4(V* a) {
    const V t0 = a[0] + a[2], t1 = a[0] - a[2], t2 = a[1] + a[3], t3 = rot<Inv>(a[1] - a[3]);
    a[0] = t0 + t2;
    a[2] = t0 - t2;
    a[1] = t1 + t3;
    a[3] = t1 - t3;
}

template <bool Inv, class V> inline void bfly5(V* a) {
    using K = Consts<typename V::real>;
    const V s1 = a[1] + a[4], s2 = a[2] + a[3], d1 = a[1] - a[4], d2 = a[2] - a[3];
    const V a1 = a[0] + K::c51 * s1 + K::c52 * s2, a2 = a[0] + K::c52 * s1 + K::c51 * s2;
    const V b1 = rot<Inv>(K::s51 * d1 + K::s52 * d2), b2 = rot<Inv>(K::s52 * d1 - K::s51 * d2);
    a[0] = a[0] + s1 + s2;
    a[1] = a1 + b1;
    a[4] = a1 - b1;
    a[2] = a2 + b2;
    a[3] = a2 - b2;
}

// Any odd radix p: the pairs j, p - j share their cosine and sine sums.
// kern holds, for k, j = 1..(p-1)/2, cos(2 pi jk/p) and sin(2 pi jk/p).
template <bool Inv, class V> inline void bfly_odd(V* a, int p, const typename V::real* kern) {
    const int h = (p - 1) / 2;
    V s[kMaxRadixHalf], d[kMaxRadixHalf];
    V sum = a[0];
    for (int j = 1; j <= h; ++j) {
        s[j - 1] = a[j] + a[p - j];
        d[j - 1] = a[j] - a[p - j];
        sum = sum + s[j - 1];
    }
    for (int k = 1; k <= h; ++k) {
        const typename V::real* row = kern + 2 * (k - 1) * h;
        V c = a[0], b = row[1] * d[0];
        c = c + row[0] * s[0];
        for (int j = 1; j < h; ++j) {
            c = c + row[2 * j] * s[j];
            b = b + row[2 * j + 1] * d[j];
        }
        const V u = rot<Inv>(b);
        a[k] = c + u;
        a[p - k] = c - u;
    }
    a[0] = sum;
}

} // namespace veks::dft
