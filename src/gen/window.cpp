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
#include "gen/window_walk.h"
#include "gen/window_weights.h"

namespace veks::gen {
namespace {

template <class T> constexpr bool is_16bit = std::is_same_v<component_t<T>, Vek16s>;

// The product used with double-precision weights.
template <class T>
using DoubleProduct = std::conditional_t<is_16bit<T>, ProductTruncate, ProductRound>;

template <class T>
VekStatus check_window(const T* src, const T* dst, int len, int min_len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    return len < min_len ? vekStsBadLength : vekStsOk;
}

template <class T, class Source, class Product>
VekStatus cosine_window(const T* src, T* dst, int len, Source&& source, const Product& product) {
    VEKS_CHECK(check_window(src, dst, len, 3));
    if (len == 3) {
        three_point(src, dst, product);
    } else {
        auto next = source();
        symmetric_walk(src, dst, len, next, product);
    }
    return vekStsOk;
}

template <class T>
VekStatus bartlett(const T* src, T* dst, int len) {
    if constexpr (is_16bit<T>)
        return cosine_window(src, dst, len, [len] { return BartlettWeightsQ15(len); }, ProductQ15{});
    else
        return cosine_window(src, dst, len, [len] { return BartlettWeights(len); }, ProductRound{});
}

template <class T>
VekStatus hann(const T* src, T* dst, int len) {
    if constexpr (is_16bit<T>)
        return cosine_window(src, dst, len, [len] { return HannWeightsQ15(len); }, ProductQ15{});
    else
        return cosine_window(src, dst, len, [len] { return CosineWeights<HannMap>(len, {}); }, ProductRound{});
}

template <class T>
VekStatus hamming(const T* src, T* dst, int len) {
    return cosine_window(src, dst, len, [len] { return CosineWeights<HammingMap>(len, {}); }, DoubleProduct<T>{});
}

template <class T, class Product = DoubleProduct<T>>
VekStatus blackman(const T* src, T* dst, int len, float alpha, const Product& product = {}) {
    return cosine_window(src, dst, len, [len, alpha] { return CosineWeights<BlackmanMap>(len, BlackmanMap(alpha)); },
                         product);
}

template <class T>
VekStatus blackman_std(const T* src, T* dst, int len) {
    return blackman(src, dst, len, -0.16f);
}

// The length is tested first: the optimal parameter needs N >= 4.
template <class T>
VekStatus blackman_opt(const T* src, T* dst, int len) {
    if (len < 4) return vekStsBadLength;
    return blackman(src, dst, len, blackman_opt_alpha(len));
}

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
