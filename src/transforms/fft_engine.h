// The floating-point FFT engine: bit-reversal permutation, the in-place
// radix-4 core (decimation in time on bit-reversed input), the blocked path
// with radix-2 merge passes, and the decomposition step for large orders.
// Written once over "accessors" that present interleaved data, split arrays
// or a batch of four columns as vectors of complex values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

#include "transforms/fft_layout.h"
#include "transforms/fft_simd.h"
#include "transforms/kernels/small_fft_kernels.h"

namespace veks::fft {

using idx = std::ptrdiff_t;

// ---- accessors ----------------------------------------------------------------
// load/store element i (and the next lanes-1 ones) as split vectors; twiddle
// gathers the pairs at tab + off + l*step for lane l.

template <class V>
struct InterleavedAcc {
    using Vec = V;
    using T = typename V::elem;
    static constexpr int jstep = V::lanes;
    T* p;
    void load(idx i, V& re, V& im) const { V::load_ci(p + 2 * i, re, im); }
    void store(idx i, V re, V im) const { V::store_ci(p + 2 * i, re, im); }
    void twiddle(const T* tab, idx off, idx step, V& wr, V& wi) const { V::gather_pairs(tab + off, step, wr, wi); }
    InterleavedAcc<Scalar<T>> scalar() const { return {p}; }
    InterleavedAcc<Narrow<V>> narrower() const { return {p}; }
    InterleavedAcc offset(idx i) const { return {p + 2 * i}; }
};

template <class V>
struct SplitAcc {
    using Vec = V;
    using T = typename V::elem;
    static constexpr int jstep = V::lanes;
    T* re_;
    T* im_;
    void load(idx i, V& re, V& im) const { re = V::load(re_ + i); im = V::load(im_ + i); }
    void store(idx i, V re, V im) const { re.store(re_ + i); im.store(im_ + i); }
    void twiddle(const T* tab, idx off, idx step, V& wr, V& wi) const { V::gather_pairs(tab + off, step, wr, wi); }
    SplitAcc<Scalar<T>> scalar() const { return {re_, im_}; }
    SplitAcc<Narrow<V>> narrower() const { return {re_, im_}; }
    SplitAcc offset(idx i) const { return {re_ + i, im_ + i}; }
};

// Four columns side by side: element i is the vector of the four values of
// row i; every lane shares the same twiddle.
template <class V>
struct BatchAcc {
    using Vec = V;
    using T = typename V::elem;
    static constexpr int jstep = 1;
    T* re_;
    T* im_;
    void load(idx i, V& re, V& im) const { re = V::load(re_ + 4 * i); im = V::load(im_ + 4 * i); }
    void store(idx i, V re, V im) const { re.store(re_ + 4 * i); im.store(im_ + 4 * i); }
    void twiddle(const T* tab, idx off, idx, V& wr, V& wi) const { wr = V::bcast(tab[off]); wi = V::bcast(tab[off + 1]); }
    BatchAcc scalar() const { return *this; }
    BatchAcc narrower() const { return *this; }
};

// a * w (forward) or a * conj(w) (inverse).
template <bool Inv, class V>
inline void cmul(V& re, V& im, V wr, V wi) {
    const V r = Inv ? re * wr + im * wi : re * wr - im * wi;
    const V i = Inv ? im * wr - re * wi : im * wr + re * wi;
    re = r;
    im = i;
}

// The radix-4 butterfly on four (already twiddled) values; results in
// natural order 0..3: x0 + x1 + x2 + x3 with x1, x2 taken from the blocks
// holding the 2 mod 4 and 1 mod 4 sub-transforms.
template <bool Inv, class V>
inline void butterfly4(V& r0, V& i0, V& r1, V& i1, V& r2, V& i2, V& r3, V& i3) {
    // r0: block 0, r1: block holding the 2-mod-4 part, r2: 1-mod-4, r3: 3-mod-4
    const V sr02 = r0 + r1, si02 = i0 + i1, dr02 = r0 - r1, di02 = i0 - i1;
    const V sr13 = r2 + r3, si13 = i2 + i3, dr13 = r2 - r3, di13 = i2 - i3;
    r0 = sr02 + sr13; i0 = si02 + si13;
    r2 = sr02 - sr13; i2 = si02 - si13;
    if (Inv) { // d02 + i d13, d02 - i d13
        r1 = dr02 - di13; i1 = di02 + dr13;
        r3 = dr02 + di13; i3 = di02 - dr13;
    } else {   // d02 - i d13, d02 + i d13
        r1 = dr02 + di13; i1 = di02 - dr13;
        r3 = dr02 - di13; i3 = di02 + dr13;
    }
}

// First pass: length-4 transforms over consecutive groups of four points.
template <bool Inv, class Acc>
void first_pass(const Acc& acc, idx n) {
    const auto a = acc.scalar();
    using V = typename decltype(a)::Vec;
    for (idx b = 0; b < n; b += 4) {
        V r0, i0, r1, i1, r2, i2, r3, i3;
        a.load(b, r0, i0); a.load(b + 1, r1, i1); a.load(b + 2, r2, i2); a.load(b + 3, r3, i3);
        butterfly4<Inv>(r0, i0, r1, i1, r2, i2, r3, i3);
        a.store(b, r0, i0); a.store(b + 1, r1, i1); a.store(b + 2, r2, i2); a.store(b + 3, r3, i3);
    }
}


#if defined(VEKS_FFT_SSE2)
// Double precision: one complex value per register.
template <bool Inv>
inline void group4(const double* p0, const double* p1, const double* p2, const double* p3, __m128d y[4]) {
    const __m128d sign = Inv ? _mm_setr_pd(-0.0, 0.0) : _mm_setr_pd(0.0, -0.0);
    const __m128d a = _mm_loadu_pd(p0), b = _mm_loadu_pd(p1), c = _mm_loadu_pd(p2), d = _mm_loadu_pd(p3);
    const __m128d s02 = _mm_add_pd(a, b), d02 = _mm_sub_pd(a, b), s13 = _mm_add_pd(c, d);
    __m128d d13 = _mm_sub_pd(c, d);
    d13 = _mm_xor_pd(_mm_shuffle_pd(d13, d13, 1), sign); // -i d13 (forward), +i d13 (inverse)
    y[0] = _mm_add_pd(s02, s13);
    y[1] = _mm_add_pd(d02, d13);
    y[2] = _mm_sub_pd(s02, s13);
    y[3] = _mm_sub_pd(d02, d13);
}

template <bool Inv>
inline void group4(const double* p0, const double* p1, const double* p2, const double* p3, double* out) {
    __m128d y[4];
    group4<Inv>(p0, p1, p2, p3, y);
    for (int k = 0; k < 4; ++k) _mm_storeu_pd(out + 2 * k, y[k]);
}

// b * w for one complex value per register: (wr, wr) and (-wi, wi) given.
inline __m128d cmul_pair(__m128d b, __m128d wr, __m128d wi_signed) {
    return _mm_add_pd(_mm_mul_pd(b, wr), _mm_mul_pd(_mm_shuffle_pd(b, b, 1), wi_signed));
}

// The length-8 first stages: length-4 transforms of positions 0..3 (points
// p[0..3]) and 4..7 (p[4..7]), then the radix-2 step with W8^j.
template <bool Inv>
inline void group8(const double* const p[8], double* out, double c) {
    __m128d a[4], b[4];
    group4<Inv>(p[0], p[1], p[2], p[3], a);
    group4<Inv>(p[4], p[5], p[6], p[7], b);
    const double s = Inv ? 1.0 : -1.0; // sign of the imaginary parts of W8^j
    b[1] = cmul_pair(b[1], _mm_set1_pd(c), _mm_setr_pd(-s * c, s * c));
    b[2] = cmul_pair(b[2], _mm_set1_pd(0.0), _mm_setr_pd(-s, s));
    b[3] = cmul_pair(b[3], _mm_set1_pd(-c), _mm_setr_pd(-s * c, s * c));
    for (int k = 0; k < 4; ++k) {
        _mm_storeu_pd(out + 2 * k, _mm_add_pd(a[k], b[k]));
        _mm_storeu_pd(out + 2 * k + 8, _mm_sub_pd(a[k], b[k]));
    }
}

template <bool Inv>
void first_pass8(const InterleavedAcc<F64x2>& a, idx n, double c) {
    for (idx b = 0; b < n; b += 8) {
        double* p = a.p + 2 * b;
        const double* const q[8] = {p, p + 2, p + 4, p + 6, p + 8, p + 10, p + 12, p + 14};
        group8<Inv>(q, p, c);
    }
}

template <bool Inv>
void first_pass(const InterleavedAcc<F64x2>& a, idx n) {
    for (idx b = 0; b < n; b += 4) {
        double* p = a.p + 2 * b;
        group4<Inv>(p, p + 2, p + 4, p + 6, p);
    }
}

// Single precision: the length-4 transform of p0, p1 (the 2-mod-4 part),
// p2, p3 given as the register pairs (p0, p2) and (p1, p3).
template <bool Inv>
inline void group4(__m128 u, __m128 v, __m128& y01, __m128& y23) {
    const __m128 sign = Inv ? _mm_setr_ps(0.f, 0.f, -0.f, 0.f) : _mm_setr_ps(0.f, 0.f, 0.f, -0.f);
    const __m128 s = _mm_add_ps(u, v), d = _mm_sub_ps(u, v); // (s02, s13), (d02, d13)
    const __m128 p0 = _mm_movelh_ps(s, d);                   // (s02, d02)
    __m128 q = _mm_movehl_ps(d, s);                          // (s13, d13)
    q = _mm_shuffle_ps(q, q, _MM_SHUFFLE(2, 3, 1, 0));       // (s13, d13 swapped)
    q = _mm_xor_ps(q, sign);                                 // (s13, -+i d13)
    y01 = _mm_add_ps(p0, q);
    y23 = _mm_sub_ps(p0, q);
}

template <bool Inv>
inline void group4(__m128 u, __m128 v, float* out) {
    __m128 y01, y23;
    group4<Inv>(u, v, y01, y23);
    _mm_storeu_ps(out, y01);
    _mm_storeu_ps(out + 4, y23);
}

// b * w for two complex values per register: (wr0, wr0, wr1, wr1) and
// (-wi0, wi0, -wi1, wi1) given.
inline __m128 cmul_pair(__m128 b, __m128 wr, __m128 wi_signed) {
    return _mm_add_ps(_mm_mul_ps(b, wr), _mm_mul_ps(_mm_shuffle_ps(b, b, _MM_SHUFFLE(2, 3, 0, 1)), wi_signed));
}

// The length-8 first stages from the register pairs of positions (0, 2),
// (1, 3), (4, 6), (5, 7): two length-4 transforms, then the radix-2 step.
template <bool Inv>
inline void group8(__m128 ua, __m128 va, __m128 ub, __m128 vb, float* out, float c) {
    __m128 a01, a23, b01, b23;
    group4<Inv>(ua, va, a01, a23);
    group4<Inv>(ub, vb, b01, b23);
    const float s = Inv ? 1.0f : -1.0f; // sign of the imaginary parts of W8^j
    b01 = cmul_pair(b01, _mm_setr_ps(1.0f, 1.0f, c, c), _mm_setr_ps(-0.0f, 0.0f, -s * c, s * c));
    b23 = cmul_pair(b23, _mm_setr_ps(0.0f, 0.0f, -c, -c), _mm_setr_ps(-s, s, -s * c, s * c));
    _mm_storeu_ps(out, _mm_add_ps(a01, b01));
    _mm_storeu_ps(out + 4, _mm_add_ps(a23, b23));
    _mm_storeu_ps(out + 8, _mm_sub_ps(a01, b01));
    _mm_storeu_ps(out + 12, _mm_sub_ps(a23, b23));
}

inline __m128 load2(const float* a, const float* b) {
    return _mm_loadh_pi(_mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(a)), reinterpret_cast<const __m64*>(b));
}

