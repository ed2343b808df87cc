/* vekszn: fir family. Included by veks.h; do not include directly.
 *
 * Finite-impulse-response filters, y[k] = sum over j < tapsLen of
 * taps[j] * x[k - j], where samples before a call's first sample come from
 * the delay line. Taps are given in natural order; delay lines are given and
 * returned newest sample first.
 *
 * States. A form is named by its tap type, then its data type (64f_32f:
 * Vek64f taps filtering Vek32f data); one suffix means one type for both.
 * GetStateSize reports the bytes Init needs; Init builds the state in that
 * memory at its next 16-byte boundary (Free then releases nothing);
 * InitAlloc allocates it (Free releases it). The size depends on the thread
 * count in force (ownGetNumThreads of libvekcore): size again after changing
 * it. A state is used by one thread at a time. The first 32-bit word of a
 * state is its identifier, 0x4649 followed by two decimal digits (01 _32f,
 * 02 _32fc, 05 32f_16s, 06 32fc_16sc, 09 32s_16s, 10 32sc_16sc, 13 _64f,
 * 14 _64fc, 17 64f_32f, 18 64fc_32fc, 21 64f_32s and _32s, 22 64fc_32sc,
 * 25 64f_16s, 26 64fc_16sc; a multirate state of a form carries the code
 * plus 2). An operation given a state with another identifier returns
 * vekStsBadContext; FIROne accepts only single-rate states.
 *
 * Block filter (FIR). Floating-point-tap states of at least 64 taps (_32f,
 * 32f_16s), 32 taps (Vek64f real taps) or 16 taps (complex taps) hold an
 * overlap-save transform of length N = 2^(k+1), 2^k > tapsLen (k >= 2); a
 * call uses it for more than 511 samples (complex data: 255), else it
 * evaluates the sums directly. Long calls (from 1601 samples, complex data
 * 801) divide their work among OpenMP threads. The results of both methods
 * agree up to rounding, and any split of a stream into calls (including
 * FIROne calls) gives the outputs of one call. In-place calls run in chunks
 * of 4096 samples through the state's scratch area. State sums: _32f and
 * _32fc in single precision, Vek64f-tap forms in double precision.
 *
 * Integer data with floating-point taps: the sum times 2^-scaleFactor (the
 * scale factor taken modulo 128), saturated, rounded half away from zero.
 * Integer taps (32s_16s, 32sc_16sc): Vek32s taps mean taps[j] * 2^tapsFactor;
 * Init and SetTaps halve them until no magnitude exceeds 32766 and add the
 * halvings to the factor (GetTaps returns the stored taps and that factor).
 * The 32s_16s32f and 32sc_16sc32fc views take floating taps, store them as
 * integers with a factor that puts the largest magnitude just below 32767
 * (rounded to nearest, ties to even; non-finite taps clamp), and return
 * stored tap * 2^factor. Sums wrap in 32 bits and are scaled by 2^d,
 * d = tapsFactor - scaleFactor clamped to [-31, 31]: a right shift rounds
 * half to even; the result saturates. _32s holds its Vek32s taps as Vek64f
 * (a 64f_32s state without transform; GetTaps rounds to nearest).
 *
 * Check order. GetStateSize: pSize null (vekStsNullPtr), tapsLen < 1
 * (vekStsBadTapCount); sizes beyond the int range give vekStsNoMemory. Init:
 * ppState, pTaps, pBuffer null, then tapsLen. InitAlloc: ppState, pTaps,
 * then tapsLen; no memory: vekStsNoMemory (nothing kept), and a failing
 * transform set-up returns its status. FIR: state, pSrc, pDst null,
 * numIters < 1 (vekStsBadLength), identifier. FIROne: state, pDstVal null,
 * identifier. Taps and delay-line operations: null pointers, identifier;
 * SetDlyLine accepts a null delay line (zeros). SetTaps returns the status
 * of recomputing the transform of the taps.
 *
 * Stateless forms (Direct): taps in natural order, a caller delay buffer of
 * 2 * tapsLen elements and an index in [0, tapsLen): each sample is stored
 * at elements index and index + tapsLen, the index advances (wrapping to 0),
 * and the output is the dot product of the reversed taps with the tapsLen
 * elements from the new index. Products of Vek32f taps are single
 * precision, all sums double precision, rounded once. Check order, block
 * forms: pSrc, pDst null, numIters < 1, pTaps null, tapsLen < 1, pDlyLine,
 * pDlyLineIndex null, index outside [0, tapsLen) (vekStsBadDelayIndex);
 * one-sample forms the same without source and length. Integer-tap forms
 * take tapsFactor after tapsLen and use the taps as given.
 * The Q15 forms (_Direct_16s_Sfs) take Vek16s taps with factor -15.
 * FIROne_Direct_16s_Sfs scales the 32-bit sum by 2^-(scaleFactor + 15).
 * FIR_Direct_16s_Sfs reads the tapsLen samples from element *pDlyLineIndex
 * on as the history newest first, needs a temporary buffer for the call
 * (vekStsNoMemory when it cannot be had) and returns the new history newest
 * first at pDlyLine[0 ..] with *pDlyLineIndex = 0.
 */
