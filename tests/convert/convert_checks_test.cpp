// Argument checks: each pointer null in turn, then bad lengths, then the
// member's own parameters; nothing is written on an error.
#include "signature_probe.h"

namespace {

template <class... F> void ptrs_then_len(F... f) { sp::expect_checks_all({}, f...); }

TEST(ConvertChecks, PointersThenLengthThenOwnParameters) {
    ptrs_then_len(veksConvert_8s16s, veksConvert_8s32f, veksConvert_8u32f, veksConvert_16s32s, veksConvert_16s32f,
                  veksConvert_16u32f, veksConvert_16s32f_Sfs, veksConvert_16s64f_Sfs, veksConvert_32s16s, veksConvert_32s16s_Sfs,
                  veksConvert_32s24s_Sfs, veksConvert_32u24u_Sfs, veksConvert_64s32s_Sfs, veksConvert_32s32f,
                  veksConvert_32s32f_Sfs, veksConvert_32s64f, veksConvert_32s64f_Sfs, veksConvert_24s32s, veksConvert_24u32u,
                  veksConvert_24s32f, veksConvert_24u32f, veksConvert_32f8s_Sfs, veksConvert_32f8u_Sfs, veksConvert_32f16s_Sfs,
                  veksConvert_32f16u_Sfs, veksConvert_32f32s_Sfs, veksConvert_32f24s_Sfs, veksConvert_32f24u_Sfs,
                  veksConvert_64f16s_Sfs, veksConvert_64f32s_Sfs, veksConvert_32f64f, veksConvert_64f32f, veksConvert_16f32f,
                  veksConvert_32f16f, veksConvert_16s16f, veksConvert_16f16s_Sfs);
    ptrs_then_len(veksALawToLin_8u16s, veksALawToLin_8u32f, veksMuLawToLin_8u16s, veksMuLawToLin_8u32f, veksLinToALaw_16s8u,
                  veksLinToALaw_32f8u, veksLinToMuLaw_16s8u, veksLinToMuLaw_32f8u, veksALawToMuLaw_8u, veksMuLawToALaw_8u);
    ptrs_then_len(veksMagnitude_32f, veksMagnitude_64f, veksMagnitude_16s32f, veksMagnitude_32fc, veksMagnitude_64fc,
                  veksMagnitude_16sc32f, veksPhase_32f, veksPhase_64f, veksPhase_16s32f, veksPhase_32fc, veksPhase_64fc,
                  veksPhase_16sc32f, veksPowerSpectr_32f, veksPowerSpectr_64f, veksPowerSpectr_16s32f, veksPowerSpectr_32fc,
                  veksPowerSpectr_64fc, veksPowerSpectr_16sc32f);
    // Pointers and length come before the scale factor, also for the
    // factors that shortcut to all zeros or all maxima.
    for (int sf : {-100, 0, 3, 100})
        sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, sf}, veksMagnitude_16s_Sfs, veksMagnitude_16sc_Sfs,
                              veksMagnitude_32sc_Sfs, veksPowerSpectr_16s_Sfs, veksPowerSpectr_16sc_Sfs,
                              veksMagSquared_32sc32s_Sfs, veksPhase_16s_Sfs, veksPhase_16sc_Sfs, veksPhase_32sc_Sfs,
                              veksCartToPolar_16sc_Sfs);
    ptrs_then_len(veksConj_16sc, veksConj_32fc, veksConj_64fc, veksConj_16sc_I, veksConj_32fc_I, veksConj_64fc_I,
                  veksConjFlip_16sc, veksConjFlip_32fc, veksConjFlip_64fc, veksReal_16sc, veksReal_32fc, veksReal_64fc,
                  veksImag_16sc, veksImag_32fc, veksImag_64fc, veksCplxToReal_16sc, veksCplxToReal_32fc, veksCplxToReal_64fc);
    ptrs_then_len(veksPolarToCart_32f, veksPolarToCart_32fc, veksPolarToCart_64f, veksPolarToCart_64fc,
                  veksPolarToCart_16sc_Sfs, veksPackBits_32u8u);
    sp::expect_checks_all({sp::Order::PtrsThenLen, {}, 4}, veksPolarToCart_16sc, veksPolarToCart_32sc);
    // Building complex data: the destination, the length, then "both sources missing".
    sp::expect_checks_all({sp::Order::PtrsThenLen, {0, 1}}, veksRealToCplx_16s, veksRealToCplx_32f, veksRealToCplx_64f);
    vt::Guarded<Vek32fc> dst(4);
    EXPECT_EQ(veksRealToCplx_32f(nullptr, nullptr, dst.data(), 0), vekStsBadLength);
    EXPECT_EQ(veksRealToCplx_32f(nullptr, nullptr, dst.data(), 4), vekStsNullPtr);
    EXPECT_TRUE(dst.intact());
    // Parameters of their own come last, as length-class errors where they
    // describe a size or a position.
    sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, 2, 0, vekStsBadRoundMode}, veksConvert_32f16f, veksConvert_16s16f,
                          veksConvert_16f16s_Sfs);
    for (int fp : {-1, 16, 100}) sp::expect_checks(veksPolarToCart_16sc, {sp::Order::PtrsThenLen, {}, 4, fp, 0, vekStsBadLength});
    for (int fp : {-1, 32}) sp::expect_checks(veksPolarToCart_32sc, {sp::Order::PtrsThenLen, {}, 4, fp, 0, vekStsBadLength});
    sp::expect_checks(veksPackBits_32u8u, {sp::Order::PtrsThenLen, {}, -1, -1, 0, vekStsBadLength}); // bit offset -1
}

} // namespace
