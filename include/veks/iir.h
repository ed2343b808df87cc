/* vekszn: iir family. Included by veks.h; do not include directly.
 *
 * Infinite-impulse-response filters in the transposed direct form II. A
 * state holds the taps divided by the leading denominator tap a0 and a delay
 * line of partial sums (not past samples).
 *
 * Tap layouts. Arbitrary order N (N >= 1): 2(N+1) taps b0..bN, a0..aN,
 * H(z) = (b0 + b1 z^-1 + ... + bN z^-N) / (a0 + a1 z^-1 + ... + aN z^-N).
 * Biquad cascade of numBq sections: 6 taps per section b0, b1, b2, a0, a1,
 * a2, sections in processing order.
 *
 * Recurrences, per sample x (B, A: taps divided by a0):
 *   arbitrary order: y = B0 x + d[0]; d[k] = (B(k+1) x - A(k+1) y) + d[k+1]
 *     for k = 0..N-1, d[N] an extra element that is always 0 (order 1:
 *     d[0] = B1 x - A1 y);
 *   biquad section: y = B0 x + d0; d0 = (B1 x + d1) - A1 y; d1 = B2 x - A2 y;
 *     its y is the next section's x, unrounded.
 * A stream split into blocks of any sizes (or single samples through IIROne)
 * gives the same outputs as one call.
 *
 * Forms: the name carries the tap type, then the data type (veksIIR64f_16s_Sfs:
 * Vek64f taps, Vek16s data). Vek64f-tap forms compute in double precision,
 * Vek32f-tap forms in single precision; complex forms use complex taps and
 * delay values. The 32s_16s and 32sc_16sc forms take Vek32s (Vek32sc) taps
 * that Init and SetTaps convert once to single precision as tap * 2^-tapsFactor
 * (tapsFactor clamped to -96..126, the factor built from its exponent field);
 * their 16s32f / 16sc32fc twins take single-precision taps for the same state.
 * Delay lines are read and written in the state's tap type (Vek32f for the
 * 32s_16s state): arbitrary order N values d[0]..d[N-1], biquads d0, d1 per
 * section.
 *
 * Taps are normalised through the reciprocal of a0: computed once in single
 * precision for single-precision real forms, in double precision for double
 * real forms, and as conj(a0)/|a0|^2 in double precision for complex forms
 * (each stored tap rounded to the tap type). a0 = 0 (both parts for complex)
 * gives vekStsDivByZeroError and keeps the old taps; biquads stop at the
 * first section whose a0 or b0 is 0 (earlier sections keep their new taps).
 *
 * Integer data (Sfs forms): each sample is converted to the computing type,
 * filtered, multiplied by 2^-scaleFactor (scaleFactor taken modulo 128 with
 * its sign, the factor built in the computing precision), then rounded half
 * away from zero and saturated; NaN gives 0. Complex parts are done apart.
 *
 * Life cycle. GetStateSize reports the bytes Init needs (16 of them slack to
 * place the state at the next 16-byte boundary of pBuf); sizes that do not
 * fit an int give vekStsNoMemory. Init copies pDlyLine or zero-fills the
 * delay line when it is null, then sets the taps and returns that status
 * (*ppState is written on success only). InitAlloc allocates the state
 * (vekStsNoMemory) and releases it again when setting the taps fails. Free
 * invalidates the state and releases it only when InitAlloc made it. An
 * arbitrary-order state and a biquad state of one form are both accepted by
 * the form's filter, SetTaps, Free and delay-line operations; any other
 * object gives vekStsBadContext.
 *
 * Check order. GetStateSize: pBufferSize null (vekStsNullPtr), order/numBq
 * < 1 (vekStsBadOrder). Init/InitAlloc: ppState, pTaps, pBuf null; order or
 * numBq < 1; then the tap status (vekStsDivByZeroError; vekStsNoMemory when
 * the conversion buffer of integer taps cannot be allocated). Free, GetDlyLine,
 * SetDlyLine, SetTaps: null pointers (pDlyLine may be null for SetDlyLine:
 * zero-fill), then the identifier. IIR: null state, source or destination;
 * len < 1 (vekStsBadLength); identifier. IIROne: null state or pDstVal;
 * identifier.
 */
#ifndef VEKS_IIR_H
#define VEKS_IIR_H

VEKS_EXTERN_C_BEGIN

