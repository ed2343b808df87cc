// Floating-point members: each element is one IEEE operation (or the stated complex
// formula) in the element's precision, so results are compared bit for bit.
#include "arith_test_util.h"
#include "offset_cases.h"

namespace {

using namespace at;

const auto f_add = [](auto x, auto y, int, bool&) {
    if constexpr (ncomp<decltype(x)> == 2) return decltype(x){x.re + y.re, x.im + y.im};
    else return x + y;
};
const auto f_sub = [](auto x, auto y, int, bool&) {
    if constexpr (ncomp<decltype(x)> == 2) return decltype(x){x.re - y.re, x.im - y.im};
    else return x - y;
};
const auto f_sub_rev = [](auto x, auto y, int sf, bool& w) { return f_sub(y, x, sf, w); };
const auto f_mul = [](auto x, auto y, int, bool&) {
    if constexpr (ncomp<decltype(x)> == 2) return decltype(x){x.re * y.re - x.im * y.im, x.re * y.im + x.im * y.re};
    else if constexpr (ncomp<decltype(y)> == 2) return decltype(y){x * y.re, x * y.im};
    else return x * y;
};
// y / x with the values of a zero divisor.
const auto f_div = [](auto x, auto y, int, bool& warn) {
    using X = decltype(x);
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
};
// DivC: multiplication by the reciprocal formed once.
const auto f_divc = [](auto x, auto val, int sf, bool& w) {
    using X = decltype(x);
    if constexpr (ncomp<X> == 2) {
        using F = comp_t<X>;
        const F s = F(1) / (val.re * val.re + val.im * val.im);
        return f_mul(x, X{val.re * s, -val.im * s}, sf, w);
    } else {
        return x * (X(1) / val);
    }
};

using vt::as;
constexpr int kLen = 37; // SIMD blocks and a scalar tail

template <class A, class B, class D, class... E>
vt::OffsetCase binary(const char* name, VekStatus (*fn)(const A*, const B*, D*, int, E...), E... extra) {
    return {name, {vt::offset_input<A>(kLen), vt::offset_input<B>(kLen), vt::offset_output<D>(kLen)},
            [=](const std::vector<void*>& p) { return fn(as<const A>(p[0]), as<const B>(p[1]), as<D>(p[2]), kLen, extra...); }};
}
template <class S, class D, class V, class... E>
vt::OffsetCase with_constant(const char* name, VekStatus (*fn)(const S*, V, D*, int, E...), V val, E... extra) {
    return {name, {vt::offset_input<S>(kLen), vt::offset_output<D>(kLen)},
            [=](const std::vector<void*>& p) { return fn(as<const S>(p[0]), val, as<D>(p[1]), kLen, extra...); }};
}

} // namespace

