// The power-of-two FFTs the DCT engines run on, reached through their
// exported operations (normalisation flag 8, hint 0), once per precision.
#pragma once

#include "veks.h"

namespace veks::dct {

template <class T> struct InnerFft;

#define VEKS_DCT_INNER_FFT(T, S, CS)                                                                          \
    template <> struct InnerFft<T> {                                                                       \
        using Real = VeksFFTSpec_R_##S;                                                                    \
        using Cplx = VeksFFTSpec_C_##CS;                                                                   \
        static VekStatus real_sizes(int order, int* spec, int* init, int* work) {                          \
            return veksFFTGetSize_R_##S(order, vekFftNormNone, vekHintDefault, spec, init, work);          \
        }                                                                                                  \
        static VekStatus real_init(Real** out, int order, Vek8u* mem, Vek8u* init) {                       \
            return veksFFTInit_R_##S(out, order, vekFftNormNone, vekHintDefault, mem, init);               \
        }                                                                                                  \
        static VekStatus real_fwd(T* x, const Real* s, Vek8u* buf) { return veksFFTFwd_RToPerm_##S##_I(x, s, buf); } \
        static VekStatus real_inv(T* x, const Real* s, Vek8u* buf) { return veksFFTInv_PermToR_##S##_I(x, s, buf); } \
        static VekStatus cplx_sizes(int order, int* spec, int* init, int* work) {                          \
            return veksFFTGetSize_C_##CS(order, vekFftNormNone, vekHintDefault, spec, init, work);         \
        }                                                                                                  \
        static VekStatus cplx_init(Cplx** out, int order, Vek8u* mem, Vek8u* init) {                       \
            return veksFFTInit_C_##CS(out, order, vekFftNormNone, vekHintDefault, mem, init);              \
        }                                                                                                  \
        static VekStatus cplx_fwd(T* x, const Cplx* s, Vek8u* buf) {                                       \
            return veksFFTFwd_CToC_##CS##_I(reinterpret_cast<Vek##CS*>(x), s, buf);                        \
        }                                                                                                  \
        static VekStatus cplx_inv(T* x, const Cplx* s, Vek8u* buf) {                                       \
            return veksFFTInv_CToC_##CS##_I(reinterpret_cast<Vek##CS*>(x), s, buf);                        \
        }                                                                                                  \
    };

VEKS_DCT_INNER_FFT(float, 32f, 32fc)
VEKS_DCT_INNER_FFT(double, 64f, 64fc)
#undef VEKS_DCT_INNER_FFT

} // namespace veks::dct
