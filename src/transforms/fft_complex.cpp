// Forward and inverse complex FFTs: float, double and the integer forms.
#include "convert/convert_kernels.h"
#include "core/unaligned.h"
#include "core/checks.h"
#include "core/export.h"
#include "transforms/fft_engine.h"
#include "transforms/fft_fixed.h"
#include "transforms/fft_spec.h"

namespace veks::fft {
namespace {

// Float and double data. Interleaved forms pass the arrays as sr/dr and
// null si/di.
template <class T, bool Split, bool Inv, std::uint32_t Id>
VekStatus float_fft(const void* spec, const T* sr, const T* si, T* dr, T* di, Vek8u* buf) {
    if (!spec) return vekStsNullPtr;
    const auto* h = static_cast<const FloatSpecHeader<T>*>(spec);
    if (h->id != Id) return vekStsBadContext;
    if constexpr (Split) VEKS_CHECK(check_ptrs(sr, si, dr, di));
    else VEKS_CHECK(check_ptrs(sr, dr));
    const WorkArea work(buf, h->work_bytes);
    if (!work.ok()) return vekStsNoMemory;
    Engine<T, Split>::template transform<Inv>(h, sr, si, dr, di, work.as<T>());
    return vekStsOk;
}

template <class I> struct IntTraits;
template <> struct IntTraits<Vek16s> { using Hdr = ShortSpecHeader; using F = float; };
template <> struct IntTraits<Vek32s> { using Hdr = IntSpecHeader; using F = double; };

// Integer data: the fixed-point engine (16-bit specs that chose it) or a
// float transform of the converted data in the work buffer.
template <class I, bool Split, bool Inv, std::uint32_t Id>
VekStatus int_fft(const void* spec, const I* sr, const I* si, I* dr, I* di, int sf, Vek8u* buf) {
    using Hdr = typename IntTraits<I>::Hdr;
    using F = typename IntTraits<I>::F;
    if (!spec) return vekStsNullPtr;
    const auto* h = static_cast<const Hdr*>(spec);
    if (h->id != Id) return vekStsBadContext;
    if constexpr (Split) VEKS_CHECK(check_ptrs(sr, si, dr, di));
    else VEKS_CHECK(check_ptrs(sr, dr));
    constexpr idx st = Split ? 1 : 2;
    if constexpr (!Split) { si = sr + 1; di = dr + 1; }
    const int m = h->order;
    const idx n = idx(1) << m;

    bool fixed = false;
    if constexpr (sizeof(I) == 2) {
        if (m == 0) {
            const Vek16s re = narrow_q(load_elem(sr, 0), sf), im = narrow_q(load_elem(si, 0), sf);
            store_elem(dr, 0, re);
            store_elem(di, 0, im);
            return vekStsOk;
        }
        fixed = !h->float_engine;
    }
    const WorkArea work(buf, h->work_bytes);
    if (!work.ok()) return vekStsNoMemory;

    if constexpr (sizeof(I) == 2) {
        if (fixed) {
            std::int32_t* x = work.as<std::int32_t>();
            const int s0 = fixed_pre_shift(m);
            for (idx i = 0; i < n; ++i) {
                x[2 * i] = static_cast<std::int32_t>(load_elem(sr, i * st)) * (1 << s0);
                x[2 * i + 1] = static_cast<std::int32_t>(load_elem(si, i * st)) * (1 << s0);
            }
            fixed_transform(h, x, Inv, m);
            const int s = (Inv ? h->inv_shift : h->fwd_shift) + cap_scale(sf) + s0;
            for (idx i = 0; i < n; ++i) {
                store_elem(dr, i * st, narrow_q(x[2 * i], s));
                store_elem(di, i * st, narrow_q(x[2 * i + 1], s));
            }
            return vekStsOk;
        }
    }
    const auto* inner = at_offset<const FloatSpecHeader<F>>(h, h->inner);
    F* x = work.as<F>();
    F* inner_work = work.as<F>() + 2 * n;
    const std::size_t len = static_cast<std::size_t>(n);
    if constexpr (Split) {
        conv::int_to_float(sr, x, len);
        conv::int_to_float(si, x + n, len);
        Engine<F, true>::template transform<Inv>(inner, x, x + n, x, x + n, inner_work);
        conv::float_to_int_sfs<I, vekRoundHalfEven>(x, dr, len, sf);
        conv::float_to_int_sfs<I, vekRoundHalfEven>(x + n, di, len, sf);
    } else {
        conv::int_to_float(sr, x, 2 * len);
        Engine<F, false>::template transform<Inv>(inner, x, nullptr, x, nullptr, inner_work);
        conv::float_to_int_sfs<I, vekRoundHalfEven>(x, dr, 2 * len, sf);
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::fft

using namespace veks::fft;

// One row per data kind: forward, inverse and their in-place twins.
#define VEKS_FFT_FLOAT_C(S, T, K, ID)                                                                           \
    VEKS_API VekStatus veksFFTFwd_CToC_##S(const Vek##S* pSrc, Vek##S* pDst, const VeksFFTSpec_##K* pFFTSpec, Vek8u* pBuffer) { \
        return float_fft<T, false, false, ID>(pFFTSpec, reinterpret_cast<const T*>(pSrc), nullptr, reinterpret_cast<T*>(pDst), nullptr, pBuffer); } \
    VEKS_API VekStatus veksFFTInv_CToC_##S(const Vek##S* pSrc, Vek##S* pDst, const VeksFFTSpec_##K* pFFTSpec, Vek8u* pBuffer) { \
        return float_fft<T, false, true, ID>(pFFTSpec, reinterpret_cast<const T*>(pSrc), nullptr, reinterpret_cast<T*>(pDst), nullptr, pBuffer); } \
    VEKS_API VekStatus veksFFTFwd_CToC_##S##_I(Vek##S* pSrcDst, const VeksFFTSpec_##K* pFFTSpec, Vek8u* pBuffer) { \
        return veksFFTFwd_CToC_##S(pSrcDst, pSrcDst, pFFTSpec, pBuffer); }                                   \
    VEKS_API VekStatus veksFFTInv_CToC_##S##_I(Vek##S* pSrcDst, const VeksFFTSpec_##K* pFFTSpec, Vek8u* pBuffer) { \
        return veksFFTInv_CToC_##S(pSrcDst, pSrcDst, pFFTSpec, pBuffer); }

#define VEKS_FFT_FLOAT_SPLIT(S, K, ID)                                                                          \
    VEKS_API VekStatus veksFFTFwd_CToC_##S(const Vek##S* pSrcRe, const Vek##S* pSrcIm, Vek##S* pDstRe, Vek##S* pDstIm, \
                                           const VeksFFTSpec_##K* pFFTSpec, Vek8u* pBuffer) {                  \
        return float_fft<Vek##S, true, false, ID>(pFFTSpec, pSrcRe, pSrcIm, pDstRe, pDstIm, pBuffer); }        \
    VEKS_API VekStatus veksFFTInv_CToC_##S(const Vek##S* pSrcRe, const Vek##S* pSrcIm, Vek##S* pDstRe, Vek##S* pDstIm, \
                                           const VeksFFTSpec_##K* pFFTSpec, Vek8u* pBuffer) {                  \
        return float_fft<Vek##S, true, true, ID>(pFFTSpec, pSrcRe, pSrcIm, pDstRe, pDstIm, pBuffer); }         \
    VEKS_API VekStatus veksFFTFwd_CToC_##S##_I(Vek##S* pSrcDstRe, Vek##S* pSrcDstIm, const VeksFFTSpec_##K* pFFTSpec, Vek8u* pBuffer) { \
        return veksFFTFwd_CToC_##S(pSrcDstRe, pSrcDstIm, pSrcDstRe, pSrcDstIm, pFFTSpec, pBuffer); }          \
    VEKS_API VekStatus veksFFTInv_CToC_##S##_I(Vek##S* pSrcDstRe, Vek##S* pSrcDstIm, const VeksFFTSpec_##K* pFFTSpec, Vek8u* pBuffer) { \
        return veksFFTInv_CToC_##S(pSrcDstRe, pSrcDstIm, pSrcDstRe, pSrcDstIm, pFFTSpec, pBuffer); }

#define VEKS_FFT_INT_C(S, I, K, ID)                                                                             \
    VEKS_API VekStatus veksFFTFwd_CToC_##S##_Sfs(const Vek##S* pSrc, Vek##S* pDst, const VeksFFTSpec_##K* pFFTSpec, int scaleFactor, Vek8u* pBuffer) { \
        return int_fft<I, false, false, ID>(pFFTSpec, reinterpret_cast<const I*>(pSrc), nullptr, reinterpret_cast<I*>(pDst), nullptr, scaleFactor, pBuffer); } \
    VEKS_API VekStatus veksFFTInv_CToC_##S##_Sfs(const Vek##S* pSrc, Vek##S* pDst, const VeksFFTSpec_##K* pFFTSpec, int scaleFactor, Vek8u* pBuffer) { \
        return int_fft<I, false, true, ID>(pFFTSpec, reinterpret_cast<const I*>(pSrc), nullptr, reinterpret_cast<I*>(pDst), nullptr, scaleFactor, pBuffer); } \
    VEKS_API VekStatus veksFFTFwd_CToC_##S##_ISfs(Vek##S* pSrcDst, const VeksFFTSpec_##K* pFFTSpec, int scaleFactor, Vek8u* pBuffer) { \
        return veksFFTFwd_CToC_##S##_Sfs(pSrcDst, pSrcDst, pFFTSpec, scaleFactor, pBuffer); }                 \
    VEKS_API VekStatus veksFFTInv_CToC_##S##_ISfs(Vek##S* pSrcDst, const VeksFFTSpec_##K* pFFTSpec, int scaleFactor, Vek8u* pBuffer) { \
        return veksFFTInv_CToC_##S##_Sfs(pSrcDst, pSrcDst, pFFTSpec, scaleFactor, pBuffer); }

