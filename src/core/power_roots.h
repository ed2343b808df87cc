// Exact integer square and cube roots, rounded and scaled by 2^-sf.
// A double-precision estimate is corrected with integer comparisons, so
// the results are exact for every input; ties (which only perfect powers
// reach, at positive scale factors) go to the even integer.
#pragma once

#include <cmath>
#include <cstdint>

namespace veks {
namespace roots {

using u128 = unsigned __int128;

template <int N> constexpr u128 ipow(u128 v) { return N == 2 ? v * v : v * v * v; }

// floor(v^(1/N)); square roots for v < 2^126, cube roots for v < 2^63.
template <int N>
inline std::uint64_t iroot(u128 v) {
    std::uint64_t r;
    if constexpr (N == 2) {
        r = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(v)));
        if (v >> 64) r = static_cast<std::uint64_t>((u128(r) + v / r) / 2); // one Newton step
    } else {
        r = static_cast<std::uint64_t>(std::cbrt(static_cast<double>(v)));
    }
    while (r > 0 && ipow<N>(r) > v) --r;
    while (ipow<N>(u128(r) + 1) <= v) ++r;
    return r;
}

// v^(1/N) / 2^sf rounded to nearest, ties to even; 0 <= sf <= 40. The
// midpoint (k + 1/2) * 2^sf is compared through 2^N * v against (2k+1)^N * 2^(N*sf).
template <int N>
inline std::uint64_t round_root(u128 v, int sf) {
    const std::uint64_t k = iroot<N>(v) >> sf;
    const u128 lhs = v << N, rhs = ipow<N>(u128(2 * k + 1) << sf);
    if (lhs > rhs) return k + 1;
    if (lhs == rhs) return k + (k & 1);
    return k;
}

// m^(1/N) * 2^-sf rounded to nearest (ties to even), then at most cap.
// cap < 2^63 for square roots, cap < 2^20 for cube roots.
template <int N>
inline std::uint64_t scaled_root(std::uint64_t m, int sf, std::uint64_t cap) {
    if (m == 0) return 0;
    std::uint64_t r;
    if (sf >= 0) {
        r = sf > 40 ? 0 : round_root<N>(m, sf); // m < 2^64: the root is below 2^32
    } else {
        // m * 2^(N*k) rounds above cap iff 2^N * m * 2^(N*k) >= (2*cap+1)^N.
        if (sf < -63) return cap; // m * 2^(N*63) is already past every cap
        const int shift = N * -sf;
        if (shift >= 126) return cap;
        const u128 bound = (ipow<N>(2 * u128(cap) + 1) + (u128(1) << N) - 1) >> N; // first value that saturates
        if (m > ((bound - 1) >> shift)) return cap;
        r = round_root<N>(u128(m) << shift, 0);
    }
    return r > cap ? cap : r;
}

} // namespace roots
} // namespace veks
