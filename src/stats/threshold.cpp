// The Threshold family: clamp, replace, clamp by magnitude, and clamp then
// invert. Each operation checks pointers, the length, then its levels, and
// runs one element rule (threshold_rules.h) over the vector; the in-place
// members run the same code with the source as the destination.
#include <cstddef>
#include <type_traits>

#include "core/arith_sse2.h"
#include "core/checks.h"
#include "core/core_services.h"
#include "core/elem.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "stats/threshold_rules.h"

namespace veks::threshold {
namespace {

template <class T, class Rule>
void apply(const T* src, T* dst, int len, Rule rule) {
    const std::size_t n = static_cast<std::size_t>(len);
    for (std::size_t i = 0; i < n; ++i) store_elem(dst, i, rule(load_elem(src, i)));
}

// Levels compared with magnitudes (complex data, the Abs forms, LTInv)
// must not be negative.
template <class R>
VekStatus check_magnitude_level(R level) {
    return level < R(0) ? vekStsNegativeLevel : vekStsOk;
}

template <class T>
typename Magnitude<T>::M squared_level(level_t<T> level) {
    return Magnitude<T>::squared(level, 0);
}

template <class T>
VekStatus clamp_below(const T* src, T* dst, int len, level_t<T> level) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if constexpr (is_complex_v<T>) {
        VEKS_CHECK(check_magnitude_level(level));
        apply(src, dst, len, ComplexClampBelow<T>{squared_level<T>(level), level});
    } else {
        apply(src, dst, len, ClampBelow<T>{level});
    }
    return vekStsOk;
}

template <class T>
VekStatus clamp_above(const T* src, T* dst, int len, level_t<T> level) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if constexpr (is_complex_v<T>) {
        VEKS_CHECK(check_magnitude_level(level));
        apply(src, dst, len, ComplexClampAbove<T>{squared_level<T>(level)});
    } else {
        apply(src, dst, len, ClampAbove<T>{level});
    }
    return vekStsOk;
}

// The generic form: relOp vekCmpGreater clamps from above, any other value
// from below.
template <class T>
VekStatus clamp(const T* src, T* dst, int len, level_t<T> level, int rel_op) {
    return rel_op == vekCmpGreater ? clamp_above(src, dst, len, level) : clamp_below(src, dst, len, level);
}

template <class T>
VekStatus replace_below(const T* src, T* dst, int len, level_t<T> level, T value) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if constexpr (is_complex_v<T>) {
        VEKS_CHECK(check_magnitude_level(level));
        apply(src, dst, len, ComplexReplaceBelow<T>{squared_level<T>(level), value});
    } else {
        apply(src, dst, len, ReplaceBelow<T>{level, value});
    }
    return vekStsOk;
}

template <class T>
VekStatus replace_above(const T* src, T* dst, int len, level_t<T> level, T value) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if constexpr (is_complex_v<T>) {
        VEKS_CHECK(check_magnitude_level(level));
        apply(src, dst, len, ComplexReplaceAbove<T>{squared_level<T>(level), value});
    } else {
        apply(src, dst, len, ReplaceAbove<T>{level, value});
    }
    return vekStsOk;
}

template <class T>
VekStatus replace_outside(const T* src, T* dst, int len, T level_lt, T value_lt, T level_gt, T value_gt) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if (level_gt < level_lt) return vekStsBadLevelOrder;
    apply(src, dst, len, ReplaceOutside<T>{level_lt, value_lt, level_gt, value_gt});
    return vekStsOk;
}

template <template <class> class Rule, class T>
VekStatus by_magnitude(const T* src, T* dst, int len, T level) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    VEKS_CHECK(check_magnitude_level(level));
    apply(src, dst, len, Rule<T>{level, negated_level(level)});
    return vekStsOk;
}

template <class T>
VekStatus magnitude_below(const T* src, T* dst, int len, T level) {
    return by_magnitude<MagnitudeBelow>(src, dst, len, level);
}
template <class T>
VekStatus magnitude_above(const T* src, T* dst, int len, T level) {
    return by_magnitude<MagnitudeAbove>(src, dst, len, level);
}

#if defined(__SSE2__)
// Real inversion four floats (two doubles) at a time, with the results of
// the scalar rules; returns the number of elements done. The compiler
// keeps the scalar division behind its branch and does not vectorise it.
template <class F>
std::size_t invert_lanes(const F* src, F* dst, std::size_t n, F level, bool& met_zero) {
    using L = arith::sse2::Lanes<F>;
    if (!arith::apart_or_same(src, dst, std::ptrdiff_t(n))) return 0;
    const auto one = L::set1(F(1)), zero = L::zero(), lv = L::set1(level), neg_lv = L::set1(-level);
    const auto inv = L::set1(F(1) / level), neg_inv = L::set1(-(F(1) / level)), inf = L::set1(const_inf<F>());
    int zeros = 0;
    std::size_t i = 0;
    for (; i + L::n <= n; i += L::n) {
        const auto x = L::load(src + i), inverse = L::div(one, x);
        if (level == F(0)) {
            const auto is_zero = L::eq(x, zero);
            zeros |= L::any(is_zero);
            L::store(dst + i, L::select(is_zero, inf, inverse));
        } else {
            const auto above = L::gt(x, lv), beyond = L::select(above, above, L::lt(x, neg_lv)); // |x| > L
            const auto positive = L::gt(x, zero), non_negative = L::select(positive, positive, L::eq(x, zero));
            L::store(dst + i, L::select(beyond, inverse, L::select(non_negative, inv, neg_inv)));
        }
    }
    met_zero = zeros != 0;
    return i;
}
#endif

