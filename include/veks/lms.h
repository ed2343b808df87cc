/* vekszn: adaptive (least-mean-squares) FIR filters. Included by veks.h; do
 * not include directly. Arrays may sit at any address; errors write nothing.
 *
 * ---- single-rate LMS (Vek32f taps) -------------------------------------------
 * Taps are kept reversed (tapsInv[j] multiplies the j-th oldest sample of
 * the window) with a delay buffer of 2 * tapsLen samples, a circular window
 * whose every sample is held twice (elements j and j + tapsLen), and an index
 * in [0, tapsLen). One step with L = tapsLen, index i, input x, reference r:
 *   1. store x at elements i and i + L; i = i + 1, wrapping to 0 at L; the
 *      window is delay[i .. i+L-1], oldest first;
 *   2. y = sum of tapsInv[j] * delay[i+j]: products in single precision,
 *      accumulated in double precision (eight partial sums, term j in sum
 *      j mod 8, combined pairwise; the same bits on every path);
 *   3. the output is y rounded to single precision; 16-bit outputs are y
 *      clamped to [-32768, 32767] and rounded half away from zero;
 *   4. e = r - y (y unrounded); w = (2 * mu) * e, mu doubled in single
 *      precision, then the product in double;
 *   5. tapsInv[j] = tapsInv[j] + w * delay[i+j] in double, stored in single.
 * The output of a step uses the taps before that step's update. The block
 * forms apply the step to each sample in order; a stream split into blocks
 * of any sizes gives the same outputs and taps as one call. pDst may be
 * pSrc or pRef. mu = 0 gives a plain FIR filter.
 *
 * State forms (_32f: Vek32f data, identifier 0x4C4D5331; 32f_16s: Vek16s
 * data, identifier 0x4C4D5300). InitAlloc takes the taps in natural order
 * (null pTaps: zero taps) and reverses them, stores pDlyLine[j] (tapsLen
 * values; null: zeros) at delay elements j and j + tapsLen without
 * reordering, and takes dlyLineIndex as the initial index. GetTaps writes
 * the taps in natural order. GetDlyLine writes delay elements 0 .. tapsLen-1
 * as stored and the index, SetDlyLine stores them as InitAlloc does:
 * GetDlyLine, then SetDlyLine with the returned index, restores the history.
 * Free invalidates and releases the state.
 * Checks. InitAlloc: ppState null (vekStsNullPtr); tapsLen < 1
 * (vekStsBadLength); dlyLineIndex outside [0, tapsLen)
 * (vekStsBadDelayIndex); allocation (vekStsNoMemory). GetTaps, GetDlyLine,
 * SetDlyLine, Free: null pointers, then the identifier (vekStsBadContext),
 * then for SetDlyLine the index (vekStsBadDelayIndex). FIRLMS: pState, pSrc,
 * pRef, pDst null; len < 1 (vekStsBadLength); identifier.
 * One-sample direct forms: the caller keeps pTapsInv (reversed taps), the
 * 2 * tapsLen delay buffer and *pDlyLineIndex. Checks: pTapsInv, pDlyLine,
 * pDlyLineIndex, pDstVal null; tapsLen < 1 (vekStsBadLength); index outside
 * [0, tapsLen) (vekStsBadDelayIndex).
 *
 * ---- fixed point: veksFIRLMSOne_DirectQ15_16s and the multirate family --------
 * A Vek32s tap is a Q31 value: its upper 16 bits (tap >> 16, arithmetic) are
 * the Q15 tap that filters, the lower 16 bits keep the fraction that small
 * updates accumulate. Samples and errors count as Q15 fractions of full
 * scale and mu is Q15, so the update 2 mu e x becomes, in Q31 tap units,
 *   tap += round(muQ15 * e * x / 2^13)        (e in sample units)
 * rounded half to even and saturated to the Vek32s range; products are
 * exact in 64 bits.
 * veksFIRLMSOne_DirectQ15_16s: the step above with L, i and the doubled
 * delay buffer of the other one-sample forms; y = sum of (tapsInv[j] >> 16)
 * * delay[i+j] (exact), divided by 2^15 rounding half to even, saturated to
 * [-32768, 32767] and stored; e = refVal - (stored output); then every tap
 * is updated with its window sample. Checks as the other one-sample forms.
 *
 * Multirate LMS (32s_16s: Vek32s taps and outputs, Vek16s samples,
 * identifier 0x4C4D5352; 32sc_16sc: Vek32sc / Vek16sc, identifier
 * 0x4C4D5343). The state holds the reversed taps, a delay line of
 * D = tapsLen * upFactor + dlyLineStep samples (held twice), the index where
 * the next sample goes, and mu (Q15).
 *   PutVal: stores a sample and advances the index (wrapping at D).
 *   One: *pDstVal = sum over j of (tapsInv[j] >> 16) * x[newest - (tapsLen-1-j)
 *     * upFactor], exact, saturated to 32 bits: the output in Q15 (a sample
 *     times 2^15). OneVal puts val first, then computes One. Complex: the
 *     complex product tap * x per term.
 *   UpdateTaps(errVal): errVal is the error in the units of the output
 *     (for example (reference << 15) - output). It is shifted right
 *     arithmetically by the least count s in 0..15 that brings it (each
 *     part) into 16 bits, saturated to 16 bits if 15 do not suffice: e16.
 *     Every tap then moves by round(mu * e16 * x * 2^s / 2^28) (= 2 mu e x
 *     in Q31 with Q15 samples and e = errVal / 2^15 in sample units),
 *     rounded half to even, saturated; complex data use e16 * conj(x). The
 *     samples x are those of the window that ends dlyLineStep samples
 *     before the newest: dlyLineStep is the number of samples put between
 *     an output and the arrival of its error (0: the window of One).
 *   GetDlyVal(index): the sample put index samples before the newest (0 the
 *     newest); index outside [0, D): vekStsIndexOutOfRange.
 *   GetTaps/SetTaps: taps in natural order. GetTapsPointer: the state's
 *     reversed taps (valid until Free). GetDlyLine/SetDlyLine: the D samples
 *     oldest first; SetDlyLine sets the index to 0. SetMu: any value.
 * InitAlloc takes natural-order taps (null: zeros), pDlyLine as D raw delay
 * values stored at elements j and j + D with dlyLineIndex as the index (null:
 * zeros), upFactor, dlyLineStep and mu.
 * Checks. InitAlloc: ppState null (vekStsNullPtr); tapsLen < 1, upFactor < 1,
 * dlyLineStep < 0 or dlyLineIndex outside [0, D) (vekStsBadLength);
 * allocation (vekStsNoMemory). Others: null pointers (vekStsNullPtr), then
 * the identifier (vekStsBadContext), then GetDlyVal's index. */
