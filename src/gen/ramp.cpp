// Ramps (VectorRamp, VectorSlope: offset + n * slope) and the Jaehne chirp
// magn * sin((pi/2) n^2 / len). Integer results round half away from zero
// and saturate to the element range.
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "core/checks.h"
#include "core/export.h"
#include "gen/elem_io.h"
#include "gen/wave.h"

namespace veks::gen {
namespace {

// v <= 0: v - 0.5, else v + 0.5, truncated; saturated to I (NaN gives 0).
template <class I>
I round_away_saturate(double v) {
    constexpr double lo = static_cast<double>(std::numeric_limits<I>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<I>::max());
    const double r = v <= 0.0 ? v - 0.5 : v + 0.5;
    if (r >= hi) return std::numeric_limits<I>::max();
    if (r <= lo) return std::numeric_limits<I>::min();
    if (r != r) return I(0);
    return static_cast<I>(static_cast<std::int64_t>(r));
}

template <class T>
T generated_to(double v) {
    if constexpr (std::is_floating_point_v<T>)
        return static_cast<T>(v);
    else
        return round_away_saturate<T>(v);
}

// n is taken to single precision; 32f forms multiply and add in single
// precision, the others in double.
template <class T>
VekStatus ramp(T* dst, int len, float offset, float slope) {
    VEKS_CHECK(check_ptrs_len(len, dst));
    if constexpr (std::is_same_v<T, Vek32f>) {
        for (int n = 0; n < len; ++n) store(dst, n, static_cast<float>(n) * slope + offset);
    } else {
        const double o = offset, s = slope;
        for (int n = 0; n < len; ++n) store(dst, n, generated_to<T>(static_cast<double>(static_cast<float>(n)) * s + o));
    }
    return vekStsOk;
}

template <class T>
VekStatus jaehne(T* dst, int len, T magn) {
    VEKS_CHECK(check_ptrs_len(len, dst));
    if constexpr (std::is_signed_v<T>)
        if (magn < T(0)) return vekStsNegativeMagnitude;
    const double m = static_cast<double>(magn), count = static_cast<double>(len);
    for (int n = 0; n < len; ++n) {
        const double nn = static_cast<double>(n);
        store(dst, n, generated_to<T>(m * std::sin(kHalfPi * (nn * nn) / count)));
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::gen

using namespace veks;
using namespace veks::gen;

#define VEKS_RAMP(s)                                                                                             \
    VEKS_API VekStatus veksVectorRamp_##s(Vek##s* pDst, int len, Vek32f offset, Vek32f slope) {                 \
        return ramp(pDst, len, offset, slope);                                                                   \
    }                                                                                                            \
    VEKS_API VekStatus veksVectorSlope_##s(Vek##s* pDst, int len, Vek32f offset, Vek32f slope) {                \
        return ramp(pDst, len, offset, slope);                                                                   \
    }                                                                                                            \
    VEKS_API VekStatus veksVectorJaehne_##s(Vek##s* pDst, int len, Vek##s magn) { return jaehne(pDst, len, magn); }

VEKS_RAMP(8u)
VEKS_RAMP(8s)
VEKS_RAMP(16u)
VEKS_RAMP(16s)
VEKS_RAMP(32u)
VEKS_RAMP(32s)
VEKS_RAMP(32f)
VEKS_RAMP(64f)
