// Exact integer references shared by the tests: 128-bit results, the
// scale-factor rule (v * 2^-sf rounded half to even) and saturation.
#pragma once

#include <limits>

namespace vt {

__extension__ typedef __int128 i128;

inline i128 pow2(int e) { return i128(1) << e; }

// num / den (den > 0) rounded to nearest, ties to even, by exact division.
inline i128 div_half_even(i128 num, i128 den) {
    i128 q = num / den, r = num % den;
    if (r < 0) r += den, --q; // floor division
    if (2 * r > den || (2 * r == den && (q & 1))) ++q;
    return q;
}

// v * 2^-sf rounded half to even, for any scale factor. Results of 2^100
// and beyond (in magnitude) come back as +-2^100: every destination type
// saturates them alike.
inline i128 scale_half_even(i128 v, long long sf) {
    if (sf > 0) return sf >= 120 ? 0 : div_half_even(v, pow2(int(sf)));
    if (v == 0 || sf == 0) return v;
    const i128 limit = pow2(100), mag = v < 0 ? -v : v;
    if (-sf >= 100 || mag >= (limit >> -sf)) return v > 0 ? limit : -limit;
    return v * pow2(int(-sf));
}

template <class T>
T sat(i128 v) {
    using L = std::numeric_limits<T>;
    return v > i128(L::max()) ? L::max() : (v < i128(L::min()) ? L::min() : T(v));
}

} // namespace vt
