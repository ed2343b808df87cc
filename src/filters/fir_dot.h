// The FIR inner loop: rows of dot products of the reversed taps with a
// sliding window, out[k] = sum over j < L of rt[j] * x[k + j].
//
// Each product is formed in Prod arithmetic and added to an Acc sum. The
// generic loop computes four outputs per pass; the same-type real and
// complex float loops keep 8 to 16 outputs in vector registers, broadcast
// one tap per step and read the window with unaligned loads. The vector
// types are compiler vector extensions: SSE2 registers on x86-64, plain
// scalar code elsewhere.
#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "filters/fir_elem.h"

namespace veks::fir {

namespace vec {
typedef float f32x4 __attribute__((vector_size(16)));
typedef double f64x2 __attribute__((vector_size(16)));

template <class V> inline V loadu(const void* p) { V v; std::memcpy(&v, p, sizeof v); return v; }
template <class V, class T> inline V splat(T x) {
    if constexpr (sizeof(V) / sizeof(T) == 4) return V{x, x, x, x};
    else return V{x, x};
}
} // namespace vec

// Generic rows: four outputs per pass, then single rows.
template <class Prod, class Acc, class Tap, class X, class Sink>
inline void dot_rows_generic(const Tap* rt, int L, const void* x, std::size_t n, Sink&& sink) {
    std::size_t k = 0;
    for (; k + 4 <= n; k += 4) {
        Acc a0{}, a1{}, a2{}, a3{};
        for (int j = 0; j < L; ++j) {
            const Prod t = convert<Prod>(rt[j]);
            a0 += convert<Acc>(t * convert<Prod>(load<X>(x, k + j)));
            a1 += convert<Acc>(t * convert<Prod>(load<X>(x, k + j + 1)));
            a2 += convert<Acc>(t * convert<Prod>(load<X>(x, k + j + 2)));
            a3 += convert<Acc>(t * convert<Prod>(load<X>(x, k + j + 3)));
        }
        sink(k, a0); sink(k + 1, a1); sink(k + 2, a2); sink(k + 3, a3);
    }
    for (; k < n; ++k) {
        Acc a{};
        for (int j = 0; j < L; ++j) a += convert<Acc>(convert<Prod>(rt[j]) * convert<Prod>(load<X>(x, k + j)));
        sink(k, a);
    }
}

// Same-type real rows: R outputs per pass in R / lanes vector sums.
template <class V, class T, int R, class Sink>
inline std::size_t dot_rows_real_vec(const T* rt, int L, const void* x, std::size_t n, Sink& sink, void* dst) {
    constexpr int lanes = int(sizeof(V) / sizeof(T));
    constexpr int nv = R / lanes;
    const char* xb = static_cast<const char*>(x);
    std::size_t k = 0;
    for (; k + R <= n; k += R) {
        V a[nv];
        for (int v = 0; v < nv; ++v) a[v] = vec::splat<V>(T(0));
        const char* p = xb + k * sizeof(T);
        for (int j = 0; j < L; ++j, p += sizeof(T)) {
            const V t = vec::splat<V>(rt[j]);
            for (int v = 0; v < nv; ++v) a[v] += t * vec::loadu<V>(p + v * sizeof(V));
        }
        if (dst) {
            char* d = static_cast<char*>(dst) + k * sizeof(T);
            for (int v = 0; v < nv; ++v) std::memcpy(d + v * sizeof(V), &a[v], sizeof(V));
        } else {
            for (int v = 0; v < nv; ++v)
                for (int l = 0; l < lanes; ++l) sink(k + std::size_t(v * lanes + l), T(a[v][l]));
        }
    }
    return k;
}

// Same-type complex rows: for the tap (tr, ti), A += tr * x and B += ti * x
// over interleaved (re, im) lanes; the row is then (A.re - B.im, A.im + B.re).
template <class V, class T, int R, class Sink>
inline std::size_t dot_rows_cx_vec(const Cx<T>* rt, int L, const void* x, std::size_t n, Sink& sink, void* dst) {
    constexpr int per_vec = int(sizeof(V) / sizeof(T)) / 2; // complex values per vector
    constexpr int nv = R / per_vec;
    const char* xb = static_cast<const char*>(x);
    std::size_t k = 0;
    for (; k + R <= n; k += R) {
        V a[nv], b[nv];
        for (int v = 0; v < nv; ++v) a[v] = b[v] = vec::splat<V>(T(0));
        const char* p = xb + k * sizeof(Cx<T>);
        for (int j = 0; j < L; ++j, p += sizeof(Cx<T>)) {
            const V tr = vec::splat<V>(rt[j].re), ti = vec::splat<V>(rt[j].im);
            for (int v = 0; v < nv; ++v) {
                const V xv = vec::loadu<V>(p + v * sizeof(V));
                a[v] += tr * xv;
                b[v] += ti * xv;
            }
        }
        for (int v = 0; v < nv; ++v) {
            V r = a[v];
            for (int c = 0; c < per_vec; ++c) {
                r[2 * c] = a[v][2 * c] - b[v][2 * c + 1];
                r[2 * c + 1] = a[v][2 * c + 1] + b[v][2 * c];
            }
            if (dst) {
                std::memcpy(static_cast<char*>(dst) + (k + std::size_t(v * per_vec)) * sizeof(Cx<T>), &r, sizeof(V));
            } else {
                for (int c = 0; c < per_vec; ++c) sink(k + std::size_t(v * per_vec + c), Cx<T>{T(r[2 * c]), T(r[2 * c + 1])});
            }
        }
    }
    return k;
}

// The scalar twin of the complex rows (same sums in the same order), so a
// row's value does not depend on which loop computed it.
template <class T, class Sink>
inline void dot_rows_cx_scalar(const Cx<T>* rt, int L, const void* x, std::size_t n, Sink& sink) {
    for (std::size_t k = 0; k < n; ++k) {
        T ar = 0, ai = 0, br = 0, bi = 0;
        for (int j = 0; j < L; ++j) {
            const Cx<T> v = load<Cx<T>>(x, k + std::size_t(j));
            ar += rt[j].re * v.re;
            ai += rt[j].re * v.im;
            br += rt[j].im * v.re;
            bi += rt[j].im * v.im;
        }
        sink(k, Cx<T>{ar - bi, ai + br});
    }
}

// out[k] for k < n through sink(k, sum). With dst (same-type forms whose
// sums are the outputs), the vector loops store straight into dst.
template <class Prod, class Acc, class Tap, class X, class Sink>
inline void dot_rows(const Tap* rt, int L, const void* x, std::size_t n, Sink&& sink, void* dst = nullptr) {
    std::size_t done = 0;
    constexpr bool same = std::is_same_v<Prod, Acc> && std::is_same_v<Tap, Acc> && std::is_same_v<X, Acc>;
    if constexpr (same && std::is_same_v<Acc, float>) {
        done = dot_rows_real_vec<vec::f32x4, float, 32>(rt, L, x, n, sink, dst);
    } else if constexpr (same && std::is_same_v<Acc, double>) {
        done = dot_rows_real_vec<vec::f64x2, double, 16>(rt, L, x, n, sink, dst);
    } else if constexpr (same && std::is_same_v<Acc, Cx<float>>) {
        done = dot_rows_cx_vec<vec::f32x4, float, 8>(rt, L, x, n, sink, dst);
    } else if constexpr (same && std::is_same_v<Acc, Cx<double>>) {
        done = dot_rows_cx_vec<vec::f64x2, double, 4>(rt, L, x, n, sink, dst);
    }
    auto rest = [&](std::size_t k, const Acc& a) { sink(done + k, a); };
    const char* tail = static_cast<const char*>(x) + done * sizeof(X);
    if constexpr (same && is_cx_v<Acc>) {
        dot_rows_cx_scalar(rt, L, tail, n - done, rest);
        return;
    }
    if (done < n)
        dot_rows_generic<Prod, Acc, Tap, X>(rt, L, tail, n - done, rest);
}

} // namespace veks::fir
