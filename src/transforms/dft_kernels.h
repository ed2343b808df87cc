// Butterflies of the DFT engines on interleaved complex data. Loads and
// stores go through memcpy: callers may pass arrays at any byte address.
#pragma once

#include <cstddef>
#include <cstring>

namespace veks::dft {

using idx = std::ptrdiff_t;

constexpr int kMaxRadixHalf = 75; // odd radices up to 150

template <class T> struct Cx { T re, im; };

template <class T> inline Cx<T> ld(const T* p, idx i) {
    Cx<T> c;
    std::memcpy(&c, p + 2 * i, sizeof c);
    return c;
}
template <class T> inline void st(T* p, idx i, Cx<T> c) { std::memcpy(p + 2 * i, &c, sizeof c); }

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

template <class T> struct Consts {
    static constexpr T half = T(0.5L);
    static constexpr T s3 = T(0.866025403784438646763723170752936183L);  // sin(2pi/3)
    static constexpr T c51 = T(0.309016994374947424102293417182819059L); // cos(2pi/5)
    static constexpr T c52 = T(-0.809016994374947424102293417182819059L);
    static constexpr T s51 = T(0.951056516295153572116439333379382143L);
    static constexpr T s52 = T(0.587785252292473129168705954639072769L);
};

template <bool Inv, class T> inline void bfly2(Cx<T>* a) {
    const Cx<T> t = a[0];
    a[0] = t + a[1];
    a[1] = t - a[1];
}

template <bool Inv, class T> inline void bfly3(Cx<T>* a) {
    const Cx<T> s = a[1] + a[2];
    const Cx<T> t = a[0] - Consts<T>::half * s;
    const Cx<T> u = rot<Inv>(Consts<T>::s3 * (a[1] - a[2]));
    a[0] = a[0] + s;
    a[1] = t + u;
    a[2] = t - u;
}

template <bool Inv, class T> inline void bfly4(Cx<T>* a) {
    const Cx<T> t0 = a[0] + a[2], t1 = a[0] - a[2], t2 = a[1] + a[3], t3 = rot<Inv>(a[1] - a[3]);
    a[0] = t0 + t2;
    a[2] = t0 - t2;
    a[1] = t1 + t3;
    a[3] = t1 - t3;
}

template <bool Inv, class T> inline void bfly5(Cx<T>* a) {
    using K = Consts<T>;
    const Cx<T> s1 = a[1] + a[4], s2 = a[2] + a[3], d1 = a[1] - a[4], d2 = a[2] - a[3];
    const Cx<T> a1 = a[0] + K::c51 * s1 + K::c52 * s2, a2 = a[0] + K::c52 * s1 + K::c51 * s2;
    const Cx<T> b1 = rot<Inv>(K::s51 * d1 + K::s52 * d2), b2 = rot<Inv>(K::s52 * d1 - K::s51 * d2);
    a[0] = a[0] + s1 + s2;
    a[1] = a1 + b1;
    a[4] = a1 - b1;
    a[2] = a2 + b2;
    a[3] = a2 - b2;
}

// Any odd radix p: the pairs j, p - j share their cosine and sine sums.
// kern holds, for j, k = 1..(p-1)/2, cos(2 pi jk/p) and sin(2 pi jk/p).
template <bool Inv, class T> inline void bfly_odd(Cx<T>* a, int p, const T* kern) {
    const int h = (p - 1) / 2;
    Cx<T> s[kMaxRadixHalf], d[kMaxRadixHalf];
    Cx<T> sum = a[0];
    for (int j = 1; j <= h; ++j) {
        s[j - 1] = a[j] + a[p - j];
        d[j - 1] = a[j] - a[p - j];
        sum = sum + s[j - 1];
    }
    for (int k = 1; k <= h; ++k) {
        const T* row = kern + 2 * (k - 1) * h;
        T ar = a[0].re, ai = a[0].im, br = 0, bi = 0;
        for (int j = 0; j < h; ++j) {
            const T c = row[2 * j], sn = row[2 * j + 1];
            ar += c * s[j].re;
            ai += c * s[j].im;
            br += sn * d[j].re;
            bi += sn * d[j].im;
        }
        const Cx<T> u = rot<Inv>(Cx<T>{br, bi});
        a[k] = Cx<T>{ar + u.re, ai + u.im};
        a[p - k] = Cx<T>{ar - u.re, ai - u.im};
    }
    a[0] = sum;
}

} // namespace veks::dft
