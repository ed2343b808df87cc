/* vekszn: statistics and norms - sums, means, deviations, extremes, norms,
 * dot products, normalisation, counting, nearest-entry search and order of
 * magnitude. Included by veks.h; do not include directly.
 *
 * Checks: every pointer argument in order (vekStsNullPtr), then the length
 * (vekStsBadLength), then other parameters; nothing is written on an error.
 * Exceptions are noted at each group (MaxOrder tests the length first).
 *
 * Integer scaling: "Sfs" results are v * 2^-scaleFactor. Sum, Mean, StdDev
 * and DotProd round half to the even integer; the integer Norm and NormDiff
 * forms truncate. Integer results saturate, they never wrap. */
#ifndef VEKS_STATS_H
#define VEKS_STATS_H

VEKS_EXTERN_C_BEGIN

/* ---- sums and means --------------------------------------------------------
 * Integer sums are exact (64-bit totals). Sum_16s32s/_32s/_16sc32sc: sf > 0
 * rounds half to even (32s: sf above 63 acts as 63), sf < 0 saturates the
 * total to 32 bits and then shifts left with saturation (16s32s: sf < -31
 * gives +-2147483647 by sign, 0 for a zero total). Sum_16s(c)_Sfs is that
 * result saturated to 16 bits. Complex forms treat each part separately.
 * Sum_32f/Mean_32f/Sum_64f/Mean_64f accumulate in double in two running sums
 * (elements 4i and 4i+2 into the first, 4i+1 and 4i+3 into the second), add
 * them, then add the last len%4 elements in order. Complex float sums keep
 * one running double sum per part. Means divide the double sum by len.
 * Mean_16s(c)_Sfs: sf >= 16 gives 0; sf <= -15 gives 0 for a zero sum, else
 * 32767 / -32768 by sign; otherwise |sum| * 2^-sf / len in double, rounded
 * half to even, signed and saturated. Mean_32s_Sfs likewise with sf >= 32
 * giving 0 and sf <= -31 saturating by sign. */
VekStatus veksSum_32f(const Vek32f* pSrc, int len, Vek32f* pSum);
VekStatus veksSum_64f(const Vek64f* pSrc, int len, Vek64f* pSum);
VekStatus veksSum_32fc(const Vek32fc* pSrc, int len, Vek32fc* pSum);
VekStatus veksSum_64fc(const Vek64fc* pSrc, int len, Vek64fc* pSum);
VekStatus veksSum_16s_Sfs(const Vek16s* pSrc, int len, Vek16s* pSum, int scaleFactor);
VekStatus veksSum_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc* pSum, int scaleFactor);
VekStatus veksSum_16s32s_Sfs(const Vek16s* pSrc, int len, Vek32s* pSum, int scaleFactor);
VekStatus veksSum_16sc32sc_Sfs(const Vek16sc* pSrc, int len, Vek32sc* pSum, int scaleFactor);
VekStatus veksSum_32s_Sfs(const Vek32s* pSrc, int len, Vek32s* pSum, int scaleFactor);

VekStatus veksMean_32f(const Vek32f* pSrc, int len, Vek32f* pMean);
VekStatus veksMean_64f(const Vek64f* pSrc, int len, Vek64f* pMean);
VekStatus veksMean_32fc(const Vek32fc* pSrc, int len, Vek32fc* pMean);
VekStatus veksMean_64fc(const Vek64fc* pSrc, int len, Vek64fc* pMean);
VekStatus veksMean_16s_Sfs(const Vek16s* pSrc, int len, Vek16s* pMean, int scaleFactor);
VekStatus veksMean_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc* pMean, int scaleFactor);
VekStatus veksMean_32s_Sfs(const Vek32s* pSrc, int len, Vek32s* pMean, int scaleFactor);

/* ---- standard deviation ----------------------------------------------------
 * Sample deviation (divisor n - 1); len < 2 gives vekStsBadLength. With
 * S = sum x and Q = sum x^2 in double (integer data: exact 64-bit sums
 * converted once), V = Q*n - S^2, the result is sqrt(V / (n*(n-1))) when
 * V > 0, else 0. Integer forms scale the deviation by 2^-sf in double, round
 * half to even and saturate (16s: to 32767). MeanStdDev also stores S / n;
 * its integer mean is (S/n) * 2^-sf rounded half AWAY from zero and
 * saturated (unlike Mean_16s_Sfs, which rounds half to even). */