TEST(ArithFloat, EveryVectorAndConstantMember) {
    rows(f_add, {}, VEKS_PAIR(Add, 32f), VEKS_PAIR(Add, 64f));
    rows(f_add, kLenFirst, VEKS_PAIR(Add, 32fc), VEKS_PAIR(Add, 64fc));
    rows(f_sub_rev, {}, VEKS_PAIR(Sub, 32f), VEKS_PAIR(Sub, 64f));
    rows(f_sub_rev, kLenFirst, VEKS_PAIR(Sub, 32fc), VEKS_PAIR(Sub, 64fc));
    rows(f_mul, {}, VEKS_PAIR(Mul, 32f), VEKS_PAIR(Mul, 64f), VEKS_PAIR(Mul, 32fc), VEKS_PAIR(Mul, 64fc), VEKS_PAIR(Mul, 32f32fc));
    // Integer sources: the exact integer result rounded once (a zero product is +0.0).
    vv("Add_16s32f", veksAdd_16s32f, nullptr, [](Vek16s x, Vek16s y, int, bool&) { return Vek32f(x + y); });
    vv("Sub_16s32f", veksSub_16s32f, nullptr, [](Vek16s x, Vek16s y, int, bool&) { return Vek32f(y - x); });
    vv("Mul_16s32f", veksMul_16s32f, nullptr, [](Vek16s x, Vek16s y, int, bool&) { return Vek32f(std::int64_t(x) * y); });
    // A zero constant copies the source bits (a -0.0 source stays -0.0).
    vc("AddC_32f", veksAddC_32f, veksAddC_32f_I, [](Vek32f x, Vek32f v, int sf, bool& w) { return v == 0 ? x : f_add(x, v, sf, w); });
    rows(f_add, {}, VEKS_PAIR(AddC, 64f), VEKS_PAIR(AddC, 32fc), VEKS_PAIR(AddC, 64fc));
    rows(f_sub, {}, VEKS_PAIR(SubC, 32f), VEKS_PAIR(SubC, 64f), VEKS_PAIR(SubC, 32fc), VEKS_PAIR(SubC, 64fc));
    rows(f_sub_rev, {}, VEKS_PAIR(SubCRev, 32f), VEKS_PAIR(SubCRev, 64f), VEKS_PAIR(SubCRev, 32fc), VEKS_PAIR(SubCRev, 64fc));
    rows(f_mul, {}, VEKS_PAIR(MulC, 32f), VEKS_PAIR(MulC, 64f), VEKS_PAIR(MulC, 32fc), VEKS_PAIR(MulC, 64fc));
    rows(f_div, {}, VEKS_PAIR(Div, 32f), VEKS_PAIR(Div, 64f), VEKS_PAIR(Div, 32fc), VEKS_PAIR(Div, 64fc), VEKS_PAIR(DivCRev, 32f));
    rows(f_divc, kNoZeroConstant, VEKS_PAIR(DivC, 32f), VEKS_PAIR(DivC, 64f), VEKS_PAIR(DivC, 32fc), VEKS_PAIR(DivC, 64fc));
    // A complex constant whose squared magnitude underflows counts as zero.
    Vek32fc one[1] = {{1, 1}}, out[1] = {{5, 5}};
    EXPECT_EQ(veksDivC_32fc(one, Vek32fc{1e-30f, 0}, out, 1), vekStsDivByZeroError);
    EXPECT_EQ(out[0].re, 5);
    // Bits the NaN-blind reference cannot see: a zero divisor gives the library's
    // NaN, and AddC with -0.0 copies the source bits, signalling NaNs included.
    const Vek32f divisor[] = {0.0f, 0.0f}, dividend[] = {0.0f, NAN};
    Vek32f d[2];
    ASSERT_EQ(veksDiv_32f(divisor, dividend, d, 2), vekStsDivByZero);
    EXPECT_TRUE(vt::same_bits(d[0], vekConstantOfNAN_32f) && vt::same_bits(d[1], vekConstantOfNAN_32f));
    const Vek64fc cz[] = {{0, -0.0}}, cn[] = {{1, 1}};
    Vek64fc cd[1];
    ASSERT_EQ(veksDiv_64fc(cz, cn, cd, 1), vekStsDivByZero);
    EXPECT_TRUE(vt::same_bits(cd[0].re, vekConstantOfNAN_64f) && vt::same_bits(cd[0].im, vekConstantOfNAN_64f));
    const std::uint32_t patterns[] = {0x80000000u, 0x7F800001u, 0xFFC12345u, 0x3F800000u};
    Vek32f src[4], dst[4], sd[4];
    std::memcpy(src, patterns, sizeof src);
    std::memcpy(sd, patterns, sizeof sd);
    ASSERT_EQ(veksAddC_32f(src, -0.0f, dst, 4), vekStsOk);
    ASSERT_EQ(veksAddC_32f_I(-0.0f, sd, 4), vekStsOk);
    EXPECT_TRUE(std::memcmp(src, dst, sizeof src) == 0 && std::memcmp(sd, patterns, sizeof sd) == 0);
}

