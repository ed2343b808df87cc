// Exponentials. Integer members give exp(x) * 2^-sf rounded to nearest (a
// half up), saturated to the type maximum: from compiler-built tables for
// |sf| <= 31, from the 128-bit fixed-point evaluation beyond. Floating-point
// members round the double-precision exponential to the destination.
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/checks.h"
#include "core/core_services.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "core/power_exp_fixed.h"

namespace veks {
namespace {

constexpr int kTableSf = 31;    // tables cover -31 <= sf <= 31
constexpr int kTableXMin = -22; // below: 0 for every tabulated sf

// x beyond XMax saturates for every tabulated sf.
template <class T> constexpr int table_x_max = 0;
template <> inline constexpr int table_x_max<Vek16s> = 32; // exp(33) * 2^-31 > 32767
template <> inline constexpr int table_x_max<Vek32s> = 44; // exp(45) * 2^-31 > 2^31

template <class T> constexpr std::uint64_t exp_cap = static_cast<std::uint64_t>(std::numeric_limits<T>::max());

template <class T>
using ExpTable = std::array<std::array<T, table_x_max<T> - kTableXMin + 1>, 2 * kTableSf + 1>;

template <class T>
constexpr ExpTable<T> make_exp_table() {
    ExpTable<T> t{};
    for (int x = kTableXMin; x <= table_x_max<T>; ++x) {
        const expfix::Power2 p = expfix::exp_of_integer(x);
        for (int sf = -kTableSf; sf <= kTableSf; ++sf)
            t[sf + kTableSf][x - kTableXMin] = static_cast<T>(expfix::round_capped(p.mant, p.exp2 - sf, exp_cap<T>));
    }
    return t;
}

template <class T> struct ExpTables;
template <> struct ExpTables<Vek16s> { static constexpr ExpTable<Vek16s> table = make_exp_table<Vek16s>(); };
template <> struct ExpTables<Vek32s> { static constexpr ExpTable<Vek32s> table = make_exp_table<Vek32s>(); };

template <class T>
void exp_int_kernel(const T* src, T* dst, int len, int sf) {
    constexpr T cap = std::numeric_limits<T>::max();
    if constexpr (sizeof(T) <= 4) {
        if (sf >= -kTableSf && sf <= kTableSf) {
            const auto& row = ExpTables<T>::table[sf + kTableSf];
            for (int n = 0; n < len; ++n) {
                const int x = load_elem(src, n);
                store_elem(dst, n, x > table_x_max<T> ? cap : (x < kTableXMin ? T(0) : row[x - kTableXMin]));
            }
            return;
        }
    }
    for (int n = 0; n < len; ++n) store_elem(dst, n, static_cast<T>(expfix::exp_scaled(load_elem(src, n), sf, exp_cap<T>)));
}

template <class T>
VekStatus exp_int(const T* src, T* dst, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if constexpr (sizeof(T) == 8) {
        // The 64-bit member computes under the control word 0x3FF (all
        // exceptions masked, 64-bit significand, round to nearest).
        const FpuControlGuard fpu(0x3FF);
        exp_int_kernel(src, dst, len, sf);
    } else {
        exp_int_kernel(src, dst, len, sf);
    }
    return vekStsOk;
}

// ln of the largest finite single: above it the result is +INF.
constexpr float kExp32fOverflow = 88.72284f;

template <class S, class D>
VekStatus exp_float(const S* src, D* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if constexpr (sizeof(S) == 4 && sizeof(D) == 4) {
        const float inf = inf32();
        for (int n = 0; n < len; ++n) {
            const float x = load_elem(src, n);
            store_elem(dst, n, x > kExp32fOverflow ? inf : static_cast<float>(std::exp(static_cast<double>(x))));
        }
    } else {
        for (int n = 0; n < len; ++n) store_elem(dst, n, std::exp(static_cast<double>(load_elem(src, n))));
    }
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;


VEKS_EXPORT_UNARY_SFS(Exp, 16s, exp_int)
VEKS_EXPORT_UNARY_SFS(Exp, 32s, exp_int)
VEKS_EXPORT_UNARY_SFS(Exp, 64s, exp_int)
VEKS_EXPORT_UNARY(Exp, 32f, exp_float)
VEKS_EXPORT_UNARY(Exp, 64f, exp_float)
VEKS_API VekStatus veksExp_32f64f(const Vek32f* pSrc, Vek64f* pDst, int len) { return exp_float(pSrc, pDst, len); }
