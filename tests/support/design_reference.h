// Design references in long double: windowed ideal FIR taps, IIR responses, bilinear-transformed prototypes.
#pragma once

#include <cmath>
#include <complex>
#include <vector>

namespace designref {

using LD = long double;
using Cx = std::complex<LD>;
constexpr LD kPi = 3.141592653589793238462643383279502884L;

enum Band { kLow, kHigh, kPass, kStop };

// Window weight at i of n: 0 Bartlett, 1 optimal Blackman, 2 Hamming, 3 Hann, anything else 1.
inline LD window(int type, int i, int n) {
    const int k = i <= (n - 1) / 2 ? i : n - 1 - i;
    if (n % 2 && k == (n - 1) / 2) return 1;
    const LD x = 2 * kPi * k / (n - 1);
    switch (type) {
    case 0: return LD(2) * k / (n - 1);
    case 1: {
        const double h = 0.5 / std::cos(3.141592653589793 / (n - 1));
        const LD alpha = static_cast<float>(-(h * h)); // the parameter is single precision
        return (alpha + 1) / 2 - 0.5L * std::cos(x) - alpha / 2 * std::cos(2 * x);
    }
    case 2: return 0.54L - 0.46L * std::cos(x);
    case 3: return 0.5L * (1 - std::cos(x));
    default: return 1;
    }
}

// The designed taps: ideal response, window, normalisation, symmetry.
inline std::vector<LD> fir(Band band, LD f1, LD f2, int n, int win, bool normal) {
    std::vector<LD> t(n);
    const LD c = (n - 1) / LD(2);
    for (int i = 0; i < n; ++i) {
        const LD d = c - i, ad = std::fabs(d); // distance from the centre, positive in the first half
        // Ideal lowpass; at 0.5 the all-pass (a unit impulse for odd n).
        const auto lp = [&](LD f) { return ad == 0 ? 2 * f : std::sin(2 * kPi * f * ad) / (kPi * ad); };
        const LD high = n % 2 ? lp(0.5L) - lp(f1) : std::cos(2 * kPi * f1 * ad) / (kPi * ad) * (d > 0 ? 1 : -1);
        const LD v = band == kLow    ? lp(f1)
                     : band == kPass ? lp(f2) - lp(f1)
                     : band == kStop ? lp(0.5L) - lp(f2) + lp(f1)
                                     : high;
        t[i] = v * window(win, i, n);
    }
    if (normal) {
        LD g = 0; // gain at DC, Nyquist or the band centre
        for (int i = 0; i < n; ++i) {
            const LD weight = band == kHigh ? (i % 2 ? -1 : 1) : band == kPass ? std::cos(kPi * (f1 + f2) * (i - c)) : 1;
            g += weight * t[i];
        }
        for (auto& v : t) v /= std::fabs(g);
    }
    return t;
}

inline Cx poly_at(const LD* p, int n, LD f) {
    const Cx zinv = std::polar(LD(1), -2 * kPi * f); // Horner in z^-1
    Cx s = 0;
    for (int k = n - 1; k >= 0; --k) s = s * zinv + p[k];
    return s;
}

// |B/A| at f for 2 (order + 1) taps b0..bN, a0..aN.
inline LD iir_gain(const std::vector<double>& taps, int order, LD f) {
    std::vector<LD> t(taps.begin(), taps.end());
    return std::abs(poly_at(t.data(), order + 1, f) / poly_at(t.data() + order + 1, order + 1, f));
}

inline LD chebyshev_poly(int n, LD x) {
    return std::fabs(x) <= 1 ? std::cos(n * std::acos(x)) : std::cosh(n * std::acosh(std::fabs(x))) * (x < 0 && n % 2 ? -1 : 1);
}

// Prototype magnitude at relative frequency f for a design with cut-off fc.
inline LD prototype_gain(bool high, int type, LD tol_db, int order, LD fc, LD f) {
    const LD w = high ? std::tan(kPi * fc) / std::tan(kPi * f) : std::tan(kPi * f) / std::tan(kPi * fc);
    if (type == 0) return 1 / std::sqrt(1 + std::pow(w, 2 * order));
    const LD eps2 = std::pow(LD(10), tol_db / 10) - 1;
    const LD tn = chebyshev_poly(order, w);
    return 1 / std::sqrt(1 + eps2 * tn * tn);
}

} // namespace designref
