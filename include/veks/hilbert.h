/* vekszn: hilbert family. Included by veks.h; do not include directly.
 *
 * Analytic signal of a real sequence of length N: a complex sequence whose
 * real part is the input and whose imaginary part is its Hilbert transform.
 * Computed by the DFT: forward real transform, bins 1 .. (N+1)/2 - 1
 * doubled (an even N keeps its Nyquist bin N/2 as it is), bins N/2 + 1 ..
 * N - 1 cleared, inverse complex transform scaled by 1/N. N = 1 and N = 2
 * return the input with zero imaginary parts.
 *
 * Hilbert objects (VeksHilbertSpec_*) are made by InitAlloc (length, hint;
 * the hint goes to the inner DFT objects) and released by Free; they are
 * read-only between the two and may be shared by threads. The three kinds
 * carry one identifier, so each transform accepts an object made by any of
 * the three InitAlloc functions.
 *
 * Checks, InitAlloc: null output pointer (vekStsNullPtr), N < 1
 * (vekStsBadLength), failed allocation (vekStsNoMemory, nothing left
 * allocated). Free: null object (vekStsNullPtr), wrong object
 * (vekStsBadContext). Transforms: null source, destination or object
 * (vekStsNullPtr, in that order), wrong object (vekStsBadContext). The
 * transforms allocate their work areas for each call (vekStsNoMemory when
 * that fails).
 *
 * 16-bit input is converted to single precision first; the 16s16sc form
 * converts the complex result back, scaled by 2^-scaleFactor, rounded to
 * nearest with ties to even and saturated.
 */
#ifndef VEKS_HILBERT_H
#define VEKS_HILBERT_H

VEKS_EXTERN_C_BEGIN

typedef struct VeksHilbertSpec_32f32fc VeksHilbertSpec_32f32fc;
typedef struct VeksHilbertSpec_16s32fc VeksHilbertSpec_16s32fc;
typedef struct VeksHilbertSpec_16s16sc VeksHilbertSpec_16s16sc;

VekStatus veksHilbertInitAlloc_32f32fc(VeksHilbertSpec_32f32fc** ppSpec, int length, int hint);
VekStatus veksHilbertInitAlloc_16s32fc(VeksHilbertSpec_16s32fc** ppSpec, int length, int hint);
VekStatus veksHilbertInitAlloc_16s16sc(VeksHilbertSpec_16s16sc** ppSpec, int length, int hint);
VekStatus veksHilbertFree_32f32fc(VeksHilbertSpec_32f32fc* pSpec);
VekStatus veksHilbertFree_16s32fc(VeksHilbertSpec_16s32fc* pSpec);
VekStatus veksHilbertFree_16s16sc(VeksHilbertSpec_16s16sc* pSpec);

VekStatus veksHilbert_32f32fc(const Vek32f* pSrc, Vek32fc* pDst, VeksHilbertSpec_32f32fc* pSpec);
VekStatus veksHilbert_16s32fc(const Vek16s* pSrc, Vek32fc* pDst, VeksHilbertSpec_16s32fc* pSpec);
VekStatus veksHilbert_16s16sc_Sfs(const Vek16s* pSrc, Vek16sc* pDst, VeksHilbertSpec_16s16sc* pSpec, int scaleFactor);

VEKS_EXTERN_C_END

#endif
