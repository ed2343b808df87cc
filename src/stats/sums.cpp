// Sum, Mean, StdDev and MeanStdDev.
#include <cmath>
#include <cstddef>

#include "core/unaligned.h"
#include "core/checks.h"
#include "core/export.h"
#include "core/rounding.h"
#include "core/scale.h"
#include "stats/accumulate.h"
#include "stats/sum_scale.h"
#include "stats/terms.h"

namespace veks::stats {
namespace {

// ---- exact totals of integer data, one per part ----------------------------------
std::int64_t exact_total(const Vek16s* x, std::size_t n, std::size_t stride = 1) { return exact_sum_16s(x, n, stride); }
std::int64_t exact_total(const Vek32s* x, std::size_t n, std::size_t stride = 1) { return exact_sum_32s(x, n, stride); }

// Runs per_part(total) on each part of integer data and stores the results.
template <class T, class D, class PerPart>
void store_parts(const T* src, std::size_t n, D* dst, PerPart per_part) {
    if constexpr (is_complex_v<T>) {
        const auto* c = reinterpret_cast<const component_t<T>*>(src);
        store_elem(dst, 0, D{per_part(exact_total(c, n, 2)), per_part(exact_total(c + 1, n, 2))});
    } else {
        store_elem(dst, 0, per_part(exact_total(src, n)));
    }
}

// ---- double sums of float data ---------------------------------------------------
// Real data: the two-sum order; complex data: one running sum per part.
template <class F>
double float_total(const F* x, std::size_t n) {
    return sum_pairs4(RealTerms<F, TermOp::Value>{x}, n);
}

template <class F>
void complex_totals(const F* x, std::size_t n, double& re, double& im) {
#if defined(__SSE2__)
    __m128d acc = _mm_setzero_pd();
    for (std::size_t i = 0; i < n; ++i) acc = _mm_add_pd(acc, two_as_double(x + 2 * i));
    re = _mm_cvtsd_f64(acc);
    im = _mm_cvtsd_f64(_mm_unpackhi_pd(acc, acc));
#else
    re = im = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        re += load_elem(x, 2 * i);
        im += load_elem(x, 2 * i + 1);
    }
#endif
}

// ---- Sum and Mean of floating-point data -----------------------------------------
// Both take the prescribed totals; the mean divides them by len once.
template <bool Mean, class T>
VekStatus float_total_of(const T* src, int len, T* dst) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    using F = component_t<T>;
    const double divisor = Mean ? static_cast<double>(len) : 1.0;
    if constexpr (is_complex_v<T>) {
        double re, im;
        complex_totals(reinterpret_cast<const F*>(src), std::size_t(len), re, im);
        store_elem(dst, 0, T{static_cast<F>(re / divisor), static_cast<F>(im / divisor)});
    } else {
        store_elem(dst, 0, static_cast<F>(float_total(src, std::size_t(len)) / divisor));
    }
    return vekStsOk;
}

template <class T> VekStatus sum_float(const T* src, int len, T* dst) { return float_total_of<false>(src, len, dst); }
template <class T> VekStatus mean_float(const T* src, int len, T* dst) { return float_total_of<true>(src, len, dst); }

// 32-bit results: the sum rule of 16-bit data or of 32-bit data.
template <class T, class D>
VekStatus sum_to_32s(const T* src, int len, D* dst, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    constexpr FarLeft far = sizeof(component_t<T>) == 2 ? FarLeft::SymmetricMax : FarLeft::Saturate;
    store_parts(src, std::size_t(len), dst, [sf](std::int64_t s) { return scale_total_32s<far>(s, sf); });
    return vekStsOk;
}

// 16-bit results: the 32-bit result saturated once more.
template <class T>
VekStatus sum_to_16s(const T* src, int len, T* dst, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    store_parts(src, std::size_t(len), dst,
                [sf](std::int64_t s) { return saturate<Vek16s>(scale_total_32s<FarLeft::SymmetricMax>(s, sf)); });
    return vekStsOk;
}

