// A faster in-place sort for data whose sorted values do not depend on the
// algorithm: quicksort with a branch-free partition (every element is
// exchanged with the boundary and the boundary advances by the comparison
// result, so nothing is mispredicted) and insertion sort for short ranges.
#pragma once

#include <cstddef>

#include "core/unaligned.h"

namespace veks::sorting {

constexpr int kInsertionMax = 16;

template <class Order, class T>
void insertion_sort(T* a, int lo, int hi) {
    for (int i = lo + 1; i <= hi; ++i) {
        const T x = load_elem(a, std::size_t(i));
        int j = i;
        for (; j > lo && Order::after(load_elem(a, std::size_t(j - 1)), x); --j)
            store_elem(a, std::size_t(j), load_elem(a, std::size_t(j - 1)));
        store_elem(a, std::size_t(j), x);
    }
}

// Moves the elements for which goes_left holds to the front of [lo, hi] and
// returns where the rest begins.
template <class T, class Pred>
int partition_branch_free(T* a, int lo, int hi, Pred goes_left) {
    int boundary = lo;
    for (int i = lo; i <= hi; ++i) {
        const T x = load_elem(a, std::size_t(i));
        store_elem(a, std::size_t(i), load_elem(a, std::size_t(boundary)));
        store_elem(a, std::size_t(boundary), x);
        boundary += goes_left(x) ? 1 : 0;
    }
    return boundary;
}

// `fallback(lo, hi)` sorts a range that has needed too many partitions
// (an adversarial order).
template <class Order, class T, class Fallback>
void fast_sort(T* a, int len, Fallback fallback) {
    struct Range { int lo, hi, budget; };
    Range pending[64];
    int depth = 0, budget = 2;
    for (int n = len; n > 1; n >>= 1) budget += 2;
    int lo = 0, hi = len - 1;
    for (;;) {
        while (hi - lo + 1 > kInsertionMax) {
            if (budget-- == 0) {
                fallback(lo, hi);
                lo = hi; // nothing left of this range
                break;
            }
            // median of first, middle and last goes to the front as pivot
            const int mid = lo + (hi - lo) / 2;
            if (Order::after(load_elem(a, std::size_t(lo)), load_elem(a, std::size_t(mid)))) swap_elems(a, std::size_t(lo), std::size_t(mid));
            if (Order::after(load_elem(a, std::size_t(mid)), load_elem(a, std::size_t(hi)))) swap_elems(a, std::size_t(mid), std::size_t(hi));
            if (Order::after(load_elem(a, std::size_t(lo)), load_elem(a, std::size_t(mid)))) swap_elems(a, std::size_t(lo), std::size_t(mid));
            swap_elems(a, std::size_t(lo), std::size_t(mid));
            const T p = load_elem(a, std::size_t(lo));
            int split = partition_branch_free(a, lo + 1, hi, [p](T x) { return Order::after(p, x); });
            swap_elems(a, std::size_t(lo), std::size_t(split - 1)); // pivot to its place
            int left_hi = split - 2, right_lo = split;
            if (left_hi < lo) // the pivot is the smallest: gather its equals, which are done
                right_lo = partition_branch_free(a, split, hi, [p](T x) { return !Order::after(x, p); });
            const bool left_larger = left_hi - lo > hi - right_lo;
            pending[depth++] = left_larger ? Range{lo, left_hi, budget} : Range{right_lo, hi, budget};
            if (left_larger) lo = right_lo;
            else hi = left_hi;
        }
        if (hi > lo) insertion_sort<Order>(a, lo, hi);
        if (depth == 0) return;
        --depth;
        lo = pending[depth].lo;
        hi = pending[depth].hi;
        budget = pending[depth].budget;
    }
}

} // namespace veks::sorting