// Abs: the integer minimum maps to the maximum, floats lose the sign bit only.
template <class T> void check_abs(VekStatus (*fn)(const T*, T*, int), VekStatus (*fn_i)(T*, int)) {
    vt::Rng rng(5);
    const auto a = random_vec<T>(rng, 999);
    vt::Guarded<T> d(999);
    ASSERT_EQ(fn(a.data(), d.data(), 999), vekStsOk);
    for (int i = 0; i < 999; ++i) {
        if constexpr (std::is_floating_point_v<T>) {
            ASSERT_TRUE(vt::same_bits(d[i], std::fabs(a[i]))) << i; // a bit operation, NaN payloads kept
        } else {
            ASSERT_EQ(d[i], sat<T>(a[i] < 0 ? -i128(a[i]) : i128(a[i]))) << i;
        }
    }
    EXPECT_TRUE(d.guard_intact());
    ct::expect_inplace_matches(fn, fn_i, a);
    sp::expect_checks_all({}, fn, fn_i);
}

TEST(ArithFloat, AddProductAndAbsEveryMember) {
    // In the element precision: the product rounded, then the sum.
    const auto ref = [](auto acc, auto x, auto y, int) {
        bool w = false;
        return f_add(acc, f_mul(x, y, 0, w), 0, w);
    };
    check_add_product("AddProduct_32f", veksAddProduct_32f, ref);
    check_add_product("AddProduct_64f", veksAddProduct_64f, ref);
    check_add_product("AddProduct_32fc", veksAddProduct_32fc, ref);
    check_add_product("AddProduct_64fc", veksAddProduct_64fc, ref);
    check_add_product("AddProductC_32f", veksAddProductC_32f, ref);
    check_abs(veksAbs_16s, veksAbs_16s_I);
    check_abs(veksAbs_32s, veksAbs_32s_I);
    check_abs(veksAbs_32f, veksAbs_32f_I);
    check_abs(veksAbs_64f, veksAbs_64f_I);
}

// Destinations of several MiB take the streaming path; an odd start tests its alignment peel.
template <class D, class A, class B, class Ref>
void check_large(VekStatus (*fn)(const A*, const B*, D*, int), Ref ref) {
    vt::Rng rng(9);
    const int n = (5 << 20) / int(sizeof(D)) + 3;
    const auto a = random_vec<A>(rng, n + 1), b = random_vec<B>(rng, n + 1);
    std::vector<D> d(n + 1);
    bool warn = false;
    const VekStatus st = fn(a.data() + 1, b.data() + 1, d.data() + 1, n);
    for (int i = 1; i <= n; ++i) ASSERT_TRUE(same_value(d[i], ref(a[i], b[i], 0, warn))) << i;
    EXPECT_EQ(st, warn ? vekStsDivByZero : vekStsOk);
}

TEST(ArithAddresses, OddOffsetsAndStreamingPeel) {
    check_large(veksAdd_32f, f_add);
    check_large(veksMul_32fc, f_mul);
    check_large(veksDiv_32f, f_div);
    const std::vector<vt::OffsetCase> cases = {
        binary("Add_32f", veksAdd_32f), binary("Add_16s_Sfs", veksAdd_16s_Sfs, 1), binary("Mul_16s_Sfs", veksMul_16s_Sfs, 3),
        binary("Mul_16sc_Sfs", veksMul_16sc_Sfs, 4), binary("Mul_Low_32s_Sfs", veksMul_Low_32s_Sfs, 2),
        binary("Mul_32fc", veksMul_32fc), binary("Mul_32f32fc", veksMul_32f32fc), binary("Div_32f", veksDiv_32f),
        binary("Div_32fc", veksDiv_32fc), binary("Div_16s_Sfs", veksDiv_16s_Sfs, -2), binary("AddProduct_32f", veksAddProduct_32f),
        with_constant("AddC_32f", veksAddC_32f, 0.5f), with_constant("DivC_32f", veksDivC_32f, 3.0f),
        with_constant("MulC_32f16s_Sfs", veksMulC_32f16s_Sfs, 7.0f, 1),
        {"Abs_16s", {vt::offset_input<Vek16s>(kLen), vt::offset_output<Vek16s>(kLen)},
         [](const std::vector<void*>& p) { return veksAbs_16s(as<const Vek16s>(p[0]), as<Vek16s>(p[1]), kLen); }},
    };
    for (const auto& c : cases) vt::expect_offset_independent(c);
}
