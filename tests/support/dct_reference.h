// Long double references for the DCT and Goertzel tests: the orthonormal
// type II / type III sums evaluated directly, and the single DFT bin.
#pragma once

#include <cmath>
#include <complex>
#include <vector>

namespace dctref {

using ld = long double;
constexpr ld kPi = 3.141592653589793238462643383279502884L;

// X[k] = c_k sum x[n] cos(pi (2n+1) k / 2N) (forward), or its transpose
// x[n] = sum c_k X[k] cos(...) (inverse).
inline std::vector<ld> dct(const std::vector<ld>& in, bool inverse) {
    const std::size_t n = in.size(), q = 4 * n;
    std::vector<ld> cosine(q), out(n, 0);
    for (std::size_t m = 0; m < q; ++m) cosine[m] = std::cos(kPi * static_cast<ld>(m) / (2 * static_cast<ld>(n)));
    const ld c0 = 1 / std::sqrt(static_cast<ld>(n)), ck = std::sqrt(2.0L / static_cast<ld>(n));
    for (std::size_t k = 0; k < n; ++k) {
        const ld c = k == 0 ? c0 : ck;
        for (std::size_t i = 0; i < n; ++i) {
            const ld w = c * cosine[((2 * i + 1) * k) % q];
            if (inverse) out[i] += in[k] * w;
            else out[k] += in[i] * w;
        }
    }
    return out;
}

// sum x[n] e^(-2 pi i f n)
inline std::complex<ld> bin(const std::vector<std::complex<ld>>& x, ld f) {
    std::complex<ld> acc = 0;
    for (std::size_t n = 0; n < x.size(); ++n) {
        const ld a = -2 * kPi * f * static_cast<ld>(n);
        acc += x[n] * std::complex<ld>(std::cos(a), std::sin(a));
    }
    return acc;
}

} // namespace dctref
