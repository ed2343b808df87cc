// Per-element rules of the Threshold family. Each rule maps one element to
// its result; the comparisons are written so that a NaN falls to the side
// the family fixes (the level for LT/GT, the replacement value for the Val
// forms, the negative level for the Abs forms).
//
// Complex elements are compared by squared magnitude, m = re^2 + im^2 in
// double (in unsigned 32-bit integers for 16-bit components, where
// 2 * 32768^2 just fits), against level^2 computed the same way.
#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

#include "core/elem.h"
#include "core/rounding.h"

namespace veks::threshold {

template <class T> using level_t = component_t<T>;

// ---- real elements -----------------------------------------------------------

// LT: x > L ? x : L. GT: x < L ? x : L. A NaN gives L.
template <class T> struct ClampBelow {
    T level;
    T operator()(T x) const { return x > level ? x : level; }
};
template <class T> struct ClampAbove {
    T level;
    T operator()(T x) const { return x < level ? x : level; }
};

// LTVal keeps x >= L, GTVal keeps x <= L; anything else (NaN too) becomes value.
template <class T> struct ReplaceBelow {
    T level, value;
    T operator()(T x) const { return x >= level ? x : value; }
};
template <class T> struct ReplaceAbove {
    T level, value;
    T operator()(T x) const { return level >= x ? x : value; }
};

// LTValGTVal: inside [lo, hi] kept, at or below hi replaced by valueLT,
// anything else (above hi, NaN) by valueGT.
template <class T> struct ReplaceOutside {
    T lo, value_lo, hi, value_hi;
    T operator()(T x) const {
        const T outside = x <= hi ? value_lo : value_hi;
        return ((lo <= x) & (x <= hi)) ? x : outside;
    }
};

// The Abs forms replace an element by +L or -L by its sign. For floating
// point the negative level is 0 - L (so level 0 gives +0.0), and a NaN,
// neither kept nor >= 0, becomes it.
template <class T> struct MagnitudeBelow { // LTAbs: keep |x| >= L
    T level, neg_level;
    T operator()(T x) const {
        const bool keep = (x <= neg_level) | (x >= level);
        return keep ? x : (x >= T(0) ? level : neg_level);
    }
};
template <class T> struct MagnitudeAbove { // GTAbs: keep |x| <= L
    T level, neg_level;
    T operator()(T x) const {
        const bool keep = (x >= neg_level) & (x <= level);
        return keep ? x : (x >= T(0) ? level : neg_level);
    }
};

template <class T> T negated_level(T level) { return T(T(0) - level); }

// ---- complex elements ----------------------------------------------------------

template <class C> struct Magnitude {
    using R = component_t<C>;
    using M = std::conditional_t<std::is_integral_v<R>, std::uint32_t, double>;
    static M squared(R re, R im) {
        if constexpr (std::is_integral_v<R>)
            return std::uint32_t(std::int32_t(re) * re) + std::uint32_t(std::int32_t(im) * im);
        else
            return double(re) * double(re) + double(im) * double(im);
    }
    static M squared(C z) { return squared(z.re, z.im); }
    // z times f: integer components round half to even and saturate.
    static C scaled(C z, double f) {
        if constexpr (std::is_integral_v<R>)
            return C{round_saturate<R, vekRoundHalfEven>(z.re * f), round_saturate<R, vekRoundHalfEven>(z.im * f)};
        else
            return C{R(double(z.re) * f), R(double(z.im) * f)};
    }
};

// GT: m <= L^2 kept, else scaled to magnitude L along its own direction.
template <class C> struct ComplexClampAbove {
    using Mag = Magnitude<C>;
    typename Mag::M level_sq;
    C operator()(C z) const {
        const auto m = Mag::squared(z);
        if (m <= level_sq) return z;
        return Mag::scaled(z, std::sqrt(double(level_sq) / double(m)));
    }
};

// LT: m >= L^2 kept; zero has no direction and becomes (L, 0).
template <class C> struct ComplexClampBelow {
    using Mag = Magnitude<C>;
    typename Mag::M level_sq;
    level_t<C> level;
    C operator()(C z) const {
        const auto m = Mag::squared(z);
        if (m >= level_sq) return z;
        if (z.re == 0 && z.im == 0) return C{level, 0};
        return Mag::scaled(z, std::sqrt(double(level_sq) / double(m)));
    }
};

template <class C> struct ComplexReplaceBelow {
    typename Magnitude<C>::M level_sq;
    C value;
    C operator()(C z) const { return Magnitude<C>::squared(z) >= level_sq ? z : value; }
};
template <class C> struct ComplexReplaceAbove {
    typename Magnitude<C>::M level_sq;
    C value;
    C operator()(C z) const { return Magnitude<C>::squared(z) <= level_sq ? z : value; }
};

// ---- threshold and invert ----------------------------------------------------------

// Level 0: 1/x everywhere; a zero of either sign gives +infinity and is
// reported through `met_zero`.
template <class F> struct InvertAll {
    F inf;
    F operator()(F x, bool& met_zero) const {
        const bool zero = x == F(0);
        met_zero |= zero;
        const F inverse = F(1) / x; // divides every lane; zeros are replaced
        return zero ? inf : inverse;
    }
};

// Level L > 0: |x| > L gives 1/x, anything else 1/L signed by x >= 0
// (-0.0 gives +1/L; NaN, not >= 0, gives -1/L).
template <class F> struct InvertClamped {
    F level, inv_level;
    F operator()(F x) const {
        const F clamped = x >= F(0) ? inv_level : -inv_level;
        const F inverse = F(1) / x; // divides every lane; the unused ones are dropped
        return std::fabs(x) > level ? inverse : clamped;
    }
};

// Complex, in double: 1/z = (re, -im) / m.
template <class C> struct ComplexInvertAll {
    using R = component_t<C>;
    R inf;
    C operator()(C z, bool& met_zero) const {
        if (z.re == 0 && z.im == 0) {
            met_zero = true;
            return C{inf, 0};
        }
        const double m = Magnitude<C>::squared(z);
        return C{R(double(z.re) / m), R(-double(z.im) / m)};
    }
};

// Complex, level L > 0: m < L^2 gives magnitude 1/L along the conjugate's
// direction ((1/L, 0) for zero); otherwise 1/z.
template <class C> struct ComplexInvertClamped {
    using R = component_t<C>;
    double level, level_sq;
    C operator()(C z) const {
        const double m = Magnitude<C>::squared(z);
        if (m < level_sq) {
            if (z.re == 0 && z.im == 0) return C{R(1.0 / level), 0};
            const double d = std::sqrt(m) * level;
            return C{R(double(z.re) / d), R(-double(z.im) / d)};
        }
        return C{R(double(z.re) / m), R(-double(z.im) / m)};
    }
};

} // namespace veks::threshold
