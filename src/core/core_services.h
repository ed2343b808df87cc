// The library's view of libvekcore: special-value constants and the x87
// control word, read through these helpers only.
#pragma once

#include "core/vekcore/vekcore.h"

namespace veks {

inline float inf32() { return vekConstantOfINF_32f; }
inline double inf64() { return vekConstantOfINF_64f; }
inline float nan32() { return vekConstantOfNAN_32f; }
inline double nan64() { return vekConstantOfNAN_64f; }

template <class F> inline F const_inf();
template <> inline float const_inf<float>() { return inf32(); }
template <> inline double const_inf<double>() { return inf64(); }
template <class F> inline F const_nan();
template <> inline float const_nan<float>() { return nan32(); }
template <> inline double const_nan<double>() { return nan64(); }

// Saves the control word on construction and restores it on destruction;
// table builders hold one for their whole run.
class FpuControlGuard {
public:
    FpuControlGuard() : saved_(ps_get_cw_fpu()) {}
    explicit FpuControlGuard(unsigned int set_to) : saved_(ps_get_cw_fpu()) { vek_set_cw_fpu(set_to); }
    ~FpuControlGuard() { vek_set_cw_fpu(saved_); }
    FpuControlGuard(const FpuControlGuard&) = delete;
    FpuControlGuard& operator=(const FpuControlGuard&) = delete;

private:
    unsigned int saved_;
};

} // namespace veks
