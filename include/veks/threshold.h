/* vekszn: thresholding - clamp elements to a level, replace them by a value,
 * clamp by magnitude with the sign kept, and clamp then invert.
 * Included by veks.h; do not include directly.
 *
 * Out-of-place members take (pSrc, pDst, len, parameters); the _I members
 * take (pSrcDst, len, parameters) and give the same results in place.
 * Checks in order: a null pointer (vekStsNullPtr), len < 1
 * (vekStsBadLength), a magnitude level below 0 where noted
 * (vekStsNegativeLevel), levelGT < levelLT (vekStsBadLevelOrder); nothing is
 * written on an error. Levels have the element's real type; replacement
 * values have the element type. Every array may start at any address. */
#ifndef VEKS_THRESHOLD_H
#define VEKS_THRESHOLD_H

VEKS_EXTERN_C_BEGIN

/* ---- clamp to a level ------------------------------------------------------------
 * Real data, level L: LT gives x > L ? x : L, GT gives x < L ? x : L, so an
 * element equal to L, and a NaN, becomes L (bit for bit: x = -0.0 with
 * L = +0.0 gives +0.0). The generic form with relOp vekCmpGreater (4) is
 * GT; any other relOp value is LT.
 * Complex data are compared by magnitude: with m = re^2 + im^2 (double;
 * unsigned 32-bit integers for 16sc) and level L >= 0 (below 0:
 * vekStsNegativeLevel), GT keeps m <= L^2 and LT keeps m >= L^2; any other
 * element is multiplied by sqrt(L^2 / m) (double), so it keeps its direction
 * and gets magnitude L. LT turns zero into (L, 0). 16sc components of a
 * scaled element are rounded to nearest, ties to even. The factor follows
 * the formula literally: an element with an infinite component that is
 * clamped gives NaN components, as 0 * infinity does. */
VekStatus veksThreshold_16s(const Vek16s* pSrc, Vek16s* pDst, int len, Vek16s level, int relOp);
VekStatus veksThreshold_16s_I(Vek16s* pSrcDst, int len, Vek16s level, int relOp);
VekStatus veksThreshold_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len, Vek16s level, int relOp);
VekStatus veksThreshold_16sc_I(Vek16sc* pSrcDst, int len, Vek16s level, int relOp);
VekStatus veksThreshold_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f level, int relOp);
VekStatus veksThreshold_32f_I(Vek32f* pSrcDst, int len, Vek32f level, int relOp);
VekStatus veksThreshold_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, Vek32f level, int relOp);
VekStatus veksThreshold_32fc_I(Vek32fc* pSrcDst, int len, Vek32f level, int relOp);
VekStatus veksThreshold_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f level, int relOp);
VekStatus veksThreshold_64f_I(Vek64f* pSrcDst, int len, Vek64f level, int relOp);
VekStatus veksThreshold_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len, Vek64f level, int relOp);
VekStatus veksThreshold_64fc_I(Vek64fc* pSrcDst, int len, Vek64f level, int relOp);

VekStatus veksThreshold_LT_16s(const Vek16s* pSrc, Vek16s* pDst, int len, Vek16s level);
VekStatus veksThreshold_LT_16s_I(Vek16s* pSrcDst, int len, Vek16s level);
VekStatus veksThreshold_LT_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len, Vek16s level);
VekStatus veksThreshold_LT_16sc_I(Vek16sc* pSrcDst, int len, Vek16s level);
VekStatus veksThreshold_LT_32s(const Vek32s* pSrc, Vek32s* pDst, int len, Vek32s level);
VekStatus veksThreshold_LT_32s_I(Vek32s* pSrcDst, int len, Vek32s level);
VekStatus veksThreshold_LT_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f level);
VekStatus veksThreshold_LT_32f_I(Vek32f* pSrcDst, int len, Vek32f level);
VekStatus veksThreshold_LT_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, Vek32f level);
VekStatus veksThreshold_LT_32fc_I(Vek32fc* pSrcDst, int len, Vek32f level);
VekStatus veksThreshold_LT_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f level);
VekStatus veksThreshold_LT_64f_I(Vek64f* pSrcDst, int len, Vek64f level);
VekStatus veksThreshold_LT_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len, Vek64f level);
VekStatus veksThreshold_LT_64fc_I(Vek64fc* pSrcDst, int len, Vek64f level);
VekStatus veksThreshold_GT_16s(const Vek16s* pSrc, Vek16s* pDst, int len, Vek16s level);
VekStatus veksThreshold_GT_16s_I(Vek16s* pSrcDst, int len, Vek16s level);
VekStatus veksThreshold_GT_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len, Vek16s level);
VekStatus veksThreshold_GT_16sc_I(Vek16sc* pSrcDst, int len, Vek16s level);
VekStatus veksThreshold_GT_32s(const Vek32s* pSrc, Vek32s* pDst, int len, Vek32s level);
VekStatus veksThreshold_GT_32s_I(Vek32s* pSrcDst, int len, Vek32s level);
VekStatus veksThreshold_GT_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f level);
VekStatus veksThreshold_GT_32f_I(Vek32f* pSrcDst, int len, Vek32f level);
VekStatus veksThreshold_GT_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, Vek32f level);
VekStatus veksThreshold_GT_32fc_I(Vek32fc* pSrcDst, int len, Vek32f level);
VekStatus veksThreshold_GT_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f level);
VekStatus veksThreshold_GT_64f_I(Vek64f* pSrcDst, int len, Vek64f level);
VekStatus veksThreshold_GT_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len, Vek64f level);
VekStatus veksThreshold_GT_64fc_I(Vek64fc* pSrcDst, int len, Vek64f level);

