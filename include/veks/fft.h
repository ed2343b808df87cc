/* vekszn: fft family. Included by veks.h; do not include directly.
 *
 * Power-of-two FFT of length N = 2^order, order 0..30.
 *
 * FFT objects (VeksFFTSpec_*, "specs") hold the tables of one order, normalisation
 * flag and element type. Life cycle: GetSize reports the spec bytes, the
 * init-buffer bytes (scratch needed only during Init) and the work-buffer
 * bytes of a transform call; Init builds the spec in caller memory (placed at
 * its next 32-byte boundary; the sizes include that slack) or InitAlloc
 * allocates and builds it; GetBufSize reports the work-buffer bytes of the
 * transform calls (0 when none is needed, else including 32 bytes of slack);
 * Free invalidates the spec and releases it when InitAlloc made it.
 * A spec holds no pointers, only offsets from its own start, so it is
 * read-only after Init and may be shared by any number of threads.
 *
 * Normalisation flags (vekFftNorm*): 1 forward by 1/N, 2 inverse by 1/N,
 * 4 both by 1/sqrt(N), 8 none. Hints: 0 default, 1 speed, 2 precision; the
 * 16-bit specs use the fixed-point engine for order <= 8 with hint 0 or 1 and
 * a single-precision engine otherwise; the other kinds only store the hint.
 *
 * Check order, GetSize: order outside 0..30 (vekStsBadFftOrder), null output
 * pointer (vekStsNullPtr), flag (vekStsBadFftFlag). Init: null spec-pointer
 * argument, order, null spec memory, flag (the header is then left zeroed
 * with identifier 0), null init buffer where the order needs one (float
 * kinds: order >= 11; 16-bit kinds: order >= 1). Any operation given a spec
 * of another kind, or a freed one, returns vekStsBadContext. Orders whose
 * sizes do not fit an int (single precision from order 28, double from 27)
 * are answered with vekStsNoMemory by GetSize, Init and InitAlloc.
 *
 * Transforms: forward X[k] = sum x[n] e^(-2 pi i nk/N), inverse with
 * e^(+2 pi i nk/N), each times the spec's factor for that direction; natural
 * order out. Check order: null spec, wrong kind (vekStsBadContext), null data
 * pointer, failed allocation of the work buffer (vekStsNoMemory). The buffer
 * argument may be null: the call then allocates the work area itself. Given
 * a buffer, a transform does not allocate. In-place forms (_I, _ISfs) equal
 * the out-of-place forms with the same array as source and destination.
 *
 * Integer forms: 16-bit data go through the fixed-point engine (values
 * pre-shifted left by 15 - order, Q14 twiddles, results shifted right by the
 * direction shift + scaleFactor + pre-shift rounding half up, saturated) or
 * through single precision; 32-bit data through double precision. Float
 * results are rounded to nearest, ties to even, after scaling by
 * 2^-scaleFactor, and saturated.
 */
#ifndef VEKS_FFT_H
#define VEKS_FFT_H

VEKS_EXTERN_C_BEGIN

/* ---- FFT objects (opaque) --------------------------------------------------- */
typedef struct VeksFFTSpec_C_16sc  VeksFFTSpec_C_16sc;
typedef struct VeksFFTSpec_C_16s   VeksFFTSpec_C_16s;
typedef struct VeksFFTSpec_R_16s   VeksFFTSpec_R_16s;
typedef struct VeksFFTSpec_C_32fc  VeksFFTSpec_C_32fc;
typedef struct VeksFFTSpec_C_32f   VeksFFTSpec_C_32f;
typedef struct VeksFFTSpec_R_32f   VeksFFTSpec_R_32f;
typedef struct VeksFFTSpec_C_64fc  VeksFFTSpec_C_64fc;
typedef struct VeksFFTSpec_C_64f   VeksFFTSpec_C_64f;
typedef struct VeksFFTSpec_R_64f   VeksFFTSpec_R_64f;
typedef struct VeksFFTSpec_C_32sc  VeksFFTSpec_C_32sc;
typedef struct VeksFFTSpec_C_32s   VeksFFTSpec_C_32s;
typedef struct VeksFFTSpec_R_32s   VeksFFTSpec_R_32s;
typedef struct VeksFFTSpec_R_16s32s VeksFFTSpec_R_16s32s;

