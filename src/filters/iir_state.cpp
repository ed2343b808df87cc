// IIR state life cycle: sizes, Init, InitAlloc, Free, taps and delay line
// of the sixteen forms, arbitrary order and biquad.
#include "filters/iir_state.h"

#include <climits>
#include <cstring>

#include "convert/convert_kernels.h"
#include "core/checks.h"
#include "core/export.h"

namespace veks::iir {

StateHeader* place_state(std::uint8_t* base, int code, int order, int num_bq, std::size_t elem, const void* dly,
                         std::uint32_t owned) {
    const Layout l = num_bq ? layout_biquad(num_bq, elem) : layout_order(order, elem);
    std::memset(base, 0, static_cast<std::size_t>(l.body()));
    auto* h = reinterpret_cast<StateHeader*>(base);
    h->id = state_id(num_bq ? code + 1 : code);
    h->taps = sizeof(StateHeader);
    h->dly = static_cast<std::uint32_t>(sizeof(StateHeader) + up16(l.taps_bytes));
    h->dly_len = num_bq ? 2 * num_bq : order;
    h->num_bq = num_bq;
    h->owned = owned;
    if (dly) std::memcpy(base + h->dly, dly, elem * static_cast<std::size_t>(h->dly_len)); // the extra element stays 0
    return h;
}

namespace {

template <class T> T load_tap(const void* p, std::size_t k) {
    T v;
    std::memcpy(&v, static_cast<const std::uint8_t*>(p) + k * sizeof(T), sizeof(T));
    return v;
}

template <class R> bool is_zero(R v) { return v == R(0); }
template <class R> bool is_zero(Cx<R> v) { return v.re == R(0) && v.im == R(0); }

// Division by a0 through its reciprocal: real taps multiply by 1/a0 computed
// once in their own precision; complex taps multiply by conj(a0)/|a0|^2 in
// double precision and round to the tap type.
template <class T> struct Reciprocal {
    T r;
    explicit Reciprocal(T a0) : r(T(1) / a0) {}
    T operator()(T t) const { return t * r; }
};
template <class R> struct Reciprocal<Cx<R>> {
    double re, im;
    explicit Reciprocal(Cx<R> a0) {
        const double ar = a0.re, ai = a0.im, m = ar * ar + ai * ai;
        re = ar / m;
        im = -ai / m;
    }
    Cx<R> operator()(Cx<R> t) const {
        const double tr = t.re, ti = t.im;
        return {static_cast<R>(tr * re - ti * im), static_cast<R>(tr * im + ti * re)};
    }
};

// Normalises the caller's taps (layout of the state's kind) into the state.
template <class T>
VekStatus set_taps(StateHeader* h, const void* taps) {
    T* dst = taps_of<T>(h);
    if (h->num_bq == 0) {
        const std::size_t n = static_cast<std::size_t>(h->dly_len);
        const T a0 = load_tap<T>(taps, n + 1);
        if (is_zero(a0)) return vekStsDivByZeroError;
        const Reciprocal<T> div(a0);
        for (std::size_t k = 0; k <= n; ++k) dst[k] = div(load_tap<T>(taps, k));
        for (std::size_t k = 1; k <= n; ++k) dst[n + k] = div(load_tap<T>(taps, n + 1 + k));
        return vekStsOk;
    }
    for (std::size_t s = 0; s < static_cast<std::size_t>(h->num_bq); ++s) {
        const std::size_t in = 6 * s;
        const T a0 = load_tap<T>(taps, in + 3);
        if (is_zero(a0) || is_zero(load_tap<T>(taps, in))) return vekStsDivByZeroError;
        const Reciprocal<T> div(a0);
        T* out = dst + 5 * s;
        out[0] = div(load_tap<T>(taps, in));
        out[1] = div(load_tap<T>(taps, in + 1));
        out[2] = div(load_tap<T>(taps, in + 2));
        out[3] = div(load_tap<T>(taps, in + 4));
        out[4] = div(load_tap<T>(taps, in + 5));
    }
    return vekStsOk;
}

std::size_t tap_count(const StateHeader* h) {
    return h->num_bq ? 6 * static_cast<std::size_t>(h->num_bq) : 2 * (static_cast<std::size_t>(h->dly_len) + 1);
}

// Taps as the caller gives them: floating taps directly, integer taps
// converted to single precision times 2^-tapsFactor through a temporary array.
template <class T, class TapIn>
VekStatus store_taps(StateHeader* h, const TapIn* taps, int taps_factor) {
    if constexpr (std::is_same_v<TapIn, Vek32s> || std::is_same_v<TapIn, Vek32sc>) {
        const std::size_t n = tap_count(h) * (std::is_same_v<TapIn, Vek32sc> ? 2 : 1);
        if (n > static_cast<std::size_t>(INT_MAX)) return vekStsNoMemory;
        Vek32f* tmp = veksMalloc_32f(static_cast<int>(n));
        if (!tmp) return vekStsNoMemory;
        const Vek32f factor = conv::single_from_field(127 - conv::clamp_int(taps_factor, -96, 126));
        for (std::size_t k = 0; k < n; ++k) tmp[k] = static_cast<Vek32f>(load_tap<Vek32s>(taps, k)) * factor;
        const VekStatus st = set_taps<T>(h, tmp);
        veksFree(tmp);
        return st;
    } else {
        (void)taps_factor;
        return set_taps<T>(h, taps);
    }
}

template <int Code>
Layout layout_of(int n, bool biquad) {
    constexpr std::size_t elem = sizeof(typename Form<Code>::T);
    return biquad ? layout_biquad(n, elem) : layout_order(n, elem);
}

template <int Code, bool Biquad>
VekStatus get_state_size(int n, int* size) {
    VEKS_CHECK(check_ptrs(size));
    if (n < 1) return vekStsBadOrder;
    const std::int64_t bytes = layout_of<Code>(n, Biquad).size();
    if (bytes > INT_MAX) return vekStsNoMemory;
    *size = static_cast<int>(bytes);
    return vekStsOk;
}

template <int Code, bool Biquad, class TapIn>
VekStatus init(void** state, const TapIn* taps, int n, int taps_factor, const void* dly, Vek8u* buf) {
    using T = typename Form<Code>::T;
    VEKS_CHECK(check_ptrs(state, taps, buf));
    if (n < 1) return vekStsBadOrder;
    if (layout_of<Code>(n, Biquad).size() > INT_MAX) return vekStsNoMemory;
    auto* base = reinterpret_cast<std::uint8_t*>((reinterpret_cast<std::uintptr_t>(buf) + 15) & ~std::uintptr_t(15));
    StateHeader* h = place_state(base, Code, Biquad ? 0 : n, Biquad ? n : 0, sizeof(T), dly, 0);
    VEKS_CHECK(store_taps<T>(h, taps, taps_factor));
    *state = h;
    return vekStsOk;
}

template <int Code, bool Biquad, class TapIn>
VekStatus init_alloc(void** state, const TapIn* taps, int n, int taps_factor, const void* dly) {
    using T = typename Form<Code>::T;
    VEKS_CHECK(check_ptrs(state, taps));
    if (n < 1) return vekStsBadOrder;
    const std::int64_t bytes = layout_of<Code>(n, Biquad).size();
    if (bytes > INT_MAX) return vekStsNoMemory;
    Vek8u* mem = veksMalloc_8u(static_cast<int>(bytes)); // 32-byte aligned
    if (!mem) return vekStsNoMemory;
    StateHeader* h = place_state(mem, Code, Biquad ? 0 : n, Biquad ? n : 0, sizeof(T), dly, 1);
    const VekStatus st = store_taps<T>(h, taps, taps_factor);
    if (st != vekStsOk) {
        veksFree(mem);
        return st;
    }
    *state = h;
    return vekStsOk;
}

template <int Code, class TapIn>
VekStatus set_taps_checked(const TapIn* taps, void* state, int taps_factor) {
    VEKS_CHECK(check_ptrs(taps, state));
    if (!has_form(state, Code)) return vekStsBadContext;
    return store_taps<typename Form<Code>::T>(static_cast<StateHeader*>(state), taps, taps_factor);
}

template <int Code>
VekStatus free_state(void* state) {
    VEKS_CHECK(check_ptrs(state));
    if (!has_form(state, Code)) return vekStsBadContext;
    auto* h = static_cast<StateHeader*>(state);
    h->id = 0;
    if (h->owned) veksFree(h);
    return vekStsOk;
}

template <int Code>
VekStatus get_dly(const void* state, void* dly) {
    VEKS_CHECK(check_ptrs(state, dly));
    if (!has_form(state, Code)) return vekStsBadContext;
    auto* h = static_cast<StateHeader*>(const_cast<void*>(state));
    std::memcpy(dly, dly_of<std::uint8_t>(h), sizeof(typename Form<Code>::T) * static_cast<std::size_t>(h->dly_len));
    return vekStsOk;
}

template <int Code>
VekStatus set_dly(void* state, const void* dly) {
    VEKS_CHECK(check_ptrs(state));
    if (!has_form(state, Code)) return vekStsBadContext;
    auto* h = static_cast<StateHeader*>(state);
    const std::size_t bytes = sizeof(typename Form<Code>::T) * static_cast<std::size_t>(h->dly_len);
    if (dly) std::memcpy(dly_of<std::uint8_t>(h), dly, bytes);
    else std::memset(dly_of<std::uint8_t>(h), 0, bytes);
    return vekStsOk;
}

} // namespace
} // namespace veks::iir

