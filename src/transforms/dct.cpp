// Forward (type II) and inverse (type III) orthonormal DCTs: the engine the
// spec chose, and the 16-bit forms through single precision.
#include <cstring>

#include "convert/convert_kernels.h"
#include "core/checks.h"
#include "core/export.h"
#include "transforms/dct_chirp.h"
#include "transforms/dct_direct.h"
#include "transforms/dct_kernels.h"
#include "transforms/dct_pow2.h"
#include "transforms/dct_spec.h"
#include "transforms/fft_spec.h"

namespace veks::dct {
namespace {

using fft::WorkArea;

// Runs the spec's engine; work is the aligned work area (null when the spec
// needs none).
template <class T, bool Inv>
VekStatus run(const FloatHeader<T>* h, const T* src, T* dst, T* work) {
    const int n = h->n;
    if (h->kernel) {
        kernel_dct<T, Inv>(src, dst, n, h->c0, h->ck);
    } else if (h->pow2) {
        pow2_dct<T, Inv>(src, dst, n, at_offset<const T>(h, h->pow2_table), work, h->c0, h->ck);
    } else if (h->fft) {
        return fft_method<T, Inv>(h, src, dst, work);
    } else if (h->chirp) {
        return chirp_method<T, Inv>(h, src, dst, work);
    } else if (Inv) {
        direct_inv(src, dst, n, at_offset<const T>(h, h->direct_table), work, h->c0, h->ck);
    } else {
        direct_fwd(src, dst, n, at_offset<const T>(h, h->direct_table), work, h->c0, h->ck);
    }
    return vekStsOk;
}

template <class E>
bool aligned_for(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % alignof(E) == 0; }

// Arrays not aligned to their element size are transformed in an aligned
// copy (the engines index them as typed arrays).
template <class E>
class AlignedData {
public:
    AlignedData(const E* src, E* dst, std::size_t n) : dst_(dst), n_(n) {
        if (aligned_for<E>(src) && aligned_for<E>(dst)) return;
        copy_ = reinterpret_cast<E*>(veksMalloc_8u(static_cast<int>(n * sizeof(E))));
        if (copy_) std::memcpy(copy_, src, n * sizeof(E));
    }
    ~AlignedData() {
        if (!copy_) return;
        std::memcpy(dst_, copy_, n_ * sizeof(E));
        veksFree(copy_);
    }
    AlignedData(const AlignedData&) = delete;
    AlignedData& operator=(const AlignedData&) = delete;
    bool needed(const E* src, const E* dst) const { return !aligned_for<E>(src) || !aligned_for<E>(dst); }
    E* copy() const { return copy_; }

private:
    E* dst_;
    std::size_t n_;
    E* copy_ = nullptr;
};

template <class T, bool Inv, std::uint32_t Id>
VekStatus float_dct(const void* spec, const T* src, T* dst, Vek8u* buf) {
    if (!spec) return vekStsNullPtr;
    const auto* h = static_cast<const FloatHeader<T>*>(spec);
    if (h->id != Id) return vekStsBadContext;
    VEKS_CHECK(check_ptrs(src, dst));
    if (h->kernel) { // no work area, any alignment
        kernel_dct<T, Inv>(src, dst, h->n, h->c0, h->ck);
        return vekStsOk;
    }
    const WorkArea work(buf, h->work_bytes);
    if (!work.ok()) return vekStsNoMemory;
    AlignedData<T> data(src, dst, static_cast<std::size_t>(h->n));
    if (!data.needed(src, dst)) return run<T, Inv>(h, src, dst, work.as<T>());
    if (!data.copy()) return vekStsNoMemory;
    return run<T, Inv>(h, data.copy(), data.copy(), work.as<T>());
}

// 16-bit data: converted to single precision in the work area, transformed
// by the inner spec and rounded back (nearest, ties to even) with the
// scale factor. N = 1 is the scale factor alone.
template <bool Inv, std::uint32_t Id>
VekStatus short_dct(const void* spec, const Vek16s* src, Vek16s* dst, int sf, Vek8u* buf) {
    if (!spec) return vekStsNullPtr;
    const auto* h = static_cast<const ShortHeader*>(spec);
    if (h->id != Id) return vekStsBadContext;
    VEKS_CHECK(check_ptrs(src, dst));
    const std::size_t n = static_cast<std::size_t>(h->n);
    if (n == 1) {
        Vek16s v;
        std::memcpy(&v, src, sizeof v);
        const float x = v;
        conv::float_to_int_sfs<Vek16s, vekRoundHalfEven>(&x, &v, 1, sf);
        std::memcpy(dst, &v, sizeof v);
        return vekStsOk;
    }
    const WorkArea work(buf, h->work_bytes);
    if (!work.ok()) return vekStsNoMemory;
    AlignedData<Vek16s> data(src, dst, n);
    if (data.needed(src, dst)) {
        if (!data.copy()) return vekStsNoMemory;
        src = dst = data.copy();
    }
    const auto* inner = at_offset<const FloatHeader<float>>(h, h->inner);
    float* x = work.as<float>();
    float* inner_work = inner->work_bytes ? reinterpret_cast<float*>(fft::align_up32(x + n)) : nullptr;
    conv::int_to_float(src, x, n);
    VEKS_CHECK((run<float, Inv>(inner, x, x, inner_work)));
    conv::float_to_int_sfs<Vek16s, vekRoundHalfEven>(x, dst, n, sf);
    return vekStsOk;
}

} // namespace
} // namespace veks::dct

using namespace veks::dct;

// One row per float type and direction: out of place and in place.
#define VEKS_DCT_FLOAT(D, T, INV, ID)                                                                         \
    VEKS_API VekStatus veksDCT##D##_##T(const Vek##T* pSrc, Vek##T* pDst, const VeksDCT##D##Spec_##T* pDCTSpec, \
                                        Vek8u* pBuffer) {                                                     \
        return float_dct<Vek##T, INV, ID>(pDCTSpec, pSrc, pDst, pBuffer);                                     \
    }                                                                                                         \
    VEKS_API VekStatus veksDCT##D##_##T##_I(Vek##T* pSrcDst, const VeksDCT##D##Spec_##T* pDCTSpec, Vek8u* pBuffer) { \
        return float_dct<Vek##T, INV, ID>(pDCTSpec, pSrcDst, pSrcDst, pBuffer);                               \
    }

#define VEKS_DCT_SHORT(D, INV, ID)                                                                            \
    VEKS_API VekStatus veksDCT##D##_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksDCT##D##Spec_16s* pDCTSpec, \
                                            int scaleFactor, Vek8u* pBuffer) {                                \
        return short_dct<INV, ID>(pDCTSpec, pSrc, pDst, scaleFactor, pBuffer);                                \
    }                                                                                                         \
    VEKS_API VekStatus veksDCT##D##_16s_ISfs(Vek16s* pSrcDst, const VeksDCT##D##Spec_16s* pDCTSpec, int scaleFactor, \
                                             Vek8u* pBuffer) {                                                \
        return short_dct<INV, ID>(pDCTSpec, pSrcDst, pSrcDst, scaleFactor, pBuffer);                          \
    }

VEKS_DCT_FLOAT(Fwd, 32f, false, kIdFwd32f)
VEKS_DCT_FLOAT(Inv, 32f, true, kIdInv32f)
VEKS_DCT_FLOAT(Fwd, 64f, false, kIdFwd64f)
VEKS_DCT_FLOAT(Inv, 64f, true, kIdInv64f)
VEKS_DCT_SHORT(Fwd, false, kIdFwd16s)
VEKS_DCT_SHORT(Inv, true, kIdInv16s)
