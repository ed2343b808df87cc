// Mul and MulC (one table row per exported name), the wrapping Mul_Low of
// Vek32s and the float-to-Vek16s MulC members.
#include <cmath>

#include "core/unaligned.h"
#include "core/arith_float_round.h"
#include "core/arith_kernels.h"

namespace veks::arith {
namespace {

// Mul_Low: the 64-bit product, then shifted and cut to its low 32 bits.
VekStatus mul_low_32s(const Vek32s* s1, const Vek32s* s2, Vek32s* d, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s1, s2, d));
    const Index n = len;
    auto product = [&](Index i) { return std::int64_t(load_elem(s1, i)) * std::int64_t(load_elem(s2, i)); };
    if (sf > 62) {
        zero_fill(d, n);
    } else if (sf >= 0) {
        for (Index i = 0; i < n; ++i) store_elem(d, i, static_cast<Vek32s>(static_cast<std::uint32_t>(product(i) >> sf)));
    } else if (sf >= -31) {
        const int sh = -sf;
        for (Index i = 0; i < n; ++i)
            store_elem(d, i, static_cast<Vek32s>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(product(i)) << sh)));
    } else {
        for (Index i = 0; i < n; ++i) store_elem(d, i, ScaleSaturateSign<Vek32s>{}(product(i)));
    }
    return vekStsOk;
}

// val * 2^-sf; each product clamped to the Vek16s range in single
// precision, then converted with the nudged rounding.
VekStatus mulc_32f16s_sfs(const Vek32f* s, Vek32f val, Vek16s* d, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s, d));
    const float v = val * two_to_minus<float>(sf);
    for (Index i = 0; i < Index(len); ++i) {
        float p = v * load_elem(s, i);
        if (std::isnan(p)) {
            store_elem(d, i, 0);
            continue;
        }
        p = p > 32767.0f ? 32767.0f : (p < -32768.0f ? -32768.0f : p);
        store_elem(d, i, static_cast<Vek16s>(convert_nudged(p)));
    }
    return vekStsOk;
}