using namespace veks::iir;

// One row per form: sizes, Init and InitAlloc of both kinds, SetTaps.
#define VEKS_IIR_STATE_ROWS(P, S, ST, TAP, DLY, CODE)                                                            \
    VEKS_API VekStatus veksIIRGetStateSize##P##_##S(int order, int* pBufferSize) {                               \
        return get_state_size<CODE, false>(order, pBufferSize);                                                  \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRGetStateSize##P##_BiQuad_##S(int numBq, int* pBufferSize) {                        \
        return get_state_size<CODE, true>(numBq, pBufferSize);                                                   \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRInit##P##_##S(ST** ppState, const TAP* pTaps, int order, const DLY* pDlyLine,      \
                                            Vek8u* pBuf) {                                                       \
        return init<CODE, false>(reinterpret_cast<void**>(ppState), pTaps, order, 0, pDlyLine, pBuf);            \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRInit##P##_BiQuad_##S(ST** ppState, const TAP* pTaps, int numBq, const DLY* pDlyLine, \
                                                   Vek8u* pBuf) {                                                \
        return init<CODE, true>(reinterpret_cast<void**>(ppState), pTaps, numBq, 0, pDlyLine, pBuf);             \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRInitAlloc##P##_##S(ST** ppState, const TAP* pTaps, int order, const DLY* pDlyLine) { \
        return init_alloc<CODE, false>(reinterpret_cast<void**>(ppState), pTaps, order, 0, pDlyLine);            \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRInitAlloc##P##_BiQuad_##S(ST** ppState, const TAP* pTaps, int numBq,               \
                                                        const DLY* pDlyLine) {                                   \
        return init_alloc<CODE, true>(reinterpret_cast<void**>(ppState), pTaps, numBq, 0, pDlyLine);             \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRSetTaps##P##_##S(const TAP* pTaps, ST* pState) { return set_taps_checked<CODE>(pTaps, pState, 0); }

// The same for integer taps, which carry a tapsFactor after the order.
#define VEKS_IIR_STATE_ROWS_INT(P, S, ST, TAP, DLY, CODE)                                                        \
    VEKS_API VekStatus veksIIRGetStateSize##P##_##S(int order, int* pBufferSize) {                               \
        return get_state_size<CODE, false>(order, pBufferSize);                                                  \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRGetStateSize##P##_BiQuad_##S(int numBq, int* pBufferSize) {                        \
        return get_state_size<CODE, true>(numBq, pBufferSize);                                                   \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRInit##P##_##S(ST** ppState, const TAP* pTaps, int order, int tapsFactor,           \
                                            const DLY* pDlyLine, Vek8u* pBuf) {                                  \
        return init<CODE, false>(reinterpret_cast<void**>(ppState), pTaps, order, tapsFactor, pDlyLine, pBuf);   \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRInit##P##_BiQuad_##S(ST** ppState, const TAP* pTaps, int numBq, int tapsFactor,    \
                                                   const DLY* pDlyLine, Vek8u* pBuf) {                           \
        return init<CODE, true>(reinterpret_cast<void**>(ppState), pTaps, numBq, tapsFactor, pDlyLine, pBuf);    \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRInitAlloc##P##_##S(ST** ppState, const TAP* pTaps, int order, int tapsFactor,      \
                                                 const DLY* pDlyLine) {                                          \
        return init_alloc<CODE, false>(reinterpret_cast<void**>(ppState), pTaps, order, tapsFactor, pDlyLine);   \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRInitAlloc##P##_BiQuad_##S(ST** ppState, const TAP* pTaps, int numBq, int tapsFactor, \
                                                        const DLY* pDlyLine) {                                   \
        return init_alloc<CODE, true>(reinterpret_cast<void**>(ppState), pTaps, numBq, tapsFactor, pDlyLine);    \
    }                                                                                                            \
    VEKS_API VekStatus veksIIRSetTaps##P##_##S(const TAP* pTaps, ST* pState, int tapsFactor) {                   \
        return set_taps_checked<CODE>(pTaps, pState, tapsFactor);                                                \
    }

