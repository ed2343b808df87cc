/* vekszn: window functions - Bartlett, Hann, Hamming, Blackman and Kaiser
 * tapers multiplied into a vector. Included by veks.h; do not include
 * directly.
 *
 * Every window makes one symmetric pass: weight w_k (k = 0, 1, ...) is
 * computed once and applied to positions k and N-1-k. With M = (N-1)/2, an
 * odd N copies the middle element unchanged; an even N gives both central
 * elements w_M. Complex forms apply the real weight to both parts. "_I"
 * forms work in place. N = 3 gives {0, src[1], 0} for Bartlett, Hann,
 * Hamming and all Blackman forms.
 *
 * Weights (x_k = 2 pi k / (N-1)):
 *   Bartlett   2k/(N-1), accumulated: w starts at 0 and gains 2/(N-1)
 *   Hann       0.5 (1 - cos x_k)
 *   Hamming    0.54 - 0.46 cos x_k
 *   Blackman   (alpha + 1)/2 - 0.5 cos x_k - (alpha/2) cos 2x_k, with
 *              cos 2x_k = 2 cos^2 x_k - 1
 *   BlackmanStd  Blackman with alpha = -0.16f
 *   BlackmanOpt  Blackman with alpha = -(0.5 / cos(pi/(N-1)))^2, computed in
 *              double and rounded to single; needs N >= 4
 *   BlackmanQ15  Blackman with alpha = alphaQ15 * 2^-15
 *   Kaiser     I0(alpha sqrt(k (N-1-k))) / I0(|(float)((N-1) alpha) / 2|)
 * cos x_k comes from a rotation started at (1, 0) that turns by
 * c = cos(2 pi/(N-1)), s = sqrt(1 - c^2) per step (one library cosine per
 * call); everything is in double precision and floating-point products are
 * rounded to the element type on store. I0 uses the classic polynomial
 * approximations (series in (x/3.75)^2 below 3.75, e^x / sqrt(x) times a
 * polynomial in 3.75/x above; relative error below 2e-7); I0 is taken of
 * |x| (it is even), so a negative alpha gives the window of |alpha|.
 * The rotation stays within about 2^-52 (N^2/8 + 2N) of the exact cosine
 * weights (the rounding of c, amplified over N/2 turns, dominates for long
 * windows). WinBlackmanOpt_64f_I keeps the products in double.
 *
 * 16-bit forms:
 *   Bartlett   Q31 accumulator, step trunc(2/(N-1) 2^31), Q15 weight
 *              (w + 32768) >> 16, product (src w + 16384) >> 15
 *   Hann       the rotation's cosine rounded to Q30 (ties to even), weight
 *              (((2^30 - cosQ30) >> 1) + 16384) >> 15, product as Bartlett
 *   Hamming, Blackman, BlackmanStd, BlackmanOpt, BlackmanQ15
 *              double weights, product truncated toward zero
 *   BlackmanQ15_16s_ISfs: that truncated product (for the middle element
 *              and the N = 3 centre: the element itself) is then scaled by
 *              2^-scaleFactor with the library's scale-factor rule (ties to
 *              even, saturated)
 *   Kaiser, KaiserQ15  double weights, product rounded half away from zero
 *              and limited to -32768..32767
 *
 * Checks: pointers (vekStsNullPtr), then len below 1 or below the family's
 * minimum - 3, BlackmanOpt 4, Kaiser 1 - (vekStsBadLength), then the Kaiser
 * parameter: |alpha| (N-1) 0.5 above 38 (32f, 32fc) or above 308 (16s, 16sc,
 * 64f, 64fc, Q15) gives vekStsBadKaiserAlpha. BlackmanOpt tests len < 4
 * before the pointers. Nothing is written on an error. */
#ifndef VEKS_WINDOW_H
#define VEKS_WINDOW_H

VEKS_EXTERN_C_BEGIN

VekStatus veksWinBartlett_16s(const Vek16s* pSrc, Vek16s* pDst, int len);
VekStatus veksWinBartlett_16s_I(Vek16s* pSrcDst, int len);
VekStatus veksWinBartlett_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VekStatus veksWinBartlett_16sc_I(Vek16sc* pSrcDst, int len);
VekStatus veksWinBartlett_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksWinBartlett_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksWinBartlett_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksWinBartlett_32fc_I(Vek32fc* pSrcDst, int len);

