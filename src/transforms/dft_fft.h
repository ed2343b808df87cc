// The power-of-two FFT kinds a DFT spec of each precision builds on: the
// interleaved, split and real kinds, reached through their public calls.
#pragma once

#include "veks.h"

namespace veks::dft {

template <class T> struct FftOf;

#define VEKS_DFT_FFT_OF(T, S, C)                                                                                 \
    template <> struct FftOf<T> {                                                                                \
        using Cplx = Vek##C;                                                                                     \
        static VekStatus alloc_c(void** s, int order, int flag, int hint) {                                      \
            return veksFFTInitAlloc_C_##C(reinterpret_cast<VeksFFTSpec_C_##C**>(s), order, flag, hint); }        \
        static VekStatus alloc_split(void** s, int order, int flag, int hint) {                                  \
            return veksFFTInitAlloc_C_##S(reinterpret_cast<VeksFFTSpec_C_##S**>(s), order, flag, hint); }        \
        static VekStatus alloc_r(void** s, int order, int flag, int hint) {                                      \
            return veksFFTInitAlloc_R_##S(reinterpret_cast<VeksFFTSpec_R_##S**>(s), order, flag, hint); }        \
        static VekStatus buf_c(const void* s, int* n) { return veksFFTGetBufSize_C_##C(static_cast<const VeksFFTSpec_C_##C*>(s), n); } \
        static VekStatus buf_split(const void* s, int* n) { return veksFFTGetBufSize_C_##S(static_cast<const VeksFFTSpec_C_##S*>(s), n); } \
        static VekStatus buf_r(const void* s, int* n) { return veksFFTGetBufSize_R_##S(static_cast<const VeksFFTSpec_R_##S*>(s), n); } \
        static void free_c(void* s) { veksFFTFree_C_##C(static_cast<VeksFFTSpec_C_##C*>(s)); }                   \
        static void free_split(void* s) { veksFFTFree_C_##S(static_cast<VeksFFTSpec_C_##S*>(s)); }               \
        static void free_r(void* s) { veksFFTFree_R_##S(static_cast<VeksFFTSpec_R_##S*>(s)); }                   \
        template <bool Inv> static VekStatus c(const T* src, T* dst, const void* s, Vek8u* b) {                  \
            const auto* sp = static_cast<const VeksFFTSpec_C_##C*>(s);                                           \
            const auto* x = reinterpret_cast<const Vek##C*>(src);                                                \
            auto* y = reinterpret_cast<Vek##C*>(dst);                                                            \
            return Inv ? veksFFTInv_CToC_##C(x, y, sp, b) : veksFFTFwd_CToC_##C(x, y, sp, b); }                  \
        template <bool Inv> static VekStatus split(const T* sr, const T* si, T* dr, T* di, const void* s, Vek8u* b) { \
            const auto* sp = static_cast<const VeksFFTSpec_C_##S*>(s);                                           \
            return Inv ? veksFFTInv_CToC_##S(sr, si, dr, di, sp, b) : veksFFTFwd_CToC_##S(sr, si, dr, di, sp, b); } \
        template <bool Inv> static VekStatus real(const T* src, T* dst, const void* s, int layout, Vek8u* b) {   \
            const auto* sp = static_cast<const VeksFFTSpec_R_##S*>(s);                                           \
            if (Inv) return layout == 0 ? veksFFTInv_PermToR_##S(src, dst, sp, b)                                \
                          : layout == 1 ? veksFFTInv_PackToR_##S(src, dst, sp, b)                                \
                                        : veksFFTInv_CCSToR_##S(src, dst, sp, b);                                \
            return layout == 0 ? veksFFTFwd_RToPerm_##S(src, dst, sp, b)                                         \
                 : layout == 1 ? veksFFTFwd_RToPack_##S(src, dst, sp, b)                                         \
                               : veksFFTFwd_RToCCS_##S(src, dst, sp, b); }                                       \
    };

VEKS_DFT_FFT_OF(float, 32f, 32fc)
VEKS_DFT_FFT_OF(double, 64f, 64fc)
#undef VEKS_DFT_FFT_OF

} // namespace veks::dft
