// Single-rate LMS filters: the state family (_32f and 32f_16s) and the
// stateless one-sample forms with caller-kept reversed taps.
#include <climits>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "filters/lms_kernels.h"
#include "filters/lms_state.h"

struct VeksFIRLMSState_32f {
    veks::lms::Header h;
};
struct VeksFIRLMSState32f_16s {
    veks::lms::Header h;
};

namespace veks::lms {
namespace {

inline bool index_ok(int idx, int len) { return idx >= 0 && idx < len; }

template <class D> D* delay_of(Header* h) { return at<D>(h, h->dly_at); }
inline float* taps_of(Header* h) { return at<float>(h, h->taps_at); }

template <class D, class State>
VekStatus init_alloc(State** out, const float* taps, int len, const D* dly, int idx, std::uint32_t id) {
    VEKS_CHECK(check_ptrs(out));
    VEKS_CHECK(check_len(len));
    if (!index_ok(idx, len)) return vekStsBadDelayIndex;
    const std::int64_t taps_bytes = up16(4LL * len);
    const std::int64_t bytes = std::int64_t(sizeof(Header)) + taps_bytes + up16(2LL * len * std::int64_t(sizeof(D)));
    if (bytes > INT_MAX) return vekStsNoMemory;
    Vek8u* mem = veksMalloc_8u(static_cast<int>(bytes));
    if (!mem) return vekStsNoMemory;
    std::memset(mem, 0, static_cast<std::size_t>(bytes));
    auto* h = reinterpret_cast<Header*>(mem);
    h->id = id;
    h->taps_at = sizeof(Header);
    h->dly_at = static_cast<std::uint32_t>(sizeof(Header) + taps_bytes);
    h->taps_len = len;
    h->index = idx;
    float* t = taps_of(h);
    if (taps)
        for (int j = 0; j < len; ++j) t[j] = ld(taps, len - 1 - j);
    if (dly) {
        D* d = delay_of<D>(h);
        for (int j = 0; j < len; ++j) d[j] = d[j + len] = ld(dly, j);
    }
    *out = reinterpret_cast<State*>(h);
    return vekStsOk;
}

template <class State>
VekStatus free_state(State* state, std::uint32_t id) {
    VEKS_CHECK(check_ptrs(state));
    if (!has_id(state, id)) return vekStsBadContext;
    auto* h = reinterpret_cast<Header*>(state);
    h->id = 0;
    veksFree(h);
    return vekStsOk;
}

template <class State>
VekStatus get_taps(const State* state, float* taps, std::uint32_t id) {
    VEKS_CHECK(check_ptrs(state, taps));
    if (!has_id(state, id)) return vekStsBadContext;
    auto* h = reinterpret_cast<Header*>(const_cast<State*>(state));
    const float* t = taps_of(h);
    for (int j = 0; j < h->taps_len; ++j) st(taps, j, t[h->taps_len - 1 - j]);
    return vekStsOk;
}

template <class D, class State>
VekStatus get_dly(const State* state, D* dly, int* idx, std::uint32_t id) {
    VEKS_CHECK(check_ptrs(state, dly, idx));
    if (!has_id(state, id)) return vekStsBadContext;
    auto* h = reinterpret_cast<Header*>(const_cast<State*>(state));
    std::memcpy(dly, delay_of<D>(h), sizeof(D) * static_cast<std::size_t>(h->taps_len));
    *idx = h->index;
    return vekStsOk;
}

template <class D, class State>
VekStatus set_dly(State* state, const D* dly, int idx, std::uint32_t id) {
    VEKS_CHECK(check_ptrs(state, dly));
    if (!has_id(state, id)) return vekStsBadContext;
    auto* h = reinterpret_cast<Header*>(state);
    if (!index_ok(idx, h->taps_len)) return vekStsBadDelayIndex;
    D* d = delay_of<D>(h);
    for (int j = 0; j < h->taps_len; ++j) d[j] = d[j + h->taps_len] = ld(dly, j);
    h->index = idx;
    return vekStsOk;
}

template <class D, class State>
VekStatus filter(const D* src, const D* ref, D* dst, int len, float mu, State* state, std::uint32_t id) {
    VEKS_CHECK(check_ptrs(state, src, ref, dst));
    VEKS_CHECK(check_len(len));
    if (!has_id(state, id)) return vekStsBadContext;
    auto* h = reinterpret_cast<Header*>(state);
    int idx = h->index;
    block(src, ref, dst, len, taps_of(h), delay_of<D>(h), h->taps_len, idx, mu);
    h->index = idx;
    return vekStsOk;
}

template <class D>
VekStatus one_direct(D src, D ref, D* dst, float* taps_inv, int len, float mu, D* dly, int* idx_io) {
    VEKS_CHECK(check_ptrs(taps_inv, dly, idx_io, dst));
    VEKS_CHECK(check_len(len));
    int idx;
    std::memcpy(&idx, idx_io, sizeof idx);
    if (!index_ok(idx, len)) return vekStsBadDelayIndex;
    const D y = one_step(src, ref, taps_inv, dly, len, idx, mu);
    std::memcpy(idx_io, &idx, sizeof idx);
    st(dst, 0, y);
    return vekStsOk;
}

} // namespace
} // namespace veks::lms