template <bool Inv>
void first_pass(const InterleavedAcc<F32x4>& a, idx n) {
    for (idx b = 0; b < n; b += 4) {
        float* p = a.p + 2 * b;
        const __m128 x01 = _mm_loadu_ps(p), x23 = _mm_loadu_ps(p + 4);
        group4<Inv>(_mm_movelh_ps(x01, x23), _mm_movehl_ps(x23, x01), p);
    }
}

template <bool Inv>
void first_pass8(const InterleavedAcc<F32x4>& a, idx n, float c) {
    for (idx b = 0; b < n; b += 8) {
        float* p = a.p + 2 * b;
        const __m128 x01 = _mm_loadu_ps(p), x23 = _mm_loadu_ps(p + 4), x45 = _mm_loadu_ps(p + 8), x67 = _mm_loadu_ps(p + 12);
        group8<Inv>(_mm_movelh_ps(x01, x23), _mm_movehl_ps(x23, x01), _mm_movelh_ps(x45, x67), _mm_movehl_ps(x67, x45), p, c);
    }
}
#endif

// Radix-2 pass from length 4 to length 8 (odd orders) with the twiddles of
// length 8, W8^j = (1, 0), (c, -c), (0, -1), (-c, -c) for j = 0..3
// (conjugated for the inverse).
template <bool Inv, class Acc>
void radix2_pass8(const Acc& a, idx n, typename Acc::T c) {
    if constexpr (Acc::jstep > 4) {
        radix2_pass8<Inv>(a.narrower(), n, c);
    } else {
        using V = typename Acc::Vec;
        using T = typename Acc::T;
        const T wr[4] = {T(1), c, T(0), -c};
        const T wi[4] = {T(0), Inv ? c : -c, Inv ? T(1) : T(-1), Inv ? c : -c};
        for (int j = 0; j < 4; j += Acc::jstep) {
            V vr, vi;
            if constexpr (Acc::jstep == 1) { vr = V::bcast(wr[j]); vi = V::bcast(wi[j]); }
            else { vr = V::load(wr + j); vi = V::load(wi + j); }
            for (idx b = j; b < n; b += 8) {
                V ar, ai, br, bi;
                a.load(b, ar, ai);
                a.load(b + 4, br, bi);
                cmul<false>(br, bi, vr, vi);
                a.store(b, ar + br, ai + bi);
                a.store(b + 4, ar - br, ai - bi);
            }
        }
    }
}