#define VEKS_FFT_INT_SPLIT(S, K, ID)                                                                            \
    VEKS_API VekStatus veksFFTFwd_CToC_##S##_Sfs(const Vek##S* pSrcRe, const Vek##S* pSrcIm, Vek##S* pDstRe, Vek##S* pDstIm, \
                                                 const VeksFFTSpec_##K* pFFTSpec, int scaleFactor, Vek8u* pBuffer) { \
        return int_fft<Vek##S, true, false, ID>(pFFTSpec, pSrcRe, pSrcIm, pDstRe, pDstIm, scaleFactor, pBuffer); } \
    VEKS_API VekStatus veksFFTInv_CToC_##S##_Sfs(const Vek##S* pSrcRe, const Vek##S* pSrcIm, Vek##S* pDstRe, Vek##S* pDstIm, \
                                                 const VeksFFTSpec_##K* pFFTSpec, int scaleFactor, Vek8u* pBuffer) { \
        return int_fft<Vek##S, true, true, ID>(pFFTSpec, pSrcRe, pSrcIm, pDstRe, pDstIm, scaleFactor, pBuffer); } \
    VEKS_API VekStatus veksFFTFwd_CToC_##S##_ISfs(Vek##S* pSrcDstRe, Vek##S* pSrcDstIm, const VeksFFTSpec_##K* pFFTSpec, int scaleFactor, Vek8u* pBuffer) { \
        return veksFFTFwd_CToC_##S##_Sfs(pSrcDstRe, pSrcDstIm, pSrcDstRe, pSrcDstIm, pFFTSpec, scaleFactor, pBuffer); } \
    VEKS_API VekStatus veksFFTInv_CToC_##S##_ISfs(Vek##S* pSrcDstRe, Vek##S* pSrcDstIm, const VeksFFTSpec_##K* pFFTSpec, int scaleFactor, Vek8u* pBuffer) { \
        return veksFFTInv_CToC_##S##_Sfs(pSrcDstRe, pSrcDstIm, pSrcDstRe, pSrcDstIm, pFFTSpec, scaleFactor, pBuffer); }

VEKS_FFT_FLOAT_C(32fc, float, C_32fc, kIdC32fc)
VEKS_FFT_FLOAT_C(64fc, double, C_64fc, kIdC64fc)
VEKS_FFT_FLOAT_SPLIT(32f, C_32f, kIdC32f)
VEKS_FFT_FLOAT_SPLIT(64f, C_64f, kIdC64f)
VEKS_FFT_INT_C(16sc, Vek16s, C_16sc, kIdC16sc)
VEKS_FFT_INT_C(32sc, Vek32s, C_32sc, kIdC32sc)
VEKS_FFT_INT_SPLIT(16s, C_16s, kIdC16s)
VEKS_FFT_INT_SPLIT(32s, C_32s, kIdC32s)
