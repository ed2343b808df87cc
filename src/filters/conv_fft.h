// FFT plumbing of convolution and correlation: the exported transforms of one
// precision behind one name, specs made for a single call (inverse scaled by
// 1/N, default hint) and released by the destructor, and scratch arrays from
// the library's aligned allocator.
#pragma once

#include <climits>
#include <cstddef>
#include <cstring>

#include "veks.h"

namespace veks::filt {

// Aligned scratch of n elements; empty() when the allocation failed.
template <class T>
class Scratch {
public:
    explicit Scratch(std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (n != 0 && bytes / sizeof(T) == n && bytes <= std::size_t(INT_MAX) - 64)
            p_ = reinterpret_cast<T*>(veksMalloc_8u(static_cast<int>(bytes)));
    }
    ~Scratch() { veksFree(p_); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    bool empty() const { return p_ == nullptr; }
    T* get() const { return p_; }
    T& operator[](std::size_t i) const { return p_[i]; }

private:
    T* p_ = nullptr;
};

template <class F> struct RealFft;
template <> struct RealFft<Vek32f> {
    using Spec = VeksFFTSpec_R_32f;
    static VekStatus alloc(Spec** s, int order) { return veksFFTInitAlloc_R_32f(s, order, vekFftNormInv, vekHintDefault); }
    static void release(Spec* s) { veksFFTFree_R_32f(s); }
    static VekStatus buf_size(const Spec* s, int* n) { return veksFFTGetBufSize_R_32f(s, n); }
    static VekStatus fwd_perm(Vek32f* x, const Spec* s, Vek8u* b) { return veksFFTFwd_RToPerm_32f_I(x, s, b); }
    static VekStatus inv_perm(Vek32f* x, const Spec* s, Vek8u* b) { return veksFFTInv_PermToR_32f_I(x, s, b); }
    static VekStatus fwd_pack(Vek32f* x, const Spec* s, Vek8u* b) { return veksFFTFwd_RToPack_32f_I(x, s, b); }
    static VekStatus inv_pack(Vek32f* x, const Spec* s, Vek8u* b) { return veksFFTInv_PackToR_32f_I(x, s, b); }
    static VekStatus mul_perm(const Vek32f* a, Vek32f* x, int n) { return veksMulPerm_32f_I(a, x, n); }
    static VekStatus mul_pack_conj(const Vek32f* a, Vek32f* x, int n) { return veksMulPackConj_32f_I(a, x, n); }
};
template <> struct RealFft<Vek64f> {
    using Spec = VeksFFTSpec_R_64f;
    static VekStatus alloc(Spec** s, int order) { return veksFFTInitAlloc_R_64f(s, order, vekFftNormInv, vekHintDefault); }
    static void release(Spec* s) { veksFFTFree_R_64f(s); }
    static VekStatus buf_size(const Spec* s, int* n) { return veksFFTGetBufSize_R_64f(s, n); }
    static VekStatus fwd_perm(Vek64f* x, const Spec* s, Vek8u* b) { return veksFFTFwd_RToPerm_64f_I(x, s, b); }
    static VekStatus inv_perm(Vek64f* x, const Spec* s, Vek8u* b) { return veksFFTInv_PermToR_64f_I(x, s, b); }
    static VekStatus fwd_pack(Vek64f* x, const Spec* s, Vek8u* b) { return veksFFTFwd_RToPack_64f_I(x, s, b); }
    static VekStatus inv_pack(Vek64f* x, const Spec* s, Vek8u* b) { return veksFFTInv_PackToR_64f_I(x, s, b); }
    static VekStatus mul_perm(const Vek64f* a, Vek64f* x, int n) { return veksMulPerm_64f_I(a, x, n); }
    static VekStatus mul_pack_conj(const Vek64f* a, Vek64f* x, int n) { return veksMulPackConj_64f_I(a, x, n); }
};

template <class C> struct CplxFft;
template <> struct CplxFft<Vek32fc> {
    using Spec = VeksFFTSpec_C_32fc;
    static VekStatus alloc(Spec** s, int order) { return veksFFTInitAlloc_C_32fc(s, order, vekFftNormInv, vekHintDefault); }
    static void release(Spec* s) { veksFFTFree_C_32fc(s); }
    static VekStatus buf_size(const Spec* s, int* n) { return veksFFTGetBufSize_C_32fc(s, n); }
    static VekStatus fwd(Vek32fc* x, const Spec* s, Vek8u* b) { return veksFFTFwd_CToC_32fc_I(x, s, b); }
    static VekStatus inv(Vek32fc* x, const Spec* s, Vek8u* b) { return veksFFTInv_CToC_32fc_I(x, s, b); }
    static VekStatus mul(const Vek32fc* a, Vek32fc* x, int n) { return veksMul_32fc_I(a, x, n); }
    static VekStatus flip(Vek32fc* x, int n) { return veksFlip_32fc_I(x, n); }
    static VekStatus conj(Vek32fc* x, int n) { return veksConj_32fc_I(x, n); }
};
template <> struct CplxFft<Vek64fc> {
    using Spec = VeksFFTSpec_C_64fc;
    static VekStatus alloc(Spec** s, int order) { return veksFFTInitAlloc_C_64fc(s, order, vekFftNormInv, vekHintDefault); }
    static void release(Spec* s) { veksFFTFree_C_64fc(s); }
    static VekStatus buf_size(const Spec* s, int* n) { return veksFFTGetBufSize_C_64fc(s, n); }
    static VekStatus fwd(Vek64fc* x, const Spec* s, Vek8u* b) { return veksFFTFwd_CToC_64fc_I(x, s, b); }
    static VekStatus inv(Vek64fc* x, const Spec* s, Vek8u* b) { return veksFFTInv_CToC_64fc_I(x, s, b); }
    static VekStatus mul(const Vek64fc* a, Vek64fc* x, int n) { return veksMul_64fc_I(a, x, n); }
    static VekStatus flip(Vek64fc* x, int n) { return veksFlip_64fc_I(x, n); }
    static VekStatus conj(Vek64fc* x, int n) { return veksConj_64fc_I(x, n); }
};

// A spec of one call's transform plus `workers` work buffers. ok() is false
// after a failure, whose status status() holds; everything made so far is
// released by the destructor.
template <class Api>
class CallFft {
public:
    explicit CallFft(int order, int workers = 1) {
        status_ = Api::alloc(&spec_, order);
        if (status_ != vekStsOk) { spec_ = nullptr; return; }
        int bytes = 0;
        status_ = Api::buf_size(spec_, &bytes);
        if (status_ != vekStsOk || bytes == 0) return;
        stride_ = (static_cast<std::size_t>(bytes) + 63) / 64 * 64;
        if (stride_ * workers <= std::size_t(INT_MAX) - 64)
            bufs_ = veksMalloc_8u(static_cast<int>(stride_ * workers));
        if (bufs_ == nullptr) status_ = vekStsNoMemory;
    }
    ~CallFft() {
        veksFree(bufs_);
        if (spec_ != nullptr) Api::release(spec_);
    }
    CallFft(const CallFft&) = delete;
    CallFft& operator=(const CallFft&) = delete;
    bool ok() const { return status_ == vekStsOk; }
    VekStatus status() const { return status_; }
    const typename Api::Spec* spec() const { return spec_; }
    Vek8u* buffer(int worker) const { return bufs_ == nullptr ? nullptr : bufs_ + stride_ * worker; }

private:
    typename Api::Spec* spec_ = nullptr;
    Vek8u* bufs_ = nullptr;
    std::size_t stride_ = 0;
    VekStatus status_ = vekStsOk;
};

// Smallest k >= min_order with 2^k >= n.
inline int order_at_least(long long n, int min_order) {
    int k = min_order;
    while ((1LL << k) < n) ++k;
    return k;
}

// Loads and stores through memcpy: callers' arrays may sit at any address.
template <class T> inline T load(const T* p) { T v; std::memcpy(&v, p, sizeof(T)); return v; }
template <class T> inline void store(T* p, const T& v) { std::memcpy(p, &v, sizeof(T)); }

} // namespace veks::filt
