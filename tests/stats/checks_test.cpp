// Properties of every member: argument checks (each pointer null in turn,
// then bad lengths; no error writes anything), extreme scale factors, and
// for every kernel family odd byte offsets.
#include "stats_test_util.h"

namespace {

template <class... F> void ptrs_then_len(F... f) { sp::expect_checks_all({}, f...); }

// Members listed once for the probe and for the extreme scale factors.
#define SCALED_SUMS                                                                                                   \
    veksSum_16s_Sfs, veksSum_16sc_Sfs, veksSum_16s32s_Sfs, veksSum_16sc32sc_Sfs, veksSum_32s_Sfs, veksMean_16s_Sfs, \
        veksMean_16sc_Sfs, veksMean_32s_Sfs
#define SCALED_DEVIATIONS veksStdDev_16s_Sfs, veksStdDev_16s32s_Sfs, veksMeanStdDev_16s_Sfs, veksMeanStdDev_16s32s_Sfs
#define SCALED_NORMS(P)                                                                                   \
    veks##P##_Inf_16s32s_Sfs, veks##P##_L1_16s32s_Sfs, veks##P##_L1_16s64s_Sfs, veks##P##_L2_16s32s_Sfs, \
        veks##P##_L2Sqr_16s64s_Sfs
#define FLOAT_NORMS(P, k, c) \
    veks##P##_##k##_16s32f, veks##P##_##k##_32f, veks##P##_##k##_64f, veks##P##_##k##_32fc##c, veks##P##_##k##_64fc64f
#define NORMS(P) SCALED_NORMS(P), FLOAT_NORMS(P, Inf, 32f), FLOAT_NORMS(P, L1, 64f), FLOAT_NORMS(P, L2, 64f)
#define SCALED_DOTS                                                                                                       \
    veksDotProd_16s_Sfs, veksDotProd_16sc_Sfs, veksDotProd_16s16sc_Sfs, veksDotProd_16s32s_Sfs, veksDotProd_16s32s32s_Sfs, \
        veksDotProd_16sc32sc_Sfs, veksDotProd_16s16sc32sc_Sfs, veksDotProd_32s_Sfs, veksDotProd_32sc_Sfs,                  \
        veksDotProd_32s32sc_Sfs

TEST(StatsChecks, EveryMember) {
    ptrs_then_len(veksSum_32f, veksSum_64f, veksSum_32fc, veksSum_64fc, veksMean_32f, veksMean_64f, veksMean_32fc, veksMean_64fc,
                  SCALED_SUMS);
    ptrs_then_len(veksMax_16s, veksMax_32s, veksMax_32f, veksMax_64f, veksMin_16s, veksMin_32s, veksMin_32f, veksMin_64f,
                  veksMaxAbs_16s, veksMaxAbs_32s, veksMinAbs_16s, veksMinAbs_32s, veksMinMax_8u, veksMinMax_16u, veksMinMax_16s,
                  veksMinMax_32u, veksMinMax_32s, veksMinMax_32f, veksMinMax_64f, veksMinMaxIndx_8u, veksMinMaxIndx_16u,
                  veksMinMaxIndx_16s, veksMinMaxIndx_32u, veksMinMaxIndx_32s, veksMinMaxIndx_32f, veksMinMaxIndx_64f,
                  veksMaxEvery_8u_I, veksMaxEvery_16u_I, veksMaxEvery_16s_I, veksMaxEvery_32s_I, veksMaxEvery_32f_I,
                  veksMinEvery_8u_I, veksMinEvery_16u_I, veksMinEvery_16s_I, veksMinEvery_32s_I, veksMinEvery_32f_I);
    sp::expect_checks_all({sp::Order::PtrsThenLen, {2}}, veksMaxIndx_16s, veksMaxIndx_32s, veksMaxIndx_32f, veksMaxIndx_64f,
                          veksMinIndx_16s, veksMinIndx_32s, veksMinIndx_32f, veksMinIndx_64f, veksMaxAbsIndx_16s,
                          veksMaxAbsIndx_32s, veksMinAbsIndx_16s, veksMinAbsIndx_32s);
    ptrs_then_len(NORMS(Norm), NORMS(NormDiff));
    ptrs_then_len(SCALED_DOTS, veksDotProd_32f, veksDotProd_32fc, veksDotProd_32f32fc, veksDotProd_32f64f, veksDotProd_32fc64fc,
                  veksDotProd_32f32fc64fc, veksDotProd_64f, veksDotProd_64fc, veksDotProd_64f64fc, veksDotProd_16s64s,
                  veksDotProd_16sc64sc, veksDotProd_16s16sc64sc, veksDotProd_16s32f, veksDotProd_16sc32fc, veksDotProd_16s16sc32fc);
    ptrs_then_len(veksCountInRange_32s, veksFindNearestOne_16u);
    sp::expect_checks_all({sp::Order::LenThenPtrs}, veksMaxOrder_16s, veksMaxOrder_32s, veksMaxOrder_32f, veksMaxOrder_64f);
    // The deviations need two elements; FindNearest checks the table length
    // after the vector length. Nothing is written.
    sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, 0, 0, vekStsBadLength, 1}, veksStdDev_32f, veksStdDev_64f,
                          veksMeanStdDev_32f, veksMeanStdDev_64f, SCALED_DEVIATIONS);
    sp::expect_checks(veksFindNearest_16u, {sp::Order::PtrsThenLen, {}, -1, 0, 0, vekStsBadLength});
    // Zero and other divisors below the smallest normal fail after the
    // pointers and the length; the smallest normal does not.
    for (double tiny : {1e-39, -0.0, -1e-39})
        sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, 0, tiny, vekStsDivByZeroError}, veksNormalize_32f, veksNormalize_32fc);
    for (double tiny : {0.0, 2.2e-308, -1e-310})
        sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, 0, tiny, vekStsDivByZeroError}, veksNormalize_64f, veksNormalize_64fc,
                              veksNormalize_16s_Sfs, veksNormalize_16sc_Sfs); // integer divisor 0
    Vek32f f[2] = {1, 2};
    Vek64f d[2] = {1, 2};
    EXPECT_EQ(veksNormalize_32f(f, f, 2, 0, st::lim<float>::min()), vekStsOk);
    EXPECT_EQ(veksNormalize_64f(d, d, 2, 0, st::lim<double>::min()), vekStsOk);
}

