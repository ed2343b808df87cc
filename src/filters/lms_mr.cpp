// Fixed-point LMS: the Q15 one-sample form and the multirate integer family
// (32s_16s, 32sc_16sc). Arithmetic in lms_fixed.h.
#include <climits>
#include <cstring>
#include <type_traits>

#include "core/checks.h"
#include "core/export.h"
#include "filters/lms_fixed.h"
#include "filters/lms_state.h"

struct VeksFIRLMSMRState32s_16s {
    veks::lms::MRHeader h;
};
struct VeksFIRLMSMRState32sc_16sc {
    veks::lms::MRHeader h;
};

namespace veks::lms {
namespace {

// ---- Q15 one-sample form ----------------------------------------------------

VekStatus one_direct_q15(Vek16s src, Vek16s ref, Vek16s* dst, Vek32s* taps, int len, int mu, Vek16s* dly,
                         int* idx_io) {
    VEKS_CHECK(check_ptrs(taps, dly, idx_io, dst));
    VEKS_CHECK(check_len(len));
    int idx;
    std::memcpy(&idx, idx_io, sizeof idx);
    if (idx < 0 || idx >= len) return vekStsBadDelayIndex;
    st(dly, idx, src);
    st(dly, idx + len, src);
    idx = idx + 1 == len ? 0 : idx + 1;
    std::int64_t acc = 0;
    for (int j = 0; j < len; ++j) mac(acc, ld(taps, j), ld(dly, idx + j));
    const Vek16s y = saturate<Vek16s>(round_shift_half_even<std::int64_t>(acc, 15));
    const std::int64_t w = std::int64_t(mu) * (std::int32_t(ref) - y);
    for (int j = 0; j < len; ++j) st(taps, j, adapt(ld(taps, j), w, ld(dly, idx + j), 13));
    std::memcpy(idx_io, &idx, sizeof idx);
    st(dst, 0, y);
    return vekStsOk;
}

// ---- multirate family ---------------------------------------------------------

// T: tap and output type, S: sample type.
template <class T> struct MR;
template <> struct MR<Vek32s> {
    using S = Vek16s;
    using Acc = std::int64_t;
    static constexpr std::uint32_t id = kIdMR32s;
};
template <> struct MR<Vek32sc> {
    using S = Vek16sc;
    using Acc = Wide;
    static constexpr std::uint32_t id = kIdMR32sc;
};

inline bool fits16(std::int32_t v) { return v >= -32768 && v <= 32767; }
inline bool fits16(Vek32sc v) { return fits16(v.re) && fits16(v.im); }
inline Vek32s shifted(Vek32s v, int s) { return v >> s; }
inline Vek32sc shifted(Vek32sc v, int s) { return {v.re >> s, v.im >> s}; }

// The error brought into 16 bits by at most 15 arithmetic right shifts
// (saturated when 15 do not suffice), times mu: w = mu * e16, and the count s.
inline std::int64_t scaled_error(Vek32s err, int mu, int& s) {
    for (s = 0; s < 15 && !fits16(shifted(err, s)); ++s) {}
    return std::int64_t(mu) * saturate<Vek16s>(shifted(err, s));
}
inline Wide scaled_error(Vek32sc err, int mu, int& s) {
    for (s = 0; s < 15 && !fits16(shifted(err, s)); ++s) {}
    const Vek32sc e = shifted(err, s);
    return {std::int64_t(mu) * saturate<Vek16s>(e.re), std::int64_t(mu) * saturate<Vek16s>(e.im)};
}

template <class T> MRHeader* header(void* state) { return static_cast<MRHeader*>(state); }
template <class T> T* taps_of(MRHeader* h) { return at<T>(h, h->taps_at); }
template <class T> typename MR<T>::S* delay_of(MRHeader* h) { return at<typename MR<T>::S>(h, h->dly_at); }

template <class T>
VekStatus check_state(const void* state) {
    return has_id(state, MR<T>::id) ? vekStsOk : vekStsBadContext;
}

template <class T, class State>
VekStatus mr_init_alloc(State** out, const T* taps, int len, const typename MR<T>::S* dly, int idx, int factor,
                        int step, int mu) {
    using S = typename MR<T>::S;
    VEKS_CHECK(check_ptrs(out));
    if (len < 1 || factor < 1 || step < 0) return vekStsBadLength;
    const std::int64_t dly_len = std::int64_t(len) * factor + step;
    if (idx < 0 || idx >= dly_len) return vekStsBadLength;
    const std::int64_t taps_bytes = up16(std::int64_t(sizeof(T)) * len);
    const std::int64_t bytes = std::int64_t(sizeof(MRHeader)) + taps_bytes + up16(2 * dly_len * std::int64_t(sizeof(S)));
    if (bytes > INT_MAX) return vekStsNoMemory;
    Vek8u* mem = veksMalloc_8u(static_cast<int>(bytes));
    if (!mem) return vekStsNoMemory;
    std::memset(mem, 0, static_cast<std::size_t>(bytes));
    auto* h = reinterpret_cast<MRHeader*>(mem);
    h->id = MR<T>::id;
    h->taps_at = sizeof(MRHeader);
    h->dly_at = static_cast<std::uint32_t>(sizeof(MRHeader) + taps_bytes);
    h->taps_len = len;
    h->factor = factor;
    h->dly_len = static_cast<std::int32_t>(dly_len);
    h->dly_step = step;
    h->index = idx;
    h->mu = mu;
    h->zero = 0;
    T* t = taps_of<T>(h);
    if (taps)
        for (int j = 0; j < len; ++j) t[j] = ld(taps, len - 1 - j);
    if (dly) {
        S* d = delay_of<T>(h);
        for (int j = 0; j < h->dly_len; ++j) d[j] = d[j + h->dly_len] = ld(dly, j);
    }
    *out = reinterpret_cast<State*>(h);
    return vekStsOk;
}

template <class T>
VekStatus mr_free(void* state) {
    VEKS_CHECK(check_ptrs(state));
    VEKS_CHECK(check_state<T>(state));
    header<T>(state)->id = 0;
    veksFree(state);
    return vekStsOk;
}

template <class T>
void put(MRHeader* h, typename MR<T>::S val) {
    auto* d = delay_of<T>(h);
    d[h->index] = d[h->index + h->dly_len] = val;
    h->index = h->index + 1 == h->dly_len ? 0 : h->index + 1;
}

// Element of the doubled delay line where tap 0's sample sits for the
// window ending `lag` samples before the newest.
inline int window_start(const MRHeader* h, int lag) {
    return h->index - 1 + h->dly_len - lag - (h->taps_len - 1) * h->factor;
}

template <class T>
T output(MRHeader* h) {
    const T* t = taps_of<T>(h);
    const auto* x = delay_of<T>(h) + window_start(h, 0);
    typename MR<T>::Acc acc{};
    for (int j = 0; j < h->taps_len; ++j) mac(acc, t[j], x[j * h->factor]);
    return saturate32(acc);
}

template <class T>
VekStatus mr_one(T* dst, void* state) {
    VEKS_CHECK(check_ptrs(dst, state));
    VEKS_CHECK(check_state<T>(state));
    st(dst, 0, output<T>(header<T>(state)));
    return vekStsOk;
}

template <class T>
VekStatus mr_one_val(typename MR<T>::S val, T* dst, void* state) {
    VEKS_CHECK(check_ptrs(dst, state));
    VEKS_CHECK(check_state<T>(state));
    put<T>(header<T>(state), val);
    st(dst, 0, output<T>(header<T>(state)));
    return vekStsOk;
}

template <class T>
VekStatus mr_update(T err, void* state) {
    VEKS_CHECK(check_ptrs(state));
    VEKS_CHECK(check_state<T>(state));
    MRHeader* h = header<T>(state);
    int s;
    const auto w = scaled_error(err, h->mu, s);
    T* t = taps_of<T>(h);
    const auto* x = delay_of<T>(h) + window_start(h, h->dly_step);
    for (int j = 0; j < h->taps_len; ++j) t[j] = adapt(t[j], w, x[j * h->factor], 28 - s);
    return vekStsOk;
}

template <class T>
VekStatus mr_put(typename MR<T>::S val, void* state) {
    VEKS_CHECK(check_ptrs(state));
    VEKS_CHECK(check_state<T>(state));
    put<T>(header<T>(state), val);
    return vekStsOk;
}

template <class T>
VekStatus mr_get_dly_val(const void* state, typename MR<T>::S* val, int index) {
    VEKS_CHECK(check_ptrs(state, val));
    VEKS_CHECK(check_state<T>(state));
    MRHeader* h = header<T>(const_cast<void*>(state));
    if (index < 0 || index >= h->dly_len) return vekStsIndexOutOfRange;
    st(val, 0, delay_of<T>(h)[h->index - 1 + h->dly_len - index]);
    return vekStsOk;
}

template <class T>
VekStatus mr_set_mu(void* state, int mu) {
    VEKS_CHECK(check_ptrs(state));
    VEKS_CHECK(check_state<T>(state));
    header<T>(state)->mu = mu;
    return vekStsOk;
}

template <class T>
VekStatus mr_set_taps(void* state, const T* taps) {
    VEKS_CHECK(check_ptrs(state, taps));
    VEKS_CHECK(check_state<T>(state));
    MRHeader* h = header<T>(state);
    T* t = taps_of<T>(h);
    for (int j = 0; j < h->taps_len; ++j) t[j] = ld(taps, h->taps_len - 1 - j);
    return vekStsOk;
}

template <class T>
VekStatus mr_get_taps(const void* state, T* taps) {
    VEKS_CHECK(check_ptrs(state, taps));
    VEKS_CHECK(check_state<T>(state));
    MRHeader* h = header<T>(const_cast<void*>(state));
    const T* t = taps_of<T>(h);
    for (int j = 0; j < h->taps_len; ++j) st(taps, j, t[h->taps_len - 1 - j]);
    return vekStsOk;
}

template <class T>
VekStatus mr_get_taps_pointer(void* state, T** taps) {
    VEKS_CHECK(check_ptrs(state, taps));
    VEKS_CHECK(check_state<T>(state));
    *taps = taps_of<T>(header<T>(state));
    return vekStsOk;
}

// Oldest first: element k is the sample put dly_len - k samples ago.
template <class T>
VekStatus mr_get_dly(const void* state, typename MR<T>::S* dly) {
    VEKS_CHECK(check_ptrs(state, dly));
    VEKS_CHECK(check_state<T>(state));
    MRHeader* h = header<T>(const_cast<void*>(state));
    std::memcpy(dly, delay_of<T>(h) + h->index, sizeof(typename MR<T>::S) * static_cast<std::size_t>(h->dly_len));
    return vekStsOk;
}

template <class T>
VekStatus mr_set_dly(void* state, const typename MR<T>::S* dly) {
    VEKS_CHECK(check_ptrs(state, dly));
    VEKS_CHECK(check_state<T>(state));
    MRHeader* h = header<T>(state);
    auto* d = delay_of<T>(h);
    for (int j = 0; j < h->dly_len; ++j) d[j] = d[j + h->dly_len] = ld(dly, j);
    h->index = 0;
    return vekStsOk;
}

} // namespace
} // namespace veks::lms

