// Helpers shared by the statistics tests: the argument-check probe, a
// scale-factor comparison and exact 128-bit references of the rounding rules.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "exact_ref.h"
#include "signature_probe.h"

namespace st {

using sp::expect_checks;
using sp::Order;

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

// ---- exact references ----------------------------------------------------------------
using vt::div_half_even;
using vt::pow2;
using vt::sat;
using vt::scale_half_even;

// num / den (den > 0) rounded to nearest, ties away from zero.
inline i128 div_half_away(i128 num, i128 den) {
    const i128 a = num < 0 ? -num : num;
    const i128 q = (2 * a + den) / (2 * den);
    return num < 0 ? -q : q;
}

} // namespace st
