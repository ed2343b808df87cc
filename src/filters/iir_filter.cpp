// The block filter veksIIR and the one-sample filter veksIIROne of every
// form: samples are converted to the computing type a chunk at a time,
// filtered in place, and converted back (scaled, rounded and saturated for
// integer data).
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "convert/convert_kernels.h"
#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"
#include "core/rounding.h"
#include "filters/iir_cascade_sse.h"
#include "filters/iir_rounding.h"

namespace veks::iir {

namespace {

// ---- samples in and out ----------------------------------------------------------

template <class T, class D> T to_compute(const D& v) {
    if constexpr (is_cx<T>) return {static_cast<real_t<T>>(v.re), static_cast<real_t<T>>(v.im)};
    else return static_cast<T>(v);
}

template <class D> struct is_int_data { static constexpr bool value = std::numeric_limits<component_t<D>>::is_integer; };

// Float data: a plain conversion. Integer data: times 2^-scaleFactor in the
// computing precision (scaleFactor modulo 128 adjusts the exponent of 1.0).
template <class D, class T> struct Output {
    using R = real_t<T>;
    R factor = R(1);
    explicit Output(int sf) {
        if constexpr (is_int_data<D>::value) {
            const int e = sf % 128;
            if constexpr (sizeof(R) == 4) factor = conv::single_from_field(127 - e);
            else factor = conv::double_from_field(1023 - e);
        } else {
            (void)sf;
        }
    }
    D operator()(const T& v) const {
        if constexpr (!is_int_data<D>::value) {
            if constexpr (is_cx<T>) return {static_cast<component_t<D>>(v.re), static_cast<component_t<D>>(v.im)};
            else return static_cast<D>(v);
        } else if constexpr (is_cx<T>) {
            using I = component_t<D>;
            return {round_away_saturate<I>(v.re * factor), round_away_saturate<I>(v.im * factor)};
        } else {
            return round_away_saturate<D>(v * factor);
        }
    }
};

template <class D> D load_at(const D* p, std::size_t i) {
    D v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(p) + i * sizeof(D), sizeof(D));
    return v;
}
template <class D> void store_at(D* p, std::size_t i, const D& v) {
    std::memcpy(reinterpret_cast<unsigned char*>(p) + i * sizeof(D), &v, sizeof(D));
}

// Cascades in lanes pay off once a block covers the pipeline skew a few times.
template <class T>
void filter_block(StateHeader* h, T* x, std::size_t n, T* scratch) {
    T* taps = taps_of<T>(h);
    T* d = dly_of<T>(h);
    if (h->num_bq == 0) return run_order_any(x, n, taps, d, h->dly_len);
    const int nb = h->num_bq;
#if defined(__SSE2__)
    if constexpr (std::is_same_v<T, float>) {
        if (nb >= 4 && n >= 32) return run_cascade_lanes<LanesF32>(x, scratch, std::ptrdiff_t(n), taps, d, nb);
    } else if constexpr (std::is_same_v<T, double>) {
        if (nb >= 4 && n >= 32) return run_cascade_lanes<LanesF64>(x, scratch, std::ptrdiff_t(n), taps, d, nb);
    }
#endif
    (void)scratch;
    if constexpr (!is_cx<T>) {
        if (nb == 1) return run_biquads_fixed<1>(x, n, taps, d);
        if (nb == 2) return run_biquads_fixed<2>(x, n, taps, d);
        if (nb == 3) return run_biquads_fixed<3>(x, n, taps, d);
    }
    run_biquads(x, n, taps, d, nb);
}

constexpr std::size_t kChunk = 512;
constexpr std::size_t kMargin = 16;

template <int Code>
void run_stream(const typename Form<Code>::Data* src, typename Form<Code>::Data* dst, std::size_t len,
                StateHeader* h, int sf) {
    using T = typename Form<Code>::T;
    using D = typename Form<Code>::Data;
    const Output<D, T> out(sf);
    alignas(16) T buf[kChunk + 2 * kMargin];
    alignas(16) T tmp[kChunk + 2 * kMargin];
    for (std::size_t pos = 0; pos < len; pos += kChunk) {
        const std::size_t n = len - pos < kChunk ? len - pos : kChunk;
        T* x = buf + kMargin;
        for (std::size_t i = 0; i < n; ++i) x[i] = to_compute<T>(load_at(src, pos + i));
        filter_block(h, x, n, tmp + kMargin);
        for (std::size_t i = 0; i < n; ++i) store_at(dst, pos + i, out(x[i]));
    }
}

template <int Code>
VekStatus iir_block(const typename Form<Code>::Data* src, typename Form<Code>::Data* dst, int len, void* state, int sf) {
    VEKS_CHECK(check_ptrs(state, src, dst));
    VEKS_CHECK(check_len(len));
    if (!has_form(state, Code)) return vekStsBadContext;
    run_stream<Code>(src, dst, static_cast<std::size_t>(len), static_cast<StateHeader*>(state), sf);
    return vekStsOk;
}

template <int Code>
VekStatus iir_one(typename Form<Code>::Data src, typename Form<Code>::Data* dst, void* state, int sf) {
    VEKS_CHECK(check_ptrs(state, dst));
    if (!has_form(state, Code)) return vekStsBadContext;
    run_stream<Code>(&src, dst, 1, static_cast<StateHeader*>(state), sf);
    return vekStsOk;
}

} // namespace
} // namespace veks::iir