VekStatus veksStdDev_32f(const Vek32f* pSrc, int len, Vek32f* pStdDev);
VekStatus veksStdDev_64f(const Vek64f* pSrc, int len, Vek64f* pStdDev);
VekStatus veksStdDev_16s_Sfs(const Vek16s* pSrc, int len, Vek16s* pStdDev, int scaleFactor);
VekStatus veksStdDev_16s32s_Sfs(const Vek16s* pSrc, int len, Vek32s* pStdDev, int scaleFactor);
VekStatus veksMeanStdDev_32f(const Vek32f* pSrc, int len, Vek32f* pMean, Vek32f* pStdDev);
VekStatus veksMeanStdDev_64f(const Vek64f* pSrc, int len, Vek64f* pMean, Vek64f* pStdDev);
VekStatus veksMeanStdDev_16s_Sfs(const Vek16s* pSrc, int len, Vek16s* pMean, Vek16s* pStdDev, int scaleFactor);
VekStatus veksMeanStdDev_16s32s_Sfs(const Vek16s* pSrc, int len, Vek32s* pMean, Vek32s* pStdDev, int scaleFactor);

/* ---- extremes ---------------------------------------------------------------
 * m = x[0]; a later x replaces m only when strictly greater (Max) or smaller
 * (Min): equal values keep the earlier one, a NaN at index 0 gives NaN and
 * later NaNs are ignored. Index searches return the FIRST position of the
 * result; MaxIndx/MinIndx accept a null pIndex (then they act as Max/Min).
 * Abs forms use saturated magnitudes: |-32768| is 32767, |-2147483648| is
 * 2147483647, so -32768 and 32767 tie. MinMaxIndx needs all four outputs.
 * MaxEvery/MinEvery: pSrcDst[k] = pSrc[k] > pSrcDst[k] ? pSrc[k] : pSrcDst[k]
 * (with < for Min), so a NaN in pSrc leaves pSrcDst[k] unchanged. */
VekStatus veksMax_16s(const Vek16s* pSrc, int len, Vek16s* pMax);
VekStatus veksMax_32s(const Vek32s* pSrc, int len, Vek32s* pMax);
VekStatus veksMax_32f(const Vek32f* pSrc, int len, Vek32f* pMax);
VekStatus veksMax_64f(const Vek64f* pSrc, int len, Vek64f* pMax);
VekStatus veksMin_16s(const Vek16s* pSrc, int len, Vek16s* pMin);
VekStatus veksMin_32s(const Vek32s* pSrc, int len, Vek32s* pMin);
VekStatus veksMin_32f(const Vek32f* pSrc, int len, Vek32f* pMin);
VekStatus veksMin_64f(const Vek64f* pSrc, int len, Vek64f* pMin);

VekStatus veksMaxIndx_16s(const Vek16s* pSrc, int len, Vek16s* pMax, int* pIndx);
VekStatus veksMaxIndx_32s(const Vek32s* pSrc, int len, Vek32s* pMax, int* pIndx);
VekStatus veksMaxIndx_32f(const Vek32f* pSrc, int len, Vek32f* pMax, int* pIndx);
VekStatus veksMaxIndx_64f(const Vek64f* pSrc, int len, Vek64f* pMax, int* pIndx);
VekStatus veksMinIndx_16s(const Vek16s* pSrc, int len, Vek16s* pMin, int* pIndx);
VekStatus veksMinIndx_32s(const Vek32s* pSrc, int len, Vek32s* pMin, int* pIndx);
VekStatus veksMinIndx_32f(const Vek32f* pSrc, int len, Vek32f* pMin, int* pIndx);
VekStatus veksMinIndx_64f(const Vek64f* pSrc, int len, Vek64f* pMin, int* pIndx);

VekStatus veksMaxAbs_16s(const Vek16s* pSrc, int len, Vek16s* pMaxAbs);
VekStatus veksMaxAbs_32s(const Vek32s* pSrc, int len, Vek32s* pMaxAbs);
VekStatus veksMinAbs_16s(const Vek16s* pSrc, int len, Vek16s* pMinAbs);
VekStatus veksMinAbs_32s(const Vek32s* pSrc, int len, Vek32s* pMinAbs);
VekStatus veksMaxAbsIndx_16s(const Vek16s* pSrc, int len, Vek16s* pMaxAbs, int* pIndx);
VekStatus veksMaxAbsIndx_32s(const Vek32s* pSrc, int len, Vek32s* pMaxAbs, int* pIndx);
VekStatus veksMinAbsIndx_16s(const Vek16s* pSrc, int len, Vek16s* pMinAbs, int* pIndx);
VekStatus veksMinAbsIndx_32s(const Vek32s* pSrc, int len, Vek32s* pMinAbs, int* pIndx);

