// Phase atan2(im, re) of complex data, floating and integer.
#include <cmath>

#include "convert/complex_atan2.h"
#include "convert/complex_source.h"
#include "core/unaligned.h"
#include "core/export.h"
#include "core/rounding.h"

namespace veks {
namespace {

template <class Src>
inline double phase_at(const Src& s, int k) {
    return std::atan2(static_cast<double>(s.imag(k)), static_cast<double>(s.real(k)));
}

// Double data take the platform's atan2; single-precision and 16-bit data,
// whose results are rounded to single, take the vectorised narrow_atan2
// (the platform's atan2 for infinities and NaNs).
template <class Src>
inline double narrow_phase_at(const Src& s, int k) {
    const double y = s.imag(k), x = s.real(k);
    return std::isfinite(x) && std::isfinite(y) ? narrow_atan2(y, x) : std::atan2(y, x);
}

template <class Src, class D>
VekStatus phase_float(Src s, D* dst, int len) {
    VEKS_CHECK(s.check(len, dst));
    int k = 0;
    if constexpr (sizeof(typename Src::component) <= 4 && sizeof(D) == 4) {
#if defined(__SSE2__)
        // Four independent pairs per step keep the divider and multipliers busy.
        for (; k + 8 <= len; k += 8) {
            __m128d y[4], x[4];
            bool finite = true;
            for (int j = 0; j < 4; ++j) {
                y[j] = _mm_set_pd(s.imag(k + 2 * j + 1), s.imag(k + 2 * j));
                x[j] = _mm_set_pd(s.real(k + 2 * j + 1), s.real(k + 2 * j));
                finite = finite_2(y[j], x[j]) && finite;
            }
            if (finite) {
                for (int j = 0; j < 4; ++j) {
                    const __m128 f = _mm_cvtpd_ps(narrow_atan2_2(y[j], x[j]));
                    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + k + 2 * j), _mm_castps_si128(f));
                }
            } else {
                for (int j = k; j < k + 8; ++j) store_elem(dst, j, static_cast<D>(narrow_phase_at(s, j)));
            }
        }
#endif
        for (; k < len; ++k) store_elem(dst, k, static_cast<D>(narrow_phase_at(s, k)));
    } else {
        for (; k < len; ++k) store_elem(dst, k, static_cast<D>(phase_at(s, k)));
    }
    return vekStsOk;
}

// The unscaled integer phase uses this coarse rational arctangent (errors
// up to about 0.07 rad) instead of atan2: its result is only rounded to
// an integer in -3..3.
inline float rational_arctan2(float y, float x) {
    constexpr double quarter_pi = 0.7853981633974483;
    constexpr double three_quarter_pi = 2.356194490192345;
    if (x == 0.0f && y == 0.0f) return 0.0f;
    const double a = std::fabs(static_cast<double>(y)) + 1e-10;
    const double xd = x;
    const double r = x >= 0.0f ? quarter_pi - quarter_pi * (xd - a) / (xd + a)
                               : three_quarter_pi - quarter_pi * (xd + a) / (a - xd);
    const float rf = static_cast<float>(r);
    return y < 0.0f ? 0.0f - rf : rf;
}

// Integer phase times 2^-sf, rounded half away from zero and saturated.
// The 16-bit forms round the phase and scale in single precision, the
// 32-bit form stays in double. A zero phase stays 0 even where the factor
// overflows (0 * inf reads as 0).
template <class Src, class I>
VekStatus phase_int(Src s, I* dst, int len, int sf) {
    VEKS_CHECK(s.check(len, dst));
    if (sf == 0) {
        for (int k = 0; k < len; ++k) {
            const float x = static_cast<float>(s.real(k)), y = static_cast<float>(s.imag(k));
            store_elem(dst, k, static_cast<I>(round_half_away(rational_arctan2(y, x))));
        }
    } else if constexpr (sizeof(I) == 2) {
        const float f = std::pow(2.0f, -static_cast<float>(sf));
        for (int k = 0; k < len; ++k) {
            const float scaled = static_cast<float>(phase_at(s, k)) * f;
            store_elem(dst, k, saturate_integral<I>(round_half_away(scaled)));
        }
    } else {
        const double f = std::pow(2.0, -static_cast<double>(sf));
        for (int k = 0; k < len; ++k) store_elem(dst, k, saturate_integral<I>(round_half_away(phase_at(s, k) * f)));
    }
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

VEKS_API VekStatus veksPhase_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDst, int len) { return phase_float(split(pSrcRe, pSrcIm), pDst, len); }
VEKS_API VekStatus veksPhase_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDst, int len) { return phase_float(split(pSrcRe, pSrcIm), pDst, len); }
VEKS_API VekStatus veksPhase_16s32f(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek32f* pDst, int len) { return phase_float(split(pSrcRe, pSrcIm), pDst, len); }
VEKS_API VekStatus veksPhase_32fc(const Vek32fc* pSrc, Vek32f* pDst, int len) { return phase_float(interleaved(pSrc), pDst, len); }
VEKS_API VekStatus veksPhase_64fc(const Vek64fc* pSrc, Vek64f* pDst, int len) { return phase_float(interleaved(pSrc), pDst, len); }
VEKS_API VekStatus veksPhase_16sc32f(const Vek16sc* pSrc, Vek32f* pDst, int len) { return phase_float(interleaved(pSrc), pDst, len); }
VEKS_API VekStatus veksPhase_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDst, int len, int scaleFactor) { return phase_int(split(pSrcRe, pSrcIm), pDst, len, scaleFactor); }
VEKS_API VekStatus veksPhase_16sc_Sfs(const Vek16sc* pSrc, Vek16s* pDst, int len, int scaleFactor) { return phase_int(interleaved(pSrc), pDst, len, scaleFactor); }
VEKS_API VekStatus veksPhase_32sc_Sfs(const Vek32sc* pSrc, Vek32s* pDst, int len, int scaleFactor) { return phase_int(interleaved(pSrc), pDst, len, scaleFactor); }
