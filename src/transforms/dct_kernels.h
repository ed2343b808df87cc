// Straight-line unnormalised DCTs of 2, 4 and 8 points, in place:
// type II X[k] = sum x[n] cos(pi (2n+1) k / 2N) and its transpose, type III
// y[n] = sum Y[k] cos(pi (2n+1) k / 2N). Even and odd halves split first;
// the odd half of 8 points is a symmetric 4 x 4 product.
#pragma once

#include <cstring>

#if defined(__SSE2__) && !defined(VEKS_FFT_SCALAR)
#define VEKS_DCT_SSE2 1
#include <emmintrin.h>
#endif

namespace veks::dct {

template <class T> struct Cos16 {
    // cos(m pi / 16)
    static constexpr T c1 = T(0.98078528040323044912618223613424);
    static constexpr T c2 = T(0.92387953251128675612818318939679);
    static constexpr T c3 = T(0.83146961230254523707878837761791);
    static constexpr T c4 = T(0.70710678118654752440084436210485);
    static constexpr T c5 = T(0.55557023301960222474283081394853);
    static constexpr T c6 = T(0.38268343236508977172845998403040);
    static constexpr T c7 = T(0.19509032201612826784828486847702);
};

template <class T>
inline void dct2_fwd(T* p) {
    const T a = p[0], b = p[1];
    p[0] = a + b;
    p[1] = (a - b) * Cos16<T>::c4;
}

template <class T>
inline void dct2_inv(T* p) {
    const T a = p[0], b = p[1] * Cos16<T>::c4;
    p[0] = a + b;
    p[1] = a - b;
}

template <class T>
inline void dct4_fwd(T* p) {
    using C = Cos16<T>;
    const T a0 = p[0] + p[3], a1 = p[1] + p[2], b0 = p[0] - p[3], b1 = p[1] - p[2];
    p[0] = a0 + a1;
    p[2] = (a0 - a1) * C::c4;
    p[1] = b0 * C::c2 + b1 * C::c6;
    p[3] = b0 * C::c6 - b1 * C::c2;
}

template <class T>
inline void dct4_inv(T* p) {
    using C = Cos16<T>;
    const T e = p[2] * C::c4;
    const T a0 = p[0] + e, a1 = p[0] - e;
    const T b0 = p[1] * C::c2 + p[3] * C::c6, b1 = p[1] * C::c6 - p[3] * C::c2;
    p[0] = a0 + b0;
    p[3] = a0 - b0;
    p[1] = a1 + b1;
    p[2] = a1 - b1;
}

// o = M d with M[k][n] = cos(pi (2n+1)(2k+1) / 16), which is symmetric.
template <class T>
inline void odd8(const T d[4], T o[4]) {
    using C = Cos16<T>;
    o[0] = d[0] * C::c1 + d[1] * C::c3 + d[2] * C::c5 + d[3] * C::c7;
    o[1] = d[0] * C::c3 - d[1] * C::c7 - d[2] * C::c1 - d[3] * C::c5;
    o[2] = d[0] * C::c5 - d[1] * C::c1 + d[2] * C::c7 + d[3] * C::c3;
    o[3] = d[0] * C::c7 - d[1] * C::c5 + d[2] * C::c3 - d[3] * C::c1;
}

template <class T>
inline void dct8_fwd(T* p) {
    T g[4], d[4], o[4];
    for (int i = 0; i < 4; ++i) {
        g[i] = p[i] + p[7 - i];
        d[i] = p[i] - p[7 - i];
    }
    dct4_fwd(g);
    odd8(d, o);
    for (int i = 0; i < 4; ++i) {
        p[2 * i] = g[i];
        p[2 * i + 1] = o[i];
    }
}

template <class T>
inline void dct8_inv(T* p) {
    T e[4] = {p[0], p[2], p[4], p[6]}, d[4] = {p[1], p[3], p[5], p[7]}, o[4];
    dct4_inv(e);
    odd8(d, o);
    for (int i = 0; i < 4; ++i) {
        p[i] = e[i] + o[i];
        p[7 - i] = e[i] - o[i];
    }
}

// The kernel engine: N = 1, 2, 4, 8 with the orthonormal scaling.
// Element by element copies in and out: any alignment, and no wide load
// waits on narrower stores.
template <class T, bool Inv, int N>
inline void kernel_fixed(const T* src, T* dst, T c0, T ck) {
    T x[N];
    for (int i = 0; i < N; ++i) std::memcpy(&x[i], reinterpret_cast<const unsigned char*>(src) + i * sizeof(T), sizeof(T));
    if (Inv) {
        x[0] *= c0;
        for (int i = 1; i < N; ++i) x[i] *= ck;
    }
    if constexpr (N == 2) Inv ? dct2_inv(x) : dct2_fwd(x);
    if constexpr (N == 4) Inv ? dct4_inv(x) : dct4_fwd(x);
    if constexpr (N == 8) Inv ? dct8_inv(x) : dct8_fwd(x);
    if (!Inv) {
        x[0] *= c0;
        for (int i = 1; i < N; ++i) x[i] *= ck;
    }
    for (int i = 0; i < N; ++i) std::memcpy(reinterpret_cast<unsigned char*>(dst) + i * sizeof(T), &x[i], sizeof(T));
}

#ifdef VEKS_DCT_SSE2
// Eight single-precision points in two registers from load to store, so
// that no wide access meets narrower ones through memory (a store-forwarding
// stall costs more than the whole transform). Same operations as dct8_*;
// the odd half is the column sum d0 M0 + d1 M1 + d2 M2 + d3 M3 of odd8.
struct Odd8Columns {
    __m128 m[4];
    Odd8Columns() {
        using C = Cos16<float>;
        m[0] = _mm_setr_ps(C::c1, C::c3, C::c5, C::c7);
        m[1] = _mm_setr_ps(C::c3, -C::c7, -C::c1, -C::c5);
        m[2] = _mm_setr_ps(C::c5, -C::c1, C::c7, C::c3);
        m[3] = _mm_setr_ps(C::c7, -C::c5, C::c3, -C::c1);
    }
    __m128 apply(__m128 d) const {
        __m128 o = _mm_mul_ps(_mm_shuffle_ps(d, d, 0x00), m[0]);
        o = _mm_add_ps(o, _mm_mul_ps(_mm_shuffle_ps(d, d, 0x55), m[1]));
        o = _mm_add_ps(o, _mm_mul_ps(_mm_shuffle_ps(d, d, 0xaa), m[2]));
        return _mm_add_ps(o, _mm_mul_ps(_mm_shuffle_ps(d, d, 0xff), m[3]));
    }
};

inline float lane(__m128 v, int i) {
    alignas(16) float f[4];
    _mm_store_ps(f, v);
    return f[i];
}

template <bool Inv>
inline void kernel8_sse(const float* src, float* dst, float c0, float ck) {
    const Odd8Columns odd;
    using C = Cos16<float>;
    const __m128 scale_lo = _mm_setr_ps(c0, ck, ck, ck), scale_hi = _mm_set1_ps(ck);
    __m128 lo = _mm_loadu_ps(src), hi = _mm_loadu_ps(src + 4);
    if (!Inv) {
        const __m128 rev = _mm_shuffle_ps(hi, hi, _MM_SHUFFLE(0, 1, 2, 3));
        const __m128 g = _mm_add_ps(lo, rev), d = _mm_sub_ps(lo, rev);
        // dct4_fwd on g: a = g + reversed g = (a0, a1, ..), b = g - reversed g = (b0, b1, ..)
        const __m128 gr = _mm_shuffle_ps(g, g, _MM_SHUFFLE(0, 1, 2, 3));
        const __m128 a = _mm_add_ps(g, gr), b = _mm_sub_ps(g, gr);
        const float a0 = _mm_cvtss_f32(a), a1 = lane(a, 1), b0 = _mm_cvtss_f32(b), b1 = lane(b, 1);
        const __m128 even = _mm_setr_ps(a0 + a1, b0 * C::c2 + b1 * C::c6, (a0 - a1) * C::c4, b0 * C::c6 - b1 * C::c2);
        const __m128 o = odd.apply(d);
        _mm_storeu_ps(dst, _mm_mul_ps(_mm_unpacklo_ps(even, o), scale_lo));
        _mm_storeu_ps(dst + 4, _mm_mul_ps(_mm_unpackhi_ps(even, o), scale_hi));
        return;
    }
    lo = _mm_mul_ps(lo, scale_lo);
    hi = _mm_mul_ps(hi, scale_hi);
    const __m128 e = _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(2, 0, 2, 0)), d = _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(3, 1, 3, 1));
    // dct4_inv on e
    const float e0 = _mm_cvtss_f32(e), e1 = lane(e, 1), e2 = lane(e, 2), e3 = lane(e, 3);
    const float t = e2 * C::c4, a0 = e0 + t, a1 = e0 - t;
    const float b0 = e1 * C::c2 + e3 * C::c6, b1 = e1 * C::c6 - e3 * C::c2;
    const __m128 ev = _mm_setr_ps(a0 + b0, a1 + b1, a1 - b1, a0 - b0);
    const __m128 o = odd.apply(d);
    const __m128 diff = _mm_sub_ps(ev, o);
    _mm_storeu_ps(dst, _mm_add_ps(ev, o));
    _mm_storeu_ps(dst + 4, _mm_shuffle_ps(diff, diff, _MM_SHUFFLE(0, 1, 2, 3)));
}
#endif

template <class T, bool Inv>
inline void kernel_dct(const T* src, T* dst, int n, T c0, T ck) {
    switch (n) {
    case 1: kernel_fixed<T, Inv, 1>(src, dst, c0, ck); break;
    case 2: kernel_fixed<T, Inv, 2>(src, dst, c0, ck); break;
    case 4: kernel_fixed<T, Inv, 4>(src, dst, c0, ck); break;
    default:
#ifdef VEKS_DCT_SSE2
        if constexpr (sizeof(T) == 4) {
            kernel8_sse<Inv>(src, dst, c0, ck);
            break;
        }
#endif
        kernel_fixed<T, Inv, 8>(src, dst, c0, ck);
        break;
    }
}

} // namespace veks::dct