using namespace veks;
using namespace veks::lms;

VEKS_API VekStatus veksFIRLMSOne_DirectQ15_16s(Vek16s src, Vek16s refVal, Vek16s* pDstVal, Vek32s* pTapsInv,
                                               int tapsLen, int muQ15, Vek16s* pDlyLine, int* pDlyLineIndex) {
    return one_direct_q15(src, refVal, pDstVal, pTapsInv, tapsLen, muQ15, pDlyLine, pDlyLineIndex);
}

// s: suffix, St: state type, T: tap and output type, S: sample type.
#define VEKS_LMS_MR(s, St, T, S)                                                                                  \
    VEKS_API VekStatus veksFIRLMSMRInitAlloc##s(St** ppState, const T* pTaps, int tapsLen, const S* pDlyLine,     \
                                                int dlyLineIndex, int upFactor, int dlyLineStep, int mu) {        \
        return mr_init_alloc(ppState, pTaps, tapsLen, pDlyLine, dlyLineIndex, upFactor, dlyLineStep, mu);         \
    }                                                                                                             \
    VEKS_API VekStatus veksFIRLMSMRFree##s(St* pState) { return mr_free<T>(pState); }                            \
    VEKS_API VekStatus veksFIRLMSMROne##s(T* pDstVal, St* pState) { return mr_one<T>(pDstVal, pState); }         \
    VEKS_API VekStatus veksFIRLMSMROneVal##s(S val, T* pDstVal, St* pState) {                                    \
        return mr_one_val<T>(val, pDstVal, pState);                                                               \
    }                                                                                                             \
    VEKS_API VekStatus veksFIRLMSMRUpdateTaps##s(T errVal, St* pState) { return mr_update<T>(errVal, pState); }  \
    VEKS_API VekStatus veksFIRLMSMRPutVal##s(S val, St* pState) { return mr_put<T>(val, pState); }               \
    VEKS_API VekStatus veksFIRLMSMRGetDlyVal##s(const St* pState, S* pDlyVal, int index) {                       \
        return mr_get_dly_val<T>(pState, pDlyVal, index);                                                         \
    }                                                                                                             \
    VEKS_API VekStatus veksFIRLMSMRSetMu##s(St* pState, int mu) { return mr_set_mu<T>(pState, mu); }             \
    VEKS_API VekStatus veksFIRLMSMRSetTaps##s(St* pState, const T* pInTaps) {                                    \
        return mr_set_taps<T>(pState, pInTaps);                                                                   \
    }                                                                                                             \
    VEKS_API VekStatus veksFIRLMSMRGetTaps##s(const St* pState, T* pOutTaps) {                                   \
        return mr_get_taps<T>(pState, pOutTaps);                                                                  \
    }                                                                                                             \
    VEKS_API VekStatus veksFIRLMSMRGetTapsPointer##s(St* pState, T** ppTaps) {                                   \
        return mr_get_taps_pointer<T>(pState, ppTaps);                                                            \
    }                                                                                                             \
    VEKS_API VekStatus veksFIRLMSMRGetDlyLine##s(const St* pState, S* pDlyLine) {                                \
        return mr_get_dly<T>(pState, pDlyLine);                                                                   \
    }                                                                                                             \
    VEKS_API VekStatus veksFIRLMSMRSetDlyLine##s(St* pState, const S* pDlyLine) {                                \
        return mr_set_dly<T>(pState, pDlyLine);                                                                   \
    }

VEKS_LMS_MR(32s_16s, VeksFIRLMSMRState32s_16s, Vek32s, Vek16s)
VEKS_LMS_MR(32sc_16sc, VeksFIRLMSMRState32sc_16sc, Vek32sc, Vek16sc)
