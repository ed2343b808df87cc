// Stateless multirate FIR (the caller's delay line holds ceil(tapsLen /
// upFactor) inputs, newest first) and the plain SampleUp / SampleDown steps.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/export.h"
#include "filters/firmr_state.h"

namespace veks::fir::mr {
namespace {

template <class TapE, class DataE, class Prod, class Acc>
struct DirectMr {
    using tap_t = value_t<TapE>;
    using data_t = value_t<DataE>;
    using out_t = Output<DataE, Acc>;
    using prod_t = Prod;
    using acc_t = Acc;
};

template <class F>
VekStatus direct(const void* src, void* dst, int n, const void* taps, int L, int up, int upPhase, int down,
                 int downPhase, void* dly, const typename F::out_t& out) {
    using D = typename F::data_t;
    if (!src || !dst) return vekStsNullPtr;
    if (n < 1) return vekStsBadLength;
    if (!taps) return vekStsNullPtr;
    if (L < 1) return vekStsBadTapCount;
    if (up < 1 || down < 1) return vekStsBadMultirateFactor;
    if (upPhase < 0 || upPhase >= up || downPhase < 0 || downPhase >= down) return vekStsBadMultiratePhase;
    if (!dly) return vekStsNullPtr;
    const int P = history_len(L, up);
    const std::int64_t consumed = std::int64_t(n) * down;
    // Inputs and history are read before any output is written (in place).
    std::vector<D> x(std::size_t(P + consumed));
    for (int k = 0; k < P; ++k) x[std::size_t(k)] = load<D>(dly, std::size_t(P - 1 - k));
    for (std::int64_t k = 0; k < consumed; ++k) x[std::size_t(P + k)] = load<D>(src, std::size_t(k));
    std::vector<typename F::tap_t> t(static_cast<std::size_t>(L));
    for (int k = 0; k < L; ++k) t[std::size_t(k)] = load<typename F::tap_t>(taps, std::size_t(k));
    run<typename F::prod_t, typename F::acc_t>(
        t.data(), L, Rate{up, upPhase, down, downPhase}, n, [&](std::int64_t m) { return x[std::size_t(P + m)]; },
        [&](std::int64_t j, const typename F::acc_t& a) { store<D>(dst, std::size_t(j), out(a)); });
    for (int k = 0; k < P; ++k) store<D>(dly, std::size_t(k), x[std::size_t(P + consumed - 1 - k)]);
    return vekStsOk;
}

using U32 = std::uint32_t;
using D_32f = DirectMr<Vek32f, Vek32f, float, double>;
using D_32fc = DirectMr<Vek32fc, Vek32fc, Cx<float>, Cx<double>>;
using D_64f = DirectMr<Vek64f, Vek64f, double, double>;
using D_64fc = DirectMr<Vek64fc, Vek64fc, Cx<double>, Cx<double>>;
using D64f_32f = DirectMr<Vek64f, Vek32f, double, double>;
using D64fc_32fc = DirectMr<Vek64fc, Vek32fc, Cx<double>, Cx<double>>;
using D32f_16s = DirectMr<Vek32f, Vek16s, float, double>;
using D32fc_16sc = DirectMr<Vek32fc, Vek16sc, Cx<float>, Cx<double>>;
using D64f_16s = DirectMr<Vek64f, Vek16s, double, double>;
using D64fc_16sc = DirectMr<Vek64fc, Vek16sc, Cx<double>, Cx<double>>;
using D64f_32s = DirectMr<Vek64f, Vek32s, double, double>;
using D64fc_32sc = DirectMr<Vek64fc, Vek32sc, Cx<double>, Cx<double>>;
using D32s_16s = DirectMr<Vek32s, Vek16s, U32, U32>;
using D32sc_16sc = DirectMr<Vek32sc, Vek16sc, Cx<U32>, Cx<U32>>;

template <class F> typename F::out_t shift_out(int tapsFactor, int scaleFactor) {
    return F::out_t::for_shift(int(std::clamp<std::int64_t>(std::int64_t(tapsFactor) - scaleFactor, -31, 31)));
}

// SampleUp: factor - 1 zeros after each sample, the sample at the phase.
template <class T>
VekStatus sample_up(const T* src, int len, T* dst, int* pDstLen, int factor, int* pPhase) {
    if (!src || !dst || !pDstLen || !pPhase) return vekStsNullPtr;
    if (len < 1) return vekStsBadLength;
    if (factor < 1) return vekStsBadSampleFactor;
    if (*pPhase < 0 || *pPhase >= factor) return vekStsBadSamplePhase;
    const int phase = *pPhase;
    const T zero{};
    for (std::int64_t i = 0; i < std::int64_t(len) * factor; ++i) {
        const std::int64_t s = i - phase;
        store<T>(dst, std::size_t(i), s >= 0 && s % factor == 0 ? load<T>(src, std::size_t(s / factor)) : zero);
    }
    *pDstLen = factor * len;
    return vekStsOk;
}

// SampleDown: every factor-th sample from the phase; the phase becomes the
// offset of the next sample to take in the following block.
template <class T>
VekStatus sample_down(const T* src, int len, T* dst, int* pDstLen, int factor, int* pPhase) {
    if (!src || !dst || !pDstLen || !pPhase) return vekStsNullPtr;
    if (len < 1) return vekStsBadLength;
    if (factor < 1) return vekStsBadSampleFactor;
    const int p = *pPhase;
    if (p < 0 || p >= factor) return vekStsBadSamplePhase;
    const int count = p >= len ? 0 : int((std::int64_t(len) + factor - p - 1) / factor);
    for (int j = 0; j < count; ++j) store<T>(dst, std::size_t(j), load<T>(src, std::size_t(p + std::int64_t(j) * factor)));
    *pDstLen = count;
    if (factor > 1) *pPhase = int(p + std::int64_t(factor) * count - len);
    return vekStsOk;
}

} // namespace
} // namespace veks::fir::mr

