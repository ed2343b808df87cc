// Floating-point Add, Sub, Mul, Div and their constant forms, AddProduct and
// Abs: each element is one IEEE operation (or the stated complex formula) in
// the element's precision, so results are compared bit for bit.
#include <cmath>

#include "arith_test_util.h"
#include "core/vekcore/vekcore.h"

namespace {

using namespace at;

template <class F> F random_float(vt::Rng& rng) {
    const F specials[] = {F(0), -F(0), F(1), F(-1), std::numeric_limits<F>::infinity(), -std::numeric_limits<F>::infinity(),
                          std::numeric_limits<F>::quiet_NaN(), std::numeric_limits<F>::denorm_min(), std::numeric_limits<F>::max(),
                          F(3)};
    if (rng.integer<int>(0, 5) == 0) return specials[rng.integer<int>(0, 9)];
    return static_cast<F>(rng.real(-1, 1) * std::pow(2.0, rng.integer<int>(-30, 30)));
}
template <class T> T random_value(vt::Rng& rng) {
    if constexpr (std::is_floating_point_v<T>) return random_float<T>(rng);
    else if constexpr (veks::is_complex_v<T> && std::is_floating_point_v<comp_t<T>>) return T{random_float<comp_t<T>>(rng), random_float<comp_t<T>>(rng)};
    else return random_elem<T>(rng);
}
template <class T> std::vector<T> random_values(vt::Rng& rng, int n) {
    std::vector<T> v(n);
    for (auto& x : v) x = random_value<T>(rng);
    return v;
}

// Equal bits, or both NaN in the same components.
template <class T> bool same_value(const T& a, const T& b) {
    for (int k = 0; k < ncomp<T>; ++k) {
        const auto x = part(a, k), y = part(b, k);
        if constexpr (std::is_floating_point_v<comp_t<T>>) {
            if (std::isnan(x) && std::isnan(y)) continue;
        }
        if (!vt::same_bits(x, y)) return false;
    }
    return true;
}

struct FloatOpts {
    bool len_first = false;
    bool overlap = true;
};

// ref(a, b, warn) gives the element and sets warn when the member must
// report vekStsDivByZero.
template <class D, class A, class B, class Ref>
void check_vv(const std::string& name, VekStatus (*fn)(const A*, const B*, D*, int), nondeduced<VekStatus (*)(const A*, D*, int)> fn_i,
              Ref ref, FloatOpts o = {}) {
    SCOPED_TRACE(name);
    vt::Rng rng(std::hash<std::string>{}(name));
    const int n = 2003;
    const auto a = random_values<A>(rng, n);
    const auto b = random_values<B>(rng, n);
    vt::Guarded<D> d(n);
    bool warn = false;
    const VekStatus st = fn(a.data(), b.data(), d.data(), n);
    for (int i = 0; i < n; ++i) ASSERT_TRUE(same_value(d[i], ref(a[i], b[i], warn))) << "element " << i << ": " << vt::bits_of(a[i]) << " " << vt::bits_of(b[i]) << " -> " << vt::bits_of(d[i]);
    EXPECT_EQ(st, warn ? vekStsDivByZero : vekStsOk);
    EXPECT_TRUE(d.guard_intact());
    if constexpr (std::is_same_v<B, D>) {
        if (fn_i) {
            std::vector<D> sd = b;
            EXPECT_EQ(fn_i(a.data(), sd.data(), n), st);
            for (int i = 0; i < n; ++i) ASSERT_TRUE(vt::same_bits(sd[i], d[i])) << "in place, element " << i;
        }
    }
    auto probe = o.len_first ? vt::expect_len_then_ptrs : vt::expect_ptrs_then_len;
    vt::Guarded<D> g(8);
    probe(3, [&](int nul, int len) {
        return fn(vt::ptr_or_null(a.data(), 0, nul), vt::ptr_or_null(b.data(), 1, nul), vt::ptr_or_null(g.data(), 2, nul), len);
    }, [&] { return g.intact(); });
    if constexpr (std::is_same_v<B, D>) {
        if (fn_i)
            probe(2, [&](int nul, int len) { return fn_i(vt::ptr_or_null(a.data(), 0, nul), vt::ptr_or_null(g.data(), 1, nul), len); },
                  [&] { return g.intact(); });
    }
    if constexpr (std::is_same_v<A, D> && std::is_same_v<B, D>) {
        if (o.overlap)
            for (int shift : {-2, 1, 3}) {
                std::vector<D> buf = random_values<D>(rng, 60), want = buf;
                fn(a.data(), buf.data() + 5, buf.data() + 5 + shift, 40);
                for (int i = 0; i < 40; ++i) fn(a.data() + i, want.data() + 5 + i, want.data() + 5 + shift + i, 1);
                for (std::size_t i = 0; i < buf.size(); ++i) ASSERT_TRUE(vt::same_bits(buf[i], want[i])) << "overlap " << shift;
            }
    }
}

template <class T, class Ref>
void check_vc(const std::string& name, VekStatus (*fn)(const T*, T, T*, int), nondeduced<VekStatus (*)(T, T*, int)> fn_i, Ref ref) {
    SCOPED_TRACE(name);
    vt::Rng rng(std::hash<std::string>{}(name));
    const int n = 1001;
    const auto a = random_values<T>(rng, n);
    vt::Guarded<T> d(n);
    for (int c = 0; c < 8; ++c) {
        const T val = c == 0 ? T{} : random_value<T>(rng);
        d.reset();
        bool warn = false;
        const VekStatus st = fn(a.data(), val, d.data(), n);
        for (int i = 0; i < n; ++i) ASSERT_TRUE(same_value(d[i], ref(a[i], val, warn))) << "element " << i;
        EXPECT_EQ(st, warn ? vekStsDivByZero : vekStsOk);
        EXPECT_TRUE(d.guard_intact());
        std::vector<T> sd = a;
        EXPECT_EQ(fn_i(val, sd.data(), n), st);
        for (int i = 0; i < n; ++i) ASSERT_TRUE(vt::same_bits(sd[i], d[i])) << "in place, element " << i;
    }
    const T one = random_value<T>(rng);
    vt::Guarded<T> g(8);
    vt::expect_ptrs_then_len(2, [&](int nul, int len) {
        return fn(vt::ptr_or_null(a.data(), 0, nul), one, vt::ptr_or_null(g.data(), 1, nul), len);
    }, [&] { return g.intact(); });
    vt::expect_ptrs_then_len(1, [&](int nul, int len) { return fn_i(one, vt::ptr_or_null(g.data(), 0, nul), len); },
                             [&] { return g.intact(); });
}

// References in the element precision.
template <class X, class Y> auto f_add(X x, Y y, bool&) {
    if constexpr (ncomp<X> == 2) return X{x.re + y.re, x.im + y.im};
    else return x + y;
}
template <class X, class Y> auto f_sub(X x, Y y, bool&) {
    if constexpr (ncomp<X> == 2) return X{x.re - y.re, x.im - y.im};
    else return x - y;
}
template <class X, class Y> auto f_sub_rev(X x, Y y, bool& w) { return f_sub(y, x, w); }
template <class X, class Y> auto f_mul(X x, Y y, bool&) {
    if constexpr (ncomp<X> == 2) return X{x.re * y.re - x.im * y.im, x.re * y.im + x.im * y.re};
    else if constexpr (ncomp<Y> == 2) return Y{x * y.re, x * y.im};
    else return x * y;
}
// y / x with the zero-divisor values.
template <class X> X f_div_by(X x, X y, bool& warn) {
    if constexpr (ncomp<X> == 2) {
        using F = comp_t<X>;
        const F mag = x.re * x.re + x.im * x.im;
        if (mag == 0) {
            warn = true;
            return X{std::numeric_limits<F>::quiet_NaN(), std::numeric_limits<F>::quiet_NaN()};
        }
        const F s = F(1) / mag;
        return X{(x.re * y.re + x.im * y.im) * s, (x.re * y.im - x.im * y.re) * s};
    } else {
        if (x == 0) {
            warn = true;
            return y > 0 ? std::numeric_limits<X>::infinity() : y < 0 ? -std::numeric_limits<X>::infinity() : std::numeric_limits<X>::quiet_NaN();
        }
        return y / x;
    }
}
template <class X> X f_div(X x, X y, bool& w) { return f_div_by(x, y, w); }
template <class X> X f_divc(X x, X val, bool& w) { // multiplication by the reciprocal
    if constexpr (ncomp<X> == 2) {
        using F = comp_t<X>;
        const F s = F(1) / (val.re * val.re + val.im * val.im);
        return f_mul(x, X{val.re * s, -val.im * s}, w);
    } else {
        return x * (X(1) / val);
    }
}
template <class X> X f_divcrev(X x, X val, bool& w) { return f_div_by(x, val, w); }

} // namespace

