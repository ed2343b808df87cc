/*
 * vekszn - signal-processing primitives on caller-owned vectors.
 *
 * The public C interface (C99 and C++). Every function returns a VekStatus
 * (0 success, negative error, positive warning) unless noted; on an error
 * nothing is written. Arguments are checked in a fixed order: pointers,
 * then lengths, then the other parameters, then object identifiers.
 *
 * This file holds the element types, status codes, constants, the version
 * record, allocation and vector movement. Each further family has its own
 * header under veks/, all included below.
 */
#ifndef VEKS_H
#define VEKS_H

#include <stdint.h>

#ifdef __cplusplus
#define VEKS_EXTERN_C_BEGIN extern "C" {
#define VEKS_EXTERN_C_END }
#else
#define VEKS_EXTERN_C_BEGIN
#define VEKS_EXTERN_C_END
#endif

VEKS_EXTERN_C_BEGIN

/* ---- element types ---------------------------------------------------------- */
typedef uint8_t  Vek8u;
typedef int8_t   Vek8s;
typedef int16_t  Vek16s;
typedef uint16_t Vek16u;
typedef int32_t  Vek32s;
typedef uint32_t Vek32u;
typedef int64_t  Vek64s;
typedef uint64_t Vek64u;
typedef float    Vek32f;
typedef double   Vek64f;
typedef uint16_t Vek16f; /* IEEE-754 binary16 bit pattern */

/* Complex types: real part first, then imaginary part, no padding. */
typedef struct { Vek8s  re; Vek8s  im; } Vek8sc;
typedef struct { Vek16s re; Vek16s im; } Vek16sc;
typedef struct { Vek32s re; Vek32s im; } Vek32sc;
typedef struct { Vek64s re; Vek64s im; } Vek64sc;
typedef struct { Vek32f re; Vek32f im; } Vek32fc;
typedef struct { Vek64f re; Vek64f im; } Vek64fc;

/* ---- status codes ----------------------------------------------------------- */
typedef int VekStatus;

enum {
    vekStsOk                   = 0,
    /* warnings: the operation ran to the end, every output element is defined */
    vekStsSqrtNegativeArg      = 3,
    vekStsInverseOfZero        = 4,
    vekStsEvenMaskSize         = 5,
    vekStsDivByZero            = 6,
    vekStsLogZeroArg           = 7,
    vekStsLogNegativeArg       = 8,
    vekStsNonNormalData        = 9,
    vekStsBitLenClamped        = 27,
    /* errors */
    vekStsInternalFailure      = -1,
    vekStsIndexOutOfRange      = -5,
    vekStsBadLength            = -6,
    vekStsNullPtr              = -8,
    vekStsNoMemory             = -9,
    vekStsDivByZeroError       = -10,
    vekStsBadTapScale          = -13,
    vekStsBadFftOrder          = -15,
    vekStsBadFftFlag           = -16,
    vekStsBadContext           = -17,
    vekStsBadLevelOrder        = -18,
    vekStsNegativeLevel        = -19,
    vekStsBadDelayIndex        = -24,
    vekStsBadOrder             = -25,
    vekStsBadTapCount          = -26,
    vekStsBadRelFrequency      = -27,
    vekStsBadMultiratePhase    = -28,
    vekStsBadMultirateFactor   = -29,
    vekStsBadSamplePhase       = -30,
    vekStsBadSampleFactor      = -31,
    vekStsBadShift             = -32,
    vekStsBadWindowLength      = -33,
    vekStsBadFilterOffset      = -35,
    vekStsNegativeMagnitude    = -38,
    vekStsBadKaiserAlpha       = -39,
    vekStsBadTriangleAsymmetry = -40,
    vekStsBadTrianglePhase     = -41,
    vekStsBadTriangleFrequency = -42,
    vekStsBadTriangleMagnitude = -43,
    vekStsBadTonePhase         = -44,
    vekStsBadToneFrequency     = -45,
    vekStsBadToneMagnitude     = -46,
    vekStsBadMatrixStride      = -182,
    vekStsBadSparseTaps        = -194,
    vekStsSingularMatrix       = -195,
    vekStsBadDesignOrder       = -206,
    vekStsBadCutoff            = -208,
    vekStsBadTolerance         = -209,
    vekStsBadRoundMode         = -213
};

/* ---- parameter constants ---------------------------------------------------- */
/* Rounding mode (an int argument). */
enum {
    vekRoundTowardZero = 0,
    vekRoundHalfEven   = 1,
    vekRoundHalfAway   = 2
};

/* FFT normalisation flags. */
enum {
    vekFftNormFwd  = 1, /* forward by 1/N */
    vekFftNormInv  = 2, /* inverse by 1/N */
    vekFftNormSqrt = 4, /* both by 1/sqrt(N) */
    vekFftNormNone = 8
};

/* Algorithm hints. */
enum {
    vekHintDefault   = 0,
    vekHintSpeed     = 1,
    vekHintPrecision = 2
};

/* Comparison argument of the generic threshold. */
enum {
    vekCmpLess    = 0,
    vekCmpGreater = 4
};

/* ---- version record --------------------------------------------------------- */
typedef struct {
    int         major;
    int         minor;
    int         majorBuild;
    int         build;
    char        targetCpu[4];
    const char* Name;
    const char* Version;
    const char* BuildDate;
} VekLibraryVersion;

/* The constant version record; the same address on every call. */
const VekLibraryVersion* veksGetLibVersion(void);

/* ---- aligned allocation ----------------------------------------------------- */
/* Storage for len elements, aligned to 32 bytes; null when len < 1 or when
 * the C runtime has no memory. Release with veksFree. */
Vek8u*   veksMalloc_8u(int len);
Vek8s*   veksMalloc_8s(int len);
Vek8sc*  veksMalloc_8sc(int len);
Vek16s*  veksMalloc_16s(int len);
Vek16u*  veksMalloc_16u(int len);
Vek16sc* veksMalloc_16sc(int len);
Vek32s*  veksMalloc_32s(int len);
Vek32u*  veksMalloc_32u(int len);
Vek32f*  veksMalloc_32f(int len);
Vek32sc* veksMalloc_32sc(int len);
Vek32fc* veksMalloc_32fc(int len);
Vek64s*  veksMalloc_64s(int len);
Vek64f*  veksMalloc_64f(int len);
Vek64sc* veksMalloc_64sc(int len);
Vek64fc* veksMalloc_64fc(int len);
/* Accepts null (does nothing). */
void     veksFree(void* ptr);

VEKS_EXTERN_C_END

#include "veks/movement.h"
#include "veks/arith.h"
#include "veks/power.h"
#include "veks/logic.h"
#include "veks/convert.h"
#include "veks/complex.h"
#include "veks/stats.h"
#include "veks/fft.h"
#include "veks/realfft.h"
#include "veks/dct.h"
#include "veks/goertzel.h"
#include "veks/iir.h"
#include "veks/window.h"
#include "veks/generator.h"
#include "veks/conv.h"
#include "veks/median.h"
#include "veks/smallfilt.h"
#include "veks/threshold.h"
#include "veks/sort.h"
#include "veks/dft.h"
#include "veks/hilbert.h"
#include "veks/wavelet.h"
#include "veks/trellis.h"
#include "veks/fir.h"
#include "veks/firmr.h"
#include "veks/lms.h"
#include "veks/design.h"

#endif /* VEKS_H */
