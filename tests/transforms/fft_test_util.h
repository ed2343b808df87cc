// Per-kind call tables so one test body covers every FFT kind, and a spec
// holder for any kind table.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "veks_test.h"

namespace fftt {

// Life cycle of one kind, with the spec as void*.
struct Lifecycle {
    const char* name;
    VekStatus (*get_size)(int, int, int, int*, int*, int*);
    VekStatus (*init)(void**, int, int, int, Vek8u*, Vek8u*);
    VekStatus (*init_alloc)(void**, int, int, int);
    VekStatus (*get_buf_size)(const void*, int*);
    VekStatus (*free)(void*);
};

#define FFTT_KIND(K)                                                                                         \
    Lifecycle {                                                                                              \
        #K, veksFFTGetSize_##K,                                                                              \
            [](void** p, int o, int f, int h, Vek8u* m, Vek8u* b) {                                          \
                return veksFFTInit_##K(reinterpret_cast<VeksFFTSpec_##K**>(p), o, f, h, m, b); },             \
            [](void** p, int o, int f, int h) { return veksFFTInitAlloc_##K(reinterpret_cast<VeksFFTSpec_##K**>(p), o, f, h); }, \
            [](const void* s, int* n) { return veksFFTGetBufSize_##K(static_cast<const VeksFFTSpec_##K*>(s), n); }, \
            [](void* s) { return veksFFTFree_##K(static_cast<VeksFFTSpec_##K*>(s)); }                           \
    }

inline const std::vector<Lifecycle>& all_kinds() {
    static const std::vector<Lifecycle> k = {
        FFTT_KIND(C_16sc), FFTT_KIND(C_16s), FFTT_KIND(R_16s), FFTT_KIND(C_32fc), FFTT_KIND(C_32f),
        FFTT_KIND(R_32f), FFTT_KIND(C_64fc), FFTT_KIND(C_64f), FFTT_KIND(R_64f), FFTT_KIND(C_32sc),
        FFTT_KIND(C_32s), FFTT_KIND(R_32s), FFTT_KIND(R_16s32s)};
    return k;
}

inline const Lifecycle& kind(const char* name) {
    for (const auto& k : all_kinds())
        if (std::string(k.name) == name) return k;
    throw std::runtime_error(name);
}

constexpr int kFlags[] = {vekFftNormFwd, vekFftNormInv, vekFftNormSqrt, vekFftNormNone};

// A spec of a kind table (init_alloc, free, get_buf_size) made by InitAlloc
// and freed at scope exit; the length is an order or a number of points.
template <class K>
class SpecOf {
public:
    SpecOf(const K& k, int len, int flag, int hint = vekHintDefault) : k_(k) { status_ = k.init_alloc(&p_, len, flag, hint); }
    ~SpecOf() { if (p_) k_.free(p_); }
    SpecOf(const SpecOf&) = delete;
    SpecOf& operator=(const SpecOf&) = delete;
    template <class S> const S* as() const { return static_cast<const S*>(p_); }
    void* get() const { return p_; }
    VekStatus status() const { return status_; }
    int buf_size() const { int n = -1; k_.get_buf_size(p_, &n); return n; }

private:
    const K& k_;
    void* p_ = nullptr;
    VekStatus status_;
};
using Spec = SpecOf<Lifecycle>;

// Check order of a call on a spec: a null spec, then another kind's spec
// (whatever data pointer is null), then each data pointer; no error writes
// anything. call(spec, null_index) runs it with data pointer null_index
// null (-1: none).
inline void expect_spec_then_ptrs(int n_ptrs, const void* spec, const void* other,
                                  const std::function<VekStatus(const void*, int)>& call, const std::function<bool()>& intact) {
    EXPECT_EQ(call(nullptr, -1), vekStsNullPtr);
    for (int p = -1; p < n_ptrs; ++p) EXPECT_EQ(call(other, p), vekStsBadContext) << "pointer " << p << " null";
    for (int p = 0; p < n_ptrs; ++p) EXPECT_EQ(call(spec, p), vekStsNullPtr) << "pointer " << p << " null";
    EXPECT_TRUE(intact()) << "an error wrote output";
}

// The factors each direction applies under a flag.
inline long double fwd_factor(int flag, int order) {
    const long double n = std::ldexp(1.0L, order);
    return flag == vekFftNormFwd ? 1 / n : flag == vekFftNormSqrt ? 1 / std::sqrt(n) : 1;
}
inline long double inv_factor(int flag, int order) {
    const long double n = std::ldexp(1.0L, order);
    return flag == vekFftNormInv ? 1 / n : flag == vekFftNormSqrt ? 1 / std::sqrt(n) : 1;
}

} // namespace fftt
