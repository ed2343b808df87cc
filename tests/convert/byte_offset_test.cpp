// Every kernel family of the conversions at odd byte offsets.
#include "offset_cases.h"

namespace {

using vt::as;
constexpr int n = 37; // SIMD blocks and a scalar tail

// One unary member: src (S) to dst (D), extra arguments bound by the caller.
template <class S, class D, class Fn>
vt::OffsetCase unary(const char* name, Fn fn, double lo = -1000, double hi = 1000) {
    return {name, {vt::offset_input<S>(n, lo, hi), vt::offset_output<D>(n)},
            [fn](const std::vector<void*>& p) { return fn(as<const S>(p[0]), as<D>(p[1]), n); }};
}

TEST(ConvertOffsets, MatchAligned) {
    const std::vector<vt::OffsetCase> cases = {
        unary<Vek16s, Vek32f>("Convert_16s32f", veksConvert_16s32f),
        unary<Vek32s, Vek16s>("Convert_32s16s", veksConvert_32s16s, -1e6, 1e6),
        unary<Vek64f, Vek32f>("Convert_64f32f", veksConvert_64f32f),
        unary<Vek16u, Vek32f>("Convert_16f32f", veksConvert_16f32f, 0, 65535),
        unary<Vek32f, Vek16s>("Convert_32f16s_Sfs",
                              [](const Vek32f* s, Vek16s* d, int len) { return veksConvert_32f16s_Sfs(s, d, len, 1, -2); }),
        unary<Vek32s, Vek16s>("Convert_32s16s_Sfs",
                              [](const Vek32s* s, Vek16s* d, int len) { return veksConvert_32s16s_Sfs(s, d, len, 3); }, -1e6, 1e6),
        unary<Vek16s, Vek8u>("LinToALaw_16s8u", veksLinToALaw_16s8u, -32768, 32767),
        unary<Vek32fc, Vek32fc>("Conj_32fc", veksConj_32fc),
        unary<Vek32fc, Vek32f>("Magnitude_32fc", veksMagnitude_32fc),
        unary<Vek32fc, Vek32f>("Phase_32fc", veksPhase_32fc),
        unary<Vek32fc, Vek32f>("PowerSpectr_32fc", veksPowerSpectr_32fc),
        {"CplxToReal_32fc", {vt::offset_input<Vek32fc>(n), vt::offset_output<Vek32f>(n), vt::offset_output<Vek32f>(n)},
         [](const std::vector<void*>& p) { return veksCplxToReal_32fc(as<const Vek32fc>(p[0]), as<Vek32f>(p[1]), as<Vek32f>(p[2]), n); }},
        {"RealToCplx_32f", {vt::offset_input<Vek32f>(n), vt::offset_input<Vek32f>(n), vt::offset_output<Vek32fc>(n)},
         [](const std::vector<void*>& p) { return veksRealToCplx_32f(as<const Vek32f>(p[0]), as<const Vek32f>(p[1]), as<Vek32fc>(p[2]), n); }},
        {"PolarToCart_32fc", {vt::offset_input<Vek32f>(n), vt::offset_input<Vek32f>(n, -7, 7), vt::offset_output<Vek32fc>(n)},
         [](const std::vector<void*>& p) { return veksPolarToCart_32fc(as<const Vek32f>(p[0]), as<const Vek32f>(p[1]), as<Vek32fc>(p[2]), n); }},
    };
    for (const auto& c : cases) vt::expect_offset_independent(c);
}

} // namespace
