// Squares. Integer members square exactly in 64 bits and apply the scale
// rule; floating-point members square in the element's own precision.
#include <cstdint>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "core/scale.h"

namespace veks {
namespace {

// Largest scale factor whose rounded results are not all zero.
template <class T> constexpr int last_nonzero_sf = 0;
template <> constexpr int last_nonzero_sf<Vek8u> = 16;   // 255^2 < 2^16
template <> constexpr int last_nonzero_sf<Vek16u> = 32;  // 65535^2 < 2^32
template <> constexpr int last_nonzero_sf<Vek16s> = 30;  // 2^30 / 2^31 is a tie to 0
template <> constexpr int last_nonzero_sf<Vek16sc> = 31; // |2*re*im| <= 2^31

template <class T>
VekStatus sqr_int(const T* src, T* dst, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if (sf > last_nonzero_sf<T>) {
        std::memset(dst, 0, static_cast<std::size_t>(len) * sizeof(T));
        return vekStsOk;
    }
    // Every factor below the width saturates by sign alike; clamping keeps -sf representable.
    with_scale<component_t<T>>(sf < -64 ? -64 : sf, [&](auto scale) {
        for (int n = 0; n < len; ++n) {
            if constexpr (is_complex_v<T>) {
                const std::int64_t re = src[n].re, im = src[n].im;
                dst[n].re = scale(re * re - im * im);
                dst[n].im = scale(2 * re * im);
            } else {
                const std::int64_t x = src[n];
                dst[n] = scale(x * x);
            }
        }
        return 0;
    });
    return vekStsOk;
}

template <class T>
VekStatus sqr_float(const T* src, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (int n = 0; n < len; ++n) {
        if constexpr (is_complex_v<T>) {
            const auto re = src[n].re, im = src[n].im;
            dst[n].re = re * re - im * im;
            dst[n].im = re * im + im * re;
        } else {
            dst[n] = src[n] * src[n];
        }
    }
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

#define VEKS_SQR_I(s)                                                                                    \
    VEKS_API VekStatus veksSqr_##s##_Sfs(const Vek##s* pSrc, Vek##s* pDst, int len, int scaleFactor) {     \
        return sqr_int(pSrc, pDst, len, scaleFactor);                                                    \
    }                                                                                                    \
    VEKS_API VekStatus veksSqr_##s##_ISfs(Vek##s* pSrcDst, int len, int scaleFactor) {                   \
        return sqr_int(pSrcDst, pSrcDst, len, scaleFactor);                                              \
    }
#define VEKS_SQR_F(s)                                                                                    \
    VEKS_API VekStatus veksSqr_##s(const Vek##s* pSrc, Vek##s* pDst, int len) { return sqr_float(pSrc, pDst, len); } \
    VEKS_API VekStatus veksSqr_##s##_I(Vek##s* pSrcDst, int len) { return sqr_float(pSrcDst, pSrcDst, len); }

VEKS_SQR_I(8u)
VEKS_SQR_I(16u)
VEKS_SQR_I(16s)
VEKS_SQR_I(16sc)
VEKS_SQR_F(32f)
VEKS_SQR_F(64f)
VEKS_SQR_F(32fc)
VEKS_SQR_F(64fc)
