// Integer taps of the integer-tap forms: the caller's Vek32s taps halved
// until no magnitude exceeds 32766 (the halvings join the taps factor), or
// floating taps quantised with the factor that puts the largest magnitude
// just below 32767 (nearest, ties to even; non-finite taps clamp).
#pragma once

#include <cmath>
#include <cstdint>

#include "core/rounding.h"
#include "filters/fir_elem.h"

namespace veks::fir {

template <class T> inline std::int64_t tap_magnitude(const T& t) {
    if constexpr (is_cx_v<T>) return std::max(tap_magnitude(t.re), tap_magnitude(t.im));
    else return t < 0 ? -std::int64_t(t) : std::int64_t(t);
}
template <class T> inline T halve_tap(const T& t, int s) {
    if constexpr (is_cx_v<T>) return T{t.re >> s, t.im >> s};
    else return t >> s;
}

// Stores taps k = 0 .. L-1 at out[reversed ? L-1-k : k]; returns the factor.
template <class T>
inline int normalise_int_taps(const void* pTaps, int L, int tapsFactor, T* out, bool reversed) {
    int s = 0;
    for (;; ++s) {
        std::int64_t m = 0;
        for (int k = 0; k < L; ++k) m = std::max(m, tap_magnitude(halve_tap(load<T>(pTaps, std::size_t(k)), s)));
        if (m <= 32766) break;
    }
    for (int k = 0; k < L; ++k) out[reversed ? L - 1 - k : k] = halve_tap(load<T>(pTaps, std::size_t(k)), s);
    return static_cast<int>(std::int64_t(tapsFactor) + s);
}

template <class T, class FT>
inline int quantise_float_taps(const void* pTaps, int L, T* out, bool reversed) {
    auto parts = [](const FT& t, double* p) {
        if constexpr (is_cx_v<FT>) { p[0] = t.re; p[1] = t.im; return 2; }
        else { p[0] = t; return 1; }
    };
    double m = 0;
    for (int k = 0; k < L; ++k) {
        double p[2];
        const int c = parts(load<FT>(pTaps, std::size_t(k)), p);
        for (int i = 0; i < c; ++i)
            if (std::isfinite(p[i])) m = std::max(m, std::fabs(p[i]));
    }
    int factor = 0;
    if (m > 0) {
        int e;
        std::frexp(m, &e);
        factor = e - 15;
        if (std::fabs(round_half_even(std::ldexp(m, -factor))) > 32766) ++factor;
    }
    auto to_int = [&](double x) {
        if (std::isnan(x)) return 0;
        const double y = round_half_even(std::ldexp(x, -factor));
        return static_cast<int>(y > 32766 ? 32766 : (y < -32766 ? -32766 : y));
    };
    for (int k = 0; k < L; ++k) {
        double p[2] = {0, 0};
        parts(load<FT>(pTaps, std::size_t(k)), p);
        T v;
        if constexpr (is_cx_v<T>) v = T{to_int(p[0]), to_int(p[1])};
        else v = to_int(p[0]);
        out[reversed ? L - 1 - k : k] = v;
    }
    return factor;
}

// A stored tap times 2^factor as the floating view's tap.
template <class FT, class T> inline FT tap_as_float(const T& t, int factor) {
    if constexpr (is_cx_v<T>) return FT{float(std::ldexp(double(t.re), factor)), float(std::ldexp(double(t.im), factor))};
    else return float(std::ldexp(double(t), factor));
}

} // namespace veks::fir
