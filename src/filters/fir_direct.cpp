// Stateless FIR forms: the caller passes the taps (natural order), a delay
// buffer of 2 * tapsLen elements and its index on every call. Each sample
// is stored at elements index and index + tapsLen, the index advances, and
// the output is the dot product over the window at the new index. The Q15
// block form keeps its history newest first instead (see below).
#include <algorithm>
#include <cstdint>

#include "core/export.h"
#include "filters/fir_dot.h"
#include "filters/fir_elem.h"

namespace veks::fir {
namespace {

// A direct form: exported tap and data types, the product and sum types.
template <class TapE, class DataE, class Prod, class Acc>
struct DirectForm {
    using tap_t = value_t<TapE>;
    using data_e = DataE;
    using data_t = value_t<DataE>;
    using prod_t = Prod;
    using acc_t = Acc;
    using out_t = Output<DataE, Acc>;
};

// The shared check order of the block forms, up to the taps.
inline VekStatus check_block(const void* src, const void* dst, int n, const void* taps, int L, const void* dly,
                             const int* index) {
    if (!src || !dst) return vekStsNullPtr;
    if (n < 1) return vekStsBadLength;
    if (!taps) return vekStsNullPtr;
    if (L < 1) return vekStsBadTapCount;
    if (!dly || !index) return vekStsNullPtr;
    if (*index < 0 || *index >= L) return vekStsBadDelayIndex;
    return vekStsOk;
}

inline VekStatus check_one(const void* dst, const void* taps, int L, const void* dly, const int* index) {
    if (!dst || !taps) return vekStsNullPtr;
    if (L < 1) return vekStsBadTapCount;
    if (!dly || !index) return vekStsNullPtr;
    if (*index < 0 || *index >= L) return vekStsBadDelayIndex;
    return vekStsOk;
}

// One sample through the caller's circular buffer (any address).
template <class F>
typename F::acc_t step(const void* taps, int L, void* dly, int& index, const typename F::data_t& x) {
    using P = typename F::prod_t;
    using A = typename F::acc_t;
    using D = typename F::data_t;
    store<D>(dly, std::size_t(index), x);
    store<D>(dly, std::size_t(index + L), x);
    index = index + 1 == L ? 0 : index + 1;
    A a{};
    for (int j = 0; j < L; ++j)
        a += convert<A>(convert<P>(load<typename F::tap_t>(taps, std::size_t(L - 1 - j))) *
                        convert<P>(load<D>(dly, std::size_t(index + j))));
    return a;
}

template <class F>
VekStatus block(const void* src, void* dst, int n, const void* taps, int L, void* dly, int* pIndex,
                const typename F::out_t& out) {
    VEKS_CHECK(check_block(src, dst, n, taps, L, dly, pIndex));
    int index = *pIndex;
    for (int k = 0; k < n; ++k) {
        const auto a = step<F>(taps, L, dly, index, load<typename F::data_t>(src, std::size_t(k)));
        store<typename F::data_t>(dst, std::size_t(k), out(a));
    }
    *pIndex = index;
    return vekStsOk;
}

template <class F>
VekStatus one(const void* src, void* dst, const void* taps, int L, void* dly, int* pIndex, const typename F::out_t& out) {
    VEKS_CHECK(check_one(dst, taps, L, dly, pIndex));
    int index = *pIndex;
    const auto a = step<F>(taps, L, dly, index, load<typename F::data_t>(src, 0));
    store<typename F::data_t>(dst, 0, out(a));
    *pIndex = index;
    return vekStsOk;
}

// Integer sums: shift by d = tapsFactor - scaleFactor, clamped to [-31, 31].
template <class F>
typename F::out_t shift_out(int tapsFactor, int scaleFactor) {
    const std::int64_t d = std::int64_t(tapsFactor) - scaleFactor;
    return F::out_t::for_shift(int(std::clamp<std::int64_t>(d, -31, 31)));
}

// ---- Q15 taps with Vek16s data -------------------------------------------------------

using Q15 = DirectForm<Vek16s, Vek16s, std::uint32_t, std::uint32_t>;

// The one-sample form scales by e = scaleFactor + 15 (a right shift
// rounding half to even for e > 0, a left shift for e < 0).
Vek16s q15_scale(std::uint32_t sum, int scaleFactor) {
    const std::int64_t e = std::int64_t(scaleFactor) + 15;
    return shift_round_16s(static_cast<std::int32_t>(sum), int(-std::clamp<std::int64_t>(e, -31, 62)));
}

VekStatus q15_one(const Vek16s* src, Vek16s* pDst, const Vek16s* taps, int L, Vek16s* dly, int* pIndex, int sf) {
    VEKS_CHECK(check_one(pDst, taps, L, dly, pIndex));
    int index = *pIndex;
    const std::uint32_t a = step<Q15>(taps, L, dly, index, load<Vek16s>(src, 0));
    store<Vek16s>(pDst, 0, q15_scale(a, sf));
    *pIndex = index;
    return vekStsOk;
}

// The block form reads the tapsLen samples from element *pDlyLineIndex on
// as the history newest first, filters with the taps as Vek32s and taps
// factor -15 in a temporary window (history oldest first, then the block),
// and leaves the new history newest first at pDlyLine[0 ..] with index 0.
VekStatus q15_block(const Vek16s* src, Vek16s* dst, int n, const Vek16s* taps, int L, Vek16s* dly, int* pIndex, int sf) {
    if (!src || !taps || !dly || !pIndex || !dst) return vekStsNullPtr;
    if (n < 1) return vekStsBadLength;
    if (L < 1) return vekStsBadTapCount;
    if (*pIndex < 0 || *pIndex >= L) return vekStsBadDelayIndex;
    const std::int64_t len = std::int64_t(L) - 1 + n;
    Vek32s* rt = veksMalloc_32s(L);
    Vek16s* window = len > INT32_MAX ? nullptr : veksMalloc_16s(static_cast<int>(len));
    if (!rt || !window) {
        veksFree(rt);
        veksFree(window);
        return vekStsNoMemory;
    }
    const int i = *pIndex;
    for (int k = 0; k < L; ++k) rt[k] = load<Vek16s>(taps, std::size_t(L - 1 - k));
    for (int k = 0; k < L - 1; ++k) window[k] = load<Vek16s>(dly, std::size_t(i + L - 2 - k));
    for (int k = 0; k < n; ++k) window[L - 1 + k] = load<Vek16s>(src, std::size_t(k));
    const auto out = Output<Vek16s, std::uint32_t>::for_shift(int(std::clamp<std::int64_t>(-15 - std::int64_t(sf), -31, 31)));
    dot_rows<std::uint32_t, std::uint32_t, Vek32s, Vek16s>(
        rt, L, window, std::size_t(n), [&](std::size_t k, std::uint32_t a) { store<Vek16s>(dst, k, out(a)); });
    // New history: the newest L samples of history and block, newest first.
    for (int k = 0; k < L; ++k) store<Vek16s>(dly, std::size_t(k), window[len - 1 - k]);
    *pIndex = 0;
    veksFree(rt);
    veksFree(window);
    return vekStsOk;
}

using D_32f = DirectForm<Vek32f, Vek32f, float, double>;
using D_32fc = DirectForm<Vek32fc, Vek32fc, Cx<float>, Cx<double>>;
using D_64f = DirectForm<Vek64f, Vek64f, double, double>;
using D_64fc = DirectForm<Vek64fc, Vek64fc, Cx<double>, Cx<double>>;
using D64f_32f = DirectForm<Vek64f, Vek32f, double, double>;
using D64fc_32fc = DirectForm<Vek64fc, Vek32fc, Cx<double>, Cx<double>>;
using D32f_16s = DirectForm<Vek32f, Vek16s, float, double>;
using D32fc_16sc = DirectForm<Vek32fc, Vek16sc, Cx<float>, Cx<double>>;
using D64f_16s = DirectForm<Vek64f, Vek16s, double, double>;
using D64fc_16sc = DirectForm<Vek64fc, Vek16sc, Cx<double>, Cx<double>>;
using D64f_32s = DirectForm<Vek64f, Vek32s, double, double>;
using D64fc_32sc = DirectForm<Vek64fc, Vek32sc, Cx<double>, Cx<double>>;
using D32s_16s = DirectForm<Vek32s, Vek16s, std::uint32_t, std::uint32_t>;
using D32sc_16sc = DirectForm<Vek32sc, Vek16sc, Cx<std::uint32_t>, Cx<std::uint32_t>>;

} // namespace
} // namespace veks::fir

