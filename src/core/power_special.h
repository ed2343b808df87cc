// Warning bookkeeping for element-wise functions whose special inputs are
// reported, not rejected: the first special element in array order decides.
#pragma once

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

} // namespace veks
