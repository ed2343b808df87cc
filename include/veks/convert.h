/* vekszn: conversion between element types, G.711 companding, interleaving
 * with scaling and bit packing. Included by veks.h; do not include directly.
 *
 * Checks: source, then destination null -> vekStsNullPtr; len < 1 ->
 * vekStsBadLength; the half-precision forms then answer roundMode 2 with
 * vekStsBadRoundMode. Nothing is written on an error.
 *
 * 24s / 24u data are packed 3-byte little-endian integers in Vek8u arrays
 * (element k in bytes 3k..3k+2, least significant first). */
#ifndef VEKS_CONVERT_H
#define VEKS_CONVERT_H

VEKS_EXTERN_C_BEGIN

/* ---- exact widening and plain narrowing ----------------------------------------
 * 32s32f rounds to nearest (ties to even); 32s16s saturates. */
VekStatus veksConvert_8s16s(const Vek8s* pSrc, Vek16s* pDst, int len);
VekStatus veksConvert_8s32f(const Vek8s* pSrc, Vek32f* pDst, int len);
VekStatus veksConvert_8u32f(const Vek8u* pSrc, Vek32f* pDst, int len);
VekStatus veksConvert_16s32s(const Vek16s* pSrc, Vek32s* pDst, int len);
VekStatus veksConvert_16s32f(const Vek16s* pSrc, Vek32f* pDst, int len);
VekStatus veksConvert_16u32f(const Vek16u* pSrc, Vek32f* pDst, int len);
VekStatus veksConvert_32s16s(const Vek32s* pSrc, Vek16s* pDst, int len);
VekStatus veksConvert_32s32f(const Vek32s* pSrc, Vek32f* pDst, int len);
VekStatus veksConvert_32s64f(const Vek32s* pSrc, Vek64f* pDst, int len);
VekStatus veksConvert_24s32s(const Vek8u* pSrc, Vek32s* pDst, int len);
VekStatus veksConvert_24u32u(const Vek8u* pSrc, Vek32u* pDst, int len);
VekStatus veksConvert_24s32f(const Vek8u* pSrc, Vek32f* pDst, int len);
VekStatus veksConvert_24u32f(const Vek8u* pSrc, Vek32f* pDst, int len);
VekStatus veksConvert_32f64f(const Vek32f* pSrc, Vek64f* pDst, int len);
/* Values beyond the largest finite single (infinities too) give it, signed;
 * NaN stays NaN. */
VekStatus veksConvert_64f32f(const Vek64f* pSrc, Vek32f* pDst, int len);

/* ---- integer to float times 2^-scaleFactor ---------------------------------------
 * The factor is an exact power of two with scaleFactor clamped to
 * 16s32f -112..126, 32s32f -96..126, 16s64f -1008..1022, 32s64f -992..1022;
 * the product is formed in the destination precision. */
VekStatus veksConvert_16s32f_Sfs(const Vek16s* pSrc, Vek32f* pDst, int len, int scaleFactor);
VekStatus veksConvert_16s64f_Sfs(const Vek16s* pSrc, Vek64f* pDst, int len, int scaleFactor);
VekStatus veksConvert_32s32f_Sfs(const Vek32s* pSrc, Vek32f* pDst, int len, int scaleFactor);
VekStatus veksConvert_32s64f_Sfs(const Vek32s* pSrc, Vek64f* pDst, int len, int scaleFactor);

/* ---- integer narrowing with a scale factor ----------------------------------------
 * Positive scale factors (at most 31, or 63 for 64s32s) divide with ties to
 * even; 64s32s instead rounds by roundMode (0 toward zero, 1 ties to even,
 * any other value ties away from zero). Negative ones shift left (at most
 * 15 places for 32s16s, 31 otherwise). Results saturate to the destination. */
VekStatus veksConvert_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, int len, int scaleFactor);
VekStatus veksConvert_32s24s_Sfs(const Vek32s* pSrc, Vek8u* pDst, int len, int scaleFactor);
VekStatus veksConvert_32u24u_Sfs(const Vek32u* pSrc, Vek8u* pDst, int len, int scaleFactor);
VekStatus veksConvert_64s32s_Sfs(const Vek64s* pSrc, Vek32s* pDst, int len, int roundMode, int scaleFactor);

/* ---- float to integer ---------------------------------------------------------------
 * v = x * 2^-scaleFactor in double precision (scaleFactor clamped to
 * -1008..1022 for 64f16s; unclamped for the others). Values beyond the
 * destination range saturate. roundMode 0 truncates, 1 rounds to nearest
 * with ties to even, any other value to nearest with ties away from zero.
 * NaN gives 0, except in the ties-away mode of 32f32s and 64f32s, which
 * give -2147483648. */
