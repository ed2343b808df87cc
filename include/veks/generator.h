/* vekszn: signal generators - uniform and Gaussian noise, tones, triangle
 * waves, ramps and the Jaehne chirp. Included by veks.h; do not include
 * directly.
 *
 * Random generator. Every noise function draws from one combined generator
 * of 32-bit words: lcg (starts at 1131199209), x1 = seed, x2 = seed * 69069
 * + 1013904243, x3 = x2 * 69069 + 1013904243 (mod 2^32), carry = 0xFFFFFFFF.
 * One step: lcg = lcg * 69069 + 1013904243; t = x2 - x3 + carry (carry read
 * as 0 or -1); carry = t < 0 (signed) ? 0xFFFFFFFF : 0; x = carry ? t - 18
 * : t; x3 = x2, x2 = x1, x1 = x; the value is r = x + lcg read as a signed
 * 32-bit integer. Sequences reproduce bit for bit from the seed.
 *
 * Uniform noise: element = r * scale + mean in double, scale = (high - low)
 * * q with q = 2^-32 (1 + 7 * 2^-52), mean = (low + high) / 2; the range is
 * [low, high). 32f/64f round, 16s and 8u truncate toward zero.
 * Gaussian noise (polar method): two steps give u1 = r1 2^-31 and
 * u2 = r2 2^-31, redrawn while s = u1^2 + u2^2 >= 1 or s == 0;
 * f = sqrt(-2 ln(s) / s); the element is mean + stdDev * f * u2 and the next
 * one mean + stdDev * f * u1 without drawing. 32f/64f round; 16s and 8u
 * truncate toward zero and saturate.
 * State forms keep the generator (and a pending Gaussian value) between
 * calls: calls of lengths a and b give the sequence of one call of a + b.
 * Direct forms start a fresh generator from *pSeed on every call (no pending
 * value) and write the final x1 back to *pSeed; the next call continues the
 * subtract-with-borrow words but restarts lcg.
 * State sizes: uniform 48 bytes (8u, 16s), 52 (32f); Gaussian 60 (8u, 16s),
 * 68 (32f). Identifiers: uniform 35/36/37, Gaussian 38/39/40 (8u/16s/32f).
 * Free releases a state made by InitAlloc (do not pass one placed by Init).
 * Checks: pointers (vekStsNullPtr), len below 1 (vekStsBadLength), state
 * identifier (vekStsBadContext); InitAlloc: vekStsNoMemory, out pointer
 * unchanged. Parameters are not range-checked.
 *
 * Tone: x[n] = magn cos(2 pi rFreq n + phase); x[0] and x[1] from the
 * library cosine, then x[n] = c2 x[n-1] - x[n-2] (n = 2, 3) with
 * c2 = 2 cos(2 pi rFreq) and x[n] = (c2^2 - 2) x[n-2] - x[n-4] from n = 4,
 * in double. Complex forms put magn sin(...) (same recurrence) in the
 * imaginary part. 16s/16sc truncate toward zero.
 * Triangle: period 2 pi split at pi + asym; falls from +magn to -magn on
 * [0, pi + asym), rises on [pi + asym, 2 pi); each sample adds the slope of
 * its part, a value past an extreme folds onto the other slope (or, if the
 * fold would pass the opposite extreme too, moves by 2 magn keeping its
 * direction). Complex forms: the imaginary part is the triangle a quarter
 * period later (phase - pi/2 modulo 2 pi), as the sine is to the cosine.
 * Phase: *pPhase is read and replaced by phase + len 2 pi rFreq reduced
 * modulo 2 pi (a result outside [0, 2 pi) - also after rounding to single
 * precision - becomes 0).
 * Check order (direct): pPhase null; magn <= 0 (vekStsBadToneMagnitude /
 * vekStsBadTriangleMagnitude); rFreq outside [0, 0.5) (...Frequency);
 * triangle asym outside [-pi, pi) (vekStsBadTriangleAsymmetry); phase
 * outside [0, 2 pi) (...Phase); pDst null; len < 1. NaN fails every range.
 * Argument types: magn in the element's real type; rFreq, asym, *pPhase
 * Vek32f for the 16s, 16sc, 32f, 32fc forms and Vek64f for 64f, 64fc.
 *
 * Q15 forms: rFreqQ15 (0..16383), asymQ15 and phaseQ15 (0..205886) are
 * value * 2^15; magn >= 1. Checks: state/pDst null, len (generation only),
 * then magn, frequency, asymmetry, phase as above. Samples follow the direct
 * forms in double and truncate toward zero. States: tone 40 bytes
 * (identifier "HAMC"), triangle 48 bytes (identifier "HAMT"); the state
 * keeps the phase in double. ToneFree/TriangleFree: vekStsBadContext for a
 * wrong identifier, invalidate the state and release it only when InitAlloc
 * made it.
 *
 * VectorRamp and VectorSlope (the same rule): v = (float)n * slope + offset,
 * in single precision for 32f and in double for the others; integer forms
 * round half away from zero (v <= 0: v - 0.5, else v + 0.5, truncated) and
 * saturate to the element range.
 * VectorJaehne: x[n] = magn sin((pi/2) n^2 / len) in double; integer forms
 * round half away from zero and saturate; magn < 0 gives
 * vekStsNegativeMagnitude (after the pointer and length checks). */
