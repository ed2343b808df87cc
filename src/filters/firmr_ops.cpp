// Multirate FIR states: GetStateSize, Init, InitAlloc of every form, and
// the operations the FIR state functions hand over for multirate
// identifiers (filtering, taps, delay line, release).
#include <cstdint>
#include <cstring>

#include "core/export.h"
#include "filters/fir_rate.h"
#include "filters/firmr_state.h"

namespace veks::fir::mr {
namespace {

using U32 = std::uint32_t;
using F_32f = MrForm<Vek32f, Vek32f, 1, float, double>;
using F_32fc = MrForm<Vek32fc, Vek32fc, 2, Cx<float>, Cx<double>>;
using F32f_16s = MrForm<Vek32f, Vek16s, 5, float, double>;
using F32fc_16sc = MrForm<Vek32fc, Vek16sc, 6, Cx<float>, Cx<double>>;
using F32s_16s = MrForm<Vek32s, Vek16s, 9, U32, U32, true, Vek32f>;
using F32sc_16sc = MrForm<Vek32sc, Vek16sc, 10, Cx<U32>, Cx<U32>, true, Vek32fc>;
using F_64f = MrForm<Vek64f, Vek64f, 13, double, double>;
using F_64fc = MrForm<Vek64fc, Vek64fc, 14, Cx<double>, Cx<double>>;
using F64f_32f = MrForm<Vek64f, Vek32f, 17, double, double>;
using F64fc_32fc = MrForm<Vek64fc, Vek32fc, 18, Cx<double>, Cx<double>>;
using F64f_32s = MrForm<Vek64f, Vek32s, 21, double, double>;
using F64fc_32sc = MrForm<Vek64fc, Vek32sc, 22, Cx<double>, Cx<double>>;
using F64f_16s = MrForm<Vek64f, Vek16s, 25, double, double>;
using F64fc_16sc = MrForm<Vek64fc, Vek16sc, 26, Cx<double>, Cx<double>>;

VekStatus check_rate(int up, int up_phase, int down, int down_phase) {
    if (up < 1 || down < 1) return vekStsBadMultirateFactor;
    if (up_phase < 0 || up_phase >= up || down_phase < 0 || down_phase >= down) return vekStsBadMultiratePhase;
    return vekStsOk;
}

template <class F, class Single>
VekStatus get_size(int L, int up, int down, int* pSize, Single&& single) {
    if (!pSize) return vekStsNullPtr;
    if (L < 1) return vekStsBadTapCount;
    if (up < 1 || down < 1) return vekStsBadMultirateFactor;
    if (up == 1 && down == 1) return single(L, pSize);
    const std::int64_t b = state_bytes<F>(L, up, down);
    if (b > INT32_MAX) return vekStsNoMemory;
    *pSize = static_cast<int>(b);
    return vekStsOk;
}

// Stores the caller's taps in natural order (integer taps normalised).
// float_view: the caller's taps are the floating view of integer taps.
template <class F>
void store_taps(const View& v, const void* pTaps, int tapsFactor, bool float_view) {
    auto* t = taps_of<F>(v);
    const int L = v.h->taps_len;
    if constexpr (F::int_taps) {
        v.h->taps_factor = float_view ? quantise_float_taps<typename F::tap_t, value_t<typename F::float_tap_e>>(pTaps, L, t, false)
                                      : normalise_int_taps(pTaps, L, tapsFactor, t, false);
    } else {
        (void)tapsFactor;
        (void)float_view;
        for (int k = 0; k < L; ++k) t[k] = load<typename F::tap_t>(pTaps, std::size_t(k));
    }
}

// Init (buffer given) and InitAlloc (buffer null, alloc true).
template <class F, class S, class Single>
VekStatus init(S** pp, const void* pTaps, int L, int tapsFactor, bool float_view, int up, int upPhase, int down,
               int downPhase, const void* pDly, Vek8u* pBuffer, bool alloc, Single&& single) {
    if (!pp || !pTaps || (!alloc && !pBuffer)) return vekStsNullPtr;
    if (L < 1) return vekStsBadTapCount;
    VEKS_CHECK(check_rate(up, upPhase, down, downPhase));
    if (up == 1 && down == 1) return single();
    const std::int64_t bytes = state_bytes<F>(L, up, down);
    if (bytes > INT32_MAX) return vekStsNoMemory;
    std::uint8_t* base;
    if (alloc) {
        base = veksMalloc_8u(static_cast<int>(bytes));
        if (!base) return vekStsNoMemory;
    } else {
        base = state_base(pBuffer);
    }
    const View v = build<F>(base, L, Rate{up, upPhase, down, downPhase}, pDly, alloc);
    store_taps<F>(v, pTaps, tapsFactor, float_view);
    *pp = reinterpret_cast<S*>(base);
    return vekStsOk;
}

// ---- operations on a state of one form ---------------------------------------------

template <class F>
VekStatus op_filter(const View& v, const void* src, void* dst, int n, int sf) {
    filter<F>(v, src, dst, n, sf);
    return vekStsOk;
}

// In place: chunks through the scratch area while the outputs do not
// outrun the inputs; else from a copy of the inputs.
template <class F>
VekStatus op_filter_in_place(const View& v, void* data, int n, int sf) {
    using D = typename F::data_t;
    const int up = v.h->up, down = v.h->down;
    char* bytes = static_cast<char*>(data);
    if (up <= down) {
        const int c = F::scratch_len / up;
        D* scratch = v.at<D>(v.h->scratch);
        std::size_t in = 0, out = 0;
        for (int left = n; left > 0;) {
            const int k = std::min(left, c);
            filter<F>(v, bytes + in * sizeof(D), scratch, k, sf);
            std::memcpy(bytes + out * sizeof(D), scratch, std::size_t(k) * std::size_t(up) * sizeof(D));
            in += std::size_t(k) * std::size_t(down);
            out += std::size_t(k) * std::size_t(up);
            left -= k;
        }
        return vekStsOk;
    }
    const std::int64_t count = std::int64_t(n) * down * std::int64_t(sizeof(D));
    Vek8u* copy = count > INT32_MAX ? nullptr : veksMalloc_8u(static_cast<int>(count));
    if (!copy) return vekStsNoMemory;
    std::memcpy(copy, data, std::size_t(count));
    filter<F>(v, copy, data, n, sf);
    veksFree(copy);
    return vekStsOk;
}

template <class F>
VekStatus op_get_taps(const View& v, void* pTaps, int* pFactor, bool float_view) {
    const int L = v.h->taps_len;
    const auto* t = taps_of<F>(v);
    if constexpr (F::int_taps) {
        if (float_view) {
            for (int k = 0; k < L; ++k)
                store(pTaps, std::size_t(k), tap_as_float<value_t<typename F::float_tap_e>>(t[k], v.h->taps_factor));
            return vekStsOk;
        }
        *pFactor = v.h->taps_factor;
    }
    for (int k = 0; k < L; ++k) store(pTaps, std::size_t(k), t[k]);
    return vekStsOk;
}

template <class F>
VekStatus op_set_taps(const View& v, const void* pTaps, int factor, bool float_view) {
    store_taps<F>(v, pTaps, factor, float_view);
    v.h->method = method_of(v.h->taps_len, v.h->up, v.h->down);
    return vekStsOk;
}

template <class F>
VekStatus op_get_dly(const View& v, void* p) {
    const int P = v.h->hist_len;
    for (int k = 0; k < P; ++k) store(p, std::size_t(k), dly_of<F>(v)[P - 1 - k]);
    return vekStsOk;
}

template <class F>
VekStatus op_set_dly(const View& v, const void* p) {
    const int P = v.h->hist_len;
    for (int k = 0; k < P; ++k) dly_of<F>(v)[k] = p ? load<typename F::data_t>(p, std::size_t(P - 1 - k)) : typename F::data_t{};
    return vekStsOk;
}

// Calls body(form tag) for the form of a multirate identifier.
template <class Body>
VekStatus with_form(const void* state, Body&& body) {
    const std::uint32_t id = read_id(state);
    auto is = [&](int code) { return id == state_id(multirate_code(code)); };
    if (is(1)) return body(F_32f{});
    if (is(2)) return body(F_32fc{});
    if (is(5)) return body(F32f_16s{});
    if (is(6)) return body(F32fc_16sc{});
    if (is(9)) return body(F32s_16s{});
    if (is(10)) return body(F32sc_16sc{});
    if (is(13)) return body(F_64f{});
    if (is(14)) return body(F_64fc{});
    if (is(17)) return body(F64f_32f{});
    if (is(18)) return body(F64fc_32fc{});
    if (is(21)) return body(F64f_32s{});
    if (is(22)) return body(F64fc_32sc{});
    if (is(25)) return body(F64f_16s{});
    if (is(26)) return body(F64fc_16sc{});
    return vekStsBadContext;
}

View view(const void* s) { return View{reinterpret_cast<MrHeader*>(const_cast<void*>(s))}; }

} // namespace
} // namespace veks::fir::mr

