// Shared pieces of the division members: the element loop that applies the
// zero-divisor rule, and the member shapes (two vectors, in place, constant).
#pragma once

#include <limits>

#include "core/arith_kernels.h"

namespace veks::arith {

// The integer result of a zero divisor: 0 for a zero dividend, otherwise
// the destination's maximum or minimum by the dividend's sign.
template <class D, class Y> inline D integer_zero_divisor_value(Y dividend) {
    if constexpr (is_complex_v<D>) {
        return D{0, 0};
    } else {
        using L = std::numeric_limits<D>;
        return dividend > 0 ? L::max() : (dividend < 0 ? L::min() : D(0));
    }
}

// d[i] = quot(dividend[i], divisor[i]), or on_zero(dividend[i]) when the
// divisor is zero; returns the warning when a zero divisor was met.
template <class D, class A, class B, class Quot, class OnZero>
inline VekStatus divide_each(A divisor, B dividend, D* d, Index n, Quot quot, OnZero on_zero) {
    bool zero_met = false;
    for (Index i = 0; i < n; ++i) {
        const auto x = at(divisor, i);
        const auto y = at(dividend, i);
        if (is_zero(x)) {
            zero_met = true;
            store_elem(d, i, on_zero(y));
        } else {
            store_elem(d, i, quot(y, x));
        }
    }
    return zero_met ? vekStsDivByZero : vekStsOk;
}

// Member shapes. A Rule provides run(divisor, dividend, dst, n, sf) for
// vectors and run_const(val, src, dst, n, sf) for a non-zero constant.
template <class Rule, class A, class B, class D>
VekStatus div_vv(const A* s1, const B* s2, D* d, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s1, s2, d));
    return Rule::run(s1, s2, d, len, sf);
}
template <class Rule, class T>
VekStatus div_vv_i(const T* s, T* sd, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s, sd));
    return Rule::run(s, sd, sd, len, sf);
}
template <class Rule, class T>
VekStatus divc(const T* s, T val, T* d, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s, d));
    if (is_zero(val)) return vekStsDivByZeroError;
    if (Rule::copies_on(val, sf)) {
        copy_bytes_ascending(s, d, static_cast<std::size_t>(len) * sizeof(T));
        return vekStsOk;
    }
    return Rule::run_const(val, s, d, len, sf);
}
template <class Rule, class T>
VekStatus divc_i(T val, T* sd, int len, int sf) {
    VEKS_CHECK(check_ptrs_len(len, sd));
    if (is_zero(val)) return vekStsDivByZeroError;
    if (Rule::copies_on(val, sf)) return vekStsOk;
    return Rule::run_const(val, sd, sd, len, sf);
}

} // namespace veks::arith
