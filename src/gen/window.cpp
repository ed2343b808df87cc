// Bartlett, Hann, Hamming and Blackman windows (16s, 16sc, 32f, 32fc and
// their in-place twins). Floating-point forms weigh in double and round the
// product to the element type; 16-bit forms use the Q15 weights of Bartlett
// and Hann, or truncate the double product (Hamming, Blackman).
#include <algorithm>
#include <type_traits>

#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"
#include "core/scale.h"
#include "gen/window_export.h"
#include "gen/window_ops.h"

namespace veks::gen {
namespace {

inline float alpha_from_q15(int alpha_q15) { return static_cast<float>(alpha_q15 * 3.0517578125e-05); }

template <class T>
VekStatus blackman_q15(const T* src, T* dst, int len, int alpha_q15) {
    return blackman(src, dst, len, alpha_from_q15(alpha_q15));
}

// The truncated product is the exact integer that the scale-factor rule
// then divides (ties to even) and saturates. |product| <= 32768, so scale
// factors above 30 give 0 as 30 does.
template <class Scale>
struct ProductTruncateScaled {
    Scale scale;
    Vek16s middle(Vek16s x) const { return scale(static_cast<std::int32_t>(x)); }
    Vek16s operator()(Vek16s x, double w) const {
        return scale(static_cast<std::int32_t>(ProductTruncate{}(x, w)));
    }
};

VekStatus blackman_q15_sfs(Vek16s* src_dst, int len, int alpha_q15, int sf) {
    return with_scale<Vek16s>(std::min(sf, 30), [&](auto scale) {
        return blackman(src_dst, src_dst, len, alpha_from_q15(alpha_q15), ProductTruncateScaled<decltype(scale)>{scale});
    });
}

} // namespace

} // namespace veks::gen

using namespace veks;
using namespace veks::gen;

#define VEKS_WIN_ALL(name, fn) \
    VEKS_WIN(name, 16s, fn)    \
    VEKS_WIN(name, 16sc, fn)   \
    VEKS_WIN(name, 32f, fn)    \
    VEKS_WIN(name, 32fc, fn)

VEKS_WIN_ALL(Bartlett, bartlett)
VEKS_WIN_ALL(Hann, hann)
VEKS_WIN_ALL(Hamming, hamming)
VEKS_WIN_ALL(BlackmanStd, blackman_std)
VEKS_WIN_ALL(BlackmanOpt, blackman_opt)
VEKS_API VekStatus veksWinBlackmanOpt_64f_I(Vek64f* pSrcDst, int len) { return blackman_opt(pSrcDst, pSrcDst, len); }

VEKS_WIN_PARAM(Blackman, 16s, blackman, float, alpha)
VEKS_WIN_PARAM(Blackman, 16sc, blackman, float, alpha)
VEKS_WIN_PARAM(Blackman, 32f, blackman, float, alpha)
VEKS_WIN_PARAM(Blackman, 32fc, blackman, float, alpha)
VEKS_WIN_PARAM(BlackmanQ15, 16s, blackman_q15, int, alphaQ15)
VEKS_WIN_PARAM(BlackmanQ15, 16sc, blackman_q15, int, alphaQ15)
VEKS_API VekStatus veksWinBlackmanQ15_16s_ISfs(Vek16s* pSrcDst, int len, int alphaQ15, int scaleFactor) {
    return blackman_q15_sfs(pSrcDst, len, alphaQ15, scaleFactor);
}
