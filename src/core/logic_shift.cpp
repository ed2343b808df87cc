// Shifts of every element by a constant count. Left shifts work on the raw
// bits (no saturation); right shifts are logical for unsigned and
// arithmetic for signed elements. Counts at or beyond the width are
// settled before the loop so that the loop shifts by a valid count.
#include <cstring>
#include <type_traits>

#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"
#include "core/movement_kernels.h"

namespace veks {
namespace {

template <class T> using ubits_t = std::make_unsigned_t<T>;

template <class T>
void lshift_kernel(const T* src, int val, T* dst, int len) {
    using U = ubits_t<T>;
    for (int n = 0; n < len; ++n) dst[n] = static_cast<T>(static_cast<U>(static_cast<U>(src[n]) << val));
}

template <class T>
void rshift_kernel(const T* src, int val, T* dst, int len) {
    for (int n = 0; n < len; ++n) dst[n] = static_cast<T>(src[n] >> val);
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
    if constexpr (Left) lshift_kernel(src, val, dst, len);
    else rshift_kernel(src, val, dst, len);
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
