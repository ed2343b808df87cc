// Power spectrum and squared magnitude re^2 + im^2.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "convert/complex_source.h"
#include "core/unaligned.h"
#include "core/export.h"

namespace veks {
namespace {

// Floating data square and add in their own precision. 16-bit data square
// exactly (the sum is at most 2^31, exact in double) and round once to D.
template <class Src, class D>
VekStatus power_float(Src s, D* dst, int len) {
    VEKS_CHECK(s.check(len, dst));
    using R = typename Src::component;
    using W = std::conditional_t<std::is_integral_v<R>, double, R>;
    for (int k = 0; k < len; ++k) {
        const W re = s.real(k), im = s.imag(k);
        store_elem(dst, k, static_cast<D>(re * re + im * im));
    }
    return vekStsOk;
}

// The exact sum of squares as an unsigned 64-bit value (at most 2^63).
template <class Src>
inline std::uint64_t power_at(const Src& s, int k) {
    const std::int64_t re = s.real(k), im = s.imag(k);
    return static_cast<std::uint64_t>(re * re) + static_cast<std::uint64_t>(im * im);
}

// Integer power scaled by 2^-sf: down-scaling truncates (a plain right
// shift), up-scaling saturates. Beyond 63 every output is 0; below
// -(width-2) every non-zero input saturates.
template <class Src, class I>
VekStatus power_int(Src s, I* dst, int len, int sf) {
    VEKS_CHECK(s.check(len, dst));
    constexpr std::uint64_t top = static_cast<std::uint64_t>(std::numeric_limits<I>::max());
    constexpr int saturate_below = -(bit_width_of<I> - 2);
    if (sf > 63) {
        std::memset(dst, 0, static_cast<std::size_t>(len) * sizeof(I));
    } else if (sf < saturate_below) {
        for (int k = 0; k < len; ++k) store_elem(dst, k, (s.real(k) != 0 || s.imag(k) != 0) ? I(top) : I(0));
    } else if (sf >= 0) {
        for (int k = 0; k < len; ++k) store_elem(dst, k, static_cast<I>(std::min(power_at(s, k) >> sf, top)));
    } else {
        const int sh = -sf;
        for (int k = 0; k < len; ++k) {
            const std::uint64_t p = power_at(s, k);
            store_elem(dst, k, static_cast<I>(p > top ? top : std::min(p << sh, top)));
        }
    }
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

VEKS_API VekStatus veksPowerSpectr_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDst, int len) { return power_float(split(pSrcRe, pSrcIm), pDst, len); }
VEKS_API VekStatus veksPowerSpectr_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDst, int len) { return power_float(split(pSrcRe, pSrcIm), pDst, len); }
VEKS_API VekStatus veksPowerSpectr_16s32f(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek32f* pDst, int len) { return power_float(split(pSrcRe, pSrcIm), pDst, len); }
VEKS_API VekStatus veksPowerSpectr_32fc(const Vek32fc* pSrc, Vek32f* pDst, int len) { return power_float(interleaved(pSrc), pDst, len); }
VEKS_API VekStatus veksPowerSpectr_64fc(const Vek64fc* pSrc, Vek64f* pDst, int len) { return power_float(interleaved(pSrc), pDst, len); }
VEKS_API VekStatus veksPowerSpectr_16sc32f(const Vek16sc* pSrc, Vek32f* pDst, int len) { return power_float(interleaved(pSrc), pDst, len); }
VEKS_API VekStatus veksPowerSpectr_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDst, int len, int scaleFactor) { return power_int(split(pSrcRe, pSrcIm), pDst, len, scaleFactor); }
VEKS_API VekStatus veksPowerSpectr_16sc_Sfs(const Vek16sc* pSrc, Vek16s* pDst, int len, int scaleFactor) { return power_int(interleaved(pSrc), pDst, len, scaleFactor); }
VEKS_API VekStatus veksMagSquared_32sc32s_Sfs(const Vek32sc* pSrc, Vek32s* pDst, int len, int scaleFactor) { return power_int(interleaved(pSrc), pDst, len, scaleFactor); }