#if defined(VEKS_FFT_AVX)
// 256-bit registers holding complex values interleaved (re, im, re, im, ...):
// loads and stores need no shuffles; a product by w takes one swap and an
// addsub, with the same roundings as the split form.
struct Cf32x4 {
    using T = float;
    static constexpr int count = 4;
    __m256 v;
    static Cf32x4 load(const float* p) { return {_mm256_loadu_ps(p)}; }
    void store(float* p) const { _mm256_storeu_ps(p, v); }
    friend Cf32x4 operator+(Cf32x4 a, Cf32x4 b) { return {_mm256_add_ps(a.v, b.v)}; }
    friend Cf32x4 operator-(Cf32x4 a, Cf32x4 b) { return {_mm256_sub_ps(a.v, b.v)}; }
    Cf32x4 swapped() const { return {_mm256_permute_ps(v, _MM_SHUFFLE(2, 3, 0, 1))}; }
    // (-0, 0, ...) flips the real parts, (0, -0, ...) the imaginary ones.
    Cf32x4 flip(bool re_part) const {
        const __m256 m = re_part ? _mm256_setr_ps(-0.f, 0.f, -0.f, 0.f, -0.f, 0.f, -0.f, 0.f)
                                 : _mm256_setr_ps(0.f, -0.f, 0.f, -0.f, 0.f, -0.f, 0.f, -0.f);
        return {_mm256_xor_ps(v, m)};
    }
    // The pairs at p, p + s, p + 2s, p + 3s; then (wr, wr, ...) and (wi, wi, ...).
    static void twiddle(const float* p, idx s, Cf32x4& wr, Cf32x4& wi) {
        const __m128 lo = _mm_loadh_pi(_mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(p)), reinterpret_cast<const __m64*>(p + s));
        const __m128 hi = _mm_loadh_pi(_mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(p + 2 * s)), reinterpret_cast<const __m64*>(p + 3 * s));
        const __m256 w = _mm256_insertf128_ps(_mm256_castps128_ps256(lo), hi, 1);
        wr.v = _mm256_moveldup_ps(w);
        wi.v = _mm256_movehdup_ps(w);
    }
    // a * (wr + i wi): (re wr - im wi, im wr + re wi).
    static Cf32x4 mul(Cf32x4 a, Cf32x4 wr, Cf32x4 wi) {
        return {_mm256_addsub_ps(_mm256_mul_ps(a.v, wr.v), _mm256_mul_ps(a.swapped().v, wi.v))};
    }
};

