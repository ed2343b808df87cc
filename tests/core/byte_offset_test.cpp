// Every kernel family of the arithmetic at odd byte offsets.
#include "offset_cases.h"

namespace {

using vt::as;
constexpr int n = 37; // SIMD blocks and a scalar tail

// d = f(s1, s2, extra...) with element types A, B and D.
template <class A, class B, class D, class... E>
vt::OffsetCase binary(const char* name, VekStatus (*fn)(const A*, const B*, D*, int, E...), E... extra) {
    return {name, {vt::offset_input<A>(n), vt::offset_input<B>(n), vt::offset_output<D>(n)},
            [=](const std::vector<void*>& p) { return fn(as<const A>(p[0]), as<const B>(p[1]), as<D>(p[2]), n, extra...); }};
}
// d = f(s, val, extra...).
template <class S, class D, class V, class... E>
vt::OffsetCase with_constant(const char* name, VekStatus (*fn)(const S*, V, D*, int, E...), V val, E... extra) {
    return {name, {vt::offset_input<S>(n), vt::offset_output<D>(n)},
            [=](const std::vector<void*>& p) { return fn(as<const S>(p[0]), val, as<D>(p[1]), n, extra...); }};
}

TEST(ArithOffsets, MatchAligned) {
    const std::vector<vt::OffsetCase> cases = {
        binary("Add_32f", veksAdd_32f), binary("Add_16s_Sfs", veksAdd_16s_Sfs, 1), binary("Mul_16s_Sfs", veksMul_16s_Sfs, 3),
        binary("Mul_16sc_Sfs", veksMul_16sc_Sfs, 4), binary("Mul_Low_32s_Sfs", veksMul_Low_32s_Sfs, 2),
        binary("Mul_32fc", veksMul_32fc), binary("Mul_32f32fc", veksMul_32f32fc), binary("Div_32f", veksDiv_32f),
        binary("Div_32fc", veksDiv_32fc), binary("Div_16s_Sfs", veksDiv_16s_Sfs, -2), binary("AddProduct_32f", veksAddProduct_32f),
        with_constant("AddC_32f", veksAddC_32f, 0.5f), with_constant("DivC_32f", veksDivC_32f, 3.0f),
        with_constant("MulC_32f16s_Sfs", veksMulC_32f16s_Sfs, 7.0f, 1),
        {"Abs_16s", {vt::offset_input<Vek16s>(n), vt::offset_output<Vek16s>(n)},
         [](const std::vector<void*>& p) { return veksAbs_16s(as<const Vek16s>(p[0]), as<Vek16s>(p[1]), n); }},
    };
    for (const auto& c : cases) vt::expect_offset_independent(c);
}

} // namespace