// No scale step; the conversion comes first and the clamp after it.
VekStatus mulc_low_32f16s(const Vek32f* s, Vek32f val, Vek16s* d, int len) {
    VEKS_CHECK(check_ptrs_len(len, s, d));
    constexpr float int_limit = 2147483648.0f;
    for (Index i = 0; i < Index(len); ++i) {
        const float p = val * load_elem(s, i);
        std::int32_t k;
        if (std::isnan(p)) k = 0;
        else if (p >= int_limit) k = std::numeric_limits<std::int32_t>::max();
        else if (p <= -int_limit) k = std::numeric_limits<std::int32_t>::min();
        else k = convert_nudged(p);
        store_elem(d, i, saturate<Vek16s>(k));
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::arith

using namespace veks;
using namespace veks::arith;

// ---- Mul ------------------------------------------------------------------------------
ARITH_VV_SFS (veksMul_8u_Sfs,        Mul, 16, Vek8u, Vek8u, Vek8u)
ARITH_VV_ISFS(veksMul_8u_ISfs,       Mul, 16, Vek8u, Vek8u)
ARITH_VV_SFS (veksMul_16u_Sfs,       Mul, 32, Vek16u, Vek16u, Vek16u)
ARITH_VV_ISFS(veksMul_16u_ISfs,      Mul, 32, Vek16u, Vek16u)
ARITH_VV_SFS (veksMul_32s_Sfs,       Mul, 62, Vek32s, Vek32s, Vek32s)
ARITH_VV_ISFS(veksMul_32s_ISfs,      Mul, 62, Vek32s, Vek32s)
ARITH_VV     (veksMul_8u16u,         Mul, Vek16u, Vek8u, Vek8u)
ARITH_VV     (veksMul_16s,           Mul, Vek16s, Vek16s, Vek16s)
ARITH_VV_I   (veksMul_16s_I,         Mul, Vek16s, Vek16s)
ARITH_VV_SFS (veksMul_16s_Sfs,       Mul, 30, Vek16s, Vek16s, Vek16s)
ARITH_VV_ISFS(veksMul_16s_ISfs,      Mul, 30, Vek16s, Vek16s)
ARITH_VV     (veksMul_16s32f,        Mul, Vek32f, Vek16s, Vek16s)
ARITH_VV_SFS (veksMul_16s32s_Sfs,    Mul, 30, Vek32s, Vek16s, Vek16s)
ARITH_VV_SFS (veksMul_16u16s_Sfs,    Mul, 31, Vek16s, Vek16u, Vek16s)
ARITH_VV_SFS (veksMul_16sc_Sfs,      Mul, 31, Vek16sc, Vek16sc, Vek16sc)
ARITH_VV_ISFS(veksMul_16sc_ISfs,     Mul, 31, Vek16sc, Vek16sc)
ARITH_VV_SFS (veksMul_32sc_Sfs,      Mul, 63, Vek32sc, Vek32sc, Vek32sc)
ARITH_VV_ISFS(veksMul_32sc_ISfs,     Mul, 63, Vek32sc, Vek32sc)
ARITH_VV_SFS (veksMul_32s32sc_Sfs,   Mul, 62, Vek32sc, Vek32s, Vek32sc)
ARITH_VV_ISFS(veksMul_32s32sc_ISfs,  Mul, 62, Vek32sc, Vek32s)
ARITH_VV     (veksMul_32f,           Mul, Vek32f, Vek32f, Vek32f)
ARITH_VV_I   (veksMul_32f_I,         Mul, Vek32f, Vek32f)
ARITH_VV     (veksMul_64f,           Mul, Vek64f, Vek64f, Vek64f)
ARITH_VV_I   (veksMul_64f_I,         Mul, Vek64f, Vek64f)
ARITH_VV     (veksMul_32fc,          Mul, Vek32fc, Vek32fc, Vek32fc)
ARITH_VV_I   (veksMul_32fc_I,        Mul, Vek32fc, Vek32fc)
ARITH_VV     (veksMul_64fc,          Mul, Vek64fc, Vek64fc, Vek64fc)
ARITH_VV_I   (veksMul_64fc_I,        Mul, Vek64fc, Vek64fc)
ARITH_VV     (veksMul_32f32fc,       Mul, Vek32fc, Vek32f, Vek32fc)
ARITH_VV_I   (veksMul_32f32fc_I,     Mul, Vek32fc, Vek32f)
VEKS_API VekStatus veksMul_Low_32s_Sfs(const Vek32s* pSrc1, const Vek32s* pSrc2, Vek32s* pDst, int len, int scaleFactor) { return mul_low_32s(pSrc1, pSrc2, pDst, len, scaleFactor); }

// ---- MulC -----------------------------------------------------------------------------
ARITH_VC_SFS (veksMulC_8u_Sfs,       Mul, 16, Vek8u)
ARITH_VC_ISFS(veksMulC_8u_ISfs,      Mul, 16, Vek8u)
ARITH_VC_SFS (veksMulC_16u_Sfs,      Mul, 32, Vek16u)
ARITH_VC_ISFS(veksMulC_16u_ISfs,     Mul, 32, Vek16u)
ARITH_VC_SFS (veksMulC_32s_Sfs,      Mul, 62, Vek32s)
ARITH_VC_ISFS(veksMulC_32s_ISfs,     Mul, 62, Vek32s)
ARITH_VC_SFS (veksMulC_16sc_Sfs,     Mul, 31, Vek16sc)
ARITH_VC_ISFS(veksMulC_16sc_ISfs,    Mul, 31, Vek16sc)
ARITH_VC_SFS (veksMulC_32sc_Sfs,     Mul, 63, Vek32sc)
ARITH_VC_ISFS(veksMulC_32sc_ISfs,    Mul, 63, Vek32sc)
ARITH_VC_I   (veksMulC_16s_I,        Mul, Vek16s)
ARITH_VC_SFS (veksMulC_16s_Sfs,      Mul, 30, Vek16s)
ARITH_VC_ISFS(veksMulC_16s_ISfs,     Mul, 30, Vek16s)
ARITH_VC     (veksMulC_32f,          Mul, Vek32f)
ARITH_VC_I   (veksMulC_32f_I,        Mul, Vek32f)
ARITH_VC     (veksMulC_64f,          Mul, Vek64f)
ARITH_VC_I   (veksMulC_64f_I,        Mul, Vek64f)
ARITH_VC     (veksMulC_32fc,         Mul, Vek32fc)
ARITH_VC_I   (veksMulC_32fc_I,       Mul, Vek32fc)
ARITH_VC     (veksMulC_64fc,         Mul, Vek64fc)
ARITH_VC_I   (veksMulC_64fc_I,       Mul, Vek64fc)
VEKS_API VekStatus veksMulC_32f16s_Sfs(const Vek32f* pSrc, Vek32f val, Vek16s* pDst, int len, int scaleFactor) { return mulc_32f16s_sfs(pSrc, val, pDst, len, scaleFactor); }
VEKS_API VekStatus veksMulC_Low_32f16s(const Vek32f* pSrc, Vek32f val, Vek16s* pDst, int len) { return mulc_low_32f16s(pSrc, val, pDst, len); }