struct Cf64x2 {
    using T = double;
    static constexpr int count = 2;
    __m256d v;
    static Cf64x2 load(const double* p) { return {_mm256_loadu_pd(p)}; }
    void store(double* p) const { _mm256_storeu_pd(p, v); }
    friend Cf64x2 operator+(Cf64x2 a, Cf64x2 b) { return {_mm256_add_pd(a.v, b.v)}; }
    friend Cf64x2 operator-(Cf64x2 a, Cf64x2 b) { return {_mm256_sub_pd(a.v, b.v)}; }
    Cf64x2 swapped() const { return {_mm256_permute_pd(v, 0x5)}; }
    Cf64x2 flip(bool re_part) const {
        const __m256d m = re_part ? _mm256_setr_pd(-0.0, 0.0, -0.0, 0.0) : _mm256_setr_pd(0.0, -0.0, 0.0, -0.0);
        return {_mm256_xor_pd(v, m)};
    }
    static void twiddle(const double* p, idx s, Cf64x2& wr, Cf64x2& wi) {
        const __m256d w = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(p)), _mm_loadu_pd(p + s), 1);
        wr.v = _mm256_movedup_pd(w);
        wi.v = _mm256_permute_pd(w, 0xF);
    }
    static Cf64x2 mul(Cf64x2 a, Cf64x2 wr, Cf64x2 wi) {
        return {_mm256_addsub_pd(_mm256_mul_pd(a.v, wr.v), _mm256_mul_pd(a.swapped().v, wi.v))};
    }
};

template <class T> struct CxVecOf;
template <> struct CxVecOf<float> { using type = Cf32x4; };
template <> struct CxVecOf<double> { using type = Cf64x2; };

// butterfly4 on interleaved values: y1, y3 = d02 -+ i d13 (forward).
template <bool Inv, class C>
inline void butterfly4_cx(C& x0, C& x1, C& x2, C& x3) {
    const C s02 = x0 + x1, d02 = x0 - x1, s13 = x2 + x3;
    const C t = (x2 - x3).swapped().flip(Inv); // -i d13 (forward), +i d13 (inverse)
    x0 = s02 + s13;
    x2 = s02 - s13;
    x1 = d02 + t;
    x3 = d02 - t;
}

template <bool Inv, class C>
void radix4_pass_cx(typename C::T* p, idx n, idx L, const typename C::T* tw, idx s) {
    const idx q = L / 4;
    for (idx j = 0; j < q; j += C::count) {
        C w1r, w1i, w2r, w2i, w3r, w3i;
        C::twiddle(tw + 6 * j * s, 6 * s, w1r, w1i);
        C::twiddle(tw + 6 * j * s + 2, 6 * s, w2r, w2i);
        C::twiddle(tw + 6 * j * s + 4, 6 * s, w3r, w3i);
        if (Inv) { // a * conj(w): negating wi is exact
            w1i = w1i.flip(true).flip(false);
            w2i = w2i.flip(true).flip(false);
            w3i = w3i.flip(true).flip(false);
        }
        for (idx b = j; b < n; b += L) {
            typename C::T* x = p + 2 * b;
            C x0 = C::load(x), x1 = C::load(x + 2 * q), x2 = C::load(x + 4 * q), x3 = C::load(x + 6 * q);
            x2 = C::mul(x2, w1r, w1i);
            x1 = C::mul(x1, w2r, w2i);
            x3 = C::mul(x3, w3r, w3i);
            butterfly4_cx<Inv>(x0, x1, x2, x3);
            x0.store(x);
            x1.store(x + 2 * q);
            x2.store(x + 4 * q);
            x3.store(x + 6 * q);
        }
    }
}

// The radix-4 core of order m on rows of four interleaved single-precision
// columns (one register per row); every column shares the twiddles, so they
// are broadcast. The same passes as the split four-column form.
template <bool Inv>
void radix4_core_rows(float* w, int m, const float* tw) {
    using C = Cf32x4;
    const idx n = idx(1) << m;
    const auto row = [w](idx r) { return w + 8 * r; };
    const auto bcast = [tw](idx off, bool negate, C& wr, C& wi) {
        wr.v = _mm256_set1_ps(tw[off]);
        wi.v = _mm256_set1_ps(negate ? -tw[off + 1] : tw[off + 1]);
    };
    for (idx b = 0; b < n; b += 4) {
        C x0 = C::load(row(b)), x1 = C::load(row(b + 1)), x2 = C::load(row(b + 2)), x3 = C::load(row(b + 3));
        butterfly4_cx<Inv>(x0, x1, x2, x3);
        x0.store(row(b)); x1.store(row(b + 1)); x2.store(row(b + 2)); x3.store(row(b + 3));
    }
    if (m & 1) { // radix 2 to length 8 with W8^j (conjugated for the inverse)
        const float c = tw[6 * (n / 8)];
        const float wr[4] = {1.0f, c, 0.0f, -c};
        const float wi[4] = {0.0f, Inv ? c : -c, Inv ? 1.0f : -1.0f, Inv ? c : -c};
        for (int j = 0; j < 4; ++j) {
            const C vr{_mm256_set1_ps(wr[j])}, vi{_mm256_set1_ps(wi[j])};
            for (idx b = j; b < n; b += 8) {
                const C x = C::load(row(b)), y = C::mul(C::load(row(b + 4)), vr, vi);
                (x + y).store(row(b));
                (x - y).store(row(b + 4));
            }
        }
    }
    for (idx L = m & 1 ? 8 : 4; L < n;) {
        L *= 4;
        const idx q = L / 4, s = n / L;
        for (idx j = 0; j < q; ++j) {
            C w1r, w1i, w2r, w2i, w3r, w3i;
            bcast(6 * j * s, Inv, w1r, w1i);
            bcast(6 * j * s + 2, Inv, w2r, w2i);
            bcast(6 * j * s + 4, Inv, w3r, w3i);
            for (idx b = j; b < n; b += L) {
                C x0 = C::load(row(b)), x1 = C::load(row(b + q)), x2 = C::load(row(b + 2 * q)), x3 = C::load(row(b + 3 * q));
                x2 = C::mul(x2, w1r, w1i);
                x1 = C::mul(x1, w2r, w2i);
                x3 = C::mul(x3, w3r, w3i);
                butterfly4_cx<Inv>(x0, x1, x2, x3);
                x0.store(row(b)); x1.store(row(b + q)); x2.store(row(b + 2 * q)); x3.store(row(b + 3 * q));
            }
        }
    }
}

