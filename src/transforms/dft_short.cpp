// 16-bit DFT kinds: the data go through single precision and an inner
// float spec, and come back rounded to nearest (ties to even), scaled by
// 2^-scaleFactor and saturated.
#include <cstring>

#include "convert/convert_kernels.h"
#include "core/checks.h"
#include "core/export.h"
#include "transforms/dft_spec.h"
#include "transforms/fft_spec.h"

namespace veks::dft {
namespace {

using fft::WorkArea;

// The float kind each 16-bit kind computes through.
constexpr std::uint32_t inner_id(std::uint32_t id) { return id == kIdC16sc ? kIdC32fc : id == kIdC16s ? kIdC32f : kIdR32f; }

template <std::uint32_t Id>
VekStatus init_alloc(void** out, int n, int flag, int hint) {
    if (!out) return vekStsNullPtr;
    if (n < 1) return vekStsBadLength;
    if (!fft::valid_flag(flag)) return vekStsBadFftFlag;
    auto* s = reinterpret_cast<ShortDftSpec*>(veksMalloc_8u(sizeof(ShortDftSpec)));
    if (!s) return vekStsNoMemory;
    std::memset(s, 0, sizeof *s);
    s->id = Id;
    s->n = n;
    s->hint = static_cast<std::uint32_t>(hint);
    if (n > 1) {
        FloatDftSpec<float>* inner = nullptr;
        const VekStatus st = create_float<float>(&inner, inner_id(Id), n, flag, vekHintSpeed);
        if (st != vekStsOk) {
            veksFree(s);
            return st;
        }
        s->inner = inner;
        const std::uint64_t bytes = std::uint64_t(inner->work_bytes) + 8 * std::uint64_t(n) + 32;
        s->work_bytes = bytes > 0x7fffffff ? 0x7fffffff : static_cast<std::uint32_t>(bytes);
    }
    *out = s;
    return vekStsOk;
}

template <std::uint32_t Id>
VekStatus free_spec(void* spec) {
    if (!spec) return vekStsNullPtr;
    auto* s = static_cast<ShortDftSpec*>(spec);
    if (s->id != Id) return vekStsBadContext;
    destroy_float(static_cast<FloatDftSpec<float>*>(s->inner));
    s->id = 0;
    veksFree(s);
    return vekStsOk;
}

template <std::uint32_t Id>
VekStatus get_buf_size(const void* spec, int* size) {
    VEKS_CHECK(check_ptrs(spec, size));
    const auto* s = static_cast<const ShortDftSpec*>(spec);
    if (s->id != Id) return vekStsBadContext;
    store_elem(size, 0, static_cast<int>(s->work_bytes));
    return vekStsOk;
}

template <std::uint32_t Id>
const ShortDftSpec* checked(const void* spec, VekStatus& st) {
    st = !spec ? vekStsNullPtr : static_cast<const ShortDftSpec*>(spec)->id != Id ? vekStsBadContext : vekStsOk;
    return static_cast<const ShortDftSpec*>(spec);
}

// The single value of a length-1 transform, scaled by 2^-sf.
inline Vek16s one_point(Vek16s v, int sf) {
    const float f = v;
    Vek16s r;
    conv::float_to_int_sfs<Vek16s, vekRoundHalfEven>(&f, &r, 1, sf);
    return r;
}

// Float staging area at the start of the work area, the inner spec's
// buffer behind its 8n bytes.
struct Staging {
    float* x;
    Vek8u* inner;
};
inline Staging staging(const WorkArea& w, int n) { return {w.as<float>(), w.as<Vek8u>() + 8 * std::size_t(n)}; }

template <bool Inv>
VekStatus complex_16sc(const void* spec, const Vek16sc* src, Vek16sc* dst, int sf, Vek8u* buf) {
    VekStatus st;
    const ShortDftSpec* s = checked<kIdC16sc>(spec, st);
    VEKS_CHECK(st);
    VEKS_CHECK(check_ptrs(src, dst));
    const std::size_t n = static_cast<std::size_t>(s->n);
    if (n == 1) {
        store_elem(dst, 0, Vek16sc{one_point(load_elem(src, 0).re, sf), one_point(load_elem(src, 0).im, sf)});
        return vekStsOk;
    }
    const WorkArea work(buf, s->work_bytes - 32);
    if (!work.ok()) return vekStsNoMemory;
    const Staging g = staging(work, s->n);
    conv::int_to_float(reinterpret_cast<const Vek16s*>(src), g.x, 2 * n);
    VEKS_CHECK((complex_call<float, Inv>(s->inner, kIdC32fc, g.x, g.x, g.inner)));
    conv::float_to_int_sfs<Vek16s, vekRoundHalfEven>(g.x, reinterpret_cast<Vek16s*>(dst), 2 * n, sf);
    return vekStsOk;
}

template <bool Inv>
VekStatus split_16s(const void* spec, const Vek16s* sr, const Vek16s* si, Vek16s* dr, Vek16s* di, int sf, Vek8u* buf) {
    VekStatus st;
    const ShortDftSpec* s = checked<kIdC16s>(spec, st);
    VEKS_CHECK(st);
    VEKS_CHECK(check_ptrs(sr, si, dr, di));
    const std::size_t n = static_cast<std::size_t>(s->n);
    if (n == 1) {
        const Vek16s re = one_point(load_elem(sr, 0), sf), im = one_point(load_elem(si, 0), sf);
        store_elem(dr, 0, re);
        store_elem(di, 0, im);
        return vekStsOk;
    }
    const WorkArea work(buf, s->work_bytes - 32);
    if (!work.ok()) return vekStsNoMemory;
    const Staging g = staging(work, s->n);
    conv::int_to_float(sr, g.x, n);
    conv::int_to_float(si, g.x + n, n);
    VEKS_CHECK((split_call<float, Inv>(s->inner, g.x, g.x + n, g.x, g.x + n, g.inner)));
    conv::float_to_int_sfs<Vek16s, vekRoundHalfEven>(g.x, dr, n, sf);
    conv::float_to_int_sfs<Vek16s, vekRoundHalfEven>(g.x + n, di, n, sf);
    return vekStsOk;
}

// Values of a spectrum of n real points in a layout.
inline std::size_t layout_values(Layout l, std::size_t n) { return l != Layout::Ccs ? n : n % 2 ? n + 1 : n + 2; }

template <bool Inv>
VekStatus real_16s(const void* spec, const Vek16s* src, Vek16s* dst, Layout l, int sf, Vek8u* buf) {
    VekStatus st;
    const ShortDftSpec* s = checked<kIdR16s>(spec, st);
    VEKS_CHECK(st);
    VEKS_CHECK(check_ptrs(src, dst));
    const std::size_t n = static_cast<std::size_t>(s->n);
    if (n == 1) {
        store_elem(dst, 0, one_point(load_elem(src, 0), sf));
        if (!Inv && l == Layout::Ccs) store_elem(dst, 1, 0);
        return vekStsOk;
    }
    const WorkArea work(buf, s->work_bytes - 32);
    if (!work.ok()) return vekStsNoMemory;
    const Staging g = staging(work, s->n);
    const std::size_t in = Inv ? layout_values(l, n) : n, out = Inv ? n : layout_values(l, n);
    conv::int_to_float(src, g.x, in);
    VEKS_CHECK((real_call<float, Inv>(s->inner, g.x, g.x, l, g.inner)));
    conv::float_to_int_sfs<Vek16s, vekRoundHalfEven>(g.x, dst, out, sf);
    return vekStsOk;
}

} // namespace
} // namespace veks::dft

