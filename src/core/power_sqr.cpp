// Squares. Integer members square exactly in 64 bits and apply the scale
// rule; floating-point members square in the element's own precision.
#include <cstdint>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "core/scale.h"
#include "core/unaligned.h"

namespace veks {
namespace {

// Largest scale factor whose rounded results are not all zero.
template <class T> constexpr int last_nonzero_sf = 0;
template <> inline constexpr int last_nonzero_sf<Vek8u> = 16;   // 255^2 < 2^16
template <> inline constexpr int last_nonzero_sf<Vek16u> = 32;  // 65535^2 < 2^32
template <> inline constexpr int last_nonzero_sf<Vek16s> = 30;  // 2^30 / 2^31 is a tie to 0
template <> inline constexpr int last_nonzero_sf<Vek16sc> = 31; // |2*re*im| <= 2^31

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
                const T x = load_elem(src, n);
                const std::int64_t re = x.re, im = x.im;
                store_elem(dst, n, T{scale(re * re - im * im), scale(2 * re * im)});
            } else {
                const std::int64_t x = load_elem(src, n);
                store_elem(dst, n, scale(x * x));
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
            const T x = load_elem(src, n);
            const auto re = x.re, im = x.im;
            store_elem(dst, n, T{re * re - im * im, re * im + im * re});
        } else {
            const T x = load_elem(src, n);
            store_elem(dst, n, x * x);
        }
    }
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;


VEKS_EXPORT_UNARY_SFS(Sqr, 8u, sqr_int)
VEKS_EXPORT_UNARY_SFS(Sqr, 16u, sqr_int)
VEKS_EXPORT_UNARY_SFS(Sqr, 16s, sqr_int)
VEKS_EXPORT_UNARY_SFS(Sqr, 16sc, sqr_int)
VEKS_EXPORT_UNARY(Sqr, 32f, sqr_float)
VEKS_EXPORT_UNARY(Sqr, 64f, sqr_float)
VEKS_EXPORT_UNARY(Sqr, 32fc, sqr_float)
VEKS_EXPORT_UNARY(Sqr, 64fc, sqr_float)
