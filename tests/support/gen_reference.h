// Literal transcriptions of the window and generator rules, written
// independently of the library's kernels.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace gref {

constexpr double kTwoPi = 6.283185307179586;

enum class Win { Bartlett, Hann, Hamming, Blackman };

// cos x_k of the rotation by 2 pi / (N-1), k = 0 .. M (M = (N-1)/2).
inline std::vector<double> rotation_cosines(int n) {
    std::vector<double> out;
    const double c = std::cos(kTwoPi / (n - 1)), s = std::sqrt(1.0 - c * c);
    double cs = 1.0, sn = 0.0;
    for (int k = 0; k <= (n - 1) / 2; ++k) {
        out.push_back(cs);
        const double nc = cs * c - sn * s;
        sn = sn * c + cs * s;
        cs = nc;
    }
    return out;
}

// Weights w_0 .. w_M by the recurrences, in double.
inline std::vector<double> cosine_weights(Win kind, int n, float alpha = 0.0f) {
    std::vector<double> w;
    if (kind == Win::Bartlett) {
        double acc = 0.0;
        const double step = 2.0 / (n - 1);
        for (int k = 0; k <= (n - 1) / 2; ++k, acc += step) w.push_back(acc);
        return w;
    }
    const double a = alpha;
    for (double cs : rotation_cosines(n)) {
        switch (kind) {
        case Win::Hann: w.push_back(0.5 * (1.0 - cs)); break;
        case Win::Hamming: w.push_back(0.54 - 0.46 * cs); break;
        default: w.push_back((a + 1.0) / 2.0 - 0.5 * cs - (a / 2.0) * (2.0 * cs * cs - 1.0)); break;
        }
    }
    return w;
}

inline double i0_poly(double x) {
    x = std::fabs(x);
    if (x < 3.75) {
        const double t = x * 0.26666666666666666, t2 = t * t;
        return 1.0 + t2 * (3.5156229 + t2 * (3.0899424 + t2 * (1.2067492 + t2 * (0.2659732 + t2 * (0.0360768 + t2 * 0.0045813)))));
    }
    const double u = 3.75 / x;
    return std::exp(x) / std::sqrt(x) *
           (0.39894228 + u * (0.01328592 + u * (0.00225319 + u * (-0.00157565 + u * (0.00916281 + u * (-0.02057706 + u * (0.02635537 + u * (-0.01647633 + u * 0.00392377))))))));
}

inline std::vector<double> kaiser_weights(int n, float alpha) {
    std::vector<double> w;
    const float x0 = std::fabs(float(n - 1) * alpha * 0.5f);
    const double den = i0_poly(x0);
    for (int k = 0; k <= (n - 1) / 2; ++k) w.push_back(i0_poly(double(alpha) * std::sqrt(double(k) * double(n - 1 - k))) / den);
    return w;
}

struct Rng {
    std::uint32_t lcg = 1131199209u, x1, x2, x3, carry = 0xFFFFFFFFu;
    explicit Rng(std::uint32_t seed) : x1(seed) {
        x2 = seed * 69069u + 1013904243u;
        x3 = x2 * 69069u + 1013904243u;
    }
    std::int32_t next() {
        lcg = lcg * 69069u + 1013904243u;
        std::uint32_t t = x2 - x3 + carry;
        carry = (std::int32_t)t < 0 ? 0xFFFFFFFFu : 0u;
        std::uint32_t x = carry ? t - 18u : t;
        x3 = x2;
        x2 = x1;
        x1 = x;
        return (std::int32_t)(x + lcg);
    }
};

// Uniform values in double before the store.
inline std::vector<double> uniform(std::uint32_t seed, int len, double low, double high) {
    const double q = 0x1.0000000000007p-32;
    Rng g(seed);
    std::vector<double> v;
    for (int i = 0; i < len; ++i) v.push_back(double(g.next()) * ((high - low) * q) + (low + high) / 2);
    return v;
}

// Gaussian values in double before the store (polar method, pairs u2 then u1).
inline std::vector<double> gauss(std::uint32_t seed, int len, double mean, double sd) {
    Rng g(seed);
    std::vector<double> v;
    while ((int)v.size() < len) {
        double u1, u2, s;
        do {
            u1 = g.next() * 4.656612873077393e-10;
            u2 = g.next() * 4.656612873077393e-10;
            s = u1 * u1 + u2 * u2;
        } while (s >= 1 || s == 0);
        const double f = std::sqrt(-2 * std::log(s) / s);
        v.push_back(mean + sd * f * u2);
        v.push_back(mean + sd * f * u1);
    }
    v.resize(len);
    return v;
}

inline std::vector<double> tone(double magn, double f, double phase, int len, bool sine = false) {
    auto wave = [&](double a) { return sine ? std::sin(a) : std::cos(a); };
    std::vector<double> x(len < 4 ? 4 : len);
    const double c2 = 2 * std::cos(kTwoPi * f);
    for (int n = 0; n < 2; ++n) x[n] = magn * wave(kTwoPi * f * n + phase);
    for (int n = 2; n < 4; ++n) x[n] = c2 * x[n - 1] - x[n - 2];
    for (int n = 4; n < len; ++n) x[n] = (c2 * c2 - 2) * x[n - 2] - x[n - 4];
    x.resize(len);
    return x;
}

} // namespace gref
