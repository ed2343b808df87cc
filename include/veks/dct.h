/* vekszn: dct family. Included by veks.h; do not include directly.
 *
 * Orthonormal discrete cosine transform of any length N >= 1 (n, k < N):
 *   forward (type II)  X[k] = c_k sum x[n] cos(pi (2n+1) k / 2N)
 *   inverse (type III) x[n] = sum c_k X[k] cos(pi (2n+1) k / 2N)
 * with c_0 = 1/sqrt(N) and c_k = sqrt(2)/sqrt(N) for k >= 1, so the inverse
 * of a forward transform returns the input. There is no normalisation flag.
 *
 * DCT objects (VeksDCTFwdSpec_*, VeksDCTInvSpec_*) hold the tables of one
 * length and direction; the life cycle is that of the FFT specs (veks/fft.h):
 * GetSize (spec bytes, init-buffer bytes, work-buffer bytes), Init into
 * caller memory (placed at its next 32-byte boundary) or InitAlloc, GetBufSize
 * (0 when no work buffer is needed, else including 32 bytes of slack), Free.
 * Specs hold no pointers and are read-only after Init.
 *
 * The spec picks its engine by N: straight-line kernels for N = 1, 2, 4, 8;
 * a dedicated algorithm for other powers of two, or, with the hint
 * vekHintPrecision and N >= 513, a real FFT of length 2N; a direct sum over
 * a cosine table for other N up to 100; a chirp convolution through complex
 * FFTs of length M (the smallest power of two >= 2N - 1) above 100. The
 * single-precision sizes in bytes (double precision: twice the element
 * bytes, and 128 for the kernels):
 *   kernels             spec 116, work 0
 *   powers of two       spec 4N rounded up to 32 + 128, work 4N + 32
 *   real FFT            spec (real FFT spec of order log2 N + 1) + 8N + 128,
 *                       init as that FFT, work (that FFT's work) + 8N + 32
 *   direct              spec 16N rounded up to 32 + 128, work 4N + 32
 *   chirp               spec (complex FFT spec of length M) + 8 (M + 3N) + 128,
 *                       init max(FFT init, FFT work) + 32, work (FFT work) + 8M + 32
 * The 16-bit specs hold a single-precision spec of the same direction made
 * with vekHintSpeed (none for N = 1): spec = its size + 64, init = its init,
 * work = its buffer size + 4N + 32 (N = 1: spec 64, no buffers).
 *
 * Check order, GetSize: N < 1 (vekStsBadLength), null output pointer
 * (vekStsNullPtr). Init: null spec-pointer argument (vekStsNullPtr), N < 1,
 * null spec memory, null init buffer where the init size is not 0. Lengths
 * whose sizes do not fit an int are answered with vekStsNoMemory by GetSize,
 * Init and InitAlloc. Transforms: null spec (vekStsNullPtr), a spec of
 * another kind or a freed one (vekStsBadContext), null source or destination
 * (vekStsNullPtr), failed allocation of the work buffer (vekStsNoMemory).
 * The buffer argument may be null: the call then allocates its work area.
 * In-place forms equal the out-of-place forms on one array.
 *
 * 16-bit forms: the data are converted to single precision, transformed, then
 * multiplied by 2^-scaleFactor, rounded to nearest (ties to even) and
 * saturated; N = 1 scales the single value the same way.
 */
#ifndef VEKS_DCT_H
#define VEKS_DCT_H

VEKS_EXTERN_C_BEGIN

/* ---- DCT objects (opaque) --------------------------------------------------- */
typedef struct VeksDCTFwdSpec_16s VeksDCTFwdSpec_16s;
typedef struct VeksDCTInvSpec_16s VeksDCTInvSpec_16s;
typedef struct VeksDCTFwdSpec_32f VeksDCTFwdSpec_32f;
typedef struct VeksDCTInvSpec_32f VeksDCTInvSpec_32f;
typedef struct VeksDCTFwdSpec_64f VeksDCTFwdSpec_64f;
typedef struct VeksDCTInvSpec_64f VeksDCTInvSpec_64f;