TEST(ArithFloat, AddSubMul) {
    check_vv("Add_32f", veksAdd_32f, veksAdd_32f_I, f_add<Vek32f, Vek32f>);
    check_vv("Add_64f", veksAdd_64f, veksAdd_64f_I, f_add<Vek64f, Vek64f>);
    check_vv("Add_32fc", veksAdd_32fc, veksAdd_32fc_I, f_add<Vek32fc, Vek32fc>, {true});
    check_vv("Add_64fc", veksAdd_64fc, veksAdd_64fc_I, f_add<Vek64fc, Vek64fc>, {true});
    check_vv("Add_16s32f", veksAdd_16s32f, nullptr, [](Vek16s x, Vek16s y, bool&) { return Vek32f(x + y); });
    check_vv("Sub_32f", veksSub_32f, veksSub_32f_I, f_sub_rev<Vek32f, Vek32f>);
    check_vv("Sub_64f", veksSub_64f, veksSub_64f_I, f_sub_rev<Vek64f, Vek64f>);
    check_vv("Sub_32fc", veksSub_32fc, veksSub_32fc_I, f_sub_rev<Vek32fc, Vek32fc>, {true});
    check_vv("Sub_64fc", veksSub_64fc, veksSub_64fc_I, f_sub_rev<Vek64fc, Vek64fc>, {true});
    check_vv("Sub_16s32f", veksSub_16s32f, nullptr, [](Vek16s x, Vek16s y, bool&) { return Vek32f(y - x); });
    check_vv("Mul_32f", veksMul_32f, veksMul_32f_I, f_mul<Vek32f, Vek32f>);
    check_vv("Mul_64f", veksMul_64f, veksMul_64f_I, f_mul<Vek64f, Vek64f>);
    check_vv("Mul_32fc", veksMul_32fc, veksMul_32fc_I, f_mul<Vek32fc, Vek32fc>);
    check_vv("Mul_64fc", veksMul_64fc, veksMul_64fc_I, f_mul<Vek64fc, Vek64fc>);
    check_vv("Mul_32f32fc", veksMul_32f32fc, veksMul_32f32fc_I, f_mul<Vek32f, Vek32fc>);
    // One rounding of the exact integer product; a zero product is +0.0.
    check_vv("Mul_16s32f", veksMul_16s32f, nullptr, [](Vek16s x, Vek16s y, bool&) { return Vek32f(std::int64_t(x) * y); });
}

