// Sorting: the comparison sort against a literal recursive transcription of
// its algorithm (values and permutation bit for bit, with duplicates,
// signed zeros and NaNs), the radix sort against a stable reference sort,
// and the check order. Every array starts at an odd byte offset.
#include <algorithm>
#include <cmath>
#include <limits>
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

template <class T>
bool same_bits_all(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), vt::same_bits<T>);
}

// Random keys with many repeats: a few distinct values, the type's extremes
// and, for floating point, signed zeros, infinities and (optionally) NaNs.
template <class T>
std::vector<T> keys(vt::Rng& rng, int n, bool with_nan) {
    using L = std::numeric_limits<T>;
    std::vector<T> pool = {L::lowest(), L::max(), T(0), T(1), T(7)};
    if constexpr (!L::is_integer) {
        pool.insert(pool.end(), {T(-0.0), T(-0.0), L::infinity(), -L::infinity(), T(-2.5)});
        if (with_nan) pool.insert(pool.end(), {L::quiet_NaN(), -L::quiet_NaN()});
    } else if (L::is_signed) {
        pool.push_back(T(-1));
    }
    std::vector<T> v(n);
    const double lo = L::is_signed ? -100 : 0;
    for (T& x : v) x = rng.integer(0, 3) ? pool[rng.integer<std::size_t>(0, pool.size() - 1)] : T(rng.real(lo, lo + 200));
    return v;
}

const int kLengths[] = {1, 2, 9, 10, 11, 40, 1000, 3000};