template <bool Inv, class Acc>
void radix4_pass(const Acc& a, idx n, idx L, const typename Acc::T* tw, idx s);

template <bool Inv>
void radix4_pass(const InterleavedAcc<F32x8>& a, idx n, idx L, const float* tw, idx s) {
    if (L / 4 < Cf32x4::count) radix4_pass<Inv>(a.narrower(), n, L, tw, s);
    else radix4_pass_cx<Inv, Cf32x4>(a.p, n, L, tw, s);
}

template <bool Inv>
void radix4_pass(const InterleavedAcc<F64x4>& a, idx n, idx L, const double* tw, idx s) {
    if (L / 4 < Cf64x2::count) radix4_pass<Inv>(a.narrower(), n, L, tw, s);
    else radix4_pass_cx<Inv, Cf64x2>(a.p, n, L, tw, s);
}
#endif

// One radix-4 pass of span L: four transforms of length L/4 become one.
// The butterflies sharing twiddles (same j) run together, so each twiddle
// is fetched once per pass.
template <bool Inv, class Acc>
void radix4_pass(const Acc& a, idx n, idx L, const typename Acc::T* tw, idx s) {
    using V = typename Acc::Vec;
    const idx q = L / 4;
    if (q < Acc::jstep) {
        radix4_pass<Inv>(a.narrower(), n, L, tw, s);
        return;
    }
    for (idx j = 0; j < q; j += Acc::jstep) {
        V w1r, w1i, w2r, w2i, w3r, w3i;
        a.twiddle(tw, 6 * j * s, 6 * s, w1r, w1i);
        a.twiddle(tw, 6 * j * s + 2, 6 * s, w2r, w2i);
        a.twiddle(tw, 6 * j * s + 4, 6 * s, w3r, w3i);
        for (idx b = j; b < n; b += L) {
            V r0, i0, r1, i1, r2, i2, r3, i3;
            a.load(b, r0, i0);
            a.load(b + q, r1, i1);
            a.load(b + 2 * q, r2, i2);
            a.load(b + 3 * q, r3, i3);
            cmul<Inv>(r2, i2, w1r, w1i);
            cmul<Inv>(r1, i1, w2r, w2i);
            cmul<Inv>(r3, i3, w3r, w3i);
            butterfly4<Inv>(r0, i0, r1, i1, r2, i2, r3, i3);
            a.store(b, r0, i0);
            a.store(b + q, r1, i1);
            a.store(b + 2 * q, r2, i2);
            a.store(b + 3 * q, r3, i3);
        }
    }
}

// The in-place radix-4 core of order m >= 2 on bit-reversed input; tw is the
// radix-4 twiddle table of order m.
// The first pass, and for odd orders the radix-2 pass to length 8.
template <bool Inv, class Acc>
void first_stages(const Acc& a, int m, typename Acc::T c) {
    const idx n = idx(1) << m;
    first_pass<Inv>(a, n);
    if (m & 1) radix2_pass8<Inv>(a, n, c);
}

#if defined(VEKS_FFT_SSE2)
template <bool Inv, class V>
void first_stages(const InterleavedAcc<V>& acc, int m, typename V::elem c) {
    const InterleavedAcc<typename VecTypes<typename V::elem>::sse> a{acc.p}; // 128-bit groups
    const idx n = idx(1) << m;
    if (m & 1) first_pass8<Inv>(a, n, c);
    else first_pass<Inv>(a, n);
}
#endif

template <bool Inv, class Acc>
void radix4_core(const Acc& a, int m, const typename Acc::T* tw, bool first_done = false) {
    const idx n = idx(1) << m;
    if (!first_done) first_stages<Inv>(a, m, tw[6 * (n / 8)]);
    idx L = m & 1 ? 8 : 4;
    while (L < n) {
        L *= 4;
        radix4_pass<Inv>(a, n, L, tw, n / L);
    }
}

