// Argument-check probe driven by a function's signature, shared by the
// conversion and statistics tests: every pointer argument is backed by a
// sentinel buffer and made null in turn, the length argument takes bad
// values, and nothing may be written.
#pragma once

#include <algorithm>
#include <array>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "veks_test.h"

namespace sp {

// One argument: a pointer gets a guarded buffer, the length its probe value,
// any other int `other`, any other number `scalar`, anything else zeros.
template <class A, bool = std::is_pointer_v<A>>
struct Slot {
    A get(int, int, bool is_len, int len, int other, double scalar = 0) const {
        if constexpr (std::is_same_v<A, int>) return is_len ? len : other;
        else if constexpr (std::is_arithmetic_v<A>) return static_cast<A>(scalar);
        else return A{};
    }
    bool intact() const { return true; }
    void fill_pattern() {}
    void append_to(std::vector<unsigned char>&) const {}
};
template <class A>
struct Slot<A, true> {
    using T = std::remove_const_t<std::remove_pointer_t<A>>;
    vt::Guarded<T> buf{8};
    A get(int ordinal, int null_ordinal, bool, int, int, double = 0) { return ordinal == null_ordinal ? nullptr : buf.data(); }
    bool intact() const { return buf.intact(); }
    // A fixed byte pattern, and the buffer's bytes, for comparing two runs.
    void fill_pattern() {
        auto* bytes = reinterpret_cast<unsigned char*>(buf.data());
        for (std::size_t k = 0; k < sizeof(T) * 8; ++k) bytes[k] = static_cast<unsigned char>(k * 37 + 11);
    }
    void append_to(std::vector<unsigned char>& out) const {
        const auto* bytes = reinterpret_cast<const unsigned char*>(buf.data());
        out.insert(out.end(), bytes, bytes + sizeof(T) * 8);
    }
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

struct Options {
    Order order = Order::PtrsThenLen;
    std::vector<int> optional = {}; // pointer ordinals that may legitimately be null
    int len_at = -1;                // argument index of the length (-1: the first int)
    int other = 0;                  // value of every other int argument
    double scalar = 0;              // value of every other numeric argument
    VekStatus then = vekStsOk;      // when not Ok: the status of a call with valid pointers and length
    int then_len = 4;               // the length of that call
};

template <class... Args, std::size_t... I>
void expect_checks_impl(VekStatus (*fn)(Args...), const Options& o, std::index_sequence<I...>) {
    std::tuple<Slot<Args>...> slots;
    constexpr auto ord = pointer_ordinals<Args...>();
    const int len_at = o.len_at >= 0 ? o.len_at : first_int_arg<Args...>();
    constexpr int n_ptrs = int((std::is_pointer_v<Args> + ... + 0));
    std::vector<int> probed;
    for (int p = 0; p < n_ptrs; ++p)
        if (std::find(o.optional.begin(), o.optional.end(), p) == o.optional.end()) probed.push_back(p);
    auto call = [&](int nul, int len) {
        const int null_ordinal = nul < 0 ? -1 : probed[nul];
        return fn(std::get<I>(slots).get(ord[I], null_ordinal, int(I) == len_at, len, o.other, o.scalar)...);
    };
    auto intact = [&] { return (std::get<I>(slots).intact() && ...); };
    if (o.order == Order::PtrsThenLen) vt::expect_ptrs_then_len(int(probed.size()), call, intact);
    else vt::expect_len_then_ptrs(int(probed.size()), call, intact);
    if (o.then != vekStsOk) {
        EXPECT_EQ(call(-1, o.then_len), o.then);
        EXPECT_TRUE(intact());
    }
}

template <class... Args>
void expect_checks(VekStatus (*fn)(Args...), const Options& o = {}) {
    expect_checks_impl(fn, o, std::index_sequence_for<Args...>{});
}

// The probe over several members with the same options.
template <class... F>
void expect_checks_all(const Options& o, F... f) {
    int member = 0;
    auto one = [&](auto fn) {
        SCOPED_TRACE(testing::Message() << "member " << member++);
        expect_checks(fn, o);
    };
    (one(f), ...);
}

} // namespace sp
