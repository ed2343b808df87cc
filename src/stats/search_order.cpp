// CountInRange, FindNearestOne, FindNearest and MaxOrder.
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/checks.h"
#include "core/export.h"
#include "core/unaligned.h"

namespace veks::stats {
namespace {

VekStatus count_in_range(const Vek32s* src, int len, int* count, Vek32s lower, Vek32s upper) {
    VEKS_CHECK(check_ptrs_len(len, src, count));
    int c = 0;
    for (int k = 0; k < len; ++k) {
        const Vek32s v = load_elem(src, k);
        c += (v > lower) & (v < upper);
    }
    store_elem(count, 0, c);
    return vekStsOk;
}

// Index of the entry of an ascending table nearest to v; a tie goes to the
// lower entry, values beyond the ends map to the ends.
int nearest_index(Vek16u v, const Vek16u* table, int n) {
    const auto at = [table](int i) { return load_elem(table, i); };
    if (v <= at(0)) return 0;
    if (v >= at(n - 1)) return n - 1;
    int lo = 0, hi = n - 1; // table[lo] <= v < table[hi]
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (at(mid) <= v) lo = mid;
        else hi = mid;
    }
    return v - at(lo) <= at(hi) - v ? lo : hi;
}

VekStatus find_nearest_one(Vek16u v, Vek16u* out_value, int* out_index, const Vek16u* table, int table_len) {
    VEKS_CHECK(check_ptrs_len(table_len, out_value, out_index, table));
    const int k = nearest_index(v, table, table_len);
    store_elem(out_value, 0, load_elem(table, k));
    store_elem(out_index, 0, k);
    return vekStsOk;
}

VekStatus find_nearest(const Vek16u* src, Vek16u* out_values, int* out_indexes, int len, const Vek16u* table,
                       int table_len) {
    VEKS_CHECK(check_ptrs_len(len, src, out_values, out_indexes, table));
    VEKS_CHECK(check_len(table_len));
    for (int i = 0; i < len; ++i) {
        const int k = nearest_index(load_elem(src, i), table, table_len);
        store_elem(out_values, i, load_elem(table, k));
        store_elem(out_indexes, i, k);
    }
    return vekStsOk;
}

// Integer data: significant bits of the largest magnitude.
template <class T>
VekStatus max_order_int(const T* src, int len, int* order) {
    VEKS_CHECK(check_len(len));
    VEKS_CHECK(check_ptrs(src, order));
    std::uint32_t m = 0;
    for (int k = 0; k < len; ++k) {
        const std::int64_t v = load_elem(src, k);
        const std::uint32_t a = static_cast<std::uint32_t>(v < 0 ? -v : v);
        m = a > m ? a : m;
    }
    int bits = 0;
    while (bits < 32 && (m >> bits) != 0) ++bits;
    store_elem(order, 0, bits);
    return vekStsOk;
}

// Float data: the binary exponent of the largest finite magnitude.
template <class F>
VekStatus max_order_float(const F* src, int len, int* order) {
    VEKS_CHECK(check_len(len));
    VEKS_CHECK(check_ptrs(src, order));
    using L = std::numeric_limits<F>;
    VekStatus status = vekStsOk;
    F m = 0;
    for (int k = 0; k < len; ++k) {
        const F a = std::fabs(load_elem(src, k));
        if (!(a <= L::max())) {
            status = vekStsNonNormalData; // infinity or NaN counts as 0
            continue;
        }
        m = a > m ? a : m;
    }
    if (m == 0) {
        store_elem(order, 0, 0);
    } else if (m < L::min()) {
        store_elem(order, 0, L::min_exponent - 1); // below every normal order: -126 or -1022
        status = vekStsNonNormalData;
    } else {
        int e;
        std::frexp(m, &e);
        store_elem(order, 0, e);
    }
    return status;
}

} // namespace
} // namespace veks::stats

using namespace veks::stats;

VEKS_API VekStatus veksCountInRange_32s(const Vek32s* pSrc, int len, int* pCount, Vek32s lowerBound, Vek32s upperBound) { return count_in_range(pSrc, len, pCount, lowerBound, upperBound); }
VEKS_API VekStatus veksFindNearestOne_16u(Vek16u inpVal, Vek16u* pOutVal, int* pOutIndex, const Vek16u* pTable, int tblLen) { return find_nearest_one(inpVal, pOutVal, pOutIndex, pTable, tblLen); }
VEKS_API VekStatus veksFindNearest_16u(const Vek16u* pVals, Vek16u* pOutVals, int* pOutIndexes, int len, const Vek16u* pTable, int tblLen) { return find_nearest(pVals, pOutVals, pOutIndexes, len, pTable, tblLen); }
VEKS_API VekStatus veksMaxOrder_16s(const Vek16s* pSrc, int len, int* pOrder) { return max_order_int(pSrc, len, pOrder); }
VEKS_API VekStatus veksMaxOrder_32s(const Vek32s* pSrc, int len, int* pOrder) { return max_order_int(pSrc, len, pOrder); }
VEKS_API VekStatus veksMaxOrder_32f(const Vek32f* pSrc, int len, int* pOrder) { return max_order_float(pSrc, len, pOrder); }
VEKS_API VekStatus veksMaxOrder_64f(const Vek64f* pSrc, int len, int* pOrder) { return max_order_float(pSrc, len, pOrder); }
