// Normalize: dst = (src - vSub) / vDiv, as a multiplication by 1 / vDiv.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/unaligned.h"
#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"

namespace veks::stats {
namespace {

// Float data. The difference is formed in the element type; R is the
// precision of the reciprocal and of the product (double for 32fc).
template <class R, class T, class F>
VekStatus normalize_float(const T* src, T* dst, int len, T sub, F div) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if (std::fabs(div) < std::numeric_limits<F>::min()) return vekStsDivByZeroError;
    const R inv = R(1) / R(div);
    for (int k = 0; k < len; ++k) {
        if constexpr (is_complex_v<T>) {
            const T x = load_elem(src, k);
            store_elem(dst, k, T{static_cast<F>(R(F(x.re - sub.re)) * inv), static_cast<F>(R(F(x.im - sub.im)) * inv)});
        } else {
            store_elem(dst, k, static_cast<F>(R(F(load_elem(src, k) - sub)) * inv));
        }
    }
    return vekStsOk;
}

// 2^-sf as a single built from its exponent field, sf taken modulo 128
// (C remainder): the field is 127 - sf % 128, so 127 gives zero.
float pow2_from_exponent_field(int sf) {
    const std::uint32_t bits = static_cast<std::uint32_t>(127 - sf % 128) << 23;
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// Single-precision y saturated to 16 bits, else truncated toward zero.
Vek16s saturate_truncate_16s(float y) {
    if (y > 32767.0f) return 32767;
    if (y < -32768.0f) return -32768;
    return static_cast<Vek16s>(y);
}

template <class T>
VekStatus normalize_16s(const T* src, T* dst, int len, T sub, int div, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if (div == 0) return vekStsDivByZeroError;
    const float f = (1.0f / static_cast<float>(div)) * pow2_from_exponent_field(sf);
    for (int k = 0; k < len; ++k) {
        if constexpr (is_complex_v<T>) {
            const T x = load_elem(src, k);
            store_elem(dst, k, T{saturate_truncate_16s(static_cast<float>(std::int32_t(x.re) - sub.re) * f),
                                 saturate_truncate_16s(static_cast<float>(std::int32_t(x.im) - sub.im) * f)});
        } else {
            store_elem(dst, k, saturate_truncate_16s(static_cast<float>(std::int32_t(load_elem(src, k)) - sub) * f));
        }
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::stats

using namespace veks::stats;

VEKS_API VekStatus veksNormalize_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f vSub, Vek32f vDiv) { return normalize_float<float>(pSrc, pDst, len, vSub, vDiv); }
VEKS_API VekStatus veksNormalize_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f vSub, Vek64f vDiv) { return normalize_float<double>(pSrc, pDst, len, vSub, vDiv); }
VEKS_API VekStatus veksNormalize_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, Vek32fc vSub, Vek32f vDiv) { return normalize_float<double>(pSrc, pDst, len, vSub, vDiv); }
VEKS_API VekStatus veksNormalize_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len, Vek64fc vSub, Vek64f vDiv) { return normalize_float<double>(pSrc, pDst, len, vSub, vDiv); }
VEKS_API VekStatus veksNormalize_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, Vek16s vSub, int vDiv, int sf) { return normalize_16s(pSrc, pDst, len, vSub, vDiv, sf); }
VEKS_API VekStatus veksNormalize_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int len, Vek16sc vSub, int vDiv, int sf) { return normalize_16s(pSrc, pDst, len, vSub, vDiv, sf); }
