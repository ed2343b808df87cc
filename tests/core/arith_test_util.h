// Table-driven checkers of the arithmetic tests. Integer references work on
// 128-bit integers; floating references compute in the element precision.
#pragma once

#include <array>
#include <climits>
#include <functional>
#include <string>

#include "core/elem.h"
#include "core_test_util.h"

namespace at {

using vt::i128;
using vt::sat;
template <class T> using comp_t = veks::component_t<T>;
template <class T> constexpr int ncomp = veks::is_complex_v<T> ? 2 : 1;
using Exact = std::array<i128, 2>; // components of an exact integer result

template <class T> comp_t<T> part(const T& v, int k) {
    if constexpr (ncomp<T> == 2) return k ? v.im : v.re;
    else return v;
}
template <class T> void set_part(T& v, int k, comp_t<T> x) {
    if constexpr (ncomp<T> == 2) (k ? v.im : v.re) = x;
    else v = x;
}
template <class T> bool is_zero_value(const T& v) { return part(v, 0) == 0 && part(v, ncomp<T> - 1) == 0; }

// -35..35 and the extremes around every family threshold.
inline std::vector<int> scale_factors() {
    std::vector<int> v = {-100, -65, -64, -63, -62, -61, 40, 60, 61, 62, 63, 64, 65, 100, INT_MIN, INT_MAX};
    for (int sf = -35; sf <= 35; ++sf) v.push_back(sf);
    return v;
}

// Random values, one component in four from the edges (integers) or the specials (floats).
template <class C> C random_component(vt::Rng& rng) {
    using L = std::numeric_limits<C>;
    if constexpr (std::is_floating_point_v<C>) {
        const C specials[] = {C(0), -C(0), C(1), C(-1), L::infinity(), -L::infinity(), L::quiet_NaN(), L::denorm_min(), L::max(), C(3)};
        if (rng.integer<int>(0, 5) == 0) return specials[rng.integer<int>(0, 9)];
        return static_cast<C>(rng.real(-1, 1) * std::pow(2.0, rng.integer<int>(-30, 30)));
    } else {
        const C edges[] = {L::min(), L::max(), C(0), C(1), C(L::max() - 1), C(L::min() + (L::is_signed ? 1 : 0)), C(L::is_signed ? -1 : 2)};
        if (rng.integer<int>(0, 3) == 0) return edges[rng.integer<int>(0, 6)];
        return rng.integer<long long>(L::min(), L::max());
    }
}
template <class T> T random_value(vt::Rng& rng) {
    T v{};
    for (int k = 0; k < ncomp<T>; ++k) set_part(v, k, random_component<comp_t<T>>(rng));
    return v;
}
template <class T> std::vector<T> random_vec(vt::Rng& rng, std::size_t n) {
    std::vector<T> v(n);
    for (auto& x : v) x = random_value<T>(rng);
    return v;
}
// Every component at its lowest: a complex product of two overflows 64-bit intermediates.
template <class T> T minimum_value() {
    T v{};
    for (int k = 0; k < ncomp<T>; ++k) set_part(v, k, std::numeric_limits<comp_t<T>>::lowest());
    return v;
}

// Equal bits, or NaN in the same components (a product of two NaNs has either payload).
template <class T> bool same_value(const T& a, const T& b) {
    for (int k = 0; k < ncomp<T>; ++k) {
        const auto x = part(a, k), y = part(b, k);
        if constexpr (std::is_floating_point_v<comp_t<T>>)
            if (std::isnan(x) && std::isnan(y)) continue;
        if (!vt::same_bits(x, y)) return false;
    }
    return true;
}

// Every member is seen in its scaled shape; members without a scale factor
// ignore it. ref(x, y, sf, warn) is the expected element and sets warn
// where the member must return vekStsDivByZero.
template <class D, class A, class B> using VV = std::function<VekStatus(const A*, const B*, D*, int, int)>;
template <class D, class A> using VVI = std::function<VekStatus(const A*, D*, int, int)>;
template <class T> using VC = std::function<VekStatus(const T*, T, T*, int, int)>;
template <class T> using VCI = std::function<VekStatus(T, T*, int, int)>;
template <class D, class A, class B> using Ref = std::function<D(A, B, int, bool&)>;

struct Opts {
    std::vector<int> sfs = {0};  // Sfs members run every factor of scale_factors()
    bool len_first = false;     // complex run as the real member: length before pointers
    bool overlap = true;        // a real out-of-place form exists to probe overlap with
    bool zero_constant = true;  // a zero constant is valid (else an error after the pointers and the length)
};
const Opts kLenFirst = {{0}, true};
const Opts kNoZeroConstant = {{0}, false, true, false};

// Every element against ref, the warning, the guard zone, in place against out of
// place, and a destination overlapping the second source against single calls.
template <class D, class A, class B>
void check_elements(vt::Rng& rng, const std::vector<A>& a, const std::vector<B>& b, VV<D, A, B> fn, VVI<D, A> fn_i,
                    Ref<D, A, B> ref, const Opts& o) {
    const int n = static_cast<int>(a.size());
    vt::Guarded<D> d(n);
    for (int sf : o.sfs) {
        d.reset();
        const VekStatus st = fn(a.data(), b.data(), d.data(), n, sf);
        bool warn = false;
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(same_value(d[i], ref(a[i], b[i], sf, warn))) << "sf " << sf << " element " << i;
        ASSERT_EQ(st, warn ? vekStsDivByZero : vekStsOk) << "sf " << sf;
        ASSERT_TRUE(d.guard_intact());
        if constexpr (std::is_same_v<B, D>) {
            if (fn_i) {
                std::vector<D> sd = b;
                ASSERT_EQ(fn_i(a.data(), sd.data(), n, sf), st);
                ASSERT_TRUE(std::equal(sd.begin(), sd.end(), d.data(), same_value<D>)) << "in place differs, sf " << sf;
            }
        }
    }
    if constexpr (std::is_same_v<A, D> && std::is_same_v<B, D>) {
        if (o.overlap)
            for (int shift : {-3, -1, 1, 2, 5})
                for (int sf : {0, 1, -2}) {
                    std::vector<D> buf = random_vec<D>(rng, 80), want = buf;
                    fn(a.data(), buf.data() + 10, buf.data() + 10 + shift, 60, sf);
                    for (int i = 0; i < 60; ++i) fn(a.data() + i, want.data() + 10 + i, want.data() + 10 + shift + i, 1, sf);
                    ASSERT_TRUE(std::equal(buf.begin(), buf.end(), want.begin(), same_value<D>)) << "overlap shift " << shift << " sf " << sf;
                }
    }
}

// Vector-vector members: every pair of 8-bit operands, else random ones.
template <class D, class A, class B>
void check_vv(const std::string& name, VV<D, A, B> fn, VVI<D, A> fn_i, Ref<D, A, B> ref, const Opts& o) {
    SCOPED_TRACE(name);
    vt::Rng rng(std::hash<std::string>{}(name));
    std::vector<A> a;
    std::vector<B> b;
    if constexpr (sizeof(A) == 1 && sizeof(B) == 1) {
        for (int x = 0; x < 256; ++x)
            for (int y = 0; y < 256; ++y) a.push_back(A(x)), b.push_back(B(y));
    } else {
        a = random_vec<A>(rng, 3001);
        b = random_vec<B>(rng, 3001);
        a[1] = minimum_value<A>();
        b[1] = minimum_value<B>();
    }
    check_elements(rng, a, b, fn, fn_i, ref, o);
}

// Vector-constant members: zero (when valid), the lowest and six random constants,
// each run as a vector-vector member whose second source is the source.
template <class T>
void check_vc(const std::string& name, VC<T> fn, VCI<T> fn_i, Ref<T, T, T> ref, const Opts& o) {
    SCOPED_TRACE(name);
    vt::Rng rng(std::hash<std::string>{}(name));
    std::vector<T> a = random_vec<T>(rng, sizeof(T) == 1 ? 256 : 1001);
    if constexpr (sizeof(T) == 1)
        for (int i = 0; i < 256; ++i) a[i] = T(i);
    a.push_back(minimum_value<T>());
    std::vector<T> vals = {T{}, minimum_value<T>()};
    if constexpr (std::is_signed_v<T>) vals.push_back(T(-1)); // -1 times the minimum saturates
    for (int k = 0; k < 6; ++k) vals.push_back(random_value<T>(rng));
    for (const T& val : vals) {
        if (!o.zero_constant && is_zero_value(val)) continue;
        SCOPED_TRACE(testing::Message() << "constant " << &val - vals.data());
        VVI<T, T> in_place;
        if (fn_i) in_place = [&](const T*, T* sd, int n, int sf) { return fn_i(val, sd, n, sf); };
        check_elements<T, T, T>(rng, a, a, [&](const T*, const T* s, T* d, int n, int sf) { return fn(s, val, d, n, sf); },
                                in_place, [&](T, T y, int sf, bool& w) { return ref(y, val, sf, w); }, o);
    }
}

// A member's element types and scale-factor use, from its function pointer.
template <class F> struct Sig;
template <class A, class B, class D, class... S> struct Sig<VekStatus (*)(const A*, const B*, D*, int, S...)> {
    using a = A;
    using b = B;
    using d = D;
    static constexpr bool sfs = sizeof...(S) == 1;
    static constexpr bool constant = false;
};
template <class T, class... S> struct Sig<VekStatus (*)(const T*, T, T*, int, S...)> : Sig<VekStatus (*)(const T*, const T*, T*, int, S...)> {
    static constexpr bool constant = true;
};

// Calls a member with a trailing scale factor, dropped for members without one.
template <bool Sfs, class F, class... A> VekStatus call_sf(F fn, int sf, A... args) {
    if constexpr (Sfs) return fn(args..., sf);
    else return fn(args...);
}

template <class Op> auto exact_each(Op op) {
    return [op](auto x, auto y) {
        Exact e{};
        for (int k = 0; k < ncomp<decltype(x)>; ++k) e[k] = op(i128(part(x, k)), i128(part(y, k)));
        return e;
    };
}
inline const auto exact_add = exact_each(std::plus<>());
inline const auto exact_sub = exact_each(std::minus<>()); // x - y
inline const auto exact_sub_rev = [](auto x, auto y) { return exact_sub(y, x); };
inline const auto exact_mul = [](auto x, auto y) {
    if constexpr (ncomp<decltype(x)> == 2 && ncomp<decltype(y)> == 2)
        return Exact{i128(x.re) * y.re - i128(x.im) * y.im, i128(x.re) * y.im + i128(x.im) * y.re};
    else if constexpr (ncomp<decltype(y)> == 2)
        return Exact{i128(x) * y.re, i128(x) * y.im};
    else
        return Exact{i128(x) * y, 0};
};

// A reference as the checkers take it: exact integer results get the scale rule and saturation.
template <class D, class A, class B, class R> Ref<D, A, B> to_ref(R ref) {
    if constexpr (std::is_invocable_r_v<Exact, R, A, B>) {
        return [ref](A x, B y, int sf, bool&) {
            const Exact e = ref(x, y);
            D r{};
            for (int k = 0; k < ncomp<D>; ++k) set_part(r, k, sat<comp_t<D>>(vt::scale_half_even(e[k], sf)));
            return r;
        };
    } else {
        return ref;
    }
}

// The check order of a member and its in-place form (or nullptr).
template <class F, class FI> void expect_pair_checks(F fn, FI fn_i, const sp::Options& o) {
    sp::expect_checks(fn, o);
    if constexpr (!std::is_null_pointer_v<FI>) sp::expect_checks(fn_i, o);
}

// One row: the member, its in-place form (or nullptr) and its reference.
template <class F, class FI, class R> void vv(const char* name, F fn, FI fn_i, R ref, Opts o = {}) {
    using S = Sig<F>;
    using A = typename S::a;
    using B = typename S::b;
    using D = typename S::d;
    if (S::sfs) o.sfs = scale_factors();
    VVI<D, A> in_place;
    if constexpr (!std::is_null_pointer_v<FI>)
        in_place = [fn_i](const A* a, D* d, int n, int sf) { return call_sf<S::sfs>(fn_i, sf, a, d, n); };
    const VV<D, A, B> out_of_place = [fn](const A* a, const B* b, D* d, int n, int sf) { return call_sf<S::sfs>(fn, sf, a, b, d, n); };
    check_vv<D, A, B>(name, out_of_place, in_place, to_ref<D, A, B>(ref), o);
    expect_pair_checks(fn, fn_i, ct::with_other(1, o.len_first ? sp::Order::LenThenPtrs : sp::Order::PtrsThenLen));
}
template <class F, class FI, class R> void vc(const char* name, F fn, FI fn_i, R ref, Opts o = {}) {
    using S = Sig<F>;
    using T = typename S::d;
    if (S::sfs) o.sfs = scale_factors();
    const VC<T> out_of_place = [fn](const T* a, T v, T* d, int n, int sf) { return call_sf<S::sfs>(fn, sf, a, v, d, n); };
    VCI<T> in_place;
    if constexpr (!std::is_null_pointer_v<FI>)
        in_place = [fn_i](T v, T* d, int n, int sf) { return call_sf<S::sfs>(fn_i, sf, v, d, n); };
    check_vc<T>(name, out_of_place, in_place, to_ref<T, T, T>(ref), o);
    expect_pair_checks(fn, fn_i, {sp::Order::PtrsThenLen, {}, -1, 0, 3});
    if (!o.zero_constant) expect_pair_checks(fn, fn_i, {sp::Order::PtrsThenLen, {}, -1, 0, 0, vekStsDivByZeroError});
}

// Row tables: members that share a reference, named by operation and suffix.
template <class F, class FI> struct Member {
    const char* name;
    F fn;
    FI fn_i;
};
template <class F, class FI> Member(const char*, F, FI) -> Member<F, FI>;
#define VEKS_SFS(op, s) at::Member{#op "_" #s "_Sfs", veks##op##_##s##_Sfs, veks##op##_##s##_ISfs}
#define VEKS_SFS_ONLY(op, s) at::Member{#op "_" #s "_Sfs", veks##op##_##s##_Sfs, nullptr}
#define VEKS_PAIR(op, s) at::Member{#op "_" #s, veks##op##_##s, veks##op##_##s##_I}
#define VEKS_ONLY(op, s) at::Member{#op "_" #s, veks##op##_##s, nullptr}
template <class R, class... M> void rows(R ref, const Opts& o, M... members) {
    const auto one = [&](auto m) {
        if constexpr (Sig<decltype(m.fn)>::constant) vc(m.name, m.fn, m.fn_i, ref, o);
        else vv(m.name, m.fn, m.fn_i, ref, o);
    };
    (one(members), ...);
}

// Members that exist only in place, behind an out-of-place shape that copies first.
template <class D, class A, class R> void vv_inplace_only(const char* name, VekStatus (*fi)(const A*, D*, int), R ref) {
    const VV<D, A, D> fn = [fi](const A* a, const D* b, D* d, int n, int) {
        std::copy(b, b + n, d);
        return fi(a, d, n);
    };
    check_vv<D, A, D>(name, fn, {}, to_ref<D, A, D>(ref), {{0}, false, false});
    sp::expect_checks(fi);
}
template <class T, class R> void vc_inplace_only(const char* name, VekStatus (*fi)(T, T*, int), R ref) {
    const VC<T> fn = [fi](const T* s, T v, T* d, int n, int) {
        std::copy(s, s + n, d);
        return fi(v, d, n);
    };
    check_vc<T>(name, fn, {}, to_ref<T, T, T>(ref), {{0}, false, false});
    sp::expect_checks(fi, {sp::Order::PtrsThenLen, {}, -1, 0, 3});
}

// AddProduct members: pSrcDst + pSrc1 * pSrc2 (or * val) against ref(acc, x, y, sf), then the checks.
template <class F, class R> void check_add_product(const char* name, F fn, R ref) {
    using S = Sig<F>;
    using D = typename S::d;
    SCOPED_TRACE(name);
    vt::Rng rng(21);
    const int n = 3000;
    const auto a = random_vec<typename S::a>(rng, n);
    const auto acc = random_vec<D>(rng, n);
    const auto b = random_vec<typename S::b>(rng, n);
    for (int sf : S::sfs ? scale_factors() : std::vector<int>{0}) {
        std::vector<D> sd = acc;
        if constexpr (S::constant) {
            ASSERT_EQ(call_sf<S::sfs>(fn, sf, a.data(), b[0], sd.data(), n), vekStsOk);
        } else {
            ASSERT_EQ(call_sf<S::sfs>(fn, sf, a.data(), b.data(), sd.data(), n), vekStsOk);
        }
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(same_value(sd[i], ref(acc[i], a[i], b[S::constant ? 0 : i], sf))) << "sf " << sf << " element " << i;
    }
    sp::expect_checks(fn);
}

} // namespace at