TEST(ArithFloat, Division) {
    check_vv("Div_32f", veksDiv_32f, veksDiv_32f_I, f_div<Vek32f>);
    check_vv("Div_64f", veksDiv_64f, veksDiv_64f_I, f_div<Vek64f>);
    check_vv("Div_32fc", veksDiv_32fc, veksDiv_32fc_I, f_div<Vek32fc>);
    check_vv("Div_64fc", veksDiv_64fc, veksDiv_64fc_I, f_div<Vek64fc>);
    check_vc("DivCRev_32f", veksDivCRev_32f, veksDivCRev_32f_I, f_divcrev<Vek32f>);
}

TEST(ArithFloat, ConstantMembers) {
    // A zero constant copies the source bits (a -0.0 source stays -0.0).
    check_vc("AddC_32f", veksAddC_32f, veksAddC_32f_I, [](Vek32f x, Vek32f v, bool& w) { return v == 0 ? x : f_add(x, v, w); });
    check_vc("AddC_64f", veksAddC_64f, veksAddC_64f_I, f_add<Vek64f, Vek64f>);
    check_vc("AddC_32fc", veksAddC_32fc, veksAddC_32fc_I, f_add<Vek32fc, Vek32fc>);
    check_vc("AddC_64fc", veksAddC_64fc, veksAddC_64fc_I, f_add<Vek64fc, Vek64fc>);
    check_vc("SubC_32f", veksSubC_32f, veksSubC_32f_I, f_sub<Vek32f, Vek32f>);
    check_vc("SubC_64f", veksSubC_64f, veksSubC_64f_I, f_sub<Vek64f, Vek64f>);
    check_vc("SubC_32fc", veksSubC_32fc, veksSubC_32fc_I, f_sub<Vek32fc, Vek32fc>);
    check_vc("SubC_64fc", veksSubC_64fc, veksSubC_64fc_I, f_sub<Vek64fc, Vek64fc>);
    check_vc("SubCRev_32f", veksSubCRev_32f, veksSubCRev_32f_I, f_sub_rev<Vek32f, Vek32f>);
    check_vc("SubCRev_64f", veksSubCRev_64f, veksSubCRev_64f_I, f_sub_rev<Vek64f, Vek64f>);
    check_vc("SubCRev_32fc", veksSubCRev_32fc, veksSubCRev_32fc_I, f_sub_rev<Vek32fc, Vek32fc>);
    check_vc("SubCRev_64fc", veksSubCRev_64fc, veksSubCRev_64fc_I, f_sub_rev<Vek64fc, Vek64fc>);
    check_vc("MulC_32f", veksMulC_32f, veksMulC_32f_I, f_mul<Vek32f, Vek32f>);
    check_vc("MulC_64f", veksMulC_64f, veksMulC_64f_I, f_mul<Vek64f, Vek64f>);
    check_vc("MulC_32fc", veksMulC_32fc, veksMulC_32fc_I, f_mul<Vek32fc, Vek32fc>);
    check_vc("MulC_64fc", veksMulC_64fc, veksMulC_64fc_I, f_mul<Vek64fc, Vek64fc>);
}