using namespace veks::fir::mr;

#define RATE_ARGS int upFactor, int upPhase, int downFactor, int downPhase
#define RATE_PASS upFactor, upPhase, downFactor, downPhase

#define FIRMR_DIRECT(TP, DS, TAP, DATA, F)                                                                             \
    VEKS_API VekStatus veksFIRMR##TP##_Direct##DS(const DATA* pSrc, DATA* pDst, int numIters, const TAP* pTaps,      \
                                                  int tapsLen, RATE_ARGS, DATA* pDlyLine) {                          \
        return direct<F>(pSrc, pDst, numIters, pTaps, tapsLen, RATE_PASS, pDlyLine, F::out_t::for_float_data());     \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRMR##TP##_Direct##DS##_I(DATA* pSrcDst, int numIters, const TAP* pTaps, int tapsLen,    \
                                                      RATE_ARGS, DATA* pDlyLine) {                                   \
        return direct<F>(pSrcDst, pSrcDst, numIters, pTaps, tapsLen, RATE_PASS, pDlyLine, F::out_t::for_float_data()); \
    }

#define FIRMR_DIRECT_SFS(TP, DS, TAP, DATA, F)                                                                         \
    VEKS_API VekStatus veksFIRMR##TP##_Direct##DS##_Sfs(const DATA* pSrc, DATA* pDst, int numIters, const TAP* pTaps, \
                                                        int tapsLen, RATE_ARGS, DATA* pDlyLine, int scaleFactor) {   \
        return direct<F>(pSrc, pDst, numIters, pTaps, tapsLen, RATE_PASS, pDlyLine, F::out_t::for_scale(scaleFactor)); \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRMR##TP##_Direct##DS##_ISfs(DATA* pSrcDst, int numIters, const TAP* pTaps, int tapsLen, \
                                                         RATE_ARGS, DATA* pDlyLine, int scaleFactor) {               \
        return direct<F>(pSrcDst, pSrcDst, numIters, pTaps, tapsLen, RATE_PASS, pDlyLine,                            \
                         F::out_t::for_scale(scaleFactor));                                                          \
    }