VekStatus veksConvert_32f8s_Sfs(const Vek32f* pSrc, Vek8s* pDst, int len, int roundMode, int scaleFactor);
VekStatus veksConvert_32f8u_Sfs(const Vek32f* pSrc, Vek8u* pDst, int len, int roundMode, int scaleFactor);
VekStatus veksConvert_32f16s_Sfs(const Vek32f* pSrc, Vek16s* pDst, int len, int roundMode, int scaleFactor);
VekStatus veksConvert_32f16u_Sfs(const Vek32f* pSrc, Vek16u* pDst, int len, int roundMode, int scaleFactor);
VekStatus veksConvert_32f32s_Sfs(const Vek32f* pSrc, Vek32s* pDst, int len, int roundMode, int scaleFactor);
VekStatus veksConvert_64f16s_Sfs(const Vek64f* pSrc, Vek16s* pDst, int len, int roundMode, int scaleFactor);
VekStatus veksConvert_64f32s_Sfs(const Vek64f* pSrc, Vek32s* pDst, int len, int roundMode, int scaleFactor);
/* Always ties to even; the factor is a single with exponent field
 * 127 - scaleFactor, scaleFactor clamped to -127..127 (127 gives factor 0). */
VekStatus veksConvert_32f24s_Sfs(const Vek32f* pSrc, Vek8u* pDst, int len, int scaleFactor);
VekStatus veksConvert_32f24u_Sfs(const Vek32f* pSrc, Vek8u* pDst, int len, int scaleFactor);

/* ---- half precision (Vek16f bit patterns) -----------------------------------------
 * roundMode 1 rounds to nearest with ties to even, 2 is rejected, every other
 * value truncates. 32f16f: NaN gives 0x7DFF (signed), magnitudes rounding to
 * 65536 or more give infinity. 16f16s_Sfs: NaN gives 0, infinities saturate. */
VekStatus veksConvert_16f32f(const Vek16f* pSrc, Vek32f* pDst, int len);
VekStatus veksConvert_32f16f(const Vek32f* pSrc, Vek16f* pDst, int len, int roundMode);
VekStatus veksConvert_16s16f(const Vek16s* pSrc, Vek16f* pDst, int len, int roundMode);
VekStatus veksConvert_16f16s_Sfs(const Vek16f* pSrc, Vek16s* pDst, int len, int roundMode, int scaleFactor);

/* ---- G.711 companding ---------------------------------------------------------------
 * Float samples are full scale at +-1 (a 16-bit sample times 2^-15). The
 * float encoders round x * 32768 half away from zero after saturation; a NaN
 * encodes as the sample 0 (mu-law: with the sign of a negative input). */
VekStatus veksALawToLin_8u16s(const Vek8u* pSrc, Vek16s* pDst, int len);
VekStatus veksALawToLin_8u32f(const Vek8u* pSrc, Vek32f* pDst, int len);
VekStatus veksMuLawToLin_8u16s(const Vek8u* pSrc, Vek16s* pDst, int len);
VekStatus veksMuLawToLin_8u32f(const Vek8u* pSrc, Vek32f* pDst, int len);
VekStatus veksLinToALaw_16s8u(const Vek16s* pSrc, Vek8u* pDst, int len);
VekStatus veksLinToALaw_32f8u(const Vek32f* pSrc, Vek8u* pDst, int len);
VekStatus veksLinToMuLaw_16s8u(const Vek16s* pSrc, Vek8u* pDst, int len);
VekStatus veksLinToMuLaw_32f8u(const Vek32f* pSrc, Vek8u* pDst, int len);
VekStatus veksALawToMuLaw_8u(const Vek8u* pSrc, Vek8u* pDst, int len);
VekStatus veksMuLawToALaw_8u(const Vek8u* pSrc, Vek8u* pDst, int len);

/* ---- interleaving with scaling --------------------------------------------------------
 * Sample k of channel c is interleaved element k * nChannels + c.
 * Join checks pDst, then nChannels and chanLen, then pSrc and every channel
 * pointer; Split checks pSrc, then nChannels and dstLen, then pDst and every
 * channel pointer; nothing is written before all pass.
 * Join maps [-1, 1] onto the full integer range (beyond it saturates, NaN
 * gives 0): 16-bit y = v * 32767.5 - 0.5 in single precision, 24-bit the
 * same with 8388607.5 in double, both rounded with ties to even. Split is
 * the inverse: y = (x + 0.5) / 32767.5 (or 8388607.5). */
VekStatus veksJoinScaled_32f16s_D2L(const Vek32f* const* pSrc, int nChannels, int chanLen, Vek16s* pDst);
VekStatus veksJoinScaled_32f24s_D2L(const Vek32f* const* pSrc, int nChannels, int chanLen, Vek8u* pDst);
VekStatus veksSplitScaled_16s32f_D2L(const Vek16s* pSrc, int nChannels, Vek32f* const* pDst, int dstLen);
VekStatus veksSplitScaled_24s32f_D2L(const Vek8u* pSrc, int nChannels, Vek32f* const* pDst, int dstLen);

/* ---- bit packing ------------------------------------------------------------------------
 * Appends the low pSrcBitsLen[i] bits of each pSrc[i], most significant bit
 * first, starting dstBitOffset & 7 bits below the top of pDst[0]; bits of
 * pDst outside the packed range keep their values. *pDstLenBits receives the
 * number of bits packed. Lengths above 32 count as 32, negative ones as 0,
 * and return the warning vekStsBitLenClamped. Checks: any pointer null ->
 * vekStsNullPtr; len < 1 or dstBitOffset < 0 -> vekStsBadLength. */
VekStatus veksPackBits_32u8u(const Vek32u* pSrc, const int* pSrcBitsLen, int len, Vek8u* pDst, int dstBitOffset,
                             int* pDstLenBits);

VEKS_EXTERN_C_END

#endif