// DivC skips its zero constant (an error, tested below), so it has its own loop.
template <class T> void check_divc_float(const char* name, VekStatus (*fn)(const T*, T, T*, int), VekStatus (*fn_i)(T, T*, int)) {
    SCOPED_TRACE(name);
    vt::Rng rng(7);
    const auto a = random_values<T>(rng, 500);
    for (int c = 0; c < 6; ++c) {
        T val = random_value<T>(rng);
        if (veks::is_complex_v<T> ? part(val, 0) * part(val, 0) + part(val, 1) * part(val, 1) == 0 : part(val, 0) == 0) continue;
        vt::Guarded<T> d(500);
        ASSERT_EQ(fn(a.data(), val, d.data(), 500), vekStsOk);
        bool w = false;
        for (int i = 0; i < 500; ++i) ASSERT_TRUE(same_value(d[i], f_divc(a[i], val, w))) << i;
        std::vector<T> sd = a;
        ASSERT_EQ(fn_i(val, sd.data(), 500), vekStsOk);
        EXPECT_TRUE(same_elems(sd.data(), d.data(), 500));
    }
    // A zero constant is an error after the pointer and length checks.
    vt::Guarded<T> g(8);
    std::vector<T> sd = a;
    {
        const T zero{};
        EXPECT_EQ(fn(nullptr, zero, g.data(), 4), vekStsNullPtr);
        EXPECT_EQ(fn(a.data(), zero, g.data(), 0), vekStsBadLength);
        EXPECT_EQ(fn(a.data(), zero, g.data(), 4), vekStsDivByZeroError);
        EXPECT_EQ(fn_i(zero, sd.data(), 4), vekStsDivByZeroError);
    }
    EXPECT_TRUE(g.intact());
    EXPECT_TRUE(same_elems(sd.data(), a.data(), a.size()));
    vt::expect_ptrs_then_len(2, [&](int nul, int len) {
        return fn(vt::ptr_or_null(a.data(), 0, nul), a[1], vt::ptr_or_null(g.data(), 1, nul), len);
    }, [&] { return g.intact(); });
}

