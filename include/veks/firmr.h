/* vekszn: firmr family. Included by veks.h after veks/fir.h; do not include
 * directly.
 *
 * Multirate FIR: the input is up-sampled by upFactor (sample m at position
 * upPhase + m * upFactor, zeros between), filtered by the taps and
 * down-sampled (outputs at downPhase + j * downFactor). One iteration
 * consumes downFactor inputs and produces upFactor outputs: a call of
 * numIters iterations reads numIters * downFactor samples and writes
 * numIters * upFactor. The history is ceil(tapsLen / upFactor) inputs,
 * given and returned newest first.
 *
 * States. FIRMRInit / FIRMRInitAlloc build a multirate state of the form
 * (identifier: the single-rate code plus 2), used through veksFIR_*,
 * veksFIR*_I, FIRGetTaps, FIRSetTaps, FIRGetDlyLine, FIRSetDlyLine and
 * FIRFree of the form (FIROne refuses it). upFactor = downFactor = 1 builds
 * (and sizes) the single-rate state. The method (1 direct polyphase, 2
 * decimating, 3 indexed polyphase) follows r = tapsLen / (3 downFactor +
 * tapsLen): down-sampling only uses 1 when r > 0.5, else 2; up-sampling
 * uses 1 when r > 0.3, else 3; all give the same outputs. Sums: Vek32f taps
 * form single-precision products summed in double precision, Vek64f taps
 * double precision; integer outputs scale and round as the single-rate
 * forms (veks/fir.h); integer-tap forms take tapsFactor after tapsLen and
 * normalise their taps as the single-rate ones. Calls of 1601 iterations
 * or more divide the outputs among OpenMP threads. In-place calls run
 * through the state's scratch area when upFactor <= downFactor and
 * allocate a copy of the inputs otherwise (vekStsNoMemory if that fails).
 *
 * Check order. GetStateSize: pSize null, tapsLen < 1 (vekStsBadTapCount),
 * a factor < 1 (vekStsBadMultirateFactor). Init: ppState, pTaps, pBuffer
 * null, tapsLen, factors, a phase outside [0, factor)
 * (vekStsBadMultiratePhase). Direct forms (delay line of ceil(tapsLen /
 * upFactor) samples, newest first, updated): pSrc, pDst null, numIters < 1,
 * pTaps null, tapsLen, factors, phases, pDlyLine null.
 *
 * SampleUp writes factor * srcLen samples: src[i] at i * factor + phase,
 * zeros elsewhere (the phase is unchanged). SampleDown takes src[p + j *
 * factor] (p = *pPhase) while inside the source, stores the count in
 * *pDstLen and sets *pPhase to the offset of the next sample to take in the
 * following block. Checks: pSrc, pDst, pDstLen, pPhase null, srcLen < 1,
 * factor < 1 (vekStsBadSampleFactor), phase outside [0, factor)
 * (vekStsBadSamplePhase).
 */
#ifndef VEKS_FIRMR_H
#define VEKS_FIRMR_H

VEKS_EXTERN_C_BEGIN

