// The Bartlett, Hann, Hamming and Blackman operations as templates over the
// element type, shared by the exported members and by the library's own
// double-precision users (filter design).
#pragma once

#include <type_traits>

#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"
#include "gen/window_walk.h"
#include "gen/window_weights.h"

namespace veks::gen {

template <class T> constexpr bool is_16bit = std::is_same_v<component_t<T>, Vek16s>;

// The product used with double-precision weights.
template <class T>
using DoubleProduct = std::conditional_t<is_16bit<T>, ProductTruncate, ProductRound>;

template <class T>
VekStatus check_window(const T* src, const T* dst, int len, int min_len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    return len < min_len ? vekStsBadLength : vekStsOk;
}

template <class T, class Source, class Product>
VekStatus cosine_window(const T* src, T* dst, int len, Source&& source, const Product& product) {
    VEKS_CHECK(check_window(src, dst, len, 3));
    if (len == 3) {
        three_point(src, dst, product);
    } else {
        auto next = source();
        symmetric_walk(src, dst, len, next, product);
    }
    return vekStsOk;
}

template <class T>
VekStatus bartlett(const T* src, T* dst, int len) {
    if constexpr (is_16bit<T>)
        return cosine_window(src, dst, len, [len] { return BartlettWeightsQ15(len); }, ProductQ15{});
    else
        return cosine_window(src, dst, len, [len] { return BartlettWeights(len); }, ProductRound{});
}

template <class T>
VekStatus hann(const T* src, T* dst, int len) {
    if constexpr (is_16bit<T>)
        return cosine_window(src, dst, len, [len] { return HannWeightsQ15(len); }, ProductQ15{});
    else
        return cosine_window(src, dst, len, [len] { return CosineWeights<HannMap>(len, {}); }, ProductRound{});
}

template <class T>
VekStatus hamming(const T* src, T* dst, int len) {
    return cosine_window(src, dst, len, [len] { return CosineWeights<HammingMap>(len, {}); }, DoubleProduct<T>{});
}

template <class T, class Product = DoubleProduct<T>>
VekStatus blackman(const T* src, T* dst, int len, float alpha, const Product& product = {}) {
    return cosine_window(src, dst, len, [len, alpha] { return CosineWeights<BlackmanMap>(len, BlackmanMap(alpha)); },
                         product);
}

template <class T>
VekStatus blackman_std(const T* src, T* dst, int len) {
    return blackman(src, dst, len, -0.16f);
}

// The length is tested first: the optimal parameter needs N >= 4.
template <class T>
VekStatus blackman_opt(const T* src, T* dst, int len) {
    if (len < 4) return vekStsBadLength;
    return blackman(src, dst, len, blackman_opt_alpha(len));
}

} // namespace veks::gen
