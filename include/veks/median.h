/* vekszn: running median filter. Included by veks.h; do not include directly.
 *
 * Output k is the median of the maskSize samples centred on input k; samples
 * before the start count as copies of the first input and samples past the
 * end as copies of the last. Every output is the median of original inputs,
 * also in place. Floating-point values are ordered totally by their bit
 * patterns: -NaN < -inf < ... < -0 < +0 < ... < +inf < +NaN, and the output
 * is one of the input elements, bit for bit.
 *
 * Checks: null pointer (vekStsNullPtr; the out-of-place form tests pSrc,
 * then pDst), then len < 1 or maskSize < 1 (vekStsBadLength). An even
 * maskSize is reduced by one and the call returns vekStsEvenMaskSize (5)
 * instead of vekStsOk. A mask of 1, or len < 3, leaves the data unchanged.
 * Masks above 255 take a work array from the library's allocator
 * (vekStsNoMemory if that fails). The out-of-place form copies the source to
 * the destination (memmove: the two may overlap) and filters it in place. */
#ifndef VEKS_MEDIAN_H
#define VEKS_MEDIAN_H

VEKS_EXTERN_C_BEGIN

VekStatus veksFilterMedian_8u_I(Vek8u* pSrcDst, int len, int maskSize);
VekStatus veksFilterMedian_16s_I(Vek16s* pSrcDst, int len, int maskSize);
VekStatus veksFilterMedian_32s_I(Vek32s* pSrcDst, int len, int maskSize);
VekStatus veksFilterMedian_32f_I(Vek32f* pSrcDst, int len, int maskSize);
VekStatus veksFilterMedian_64f_I(Vek64f* pSrcDst, int len, int maskSize);
VekStatus veksFilterMedian_8u(const Vek8u* pSrc, Vek8u* pDst, int len, int maskSize);
VekStatus veksFilterMedian_16s(const Vek16s* pSrc, Vek16s* pDst, int len, int maskSize);
VekStatus veksFilterMedian_32s(const Vek32s* pSrc, Vek32s* pDst, int len, int maskSize);
VekStatus veksFilterMedian_32f(const Vek32f* pSrc, Vek32f* pDst, int len, int maskSize);
VekStatus veksFilterMedian_64f(const Vek64f* pSrc, Vek64f* pDst, int len, int maskSize);

VEKS_EXTERN_C_END

#endif
