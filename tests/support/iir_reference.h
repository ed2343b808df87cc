// Reference IIR recurrences in any arithmetic type A (long double, or the form's own) and stable random filters.
#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "veks_test.h"

namespace iref {

// Transposed direct form II: taps b0..bN, a0..aN, divided by a0 in A; d holds N + 1 partial sums (last 0).
template <class A>
std::vector<A> order_filter(const std::vector<A>& taps, const std::vector<A>& x, std::vector<A>& d) {
    const std::size_t n = taps.size() / 2 - 1;
    const A a0 = taps[n + 1];
    std::vector<A> b(n + 1), a(n + 1);
    for (std::size_t k = 0; k <= n; ++k) {
        b[k] = taps[k] / a0;
        a[k] = taps[n + 1 + k] / a0;
    }
    d.resize(n + 1);
    std::vector<A> y(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        y[i] = b[0] * x[i] + d[0];
        for (std::size_t k = 0; k < n; ++k) d[k] = b[k + 1] * x[i] - a[k + 1] * y[i] + (k + 1 < n ? d[k + 1] : A(0));
    }
    return y;
}

// Biquad cascade: 6 taps per section (b0 b1 b2 a0 a1 a2); d: 2 per section.
template <class A>
std::vector<A> biquad_filter(const std::vector<A>& taps, const std::vector<A>& x, std::vector<A>& d) {
    const std::size_t nb = taps.size() / 6;
    d.resize(2 * nb);
    std::vector<A> y(x);
    for (std::size_t s = 0; s < nb; ++s) {
        const A* t = &taps[6 * s];
        const A b0 = t[0] / t[3], b1 = t[1] / t[3], b2 = t[2] / t[3], a1 = t[4] / t[3], a2 = t[5] / t[3];
        for (auto& v : y) {
            const A out = b0 * v + d[2 * s];
            d[2 * s] = b1 * v + d[2 * s + 1] - a1 * out;
            d[2 * s + 1] = b2 * v - a2 * out;
            v = out;
        }
    }
    return y;
}

// Monic denominator with real poles and conjugate pairs of radius <= r.
inline std::vector<double> stable_denominator(int order, double r, vt::Rng& rng) {
    std::vector<double> poly{1.0};
    for (int left = order; left > 0; left -= 2) {
        const double rad = rng.real(0.1, r), ang = rng.real(0.2, 3.0);
        const std::vector<double> f = left >= 2 ? std::vector<double>{1.0, -2 * rad * std::cos(ang), rad * rad}
                                                : std::vector<double>{1.0, rng.real(-r, r)};
        std::vector<double> out(poly.size() + f.size() - 1);
        for (std::size_t i = 0; i < poly.size(); ++i)
            for (std::size_t j = 0; j < f.size(); ++j) out[i + j] += poly[i] * f[j];
        poly = out;
    }
    return poly;
}

// Arbitrary-order taps b0..bN, a0..aN with the given a0 scale.
inline std::vector<double> random_order_taps(int order, vt::Rng& rng, double a0 = 1.0) {
    std::vector<double> a = stable_denominator(order, 0.7, rng), taps;
    for (int k = 0; k <= order; ++k) taps.push_back(rng.real(-1, 1) * a0);
    for (double v : a) taps.push_back(v * a0);
    return taps;
}

// Biquad taps, 6 per section, a0 = 1.
inline std::vector<double> random_biquad_taps(int num_bq, vt::Rng& rng) {
    std::vector<double> taps;
    for (int s = 0; s < num_bq; ++s) {
        const std::vector<double> a = stable_denominator(2, 0.95, rng);
        taps.insert(taps.end(), {rng.real(0.2, 1), rng.real(-1, 1), rng.real(-1, 1), a[0], a[1], a[2]});
    }
    return taps;
}

// n values in [-amp, amp]: uniform reals, or integers for an integer T.
template <class T = double>
std::vector<T> random_vec(std::size_t n, vt::Rng& rng, double amp = 1.0) {
    std::vector<T> x(n);
    for (auto& v : x) {
        if constexpr (std::is_integral_v<T>) v = rng.integer<T>(T(-amp), T(amp));
        else v = static_cast<T>(rng.real(-amp, amp));
    }
    return x;
}

} // namespace iref
