/* vekszn: complex data taken apart and put together, magnitude, power
 * spectrum, phase, and Cartesian <-> polar conversion.
 * Included by veks.h; do not include directly.
 *
 * Complex data come interleaved (Vek16sc, Vek32sc, Vek32fc, Vek64fc, real
 * part first) or as two real vectors (pSrcRe, pSrcIm). Checks: every pointer
 * in argument order (vekStsNullPtr), then len < 1 (vekStsBadLength); the
 * departures are noted at the functions concerned. Integer outputs saturate;
 * there is no warning status. Phases are radians in [-pi, pi]. */
#ifndef VEKS_COMPLEX_H
#define VEKS_COMPLEX_H

VEKS_EXTERN_C_BEGIN

/* ---- conjugation -------------------------------------------------------------
 * Integer: the imaginary part is negated with saturation (-32768 -> 32767).
 * Floating point: the imaginary part becomes 0.0 - im, so both +0.0 and -0.0
 * give +0.0 and a NaN stays NaN. ConjFlip writes the conjugate of element k
 * to position len-1-k (pSrc == pDst is allowed). */
VekStatus veksConj_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VekStatus veksConj_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksConj_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);
VekStatus veksConj_16sc_I(Vek16sc* pSrcDst, int len);
VekStatus veksConj_32fc_I(Vek32fc* pSrcDst, int len);
VekStatus veksConj_64fc_I(Vek64fc* pSrcDst, int len);
VekStatus veksConjFlip_16sc(const Vek16sc* pSrc, Vek16sc* pDst, int len);
VekStatus veksConjFlip_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksConjFlip_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);

/* ---- real and imaginary parts ------------------------------------------------ */
VekStatus veksReal_16sc(const Vek16sc* pSrc, Vek16s* pDstRe, int len);
VekStatus veksReal_32fc(const Vek32fc* pSrc, Vek32f* pDstRe, int len);
VekStatus veksReal_64fc(const Vek64fc* pSrc, Vek64f* pDstRe, int len);
VekStatus veksImag_16sc(const Vek16sc* pSrc, Vek16s* pDstIm, int len);
VekStatus veksImag_32fc(const Vek32fc* pSrc, Vek32f* pDstIm, int len);
VekStatus veksImag_64fc(const Vek64fc* pSrc, Vek64f* pDstIm, int len);
VekStatus veksCplxToReal_16sc(const Vek16sc* pSrc, Vek16s* pDstRe, Vek16s* pDstIm, int len);
VekStatus veksCplxToReal_32fc(const Vek32fc* pSrc, Vek32f* pDstRe, Vek32f* pDstIm, int len);
VekStatus veksCplxToReal_64fc(const Vek64fc* pSrc, Vek64f* pDstRe, Vek64f* pDstIm, int len);
/* Either source may be null: its parts are then 0. Checks pDst, then len,
 * and returns vekStsNullPtr only when both sources are null. */
VekStatus veksRealToCplx_16s(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16sc* pDst, int len);
VekStatus veksRealToCplx_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32fc* pDst, int len);
VekStatus veksRealToCplx_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64fc* pDst, int len);

/* ---- magnitude sqrt(re^2 + im^2) ---------------------------------------------
 * Floating point: squares, sum and square root in double precision (no
 * overflow protection: 64f squares that overflow give +inf); single-precision
 * results are rounded once on store. */
VekStatus veksMagnitude_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDst, int len);
VekStatus veksMagnitude_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDst, int len);
VekStatus veksMagnitude_16s32f(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek32f* pDst, int len);
VekStatus veksMagnitude_32fc(const Vek32fc* pSrc, Vek32f* pDst, int len);
VekStatus veksMagnitude_64fc(const Vek64fc* pSrc, Vek64f* pDst, int len);
VekStatus veksMagnitude_16sc32f(const Vek16sc* pSrc, Vek32f* pDst, int len);
/* Integer: m = sqrt(re^2 + im^2) in double precision, times 2^-scaleFactor.
 * scaleFactor <= 0: rounded half up, saturated (at or below -15, or -31 for
 * 32sc, every non-zero input gives the maximum); scaleFactor > 0: rounded
 * half to even; at or above 17 (33 for 32sc) every output is 0. For 32sc
 * the squares and their sum are formed in double precision too, so large
 * inputs may land one away from the exactly rounded root. */