// ---- bit-reversal permutation -------------------------------------------------
// Element e = h*N/2 + 2i + l moves to l*N/2 + 2*rev(i) + h.
template <class E>
void permute_in_place(E* x, idx n, const std::int32_t* tab) {
    const idx h = n / 2;
    idx t = 0;
    for (; tab[t] != 0; t += 2) {
        const idx i = tab[t] / 2, j = tab[t + 1] / 2; // 2i and 2j
        swap_elems(x, i, j);
        swap_elems(x, i + 1, h + j);
        swap_elems(x, h + i, j + 1);
        swap_elems(x, h + i + 1, h + j + 1);
    }
    swap_elems(x, 1, h);
    for (++t; t < n / 4; ++t) {
        const idx i = tab[t] / 2;
        swap_elems(x, i + 1, h + i);
    }
}

template <class E>
inline void move_quad(const E* s, E* d, idx h, idx i, idx j) {
    store_elem(d, j, load_elem(s, i));
    store_elem(d, h + j, load_elem(s, i + 1));
    store_elem(d, j + 1, load_elem(s, h + i));
    store_elem(d, h + j + 1, load_elem(s, h + i + 1));
}

template <class E>
void permute_copy(const E* s, E* d, idx n, const std::int32_t* tab) {
    const idx h = n / 2;
    idx t = 0;
    for (; tab[t] != 0; t += 2) {
        const idx i = tab[t] / 2, j = tab[t + 1] / 2;
        move_quad(s, d, h, i, j);
        move_quad(s, d, h, j, i);
    }
    move_quad(s, d, h, 0, 0);
    for (++t; t < n / 4; ++t) {
        const idx i = tab[t] / 2;
        move_quad(s, d, h, i, i);
    }
}

// A complex element as the permutation moves it.
template <class T> struct Cx { T re, im; };

// Permutes n elements from src to dst (in place when equal).
template <class E>
void permute(const E* src, E* dst, idx n, const std::int32_t* tab) {
    if (src == dst) permute_in_place(dst, n, tab);
    else permute_copy(src, dst, n, tab);
}

// Calls one(i, rev(i)) for every i < N/8 in ascending order (so that the
// reads stream), rev reversing order - 2 bits; the reversed index is kept
// as a counter that adds 1 from its top bit down.
template <class F>
void walk_low_eighth(idx n, F one) {
    const idx n8 = n / 8;
    idx r = 0; // reverse of i over order - 3 bits
    for (idx i = 0; i < n8; ++i) {
        one(i, 2 * r);
        idx bit = n8 >> 1;
        while (bit > 0 && (r & bit)) {
            r ^= bit;
            bit >>= 1;
        }
        r |= bit;
    }
}

#if defined(VEKS_FFT_SSE2)
// Out-of-place permutation fused with the first pass: the group of four
// points at 4g receives x[k], x[k + N/2], x[k + N/4], x[k + 3N/4] with
// k = 2 i + l, g = l N/8 + rev(i)/2 for i < N/8.
template <bool Inv, class T>
void permute_first_pass(const T* src, T* dst, idx n) {
    const idx n8 = n / 8, q = n / 4, h = n / 2;
    const auto one = [&](idx i, idx r) {
        for (idx l = 0; l < 2; ++l) {
            const idx k = 2 * i + l;
            T* out = dst + 8 * (l * n8 + r / 2);
            if constexpr (sizeof(T) == 4) {
                group4<Inv>(load2(src + 2 * k, src + 2 * (k + q)), load2(src + 2 * (k + h), src + 2 * (k + h + q)), out);
            } else {
                group4<Inv>(src + 2 * k, src + 2 * (k + h), src + 2 * (k + q), src + 2 * (k + h + q), out);
            }
        }
    };
    walk_low_eighth(n, one);
}

// Odd first stages: the group of eight points at 8g receives x[r + j N/8]
// at position rev3(j), r = rev(g) < N/8.
template <bool Inv, class T>
void permute_first_pass8(const T* src, T* dst, idx n, T c) {
    const idx e = n / 8;
    const auto at = [&](idx r, int j) { return src + 2 * (r + j * e); };
    const auto one = [&](idx i, idx r) {
        T* out = dst + 16 * (r / 2);
        if constexpr (sizeof(T) == 4) {
            group8<Inv>(load2(at(i, 0), at(i, 2)), load2(at(i, 4), at(i, 6)), load2(at(i, 1), at(i, 3)), load2(at(i, 5), at(i, 7)), out, c);
        } else {
            const double* const p[8] = {at(i, 0), at(i, 4), at(i, 2), at(i, 6), at(i, 1), at(i, 5), at(i, 3), at(i, 7)};
            group8<Inv>(p, out, c);
        }
    };
    walk_low_eighth(n, one);
}
#endif

// ---- the engine ---------------------------------------------------------------

template <class T, bool Split>
struct Engine {
    using Acc = std::conditional_t<Split, SplitAcc<Wide<T>>, InterleavedAcc<Wide<T>>>;
    using Hdr = FloatSpecHeader<T>;
    static constexpr bool dbl = sizeof(T) == 8;

    static Acc make(T* re, T* im) {
        if constexpr (Split) return Acc{re, im};
        else { (void)im; return Acc{re}; }
    }

    // Order of the radix-4 cores that start the transform of order m.
    static int innermost_order(int m) {
        while (split_entry(dbl, m) > 0) m -= split_entry(dbl, m);
        return m > incore_limit(dbl) ? block_sub_order(dbl) : m;
    }

    static void scale(const Acc& a, idx n, T f) {
        if constexpr (Split) {
            for (idx i = 0; i < n; ++i) store_elem(a.re_, i, load_elem(a.re_, i) * f);
            for (idx i = 0; i < n; ++i) store_elem(a.im_, i, load_elem(a.im_, i) * f);
        } else {
            for (idx i = 0; i < 2 * n; ++i) store_elem(a.p, i, load_elem(a.p, i) * f);
        }
    }

