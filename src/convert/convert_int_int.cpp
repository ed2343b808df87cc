// Integer to integer: sign and zero extension, saturation, and narrowing
// with a power-of-two scale factor.
#include "core/checks.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "convert/convert_kernels.h"

namespace veks::conv {
namespace {

template <class D, int Mode, class S>
VekStatus narrow_checked(const S* src, store_t<D>* dst, int len, int sf, int max_left, int max_right) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    int_narrow_sfs<D, Mode>(src, dst, static_cast<std::size_t>(len), sf, max_left, max_right);
    return vekStsOk;
}

template <class S, class D>
VekStatus widen(const S* src, D* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (std::size_t i = 0; i < static_cast<std::size_t>(len); ++i) store_elem(dst, i, static_cast<D>(load_elem(src, i)));
    return vekStsOk;
}

VekStatus saturate_32s16s(const Vek32s* src, Vek16s* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (std::size_t i = 0; i < static_cast<std::size_t>(len); ++i) {
        const Vek32s v = load_elem(src, i);
        store_elem(dst, i, static_cast<Vek16s>(v > 32767 ? 32767 : (v < -32768 ? -32768 : v)));
    }
    return vekStsOk;
}

template <class D, class Load>
VekStatus from_packed24(const Vek8u* src, D* dst, int len, Load load) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (std::size_t i = 0; i < static_cast<std::size_t>(len); ++i) store_elem(dst, i, static_cast<D>(load(src + 3 * i)));
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
    return narrow_checked<Vek16s, vekRoundHalfEven>(pSrc, pDst, len, sf, 15, 31);
}
VEKS_API VekStatus veksConvert_32s24s_Sfs(const Vek32s* pSrc, Vek8u* pDst, int len, int sf) {
    return narrow_checked<Packed24s, vekRoundHalfEven>(pSrc, pDst, len, sf, 31, 31);
}
VEKS_API VekStatus veksConvert_32u24u_Sfs(const Vek32u* pSrc, Vek8u* pDst, int len, int sf) {
    return narrow_checked<Packed24u, vekRoundHalfEven>(pSrc, pDst, len, sf, 31, 31);
}
VEKS_API VekStatus veksConvert_64s32s_Sfs(const Vek64s* pSrc, Vek32s* pDst, int len, int roundMode, int sf) {
    return with_rounding(roundMode, [&](auto m) {
        return narrow_checked<Vek32s, decltype(m)::value>(pSrc, pDst, len, sf, 31, 63);
    });
}
