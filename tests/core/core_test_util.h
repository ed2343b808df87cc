// Helpers of the core tests: a check-order probe that takes the call with
// its real arguments, and in place against out of place.
#pragma once

#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "veks_test.h"

namespace ct {

// Marks the length argument of a probed call.
struct Len {};
constexpr Len kLen{};

template <class T> struct is_guarded : std::false_type {};
template <class T> struct is_guarded<vt::Guarded<T>> : std::true_type {};
template <class A> constexpr bool is_ptr_arg = std::is_pointer_v<A> || is_guarded<A>::value;

// Argument as passed: pointer number k null when k == nul, Len as len.
template <class A, class B = std::remove_cv_t<A>> auto pass(A& a, int k, int nul, int len) {
    if constexpr (std::is_same_v<B, Len>) return len;
    else if constexpr (is_guarded<B>::value) return k == nul ? decltype(a.data())(nullptr) : a.data();
    else if constexpr (std::is_pointer_v<B>) return k == nul ? B(nullptr) : a;
    else return B(a);
}

template <class F, class Tuple, std::size_t... I>
VekStatus call_probe(F fn, Tuple& t, int nul, int len, std::index_sequence<I...>) {
    const bool ptr[] = {is_ptr_arg<std::decay_t<std::tuple_element_t<I, Tuple>>>..., false};
    int before[sizeof...(I) + 1] = {0};
    for (std::size_t i = 0; i < sizeof...(I); ++i) before[i + 1] = before[i] + ptr[i];
    return fn(pass(std::get<I>(t), before[I], nul, len)...);
}

template <class A> bool intact(const A& a) {
    if constexpr (is_guarded<A>::value) return a.intact();
    else return true;
}

// fn(args...) with each pointer argument (raw or a Guarded output) null in
// turn and bad lengths at kLen: vt::expect_ptrs_then_len, or with len_first
// vt::expect_len_then_ptrs; Guarded outputs must keep their sentinels.
template <class F, class... A>
void expect_checks_in_order(bool len_first, F fn, A&&... args) {
    std::tuple<std::conditional_t<is_guarded<std::decay_t<A>>::value, A, std::decay_t<A>>...> t(std::forward<A>(args)...);
    constexpr int n_ptrs = (0 + ... + int(is_ptr_arg<std::decay_t<A>>));
    auto call = [&](int nul, int len) { return call_probe(fn, t, nul, len, std::index_sequence_for<A...>{}); };
    auto ok = [&] { return std::apply([](const auto&... a) { return (true && ... && intact(a)); }, t); };
    (len_first ? vt::expect_len_then_ptrs : vt::expect_ptrs_then_len)(n_ptrs, call, ok);
}
template <class F, class... A> void expect_checks(F fn, A&&... args) {
    expect_checks_in_order(false, fn, std::forward<A>(args)...);
}

// The out-of-place and in-place members agree bit for bit and in status.
template <class T, class... A>
void expect_inplace_matches(VekStatus (*fn)(const T*, T*, int, A...), VekStatus (*fi)(T*, int, A...),
                            const std::vector<T>& src, A... extra) {
    const int n = static_cast<int>(src.size());
    std::vector<T> out(src.size()), ip = src;
    EXPECT_EQ(fn(src.data(), out.data(), n, extra...), fi(ip.data(), n, extra...));
    for (int i = 0; i < n; ++i) ASSERT_TRUE(vt::same_bits(out[i], ip[i])) << "element " << i;
}

// Check order of a unary pair fn(pSrc, pDst, len, extra...) and fi(pSrcDst, len, extra...).
template <class S, class D, class... A, class... B>
void expect_unary_checks(VekStatus (*fn)(const S*, D*, int, A...), B... extra) {
    vt::Guarded<D> d(4);
    std::vector<S> s(4);
    expect_checks(fn, s.data(), d, kLen, extra...);
}
template <class T, class... A, class... B>
void expect_inplace_checks(VekStatus (*fi)(T*, int, A...), B... extra) {
    vt::Guarded<T> d(4);
    expect_checks(fi, d, kLen, extra...);
}

} // namespace ct