#ifndef VEKS_LMS_H
#define VEKS_LMS_H

VEKS_EXTERN_C_BEGIN

typedef struct VeksFIRLMSState_32f VeksFIRLMSState_32f;
typedef struct VeksFIRLMSState32f_16s VeksFIRLMSState32f_16s;
typedef struct VeksFIRLMSMRState32s_16s VeksFIRLMSMRState32s_16s;
typedef struct VeksFIRLMSMRState32sc_16sc VeksFIRLMSMRState32sc_16sc;

VekStatus veksFIRLMSInitAlloc_32f(VeksFIRLMSState_32f** ppState, const Vek32f* pTaps, int tapsLen,
                                  const Vek32f* pDlyLine, int dlyLineIndex);
VekStatus veksFIRLMSInitAlloc32f_16s(VeksFIRLMSState32f_16s** ppState, const Vek32f* pTaps, int tapsLen,
                                     const Vek16s* pDlyLine, int dlyLineIndex);
VekStatus veksFIRLMSFree_32f(VeksFIRLMSState_32f* pState);
VekStatus veksFIRLMSFree32f_16s(VeksFIRLMSState32f_16s* pState);
VekStatus veksFIRLMSGetTaps_32f(const VeksFIRLMSState_32f* pState, Vek32f* pOutTaps);
VekStatus veksFIRLMSGetTaps32f_16s(const VeksFIRLMSState32f_16s* pState, Vek32f* pOutTaps);
VekStatus veksFIRLMSGetDlyLine_32f(const VeksFIRLMSState_32f* pState, Vek32f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIRLMSGetDlyLine32f_16s(const VeksFIRLMSState32f_16s* pState, Vek16s* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIRLMSSetDlyLine_32f(VeksFIRLMSState_32f* pState, const Vek32f* pDlyLine, int dlyLineIndex);
VekStatus veksFIRLMSSetDlyLine32f_16s(VeksFIRLMSState32f_16s* pState, const Vek16s* pDlyLine, int dlyLineIndex);
VekStatus veksFIRLMS_32f(const Vek32f* pSrc, const Vek32f* pRef, Vek32f* pDst, int len, float mu,
                         VeksFIRLMSState_32f* pState);
VekStatus veksFIRLMS32f_16s(const Vek16s* pSrc, const Vek16s* pRef, Vek16s* pDst, int len, float mu,
                            VeksFIRLMSState32f_16s* pState);

VekStatus veksFIRLMSOne_Direct_32f(Vek32f src, Vek32f refVal, Vek32f* pDstVal, Vek32f* pTapsInv, int tapsLen,
                                   float mu, Vek32f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIRLMSOne_Direct32f_16s(Vek16s src, Vek16s refVal, Vek16s* pDstVal, Vek32f* pTapsInv, int tapsLen,
                                      float mu, Vek16s* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIRLMSOne_DirectQ15_16s(Vek16s src, Vek16s refVal, Vek16s* pDstVal, Vek32s* pTapsInv, int tapsLen,
                                      int muQ15, Vek16s* pDlyLine, int* pDlyLineIndex);

VekStatus veksFIRLMSMRInitAlloc32s_16s(VeksFIRLMSMRState32s_16s** ppState, const Vek32s* pTaps, int tapsLen,
                                       const Vek16s* pDlyLine, int dlyLineIndex, int upFactor, int dlyLineStep,
                                       int mu);
VekStatus veksFIRLMSMRFree32s_16s(VeksFIRLMSMRState32s_16s* pState);
VekStatus veksFIRLMSMROne32s_16s(Vek32s* pDstVal, VeksFIRLMSMRState32s_16s* pState);
VekStatus veksFIRLMSMROneVal32s_16s(Vek16s val, Vek32s* pDstVal, VeksFIRLMSMRState32s_16s* pState);
VekStatus veksFIRLMSMRUpdateTaps32s_16s(Vek32s errVal, VeksFIRLMSMRState32s_16s* pState);
VekStatus veksFIRLMSMRPutVal32s_16s(Vek16s val, VeksFIRLMSMRState32s_16s* pState);
VekStatus veksFIRLMSMRGetDlyVal32s_16s(const VeksFIRLMSMRState32s_16s* pState, Vek16s* pDlyVal, int index);
VekStatus veksFIRLMSMRSetMu32s_16s(VeksFIRLMSMRState32s_16s* pState, int mu);
VekStatus veksFIRLMSMRSetTaps32s_16s(VeksFIRLMSMRState32s_16s* pState, const Vek32s* pInTaps);
VekStatus veksFIRLMSMRGetTaps32s_16s(const VeksFIRLMSMRState32s_16s* pState, Vek32s* pOutTaps);
VekStatus veksFIRLMSMRGetTapsPointer32s_16s(VeksFIRLMSMRState32s_16s* pState, Vek32s** ppTaps);
VekStatus veksFIRLMSMRGetDlyLine32s_16s(const VeksFIRLMSMRState32s_16s* pState, Vek16s* pDlyLine);
VekStatus veksFIRLMSMRSetDlyLine32s_16s(VeksFIRLMSMRState32s_16s* pState, const Vek16s* pDlyLine);

VekStatus veksFIRLMSMRInitAlloc32sc_16sc(VeksFIRLMSMRState32sc_16sc** ppState, const Vek32sc* pTaps, int tapsLen,
                                         const Vek16sc* pDlyLine, int dlyLineIndex, int upFactor, int dlyLineStep,
                                         int mu);
VekStatus veksFIRLMSMRFree32sc_16sc(VeksFIRLMSMRState32sc_16sc* pState);
VekStatus veksFIRLMSMROne32sc_16sc(Vek32sc* pDstVal, VeksFIRLMSMRState32sc_16sc* pState);
VekStatus veksFIRLMSMROneVal32sc_16sc(Vek16sc val, Vek32sc* pDstVal, VeksFIRLMSMRState32sc_16sc* pState);
VekStatus veksFIRLMSMRUpdateTaps32sc_16sc(Vek32sc errVal, VeksFIRLMSMRState32sc_16sc* pState);
VekStatus veksFIRLMSMRPutVal32sc_16sc(Vek16sc val, VeksFIRLMSMRState32sc_16sc* pState);
VekStatus veksFIRLMSMRGetDlyVal32sc_16sc(const VeksFIRLMSMRState32sc_16sc* pState, Vek16sc* pDlyVal, int index);
VekStatus veksFIRLMSMRSetMu32sc_16sc(VeksFIRLMSMRState32sc_16sc* pState, int mu);
VekStatus veksFIRLMSMRSetTaps32sc_16sc(VeksFIRLMSMRState32sc_16sc* pState, const Vek32sc* pInTaps);
VekStatus veksFIRLMSMRGetTaps32sc_16sc(const VeksFIRLMSMRState32sc_16sc* pState, Vek32sc* pOutTaps);
VekStatus veksFIRLMSMRGetTapsPointer32sc_16sc(VeksFIRLMSMRState32sc_16sc* pState, Vek32sc** ppTaps);
VekStatus veksFIRLMSMRGetDlyLine32sc_16sc(const VeksFIRLMSMRState32sc_16sc* pState, Vek16sc* pDlyLine);
VekStatus veksFIRLMSMRSetDlyLine32sc_16sc(VeksFIRLMSMRState32sc_16sc* pState, const Vek16sc* pDlyLine);

VEKS_EXTERN_C_END

#endif