VekStatus veksMinMax_8u(const Vek8u* pSrc, int len, Vek8u* pMin, Vek8u* pMax);
VekStatus veksMinMax_16u(const Vek16u* pSrc, int len, Vek16u* pMin, Vek16u* pMax);
VekStatus veksMinMax_16s(const Vek16s* pSrc, int len, Vek16s* pMin, Vek16s* pMax);
VekStatus veksMinMax_32u(const Vek32u* pSrc, int len, Vek32u* pMin, Vek32u* pMax);
VekStatus veksMinMax_32s(const Vek32s* pSrc, int len, Vek32s* pMin, Vek32s* pMax);
VekStatus veksMinMax_32f(const Vek32f* pSrc, int len, Vek32f* pMin, Vek32f* pMax);
VekStatus veksMinMax_64f(const Vek64f* pSrc, int len, Vek64f* pMin, Vek64f* pMax);

VekStatus veksMinMaxIndx_8u(const Vek8u* pSrc, int len, Vek8u* pMin, int* pMinIndx, Vek8u* pMax, int* pMaxIndx);
VekStatus veksMinMaxIndx_16u(const Vek16u* pSrc, int len, Vek16u* pMin, int* pMinIndx, Vek16u* pMax, int* pMaxIndx);
VekStatus veksMinMaxIndx_16s(const Vek16s* pSrc, int len, Vek16s* pMin, int* pMinIndx, Vek16s* pMax, int* pMaxIndx);
VekStatus veksMinMaxIndx_32u(const Vek32u* pSrc, int len, Vek32u* pMin, int* pMinIndx, Vek32u* pMax, int* pMaxIndx);
VekStatus veksMinMaxIndx_32s(const Vek32s* pSrc, int len, Vek32s* pMin, int* pMinIndx, Vek32s* pMax, int* pMaxIndx);
VekStatus veksMinMaxIndx_32f(const Vek32f* pSrc, int len, Vek32f* pMin, int* pMinIndx, Vek32f* pMax, int* pMaxIndx);
VekStatus veksMinMaxIndx_64f(const Vek64f* pSrc, int len, Vek64f* pMin, int* pMinIndx, Vek64f* pMax, int* pMaxIndx);

VekStatus veksMaxEvery_8u_I(const Vek8u* pSrc, Vek8u* pSrcDst, int len);
VekStatus veksMaxEvery_16u_I(const Vek16u* pSrc, Vek16u* pSrcDst, int len);
VekStatus veksMaxEvery_16s_I(const Vek16s* pSrc, Vek16s* pSrcDst, int len);
VekStatus veksMaxEvery_32s_I(const Vek32s* pSrc, Vek32s* pSrcDst, int len);
VekStatus veksMaxEvery_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VekStatus veksMinEvery_8u_I(const Vek8u* pSrc, Vek8u* pSrcDst, int len);
VekStatus veksMinEvery_16u_I(const Vek16u* pSrc, Vek16u* pSrcDst, int len);
VekStatus veksMinEvery_16s_I(const Vek16s* pSrc, Vek16s* pSrcDst, int len);
VekStatus veksMinEvery_32s_I(const Vek32s* pSrc, Vek32s* pSrcDst, int len);
VekStatus veksMinEvery_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);

/* ---- norms -------------------------------------------------------------------
 * Inf: largest magnitude (16-bit data: |-32768| = 32768, not saturated);
 * L1: sum of magnitudes; L2: square root of the sum of squares; L2Sqr: the
 * sum of squares. NormDiff is the norm of pSrc1 - pSrc2, the difference
 * formed in the element type (16-bit data: exactly, in 32 bits).
 * Float forms accumulate in double in eight interleaved partial sums and
 * round single results on store; complex magnitudes are taken in double.
 * The Inf norms follow the Max rule: a NaN first element gives NaN, later
 * NaNs are ignored. 16s32f forms are exact 64-bit sums converted (L2: square
 * root in double). Integer Sfs forms TRUNCATE: Inf_16s32s shifts right by
 * sf (sf >= 32 gives 0) or left with saturation to 2147483647; L1_16s32s
 * shifts the sum right (sf >= 64 gives 0) and saturates, or saturates and
 * then shifts left with saturation; L2_16s32s truncates sqrt(sum) * 2^-sf
 * and saturates; L1_16s64s and L2Sqr_16s64s shift right by sf, or left by
 * -sf with an overflowing shift giving 0x7FFFFFFFFFFFFFFF. */
