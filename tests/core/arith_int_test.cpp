// Integer members against the 128-bit reference of the scale-factor rule; the
// wrapping Mul_Low and the float-to-Vek16s MulC members.
#include "arith_test_util.h"

using namespace at;

// truncate(p + (p > 0 ? 0.5 : -0.5) + e) in single precision, e = +-2^-23
// when truncate(p) is odd.
static int nudged(float p) {
    const float half = p > 0 ? 0.5f : -0.5f;
    const float e = (static_cast<long long>(std::trunc(p)) % 2 != 0) ? (p > 0 ? std::ldexp(1.0f, -23) : -std::ldexp(1.0f, -23)) : 0.0f;
    return static_cast<int>(std::trunc(p + half + e));
}

TEST(ArithInt, EveryMemberAgainstItsReference) {
    rows(exact_add, {}, VEKS_SFS(Add, 8u), VEKS_SFS(Add, 16s), VEKS_SFS(Add, 16u), VEKS_SFS(Add, 32s), VEKS_ONLY(Add, 8u16u),
         VEKS_PAIR(Add, 16s), VEKS_ONLY(Add, 16u), VEKS_ONLY(Add, 32u));
    rows(exact_add, kLenFirst, VEKS_SFS(Add, 16sc), VEKS_SFS(Add, 32sc));
    vv_inplace_only("Add_16s32s_I", veksAdd_16s32s_I, exact_add);
    rows(exact_sub_rev, {}, VEKS_SFS(Sub, 8u), VEKS_SFS(Sub, 16u), VEKS_SFS(Sub, 32s), VEKS_PAIR(Sub, 16s), VEKS_SFS(Sub, 16s));
    rows(exact_sub_rev, kLenFirst, VEKS_SFS(Sub, 16sc), VEKS_SFS(Sub, 32sc));
    rows(exact_mul, {}, VEKS_SFS(Mul, 8u), VEKS_SFS(Mul, 16u), VEKS_SFS(Mul, 32s), VEKS_ONLY(Mul, 8u16u), VEKS_PAIR(Mul, 16s),
         VEKS_SFS(Mul, 16s), VEKS_SFS_ONLY(Mul, 16s32s), VEKS_SFS_ONLY(Mul, 16u16s), VEKS_SFS(Mul, 16sc), VEKS_SFS(Mul, 32sc),
         VEKS_SFS(Mul, 32s32sc));
    rows(exact_add, {}, VEKS_SFS(AddC, 8u), VEKS_SFS(AddC, 16u), VEKS_SFS(AddC, 32s), VEKS_SFS(AddC, 16s), VEKS_SFS(AddC, 16sc),
         VEKS_SFS(AddC, 32sc));
    rows(exact_sub, {}, VEKS_SFS(SubC, 8u), VEKS_SFS(SubC, 16u), VEKS_SFS(SubC, 32s), VEKS_SFS(SubC, 16sc), VEKS_SFS(SubC, 32sc),
         VEKS_SFS(SubC, 16s));
    rows(exact_sub_rev, {}, VEKS_SFS(SubCRev, 8u), VEKS_SFS(SubCRev, 16u), VEKS_SFS(SubCRev, 16s), VEKS_SFS(SubCRev, 32s),
         VEKS_SFS(SubCRev, 16sc), VEKS_SFS(SubCRev, 32sc));
    rows(exact_mul, {}, VEKS_SFS(MulC, 8u), VEKS_SFS(MulC, 16u), VEKS_SFS(MulC, 32s), VEKS_SFS(MulC, 16sc), VEKS_SFS(MulC, 32sc),
         VEKS_SFS(MulC, 16s));
    vc_inplace_only("AddC_16s_I", veksAddC_16s_I, exact_add);
    vc_inplace_only("SubC_16s_I", veksSubC_16s_I, exact_sub);
    vc_inplace_only("MulC_16s_I", veksMulC_16s_I, exact_mul);
    const auto exact = [](auto acc, auto x, auto y, int sf) { return sat<decltype(acc)>(vt::scale_half_even(i128(acc) + i128(x) * y, sf)); };
    // The 16-bit member writes zeros from scale factor 31 on.
    check_add_product("AddProduct_16s_Sfs", veksAddProduct_16s_Sfs, [&](auto acc, auto x, auto y, int sf) {
        return sf >= 31 ? Vek16s(0) : exact(acc, x, y, sf);
    });
    check_add_product("AddProduct_32s_Sfs", veksAddProduct_32s_Sfs, exact);
    check_add_product("AddProduct_16s32s_Sfs", veksAddProduct_16s32s_Sfs, exact);
    // The 64-bit product shifted (floor, no rounding) and cut to 32 bits.
    vv("Mul_Low_32s_Sfs", veksMul_Low_32s_Sfs, nullptr, [](Vek32s x, Vek32s y, int sf, bool&) {
        const i128 p = i128(x) * y;
        if (sf > 62) return Vek32s(0);
        if (sf < -31) return sat<Vek32s>(p * (i128(1) << 40));
        const i128 shifted = sf >= 0 ? (p - (((p % (i128(1) << sf)) + (i128(1) << sf)) % (i128(1) << sf))) / (i128(1) << sf) : p * (i128(1) << -sf);
        return static_cast<Vek32s>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(shifted)));
    });
    vt::Rng rng(23);
    std::vector<Vek32f> x(1997);
    for (auto& v : x) v = static_cast<float>(rng.real(-70000, 70000));
    for (int i = 0; i < 40; ++i) x[i] = i * 0.5f - 10.0f; // halves
    x.insert(x.begin() + 40, {NAN, INFINITY, -INFINITY});
    for (float val : {1.0f, -1.0f, 0.37f, 3.0f}) {
        SCOPED_TRACE(val);
        check_elements<Vek16s, Vek32f, Vek32f>(rng, x, x, [val](const Vek32f* s, const Vek32f*, Vek16s* d, int n, int sf) {
            return veksMulC_32f16s_Sfs(s, val, d, n, sf);
        }, {}, [val](Vek32f s, Vek32f, int sf, bool&) {
            const float p = val * (sf > 150 ? 0.0f : sf < -150 ? INFINITY : std::ldexp(1.0f, -sf)) * s;
            return std::isnan(p) ? Vek16s(0) : static_cast<Vek16s>(nudged(std::fmin(32767.0f, std::fmax(-32768.0f, p))));
        }, {{-3, -1, 0, 1, 2, 10, 200, -200}});
        check_elements<Vek16s, Vek32f, Vek32f>(rng, x, x, [val](const Vek32f* s, const Vek32f*, Vek16s* d, int n, int) {
            return veksMulC_Low_32f16s(s, val, d, n);
        }, {}, [val](Vek32f s, Vek32f, int, bool&) {
            const float p = val * s;
            return std::isnan(p) ? Vek16s(0) : sat<Vek16s>(std::fabs(p) >= 2147483648.0f ? (p > 0 ? INT32_MAX : INT32_MIN) : nudged(p));
        }, {});
    }
    sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, 0, 1}, veksMulC_32f16s_Sfs, veksMulC_Low_32f16s);
}