/* ---- replace by a value -------------------------------------------------------------
 * LTVal: x >= L ? x : value. GTVal: x <= L ? x : value. An element equal to
 * the level is kept; a NaN becomes value. Complex forms compare m with L^2
 * as above (L below 0: vekStsNegativeLevel) and replace by the complex
 * value. */
VekStatus veksThreshold_LTVal_16s(const Vek16s* pSrc, Vek16s* pDst, int len, Vek16s level, Vek16s value);
VekStatus veksThreshold_LTVal_16s_I(Vek16s* pSrcDst, int len, Vek16s level, Vek16s value);
VekStatus veksThreshold_LTVal_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len, Vek16s level, Vek16sc value);
VekStatus veksThreshold_LTVal_16sc_I(Vek16sc* pSrcDst, int len, Vek16s level, Vek16sc value);
VekStatus veksThreshold_LTVal_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f level, Vek32f value);
VekStatus veksThreshold_LTVal_32f_I(Vek32f* pSrcDst, int len, Vek32f level, Vek32f value);
VekStatus veksThreshold_LTVal_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, Vek32f level, Vek32fc value);
VekStatus veksThreshold_LTVal_32fc_I(Vek32fc* pSrcDst, int len, Vek32f level, Vek32fc value);
VekStatus veksThreshold_LTVal_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f level, Vek64f value);
VekStatus veksThreshold_LTVal_64f_I(Vek64f* pSrcDst, int len, Vek64f level, Vek64f value);
VekStatus veksThreshold_LTVal_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len, Vek64f level, Vek64fc value);
VekStatus veksThreshold_LTVal_64fc_I(Vek64fc* pSrcDst, int len, Vek64f level, Vek64fc value);
VekStatus veksThreshold_GTVal_16s(const Vek16s* pSrc, Vek16s* pDst, int len, Vek16s level, Vek16s value);
VekStatus veksThreshold_GTVal_16s_I(Vek16s* pSrcDst, int len, Vek16s level, Vek16s value);
VekStatus veksThreshold_GTVal_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len, Vek16s level, Vek16sc value);
VekStatus veksThreshold_GTVal_16sc_I(Vek16sc* pSrcDst, int len, Vek16s level, Vek16sc value);
VekStatus veksThreshold_GTVal_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f level, Vek32f value);
VekStatus veksThreshold_GTVal_32f_I(Vek32f* pSrcDst, int len, Vek32f level, Vek32f value);
VekStatus veksThreshold_GTVal_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, Vek32f level, Vek32fc value);
VekStatus veksThreshold_GTVal_32fc_I(Vek32fc* pSrcDst, int len, Vek32f level, Vek32fc value);
VekStatus veksThreshold_GTVal_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f level, Vek64f value);
VekStatus veksThreshold_GTVal_64f_I(Vek64f* pSrcDst, int len, Vek64f level, Vek64f value);
VekStatus veksThreshold_GTVal_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len, Vek64f level, Vek64fc value);
VekStatus veksThreshold_GTVal_64fc_I(Vek64fc* pSrcDst, int len, Vek64f level, Vek64fc value);

/* ---- replace outside a range -----------------------------------------------------
 * levelLT <= x <= levelGT keeps x; otherwise x <= levelGT gives valueLT and
 * anything else (x above levelGT, NaN) gives valueGT. levelGT < levelLT:
 * vekStsBadLevelOrder (after the pointer and length checks). */
