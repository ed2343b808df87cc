/* vekszn: dft family. Included by veks.h; do not include directly.
 *
 * Discrete Fourier transform of any length N >= 1: forward
 * X[k] = sum x[n] e^(-2 pi i nk/N), inverse with e^(+2 pi i nk/N), each times
 * the factor the normalisation flag gives that direction (flags and hints as
 * for the FFT: 1 forward by 1/N, 2 inverse by 1/N, 4 both by 1/sqrt(N),
 * 8 none). Output in natural order.
 *
 * DFT objects (VeksDFTSpec_*, VeksDFTOutOrdSpec_*) are made by InitAlloc
 * (length, flag, hint) and released by Free; they are read-only between the
 * two and may be shared by any number of threads. The engine is chosen by N
 * at creation: straight-line kernels for N <= 4, the FFT for powers of two,
 * mixed-radix passes (radices 2, 3, 4, 5 and odd radices up to 150) when N
 * splits into such factors, a direct O(N^2) transform for other N <= 150,
 * and a chirp convolution through power-of-two FFTs above. Real kinds of
 * even N run the complex engine of N/2 points plus a recombination pass;
 * odd N run the complex engine on the real data (the direct transform up to
 * N = 180).
 *
 * Checks, InitAlloc: null output pointer (vekStsNullPtr), N < 1
 * (vekStsBadLength), flag (vekStsBadFftFlag); a failed allocation gives
 * vekStsNoMemory and leaves nothing allocated. Free and GetBufSize: null
 * argument (vekStsNullPtr), object of another kind (vekStsBadContext).
 * Transforms: null spec, wrong kind (vekStsBadContext), null data pointer,
 * failed allocation of the work area (vekStsNoMemory).
 *
 * Work buffer: GetBufSize reports the bytes a transform call needs,
 * 32 bytes of alignment slack included (0 when none is needed). Given such
 * a buffer, a call does not allocate; given null, it allocates and frees its
 * own. Source and destination may be the same array (in-place call).
 *
 * Real spectra use the Perm, Pack and CCS layouts of the real FFT; for odd N
 * there is no R_(N/2) term: Perm and Pack hold R_0, R_1, I_1, ..., R_K, I_K
 * (N values, K = (N-1)/2) and CCS holds R_0, 0, R_1, I_1, ..., R_K, I_K
 * (N + 1 values); even N: CCS holds N + 2 values. The inverse transforms
 * ignore the imaginary parts of bins 0 and N/2 that CCS carries.
 *
 * 16-bit kinds: the data are converted to single precision, transformed by
 * an inner single-precision spec (made with hint 1) and rounded to nearest,
 * ties to even, after scaling by 2^-scaleFactor, with saturation. N = 1
 * returns the point scaled by 2^-scaleFactor.
 *
 * Out-of-order kinds: same engines and calls as the complex kinds; a
 * forward out-of-order result is meant only for the matching out-of-order
 * inverse. (This build leaves them in natural order.)
 */
#ifndef VEKS_DFT_H
#define VEKS_DFT_H

VEKS_EXTERN_C_BEGIN

/* ---- DFT objects (opaque) --------------------------------------------------- */
typedef struct VeksDFTSpec_C_16sc VeksDFTSpec_C_16sc;
typedef struct VeksDFTSpec_C_16s VeksDFTSpec_C_16s;
typedef struct VeksDFTSpec_R_16s VeksDFTSpec_R_16s;
typedef struct VeksDFTSpec_C_32fc VeksDFTSpec_C_32fc;
typedef struct VeksDFTSpec_C_32f VeksDFTSpec_C_32f;
typedef struct VeksDFTSpec_R_32f VeksDFTSpec_R_32f;
typedef struct VeksDFTSpec_C_64fc VeksDFTSpec_C_64fc;
typedef struct VeksDFTSpec_C_64f VeksDFTSpec_C_64f;
typedef struct VeksDFTSpec_R_64f VeksDFTSpec_R_64f;
typedef struct VeksDFTOutOrdSpec_C_32fc VeksDFTOutOrdSpec_C_32fc;
typedef struct VeksDFTOutOrdSpec_C_64fc VeksDFTOutOrdSpec_C_64fc;