TEST(ArithFloat, DivCByReciprocal) {
    check_divc_float("DivC_32f", veksDivC_32f, veksDivC_32f_I);
    check_divc_float("DivC_64f", veksDivC_64f, veksDivC_64f_I);
    check_divc_float("DivC_32fc", veksDivC_32fc, veksDivC_32fc_I);
    check_divc_float("DivC_64fc", veksDivC_64fc, veksDivC_64fc_I);
    // A complex constant whose squared magnitude underflows to zero is zero.
    Vek32fc src[1] = {{1, 1}}, dst[1] = {{5, 5}};
    EXPECT_EQ(veksDivC_32fc(src, Vek32fc{1e-30f, 0}, dst, 1), vekStsDivByZeroError);
    EXPECT_EQ(dst[0].re, 5);
}

TEST(ArithFloat, ZeroDivisorValues) {
    const Vek32f divisor[] = {0.0f, -0.0f, 0.0f, 0.0f, 2.0f};
    const Vek32f dividend[] = {1.0f, -1.0f, 0.0f, NAN, 1.0f};
    Vek32f d[5];
    ASSERT_EQ(veksDiv_32f(divisor, dividend, d, 5), vekStsDivByZero);
    EXPECT_TRUE(vt::same_bits(d[0], vekConstantOfINF_32f));
    EXPECT_TRUE(vt::same_bits(d[1], -vekConstantOfINF_32f));
    EXPECT_TRUE(vt::same_bits(d[2], vekConstantOfNAN_32f));
    EXPECT_TRUE(vt::same_bits(d[3], vekConstantOfNAN_32f));
    EXPECT_EQ(d[4], 0.5f);
    const Vek64fc cz[] = {{0, -0.0}, {1, 0}};
    const Vek64fc cn[] = {{1, 1}, {2, 4}};
    Vek64fc cd[2];
    ASSERT_EQ(veksDiv_64fc(cz, cn, cd, 2), vekStsDivByZero);
    EXPECT_TRUE(vt::same_bits(cd[0].re, vekConstantOfNAN_64f) && vt::same_bits(cd[0].im, vekConstantOfNAN_64f));
    EXPECT_EQ(cd[1].re, 2);
    EXPECT_EQ(cd[1].im, 4);
    // DivCRev with val 0: 0/x for non-zero x, NaN and the warning for zeros.
    const Vek32f x[] = {2.0f, 0.0f, -4.0f};
    Vek32f r[3];
    ASSERT_EQ(veksDivCRev_32f(x, 0.0f, r, 3), vekStsDivByZero);
    EXPECT_TRUE(vt::same_bits(r[0], 0.0f) && vt::same_bits(r[2], -0.0f) && std::isnan(r[1]));
}

TEST(ArithFloat, AddCWithZeroCopiesBits) {
    const std::uint32_t patterns[] = {0x80000000u, 0x7F800001u, 0xFFC12345u, 0x3F800000u};
    Vek32f src[4], dst[4];
    std::memcpy(src, patterns, sizeof src);
    for (Vek32f zero : {0.0f, -0.0f}) {
        ASSERT_EQ(veksAddC_32f(src, zero, dst, 4), vekStsOk);
        EXPECT_EQ(std::memcmp(src, dst, sizeof src), 0);
        Vek32f sd[4];
        std::memcpy(sd, patterns, sizeof sd);
        ASSERT_EQ(veksAddC_32f_I(zero, sd, 4), vekStsOk);
        EXPECT_EQ(std::memcmp(sd, patterns, sizeof sd), 0);
    }
}

template <class T, class Acc>
void check_add_product(const char* name, VekStatus (*fn)(const T*, const T*, T*, int), Acc acc) {
    SCOPED_TRACE(name);
    vt::Rng rng(3);
    const auto a = random_values<T>(rng, 700), b = random_values<T>(rng, 700), c = random_values<T>(rng, 700);
    std::vector<T> sd = c;
    ASSERT_EQ(fn(a.data(), b.data(), sd.data(), 700), vekStsOk);
    for (int i = 0; i < 700; ++i) ASSERT_TRUE(same_value(sd[i], acc(c[i], a[i], b[i]))) << i;
    vt::Guarded<T> g(8);
    vt::expect_ptrs_then_len(3, [&](int nul, int len) {
        return fn(vt::ptr_or_null(a.data(), 0, nul), vt::ptr_or_null(b.data(), 1, nul), vt::ptr_or_null(g.data(), 2, nul), len);
    }, [&] { return g.intact(); });
}

