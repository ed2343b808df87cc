// Median filtering works on integer keys that order like the elements:
// integers are their own keys; floating-point bit patterns are mapped so
// that signed integer order is a total order (-NaN < -inf < ... < -0 < +0
// < ... < +inf < +NaN). The map is its own inverse, so the median key
// turns back into the exact input element.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "veks.h"

namespace veks::filt {

template <class T> struct MedianKey {
    using K = T;
    static K to(T v) { return v; }
    static T from(K k) { return k; }
};

template <class F, class K_> struct FloatKey {
    using K = K_;
    static constexpr int kShift = int(sizeof(K) * 8 - 1);
    static K flip(K b) { return b ^ K((b >> kShift) & ~(K(1) << kShift)); }
    static K to(F v) {
        K b;
        std::memcpy(&b, &v, sizeof b);
        return flip(b);
    }
    static F from(K k) {
        const K b = flip(k);
        F v;
        std::memcpy(&v, &b, sizeof v);
        return v;
    }
};
template <> struct MedianKey<Vek32f> : FloatKey<Vek32f, std::int32_t> {};
template <> struct MedianKey<Vek64f> : FloatKey<Vek64f, std::int64_t> {};

} // namespace veks::filt