TEST(StatsChecks, SortAndThresholdMembers) {
#define SORT_VALUE_MEMBERS(s) veksSortAscend_##s##_I, veksSortDescend_##s##_I, veksSortIndexAscend_##s##_I, veksSortIndexDescend_##s##_I
#define SORT_RADIX_MEMBERS(s) veksSortRadixAscend_##s##_I, veksSortRadixDescend_##s##_I
#define SORT_RADIX_INDEX(s) veksSortRadixIndexAscend_##s, veksSortRadixIndexDescend_##s
    ptrs_then_len(SORT_VALUE_MEMBERS(8u), SORT_VALUE_MEMBERS(16u), SORT_VALUE_MEMBERS(16s), SORT_VALUE_MEMBERS(32s),
                  SORT_VALUE_MEMBERS(32f), SORT_VALUE_MEMBERS(64f));
    ptrs_then_len(SORT_RADIX_MEMBERS(8u), SORT_RADIX_MEMBERS(16u), SORT_RADIX_MEMBERS(16s), SORT_RADIX_MEMBERS(32s),
                  SORT_RADIX_MEMBERS(32u), SORT_RADIX_MEMBERS(32f));
    // Index forms (src, stride, dst, tmp, len): a stride below the key size is a length error after the length.
    for (int stride : {0, 8})
        sp::expect_checks_all({sp::Order::PtrsThenLen, {}, 4, stride, 0, stride ? vekStsOk : vekStsBadLength},
                              SORT_RADIX_INDEX(8u), SORT_RADIX_INDEX(16u), SORT_RADIX_INDEX(16s), SORT_RADIX_INDEX(32s),
                              SORT_RADIX_INDEX(32u), SORT_RADIX_INDEX(32f));
    sp::expect_checks_all({sp::Order::PtrsThenLen, {}, 4, 3, 0, vekStsBadLength}, SORT_RADIX_INDEX(32s), SORT_RADIX_INDEX(32u),
                          SORT_RADIX_INDEX(32f));
#define T_PAIR(name, s) veksThreshold##name##_##s, veksThreshold##name##_##s##_I
#define T_CLAMP(s) T_PAIR(, s), T_PAIR(_LT, s), T_PAIR(_GT, s)
#define T_VAL(s) T_PAIR(_LTVal, s), T_PAIR(_GTVal, s)
#define T_ABS(s) T_PAIR(_LTAbs, s), T_PAIR(_GTAbs, s)
#define T_INV(s) T_PAIR(_LTInv, s)
    ptrs_then_len(T_CLAMP(16s), T_CLAMP(32f), T_CLAMP(64f), T_PAIR(_LT, 32s), T_PAIR(_GT, 32s), T_VAL(16s), T_VAL(32f),
                  T_VAL(64f), T_PAIR(_LTValGTVal, 16s), T_PAIR(_LTValGTVal, 32s), T_PAIR(_LTValGTVal, 32f), T_PAIR(_LTValGTVal, 64f));
    // Levels compared with magnitudes must not be negative; that is checked last.
    for (int op : {0, 4})
        sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, op, -1, vekStsNegativeLevel}, T_CLAMP(16sc), T_CLAMP(32fc),
                              T_CLAMP(64fc), T_VAL(16sc), T_VAL(32fc), T_VAL(64fc), T_ABS(16s), T_ABS(32f), T_ABS(64f),
                              T_INV(32f), T_INV(32fc), T_INV(64f), T_INV(64fc));
    sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, -1, 0, vekStsNegativeLevel}, T_ABS(32s)); // an int level
}

// The most extreme scale factors behave like merely large ones.
TEST(StatsChecks, ExtremeScaleFactors) {
    const auto run = [](auto fn, int sf) { return vt::run_at(st::signature_case("", fn, 8, sf), 0); };
    int k = 0;
    auto one = [&](auto fn) { EXPECT_TRUE(run(fn, -2147483647 - 1) == run(fn, -300) && run(fn, 2147483647) == run(fn, 300)) << k++; };
    [&](auto... f) { (one(f), ...); }(SCALED_SUMS, SCALED_DEVIATIONS, SCALED_NORMS(Norm), SCALED_NORMS(NormDiff), SCALED_DOTS);
}

// n = 37: SIMD blocks and a scalar tail; numbers other than the length 2.
#define OFFSET_CASE(fn) st::signature_case(#fn, fn, 37, 2)

TEST(StatsOffsets, MatchAligned) {
    for (const auto& c : {OFFSET_CASE(veksSum_32f), OFFSET_CASE(veksSum_16s_Sfs), OFFSET_CASE(veksMean_32f), OFFSET_CASE(veksStdDev_32f),
                          OFFSET_CASE(veksNorm_L2_32f), OFFSET_CASE(veksMax_32f), OFFSET_CASE(veksMaxAbsIndx_16s),
                          OFFSET_CASE(veksMinMax_16s), OFFSET_CASE(veksMinMaxIndx_32f), OFFSET_CASE(veksMaxEvery_32f_I),
                          OFFSET_CASE(veksDotProd_32f), OFFSET_CASE(veksNormalize_32f)})
        vt::expect_offset_independent(c);
}

} // namespace