using namespace veks::fir;

// TP: tap-type prefix (empty for one-type forms); DS: data suffix.
#define FIR_DIRECT(TP, DS, TAP, DATA, F)                                                                                \
    VEKS_API VekStatus veksFIR##TP##_Direct##DS(const DATA* pSrc, DATA* pDst, int numIters, const TAP* pTaps,         \
                                                int tapsLen, DATA* pDlyLine, int* pDlyLineIndex) {                    \
        return block<F>(pSrc, pDst, numIters, pTaps, tapsLen, pDlyLine, pDlyLineIndex, F::out_t::for_float_data());   \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIR##TP##_Direct##DS##_I(DATA* pSrcDst, int numIters, const TAP* pTaps, int tapsLen,       \
                                                    DATA* pDlyLine, int* pDlyLineIndex) {                             \
        return block<F>(pSrcDst, pSrcDst, numIters, pTaps, tapsLen, pDlyLine, pDlyLineIndex,                          \
                        F::out_t::for_float_data());                                                                  \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIROne##TP##_Direct##DS(DATA src, DATA* pDstVal, const TAP* pTaps, int tapsLen,            \
                                                   DATA* pDlyLine, int* pDlyLineIndex) {                              \
        return one<F>(&src, pDstVal, pTaps, tapsLen, pDlyLine, pDlyLineIndex, F::out_t::for_float_data());           \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIROne##TP##_Direct##DS##_I(DATA* pSrcDst, const TAP* pTaps, int tapsLen, DATA* pDlyLine,  \
                                                       int* pDlyLineIndex) {                                          \
        if (!pSrcDst) return vekStsNullPtr;                                                                           \
        const DATA src = load<DATA>(pSrcDst, 0);                                                                      \
        return one<F>(&src, pSrcDst, pTaps, tapsLen, pDlyLine, pDlyLineIndex, F::out_t::for_float_data());           \
    }

