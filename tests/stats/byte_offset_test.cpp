// Every kernel family of the statistics at odd byte offsets.
#include "offset_cases.h"

namespace {

using vt::as;
constexpr int n = 37; // SIMD blocks and a scalar tail

// A reduction of one vector into `outs` scalar outputs of type R.
template <class S, class R, class Fn>
vt::OffsetCase reduce(const char* name, Fn fn, double lo = -1000, double hi = 1000) {
    return {name, {vt::offset_input<S>(n, lo, hi), vt::offset_output<R>(1)},
            [fn](const std::vector<void*>& p) { return fn(as<const S>(p[0]), n, as<R>(p[1])); }};
}

TEST(StatsOffsets, MatchAligned) {
    const std::vector<vt::OffsetCase> cases = {
        reduce<Vek32f, Vek32f>("Sum_32f", [](auto s, int len, auto r) { return veksSum_32f(s, len, r); }),
        reduce<Vek16s, Vek16s>("Sum_16s_Sfs", [](auto s, int len, auto r) { return veksSum_16s_Sfs(s, len, r, 2); }),
        reduce<Vek32f, Vek32f>("Mean_32f", [](auto s, int len, auto r) { return veksMean_32f(s, len, r); }),
        reduce<Vek32f, Vek32f>("StdDev_32f", [](auto s, int len, auto r) { return veksStdDev_32f(s, len, r); }),
        reduce<Vek32f, Vek32f>("Norm_L2_32f", [](auto s, int len, auto r) { return veksNorm_L2_32f(s, len, r); }),
        reduce<Vek32f, Vek32f>("Max_32f", [](auto s, int len, auto r) { return veksMax_32f(s, len, r); }),
        {"MaxAbsIndx_16s", {vt::offset_input<Vek16s>(n), vt::offset_output<Vek16s>(1), vt::offset_output<int>(1)},
         [](const std::vector<void*>& p) { return veksMaxAbsIndx_16s(as<const Vek16s>(p[0]), n, as<Vek16s>(p[1]), as<int>(p[2])); }},
        {"MinMax_16s", {vt::offset_input<Vek16s>(n), vt::offset_output<Vek16s>(1), vt::offset_output<Vek16s>(1)},
         [](const std::vector<void*>& p) { return veksMinMax_16s(as<const Vek16s>(p[0]), n, as<Vek16s>(p[1]), as<Vek16s>(p[2])); }},
        {"MinMaxIndx_32f",
         {vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(1), vt::offset_output<int>(1), vt::offset_output<Vek32f>(1),
          vt::offset_output<int>(1)},
         [](const std::vector<void*>& p) {
             return veksMinMaxIndx_32f(as<const Vek32f>(p[0]), n, as<Vek32f>(p[1]), as<int>(p[2]), as<Vek32f>(p[3]), as<int>(p[4]));
         }},
        {"MaxEvery_32f_I", {vt::offset_input<Vek32f>(n), vt::offset_input<Vek32f>(n, -500, 500)},
         [](const std::vector<void*>& p) { return veksMaxEvery_32f_I(as<const Vek32f>(p[0]), as<Vek32f>(p[1]), n); }},
        {"DotProd_32f", {vt::offset_input<Vek32f>(n), vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(1)},
         [](const std::vector<void*>& p) { return veksDotProd_32f(as<const Vek32f>(p[0]), as<const Vek32f>(p[1]), n, as<Vek32f>(p[2])); }},
        {"Normalize_32f", {vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(n)},
         [](const std::vector<void*>& p) { return veksNormalize_32f(as<const Vek32f>(p[0]), as<Vek32f>(p[1]), n, 2.0f, 3.0f); }},
    };
    for (const auto& c : cases) vt::expect_offset_independent(c);
}

} // namespace
