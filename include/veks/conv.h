/* vekszn: convolution and correlation - linear and cyclic convolution,
 * cross-correlation over a window of lags, autocorrelation with optional
 * normalisation. Included by veks.h; do not include directly.
 *
 * All operations are stateless. Long operations evaluate through power-of-
 * two real or complex FFTs made for the call (inverse scaled by 1/N, default
 * hint) and released before returning; the choice between direct sums and
 * transforms is fixed by the sizes, as stated per group. Arrays may sit at
 * any address. Errors write nothing; allocation failures return
 * vekStsNoMemory (or the transform's failure status). */
#ifndef VEKS_CONV_H
#define VEKS_CONV_H

VEKS_EXTERN_C_BEGIN

/* ---- linear convolution ----------------------------------------------------
 * dst[k] = sum over j of src1[j] * src2[k - j], k = 0 .. src1Len + src2Len - 2
 * (pDst holds src1Len + src2Len - 1 values; operand order does not matter).
 * Checks: pSrc1, pSrc2, pDst null (vekStsNullPtr); src1Len or src2Len < 1
 * (vekStsBadLength).
 * With L1 >= L2 the longer and shorter operand lengths and dstLen their
 * result length: direct sums when dstLen < 150 or L2 < 32 (operands of 4096
 * and more taken in chunks of 4096 whose contributions add up); one real
 * transform of the padded operands when L1 < 3 * L2; otherwise overlap-save
 * blocks of N = 2^(k+1) points (2^k the smallest power >= 2 * L2, k >= 2)
 * giving N - L2 + 1 outputs each, spread over ownGetNumThreads() OpenMP
 * threads when L1 > 4096 (the lowest status of any thread is returned).
 * Float sums accumulate in the element precision. Conv_16s_Sfs converts the
 * operands to Vek32f, convolves in single precision and converts the result
 * as veksConvert_32f16s_Sfs does with ties to even (x * 2^-scaleFactor
 * rounded to nearest, saturated). */
VekStatus veksConv_32f(const Vek32f* pSrc1, int src1Len, const Vek32f* pSrc2, int src2Len, Vek32f* pDst);
VekStatus veksConv_64f(const Vek64f* pSrc1, int src1Len, const Vek64f* pSrc2, int src2Len, Vek64f* pDst);
VekStatus veksConv_16s_Sfs(const Vek16s* pSrc1, int src1Len, const Vek16s* pSrc2, int src2Len, Vek16s* pDst,
                           int scaleFactor);

/* dst[k] = sum over j = 0 .. src1Len-1 of src1[j] * src2[k + bias - j],
 * terms whose src2 index lies outside [0, src2Len) omitted, k = 0 .. dstLen-1;
 * single-precision sums in increasing j. Checks: pSrc1, pSrc2, pDst null
 * (vekStsNullPtr); src1Len, src2Len or dstLen < 1 (vekStsBadLength). Any
 * bias, negative included. */
VekStatus veksConvBiased_32f(const Vek32f* pSrc1, int src1Len, const Vek32f* pSrc2, int src2Len, Vek32f* pDst,
                             int dstLen, int bias);

/* ---- fixed-size cyclic convolution --------------------------------------------
 * dst[k] = sum over j of src[j] * kernel[(k - j) mod N], N = 8 or 4. No checks;
 * always vekStsOk. The 16-bit form sums exactly and applies the scale-factor
 * rule (ties to even, saturation). The 4x4 form takes a real source and a
 * complex kernel. */
VekStatus veksConvCyclic8x8_32f(const Vek32f* pSrc, const Vek32f* pKernel, Vek32f* pDst);
VekStatus veksConvCyclic8x8_16s_Sfs(const Vek16s* pSrc, const Vek16s* pKernel, Vek16s* pDst, int scaleFactor);
VekStatus veksConvCyclic4x4_32f32fc(const Vek32f* pSrc, const Vek32fc* pKernel, Vek32fc* pDst);

/* ---- cross-correlation ---------------------------------------------------------
 * dst[k] = sum over i of conj(src1[i]) * src2[i + lowLag + k], k = 0 .. dstLen-1,
 * terms with a src2 index outside [0, src2Len) being 0 (real data are not
 * conjugated). Checks: pSrc1, pSrc2, pDst null (vekStsNullPtr); src1Len,
 * src2Len or dstLen < 1 (vekStsBadLength).
 * Lags without any overlap (below -(src1Len-1) or above src2Len-1) give 0
 * directly. For the n remaining lags a transform is used when
 * trunc(n * min(src1Len, src2Len) / max(src1Len, src2Len)), in single
 * precision, exceeds 383 (real data) or 255 (complex data); its length is
 * the power of two that holds the parts of the operands the window uses
 * without wrap-around. Otherwise direct sums in the element precision.
 * CrossCorr_16s_Sfs sums exactly in 64 bits (or, where the rule asks for a
 * transform, transforms the converted Vek32f data) and converts as
 * veksConvert_64f16s_Sfs / veksConvert_32f16s_Sfs do with ties to even.
 * CrossCorr_16s64s always sums directly: its results are exact. */
