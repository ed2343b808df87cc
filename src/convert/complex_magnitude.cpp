// Magnitude sqrt(re^2 + im^2) of complex data, floating and integer.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "convert/complex_source.h"
#include "core/unaligned.h"
#include "core/export.h"
#include "core/rounding.h"

namespace veks {
namespace {

template <class Src>
inline double magnitude_at(const Src& s, int k) {
    const double re = s.real(k), im = s.imag(k);
    return std::sqrt(re * re + im * im);
}

// Squares, sum and root in double precision; one rounding on store.
template <class Src, class D>
VekStatus magnitude_float(Src s, D* dst, int len) {
    VEKS_CHECK(s.check(len, dst));
    for (int k = 0; k < len; ++k) store_elem(dst, k, static_cast<D>(magnitude_at(s, k)));
    return vekStsOk;
}

// Integer magnitude scaled by 2^-sf. At or below -(width-1) every non-zero
// input saturates; above width every output is 0 (the largest magnitude,
// 2^(width-1) * sqrt 2, halves to below 1/2). Up-scaling rounds half up and
// saturates; down-scaling rounds half to even and cannot overflow.
template <class Src, class I>
VekStatus magnitude_int(Src s, I* dst, int len, int sf) {
    VEKS_CHECK(s.check(len, dst));
    constexpr int width = bit_width_of<I>;
    constexpr I top = std::numeric_limits<I>::max();
    if (sf > width) {
        std::memset(dst, 0, static_cast<std::size_t>(len) * sizeof(I));
    } else if (sf <= -(width - 1)) {
        for (int k = 0; k < len; ++k) store_elem(dst, k, (s.real(k) != 0 || s.imag(k) != 0) ? top : I(0));
    } else if (sf <= 0) {
        const double f = power_of_two(-sf);
        for (int k = 0; k < len; ++k) store_elem(dst, k, saturate_integral<I>(std::trunc(magnitude_at(s, k) * f + 0.5)));
    } else {
        const double f = power_of_two(-sf);
        for (int k = 0; k < len; ++k) store_elem(dst, k, static_cast<I>(round_half_even(magnitude_at(s, k) * f)));
    }
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

VEKS_API VekStatus veksMagnitude_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDst, int len) { return magnitude_float(split(pSrcRe, pSrcIm), pDst, len); }
VEKS_API VekStatus veksMagnitude_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDst, int len) { return magnitude_float(split(pSrcRe, pSrcIm), pDst, len); }
VEKS_API VekStatus veksMagnitude_16s32f(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek32f* pDst, int len) { return magnitude_float(split(pSrcRe, pSrcIm), pDst, len); }
VEKS_API VekStatus veksMagnitude_32fc(const Vek32fc* pSrc, Vek32f* pDst, int len) { return magnitude_float(interleaved(pSrc), pDst, len); }
VEKS_API VekStatus veksMagnitude_64fc(const Vek64fc* pSrc, Vek64f* pDst, int len) { return magnitude_float(interleaved(pSrc), pDst, len); }
VEKS_API VekStatus veksMagnitude_16sc32f(const Vek16sc* pSrc, Vek32f* pDst, int len) { return magnitude_float(interleaved(pSrc), pDst, len); }
VEKS_API VekStatus veksMagnitude_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDst, int len, int scaleFactor) { return magnitude_int(split(pSrcRe, pSrcIm), pDst, len, scaleFactor); }
VEKS_API VekStatus veksMagnitude_16sc_Sfs(const Vek16sc* pSrc, Vek16s* pDst, int len, int scaleFactor) { return magnitude_int(interleaved(pSrc), pDst, len, scaleFactor); }
VEKS_API VekStatus veksMagnitude_32sc_Sfs(const Vek32sc* pSrc, Vek32s* pDst, int len, int scaleFactor) { return magnitude_int(interleaved(pSrc), pDst, len, scaleFactor); }
