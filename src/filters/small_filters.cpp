// Small filters: pre-emphasis, sliding window sums and exponential
// averaging updates.
#include <algorithm>
#include <cstdint>

#include "core/checks.h"
#include "core/export.h"
#include "core/rounding.h"
#include "filters/conv_fft.h"

namespace veks::filt {
namespace {

// Converts a single-precision result to the element type: floats as they
// are, 16-bit values rounded to nearest (ties to even) and saturated.
template <class T> inline T to_elem(Vek32f v) {
    if constexpr (std::is_same_v<T, Vek32f>) return v;
    else return round_saturate<T, vekRoundHalfEven>(static_cast<double>(v));
}

// y[0] = x[0], y[n] = x[n] - val * x[n-1] with the input x[n-1], in place.
template <class T>
VekStatus preemphasize(T* x, int len, Vek32f val) {
    VEKS_CHECK(check_ptrs_len(len, x));
    Vek32f prev = static_cast<Vek32f>(load(x));
    for (int n = 1; n < len; ++n) {
        const Vek32f cur = static_cast<Vek32f>(load(x + n));
        store(x + n, to_elem<T>(cur - val * prev));
        prev = cur;
    }
    return vekStsOk;
}

// dst[k] = sum of src[k .. k + mask - 1] as a running single-precision sum.
template <class T>
VekStatus sum_window(const T* src, Vek32f* dst, int len, int mask) {
    VEKS_CHECK(check_ptrs(src, dst));
    if (mask < 1) return vekStsBadWindowLength;
    if (len < 1) return vekStsOk;
    Vek32f sum = 0.0f;
    for (int j = 0; j < mask; ++j) sum += static_cast<Vek32f>(load(src + j));
    store(dst, sum);
    for (int k = 1; k < len; ++k) {
        sum += static_cast<Vek32f>(load(src + (k - 1 + mask))) - static_cast<Vek32f>(load(src + (k - 1)));
        store(dst + k, sum);
    }
    return vekStsOk;
}

// s = s * alpha + term(x) * (1 - alpha) in double precision over the
// samples, starting from and ending in *acc (rounded to nearest, ties to
// even, saturated).
template <class Term>
VekStatus update(const Vek16s* src, int len, Vek32s* acc, int alpha, Term term) {
    VEKS_CHECK(check_ptrs(src, acc));
    if (len < 1) return vekStsBadLength;
    double s = load(acc);
    const double a = alpha, rest = 1.0 - a;
    for (int n = 0; n < len; ++n) s = s * a + term(load(src + n)) * rest;
    store(acc, round_saturate<Vek32s, vekRoundHalfEven>(s));
    return vekStsOk;
}

VekStatus update_linear(const Vek16s* src, int len, Vek32s* acc, int shift, Vek16s alpha) {
    const int sh = std::clamp(shift, 0, 15);
    return update(src, len, acc, alpha, [sh](Vek16s x) { return static_cast<double>(x >> sh); });
}

VekStatus update_power(const Vek16s* src, int len, Vek32s* acc, int shift, Vek16s alpha) {
    const int sh = std::clamp(shift, 0, 31);
    return update(src, len, acc, alpha, [sh](Vek16s x) {
        const std::uint32_t sq = static_cast<std::uint32_t>(std::int32_t(x) * std::int32_t(x));
        return static_cast<double>(sq >> sh);
    });
}

} // namespace
} // namespace veks::filt

using namespace veks::filt;

VEKS_API VekStatus veksPreemphasize_32f(Vek32f* pSrcDst, int len, Vek32f val) { return preemphasize(pSrcDst, len, val); }
VEKS_API VekStatus veksPreemphasize_16s(Vek16s* pSrcDst, int len, Vek32f val) { return preemphasize(pSrcDst, len, val); }
VEKS_API VekStatus veksSumWindow_8u32f(const Vek8u* pSrc, Vek32f* pDst, int len, int maskSize) {
    return sum_window(pSrc, pDst, len, maskSize);
}
VEKS_API VekStatus veksSumWindow_16s32f(const Vek16s* pSrc, Vek32f* pDst, int len, int maskSize) {
    return sum_window(pSrc, pDst, len, maskSize);
}
VEKS_API VekStatus veksUpdateLinear_16s32s_I(const Vek16s* pSrc, int len, Vek32s* pSrcDst, int srcShiftRight,
                                             Vek16s alpha) {
    return update_linear(pSrc, len, pSrcDst, srcShiftRight, alpha);
}
VEKS_API VekStatus veksUpdatePower_16s32s_I(const Vek16s* pSrc, int len, Vek32s* pSrcDst, int srcShiftRight,
                                            Vek16s alpha) {
    return update_power(pSrc, len, pSrcDst, srcShiftRight, alpha);
}