/* ---- multirate states ------------------------------------------------------- */
VekStatus veksFIRMRGetStateSize_32f(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit_32f(VeksFIRState_32f** ppState, const Vek32f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32f* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc_32f(VeksFIRState_32f** ppState, const Vek32f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32f* pDlyLine);
VekStatus veksFIRMRGetStateSize_32fc(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit_32fc(VeksFIRState_32fc** ppState, const Vek32fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32fc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc_32fc(VeksFIRState_32fc** ppState, const Vek32fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32fc* pDlyLine);
VekStatus veksFIRMRGetStateSize_64f(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit_64f(VeksFIRState_64f** ppState, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek64f* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc_64f(VeksFIRState_64f** ppState, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek64f* pDlyLine);
VekStatus veksFIRMRGetStateSize_64fc(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit_64fc(VeksFIRState_64fc** ppState, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek64fc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc_64fc(VeksFIRState_64fc** ppState, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek64fc* pDlyLine);
VekStatus veksFIRMRGetStateSize32f_16s(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit32f_16s(VeksFIRState32f_16s** ppState, const Vek32f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc32f_16s(VeksFIRState32f_16s** ppState, const Vek32f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16s* pDlyLine);
VekStatus veksFIRMRGetStateSize32fc_16sc(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit32fc_16sc(VeksFIRState32fc_16sc** ppState, const Vek32fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16sc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc32fc_16sc(VeksFIRState32fc_16sc** ppState, const Vek32fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16sc* pDlyLine);
VekStatus veksFIRMRGetStateSize64f_16s(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit64f_16s(VeksFIRState64f_16s** ppState, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc64f_16s(VeksFIRState64f_16s** ppState, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16s* pDlyLine);
VekStatus veksFIRMRGetStateSize64fc_16sc(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit64fc_16sc(VeksFIRState64fc_16sc** ppState, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16sc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc64fc_16sc(VeksFIRState64fc_16sc** ppState, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16sc* pDlyLine);
VekStatus veksFIRMRGetStateSize64f_32f(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit64f_32f(VeksFIRState64f_32f** ppState, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32f* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc64f_32f(VeksFIRState64f_32f** ppState, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32f* pDlyLine);
VekStatus veksFIRMRGetStateSize64fc_32fc(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit64fc_32fc(VeksFIRState64fc_32fc** ppState, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32fc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc64fc_32fc(VeksFIRState64fc_32fc** ppState, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32fc* pDlyLine);
VekStatus veksFIRMRGetStateSize64f_32s(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit64f_32s(VeksFIRState64f_32s** ppState, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc64f_32s(VeksFIRState64f_32s** ppState, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32s* pDlyLine);
VekStatus veksFIRMRGetStateSize64fc_32sc(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit64fc_32sc(VeksFIRState64fc_32sc** ppState, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32sc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc64fc_32sc(VeksFIRState64fc_32sc** ppState, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek32sc* pDlyLine);
VekStatus veksFIRMRGetStateSize32s_16s(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRGetStateSize32s_16s32f(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit32s_16s(VeksFIRState32s_16s** ppState, const Vek32s* pTaps, int tapsLen, int tapsFactor, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc32s_16s(VeksFIRState32s_16s** ppState, const Vek32s* pTaps, int tapsLen, int tapsFactor, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16s* pDlyLine);
VekStatus veksFIRMRInit32s_16s32f(VeksFIRState32s_16s** ppState, const Vek32f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc32s_16s32f(VeksFIRState32s_16s** ppState, const Vek32f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16s* pDlyLine);
VekStatus veksFIRMRGetStateSize32sc_16sc(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRGetStateSize32sc_16sc32fc(int tapsLen, int upFactor, int downFactor, int* pSize);
VekStatus veksFIRMRInit32sc_16sc(VeksFIRState32sc_16sc** ppState, const Vek32sc* pTaps, int tapsLen, int tapsFactor, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16sc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc32sc_16sc(VeksFIRState32sc_16sc** ppState, const Vek32sc* pTaps, int tapsLen, int tapsFactor, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16sc* pDlyLine);
VekStatus veksFIRMRInit32sc_16sc32fc(VeksFIRState32sc_16sc** ppState, const Vek32fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16sc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRMRInitAlloc32sc_16sc32fc(VeksFIRState32sc_16sc** ppState, const Vek32fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, const Vek16sc* pDlyLine);

/* ---- stateless multirate forms ---------------------------------------------- */
VekStatus veksFIRMR_Direct_32f(const Vek32f* pSrc, Vek32f* pDst, int numIters, const Vek32f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32f* pDlyLine);
VekStatus veksFIRMR_Direct_32f_I(Vek32f* pSrcDst, int numIters, const Vek32f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32f* pDlyLine);
VekStatus veksFIRMR_Direct_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int numIters, const Vek32fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32fc* pDlyLine);
VekStatus veksFIRMR_Direct_32fc_I(Vek32fc* pSrcDst, int numIters, const Vek32fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32fc* pDlyLine);
VekStatus veksFIRMR_Direct_64f(const Vek64f* pSrc, Vek64f* pDst, int numIters, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek64f* pDlyLine);
VekStatus veksFIRMR_Direct_64f_I(Vek64f* pSrcDst, int numIters, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek64f* pDlyLine);
VekStatus veksFIRMR_Direct_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int numIters, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek64fc* pDlyLine);
VekStatus veksFIRMR_Direct_64fc_I(Vek64fc* pSrcDst, int numIters, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek64fc* pDlyLine);
VekStatus veksFIRMR64f_Direct_32f(const Vek32f* pSrc, Vek32f* pDst, int numIters, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32f* pDlyLine);
VekStatus veksFIRMR64f_Direct_32f_I(Vek32f* pSrcDst, int numIters, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32f* pDlyLine);
VekStatus veksFIRMR64fc_Direct_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int numIters, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32fc* pDlyLine);
VekStatus veksFIRMR64fc_Direct_32fc_I(Vek32fc* pSrcDst, int numIters, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32fc* pDlyLine);
VekStatus veksFIRMR32f_Direct_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, const Vek32f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek16s* pDlyLine, int scaleFactor);
VekStatus veksFIRMR32f_Direct_16s_ISfs(Vek16s* pSrcDst, int numIters, const Vek32f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek16s* pDlyLine, int scaleFactor);
VekStatus veksFIRMR32fc_Direct_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int numIters, const Vek32fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek16sc* pDlyLine, int scaleFactor);
VekStatus veksFIRMR32fc_Direct_16sc_ISfs(Vek16sc* pSrcDst, int numIters, const Vek32fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek16sc* pDlyLine, int scaleFactor);
VekStatus veksFIRMR64f_Direct_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek16s* pDlyLine, int scaleFactor);
VekStatus veksFIRMR64f_Direct_16s_ISfs(Vek16s* pSrcDst, int numIters, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek16s* pDlyLine, int scaleFactor);
VekStatus veksFIRMR64fc_Direct_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int numIters, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek16sc* pDlyLine, int scaleFactor);
VekStatus veksFIRMR64fc_Direct_16sc_ISfs(Vek16sc* pSrcDst, int numIters, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek16sc* pDlyLine, int scaleFactor);
VekStatus veksFIRMR64f_Direct_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, int numIters, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32s* pDlyLine, int scaleFactor);
VekStatus veksFIRMR64f_Direct_32s_ISfs(Vek32s* pSrcDst, int numIters, const Vek64f* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32s* pDlyLine, int scaleFactor);
VekStatus veksFIRMR64fc_Direct_32sc_Sfs(const Vek32sc* pSrc, Vek32sc* pDst, int numIters, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32sc* pDlyLine, int scaleFactor);
VekStatus veksFIRMR64fc_Direct_32sc_ISfs(Vek32sc* pSrcDst, int numIters, const Vek64fc* pTaps, int tapsLen, int upFactor, int upPhase, int downFactor, int downPhase, Vek32sc* pDlyLine, int scaleFactor);
VekStatus veksFIRMR32s_Direct_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, const Vek32s* pTaps, int tapsLen, int tapsFactor, int upFactor, int upPhase, int downFactor, int downPhase, Vek16s* pDlyLine, int scaleFactor);
VekStatus veksFIRMR32s_Direct_16s_ISfs(Vek16s* pSrcDst, int numIters, const Vek32s* pTaps, int tapsLen, int tapsFactor, int upFactor, int upPhase, int downFactor, int downPhase, Vek16s* pDlyLine, int scaleFactor);
VekStatus veksFIRMR32sc_Direct_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int numIters, const Vek32sc* pTaps, int tapsLen, int tapsFactor, int upFactor, int upPhase, int downFactor, int downPhase, Vek16sc* pDlyLine, int scaleFactor);
VekStatus veksFIRMR32sc_Direct_16sc_ISfs(Vek16sc* pSrcDst, int numIters, const Vek32sc* pTaps, int tapsLen, int tapsFactor, int upFactor, int upPhase, int downFactor, int downPhase, Vek16sc* pDlyLine, int scaleFactor);

/* ---- zero insertion and decimation ------------------------------------------ */
VekStatus veksSampleUp_16s(const Vek16s* pSrc, int srcLen, Vek16s* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleDown_16s(const Vek16s* pSrc, int srcLen, Vek16s* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleUp_16sc(const Vek16sc* pSrc, int srcLen, Vek16sc* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleDown_16sc(const Vek16sc* pSrc, int srcLen, Vek16sc* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleUp_32f(const Vek32f* pSrc, int srcLen, Vek32f* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleDown_32f(const Vek32f* pSrc, int srcLen, Vek32f* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleUp_32fc(const Vek32fc* pSrc, int srcLen, Vek32fc* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleDown_32fc(const Vek32fc* pSrc, int srcLen, Vek32fc* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleUp_64f(const Vek64f* pSrc, int srcLen, Vek64f* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleDown_64f(const Vek64f* pSrc, int srcLen, Vek64f* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleUp_64fc(const Vek64fc* pSrc, int srcLen, Vek64fc* pDst, int* pDstLen, int factor, int* pPhase);
VekStatus veksSampleDown_64fc(const Vek64fc* pSrc, int srcLen, Vek64fc* pDst, int* pDstLen, int factor, int* pPhase);

VEKS_EXTERN_C_END

#endif /* VEKS_FIRMR_H */
