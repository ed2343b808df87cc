// Running median filter with replicated edges: comparison networks for
// masks of 3 and 5, a sorted window for larger masks. Every output is the
// median of original inputs, also in place.
#include <algorithm>
#include <cstring>

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

// Larger masks: `sorted` holds the window's keys in order, `ring` the same
// keys in arrival order; each step replaces the leaving key by the entering
// one, shifting the keys between their two places by one.
template <class T>
void median_sorted(T* x, int len, int mask, typename MedianKey<T>::K* sorted, typename MedianKey<T>::K* ring) {
    using M = MedianKey<T>;
    using K = typename M::K;
    const int half = mask / 2;
    auto at = [&](int i) -> K { return M::to(load(x + std::clamp(i, 0, len - 1))); };
    for (int j = 0; j < mask; ++j) ring[j] = sorted[j] = at(j - half);
    std::sort(sorted, sorted + mask);
    int oldest = 0;
    for (int k = 0; k < len; ++k) {
        const K next = at(k + half + 1); // read before output k is written
        store(x + k, M::from(sorted[half]));
        if (k + 1 == len) break;
        const K leaving = ring[oldest];
        ring[oldest] = next;
        oldest = oldest + 1 == mask ? 0 : oldest + 1;
        if (next == leaving) continue;
        int pos = int(std::lower_bound(sorted, sorted + mask, leaving) - sorted);
        if (next > leaving) {
            // Shift the keys above the leaving one down while they are below the entering one.
            while (pos + 1 < mask && sorted[pos + 1] < next) {
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
}

// Masks up to this size keep their window on the stack.
constexpr int kStackMask = 255;

template <class T>
VekStatus median_in_place(T* x, int len, int mask) {
    VEKS_CHECK(check_ptrs_len(len, x));
    if (mask < 1) return vekStsBadLength;
    const VekStatus done = mask % 2 == 0 ? vekStsEvenMaskSize : vekStsOk;
    if (mask % 2 == 0) --mask;
    if (mask == 1 || len < 3) return done;
    if (mask <= 5) {
        median_small(x, len, mask / 2);
        return done;
    }
    using K = typename MedianKey<T>::K;
    // Window scratch: the sorted keys and the arrival ring, each rounded up to 8.
    const std::size_t slots = static_cast<std::size_t>(mask + 7) / 8 * 8;
    if (mask <= kStackMask) {
        K window[2 * ((kStackMask + 7) / 8 * 8)];
        median_sorted(x, len, mask, window, window + slots);
        return done;
    }
    Scratch<K> window(2 * slots);
    if (window.empty()) return vekStsNoMemory;
    median_sorted(x, len, mask, window.get(), window.get() + slots);
    return done;
}

template <class T>
VekStatus median(const T* src, T* dst, int len, int mask) {
    VEKS_CHECK(check_ptrs(src, dst));
    if (len < 1 || mask < 1) return vekStsBadLength;
    std::memmove(dst, src, sizeof(T) * len);
    return median_in_place(dst, len, mask);
}

} // namespace
} // namespace veks::filt

#define VEKS_EXPORT_MEDIAN(s)                                                                     \
    VEKS_API VekStatus veksFilterMedian_##s##_I(Vek##s* pSrcDst, int len, int maskSize) {         \
        return veks::filt::median_in_place(pSrcDst, len, maskSize);                              \
    }                                                                                             \
    VEKS_API VekStatus veksFilterMedian_##s(const Vek##s* pSrc, Vek##s* pDst, int len, int maskSize) { \
        return veks::filt::median(pSrc, pDst, len, maskSize);                                    \
    }
VEKS_EXPORT_MEDIAN(8u)
VEKS_EXPORT_MEDIAN(16s)
VEKS_EXPORT_MEDIAN(32s)
VEKS_EXPORT_MEDIAN(32f)
VEKS_EXPORT_MEDIAN(64f)
#undef VEKS_EXPORT_MEDIAN
