// Max, Min and their Indx, Abs, MinMax and Every forms.
//
// The result is the first element that no later element beats with a
// strict comparison. The search runs block by block: a vectorised pass
// finds the block's extreme value, and only when that value beats the best
// so far is the (cached) block scanned again for its first position. The
// stored value is read back from that position, so equal values of
// different bits (-0.0 and +0.0) keep the earlier one.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/unaligned.h"
#include "core/checks.h"
#include "core/export.h"

namespace veks::stats {
namespace {

constexpr int kBlock = 2048;

struct MaxRule {
    template <class V> static bool beats(V a, V b) { return a > b; }
#if defined(__SSE2__)
    // a > b ? a : b per lane; a NaN in a leaves b.
    static __m128 pick(__m128 a, __m128 b) { return _mm_max_ps(a, b); }
    static __m128d pick(__m128d a, __m128d b) { return _mm_max_pd(a, b); }
#endif
};
struct MinRule {
    template <class V> static bool beats(V a, V b) { return a < b; }
#if defined(__SSE2__)
    static __m128 pick(__m128 a, __m128 b) { return _mm_min_ps(a, b); }
    static __m128d pick(__m128d a, __m128d b) { return _mm_min_pd(a, b); }
#endif
};

// The compared value of an element: itself, or its magnitude saturated to
// the element type (|-32768| is 32767).
struct Identity {
    template <class T> T operator()(T x) const { return x; }
};
struct SaturatedAbs {
    template <class T> T operator()(T x) const {
        return x >= 0 ? x : (x == std::numeric_limits<T>::min() ? std::numeric_limits<T>::max() : T(-x));
    }
};

// m after every element of x[0..n): m = key(x) beats m ? key(x) : m.
template <class Rule, class T, class Key>
T reduce(const T* x, int n, T m, Key key) {
    for (int i = 0; i < n; ++i) {
        const T k = key(load_elem(x, i));
        m = Rule::beats(k, m) ? k : m;
    }
    return m;
}

#if defined(__SSE2__)
// Floating-point data: the same step per lane (lanes never hold a NaN when
// m is not one), lanes merged at the end.
template <class Rule, class F, class V, class Load, class Splat>
F reduce_lanes(const F* x, int n, F m, Load load, Splat splat) {
    constexpr int lanes = int(sizeof(V) / sizeof(F));
    V a0 = splat(m), a1 = a0;
    int i = 0;
    for (; i + 2 * lanes <= n; i += 2 * lanes) {
        a0 = Rule::pick(load(x + i), a0);
        a1 = Rule::pick(load(x + i + lanes), a1);
    }
    a0 = Rule::pick(a1, a0);
    F l[lanes];
    std::memcpy(l, &a0, sizeof l);
    for (int k = 0; k < lanes; ++k) m = Rule::beats(l[k], m) ? l[k] : m;
    for (; i < n; ++i) m = Rule::beats(load_elem(x, i), m) ? load_elem(x, i) : m;
    return m;
}

template <class Rule>
float reduce(const float* x, int n, float m, Identity) {
    return reduce_lanes<Rule, float, __m128>(x, n, m, [](const float* p) { return _mm_loadu_ps(p); },
                                             [](float v) { return _mm_set1_ps(v); });
}
template <class Rule>
double reduce(const double* x, int n, double m, Identity) {
    return reduce_lanes<Rule, double, __m128d>(x, n, m, [](const double* p) { return _mm_loadu_pd(p); },
                                               [](double v) { return _mm_set1_pd(v); });
}
#endif

template <class T>
bool is_nan(T v) {
    if constexpr (std::is_floating_point_v<T>) return std::isnan(v);
    else return false;
}

// Position of the first element equal to v, which x[0..n) holds.
template <class T, class Key>
int first_equal(const T* x, int n, T v, Key key) {
    int i = 0;
    while (i < n - 1 && !(key(load_elem(x, i)) == v)) ++i;
    return i;
}

#if defined(__SSE2__)
template <class F, class Load, class Equal>
int first_equal_lanes(const F* x, int n, F v, Load load, Equal equal_mask) {
    constexpr int lanes = int(16 / sizeof(F));
    int i = 0;
    for (; i + lanes <= n; i += lanes)
        if (const int m = equal_mask(load(x + i), v)) return i + __builtin_ctz(unsigned(m));
    while (i < n - 1 && !(load_elem(x, i) == v)) ++i;
    return i;
}

int first_equal(const float* x, int n, float v, Identity) {
    return first_equal_lanes(x, n, v, [](const float* p) { return _mm_loadu_ps(p); },
                             [](__m128 a, float b) { return _mm_movemask_ps(_mm_cmpeq_ps(a, _mm_set1_ps(b))); });
}
int first_equal(const double* x, int n, double v, Identity) {
    return first_equal_lanes(x, n, v, [](const double* p) { return _mm_loadu_pd(p); },
                             [](__m128d a, double b) { return _mm_movemask_pd(_mm_cmpeq_pd(a, _mm_set1_pd(b))); });
}
#endif

// Position of the first extreme under Rule.
template <class Rule, class T, class Key>
int extreme_index(const T* x, int len, Key key) {
    T best = key(load_elem(x, 0));
    if (is_nan(best)) return 0; // a NaN first element is the result
    int at = 0;
    for (int b = 0; b < len; b += kBlock) {
        const int n = std::min(kBlock, len - b);
        const T m = reduce<Rule>(x + b, n, best, key);
        if (Rule::beats(m, best)) {
            best = m;
            at = b + first_equal(x + b, n, m, key);
        }
    }
    return at;
}

// Both extremes, one pass over memory: each block is reduced twice while
// it is in cache.
template <class T, class Key>
void extreme_indices(const T* x, int len, Key key, int& at_min, int& at_max) {
    T lo = key(load_elem(x, 0)), hi = lo;
    at_min = at_max = 0;
    if (is_nan(lo)) return;
    for (int b = 0; b < len; b += kBlock) {
        const int n = std::min(kBlock, len - b);
        const T mlo = reduce<MinRule>(x + b, n, lo, key);
        const T mhi = reduce<MaxRule>(x + b, n, hi, key);
        if (mlo < lo) { lo = mlo; at_min = b + first_equal(x + b, n, mlo, key); }
        if (mhi > hi) { hi = mhi; at_max = b + first_equal(x + b, n, mhi, key); }
    }
}

// Integer values need no position: equal values are identical.
template <class Rule, class T, class Key>
T extreme_value(const T* x, int len, Key key) {
    if constexpr (std::is_integral_v<T>) return reduce<Rule>(x, len, key(load_elem(x, 0)), key);
    else return key(load_elem(x, extreme_index<Rule>(x, len, key)));
}

template <class Rule, class Key = Identity, class T>
VekStatus extreme(const T* src, int len, T* value) {
    VEKS_CHECK(check_ptrs_len(len, src, value));
    store_elem(value, 0, extreme_value<Rule>(src, len, Key{}));
    return vekStsOk;
}

// The index output is optional.
template <class Rule, class Key = Identity, class T>
VekStatus extreme_indexed(const T* src, int len, T* value, int* index) {
    VEKS_CHECK(check_ptrs_len(len, src, value));
    if (index == nullptr) {
        store_elem(value, 0, extreme_value<Rule>(src, len, Key{}));
    } else {
        const int at = extreme_index<Rule>(src, len, Key{});
        store_elem(value, 0, Key{}(load_elem(src, at)));
        store_elem(index, 0, at);
    }
    return vekStsOk;
}

// Both extremes of integer data; the values are all that is needed.
template <class T>
void integer_min_max(const T* x, int len, T& lo, T& hi) {
    T a = load_elem(x, 0), b = load_elem(x, 0);
    for (int i = 1; i < len; ++i) {
        a = load_elem(x, i) < a ? load_elem(x, i) : a;
        b = load_elem(x, i) > b ? load_elem(x, i) : b;
    }
    lo = a;
    hi = b;
}

#if defined(__SSE2__)
// Four vectors are reduced among themselves before they meet the running
// extremes, which keeps both dependency chains short.
void integer_min_max(const Vek16s* x, int len, Vek16s& lo, Vek16s& hi) {
    auto load = [x](int i) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i)); };
    __m128i a = _mm_set1_epi16(load_elem(x, 0)), b = a;
    int i = 0;
    for (; i + 32 <= len; i += 32) {
        __m128i mn = load(i), mx = mn;
        for (int k = 8; k < 32; k += 8) {
            const __m128i v = load(i + k);
            mn = _mm_min_epi16(mn, v);
            mx = _mm_max_epi16(mx, v);
        }
        a = _mm_min_epi16(a, mn);
        b = _mm_max_epi16(b, mx);
    }
    // Fold the eight lanes: halves, quarters, then neighbours.
    a = _mm_min_epi16(a, _mm_shuffle_epi32(a, 0x4E));
    b = _mm_max_epi16(b, _mm_shuffle_epi32(b, 0x4E));
    a = _mm_min_epi16(a, _mm_shuffle_epi32(a, 0xB1));
    b = _mm_max_epi16(b, _mm_shuffle_epi32(b, 0xB1));
    a = _mm_min_epi16(a, _mm_shufflelo_epi16(a, 0xB1));
    b = _mm_max_epi16(b, _mm_shufflelo_epi16(b, 0xB1));
    Vek16s l = static_cast<Vek16s>(_mm_cvtsi128_si32(a)), h = static_cast<Vek16s>(_mm_cvtsi128_si32(b));
    for (; i < len; ++i) {
        l = load_elem(x, i) < l ? load_elem(x, i) : l;
        h = load_elem(x, i) > h ? load_elem(x, i) : h;
    }
    lo = l;
    hi = h;
}
#endif

