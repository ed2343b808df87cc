// Every kernel family of the arithmetic at odd byte offsets.
#include "offset_cases.h"

namespace {

using vt::as;
constexpr int n = 37; // SIMD blocks and a scalar tail

// d = f(s1, s2) with element types A, B and D; extra arguments bound by the caller.
template <class A, class B, class D, class Fn>
vt::OffsetCase binary(const char* name, Fn fn, double lo = -1000, double hi = 1000) {
    return {name, {vt::offset_input<A>(n, lo, hi), vt::offset_input<B>(n, lo, hi), vt::offset_output<D>(n)},
            [fn](const std::vector<void*>& p) { return fn(as<const A>(p[0]), as<const B>(p[1]), as<D>(p[2]), n); }};
}

TEST(ArithOffsets, MatchAligned) {
    const std::vector<vt::OffsetCase> cases = {
        binary<Vek32f, Vek32f, Vek32f>("Add_32f", veksAdd_32f),
        binary<Vek16s, Vek16s, Vek16s>("Add_16s_Sfs", [](auto a, auto b, auto d, int len) { return veksAdd_16s_Sfs(a, b, d, len, 1); }),
        binary<Vek16s, Vek16s, Vek16s>("Mul_16s_Sfs", [](auto a, auto b, auto d, int len) { return veksMul_16s_Sfs(a, b, d, len, 3); }),
        binary<Vek16sc, Vek16sc, Vek16sc>("Mul_16sc_Sfs", [](auto a, auto b, auto d, int len) { return veksMul_16sc_Sfs(a, b, d, len, 4); }),
        binary<Vek32s, Vek32s, Vek32s>("Mul_Low_32s_Sfs", [](auto a, auto b, auto d, int len) { return veksMul_Low_32s_Sfs(a, b, d, len, 2); }),
        binary<Vek32fc, Vek32fc, Vek32fc>("Mul_32fc", veksMul_32fc),
        binary<Vek32f, Vek32fc, Vek32fc>("Mul_32f32fc", veksMul_32f32fc),
        binary<Vek32f, Vek32f, Vek32f>("Div_32f", veksDiv_32f),
        binary<Vek32fc, Vek32fc, Vek32fc>("Div_32fc", veksDiv_32fc),
        binary<Vek16s, Vek16s, Vek16s>("Div_16s_Sfs", [](auto a, auto b, auto d, int len) { return veksDiv_16s_Sfs(a, b, d, len, -2); }),
        binary<Vek32f, Vek32f, Vek32f>("AddProduct_32f", [](auto a, auto b, auto d, int len) { return veksAddProduct_32f(a, b, d, len); }),
        {"AddC_32f", {vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(n)},
         [](const std::vector<void*>& p) { return veksAddC_32f(as<const Vek32f>(p[0]), 0.5f, as<Vek32f>(p[1]), n); }},
        {"DivC_32f", {vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(n)},
         [](const std::vector<void*>& p) { return veksDivC_32f(as<const Vek32f>(p[0]), 3.0f, as<Vek32f>(p[1]), n); }},
        {"MulC_32f16s_Sfs", {vt::offset_input<Vek32f>(n), vt::offset_output<Vek16s>(n)},
         [](const std::vector<void*>& p) { return veksMulC_32f16s_Sfs(as<const Vek32f>(p[0]), 7.0f, as<Vek16s>(p[1]), n, 1); }},
        {"Abs_16s", {vt::offset_input<Vek16s>(n), vt::offset_output<Vek16s>(n)},
         [](const std::vector<void*>& p) { return veksAbs_16s(as<const Vek16s>(p[0]), as<Vek16s>(p[1]), n); }},
    };
    for (const auto& c : cases) vt::expect_offset_independent(c);
}

} // namespace
