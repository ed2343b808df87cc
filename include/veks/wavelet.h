/* vekszn: wavelet transforms - one level of a two-band decomposition and its
 * reconstruction. Included by veks.h; do not include directly.
 *
 * ---- Haar ----------------------------------------------------------------------
 * Forward: for input length len the low band gets (len + 1) / 2 values and the
 * high band len / 2. For each pair (x0, x1) = (x[2k], x[2k+1]):
 *   float:   high[k] = (x1 - x0) * 0.5,  low[k] = x0 + high[k]
 *   integer: high[k] = (x1 - x0) / 2,    low[k] = (x0 + x1) / 2
 * each rounded to nearest with ties to the even integer, computed without
 * intermediate overflow and saturated to the type (16s: a high value of 32768
 * becomes 32767). For odd len the last input goes to the low band unchanged.
 * Inverse (len is the output length): dst[2k] = low[k] - high[k],
 * dst[2k+1] = low[k] + high[k], integers saturated; for odd len
 * dst[len-1] = low[last]. Inverse after forward returns the input for the
 * floating-point forms.
 * Sfs forms: every output is its exact value (the half sum or half
 * difference above, low +- high, or the unpaired last sample) times
 * 2^-scaleFactor, rounded half to even once and saturated; scale factor 0
 * equals the form without Sfs. Forward with -1 followed by inverse with 1
 * is lossless while nothing saturates (the bands hold x0 + x1 and x1 - x0).
 * Checks: null pointer (in argument order) vekStsNullPtr, then len < 1
 * vekStsBadLength. Arrays may have any address.
 *
 * ---- general two-filter transform ---------------------------------------------
 * A streaming state holds for each band its taps (count L >= 1), its offset
 * o >= -1 and a delay line with the band's history. With y the convolution
 * of the band's taps h with the input x (y[n] = sum_j h[j] x[n - j]):
 *   forward:  band[k] = y[2k - o]
 * that is, offset 0 keeps y[0], y[2], ...; -1 keeps the odd phase y[1], y[3],
 * ... (the earliest phase that needs no later input); every step up delays
 * the band by one input sample. Inverse, with v the band upsampled by two
 * (v[2k] = band[k], v[2k+1] = 0) and z the convolution of v with the taps:
 *   inverse:  dst[n] = z_low[n - 1 - o_low] + z_high[n - 1 - o_high]
 * so offset -1 is plain upsampling and filtering, and every step up again
 * delays by one output sample. Samples before the first call are the
 * delay line (zero at creation). WTFwd consumes 2*dstLen inputs and writes
 * dstLen values per band; WTInv consumes srcLen values per band and writes
 * 2*srcLen values. Calls in sequence give exactly the result of one call on
 * the joined data.
 * With an orthogonal pair (high h1[j] = (-1)^j h0[L-1-j]) analysed with
 * offsets 0 and synthesised with the time-reversed taps and offsets -1, the
 * output is the input delayed by L - 1 samples.
 *
 * Delay lines (Get/SetDlyLine, Vek32f, oldest value first; the newest is the
 * sample just before the next call's first input):
 *   forward band: max(0, L - 1 + o) input samples;
 *   inverse band: (L + o) / 2 (rounded down) band values.
 * A band that keeps no history copies nothing (its pointer is still checked).
 *
 * Integer variants: forward _8u32f, _8s32f, _16u32f, _16s32f read integers
 * (exactly converted to Vek32f); inverse _32f8u, _32f8s, _32f16u, _32f16s
 * round the Vek32f sum of both bands to nearest (ties to even) and saturate
 * (NaN gives 0). Sums are accumulated in single precision. Every variant's
 * state has the same layout; forward states carry one identifier, inverse
 * states another.
 *
 * Checks, InitAlloc: null out pointer or low taps (vekStsNullPtr), low length
 * < 1 (vekStsBadLength), null high taps, high length < 1, low offset < -1
 * then high offset < -1 (vekStsBadFilterOffset), then allocation
 * (vekStsNoMemory: *ppState is set to null). The taps are copied.
 * Every other function first validates the state (null: vekStsNullPtr;
 * wrong kind, freed or damaged: vekStsBadContext), then its pointers
 * (vekStsNullPtr), then the length (vekStsBadLength). Free invalidates and
 * releases the state. One state serves one thread at a time. */
#ifndef VEKS_WAVELET_H
#define VEKS_WAVELET_H

VEKS_EXTERN_C_BEGIN