#define FIRMR_DIRECT_INT(TP, DS, TAP, DATA, F)                                                                         \
    VEKS_API VekStatus veksFIRMR##TP##_Direct##DS##_Sfs(const DATA* pSrc, DATA* pDst, int numIters, const TAP* pTaps, \
                                                        int tapsLen, int tapsFactor, RATE_ARGS, DATA* pDlyLine,      \
                                                        int scaleFactor) {                                           \
        return direct<F>(pSrc, pDst, numIters, pTaps, tapsLen, RATE_PASS, pDlyLine,                                  \
                         shift_out<F>(tapsFactor, scaleFactor));                                                     \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRMR##TP##_Direct##DS##_ISfs(DATA* pSrcDst, int numIters, const TAP* pTaps, int tapsLen, \
                                                         int tapsFactor, RATE_ARGS, DATA* pDlyLine, int scaleFactor) { \
        return direct<F>(pSrcDst, pSrcDst, numIters, pTaps, tapsLen, RATE_PASS, pDlyLine,                            \
                         shift_out<F>(tapsFactor, scaleFactor));                                                     \
    }

FIRMR_DIRECT(, _32f, Vek32f, Vek32f, D_32f)
FIRMR_DIRECT(, _32fc, Vek32fc, Vek32fc, D_32fc)
FIRMR_DIRECT(, _64f, Vek64f, Vek64f, D_64f)
FIRMR_DIRECT(, _64fc, Vek64fc, Vek64fc, D_64fc)
FIRMR_DIRECT(64f, _32f, Vek64f, Vek32f, D64f_32f)
FIRMR_DIRECT(64fc, _32fc, Vek64fc, Vek32fc, D64fc_32fc)
FIRMR_DIRECT_SFS(32f, _16s, Vek32f, Vek16s, D32f_16s)
FIRMR_DIRECT_SFS(32fc, _16sc, Vek32fc, Vek16sc, D32fc_16sc)
FIRMR_DIRECT_SFS(64f, _16s, Vek64f, Vek16s, D64f_16s)
FIRMR_DIRECT_SFS(64fc, _16sc, Vek64fc, Vek16sc, D64fc_16sc)
FIRMR_DIRECT_SFS(64f, _32s, Vek64f, Vek32s, D64f_32s)
FIRMR_DIRECT_SFS(64fc, _32sc, Vek64fc, Vek32sc, D64fc_32sc)
FIRMR_DIRECT_INT(32s, _16s, Vek32s, Vek16s, D32s_16s)
FIRMR_DIRECT_INT(32sc, _16sc, Vek32sc, Vek16sc, D32sc_16sc)

#define SAMPLE_UP_DOWN(T)                                                                                             \
    VEKS_API VekStatus veksSampleUp_##T(const Vek##T* pSrc, int srcLen, Vek##T* pDst, int* pDstLen, int factor,     \
                                        int* pPhase) {                                                               \
        return sample_up(pSrc, srcLen, pDst, pDstLen, factor, pPhase);                                               \
    }                                                                                                                \
    VEKS_API VekStatus veksSampleDown_##T(const Vek##T* pSrc, int srcLen, Vek##T* pDst, int* pDstLen, int factor,   \
                                          int* pPhase) {                                                             \
        return sample_down(pSrc, srcLen, pDst, pDstLen, factor, pPhase);                                             \
    }

SAMPLE_UP_DOWN(16s)
SAMPLE_UP_DOWN(16sc)
SAMPLE_UP_DOWN(32f)
SAMPLE_UP_DOWN(32fc)
SAMPLE_UP_DOWN(64f)
SAMPLE_UP_DOWN(64fc)
