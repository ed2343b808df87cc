// Stateless 16-bit IIR filters. Each a0 tap is a right-shift count q that
// places the binary point of the other taps. The one-sample forms compute
// in wrapping 32-bit integers; the block forms run the single-precision
// filter on a temporary state built from the taps and delay times 2^-q.
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "core/rounding.h"
#include "core/scale.h"
#include "filters/iir_rounding.h"
#include "filters/iir_state.h"

namespace veks::iir {
namespace {

template <class T> T ld(const T* p, std::size_t i) {
    T v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(p) + i * sizeof(T), sizeof(T));
    return v;
}
template <class T> void st(T* p, std::size_t i, T v) {
    std::memcpy(reinterpret_cast<unsigned char*>(p) + i * sizeof(T), &v, sizeof(T));
}

// 32-bit arithmetic that wraps.
inline std::int32_t wadd(std::int32_t a, std::int32_t b) { return std::int32_t(std::uint32_t(a) + std::uint32_t(b)); }
inline std::int32_t wsub(std::int32_t a, std::int32_t b) { return std::int32_t(std::uint32_t(a) - std::uint32_t(b)); }
inline std::int32_t wmul(std::int32_t a, std::int32_t b) { return std::int32_t(std::uint32_t(a) * std::uint32_t(b)); }

// acc / 2^q rounded half to even: add 2^(q-1) - 1 plus bit q of acc (wrapping),
// then shift arithmetically. Shifts of 32 and more leave 0.
inline std::int32_t shift_half_even(std::int32_t acc, int q) {
    if (q == 0) return acc;
    if (q >= 32) return 0;
    const std::int32_t bias = std::int32_t((std::uint32_t(1) << (q - 1)) - 1) + ((acc >> q) & 1);
    return wadd(acc, bias) >> q;
}

VekStatus one_direct(Vek16s x16, Vek16s* dst, const Vek16s* taps, int order, Vek32s* dly) {
    if (order < 1) return vekStsBadOrder;
    VEKS_CHECK(check_ptrs(dst, taps, dly));
    const std::size_t n = static_cast<std::size_t>(order);
    const int q = ld(taps, n + 1);
    if (q < 0) return vekStsBadTapScale;
    const std::int32_t x = x16;
    const std::int32_t y = shift_half_even(wadd(wmul(ld(taps, 0), x), ld(dly, 0)), q);
    for (std::size_t k = 0; k + 1 < n; ++k)
        st(dly, k, wadd(wsub(wmul(ld(taps, k + 1), x), wmul(ld(taps, n + 2 + k), y)), ld(dly, k + 1)));
    st(dly, n - 1, wsub(wmul(ld(taps, n), x), wmul(ld(taps, 2 * n + 1), y)));
    st(dst, 0, saturate<Vek16s>(y));
    return vekStsOk;
}

VekStatus one_biquad_direct(Vek16s x16, Vek16s* dst, const Vek16s* taps, int num_bq, Vek32s* dly) {
    if (num_bq < 1) return vekStsBadOrder;
    VEKS_CHECK(check_ptrs(dst, taps, dly));
    std::int32_t x = x16;
    for (std::size_t s = 0; s < static_cast<std::size_t>(num_bq); ++s) {
        const Vek16s* t = taps + 6 * s;
        const int q = ld(t, 3);
        if (q < 0) return vekStsBadTapScale;
        const std::int32_t d0 = ld(dly, 2 * s), d1 = ld(dly, 2 * s + 1);
        const std::int32_t y = shift_half_even(wadd(wmul(ld(t, 0), x), d0), q);
        st(dly, 2 * s, wsub(wadd(wmul(ld(t, 1), x), d1), wmul(ld(t, 4), y)));
        st(dly, 2 * s + 1, wsub(wmul(ld(t, 2), x), wmul(ld(t, 5), y)));
        x = y;
    }
    st(dst, 0, saturate<Vek16s>(x));
    return vekStsOk;
}

// A temporary single-precision state of kind code with n taps and delay
// values; released by the destructor.
class TempState {
public:
    TempState(int code, int order, int num_bq) {
        const Layout l = num_bq ? layout_biquad(num_bq, sizeof(float)) : layout_order(order, sizeof(float));
        if (l.size() > INT_MAX) return;
        mem_ = veksMalloc_8u(static_cast<int>(l.size()));
        if (mem_) h_ = place_state(mem_, code, order, num_bq, sizeof(float), nullptr, 0);
    }
    ~TempState() { veksFree(mem_); }
    TempState(const TempState&) = delete;
    TempState& operator=(const TempState&) = delete;
    StateHeader* get() const { return h_; }
    float* taps() const { return taps_of<float>(h_); }
    float* dly() const { return dly_of<float>(h_); }

private:
    Vek8u* mem_ = nullptr;
    StateHeader* h_ = nullptr;
};

inline float pow2f(int e) { return std::ldexp(1.0f, e); }

VekStatus block_direct(const Vek16s* src, Vek16s* dst, int len, const Vek16s* taps, int order, Vek32s* dly) {
    if (order < 1) return vekStsBadOrder;
    VEKS_CHECK(check_ptrs(src, taps, dly, dst));
    const std::size_t n = static_cast<std::size_t>(order);
    const int q = ld(taps, n + 1);
    if (q < 0) return vekStsBadTapScale;
    VEKS_CHECK(check_len(len));
    TempState tmp(5, order, 0);
    if (!tmp.get()) return vekStsNoMemory;
    const float down = pow2f(-q);
    float* t = tmp.taps();
    for (std::size_t k = 0; k <= n; ++k) t[k] = static_cast<float>(ld(taps, k)) * down;
    for (std::size_t k = 1; k <= n; ++k) t[n + k] = static_cast<float>(ld(taps, n + 1 + k)) * down;
    float* d = tmp.dly();
    for (std::size_t k = 0; k < n; ++k) d[k] = static_cast<float>(ld(dly, k)) * down;
    VEKS_CHECK(veksIIR32f_16s_Sfs(src, dst, len, reinterpret_cast<VeksIIRState32f_16s*>(tmp.get()), 0));
    const double up = std::ldexp(1.0, q);
    for (std::size_t k = 0; k < n; ++k) st(dly, k, round_away_saturate<Vek32s>(static_cast<double>(d[k]) * up));
    return vekStsOk;
}

VekStatus block_biquad_direct(const Vek16s* src, Vek16s* dst, int len, const Vek16s* taps, int num_bq, Vek32s* dly) {
    if (num_bq < 1) return vekStsBadOrder;
    VEKS_CHECK(check_ptrs(src, taps, dly, dst));
    VEKS_CHECK(check_len(len));
    TempState tmp(5, 0, num_bq);
    if (!tmp.get()) return vekStsNoMemory;
    const std::size_t nb = static_cast<std::size_t>(num_bq);
    float* t = tmp.taps();
    float* d = tmp.dly();
    for (std::size_t s = 0; s < nb; ++s) {
        const Vek16s* in = taps + 6 * s;
        const int q = ld(in, 3);
        if (q < 0) return vekStsBadTapScale;
        const float down = pow2f(-q);
        const int from[5] = {0, 1, 2, 4, 5};
        for (int k = 0; k < 5; ++k) t[5 * s + k] = static_cast<float>(ld(in, from[k])) * down;
        d[2 * s] = static_cast<float>(ld(dly, 2 * s)) * down;
        d[2 * s + 1] = static_cast<float>(ld(dly, 2 * s + 1)) * down;
    }
    VEKS_CHECK(veksIIR32f_16s_Sfs(src, dst, len, reinterpret_cast<VeksIIRState32f_16s*>(tmp.get()), 0));
    for (std::size_t s = 0; s < nb; ++s) {
        const double up = std::ldexp(1.0, ld(taps + 6 * s, 3));
        for (std::size_t k = 2 * s; k < 2 * s + 2; ++k)
            st(dly, k, round_saturate<Vek32s, vekRoundHalfEven>(static_cast<double>(d[k]) * up));
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::iir

using namespace veks::iir;

VEKS_API VekStatus veksIIR_Direct_16s(const Vek16s* pSrc, Vek16s* pDst, int len, const Vek16s* pTaps, int order, Vek32s* pDlyLine) {
    return block_direct(pSrc, pDst, len, pTaps, order, pDlyLine);
}
VEKS_API VekStatus veksIIR_Direct_16s_I(Vek16s* pSrcDst, int len, const Vek16s* pTaps, int order, Vek32s* pDlyLine) {
    return block_direct(pSrcDst, pSrcDst, len, pTaps, order, pDlyLine);
}
VEKS_API VekStatus veksIIROne_Direct_16s(Vek16s src, Vek16s* pDstVal, const Vek16s* pTaps, int order, Vek32s* pDlyLine) {
    return one_direct(src, pDstVal, pTaps, order, pDlyLine);
}
VEKS_API VekStatus veksIIROne_Direct_16s_I(Vek16s* pSrcDstVal, const Vek16s* pTaps, int order, Vek32s* pDlyLine) {
    if (order < 1) return vekStsBadOrder;
    VEKS_CHECK(veks::check_ptrs(pSrcDstVal));
    Vek16s x;
    std::memcpy(&x, pSrcDstVal, sizeof x);
    return one_direct(x, pSrcDstVal, pTaps, order, pDlyLine);
}
VEKS_API VekStatus veksIIR_BiQuadDirect_16s(const Vek16s* pSrc, Vek16s* pDst, int len, const Vek16s* pTaps, int numBq, Vek32s* pDlyLine) {
    return block_biquad_direct(pSrc, pDst, len, pTaps, numBq, pDlyLine);
}
VEKS_API VekStatus veksIIR_BiQuadDirect_16s_I(Vek16s* pSrcDst, int len, const Vek16s* pTaps, int numBq, Vek32s* pDlyLine) {
    return block_biquad_direct(pSrcDst, pSrcDst, len, pTaps, numBq, pDlyLine);
}
VEKS_API VekStatus veksIIROne_BiQuadDirect_16s(Vek16s src, Vek16s* pDstVal, const Vek16s* pTaps, int numBq, Vek32s* pDlyLine) {
    return one_biquad_direct(src, pDstVal, pTaps, numBq, pDlyLine);
}
VEKS_API VekStatus veksIIROne_BiQuadDirect_16s_I(Vek16s* pSrcDstVal, const Vek16s* pTaps, int numBq, Vek32s* pDlyLine) {
    if (numBq < 1) return vekStsBadOrder;
    VEKS_CHECK(veks::check_ptrs(pSrcDstVal));
    Vek16s x;
    std::memcpy(&x, pSrcDstVal, sizeof x);
    return one_biquad_direct(x, pSrcDstVal, pTaps, numBq, pDlyLine);
}