VekStatus veksNorm_Inf_16s32f(const Vek16s* pSrc, int len, Vek32f* pNorm);
VekStatus veksNorm_Inf_16s32s_Sfs(const Vek16s* pSrc, int len, Vek32s* pNorm, int scaleFactor);
VekStatus veksNorm_Inf_32f(const Vek32f* pSrc, int len, Vek32f* pNorm);
VekStatus veksNorm_Inf_64f(const Vek64f* pSrc, int len, Vek64f* pNorm);
VekStatus veksNorm_Inf_32fc32f(const Vek32fc* pSrc, int len, Vek32f* pNorm);
VekStatus veksNorm_Inf_64fc64f(const Vek64fc* pSrc, int len, Vek64f* pNorm);
VekStatus veksNorm_L1_16s32f(const Vek16s* pSrc, int len, Vek32f* pNorm);
VekStatus veksNorm_L1_16s32s_Sfs(const Vek16s* pSrc, int len, Vek32s* pNorm, int scaleFactor);
VekStatus veksNorm_L1_16s64s_Sfs(const Vek16s* pSrc, int len, Vek64s* pNorm, int scaleFactor);
VekStatus veksNorm_L1_32f(const Vek32f* pSrc, int len, Vek32f* pNorm);
VekStatus veksNorm_L1_64f(const Vek64f* pSrc, int len, Vek64f* pNorm);
VekStatus veksNorm_L1_32fc64f(const Vek32fc* pSrc, int len, Vek64f* pNorm);
VekStatus veksNorm_L1_64fc64f(const Vek64fc* pSrc, int len, Vek64f* pNorm);
VekStatus veksNorm_L2_16s32f(const Vek16s* pSrc, int len, Vek32f* pNorm);
VekStatus veksNorm_L2_16s32s_Sfs(const Vek16s* pSrc, int len, Vek32s* pNorm, int scaleFactor);
VekStatus veksNorm_L2_32f(const Vek32f* pSrc, int len, Vek32f* pNorm);
VekStatus veksNorm_L2_64f(const Vek64f* pSrc, int len, Vek64f* pNorm);
VekStatus veksNorm_L2_32fc64f(const Vek32fc* pSrc, int len, Vek64f* pNorm);
VekStatus veksNorm_L2_64fc64f(const Vek64fc* pSrc, int len, Vek64f* pNorm);
VekStatus veksNorm_L2Sqr_16s64s_Sfs(const Vek16s* pSrc, int len, Vek64s* pNorm, int scaleFactor);

VekStatus veksNormDiff_Inf_16s32f(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek32f* pNorm);
VekStatus veksNormDiff_Inf_16s32s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek32s* pNorm, int scaleFactor);
VekStatus veksNormDiff_Inf_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, int len, Vek32f* pNorm);
VekStatus veksNormDiff_Inf_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, int len, Vek64f* pNorm);
VekStatus veksNormDiff_Inf_32fc32f(const Vek32fc* pSrc1, const Vek32fc* pSrc2, int len, Vek32f* pNorm);
VekStatus veksNormDiff_Inf_64fc64f(const Vek64fc* pSrc1, const Vek64fc* pSrc2, int len, Vek64f* pNorm);
VekStatus veksNormDiff_L1_16s32f(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek32f* pNorm);
VekStatus veksNormDiff_L1_16s32s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek32s* pNorm, int scaleFactor);
VekStatus veksNormDiff_L1_16s64s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek64s* pNorm, int scaleFactor);
VekStatus veksNormDiff_L1_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, int len, Vek32f* pNorm);
VekStatus veksNormDiff_L1_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, int len, Vek64f* pNorm);
VekStatus veksNormDiff_L1_32fc64f(const Vek32fc* pSrc1, const Vek32fc* pSrc2, int len, Vek64f* pNorm);
VekStatus veksNormDiff_L1_64fc64f(const Vek64fc* pSrc1, const Vek64fc* pSrc2, int len, Vek64f* pNorm);
VekStatus veksNormDiff_L2_16s32f(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek32f* pNorm);
VekStatus veksNormDiff_L2_16s32s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek32s* pNorm, int scaleFactor);
VekStatus veksNormDiff_L2_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, int len, Vek32f* pNorm);
VekStatus veksNormDiff_L2_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, int len, Vek64f* pNorm);
VekStatus veksNormDiff_L2_32fc64f(const Vek32fc* pSrc1, const Vek32fc* pSrc2, int len, Vek64f* pNorm);
VekStatus veksNormDiff_L2_64fc64f(const Vek64fc* pSrc1, const Vek64fc* pSrc2, int len, Vek64f* pNorm);
VekStatus veksNormDiff_L2Sqr_16s64s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek64s* pNorm, int scaleFactor);

