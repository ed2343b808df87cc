// Reference sums for convolution and correlation tests and their error bound.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <vector>

#include "fir_reference.h"
#include "veks.h"
#include "veks_test.h"

namespace ct {

using LD = firt::LD;
using CLD = firt::CL;
using firt::part_t;

template <class T> constexpr bool is_cplx = firt::is_cx_elem<T>::value;
template <class T> CLD wide(T v) { return firt::to_cl(v); }

// Integers in [lo, hi] (real types only), floating parts uniform in [lo, hi].
template <class T>
std::vector<T> random_vec(vt::Rng& rng, int n, double lo = -1, double hi = 1) {
    std::vector<T> v(n);
    for (auto& x : v) {
        if constexpr (std::is_integral_v<T>) x = static_cast<T>(rng.integer<long long>((long long)lo, (long long)hi));
        else x = firt::from_parts<T>(rng.real(lo, hi), is_cplx<T> ? rng.real(lo, hi) : 0);
    }
    return v;
}

// dst[k] = sum over j of a[j] * b[k - j].
template <class T>
std::vector<CLD> conv(const std::vector<T>& a, const std::vector<T>& b) {
    std::vector<CLD> r(a.size() + b.size() - 1);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) r[i + j] += wide(a[i]) * wide(b[j]);
    return r;
}

// dst[k] = sum over i of conj(a[i]) * b[i + lo + k], k < n.
template <class T>
std::vector<CLD> cross(const std::vector<T>& a, const std::vector<T>& b, long long lo, int n) {
    std::vector<CLD> r(n);
    const long long lb = static_cast<long long>(b.size());
    for (int k = 0; k < n; ++k)
        for (long long i = 0; i < static_cast<long long>(a.size()); ++i) {
            const long long j = i + lo + k;
            if (j >= 0 && j < lb) r[k] += std::conj(wide(a[i])) * wide(b[j]);
        }
    return r;
}

// Exact sums for 16-bit data (long double holds them exactly).
inline std::vector<std::int64_t> cross_exact(const std::vector<Vek16s>& a, const std::vector<Vek16s>& b, long long lo, int n) {
    std::vector<std::int64_t> r;
    for (const CLD& v : cross(a, b, lo, n)) r.push_back(static_cast<std::int64_t>(v.real()));
    return r;
}

// Euclidean norm in long double.
template <class T>
LD norm2(const std::vector<T>& v) {
    LD s = 0;
    for (const T& x : v) s += std::norm(wide(x));
    return std::sqrt(s);
}

// Error allowed on every output of a sum of products of a and b: a few
// units of the element's epsilon per term level and transform stage,
// relative to |a| |b| (which bounds every output's sum of |terms|).
template <class T>
LD tolerance(const std::vector<T>& a, const std::vector<T>& b) {
    using R = part_t<T>;
    const LD eps = std::numeric_limits<R>::epsilon();
    const LD stages = std::log2(static_cast<LD>(a.size() + b.size())) + 2;
    const LD terms = std::min<LD>(static_cast<LD>(std::min(a.size(), b.size())), 80);
    return eps * (8 * stages + terms) * norm2(a) * norm2(b) + std::numeric_limits<R>::min();
}

// Largest distance between results and reference.
template <class T>
LD max_error(const T* got, const std::vector<CLD>& want) {
    LD worst = 0;
    for (std::size_t k = 0; k < want.size(); ++k) {
        T v;
        std::memcpy(&v, got + k, sizeof v);
        worst = std::max(worst, std::abs(wide(v) - want[k]));
    }
    return worst;
}

// The scale-factor rule on an exact value: v * 2^-sf rounded half to even, saturated to 16 bits.
inline Vek16s scale_16s(long double v, int sf) {
    // Default rounding: ties to even.
    return static_cast<Vek16s>(std::clamp<long double>(std::nearbyint(std::ldexp(v, -sf)), -32768, 32767));
}

} // namespace ct