using namespace veks;
using namespace veks::lms;

// s: name suffix of the state operations, S: state type, D: data type, ID: identifier.
#define VEKS_LMS_STATE(s, S, D, ID)                                                                             \
    VEKS_API VekStatus veksFIRLMSInitAlloc##s(S** ppState, const Vek32f* pTaps, int tapsLen, const D* pDlyLine, \
                                              int dlyLineIndex) {                                               \
        return init_alloc(ppState, pTaps, tapsLen, pDlyLine, dlyLineIndex, ID);                                 \
    }                                                                                                           \
    VEKS_API VekStatus veksFIRLMSFree##s(S* pState) { return free_state(pState, ID); }                         \
    VEKS_API VekStatus veksFIRLMSGetTaps##s(const S* pState, Vek32f* pOutTaps) {                               \
        return get_taps(pState, pOutTaps, ID);                                                                  \
    }                                                                                                           \
    VEKS_API VekStatus veksFIRLMSGetDlyLine##s(const S* pState, D* pDlyLine, int* pDlyLineIndex) {             \
        return get_dly(pState, pDlyLine, pDlyLineIndex, ID);                                                    \
    }                                                                                                           \
    VEKS_API VekStatus veksFIRLMSSetDlyLine##s(S* pState, const D* pDlyLine, int dlyLineIndex) {               \
        return set_dly(pState, pDlyLine, dlyLineIndex, ID);                                                     \
    }                                                                                                           \
    VEKS_API VekStatus veksFIRLMS##s(const D* pSrc, const D* pRef, D* pDst, int len, float mu, S* pState) {    \
        return filter(pSrc, pRef, pDst, len, mu, pState, ID);                                                   \
    }

VEKS_LMS_STATE(_32f, VeksFIRLMSState_32f, Vek32f, kId32f)
VEKS_LMS_STATE(32f_16s, VeksFIRLMSState32f_16s, Vek16s, kId32f16s)

#define VEKS_LMS_ONE_DIRECT(s, D)                                                                               \
    VEKS_API VekStatus veksFIRLMSOne_Direct##s(D src, D refVal, D* pDstVal, Vek32f* pTapsInv, int tapsLen,     \
                                               float mu, D* pDlyLine, int* pDlyLineIndex) {                     \
        return one_direct(src, refVal, pDstVal, pTapsInv, tapsLen, mu, pDlyLine, pDlyLineIndex);                \
    }

VEKS_LMS_ONE_DIRECT(_32f, Vek32f)
VEKS_LMS_ONE_DIRECT(32f_16s, Vek16s)
