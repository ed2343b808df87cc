// Every window and generator family on arrays at an odd byte offset gives
// the bytes it gives on aligned arrays (one member per shared kernel path).
#include "offset_cases.h"

namespace {

using vt::as;
using P = std::vector<void*>;

TEST(GenUnaligned, EveryFamily) {
    constexpr int n = 29;
    const vt::OffsetCase cases[] = {
        {"WinKaiser_16sc_I", {vt::offset_input<Vek16sc>(n)},
         [](const P& p) { return veksWinKaiser_16sc_I(as<Vek16sc>(p[0]), n, 2.0f); }},
        {"WinHann_32f", {vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(n)},
         [](const P& p) { return veksWinHann_32f(as<Vek32f>(p[0]), as<Vek32f>(p[1]), n); }},
        {"Tone_Direct_64fc", {vt::offset_output<Vek64fc>(n)}, [](const P& p) {
             double ph = 1.0;
             return veksTone_Direct_64fc(as<Vek64fc>(p[0]), n, 2.0, 0.1, &ph);
         }},
        {"Triangle_Direct_16sc", {vt::offset_output<Vek16sc>(n)}, [](const P& p) {
             float ph = 1.0f;
             return veksTriangle_Direct_16sc(as<Vek16sc>(p[0]), n, 1000, 0.1f, 0.5f, &ph);
         }},
        {"VectorRamp_32s", {vt::offset_output<Vek32s>(n)},
         [](const P& p) { return veksVectorRamp_32s(as<Vek32s>(p[0]), n, -7.5f, 3.25f); }},
        {"VectorJaehne_64f", {vt::offset_output<Vek64f>(n)},
         [](const P& p) { return veksVectorJaehne_64f(as<Vek64f>(p[0]), n, 3.0); }},
        {"RandUniform_Direct_16s", {vt::offset_output<Vek16s>(n)}, [](const P& p) {
             unsigned seed = 3;
             return veksRandUniform_Direct_16s(as<Vek16s>(p[0]), n, -9, 9, &seed);
         }},
        {"RandGauss_Direct_64f", {vt::offset_output<Vek64f>(n)}, [](const P& p) {
             unsigned seed = 3;
             return veksRandGauss_Direct_64f(as<Vek64f>(p[0]), n, 0.0, 1.0, &seed);
         }},
    };
    for (const auto& c : cases) vt::expect_offset_independent(c);
}

} // namespace