/* ---- Haar ------------------------------------------------------------------ */
VekStatus veksWTHaarFwd_32f(const Vek32f* pSrc, int len, Vek32f* pDstLow, Vek32f* pDstHigh);
VekStatus veksWTHaarFwd_64f(const Vek64f* pSrc, int len, Vek64f* pDstLow, Vek64f* pDstHigh);
VekStatus veksWTHaarFwd_8s(const Vek8s* pSrc, int len, Vek8s* pDstLow, Vek8s* pDstHigh);
VekStatus veksWTHaarFwd_16s(const Vek16s* pSrc, int len, Vek16s* pDstLow, Vek16s* pDstHigh);
VekStatus veksWTHaarFwd_32s(const Vek32s* pSrc, int len, Vek32s* pDstLow, Vek32s* pDstHigh);
VekStatus veksWTHaarFwd_64s(const Vek64s* pSrc, int len, Vek64s* pDstLow, Vek64s* pDstHigh);
VekStatus veksWTHaarFwd_8s_Sfs(const Vek8s* pSrc, int len, Vek8s* pDstLow, Vek8s* pDstHigh, int scaleFactor);
VekStatus veksWTHaarFwd_16s_Sfs(const Vek16s* pSrc, int len, Vek16s* pDstLow, Vek16s* pDstHigh, int scaleFactor);
VekStatus veksWTHaarFwd_32s_Sfs(const Vek32s* pSrc, int len, Vek32s* pDstLow, Vek32s* pDstHigh, int scaleFactor);
VekStatus veksWTHaarFwd_64s_Sfs(const Vek64s* pSrc, int len, Vek64s* pDstLow, Vek64s* pDstHigh, int scaleFactor);

