// Analytic signal by way of the DFT: the real part is the input, the
// imaginary part its Hilbert transform. A forward real DFT, positive
// frequencies doubled and negative ones cleared, an inverse complex DFT.
#include <algorithm>
#include <cstring>

#include "convert/convert_kernels.h"
#include "core/checks.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "veks.h"

namespace veks::hilbert {
namespace {

constexpr std::uint32_t kIdHilbert = 0x434D4145; // "EAMC", every Hilbert kind

struct HilbertSpec {
    std::uint32_t id;
    std::int32_t n;
    std::uint32_t work_bytes; // the larger of the inner DFT buffer sizes
    std::uint32_t hint;
    VeksDFTSpec_C_32fc* complex_dft;
    VeksDFTSpec_R_32f* real_dft;
};

VekStatus init_alloc(void** out, int n, int hint) {
    if (!out) return vekStsNullPtr;
    if (n < 1) return vekStsBadLength;
    auto* s = reinterpret_cast<HilbertSpec*>(veksMalloc_8u(sizeof(HilbertSpec)));
    if (!s) return vekStsNoMemory;
    std::memset(s, 0, sizeof *s);
    s->id = kIdHilbert;
    s->n = n;
    s->hint = static_cast<std::uint32_t>(hint);
    VekStatus st = veksDFTInitAlloc_C_32fc(&s->complex_dft, n, vekFftNormInv, hint);
    if (st != vekStsOk) {
        veksFree(s);
        return st;
    }
    st = veksDFTInitAlloc_R_32f(&s->real_dft, n, vekFftNormInv, hint);
    if (st != vekStsOk) {
        veksDFTFree_C_32fc(s->complex_dft);
        veksFree(s);
        return st;
    }
    int cbuf = 0, rbuf = 0;
    st = veksDFTGetBufSize_C_32fc(s->complex_dft, &cbuf);
    if (st == vekStsOk) st = veksDFTGetBufSize_R_32f(s->real_dft, &rbuf);
    if (st != vekStsOk) {
        veksDFTFree_C_32fc(s->complex_dft);
        veksDFTFree_R_32f(s->real_dft);
        veksFree(s);
        return st;
    }
    s->work_bytes = static_cast<std::uint32_t>(std::max(cbuf, rbuf));
    *out = s;
    return vekStsOk;
}

VekStatus free_spec(void* spec) {
    if (!spec) return vekStsNullPtr;
    auto* s = static_cast<HilbertSpec*>(spec);
    if (s->id != kIdHilbert) return vekStsBadContext;
    VEKS_CHECK(veksDFTFree_C_32fc(s->complex_dft));
    VEKS_CHECK(veksDFTFree_R_32f(s->real_dft));
    s->id = 0;
    veksFree(s);
    return vekStsOk;
}

// The analytic signal of n floats x into dst (n complex values).
VekStatus analytic(const HilbertSpec* s, const Vek32f* x, Vek32fc* dst) {
    const int n = s->n;
    if (n <= 2) {
        for (int i = 0; i < n; ++i) store_elem(dst, i, Vek32fc{load_elem(x, i), 0.0f});
        return vekStsOk;
    }
    // One work area for both transforms, had before dst is written: a
    // failed allocation must leave the output untouched.
    Vek8u* work = nullptr;
    if (s->work_bytes > 0 && !(work = veksMalloc_8u(static_cast<int>(s->work_bytes)))) return vekStsNoMemory;
    // Bins 0..n/2 in CCS order fill dst[0..n/2] as complex values.
    VekStatus st = veksDFTFwd_RToCCS_32f(x, reinterpret_cast<Vek32f*>(dst), s->real_dft, work);
    if (st != vekStsOk) {
        veksFree(work);
        return st;
    }
    const int doubled_end = (n + 1) / 2; // bins 1..doubled_end-1; an even n keeps its Nyquist bin
    for (int k = 1; k < doubled_end; ++k) {
        const Vek32fc v = load_elem(dst, k);
        store_elem(dst, k, Vek32fc{v.re * 2.0f, v.im * 2.0f});
    }
    for (int k = n / 2 + 1; k < n; ++k) store_elem(dst, k, Vek32fc{0.0f, 0.0f});
    st = veksDFTInv_CToC_32fc(dst, dst, s->complex_dft, work);
    veksFree(work);
    return st;
}

const HilbertSpec* checked(const void* spec, VekStatus& st) {
    const auto* s = static_cast<const HilbertSpec*>(spec);
    st = s->id != kIdHilbert ? vekStsBadContext : vekStsOk;
    return s;
}

VekStatus hilbert_32f(const Vek32f* src, Vek32fc* dst, const void* spec) {
    VEKS_CHECK(check_ptrs(src, dst, spec));
    VekStatus st;
    const HilbertSpec* s = checked(spec, st);
    VEKS_CHECK(st);
    return analytic(s, src, dst);
}

// 16-bit input: converted to floats in a scratch array first; with a
// 16-bit result, the complex floats are converted back with the scale
// factor (nearest, ties to even, saturated).
template <bool ShortOut, class D>
VekStatus hilbert_16s(const Vek16s* src, D* dst, const void* spec, int sf) {
    VEKS_CHECK(check_ptrs(src, dst, spec));
    VekStatus st;
    const HilbertSpec* s = checked(spec, st);
    VEKS_CHECK(st);
    const std::size_t n = static_cast<std::size_t>(s->n);
    const std::size_t floats = ShortOut ? 3 * n : n;
    Vek32f* scratch = veksMalloc_32f(static_cast<int>(floats));
    if (!scratch) return vekStsNoMemory;
    conv::int_to_float(src, scratch, n);
    if constexpr (ShortOut) {
        Vek32fc* y = reinterpret_cast<Vek32fc*>(scratch + n);
        st = analytic(s, scratch, y);
        if (st == vekStsOk)
            conv::float_to_int_sfs<Vek16s, vekRoundHalfEven>(scratch + n, reinterpret_cast<Vek16s*>(dst), 2 * n, sf);
    } else {
        st = analytic(s, scratch, dst);
    }
    veksFree(scratch);
    return st;
}

} // namespace
} // namespace veks::hilbert

using namespace veks::hilbert;

#define VEKS_HILBERT_LIFECYCLE(K)                                                                               \
    VEKS_API VekStatus veksHilbertInitAlloc_##K(VeksHilbertSpec_##K** ppSpec, int length, int hint) {           \
        return init_alloc(reinterpret_cast<void**>(ppSpec), length, hint); }                                   \
    VEKS_API VekStatus veksHilbertFree_##K(VeksHilbertSpec_##K* pSpec) { return free_spec(pSpec); }

VEKS_HILBERT_LIFECYCLE(32f32fc)
VEKS_HILBERT_LIFECYCLE(16s32fc)
VEKS_HILBERT_LIFECYCLE(16s16sc)

VEKS_API VekStatus veksHilbert_32f32fc(const Vek32f* pSrc, Vek32fc* pDst, VeksHilbertSpec_32f32fc* pSpec) {
    return hilbert_32f(pSrc, pDst, pSpec);
}
VEKS_API VekStatus veksHilbert_16s32fc(const Vek16s* pSrc, Vek32fc* pDst, VeksHilbertSpec_16s32fc* pSpec) {
    return hilbert_16s<false>(pSrc, pDst, pSpec, 0);
}
VEKS_API VekStatus veksHilbert_16s16sc_Sfs(const Vek16s* pSrc, Vek16sc* pDst, VeksHilbertSpec_16s16sc* pSpec, int scaleFactor) {
    return hilbert_16s<true>(pSrc, pDst, pSpec, scaleFactor);
}
