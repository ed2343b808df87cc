// G.711 companding: expansion, compression and A-law / mu-law transcoding.
#include <array>

#include "core/checks.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "convert/convert_kernels.h"
#include "convert/g711_tables.h"

namespace veks::g711 {
namespace {

template <class S, class D, class Fn>
VekStatus map_checked(const S* src, D* dst, int len, Fn fn) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (std::size_t i = 0; i < static_cast<std::size_t>(len); ++i) store_elem(dst, i, static_cast<D>(fn(load_elem(src, i))));
    return vekStsOk;
}

template <class T, std::size_t N>
VekStatus lookup(const Vek8u* src, T* dst, int len, const std::array<T, N>& table) {
    return map_checked(src, dst, len, [&](Vek8u c) { return table[c]; });
}

Vek8u encode_alaw(Vek16s x) { return lin_to_alaw[(x >> 3) & 0x1FFF]; }
Vek8u encode_mulaw(Vek16s x) { return lin_to_mulaw[(x >> 2) & 0x3FFF]; }

// Float samples: x * 32768 in single precision, saturated, rounded half away
// from zero. A NaN rounds as the integer indefinite, whose low 16 bits are 0.
Vek16s float_sample(Vek32f x) { return conv::float_to_int<Vek16s, vekRoundHalfAway>(x * 32768.0f); }

} // namespace
} // namespace veks::g711

using namespace veks::g711;

VEKS_API VekStatus veksALawToLin_8u16s(const Vek8u* pSrc, Vek16s* pDst, int len) { return lookup(pSrc, pDst, len, alaw_to_lin); }
VEKS_API VekStatus veksALawToLin_8u32f(const Vek8u* pSrc, Vek32f* pDst, int len) { return lookup(pSrc, pDst, len, alaw_to_float); }
VEKS_API VekStatus veksMuLawToLin_8u16s(const Vek8u* pSrc, Vek16s* pDst, int len) { return lookup(pSrc, pDst, len, mulaw_to_lin); }
VEKS_API VekStatus veksMuLawToLin_8u32f(const Vek8u* pSrc, Vek32f* pDst, int len) { return lookup(pSrc, pDst, len, mulaw_to_float); }
VEKS_API VekStatus veksALawToMuLaw_8u(const Vek8u* pSrc, Vek8u* pDst, int len) { return lookup(pSrc, pDst, len, alaw_to_mulaw); }
VEKS_API VekStatus veksMuLawToALaw_8u(const Vek8u* pSrc, Vek8u* pDst, int len) { return lookup(pSrc, pDst, len, mulaw_to_alaw); }

VEKS_API VekStatus veksLinToALaw_16s8u(const Vek16s* pSrc, Vek8u* pDst, int len) { return map_checked(pSrc, pDst, len, encode_alaw); }
VEKS_API VekStatus veksLinToMuLaw_16s8u(const Vek16s* pSrc, Vek8u* pDst, int len) { return map_checked(pSrc, pDst, len, encode_mulaw); }
VEKS_API VekStatus veksLinToALaw_32f8u(const Vek32f* pSrc, Vek8u* pDst, int len) {
    return map_checked(pSrc, pDst, len, [](Vek32f x) { return encode_alaw(float_sample(x)); });
}
// The sign bit comes from the float input, so small negative inputs that
// round to the sample 0 keep a negative code.
VEKS_API VekStatus veksLinToMuLaw_32f8u(const Vek32f* pSrc, Vek8u* pDst, int len) {
    return map_checked(pSrc, pDst, len, [](Vek32f x) {
        return static_cast<Vek8u>((encode_mulaw(float_sample(x)) & 0x7F) | (x >= 0.0f ? 0x80 : 0));
    });
}