// Free and the delay line, one row per state type.
#define VEKS_IIR_OBJECT_ROWS(P, S, ST, DLY, CODE)                                                                \
    VEKS_API VekStatus veksIIRFree##P##_##S(ST* pState) { return free_state<CODE>(pState); }                     \
    VEKS_API VekStatus veksIIRGetDlyLine##P##_##S(const ST* pState, DLY* pDlyLine) { return get_dly<CODE>(pState, pDlyLine); } \
    VEKS_API VekStatus veksIIRSetDlyLine##P##_##S(ST* pState, const DLY* pDlyLine) { return set_dly<CODE>(pState, pDlyLine); }

VEKS_IIR_STATE_ROWS(, 32f, VeksIIRState_32f, Vek32f, Vek32f, 1)
VEKS_IIR_STATE_ROWS(, 32fc, VeksIIRState_32fc, Vek32fc, Vek32fc, 3)
VEKS_IIR_STATE_ROWS(, 64f, VeksIIRState_64f, Vek64f, Vek64f, 13)
VEKS_IIR_STATE_ROWS(, 64fc, VeksIIRState_64fc, Vek64fc, Vek64fc, 15)
VEKS_IIR_STATE_ROWS(32f, 16s, VeksIIRState32f_16s, Vek32f, Vek32f, 5)
VEKS_IIR_STATE_ROWS(32fc, 16sc, VeksIIRState32fc_16sc, Vek32fc, Vek32fc, 7)
VEKS_IIR_STATE_ROWS_INT(32s, 16s, VeksIIRState32s_16s, Vek32s, Vek32f, 9)
VEKS_IIR_STATE_ROWS(32s, 16s32f, VeksIIRState32s_16s, Vek32f, Vek32f, 9)
VEKS_IIR_STATE_ROWS_INT(32sc, 16sc, VeksIIRState32sc_16sc, Vek32sc, Vek32fc, 11)
VEKS_IIR_STATE_ROWS(32sc, 16sc32fc, VeksIIRState32sc_16sc, Vek32fc, Vek32fc, 11)
VEKS_IIR_STATE_ROWS(64f, 16s, VeksIIRState64f_16s, Vek64f, Vek64f, 25)
VEKS_IIR_STATE_ROWS(64fc, 16sc, VeksIIRState64fc_16sc, Vek64fc, Vek64fc, 27)
VEKS_IIR_STATE_ROWS(64f, 32f, VeksIIRState64f_32f, Vek64f, Vek64f, 17)
VEKS_IIR_STATE_ROWS(64fc, 32fc, VeksIIRState64fc_32fc, Vek64fc, Vek64fc, 19)
VEKS_IIR_STATE_ROWS(64f, 32s, VeksIIRState64f_32s, Vek64f, Vek64f, 21)
VEKS_IIR_STATE_ROWS(64fc, 32sc, VeksIIRState64fc_32sc, Vek64fc, Vek64fc, 23)

