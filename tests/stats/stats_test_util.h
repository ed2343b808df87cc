// Helpers shared by the statistics tests: a generic argument-check probe
// that works from a function's signature, and exact 128-bit references of
// the rounding rules.
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
#include "veks_test.h"

namespace st {

using vt::i128;
template <class T> using lim = std::numeric_limits<T>;

// ---- argument-check probe ----------------------------------------------------------
template <class A, bool = std::is_pointer_v<A>>
struct Slot {
    A get(int, int, bool is_len, int len) const {
        if constexpr (std::is_same_v<A, int>) return is_len ? len : 0;
        else return A{};
    }
    bool intact() const { return true; }
};
template <class A>
struct Slot<A, true> {
    using T = std::remove_const_t<std::remove_pointer_t<A>>;
    vt::Guarded<T> buf{8};
    A get(int ordinal, int null_ordinal, bool, int) { return ordinal == null_ordinal ? nullptr : buf.data(); }
    bool intact() const { return buf.intact(); }
};

template <class... Args>
constexpr auto pointer_ordinals() {
    std::array<int, sizeof...(Args)> ord{};
    const bool is_ptr[] = {std::is_pointer_v<Args>...};
    int k = 0;
    for (std::size_t i = 0; i < sizeof...(Args); ++i) ord[i] = is_ptr[i] ? k++ : -1;
    return ord;
}

template <class... Args>
constexpr int first_int_arg() {
    const bool is_int[] = {std::is_same_v<Args, int>...};
    for (std::size_t i = 0; i < sizeof...(Args); ++i)
        if (is_int[i]) return int(i);
    return -1;
}

enum class Order { PtrsThenLen, LenThenPtrs };

// Probes fn: each pointer argument in turn null (except those listed in
// optional, which may legitimately be null), bad lengths in the first int
// argument, and checks that nothing was written.
template <class... Args, std::size_t... I>
void expect_checks_impl(VekStatus (*fn)(Args...), Order order, std::vector<int> optional, std::index_sequence<I...>) {
    std::tuple<Slot<Args>...> slots;
    constexpr auto ord = pointer_ordinals<Args...>();
    constexpr int len_at = first_int_arg<Args...>();
    constexpr int n_ptrs = int((std::is_pointer_v<Args> + ... + 0));
    std::vector<int> probed;
    for (int p = 0; p < n_ptrs; ++p)
        if (std::find(optional.begin(), optional.end(), p) == optional.end()) probed.push_back(p);
    auto call = [&](int nul, int len) {
        const int null_ordinal = nul < 0 ? -1 : probed[nul];
        return fn(std::get<I>(slots).get(ord[I], null_ordinal, int(I) == len_at, len)...);
    };
    auto intact = [&] { return (std::get<I>(slots).intact() && ...); };
    if (order == Order::PtrsThenLen) vt::expect_ptrs_then_len(int(probed.size()), call, intact);
    else vt::expect_len_then_ptrs(int(probed.size()), call, intact);
}

template <class... Args>
void expect_checks(VekStatus (*fn)(Args...), Order order = Order::PtrsThenLen, std::vector<int> optional = {}) {
    expect_checks_impl(fn, order, std::move(optional), std::index_sequence_for<Args...>{});
}

// Runs fn on fixed 8-element inputs with its last argument (the scale
// factor) at sf_a and then at sf_b; true when the outputs agree bytewise.
template <class... Args, std::size_t... I>
bool same_output_impl(VekStatus (*fn)(Args...), int sf_a, int sf_b, std::index_sequence<I...>) {
    std::tuple<Slot<Args>...> slots;
    constexpr int len_at = first_int_arg<Args...>(), sf_at = int(sizeof...(Args)) - 1;
    auto prepare = [](auto& slot) {
        if constexpr (std::is_pointer_v<decltype(slot.get(0, -1, false, 0))>) {
            auto* bytes = reinterpret_cast<unsigned char*>(slot.buf.data());
            for (std::size_t k = 0; k < 8 * sizeof(*slot.buf.data()); ++k) bytes[k] = static_cast<unsigned char>(k * 37 + 11);
        }
    };
    auto run = [&](int sf) {
        (prepare(std::get<I>(slots)), ...);
        const VekStatus sts = fn([&](auto& slot, int at) {
            if constexpr (std::is_pointer_v<Args>) return slot.get(0, -1, false, 0);
            else if constexpr (std::is_same_v<Args, int>) return at == len_at ? 8 : at == sf_at ? sf : 0;
            else return Args{};
        }(std::get<I>(slots), int(I))...);
        std::vector<unsigned char> out;
        auto keep = [&out](auto& slot) {
            if constexpr (std::is_pointer_v<decltype(slot.get(0, -1, false, 0))>) {
                const auto* bytes = reinterpret_cast<const unsigned char*>(slot.buf.data());
                out.insert(out.end(), bytes, bytes + 8 * sizeof(*slot.buf.data()));
            }
        };
        (keep(std::get<I>(slots)), ...);
        out.push_back(static_cast<unsigned char>(sts));
        return out;
    };
    return run(sf_a) == run(sf_b);
}

template <class... Args>
bool same_output(VekStatus (*fn)(Args...), int sf_a, int sf_b) {
    return same_output_impl(fn, sf_a, sf_b, std::index_sequence_for<Args...>{});
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
