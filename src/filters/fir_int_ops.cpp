// Integer-tap FIR states: Vek32s taps with Vek16s data (code 09) and the
// complex twin (code 10). Taps are stored normalised so that no magnitude
// exceeds 32766, with the normalising shift added to the taps factor; sums
// wrap in 32 bits and are scaled by 2^(tapsFactor - scaleFactor).
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/export.h"
#include "core/rounding.h"
#include "filters/fir_engine.h"
#include "filters/fir_rate.h"
#include "filters/fir_state.h"
#include "filters/fir_taps.h"

namespace veks::fir {
namespace {

template <class TapE, class DataE, class FloatTapE, int Code>
struct IntForm {
    using tap_t = value_t<TapE>;
    using data_e = DataE;
    using data_t = value_t<DataE>;
    using float_tap_t = value_t<FloatTapE>;
    static constexpr bool cx = is_cx_v<tap_t>;
    using acc_t = std::conditional_t<cx, Cx<std::uint32_t>, std::uint32_t>; // wraps on overflow
    static constexpr int code = Code;
    static constexpr int par_limit = cx ? 801 : 1601;
    static constexpr int scratch_len = 4096;
};
using F32s_16s = IntForm<Vek32s, Vek16s, Vek32f, 9>;
using F32sc_16sc = IntForm<Vek32sc, Vek16sc, Vek32fc, 10>;

template <class F>
std::int64_t state_bytes(int L) {
    const std::int64_t l = L;
    if constexpr (F::cx) return round16(8 * l) + 80 + round16(12 * l + 16) + 16400;
    else return round16(2 * (3 * l + 4)) + round16(8 * l) + round16(4 * l) + 16480;
}

struct IntView {
    IntHeader* h;
    template <class T> T* at(std::uint32_t off) const { return region<T>(h, off); }
};

template <class F> typename F::tap_t* taps_of(const IntView& v) { return v.at<typename F::tap_t>(v.h->taps); }
template <class F> typename F::data_t* dly_of(const IntView& v) { return v.at<typename F::data_t>(v.h->dly); }

// Stores the taps reversed, normalised; the low 16 bits of each beside them.
template <class F>
void store_low_halves(const IntView& v) {
    if constexpr (!F::cx) {
        Vek16s* low = v.at<Vek16s>(v.h->taps16);
        for (int k = 0; k < v.h->taps_len; ++k) low[k] = static_cast<Vek16s>(taps_of<F>(v)[k]);
    }
}
template <class F>
void store_int_taps(const IntView& v, const void* pTaps, int tapsFactor) {
    v.h->taps_factor = normalise_int_taps(pTaps, v.h->taps_len, tapsFactor, taps_of<F>(v), true);
    store_low_halves<F>(v);
}
template <class F>
void store_float_taps(const IntView& v, const void* pTaps) {
    v.h->taps_factor = quantise_float_taps<typename F::tap_t, typename F::float_tap_t>(pTaps, v.h->taps_len, taps_of<F>(v), true);
    store_low_halves<F>(v);
}

template <class F>
void build(std::uint8_t* base, int L, const void* pDlyLine, bool owned) {
    auto* h = reinterpret_cast<IntHeader*>(base);
    std::memset(h, 0, sizeof *h);
    Carver c(sizeof(IntHeader));
    h->taps = c.take(std::int64_t(sizeof(typename F::tap_t)) * L);
    h->dly = c.take(std::int64_t(sizeof(typename F::data_t)) * (3 * std::int64_t(L) + 4));
    if constexpr (!F::cx) h->taps16 = c.take(2 * std::int64_t(L));
    h->scratch = c.take(std::int64_t(sizeof(typename F::data_t)) * F::scratch_len);
    h->id = state_id(F::code);
    h->taps_len = L;
    h->short_limit = F::cx ? ((L + 3) & ~3) : (((L + 3) & ~3) | 1);
    h->dly_index = 0;
    h->owned = owned ? 1 : 0;
    write_history<typename F::data_e>(dly_of<F>(IntView{h}), L, pDlyLine);
}

IntView view(const void* s) { return IntView{reinterpret_cast<IntHeader*>(const_cast<void*>(s))}; }

template <class F>
VekStatus get_state_size(int L, int* pSize) {
    if (!pSize) return vekStsNullPtr;
    if (L < 1) return vekStsBadTapCount;
    const std::int64_t b = state_bytes<F>(L);
    if (b > INT32_MAX) return vekStsNoMemory;
    *pSize = static_cast<int>(b);
    return vekStsOk;
}

// Init and InitAlloc for both tap views: store(view) writes the taps.
template <class F, class S, class Store>
VekStatus init_with(S** pp, const void* pTaps, int L, const void* pDly, Vek8u* pBuffer, bool alloc, Store&& store_taps) {
    if (!pp || !pTaps || (!alloc && !pBuffer)) return vekStsNullPtr;
    if (L < 1) return vekStsBadTapCount;
    const std::int64_t bytes = state_bytes<F>(L);
    if (bytes > INT32_MAX) return vekStsNoMemory;
    std::uint8_t* base;
    if (alloc) {
        base = veksMalloc_8u(static_cast<int>(bytes));
        if (!base) return vekStsNoMemory;
    } else {
        base = state_base(pBuffer);
    }
    build<F>(base, L, pDly, alloc);
    store_taps(view(base));
    *pp = reinterpret_cast<S*>(base);
    return vekStsOk;
}

template <class F>
VekStatus free_state(void* s) {
    if (!s) return vekStsNullPtr;
    switch (rate_of<F>(s)) {
    case Rate::Single:
        if (view(s).h->owned) {
            view(s).h->id = 0;
            veksFree(s);
        }
        return vekStsOk;
    case Rate::Multi: return multirate::release(s);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus get_int_taps(const void* s, void* pTaps, int* pFactor) {
    if (!s || !pTaps || !pFactor) return vekStsNullPtr;
    switch (rate_of<F>(s)) {
    case Rate::Single: {
        const IntView v = view(s);
        const int L = v.h->taps_len;
        for (int k = 0; k < L; ++k) store<typename F::tap_t>(pTaps, std::size_t(k), taps_of<F>(v)[L - 1 - k]);
        *pFactor = v.h->taps_factor;
        return vekStsOk;
    }
    case Rate::Multi: return multirate::get_taps(s, pTaps, pFactor, false);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus get_float_taps(const void* s, void* pTaps) {
    if (!s || !pTaps) return vekStsNullPtr;
    switch (rate_of<F>(s)) {
    case Rate::Single: {
        using FT = typename F::float_tap_t;
        const IntView v = view(s);
        const int L = v.h->taps_len, e = v.h->taps_factor;
        for (int k = 0; k < L; ++k) {
            store<FT>(pTaps, std::size_t(k), tap_as_float<FT>(taps_of<F>(v)[L - 1 - k], e));
        }
        return vekStsOk;
    }
    case Rate::Multi: return multirate::get_taps(s, pTaps, nullptr, true);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus set_int_taps(const void* pTaps, void* s, int tapsFactor) {
    if (!pTaps || !s) return vekStsNullPtr;
    switch (rate_of<F>(s)) {
    case Rate::Single: store_int_taps<F>(view(s), pTaps, tapsFactor); return vekStsOk;
    case Rate::Multi: return multirate::set_taps(s, pTaps, tapsFactor, false);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus set_float_taps(const void* pTaps, void* s) {
    if (!pTaps || !s) return vekStsNullPtr;
    switch (rate_of<F>(s)) {
    case Rate::Single: store_float_taps<F>(view(s), pTaps); return vekStsOk;
    case Rate::Multi: return multirate::set_taps(s, pTaps, 0, true);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus get_dly_line(const void* s, void* p) {
    if (!s || !p) return vekStsNullPtr;
    switch (rate_of<F>(s)) {
    case Rate::Single: {
        const IntView v = view(s);
        read_history<typename F::data_e>(dly_of<F>(v), v.h->dly_index, v.h->taps_len, p);
        return vekStsOk;
    }
    case Rate::Multi: return multirate::get_dly_line(s, p);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus set_dly_line(void* s, const void* p) {
    if (!s) return vekStsNullPtr;
    switch (rate_of<F>(s)) {
    case Rate::Single: {
        const IntView v = view(s);
        write_history<typename F::data_e>(dly_of<F>(v), v.h->taps_len, p);
        v.h->dly_index = 0;
        return vekStsOk;
    }
    case Rate::Multi: return multirate::set_dly_line(s, p);
    default: return vekStsBadContext;
    }
}

template <class F>
Output<typename F::data_e, typename F::acc_t> output_of(const IntView& v, int scaleFactor) {
    const std::int64_t d = std::int64_t(v.h->taps_factor) - scaleFactor;
    return Output<typename F::data_e, typename F::acc_t>::for_shift(int(d < -31 ? -31 : (d > 31 ? 31 : d)));
}

template <class F>
void direct(const IntView& v, const void* src, void* dst, int n, int scaleFactor) {
    const int i = v.h->dly_index;
    v.h->dly_index = 0;
    direct_block<typename F::acc_t, typename F::tap_t, typename F::data_t, typename F::data_e>(
        taps_of<F>(v), v.h->taps_len, v.h->short_limit, dly_of<F>(v), i, src, dst, n, output_of<F>(v, scaleFactor),
        F::par_limit);
}

template <class F>
VekStatus fir(const void* pSrc, void* pDst, int n, void* s, int scaleFactor) {
    if (!s || !pSrc || !pDst) return vekStsNullPtr;
    if (n < 1) return vekStsBadLength;
    switch (rate_of<F>(s)) {
    case Rate::Single: direct<F>(view(s), pSrc, pDst, n, scaleFactor); return vekStsOk;
    case Rate::Multi: return multirate::filter(s, pSrc, pDst, n, scaleFactor);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus fir_in_place(void* p, int n, void* s, int scaleFactor) {
    if (!s || !p) return vekStsNullPtr;
    if (n < 1) return vekStsBadLength;
    switch (rate_of<F>(s)) {
    case Rate::Single: {
        const IntView v = view(s);
        void* scratch = v.at<void>(v.h->scratch);
        char* at = static_cast<char*>(p);
        for (int remaining = n; remaining > 0;) {
            const int c = std::min(remaining, F::scratch_len);
            remaining -= c;
            direct<F>(v, at, scratch, c, scaleFactor);
            std::memcpy(at, scratch, std::size_t(c) * sizeof(typename F::data_t));
            at += std::size_t(c) * sizeof(typename F::data_t);
        }
        return vekStsOk;
    }
    case Rate::Multi: return multirate::filter_in_place(s, p, n, scaleFactor);
    default: return vekStsBadContext;
    }
}

template <class F>
VekStatus fir_one(const typename F::data_e& src, void* pDstVal, void* s, int scaleFactor) {
    if (!s || !pDstVal) return vekStsNullPtr;
    if (rate_of<F>(s) != Rate::Single) return vekStsBadContext;
    const IntView v = view(s);
    int index = v.h->dly_index;
    const auto sum = one_step<typename F::acc_t>(taps_of<F>(v), v.h->taps_len, dly_of<F>(v), index,
                                                 load<typename F::data_t>(&src, 0));
    v.h->dly_index = index;
    store<typename F::data_t>(pDstVal, 0, output_of<F>(v, scaleFactor)(sum));
    return vekStsOk;
}

} // namespace
} // namespace veks::fir

using namespace veks::fir;

// Suffix S (integer taps TAP, data DATA), float-tap suffix SF (taps FTAP).
#define FIR_INT_FORM(S, SF, TAP, FTAP, DATA, F, STATE)                                                                 \
    VEKS_API VekStatus veksFIRGetStateSize##S(int tapsLen, int* pSize) { return get_state_size<F>(tapsLen, pSize); }  \
    VEKS_API VekStatus veksFIRGetStateSize##SF(int tapsLen, int* pSize) { return get_state_size<F>(tapsLen, pSize); } \
    VEKS_API VekStatus veksFIRInit##S(STATE** ppState, const TAP* pTaps, int tapsLen, int tapsFactor,                 \
                                      const DATA* pDlyLine, Vek8u* pBuffer) {                                         \
        return init_with<F>(ppState, pTaps, tapsLen, pDlyLine, pBuffer, false,                                       \
                            [&](const IntView& v) { store_int_taps<F>(v, pTaps, tapsFactor); });                      \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIRInitAlloc##S(STATE** ppState, const TAP* pTaps, int tapsLen, int tapsFactor,            \
                                           const DATA* pDlyLine) {                                                    \
        return init_with<F>(ppState, pTaps, tapsLen, pDlyLine, nullptr, true,                                        \
                            [&](const IntView& v) { store_int_taps<F>(v, pTaps, tapsFactor); });                      \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIRInit##SF(STATE** ppState, const FTAP* pTaps, int tapsLen, const DATA* pDlyLine,         \
                                       Vek8u* pBuffer) {                                                              \
        return init_with<F>(ppState, pTaps, tapsLen, pDlyLine, pBuffer, false,                                       \
                            [&](const IntView& v) { store_float_taps<F>(v, pTaps); });                                \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIRInitAlloc##SF(STATE** ppState, const FTAP* pTaps, int tapsLen, const DATA* pDlyLine) {  \
        return init_with<F>(ppState, pTaps, tapsLen, pDlyLine, nullptr, true,                                        \
                            [&](const IntView& v) { store_float_taps<F>(v, pTaps); });                                \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIRFree##S(STATE* pState) { return free_state<F>(pState); }                                \
    VEKS_API VekStatus veksFIRGetTaps##S(const STATE* pState, TAP* pTaps, int* pTapsFactor) {                         \
        return get_int_taps<F>(pState, pTaps, pTapsFactor);                                                           \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIRGetTaps##SF(const STATE* pState, FTAP* pTaps) { return get_float_taps<F>(pState, pTaps); } \
    VEKS_API VekStatus veksFIRSetTaps##S(const TAP* pTaps, STATE* pState, int tapsFactor) {                           \
        return set_int_taps<F>(pTaps, pState, tapsFactor);                                                            \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIRSetTaps##SF(const FTAP* pTaps, STATE* pState) { return set_float_taps<F>(pTaps, pState); } \
    VEKS_API VekStatus veksFIRGetDlyLine##S(const STATE* pState, DATA* pDlyLine) { return get_dly_line<F>(pState, pDlyLine); } \
    VEKS_API VekStatus veksFIRSetDlyLine##S(STATE* pState, const DATA* pDlyLine) { return set_dly_line<F>(pState, pDlyLine); } \
    VEKS_API VekStatus veksFIR##S##_Sfs(const DATA* pSrc, DATA* pDst, int numIters, STATE* pState, int scaleFactor) {  \
        return fir<F>(pSrc, pDst, numIters, pState, scaleFactor);                                                     \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIR##S##_ISfs(DATA* pSrcDst, int numIters, STATE* pState, int scaleFactor) {               \
        return fir_in_place<F>(pSrcDst, numIters, pState, scaleFactor);                                               \
    }                                                                                                                 \
    VEKS_API VekStatus veksFIROne##S##_Sfs(DATA src, DATA* pDstVal, STATE* pState, int scaleFactor) {                 \
        return fir_one<F>(src, pDstVal, pState, scaleFactor);                                                         \
    }

FIR_INT_FORM(32s_16s, 32s_16s32f, Vek32s, Vek32f, Vek16s, F32s_16s, VeksFIRState32s_16s)
FIR_INT_FORM(32sc_16sc, 32sc_16sc32fc, Vek32sc, Vek32fc, Vek16sc, F32sc_16sc, VeksFIRState32sc_16sc)