template <class T>
VekStatus min_max(const T* src, int len, T* lo, T* hi) {
    VEKS_CHECK(check_ptrs_len(len, src, lo, hi));
    if constexpr (std::is_integral_v<T>) {
        T a, b;
        integer_min_max(src, len, a, b);
        store_elem(lo, 0, a);
        store_elem(hi, 0, b);
    } else {
        int at_min, at_max;
        extreme_indices(src, len, Identity{}, at_min, at_max);
        store_elem(lo, 0, load_elem(src, at_min));
        store_elem(hi, 0, load_elem(src, at_max));
    }
    return vekStsOk;
}

template <class T>
VekStatus min_max_indexed(const T* src, int len, T* lo, int* at_lo, T* hi, int* at_hi) {
    VEKS_CHECK(check_ptrs_len(len, src, lo, at_lo, hi, at_hi));
    int a, b;
    extreme_indices(src, len, Identity{}, a, b);
    store_elem(lo, 0, load_elem(src, a));
    store_elem(at_lo, 0, a);
    store_elem(hi, 0, load_elem(src, b));
    store_elem(at_hi, 0, b);
    return vekStsOk;
}

template <class Rule, class T>
VekStatus every(const T* src, T* srcdst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, srcdst));
    for (int k = 0; k < len; ++k) {
        const T a = load_elem(src, k), b = load_elem(srcdst, k);
        store_elem(srcdst, k, Rule::beats(a, b) ? a : b);
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::stats

using namespace veks::stats;

#define VEKS_MAXMIN(s)                                                                                   \
    VEKS_API VekStatus veksMax_##s(const Vek##s* pSrc, int len, Vek##s* pMax) { return extreme<MaxRule>(pSrc, len, pMax); } \
    VEKS_API VekStatus veksMin_##s(const Vek##s* pSrc, int len, Vek##s* pMin) { return extreme<MinRule>(pSrc, len, pMin); } \
    VEKS_API VekStatus veksMaxIndx_##s(const Vek##s* pSrc, int len, Vek##s* pMax, int* pIndx) { return extreme_indexed<MaxRule>(pSrc, len, pMax, pIndx); } \
    VEKS_API VekStatus veksMinIndx_##s(const Vek##s* pSrc, int len, Vek##s* pMin, int* pIndx) { return extreme_indexed<MinRule>(pSrc, len, pMin, pIndx); }
#define VEKS_ABS(s)                                                                                      \
    VEKS_API VekStatus veksMaxAbs_##s(const Vek##s* pSrc, int len, Vek##s* pMaxAbs) { return extreme<MaxRule, SaturatedAbs>(pSrc, len, pMaxAbs); } \
    VEKS_API VekStatus veksMinAbs_##s(const Vek##s* pSrc, int len, Vek##s* pMinAbs) { return extreme<MinRule, SaturatedAbs>(pSrc, len, pMinAbs); } \
    VEKS_API VekStatus veksMaxAbsIndx_##s(const Vek##s* pSrc, int len, Vek##s* pMaxAbs, int* pIndx) { return extreme_indexed<MaxRule, SaturatedAbs>(pSrc, len, pMaxAbs, pIndx); } \
    VEKS_API VekStatus veksMinAbsIndx_##s(const Vek##s* pSrc, int len, Vek##s* pMinAbs, int* pIndx) { return extreme_indexed<MinRule, SaturatedAbs>(pSrc, len, pMinAbs, pIndx); }
#define VEKS_MINMAX(s)                                                                                   \
    VEKS_API VekStatus veksMinMax_##s(const Vek##s* pSrc, int len, Vek##s* pMin, Vek##s* pMax) { return min_max(pSrc, len, pMin, pMax); } \
    VEKS_API VekStatus veksMinMaxIndx_##s(const Vek##s* pSrc, int len, Vek##s* pMin, int* pMinIndx, Vek##s* pMax, int* pMaxIndx) { return min_max_indexed(pSrc, len, pMin, pMinIndx, pMax, pMaxIndx); }
#define VEKS_EVERY(s)                                                                                    \
    VEKS_API VekStatus veksMaxEvery_##s##_I(const Vek##s* pSrc, Vek##s* pSrcDst, int len) { return every<MaxRule>(pSrc, pSrcDst, len); } \
    VEKS_API VekStatus veksMinEvery_##s##_I(const Vek##s* pSrc, Vek##s* pSrcDst, int len) { return every<MinRule>(pSrc, pSrcDst, len); }

VEKS_MAXMIN(16s)
VEKS_MAXMIN(32s)
VEKS_MAXMIN(32f)
VEKS_MAXMIN(64f)

VEKS_ABS(16s)
VEKS_ABS(32s)

VEKS_MINMAX(8u)
VEKS_MINMAX(16u)
VEKS_MINMAX(16s)
VEKS_MINMAX(32u)
VEKS_MINMAX(32s)
VEKS_MINMAX(32f)
VEKS_MINMAX(64f)

VEKS_EVERY(8u)
VEKS_EVERY(16u)
VEKS_EVERY(16s)
VEKS_EVERY(32s)
VEKS_EVERY(32f)
