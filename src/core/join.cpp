// Interleaving float channels into one Vek16s vector.
#include "core/checks.h"
#include "core/export.h"
#include "core/rounding.h"

VEKS_API VekStatus veksJoin_32f16s_D2L(const Vek32f* const* pSrc, int nChannels, int chanLen, Vek16s* pDst) {
    VEKS_CHECK(veks::check_ptrs(pDst));
    if (nChannels < 1 || chanLen < 1) return vekStsBadLength;
    VEKS_CHECK(veks::check_ptrs(pSrc));
    for (int c = 0; c < nChannels; ++c) VEKS_CHECK(veks::check_ptrs(pSrc[c]));

    // Sample-major order: sample n of every channel before sample n + 1.
    Vek16s* out = pDst;
    for (int n = 0; n < chanLen; ++n)
        for (int c = 0; c < nChannels; ++c)
            *out++ = veks::round_saturate<Vek16s, vekRoundHalfEven>(pSrc[c][n]);
    return vekStsOk;
}