namespace veks::fir::multirate {

using namespace veks::fir::mr;

VekStatus filter(void* s, const void* src, void* dst, int n, int sf) {
    return with_form(s, [&](auto f) { return op_filter<decltype(f)>(view(s), src, dst, n, sf); });
}
VekStatus filter_in_place(void* s, void* data, int n, int sf) {
    return with_form(s, [&](auto f) { return op_filter_in_place<decltype(f)>(view(s), data, n, sf); });
}
VekStatus get_taps(const void* s, void* pTaps, int* pFactor, bool float_taps) {
    return with_form(s, [&](auto f) { return op_get_taps<decltype(f)>(view(s), pTaps, pFactor, float_taps); });
}
VekStatus set_taps(void* s, const void* pTaps, int factor, bool float_taps) {
    return with_form(s, [&](auto f) { return op_set_taps<decltype(f)>(view(s), pTaps, factor, float_taps); });
}
VekStatus get_dly_line(const void* s, void* p) {
    return with_form(s, [&](auto f) { return op_get_dly<decltype(f)>(view(s), p); });
}
VekStatus set_dly_line(void* s, const void* p) {
    return with_form(s, [&](auto f) { return op_set_dly<decltype(f)>(view(s), p); });
}
VekStatus release(void* s) {
    if (view(s).h->owned) {
        view(s).h->id = 0;
        veksFree(s);
    }
    return vekStsOk;
}

} // namespace veks::fir::multirate

