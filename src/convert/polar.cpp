// Cartesian <-> polar conversion.
#include <algorithm>
#include <cmath>

#include "convert/complex_source.h"
#include "convert/polar_sincos.h"
#include "core/unaligned.h"
#include "core/checks.h"
#include "core/export.h"
#include "core/rounding.h"

namespace veks {
namespace {

// ---- Cartesian to polar: Magnitude, then Phase ------------------------------

// Both halves always run; the magnitude's failure is reported first.
template <class Magnitude, class Phase>
VekStatus magnitude_and_phase(Magnitude magnitude, Phase phase) {
    const VekStatus m = magnitude();
    const VekStatus p = phase();
    return m != vekStsOk ? m : p;
}

// ---- polar to Cartesian -----------------------------------------------------

template <class R>
struct SplitDest {
    R* re;
    R* im;
    void put(int k, R x, R y) const {
        store_elem(re, k, x);
        store_elem(im, k, y);
    }
#if defined(__SSE2__)
    void put4(int k, __m128 x, __m128 y) const {
        _mm_storeu_ps(re + k, x);
        _mm_storeu_ps(im + k, y);
    }
#endif
    template <class... P>
    VekStatus check(int len, const P*... srcs) const { return check_ptrs_len(len, srcs..., re, im); }
};

template <class C>
struct InterleavedDest {
    C* p;
    void put(int k, component_t<C> x, component_t<C> y) const { store_elem(p, k, C{x, y}); }
#if defined(__SSE2__)
    void put4(int k, __m128 x, __m128 y) const {
        float* out = reinterpret_cast<float*>(p + k);
        _mm_storeu_ps(out, _mm_unpacklo_ps(x, y));
        _mm_storeu_ps(out + 4, _mm_unpackhi_ps(x, y));
    }
#endif
    template <class... P>
    VekStatus check(int len, const P*... srcs) const { return check_ptrs_len(len, srcs..., p); }
};

template <class R> SplitDest<R> split_dest(R* re, R* im) { return {re, im}; }
template <class C> InterleavedDest<C> interleaved_dest(C* p) { return {p}; }

// Elements in pairs take the polynomial sine and cosine; a single element
// (len 1, or the last of an odd length) takes the standard functions.
inline int paired_count(int len) { return len == 1 ? 0 : (len & ~1); }

template <class Dst>
VekStatus polar_to_cart_32f(const Vek32f* magn, const Vek32f* phase, Dst dst, int len) {
    VEKS_CHECK(dst.check(len, magn, phase));
    const int paired = paired_count(len);
    int k = 0;
#if defined(__SSE2__)
    for (; k + 4 <= paired; k += 4) {
        __m128 s, c;
        if (!paired_sincos4(phase + k, s, c)) {
            for (int j = k; j < k + 4; ++j) {
                const SinCos32 sc = paired_sincos(load_elem(phase, j));
                dst.put(j, load_elem(magn, j) * sc.cos, load_elem(magn, j) * sc.sin);
            }
            continue;
        }
        const __m128 m = _mm_loadu_ps(magn + k);
        dst.put4(k, _mm_mul_ps(m, c), _mm_mul_ps(m, s));
    }
#endif
    for (; k < paired; ++k) {
        const SinCos32 sc = paired_sincos(load_elem(phase, k));
        dst.put(k, load_elem(magn, k) * sc.cos, load_elem(magn, k) * sc.sin);
    }
    for (k = paired; k < len; ++k) dst.put(k, load_elem(magn, k) * std::cos(load_elem(phase, k)), load_elem(magn, k) * std::sin(load_elem(phase, k)));
    return vekStsOk;
}

template <class Dst>
VekStatus polar_to_cart_64f(const Vek64f* magn, const Vek64f* phase, Dst dst, int len) {
    VEKS_CHECK(dst.check(len, magn, phase));
    for (int k = 0; k < len; ++k) dst.put(k, load_elem(magn, k) * std::cos(load_elem(phase, k)), load_elem(magn, k) * std::sin(load_elem(phase, k)));
    return vekStsOk;
}

// Integer magnitude, fixed-point phase p * 2^-fraction_bits; m cos and
// m sin are truncated toward zero and saturated. 16-bit data take the phase
// in single precision and pair like the single-precision form (the product
// of the magnitude and the single-precision sine is exact in double);
// 32-bit data work in double precision throughout.
template <class R>
VekStatus polar_to_cart_fixed(const R* magn, const R* phase, int fraction_bits, typename complex_of<R>::type* dst, int len) {
    VEKS_CHECK(check_ptrs(magn, phase, dst));
    if (len < 1 || fraction_bits < 0 || fraction_bits >= bit_width_of<R>) return vekStsBadLength;
    using C = typename complex_of<R>::type;
    const double f = power_of_two(-fraction_bits);
    auto store = [&](int k, double c, double s) {
        const double m = load_elem(magn, k);
        store_elem(dst, k, C{saturate_integral<R>(std::trunc(m * c)), saturate_integral<R>(std::trunc(m * s))});
    };
    int k = 0;
    if constexpr (sizeof(R) == 2) {
        const float ff = static_cast<float>(f);
        for (const int paired = paired_count(len); k < paired; ++k) {
            const SinCos32 sc = paired_sincos(static_cast<float>(load_elem(phase, k)) * ff);
            store(k, sc.cos, sc.sin);
        }
        for (; k < len; ++k) {
            const double phi = static_cast<float>(load_elem(phase, k)) * ff;
            store(k, std::cos(phi), std::sin(phi));
        }
    } else {
        for (; k < len; ++k) {
            const double phi = static_cast<double>(load_elem(phase, k)) * f;
            store(k, std::cos(phi), std::sin(phi));
        }
    }
    return vekStsOk;
}

// Both inputs scaled (factors clamped to -31..31), results rounded half away
// from zero and saturated.
VekStatus polar_to_cart_16sc_sfs(const Vek16s* magn, const Vek16s* phase, Vek16sc* dst, int len, int magn_sf, int phase_sf) {
    VEKS_CHECK(check_ptrs_len(len, magn, phase, dst));
    const double mf = power_of_two(-std::clamp(magn_sf, -31, 31));
    const double pf = power_of_two(-std::clamp(phase_sf, -31, 31));
    for (int k = 0; k < len; ++k) {
        const double m = load_elem(magn, k) * mf, phi = load_elem(phase, k) * pf;
        store_elem(dst, k, Vek16sc{saturate_integral<Vek16s>(round_half_away(m * std::cos(phi))),
                         saturate_integral<Vek16s>(round_half_away(m * std::sin(phi)))});
    }
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

VEKS_API VekStatus veksCartToPolar_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDstMagn, Vek32f* pDstPhase, int len) {
    return magnitude_and_phase([&] { return veksMagnitude_32f(pSrcRe, pSrcIm, pDstMagn, len); },
                               [&] { return veksPhase_32f(pSrcRe, pSrcIm, pDstPhase, len); });
}
VEKS_API VekStatus veksCartToPolar_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDstMagn, Vek64f* pDstPhase, int len) {
    return magnitude_and_phase([&] { return veksMagnitude_64f(pSrcRe, pSrcIm, pDstMagn, len); },
                               [&] { return veksPhase_64f(pSrcRe, pSrcIm, pDstPhase, len); });
}
VEKS_API VekStatus veksCartToPolar_32fc(const Vek32fc* pSrc, Vek32f* pDstMagn, Vek32f* pDstPhase, int len) {
    return magnitude_and_phase([&] { return veksMagnitude_32fc(pSrc, pDstMagn, len); },
                               [&] { return veksPhase_32fc(pSrc, pDstPhase, len); });
}
VEKS_API VekStatus veksCartToPolar_64fc(const Vek64fc* pSrc, Vek64f* pDstMagn, Vek64f* pDstPhase, int len) {
    return magnitude_and_phase([&] { return veksMagnitude_64fc(pSrc, pDstMagn, len); },
                               [&] { return veksPhase_64fc(pSrc, pDstPhase, len); });
}
// Every argument is checked before the magnitude is written; the phase
// runs only after a successful magnitude.
VEKS_API VekStatus veksCartToPolar_16sc_Sfs(const Vek16sc* pSrc, Vek16s* pDstMagn, Vek16s* pDstPhase, int len, int magnScaleFactor, int phaseScaleFactor) {
    VEKS_CHECK(check_ptrs_len(len, pSrc, pDstMagn, pDstPhase));
    VEKS_CHECK(veksMagnitude_16sc_Sfs(pSrc, pDstMagn, len, magnScaleFactor));
    return veksPhase_16sc_Sfs(pSrc, pDstPhase, len, phaseScaleFactor);
}

VEKS_API VekStatus veksPolarToCart_32f(const Vek32f* pSrcMagn, const Vek32f* pSrcPhase, Vek32f* pDstRe, Vek32f* pDstIm, int len) { return polar_to_cart_32f(pSrcMagn, pSrcPhase, split_dest(pDstRe, pDstIm), len); }
VEKS_API VekStatus veksPolarToCart_32fc(const Vek32f* pSrcMagn, const Vek32f* pSrcPhase, Vek32fc* pDst, int len) { return polar_to_cart_32f(pSrcMagn, pSrcPhase, interleaved_dest(pDst), len); }
VEKS_API VekStatus veksPolarToCart_64f(const Vek64f* pSrcMagn, const Vek64f* pSrcPhase, Vek64f* pDstRe, Vek64f* pDstIm, int len) { return polar_to_cart_64f(pSrcMagn, pSrcPhase, split_dest(pDstRe, pDstIm), len); }
VEKS_API VekStatus veksPolarToCart_64fc(const Vek64f* pSrcMagn, const Vek64f* pSrcPhase, Vek64fc* pDst, int len) { return polar_to_cart_64f(pSrcMagn, pSrcPhase, interleaved_dest(pDst), len); }
VEKS_API VekStatus veksPolarToCart_16sc(const Vek16s* pSrcMagn, const Vek16s* pSrcPhase, int phaseFixedPoint, Vek16sc* pDst, int len) { return polar_to_cart_fixed(pSrcMagn, pSrcPhase, phaseFixedPoint, pDst, len); }
VEKS_API VekStatus veksPolarToCart_32sc(const Vek32s* pSrcMagn, const Vek32s* pSrcPhase, int phaseFixedPoint, Vek32sc* pDst, int len) { return polar_to_cart_fixed(pSrcMagn, pSrcPhase, phaseFixedPoint, pDst, len); }
VEKS_API VekStatus veksPolarToCart_16sc_Sfs(const Vek16s* pSrcMagn, const Vek16s* pSrcPhase, Vek16sc* pDst, int len, int magnScaleFactor, int phaseScaleFactor) { return polar_to_cart_16sc_sfs(pSrcMagn, pSrcPhase, pDst, len, magnScaleFactor, phaseScaleFactor); }
