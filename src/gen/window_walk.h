// The single symmetric pass every window makes: weight k is computed once
// and applied to positions k and N-1-k, walking inward. An odd length copies
// the middle element (its weight is 1); an even length gives both central
// elements the weight w_M, M = (N-1)/2.
#pragma once

#include <cstdint>
#include <limits>

#include "core/elem.h"
#include "core/rounding.h"
#include "gen/elem_io.h"
#include "veks.h"

namespace veks::gen {

// Products of one component and one weight. middle() gives the element
// whose weight is exactly 1 (copied, or only scaled by the Sfs form).
struct UnitMiddle {
    template <class R> R middle(R x) const { return x; }
};

// Floating point: the product in double, rounded to the element type.
struct ProductRound : UnitMiddle {
    template <class R> R operator()(R x, double w) const { return static_cast<R>(static_cast<double>(x) * w); }
};

// 16-bit data, weight in double: the product truncated toward zero.
struct ProductTruncate : UnitMiddle {
    Vek16s operator()(Vek16s x, double w) const {
        return round_saturate<Vek16s, vekRoundTowardZero>(static_cast<double>(x) * w);
    }
};

// 16-bit data, weight in double: the product rounded half away from zero
// and limited to the 16-bit range.
struct ProductRoundAway : UnitMiddle {
    Vek16s operator()(Vek16s x, double w) const {
        const double v = static_cast<double>(x) * w;
        const double r = v < 0.0 ? v - 0.5 : v + 0.5;
        if (r != r) return 0;  // a NaN weight (NaN Kaiser parameter) gives 0, as conversions do
        if (r >= 32767.0) return 32767;
        if (r <= -32768.0) return -32768;
        return static_cast<Vek16s>(static_cast<std::int32_t>(r));
    }
};

// 16-bit data, Q15 weight: rounded fixed-point product.
struct ProductQ15 : UnitMiddle {
    Vek16s operator()(Vek16s x, std::int32_t w) const {
        return static_cast<Vek16s>((std::int32_t(x) * w + 16384) >> 15);
    }
};

template <class T, class W, class Product>
inline T weigh(const T& x, W w, const Product& product) {
    if constexpr (is_complex_v<T>) {
        return T{product(x.re, w), product(x.im, w)};
    } else {
        return product(x, w);
    }
}

template <class T, class Product>
inline T weigh_middle(const T& x, const Product& product) {
    if constexpr (is_complex_v<T>) {
        return T{product.middle(x.re), product.middle(x.im)};
    } else {
        return product.middle(x);
    }
}

template <class T, class Source, class Product>
void symmetric_walk(const T* src, T* dst, int n, Source& next_weight, const Product& product) {
    const int m = (n - 1) / 2;
    for (int k = 0; k < m; ++k) {
        const auto w = next_weight();
        store(dst, k, weigh(load(src, k), w, product));
        store(dst, n - 1 - k, weigh(load(src, n - 1 - k), w, product));
    }
    if (n & 1) {
        store(dst, m, weigh_middle(load(src, m), product));
    } else {
        const auto w = next_weight();
        store(dst, m, weigh(load(src, m), w, product));
        store(dst, m + 1, weigh(load(src, m + 1), w, product));
    }
}

// N = 3 of the cosine and Bartlett windows: {0, src[1], 0}.
template <class T, class Product>
void three_point(const T* src, T* dst, const Product& product) {
    store(dst, 0, T{});
    store(dst, 1, weigh_middle(load(src, 1), product));
    store(dst, 2, T{});
}

} // namespace veks::gen