/* ---- life cycle, one set per kind ------------------------------------------- */
VekStatus veksDFTInitAlloc_C_16sc(VeksDFTSpec_C_16sc** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTFree_C_16sc(VeksDFTSpec_C_16sc* pDFTSpec);
VekStatus veksDFTGetBufSize_C_16sc(const VeksDFTSpec_C_16sc* pDFTSpec, int* pBufferSize);
VekStatus veksDFTInitAlloc_C_16s(VeksDFTSpec_C_16s** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTFree_C_16s(VeksDFTSpec_C_16s* pDFTSpec);
VekStatus veksDFTGetBufSize_C_16s(const VeksDFTSpec_C_16s* pDFTSpec, int* pBufferSize);
VekStatus veksDFTInitAlloc_R_16s(VeksDFTSpec_R_16s** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTFree_R_16s(VeksDFTSpec_R_16s* pDFTSpec);
VekStatus veksDFTGetBufSize_R_16s(const VeksDFTSpec_R_16s* pDFTSpec, int* pBufferSize);
VekStatus veksDFTInitAlloc_C_32fc(VeksDFTSpec_C_32fc** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTFree_C_32fc(VeksDFTSpec_C_32fc* pDFTSpec);
VekStatus veksDFTGetBufSize_C_32fc(const VeksDFTSpec_C_32fc* pDFTSpec, int* pBufferSize);
VekStatus veksDFTInitAlloc_C_32f(VeksDFTSpec_C_32f** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTFree_C_32f(VeksDFTSpec_C_32f* pDFTSpec);
VekStatus veksDFTGetBufSize_C_32f(const VeksDFTSpec_C_32f* pDFTSpec, int* pBufferSize);
VekStatus veksDFTInitAlloc_R_32f(VeksDFTSpec_R_32f** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTFree_R_32f(VeksDFTSpec_R_32f* pDFTSpec);
VekStatus veksDFTGetBufSize_R_32f(const VeksDFTSpec_R_32f* pDFTSpec, int* pBufferSize);
VekStatus veksDFTInitAlloc_C_64fc(VeksDFTSpec_C_64fc** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTFree_C_64fc(VeksDFTSpec_C_64fc* pDFTSpec);
VekStatus veksDFTGetBufSize_C_64fc(const VeksDFTSpec_C_64fc* pDFTSpec, int* pBufferSize);
VekStatus veksDFTInitAlloc_C_64f(VeksDFTSpec_C_64f** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTFree_C_64f(VeksDFTSpec_C_64f* pDFTSpec);
VekStatus veksDFTGetBufSize_C_64f(const VeksDFTSpec_C_64f* pDFTSpec, int* pBufferSize);
VekStatus veksDFTInitAlloc_R_64f(VeksDFTSpec_R_64f** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTFree_R_64f(VeksDFTSpec_R_64f* pDFTSpec);
VekStatus veksDFTGetBufSize_R_64f(const VeksDFTSpec_R_64f* pDFTSpec, int* pBufferSize);

/* ---- complex transforms ------------------------------------------------------ */
VekStatus veksDFTFwd_CToC_32fc(const Vek32fc* pSrc, Vek32fc* pDst, const VeksDFTSpec_C_32fc* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTInv_CToC_32fc(const Vek32fc* pSrc, Vek32fc* pDst, const VeksDFTSpec_C_32fc* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTFwd_CToC_64fc(const Vek64fc* pSrc, Vek64fc* pDst, const VeksDFTSpec_C_64fc* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTInv_CToC_64fc(const Vek64fc* pSrc, Vek64fc* pDst, const VeksDFTSpec_C_64fc* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTFwd_CToC_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDstRe, Vek32f* pDstIm, const VeksDFTSpec_C_32f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTInv_CToC_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDstRe, Vek32f* pDstIm, const VeksDFTSpec_C_32f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTFwd_CToC_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDstRe, Vek64f* pDstIm, const VeksDFTSpec_C_64f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTInv_CToC_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDstRe, Vek64f* pDstIm, const VeksDFTSpec_C_64f* pDFTSpec, Vek8u* pBuffer);

/* ---- real transforms --------------------------------------------------------- */
VekStatus veksDFTFwd_RToPerm_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTFwd_RToPack_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTFwd_RToCCS_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTInv_PermToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTInv_PackToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTInv_CCSToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksDFTSpec_R_32f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTFwd_RToPerm_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTFwd_RToPack_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTFwd_RToCCS_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTInv_PermToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTInv_PackToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTInv_CCSToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksDFTSpec_R_64f* pDFTSpec, Vek8u* pBuffer);

/* ---- 16-bit transforms ------------------------------------------------------- */
VekStatus veksDFTFwd_CToC_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, const VeksDFTSpec_C_16sc* pDFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDFTInv_CToC_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, const VeksDFTSpec_C_16sc* pDFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDFTFwd_CToC_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDstRe, Vek16s* pDstIm, const VeksDFTSpec_C_16s* pDFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDFTInv_CToC_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDstRe, Vek16s* pDstIm, const VeksDFTSpec_C_16s* pDFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDFTFwd_RToPerm_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksDFTSpec_R_16s* pDFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDFTFwd_RToPack_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksDFTSpec_R_16s* pDFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDFTFwd_RToCCS_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksDFTSpec_R_16s* pDFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDFTInv_PermToR_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksDFTSpec_R_16s* pDFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDFTInv_PackToR_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksDFTSpec_R_16s* pDFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksDFTInv_CCSToR_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksDFTSpec_R_16s* pDFTSpec, int scaleFactor, Vek8u* pBuffer);

/* ---- out-of-order complex transforms ----------------------------------------- */
VekStatus veksDFTOutOrdInitAlloc_C_32fc(VeksDFTOutOrdSpec_C_32fc** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTOutOrdFree_C_32fc(VeksDFTOutOrdSpec_C_32fc* pDFTSpec);
VekStatus veksDFTOutOrdGetBufSize_C_32fc(const VeksDFTOutOrdSpec_C_32fc* pDFTSpec, int* pBufferSize);
VekStatus veksDFTOutOrdFwd_CToC_32fc(const Vek32fc* pSrc, Vek32fc* pDst, const VeksDFTOutOrdSpec_C_32fc* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTOutOrdInv_CToC_32fc(const Vek32fc* pSrc, Vek32fc* pDst, const VeksDFTOutOrdSpec_C_32fc* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTOutOrdInitAlloc_C_64fc(VeksDFTOutOrdSpec_C_64fc** ppDFTSpec, int length, int flag, int hint);
VekStatus veksDFTOutOrdFree_C_64fc(VeksDFTOutOrdSpec_C_64fc* pDFTSpec);
VekStatus veksDFTOutOrdGetBufSize_C_64fc(const VeksDFTOutOrdSpec_C_64fc* pDFTSpec, int* pBufferSize);
VekStatus veksDFTOutOrdFwd_CToC_64fc(const Vek64fc* pSrc, Vek64fc* pDst, const VeksDFTOutOrdSpec_C_64fc* pDFTSpec, Vek8u* pBuffer);
VekStatus veksDFTOutOrdInv_CToC_64fc(const Vek64fc* pSrc, Vek64fc* pDst, const VeksDFTOutOrdSpec_C_64fc* pDFTSpec, Vek8u* pBuffer);

VEKS_EXTERN_C_END

#endif