/* ---- life cycle, one set per kind ------------------------------------------- */
VekStatus veksFFTGetSize_C_16sc(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_C_16sc(VeksFFTSpec_C_16sc** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_C_16sc(VeksFFTSpec_C_16sc** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_C_16sc(const VeksFFTSpec_C_16sc* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_C_16sc(VeksFFTSpec_C_16sc* pFFTSpec);

VekStatus veksFFTGetSize_C_16s(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_C_16s(VeksFFTSpec_C_16s** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_C_16s(VeksFFTSpec_C_16s** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_C_16s(const VeksFFTSpec_C_16s* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_C_16s(VeksFFTSpec_C_16s* pFFTSpec);

VekStatus veksFFTGetSize_R_16s(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_R_16s(VeksFFTSpec_R_16s** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_R_16s(VeksFFTSpec_R_16s** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_R_16s(const VeksFFTSpec_R_16s* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_R_16s(VeksFFTSpec_R_16s* pFFTSpec);

VekStatus veksFFTGetSize_C_32fc(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_C_32fc(VeksFFTSpec_C_32fc** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_C_32fc(VeksFFTSpec_C_32fc** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_C_32fc(const VeksFFTSpec_C_32fc* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_C_32fc(VeksFFTSpec_C_32fc* pFFTSpec);

VekStatus veksFFTGetSize_C_32f(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_C_32f(VeksFFTSpec_C_32f** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_C_32f(VeksFFTSpec_C_32f** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_C_32f(const VeksFFTSpec_C_32f* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_C_32f(VeksFFTSpec_C_32f* pFFTSpec);

VekStatus veksFFTGetSize_R_32f(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_R_32f(VeksFFTSpec_R_32f** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_R_32f(VeksFFTSpec_R_32f** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_R_32f(const VeksFFTSpec_R_32f* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_R_32f(VeksFFTSpec_R_32f* pFFTSpec);

VekStatus veksFFTGetSize_C_64fc(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_C_64fc(VeksFFTSpec_C_64fc** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_C_64fc(VeksFFTSpec_C_64fc** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_C_64fc(const VeksFFTSpec_C_64fc* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_C_64fc(VeksFFTSpec_C_64fc* pFFTSpec);

VekStatus veksFFTGetSize_C_64f(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_C_64f(VeksFFTSpec_C_64f** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_C_64f(VeksFFTSpec_C_64f** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_C_64f(const VeksFFTSpec_C_64f* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_C_64f(VeksFFTSpec_C_64f* pFFTSpec);

VekStatus veksFFTGetSize_R_64f(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_R_64f(VeksFFTSpec_R_64f** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_R_64f(VeksFFTSpec_R_64f** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_R_64f(const VeksFFTSpec_R_64f* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_R_64f(VeksFFTSpec_R_64f* pFFTSpec);

VekStatus veksFFTGetSize_C_32sc(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_C_32sc(VeksFFTSpec_C_32sc** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_C_32sc(VeksFFTSpec_C_32sc** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_C_32sc(const VeksFFTSpec_C_32sc* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_C_32sc(VeksFFTSpec_C_32sc* pFFTSpec);

VekStatus veksFFTGetSize_C_32s(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_C_32s(VeksFFTSpec_C_32s** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_C_32s(VeksFFTSpec_C_32s** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_C_32s(const VeksFFTSpec_C_32s* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_C_32s(VeksFFTSpec_C_32s* pFFTSpec);

VekStatus veksFFTGetSize_R_32s(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_R_32s(VeksFFTSpec_R_32s** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_R_32s(VeksFFTSpec_R_32s** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_R_32s(const VeksFFTSpec_R_32s* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_R_32s(VeksFFTSpec_R_32s* pFFTSpec);

VekStatus veksFFTGetSize_R_16s32s(int order, int flag, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksFFTInit_R_16s32s(VeksFFTSpec_R_16s32s** ppFFTSpec, int order, int flag, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksFFTInitAlloc_R_16s32s(VeksFFTSpec_R_16s32s** ppFFTSpec, int order, int flag, int hint);
VekStatus veksFFTGetBufSize_R_16s32s(const VeksFFTSpec_R_16s32s* pFFTSpec, int* pBufferSize);
VekStatus veksFFTFree_R_16s32s(VeksFFTSpec_R_16s32s* pFFTSpec);

/* ---- complex transforms ----------------------------------------------------- */
/* Interleaved complex data. */
VekStatus veksFFTFwd_CToC_32fc(const Vek32fc* pSrc, Vek32fc* pDst, const VeksFFTSpec_C_32fc* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_32fc(const Vek32fc* pSrc, Vek32fc* pDst, const VeksFFTSpec_C_32fc* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_32fc_I(Vek32fc* pSrcDst, const VeksFFTSpec_C_32fc* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_32fc_I(Vek32fc* pSrcDst, const VeksFFTSpec_C_32fc* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_64fc(const Vek64fc* pSrc, Vek64fc* pDst, const VeksFFTSpec_C_64fc* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_64fc(const Vek64fc* pSrc, Vek64fc* pDst, const VeksFFTSpec_C_64fc* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_64fc_I(Vek64fc* pSrcDst, const VeksFFTSpec_C_64fc* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_64fc_I(Vek64fc* pSrcDst, const VeksFFTSpec_C_64fc* pFFTSpec, Vek8u* pBuffer);

/* Complex data as separate real and imaginary arrays. */
VekStatus veksFFTFwd_CToC_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDstRe, Vek32f* pDstIm,
                              const VeksFFTSpec_C_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDstRe, Vek32f* pDstIm,
                              const VeksFFTSpec_C_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_32f_I(Vek32f* pSrcDstRe, Vek32f* pSrcDstIm, const VeksFFTSpec_C_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_32f_I(Vek32f* pSrcDstRe, Vek32f* pSrcDstIm, const VeksFFTSpec_C_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDstRe, Vek64f* pDstIm,
                              const VeksFFTSpec_C_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDstRe, Vek64f* pDstIm,
                              const VeksFFTSpec_C_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_64f_I(Vek64f* pSrcDstRe, Vek64f* pSrcDstIm, const VeksFFTSpec_C_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_64f_I(Vek64f* pSrcDstRe, Vek64f* pSrcDstIm, const VeksFFTSpec_C_64f* pFFTSpec, Vek8u* pBuffer);

/* Integer data, scaled by 2^-scaleFactor and saturated. */
VekStatus veksFFTFwd_CToC_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, const VeksFFTSpec_C_16sc* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, const VeksFFTSpec_C_16sc* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_16sc_ISfs(Vek16sc* pSrcDst, const VeksFFTSpec_C_16sc* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_16sc_ISfs(Vek16sc* pSrcDst, const VeksFFTSpec_C_16sc* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDstRe, Vek16s* pDstIm,
                                  const VeksFFTSpec_C_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDstRe, Vek16s* pDstIm,
                                  const VeksFFTSpec_C_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_16s_ISfs(Vek16s* pSrcDstRe, Vek16s* pSrcDstIm, const VeksFFTSpec_C_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_16s_ISfs(Vek16s* pSrcDstRe, Vek16s* pSrcDstIm, const VeksFFTSpec_C_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_32sc_Sfs(const Vek32sc* pSrc, Vek32sc* pDst, const VeksFFTSpec_C_32sc* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_32sc_Sfs(const Vek32sc* pSrc, Vek32sc* pDst, const VeksFFTSpec_C_32sc* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_32sc_ISfs(Vek32sc* pSrcDst, const VeksFFTSpec_C_32sc* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_32sc_ISfs(Vek32sc* pSrcDst, const VeksFFTSpec_C_32sc* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_32s_Sfs(const Vek32s* pSrcRe, const Vek32s* pSrcIm, Vek32s* pDstRe, Vek32s* pDstIm,
                                  const VeksFFTSpec_C_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_32s_Sfs(const Vek32s* pSrcRe, const Vek32s* pSrcIm, Vek32s* pDstRe, Vek32s* pDstIm,
                                  const VeksFFTSpec_C_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_CToC_32s_ISfs(Vek32s* pSrcDstRe, Vek32s* pSrcDstIm, const VeksFFTSpec_C_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CToC_32s_ISfs(Vek32s* pSrcDstRe, Vek32s* pSrcDstIm, const VeksFFTSpec_C_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);

VEKS_EXTERN_C_END

#endif
