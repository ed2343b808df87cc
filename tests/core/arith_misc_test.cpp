// AddProduct of integers, the wrapping Mul_Low, the float-to-Vek16s MulC
// members, and fixed cases of the scale-factor rule.
#include <cmath>

#include "arith_test_util.h"

using namespace at;

namespace {

template <class D, class A>
void check_add_product(const char* name, VekStatus (*fn)(const A*, const A*, D*, int, int), int zero_from = INT_MAX) {
    SCOPED_TRACE(name);
    vt::Rng rng(21);
    const int n = 3000;
    const auto a = random_vec<A>(rng, n), b = random_vec<A>(rng, n);
    const auto acc = random_vec<D>(rng, n);
    for (int sf : scale_factors()) {
        std::vector<D> sd = acc;
        ASSERT_EQ(fn(a.data(), b.data(), sd.data(), n, sf), vekStsOk);
        for (int i = 0; i < n; ++i) {
            const D want = sf >= zero_from ? D(0) : sat<D>(scale_ref(i128(acc[i]) + i128(a[i]) * b[i], sf));
            ASSERT_EQ(sd[i], want) << "sf " << sf << " element " << i;
        }
    }
    vt::Guarded<D> g(8);
    vt::expect_ptrs_then_len(3, [&](int nul, int len) {
        return fn(vt::ptr_or_null(a.data(), 0, nul), vt::ptr_or_null(b.data(), 1, nul), vt::ptr_or_null(g.data(), 2, nul), len, 0);
    }, [&] { return g.intact(); });
}

} // namespace

TEST(ArithMisc, AddProductIntegers) {
    check_add_product("AddProduct_16s_Sfs", veksAddProduct_16s_Sfs, 31); // zeros from 31 on
    check_add_product("AddProduct_32s_Sfs", veksAddProduct_32s_Sfs);
    check_add_product("AddProduct_16s32s_Sfs", veksAddProduct_16s32s_Sfs);
}

TEST(ArithMisc, MulLowWraps) {
    // The 64-bit product shifted (floor, no rounding) and cut to 32 bits.
    vv("Mul_Low_32s_Sfs", veksMul_Low_32s_Sfs, nullptr, [](Vek32s x, Vek32s y, int sf, bool&) {
        const i128 p = i128(x) * y;
        if (sf > 62) return Vek32s(0);
        if (sf < -31) return sat<Vek32s>(p * (i128(1) << 40));
        const i128 shifted = sf >= 0 ? (p - (((p % (i128(1) << sf)) + (i128(1) << sf)) % (i128(1) << sf))) / (i128(1) << sf) : p * (i128(1) << -sf);
        return static_cast<Vek32s>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(shifted)));
    });
}

namespace {
// truncate(p + (p > 0 ? 0.5 : -0.5) + e) in single precision, e = +-2^-23
// when truncate(p) is odd.
int nudged(float p) {
    const float half = p > 0 ? 0.5f : -0.5f;
    const float e = (static_cast<long long>(std::trunc(p)) % 2 != 0) ? (p > 0 ? std::ldexp(1.0f, -23) : -std::ldexp(1.0f, -23)) : 0.0f;
    return static_cast<int>(std::trunc(p + half + e));
}
} // namespace

TEST(ArithMisc, MulCFloatToShort) {
    vt::Rng rng(23);
    std::vector<Vek32f> x(2000);
    for (auto& v : x) v = static_cast<float>(rng.real(-70000, 70000));
    for (int i = 0; i < 40; ++i) x[i] = i * 0.5f - 10.0f; // halves
    x[40] = NAN;
    x[41] = INFINITY;
    x[42] = -INFINITY;
    vt::Guarded<Vek16s> d(2000);
    for (float val : {1.0f, -1.0f, 0.37f, 3.0f}) {
        for (int sf : {-3, -1, 0, 1, 2, 10, 200, -200}) {
            ASSERT_EQ(veksMulC_32f16s_Sfs(x.data(), val, d.data(), 2000, sf), vekStsOk);
            const float v = val * (sf > 150 ? 0.0f : sf < -150 ? INFINITY : std::ldexp(1.0f, -sf));
            for (int i = 0; i < 2000; ++i) {
                const float p = v * x[i];
                const Vek16s want = std::isnan(p) ? 0 : static_cast<Vek16s>(nudged(std::fmin(32767.0f, std::fmax(-32768.0f, p))));
                ASSERT_EQ(d[i], want) << "val " << val << " sf " << sf << " x " << x[i];
            }
        }
        ASSERT_EQ(veksMulC_Low_32f16s(x.data(), val, d.data(), 2000), vekStsOk);
        for (int i = 0; i < 2000; ++i) {
            const float p = val * x[i];
            const Vek16s want = std::isnan(p) ? 0 : sat<Vek16s>(std::fabs(p) >= 2147483648.0f ? (p > 0 ? INT32_MAX : INT32_MIN) : nudged(p));
            ASSERT_EQ(d[i], want) << "val " << val << " x " << x[i];
        }
    }
    EXPECT_TRUE(d.guard_intact());
    // 1.5 -> 2, 2.5 -> 3, -2.5 -> -3: halves leave zero behind.
    const Vek32f h[] = {1.5f, 2.5f, -2.5f, 0.5f};
    Vek16s r[4];
    ASSERT_EQ(veksMulC_Low_32f16s(h, 1.0f, r, 4), vekStsOk);
    EXPECT_EQ(r[0], 2);
    EXPECT_EQ(r[1], 3);
    EXPECT_EQ(r[2], -3);
    EXPECT_EQ(r[3], 1);
    vt::Guarded<Vek16s> g(8);
    vt::expect_ptrs_then_len(2, [&](int nul, int len) {
        return veksMulC_32f16s_Sfs(vt::ptr_or_null(x.data(), 0, nul), 1.0f, vt::ptr_or_null(g.data(), 1, nul), len, 0);
    }, [&] { return g.intact(); });
    vt::expect_ptrs_then_len(2, [&](int nul, int len) {
        return veksMulC_Low_32f16s(vt::ptr_or_null(x.data(), 0, nul), 1.0f, vt::ptr_or_null(g.data(), 1, nul), len);
    }, [&] { return g.intact(); });
}

