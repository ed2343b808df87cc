// Element handling shared by the FIR kernels: a plain complex value with
// no special-value fix-ups, unaligned loads and stores, conversions between
// data, delay and compute types, and the rounding of integer outputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "core/elem.h"
#include "veks.h"

namespace veks::fir {

// Complex arithmetic exactly as written (re*re - im*im, ...): the library
// type would add special-value handling to every product.
template <class T>
struct Cx {
    T re, im;
    friend Cx operator+(Cx a, Cx b) { return {a.re + b.re, a.im + b.im}; }
    friend Cx operator-(Cx a, Cx b) { return {a.re - b.re, a.im - b.im}; }
    friend Cx operator*(Cx a, Cx b) { return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }
    Cx& operator+=(Cx b) { re += b.re; im += b.im; return *this; }
};

template <class T> struct is_cx : std::false_type {};
template <class T> struct is_cx<Cx<T>> : std::true_type {};
template <class T> constexpr bool is_cx_v = is_cx<T>::value;

// The real type of a value: T itself, or the part type of Cx<T>.
template <class T> struct part_of { using type = T; };
template <class T> struct part_of<Cx<T>> { using type = T; };
template <class T> using part_t = typename part_of<T>::type;

// The internal value type of an exported element type.
template <class T> struct value_of { using type = T; };
template <> struct value_of<Vek16sc> { using type = Cx<Vek16s>; };
template <> struct value_of<Vek32sc> { using type = Cx<Vek32s>; };
template <> struct value_of<Vek32fc> { using type = Cx<float>; };
template <> struct value_of<Vek64fc> { using type = Cx<double>; };
template <class T> using value_t = typename value_of<T>::type;

// Caller arrays may sit at any byte address.
template <class T>
inline T load(const void* base, std::size_t i) {
    T v;
    std::memcpy(&v, static_cast<const char*>(base) + i * sizeof(T), sizeof(T));
    return v;
}
template <class T>
inline void store(void* base, std::size_t i, const T& v) {
    std::memcpy(static_cast<char*>(base) + i * sizeof(T), &v, sizeof(T));
}

// Value conversion between internal types (real into real, complex into
// complex, component by component).
template <class To, class From>
inline To convert(const From& v) {
    if constexpr (is_cx_v<To>) {
        using C = part_t<To>;
        return To{static_cast<C>(v.re), static_cast<C>(v.im)};
    } else {
        return static_cast<To>(v);
    }
}

// Converts n values starting at element i of an array (any address).
template <class To, class From>
inline void convert_n(const void* src, std::size_t i, To* dst, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) dst[k] = convert<To>(load<From>(src, i + k));
}

// ---- integer outputs of floating-point sums ---------------------------------------

// 2^-scaleFactor built from the exponent field of 1.0; the scale factor
// enters modulo 128 (C remainder), so every factor is a power of two or 0.
template <class F>
inline F scale_pow2(int scaleFactor) {
    const int e = scaleFactor % 128;
    if constexpr (std::is_same_v<F, float>) {
        const std::uint32_t bits = static_cast<std::uint32_t>(127 - e) << 23;
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    } else {
        const std::uint64_t bits = static_cast<std::uint64_t>(1023 - e) << 52;
        double f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
}

// Saturates, then rounds half away from zero by truncating v - 0.5 or
// v + 0.5 (in the sum's own precision). NaN gives 0.
template <class I, class F>
inline I round_away_saturate(F v) {
    constexpr F lo = static_cast<F>(std::numeric_limits<I>::min());
    constexpr F hi = static_cast<F>(std::numeric_limits<I>::max());
    if (v < lo) return std::numeric_limits<I>::min();
    if (v > hi) return std::numeric_limits<I>::max();
    if (v < F(0)) {
        const F t = v - F(0.5);
        return t <= lo ? std::numeric_limits<I>::min() : static_cast<I>(t);
    }
    if (v > F(0)) {
        const F t = v + F(0.5);
        return t >= hi ? std::numeric_limits<I>::max() : static_cast<I>(t);
    }
    return I(0);
}

// ---- integer outputs of integer sums ---------------------------------------------

// The 32-bit wrapped sum scaled by 2^d (d clamped to [-31, 31]): left shift,
// or right shift rounding half to even; saturated to Vek16s.
inline Vek16s shift_round_16s(std::int32_t v, int d) {
    std::int64_t r = v;
    if (d > 0) {
        r = static_cast<std::int64_t>(v) * (std::int64_t(1) << d);
    } else if (d < 0) {
        const int s = -d;
        r = (r + (std::int64_t(1) << (s - 1)) - 1 + ((r >> s) & 1)) >> s;
    }
    return static_cast<Vek16s>(r < -32768 ? -32768 : (r > 32767 ? 32767 : r));
}

inline int clamp_shift(int d) { return d < -31 ? -31 : (d > 31 ? 31 : d); }

// Floating-point sums into floating-point data: a plain rounding.
// Floating-point sums into integer data: times 2^-sf, saturate, round away.
// Integer sums into Vek16s data: shift by d = tapsFactor - sf.
template <class D, class Acc>
struct Output {
    using F = part_t<Acc>;
    F factor = F(1); // floating sums into integers
    int shift = 0;   // integer sums

    static Output for_float_data() { return {}; }
    static Output for_scale(int scaleFactor) { Output o; o.factor = scale_pow2<F>(scaleFactor); return o; }
    static Output for_shift(int d) { Output o; o.shift = clamp_shift(d); return o; }

    value_t<D> operator()(const Acc& a) const {
        using V = value_t<D>;
        if constexpr (std::is_floating_point_v<F>) {
            if constexpr (is_cx_v<V>) {
                using C = part_t<V>;
                if constexpr (std::is_floating_point_v<C>) return V{static_cast<C>(a.re), static_cast<C>(a.im)};
                else return V{round_away_saturate<C>(a.re * factor), round_away_saturate<C>(a.im * factor)};
            } else if constexpr (std::is_floating_point_v<V>) {
                return static_cast<V>(a);
            } else {
                return round_away_saturate<V>(a * factor);
            }
        } else {
            if constexpr (is_cx_v<V>) return V{shift_round_16s(a.re, shift), shift_round_16s(a.im, shift)};
            else return shift_round_16s(a, shift);
        }
    }
};

} // namespace veks::fir