#define FIR_DIRECT_SFS(TP, DS, TAP, DATA, F)                                                                            \
    VEKS_API VekStatus veksFIR##TP##_Direct##DS##_Sfs(const DATA* pSrc, DATA* pDst, int numIters, const TAP* pTaps,   \
                                                      int tapsLen, DATA* pDlyLine, int* pDlyLineIndex, int scaleFactor) { \
        return block<F>(pSrc, pDst, numIters, pTaps, tapsLen, pDlyLine, pDlyLineIndex, F::out_t::for_scale(scaleFactor)); \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIR##TP##_Direct##DS##_ISfs(DATA* pSrcDst, int numIters, const TAP* pTaps, int tapsLen,    \
                                                       DATA* pDlyLine, int* pDlyLineIndex, int scaleFactor) {         \
        return block<F>(pSrcDst, pSrcDst, numIters, pTaps, tapsLen, pDlyLine, pDlyLineIndex,                          \
                        F::out_t::for_scale(scaleFactor));                                                            \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIROne##TP##_Direct##DS##_Sfs(DATA src, DATA* pDstVal, const TAP* pTaps, int tapsLen,      \
                                                         DATA* pDlyLine, int* pDlyLineIndex, int scaleFactor) {       \
        return one<F>(&src, pDstVal, pTaps, tapsLen, pDlyLine, pDlyLineIndex, F::out_t::for_scale(scaleFactor));     \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIROne##TP##_Direct##DS##_ISfs(DATA* pSrcDst, const TAP* pTaps, int tapsLen,               \
                                                          DATA* pDlyLine, int* pDlyLineIndex, int scaleFactor) {      \
        if (!pSrcDst) return vekStsNullPtr;                                                                           \
        const DATA src = load<DATA>(pSrcDst, 0);                                                                      \
        return one<F>(&src, pSrcDst, pTaps, tapsLen, pDlyLine, pDlyLineIndex, F::out_t::for_scale(scaleFactor));     \
    }