    // W_n^t for lanes t, t + s, ...: mt holds W_n^j for j < n/4 (real
    // parts, then imaginary parts); above n/4, W^t = -i W^(t - n/4).
    template <class V>
    static void merge_twiddle(const T* mt, idx n4, idx t, idx s, V& wr, V& wi) {
        if (t < n4) {
            wr = V::gather(mt + t, s);
            wi = V::gather(mt + n4 + t, s);
        } else {
            wr = V::gather(mt + t, s); // the imaginary parts of W^(t - n/4)
            wi = -V::gather(mt + t - n4, s);
        }
    }

    // Radix-2 merge passes of the blocked path, from sub-transforms of
    // length 2^sub to length n. Two passes run per sweep over the data
    // where possible; each butterfly is still a + w b, a - w b.
    template <bool Inv>
    static void merge(const Acc& a, idx n, int sub, const T* mt) {
        using V = typename Acc::Vec;
        const idx n4 = n / 4;
        idx L = idx(2) << sub;
        for (; 2 * L <= n; L *= 4) { // passes L and 2L together
            const idx h = L / 2, s1 = n / L, s2 = n / (2 * L);
            for (idx b = 0; b < n; b += 2 * L) {
                for (idx j0 = 0; j0 < h; j0 += 256) { // runs of 256 butterflies
                    const idx j1 = j0 + 256 < h ? j0 + 256 : h;
                    for (idx j = j0; j < j1; j += Acc::jstep) {
                        V w1r, w1i, w2r, w2i, w3r, w3i;
                        merge_twiddle(mt, n4, j * s1, s1, w1r, w1i);
                        merge_twiddle(mt, n4, j * s2, s2, w2r, w2i);
                        merge_twiddle(mt, n4, (j + h) * s2, s2, w3r, w3i);
                        V r0, i0, r1, i1, r2, i2, r3, i3;
                        a.load(b + j, r0, i0);
                        a.load(b + h + j, r1, i1);
                        a.load(b + L + j, r2, i2);
                        a.load(b + L + h + j, r3, i3);
                        cmul<Inv>(r1, i1, w1r, w1i);
                        cmul<Inv>(r3, i3, w1r, w1i);
                        V u0r = r0 + r1, u0i = i0 + i1, u1r = r0 - r1, u1i = i0 - i1;
                        V u2r = r2 + r3, u2i = i2 + i3, u3r = r2 - r3, u3i = i2 - i3;
                        cmul<Inv>(u2r, u2i, w2r, w2i);
                        cmul<Inv>(u3r, u3i, w3r, w3i);
                        a.store(b + j, u0r + u2r, u0i + u2i);
                        a.store(b + L + j, u0r - u2r, u0i - u2i);
                        a.store(b + h + j, u1r + u3r, u1i + u3i);
                        a.store(b + L + h + j, u1r - u3r, u1i - u3i);
                    }
                }
            }
        }
        for (; L <= n; L *= 2) { // a last single pass
            const idx half = L / 2, s = n / L;
            for (idx b = 0; b < n; b += L) {
                for (idx j = 0; j < half; j += Acc::jstep) {
                    V ar, ai, br, bi, wr, wi;
                    merge_twiddle(mt, n4, j * s, s, wr, wi);
                    a.load(b + j, ar, ai);
                    a.load(b + half + j, br, bi);
                    cmul<Inv>(br, bi, wr, wi);
                    a.store(b + j, ar + br, ai + bi);
                    a.store(b + half + j, ar - br, ai - bi);
                }
            }
        }
    }

#if defined(VEKS_FFT_AVX)
    // The decomposition step on interleaved single precision: four columns
    // are one register per row, copied to the work area with their twiddles
    // applied (st holds four real parts, then four imaginary parts per row).
    template <bool Inv>
    static void step_rows(float* x, int m, int k, const float* r4k, const float* st, float* work) {
        const idx n = idx(1) << m, p = idx(1) << k, cols = n >> k;
        const auto dup = [](const float* v) {
            const __m128 q = _mm_loadu_ps(v);
            return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_unpacklo_ps(q, q)), _mm_unpackhi_ps(q, q), 1);
        };
        const __m256 conj = Inv ? _mm256_set1_ps(-0.0f) : _mm256_setzero_ps();
        for (idx g = 0; g < cols / 4; ++g) {
            const float* tg = st + g * p * 8;
            for (idx r = 0; r < p; ++r) {
                if (g + 1 < cols / 4) _mm_prefetch(reinterpret_cast<const char*>(x + 2 * (r * cols + 4 * g + 4)), _MM_HINT_T1);
                const Cf32x4 wr{dup(tg + 8 * r)}, wi{_mm256_xor_ps(dup(tg + 8 * r + 4), conj)};
                Cf32x4::mul(Cf32x4::load(x + 2 * (r * cols + 4 * g)), wr, wi).store(work + 8 * r);
            }
            radix4_core_rows<Inv>(work, k, r4k);
            for (idx r = 0; r < p; ++r) Cf32x4::load(work + 8 * r).store(x + 2 * (r * cols + 4 * g));
        }
    }