#ifndef VEKS_FIR_H
#define VEKS_FIR_H

VEKS_EXTERN_C_BEGIN

/* ---- state objects (opaque) ------------------------------------------------- */
typedef struct VeksFIRState_32f      VeksFIRState_32f;
typedef struct VeksFIRState_32fc     VeksFIRState_32fc;
typedef struct VeksFIRState_64f      VeksFIRState_64f;
typedef struct VeksFIRState_64fc     VeksFIRState_64fc;
typedef struct VeksFIRState32f_16s   VeksFIRState32f_16s;
typedef struct VeksFIRState32fc_16sc VeksFIRState32fc_16sc;
typedef struct VeksFIRState32s_16s   VeksFIRState32s_16s;   /* also 32s_16s32f */
typedef struct VeksFIRState32sc_16sc VeksFIRState32sc_16sc; /* also 32sc_16sc32fc */
typedef struct VeksFIRState64f_16s   VeksFIRState64f_16s;
typedef struct VeksFIRState64fc_16sc VeksFIRState64fc_16sc;
typedef struct VeksFIRState64f_32f   VeksFIRState64f_32f;
typedef struct VeksFIRState64fc_32fc VeksFIRState64fc_32fc;
typedef struct VeksFIRState64f_32s   VeksFIRState64f_32s;
typedef struct VeksFIRState64fc_32sc VeksFIRState64fc_32sc;
typedef VeksFIRState64f_32s          VeksFIRState_32s;      /* one state kind */