// ---- Mean of integer data ----------------------------------------------------------
template <class T>
VekStatus mean_int(const T* src, int len, T* dst, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    using C = component_t<T>;
    store_parts(src, std::size_t(len), dst, [=](std::int64_t s) { return scale_mean<C>(s, len, sf); });
    return vekStsOk;
}

// ---- StdDev ----------------------------------------------------------------------
// The sample deviation from S = sum x and Q = sum x^2.
double deviation(double s, double q, int len) {
    const double n = len;
    const double v = q * n - s * s;
    return v > 0.0 ? std::sqrt(v / (n * (n - 1.0))) : 0.0;
}

VekStatus check_deviation_len(int len) { return len < 2 ? vekStsBadLength : vekStsOk; }

struct Moments { double s, q; };

template <class F>
Moments float_moments(const F* x, int len) {
    return {float_total(x, std::size_t(len)), sum_pairs4(RealTerms<F, TermOp::Square>{x}, std::size_t(len))};
}

// 16-bit data: both sums exact in 64 bits, converted once.
Moments int_moments(const Vek16s* x, int len) {
    std::int64_t q = 0;
    for (int i = 0; i < len; ++i) q += std::int32_t(load_elem(x, i)) * load_elem(x, i);
    return {static_cast<double>(exact_sum_16s(x, std::size_t(len))), static_cast<double>(q)};
}

template <class F>
VekStatus stddev_float(const F* src, int len, F* dev) {
    VEKS_CHECK(check_ptrs(src, dev));
    VEKS_CHECK(check_deviation_len(len));
    const Moments m = float_moments(src, len);
    store_elem(dev, 0, static_cast<F>(deviation(m.s, m.q, len)));
    return vekStsOk;
}

template <class F>
VekStatus mean_stddev_float(const F* src, int len, F* mean, F* dev) {
    VEKS_CHECK(check_ptrs(src, mean, dev));
    VEKS_CHECK(check_deviation_len(len));
    const Moments m = float_moments(src, len);
    store_elem(mean, 0, static_cast<F>(m.s / len));
    store_elem(dev, 0, static_cast<F>(deviation(m.s, m.q, len)));
    return vekStsOk;
}

// Integer deviation: scaled, rounded half to even, saturated to D.
template <class D>
D scaled_deviation(const Moments& m, int len, int sf) {
    return saturate<D>(scale_round_32s(deviation(m.s, m.q, len), sf));
}

// Integer mean of MeanStdDev: rounded half away from zero.
template <class D>
D scaled_mean_half_away(const Moments& m, int len, int sf) {
    const double v = round_half_away(std::ldexp(m.s / len, negated(sf, 4096)));
    if (v >= 2147483647.0) return saturate<D>(std::int64_t(2147483647));
    if (v <= -2147483648.0) return saturate<D>(std::int64_t(-2147483647 - 1));
    return saturate<D>(static_cast<std::int64_t>(v));
}

template <class D>
VekStatus stddev_int(const Vek16s* src, int len, D* dev, int sf) {
    VEKS_CHECK(check_ptrs(src, dev));
    VEKS_CHECK(check_deviation_len(len));
    store_elem(dev, 0, scaled_deviation<D>(int_moments(src, len), len, sf));
    return vekStsOk;
}

template <class D>
VekStatus mean_stddev_int(const Vek16s* src, int len, D* mean, D* dev, int sf) {
    VEKS_CHECK(check_ptrs(src, mean, dev));
    VEKS_CHECK(check_deviation_len(len));
    const Moments m = int_moments(src, len);
    store_elem(mean, 0, scaled_mean_half_away<D>(m, len, sf));
    store_elem(dev, 0, scaled_deviation<D>(m, len, sf));
    return vekStsOk;
}

} // namespace
} // namespace veks::stats

using namespace veks::stats;