TEST(ArithFloat, AddProductAndAbs) {
    auto acc = [](auto c, auto a, auto b) {
        bool w;
        return f_add(c, f_mul(a, b, w), w);
    };
    check_add_product("AddProduct_32f", veksAddProduct_32f, acc);
    check_add_product("AddProduct_64f", veksAddProduct_64f, acc);
    check_add_product("AddProduct_32fc", veksAddProduct_32fc, acc);
    check_add_product("AddProduct_64fc", veksAddProduct_64fc, acc);
    // AddProductC: pSrcDst += pSrc * val.
    vt::Rng rng(4);
    const auto x = random_values<Vek32f>(rng, 300), acc0 = random_values<Vek32f>(rng, 300);
    const Vek32f val = 0.75f;
    std::vector<Vek32f> sd = acc0;
    ASSERT_EQ(veksAddProductC_32f(x.data(), val, sd.data(), 300), vekStsOk);
    for (int i = 0; i < 300; ++i) ASSERT_TRUE(same_value(sd[i], acc0[i] + x[i] * val)) << i;
    vt::Guarded<Vek32f> g(8);
    vt::expect_ptrs_then_len(2, [&](int nul, int len) {
        return veksAddProductC_32f(vt::ptr_or_null(x.data(), 0, nul), val, vt::ptr_or_null(g.data(), 1, nul), len);
    }, [&] { return g.intact(); });
}

// Abs: the integer minimum maps to the maximum, floats lose the sign bit only.
template <class T> void check_abs(VekStatus (*fn)(const T*, T*, int), VekStatus (*fn_i)(T*, int)) {
    vt::Rng rng(5);
    const auto a = random_values<T>(rng, 999);
    vt::Guarded<T> d(999);
    ASSERT_EQ(fn(a.data(), d.data(), 999), vekStsOk);
    for (int i = 0; i < 999; ++i) {
        if constexpr (std::is_floating_point_v<T>) {
            T want = a[i];
            unsigned char bytes[sizeof(T)];
            std::memcpy(bytes, &want, sizeof(T));
            bytes[sizeof(T) - 1] &= 0x7F;
            std::memcpy(&want, bytes, sizeof(T));
            ASSERT_TRUE(vt::same_bits(d[i], want)) << i;
        } else {
            ASSERT_EQ(d[i], sat<T>(a[i] < 0 ? -i128(a[i]) : i128(a[i]))) << i;
        }
    }
    std::vector<T> sd = a;
    ASSERT_EQ(fn_i(sd.data(), 999), vekStsOk);
    EXPECT_TRUE(same_elems(sd.data(), d.data(), 999));
    EXPECT_TRUE(d.guard_intact());
    vt::Guarded<T> g(8);
    vt::expect_ptrs_then_len(2, [&](int nul, int len) { return fn(vt::ptr_or_null(a.data(), 0, nul), vt::ptr_or_null(g.data(), 1, nul), len); },
                             [&] { return g.intact(); });
    vt::expect_ptrs_then_len(1, [&](int nul, int len) { return fn_i(vt::ptr_or_null(g.data(), 0, nul), len); }, [&] { return g.intact(); });
}

TEST(ArithFloat, AbsEveryMember) {
    check_abs(veksAbs_16s, veksAbs_16s_I);
    check_abs(veksAbs_32s, veksAbs_32s_I);
    check_abs(veksAbs_32f, veksAbs_32f_I);
    check_abs(veksAbs_64f, veksAbs_64f_I);
    Vek32f m0 = -0.0f, r;
    ASSERT_EQ(veksAbs_32f(&m0, &r, 1), vekStsOk);
    EXPECT_TRUE(vt::same_bits(r, 0.0f));
}
