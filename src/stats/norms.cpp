// Norm and NormDiff: Inf, L1, L2 and L2Sqr of a vector or of the
// element-wise difference of two vectors. Each operation is one template
// with a Diff flag; the difference is formed in the element type.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "core/unaligned.h"
#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"
#include "stats/accumulate.h"
#include "stats/sum_scale.h"
#include "stats/terms.h"

namespace veks::stats {
namespace {

template <bool Diff, class T, class R>
VekStatus check_args(const T* a, const T* b, int len, const R* out) {
    if constexpr (Diff) return check_ptrs_len(len, a, b, out);
    else return check_ptrs_len(len, a, out);
}

// ---- 16-bit data: exact integer totals ---------------------------------------------
template <bool Diff>
struct Int16Data {
    const Vek16s* a;
    const Vek16s* b;
    std::int32_t at(std::size_t i) const {
        if constexpr (Diff) return std::int32_t(load_elem(a, i)) - load_elem(b, i);
        else return load_elem(a, i);
    }
    std::uint32_t magnitude(std::size_t i) const {
        const std::int32_t v = at(i);
        return static_cast<std::uint32_t>(v < 0 ? -v : v);
    }
    // Largest magnitude (at most 65535).
    std::int64_t inf(std::size_t n) const {
        std::uint32_t m = 0;
        for (std::size_t i = 0; i < n; ++i) m = magnitude(i) > m ? magnitude(i) : m;
        return m;
    }
    // Sum of magnitudes: below 2^32 over each block of 65536 elements.
    std::int64_t l1(std::size_t n) const {
        return exact_sum_blocked<std::uint32_t>(n, [this](std::size_t i) { return magnitude(i); });
    }
    // Sum of squares: below 2^63 for any length.
    std::int64_t l2sqr(std::size_t n) const {
        std::uint64_t s = 0;
        for (std::size_t i = 0; i < n; ++i) s += static_cast<std::uint64_t>(std::int64_t(at(i)) * at(i));
        return static_cast<std::int64_t>(s);
    }
};

// ---- float data: double accumulation ------------------------------------------------
// Real data: the element (a difference rounded to the element type) in
// double. Complex data: the squared magnitude in double.
template <bool Diff, class T>
struct FloatData {
    const T* a;
    const T* b;
    using F = component_t<T>;

    static F diff(F x, F y) { return Diff ? F(x - y) : x; }
    double value(std::size_t i) const { return diff(component(a, i, 0), Diff ? component(b, i, 0) : F(0)); }
    double square_magnitude(std::size_t i) const {
        if constexpr (is_complex_v<T>) {
            const double re = diff(component(a, i, 0), Diff ? component(b, i, 0) : F(0));
            const double im = diff(component(a, i, 1), Diff ? component(b, i, 1) : F(0));
            return re * re + im * im;
        } else {
            const double v = value(i);
            return v * v;
        }
    }
    static F component(const T* p, std::size_t i, int part) {
        if constexpr (is_complex_v<T>) return part == 0 ? load_elem(p, i).re : load_elem(p, i).im;
        else return load_elem(p, i);
    }

