// In-place comparison sort: an iterative quicksort with median-of-three
// pivots that finishes ranges of at most 9 elements by selection sort. The
// order in which it moves elements is part of the interface: the index
// forms return the permutation it makes, and keys that compare equal but
// differ in bits (-0.0 and +0.0) end where its moves leave them.
#include <cmath>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "core/checks.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "stats/sort_fast.h"

namespace veks::sorting {
namespace {

// Ascending order; Descending mirrors every comparison. `after(a, b)`: a
// belongs strictly after b. `not_after(a, b)`: a <= b (ascending) or a >= b
// (descending), false when either is NaN.
struct Ascending {
    template <class T> static bool after(T a, T b) { return a > b; }
    template <class T> static bool not_after(T a, T b) { return a <= b; }
};
struct Descending {
    template <class T> static bool after(T a, T b) { return a < b; }
    template <class T> static bool not_after(T a, T b) { return a >= b; }
};

// The values, and optionally the index array that follows every move.
template <class T, bool WithIndex>
struct Vectors {
    T* values;
    int* index;
    T at(int i) const { return load_elem(values, std::size_t(i)); }
    void swap(int i, int j) const {
        swap_elems(values, std::size_t(i), std::size_t(j));
        if constexpr (WithIndex) swap_elems(index, std::size_t(i), std::size_t(j));
    }
};

constexpr int kSelectionMax = 9; // ranges of at most this many elements

// Repeatedly moves the first occurrence of the largest element (in the
// sort order) to the end of the range and shrinks the range. The range is
// worked on in local copies, with the search free of branches.
template <class Order, class T, bool WithIndex>
void selection_sort(const Vectors<T, WithIndex>& v, int lo, int hi) {
    const int n = hi - lo + 1;
    if (n < 2) return;
    T x[kSelectionMax];
    int at[kSelectionMax];
    for (int k = 0; k < n; ++k) {
        x[k] = v.at(lo + k);
        if constexpr (WithIndex) at[k] = load_elem(v.index, std::size_t(lo + k));
    }
    for (int last = n - 1; last > 0; --last) {
        int top = 0;
        T top_value = x[0];
        for (int k = 1; k <= last; ++k) {
            const bool beats = Order::after(x[k], top_value);
            top = beats ? k : top;
            top_value = beats ? x[k] : top_value;
        }
        x[top] = x[last];
        x[last] = top_value;
        if constexpr (WithIndex) std::swap(at[top], at[last]);
    }
    for (int k = 0; k < n; ++k) {
        store_elem(v.values, std::size_t(lo + k), x[k]);
        if constexpr (WithIndex) store_elem(v.index, std::size_t(lo + k), at[k]);
    }
}

struct Parts { int left_hi, right_lo; }; // [lo, left_hi] and [right_lo, hi]

// Orders first, middle and last (smallest to the front, then largest to
// the back), takes the middle as pivot p, swaps out-of-place pairs found by
// scanning up from lo+1 over elements <= p and down from hi over elements
// > p until the scans cross, then leaves the run of elements equal to p
// just left of the crossing out of the left part.
template <class Order, class V>
Parts partition(const V& v, int lo, int hi) {
    const int mid = lo + (hi - lo + 1) / 2;
    if (Order::after(v.at(lo), v.at(mid))) v.swap(lo, mid);
    if (Order::after(v.at(lo), v.at(hi))) v.swap(lo, hi);
    if (Order::after(v.at(mid), v.at(hi))) v.swap(mid, hi);
    const auto p = v.at(mid);
    int i = lo + 1, j = hi;
    for (;;) {
        while (i <= hi && Order::not_after(v.at(i), p)) ++i;
        while (Order::after(v.at(j), p)) --j; // stops at lo at the latest
        if (i > j) break;
        v.swap(i, j);
        ++i;
        --j;
    }
    const int right_lo = j + 1;
    while (j >= lo && v.at(j) == p) --j;
    return Parts{j, right_lo};
}

template <class Order, class V>
void quicksort(const V& v, int lo, int hi) {
    struct Range { int lo, hi; };
    Range pending[64]; // the larger part waits, so depth stays below 32
    int depth = 0;
    for (;;) {
        while (hi - lo + 1 > kSelectionMax) {
            const Parts parts = partition<Order>(v, lo, hi);
            const Range left{lo, parts.left_hi}, right{parts.right_lo, hi};
            const bool left_larger = left.hi - left.lo > right.hi - right.lo;
            pending[depth++] = left_larger ? left : right;
            lo = left_larger ? right.lo : left.lo;
            hi = left_larger ? right.hi : left.hi;
        }
        selection_sort<Order>(v, lo, hi);
        if (depth == 0) return;
        --depth;
        lo = pending[depth].lo;
        hi = pending[depth].hi;
    }
}

// Sorted values are the same whatever the algorithm unless two elements
// compare equal with different bits (-0.0 and +0.0) or a NaN is present;
// only then do the values need the moves described above.
template <class T>
bool order_has_one_outcome(const T* x, int len) {
    if constexpr (std::is_integral_v<T>) {
        return true;
    } else {
        bool nan = false, neg_zero = false, pos_zero = false;
        for (std::size_t i = 0, n = std::size_t(len); i < n; ++i) {
            const T v = load_elem(x, i);
            nan |= v != v;
            neg_zero |= v == T(0) && std::signbit(v);
            pos_zero |= v == T(0) && !std::signbit(v);
        }
        return !nan && !(neg_zero && pos_zero);
    }
}

template <class Order, class T>
VekStatus sort_values(T* src_dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src_dst));
    const Vectors<T, false> v{src_dst, nullptr};
    if (order_has_one_outcome(src_dst, len))
        fast_sort<Order>(src_dst, len, [&](int lo, int hi) { quicksort<Order>(v, lo, hi); });
    else
        quicksort<Order>(v, 0, len - 1);
    return vekStsOk;
}

template <class Order, class T>
VekStatus sort_with_index(T* src_dst, int* dst_index, int len) {
    VEKS_CHECK(check_ptrs_len(len, src_dst, dst_index));
    for (int k = 0; k < len; ++k) store_elem(dst_index, std::size_t(k), k);
    quicksort<Order>(Vectors<T, true>{src_dst, dst_index}, 0, len - 1);
    return vekStsOk;
}

} // namespace
} // namespace veks::sorting

using namespace veks::sorting;

#define VEKS_SORT_COMPARE(s)                                                                          \
    VEKS_API VekStatus veksSortAscend_##s##_I(Vek##s* pSrcDst, int len) {                             \
        return sort_values<Ascending>(pSrcDst, len);                                                  \
    }                                                                                                 \
    VEKS_API VekStatus veksSortDescend_##s##_I(Vek##s* pSrcDst, int len) {                            \
        return sort_values<Descending>(pSrcDst, len);                                                 \
    }                                                                                                 \
    VEKS_API VekStatus veksSortIndexAscend_##s##_I(Vek##s* pSrcDst, int* pDstIndx, int len) {         \
        return sort_with_index<Ascending>(pSrcDst, pDstIndx, len);                                    \
    }                                                                                                 \
    VEKS_API VekStatus veksSortIndexDescend_##s##_I(Vek##s* pSrcDst, int* pDstIndx, int len) {        \
        return sort_with_index<Descending>(pSrcDst, pDstIndx, len);                                   \
    }

VEKS_SORT_COMPARE(8u)
VEKS_SORT_COMPARE(16u)
VEKS_SORT_COMPARE(16s)
VEKS_SORT_COMPARE(32s)
VEKS_SORT_COMPARE(32f)
VEKS_SORT_COMPARE(64f)
