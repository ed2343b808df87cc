// Element arithmetic shared by the correlation sums: conj(a) * b for real
// and complex elements, accumulated in a chosen type.
#pragma once

#include <algorithm>
#include <cstdint>

#include "filters/conv_fft.h"
#include "veks.h"

namespace veks::filt {

template <class T> struct corr_traits {
    using acc = T;
    static constexpr bool is_complex = false;
};
template <> struct corr_traits<Vek16s> {
    using acc = std::int64_t;
    static constexpr bool is_complex = false;
};
template <> struct corr_traits<Vek32fc> {
    using acc = Vek32fc;
    static constexpr bool is_complex = true;
};
template <> struct corr_traits<Vek64fc> {
    using acc = Vek64fc;
    static constexpr bool is_complex = true;
};

// acc += conj(a) * b (no conjugation for real elements).
template <class Acc, class T>
inline void add_conj_product(Acc& acc, const T& a, const T& b) {
    if constexpr (corr_traits<T>::is_complex) {
        acc.re += a.re * b.re + a.im * b.im;
        acc.im += a.re * b.im - a.im * b.re;
    } else {
        acc += Acc(a) * Acc(b);
    }
}

// out[k] = sum over i of conj(a[i]) * b[i + d + k], k < n, terms with an
// index outside a (len na) or b (len nb) left out. Any addresses.
template <class T, class Acc = typename corr_traits<T>::acc>
void corr_direct(const T* a, int na, const T* b, int nb, long long d, int n, Acc* out) {
    for (int k = 0; k < n; ++k) {
        const long long lag = d + k;
        const long long i0 = lag < 0 ? -lag : 0;
        const long long i1 = std::min<long long>(na, nb - lag);
        Acc sum{};
        for (long long i = i0; i < i1; ++i) add_conj_product(sum, load(a + i), load(b + i + lag));
        store(out + k, sum);
    }
}

} // namespace veks::filt
