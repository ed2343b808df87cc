// Helpers shared by the statistics tests: the argument-check probe, a
// scale-factor comparison and exact 128-bit references of the rounding rules.
#pragma once

#include <cstdint>
#include <limits>

#include "exact_ref.h"
#include "signature_probe.h"

namespace st {

using vt::i128;
template <class T> using lim = std::numeric_limits<T>;

// Runs fn on fixed 8-element inputs with its last argument (the scale
// factor) at sf_a and then at sf_b; true when the outputs agree bytewise.
template <class... Args, std::size_t... I>
bool same_output_impl(VekStatus (*fn)(Args...), int sf_a, int sf_b, std::index_sequence<I...>) {
    std::tuple<sp::Slot<Args>...> slots;
    constexpr int len_at = sp::first_int_arg<Args...>(), sf_at = int(sizeof...(Args)) - 1;
    auto run = [&](int sf) {
        (std::get<I>(slots).fill_pattern(), ...);
        const VekStatus sts = fn(std::get<I>(slots).get(0, -1, int(I) == len_at, 8, int(I) == sf_at ? sf : 0)...);
        std::vector<unsigned char> out;
        (std::get<I>(slots).append_to(out), ...);
        out.push_back(static_cast<unsigned char>(sts));
        return out;
    };
    return run(sf_a) == run(sf_b);
}

template <class... Args>
bool same_output(VekStatus (*fn)(Args...), int sf_a, int sf_b) {
    return same_output_impl(fn, sf_a, sf_b, std::index_sequence_for<Args...>{});
}

// Element-wise bit-exact comparison of two vectors.
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

// num / den (den > 0) rounded to nearest, ties away from zero.
inline i128 div_half_away(i128 num, i128 den) {
    const i128 a = num < 0 ? -num : num;
    const i128 q = (2 * a + den) / (2 * den);
    return num < 0 ? -q : q;
}

} // namespace st
