// Integer to integer: sign and zero extension, saturation, and narrowing
// with a power-of-two scale factor.
#include "core/checks.h"
#include "core/export.h"
#include "convert/convert_kernels.h"

namespace veks::conv {
namespace {

template <class D>
typename dest<D>::value_t saturate_to(std::int64_t v) {
    using V = typename dest<D>::value_t;
    return static_cast<V>(v < dest<D>::ilo ? dest<D>::ilo : (v > dest<D>::ihi ? dest<D>::ihi : v));
}

// x / 2^n rounded by mode (0 < n < 64), without overflow for any 64-bit x:
// q = floor(x / 2^n) and the remainder 0 <= rem < 2^n decide the step.
template <int Mode>
std::int64_t shift_right_rounded(std::int64_t x, int n) {
    const std::int64_t q = x >> n;
    const std::uint64_t rem = static_cast<std::uint64_t>(x) & ((std::uint64_t(1) << n) - 1);
    const std::uint64_t half = std::uint64_t(1) << (n - 1);
    if constexpr (Mode == 0) return q + (x < 0 && rem != 0);        // toward zero
    else if constexpr (Mode == 1) return q + (rem > half || (rem == half && (q & 1)));
    else return q + (x >= 0 ? rem >= half : rem > half);             // ties away from zero
}

// Narrowing with scale factor: left shifts are limited to max_left places,
// right shifts to max_right. Left-shifted values that leave the range
// saturate before they are shifted, so nothing overflows.
template <class D, int Mode, class S>
VekStatus narrow_scaled(const S* src, store_t<D>* dst, int len, int sf, int max_left, int max_right) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    const std::size_t count = static_cast<std::size_t>(len);
    if (sf == 0) {
        for (std::size_t i = 0; i < count; ++i) store_at<D>(dst, i, saturate_to<D>(std::int64_t(src[i])));
    } else if (sf < 0) {
        const int n = sf < -max_left ? max_left : -sf;
        const std::int64_t top = dest<D>::ihi >> n, bottom = dest<D>::ilo >> n;
        for (std::size_t i = 0; i < count; ++i) {
            const std::int64_t x = static_cast<std::int64_t>(src[i]);
            const std::int64_t v = x > top ? dest<D>::ihi : (x < bottom ? dest<D>::ilo : x * (std::int64_t(1) << n));
            store_at<D>(dst, i, saturate_to<D>(v));
        }
    } else {
        const int n = sf < max_right ? sf : max_right;
        for (std::size_t i = 0; i < count; ++i)
            store_at<D>(dst, i, saturate_to<D>(shift_right_rounded<Mode>(static_cast<std::int64_t>(src[i]), n)));
    }
    return vekStsOk;
}

template <class S, class D>
VekStatus widen(const S* src, D* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (std::size_t i = 0; i < static_cast<std::size_t>(len); ++i) dst[i] = src[i];
    return vekStsOk;
}

VekStatus saturate_32s16s(const Vek32s* src, Vek16s* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (std::size_t i = 0; i < static_cast<std::size_t>(len); ++i)
        dst[i] = static_cast<Vek16s>(src[i] > 32767 ? 32767 : (src[i] < -32768 ? -32768 : src[i]));
    return vekStsOk;
}

template <class D, class Load>
VekStatus from_packed24(const Vek8u* src, D* dst, int len, Load load) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (std::size_t i = 0; i < static_cast<std::size_t>(len); ++i) dst[i] = static_cast<D>(load(src + 3 * i));
    return vekStsOk;
}

} // namespace
} // namespace veks::conv

using namespace veks::conv;

VEKS_API VekStatus veksConvert_8s16s(const Vek8s* pSrc, Vek16s* pDst, int len) { return widen(pSrc, pDst, len); }
VEKS_API VekStatus veksConvert_16s32s(const Vek16s* pSrc, Vek32s* pDst, int len) { return widen(pSrc, pDst, len); }
VEKS_API VekStatus veksConvert_24s32s(const Vek8u* pSrc, Vek32s* pDst, int len) { return from_packed24(pSrc, pDst, len, load_24s); }
VEKS_API VekStatus veksConvert_24u32u(const Vek8u* pSrc, Vek32u* pDst, int len) { return from_packed24(pSrc, pDst, len, load_24u); }
VEKS_API VekStatus veksConvert_32s16s(const Vek32s* pSrc, Vek16s* pDst, int len) { return saturate_32s16s(pSrc, pDst, len); }

VEKS_API VekStatus veksConvert_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int sf) {
    return narrow_scaled<Vek16s, vekRoundHalfEven>(pSrc, pDst, len, sf, 15, 31);
}
VEKS_API VekStatus veksConvert_32s24s_Sfs(const Vek32s* pSrc, Vek8u* pDst, int len, int sf) {
    return narrow_scaled<Packed24s, vekRoundHalfEven>(pSrc, pDst, len, sf, 31, 31);
}
VEKS_API VekStatus veksConvert_32u24u_Sfs(const Vek32u* pSrc, Vek8u* pDst, int len, int sf) {
    return narrow_scaled<Packed24u, vekRoundHalfEven>(pSrc, pDst, len, sf, 31, 31);
}
VEKS_API VekStatus veksConvert_64s32s_Sfs(const Vek64s* pSrc, Vek32s* pDst, int len, int roundMode, int sf) {
    return with_rounding(roundMode, [&](auto m) {
        return narrow_scaled<Vek32s, decltype(m)::value>(pSrc, pDst, len, sf, 31, 63);
    });
}