/* ---- dot products ------------------------------------------------------------
 * sum pSrc1[k] * pSrc2[k], complex products not conjugated. A real operand
 * (the first in mixed forms) multiplies both parts of the complex one.
 *  32f, 32fc, 32f32fc: single precision, eight interleaved partial sums.
 *  32f64f, 32fc64fc, 32f32fc64fc, 64f, 64fc, 64f64fc: double precision.
 *  16s64s, 16sc64sc, 16s16sc64sc: exact 64-bit sums of the exact products.
 *  16s32f, 16sc32fc, 16s16sc32fc: the exact sums rounded to single.
 *  16s_Sfs, 16sc_Sfs, 16s16sc_Sfs, 16s32s_Sfs, 16s32s32s_Sfs, 16sc32sc_Sfs,
 *  16s16sc32sc_Sfs: the exact sum; sf > 0 rounds half to even (sf above 31
 *  acts as 31), sf < 0 shifts left by at most 15 bits; then saturates.
 *  32s_Sfs, 32sc_Sfs, 32s32sc_Sfs: products and sums in double (four
 *  interleaved partial sums), times 2^-sf with sf clamped to -31..93,
 *  clamped to the Vek32s range and rounded half to even. */
VekStatus veksDotProd_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, int len, Vek32f* pDp);
VekStatus veksDotProd_32fc(const Vek32fc* pSrc1, const Vek32fc* pSrc2, int len, Vek32fc* pDp);
VekStatus veksDotProd_32f32fc(const Vek32f* pSrc1, const Vek32fc* pSrc2, int len, Vek32fc* pDp);
VekStatus veksDotProd_32f64f(const Vek32f* pSrc1, const Vek32f* pSrc2, int len, Vek64f* pDp);
VekStatus veksDotProd_32fc64fc(const Vek32fc* pSrc1, const Vek32fc* pSrc2, int len, Vek64fc* pDp);
VekStatus veksDotProd_32f32fc64fc(const Vek32f* pSrc1, const Vek32fc* pSrc2, int len, Vek64fc* pDp);
VekStatus veksDotProd_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, int len, Vek64f* pDp);
VekStatus veksDotProd_64fc(const Vek64fc* pSrc1, const Vek64fc* pSrc2, int len, Vek64fc* pDp);
VekStatus veksDotProd_64f64fc(const Vek64f* pSrc1, const Vek64fc* pSrc2, int len, Vek64fc* pDp);
VekStatus veksDotProd_16s64s(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek64s* pDp);
VekStatus veksDotProd_16sc64sc(const Vek16sc* pSrc1, const Vek16sc* pSrc2, int len, Vek64sc* pDp);
VekStatus veksDotProd_16s16sc64sc(const Vek16s* pSrc1, const Vek16sc* pSrc2, int len, Vek64sc* pDp);
VekStatus veksDotProd_16s32f(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek32f* pDp);
VekStatus veksDotProd_16sc32fc(const Vek16sc* pSrc1, const Vek16sc* pSrc2, int len, Vek32fc* pDp);
VekStatus veksDotProd_16s16sc32fc(const Vek16s* pSrc1, const Vek16sc* pSrc2, int len, Vek32fc* pDp);
VekStatus veksDotProd_16s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek16s* pDp, int scaleFactor);
VekStatus veksDotProd_16sc_Sfs(const Vek16sc* pSrc1, const Vek16sc* pSrc2, int len, Vek16sc* pDp, int scaleFactor);
VekStatus veksDotProd_16s16sc_Sfs(const Vek16s* pSrc1, const Vek16sc* pSrc2, int len, Vek16sc* pDp, int scaleFactor);
VekStatus veksDotProd_16s32s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, int len, Vek32s* pDp, int scaleFactor);
VekStatus veksDotProd_16s32s32s_Sfs(const Vek16s* pSrc1, const Vek32s* pSrc2, int len, Vek32s* pDp, int scaleFactor);
VekStatus veksDotProd_16sc32sc_Sfs(const Vek16sc* pSrc1, const Vek16sc* pSrc2, int len, Vek32sc* pDp, int scaleFactor);
VekStatus veksDotProd_16s16sc32sc_Sfs(const Vek16s* pSrc1, const Vek16sc* pSrc2, int len, Vek32sc* pDp, int scaleFactor);
VekStatus veksDotProd_32s_Sfs(const Vek32s* pSrc1, const Vek32s* pSrc2, int len, Vek32s* pDp, int scaleFactor);
VekStatus veksDotProd_32sc_Sfs(const Vek32sc* pSrc1, const Vek32sc* pSrc2, int len, Vek32sc* pDp, int scaleFactor);
VekStatus veksDotProd_32s32sc_Sfs(const Vek32s* pSrc1, const Vek32sc* pSrc2, int len, Vek32sc* pDp, int scaleFactor);

