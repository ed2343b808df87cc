// Float to integer with a rounding mode and a power-of-two scale factor.
#include "core/checks.h"
#include "core/export.h"
#include "convert/convert_kernels.h"

namespace veks::conv {
namespace {

template <class D, class F>
VekStatus float_to_int_checked(const F* src, store_t<D>* dst, int len, int mode, double factor) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    with_rounding(mode, [&](auto m) { float_to_int_scaled<D, decltype(m)::value>(src, dst, std::size_t(len), factor); });
    return vekStsOk;
}

// How each form turns its scale factor into the multiplier.
double unclamped(int sf) { return pow2_neg(sf); }
double clamped_64f16s(int sf) { return pow2_neg(clamp_int(sf, -1008, 1022)); }
// A single whose exponent field is 127 - sf; sf 127 gives a zero factor.
double single_field(int sf) { return single_from_field(127 - clamp_int(sf, -127, 127)); }

} // namespace
} // namespace veks::conv

using namespace veks::conv;

#define VEKS_F2I(S, F, D, FACTOR)                                                                                  \
    VEKS_API VekStatus veksConvert_##S##_Sfs(const Vek##F* pSrc, Vek##D* pDst, int len, int roundMode, int sf) { \
        return float_to_int_checked<Vek##D>(pSrc, pDst, len, roundMode, FACTOR(sf));                           \
    }
VEKS_F2I(32f8s, 32f, 8s, unclamped)
VEKS_F2I(32f8u, 32f, 8u, unclamped)
VEKS_F2I(32f16s, 32f, 16s, unclamped)
VEKS_F2I(32f16u, 32f, 16u, unclamped)
VEKS_F2I(32f32s, 32f, 32s, unclamped)
VEKS_F2I(64f16s, 64f, 16s, clamped_64f16s)
VEKS_F2I(64f32s, 64f, 32s, unclamped)

// The packed 24-bit forms have no rounding mode: always ties to even.
#define VEKS_F2I24(S, D)                                                                           \
    VEKS_API VekStatus veksConvert_##S##_Sfs(const Vek32f* pSrc, Vek8u* pDst, int len, int sf) { \
        return float_to_int_checked<D>(pSrc, pDst, len, vekRoundHalfEven, single_field(sf));   \
    }
VEKS_F2I24(32f24s, Packed24s)
VEKS_F2I24(32f24u, Packed24u)