/* ---- floating-point taps ---------------------------------------------------- */
/* 32f */
VekStatus veksFIRGetStateSize_32f(int tapsLen, int* pSize);
VekStatus veksFIRInit_32f(VeksFIRState_32f** ppState, const Vek32f* pTaps, int tapsLen, const Vek32f* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc_32f(VeksFIRState_32f** ppState, const Vek32f* pTaps, int tapsLen, const Vek32f* pDlyLine);
VekStatus veksFIRFree_32f(VeksFIRState_32f* pState);
VekStatus veksFIRGetTaps_32f(const VeksFIRState_32f* pState, Vek32f* pTaps);
VekStatus veksFIRSetTaps_32f(const Vek32f* pTaps, VeksFIRState_32f* pState);
VekStatus veksFIRGetDlyLine_32f(const VeksFIRState_32f* pState, Vek32f* pDlyLine);
VekStatus veksFIRSetDlyLine_32f(VeksFIRState_32f* pState, const Vek32f* pDlyLine);
VekStatus veksFIR_32f(const Vek32f* pSrc, Vek32f* pDst, int numIters, VeksFIRState_32f* pState);
VekStatus veksFIR_32f_I(Vek32f* pSrcDst, int numIters, VeksFIRState_32f* pState);
VekStatus veksFIROne_32f(Vek32f src, Vek32f* pDstVal, VeksFIRState_32f* pState);

/* 32fc */
VekStatus veksFIRGetStateSize_32fc(int tapsLen, int* pSize);
VekStatus veksFIRInit_32fc(VeksFIRState_32fc** ppState, const Vek32fc* pTaps, int tapsLen, const Vek32fc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc_32fc(VeksFIRState_32fc** ppState, const Vek32fc* pTaps, int tapsLen, const Vek32fc* pDlyLine);
VekStatus veksFIRFree_32fc(VeksFIRState_32fc* pState);
VekStatus veksFIRGetTaps_32fc(const VeksFIRState_32fc* pState, Vek32fc* pTaps);
VekStatus veksFIRSetTaps_32fc(const Vek32fc* pTaps, VeksFIRState_32fc* pState);
VekStatus veksFIRGetDlyLine_32fc(const VeksFIRState_32fc* pState, Vek32fc* pDlyLine);
VekStatus veksFIRSetDlyLine_32fc(VeksFIRState_32fc* pState, const Vek32fc* pDlyLine);
VekStatus veksFIR_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int numIters, VeksFIRState_32fc* pState);
VekStatus veksFIR_32fc_I(Vek32fc* pSrcDst, int numIters, VeksFIRState_32fc* pState);
VekStatus veksFIROne_32fc(Vek32fc src, Vek32fc* pDstVal, VeksFIRState_32fc* pState);

/* 64f */
VekStatus veksFIRGetStateSize_64f(int tapsLen, int* pSize);
VekStatus veksFIRInit_64f(VeksFIRState_64f** ppState, const Vek64f* pTaps, int tapsLen, const Vek64f* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc_64f(VeksFIRState_64f** ppState, const Vek64f* pTaps, int tapsLen, const Vek64f* pDlyLine);
VekStatus veksFIRFree_64f(VeksFIRState_64f* pState);
VekStatus veksFIRGetTaps_64f(const VeksFIRState_64f* pState, Vek64f* pTaps);
VekStatus veksFIRSetTaps_64f(const Vek64f* pTaps, VeksFIRState_64f* pState);
VekStatus veksFIRGetDlyLine_64f(const VeksFIRState_64f* pState, Vek64f* pDlyLine);
VekStatus veksFIRSetDlyLine_64f(VeksFIRState_64f* pState, const Vek64f* pDlyLine);
VekStatus veksFIR_64f(const Vek64f* pSrc, Vek64f* pDst, int numIters, VeksFIRState_64f* pState);
VekStatus veksFIR_64f_I(Vek64f* pSrcDst, int numIters, VeksFIRState_64f* pState);
VekStatus veksFIROne_64f(Vek64f src, Vek64f* pDstVal, VeksFIRState_64f* pState);

/* 64fc */
VekStatus veksFIRGetStateSize_64fc(int tapsLen, int* pSize);
VekStatus veksFIRInit_64fc(VeksFIRState_64fc** ppState, const Vek64fc* pTaps, int tapsLen, const Vek64fc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc_64fc(VeksFIRState_64fc** ppState, const Vek64fc* pTaps, int tapsLen, const Vek64fc* pDlyLine);
VekStatus veksFIRFree_64fc(VeksFIRState_64fc* pState);
VekStatus veksFIRGetTaps_64fc(const VeksFIRState_64fc* pState, Vek64fc* pTaps);
VekStatus veksFIRSetTaps_64fc(const Vek64fc* pTaps, VeksFIRState_64fc* pState);
VekStatus veksFIRGetDlyLine_64fc(const VeksFIRState_64fc* pState, Vek64fc* pDlyLine);
VekStatus veksFIRSetDlyLine_64fc(VeksFIRState_64fc* pState, const Vek64fc* pDlyLine);
VekStatus veksFIR_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int numIters, VeksFIRState_64fc* pState);
VekStatus veksFIR_64fc_I(Vek64fc* pSrcDst, int numIters, VeksFIRState_64fc* pState);
VekStatus veksFIROne_64fc(Vek64fc src, Vek64fc* pDstVal, VeksFIRState_64fc* pState);

/* 64f_32f */
VekStatus veksFIRGetStateSize64f_32f(int tapsLen, int* pSize);
VekStatus veksFIRInit64f_32f(VeksFIRState64f_32f** ppState, const Vek64f* pTaps, int tapsLen, const Vek32f* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc64f_32f(VeksFIRState64f_32f** ppState, const Vek64f* pTaps, int tapsLen, const Vek32f* pDlyLine);
VekStatus veksFIRFree64f_32f(VeksFIRState64f_32f* pState);
VekStatus veksFIRGetTaps64f_32f(const VeksFIRState64f_32f* pState, Vek64f* pTaps);
VekStatus veksFIRSetTaps64f_32f(const Vek64f* pTaps, VeksFIRState64f_32f* pState);
VekStatus veksFIRGetDlyLine64f_32f(const VeksFIRState64f_32f* pState, Vek32f* pDlyLine);
VekStatus veksFIRSetDlyLine64f_32f(VeksFIRState64f_32f* pState, const Vek32f* pDlyLine);
VekStatus veksFIR64f_32f(const Vek32f* pSrc, Vek32f* pDst, int numIters, VeksFIRState64f_32f* pState);
VekStatus veksFIR64f_32f_I(Vek32f* pSrcDst, int numIters, VeksFIRState64f_32f* pState);
VekStatus veksFIROne64f_32f(Vek32f src, Vek32f* pDstVal, VeksFIRState64f_32f* pState);

/* 64fc_32fc */
VekStatus veksFIRGetStateSize64fc_32fc(int tapsLen, int* pSize);
VekStatus veksFIRInit64fc_32fc(VeksFIRState64fc_32fc** ppState, const Vek64fc* pTaps, int tapsLen, const Vek32fc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc64fc_32fc(VeksFIRState64fc_32fc** ppState, const Vek64fc* pTaps, int tapsLen, const Vek32fc* pDlyLine);
VekStatus veksFIRFree64fc_32fc(VeksFIRState64fc_32fc* pState);
VekStatus veksFIRGetTaps64fc_32fc(const VeksFIRState64fc_32fc* pState, Vek64fc* pTaps);
VekStatus veksFIRSetTaps64fc_32fc(const Vek64fc* pTaps, VeksFIRState64fc_32fc* pState);
VekStatus veksFIRGetDlyLine64fc_32fc(const VeksFIRState64fc_32fc* pState, Vek32fc* pDlyLine);
VekStatus veksFIRSetDlyLine64fc_32fc(VeksFIRState64fc_32fc* pState, const Vek32fc* pDlyLine);
VekStatus veksFIR64fc_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int numIters, VeksFIRState64fc_32fc* pState);
VekStatus veksFIR64fc_32fc_I(Vek32fc* pSrcDst, int numIters, VeksFIRState64fc_32fc* pState);
VekStatus veksFIROne64fc_32fc(Vek32fc src, Vek32fc* pDstVal, VeksFIRState64fc_32fc* pState);

/* 32s */
VekStatus veksFIRGetStateSize_32s(int tapsLen, int* pSize);
VekStatus veksFIRInit_32s(VeksFIRState_32s** ppState, const Vek32s* pTaps, int tapsLen, const Vek32s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc_32s(VeksFIRState_32s** ppState, const Vek32s* pTaps, int tapsLen, const Vek32s* pDlyLine);
VekStatus veksFIRFree_32s(VeksFIRState_32s* pState);
VekStatus veksFIRGetTaps_32s(const VeksFIRState_32s* pState, Vek32s* pTaps);
VekStatus veksFIRSetTaps_32s(const Vek32s* pTaps, VeksFIRState_32s* pState);
VekStatus veksFIR_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, int numIters, VeksFIRState_32s* pState, int scaleFactor);
VekStatus veksFIR_32s_ISfs(Vek32s* pSrcDst, int numIters, VeksFIRState_32s* pState, int scaleFactor);
VekStatus veksFIROne_32s_Sfs(Vek32s src, Vek32s* pDstVal, VeksFIRState_32s* pState, int scaleFactor);

/* 32f_16s */
VekStatus veksFIRGetStateSize32f_16s(int tapsLen, int* pSize);
VekStatus veksFIRInit32f_16s(VeksFIRState32f_16s** ppState, const Vek32f* pTaps, int tapsLen, const Vek16s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc32f_16s(VeksFIRState32f_16s** ppState, const Vek32f* pTaps, int tapsLen, const Vek16s* pDlyLine);
VekStatus veksFIRFree32f_16s(VeksFIRState32f_16s* pState);
VekStatus veksFIRGetTaps32f_16s(const VeksFIRState32f_16s* pState, Vek32f* pTaps);
VekStatus veksFIRSetTaps32f_16s(const Vek32f* pTaps, VeksFIRState32f_16s* pState);
VekStatus veksFIRGetDlyLine32f_16s(const VeksFIRState32f_16s* pState, Vek16s* pDlyLine);
VekStatus veksFIRSetDlyLine32f_16s(VeksFIRState32f_16s* pState, const Vek16s* pDlyLine);
VekStatus veksFIR32f_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, VeksFIRState32f_16s* pState, int scaleFactor);
VekStatus veksFIR32f_16s_ISfs(Vek16s* pSrcDst, int numIters, VeksFIRState32f_16s* pState, int scaleFactor);
VekStatus veksFIROne32f_16s_Sfs(Vek16s src, Vek16s* pDstVal, VeksFIRState32f_16s* pState, int scaleFactor);

/* 32fc_16sc */
VekStatus veksFIRGetStateSize32fc_16sc(int tapsLen, int* pSize);
VekStatus veksFIRInit32fc_16sc(VeksFIRState32fc_16sc** ppState, const Vek32fc* pTaps, int tapsLen, const Vek16sc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc32fc_16sc(VeksFIRState32fc_16sc** ppState, const Vek32fc* pTaps, int tapsLen, const Vek16sc* pDlyLine);
VekStatus veksFIRFree32fc_16sc(VeksFIRState32fc_16sc* pState);
VekStatus veksFIRGetTaps32fc_16sc(const VeksFIRState32fc_16sc* pState, Vek32fc* pTaps);
VekStatus veksFIRSetTaps32fc_16sc(const Vek32fc* pTaps, VeksFIRState32fc_16sc* pState);
VekStatus veksFIRGetDlyLine32fc_16sc(const VeksFIRState32fc_16sc* pState, Vek16sc* pDlyLine);
VekStatus veksFIRSetDlyLine32fc_16sc(VeksFIRState32fc_16sc* pState, const Vek16sc* pDlyLine);
VekStatus veksFIR32fc_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int numIters, VeksFIRState32fc_16sc* pState, int scaleFactor);
VekStatus veksFIR32fc_16sc_ISfs(Vek16sc* pSrcDst, int numIters, VeksFIRState32fc_16sc* pState, int scaleFactor);
VekStatus veksFIROne32fc_16sc_Sfs(Vek16sc src, Vek16sc* pDstVal, VeksFIRState32fc_16sc* pState, int scaleFactor);

/* 64f_16s */
VekStatus veksFIRGetStateSize64f_16s(int tapsLen, int* pSize);
VekStatus veksFIRInit64f_16s(VeksFIRState64f_16s** ppState, const Vek64f* pTaps, int tapsLen, const Vek16s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc64f_16s(VeksFIRState64f_16s** ppState, const Vek64f* pTaps, int tapsLen, const Vek16s* pDlyLine);
VekStatus veksFIRFree64f_16s(VeksFIRState64f_16s* pState);
VekStatus veksFIRGetTaps64f_16s(const VeksFIRState64f_16s* pState, Vek64f* pTaps);
VekStatus veksFIRSetTaps64f_16s(const Vek64f* pTaps, VeksFIRState64f_16s* pState);
VekStatus veksFIRGetDlyLine64f_16s(const VeksFIRState64f_16s* pState, Vek16s* pDlyLine);
VekStatus veksFIRSetDlyLine64f_16s(VeksFIRState64f_16s* pState, const Vek16s* pDlyLine);
VekStatus veksFIR64f_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, VeksFIRState64f_16s* pState, int scaleFactor);
VekStatus veksFIR64f_16s_ISfs(Vek16s* pSrcDst, int numIters, VeksFIRState64f_16s* pState, int scaleFactor);
VekStatus veksFIROne64f_16s_Sfs(Vek16s src, Vek16s* pDstVal, VeksFIRState64f_16s* pState, int scaleFactor);

/* 64fc_16sc */
VekStatus veksFIRGetStateSize64fc_16sc(int tapsLen, int* pSize);
VekStatus veksFIRInit64fc_16sc(VeksFIRState64fc_16sc** ppState, const Vek64fc* pTaps, int tapsLen, const Vek16sc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc64fc_16sc(VeksFIRState64fc_16sc** ppState, const Vek64fc* pTaps, int tapsLen, const Vek16sc* pDlyLine);
VekStatus veksFIRFree64fc_16sc(VeksFIRState64fc_16sc* pState);
VekStatus veksFIRGetTaps64fc_16sc(const VeksFIRState64fc_16sc* pState, Vek64fc* pTaps);
VekStatus veksFIRSetTaps64fc_16sc(const Vek64fc* pTaps, VeksFIRState64fc_16sc* pState);
VekStatus veksFIRGetDlyLine64fc_16sc(const VeksFIRState64fc_16sc* pState, Vek16sc* pDlyLine);
VekStatus veksFIRSetDlyLine64fc_16sc(VeksFIRState64fc_16sc* pState, const Vek16sc* pDlyLine);
VekStatus veksFIR64fc_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int numIters, VeksFIRState64fc_16sc* pState, int scaleFactor);
VekStatus veksFIR64fc_16sc_ISfs(Vek16sc* pSrcDst, int numIters, VeksFIRState64fc_16sc* pState, int scaleFactor);
VekStatus veksFIROne64fc_16sc_Sfs(Vek16sc src, Vek16sc* pDstVal, VeksFIRState64fc_16sc* pState, int scaleFactor);

/* 64f_32s */
VekStatus veksFIRGetStateSize64f_32s(int tapsLen, int* pSize);
VekStatus veksFIRInit64f_32s(VeksFIRState64f_32s** ppState, const Vek64f* pTaps, int tapsLen, const Vek32s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc64f_32s(VeksFIRState64f_32s** ppState, const Vek64f* pTaps, int tapsLen, const Vek32s* pDlyLine);
VekStatus veksFIRFree64f_32s(VeksFIRState64f_32s* pState);
VekStatus veksFIRGetTaps64f_32s(const VeksFIRState64f_32s* pState, Vek64f* pTaps);
VekStatus veksFIRSetTaps64f_32s(const Vek64f* pTaps, VeksFIRState64f_32s* pState);
VekStatus veksFIRGetDlyLine64f_32s(const VeksFIRState64f_32s* pState, Vek32s* pDlyLine);
VekStatus veksFIRSetDlyLine64f_32s(VeksFIRState64f_32s* pState, const Vek32s* pDlyLine);
VekStatus veksFIR64f_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, int numIters, VeksFIRState64f_32s* pState, int scaleFactor);
VekStatus veksFIR64f_32s_ISfs(Vek32s* pSrcDst, int numIters, VeksFIRState64f_32s* pState, int scaleFactor);
VekStatus veksFIROne64f_32s_Sfs(Vek32s src, Vek32s* pDstVal, VeksFIRState64f_32s* pState, int scaleFactor);

/* 64fc_32sc */
VekStatus veksFIRGetStateSize64fc_32sc(int tapsLen, int* pSize);
VekStatus veksFIRInit64fc_32sc(VeksFIRState64fc_32sc** ppState, const Vek64fc* pTaps, int tapsLen, const Vek32sc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc64fc_32sc(VeksFIRState64fc_32sc** ppState, const Vek64fc* pTaps, int tapsLen, const Vek32sc* pDlyLine);
VekStatus veksFIRFree64fc_32sc(VeksFIRState64fc_32sc* pState);
VekStatus veksFIRGetTaps64fc_32sc(const VeksFIRState64fc_32sc* pState, Vek64fc* pTaps);
VekStatus veksFIRSetTaps64fc_32sc(const Vek64fc* pTaps, VeksFIRState64fc_32sc* pState);
VekStatus veksFIRGetDlyLine64fc_32sc(const VeksFIRState64fc_32sc* pState, Vek32sc* pDlyLine);
VekStatus veksFIRSetDlyLine64fc_32sc(VeksFIRState64fc_32sc* pState, const Vek32sc* pDlyLine);
VekStatus veksFIR64fc_32sc_Sfs(const Vek32sc* pSrc, Vek32sc* pDst, int numIters, VeksFIRState64fc_32sc* pState, int scaleFactor);
VekStatus veksFIR64fc_32sc_ISfs(Vek32sc* pSrcDst, int numIters, VeksFIRState64fc_32sc* pState, int scaleFactor);
VekStatus veksFIROne64fc_32sc_Sfs(Vek32sc src, Vek32sc* pDstVal, VeksFIRState64fc_32sc* pState, int scaleFactor);

/* ---- integer taps ----------------------------------------------------------- */
/* 32s_16s and 32s_16s32f */
VekStatus veksFIRGetStateSize32s_16s(int tapsLen, int* pSize);
VekStatus veksFIRGetStateSize32s_16s32f(int tapsLen, int* pSize);
VekStatus veksFIRInit32s_16s(VeksFIRState32s_16s** ppState, const Vek32s* pTaps, int tapsLen, int tapsFactor, const Vek16s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc32s_16s(VeksFIRState32s_16s** ppState, const Vek32s* pTaps, int tapsLen, int tapsFactor, const Vek16s* pDlyLine);
VekStatus veksFIRInit32s_16s32f(VeksFIRState32s_16s** ppState, const Vek32f* pTaps, int tapsLen, const Vek16s* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc32s_16s32f(VeksFIRState32s_16s** ppState, const Vek32f* pTaps, int tapsLen, const Vek16s* pDlyLine);
VekStatus veksFIRFree32s_16s(VeksFIRState32s_16s* pState);
VekStatus veksFIRGetTaps32s_16s(const VeksFIRState32s_16s* pState, Vek32s* pTaps, int* pTapsFactor);
VekStatus veksFIRGetTaps32s_16s32f(const VeksFIRState32s_16s* pState, Vek32f* pTaps);
VekStatus veksFIRSetTaps32s_16s(const Vek32s* pTaps, VeksFIRState32s_16s* pState, int tapsFactor);
VekStatus veksFIRSetTaps32s_16s32f(const Vek32f* pTaps, VeksFIRState32s_16s* pState);
VekStatus veksFIRGetDlyLine32s_16s(const VeksFIRState32s_16s* pState, Vek16s* pDlyLine);
VekStatus veksFIRSetDlyLine32s_16s(VeksFIRState32s_16s* pState, const Vek16s* pDlyLine);
VekStatus veksFIR32s_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, VeksFIRState32s_16s* pState, int scaleFactor);
VekStatus veksFIR32s_16s_ISfs(Vek16s* pSrcDst, int numIters, VeksFIRState32s_16s* pState, int scaleFactor);
VekStatus veksFIROne32s_16s_Sfs(Vek16s src, Vek16s* pDstVal, VeksFIRState32s_16s* pState, int scaleFactor);

/* 32sc_16sc and 32sc_16sc32fc */
VekStatus veksFIRGetStateSize32sc_16sc(int tapsLen, int* pSize);
VekStatus veksFIRGetStateSize32sc_16sc32fc(int tapsLen, int* pSize);
VekStatus veksFIRInit32sc_16sc(VeksFIRState32sc_16sc** ppState, const Vek32sc* pTaps, int tapsLen, int tapsFactor, const Vek16sc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc32sc_16sc(VeksFIRState32sc_16sc** ppState, const Vek32sc* pTaps, int tapsLen, int tapsFactor, const Vek16sc* pDlyLine);
VekStatus veksFIRInit32sc_16sc32fc(VeksFIRState32sc_16sc** ppState, const Vek32fc* pTaps, int tapsLen, const Vek16sc* pDlyLine, Vek8u* pBuffer);
VekStatus veksFIRInitAlloc32sc_16sc32fc(VeksFIRState32sc_16sc** ppState, const Vek32fc* pTaps, int tapsLen, const Vek16sc* pDlyLine);
VekStatus veksFIRFree32sc_16sc(VeksFIRState32sc_16sc* pState);
VekStatus veksFIRGetTaps32sc_16sc(const VeksFIRState32sc_16sc* pState, Vek32sc* pTaps, int* pTapsFactor);
VekStatus veksFIRGetTaps32sc_16sc32fc(const VeksFIRState32sc_16sc* pState, Vek32fc* pTaps);
VekStatus veksFIRSetTaps32sc_16sc(const Vek32sc* pTaps, VeksFIRState32sc_16sc* pState, int tapsFactor);
VekStatus veksFIRSetTaps32sc_16sc32fc(const Vek32fc* pTaps, VeksFIRState32sc_16sc* pState);
VekStatus veksFIRGetDlyLine32sc_16sc(const VeksFIRState32sc_16sc* pState, Vek16sc* pDlyLine);
VekStatus veksFIRSetDlyLine32sc_16sc(VeksFIRState32sc_16sc* pState, const Vek16sc* pDlyLine);
VekStatus veksFIR32sc_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int numIters, VeksFIRState32sc_16sc* pState, int scaleFactor);
VekStatus veksFIR32sc_16sc_ISfs(Vek16sc* pSrcDst, int numIters, VeksFIRState32sc_16sc* pState, int scaleFactor);
VekStatus veksFIROne32sc_16sc_Sfs(Vek16sc src, Vek16sc* pDstVal, VeksFIRState32sc_16sc* pState, int scaleFactor);

/* ---- stateless forms -------------------------------------------------------- */
VekStatus veksFIR_Direct_32f(const Vek32f* pSrc, Vek32f* pDst, int numIters, const Vek32f* pTaps, int tapsLen, Vek32f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR_Direct_32f_I(Vek32f* pSrcDst, int numIters, const Vek32f* pTaps, int tapsLen, Vek32f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne_Direct_32f(Vek32f src, Vek32f* pDstVal, const Vek32f* pTaps, int tapsLen, Vek32f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne_Direct_32f_I(Vek32f* pSrcDst, const Vek32f* pTaps, int tapsLen, Vek32f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR_Direct_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int numIters, const Vek32fc* pTaps, int tapsLen, Vek32fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR_Direct_32fc_I(Vek32fc* pSrcDst, int numIters, const Vek32fc* pTaps, int tapsLen, Vek32fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne_Direct_32fc(Vek32fc src, Vek32fc* pDstVal, const Vek32fc* pTaps, int tapsLen, Vek32fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne_Direct_32fc_I(Vek32fc* pSrcDst, const Vek32fc* pTaps, int tapsLen, Vek32fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR_Direct_64f(const Vek64f* pSrc, Vek64f* pDst, int numIters, const Vek64f* pTaps, int tapsLen, Vek64f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR_Direct_64f_I(Vek64f* pSrcDst, int numIters, const Vek64f* pTaps, int tapsLen, Vek64f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne_Direct_64f(Vek64f src, Vek64f* pDstVal, const Vek64f* pTaps, int tapsLen, Vek64f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne_Direct_64f_I(Vek64f* pSrcDst, const Vek64f* pTaps, int tapsLen, Vek64f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR_Direct_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int numIters, const Vek64fc* pTaps, int tapsLen, Vek64fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR_Direct_64fc_I(Vek64fc* pSrcDst, int numIters, const Vek64fc* pTaps, int tapsLen, Vek64fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne_Direct_64fc(Vek64fc src, Vek64fc* pDstVal, const Vek64fc* pTaps, int tapsLen, Vek64fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne_Direct_64fc_I(Vek64fc* pSrcDst, const Vek64fc* pTaps, int tapsLen, Vek64fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR64f_Direct_32f(const Vek32f* pSrc, Vek32f* pDst, int numIters, const Vek64f* pTaps, int tapsLen, Vek32f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR64f_Direct_32f_I(Vek32f* pSrcDst, int numIters, const Vek64f* pTaps, int tapsLen, Vek32f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne64f_Direct_32f(Vek32f src, Vek32f* pDstVal, const Vek64f* pTaps, int tapsLen, Vek32f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne64f_Direct_32f_I(Vek32f* pSrcDst, const Vek64f* pTaps, int tapsLen, Vek32f* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR64fc_Direct_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int numIters, const Vek64fc* pTaps, int tapsLen, Vek32fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIR64fc_Direct_32fc_I(Vek32fc* pSrcDst, int numIters, const Vek64fc* pTaps, int tapsLen, Vek32fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne64fc_Direct_32fc(Vek32fc src, Vek32fc* pDstVal, const Vek64fc* pTaps, int tapsLen, Vek32fc* pDlyLine, int* pDlyLineIndex);
VekStatus veksFIROne64fc_Direct_32fc_I(Vek32fc* pSrcDst, const Vek64fc* pTaps, int tapsLen, Vek32fc* pDlyLine, int* pDlyLineIndex);

VekStatus veksFIR32f_Direct_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, const Vek32f* pTaps, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR32f_Direct_16s_ISfs(Vek16s* pSrcDst, int numIters, const Vek32f* pTaps, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne32f_Direct_16s_Sfs(Vek16s src, Vek16s* pDstVal, const Vek32f* pTaps, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne32f_Direct_16s_ISfs(Vek16s* pSrcDst, const Vek32f* pTaps, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR32fc_Direct_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int numIters, const Vek32fc* pTaps, int tapsLen, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR32fc_Direct_16sc_ISfs(Vek16sc* pSrcDst, int numIters, const Vek32fc* pTaps, int tapsLen, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne32fc_Direct_16sc_Sfs(Vek16sc src, Vek16sc* pDstVal, const Vek32fc* pTaps, int tapsLen, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne32fc_Direct_16sc_ISfs(Vek16sc* pSrcDst, const Vek32fc* pTaps, int tapsLen, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR64f_Direct_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, const Vek64f* pTaps, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR64f_Direct_16s_ISfs(Vek16s* pSrcDst, int numIters, const Vek64f* pTaps, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne64f_Direct_16s_Sfs(Vek16s src, Vek16s* pDstVal, const Vek64f* pTaps, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne64f_Direct_16s_ISfs(Vek16s* pSrcDst, const Vek64f* pTaps, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR64fc_Direct_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int numIters, const Vek64fc* pTaps, int tapsLen, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR64fc_Direct_16sc_ISfs(Vek16sc* pSrcDst, int numIters, const Vek64fc* pTaps, int tapsLen, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne64fc_Direct_16sc_Sfs(Vek16sc src, Vek16sc* pDstVal, const Vek64fc* pTaps, int tapsLen, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne64fc_Direct_16sc_ISfs(Vek16sc* pSrcDst, const Vek64fc* pTaps, int tapsLen, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR64f_Direct_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, int numIters, const Vek64f* pTaps, int tapsLen, Vek32s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR64f_Direct_32s_ISfs(Vek32s* pSrcDst, int numIters, const Vek64f* pTaps, int tapsLen, Vek32s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne64f_Direct_32s_Sfs(Vek32s src, Vek32s* pDstVal, const Vek64f* pTaps, int tapsLen, Vek32s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne64f_Direct_32s_ISfs(Vek32s* pSrcDst, const Vek64f* pTaps, int tapsLen, Vek32s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR64fc_Direct_32sc_Sfs(const Vek32sc* pSrc, Vek32sc* pDst, int numIters, const Vek64fc* pTaps, int tapsLen, Vek32sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR64fc_Direct_32sc_ISfs(Vek32sc* pSrcDst, int numIters, const Vek64fc* pTaps, int tapsLen, Vek32sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne64fc_Direct_32sc_Sfs(Vek32sc src, Vek32sc* pDstVal, const Vek64fc* pTaps, int tapsLen, Vek32sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne64fc_Direct_32sc_ISfs(Vek32sc* pSrcDst, const Vek64fc* pTaps, int tapsLen, Vek32sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);

VekStatus veksFIR32s_Direct_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, const Vek32s* pTaps, int tapsLen, int tapsFactor, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR32s_Direct_16s_ISfs(Vek16s* pSrcDst, int numIters, const Vek32s* pTaps, int tapsLen, int tapsFactor, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne32s_Direct_16s_Sfs(Vek16s src, Vek16s* pDstVal, const Vek32s* pTaps, int tapsLen, int tapsFactor, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne32s_Direct_16s_ISfs(Vek16s* pSrcDst, const Vek32s* pTaps, int tapsLen, int tapsFactor, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR32sc_Direct_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int numIters, const Vek32sc* pTaps, int tapsLen, int tapsFactor, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR32sc_Direct_16sc_ISfs(Vek16sc* pSrcDst, int numIters, const Vek32sc* pTaps, int tapsLen, int tapsFactor, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne32sc_Direct_16sc_Sfs(Vek16sc src, Vek16sc* pDstVal, const Vek32sc* pTaps, int tapsLen, int tapsFactor, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne32sc_Direct_16sc_ISfs(Vek16sc* pSrcDst, const Vek32sc* pTaps, int tapsLen, int tapsFactor, Vek16sc* pDlyLine, int* pDlyLineIndex, int scaleFactor);

VekStatus veksFIR_Direct_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int numIters, const Vek16s* pTapsQ15, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIR_Direct_16s_ISfs(Vek16s* pSrcDst, int numIters, const Vek16s* pTapsQ15, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne_Direct_16s_Sfs(Vek16s src, Vek16s* pDstVal, const Vek16s* pTapsQ15, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);
VekStatus veksFIROne_Direct_16s_ISfs(Vek16s* pSrcDst, const Vek16s* pTapsQ15, int tapsLen, Vek16s* pDlyLine, int* pDlyLineIndex, int scaleFactor);

VEKS_EXTERN_C_END

#endif /* VEKS_FIR_H */