template <class T>
struct CompareMembers {
    VekStatus (*sort[2])(T*, int);               // ascending, descending
    VekStatus (*sort_index[2])(T*, int*, int);
};
#define COMPARE_MEMBERS(s)                                                                        \
    CompareMembers<Vek##s> {                                                                      \
        {veksSortAscend_##s##_I, veksSortDescend_##s##_I},                                        \
        {veksSortIndexAscend_##s##_I, veksSortIndexDescend_##s##_I}                               \
    }

template <class T>
void expect_literal_order(const CompareMembers<T>& m) {
    vt::Rng rng(sizeof(T) * 11);
    for (int n : kLengths)
        for (int shape = 0; shape < 3; ++shape)
            for (int dir = 0; dir < 2; ++dir) {
                std::vector<T> x = keys<T>(rng, n, true);
                if (shape == 1) std::sort(x.begin(), x.end(), [](T a, T b) { return a < b; }); // already ordered runs
                if (shape == 2) std::fill(x.begin(), x.end(), x[0]);                            // all equal
                LiteralSort<T> ref{x, std::vector<int>(n), dir == 1};
                std::iota(ref.index.begin(), ref.index.end(), 0);
                ref.sort(0, n - 1);
                vt::Misaligned<T> values(x), indexed(x);
                vt::Misaligned<int> index(n);
                ASSERT_EQ(m.sort[dir](values.data(), n), vekStsOk);
                ASSERT_EQ(m.sort_index[dir](indexed.data(), index.data(), n), vekStsOk);
                EXPECT_TRUE(same_bits_all(values.values(), ref.v)) << "n " << n << " shape " << shape << " dir " << dir;
                EXPECT_TRUE(same_bits_all(indexed.values(), ref.v)) << "n " << n << " shape " << shape;
                EXPECT_EQ(index.values(), ref.index) << "n " << n << " shape " << shape << " dir " << dir;
            }
}

TEST(Sort, ComparisonSortFollowsItsAlgorithm) {
    expect_literal_order(COMPARE_MEMBERS(8u));
    expect_literal_order(COMPARE_MEMBERS(16u));
    expect_literal_order(COMPARE_MEMBERS(16s));
    expect_literal_order(COMPARE_MEMBERS(32s));
    expect_literal_order(COMPARE_MEMBERS(32f));
    expect_literal_order(COMPARE_MEMBERS(64f));
}

TEST(Sort, ComparisonSortExamples) {
    Vek32s a[3] = {3, 1, 2}, d[3] = {3, 1, 2};
    EXPECT_EQ(veksSortAscend_32s_I(a, 3), vekStsOk);
    EXPECT_EQ(veksSortDescend_32s_I(d, 3), vekStsOk);
    EXPECT_EQ(std::vector<Vek32s>(a, a + 3), (std::vector<Vek32s>{1, 2, 3}));
    EXPECT_EQ(std::vector<Vek32s>(d, d + 3), (std::vector<Vek32s>{3, 2, 1}));
    Vek16s v[2] = {5, 4};
    int idx[2];
    EXPECT_EQ(veksSortIndexAscend_16s_I(v, idx, 2), vekStsOk);
    EXPECT_EQ(std::vector<Vek16s>(v, v + 2), (std::vector<Vek16s>{4, 5}));
    EXPECT_EQ(std::vector<int>(idx, idx + 2), (std::vector<int>{1, 0}));
    // one element: unchanged, index 0
    Vek64f one = -0.0;
    idx[0] = 99;
    EXPECT_EQ(veksSortIndexDescend_64f_I(&one, idx, 1), vekStsOk);
    EXPECT_TRUE(std::signbit(one) && idx[0] == 0);
}

// ---- radix sort ----------------------------------------------------------------------

// Reference order: numeric, -0.0 before +0.0; stable_sort keeps equal keys in input order.
template <class T>
bool radix_less(T a, T b) {
    if constexpr (std::numeric_limits<T>::is_integer) return a < b;
    else return a < b || (a == b && std::signbit(a) && !std::signbit(b));
}

template <class T>
struct RadixMembers {
    VekStatus (*sort[2])(T*, T*, int);
    VekStatus (*index[2])(const T*, int, int*, int*, int);
};
#define RADIX_MEMBERS(s)                                                                          \
    RadixMembers<Vek##s> {                                                                        \
        {veksSortRadixAscend_##s##_I, veksSortRadixDescend_##s##_I},                              \
        {veksSortRadixIndexAscend_##s, veksSortRadixIndexDescend_##s}                             \
    }

template <class T>
void expect_stable_radix(const RadixMembers<T>& m) {
    vt::Rng rng(sizeof(T) * 5 + 1);
    for (int n : kLengths)
        for (int dir = 0; dir < 2; ++dir)
            for (int stride : {int(sizeof(T)), 12}) {
                const std::vector<T> x = keys<T>(rng, n, false);
                auto before = [&](int i, int j) { return dir ? radix_less(x[j], x[i]) : radix_less(x[i], x[j]); };
                std::vector<int> want(n);
                std::iota(want.begin(), want.end(), 0);
                std::stable_sort(want.begin(), want.end(), before);
                std::vector<T> sorted(n);
                for (int k = 0; k < n; ++k) sorted[k] = x[want[k]];

                vt::Misaligned<T> values(x), tmp(n);
                ASSERT_EQ(m.sort[dir](values.data(), tmp.data(), n), vekStsOk);
                EXPECT_TRUE(same_bits_all(values.values(), sorted)) << "n " << n << " dir " << dir;
                // keys inside records of `stride` bytes
                vt::Misaligned<unsigned char> records(std::size_t(n) * stride);
                std::vector<unsigned char> bytes(std::size_t(n) * stride, 0xEE);
                for (int k = 0; k < n; ++k) std::memcpy(&bytes[std::size_t(k) * stride], &x[k], sizeof(T));
                records.assign(bytes);
                vt::Misaligned<int> index(n), tmp_index(n);
                ASSERT_EQ(m.index[dir](reinterpret_cast<const T*>(records.data()), stride, index.data(), tmp_index.data(), n), vekStsOk);
                EXPECT_EQ(index.values(), want) << "n " << n << " dir " << dir << " stride " << stride;
                EXPECT_EQ(records.values(), bytes) << "source changed";
            }
}

TEST(Sort, RadixSortIsStable) {
    expect_stable_radix(RADIX_MEMBERS(8u));
    expect_stable_radix(RADIX_MEMBERS(16u));
    expect_stable_radix(RADIX_MEMBERS(16s));
    expect_stable_radix(RADIX_MEMBERS(32s));
    expect_stable_radix(RADIX_MEMBERS(32u));
    expect_stable_radix(RADIX_MEMBERS(32f));
}

TEST(Sort, RadixExamples) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    std::vector<Vek32f> f = {-1.5f, 2, -0.0f, 0.0f, -3}, tf(5);
    EXPECT_EQ(veksSortRadixAscend_32f_I(f.data(), tf.data(), 5), vekStsOk);
    EXPECT_TRUE(same_bits_all(f, {-3, -1.5f, -0.0f, 0.0f, 2}));
    f = {nan, 1, -nan, inf, -inf};
    EXPECT_EQ(veksSortRadixAscend_32f_I(f.data(), tf.data(), 5), vekStsOk);
    EXPECT_TRUE(same_bits_all(f, {-nan, -inf, 1, inf, nan})); // NaNs beyond the infinities by sign
    EXPECT_EQ(veksSortRadixDescend_32f_I(f.data(), tf.data(), 5), vekStsOk);
    EXPECT_TRUE(same_bits_all(f, {nan, inf, 1, -inf, -nan}));
    std::vector<Vek32s> s = {-2147483647 - 1, 2147483647, 0}, ts(3);
    EXPECT_EQ(veksSortRadixAscend_32s_I(s.data(), ts.data(), 3), vekStsOk);
    EXPECT_EQ(s, (std::vector<Vek32s>{-2147483647 - 1, 0, 2147483647}));
    const Vek16u k[3] = {7, 7, 1};
    int idx[3], tmp[3];
    EXPECT_EQ(veksSortRadixIndexAscend_16u(k, 2, idx, tmp, 3), vekStsOk);
    EXPECT_EQ(std::vector<int>(idx, idx + 3), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(veksSortRadixIndexDescend_16u(k, 2, idx, tmp, 3), vekStsOk);
    EXPECT_EQ(std::vector<int>(idx, idx + 3), (std::vector<int>{0, 1, 2}));
}

// ---- checks ----------------------------------------------------------------------------

template <class... F> void ptrs_then_len(F... f) { (st::expect_checks(f), ...); }

TEST(Sort, PointersThenLength) {
#define SORT_VALUE_MEMBERS(s) veksSortAscend_##s##_I, veksSortDescend_##s##_I, veksSortIndexAscend_##s##_I, veksSortIndexDescend_##s##_I
#define SORT_RADIX_MEMBERS(s) veksSortRadixAscend_##s##_I, veksSortRadixDescend_##s##_I
    ptrs_then_len(SORT_VALUE_MEMBERS(8u), SORT_VALUE_MEMBERS(16u), SORT_VALUE_MEMBERS(16s), SORT_VALUE_MEMBERS(32s),
                  SORT_VALUE_MEMBERS(32f), SORT_VALUE_MEMBERS(64f));
    ptrs_then_len(SORT_RADIX_MEMBERS(8u), SORT_RADIX_MEMBERS(16u), SORT_RADIX_MEMBERS(16s), SORT_RADIX_MEMBERS(32s),
                  SORT_RADIX_MEMBERS(32u), SORT_RADIX_MEMBERS(32f));
}

// Index forms: (src, stride, dst, tmp, len); the stride check follows the length check.
template <class T>
void expect_radix_index_checks(const RadixMembers<T>& m) {
    const T src[4] = {};
    for (auto* fn : m.index) {
        vt::Guarded<int> dst(4), tmp(4);
        EXPECT_EQ(fn(nullptr, 0, dst.data(), tmp.data(), 0), vekStsNullPtr);
        EXPECT_EQ(fn(src, 0, nullptr, tmp.data(), 0), vekStsNullPtr);
        EXPECT_EQ(fn(src, 0, dst.data(), nullptr, 0), vekStsNullPtr);
        EXPECT_EQ(fn(src, int(sizeof(T)), dst.data(), tmp.data(), 0), vekStsBadLength);
        EXPECT_EQ(fn(src, int(sizeof(T)) - 1, dst.data(), tmp.data(), 4), vekStsBadLength);
        EXPECT_TRUE(dst.intact() && tmp.intact());
    }
}

TEST(Sort, RadixIndexChecks) {
    expect_radix_index_checks(RADIX_MEMBERS(8u));
    expect_radix_index_checks(RADIX_MEMBERS(16u));
    expect_radix_index_checks(RADIX_MEMBERS(16s));
    expect_radix_index_checks(RADIX_MEMBERS(32s));
    expect_radix_index_checks(RADIX_MEMBERS(32u));
    expect_radix_index_checks(RADIX_MEMBERS(32f));
    const Vek32s rec[2] = {5, 0};
    int idx[1], tmp[1];
    EXPECT_EQ(veksSortRadixIndexAscend_32s(rec, 2, idx, tmp, 1), vekStsBadLength);
}

} // namespace
