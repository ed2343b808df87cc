// Independent references for the wavelet tests: exact integer scaling by
// floor division, and the two-filter transform computed straight from its
// definition over the whole signal in long double.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

namespace wtref {

__extension__ typedef __int128 Int128;

// v * 2^-shift rounded to nearest, ties to even, saturated to T.
template <class T>
T scaled(Int128 v, long long shift) {
    using L = std::numeric_limits<T>;
    Int128 r;
    if (shift > 100) {
        r = 0;
    } else if (shift > 0) {
        const Int128 d = Int128(1) << shift;
        Int128 q = v / d, rem = v % d;
        if (rem < 0) { q -= 1; rem += d; } // floor
        if (2 * rem > d || (2 * rem == d && (q & 1))) q += 1;
        r = q;
    } else if (shift < -70) {
        r = v > 0 ? Int128(L::max()) : (v < 0 ? Int128(L::min()) : 0);
    } else {
        r = v;
        for (long long i = 0; i < -shift && r != 0 && r < (Int128(1) << 100) && r > -(Int128(1) << 100); ++i) r *= 2;
    }
    return r > Int128(L::max()) ? L::max() : (r < Int128(L::min()) ? L::min() : static_cast<T>(r));
}

// band[k] = sum_j h[j] x[2k - o - j], x before 0 from `before` (newest last) or 0.
inline std::vector<long double> forward(const std::vector<long double>& x, const std::vector<float>& h, int o,
                                        const std::vector<long double>& before = {}) {
    std::vector<long double> out(x.size() / 2);
    for (long k = 0; k < long(out.size()); ++k) {
        long double acc = 0;
        for (long j = 0; j < long(h.size()); ++j) {
            const long n = 2 * k - o - j;
            const long double v = n >= 0 ? x[n] : (-n <= long(before.size()) ? before[before.size() + n] : 0.0L);
            acc += h[j] * v;
        }
        out[k] = acc;
    }
    return out;
}

// dst[n] = sum_j g[j] v[n - 1 - o - j], v the band upsampled (v[2k] = u[k]).
inline std::vector<long double> inverse(const std::vector<long double>& u, const std::vector<float>& g, int o) {
    std::vector<long double> out(2 * u.size());
    for (long n = 0; n < long(out.size()); ++n) {
        long double acc = 0;
        for (long j = 0; j < long(g.size()); ++j) {
            const long m = n - 1 - o - j;
            if (m >= 0 && m % 2 == 0) acc += g[j] * u[m / 2];
        }
        out[n] = acc;
    }
    return out;
}

} // namespace wtref
