/* vekszn: squares, roots, exponentials, logarithms and the arctangent.
 * Included by veks.h; do not include directly.
 *
 * Arguments: (pSrc, pDst, len[, scaleFactor]); in place (pSrcDst, len[,
 * scaleFactor]). Checks: pointers in argument order (vekStsNullPtr), then
 * len < 1 (vekStsBadLength); nothing is written on an error.
 *
 * Special inputs are warnings, never errors: every output element is still
 * written (SumLn alone stops at the first special element). Floating-point
 * results equal the correctly rounded double-precision value rounded to the
 * destination type; the special values come from the core library's
 * infinity and NaN constants.
 *
 * Integer (Sfs) members return f(x) * 2^-scaleFactor rounded to an integer
 * and saturated to the destination range, as each group states below. */
#ifndef VEKS_POWER_H
#define VEKS_POWER_H

VEKS_EXTERN_C_BEGIN

/* ---- square ---------------------------------------------------------------
 * Integers: x*x exact (complex: (re*re - im*im, 2*re*im)), then the
 * scale-factor rule (ties to even, saturation). Floating point: x*x in the
 * element's own precision; complex by the complex product. */
VekStatus veksSqr_8u_Sfs(const Vek8u* pSrc, Vek8u* pDst, int len, int scaleFactor);
VekStatus veksSqr_8u_ISfs(Vek8u* pSrcDst, int len, int scaleFactor);
VekStatus veksSqr_16u_Sfs(const Vek16u* pSrc, Vek16u* pDst, int len, int scaleFactor);
VekStatus veksSqr_16u_ISfs(Vek16u* pSrcDst, int len, int scaleFactor);
VekStatus veksSqr_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksSqr_16s_ISfs(Vek16s* pSrcDst, int len, int scaleFactor);
VekStatus veksSqr_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int len, int scaleFactor);
VekStatus veksSqr_16sc_ISfs(Vek16sc* pSrcDst, int len, int scaleFactor);
VekStatus veksSqr_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksSqr_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksSqr_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VekStatus veksSqr_64f_I(Vek64f* pSrcDst, int len);
VekStatus veksSqr_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksSqr_32fc_I(Vek32fc* pSrcDst, int len);
VekStatus veksSqr_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);
VekStatus veksSqr_64fc_I(Vek64fc* pSrcDst, int len);

/* ---- square root ----------------------------------------------------------
 * Floating point: x >= 0 (including -0.0 and +INF) gives sqrt(x); anything
 * else (negative, NaN) gives NaN and the warning vekStsSqrtNegativeArg.
 * Complex: the principal root (real part >= 0, imaginary part with the sign
 * of the input's imaginary part), computed in double by the half-angle
 * method; 64fc rescales where a*a + b*b would overflow or underflow.
 *
 * Integers: sqrt(x) * 2^-scaleFactor rounded to nearest, ties to the even
 * integer (ties only arise from perfect squares at positive scale factors),
 * saturated to the destination maximum. A negative element gives 0 and the
 * warning vekStsSqrtNegativeArg. The results are exact for every input and
 * scale factor.
 * 16sc: each component of the principal root times 2^-scaleFactor,
 * computed in double precision, rounded to nearest with ties to even and
 * saturated to -32768..32767; a zero imaginary part gives a non-negative
 * imaginary result. */
VekStatus veksSqrt_8u_Sfs(const Vek8u* pSrc, Vek8u* pDst, int len, int scaleFactor);
VekStatus veksSqrt_8u_ISfs(Vek8u* pSrcDst, int len, int scaleFactor);
VekStatus veksSqrt_16u_Sfs(const Vek16u* pSrc, Vek16u* pDst, int len, int scaleFactor);
VekStatus veksSqrt_16u_ISfs(Vek16u* pSrcDst, int len, int scaleFactor);
VekStatus veksSqrt_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksSqrt_16s_ISfs(Vek16s* pSrcDst, int len, int scaleFactor);
VekStatus veksSqrt_16sc_Sfs(const Vek16sc* pSrc, Vek16sc* pDst, int len, int scaleFactor);
VekStatus veksSqrt_16sc_ISfs(Vek16sc* pSrcDst, int len, int scaleFactor);
VekStatus veksSqrt_64s_Sfs(const Vek64s* pSrc, Vek64s* pDst, int len, int scaleFactor);
VekStatus veksSqrt_64s_ISfs(Vek64s* pSrcDst, int len, int scaleFactor);
VekStatus veksSqrt_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksSqrt_64s16s_Sfs(const Vek64s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksSqrt_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksSqrt_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksSqrt_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VekStatus veksSqrt_64f_I(Vek64f* pSrcDst, int len);
VekStatus veksSqrt_32fc(const Vek32fc* pSrc, Vek32fc* pDst, int len);
VekStatus veksSqrt_32fc_I(Vek32fc* pSrcDst, int len);
VekStatus veksSqrt_64fc(const Vek64fc* pSrc, Vek64fc* pDst, int len);
VekStatus veksSqrt_64fc_I(Vek64fc* pSrcDst, int len);

/* ---- cube root ------------------------------------------------------------
 * 32f: the real cube root (negative for negative input).
 * 32s16s: cbrt(|x|) * 2^-scaleFactor rounded to nearest, ties to even, with
 * the sign of x, saturated to -32768..32767; exact for every input. */
VekStatus veksCubrt_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksCubrt_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int scaleFactor);