/* ---- normalisation -------------------------------------------------------------
 * pDst = (pSrc - vSub) / vDiv. Float forms: |vDiv| below the smallest
 * normal number (1.1754944e-38 single, 2.2250738585072014e-308 double)
 * gives vekStsDivByZeroError after the pointer and length checks; otherwise
 * the difference (in the element type) is multiplied by 1/vDiv, formed in
 * single precision for 32f and in double for 32fc, 64f and 64fc.
 * Integer forms: vDiv == 0 gives vekStsDivByZeroError; the factor
 * (1/vDiv) * 2^-sf is single precision, its power of two taken with sf
 * modulo 128 (C remainder: 127 gives a zero factor, -1 doubles); results
 * saturate to the 16-bit range and otherwise truncate toward zero. */
VekStatus veksNormalize_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f vSub, Vek32f vDiv);
VekStatus veksNormalize_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f vSub, Vek64f vDiv);
VekStatus veksNormalize_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, Vek32fc vSub, Vek32f vDiv);
VekStatus veksNormalize_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len, Vek64fc vSub, Vek64f vDiv);
VekStatus veksNormalize_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, Vek16s vSub, int vDiv, int scaleFactor);
VekStatus veksNormalize_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int len, Vek16sc vSub, int vDiv, int scaleFactor);

/* ---- counting and searching ------------------------------------------------------
 * CountInRange counts lowerBound < x < upperBound (both bounds excluded).
 * FindNearest(One) needs a table sorted ascending; each value maps to the
 * nearest entry, a tie going to the lower one; values outside the table map
 * to its ends. Stores the entry and its index. FindNearestOne checks its
 * three pointers, then tableLen; FindNearest its four pointers, then len,
 * then tableLen. */
VekStatus veksCountInRange_32s(const Vek32s* pSrc, int len, int* pCount, Vek32s lowerBound, Vek32s upperBound);
VekStatus veksFindNearestOne_16u(Vek16u inpVal, Vek16u* pOutVal, int* pOutIndex, const Vek16u* pTable, int tblLen);
VekStatus veksFindNearest_16u(const Vek16u* pVals, Vek16u* pOutVals, int* pOutIndexes, int len,
                              const Vek16u* pTable, int tblLen);

/* ---- order of magnitude ----------------------------------------------------------
 * Checks the length BEFORE the pointers. Integer forms: the number of
 * significant bits of the largest magnitude (-32768 gives 16, all zeros 0).
 * Float forms: the exponent e of the largest finite magnitude M = f * 2^e,
 * 0.5 <= f < 1 (1.0 gives 1, 0.75 gives 0; M = 0 gives 0). Infinities and
 * NaNs count as 0 and make the status vekStsNonNormalData (a warning: the
 * order is still written); so does a denormal M, whose order is then -126
 * (32f) or -1022 (64f). */
VekStatus veksMaxOrder_16s(const Vek16s* pSrc, int len, int* pOrder);
VekStatus veksMaxOrder_32s(const Vek32s* pSrc, int len, int* pOrder);
VekStatus veksMaxOrder_32f(const Vek32f* pSrc, int len, int* pOrder);
VekStatus veksMaxOrder_64f(const Vek64f* pSrc, int len, int* pOrder);

VEKS_EXTERN_C_END

#endif
