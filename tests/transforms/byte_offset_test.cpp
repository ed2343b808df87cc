// The FFT families at odd byte offsets.
#include <memory>

#include "fft_test_util.h"
#include "offset_cases.h"

namespace {

using vt::as;

TEST(TransformOffsets, MatchAligned) {
    std::vector<vt::OffsetCase> cases;
    std::vector<std::unique_ptr<fftt::Spec>> specs;
    const auto spec = [&](const char* kind, int order) {
        specs.push_back(std::make_unique<fftt::Spec>(fftt::kind(kind), order, vekFftNormNone));
        return specs.back()->get();
    };
    for (int order : {0, 1, 2, 3, 6}) { // straight-line kernels and the engine
        const int n = 1 << order;
        const std::string at = " order " + std::to_string(order);
        const auto* c = static_cast<const VeksFFTSpec_C_32fc*>(spec("C_32fc", order));
        cases.push_back({"FFTFwd_CToC_32fc" + at, {vt::offset_input<Vek32fc>(n), vt::offset_output<Vek32fc>(n)},
                         [c](const std::vector<void*>& p) { return veksFFTFwd_CToC_32fc(as<const Vek32fc>(p[0]), as<Vek32fc>(p[1]), c, nullptr); }});
        cases.push_back({"FFTInv_CToC_32fc_I" + at, {vt::offset_input<Vek32fc>(n)},
                         [c](const std::vector<void*>& p) { return veksFFTInv_CToC_32fc_I(as<Vek32fc>(p[0]), c, nullptr); }});
        const auto* s = static_cast<const VeksFFTSpec_C_32f*>(spec("C_32f", order));
        cases.push_back({"FFTFwd_CToC_32f" + at,
                         {vt::offset_input<Vek32f>(n), vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(n), vt::offset_output<Vek32f>(n)},
                         [s](const std::vector<void*>& p) {
                             return veksFFTFwd_CToC_32f(as<const Vek32f>(p[0]), as<const Vek32f>(p[1]), as<Vek32f>(p[2]), as<Vek32f>(p[3]), s, nullptr);
                         }});
        const auto* q = static_cast<const VeksFFTSpec_C_16sc*>(spec("C_16sc", order));
        cases.push_back({"FFTFwd_CToC_16sc_Sfs" + at, {vt::offset_input<Vek16sc>(n), vt::offset_output<Vek16sc>(n)},
                         [q](const std::vector<void*>& p) {
                             return veksFFTFwd_CToC_16sc_Sfs(as<const Vek16sc>(p[0]), as<Vek16sc>(p[1]), q, 6, nullptr);
                         }});
        const auto* r = static_cast<const VeksFFTSpec_R_32f*>(spec("R_32f", order));
        cases.push_back({"FFTFwd_RToPack_32f" + at, {vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(n)},
                         [r](const std::vector<void*>& p) { return veksFFTFwd_RToPack_32f(as<const Vek32f>(p[0]), as<Vek32f>(p[1]), r, nullptr); }});
    }
    constexpr int n = 37;
    cases.push_back({"MulPack_32f", {vt::offset_input<Vek32f>(n), vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(n)},
                     [](const std::vector<void*>& p) { return veksMulPack_32f(as<const Vek32f>(p[0]), as<const Vek32f>(p[1]), as<Vek32f>(p[2]), n); }});
    cases.push_back({"ConjPack_32fc", {vt::offset_input<Vek32f>(n), vt::offset_output<Vek32fc>(n)},
                     [](const std::vector<void*>& p) { return veksConjPack_32fc(as<const Vek32f>(p[0]), as<Vek32fc>(p[1]), n); }});
    for (const auto& c : cases) vt::expect_offset_independent(c);
}

} // namespace
