// Natural and decimal logarithms. Special inputs are reported by the first
// special element in array order; every element is written.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/checks.h"
#include "core/core_services.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "core/power_ln_sse.h"
#include "core/power_special.h"

namespace veks {
namespace {

// ---- floating point --------------------------------------------------------------

template <class S, class D>
void ln_float_scalar(const S* src, D* dst, int n, FirstWarning& warn) {
    const S x = load_elem(src, n);
    if (std::signbit(x)) { // negative, -0.0, negative NaN
        store_elem(dst, n, const_nan<D>());
        warn.note(vekStsLogNegativeArg);
    } else if (x == S(0)) {
        store_elem(dst, n, -const_inf<D>());
        warn.note(vekStsLogZeroArg);
    } else {
        store_elem(dst, n, static_cast<D>(std::log(static_cast<double>(x))));
    }
}

template <class S, class D>
VekStatus ln_float(const S* src, D* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    FirstWarning warn;
    int n = 0;
#if defined(__SSE2__)
    if constexpr (sizeof(S) == 4 && sizeof(D) == 4) {
        // Chunks of ordinary values; a chunk with any special, subnormal or
        // infinite element goes element by element, in order.
        if (!overlaps_partially(src, dst, len)) {
            auto redo = [&](const float* s, float* d, int count) {
                for (int k = 0; k < count; ++k) ln_float_scalar(s, d, k, warn);
            };
            n = run_chunks<64>(src, dst, n, len, lnsse::ln4, redo);
            n = run_chunks<4>(src, dst, n, len, lnsse::ln4, redo);
        }
    }
#endif
    for (; n < len; ++n) ln_float_scalar(src, dst, n, warn);
    return warn.status();
}

// ---- integers --------------------------------------------------------------------

// floor(e^(k + 1/2)), k = 1..20: x above entry k-1 has ln(x) >= k + 1/2.
constexpr std::array<std::int32_t, 20> kLnHalfPoints = {
    4, 12, 33, 90, 244, 665, 1808, 4914, 13359, 36315, 98715, 268337, 729416, 1982759,
    5389698, 14650719, 39824784, 108254987, 294267566, 799902177};

// Smallest x with 10*log10(x) >= j + 1/2, j = 0..92.
constexpr std::array<std::int32_t, 93> kDecibelHalfPoints = {
    2, 2, 2, 3, 3, 4, 5, 6, 8, 9, 12, 15, 18, 23, 29, 36, 45, 57, 71, 90, 113, 142, 178, 224,
    282, 355, 447, 563, 708, 892, 1123, 1413, 1779, 2239, 2819, 3549, 4467, 5624, 7080, 8913,
    11221, 14126, 17783, 22388, 28184, 35482, 44669, 56235, 70795, 89126, 112202, 141254,
    177828, 223873, 281839, 354814, 446684, 562342, 707946, 891251, 1122019, 1412538, 1778280,
    2238722, 2818383, 3548134, 4466836, 5623414, 7079458, 8912510, 11220185, 14125376,
    17782795, 22387212, 28183830, 35481339, 44668360, 56234133, 70794579, 89125094, 112201846,
    141253755, 177827942, 223872114, 281838294, 354813390, 446683593, 562341326, 707945785,
    891250939, 1122018455, 1412537545, 1778279411};

// round(ln x) for x >= 1.
inline int rounded_ln(std::int32_t x) {
    int k = x >= 2;
    for (std::int32_t t : kLnHalfPoints) k += x > t;
    return k;
}

// round(10*log10 x) for x >= 1.
inline int rounded_decibel(std::int32_t x) {
    return static_cast<int>(std::upper_bound(kDecibelHalfPoints.begin(), kDecibelHalfPoints.end(), x) -
                            kDecibelHalfPoints.begin());
}

struct NaturalLog {
    static int rounded(std::int32_t x) { return rounded_ln(x); }
    static double value(std::int32_t x) { return std::log(static_cast<double>(x)); }
};
struct Decibel {
    static int rounded(std::int32_t x) { return rounded_decibel(x); }
    static double value(std::int32_t x) { return std::log(static_cast<double>(x)) * 0.4342944819032518 * 10.0; }
};

// x <= 0 gives the destination minimum and a warning. sf >= 0: the rounded
// value shifted right; sf < 0: floor(value * 2^-sf + 0.5), saturated.
template <class Fn, class S, class D>
VekStatus log_int(const S* src, D* dst, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    using L = std::numeric_limits<D>;
    FirstWarning warn;
    const int shift = std::min(sf, 31);
    const double scale = std::ldexp(1.0, -std::max(sf, -1000)); // 2^1000 saturates every non-zero value
    for (int n = 0; n < len; ++n) {
        const std::int32_t x = load_elem(src, n);
        if (x <= 0) {
            store_elem(dst, n, L::min());
            warn.note(x == 0 ? vekStsLogZeroArg : vekStsLogNegativeArg);
        } else if (sf >= 0) {
            store_elem(dst, n, static_cast<D>(Fn::rounded(x) >> shift));
        } else {
            const double v = std::floor(Fn::value(x) * scale + 0.5);
            store_elem(dst, n, v > static_cast<double>(L::max()) ? L::max() : static_cast<D>(v));
        }
    }
    return warn.status();
}

} // namespace
} // namespace veks

using namespace veks;


VEKS_EXPORT_UNARY(Ln, 32f, ln_float)
VEKS_EXPORT_UNARY(Ln, 64f, ln_float)
VEKS_API VekStatus veksLn_64f32f(const Vek64f* pSrc, Vek32f* pDst, int len) { return ln_float(pSrc, pDst, len); }
VEKS_EXPORT_UNARY_SFS(Ln, 16s, log_int<NaturalLog>)
VEKS_EXPORT_UNARY_SFS(Ln, 32s, log_int<NaturalLog>)
VEKS_API VekStatus veksLn_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int scaleFactor) {
    return log_int<NaturalLog>(pSrc, pDst, len, scaleFactor);
}
VEKS_EXPORT_UNARY_SFS(10Log10, 32s, log_int<Decibel>)
