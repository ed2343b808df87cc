// Arctangent in double precision, rounded to the destination. Single
// precision runs the table-reduced kernel four elements per step.
#include <cmath>

#include "core/checks.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "core/power_atan_sse.h"
#include "core/power_special.h"

namespace veks {
namespace {

template <class F>
VekStatus arctan(const F* src, F* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    int n = 0;
#if defined(__SSE2__)
    if constexpr (sizeof(F) == 4) {
        // Chunks holding an infinity or a NaN go element by element.
        if (!overlaps_partially(src, dst, len)) {
            auto redo = [](const float* s, float* d, int count) {
                for (int k = 0; k < count; ++k) store_elem(d, k, static_cast<float>(std::atan(static_cast<double>(load_elem(s, k)))));
            };
            n = run_chunks<64>(src, dst, n, len, atansse::atan4, redo);
            n = run_chunks<4>(src, dst, n, len, atansse::atan4, redo);
        }
    }
#endif
    for (; n < len; ++n) store_elem(dst, n, static_cast<F>(std::atan(static_cast<double>(load_elem(src, n)))));
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

VEKS_API VekStatus veksArctan_32f(const Vek32f* pSrc, Vek32f* pDst, int len) { return arctan(pSrc, pDst, len); }
VEKS_API VekStatus veksArctan_32f_I(Vek32f* pSrcDst, int len) { return arctan(pSrcDst, pSrcDst, len); }
VEKS_API VekStatus veksArctan_64f(const Vek64f* pSrc, Vek64f* pDst, int len) { return arctan(pSrc, pDst, len); }
VEKS_API VekStatus veksArctan_64f_I(Vek64f* pSrcDst, int len) { return arctan(pSrcDst, pSrcDst, len); }
