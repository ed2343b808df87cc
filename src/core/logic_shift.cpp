// Shifts of every element by a constant count. Left shifts work on the raw
// bits (no saturation); right shifts are logical for unsigned and
// arithmetic for signed elements. Counts at or beyond the width are
// settled before the loop so that the loop shifts by a valid count.
#include <cstring>
#include <type_traits>

#include "core/checks.h"
#include "core/elem.h"
#include "core/unaligned.h"
#include "core/export.h"
#include "core/movement_kernels.h"
#include "core/power_special.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veks {
namespace {

template <class T> using ubits_t = std::make_unsigned_t<T>;

template <class T>
void lshift_scalar(const T* src, int val, T* dst, int from, int len) {
    using U = ubits_t<T>;
    for (int n = from; n < len; ++n) store_elem(dst, n, static_cast<T>(static_cast<U>(static_cast<U>(load_elem(src, n)) << val)));
}

template <class T>
void rshift_scalar(const T* src, int val, T* dst, int from, int len) {
    for (int n = from; n < len; ++n) store_elem(dst, n, static_cast<T>(load_elem(src, n) >> val));
}

#if defined(__SSE2__)
// 16 bytes per step with the count in a register (0 < val < width). Bytes
// shift as 16-bit lanes and drop the bits that crossed into the neighbour.
template <bool Left, class T>
inline __m128i shift16(__m128i x, __m128i count, int val) {
    if constexpr (sizeof(T) == 1) {
        const int keep = Left ? (0xFF << val) & 0xFF : 0xFF >> val;
        const __m128i mask = _mm_set1_epi8(static_cast<char>(keep));
        return _mm_and_si128(Left ? _mm_sll_epi16(x, count) : _mm_srl_epi16(x, count), mask);
    } else if constexpr (sizeof(T) == 2) {
        if constexpr (Left) return _mm_sll_epi16(x, count);
        else if constexpr (std::is_signed_v<T>) return _mm_sra_epi16(x, count);
        else return _mm_srl_epi16(x, count);
    } else {
        if constexpr (Left) return _mm_sll_epi32(x, count);
        else return _mm_sra_epi32(x, count);
    }
}

template <bool Left, class T>
int shift_sse(const T* src, int val, T* dst, int len) {
    const __m128i count = _mm_cvtsi32_si128(val);
    constexpr int step = 16 / sizeof(T);
    int n = 0;
    for (; n + 4 * step <= len; n += 4 * step) { // four registers per step keep the loads flowing
        const __m128i* s = reinterpret_cast<const __m128i*>(src + n);
        __m128i* d = reinterpret_cast<__m128i*>(dst + n);
        const __m128i x0 = _mm_loadu_si128(s), x1 = _mm_loadu_si128(s + 1);
        const __m128i x2 = _mm_loadu_si128(s + 2), x3 = _mm_loadu_si128(s + 3);
        _mm_storeu_si128(d, shift16<Left, T>(x0, count, val));
        _mm_storeu_si128(d + 1, shift16<Left, T>(x1, count, val));
        _mm_storeu_si128(d + 2, shift16<Left, T>(x2, count, val));
        _mm_storeu_si128(d + 3, shift16<Left, T>(x3, count, val));
    }
    for (; n + step <= len; n += step) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + n));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + n), shift16<Left, T>(x, count, val));
    }
    return n;
}
#endif

// Element by element in ascending order when the buffers overlap partially.
template <bool Left, class T>
void shift_kernel(const T* src, int val, T* dst, int len) {
    int n = 0;
#if defined(__SSE2__)
    if (!overlaps_partially(src, dst, len)) n = shift_sse<Left>(src, val, dst, len);
#endif
    if constexpr (Left) lshift_scalar(src, val, dst, n, len);
    else rshift_scalar(src, val, dst, n, len);
}

// Count at or beyond the width: left shifts and unsigned right shifts give
// zeros; a signed right shift by width-1 gives the same -1/0 result.
template <bool Left, class T>
void shift_any(const T* src, int val, T* dst, int len) {
    constexpr int width = bit_width_of<T>;
    if (val >= width) {
        if (Left || !std::is_signed_v<T>) {
            std::memset(dst, 0, static_cast<std::size_t>(len) * sizeof(T));
            return;
        }
        val = width - 1;
    }
    shift_kernel<Left>(src, val, dst, len);
}

template <bool Left, class T>
VekStatus shift(const T* src, int val, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if (val < 0) return vekStsBadShift;
    if (val == 0) {
        copy_bytes_ascending(src, dst, static_cast<std::size_t>(len) * sizeof(T));
        return vekStsOk;
    }
    shift_any<Left>(src, val, dst, len);
    return vekStsOk;
}

template <bool Left, class T>
VekStatus shift_inplace(int val, T* srcdst, int len) {
    VEKS_CHECK(check_ptrs_len(len, srcdst));
    if (val < 0) return vekStsBadShift;
    if (val == 0) return vekStsOk;
    shift_any<Left>(srcdst, val, srcdst, len);
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

#define VEKS_SHIFT(name, left, s)                                                                        \
    VEKS_API VekStatus veks##name##_##s(const Vek##s* pSrc, int val, Vek##s* pDst, int len) {             \
        return shift<left>(pSrc, val, pDst, len);                                                        \
    }                                                                                                    \
    VEKS_API VekStatus veks##name##_##s##_I(int val, Vek##s* pSrcDst, int len) {                         \
        return shift_inplace<left>(val, pSrcDst, len);                                                   \
    }

VEKS_SHIFT(LShiftC, true, 8u)
VEKS_SHIFT(LShiftC, true, 16u)
VEKS_SHIFT(LShiftC, true, 16s)
VEKS_SHIFT(LShiftC, true, 32s)
VEKS_SHIFT(RShiftC, false, 8u)
VEKS_SHIFT(RShiftC, false, 16u)
VEKS_SHIFT(RShiftC, false, 16s)
VEKS_SHIFT(RShiftC, false, 32s)
