// Warning bookkeeping for element-wise functions whose special inputs are
// reported, not rejected: the first special element in array order decides.
#pragma once

#include <cstdint>

#include "veks.h"

namespace veks {

class FirstWarning {
public:
    void note(VekStatus w) {
        if (status_ == vekStsOk) status_ = w;
    }
    VekStatus status() const { return status_; }

private:
    VekStatus status_ = vekStsOk;
};

// Out-of-place buffers that share some elements without being the same
// array: block kernels would differ from element-by-element order there.
template <class S, class D>
inline bool overlaps_partially(const S* src, const D* dst, int len) {
    const auto s = reinterpret_cast<std::uintptr_t>(src), d = reinterpret_cast<std::uintptr_t>(dst);
    if (s == d) return false;
    return s < d + std::uintptr_t(len) * sizeof(D) && d < s + std::uintptr_t(len) * sizeof(S);
}

} // namespace veks
