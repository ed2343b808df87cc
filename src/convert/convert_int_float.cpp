// Integer to float (exact, nearest, or times a clamped power of two) and
// between the two float widths.
#include "core/checks.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "convert/convert_kernels.h"

namespace veks::conv {
namespace {

template <class S, class D>
VekStatus to_float(const S* src, D* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    int_to_float(src, dst, static_cast<std::size_t>(len));
    return vekStsOk;
}

// The factor 2^-s is built from its exponent field, s clamped to [lo, hi].
template <int Lo, int Hi, class S>
VekStatus to_single_scaled(const S* src, Vek32f* dst, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    int_to_float_scaled(src, dst, static_cast<std::size_t>(len), single_from_field(127 - clamp_int(sf, Lo, Hi)));
    return vekStsOk;
}
template <int Lo, int Hi, class S>
VekStatus to_double_scaled(const S* src, Vek64f* dst, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    int_to_float_scaled(src, dst, static_cast<std::size_t>(len), double_from_field(1023 - clamp_int(sf, Lo, Hi)));
    return vekStsOk;
}

template <class Load>
VekStatus packed24_to_single(const Vek8u* src, Vek32f* dst, int len, Load load) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (std::size_t i = 0; i < static_cast<std::size_t>(len); ++i) store_elem(dst, i, static_cast<Vek32f>(load(src + 3 * i)));
    return vekStsOk;
}

// Beyond the largest finite single (infinities included) saturates; NaN passes.
VekStatus double_to_single(const Vek64f* src, Vek32f* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    constexpr double top = static_cast<double>(std::numeric_limits<float>::max());
    for (std::size_t i = 0; i < static_cast<std::size_t>(len); ++i) {
        const double v = load_elem(src, i);
        store_elem(dst, i, static_cast<Vek32f>(v >= top ? top : (v <= -top ? -top : v)));
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::conv

using namespace veks::conv;

#define VEKS_TO_FLOAT(S, D) \
    VEKS_API VekStatus veksConvert_##S##D(const Vek##S* pSrc, Vek##D* pDst, int len) { return to_float(pSrc, pDst, len); }
VEKS_TO_FLOAT(8s, 32f)
VEKS_TO_FLOAT(8u, 32f)
VEKS_TO_FLOAT(16s, 32f)
VEKS_TO_FLOAT(16u, 32f)
VEKS_TO_FLOAT(32s, 32f)
VEKS_TO_FLOAT(32s, 64f)
VEKS_TO_FLOAT(32f, 64f)

VEKS_API VekStatus veksConvert_16s32f_Sfs(const Vek16s* pSrc, Vek32f* pDst, int len, int sf) { return to_single_scaled<-112, 126>(pSrc, pDst, len, sf); }
VEKS_API VekStatus veksConvert_32s32f_Sfs(const Vek32s* pSrc, Vek32f* pDst, int len, int sf) { return to_single_scaled<-96, 126>(pSrc, pDst, len, sf); }
VEKS_API VekStatus veksConvert_16s64f_Sfs(const Vek16s* pSrc, Vek64f* pDst, int len, int sf) { return to_double_scaled<-1008, 1022>(pSrc, pDst, len, sf); }
VEKS_API VekStatus veksConvert_32s64f_Sfs(const Vek32s* pSrc, Vek64f* pDst, int len, int sf) { return to_double_scaled<-992, 1022>(pSrc, pDst, len, sf); }

VEKS_API VekStatus veksConvert_24s32f(const Vek8u* pSrc, Vek32f* pDst, int len) { return packed24_to_single(pSrc, pDst, len, load_24s); }
VEKS_API VekStatus veksConvert_24u32f(const Vek8u* pSrc, Vek32f* pDst, int len) { return packed24_to_single(pSrc, pDst, len, load_24u); }
VEKS_API VekStatus veksConvert_64f32f(const Vek64f* pSrc, Vek32f* pDst, int len) { return double_to_single(pSrc, pDst, len); }
