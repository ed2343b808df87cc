// Reference arithmetic and table-driven checkers for the arithmetic tests.
// References work on 128-bit integers, so no intermediate can overflow.
#pragma once

#include <array>
#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/elem.h"
#include "veks_test.h"

namespace at {

using i128 = __int128;
template <class T> using comp_t = veks::component_t<T>;
template <class T> constexpr int ncomp = veks::is_complex_v<T> ? 2 : 1;
using Exact = std::array<i128, 2>; // components of an exact result

template <class T> comp_t<T> part(const T& v, int k) {
    if constexpr (ncomp<T> == 2) return k ? v.im : v.re;
    else return v;
}
template <class T> void set_part(T& v, int k, comp_t<T> x) {
    if constexpr (ncomp<T> == 2) (k ? v.im : v.re) = x;
    else v = x;
}

// The scale-factor rule: v / 2^sf rounded half to even, or v * 2^-sf.
inline i128 scale_ref(i128 v, long long sf) {
    if (sf == 0) return v;
    if (sf > 0) {
        if (sf >= 120) return 0;
        const i128 unit = i128(1) << sf;
        i128 q = v / unit, r = v % unit;
        if (r < 0) { r += unit; --q; } // floor division
        const i128 half = unit / 2;
        if (r > half || (r == half && (q & 1))) ++q;
        return q;
    }
    if (v == 0) return 0;
    if (-sf >= 64) return v > 0 ? (i128(1) << 100) : -(i128(1) << 100);
    return v * (i128(1) << -sf);
}

template <class C> C sat(i128 v) {
    using L = std::numeric_limits<C>;
    return v > i128(L::max()) ? L::max() : (v < i128(L::min()) ? L::min() : static_cast<C>(v));
}

inline const std::vector<int>& scale_factors() {
    static const std::vector<int> s = [] {
        std::vector<int> v;
        for (int sf = -35; sf <= 35; ++sf) v.push_back(sf);
        for (int sf : {-100, -65, -64, -63, -62, -61, 40, 60, 61, 62, 63, 64, 65, 100, INT_MIN, INT_MAX}) v.push_back(sf);
        return v;
    }();
    return s;
}

// Random elements, one in four components taken from the type's edges.
template <class C> C random_component(vt::Rng& rng) {
    using L = std::numeric_limits<C>;
    if (rng.integer<int>(0, 3) == 0) {
        const C edges[] = {L::min(), L::max(), C(0), C(1), C(L::max() - 1), C(L::min() + (L::is_signed ? 1 : 0)),
                           C(L::is_signed ? -1 : 2)};
        return edges[rng.integer<int>(0, 6)];
    }
    return rng.integer<long long>(L::min(), L::max());
}
template <class T> T random_elem(vt::Rng& rng) {
    T v{};
    for (int k = 0; k < ncomp<T>; ++k) set_part(v, k, random_component<comp_t<T>>(rng));
    return v;
}
template <class T> std::vector<T> random_vec(vt::Rng& rng, std::size_t n) {
    std::vector<T> v(n);
    for (auto& x : v) x = random_elem<T>(rng);
    return v;
}

template <class T> bool same_elems(const T* a, const T* b, std::size_t n) { return std::memcmp(a, b, n * sizeof(T)) == 0; }

// ---- two vectors, integer results ------------------------------------------------------
template <class D, class A, class B> using SfsVV = std::function<VekStatus(const A*, const B*, D*, int, int)>;
template <class D, class A> using SfsVVI = std::function<VekStatus(const A*, D*, int, int)>;
template <class A, class B> using RefVV = std::function<Exact(A, B)>;

struct IntOpts {
    bool len_first = false;             // complex run as the real member: length before pointers
    int zero_from = INT_MAX;            // family threshold: sf >= zero_from writes zeros
    bool overlap = true;                // a real out-of-place form exists to probe overlap with
    std::vector<int> sfs = scale_factors();
};

// Compares every element against ref scaled by the rule, checks in place
// against out of place, the check order with sentinels, and a destination
// overlapping the second source against element-by-element calls.
template <class D, class A, class B>
void check_int_vv(const std::string& name, SfsVV<D, A, B> fn, SfsVVI<D, A> fn_i, RefVV<A, B> ref, IntOpts o = {}) {
    SCOPED_TRACE(name);
    vt::Rng rng(std::hash<std::string>{}(name));
    std::vector<A> a;
    std::vector<B> b;
    if constexpr (sizeof(A) == 1 && sizeof(B) == 1) { // every pair
        for (int x = 0; x < 256; ++x)
            for (int y = 0; y < 256; ++y) a.push_back(A(x)), b.push_back(B(y));
    } else {
        a = random_vec<A>(rng, 3001);
        b = random_vec<B>(rng, 3001);
    }
    const int n = static_cast<int>(a.size());
    std::vector<Exact> exact(n);
    for (int i = 0; i < n; ++i) exact[i] = ref(a[i], b[i]);
    vt::Guarded<D> d(n);
    for (int sf : o.sfs) {
        d.reset();
        ASSERT_EQ(fn(a.data(), b.data(), d.data(), n, sf), vekStsOk) << "sf " << sf;
        ASSERT_TRUE(d.guard_intact());
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < ncomp<D>; ++k) {
                const auto want = sf >= o.zero_from ? comp_t<D>(0) : sat<comp_t<D>>(scale_ref(exact[i][k], sf));
                ASSERT_EQ(part(d[i], k), want) << "sf " << sf << " element " << i << " component " << k;
            }
        if constexpr (std::is_same_v<B, D>) {
            if (fn_i) {
                std::vector<D> sd = b;
                ASSERT_EQ(fn_i(a.data(), sd.data(), n, sf), vekStsOk);
                ASSERT_TRUE(same_elems(sd.data(), d.data(), n)) << "in place differs, sf " << sf;
            }
        }
    }
    // Check order.
    auto probe = o.len_first ? vt::expect_len_then_ptrs : vt::expect_ptrs_then_len;
    vt::Guarded<D> g(8);
    probe(3, [&](int nul, int len) {
        return fn(vt::ptr_or_null(a.data(), 0, nul), vt::ptr_or_null(b.data(), 1, nul), vt::ptr_or_null(g.data(), 2, nul), len, 1);
    }, [&] { return g.intact(); });
    if constexpr (std::is_same_v<B, D>) {
        if (fn_i)
            probe(2, [&](int nul, int len) {
                return fn_i(vt::ptr_or_null(a.data(), 0, nul), vt::ptr_or_null(g.data(), 1, nul), len, 1);
            }, [&] { return g.intact(); });
    }
    // Overlap: the destination starts a few elements off the second source.
    if constexpr (std::is_same_v<A, D> && std::is_same_v<B, D>) {
        if (o.overlap)
        for (int shift : {-3, -1, 1, 2, 5}) {
            for (int sf : {0, 1, -2}) {
                std::vector<D> buf = random_vec<D>(rng, 80), ref_buf = buf;
                const std::vector<A> src1 = random_vec<A>(rng, 60);
                const int len = 60;
                ASSERT_EQ(fn(src1.data(), buf.data() + 10, buf.data() + 10 + shift, len, sf), vekStsOk);
                for (int i = 0; i < len; ++i) fn(src1.data() + i, ref_buf.data() + 10 + i, ref_buf.data() + 10 + shift + i, 1, sf);
                ASSERT_TRUE(same_elems(buf.data(), ref_buf.data(), buf.size())) << "overlap shift " << shift << " sf " << sf;
            }
        }
    }
}

