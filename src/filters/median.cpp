// Running median filter with replicated edges: comparison networks for
// masks of 3 and 5, a sorted window for larger masks. Every output is the
// median of original inputs, also in place.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/checks.h"
#include "core/export.h"
#include "filters/conv_fft.h"
#include "filters/median_keys.h"

namespace veks::filt {
namespace {

template <class K> inline void sort2(K& a, K& b) {
    const K lo = std::min(a, b);
    b = std::max(a, b);
    a = lo;
}
template <class K> inline K median3(K a, K b, K c) {
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}
// Median of five with six compare-exchanges.
template <class K> inline K median5(K a, K b, K c, K d, K e) {
    sort2(a, b);
    sort2(c, d);
    // The smaller of the two pair minima is below three others: drop it.
    if (a > c) { std::swap(a, c); std::swap(b, d); }
    // Now a is out; the median of b, c, d, e is the 2nd smallest of four
    // after dropping a: it is the median of 3 among b, e and the pair (c, d).
    sort2(b, e);
    if (b > c) { std::swap(b, c); std::swap(e, d); }
    // b is the second smallest overall; the median is min(e, c).
    return std::min(e, c);
}

// Masks of 3 and 5 (half = 1 or 2); indices beyond the ends read the end values.
template <class T>
void median_small(T* x, int len, int half) {
    using M = MedianKey<T>;
    using K = typename M::K;
    auto at = [&](int i) -> K { return M::to(load(x + std::clamp(i, 0, len - 1))); };
    if (half == 1) {
        K a = at(-1), b = at(0);
        for (int k = 0; k < len; ++k) {
            const K c = at(k + 1);
            store(x + k, M::from(median3(a, b, c)));
            a = b;
            b = c;
        }
        return;
    }
    K a = at(-2), b = at(-1), c = at(0), d = at(1);
    for (int k = 0; k < len; ++k) {
        const K e = at(k + 2);
        store(x + k, M::from(median5(a, b, c, d, e)));
        a = b;
        b = c;
        c = d;
        d = e;
    }
}

// One step of a sorted window without branches on the data: `out` becomes
// `s` with `leaving` removed and `next` inserted in order. Both hold `slots`
// keys (a multiple of 8): the window, then the largest key as padding,
// which never counts as below another key and stays at the end. s[-1] and
// s[slots] must be readable (their values are never selected). 32-bit keys
// take the SSE2 twin below where available.
template <class K>
void window_step(const K* __restrict s, K* __restrict out, std::size_t slots, K leaving, K next) {
    int r = 0, c = 0;
    for (std::size_t g = 0; g < slots; g += 8)
        for (int l = 0; l < 8; ++l) {
            r += s[g + l] < leaving; // the leaving key's first place
            c += s[g + l] < next;
        }
    const int p = c - (leaving < next); // the entering key's place among the others
    for (std::size_t g = 0; g < slots; g += 8)
        for (int l = 0; l < 8; ++l) {
            const int i = int(g) + l;
            const K left = s[i - 1], mid = s[i], right = s[i + 1];
            const K here = i >= r ? right : mid;    // i-th key left after the removal
            const K before = i > r ? mid : left;    // (i-1)-th key left
            out[i] = i < p ? here : (i == p ? next : before);
        }
}

#if defined(__SSE2__)
// The same step for 32-bit keys, four at a time; s and out 16-byte aligned.
// The neighbours of each group come from the aligned loads by byte shifts,
// so every load reads whole groups that the previous step stored.
inline void window_step(const std::int32_t* __restrict s, std::int32_t* __restrict out, std::size_t slots,
                        std::int32_t leaving, std::int32_t next) {
    const __m128i vl = _mm_set1_epi32(leaving), vn = _mm_set1_epi32(next);
    __m128i below_l = _mm_setzero_si128(), below_n = _mm_setzero_si128();
    for (std::size_t g = 0; g < slots; g += 4) {
        const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(s + g));
        below_l = _mm_sub_epi32(below_l, _mm_cmplt_epi32(v, vl));
        below_n = _mm_sub_epi32(below_n, _mm_cmplt_epi32(v, vn));
    }
    auto total = [](__m128i v) {
        v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
        v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
        return _mm_cvtsi128_si32(v);
    };
    const int r = total(below_l);
    const int p = total(below_n) - (leaving < next);
    const __m128i vr = _mm_set1_epi32(r), vp = _mm_set1_epi32(p), four = _mm_set1_epi32(4);
    __m128i idx = _mm_setr_epi32(0, 1, 2, 3);
    __m128i prev = _mm_setzero_si128();
    __m128i mid = _mm_load_si128(reinterpret_cast<const __m128i*>(s));
    for (std::size_t g = 0; g < slots; g += 4) {
        const __m128i after = g + 4 < slots ? _mm_load_si128(reinterpret_cast<const __m128i*>(s + g + 4))
                                            : _mm_setzero_si128();
        const __m128i left = _mm_or_si128(_mm_slli_si128(mid, 4), _mm_srli_si128(prev, 12));
        const __m128i right = _mm_or_si128(_mm_srli_si128(mid, 4), _mm_slli_si128(after, 12));
        const __m128i keep_mid = _mm_cmplt_epi32(idx, vr); // i < r: the key stays
        const __m128i here = _mm_or_si128(_mm_and_si128(keep_mid, mid), _mm_andnot_si128(keep_mid, right));
        const __m128i take_mid = _mm_cmpgt_epi32(idx, vr); // i > r: the (i-1)-th key left is s[i]
        const __m128i before = _mm_or_si128(_mm_and_si128(take_mid, mid), _mm_andnot_si128(take_mid, left));
        const __m128i lt_p = _mm_cmplt_epi32(idx, vp), eq_p = _mm_cmpeq_epi32(idx, vp);
        const __m128i upper = _mm_or_si128(_mm_and_si128(eq_p, vn), _mm_andnot_si128(eq_p, before));
        _mm_store_si128(reinterpret_cast<__m128i*>(out + g),
                        _mm_or_si128(_mm_and_si128(lt_p, here), _mm_andnot_si128(lt_p, upper)));
        prev = mid;
        mid = after;
        idx = _mm_add_epi32(idx, four);
    }
}
#endif

// Window shifts by insertion for large masks: the keys between the leaving
// and the entering place move by one.
template <class K>
void window_shift(K* sorted, int m, K leaving, K next) {
    int pos = int(std::lower_bound(sorted, sorted + m, leaving) - sorted);
    if (next > leaving) {
        while (pos + 1 < m && sorted[pos + 1] < next) {
            sorted[pos] = sorted[pos + 1];
            ++pos;
        }
    } else {
        while (pos > 0 && sorted[pos - 1] > next) {
            sorted[pos] = sorted[pos - 1];
            --pos;
        }
    }
    sorted[pos] = next;
}

// Masks up to this size rebuild their window without branches each step.
constexpr int kBranchFreeMask = 64;

// Keys around each sorted copy of the window: one 16-byte group.
template <class K> constexpr std::size_t kGuard = 16 / sizeof(K);

// Larger masks keep a sorted window of the mask in `work` (16-byte
// aligned: two copies of `slots` keys, each with a guard group on both
// sides, for the branch-free step) and the same keys in arrival order in
// `ring`.
template <class T>
void median_sorted(T* x, int len, int mask, typename MedianKey<T>::K* work, std::size_t slots,
                   typename MedianKey<T>::K* ring) {
    using M = MedianKey<T>;
    using K = typename M::K;
    const int half = mask / 2;
    auto at = [&](int i) -> K { return M::to(load(x + std::clamp(i, 0, len - 1))); };
    K* cur = work + kGuard<K>;
    K* spare = work + slots + 2 * kGuard<K>;
    std::fill(work, work + 2 * slots + 3 * kGuard<K>, std::numeric_limits<K>::max());
    for (int j = 0; j < mask; ++j) ring[j] = cur[j] = at(j - half);
    std::sort(cur, cur + mask);
    int oldest = 0;
    for (int k = 0; k < len; ++k) {
        const K next = at(k + half + 1); // read before output k is written
        store(x + k, M::from(cur[half]));
        if (k + 1 == len) break;
        const K leaving = ring[oldest];
        ring[oldest] = next;
        oldest = oldest + 1 == mask ? 0 : oldest + 1;
        if (mask <= kBranchFreeMask) {
            window_step(cur, spare, slots, leaving, next);
            std::swap(cur, spare);
        } else if (next != leaving) {
            window_shift(cur, mask, leaving, next);
        }
    }
}

// Masks up to this size keep their window on the stack.
constexpr int kStackMask = 255;

// Filters src into dst (the same array for the in-place form). A window too
// large for the stack is allocated before anything is written, so a failed
// allocation leaves dst as it was.
template <class T>
VekStatus median_filter(const T* src, T* dst, int len, int mask) {
    VEKS_CHECK(check_ptrs(src, dst));
    if (len < 1 || mask < 1) return vekStsBadLength;
    const VekStatus done = mask % 2 == 0 ? vekStsEvenMaskSize : vekStsOk;
    if (mask % 2 == 0) --mask;
    using K = typename MedianKey<T>::K;
    // Window scratch: two sorted copies with guard keys, then the arrival
    // ring; the mask rounded up to 8 slots each.
    const std::size_t slots = (static_cast<std::size_t>(mask) + 7) / 8 * 8;
    const std::size_t ring_at = 2 * slots + 3 * kGuard<K>;
    const bool on_heap = mask > kStackMask && len >= 3;
    Scratch<K> heap(on_heap ? ring_at + slots : 0);
    if (on_heap && heap.empty()) return vekStsNoMemory;
    if (src != dst) std::memmove(dst, src, sizeof(T) * len);
    if (mask == 1 || len < 3) return done;
    if (mask <= 5) {
        median_small(dst, len, mask / 2);
        return done;
    }
    if (on_heap) {
        median_sorted(dst, len, mask, heap.get(), slots, heap.get() + ring_at);
        return done;
    }
    alignas(16) K window[3 * ((kStackMask + 7) / 8 * 8) + 3 * kGuard<K>];
    median_sorted(dst, len, mask, window, slots, window + ring_at);
    return done;
}

} // namespace
} // namespace veks::filt

#define VEKS_EXPORT_MEDIAN(s)                                                                     \
    VEKS_API VekStatus veksFilterMedian_##s##_I(Vek##s* pSrcDst, int len, int maskSize) {         \
        return veks::filt::median_filter(pSrcDst, pSrcDst, len, maskSize);                              \
    }                                                                                             \
    VEKS_API VekStatus veksFilterMedian_##s(const Vek##s* pSrc, Vek##s* pDst, int len, int maskSize) { \
        return veks::filt::median_filter(pSrc, pDst, len, maskSize);                                    \
    }
VEKS_EXPORT_MEDIAN(8u)
VEKS_EXPORT_MEDIAN(16s)
VEKS_EXPORT_MEDIAN(32s)
VEKS_EXPORT_MEDIAN(32f)
VEKS_EXPORT_MEDIAN(64f)
#undef VEKS_EXPORT_MEDIAN
