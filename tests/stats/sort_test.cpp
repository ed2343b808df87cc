// Sorting: the comparison sort against a literal recursive transcription of its algorithm
// (values and permutation bit for bit, with duplicates, signed zeros and NaNs), the radix
// sort against a stable reference sort. Every array starts at an odd byte offset.
#include <numeric>

#include "byte_offset.h"
#include "stats_test_util.h"

namespace {

// The described comparison sort, written recursively.
template <class T>
struct LiteralSort {
    std::vector<T> v;
    std::vector<int> index;
    bool descend;

    bool after(T a, T b) const { return descend ? a < b : a > b; }
    bool not_after(T a, T b) const { return descend ? a >= b : a <= b; }
    void swap(int i, int j) { std::swap(v[i], v[j]), std::swap(index[i], index[j]); }

    void sort(int lo, int hi) {
        const int n = hi - lo + 1;
        if (n <= 9) { // selection sort: first largest to the back
            for (int last = hi; last > lo; --last) {
                int top = lo;
                for (int k = lo + 1; k <= last; ++k)
                    if (after(v[k], v[top])) top = k;
                swap(top, last);
            }
            return;
        }
        const int mid = lo + n / 2;
        if (after(v[lo], v[mid])) swap(lo, mid);
        if (after(v[lo], v[hi])) swap(lo, hi);
        if (after(v[mid], v[hi])) swap(mid, hi);
        const T p = v[mid];
        int i = lo + 1, j = hi;
        for (;;) {
            while (i <= hi && not_after(v[i], p)) ++i;
            while (after(v[j], p)) --j;
            if (i > j) break;
            swap(i++, j--);
        }
        int left_end = j;
        while (left_end >= lo && v[left_end] == p) --left_end;
        sort(lo, left_end);
        sort(j + 1, hi);
    }
};

// Random keys with many repeats: a few distinct values, the type's extremes
// and, for floating point, signed zeros, infinities and NaNs.
template <class T>
std::vector<T> keys(vt::Rng& rng, int n) {
    using L = std::numeric_limits<T>;
    std::vector<T> pool = {L::lowest(), L::max(), T(0), T(1), T(7)};
    if constexpr (!L::is_integer)
        pool.insert(pool.end(), {T(-0.0), T(-0.0), L::infinity(), -L::infinity(), T(-2.5), L::quiet_NaN(), -L::quiet_NaN()});
    else if (L::is_signed)
        pool.push_back(T(-1));
    std::vector<T> v(n);
    const double lo = L::is_signed ? -100 : 0;
    for (T& x : v) x = rng.integer(0, 3) ? pool[rng.integer<std::size_t>(0, pool.size() - 1)] : T(rng.real(lo, lo + 200));
    return v;
}

const int kLengths[] = {1, 2, 9, 10, 11, 40, 1000, 3000};

template <class T>
void expect_literal_order(VekStatus (*ascend)(T*, int), VekStatus (*descend)(T*, int), VekStatus (*index_ascend)(T*, int*, int),
                          VekStatus (*index_descend)(T*, int*, int)) {
    vt::Rng rng(sizeof(T) * 11);
    for (int n : kLengths)
        for (int shape = 0; shape < 3; ++shape)
            for (int dir = 0; dir < 2; ++dir) {
                std::vector<T> x = keys<T>(rng, n);
                if (shape == 1) std::sort(x.begin(), x.end(), [](T a, T b) { return a < b; }); // already ordered runs
                if (shape == 2) std::fill(x.begin(), x.end(), x[0]);                            // all equal
                LiteralSort<T> ref{x, std::vector<int>(n), dir == 1};
                std::iota(ref.index.begin(), ref.index.end(), 0);
                ref.sort(0, n - 1);
                vt::Misaligned<T> values(x), indexed(x);
                vt::Misaligned<int> index(n);
                ASSERT_EQ((dir ? descend : ascend)(values.data(), n), vekStsOk);
                ASSERT_EQ((dir ? index_descend : index_ascend)(indexed.data(), index.data(), n), vekStsOk);
                EXPECT_TRUE(st::same_bits_all(values.values(), ref.v)) << "n " << n << " shape " << shape << " dir " << dir;
                EXPECT_TRUE(st::same_bits_all(indexed.values(), ref.v)) << "n " << n << " shape " << shape;
                EXPECT_EQ(index.values(), ref.index) << "n " << n << " shape " << shape << " dir " << dir;
            }
}

TEST(Sort, ComparisonSortFollowsItsAlgorithm) {
#define LITERAL_ORDER(s) \
    expect_literal_order(veksSortAscend_##s##_I, veksSortDescend_##s##_I, veksSortIndexAscend_##s##_I, veksSortIndexDescend_##s##_I);
    LITERAL_ORDER(8u) LITERAL_ORDER(16u) LITERAL_ORDER(16s) LITERAL_ORDER(32s) LITERAL_ORDER(32f) LITERAL_ORDER(64f)
}

// Reference order: numeric, -0.0 before +0.0, NaNs beyond the infinities by
// their sign; stable_sort keeps equal keys in input order.
template <class T>
bool radix_less(T a, T b) {
    if constexpr (std::numeric_limits<T>::is_integer) return a < b;
    const int na = std::isnan(a) ? (std::signbit(a) ? -1 : 1) : 0, nb = std::isnan(b) ? (std::signbit(b) ? -1 : 1) : 0;
    if (na != nb || na != 0) return na < nb;
    return a < b || (a == b && std::signbit(a) && !std::signbit(b));
}

template <class T>
void expect_stable_radix(VekStatus (*ascend)(T*, T*, int), VekStatus (*descend)(T*, T*, int),
                         VekStatus (*index_ascend)(const T*, int, int*, int*, int), VekStatus (*index_descend)(const T*, int, int*, int*, int)) {
    vt::Rng rng(sizeof(T) * 5 + 1);
    for (int n : kLengths)
        for (int dir = 0; dir < 2; ++dir)
            for (int stride : {int(sizeof(T)), 12}) {
                const std::vector<T> x = keys<T>(rng, n);
                auto before = [&](int i, int j) { return dir ? radix_less(x[j], x[i]) : radix_less(x[i], x[j]); };
                std::vector<int> want(n);
                std::iota(want.begin(), want.end(), 0);
                std::stable_sort(want.begin(), want.end(), before);
                std::vector<T> sorted(n);
                for (int k = 0; k < n; ++k) sorted[k] = x[want[k]];

                vt::Misaligned<T> values(x), tmp(n);
                ASSERT_EQ((dir ? descend : ascend)(values.data(), tmp.data(), n), vekStsOk);
                EXPECT_TRUE(st::same_bits_all(values.values(), sorted)) << "n " << n << " dir " << dir;
                // keys inside records of `stride` bytes
                std::vector<unsigned char> bytes(std::size_t(n) * stride, 0xEE);
                for (int k = 0; k < n; ++k) std::memcpy(&bytes[std::size_t(k) * stride], &x[k], sizeof(T));
                vt::Misaligned<unsigned char> records(bytes);
                vt::Misaligned<int> index(n), tmp_index(n);
                const T* src = reinterpret_cast<const T*>(records.data());
                ASSERT_EQ((dir ? index_descend : index_ascend)(src, stride, index.data(), tmp_index.data(), n), vekStsOk);
                EXPECT_EQ(index.values(), want) << "n " << n << " dir " << dir << " stride " << stride;
                EXPECT_EQ(records.values(), bytes) << "source changed";
            }
}

TEST(Sort, RadixSortIsStable) {
#define STABLE_RADIX(s) \
    expect_stable_radix(veksSortRadixAscend_##s##_I, veksSortRadixDescend_##s##_I, veksSortRadixIndexAscend_##s, veksSortRadixIndexDescend_##s);
    STABLE_RADIX(8u) STABLE_RADIX(16u) STABLE_RADIX(16s) STABLE_RADIX(32s) STABLE_RADIX(32u) STABLE_RADIX(32f)
}

} // namespace
