// Table rows of the window members.
#pragma once

#include "core/export.h"

// Out-of-place member and in-place twin of one window, optionally with one
// parameter.
#define VEKS_WIN(name, s, fn)                                                                               \
    VEKS_API VekStatus veksWin##name##_##s(const Vek##s* pSrc, Vek##s* pDst, int len) {                   \
        return fn(pSrc, pDst, len);                                                                         \
    }                                                                                                       \
    VEKS_API VekStatus veksWin##name##_##s##_I(Vek##s* pSrcDst, int len) { return fn(pSrcDst, pSrcDst, len); }

#define VEKS_WIN_PARAM(name, s, fn, P, p)                                                                   \
    VEKS_API VekStatus veksWin##name##_##s(const Vek##s* pSrc, Vek##s* pDst, int len, P p) {              \
        return fn(pSrc, pDst, len, p);                                                                      \
    }                                                                                                       \
    VEKS_API VekStatus veksWin##name##_##s##_I(Vek##s* pSrcDst, int len, P p) {                            \
        return fn(pSrcDst, pSrcDst, len, p);                                                                \
    }
