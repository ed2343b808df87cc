// How a library function becomes an exported C symbol. Every family file
// defines its operations as templates and exports each member with one
// table line that uses VEKS_API.
#pragma once

#include "veks.h"

#define VEKS_API extern "C" __attribute__((visibility("default")))

// Returns from the enclosing function when a check fails.
#define VEKS_CHECK(expr)                          \
    do {                                          \
        const VekStatus veks_check_ = (expr);     \
        if (veks_check_ != vekStsOk) return veks_check_; \
    } while (0)

// Table rows for the most common member shape: an out-of-place unary member
// and its in-place twin, which runs the same kernel with the source as the
// destination. VEKS_EXPORT_UNARY(Exp, 32f, exp_float) exports veksExp_32f
// and veksExp_32f_I; VEKS_EXPORT_UNARY_SFS exports the _Sfs/_ISfs pair.
#define VEKS_EXPORT_UNARY(op, s, kernel)                                                             \
    VEKS_API VekStatus veks##op##_##s(const Vek##s* pSrc, Vek##s* pDst, int len) {                 \
        return kernel(pSrc, pDst, len);                                                              \
    }                                                                                                \
    VEKS_API VekStatus veks##op##_##s##_I(Vek##s* pSrcDst, int len) { return kernel(pSrcDst, pSrcDst, len); }

#define VEKS_EXPORT_UNARY_SFS(op, s, kernel)                                                         \
    VEKS_API VekStatus veks##op##_##s##_Sfs(const Vek##s* pSrc, Vek##s* pDst, int len, int scaleFactor) { \
        return kernel(pSrc, pDst, len, scaleFactor);                                                 \
    }                                                                                                \
    VEKS_API VekStatus veks##op##_##s##_ISfs(Vek##s* pSrcDst, int len, int scaleFactor) {            \
        return kernel(pSrcDst, pSrcDst, len, scaleFactor);                                           \
    }