#ifndef VEKS_GENERATOR_H
#define VEKS_GENERATOR_H

VEKS_EXTERN_C_BEGIN

typedef struct VeksRandUniState_8u     VeksRandUniState_8u;
typedef struct VeksRandUniState_16s    VeksRandUniState_16s;
typedef struct VeksRandUniState_32f    VeksRandUniState_32f;
typedef struct VeksRandGaussState_8u   VeksRandGaussState_8u;
typedef struct VeksRandGaussState_16s  VeksRandGaussState_16s;
typedef struct VeksRandGaussState_32f  VeksRandGaussState_32f;
typedef struct VeksToneState_16s       VeksToneState_16s;
typedef struct VeksTriangleState_16s   VeksTriangleState_16s;

/* ---- uniform noise ---------------------------------------------------------- */
VekStatus veksRandUniformGetSize_16s(int* pSize);
VekStatus veksRandUniformInit_16s(VeksRandUniState_16s* pState, Vek16s low, Vek16s high, unsigned int seed);
VekStatus veksRandUniformInitAlloc_8u(VeksRandUniState_8u** ppState, Vek8u low, Vek8u high, unsigned int seed);
VekStatus veksRandUniformInitAlloc_16s(VeksRandUniState_16s** ppState, Vek16s low, Vek16s high, unsigned int seed);
VekStatus veksRandUniformInitAlloc_32f(VeksRandUniState_32f** ppState, Vek32f low, Vek32f high, unsigned int seed);
VekStatus veksRandUniform_8u(Vek8u* pDst, int len, VeksRandUniState_8u* pState);
VekStatus veksRandUniform_16s(Vek16s* pDst, int len, VeksRandUniState_16s* pState);
VekStatus veksRandUniform_32f(Vek32f* pDst, int len, VeksRandUniState_32f* pState);
VekStatus veksRandUniformFree_8u(VeksRandUniState_8u* pState);
VekStatus veksRandUniformFree_16s(VeksRandUniState_16s* pState);
VekStatus veksRandUniformFree_32f(VeksRandUniState_32f* pState);
VekStatus veksRandUniform_Direct_16s(Vek16s* pDst, int len, Vek16s low, Vek16s high, unsigned int* pSeed);
VekStatus veksRandUniform_Direct_32f(Vek32f* pDst, int len, Vek32f low, Vek32f high, unsigned int* pSeed);
VekStatus veksRandUniform_Direct_64f(Vek64f* pDst, int len, Vek64f low, Vek64f high, unsigned int* pSeed);

/* ---- Gaussian noise --------------------------------------------------------- */
VekStatus veksRandGaussGetSize_16s(int* pSize);
VekStatus veksRandGaussInit_16s(VeksRandGaussState_16s* pState, Vek16s mean, Vek16s stdDev, unsigned int seed);
VekStatus veksRandGaussInitAlloc_8u(VeksRandGaussState_8u** ppState, Vek8u mean, Vek8u stdDev, unsigned int seed);
VekStatus veksRandGaussInitAlloc_16s(VeksRandGaussState_16s** ppState, Vek16s mean, Vek16s stdDev, unsigned int seed);
VekStatus veksRandGaussInitAlloc_32f(VeksRandGaussState_32f** ppState, Vek32f mean, Vek32f stdDev, unsigned int seed);
VekStatus veksRandGauss_8u(Vek8u* pDst, int len, VeksRandGaussState_8u* pState);
VekStatus veksRandGauss_16s(Vek16s* pDst, int len, VeksRandGaussState_16s* pState);
VekStatus veksRandGauss_32f(Vek32f* pDst, int len, VeksRandGaussState_32f* pState);
VekStatus veksRandGaussFree_8u(VeksRandGaussState_8u* pState);
VekStatus veksRandGaussFree_16s(VeksRandGaussState_16s* pState);
VekStatus veksRandGaussFree_32f(VeksRandGaussState_32f* pState);
VekStatus veksRandGauss_Direct_16s(Vek16s* pDst, int len, Vek16s mean, Vek16s stdDev, unsigned int* pSeed);
VekStatus veksRandGauss_Direct_32f(Vek32f* pDst, int len, Vek32f mean, Vek32f stdDev, unsigned int* pSeed);
VekStatus veksRandGauss_Direct_64f(Vek64f* pDst, int len, Vek64f mean, Vek64f stdDev, unsigned int* pSeed);