using namespace veks::iir;

// Floating data: veksIIR, its in-place twin and veksIIROne.
#define VEKS_IIR_FLOAT_ROWS(P, S, ST, D, CODE)                                                                   \
    VEKS_API VekStatus veksIIR##P##_##S(const D* pSrc, D* pDst, int len, ST* pState) {                           \
        return iir_block<CODE>(pSrc, pDst, len, pState, 0);                                                      \
    }                                                                                                            \
    VEKS_API VekStatus veksIIR##P##_##S##_I(D* pSrcDst, int len, ST* pState) {                                   \
        return iir_block<CODE>(pSrcDst, pSrcDst, len, pState, 0);                                                \
    }                                                                                                            \
    VEKS_API VekStatus veksIIROne##P##_##S(D src, D* pDstVal, ST* pState) { return iir_one<CODE>(src, pDstVal, pState, 0); }

// Integer data with a scale factor.
#define VEKS_IIR_SFS_ROWS(P, S, ST, D, CODE)                                                                     \
    VEKS_API VekStatus veksIIR##P##_##S##_Sfs(const D* pSrc, D* pDst, int len, ST* pState, int scaleFactor) {    \
        return iir_block<CODE>(pSrc, pDst, len, pState, scaleFactor);                                            \
    }                                                                                                            \
    VEKS_API VekStatus veksIIR##P##_##S##_ISfs(D* pSrcDst, int len, ST* pState, int scaleFactor) {               \
        return iir_block<CODE>(pSrcDst, pSrcDst, len, pState, scaleFactor);                                      \
    }                                                                                                            \
    VEKS_API VekStatus veksIIROne##P##_##S##_Sfs(D src, D* pDstVal, ST* pState, int scaleFactor) {               \
        return iir_one<CODE>(src, pDstVal, pState, scaleFactor);                                                 \
    }

VEKS_IIR_FLOAT_ROWS(, 32f, VeksIIRState_32f, Vek32f, 1)
VEKS_IIR_FLOAT_ROWS(, 32fc, VeksIIRState_32fc, Vek32fc, 3)
VEKS_IIR_FLOAT_ROWS(, 64f, VeksIIRState_64f, Vek64f, 13)
VEKS_IIR_FLOAT_ROWS(, 64fc, VeksIIRState_64fc, Vek64fc, 15)
VEKS_IIR_FLOAT_ROWS(64f, 32f, VeksIIRState64f_32f, Vek32f, 17)
VEKS_IIR_FLOAT_ROWS(64fc, 32fc, VeksIIRState64fc_32fc, Vek32fc, 19)
VEKS_IIR_SFS_ROWS(32f, 16s, VeksIIRState32f_16s, Vek16s, 5)
VEKS_IIR_SFS_ROWS(32fc, 16sc, VeksIIRState32fc_16sc, Vek16sc, 7)
VEKS_IIR_SFS_ROWS(32s, 16s, VeksIIRState32s_16s, Vek16s, 9)
VEKS_IIR_SFS_ROWS(32sc, 16sc, VeksIIRState32sc_16sc, Vek16sc, 11)
VEKS_IIR_SFS_ROWS(64f, 16s, VeksIIRState64f_16s, Vek16s, 25)
VEKS_IIR_SFS_ROWS(64fc, 16sc, VeksIIRState64fc_16sc, Vek16sc, 27)
VEKS_IIR_SFS_ROWS(64f, 32s, VeksIIRState64f_32s, Vek32s, 21)
VEKS_IIR_SFS_ROWS(64fc, 32sc, VeksIIRState64fc_32sc, Vek32sc, 23)
