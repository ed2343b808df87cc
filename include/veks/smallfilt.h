/* vekszn: small filters - sparse FIR, pre-emphasis, sliding window sums and
 * exponential averaging updates. Included by veks.h; do not include directly.
 * Arrays may sit at any address; errors write nothing. */
#ifndef VEKS_SMALLFILT_H
#define VEKS_SMALLFILT_H

VEKS_EXTERN_C_BEGIN

/* ---- sparse FIR --------------------------------------------------------------
 * y[n] = sum over i of pNZTaps[i] * x[n - pNZTapPos[i]]: nzTapsLen taps at
 * strictly increasing delays >= 0; the order is the largest delay. The state
 * lives in a caller buffer of veksFIRSparseGetStateSize_32f bytes, placed at
 * its next 16-byte boundary: A(8 order) + 2 A(4 nzTapsLen) + 48 bytes, A(x)
 * being x rounded up to a multiple of 16. Pass the largest delay as order
 * (at least 1, also when the only delay is 0). It keeps the taps reversed,
 * each tap's offset from the largest delay, and a delay line of order
 * samples. Blocks may be of any length: streaming in pieces gives the
 * output of one call. pSrc and pDst must not overlap.
 * GetStateSize: pStateSize null (vekStsNullPtr); nzTapsLen < 1 or order < 1
 * (vekStsBadTapCount).
 * Init: ppState, pNZTaps, pNZTapPos or pBuffer null (vekStsNullPtr);
 * nzTapsLen < 1 (vekStsBadTapCount); a negative first delay or delays not
 * strictly increasing (vekStsBadSparseTaps). pDlyLine (order samples, newest
 * first: pDlyLine[0] is x[-1]) may be null for a zero history.
 * Filter: pState, pSrc or pDst null (vekStsNullPtr); len < 1
 * (vekStsBadLength); a state not made by Init (vekStsBadContext). */
typedef struct VeksFIRSparseState_32f VeksFIRSparseState_32f;
VekStatus veksFIRSparseGetStateSize_32f(int nzTapsLen, int order, int* pStateSize);
VekStatus veksFIRSparseInit_32f(VeksFIRSparseState_32f** ppState, const Vek32f* pNZTaps, const Vek32s* pNZTapPos,
                                int nzTapsLen, const Vek32f* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRSparse_32f(const Vek32f* pSrc, Vek32f* pDst, int len, VeksFIRSparseState_32f* pState);

/* ---- pre-emphasis -------------------------------------------------------------
 * In place: y[0] = x[0], y[n] = x[n] - val * x[n-1] (the input before the
 * update; no history between calls), computed in single precision. The
 * 16-bit form rounds to nearest (ties to even) and saturates. Checks: null
 * (vekStsNullPtr), len < 1 (vekStsBadLength). */
VekStatus veksPreemphasize_32f(Vek32f* pSrcDst, int len, Vek32f val);
VekStatus veksPreemphasize_16s(Vek16s* pSrcDst, int len, Vek32f val);

/* ---- sliding window sum ---------------------------------------------------------
 * dst[k] = src[k] + ... + src[k + maskSize - 1], k = 0 .. len-1 (pSrc holds
 * len + maskSize - 1 elements), as a running single-precision sum: the
 * first window summed in order, each next value by adding
 * src[k - 1 + maskSize] - src[k - 1]. Checks: pSrc or pDst null
 * (vekStsNullPtr); maskSize < 1 (vekStsBadWindowLength); len < 1 returns
 * vekStsOk with nothing written. */
VekStatus veksSumWindow_8u32f(const Vek8u* pSrc, Vek32f* pDst, int len, int maskSize);
VekStatus veksSumWindow_16s32f(const Vek16s* pSrc, Vek32f* pDst, int len, int maskSize);

/* ---- exponential averaging updates -------------------------------------------------
 * Starting from s = *pSrcDst, for each sample x in order, in double precision:
 *   Linear: s = s * alpha + (x >> srcShiftRight) * (1 - alpha), arithmetic
 *           shift clamped to 0..15;
 *   Power:  s = s * alpha + ((x * x) >> srcShiftRight) * (1 - alpha), the
 *           square as an unsigned 32-bit value, shift clamped to 0..31.
 * alpha is an integer. *pSrcDst receives s rounded to nearest (ties to even),
 * saturated to the Vek32s range. Checks: pSrc or pSrcDst null
 * (vekStsNullPtr), len < 1 (vekStsBadLength). */
VekStatus veksUpdateLinear_16s32s_I(const Vek16s* pSrc, int len, Vek32s* pSrcDst, int srcShiftRight, Vek16s alpha);
VekStatus veksUpdatePower_16s32s_I(const Vek16s* pSrc, int len, Vek32s* pSrcDst, int srcShiftRight, Vek16s alpha);

VEKS_EXTERN_C_END

#endif
