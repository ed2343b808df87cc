// Sum of natural logarithms. Blocks of up to 512 elements multiply their
// mantissas (each in [0.5, 1), so the product stays normal) and sum their
// exponents; each block adds ln(product) + exponents * ln 2 to a double sum.
// The first zero or negative element ends the call.
#include <cmath>

#include "core/checks.h"
#include "core/core_services.h"
#include "core/export.h"
#include "core/unaligned.h"

namespace veks {
namespace {

constexpr int kBlock = 512;
constexpr double kLn2 = 0.6931471805599453;

template <class S, class D>
VekStatus sum_ln(const S* src, int len, D* sum) {
    VEKS_CHECK(check_ptrs_len(len, src, sum));
    double total = 0.0;
    for (int start = 0; start < len; start += kBlock) {
        const int end = len - start < kBlock ? len : start + kBlock;
        double mantissas = 1.0;
        long exponents = 0;
        for (int n = start; n < end; ++n) {
            const double x = static_cast<double>(load_elem(src, n));
            if (x == 0.0) {
                store_elem(sum, 0, -const_inf<D>());
                return vekStsLogZeroArg;
            }
            if (x < 0.0) {
                store_elem(sum, 0, const_nan<D>());
                return vekStsLogNegativeArg;
            }
            int e;
            mantissas *= std::frexp(x, &e);
            exponents += e;
        }
        total += std::log(mantissas) + static_cast<double>(exponents) * kLn2;
    }
    store_elem(sum, 0, static_cast<D>(total));
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

VEKS_API VekStatus veksSumLn_16s32f(const Vek16s* pSrc, int len, Vek32f* pSum) { return sum_ln(pSrc, len, pSum); }
VEKS_API VekStatus veksSumLn_32f(const Vek32f* pSrc, int len, Vek32f* pSum) { return sum_ln(pSrc, len, pSum); }
VEKS_API VekStatus veksSumLn_32f64f(const Vek32f* pSrc, int len, Vek64f* pSum) { return sum_ln(pSrc, len, pSum); }
VEKS_API VekStatus veksSumLn_64f(const Vek64f* pSrc, int len, Vek64f* pSum) { return sum_ln(pSrc, len, pSum); }