/* ---- state objects (opaque) ------------------------------------------------ */
typedef struct VeksIIRState_32f VeksIIRState_32f;
typedef struct VeksIIRState_32fc VeksIIRState_32fc;
typedef struct VeksIIRState_64f VeksIIRState_64f;
typedef struct VeksIIRState_64fc VeksIIRState_64fc;
typedef struct VeksIIRState32f_16s VeksIIRState32f_16s;
typedef struct VeksIIRState32fc_16sc VeksIIRState32fc_16sc;
typedef struct VeksIIRState32s_16s VeksIIRState32s_16s;
typedef struct VeksIIRState32sc_16sc VeksIIRState32sc_16sc;
typedef struct VeksIIRState64f_16s VeksIIRState64f_16s;
typedef struct VeksIIRState64fc_16sc VeksIIRState64fc_16sc;
typedef struct VeksIIRState64f_32f VeksIIRState64f_32f;
typedef struct VeksIIRState64fc_32fc VeksIIRState64fc_32fc;
typedef struct VeksIIRState64f_32s VeksIIRState64f_32s;
typedef struct VeksIIRState64fc_32sc VeksIIRState64fc_32sc;

/* ---- sizes, Init, InitAlloc, SetTaps; arbitrary order then biquad --------- */
VekStatus veksIIRGetStateSize_32f(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize_BiQuad_32f(int numBq, int* pBufferSize);
VekStatus veksIIRInit_32f(VeksIIRState_32f** ppState, const Vek32f* pTaps, int order, const Vek32f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit_BiQuad_32f(VeksIIRState_32f** ppState, const Vek32f* pTaps, int numBq, const Vek32f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc_32f(VeksIIRState_32f** ppState, const Vek32f* pTaps, int order, const Vek32f* pDlyLine);
VekStatus veksIIRInitAlloc_BiQuad_32f(VeksIIRState_32f** ppState, const Vek32f* pTaps, int numBq, const Vek32f* pDlyLine);
VekStatus veksIIRSetTaps_32f(const Vek32f* pTaps, VeksIIRState_32f* pState);

VekStatus veksIIRGetStateSize_32fc(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize_BiQuad_32fc(int numBq, int* pBufferSize);
VekStatus veksIIRInit_32fc(VeksIIRState_32fc** ppState, const Vek32fc* pTaps, int order, const Vek32fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit_BiQuad_32fc(VeksIIRState_32fc** ppState, const Vek32fc* pTaps, int numBq, const Vek32fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc_32fc(VeksIIRState_32fc** ppState, const Vek32fc* pTaps, int order, const Vek32fc* pDlyLine);
VekStatus veksIIRInitAlloc_BiQuad_32fc(VeksIIRState_32fc** ppState, const Vek32fc* pTaps, int numBq, const Vek32fc* pDlyLine);
VekStatus veksIIRSetTaps_32fc(const Vek32fc* pTaps, VeksIIRState_32fc* pState);

VekStatus veksIIRGetStateSize_64f(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize_BiQuad_64f(int numBq, int* pBufferSize);
VekStatus veksIIRInit_64f(VeksIIRState_64f** ppState, const Vek64f* pTaps, int order, const Vek64f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit_BiQuad_64f(VeksIIRState_64f** ppState, const Vek64f* pTaps, int numBq, const Vek64f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc_64f(VeksIIRState_64f** ppState, const Vek64f* pTaps, int order, const Vek64f* pDlyLine);
VekStatus veksIIRInitAlloc_BiQuad_64f(VeksIIRState_64f** ppState, const Vek64f* pTaps, int numBq, const Vek64f* pDlyLine);
VekStatus veksIIRSetTaps_64f(const Vek64f* pTaps, VeksIIRState_64f* pState);

VekStatus veksIIRGetStateSize_64fc(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize_BiQuad_64fc(int numBq, int* pBufferSize);
VekStatus veksIIRInit_64fc(VeksIIRState_64fc** ppState, const Vek64fc* pTaps, int order, const Vek64fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit_BiQuad_64fc(VeksIIRState_64fc** ppState, const Vek64fc* pTaps, int numBq, const Vek64fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc_64fc(VeksIIRState_64fc** ppState, const Vek64fc* pTaps, int order, const Vek64fc* pDlyLine);
VekStatus veksIIRInitAlloc_BiQuad_64fc(VeksIIRState_64fc** ppState, const Vek64fc* pTaps, int numBq, const Vek64fc* pDlyLine);
VekStatus veksIIRSetTaps_64fc(const Vek64fc* pTaps, VeksIIRState_64fc* pState);

VekStatus veksIIRGetStateSize32f_16s(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize32f_BiQuad_16s(int numBq, int* pBufferSize);
VekStatus veksIIRInit32f_16s(VeksIIRState32f_16s** ppState, const Vek32f* pTaps, int order, const Vek32f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit32f_BiQuad_16s(VeksIIRState32f_16s** ppState, const Vek32f* pTaps, int numBq, const Vek32f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc32f_16s(VeksIIRState32f_16s** ppState, const Vek32f* pTaps, int order, const Vek32f* pDlyLine);
VekStatus veksIIRInitAlloc32f_BiQuad_16s(VeksIIRState32f_16s** ppState, const Vek32f* pTaps, int numBq, const Vek32f* pDlyLine);
VekStatus veksIIRSetTaps32f_16s(const Vek32f* pTaps, VeksIIRState32f_16s* pState);

VekStatus veksIIRGetStateSize32fc_16sc(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize32fc_BiQuad_16sc(int numBq, int* pBufferSize);
VekStatus veksIIRInit32fc_16sc(VeksIIRState32fc_16sc** ppState, const Vek32fc* pTaps, int order, const Vek32fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit32fc_BiQuad_16sc(VeksIIRState32fc_16sc** ppState, const Vek32fc* pTaps, int numBq, const Vek32fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc32fc_16sc(VeksIIRState32fc_16sc** ppState, const Vek32fc* pTaps, int order, const Vek32fc* pDlyLine);
VekStatus veksIIRInitAlloc32fc_BiQuad_16sc(VeksIIRState32fc_16sc** ppState, const Vek32fc* pTaps, int numBq, const Vek32fc* pDlyLine);
VekStatus veksIIRSetTaps32fc_16sc(const Vek32fc* pTaps, VeksIIRState32fc_16sc* pState);

VekStatus veksIIRGetStateSize32s_16s(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize32s_BiQuad_16s(int numBq, int* pBufferSize);
VekStatus veksIIRInit32s_16s(VeksIIRState32s_16s** ppState, const Vek32s* pTaps, int order, int tapsFactor, const Vek32f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit32s_BiQuad_16s(VeksIIRState32s_16s** ppState, const Vek32s* pTaps, int numBq, int tapsFactor, const Vek32f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc32s_16s(VeksIIRState32s_16s** ppState, const Vek32s* pTaps, int order, int tapsFactor, const Vek32f* pDlyLine);
VekStatus veksIIRInitAlloc32s_BiQuad_16s(VeksIIRState32s_16s** ppState, const Vek32s* pTaps, int numBq, int tapsFactor, const Vek32f* pDlyLine);
VekStatus veksIIRSetTaps32s_16s(const Vek32s* pTaps, VeksIIRState32s_16s* pState, int tapsFactor);

VekStatus veksIIRGetStateSize32s_16s32f(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize32s_BiQuad_16s32f(int numBq, int* pBufferSize);
VekStatus veksIIRInit32s_16s32f(VeksIIRState32s_16s** ppState, const Vek32f* pTaps, int order, const Vek32f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit32s_BiQuad_16s32f(VeksIIRState32s_16s** ppState, const Vek32f* pTaps, int numBq, const Vek32f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc32s_16s32f(VeksIIRState32s_16s** ppState, const Vek32f* pTaps, int order, const Vek32f* pDlyLine);
VekStatus veksIIRInitAlloc32s_BiQuad_16s32f(VeksIIRState32s_16s** ppState, const Vek32f* pTaps, int numBq, const Vek32f* pDlyLine);
VekStatus veksIIRSetTaps32s_16s32f(const Vek32f* pTaps, VeksIIRState32s_16s* pState);

VekStatus veksIIRGetStateSize32sc_16sc(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize32sc_BiQuad_16sc(int numBq, int* pBufferSize);
VekStatus veksIIRInit32sc_16sc(VeksIIRState32sc_16sc** ppState, const Vek32sc* pTaps, int order, int tapsFactor, const Vek32fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit32sc_BiQuad_16sc(VeksIIRState32sc_16sc** ppState, const Vek32sc* pTaps, int numBq, int tapsFactor, const Vek32fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc32sc_16sc(VeksIIRState32sc_16sc** ppState, const Vek32sc* pTaps, int order, int tapsFactor, const Vek32fc* pDlyLine);
VekStatus veksIIRInitAlloc32sc_BiQuad_16sc(VeksIIRState32sc_16sc** ppState, const Vek32sc* pTaps, int numBq, int tapsFactor, const Vek32fc* pDlyLine);
VekStatus veksIIRSetTaps32sc_16sc(const Vek32sc* pTaps, VeksIIRState32sc_16sc* pState, int tapsFactor);

VekStatus veksIIRGetStateSize32sc_16sc32fc(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize32sc_BiQuad_16sc32fc(int numBq, int* pBufferSize);
VekStatus veksIIRInit32sc_16sc32fc(VeksIIRState32sc_16sc** ppState, const Vek32fc* pTaps, int order, const Vek32fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit32sc_BiQuad_16sc32fc(VeksIIRState32sc_16sc** ppState, const Vek32fc* pTaps, int numBq, const Vek32fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc32sc_16sc32fc(VeksIIRState32sc_16sc** ppState, const Vek32fc* pTaps, int order, const Vek32fc* pDlyLine);
VekStatus veksIIRInitAlloc32sc_BiQuad_16sc32fc(VeksIIRState32sc_16sc** ppState, const Vek32fc* pTaps, int numBq, const Vek32fc* pDlyLine);
VekStatus veksIIRSetTaps32sc_16sc32fc(const Vek32fc* pTaps, VeksIIRState32sc_16sc* pState);

VekStatus veksIIRGetStateSize64f_16s(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize64f_BiQuad_16s(int numBq, int* pBufferSize);
VekStatus veksIIRInit64f_16s(VeksIIRState64f_16s** ppState, const Vek64f* pTaps, int order, const Vek64f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit64f_BiQuad_16s(VeksIIRState64f_16s** ppState, const Vek64f* pTaps, int numBq, const Vek64f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc64f_16s(VeksIIRState64f_16s** ppState, const Vek64f* pTaps, int order, const Vek64f* pDlyLine);
VekStatus veksIIRInitAlloc64f_BiQuad_16s(VeksIIRState64f_16s** ppState, const Vek64f* pTaps, int numBq, const Vek64f* pDlyLine);
VekStatus veksIIRSetTaps64f_16s(const Vek64f* pTaps, VeksIIRState64f_16s* pState);

VekStatus veksIIRGetStateSize64fc_16sc(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize64fc_BiQuad_16sc(int numBq, int* pBufferSize);
VekStatus veksIIRInit64fc_16sc(VeksIIRState64fc_16sc** ppState, const Vek64fc* pTaps, int order, const Vek64fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit64fc_BiQuad_16sc(VeksIIRState64fc_16sc** ppState, const Vek64fc* pTaps, int numBq, const Vek64fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc64fc_16sc(VeksIIRState64fc_16sc** ppState, const Vek64fc* pTaps, int order, const Vek64fc* pDlyLine);
VekStatus veksIIRInitAlloc64fc_BiQuad_16sc(VeksIIRState64fc_16sc** ppState, const Vek64fc* pTaps, int numBq, const Vek64fc* pDlyLine);
VekStatus veksIIRSetTaps64fc_16sc(const Vek64fc* pTaps, VeksIIRState64fc_16sc* pState);

VekStatus veksIIRGetStateSize64f_32f(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize64f_BiQuad_32f(int numBq, int* pBufferSize);
VekStatus veksIIRInit64f_32f(VeksIIRState64f_32f** ppState, const Vek64f* pTaps, int order, const Vek64f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit64f_BiQuad_32f(VeksIIRState64f_32f** ppState, const Vek64f* pTaps, int numBq, const Vek64f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc64f_32f(VeksIIRState64f_32f** ppState, const Vek64f* pTaps, int order, const Vek64f* pDlyLine);
VekStatus veksIIRInitAlloc64f_BiQuad_32f(VeksIIRState64f_32f** ppState, const Vek64f* pTaps, int numBq, const Vek64f* pDlyLine);
VekStatus veksIIRSetTaps64f_32f(const Vek64f* pTaps, VeksIIRState64f_32f* pState);

VekStatus veksIIRGetStateSize64fc_32fc(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize64fc_BiQuad_32fc(int numBq, int* pBufferSize);
VekStatus veksIIRInit64fc_32fc(VeksIIRState64fc_32fc** ppState, const Vek64fc* pTaps, int order, const Vek64fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit64fc_BiQuad_32fc(VeksIIRState64fc_32fc** ppState, const Vek64fc* pTaps, int numBq, const Vek64fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc64fc_32fc(VeksIIRState64fc_32fc** ppState, const Vek64fc* pTaps, int order, const Vek64fc* pDlyLine);
VekStatus veksIIRInitAlloc64fc_BiQuad_32fc(VeksIIRState64fc_32fc** ppState, const Vek64fc* pTaps, int numBq, const Vek64fc* pDlyLine);
VekStatus veksIIRSetTaps64fc_32fc(const Vek64fc* pTaps, VeksIIRState64fc_32fc* pState);

VekStatus veksIIRGetStateSize64f_32s(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize64f_BiQuad_32s(int numBq, int* pBufferSize);
VekStatus veksIIRInit64f_32s(VeksIIRState64f_32s** ppState, const Vek64f* pTaps, int order, const Vek64f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit64f_BiQuad_32s(VeksIIRState64f_32s** ppState, const Vek64f* pTaps, int numBq, const Vek64f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc64f_32s(VeksIIRState64f_32s** ppState, const Vek64f* pTaps, int order, const Vek64f* pDlyLine);
VekStatus veksIIRInitAlloc64f_BiQuad_32s(VeksIIRState64f_32s** ppState, const Vek64f* pTaps, int numBq, const Vek64f* pDlyLine);
VekStatus veksIIRSetTaps64f_32s(const Vek64f* pTaps, VeksIIRState64f_32s* pState);

VekStatus veksIIRGetStateSize64fc_32sc(int order, int* pBufferSize);
VekStatus veksIIRGetStateSize64fc_BiQuad_32sc(int numBq, int* pBufferSize);
VekStatus veksIIRInit64fc_32sc(VeksIIRState64fc_32sc** ppState, const Vek64fc* pTaps, int order, const Vek64fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInit64fc_BiQuad_32sc(VeksIIRState64fc_32sc** ppState, const Vek64fc* pTaps, int numBq, const Vek64fc* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRInitAlloc64fc_32sc(VeksIIRState64fc_32sc** ppState, const Vek64fc* pTaps, int order, const Vek64fc* pDlyLine);
VekStatus veksIIRInitAlloc64fc_BiQuad_32sc(VeksIIRState64fc_32sc** ppState, const Vek64fc* pTaps, int numBq, const Vek64fc* pDlyLine);
VekStatus veksIIRSetTaps64fc_32sc(const Vek64fc* pTaps, VeksIIRState64fc_32sc* pState);

/* ---- Free and delay line, one set per state type ---------------------------- */
VekStatus veksIIRFree_32f(VeksIIRState_32f* pState);
VekStatus veksIIRGetDlyLine_32f(const VeksIIRState_32f* pState, Vek32f* pDlyLine);
VekStatus veksIIRSetDlyLine_32f(VeksIIRState_32f* pState, const Vek32f* pDlyLine);
VekStatus veksIIRFree_32fc(VeksIIRState_32fc* pState);
VekStatus veksIIRGetDlyLine_32fc(const VeksIIRState_32fc* pState, Vek32fc* pDlyLine);
VekStatus veksIIRSetDlyLine_32fc(VeksIIRState_32fc* pState, const Vek32fc* pDlyLine);
VekStatus veksIIRFree_64f(VeksIIRState_64f* pState);
VekStatus veksIIRGetDlyLine_64f(const VeksIIRState_64f* pState, Vek64f* pDlyLine);
VekStatus veksIIRSetDlyLine_64f(VeksIIRState_64f* pState, const Vek64f* pDlyLine);
VekStatus veksIIRFree_64fc(VeksIIRState_64fc* pState);
VekStatus veksIIRGetDlyLine_64fc(const VeksIIRState_64fc* pState, Vek64fc* pDlyLine);
VekStatus veksIIRSetDlyLine_64fc(VeksIIRState_64fc* pState, const Vek64fc* pDlyLine);
VekStatus veksIIRFree32f_16s(VeksIIRState32f_16s* pState);
VekStatus veksIIRGetDlyLine32f_16s(const VeksIIRState32f_16s* pState, Vek32f* pDlyLine);
VekStatus veksIIRSetDlyLine32f_16s(VeksIIRState32f_16s* pState, const Vek32f* pDlyLine);
VekStatus veksIIRFree32fc_16sc(VeksIIRState32fc_16sc* pState);
VekStatus veksIIRGetDlyLine32fc_16sc(const VeksIIRState32fc_16sc* pState, Vek32fc* pDlyLine);
VekStatus veksIIRSetDlyLine32fc_16sc(VeksIIRState32fc_16sc* pState, const Vek32fc* pDlyLine);
VekStatus veksIIRFree32s_16s(VeksIIRState32s_16s* pState);
VekStatus veksIIRGetDlyLine32s_16s(const VeksIIRState32s_16s* pState, Vek32f* pDlyLine);
VekStatus veksIIRSetDlyLine32s_16s(VeksIIRState32s_16s* pState, const Vek32f* pDlyLine);
VekStatus veksIIRFree32sc_16sc(VeksIIRState32sc_16sc* pState);
VekStatus veksIIRGetDlyLine32sc_16sc(const VeksIIRState32sc_16sc* pState, Vek32fc* pDlyLine);
VekStatus veksIIRSetDlyLine32sc_16sc(VeksIIRState32sc_16sc* pState, const Vek32fc* pDlyLine);
VekStatus veksIIRFree64f_16s(VeksIIRState64f_16s* pState);
VekStatus veksIIRGetDlyLine64f_16s(const VeksIIRState64f_16s* pState, Vek64f* pDlyLine);
VekStatus veksIIRSetDlyLine64f_16s(VeksIIRState64f_16s* pState, const Vek64f* pDlyLine);
VekStatus veksIIRFree64fc_16sc(VeksIIRState64fc_16sc* pState);
VekStatus veksIIRGetDlyLine64fc_16sc(const VeksIIRState64fc_16sc* pState, Vek64fc* pDlyLine);
VekStatus veksIIRSetDlyLine64fc_16sc(VeksIIRState64fc_16sc* pState, const Vek64fc* pDlyLine);
VekStatus veksIIRFree64f_32f(VeksIIRState64f_32f* pState);
VekStatus veksIIRGetDlyLine64f_32f(const VeksIIRState64f_32f* pState, Vek64f* pDlyLine);
VekStatus veksIIRSetDlyLine64f_32f(VeksIIRState64f_32f* pState, const Vek64f* pDlyLine);
VekStatus veksIIRFree64fc_32fc(VeksIIRState64fc_32fc* pState);
VekStatus veksIIRGetDlyLine64fc_32fc(const VeksIIRState64fc_32fc* pState, Vek64fc* pDlyLine);
VekStatus veksIIRSetDlyLine64fc_32fc(VeksIIRState64fc_32fc* pState, const Vek64fc* pDlyLine);
VekStatus veksIIRFree64f_32s(VeksIIRState64f_32s* pState);
VekStatus veksIIRGetDlyLine64f_32s(const VeksIIRState64f_32s* pState, Vek64f* pDlyLine);
VekStatus veksIIRSetDlyLine64f_32s(VeksIIRState64f_32s* pState, const Vek64f* pDlyLine);
VekStatus veksIIRFree64fc_32sc(VeksIIRState64fc_32sc* pState);
VekStatus veksIIRGetDlyLine64fc_32sc(const VeksIIRState64fc_32sc* pState, Vek64fc* pDlyLine);
VekStatus veksIIRSetDlyLine64fc_32sc(VeksIIRState64fc_32sc* pState, const Vek64fc* pDlyLine);

/* ---- filtering -------------------------------------------------------------- */
VekStatus veksIIR_32f(const Vek32f* pSrc, Vek32f* pDst, int len, VeksIIRState_32f* pState);
VekStatus veksIIR_32f_I(Vek32f* pSrcDst, int len, VeksIIRState_32f* pState);
VekStatus veksIIR_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, VeksIIRState_32fc* pState);
VekStatus veksIIR_32fc_I(Vek32fc* pSrcDst, int len, VeksIIRState_32fc* pState);
VekStatus veksIIR_64f(const Vek64f* pSrc, Vek64f* pDst, int len, VeksIIRState_64f* pState);
VekStatus veksIIR_64f_I(Vek64f* pSrcDst, int len, VeksIIRState_64f* pState);
VekStatus veksIIR_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len, VeksIIRState_64fc* pState);
VekStatus veksIIR_64fc_I(Vek64fc* pSrcDst, int len, VeksIIRState_64fc* pState);
VekStatus veksIIR64f_32f(const Vek32f* pSrc, Vek32f* pDst, int len, VeksIIRState64f_32f* pState);
VekStatus veksIIR64f_32f_I(Vek32f* pSrcDst, int len, VeksIIRState64f_32f* pState);
VekStatus veksIIR64fc_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, VeksIIRState64fc_32fc* pState);
VekStatus veksIIR64fc_32fc_I(Vek32fc* pSrcDst, int len, VeksIIRState64fc_32fc* pState);
VekStatus veksIIR32f_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, VeksIIRState32f_16s* pState, int scaleFactor);
VekStatus veksIIR32f_16s_ISfs(Vek16s* pSrcDst, int len, VeksIIRState32f_16s* pState, int scaleFactor);
VekStatus veksIIR32fc_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int len, VeksIIRState32fc_16sc* pState, int scaleFactor);
VekStatus veksIIR32fc_16sc_ISfs(Vek16sc* pSrcDst, int len, VeksIIRState32fc_16sc* pState, int scaleFactor);
VekStatus veksIIR32s_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, VeksIIRState32s_16s* pState, int scaleFactor);
VekStatus veksIIR32s_16s_ISfs(Vek16s* pSrcDst, int len, VeksIIRState32s_16s* pState, int scaleFactor);
VekStatus veksIIR32sc_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int len, VeksIIRState32sc_16sc* pState, int scaleFactor);
VekStatus veksIIR32sc_16sc_ISfs(Vek16sc* pSrcDst, int len, VeksIIRState32sc_16sc* pState, int scaleFactor);
VekStatus veksIIR64f_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, VeksIIRState64f_16s* pState, int scaleFactor);
VekStatus veksIIR64f_16s_ISfs(Vek16s* pSrcDst, int len, VeksIIRState64f_16s* pState, int scaleFactor);
VekStatus veksIIR64fc_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int len, VeksIIRState64fc_16sc* pState, int scaleFactor);
VekStatus veksIIR64fc_16sc_ISfs(Vek16sc* pSrcDst, int len, VeksIIRState64fc_16sc* pState, int scaleFactor);
VekStatus veksIIR64f_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, int len, VeksIIRState64f_32s* pState, int scaleFactor);
VekStatus veksIIR64f_32s_ISfs(Vek32s* pSrcDst, int len, VeksIIRState64f_32s* pState, int scaleFactor);
VekStatus veksIIR64fc_32sc_Sfs(const Vek32sc* pSrc, Vek32sc* pDst, int len, VeksIIRState64fc_32sc* pState, int scaleFactor);
VekStatus veksIIR64fc_32sc_ISfs(Vek32sc* pSrcDst, int len, VeksIIRState64fc_32sc* pState, int scaleFactor);
VekStatus veksIIROne_32f(Vek32f src, Vek32f* pDstVal, VeksIIRState_32f* pState);
VekStatus veksIIROne_32fc(Vek32fc src, Vek32fc* pDstVal, VeksIIRState_32fc* pState);
VekStatus veksIIROne_64f(Vek64f src, Vek64f* pDstVal, VeksIIRState_64f* pState);
VekStatus veksIIROne_64fc(Vek64fc src, Vek64fc* pDstVal, VeksIIRState_64fc* pState);
VekStatus veksIIROne64f_32f(Vek32f src, Vek32f* pDstVal, VeksIIRState64f_32f* pState);
VekStatus veksIIROne64fc_32fc(Vek32fc src, Vek32fc* pDstVal, VeksIIRState64fc_32fc* pState);
VekStatus veksIIROne32f_16s_Sfs(Vek16s src, Vek16s* pDstVal, VeksIIRState32f_16s* pState, int scaleFactor);
VekStatus veksIIROne32fc_16sc_Sfs(Vek16sc src, Vek16sc* pDstVal, VeksIIRState32fc_16sc* pState, int scaleFactor);
VekStatus veksIIROne32s_16s_Sfs(Vek16s src, Vek16s* pDstVal, VeksIIRState32s_16s* pState, int scaleFactor);
VekStatus veksIIROne32sc_16sc_Sfs(Vek16sc src, Vek16sc* pDstVal, VeksIIRState32sc_16sc* pState, int scaleFactor);
VekStatus veksIIROne64f_16s_Sfs(Vek16s src, Vek16s* pDstVal, VeksIIRState64f_16s* pState, int scaleFactor);
VekStatus veksIIROne64fc_16sc_Sfs(Vek16sc src, Vek16sc* pDstVal, VeksIIRState64fc_16sc* pState, int scaleFactor);
VekStatus veksIIROne64f_32s_Sfs(Vek32s src, Vek32s* pDstVal, VeksIIRState64f_32s* pState, int scaleFactor);
VekStatus veksIIROne64fc_32sc_Sfs(Vek32sc src, Vek32sc* pDstVal, VeksIIRState64fc_32sc* pState, int scaleFactor);

/* ---- stateless 16-bit forms --------------------------------------------------
 * Vek16s taps in the layouts above where each a0 tap is a right-shift count
 * q >= 0 (vekStsBadTapScale when negative) giving the fixed-point position of
 * the other taps; the delay line is Vek32s (order values, or 2 per section).
 *
 * One-sample forms compute in 32-bit integers that wrap: acc = b0 x + d0,
 * y = acc >> q rounded half to even (y = 0 for q >= 32), delay updates as the
 * recurrences above with the unsaturated y; biquads pass the 32-bit y on to
 * the next section. The output is y saturated to Vek16s. Checks: order/numBq
 * < 1 (vekStsBadOrder); null pDstVal, pTaps, pDlyLine; then the shifts (for
 * biquads section by section: sections already processed keep their delay
 * updates).
 *
 * Block forms build a temporary single-precision state (vekStsNoMemory when
 * it cannot be allocated) from taps and delay values times 2^-q, filter as
 * veksIIR32f_16s_Sfs with scale factor 0 and write the delay values back
 * times 2^q, saturated to Vek32s and rounded: half away from zero for the
 * arbitrary order, half to even for biquads. They may differ from the
 * one-sample forms in the last bit. Checks: order/numBq < 1; null pSrc,
 * pTaps, pDlyLine, pDst; arbitrary order: q < 0 then len < 1; biquads: len < 1
 * then q < 0 per section (nothing changed when one is negative).
 */
VekStatus veksIIR_Direct_16s(const Vek16s* pSrc, Vek16s* pDst, int len, const Vek16s* pTaps, int order, Vek32s* pDlyLine);
VekStatus veksIIR_Direct_16s_I(Vek16s* pSrcDst, int len, const Vek16s* pTaps, int order, Vek32s* pDlyLine);
VekStatus veksIIROne_Direct_16s(Vek16s src, Vek16s* pDstVal, const Vek16s* pTaps, int order, Vek32s* pDlyLine);
VekStatus veksIIROne_Direct_16s_I(Vek16s* pSrcDstVal, const Vek16s* pTaps, int order, Vek32s* pDlyLine);
VekStatus veksIIR_BiQuadDirect_16s(const Vek16s* pSrc, Vek16s* pDst, int len, const Vek16s* pTaps, int numBq, Vek32s* pDlyLine);
VekStatus veksIIR_BiQuadDirect_16s_I(Vek16s* pSrcDst, int len, const Vek16s* pTaps, int numBq, Vek32s* pDlyLine);
VekStatus veksIIROne_BiQuadDirect_16s(Vek16s src, Vek16s* pDstVal, const Vek16s* pTaps, int numBq, Vek32s* pDlyLine);
VekStatus veksIIROne_BiQuadDirect_16s_I(Vek16s* pSrcDstVal, const Vek16s* pTaps, int numBq, Vek32s* pDlyLine);

/* ---- sparse IIR ---------------------------------------------------------------
 * y[n] = sum_i b_i x[n - pb_i] + sum_j a_j y[n - pa_j]: nzTapsLen feed-forward
 * taps at strictly increasing positions pb_i >= 0, nzTapsLen2 (>= 0) feedback
 * taps at strictly increasing positions pa_j >= 1, added and not normalised.
 * order = last pb, order2 = last pa. pNZTaps: b taps then a taps; pNZTapPos:
 * b positions then a positions. pDlyLine (optional): the last order inputs,
 * then the last order2 outputs, each newest first. Each output sums its
 * feed-forward terms from the oldest position to the newest, then adds the
 * feedback terms in the same order.
 * GetStateSize checks: pSize null; nzTapsLen < 1 or nzTapsLen2 < 0
 * (vekStsBadOrder); order or order2 < 0 (vekStsBadSparseTaps). Init checks:
 * null ppState, pNZTaps, pNZTapPos, pBuf; counts (vekStsBadOrder); positions
 * (vekStsBadSparseTaps). The filter: null pSrc, pDst, state; len < 1;
 * identifier. Source and destination must not overlap. There is no Free:
 * the state lives in the caller's buffer.
 */
typedef struct VeksIIRSparseState_32f VeksIIRSparseState_32f;
VekStatus veksIIRSparseGetStateSize_32f(int nzTapsLen, int nzTapsLen2, int order, int order2, int* pSize);
VekStatus veksIIRSparseInit_32f(VeksIIRSparseState_32f** ppState, const Vek32f* pNZTaps, const Vek32s* pNZTapPos, int nzTapsLen, int nzTapsLen2, const Vek32f* pDlyLine, Vek8u* pBuf);
VekStatus veksIIRSparse_32f(const Vek32f* pSrc, Vek32f* pDst, int len, VeksIIRSparseState_32f* pState);

VEKS_EXTERN_C_END

#endif /* VEKS_IIR_H */