VEKS_IIR_OBJECT_ROWS(, 32f, VeksIIRState_32f, Vek32f, 1)
VEKS_IIR_OBJECT_ROWS(, 32fc, VeksIIRState_32fc, Vek32fc, 3)
VEKS_IIR_OBJECT_ROWS(, 64f, VeksIIRState_64f, Vek64f, 13)
VEKS_IIR_OBJECT_ROWS(, 64fc, VeksIIRState_64fc, Vek64fc, 15)
VEKS_IIR_OBJECT_ROWS(32f, 16s, VeksIIRState32f_16s, Vek32f, 5)
VEKS_IIR_OBJECT_ROWS(32fc, 16sc, VeksIIRState32fc_16sc, Vek32fc, 7)
VEKS_IIR_OBJECT_ROWS(32s, 16s, VeksIIRState32s_16s, Vek32f, 9)
VEKS_IIR_OBJECT_ROWS(32sc, 16sc, VeksIIRState32sc_16sc, Vek32fc, 11)
VEKS_IIR_OBJECT_ROWS(64f, 16s, VeksIIRState64f_16s, Vek64f, 25)
VEKS_IIR_OBJECT_ROWS(64fc, 16sc, VeksIIRState64fc_16sc, Vek64fc, 27)
VEKS_IIR_OBJECT_ROWS(64f, 32f, VeksIIRState64f_32f, Vek64f, 17)
VEKS_IIR_OBJECT_ROWS(64fc, 32fc, VeksIIRState64fc_32fc, Vek64fc, 19)
VEKS_IIR_OBJECT_ROWS(64f, 32s, VeksIIRState64f_32s, Vek64f, 21)
VEKS_IIR_OBJECT_ROWS(64fc, 32sc, VeksIIRState64fc_32sc, Vek64fc, 23)