TEST(ArithMisc, ScaleRuleFixedCases) {
    struct Case { VekStatus (*fn)(const Vek16s*, const Vek16s*, Vek16s*, int, int); Vek16s a, b; int sf; Vek16s want; };
    const Case cases[] = {
        {veksAdd_16s_Sfs, 1, 0, 1, 0},           {veksAdd_16s_Sfs, 1, 2, 1, 2},
        {veksAdd_16s_Sfs, 20000, 20000, -1, 32767}, {veksAdd_16s_Sfs, 1, 0, -16, 32767},
        {veksAdd_16s_Sfs, 0, 0, -16, 0},         {veksAdd_16s_Sfs, 32767, 32767, 16, 1},
        {veksAdd_16s_Sfs, 32767, 32767, 17, 0},  {veksMul_16s_Sfs, -32768, -32768, 0, 32767},
        {veksMul_16s_Sfs, -32768, -32768, 15, 32767}, {veksMul_16s_Sfs, -32768, -32768, 16, 16384},
    };
    for (const Case& c : cases) {
        Vek16s d;
        ASSERT_EQ(c.fn(&c.a, &c.b, &d, 1, c.sf), vekStsOk);
        EXPECT_EQ(d, c.want) << c.a << ", " << c.b << " sf " << c.sf;
    }
    const Vek16sc m{-32768, -32768};
    Vek16sc p;
    ASSERT_EQ(veksMul_16sc_Sfs(&m, &m, &p, 1, 0), vekStsOk);
    EXPECT_EQ(p.re, 0);
    EXPECT_EQ(p.im, 32767);
    const Vek16s s1[] = {1, 1, -1}, s2[] = {5, -32768, 32767};
    Vek16s diff[3];
    ASSERT_EQ(veksSub_16s(s1, s2, diff, 3), vekStsOk);
    EXPECT_EQ(diff[0], 4);
    EXPECT_EQ(diff[1], -32768);
    EXPECT_EQ(diff[2], 32767);
    // The family threshold writes zeros where the rule alone would not.
    const Vek16s big = 32767;
    Vek16s acc = 32767;
    ASSERT_EQ(veksAddProduct_16s_Sfs(&big, &big, &acc, 1, 31), vekStsOk);
    EXPECT_EQ(acc, 0);
    // Complex members run as the real member check the length first.
    EXPECT_EQ(veksAdd_32fc(nullptr, nullptr, nullptr, 0), vekStsBadLength);
    EXPECT_EQ(veksAdd_32f(nullptr, nullptr, nullptr, 0), vekStsNullPtr);
}

TEST(ArithMisc, ComplexProductOfMinimaAtEveryScale) {
    // The imaginary part 2 * min^2 passes the wide range; the results still
    // follow the rule applied to the exact value.
    const Vek32sc m32{INT32_MIN, INT32_MIN};
    const Vek16sc m16{-32768, -32768};
    for (int sf : scale_factors()) {
        Vek32sc p32;
        Vek16sc p16;
        ASSERT_EQ(veksMul_32sc_Sfs(&m32, &m32, &p32, 1, sf), vekStsOk);
        ASSERT_EQ(veksMulC_16sc_Sfs(&m16, m16, &p16, 1, sf), vekStsOk);
        const Exact e32 = exact_mul(m32, m32), e16 = exact_mul(m16, m16);
        EXPECT_EQ(p32.re, sat<Vek32s>(scale_ref(e32[0], sf))) << sf;
        EXPECT_EQ(p32.im, sat<Vek32s>(scale_ref(e32[1], sf))) << sf;
        EXPECT_EQ(p16.re, sat<Vek16s>(scale_ref(e16[0], sf))) << sf;
        EXPECT_EQ(p16.im, sat<Vek16s>(scale_ref(e16[1], sf))) << sf;
    }
}

TEST(ArithMisc, ZeroConstantCopiesSource) {
    // With overlap the copy walks upward, as element-by-element processing does.
    std::vector<Vek16u> buf = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(veksAddC_16u_Sfs(buf.data(), 0, buf.data() + 1, 6, 0), vekStsOk);
    EXPECT_EQ(buf, (std::vector<Vek16u>{1, 1, 1, 1, 1, 1, 1, 8}));
    const Vek32sc src[] = {{-5, 7}, {INT32_MIN, INT32_MAX}};
    Vek32sc dst[2];
    ASSERT_EQ(veksSubC_32sc_Sfs(src, Vek32sc{0, 0}, dst, 2, 0), vekStsOk);
    EXPECT_TRUE(same_elems(src, dst, 2));
}
