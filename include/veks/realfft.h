/* vekszn: realfft family. Included by veks.h; do not include directly.
 *
 * Real FFT of length N = 2^order with the spectrum X[k] = sum x[n]
 * e^(-2 pi i nk/N) (R_k, I_k its parts) in one of three layouts:
 *   Perm: R_0, R_N/2, R_1, I_1, ..., R_N/2-1, I_N/2-1          (N values)
 *   Pack: R_0, R_1, I_1, ..., R_N/2-1, I_N/2-1, R_N/2          (N values)
 *   CCS:  R_0, 0, R_1, I_1, ..., R_N/2-1, I_N/2-1, R_N/2, 0    (N + 2 values)
 * N = 1: Perm and Pack hold R_0, CCS holds R_0, 0. Specs, work buffers, the
 * normalisation flags and the check order are those of the complex FFT
 * (veks/fft.h); the inverse of a forward transform with flag 8 returns N
 * times the signal. The integer forms scale by 2^-scaleFactor, round to
 * nearest (ties to even) and saturate; the 16-bit fixed-point engine (order
 * <= 8, hint 0 or 1) carries 14 - order fraction bits and rounds its final
 * shift half up.
 *
 * Spectrum operations take a length len (which may be odd; K = (len-1)/2
 * complex bins for odd len, len/2 - 1 for even len). Check order: null
 * pointer (vekStsNullPtr), then len < 1 (vekStsBadLength). The 16-bit
 * conjugation saturates (-32768 becomes 32767); the 16-bit products form
 * each product exactly, scale it by 2^-scaleFactor rounding to nearest
 * (ties to even) and saturate.
 */
#ifndef VEKS_REALFFT_H
#define VEKS_REALFFT_H

VEKS_EXTERN_C_BEGIN

/* ---- real transforms ------------------------------------------------------- */
VekStatus veksFFTFwd_RToPerm_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPerm_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPack_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPack_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToCCS_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToCCS_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_PermToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_PermToR_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_PackToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_PackToR_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CCSToR_32f(const Vek32f* pSrc, Vek32f* pDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CCSToR_32f_I(Vek32f* pSrcDst, const VeksFFTSpec_R_32f* pFFTSpec, Vek8u* pBuffer);

VekStatus veksFFTFwd_RToPerm_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPerm_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPack_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPack_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToCCS_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToCCS_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_PermToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_PermToR_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_PackToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_PackToR_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CCSToR_64f(const Vek64f* pSrc, Vek64f* pDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);
VekStatus veksFFTInv_CCSToR_64f_I(Vek64f* pSrcDst, const VeksFFTSpec_R_64f* pFFTSpec, Vek8u* pBuffer);

VekStatus veksFFTFwd_RToPerm_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPerm_16s_ISfs(Vek16s* pSrcDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPack_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPack_16s_ISfs(Vek16s* pSrcDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToCCS_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToCCS_16s_ISfs(Vek16s* pSrcDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_PermToR_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_PermToR_16s_ISfs(Vek16s* pSrcDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_PackToR_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_PackToR_16s_ISfs(Vek16s* pSrcDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CCSToR_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CCSToR_16s_ISfs(Vek16s* pSrcDst, const VeksFFTSpec_R_16s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);

VekStatus veksFFTFwd_RToPerm_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPerm_32s_ISfs(Vek32s* pSrcDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPack_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToPack_32s_ISfs(Vek32s* pSrcDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToCCS_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTFwd_RToCCS_32s_ISfs(Vek32s* pSrcDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_PermToR_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_PermToR_32s_ISfs(Vek32s* pSrcDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_PackToR_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_PackToR_32s_ISfs(Vek32s* pSrcDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CCSToR_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CCSToR_32s_ISfs(Vek32s* pSrcDst, const VeksFFTSpec_R_32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);

VekStatus veksFFTFwd_RToCCS_16s32s_Sfs(const Vek16s* pSrc, Vek32s* pDst, const VeksFFTSpec_R_16s32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);
VekStatus veksFFTInv_CCSToR_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, const VeksFFTSpec_R_16s32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer);

/* ---- spectrum operations ---------------------------------------------------- */
/* Expansion of a packed spectrum to len complex values (Hermitian symmetry). */
VekStatus veksConjPack_32fc(const Vek32f* pSrc, Vek32fc* pDst, int len);
VekStatus veksConjPack_32fc_I(Vek32fc* pSrcDst, int len);
VekStatus veksConjPack_64fc(const Vek64f* pSrc, Vek64fc* pDst, int len);
VekStatus veksConjPack_64fc_I(Vek64fc* pSrcDst, int len);
VekStatus veksConjPack_16sc(const Vek16s* pSrc, Vek16sc* pDst, int len);
VekStatus veksConjPack_16sc_I(Vek16sc* pSrcDst, int len);
VekStatus veksConjPerm_32fc(const Vek32f* pSrc, Vek32fc* pDst, int len);
VekStatus veksConjPerm_32fc_I(Vek32fc* pSrcDst, int len);
VekStatus veksConjPerm_64fc(const Vek64f* pSrc, Vek64fc* pDst, int len);
VekStatus veksConjPerm_64fc_I(Vek64fc* pSrcDst, int len);
VekStatus veksConjPerm_16sc(const Vek16s* pSrc, Vek16sc* pDst, int len);
VekStatus veksConjPerm_16sc_I(Vek16sc* pSrcDst, int len);
VekStatus veksConjCcs_32fc(const Vek32f* pSrc, Vek32fc* pDst, int len);
VekStatus veksConjCcs_32fc_I(Vek32fc* pSrcDst, int len);
VekStatus veksConjCcs_64fc(const Vek64f* pSrc, Vek64fc* pDst, int len);
VekStatus veksConjCcs_64fc_I(Vek64fc* pSrcDst, int len);
VekStatus veksConjCcs_16sc(const Vek16s* pSrc, Vek16sc* pDst, int len);
VekStatus veksConjCcs_16sc_I(Vek16sc* pSrcDst, int len);

/* Element-wise products of packed spectra. */
VekStatus veksMulPack_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, Vek32f* pDst, int len);
VekStatus veksMulPack_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VekStatus veksMulPack_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, Vek64f* pDst, int len);
VekStatus veksMulPack_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len);
VekStatus veksMulPack_16s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksMulPack_16s_ISfs(const Vek16s* pSrc, Vek16s* pSrcDst, int len, int scaleFactor);
VekStatus veksMulPerm_32f(const Vek32f* pSrc1, const Vek32f* pSrc2, Vek32f* pDst, int len);
VekStatus veksMulPerm_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VekStatus veksMulPerm_64f(const Vek64f* pSrc1, const Vek64f* pSrc2, Vek64f* pDst, int len);
VekStatus veksMulPerm_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len);
VekStatus veksMulPerm_16s_Sfs(const Vek16s* pSrc1, const Vek16s* pSrc2, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksMulPerm_16s_ISfs(const Vek16s* pSrc, Vek16s* pSrcDst, int len, int scaleFactor);
/* pSrcDst = pSrc * conj(pSrcDst), Pack layout. */
VekStatus veksMulPackConj_32f_I(const Vek32f* pSrc, Vek32f* pSrcDst, int len);
VekStatus veksMulPackConj_64f_I(const Vek64f* pSrc, Vek64f* pSrcDst, int len);

VEKS_EXTERN_C_END

#endif
