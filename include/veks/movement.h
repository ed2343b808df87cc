/* vekszn: setting, copying, moving, reversing and byte-swapping vectors.
 * Included by veks.h; do not include directly.
 *
 * Set/Zero check pDst then len; the others check every pointer, then len.
 * Copy runs in ascending byte order even when the ranges overlap (a
 * destination inside the source sees repeated leading bytes); Move is
 * correct for any overlap. Floating-point elements are moved as raw bits. */
#ifndef VEKS_MOVEMENT_H
#define VEKS_MOVEMENT_H

VEKS_EXTERN_C_BEGIN

VekStatus veksSet_8u(Vek8u val, Vek8u* pDst, int len);
VekStatus veksSet_16s(Vek16s val, Vek16s* pDst, int len);
VekStatus veksSet_16sc(Vek16sc val, Vek16sc* pDst, int len);
VekStatus veksSet_32s(Vek32s val, Vek32s* pDst, int len);
VekStatus veksSet_32sc(Vek32sc val, Vek32sc* pDst, int len);
VekStatus veksSet_32f(Vek32f val, Vek32f* pDst, int len);
VekStatus veksSet_32fc(Vek32fc val, Vek32fc* pDst, int len);
VekStatus veksSet_64s(Vek64s val, Vek64s* pDst, int len);
VekStatus veksSet_64sc(Vek64sc val, Vek64sc* pDst, int len);
VekStatus veksSet_64f(Vek64f val, Vek64f* pDst, int len);
VekStatus veksSet_64fc(Vek64fc val, Vek64fc* pDst, int len);

VekStatus veksZero_8u(Vek8u* pDst, int len);
VekStatus veksZero_16s(Vek16s* pDst, int len);
VekStatus veksZero_16sc(Vek16sc* pDst, int len);
VekStatus veksZero_32s(Vek32s* pDst, int len);
VekStatus veksZero_32sc(Vek32sc* pDst, int len);
VekStatus veksZero_32f(Vek32f* pDst, int len);
VekStatus veksZero_32fc(Vek32fc* pDst, int len);
VekStatus veksZero_64s(Vek64s* pDst, int len);
VekStatus veksZero_64sc(Vek64sc* pDst, int len);
VekStatus veksZero_64f(Vek64f* pDst, int len);
VekStatus veksZero_64fc(Vek64fc* pDst, int len);

VekStatus veksCopy_8u(const Vek8u* pSrc, Vek8u* pDst, int len);
VekStatus veksCopy_16s(const Vek16s* pSrc, Vek16s* pDst, int len);
VekStatus veksCopy_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VekStatus veksCopy_32s(const Vek32s* pSrc, Vek32s* pDst, int len);
VekStatus veksCopy_32sc(const Vek32sc* pSrc, Vek32sc* pDst, int len);
VekStatus veksCopy_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksCopy_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksCopy_64s(const Vek64s* pSrc, Vek64s* pDst, int len);
VekStatus veksCopy_64sc(const Vek64sc* pSrc, Vek64sc* pDst, int len);
VekStatus veksCopy_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VekStatus veksCopy_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);

VekStatus veksMove_8u(const Vek8u* pSrc, Vek8u* pDst, int len);
VekStatus veksMove_16s(const Vek16s* pSrc, Vek16s* pDst, int len);
VekStatus veksMove_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VekStatus veksMove_32s(const Vek32s* pSrc, Vek32s* pDst, int len);
VekStatus veksMove_32sc(const Vek32sc* pSrc, Vek32sc* pDst, int len);
VekStatus veksMove_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksMove_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksMove_64s(const Vek64s* pSrc, Vek64s* pDst, int len);
VekStatus veksMove_64sc(const Vek64sc* pSrc, Vek64sc* pDst, int len);
VekStatus veksMove_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VekStatus veksMove_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);

/* pDst[n] = pSrc[len-1-n]; complex elements move as units. */
VekStatus veksFlip_8u(const Vek8u* pSrc, Vek8u* pDst, int len);
VekStatus veksFlip_8u_I(Vek8u* pSrcDst, int len);
VekStatus veksFlip_16u(const Vek16u* pSrc, Vek16u* pDst, int len);
VekStatus veksFlip_16u_I(Vek16u* pSrcDst, int len);
VekStatus veksFlip_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksFlip_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksFlip_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VekStatus veksFlip_64f_I(Vek64f* pSrcDst, int len);
VekStatus veksFlip_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksFlip_32fc_I(Vek32fc* pSrcDst, int len);
VekStatus veksFlip_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);
VekStatus veksFlip_64fc_I(Vek64fc* pSrcDst, int len);

/* Reverses the bytes of each element; 24u elements are three packed bytes. */
VekStatus veksSwapBytes_16u(const Vek16u* pSrc, Vek16u* pDst, int len);
VekStatus veksSwapBytes_16u_I(Vek16u* pSrcDst, int len);
VekStatus veksSwapBytes_32u(const Vek32u* pSrc, Vek32u* pDst, int len);
VekStatus veksSwapBytes_32u_I(Vek32u* pSrcDst, int len);
VekStatus veksSwapBytes_64u(const Vek64u* pSrc, Vek64u* pDst, int len);
VekStatus veksSwapBytes_64u_I(Vek64u* pSrcDst, int len);
VekStatus veksSwapBytes_24u(const Vek8u* pSrc, Vek8u* pDst, int len);
VekStatus veksSwapBytes_24u_I(Vek8u* pSrcDst, int len);

/* Copies len bits. Bit offset 0 is the most significant bit of a byte; only
 * the low three bits of each offset are used. Destination bits outside the
 * copied range keep their values. Negative offsets give vekStsBadLength. */
VekStatus veksCopy_1u(const Vek8u* pSrc, int srcBitOffset, Vek8u* pDst, int dstBitOffset, int len);

/* Interleaves nChannels float channels of chanLen samples into Vek16s:
 * pDst[n*nChannels + c] = round-half-even(pSrc[c][n]), saturated.
 * Checks pDst, then nChannels and chanLen, then pSrc, then every channel
 * pointer, before anything is written. */
VekStatus veksJoin_32f16s_D2L(const Vek32f* const* pSrc, int nChannels, int chanLen, Vek16s* pDst);

VEKS_EXTERN_C_END

#endif
