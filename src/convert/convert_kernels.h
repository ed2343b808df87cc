// Unchecked conversion kernels, shared by the exported Convert family and by
// families that convert internally (the integer transforms convert through
// float with rounding mode 1). Callers have checked their arguments.
//
// Float to integer, for every destination and rounding mode:
//   v = x * factor (in double; factor is an exact power of two, or 0 / inf
//   at the ends of the scale range), then
//   NaN        -> 0, except mode 2 into 32 bits: -2147483648 (the integer
//                 indefinite, whose low bits are 0 for narrower destinations)
//   v < lo     -> lo,  v > hi -> hi
//   otherwise  -> rounded by mode: 0 toward zero, 1 nearest with ties to
//                 even, 2 (and any other value) nearest with ties away.
// Rounding is exact for every double (no reliance on v + 0.5 being exact)
// and independent of the caller's rounding mode.
//
// Integer to float (optionally times a power of two) and integer narrowing
// with a scale factor (int_narrow_sfs) live here too.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "core/rounding.h"
#include "core/unaligned.h"
#include "veks.h"

namespace veks::conv {

// ---- destinations -------------------------------------------------------------

// Packed 3-byte little-endian integers in a Vek8u array.
struct Packed24s {};
struct Packed24u {};

// Range of a destination, the integer a value is computed in, and the
// element type of the destination array.
template <class D> struct dest {
    using value_t = D;
    using store_t = D;
    static constexpr std::int64_t ilo = static_cast<std::int64_t>(std::numeric_limits<D>::min());
    static constexpr std::int64_t ihi = static_cast<std::int64_t>(std::numeric_limits<D>::max());
    static constexpr double lo = static_cast<double>(ilo), hi = static_cast<double>(ihi);
};
template <> struct dest<Packed24s> {
    using value_t = std::int32_t;
    using store_t = Vek8u;
    static constexpr std::int64_t ilo = -8388608, ihi = 8388607;
    static constexpr double lo = static_cast<double>(ilo), hi = static_cast<double>(ihi);
};
template <> struct dest<Packed24u> {
    using value_t = std::int32_t;
    using store_t = Vek8u;
    static constexpr std::int64_t ilo = 0, ihi = 16777215;
    static constexpr double lo = static_cast<double>(ilo), hi = static_cast<double>(ihi);
};

template <class D> using store_t = typename dest<D>::store_t;

inline std::int32_t load_24s(const Vek8u* p) {
    const std::uint32_t u = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
    return static_cast<std::int32_t>(u << 8) >> 8; // sign-extend bit 23
}
inline std::uint32_t load_24u(const Vek8u* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
}
inline void store_24(Vek8u* p, std::uint32_t v) {
    p[0] = static_cast<Vek8u>(v);
    p[1] = static_cast<Vek8u>(v >> 8);
    p[2] = static_cast<Vek8u>(v >> 16);
}

// Stores element i of a destination array.
template <class D>
inline void store_at(store_t<D>* dst, std::size_t i, typename dest<D>::value_t v) {
    if constexpr (std::is_same_v<store_t<D>, Vek8u> && !std::is_same_v<D, Vek8u>)
        store_24(dst + 3 * i, static_cast<std::uint32_t>(v));
    else
        store_elem(dst, i, static_cast<store_t<D>>(v));
}

// ---- scale factors -------------------------------------------------------------

// 2^-sf exactly as repeated halving or doubling of 1.0 reaches it: 0 past the
// smallest subnormal, infinity past the largest double.
inline double pow2_neg(int sf) {
    if (sf > 1074) return 0.0;
    if (sf < -1023) return std::numeric_limits<double>::infinity();
    return std::ldexp(1.0, -sf);
}

// A power of two built from its exponent field (0 gives 0).
inline float single_from_field(int field) {
    const std::uint32_t bits = static_cast<std::uint32_t>(field) << 23;
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}
inline double double_from_field(int field) {
    const std::uint64_t bits = static_cast<std::uint64_t>(field) << 52;
    double f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

constexpr int clamp_int(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// ---- rounding ------------------------------------------------------------------

// Modes other than 0 and 1 round as mode 2.
constexpr int rounding_of(int mode) { return mode == 0 || mode == 1 ? mode : 2; }

// Calls body(std::integral_constant<int, m>) for the rounding of mode.
template <class Body>
inline decltype(auto) with_rounding(int mode, Body&& body) {
    switch (rounding_of(mode)) {
    case 0: return body(std::integral_constant<int, 0>{});
    case 1: return body(std::integral_constant<int, 1>{});
    default: return body(std::integral_constant<int, 2>{});
    }
}

// Rounds v (not NaN, within the 32-bit range) to an integer.
template <int Mode>
inline std::int32_t round_to_int(double v) {
    return static_cast<std::int32_t>(round_integral<rounding_of(Mode)>(v));
}

// What a NaN becomes: the integer indefinite -2147483648 reaches the
// destination (keeping its low bits) only in mode 2; modes 0 and 1 give 0.
template <class D, int Mode>
constexpr typename dest<D>::value_t nan_result() {
    using V = typename dest<D>::value_t;
    if constexpr (rounding_of(Mode) == 2 && sizeof(V) == 4 && !std::is_same_v<store_t<D>, Vek8u>)
        return std::numeric_limits<V>::min();
    else
        return V(0);
}

// One value, float to integer (see the top of this file).
template <class D, int Mode>
inline typename dest<D>::value_t float_to_int(double v) {
    using V = typename dest<D>::value_t;
    if (std::isnan(v)) return nan_result<D, Mode>();
    const double c = v < dest<D>::lo ? dest<D>::lo : (v > dest<D>::hi ? dest<D>::hi : v);
    return static_cast<V>(round_to_int<Mode>(c));
}

} // namespace veks::conv

#include "convert/convert_simd.h"

namespace veks::conv {

// Float vector to integers, each value multiplied by factor first (in double).
template <class D, int Mode, class F>
inline void float_to_int_scaled(const F* src, store_t<D>* dst, std::size_t n, double factor) {
    std::size_t i = 0;
#if defined(__SSE2__)
    i = simd::float_to_int_scaled<D, rounding_of(Mode)>(src, dst, n, factor);
#endif
    for (; i < n; ++i) store_at<D>(dst, i, float_to_int<D, Mode>(static_cast<double>(load_elem(src, i)) * factor));
}

// Float vector to integer vector scaled by 2^-sf (computed in double).
template <class I, int Mode, class F>
inline void float_to_int_sfs(const F* src, I* dst, std::size_t n, int sf) {
    float_to_int_scaled<I, Mode>(src, dst, n, pow2_neg(sf));
}

// Integer vector to float, exact or nearest (ties to even).
template <class F, class I>
inline void int_to_float(const I* src, F* dst, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    if constexpr (std::is_same_v<I, Vek16s> && std::is_same_v<F, Vek32f>) i = simd::int16_to_float(src, dst, n);
#endif
    for (; i < n; ++i) store_elem(dst, i, static_cast<F>(load_elem(src, i)));
}

// The same, each value then multiplied by factor in the destination precision.
template <class F, class I>
inline void int_to_float_scaled(const I* src, F* dst, std::size_t n, F factor) {
    for (std::size_t i = 0; i < n; ++i) store_elem(dst, i, static_cast<F>(load_elem(src, i)) * factor);
}

// ---- integer narrowing ---------------------------------------------------------

template <class D>
inline typename dest<D>::value_t saturate_to(std::int64_t v) {
    using V = typename dest<D>::value_t;
    return static_cast<V>(v < dest<D>::ilo ? dest<D>::ilo : (v > dest<D>::ihi ? dest<D>::ihi : v));
}

// x / 2^n rounded by mode (0 < n < 64), without overflow for any 64-bit x:
// q = floor(x / 2^n) and the remainder 0 <= rem < 2^n decide the step.
template <int Mode>
inline std::int64_t shift_right_rounded(std::int64_t x, int n) {
    const std::int64_t q = x >> n;
    const std::uint64_t rem = static_cast<std::uint64_t>(x) & ((std::uint64_t(1) << n) - 1);
    const std::uint64_t half = std::uint64_t(1) << (n - 1);
    if constexpr (rounding_of(Mode) == 0) return q + (x < 0 && rem != 0);   // toward zero
    else if constexpr (rounding_of(Mode) == 1) return q + (rem > half || (rem == half && (q & 1)));
    else return q + (x >= 0 ? rem >= half : rem > half);                   // ties away from zero
}

// Integers times 2^-sf into a narrower destination, saturated. Left shifts
// are limited to max_left places, right shifts to max_right; values that
// would leave the range saturate before they are shifted, so nothing overflows.
template <class D, int Mode, class S>
inline void int_narrow_sfs(const S* src, store_t<D>* dst, std::size_t n, int sf, int max_left, int max_right) {
    if (sf == 0) {
        for (std::size_t i = 0; i < n; ++i) store_at<D>(dst, i, saturate_to<D>(static_cast<std::int64_t>(load_elem(src, i))));
    } else if (sf < 0) {
        const int k = sf < -max_left ? max_left : -sf;
        const std::int64_t top = dest<D>::ihi >> k, bottom = dest<D>::ilo >> k;
        for (std::size_t i = 0; i < n; ++i) {
            const std::int64_t x = static_cast<std::int64_t>(load_elem(src, i));
            const std::int64_t v = x > top ? dest<D>::ihi : (x < bottom ? dest<D>::ilo : x * (std::int64_t(1) << k));
            store_at<D>(dst, i, saturate_to<D>(v));
        }
    } else {
        const int k = sf < max_right ? sf : max_right;
        for (std::size_t i = 0; i < n; ++i)
            store_at<D>(dst, i, saturate_to<D>(shift_right_rounded<Mode>(static_cast<std::int64_t>(load_elem(src, i)), k)));
    }
}

} // namespace veks::conv