/* ---- tones ------------------------------------------------------------------ */
VekStatus veksTone_Direct_16s(Vek16s* pDst, int len, Vek16s magn, Vek32f rFreq, Vek32f* pPhase);
VekStatus veksTone_Direct_16sc(Vek16sc* pDst, int len, Vek16s magn, Vek32f rFreq, Vek32f* pPhase);
VekStatus veksTone_Direct_32f(Vek32f* pDst, int len, Vek32f magn, Vek32f rFreq, Vek32f* pPhase);
VekStatus veksTone_Direct_32fc(Vek32fc* pDst, int len, Vek32f magn, Vek32f rFreq, Vek32f* pPhase);
VekStatus veksTone_Direct_64f(Vek64f* pDst, int len, Vek64f magn, Vek64f rFreq, Vek64f* pPhase);
VekStatus veksTone_Direct_64fc(Vek64fc* pDst, int len, Vek64f magn, Vek64f rFreq, Vek64f* pPhase);
VekStatus veksToneGetStateSizeQ15_16s(int* pSize);
VekStatus veksToneInitQ15_16s(VeksToneState_16s* pState, Vek16s magn, int rFreqQ15, int phaseQ15);
VekStatus veksToneInitAllocQ15_16s(VeksToneState_16s** ppState, Vek16s magn, int rFreqQ15, int phaseQ15);
VekStatus veksToneQ15_16s(Vek16s* pDst, int len, VeksToneState_16s* pState);
VekStatus veksToneQ15_Direct_16s(Vek16s* pDst, int len, Vek16s magn, int rFreqQ15, int phaseQ15);
VekStatus veksToneFree(VeksToneState_16s* pState);

/* ---- triangles -------------------------------------------------------------- */
VekStatus veksTriangle_Direct_16s(Vek16s* pDst, int len, Vek16s magn, Vek32f rFreq, Vek32f asym, Vek32f* pPhase);
VekStatus veksTriangle_Direct_16sc(Vek16sc* pDst, int len, Vek16s magn, Vek32f rFreq, Vek32f asym, Vek32f* pPhase);
VekStatus veksTriangle_Direct_32f(Vek32f* pDst, int len, Vek32f magn, Vek32f rFreq, Vek32f asym, Vek32f* pPhase);
VekStatus veksTriangle_Direct_32fc(Vek32fc* pDst, int len, Vek32f magn, Vek32f rFreq, Vek32f asym, Vek32f* pPhase);
VekStatus veksTriangle_Direct_64f(Vek64f* pDst, int len, Vek64f magn, Vek64f rFreq, Vek64f asym, Vek64f* pPhase);
VekStatus veksTriangle_Direct_64fc(Vek64fc* pDst, int len, Vek64f magn, Vek64f rFreq, Vek64f asym, Vek64f* pPhase);
VekStatus veksTriangleGetStateSizeQ15_16s(int* pSize);
VekStatus veksTriangleInitQ15_16s(VeksTriangleState_16s* pState, Vek16s magn, int rFreqQ15, int asymQ15, int phaseQ15);
VekStatus veksTriangleInitAllocQ15_16s(VeksTriangleState_16s** ppState, Vek16s magn, int rFreqQ15, int asymQ15,
                                       int phaseQ15);
VekStatus veksTriangleQ15_16s(Vek16s* pDst, int len, VeksTriangleState_16s* pState);
VekStatus veksTriangleQ15_Direct_16s(Vek16s* pDst, int len, Vek16s magn, int rFreqQ15, int asymQ15, int phaseQ15);
VekStatus veksTriangleFree(VeksTriangleState_16s* pState);

/* ---- ramps and the Jaehne chirp --------------------------------------------- */
VekStatus veksVectorRamp_8u(Vek8u* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorRamp_8s(Vek8s* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorRamp_16u(Vek16u* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorRamp_16s(Vek16s* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorRamp_32u(Vek32u* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorRamp_32s(Vek32s* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorRamp_32f(Vek32f* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorRamp_64f(Vek64f* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorSlope_8u(Vek8u* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorSlope_8s(Vek8s* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorSlope_16u(Vek16u* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorSlope_16s(Vek16s* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorSlope_32u(Vek32u* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorSlope_32s(Vek32s* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorSlope_32f(Vek32f* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorSlope_64f(Vek64f* pDst, int len, Vek32f offset, Vek32f slope);
VekStatus veksVectorJaehne_8s(Vek8s* pDst, int len, Vek8s magn);
VekStatus veksVectorJaehne_8u(Vek8u* pDst, int len, Vek8u magn);
VekStatus veksVectorJaehne_16s(Vek16s* pDst, int len, Vek16s magn);
VekStatus veksVectorJaehne_16u(Vek16u* pDst, int len, Vek16u magn);
VekStatus veksVectorJaehne_32s(Vek32s* pDst, int len, Vek32s magn);
VekStatus veksVectorJaehne_32u(Vek32u* pDst, int len, Vek32u magn);
VekStatus veksVectorJaehne_32f(Vek32f* pDst, int len, Vek32f magn);
VekStatus veksVectorJaehne_64f(Vek64f* pDst, int len, Vek64f magn);

VEKS_EXTERN_C_END

#endif /* VEKS_GENERATOR_H */