/* ---- life cycle, one set per kind ------------------------------------------- */
VekStatus veksDCTFwdGetSize_16s(int length, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksDCTFwdInit_16s(VeksDCTFwdSpec_16s** ppDCTSpec, int length, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksDCTFwdInitAlloc_16s(VeksDCTFwdSpec_16s** ppDCTSpec, int length, int hint);
VekStatus veksDCTFwdGetBufSize_16s(const VeksDCTFwdSpec_16s* pDCTSpec, int* pBufferSize);
VekStatus veksDCTFwdFree_16s(VeksDCTFwdSpec_16s* pDCTSpec);

VekStatus veksDCTInvGetSize_16s(int length, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksDCTInvInit_16s(VeksDCTInvSpec_16s** ppDCTSpec, int length, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksDCTInvInitAlloc_16s(VeksDCTInvSpec_16s** ppDCTSpec, int length, int hint);
VekStatus veksDCTInvGetBufSize_16s(const VeksDCTInvSpec_16s* pDCTSpec, int* pBufferSize);
VekStatus veksDCTInvFree_16s(VeksDCTInvSpec_16s* pDCTSpec);

VekStatus veksDCTFwdGetSize_32f(int length, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksDCTFwdInit_32f(VeksDCTFwdSpec_32f** ppDCTSpec, int length, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksDCTFwdInitAlloc_32f(VeksDCTFwdSpec_32f** ppDCTSpec, int length, int hint);
VekStatus veksDCTFwdGetBufSize_32f(const VeksDCTFwdSpec_32f* pDCTSpec, int* pBufferSize);
VekStatus veksDCTFwdFree_32f(VeksDCTFwdSpec_32f* pDCTSpec);

VekStatus veksDCTInvGetSize_32f(int length, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksDCTInvInit_32f(VeksDCTInvSpec_32f** ppDCTSpec, int length, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksDCTInvInitAlloc_32f(VeksDCTInvSpec_32f** ppDCTSpec, int length, int hint);
VekStatus veksDCTInvGetBufSize_32f(const VeksDCTInvSpec_32f* pDCTSpec, int* pBufferSize);
VekStatus veksDCTInvFree_32f(VeksDCTInvSpec_32f* pDCTSpec);

VekStatus veksDCTFwdGetSize_64f(int length, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksDCTFwdInit_64f(VeksDCTFwdSpec_64f** ppDCTSpec, int length, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksDCTFwdInitAlloc_64f(VeksDCTFwdSpec_64f** ppDCTSpec, int length, int hint);
VekStatus veksDCTFwdGetBufSize_64f(const VeksDCTFwdSpec_64f* pDCTSpec, int* pBufferSize);
VekStatus veksDCTFwdFree_64f(VeksDCTFwdSpec_64f* pDCTSpec);

VekStatus veksDCTInvGetSize_64f(int length, int hint, int* pSpecSize, int* pSpecBufferSize, int* pBufferSize);
VekStatus veksDCTInvInit_64f(VeksDCTInvSpec_64f** ppDCTSpec, int length, int hint, Vek8u* pMemSpec, Vek8u* pBufInit);
VekStatus veksDCTInvInitAlloc_64f(VeksDCTInvSpec_64f** ppDCTSpec, int length, int hint);
VekStatus veksDCTInvGetBufSize_64f(const VeksDCTInvSpec_64f* pDCTSpec, int* pBufferSize);
VekStatus veksDCTInvFree_64f(VeksDCTInvSpec_64f* pDCTSpec);

/* ---- transforms -------------------------------------------------------------- */
VekStatus veksDCTFwd_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDCTFwdSpec_32f* pDCTSpec, Vek8u* pBuffer);
VekStatus veksDCTFwd_32f_I(Vek32f* pSrcDst, const VeksDCTFwdSpec_32f* pDCTSpec, Vek8u* pBuffer);
VekStatus veksDCTInv_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDCTInvSpec_32f* pDCTSpec, Vek8u* pBuffer);
VekStatus veksDCTInv_32f_I(Vek32f* pSrcDst, const VeksDCTInvSpec_32f* pDCTSpec, Vek8u* pBuffer);
VekStatus veksDCTFwd_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDCTFwdSpec_64f* pDCTSpec, Vek8u* pBuffer);
VekStatus veksDCTFwd_64f_I(Vek64f* pSrcDst, const VeksDCTFwdSpec_64f* pDCTSpec, Vek8u* pBuffer);
VekStatus veksDCTInv_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDCTInvSpec_64f* pDCTSpec, Vek8u* pBuffer);
VekStatus veksDCTInv_64f_I(Vek64f* pSrcDst, const VeksDCTInvSpec_64f* pDCTSpec, Vek8u* pBuffer);

VekStatus veksDCTFwd_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksDCTFwdSpec_16s* pDCTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDCTFwd_16s_ISfs(Vek16s* pSrcDst, const VeksDCTFwdSpec_16s* pDCTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDCTInv_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksDCTInvSpec_16s* pDCTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDCTInv_16s_ISfs(Vek16s* pSrcDst, const VeksDCTInvSpec_16s* pDCTSpec, int scaleFactor, Vek8u* pBuffer);

VEKS_EXTERN_C_END

#endif