#endif

    // Decomposition step n = 2^k * (n / 2^k) after the rows are transformed.
    template <bool Inv>
    static void step(const Acc& a, int m, int k, const T* r4k, const T* st, T* work) {
#if defined(VEKS_FFT_AVX)
        if constexpr (!Split && !dbl) {
            step_rows<Inv>(a.p, m, k, r4k, st, work);
            return;
        }
#endif
        using Q = Quad<T>;
        const idx n = idx(1) << m, p = idx(1) << k, cols = n >> k;
        T* wre = work;
        T* wim = work + 4 * p;
        const BatchAcc<Q> batch{wre, wim};
        const auto cols_acc = [&](idx i) {
            if constexpr (Split) return SplitAcc<Q>{a.re_ + i, a.im_ + i};
            else return InterleavedAcc<Q>{a.p + 2 * i};
        };
        for (idx g = 0; g < cols / 4; ++g) {
            const T* tg = st + g * p * 8;
            for (idx r = 0; r < p; ++r) {
                Q re, im;
#if defined(VEKS_FFT_SSE2)
                if constexpr (!Split) // the next group's part of this row, which the stride keeps out of cache
                    if (g + 1 < cols / 4) _mm_prefetch(reinterpret_cast<const char*>(a.p + 2 * (r * cols + 4 * g + 4)), _MM_HINT_T1);
#endif
                cols_acc(r * cols + 4 * g).load(0, re, im);
                cmul<Inv>(re, im, Q::load(tg + 8 * r), Q::load(tg + 8 * r + 4));
                batch.store(r, re, im);
            }
            radix4_core<Inv>(batch, k, r4k);
            for (idx r = 0; r < p; ++r) {
                Q re, im;
                batch.load(r, re, im);
                cols_acc(r * cols + 4 * g).store(0, re, im);
            }
        }
    }

    // Transforms the n = 2^m points at a (already permuted) at depth level.
    template <bool Inv>
    static void run(const Hdr* h, const Acc& a, int m, int level, bool scaled, T* work, bool first_done) {
        const idx n = idx(1) << m;
        const int k = split_entry(dbl, m);
        if (k > 0) {
            const idx cols = n >> k;
            for (idx r = 0; r < (idx(1) << k); ++r) run<Inv>(h, a.offset(r * cols), m - k, level + 1, scaled, work, first_done);
            const std::uint32_t* tables = h->steps + 2 * (level & 3); // at most three steps deep
            step<Inv>(a, m, k, at_offset<const T>(h, tables[0]), at_offset<const T>(h, tables[1]), work);
        } else if (m > incore_limit(dbl)) {
            const int sub = block_sub_order(dbl);
            const idx len = idx(1) << sub;
            const T* r4 = at_offset<const T>(h, h->radix4);
            for (idx b = n / len - 1; b >= 0; --b) {
                radix4_core<Inv>(a.offset(b * len), sub, r4, first_done);
                if (scaled) scale(a.offset(b * len), len, h->factor);
            }
            merge<Inv>(a, n, sub, at_offset<const T>(h, h->merge));
        } else {
            radix4_core<Inv>(a, m, at_offset<const T>(h, h->radix4), first_done);
            if (scaled) scale(a, n, h->factor);
        }
    }

    template <bool Inv>
    static void small(const Hdr* h, int m, const T* sr, const T* si, T* dr, T* di, bool scaled) {
        const idx st = Split ? 1 : 2;
        const T f = h->factor;
#define VEKS_SMALL_CASE(N)                                                                             \
    case N:                                                                                           \
        if (scaled) { if (Inv) small_inv##N##_scaled(sr, si, dr, di, st, f); else small_fwd##N##_scaled(sr, si, dr, di, st, f); } \
        else { if (Inv) small_inv##N(sr, si, dr, di, st); else small_fwd##N(sr, si, dr, di, st); } \
        break;
        switch (idx(1) << m) {
            VEKS_SMALL_CASE(1)
            VEKS_SMALL_CASE(2)
            VEKS_SMALL_CASE(4)
            VEKS_SMALL_CASE(8)
        }
#undef VEKS_SMALL_CASE
    }

    // The whole transform. Interleaved data: sr/dr point at the arrays and
    // si/di are ignored. work: the aligned work area (may be null when the
    // spec needs none).
    template <bool Inv>
    static void transform(const Hdr* h, const T* sr, const T* si, T* dr, T* di, T* work) {
        transform<Inv>(h, h->order, Inv ? h->inv_scaled : h->fwd_scaled, sr, si, dr, di, work);
    }

    // The same with the order and the scaling given (the real transforms
    // run a complex transform of half their length).
    template <bool Inv>
    static void transform(const Hdr* h, int m, bool scaled, const T* sr, const T* si, T* dr, T* di, T* work) {
        if (m <= 3) {
            if constexpr (Split) small<Inv>(h, m, sr, si, dr, di, scaled);
            else small<Inv>(h, m, sr, sr + 1, dr, dr + 1, scaled);
            return;
        }
        const idx n = idx(1) << m;
        const std::int32_t* br = at_offset<const std::int32_t>(h, h->bitrev);
        if constexpr (Split) {
            permute(sr, dr, n, br);
            permute(si, di, n, br);
        } else {
#if defined(VEKS_FFT_SSE2)
            if (sr != dr) {
                const int mi = innermost_order(m);
                const T c = at_offset<const T>(h, h->radix4)[6 * ((idx(1) << mi) / 8)]; // as the core's radix-2 pass
                if (mi & 1) permute_first_pass8<Inv>(sr, dr, n, c);
                else permute_first_pass<Inv>(sr, dr, n);
                run<Inv>(h, make(dr, di), m, 0, scaled, work, true);
                return;
            }
#endif
            permute(reinterpret_cast<const Cx<T>*>(sr), reinterpret_cast<Cx<T>*>(dr), n, br);
        }
        run<Inv>(h, make(dr, di), m, 0, scaled, work, false);
    }
};

} // namespace veks::fft