/* ---- exponential ----------------------------------------------------------
 * Integers: exp(x) * 2^-scaleFactor rounded to nearest with an exact half
 * rounded up (the only exact half is exp(0) * 2^-1, which gives 1),
 * saturated to the type maximum; never negative. The values are exact for
 * every x and scale factor (tables for |scaleFactor| <= 31, a 128-bit
 * fixed-point evaluation beyond). The 64s members hold the x87 control word
 * at 0x3FF while they compute and restore the caller's word afterwards.
 * Floating point: exp(x) rounded to the destination (gradual underflow:
 * tiny results become subnormal values or 0); 32f gives +INF above 88.72284
 * and NaN for NaN. Always vekStsOk. */
VekStatus veksExp_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksExp_16s_ISfs(Vek16s* pSrcDst, int len, int scaleFactor);
VekStatus veksExp_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, int len, int scaleFactor);
VekStatus veksExp_32s_ISfs(Vek32s* pSrcDst, int len, int scaleFactor);
VekStatus veksExp_64s_Sfs(const Vek64s* pSrc, Vek64s* pDst, int len, int scaleFactor);
VekStatus veksExp_64s_ISfs(Vek64s* pSrcDst, int len, int scaleFactor);
VekStatus veksExp_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksExp_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksExp_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VekStatus veksExp_64f_I(Vek64f* pSrcDst, int len);
VekStatus veksExp_32f64f(const Vek32f* pSrc, Vek64f* pDst, int len);

/* ---- natural logarithm ----------------------------------------------------
 * Floating point, per element: sign bit set (negative, -0.0, negative NaN)
 * gives NaN; a quiet NaN stays NaN; zero gives -INF; otherwise log(x). The
 * status is that of the first special element in array order:
 * vekStsLogNegativeArg (sign bit) or vekStsLogZeroArg (zero).
 * Integers: x <= 0 gives the destination minimum with the same warnings;
 * x = 1 gives 0. scaleFactor >= 0: k = round(ln x) found with the integer
 * thresholds floor(e^(k+0.5)), then k >> scaleFactor (an arithmetic shift,
 * not a rounding one). scaleFactor < 0: floor(ln(x) * 2^-scaleFactor + 0.5)
 * in double precision, saturated to the destination maximum. */
VekStatus veksLn_16s_Sfs(const Vek16s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksLn_16s_ISfs(Vek16s* pSrcDst, int len, int scaleFactor);
VekStatus veksLn_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, int len, int scaleFactor);
VekStatus veksLn_32s_ISfs(Vek32s* pSrcDst, int len, int scaleFactor);
VekStatus veksLn_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksLn_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksLn_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksLn_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VekStatus veksLn_64f_I(Vek64f* pSrcDst, int len);
VekStatus veksLn_64f32f(const Vek64f* pSrc, Vek32f* pDst, int len);

/* ---- decibels: 10*log10(x) ------------------------------------------------
 * x <= 0 gives -2147483648 with the logarithm warnings (first special
 * element decides). scaleFactor >= 0: k = 10*log10(x) rounded to the nearest
 * integer (0..93), found with integer thresholds only, then k >> scaleFactor
 * (arithmetic shift). scaleFactor < 0: floor(ln(x) * 0.4342944819032518 *
 * 10 * 2^-scaleFactor + 0.5) in double precision, saturated to 2147483647. */
VekStatus veks10Log10_32s_Sfs(const Vek32s* pSrc, Vek32s* pDst, int len, int scaleFactor);
VekStatus veks10Log10_32s_ISfs(Vek32s* pSrcDst, int len, int scaleFactor);

/* ---- sum of logarithms: (pSrc, len, pSum) ---------------------------------
 * Accumulated in double over blocks of at most 512 elements (mantissas
 * multiplied, exponents summed). The first zero element (either sign) ends
 * the call with *pSum = -INF and vekStsLogZeroArg; the first negative
 * element ends it with *pSum = NaN and vekStsLogNegativeArg. */
VekStatus veksSumLn_16s32f(const Vek16s* pSrc, int len, Vek32f* pSum);
VekStatus veksSumLn_32f(const Vek32f* pSrc, int len, Vek32f* pSum);
VekStatus veksSumLn_32f64f(const Vek32f* pSrc, int len, Vek64f* pSum);
VekStatus veksSumLn_64f(const Vek64f* pSrc, int len, Vek64f* pSum);

/* ---- arctangent: atan(x) in [-pi/2, pi/2] --------------------------------- */
VekStatus veksArctan_32f(const Vek32f* pSrc, Vek32f* pDst, int len);
VekStatus veksArctan_32f_I(Vek32f* pSrcDst, int len);
VekStatus veksArctan_64f(const Vek64f* pSrc, Vek64f* pDst, int len);
VekStatus veksArctan_64f_I(Vek64f* pSrcDst, int len);

VEKS_EXTERN_C_END

#endif
