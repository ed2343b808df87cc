// Bit-string copy. Bit 0 of a byte is its most significant bit.
#include <cstddef>

#include "core/checks.h"
#include "core/export.h"

VEKS_API VekStatus veksCopy_1u(const Vek8u* pSrc, int srcBitOffset, Vek8u* pDst, int dstBitOffset, int len) {
    VEKS_CHECK(veks::check_ptrs(pSrc, pDst));
    if (len < 1 || srcBitOffset < 0 || dstBitOffset < 0) return vekStsBadLength;
    const int so = srcBitOffset & 7, dof = dstBitOffset & 7;

    if (so == dof) {
        // Same alignment: partial head byte, whole bytes, partial tail byte.
        int bits = len, pos = so;
        std::size_t i = 0;
        if (pos != 0) {
            const int n = bits < 8 - pos ? bits : 8 - pos;
            const Vek8u mask = static_cast<Vek8u>(((1u << n) - 1u) << (8 - pos - n));
            pDst[0] = static_cast<Vek8u>((pDst[0] & ~mask) | (pSrc[0] & mask));
            bits -= n;
            i = 1;
        }
        for (; bits >= 8; bits -= 8, ++i) pDst[i] = pSrc[i];
        if (bits > 0) {
            const Vek8u mask = static_cast<Vek8u>(0xFFu << (8 - bits));
            pDst[i] = static_cast<Vek8u>((pDst[i] & ~mask) | (pSrc[i] & mask));
        }
        return vekStsOk;
    }

    // Different alignment: bit by bit.
    for (long k = 0; k < len; ++k) {
        const long s = so + k, d = dof + k;
        const unsigned bit = (pSrc[s >> 3] >> (7 - (s & 7))) & 1u;
        const Vek8u m = static_cast<Vek8u>(0x80u >> (d & 7));
        pDst[d >> 3] = static_cast<Vek8u>(bit ? (pDst[d >> 3] | m) : (pDst[d >> 3] & ~m));
    }
    return vekStsOk;
}