VekStatus veksWTHaarInv_32f(const Vek32f* pSrcLow, const Vek32f* pSrcHigh, Vek32f* pDst, int len);
VekStatus veksWTHaarInv_64f(const Vek64f* pSrcLow, const Vek64f* pSrcHigh, Vek64f* pDst, int len);
VekStatus veksWTHaarInv_8s(const Vek8s* pSrcLow, const Vek8s* pSrcHigh, Vek8s* pDst, int len);
VekStatus veksWTHaarInv_16s(const Vek16s* pSrcLow, const Vek16s* pSrcHigh, Vek16s* pDst, int len);
VekStatus veksWTHaarInv_32s(const Vek32s* pSrcLow, const Vek32s* pSrcHigh, Vek32s* pDst, int len);
VekStatus veksWTHaarInv_64s(const Vek64s* pSrcLow, const Vek64s* pSrcHigh, Vek64s* pDst, int len);
VekStatus veksWTHaarInv_8s_Sfs(const Vek8s* pSrcLow, const Vek8s* pSrcHigh, Vek8s* pDst, int len, int scaleFactor);
VekStatus veksWTHaarInv_16s_Sfs(const Vek16s* pSrcLow, const Vek16s* pSrcHigh, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksWTHaarInv_32s_Sfs(const Vek32s* pSrcLow, const Vek32s* pSrcHigh, Vek32s* pDst, int len, int scaleFactor);
VekStatus veksWTHaarInv_64s_Sfs(const Vek64s* pSrcLow, const Vek64s* pSrcHigh, Vek64s* pDst, int len, int scaleFactor);

/* ---- two-filter transform states (opaque) ---------------------------------- */
typedef struct VeksWTFwdState_32f    VeksWTFwdState_32f;
typedef struct VeksWTFwdState_8u32f  VeksWTFwdState_8u32f;
typedef struct VeksWTFwdState_8s32f  VeksWTFwdState_8s32f;
typedef struct VeksWTFwdState_16u32f VeksWTFwdState_16u32f;
typedef struct VeksWTFwdState_16s32f VeksWTFwdState_16s32f;
typedef struct VeksWTInvState_32f    VeksWTInvState_32f;
typedef struct VeksWTInvState_32f8u  VeksWTInvState_32f8u;
typedef struct VeksWTInvState_32f8s  VeksWTInvState_32f8s;
typedef struct VeksWTInvState_32f16u VeksWTInvState_32f16u;
typedef struct VeksWTInvState_32f16s VeksWTInvState_32f16s;

/* ---- forward: state kinds by input type ------------------------------------- */
VekStatus veksWTFwdInitAlloc_32f(VeksWTFwdState_32f** ppState, const Vek32f* pTapsLow, int lenLow, int offsLow,
          const Vek32f* pTapsHigh, int lenHigh, int offsHigh);
VekStatus veksWTFwd_32f(const Vek32f* pSrc, Vek32f* pDstLow, Vek32f* pDstHigh, int dstLen, VeksWTFwdState_32f* pState);
VekStatus veksWTFwdGetDlyLine_32f(const VeksWTFwdState_32f* pState, Vek32f* pDlyLow, Vek32f* pDlyHigh);
VekStatus veksWTFwdSetDlyLine_32f(VeksWTFwdState_32f* pState, const Vek32f* pDlyLow, const Vek32f* pDlyHigh);
VekStatus veksWTFwdFree_32f(VeksWTFwdState_32f* pState);

VekStatus veksWTFwdInitAlloc_8u32f(VeksWTFwdState_8u32f** ppState, const Vek32f* pTapsLow, int lenLow, int offsLow,
          const Vek32f* pTapsHigh, int lenHigh, int offsHigh);
VekStatus veksWTFwd_8u32f(const Vek8u* pSrc, Vek32f* pDstLow, Vek32f* pDstHigh, int dstLen, VeksWTFwdState_8u32f* pState);
VekStatus veksWTFwdGetDlyLine_8u32f(const VeksWTFwdState_8u32f* pState, Vek32f* pDlyLow, Vek32f* pDlyHigh);
VekStatus veksWTFwdSetDlyLine_8u32f(VeksWTFwdState_8u32f* pState, const Vek32f* pDlyLow, const Vek32f* pDlyHigh);
VekStatus veksWTFwdFree_8u32f(VeksWTFwdState_8u32f* pState);

VekStatus veksWTFwdInitAlloc_8s32f(VeksWTFwdState_8s32f** ppState, const Vek32f* pTapsLow, int lenLow, int offsLow,
          const Vek32f* pTapsHigh, int lenHigh, int offsHigh);
VekStatus veksWTFwd_8s32f(const Vek8s* pSrc, Vek32f* pDstLow, Vek32f* pDstHigh, int dstLen, VeksWTFwdState_8s32f* pState);
VekStatus veksWTFwdGetDlyLine_8s32f(const VeksWTFwdState_8s32f* pState, Vek32f* pDlyLow, Vek32f* pDlyHigh);
VekStatus veksWTFwdSetDlyLine_8s32f(VeksWTFwdState_8s32f* pState, const Vek32f* pDlyLow, const Vek32f* pDlyHigh);
VekStatus veksWTFwdFree_8s32f(VeksWTFwdState_8s32f* pState);

VekStatus veksWTFwdInitAlloc_16u32f(VeksWTFwdState_16u32f** ppState, const Vek32f* pTapsLow, int lenLow, int offsLow,
          const Vek32f* pTapsHigh, int lenHigh, int offsHigh);
VekStatus veksWTFwd_16u32f(const Vek16u* pSrc, Vek32f* pDstLow, Vek32f* pDstHigh, int dstLen, VeksWTFwdState_16u32f* pState);
VekStatus veksWTFwdGetDlyLine_16u32f(const VeksWTFwdState_16u32f* pState, Vek32f* pDlyLow, Vek32f* pDlyHigh);
VekStatus veksWTFwdSetDlyLine_16u32f(VeksWTFwdState_16u32f* pState, const Vek32f* pDlyLow, const Vek32f* pDlyHigh);
VekStatus veksWTFwdFree_16u32f(VeksWTFwdState_16u32f* pState);

VekStatus veksWTFwdInitAlloc_16s32f(VeksWTFwdState_16s32f** ppState, const Vek32f* pTapsLow, int lenLow, int offsLow,
          const Vek32f* pTapsHigh, int lenHigh, int offsHigh);
VekStatus veksWTFwd_16s32f(const Vek16s* pSrc, Vek32f* pDstLow, Vek32f* pDstHigh, int dstLen, VeksWTFwdState_16s32f* pState);
VekStatus veksWTFwdGetDlyLine_16s32f(const VeksWTFwdState_16s32f* pState, Vek32f* pDlyLow, Vek32f* pDlyHigh);
VekStatus veksWTFwdSetDlyLine_16s32f(VeksWTFwdState_16s32f* pState, const Vek32f* pDlyLow, const Vek32f* pDlyHigh);
VekStatus veksWTFwdFree_16s32f(VeksWTFwdState_16s32f* pState);

/* ---- inverse: state kinds by output type ------------------------------------ */
VekStatus veksWTInvInitAlloc_32f(VeksWTInvState_32f** ppState, const Vek32f* pTapsLow, int lenLow, int offsLow,
          const Vek32f* pTapsHigh, int lenHigh, int offsHigh);
VekStatus veksWTInv_32f(const Vek32f* pSrcLow, const Vek32f* pSrcHigh, int srcLen, Vek32f* pDst, VeksWTInvState_32f* pState);
VekStatus veksWTInvGetDlyLine_32f(const VeksWTInvState_32f* pState, Vek32f* pDlyLow, Vek32f* pDlyHigh);
VekStatus veksWTInvSetDlyLine_32f(VeksWTInvState_32f* pState, const Vek32f* pDlyLow, const Vek32f* pDlyHigh);
VekStatus veksWTInvFree_32f(VeksWTInvState_32f* pState);

VekStatus veksWTInvInitAlloc_32f8u(VeksWTInvState_32f8u** ppState, const Vek32f* pTapsLow, int lenLow, int offsLow,
          const Vek32f* pTapsHigh, int lenHigh, int offsHigh);
VekStatus veksWTInv_32f8u(const Vek32f* pSrcLow, const Vek32f* pSrcHigh, int srcLen, Vek8u* pDst, VeksWTInvState_32f8u* pState);
VekStatus veksWTInvGetDlyLine_32f8u(const VeksWTInvState_32f8u* pState, Vek32f* pDlyLow, Vek32f* pDlyHigh);
VekStatus veksWTInvSetDlyLine_32f8u(VeksWTInvState_32f8u* pState, const Vek32f* pDlyLow, const Vek32f* pDlyHigh);
VekStatus veksWTInvFree_32f8u(VeksWTInvState_32f8u* pState);

VekStatus veksWTInvInitAlloc_32f8s(VeksWTInvState_32f8s** ppState, const Vek32f* pTapsLow, int lenLow, int offsLow,
          const Vek32f* pTapsHigh, int lenHigh, int offsHigh);
VekStatus veksWTInv_32f8s(const Vek32f* pSrcLow, const Vek32f* pSrcHigh, int srcLen, Vek8s* pDst, VeksWTInvState_32f8s* pState);
VekStatus veksWTInvGetDlyLine_32f8s(const VeksWTInvState_32f8s* pState, Vek32f* pDlyLow, Vek32f* pDlyHigh);
VekStatus veksWTInvSetDlyLine_32f8s(VeksWTInvState_32f8s* pState, const Vek32f* pDlyLow, const Vek32f* pDlyHigh);
VekStatus veksWTInvFree_32f8s(VeksWTInvState_32f8s* pState);

VekStatus veksWTInvInitAlloc_32f16u(VeksWTInvState_32f16u** ppState, const Vek32f* pTapsLow, int lenLow, int offsLow,
          const Vek32f* pTapsHigh, int lenHigh, int offsHigh);
VekStatus veksWTInv_32f16u(const Vek32f* pSrcLow, const Vek32f* pSrcHigh, int srcLen, Vek16u* pDst, VeksWTInvState_32f16u* pState);
VekStatus veksWTInvGetDlyLine_32f16u(const VeksWTInvState_32f16u* pState, Vek32f* pDlyLow, Vek32f* pDlyHigh);
VekStatus veksWTInvSetDlyLine_32f16u(VeksWTInvState_32f16u* pState, const Vek32f* pDlyLow, const Vek32f* pDlyHigh);
VekStatus veksWTInvFree_32f16u(VeksWTInvState_32f16u* pState);

VekStatus veksWTInvInitAlloc_32f16s(VeksWTInvState_32f16s** ppState, const Vek32f* pTapsLow, int lenLow, int offsLow,
          const Vek32f* pTapsHigh, int lenHigh, int offsHigh);
VekStatus veksWTInv_32f16s(const Vek32f* pSrcLow, const Vek32f* pSrcHigh, int srcLen, Vek16s* pDst, VeksWTInvState_32f16s* pState);
VekStatus veksWTInvGetDlyLine_32f16s(const VeksWTInvState_32f16s* pState, Vek32f* pDlyLow, Vek32f* pDlyHigh);
VekStatus veksWTInvSetDlyLine_32f16s(VeksWTInvState_32f16s* pState, const Vek32f* pDlyLow, const Vek32f* pDlyHigh);
VekStatus veksWTInvFree_32f16s(VeksWTInvState_32f16s* pState);

VEKS_EXTERN_C_END

#endif /* VEKS_WAVELET_H */
