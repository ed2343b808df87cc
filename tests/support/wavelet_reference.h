// Wavelet test references: exact integer scaling, and the two-filter
// transform straight from its definition in long double.
#pragma once

#include <vector>

#include "exact_ref.h"

namespace wtref {

using Int128 = vt::i128;

// v * 2^-shift rounded to nearest, ties to even, saturated to T.
template <class T> T scaled(Int128 v, long long shift) { return vt::sat<T>(vt::scale_half_even(v, shift)); }

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