VekStatus veksWinHann_16s(const Vek16s* pSrc, Vek16s* pDst, int len);
VekStatus veksWinHann_16s_I(Vek16s* pSrcDst, int len);
VekStatus veksWinHann_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VekStatus veksWinHann_16sc_I(Vek16sc* pSrcDst, int len);
VekStatus veksWinHann_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksWinHann_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksWinHann_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksWinHann_32fc_I(Vek32fc* pSrcDst, int len);

VekStatus veksWinHamming_16s(const Vek16s* pSrc, Vek16s* pDst, int len);
VekStatus veksWinHamming_16s_I(Vek16s* pSrcDst, int len);
VekStatus veksWinHamming_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VekStatus veksWinHamming_16sc_I(Vek16sc* pSrcDst, int len);
VekStatus veksWinHamming_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksWinHamming_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksWinHamming_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksWinHamming_32fc_I(Vek32fc* pSrcDst, int len);

VekStatus veksWinBlackman_16s(const Vek16s* pSrc, Vek16s* pDst, int len, Vek32f alpha);
VekStatus veksWinBlackman_16s_I(Vek16s* pSrcDst, int len, Vek32f alpha);
VekStatus veksWinBlackman_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len, Vek32f alpha);
VekStatus veksWinBlackman_16sc_I(Vek16sc* pSrcDst, int len, Vek32f alpha);
VekStatus veksWinBlackman_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f alpha);
VekStatus veksWinBlackman_32f_I(Vek32f* pSrcDst, int len, Vek32f alpha);
VekStatus veksWinBlackman_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, Vek32f alpha);
VekStatus veksWinBlackman_32fc_I(Vek32fc* pSrcDst, int len, Vek32f alpha);

VekStatus veksWinBlackmanStd_16s(const Vek16s* pSrc, Vek16s* pDst, int len);
VekStatus veksWinBlackmanStd_16s_I(Vek16s* pSrcDst, int len);
VekStatus veksWinBlackmanStd_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VekStatus veksWinBlackmanStd_16sc_I(Vek16sc* pSrcDst, int len);
VekStatus veksWinBlackmanStd_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksWinBlackmanStd_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksWinBlackmanStd_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksWinBlackmanStd_32fc_I(Vek32fc* pSrcDst, int len);

VekStatus veksWinBlackmanOpt_16s(const Vek16s* pSrc, Vek16s* pDst, int len);
VekStatus veksWinBlackmanOpt_16s_I(Vek16s* pSrcDst, int len);
VekStatus veksWinBlackmanOpt_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VekStatus veksWinBlackmanOpt_16sc_I(Vek16sc* pSrcDst, int len);
VekStatus veksWinBlackmanOpt_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksWinBlackmanOpt_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksWinBlackmanOpt_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksWinBlackmanOpt_32fc_I(Vek32fc* pSrcDst, int len);
/* The double-precision in-place form that filter design applies. */
VekStatus veksWinBlackmanOpt_64f_I(Vek64f* pSrcDst, int len);

VekStatus veksWinBlackmanQ15_16s(const Vek16s* pSrc, Vek16s* pDst, int len, int alphaQ15);
VekStatus veksWinBlackmanQ15_16s_I(Vek16s* pSrcDst, int len, int alphaQ15);
VekStatus veksWinBlackmanQ15_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len, int alphaQ15);
VekStatus veksWinBlackmanQ15_16sc_I(Vek16sc* pSrcDst, int len, int alphaQ15);
VekStatus veksWinBlackmanQ15_16s_ISfs(Vek16s* pSrcDst, int len, int alphaQ15, int scaleFactor);

VekStatus veksWinKaiser_16s(const Vek16s* pSrc, Vek16s* pDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_16s_I(Vek16s* pSrcDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_16sc_I(Vek16sc* pSrcDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_32f(const Vek32f* pSrc, Vek32f* pDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_32f_I(Vek32f* pSrcDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_32fc_I(Vek32fc* pSrcDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_64f(const Vek64f* pSrc, Vek64f* pDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_64f_I(Vek64f* pSrcDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len, Vek32f alpha);
VekStatus veksWinKaiser_64fc_I(Vek64fc* pSrcDst, int len, Vek32f alpha);

VekStatus veksWinKaiserQ15_16s(const Vek16s* pSrc, Vek16s* pDst, int len, int alphaQ15);
VekStatus veksWinKaiserQ15_16s_I(Vek16s* pSrcDst, int len, int alphaQ15);
VekStatus veksWinKaiserQ15_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len, int alphaQ15);
VekStatus veksWinKaiserQ15_16sc_I(Vek16sc* pSrcDst, int len, int alphaQ15);

VEKS_EXTERN_C_END

#endif /* VEKS_WINDOW_H */
