// Arctangent in double precision, rounded to the destination.
#include <cmath>

#include "core/checks.h"
#include "core/export.h"

namespace veks {
namespace {

template <class F>
VekStatus arctan(const F* src, F* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (int n = 0; n < len; ++n) dst[n] = static_cast<F>(std::atan(static_cast<double>(src[n])));
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

VEKS_API VekStatus veksArctan_32f(const Vek32f* pSrc, Vek32f* pDst, int len) { return arctan(pSrc, pDst, len); }
VEKS_API VekStatus veksArctan_32f_I(Vek32f* pSrcDst, int len) { return arctan(pSrcDst, pSrcDst, len); }
VEKS_API VekStatus veksArctan_64f(const Vek64f* pSrc, Vek64f* pDst, int len) { return arctan(pSrc, pDst, len); }
VEKS_API VekStatus veksArctan_64f_I(Vek64f* pSrcDst, int len) { return arctan(pSrcDst, pSrcDst, len); }
