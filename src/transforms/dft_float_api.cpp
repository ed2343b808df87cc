// Exported life cycle and transforms of the float and double DFT kinds and
// of the out-of-order kinds.
#include "core/checks.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "transforms/dft_spec.h"

namespace veks::dft {
namespace {

template <class T, std::uint32_t Id>
VekStatus init_alloc(void** out, int n, int flag, int hint) {
    return create_float<T>(reinterpret_cast<FloatDftSpec<T>**>(out), Id, n, flag, hint);
}

template <class T, std::uint32_t Id>
VekStatus free_spec(void* spec) {
    if (!spec) return vekStsNullPtr;
    auto* s = static_cast<FloatDftSpec<T>*>(spec);
    if (s->id != Id) return vekStsBadContext;
    destroy_float(s);
    return vekStsOk;
}

template <class T, std::uint32_t Id>
VekStatus get_buf_size(const void* spec, int* size) {
    VEKS_CHECK(check_ptrs(spec, size));
    const auto* s = static_cast<const FloatDftSpec<T>*>(spec);
    if (s->id != Id) return vekStsBadContext;
    store_elem(size, 0, static_cast<int>(s->work_bytes));
    return vekStsOk;
}

} // namespace
} // namespace veks::dft

using namespace veks::dft;

// One row for each kind of DFT spec: InitAlloc, Free, GetBufSize.
#define VEKS_DFT_LIFECYCLE(PRE, K, T, ID)                                                                        \
    VEKS_API VekStatus veks##PRE##InitAlloc_##K(Veks##PRE##Spec_##K** ppDFTSpec, int length, int flag, int hint) { \
        return init_alloc<T, ID>(reinterpret_cast<void**>(ppDFTSpec), length, flag, hint); }                    \
    VEKS_API VekStatus veks##PRE##Free_##K(Veks##PRE##Spec_##K* pDFTSpec) { return free_spec<T, ID>(pDFTSpec); } \
    VEKS_API VekStatus veks##PRE##GetBufSize_##K(const Veks##PRE##Spec_##K* pDFTSpec, int* pBufferSize) {       \
        return get_buf_size<T, ID>(pDFTSpec, pBufferSize); }

// Forward and inverse complex transforms of interleaved data.
#define VEKS_DFT_CTOC(PRE, K, S, T, ID)                                                                          \
    VEKS_API VekStatus veks##PRE##Fwd_CToC_##S(const Vek##S* pSrc, Vek##S* pDst, const Veks##PRE##Spec_##K* pDFTSpec, Vek8u* pBuffer) { \
        return complex_call<T, false>(pDFTSpec, ID, reinterpret_cast<const T*>(pSrc), reinterpret_cast<T*>(pDst), pBuffer); } \
    VEKS_API VekStatus veks##PRE##Inv_CToC_##S(const Vek##S* pSrc, Vek##S* pDst, const Veks##PRE##Spec_##K* pDFTSpec, Vek8u* pBuffer) { \
        return complex_call<T, true>(pDFTSpec, ID, reinterpret_cast<const T*>(pSrc), reinterpret_cast<T*>(pDst), pBuffer); }

#define VEKS_DFT_SPLIT(S)                                                                                        \
    VEKS_API VekStatus veksDFTFwd_CToC_##S(const Vek##S* pSrcRe, const Vek##S* pSrcIm, Vek##S* pDstRe, Vek##S* pDstIm, \
                                           const VeksDFTSpec_C_##S* pDFTSpec, Vek8u* pBuffer) {                   \
        return split_call<Vek##S, false>(pDFTSpec, pSrcRe, pSrcIm, pDstRe, pDstIm, pBuffer); }                   \
    VEKS_API VekStatus veksDFTInv_CToC_##S(const Vek##S* pSrcRe, const Vek##S* pSrcIm, Vek##S* pDstRe, Vek##S* pDstIm, \
                                           const VeksDFTSpec_C_##S* pDFTSpec, Vek8u* pBuffer) {                   \
        return split_call<Vek##S, true>(pDFTSpec, pSrcRe, pSrcIm, pDstRe, pDstIm, pBuffer); }

#define VEKS_DFT_REAL_ONE(FW, LAY, S, L, INV)                                                                    \
    VEKS_API VekStatus veksDFT##FW##_##LAY##_##S(const Vek##S* pSrc, Vek##S* pDst, const VeksDFTSpec_R_##S* pDFTSpec, Vek8u* pBuffer) { \
        return real_call<Vek##S, INV>(pDFTSpec, pSrc, pDst, Layout::L, pBuffer); }
#define VEKS_DFT_REAL(S)                                                                                         \
    VEKS_DFT_REAL_ONE(Fwd, RToPerm, S, Perm, false) VEKS_DFT_REAL_ONE(Fwd, RToPack, S, Pack, false)              \
    VEKS_DFT_REAL_ONE(Fwd, RToCCS, S, Ccs, false) VEKS_DFT_REAL_ONE(Inv, PermToR, S, Perm, true)                 \
    VEKS_DFT_REAL_ONE(Inv, PackToR, S, Pack, true) VEKS_DFT_REAL_ONE(Inv, CCSToR, S, Ccs, true)

VEKS_DFT_LIFECYCLE(DFT, C_32fc, float, kIdC32fc)
VEKS_DFT_LIFECYCLE(DFT, C_32f, float, kIdC32f)
VEKS_DFT_LIFECYCLE(DFT, R_32f, float, kIdR32f)
VEKS_DFT_LIFECYCLE(DFT, C_64fc, double, kIdC64fc)
VEKS_DFT_LIFECYCLE(DFT, C_64f, double, kIdC64f)
VEKS_DFT_LIFECYCLE(DFT, R_64f, double, kIdR64f)
VEKS_DFT_LIFECYCLE(DFTOutOrd, C_32fc, float, kIdOutOrd32fc)
VEKS_DFT_LIFECYCLE(DFTOutOrd, C_64fc, double, kIdOutOrd64fc)

VEKS_DFT_CTOC(DFT, C_32fc, 32fc, float, kIdC32fc)
VEKS_DFT_CTOC(DFT, C_64fc, 64fc, double, kIdC64fc)
VEKS_DFT_CTOC(DFTOutOrd, C_32fc, 32fc, float, kIdOutOrd32fc)
VEKS_DFT_CTOC(DFTOutOrd, C_64fc, 64fc, double, kIdOutOrd64fc)
VEKS_DFT_SPLIT(32f)
VEKS_DFT_SPLIT(64f)
VEKS_DFT_REAL(32f)
VEKS_DFT_REAL(64f)
