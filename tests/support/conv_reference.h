// Reference sums for convolution and correlation tests and their error bound.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "fir_reference.h"

namespace ct {

using namespace firt;

// dst[k] = sum over i of conj(a[i]) * b[i + lo + k], k < n.
template <class T>
std::vector<CL> cross(const std::vector<T>& a, const std::vector<T>& b, long long lo, int n) {
    std::vector<CL> r(n);
    const long long lb = static_cast<long long>(b.size());
    for (int k = 0; k < n; ++k) {
        const long long i1 = std::min(static_cast<long long>(a.size()), lb - lo - k);
        for (long long i = std::max(0LL, -(lo + k)); i < i1; ++i) r[k] += std::conj(to_cl(a[i])) * to_cl(b[i + lo + k]);
    }
    return r;
}

// dst[k] = sum over j of a[j] * b[k + bias - j], k < n: the correlation of reversed a with b.
template <class T>
std::vector<CL> conv(const std::vector<T>& a, const std::vector<T>& b, long long bias, int n) {
    return cross(std::vector<T>(a.rbegin(), a.rend()), b, bias - static_cast<long long>(a.size()) + 1, n);
}

// Exact sums for 16-bit data (long double holds them exactly).
inline std::vector<std::int64_t> exact(const std::vector<CL>& sums) {
    std::vector<std::int64_t> r;
    for (const CL& v : sums) r.push_back(static_cast<std::int64_t>(v.real()));
    return r;
}

// Error allowed on sums of products of a and b: epsilons per term and transform stage times |a| |b|.
template <class T>
LD tolerance(const std::vector<T>& a, const std::vector<T>& b) {
    using R = part_t<T>;
    auto norm2 = [](const std::vector<T>& v) {
        LD s = 0;
        for (const T& x : v) s += std::norm(to_cl(x));
        return std::sqrt(s);
    };
    const LD eps = std::numeric_limits<R>::epsilon();
    const LD stages = std::log2(static_cast<LD>(a.size() + b.size())) + 2;
    const LD terms = std::min<LD>(static_cast<LD>(std::min(a.size(), b.size())), 80);
    return eps * (8 * stages + terms) * norm2(a) * norm2(b) + std::numeric_limits<R>::min();
}

// Largest distance between results (at any address) and reference.
template <class T>
LD max_error(const T* got, const std::vector<CL>& want) {
    LD worst = 0;
    for (std::size_t k = 0; k < want.size(); ++k) {
        T v;
        std::memcpy(&v, got + k, sizeof v);
        worst = std::max(worst, std::abs(to_cl(v) - want[k]));
    }
    return worst;
}

// The scale-factor rule on an exact value: v * 2^-sf rounded half to even, saturated to 16 bits.
inline Vek16s scale_16s(long double v, int sf) {
    return static_cast<Vek16s>(std::clamp<long double>(std::nearbyint(std::ldexp(v, -sf)), -32768, 32767));
}

} // namespace ct
