// Long double references for the FFT tests: a naive DFT and a recursive
// radix-2 FFT (checked against the naive one), plus error measures.
#pragma once

#include <cmath>
#include <complex>
#include <vector>

namespace fftref {

using cld = std::complex<long double>;
constexpr long double kTwoPi = 6.283185307179586476925286766559005768L;

// X[k] = sum x[n] e^(-+2 pi i nk/N): sign -1 forward, +1 inverse.
inline std::vector<cld> naive_dft(const std::vector<cld>& x, int sign) {
    const std::size_t n = x.size();
    std::vector<cld> w(n), y(n);
    for (std::size_t t = 0; t < n; ++t) {
        const long double a = sign * kTwoPi * static_cast<long double>(t) / static_cast<long double>(n);
        w[t] = cld(std::cos(a), std::sin(a));
    }
    for (std::size_t k = 0; k < n; ++k) {
        cld acc = 0;
        for (std::size_t j = 0; j < n; ++j) acc += x[j] * w[(j * k) % n];
        y[k] = acc;
    }
    return y;
}

inline void radix2(cld* x, std::size_t n, std::size_t stride, cld* out, const std::vector<cld>& w, std::size_t wstep) {
    if (n == 1) {
        out[0] = x[0];
        return;
    }
    radix2(x, n / 2, 2 * stride, out, w, 2 * wstep);
    radix2(x + stride, n / 2, 2 * stride, out + n / 2, w, 2 * wstep);
    for (std::size_t k = 0; k < n / 2; ++k) {
        const cld a = out[k], b = out[k + n / 2] * w[k * wstep];
        out[k] = a + b;
        out[k + n / 2] = a - b;
    }
}

// Plain recursive radix-2 FFT of a power-of-two length.
inline std::vector<cld> fft(std::vector<cld> x, int sign) {
    const std::size_t n = x.size();
    std::vector<cld> w(n / 2 + 1), y(n);
    for (std::size_t k = 0; k <= n / 2; ++k) {
        const long double a = sign * kTwoPi * static_cast<long double>(k) / static_cast<long double>(n);
        w[k] = cld(std::cos(a), std::sin(a));
    }
    radix2(x.data(), n, 1, y.data(), w, 1);
    return y;
}

// The reference transform: naive up to 4096 points, recursive above.
inline std::vector<cld> transform(const std::vector<cld>& x, int sign) {
    return x.size() <= 4096 ? naive_dft(x, sign) : fft(x, sign);
}

// sqrt(sum |got - want|^2 / sum |want|^2); got as (re, im) accessors.
template <class Get>
long double rel_rms(const std::vector<cld>& want, long double scale, Get got) {
    long double num = 0, den = 0;
    for (std::size_t k = 0; k < want.size(); ++k) {
        const cld w = want[k] * scale, g = got(k);
        num += std::norm(g - w);
        den += std::norm(w);
    }
    return den > 0 ? std::sqrt(num / den) : std::sqrt(num);
}

} // namespace fftref