#define FIR_DIRECT_INT(TP, DS, TAP, DATA, F)                                                                            \
    VEKS_API VekStatus veksFIR##TP##_Direct##DS##_Sfs(const DATA* pSrc, DATA* pDst, int numIters, const TAP* pTaps,   \
                                                      int tapsLen, int tapsFactor, DATA* pDlyLine, int* pDlyLineIndex, \
                                                      int scaleFactor) {                                              \
        return block<F>(pSrc, pDst, numIters, pTaps, tapsLen, pDlyLine, pDlyLineIndex,                                \
                        shift_out<F>(tapsFactor, scaleFactor));                                                       \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIR##TP##_Direct##DS##_ISfs(DATA* pSrcDst, int numIters, const TAP* pTaps, int tapsLen,    \
                                                       int tapsFactor, DATA* pDlyLine, int* pDlyLineIndex,            \
                                                       int scaleFactor) {                                             \
        return block<F>(pSrcDst, pSrcDst, numIters, pTaps, tapsLen, pDlyLine, pDlyLineIndex,                          \
                        shift_out<F>(tapsFactor, scaleFactor));                                                       \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIROne##TP##_Direct##DS##_Sfs(DATA src, DATA* pDstVal, const TAP* pTaps, int tapsLen,      \
                                                         int tapsFactor, DATA* pDlyLine, int* pDlyLineIndex,          \
                                                         int scaleFactor) {                                           \
        return one<F>(&src, pDstVal, pTaps, tapsLen, pDlyLine, pDlyLineIndex, shift_out<F>(tapsFactor, scaleFactor)); \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIROne##TP##_Direct##DS##_ISfs(DATA* pSrcDst, const TAP* pTaps, int tapsLen,               \
                                                          int tapsFactor, DATA* pDlyLine, int* pDlyLineIndex,         \
                                                          int scaleFactor) {                                          \
        if (!pSrcDst) return vekStsNullPtr;                                                                           \
        const DATA src = load<DATA>(pSrcDst, 0);                                                                      \
        return one<F>(&src, pSrcDst, pTaps, tapsLen, pDlyLine, pDlyLineIndex, shift_out<F>(tapsFactor, scaleFactor)); \
    }

FIR_DIRECT(, _32f, Vek32f, Vek32f, D_32f)
FIR_DIRECT(, _32fc, Vek32fc, Vek32fc, D_32fc)
FIR_DIRECT(, _64f, Vek64f, Vek64f, D_64f)
FIR_DIRECT(, _64fc, Vek64fc, Vek64fc, D_64fc)
FIR_DIRECT(64f, _32f, Vek64f, Vek32f, D64f_32f)
FIR_DIRECT(64fc, _32fc, Vek64fc, Vek32fc, D64fc_32fc)

FIR_DIRECT_SFS(32f, _16s, Vek32f, Vek16s, D32f_16s)
FIR_DIRECT_SFS(32fc, _16sc, Vek32fc, Vek16sc, D32fc_16sc)
FIR_DIRECT_SFS(64f, _16s, Vek64f, Vek16s, D64f_16s)
FIR_DIRECT_SFS(64fc, _16sc, Vek64fc, Vek16sc, D64fc_16sc)
FIR_DIRECT_SFS(64f, _32s, Vek64f, Vek32s, D64f_32s)
FIR_DIRECT_SFS(64fc, _32sc, Vek64fc, Vek32sc, D64fc_32sc)

FIR_DIRECT_INT(32s, _16s, Vek32s, Vek16s, D32s_16s)
FIR_DIRECT_INT(32sc, _16sc, Vek32sc, Vek16sc, D32sc_16sc)

VEKS_API VekStatus veksFIR_Direct_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, const Vek16s* pTapsQ15,
                                          int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor) {
    return q15_block(pSrc, pDst, numIters, pTapsQ15, tapsLen, pDlyLine, pDlyLineIndex, scaleFactor);
}
VEKS_API VekStatus veksFIR_Direct_16s_ISfs(Vek16s* pSrcDst, int numIters, const Vek16s* pTapsQ15, int tapsLen,
                                           Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor) {
    return q15_block(pSrcDst, pSrcDst, numIters, pTapsQ15, tapsLen, pDlyLine, pDlyLineIndex, scaleFactor);
}
VEKS_API VekStatus veksFIROne_Direct_16s_Sfs(Vek16s src, Vek16s* pDstVal, const Vek16s* pTapsQ15, int tapsLen,
                                             Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor) {
    return q15_one(&src, pDstVal, pTapsQ15, tapsLen, pDlyLine, pDlyLineIndex, scaleFactor);
}
VEKS_API VekStatus veksFIROne_Direct_16s_ISfs(Vek16s* pSrcDst, const Vek16s* pTapsQ15, int tapsLen, Vek16s* pDlyLine,
                                              int* pDlyLineIndex, int scaleFactor) {
    if (!pSrcDst) return vekStsNullPtr;
    const Vek16s src = load<Vek16s>(pSrcDst, 0);
    return q15_one(&src, pSrcDst, pTapsQ15, tapsLen, pDlyLine, pDlyLineIndex, scaleFactor);
}