using namespace veks::dft;

#define VEKS_DFT_SHORT_LIFECYCLE(K, ID)                                                                          \
    VEKS_API VekStatus veksDFTInitAlloc_##K(VeksDFTSpec_##K** ppDFTSpec, int length, int flag, int hint) {       \
        return init_alloc<ID>(reinterpret_cast<void**>(ppDFTSpec), length, flag, hint); }                       \
    VEKS_API VekStatus veksDFTFree_##K(VeksDFTSpec_##K* pDFTSpec) { return free_spec<ID>(pDFTSpec); }             \
    VEKS_API VekStatus veksDFTGetBufSize_##K(const VeksDFTSpec_##K* pDFTSpec, int* pBufferSize) {               \
        return get_buf_size<ID>(pDFTSpec, pBufferSize); }

VEKS_DFT_SHORT_LIFECYCLE(C_16sc, kIdC16sc)
VEKS_DFT_SHORT_LIFECYCLE(C_16s, kIdC16s)
VEKS_DFT_SHORT_LIFECYCLE(R_16s, kIdR16s)

VEKS_API VekStatus veksDFTFwd_CToC_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, const VeksDFTSpec_C_16sc* pDFTSpec, int scaleFactor, Vek8u* pBuffer) {
    return complex_16sc<false>(pDFTSpec, pSrc, pDst, scaleFactor, pBuffer);
}
VEKS_API VekStatus veksDFTInv_CToC_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, const VeksDFTSpec_C_16sc* pDFTSpec, int scaleFactor, Vek8u* pBuffer) {
    return complex_16sc<true>(pDFTSpec, pSrc, pDst, scaleFactor, pBuffer);
}
VEKS_API VekStatus veksDFTFwd_CToC_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDstRe, Vek16s* pDstIm,
                                           const VeksDFTSpec_C_16s* pDFTSpec, int scaleFactor, Vek8u* pBuffer) {
    return split_16s<false>(pDFTSpec, pSrcRe, pSrcIm, pDstRe, pDstIm, scaleFactor, pBuffer);
}
VEKS_API VekStatus veksDFTInv_CToC_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDstRe, Vek16s* pDstIm,
                                           const VeksDFTSpec_C_16s* pDFTSpec, int scaleFactor, Vek8u* pBuffer) {
    return split_16s<true>(pDFTSpec, pSrcRe, pSrcIm, pDstRe, pDstIm, scaleFactor, pBuffer);
}

#define VEKS_DFT_SHORT_REAL(FW, LAY, L, INV)                                                                     \
    VEKS_API VekStatus veksDFT##FW##_##LAY##_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksDFTSpec_R_16s* pDFTSpec, \
                                                     int scaleFactor, Vek8u* pBuffer) {                          \
        return real_16s<INV>(pDFTSpec, pSrc, pDst, Layout::L, scaleFactor, pBuffer); }

VEKS_DFT_SHORT_REAL(Fwd, RToPerm, Perm, false)
VEKS_DFT_SHORT_REAL(Fwd, RToPack, Pack, false)
VEKS_DFT_SHORT_REAL(Fwd, RToCCS, Ccs, false)
VEKS_DFT_SHORT_REAL(Inv, PermToR, Perm, true)
VEKS_DFT_SHORT_REAL(Inv, PackToR, Pack, true)
VEKS_DFT_SHORT_REAL(Inv, CCSToR, Ccs, true)