    // The Max rule on magnitudes: a NaN first magnitude stays, later ones are skipped.
    double inf(std::size_t n) const {
        auto mag2 = [this](std::size_t i) {
            if constexpr (is_complex_v<T>) return square_magnitude(i);
            else return std::fabs(value(i));
        };
        double m = mag2(0);
        for (std::size_t i = 1; i < n; ++i) {
            const double v = mag2(i);
            m = v > m ? v : m;
        }
        return is_complex_v<T> ? std::sqrt(m) : m;
    }
    double l1(std::size_t n) const {
        if constexpr (is_complex_v<T>)
            return sum_interleaved8(IndexTerms{[this](std::size_t i) { return std::sqrt(square_magnitude(i)); }}, n);
        else
            return sum_interleaved8(RealTerms<F, TermOp::Abs, Diff>{a, b}, n);
    }
    double l2(std::size_t n) const {
        if constexpr (is_complex_v<T>)
            return std::sqrt(sum_interleaved8(IndexTerms{[this](std::size_t i) { return square_magnitude(i); }}, n));
        else
            return std::sqrt(sum_interleaved8(RealTerms<F, TermOp::Square, Diff>{a, b}, n));
    }
};

template <bool Diff, class T>
auto data_of(const T* a, const T* b) {
    if constexpr (std::is_same_v<T, Vek16s>) return Int16Data<Diff>{a, b};
    else return FloatData<Diff, T>{a, b};
}

// ---- the operations ----------------------------------------------------------------
// Unscaled forms: the total converted to the result type (16-bit L2: the
// square root taken in double).
template <bool Diff, class T, class R>
VekStatus norm_inf(const T* a, const T* b, int len, R* out) {
    VEKS_CHECK(check_args<Diff>(a, b, len, out));
    store_elem(out, 0, static_cast<R>(data_of<Diff>(a, b).inf(std::size_t(len))));
    return vekStsOk;
}

template <bool Diff, class T, class R>
VekStatus norm_l1(const T* a, const T* b, int len, R* out) {
    VEKS_CHECK(check_args<Diff>(a, b, len, out));
    store_elem(out, 0, static_cast<R>(data_of<Diff>(a, b).l1(std::size_t(len))));
    return vekStsOk;
}

template <bool Diff, class T, class R>
VekStatus norm_l2(const T* a, const T* b, int len, R* out) {
    VEKS_CHECK(check_args<Diff>(a, b, len, out));
    const auto d = data_of<Diff>(a, b);
    if constexpr (std::is_same_v<T, Vek16s>) store_elem(out, 0, static_cast<R>(std::sqrt(static_cast<double>(d.l2sqr(std::size_t(len))))));
    else store_elem(out, 0, static_cast<R>(d.l2(std::size_t(len))));
    return vekStsOk;
}

// Scaled 16-bit forms: truncating shifts of the exact totals.
template <bool Diff>
VekStatus norm_inf_sfs(const Vek16s* a, const Vek16s* b, int len, Vek32s* out, int sf) {
    VEKS_CHECK(check_args<Diff>(a, b, len, out));
    store_elem(out, 0, norm_shift_32s(Int16Data<Diff>{a, b}.inf(std::size_t(len)), sf));
    return vekStsOk;
}

template <bool Diff, class R>
VekStatus norm_l1_sfs(const Vek16s* a, const Vek16s* b, int len, R* out, int sf) {
    VEKS_CHECK(check_args<Diff>(a, b, len, out));
    const std::int64_t s = Int16Data<Diff>{a, b}.l1(std::size_t(len));
    if constexpr (std::is_same_v<R, Vek64s>) store_elem(out, 0, norm_shift_64s(s, sf));
    else store_elem(out, 0, norm_shift_32s(s, sf));
    return vekStsOk;
}

template <bool Diff>
VekStatus norm_l2_sfs(const Vek16s* a, const Vek16s* b, int len, Vek32s* out, int sf) {
    VEKS_CHECK(check_args<Diff>(a, b, len, out));
    store_elem(out, 0, scale_truncate_32s(std::sqrt(static_cast<double>(Int16Data<Diff>{a, b}.l2sqr(std::size_t(len)))), sf));
    return vekStsOk;
}

template <bool Diff>
VekStatus norm_l2sqr_sfs(const Vek16s* a, const Vek16s* b, int len, Vek64s* out, int sf) {
    VEKS_CHECK(check_args<Diff>(a, b, len, out));
    store_elem(out, 0, norm_shift_64s(Int16Data<Diff>{a, b}.l2sqr(std::size_t(len)), sf));
    return vekStsOk;
}

} // namespace
} // namespace veks::stats

using namespace veks::stats;

// One row per member: Norm_<kind>_<types> and NormDiff_<kind>_<types>.
#define VEKS_NORM(name, op, S, R)                                                                        \
    VEKS_API VekStatus veksNorm_##name(const S* pSrc, int len, R* pNorm) { return op<false>(pSrc, pSrc, len, pNorm); } \
    VEKS_API VekStatus veksNormDiff_##name(const S* pSrc1, const S* pSrc2, int len, R* pNorm) { return op<true>(pSrc1, pSrc2, len, pNorm); }
#define VEKS_NORM_SFS(name, op, R)                                                                       \
    VEKS_API VekStatus veksNorm_##name(const Vek16s* pSrc, int len, R* pNorm, int sf) { return op<false>(pSrc, pSrc, len, pNorm, sf); } \
    VEKS_API VekStatus veksNormDiff_##name(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, R* pNorm, int sf) { return op<true>(pSrc1, pSrc2, len, pNorm, sf); }

VEKS_NORM(Inf_16s32f, norm_inf, Vek16s, Vek32f)
VEKS_NORM_SFS(Inf_16s32s_Sfs, norm_inf_sfs, Vek32s)
VEKS_NORM(Inf_32f, norm_inf, Vek32f, Vek32f)
VEKS_NORM(Inf_64f, norm_inf, Vek64f, Vek64f)
VEKS_NORM(Inf_32fc32f, norm_inf, Vek32fc, Vek32f)
VEKS_NORM(Inf_64fc64f, norm_inf, Vek64fc, Vek64f)
VEKS_NORM(L1_16s32f, norm_l1, Vek16s, Vek32f)
VEKS_NORM_SFS(L1_16s32s_Sfs, norm_l1_sfs, Vek32s)
VEKS_NORM_SFS(L1_16s64s_Sfs, norm_l1_sfs, Vek64s)
VEKS_NORM(L1_32f, norm_l1, Vek32f, Vek32f)
VEKS_NORM(L1_64f, norm_l1, Vek64f, Vek64f)
VEKS_NORM(L1_32fc64f, norm_l1, Vek32fc, Vek64f)
VEKS_NORM(L1_64fc64f, norm_l1, Vek64fc, Vek64f)
VEKS_NORM(L2_16s32f, norm_l2, Vek16s, Vek32f)
VEKS_NORM_SFS(L2_16s32s_Sfs, norm_l2_sfs, Vek32s)
VEKS_NORM(L2_32f, norm_l2, Vek32f, Vek32f)
VEKS_NORM(L2_64f, norm_l2, Vek64f, Vek64f)
VEKS_NORM(L2_32fc64f, norm_l2, Vek32fc, Vek64f)
VEKS_NORM(L2_64fc64f, norm_l2, Vek64fc, Vek64f)
VEKS_NORM_SFS(L2Sqr_16s64s_Sfs, norm_l2sqr_sfs, Vek64s)