VekStatus veksThreshold_LTValGTVal_16s(const Vek16s* pSrc, Vek16s* pDst, int len, Vek16s levelLT, Vek16s valueLT, Vek16s levelGT, Vek16s valueGT);
VekStatus veksThreshold_LTValGTVal_16s_I(Vek16s* pSrcDst, int len, Vek16s levelLT, Vek16s valueLT, Vek16s levelGT, Vek16s valueGT);
VekStatus veksThreshold_LTValGTVal_32s(const Vek32s* pSrc, Vek32s* pDst, int len, Vek32s levelLT, Vek32s valueLT, Vek32s levelGT, Vek32s valueGT);
VekStatus veksThreshold_LTValGTVal_32s_I(Vek32s* pSrcDst, int len, Vek32s levelLT, Vek32s valueLT, Vek32s levelGT, Vek32s valueGT);
VekStatus veksThreshold_LTValGTVal_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f levelLT, Vek32f valueLT, Vek32f levelGT, Vek32f valueGT);
VekStatus veksThreshold_LTValGTVal_32f_I(Vek32f* pSrcDst, int len, Vek32f levelLT, Vek32f valueLT, Vek32f levelGT, Vek32f valueGT);
VekStatus veksThreshold_LTValGTVal_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f levelLT, Vek64f valueLT, Vek64f levelGT, Vek64f valueGT);
VekStatus veksThreshold_LTValGTVal_64f_I(Vek64f* pSrcDst, int len, Vek64f levelLT, Vek64f valueLT, Vek64f levelGT, Vek64f valueGT);

/* ---- clamp by magnitude, keeping the sign ---------------------------------------------
 * Level L >= 0 (below 0: vekStsNegativeLevel). LTAbs keeps |x| >= L, GTAbs
 * keeps |x| <= L; any other element becomes L if x >= 0 (-0.0 included) and
 * -L if x < 0. For floating point -L is formed as 0 - L, so level 0 gives
 * +0.0, and a NaN becomes -L. Integer LTAbs with level 0 copies the vector;
 * -32768 (-2147483648) counts as the largest magnitude. */
VekStatus veksThreshold_LTAbs_16s(const Vek16s* pSrc, Vek16s* pDst, int len, Vek16s level);
VekStatus veksThreshold_LTAbs_16s_I(Vek16s* pSrcDst, int len, Vek16s level);
VekStatus veksThreshold_LTAbs_32s(const Vek32s* pSrc, Vek32s* pDst, int len, Vek32s level);
VekStatus veksThreshold_LTAbs_32s_I(Vek32s* pSrcDst, int len, Vek32s level);
VekStatus veksThreshold_LTAbs_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f level);
VekStatus veksThreshold_LTAbs_32f_I(Vek32f* pSrcDst, int len, Vek32f level);
VekStatus veksThreshold_LTAbs_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f level);
VekStatus veksThreshold_LTAbs_64f_I(Vek64f* pSrcDst, int len, Vek64f level);
VekStatus veksThreshold_GTAbs_16s(const Vek16s* pSrc, Vek16s* pDst, int len, Vek16s level);
VekStatus veksThreshold_GTAbs_16s_I(Vek16s* pSrcDst, int len, Vek16s level);
VekStatus veksThreshold_GTAbs_32s(const Vek32s* pSrc, Vek32s* pDst, int len, Vek32s level);
VekStatus veksThreshold_GTAbs_32s_I(Vek32s* pSrcDst, int len, Vek32s level);
VekStatus veksThreshold_GTAbs_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f level);
VekStatus veksThreshold_GTAbs_32f_I(Vek32f* pSrcDst, int len, Vek32f level);
VekStatus veksThreshold_GTAbs_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f level);
VekStatus veksThreshold_GTAbs_64f_I(Vek64f* pSrcDst, int len, Vek64f level);

/* ---- clamp then invert ---------------------------------------------------------------
 * Level L >= 0 (below 0: vekStsNegativeLevel).
 * L = 0: every element becomes 1/x; a zero of either sign gives +infinity
 * and the function returns the warning vekStsInverseOfZero (4) after the
 * whole vector is written. Complex: 1/z = (re, -im) / m in double, and zero
 * gives (+infinity, 0) with the same warning.
 * L > 0, real: |x| > L gives 1/x; otherwise 1/L when x >= 0 (-0.0 included)
 * and -1/L when not (x < 0, and NaN). Results are correctly rounded
 * divisions in the element's precision.
 * L > 0, complex (double, rounded once): m >= L^2 gives (re, -im) / m;
 * otherwise (re, -im) / (sqrt(m) * L), magnitude 1/L, and zero gives
 * (1/L, 0). No warning is returned for L > 0. */
VekStatus veksThreshold_LTInv_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f level);
VekStatus veksThreshold_LTInv_32f_I(Vek32f* pSrcDst, int len, Vek32f level);
VekStatus veksThreshold_LTInv_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, Vek32f level);
VekStatus veksThreshold_LTInv_32fc_I(Vek32fc* pSrcDst, int len, Vek32f level);
VekStatus veksThreshold_LTInv_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek64f level);
VekStatus veksThreshold_LTInv_64f_I(Vek64f* pSrcDst, int len, Vek64f level);
VekStatus veksThreshold_LTInv_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len, Vek64f level);
VekStatus veksThreshold_LTInv_64fc_I(Vek64fc* pSrcDst, int len, Vek64f level);

VEKS_EXTERN_C_END

#endif
