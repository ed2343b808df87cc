// Kaiser windows: w_k = I0(alpha sqrt(k (N-1-k))) / I0(|alpha| (N-1) / 2),
// I0 from its polynomial approximation. 16-bit forms round the double
// product half away from zero and limit it to the 16-bit range.
#include <cmath>
#include <type_traits>

#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"
#include "gen/bessel_i0.h"
#include "gen/window_export.h"
#include "gen/window_walk.h"

namespace veks::gen {
namespace {

template <class T> constexpr bool is_16bit = std::is_same_v<component_t<T>, Vek16s>;

// Above this |alpha| (N-1) / 2 the weights would leave the double range
// (single precision: the 32f and 32fc forms).
template <class T> constexpr double kaiser_limit = std::is_same_v<component_t<T>, Vek32f> ? 38.0 : 308.0;

struct KaiserWeights {
    double alpha, den, last; // last = N - 1
    int k = 0;
    KaiserWeights(int n, float a) : alpha(a), last(n - 1) {
        // The denominator's argument is the single-precision product (N-1) alpha, halved.
        const float x0 = std::fabs(static_cast<float>(n - 1) * a * 0.5f);
        den = bessel_i0(static_cast<double>(x0));
    }
    double operator()() {
        const double kk = static_cast<double>(k++);
        return bessel_i0(alpha * std::sqrt(kk * (last - kk))) / den;
    }
};

template <class T>
VekStatus kaiser(const T* src, T* dst, int len, float alpha) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if (std::fabs(static_cast<double>(alpha)) * (len - 1) * 0.5 > kaiser_limit<T>) return vekStsBadKaiserAlpha;
    KaiserWeights next(len, alpha);
    if constexpr (is_16bit<T>)
        symmetric_walk(src, dst, len, next, ProductRoundAway{});
    else
        symmetric_walk(src, dst, len, next, ProductRound{});
    return vekStsOk;
}

template <class T>
VekStatus kaiser_q15(const T* src, T* dst, int len, int alpha_q15) {
    return kaiser(src, dst, len, static_cast<float>(alpha_q15 * 3.0517578125e-05));
}

} // namespace
} // namespace veks::gen

using namespace veks;
using namespace veks::gen;

VEKS_WIN_PARAM(Kaiser, 16s, kaiser, float, alpha)
VEKS_WIN_PARAM(Kaiser, 16sc, kaiser, float, alpha)
VEKS_WIN_PARAM(Kaiser, 32f, kaiser, float, alpha)
VEKS_WIN_PARAM(Kaiser, 32fc, kaiser, float, alpha)
VEKS_WIN_PARAM(Kaiser, 64f, kaiser, float, alpha)
VEKS_WIN_PARAM(Kaiser, 64fc, kaiser, float, alpha)
VEKS_WIN_PARAM(KaiserQ15, 16s, kaiser_q15, int, alphaQ15)
VEKS_WIN_PARAM(KaiserQ15, 16sc, kaiser_q15, int, alphaQ15)