VEKS_API VekStatus veksSum_32f(const Vek32f* pSrc, int len, Vek32f* pSum) { return sum_float(pSrc, len, pSum); }
VEKS_API VekStatus veksSum_64f(const Vek64f* pSrc, int len, Vek64f* pSum) { return sum_float(pSrc, len, pSum); }
VEKS_API VekStatus veksSum_32fc(const Vek32fc* pSrc, int len, Vek32fc* pSum) { return sum_float(pSrc, len, pSum); }
VEKS_API VekStatus veksSum_64fc(const Vek64fc* pSrc, int len, Vek64fc* pSum) { return sum_float(pSrc, len, pSum); }
VEKS_API VekStatus veksSum_16s_Sfs(const Vek16s* pSrc, int len, Vek16s* pSum, int sf) { return sum_to_16s(pSrc, len, pSum, sf); }
VEKS_API VekStatus veksSum_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc* pSum, int sf) { return sum_to_16s(pSrc, len, pSum, sf); }
VEKS_API VekStatus veksSum_16s32s_Sfs(const Vek16s* pSrc, int len, Vek32s* pSum, int sf) { return sum_to_32s(pSrc, len, pSum, sf); }
VEKS_API VekStatus veksSum_16sc32sc_Sfs(const Vek16sc* pSrc, int len, Vek32sc* pSum, int sf) { return sum_to_32s(pSrc, len, pSum, sf); }
VEKS_API VekStatus veksSum_32s_Sfs(const Vek32s* pSrc, int len, Vek32s* pSum, int sf) { return sum_to_32s(pSrc, len, pSum, sf); }

VEKS_API VekStatus veksMean_32f(const Vek32f* pSrc, int len, Vek32f* pMean) { return mean_float(pSrc, len, pMean); }
VEKS_API VekStatus veksMean_64f(const Vek64f* pSrc, int len, Vek64f* pMean) { return mean_float(pSrc, len, pMean); }
VEKS_API VekStatus veksMean_32fc(const Vek32fc* pSrc, int len, Vek32fc* pMean) { return mean_float(pSrc, len, pMean); }
VEKS_API VekStatus veksMean_64fc(const Vek64fc* pSrc, int len, Vek64fc* pMean) { return mean_float(pSrc, len, pMean); }
VEKS_API VekStatus veksMean_16s_Sfs(const Vek16s* pSrc, int len, Vek16s* pMean, int sf) { return mean_int(pSrc, len, pMean, sf); }
VEKS_API VekStatus veksMean_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc* pMean, int sf) { return mean_int(pSrc, len, pMean, sf); }
VEKS_API VekStatus veksMean_32s_Sfs(const Vek32s* pSrc, int len, Vek32s* pMean, int sf) { return mean_int(pSrc, len, pMean, sf); }

VEKS_API VekStatus veksStdDev_32f(const Vek32f* pSrc, int len, Vek32f* pStdDev) { return stddev_float(pSrc, len, pStdDev); }
VEKS_API VekStatus veksStdDev_64f(const Vek64f* pSrc, int len, Vek64f* pStdDev) { return stddev_float(pSrc, len, pStdDev); }
VEKS_API VekStatus veksStdDev_16s_Sfs(const Vek16s* pSrc, int len, Vek16s* pStdDev, int sf) { return stddev_int(pSrc, len, pStdDev, sf); }
VEKS_API VekStatus veksStdDev_16s32s_Sfs(const Vek16s* pSrc, int len, Vek32s* pStdDev, int sf) { return stddev_int(pSrc, len, pStdDev, sf); }
VEKS_API VekStatus veksMeanStdDev_32f(const Vek32f* pSrc, int len, Vek32f* pMean, Vek32f* pStdDev) { return mean_stddev_float(pSrc, len, pMean, pStdDev); }
VEKS_API VekStatus veksMeanStdDev_64f(const Vek64f* pSrc, int len, Vek64f* pMean, Vek64f* pStdDev) { return mean_stddev_float(pSrc, len, pMean, pStdDev); }
VEKS_API VekStatus veksMeanStdDev_16s_Sfs(const Vek16s* pSrc, int len, Vek16s* pMean, Vek16s* pStdDev, int sf) { return mean_stddev_int(pSrc, len, pMean, pStdDev, sf); }
VEKS_API VekStatus veksMeanStdDev_16s32s_Sfs(const Vek16s* pSrc, int len, Vek32s* pMean, Vek32s* pStdDev, int sf) { return mean_stddev_int(pSrc, len, pMean, pStdDev, sf); }