// ---- vector and constant, integer results ---------------------------------------------
template <class T> using SfsVC = std::function<VekStatus(const T*, T, T*, int, int)>;
template <class T> using SfsVCI = std::function<VekStatus(T, T*, int, int)>;

template <class T>
void check_int_vc(const std::string& name, SfsVC<T> fn, SfsVCI<T> fn_i, RefVV<T, T> ref, IntOpts o = {}) {
    SCOPED_TRACE(name);
    vt::Rng rng(std::hash<std::string>{}(name));
    const int n = sizeof(T) == 1 ? 256 : 1001;
    std::vector<T> a = random_vec<T>(rng, n);
    if constexpr (sizeof(T) == 1)
        for (int i = 0; i < 256; ++i) a[i] = T(i);
    std::vector<T> vals = {T{}};
    for (int k = 0; k < 6; ++k) vals.push_back(random_elem<T>(rng));
    vt::Guarded<T> d(n);
    for (const T& val : vals) {
        for (int sf : o.sfs) {
            d.reset();
            ASSERT_EQ(fn(a.data(), val, d.data(), n, sf), vekStsOk);
            ASSERT_TRUE(d.guard_intact());
            for (int i = 0; i < n; ++i) {
                const Exact e = ref(a[i], val);
                for (int k = 0; k < ncomp<T>; ++k)
                    ASSERT_EQ(part(d[i], k), sat<comp_t<T>>(scale_ref(e[k], sf))) << "sf " << sf << " element " << i;
            }
            if (fn_i) {
                std::vector<T> sd = a;
                ASSERT_EQ(fn_i(val, sd.data(), n, sf), vekStsOk);
                ASSERT_TRUE(same_elems(sd.data(), d.data(), n)) << "in place differs, sf " << sf;
            }
        }
    }
    vt::Guarded<T> g(8);
    vt::expect_ptrs_then_len(2, [&](int nul, int len) {
        return fn(vt::ptr_or_null(a.data(), 0, nul), vals[1], vt::ptr_or_null(g.data(), 1, nul), len, 0);
    }, [&] { return g.intact(); });
    if (fn_i)
        vt::expect_ptrs_then_len(1, [&](int nul, int len) { return fn_i(vals[1], vt::ptr_or_null(g.data(), 0, nul), len, 0); },
                                 [&] { return g.intact(); });
    // Overlap with the destination after and before the source.
    if (o.overlap)
    for (int shift : {-2, 1, 3}) {
        std::vector<T> buf = random_vec<T>(rng, 70), ref_buf = buf;
        ASSERT_EQ(fn(buf.data() + 5, vals[2], buf.data() + 5 + shift, 50, 1), vekStsOk);
        for (int i = 0; i < 50; ++i) fn(ref_buf.data() + 5 + i, vals[2], ref_buf.data() + 5 + shift + i, 1, 1);
        ASSERT_TRUE(same_elems(buf.data(), ref_buf.data(), buf.size())) << "overlap shift " << shift;
    }
}