using namespace veks::fir::mr;

// Floating-point taps: S suffix, TAP and DATA types, form F, state type.
#define FIRMR_FORM(S, TAP, DATA, F, STATE)                                                                            \
    VEKS_API VekStatus veksFIRMRGetStateSize##S(int tapsLen, int upFactor, int downFactor, int* pSize) {            \
        return get_size<F>(tapsLen, upFactor, downFactor, pSize,                                                     \
                           [](int L, int* p) { return veksFIRGetStateSize##S(L, p); });                              \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRMRInit##S(STATE** ppState, const TAP* pTaps, int tapsLen, int upFactor, int upPhase,  \
                                        int downFactor, int downPhase, const DATA* pDlyLine, Vek8u* pBuffer) {       \
        return init<F>(ppState, pTaps, tapsLen, 0, false, upFactor, upPhase, downFactor, downPhase, pDlyLine,        \
                       pBuffer, false, [&] { return veksFIRInit##S(ppState, pTaps, tapsLen, pDlyLine, pBuffer); });  \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRMRInitAlloc##S(STATE** ppState, const TAP* pTaps, int tapsLen, int upFactor,           \
                                             int upPhase, int downFactor, int downPhase, const DATA* pDlyLine) {     \
        return init<F>(ppState, pTaps, tapsLen, 0, false, upFactor, upPhase, downFactor, downPhase, pDlyLine,        \
                       nullptr, true, [&] { return veksFIRInitAlloc##S(ppState, pTaps, tapsLen, pDlyLine); });       \
    }

// Integer taps (S, with a taps factor) and their floating view (SF).
#define FIRMR_INT_FORM(S, SF, TAP, FTAP, DATA, F, STATE)                                                              \
    VEKS_API VekStatus veksFIRMRGetStateSize##S(int tapsLen, int upFactor, int downFactor, int* pSize) {            \
        return get_size<F>(tapsLen, upFactor, downFactor, pSize,                                                     \
                           [](int L, int* p) { return veksFIRGetStateSize##S(L, p); });                              \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRMRGetStateSize##SF(int tapsLen, int upFactor, int downFactor, int* pSize) {           \
        return get_size<F>(tapsLen, upFactor, downFactor, pSize,                                                     \
                           [](int L, int* p) { return veksFIRGetStateSize##SF(L, p); });                             \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRMRInit##S(STATE** ppState, const TAP* pTaps, int tapsLen, int tapsFactor, int upFactor, \
                                        int upPhase, int downFactor, int downPhase, const DATA* pDlyLine,            \
                                        Vek8u* pBuffer) {                                                            \
        return init<F>(ppState, pTaps, tapsLen, tapsFactor, false, upFactor, upPhase, downFactor, downPhase,         \
                       pDlyLine, pBuffer, false,                                                                     \
                       [&] { return veksFIRInit##S(ppState, pTaps, tapsLen, tapsFactor, pDlyLine, pBuffer); });     \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRMRInitAlloc##S(STATE** ppState, const TAP* pTaps, int tapsLen, int tapsFactor,         \
                                             int upFactor, int upPhase, int downFactor, int downPhase,               \
                                             const DATA* pDlyLine) {                                                 \
        return init<F>(ppState, pTaps, tapsLen, tapsFactor, false, upFactor, upPhase, downFactor, downPhase,         \
                       pDlyLine, nullptr, true,                                                                      \
                       [&] { return veksFIRInitAlloc##S(ppState, pTaps, tapsLen, tapsFactor, pDlyLine); });         \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRMRInit##SF(STATE** ppState, const FTAP* pTaps, int tapsLen, int upFactor, int upPhase, \
                                         int downFactor, int downPhase, const DATA* pDlyLine, Vek8u* pBuffer) {      \
        return init<F>(ppState, pTaps, tapsLen, 0, true, upFactor, upPhase, downFactor, downPhase, pDlyLine,         \
                       pBuffer, false, [&] { return veksFIRInit##SF(ppState, pTaps, tapsLen, pDlyLine, pBuffer); }); \
    }                                                                                                                \
    VEKS_API VekStatus veksFIRMRInitAlloc##SF(STATE** ppState, const FTAP* pTaps, int tapsLen, int upFactor,         \
                                              int upPhase, int downFactor, int downPhase, const DATA* pDlyLine) {    \
        return init<F>(ppState, pTaps, tapsLen, 0, true, upFactor, upPhase, downFactor, downPhase, pDlyLine,         \
                       nullptr, true, [&] { return veksFIRInitAlloc##SF(ppState, pTaps, tapsLen, pDlyLine); });      \
    }

FIRMR_FORM(_32f, Vek32f, Vek32f, F_32f, VeksFIRState_32f)
FIRMR_FORM(_32fc, Vek32fc, Vek32fc, F_32fc, VeksFIRState_32fc)
FIRMR_FORM(_64f, Vek64f, Vek64f, F_64f, VeksFIRState_64f)
FIRMR_FORM(_64fc, Vek64fc, Vek64fc, F_64fc, VeksFIRState_64fc)
FIRMR_FORM(32f_16s, Vek32f, Vek16s, F32f_16s, VeksFIRState32f_16s)
FIRMR_FORM(32fc_16sc, Vek32fc, Vek16sc, F32fc_16sc, VeksFIRState32fc_16sc)
FIRMR_FORM(64f_16s, Vek64f, Vek16s, F64f_16s, VeksFIRState64f_16s)
FIRMR_FORM(64fc_16sc, Vek64fc, Vek16sc, F64fc_16sc, VeksFIRState64fc_16sc)
FIRMR_FORM(64f_32f, Vek64f, Vek32f, F64f_32f, VeksFIRState64f_32f)
FIRMR_FORM(64fc_32fc, Vek64fc, Vek32fc, F64fc_32fc, VeksFIRState64fc_32fc)
FIRMR_FORM(64f_32s, Vek64f, Vek32s, F64f_32s, VeksFIRState64f_32s)
FIRMR_FORM(64fc_32sc, Vek64fc, Vek32sc, F64fc_32sc, VeksFIRState64fc_32sc)
FIRMR_INT_FORM(32s_16s, 32s_16s32f, Vek32s, Vek32f, Vek16s, F32s_16s, VeksFIRState32s_16s)
FIRMR_INT_FORM(32sc_16sc, 32sc_16sc32fc, Vek32sc, Vek32fc, Vek16sc, F32sc_16sc, VeksFIRState32sc_16sc)
