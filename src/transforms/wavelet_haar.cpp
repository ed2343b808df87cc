// Haar forward and inverse transforms, floating point and integer.
//
// Integer outputs are exact values times 2^-shift, rounded half to even and
// saturated: the forward half sums and half differences are the exact sums
// and differences with one more step of shift. The exact values are held in
// an integer twice as wide as the data (128 bits for 64-bit data), so no
// intermediate overflows.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"
#include "core/scale.h"
#include "transforms/wavelet_access.h"

namespace veks::wt {
namespace {

__extension__ typedef __int128 Int128;

template <class T>
using exact_t = std::conditional_t<(sizeof(T) <= 2), std::int32_t,
                                   std::conditional_t<(sizeof(T) == 4), std::int64_t, Int128>>;

// v * 2^-shift rounded half to even, saturated to T. |v| <= 2^width(T).
template <class T, class W>
inline T scale_exact(W v, int shift) {
    using L = std::numeric_limits<T>;
    constexpr int width = bit_width_of<T>;
    if (shift > width) return T(0); // |v| / 2^shift <= 1/2, which rounds to the even 0
    if (shift > 0) {
        v = round_shift_half_even(v, shift);
    } else if (shift < 0) {
        if (shift <= -width) return v > 0 ? L::max() : (v < 0 ? L::min() : T(0));
        const int up = -shift;
        if (v > (W(L::max()) >> up)) return L::max();
        if (v < (W(L::min()) >> up)) return L::min();
        return static_cast<T>(v * (W(1) << up));
    }
    return v > W(L::max()) ? L::max() : (v < W(L::min()) ? L::min() : static_cast<T>(v));
}

template <class T>
VekStatus haar_fwd(const T* src, int len, T* low, T* high, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, low, high));
    const std::size_t pairs = static_cast<std::size_t>(len) / 2;
    if constexpr (std::is_floating_point_v<T>) {
        for (std::size_t k = 0; k < pairs; ++k) {
            const T x0 = load(src, 2 * k), x1 = load(src, 2 * k + 1);
            const T h = (x1 - x0) * T(0.5);
            store(high, k, h);
            store(low, k, x0 + h);
        }
        if (len & 1) store(low, pairs, load(src, len - 1));
    } else {
        using W = exact_t<T>;
        const int shift = sf > 2 * bit_width_of<T> ? 2 * bit_width_of<T> : sf + 1; // halving is one more step
        for (std::size_t k = 0; k < pairs; ++k) {
            const W x0 = load(src, 2 * k), x1 = load(src, 2 * k + 1);
            store(high, k, scale_exact<T>(x1 - x0, shift));
            store(low, k, scale_exact<T>(x0 + x1, shift));
        }
        if (len & 1) store(low, pairs, scale_exact<T>(W(load(src, len - 1)), sf));
    }
    return vekStsOk;
}

template <class T>
VekStatus haar_inv(const T* low, const T* high, T* dst, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, low, high, dst));
    const std::size_t pairs = static_cast<std::size_t>(len) / 2;
    if constexpr (std::is_floating_point_v<T>) {
        for (std::size_t k = 0; k < pairs; ++k) {
            const T l = load(low, k), h = load(high, k);
            store(dst, 2 * k, l - h);
            store(dst, 2 * k + 1, l + h);
        }
        if (len & 1) store(dst, len - 1, load(low, pairs));
    } else {
        using W = exact_t<T>;
        for (std::size_t k = 0; k < pairs; ++k) {
            const W l = load(low, k), h = load(high, k);
            store(dst, 2 * k, scale_exact<T>(l - h, sf));
            store(dst, 2 * k + 1, scale_exact<T>(l + h, sf));
        }
        if (len & 1) store(dst, len - 1, scale_exact<T>(W(load(low, pairs)), sf));
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::wt

#define WT_HAAR(s)                                                                                     \
    VEKS_API VekStatus veksWTHaarFwd_##s(const Vek##s* pSrc, int len, Vek##s* pDstLow, Vek##s* pDstHigh) { \
        return veks::wt::haar_fwd(pSrc, len, pDstLow, pDstHigh, 0);                                    \
    }                                                                                                  \
    VEKS_API VekStatus veksWTHaarInv_##s(const Vek##s* pSrcLow, const Vek##s* pSrcHigh, Vek##s* pDst, int len) { \
        return veks::wt::haar_inv(pSrcLow, pSrcHigh, pDst, len, 0);                                    \
    }

#define WT_HAAR_SFS(s)                                                                                 \
    VEKS_API VekStatus veksWTHaarFwd_##s##_Sfs(const Vek##s* pSrc, int len, Vek##s* pDstLow, Vek##s* pDstHigh, \
                                               int scaleFactor) {                                      \
        return veks::wt::haar_fwd(pSrc, len, pDstLow, pDstHigh, scaleFactor);                          \
    }                                                                                                  \
    VEKS_API VekStatus veksWTHaarInv_##s##_Sfs(const Vek##s* pSrcLow, const Vek##s* pSrcHigh, Vek##s* pDst, \
                                               int len, int scaleFactor) {                             \
        return veks::wt::haar_inv(pSrcLow, pSrcHigh, pDst, len, scaleFactor);                          \
    }

WT_HAAR(32f)
WT_HAAR(64f)
WT_HAAR(8s)
WT_HAAR(16s)
WT_HAAR(32s)
WT_HAAR(64s)
WT_HAAR_SFS(8s)
WT_HAAR_SFS(16s)
WT_HAAR_SFS(32s)
WT_HAAR_SFS(64s)