// Adapters that give members without a scale factor the scaled shape (sf 0).
template <class D, class A, class B> SfsVV<D, A, B> no_sf(VekStatus (*f)(const A*, const B*, D*, int)) {
    return [f](const A* a, const B* b, D* d, int n, int) { return f(a, b, d, n); };
}
template <class D, class A> SfsVVI<D, A> no_sf(VekStatus (*f)(const A*, D*, int)) {
    if (!f) return nullptr;
    return [f](const A* a, D* d, int n, int) { return f(a, d, n); };
}
template <class T> SfsVC<T> no_sf(VekStatus (*f)(const T*, T, T*, int)) {
    return [f](const T* a, T v, T* d, int n, int) { return f(a, v, d, n); };
}
template <class T> SfsVCI<T> no_sf(VekStatus (*f)(T, T*, int)) {
    if (!f) return nullptr;
    return [f](T v, T* d, int n, int) { return f(v, d, n); };
}

} // namespace at

namespace at {

// Row helpers: the member's function pointers decide the element types.
template <class T> struct id { using type = T; };
template <class T> using nondeduced = typename id<T>::type;

template <class D, class A, class B>
void vv(const char* name, VekStatus (*fn)(const A*, const B*, D*, int, int), nondeduced<VekStatus (*)(const A*, D*, int, int)> fn_i,
        nondeduced<Exact (*)(A, B)> ref, IntOpts o = {}) {
    check_int_vv<D, A, B>(name, fn, fn_i ? SfsVVI<D, A>(fn_i) : nullptr, ref, o);
}
template <class D, class A, class B>
void vv(const char* name, VekStatus (*fn)(const A*, const B*, D*, int), nondeduced<VekStatus (*)(const A*, D*, int)> fn_i,
        nondeduced<Exact (*)(A, B)> ref, IntOpts o = {}) {
    o.sfs = {0};
    check_int_vv<D, A, B>(name, no_sf(fn), no_sf(fn_i), ref, o);
}
template <class T>
void vc(const char* name, VekStatus (*fn)(const T*, T, T*, int, int), nondeduced<VekStatus (*)(T, T*, int, int)> fn_i,
        nondeduced<Exact (*)(T, T)> ref, IntOpts o = {}) {
    check_int_vc<T>(name, fn, fn_i ? SfsVCI<T>(fn_i) : nullptr, ref, o);
}
template <class T>
void vc(const char* name, VekStatus (*fn)(const T*, T, T*, int), nondeduced<VekStatus (*)(T, T*, int)> fn_i,
        nondeduced<Exact (*)(T, T)> ref, IntOpts o = {}) {
    o.sfs = {0};
    check_int_vc<T>(name, no_sf(fn), no_sf(fn_i), ref, o);
}

// Exact results, component by component.
template <class X, class Y> Exact ref_add(X x, Y y) {
    Exact e{};
    for (int k = 0; k < ncomp<X>; ++k) e[k] = i128(part(x, k)) + part(y, k);
    return e;
}
template <class X, class Y> Exact ref_sub(X x, Y y) { // x - y
    Exact e{};
    for (int k = 0; k < ncomp<X>; ++k) e[k] = i128(part(x, k)) - part(y, k);
    return e;
}
template <class X, class Y> Exact ref_sub_rev(X x, Y y) { return ref_sub(y, x); }
template <class X, class Y> Exact ref_mul(X x, Y y) {
    if constexpr (ncomp<X> == 2 && ncomp<Y> == 2)
        return {i128(x.re) * y.re - i128(x.im) * y.im, i128(x.re) * y.im + i128(x.im) * y.re};
    else if constexpr (ncomp<Y> == 2)
        return {i128(x) * y.re, i128(x) * y.im};
    else
        return {i128(x) * y, 0};
}

} // namespace at

