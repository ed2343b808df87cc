// Exported operations on floating-point-tap FIR states (every form except
// the integer-tap ones): life cycle, taps, delay line, block and
// one-sample filtering.
#include <cstdint>

#include "core/export.h"
#include "core/rounding.h"
#include "filters/fir_float_state.h"
#include "filters/fir_rate.h"

namespace veks::fir {
namespace {

template <class F>
FloatView<F> view(const void* state) {
    return FloatView<F>{reinterpret_cast<FloatHeader*>(const_cast<void*>(state))};
}

template <class F>
VekStatus get_state_size(int L, int* pSize) {
    if (!pSize) return vekStsNullPtr;
    if (L < 1) return vekStsBadTapCount;
    const std::int64_t bytes = state_bytes<F>(L, thread_count());
    if (bytes < 0) return vekStsNoMemory;
    *pSize = static_cast<int>(bytes);
    return vekStsOk;
}

template <class F, class S>
VekStatus init(S** ppState, const void* pTaps, int L, const void* pDlyLine, Vek8u* pBuffer) {
    if (!ppState || !pTaps || !pBuffer) return vekStsNullPtr;
    if (L < 1) return vekStsBadTapCount;
    const int T = thread_count();
    if (state_bytes<F>(L, T) < 0) return vekStsNoMemory;
    std::uint8_t* base = state_base(pBuffer);
    VEKS_CHECK(build_state<F>(base, T, pTaps, L, pDlyLine, false));
    *ppState = reinterpret_cast<S*>(base);
    return vekStsOk;
}

template <class F, class S>
VekStatus init_alloc(S** ppState, const void* pTaps, int L, const void* pDlyLine) {
    if (!ppState || !pTaps) return vekStsNullPtr;
    if (L < 1) return vekStsBadTapCount;
    const int T = thread_count();
    const std::int64_t bytes = state_bytes<F>(L, T);
    Vek8u* block = bytes < 0 ? nullptr : veksMalloc_8u(static_cast<int>(bytes));
    if (!block) return vekStsNoMemory;
    const VekStatus st = build_state<F>(block, T, pTaps, L, pDlyLine, true);
    if (st != vekStsOk) {
        veksFree(block);
        return st;
    }
    *ppState = reinterpret_cast<S*>(block);
    return vekStsOk;
}

template <class F>
VekStatus free_state(void* state) {
    if (!state) return vekStsNullPtr;
    switch (rate_of<F>(state)) {
    case Rate::Single: release_state<F>(view<F>(state).h); return vekStsOk;
    case Rate::Multi: return multirate::release(state);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus get_taps(const void* state, void* pTaps) {
    if (!state || !pTaps) return vekStsNullPtr;
    switch (rate_of<F>(state)) {
    case Rate::Single: {
        using U = value_t<typename F::user_tap_e>;
        const auto v = view<F>(state);
        const int L = v.h->taps_len;
        for (int k = 0; k < L; ++k) {
            const auto t = v.taps()[L - 1 - k];
            if constexpr (std::is_integral_v<U>) store<U>(pTaps, std::size_t(k), static_cast<U>(round_half_even(t)));
            else store<U>(pTaps, std::size_t(k), convert<U>(t));
        }
        return vekStsOk;
    }
    case Rate::Multi: return multirate::get_taps(state, pTaps, nullptr, false);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus set_taps(const void* pTaps, void* state) {
    if (!pTaps || !state) return vekStsNullPtr;
    switch (rate_of<F>(state)) {
    case Rate::Single: {
        const auto v = view<F>(state);
        store_taps(v, pTaps);
        return v.has_transform() ? compute_spectrum(v) : vekStsOk;
    }
    case Rate::Multi: return multirate::set_taps(state, pTaps, 0, false);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus get_dly_line(const void* state, void* pDlyLine) {
    if (!state || !pDlyLine) return vekStsNullPtr;
    switch (rate_of<F>(state)) {
    case Rate::Single: {
        const auto v = view<F>(state);
        read_history<typename F::data_e>(v.dly(), v.h->dly_index, v.h->dly_len, pDlyLine);
        return vekStsOk;
    }
    case Rate::Multi: return multirate::get_dly_line(state, pDlyLine);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus set_dly_line(void* state, const void* pDlyLine) {
    if (!state) return vekStsNullPtr;
    switch (rate_of<F>(state)) {
    case Rate::Single: {
        const auto v = view<F>(state);
        write_history<typename F::data_e>(v.dly(), v.h->dly_len, pDlyLine);
        v.h->dly_index = 0;
        return vekStsOk;
    }
    case Rate::Multi: return multirate::set_dly_line(state, pDlyLine);
    default: return vekStsBadContext;
    }
}

template <class F>
typename F::out_t output_of(int scaleFactor) {
    if constexpr (F::int_data) return F::out_t::for_scale(scaleFactor);
    else return F::out_t::for_float_data();
}

template <class F>
VekStatus fir(const void* pSrc, void* pDst, int n, void* state, int scaleFactor) {
    if (!state || !pSrc || !pDst) return vekStsNullPtr;
    if (n < 1) return vekStsBadLength;
    switch (rate_of<F>(state)) {
    case Rate::Single: return filter_block(view<F>(state), pSrc, pDst, n, output_of<F>(scaleFactor));
    case Rate::Multi: return multirate::filter(state, pSrc, pDst, n, scaleFactor);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus fir_in_place(void* pSrcDst, int n, void* state, int scaleFactor) {
    if (!state || !pSrcDst) return vekStsNullPtr;
    if (n < 1) return vekStsBadLength;
    switch (rate_of<F>(state)) {
    case Rate::Single: return filter_in_place(view<F>(state), pSrcDst, n, output_of<F>(scaleFactor));
    case Rate::Multi: return multirate::filter_in_place(state, pSrcDst, n, scaleFactor);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus fir_one(const typename F::data_e& src, void* pDstVal, void* state, int scaleFactor) {
    if (!state || !pDstVal) return vekStsNullPtr;
    if (rate_of<F>(state) != Rate::Single) return vekStsBadContext;
    const auto v = view<F>(state);
    int index = v.h->dly_index;
    const auto x = convert<typename F::dly_t>(load<typename F::data_t>(&src, 0));
    const auto sum = one_step<typename F::acc_t>(v.taps(), v.h->taps_len, v.dly(), index, x);
    v.h->dly_index = index;
    store<typename F::data_t>(pDstVal, 0, output_of<F>(scaleFactor)(sum));
    return vekStsOk;
}

using F_32f = FloatForm<Vek32f, Vek32f, 1>;
using F_32fc = FloatForm<Vek32fc, Vek32fc, 2>;
using F32f_16s = FloatForm<Vek32f, Vek16s, 5>;
using F32fc_16sc = FloatForm<Vek32fc, Vek16sc, 6>;
using F_64f = FloatForm<Vek64f, Vek64f, 13>;
using F_64fc = FloatForm<Vek64fc, Vek64fc, 14>;
using F64f_32f = FloatForm<Vek64f, Vek32f, 17>;
using F64fc_32fc = FloatForm<Vek64fc, Vek32fc, 18>;
using F64f_32s = FloatForm<Vek64f, Vek32s, 21>;
using F_32s = FloatForm<Vek64f, Vek32s, 21, true, Vek32s>;
using F64fc_32sc = FloatForm<Vek64fc, Vek32sc, 22>;
using F64f_16s = FloatForm<Vek64f, Vek16s, 25>;
using F64fc_16sc = FloatForm<Vek64fc, Vek16sc, 26>;

} // namespace
} // namespace veks::fir

using namespace veks::fir;

// Life cycle and taps of one form: suffix S, tap and data types, form F.
#define FIR_LIFE(S, TAP, DATA, F, STATE)                                                                               \
    VEKS_API VekStatus veksFIRGetStateSize##S(int tapsLen, int* pSize) { return get_state_size<F>(tapsLen, pSize); } \
    VEKS_API VekStatus veksFIRInit##S(STATE** ppState, const TAP* pTaps, int tapsLen, const DATA* pDlyLine,          \
                                      Vek8u* pBuffer) {                                                              \
        return init<F>(ppState, pTaps, tapsLen, pDlyLine, pBuffer);                                                  \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRInitAlloc##S(STATE** ppState, const TAP* pTaps, int tapsLen, const DATA* pDlyLine) {   \
        return init_alloc<F>(ppState, pTaps, tapsLen, pDlyLine);                                                     \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRFree##S(STATE* pState) { return free_state<F>(pState); }                               \
    VEKS_API VekStatus veksFIRGetTaps##S(const STATE* pState, TAP* pTaps) { return get_taps<F>(pState, pTaps); }     \
    VEKS_API VekStatus veksFIRSetTaps##S(const TAP* pTaps, STATE* pState) { return set_taps<F>(pTaps, pState); }

#define FIR_DLY(S, DATA, F, STATE)                                                                                    \
    VEKS_API VekStatus veksFIRGetDlyLine##S(const STATE* pState, DATA* pDlyLine) {                                   \
        return get_dly_line<F>(pState, pDlyLine);                                                                    \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRSetDlyLine##S(STATE* pState, const DATA* pDlyLine) { return set_dly_line<F>(pState, pDlyLine); }

#define FIR_FILTER(S, DATA, F, STATE)                                                                                 \
    VEKS_API VekStatus veksFIR##S(const DATA* pSrc, DATA* pDst, int numIters, STATE* pState) {                       \
        return fir<F>(pSrc, pDst, numIters, pState, 0);                                                              \
    }                                                                                                                \
    VEKS_API VekStatus veksFIR##S##_I(DATA* pSrcDst, int numIters, STATE* pState) {                                  \
        return fir_in_place<F>(pSrcDst, numIters, pState, 0);                                                        \
    }                                                                                                                \
    VEKS_API VekStatus veksFIROne##S(DATA src, DATA* pDstVal, STATE* pState) { return fir_one<F>(src, pDstVal, pState, 0); }

#define FIR_FILTER_SFS(S, DATA, F, STATE)                                                                             \
    VEKS_API VekStatus veksFIR##S##_Sfs(const DATA* pSrc, DATA* pDst, int numIters, STATE* pState, int scaleFactor) { \
        return fir<F>(pSrc, pDst, numIters, pState, scaleFactor);                                                    \
    }                                                                                                                \
    VEKS_API VekStatus veksFIR##S##_ISfs(DATA* pSrcDst, int numIters, STATE* pState, int scaleFactor) {              \
        return fir_in_place<F>(pSrcDst, numIters, pState, scaleFactor);                                              \
    }                                                                                                                \
    VEKS_API VekStatus veksFIROne##S##_Sfs(DATA src, DATA* pDstVal, STATE* pState, int scaleFactor) {                \
        return fir_one<F>(src, pDstVal, pState, scaleFactor);                                                        \
    }

FIR_LIFE(_32f, Vek32f, Vek32f, F_32f, VeksFIRState_32f)
FIR_DLY(_32f, Vek32f, F_32f, VeksFIRState_32f)
FIR_FILTER(_32f, Vek32f, F_32f, VeksFIRState_32f)

FIR_LIFE(_32fc, Vek32fc, Vek32fc, F_32fc, VeksFIRState_32fc)
FIR_DLY(_32fc, Vek32fc, F_32fc, VeksFIRState_32fc)
FIR_FILTER(_32fc, Vek32fc, F_32fc, VeksFIRState_32fc)

FIR_LIFE(_64f, Vek64f, Vek64f, F_64f, VeksFIRState_64f)
FIR_DLY(_64f, Vek64f, F_64f, VeksFIRState_64f)
FIR_FILTER(_64f, Vek64f, F_64f, VeksFIRState_64f)

FIR_LIFE(_64fc, Vek64fc, Vek64fc, F_64fc, VeksFIRState_64fc)
FIR_DLY(_64fc, Vek64fc, F_64fc, VeksFIRState_64fc)
FIR_FILTER(_64fc, Vek64fc, F_64fc, VeksFIRState_64fc)

FIR_LIFE(64f_32f, Vek64f, Vek32f, F64f_32f, VeksFIRState64f_32f)
FIR_DLY(64f_32f, Vek32f, F64f_32f, VeksFIRState64f_32f)
FIR_FILTER(64f_32f, Vek32f, F64f_32f, VeksFIRState64f_32f)

FIR_LIFE(64fc_32fc, Vek64fc, Vek32fc, F64fc_32fc, VeksFIRState64fc_32fc)
FIR_DLY(64fc_32fc, Vek32fc, F64fc_32fc, VeksFIRState64fc_32fc)
FIR_FILTER(64fc_32fc, Vek32fc, F64fc_32fc, VeksFIRState64fc_32fc)

FIR_LIFE(_32s, Vek32s, Vek32s, F_32s, VeksFIRState_32s)
FIR_FILTER_SFS(_32s, Vek32s, F_32s, VeksFIRState_32s)

FIR_LIFE(32f_16s, Vek32f, Vek16s, F32f_16s, VeksFIRState32f_16s)
FIR_DLY(32f_16s, Vek16s, F32f_16s, VeksFIRState32f_16s)
FIR_FILTER_SFS(32f_16s, Vek16s, F32f_16s, VeksFIRState32f_16s)

FIR_LIFE(32fc_16sc, Vek32fc, Vek16sc, F32fc_16sc, VeksFIRState32fc_16sc)
FIR_DLY(32fc_16sc, Vek16sc, F32fc_16sc, VeksFIRState32fc_16sc)
FIR_FILTER_SFS(32fc_16sc, Vek16sc, F32fc_16sc, VeksFIRState32fc_16sc)

FIR_LIFE(64f_16s, Vek64f, Vek16s, F64f_16s, VeksFIRState64f_16s)
FIR_DLY(64f_16s, Vek16s, F64f_16s, VeksFIRState64f_16s)
FIR_FILTER_SFS(64f_16s, Vek16s, F64f_16s, VeksFIRState64f_16s)

FIR_LIFE(64fc_16sc, Vek64fc, Vek16sc, F64fc_16sc, VeksFIRState64fc_16sc)
FIR_DLY(64fc_16sc, Vek16sc, F64fc_16sc, VeksFIRState64fc_16sc)
FIR_FILTER_SFS(64fc_16sc, Vek16sc, F64fc_16sc, VeksFIRState64fc_16sc)

FIR_LIFE(64f_32s, Vek64f, Vek32s, F64f_32s, VeksFIRState64f_32s)
FIR_DLY(64f_32s, Vek32s, F64f_32s, VeksFIRState64f_32s)
FIR_FILTER_SFS(64f_32s, Vek32s, F64f_32s, VeksFIRState64f_32s)

FIR_LIFE(64fc_32sc, Vek64fc, Vek32sc, F64fc_32sc, VeksFIRState64fc_32sc)
FIR_DLY(64fc_32sc, Vek32sc, F64fc_32sc, VeksFIRState64fc_32sc)
FIR_FILTER_SFS(64fc_32sc, Vek32sc, F64fc_32sc, VeksFIRState64fc_32sc)
