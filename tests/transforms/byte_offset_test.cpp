// The FFT families at odd byte offsets.
#include <memory>

#include "offset_cases.h"

namespace {

using vt::as;
constexpr int kNoScale = 8;

TEST(TransformOffsets, MatchAligned) {
    std::vector<vt::OffsetCase> cases;
    std::vector<std::shared_ptr<void>> specs;
    for (int order : {0, 1, 2, 3, 6}) { // straight-line kernels and the engine
        const int n = 1 << order;
        VeksFFTSpec_C_32fc* c = nullptr;
        ASSERT_EQ(veksFFTInitAlloc_C_32fc(&c, order, kNoScale, 0), vekStsOk);
        specs.emplace_back(c, [](void* p) { veksFFTFree_C_32fc(static_cast<VeksFFTSpec_C_32fc*>(p)); });
        cases.push_back({"FFTFwd_CToC_32fc order " + std::to_string(order), {vt::offset_input<Vek32fc>(n), vt::offset_output<Vek32fc>(n)},
                         [c](const std::vector<void*>& p) { return veksFFTFwd_CToC_32fc(as<const Vek32fc>(p[0]), as<Vek32fc>(p[1]), c, nullptr); }});
        cases.push_back({"FFTInv_CToC_32fc_I order " + std::to_string(order), {vt::offset_input<Vek32fc>(n)},
                         [c](const std::vector<void*>& p) { return veksFFTInv_CToC_32fc_I(as<Vek32fc>(p[0]), c, nullptr); }});
        VeksFFTSpec_C_32f* s = nullptr;
        ASSERT_EQ(veksFFTInitAlloc_C_32f(&s, order, kNoScale, 0), vekStsOk);
        specs.emplace_back(s, [](void* p) { veksFFTFree_C_32f(static_cast<VeksFFTSpec_C_32f*>(p)); });
        cases.push_back({"FFTFwd_CToC_32f order " + std::to_string(order),
                         {vt::offset_input<Vek32f>(n), vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(n), vt::offset_output<Vek32f>(n)},
                         [s](const std::vector<void*>& p) {
                             return veksFFTFwd_CToC_32f(as<const Vek32f>(p[0]), as<const Vek32f>(p[1]), as<Vek32f>(p[2]), as<Vek32f>(p[3]), s, nullptr);
                         }});
        VeksFFTSpec_C_16sc* q = nullptr;
        ASSERT_EQ(veksFFTInitAlloc_C_16sc(&q, order, kNoScale, 0), vekStsOk);
        specs.emplace_back(q, [](void* p) { veksFFTFree_C_16sc(static_cast<VeksFFTSpec_C_16sc*>(p)); });
        cases.push_back({"FFTFwd_CToC_16sc_Sfs order " + std::to_string(order),
                         {vt::offset_input<Vek16sc>(n), vt::offset_output<Vek16sc>(n)},
                         [q](const std::vector<void*>& p) {
                             return veksFFTFwd_CToC_16sc_Sfs(as<const Vek16sc>(p[0]), as<Vek16sc>(p[1]), q, 6, nullptr);
                         }});
        VeksFFTSpec_R_32f* r = nullptr;
        ASSERT_EQ(veksFFTInitAlloc_R_32f(&r, order, kNoScale, 0), vekStsOk);
        specs.emplace_back(r, [](void* p) { veksFFTFree_R_32f(static_cast<VeksFFTSpec_R_32f*>(p)); });
        cases.push_back({"FFTFwd_RToPack_32f order " + std::to_string(order), {vt::offset_input<Vek32f>(n), vt::offset_output<Vek32f>(n)},
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