namespace at {

// The out-of-place shape of a member that exists only in place: copies the
// source-destination operand into the destination first. Null pointers and
// bad lengths go straight to the member, so its checks are what is seen.
template <class D, class A, VekStatus (*F)(const A*, D*, int)>
VekStatus inplace_only_vv_impl(const A* a, const D* b, D* d, int n) {
    if (!a || !b || !d || n < 1) return F(a, b ? d : nullptr, n);
    std::copy(b, b + n, d);
    return F(a, d, n);
}
template <class T, VekStatus (*F)(T, T*, int)>
VekStatus inplace_only_vc_impl(const T* s, T v, T* d, int n) {
    if (!s || !d || n < 1) return F(v, s ? d : nullptr, n);
    std::copy(s, s + n, d);
    return F(v, d, n);
}
template <auto F> struct inplace_traits;
template <class D, class A, VekStatus (*F)(const A*, D*, int)> struct inplace_traits<F> {
    static constexpr auto vv = inplace_only_vv_impl<D, A, F>;
};
template <class T, VekStatus (*F)(T, T*, int)> struct inplace_traits<F> {
    static constexpr auto vc = inplace_only_vc_impl<T, F>;
};
template <auto F> constexpr auto inplace_only_vv = inplace_traits<F>::vv;
template <auto F> constexpr auto inplace_only_vc = inplace_traits<F>::vc;

} // namespace at
