// The integer scale-factor rule and saturation, used by every Sfs function.
//
// The exact result v is held in a wide integer. A positive scale factor
// divides by 2^sf rounding to nearest, ties to the even integer; a negative
// one multiplies by 2^-sf without overflowing the wide integer; the result
// saturates to the destination range. The three cases are separate policy
// types so that inner loops carry no branch on the scale factor:
//
//     return with_scale<Vek16s>(sf, [&](auto scale) { ...dst[i] = scale(v)... });
#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>

#include "elem.h"

namespace veks {

template <class T, class W>
constexpr T saturate(W v) {
    using L = std::numeric_limits<T>;
    if constexpr (std::is_signed_v<W> && !std::is_signed_v<T>) {
        if (v < 0) return 0;
        if (static_cast<std::make_unsigned_t<W>>(v) > L::max()) return L::max();
        return static_cast<T>(v);
    } else if constexpr (sizeof(W) > sizeof(T) || (std::is_signed_v<W> != std::is_signed_v<T>)) {
        if (v > static_cast<W>(L::max())) return L::max();
        if constexpr (std::is_signed_v<T>)
            if (v < static_cast<W>(L::min())) return L::min();
        return static_cast<T>(v);
    } else {
        return static_cast<T>(v);
    }
}

// v / 2^sf rounded half to even, 0 < sf < width of W. The caller keeps
// |v| + 2^(sf-1) inside W (true for every sum and product the rule allows).
template <class W>
constexpr W round_shift_half_even(W v, int sf) {
    return (v + (W(1) << (sf - 1)) - 1 + ((v >> sf) & 1)) >> sf;
}

// Scale policies: callable on the exact wide result, returning the stored value.
template <class T> struct ScaleNone {
    template <class W> constexpr T operator()(W v) const { return saturate<T>(v); }
};

template <class T> struct ScaleDown {
    int sf; // 1 .. width(W)-2
    template <class W> constexpr T operator()(W v) const {
        return saturate<T>(round_shift_half_even(v, sf));
    }
};

// Left shift by sh (0 < sh < width of T): values beyond T's range shifted
// right by sh saturate, the rest shift without overflowing W.
template <class T> struct ScaleUp {
    int sh;
    template <class W> constexpr T operator()(W v) const {
        using L = std::numeric_limits<T>;
        const std::int64_t x = static_cast<std::int64_t>(v);
        if (x > static_cast<std::int64_t>(L::max() >> sh)) return L::max();
        if (x < static_cast<std::int64_t>(L::min() >> sh)) return L::min();
        return static_cast<T>(v * (W(1) << sh));
    }
};

// Sign saturation for scale factors at or beyond the destination width:
// every non-zero result goes to the type's limit by its sign, zero stays zero.
template <class T> struct ScaleSaturateSign {
    template <class W> constexpr T operator()(W v) const {
        using L = std::numeric_limits<T>;
        return v > 0 ? L::max() : (v < 0 ? L::min() : T(0));
    }
};

// Calls body(policy) with the policy for sf. Scale factors beyond the
// destination width saturate by sign; callers handle their own all-zero
// threshold before calling.
template <class T, class Body>
inline auto with_scale(int sf, Body&& body) {
    if (sf == 0) return body(ScaleNone<T>{});
    if (sf > 0) return body(ScaleDown<T>{sf});
    if (sf <= -bit_width_of<T>) return body(ScaleSaturateSign<T>{}); // also safe for INT_MIN
    return body(ScaleUp<T>{-sf});
}

} // namespace veks
