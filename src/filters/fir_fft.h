// The transforms behind the overlap-save filter: one binding per compute
// type (real taps use the real transform and Perm-layout products, complex
// taps the complex transform and complex products).
#pragma once

#include "filters/fir_elem.h"
#include "veks.h"

namespace veks::fir {

template <class V> struct Fft;

template <> struct Fft<float> {
    using spec_t = VeksFFTSpec_R_32f;
    static VekStatus get_size(int o, int* s, int* i, int* w) { return veksFFTGetSize_R_32f(o, vekFftNormInv, vekHintDefault, s, i, w); }
    static VekStatus init(spec_t** p, int o, Vek8u* m, Vek8u* b) { return veksFFTInit_R_32f(p, o, vekFftNormInv, vekHintDefault, m, b); }
    static VekStatus init_alloc(spec_t** p, int o) { return veksFFTInitAlloc_R_32f(p, o, vekFftNormInv, vekHintDefault); }
    static VekStatus buf_size(const spec_t* s, int* b) { return veksFFTGetBufSize_R_32f(s, b); }
    static VekStatus release(spec_t* s) { return veksFFTFree_R_32f(s); }
    static VekStatus fwd(const float* x, float* y, const spec_t* s, Vek8u* b) { return veksFFTFwd_RToPerm_32f(x, y, s, b); }
    static VekStatus fwd_i(float* x, const spec_t* s, Vek8u* b) { return veksFFTFwd_RToPerm_32f_I(x, s, b); }
    static VekStatus inv_i(float* x, const spec_t* s, Vek8u* b) { return veksFFTInv_PermToR_32f_I(x, s, b); }
    static VekStatus mul_i(const float* h, float* x, int n) { return veksMulPerm_32f_I(h, x, n); }
};

template <> struct Fft<double> {
    using spec_t = VeksFFTSpec_R_64f;
    static VekStatus get_size(int o, int* s, int* i, int* w) { return veksFFTGetSize_R_64f(o, vekFftNormInv, vekHintDefault, s, i, w); }
    static VekStatus init(spec_t** p, int o, Vek8u* m, Vek8u* b) { return veksFFTInit_R_64f(p, o, vekFftNormInv, vekHintDefault, m, b); }
    static VekStatus init_alloc(spec_t** p, int o) { return veksFFTInitAlloc_R_64f(p, o, vekFftNormInv, vekHintDefault); }
    static VekStatus buf_size(const spec_t* s, int* b) { return veksFFTGetBufSize_R_64f(s, b); }
    static VekStatus release(spec_t* s) { return veksFFTFree_R_64f(s); }
    static VekStatus fwd(const double* x, double* y, const spec_t* s, Vek8u* b) { return veksFFTFwd_RToPerm_64f(x, y, s, b); }
    static VekStatus fwd_i(double* x, const spec_t* s, Vek8u* b) { return veksFFTFwd_RToPerm_64f_I(x, s, b); }
    static VekStatus inv_i(double* x, const spec_t* s, Vek8u* b) { return veksFFTInv_PermToR_64f_I(x, s, b); }
    static VekStatus mul_i(const double* h, double* x, int n) { return veksMulPerm_64f_I(h, x, n); }
};

template <> struct Fft<Cx<float>> {
    using spec_t = VeksFFTSpec_C_32fc;
    using V = Cx<float>;
    static Vek32fc* e(V* p) { return reinterpret_cast<Vek32fc*>(p); }
    static const Vek32fc* e(const V* p) { return reinterpret_cast<const Vek32fc*>(p); }
    static VekStatus get_size(int o, int* s, int* i, int* w) { return veksFFTGetSize_C_32fc(o, vekFftNormInv, vekHintDefault, s, i, w); }
    static VekStatus init(spec_t** p, int o, Vek8u* m, Vek8u* b) { return veksFFTInit_C_32fc(p, o, vekFftNormInv, vekHintDefault, m, b); }
    static VekStatus init_alloc(spec_t** p, int o) { return veksFFTInitAlloc_C_32fc(p, o, vekFftNormInv, vekHintDefault); }
    static VekStatus buf_size(const spec_t* s, int* b) { return veksFFTGetBufSize_C_32fc(s, b); }
    static VekStatus release(spec_t* s) { return veksFFTFree_C_32fc(s); }
    static VekStatus fwd(const V* x, V* y, const spec_t* s, Vek8u* b) { return veksFFTFwd_CToC_32fc(e(x), e(y), s, b); }
    static VekStatus fwd_i(V* x, const spec_t* s, Vek8u* b) { return veksFFTFwd_CToC_32fc_I(e(x), s, b); }
    static VekStatus inv_i(V* x, const spec_t* s, Vek8u* b) { return veksFFTInv_CToC_32fc_I(e(x), s, b); }
    static VekStatus mul_i(const V* h, V* x, int n) { return veksMul_32fc_I(e(h), e(x), n); }
};

template <> struct Fft<Cx<double>> {
    using spec_t = VeksFFTSpec_C_64fc;
    using V = Cx<double>;
    static Vek64fc* e(V* p) { return reinterpret_cast<Vek64fc*>(p); }
    static const Vek64fc* e(const V* p) { return reinterpret_cast<const Vek64fc*>(p); }
    static VekStatus get_size(int o, int* s, int* i, int* w) { return veksFFTGetSize_C_64fc(o, vekFftNormInv, vekHintDefault, s, i, w); }
    static VekStatus init(spec_t** p, int o, Vek8u* m, Vek8u* b) { return veksFFTInit_C_64fc(p, o, vekFftNormInv, vekHintDefault, m, b); }
    static VekStatus init_alloc(spec_t** p, int o) { return veksFFTInitAlloc_C_64fc(p, o, vekFftNormInv, vekHintDefault); }
    static VekStatus buf_size(const spec_t* s, int* b) { return veksFFTGetBufSize_C_64fc(s, b); }
    static VekStatus release(spec_t* s) { return veksFFTFree_C_64fc(s); }
    static VekStatus fwd(const V* x, V* y, const spec_t* s, Vek8u* b) { return veksFFTFwd_CToC_64fc(e(x), e(y), s, b); }
    static VekStatus fwd_i(V* x, const spec_t* s, Vek8u* b) { return veksFFTFwd_CToC_64fc_I(e(x), s, b); }
    static VekStatus inv_i(V* x, const spec_t* s, Vek8u* b) { return veksFFTInv_CToC_64fc_I(e(x), s, b); }
    static VekStatus mul_i(const V* h, V* x, int n) { return veksMul_64fc_I(e(h), e(x), n); }
};

} // namespace veks::fir