// Level 0 inverts every element and warns after the whole vector when a
// zero was met; a positive level clamps magnitudes below it first.
template <class T>
VekStatus invert(const T* src, T* dst, int len, level_t<T> level) {
    using R = level_t<T>;
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    VEKS_CHECK(check_magnitude_level(level));
    const std::size_t n = static_cast<std::size_t>(len);
    std::size_t done = 0;
    bool met_zero = false;
#if defined(__SSE2__)
    if constexpr (!is_complex_v<T>) done = invert_lanes(src, dst, n, level, met_zero);
#endif
    if (level == R(0)) {
        std::conditional_t<is_complex_v<T>, ComplexInvertAll<T>, InvertAll<T>> rule{const_inf<R>()};
        for (std::size_t i = done; i < n; ++i) store_elem(dst, i, rule(load_elem(src, i), met_zero));
        return met_zero ? vekStsInverseOfZero : vekStsOk;
    }
    if constexpr (is_complex_v<T>) {
        apply(src, dst, len, ComplexInvertClamped<T>{double(level), double(level) * double(level)});
    } else {
        const InvertClamped<T> rule{level, R(1) / level};
        for (std::size_t i = done; i < n; ++i) store_elem(dst, i, rule(load_elem(src, i)));
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::threshold

using namespace veks::threshold;

// Table rows: out-of-place member and its in-place twin. P lists the
// parameter declarations after len, A the same names as arguments.
#define VEKS_THRESHOLD_PAIR(name, s, kernel, P, A)                                                            \
    VEKS_API VekStatus veksThreshold##name##_##s(const Vek##s* pSrc, Vek##s* pDst, int len VEKS_UNPACK P) {   \
        return kernel(pSrc, pDst, len VEKS_UNPACK A);                                                         \
    }                                                                                                         \
    VEKS_API VekStatus veksThreshold##name##_##s##_I(Vek##s* pSrcDst, int len VEKS_UNPACK P) {               \
        return kernel(pSrcDst, pSrcDst, len VEKS_UNPACK A);                                                   \
    }
#define VEKS_UNPACK(...) , __VA_ARGS__

#define VEKS_CLAMP(s, r)                                                                                        \
    VEKS_THRESHOLD_PAIR(, s, clamp, (Vek##r level, int relOp), (level, relOp))                                 \
    VEKS_THRESHOLD_PAIR(_LT, s, clamp_below, (Vek##r level), (level))                                          \
    VEKS_THRESHOLD_PAIR(_GT, s, clamp_above, (Vek##r level), (level))
#define VEKS_REPLACE(s, r)                                                                                      \
    VEKS_THRESHOLD_PAIR(_LTVal, s, replace_below, (Vek##r level, Vek##s value), (level, value))                \
    VEKS_THRESHOLD_PAIR(_GTVal, s, replace_above, (Vek##r level, Vek##s value), (level, value))
#define VEKS_RANGE_ABS(s)                                                                                       \
    VEKS_THRESHOLD_PAIR(_LTValGTVal, s, replace_outside,                                                       \
                        (Vek##s levelLT, Vek##s valueLT, Vek##s levelGT, Vek##s valueGT),                      \
                        (levelLT, valueLT, levelGT, valueGT))                                                  \
    VEKS_THRESHOLD_PAIR(_LTAbs, s, magnitude_below, (Vek##s level), (level))                                   \
    VEKS_THRESHOLD_PAIR(_GTAbs, s, magnitude_above, (Vek##s level), (level))
#define VEKS_INVERT(s, r) VEKS_THRESHOLD_PAIR(_LTInv, s, invert, (Vek##r level), (level))

VEKS_CLAMP(16s, 16s)
VEKS_CLAMP(16sc, 16s)
VEKS_CLAMP(32f, 32f)
VEKS_CLAMP(32fc, 32f)
VEKS_CLAMP(64f, 64f)
VEKS_CLAMP(64fc, 64f)
VEKS_THRESHOLD_PAIR(_LT, 32s, clamp_below, (Vek32s level), (level))
VEKS_THRESHOLD_PAIR(_GT, 32s, clamp_above, (Vek32s level), (level))

VEKS_REPLACE(16s, 16s)
VEKS_REPLACE(16sc, 16s)
VEKS_REPLACE(32f, 32f)
VEKS_REPLACE(32fc, 32f)
VEKS_REPLACE(64f, 64f)
VEKS_REPLACE(64fc, 64f)

VEKS_RANGE_ABS(16s)
VEKS_RANGE_ABS(32s)
VEKS_RANGE_ABS(32f)
VEKS_RANGE_ABS(64f)

VEKS_INVERT(32f, 32f)
VEKS_INVERT(32fc, 32f)
VEKS_INVERT(64f, 64f)
VEKS_INVERT(64fc, 64f)