VekStatus veksCrossCorr_32f(const Vek32f* pSrc1, int src1Len, const Vek32f* pSrc2, int src2Len, Vek32f* pDst,
                            int dstLen, int lowLag);
VekStatus veksCrossCorr_64f(const Vek64f* pSrc1, int src1Len, const Vek64f* pSrc2, int src2Len, Vek64f* pDst,
                            int dstLen, int lowLag);
VekStatus veksCrossCorr_32fc(const Vek32fc* pSrc1, int src1Len, const Vek32fc* pSrc2, int src2Len, Vek32fc* pDst,
                             int dstLen, int lowLag);
VekStatus veksCrossCorr_64fc(const Vek64fc* pSrc1, int src1Len, const Vek64fc* pSrc2, int src2Len, Vek64fc* pDst,
                             int dstLen, int lowLag);
VekStatus veksCrossCorr_16s_Sfs(const Vek16s* pSrc1, int src1Len, const Vek16s* pSrc2, int src2Len, Vek16s* pDst,
                                int dstLen, int lowLag, int scaleFactor);
VekStatus veksCrossCorr_16s64s(const Vek16s* pSrc1, int src1Len, const Vek16s* pSrc2, int src2Len, Vek64s* pDst,
                               int dstLen, int lowLag);

/* ---- autocorrelation -------------------------------------------------------------
 * dst[k] = sum over i = 0 .. srcLen-1-k of src[i + k] * conj(src[i]) for
 * k < m = min(srcLen, dstLen); dst[k] = 0 for m <= k < dstLen. Checks: pSrc,
 * pDst null (vekStsNullPtr); srcLen or dstLen < 1 (vekStsBadLength).
 * A transform of N = 2^k >= 2 * srcLen points (k >= 2) is used when m >= 600
 * (real data, the 16-bit form on its source converted to Vek32f) or m >= 96
 * (complex data); otherwise direct sums (exact 64-bit sums for 16-bit data).
 * NormA multiplies the first m values by the reciprocal 1/srcLen, NormB
 * divides value k by srcLen - k; both in the element precision (single for
 * the 16-bit forms' reciprocal, whose normalisation runs in double before
 * the conversion). The 16-bit forms convert as veksConvert_64f16s_Sfs does
 * with ties to even. The outputs m .. dstLen-1 stay 0. */
VekStatus veksAutoCorr_32f(const Vek32f* pSrc, int srcLen, Vek32f* pDst, int dstLen);
VekStatus veksAutoCorr_64f(const Vek64f* pSrc, int srcLen, Vek64f* pDst, int dstLen);
VekStatus veksAutoCorr_32fc(const Vek32fc* pSrc, int srcLen, Vek32fc* pDst, int dstLen);
VekStatus veksAutoCorr_64fc(const Vek64fc* pSrc, int srcLen, Vek64fc* pDst, int dstLen);
VekStatus veksAutoCorr_16s_Sfs(const Vek16s* pSrc, int srcLen, Vek16s* pDst, int dstLen, int scaleFactor);
VekStatus veksAutoCorr_NormA_32f(const Vek32f* pSrc, int srcLen, Vek32f* pDst, int dstLen);
VekStatus veksAutoCorr_NormA_64f(const Vek64f* pSrc, int srcLen, Vek64f* pDst, int dstLen);
VekStatus veksAutoCorr_NormA_32fc(const Vek32fc* pSrc, int srcLen, Vek32fc* pDst, int dstLen);
VekStatus veksAutoCorr_NormA_64fc(const Vek64fc* pSrc, int srcLen, Vek64fc* pDst, int dstLen);
VekStatus veksAutoCorr_NormA_16s_Sfs(const Vek16s* pSrc, int srcLen, Vek16s* pDst, int dstLen, int scaleFactor);
VekStatus veksAutoCorr_NormB_32f(const Vek32f* pSrc, int srcLen, Vek32f* pDst, int dstLen);
VekStatus veksAutoCorr_NormB_64f(const Vek64f* pSrc, int srcLen, Vek64f* pDst, int dstLen);
VekStatus veksAutoCorr_NormB_32fc(const Vek32fc* pSrc, int srcLen, Vek32fc* pDst, int dstLen);
VekStatus veksAutoCorr_NormB_64fc(const Vek64fc* pSrc, int srcLen, Vek64fc* pDst, int dstLen);
VekStatus veksAutoCorr_NormB_16s_Sfs(const Vek16s* pSrc, int srcLen, Vek16s* pDst, int dstLen, int scaleFactor);

VEKS_EXTERN_C_END

#endif
