// Helpers shared by the statistics tests: the argument-check probe, calls
// built from a signature, random data and the exact 128-bit references.
#pragma once

#include <cstdint>
#include <limits>

#include "core/elem.h"
#include "exact_ref.h"
#include "offset_cases.h"
#include "signature_probe.h"

namespace st {

using vt::i128;
template <class T> using lim = std::numeric_limits<T>;

// A call of fn built from its signature: every pointer gets n random
// elements of its type, the length is n, every other number `value`.
template <class A> A signature_arg(const std::vector<void*>& p, int ordinal, bool is_len, int n, int value) {
    if constexpr (std::is_pointer_v<A>) return static_cast<A>(p[std::size_t(ordinal)]);
    else return A(is_len ? n : value);
}
template <class A> void add_buffer(std::vector<vt::OffsetBuffer>& b, int n) {
    if constexpr (std::is_pointer_v<A>) b.push_back(vt::offset_input<std::remove_const_t<std::remove_pointer_t<A>>>(std::size_t(n)));
}
template <class... Args, std::size_t... I>
vt::OffsetCase signature_case(const char* name, VekStatus (*fn)(Args...), int n, int value, std::index_sequence<I...>) {
    constexpr auto ord = sp::pointer_ordinals<Args...>();
    constexpr int len_at = sp::first_int_arg<Args...>();
    vt::OffsetCase c{name, {}, [=](const std::vector<void*>& p) {
                         return fn(signature_arg<Args>(p, ord[I], int(I) == len_at, n, value)...);
                     }};
    (add_buffer<Args>(c.buffers, n), ...);
    return c;
}
template <class... Args> vt::OffsetCase signature_case(const char* name, VekStatus (*fn)(Args...), int n, int value) {
    return signature_case(name, fn, n, value, std::index_sequence_for<Args...>{});
}

template <class T>
bool same_bits_all(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), vt::same_bits<T>);
}

// A random real or complex element with components in [lo, hi].
template <class T> T random_elem(vt::Rng& r, double lo, double hi) {
    if constexpr (!std::is_arithmetic_v<T>) return T{random_elem<decltype(T{}.re)>(r, lo, hi), random_elem<decltype(T{}.re)>(r, lo, hi)};
    else if constexpr (std::is_integral_v<T>) return r.integer<T>(T(lo), T(hi));
    else return T(r.real(lo, hi));
}

// n values x * 2^e with x in (-1, 1) and e in [-e_max, e_max].
template <class F> std::vector<F> spread(vt::Rng& r, std::size_t n, int e_max) {
    std::vector<F> v(n);
    for (auto& x : v) x = static_cast<F>(std::ldexp(r.real(-1, 1), r.integer(-e_max, e_max)));
    return v;
}

// Integers of a kind: 0 full range, 1 all minimum, 2 all maximum (complex: minimum real parts), 3 small.
template <class T> std::vector<T> ints(vt::Rng& r, int n, int kind) {
    using C = veks::component_t<T>;
    const auto part = [&](C top) {
        return kind == 1 ? lim<C>::min() : kind == 2 ? top : kind == 3 ? C(r.integer(-3, 3)) : r.any<C>();
    };
    std::vector<T> v(static_cast<std::size_t>(n));
    for (auto& x : v)
        if constexpr (std::is_arithmetic_v<T>) x = part(lim<C>::max());
        else x = T{part(lim<C>::min()), part(lim<C>::max())};
    return v;
}

// num / den (den > 0) rounded to nearest, ties away from zero.
inline i128 div_half_away(i128 num, i128 den) {
    const i128 a = num < 0 ? -num : num;
    const i128 q = (2 * a + den) / (2 * den);
    return num < 0 ? -q : q;
}

} // namespace st