VekStatus veksMagnitude_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksMagnitude_16sc_Sfs(const Vek16sc* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksMagnitude_32sc_Sfs(const Vek32sc* pSrc, Vek32s* pDst, int len, int scaleFactor);

/* ---- squared magnitude and power spectrum re^2 + im^2 ------------------------
 * Floating point: re*re + im*im in the precision of the data. 16s32f and
 * 16sc32f: the exact integer sum rounded to single precision.
 * Integer forms: the exact sum shifted right by scaleFactor (TRUNCATED, no
 * rounding) or left by -scaleFactor, then saturated; from 32 (16-bit data)
 * or 64 (32sc) every output is 0, below -14 (or -30) every non-zero input
 * gives the maximum. */
VekStatus veksPowerSpectr_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDst, int len);
VekStatus veksPowerSpectr_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDst, int len);
VekStatus veksPowerSpectr_16s32f(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek32f* pDst, int len);
VekStatus veksPowerSpectr_32fc(const Vek32fc* pSrc, Vek32f* pDst, int len);
VekStatus veksPowerSpectr_64fc(const Vek64fc* pSrc, Vek64f* pDst, int len);
VekStatus veksPowerSpectr_16sc32f(const Vek16sc* pSrc, Vek32f* pDst, int len);
VekStatus veksPowerSpectr_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksPowerSpectr_16sc_Sfs(const Vek16sc* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksMagSquared_32sc32s_Sfs(const Vek32sc* pSrc, Vek32s* pDst, int len, int scaleFactor);

/* ---- phase atan2(im, re) -----------------------------------------------------
 * Floating point: evaluated in double precision, rounded to the destination;
 * atan2(0, 0) is 0 and signed zeros follow the two-argument arctangent.
 * Integer, scaleFactor != 0: the phase (rounded to single precision for the
 * 16-bit forms) times 2^-scaleFactor, rounded half away from zero and
 * saturated; a zero phase gives 0 at every scale factor.
 * Integer, scaleFactor == 0: a fast rational arctangent on single-precision
 * inputs, rounded half away from zero, so the outputs lie in -3..3. */
VekStatus veksPhase_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDst, int len);
VekStatus veksPhase_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDst, int len);
VekStatus veksPhase_16s32f(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek32f* pDst, int len);
VekStatus veksPhase_32fc(const Vek32fc* pSrc, Vek32f* pDst, int len);
VekStatus veksPhase_64fc(const Vek64fc* pSrc, Vek64f* pDst, int len);
VekStatus veksPhase_16sc32f(const Vek16sc* pSrc, Vek32f* pDst, int len);
VekStatus veksPhase_16s_Sfs(const Vek16s* pSrcRe, const Vek16s* pSrcIm, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksPhase_16sc_Sfs(const Vek16sc* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksPhase_32sc_Sfs(const Vek32sc* pSrc, Vek32s* pDst, int len, int scaleFactor);

/* ---- Cartesian to polar ------------------------------------------------------
 * The floating forms run Magnitude and then Phase over the whole vector and
 * return the first non-zero status of the two (Magnitude's first): a null
 * magnitude destination still gets the phases written, and vice versa.
 * The integer form stops after a failing Magnitude. */
VekStatus veksCartToPolar_32f(const Vek32f* pSrcRe, const Vek32f* pSrcIm, Vek32f* pDstMagn, Vek32f* pDstPhase, int len);
VekStatus veksCartToPolar_64f(const Vek64f* pSrcRe, const Vek64f* pSrcIm, Vek64f* pDstMagn, Vek64f* pDstPhase, int len);
VekStatus veksCartToPolar_32fc(const Vek32fc* pSrc, Vek32f* pDstMagn, Vek32f* pDstPhase, int len);
VekStatus veksCartToPolar_64fc(const Vek64fc* pSrc, Vek64f* pDstMagn, Vek64f* pDstPhase, int len);
VekStatus veksCartToPolar_16sc_Sfs(const Vek16sc* pSrc, Vek16s* pDstMagn, Vek16s* pDstPhase, int len,
                                   int magnScaleFactor, int phaseScaleFactor);

/* ---- polar to Cartesian: re = m cos(phi), im = m sin(phi) --------------------
 * 64f: the standard double-precision sine and cosine.
 * 32f: elements go in pairs through a double-precision reduction by pi and
 * polynomial sine and cosine (absolute error below 6e-8 once rounded to
 * single, for |phi| up to 1e6); a single element (len 1, or the last of an
 * odd len) uses the standard single-precision functions. The products are
 * formed in single precision.
 * 16sc: the phase is pSrcPhase[k] * 2^-phaseFixedPoint (0..15, else
 * vekStsBadLength, checked with len); pairs as in 32f, a single element with
 * the double-precision functions; m cos and m sin are truncated toward zero
 * and saturated.
 * 32sc: as 16sc in double precision with the standard functions;
 * phaseFixedPoint 0..31.
 * 16sc_Sfs: m 2^-magnScaleFactor and phi = p 2^-phaseScaleFactor (both
 * factors clamped to -31..31), results rounded half away from zero and
 * saturated. */
VekStatus veksPolarToCart_32f(const Vek32f* pSrcMagn, const Vek32f* pSrcPhase, Vek32f* pDstRe, Vek32f* pDstIm, int len);
VekStatus veksPolarToCart_64f(const Vek64f* pSrcMagn, const Vek64f* pSrcPhase, Vek64f* pDstRe, Vek64f* pDstIm, int len);
VekStatus veksPolarToCart_32fc(const Vek32f* pSrcMagn, const Vek32f* pSrcPhase, Vek32fc* pDst, int len);
VekStatus veksPolarToCart_64fc(const Vek64f* pSrcMagn, const Vek64f* pSrcPhase, Vek64fc* pDst, int len);
VekStatus veksPolarToCart_16sc(const Vek16s* pSrcMagn, const Vek16s* pSrcPhase, int phaseFixedPoint, Vek16sc* pDst, int len);
VekStatus veksPolarToCart_32sc(const Vek32s* pSrcMagn, const Vek32s* pSrcPhase, int phaseFixedPoint, Vek32sc* pDst, int len);
VekStatus veksPolarToCart_16sc_Sfs(const Vek16s* pSrcMagn, const Vek16s* pSrcPhase, Vek16sc* pDst, int len,
                                   int magnScaleFactor, int phaseScaleFactor);

VEKS_EXTERN_C_END

#endif
