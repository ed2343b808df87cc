// Argument checks of every member: each pointer null in turn, then bad
// lengths; no error writes anything.
#include "stats_test_util.h"

namespace {

template <class... F> void ptrs_then_len(F... f) { sp::expect_checks_all({}, f...); }

TEST(StatsChecks, EveryMember) {
    ptrs_then_len(veksSum_32f, veksSum_64f, veksSum_32fc, veksSum_64fc, veksSum_16s_Sfs, veksSum_16sc_Sfs, veksSum_16s32s_Sfs,
                  veksSum_16sc32sc_Sfs, veksSum_32s_Sfs, veksMean_32f, veksMean_64f, veksMean_32fc, veksMean_64fc,
                  veksMean_16s_Sfs, veksMean_16sc_Sfs, veksMean_32s_Sfs, veksStdDev_32f, veksStdDev_64f, veksStdDev_16s_Sfs,
                  veksStdDev_16s32s_Sfs, veksMeanStdDev_32f, veksMeanStdDev_64f, veksMeanStdDev_16s_Sfs,
                  veksMeanStdDev_16s32s_Sfs);
    ptrs_then_len(veksMax_16s, veksMax_32s, veksMax_32f, veksMax_64f, veksMin_16s, veksMin_32s, veksMin_32f, veksMin_64f,
                  veksMaxAbs_16s, veksMaxAbs_32s, veksMinAbs_16s, veksMinAbs_32s, veksMinMax_8u, veksMinMax_16u, veksMinMax_16s,
                  veksMinMax_32u, veksMinMax_32s, veksMinMax_32f, veksMinMax_64f, veksMinMaxIndx_8u, veksMinMaxIndx_16u,
                  veksMinMaxIndx_16s, veksMinMaxIndx_32u, veksMinMaxIndx_32s, veksMinMaxIndx_32f, veksMinMaxIndx_64f,
                  veksMaxEvery_8u_I, veksMaxEvery_16u_I, veksMaxEvery_16s_I, veksMaxEvery_32s_I, veksMaxEvery_32f_I,
                  veksMinEvery_8u_I, veksMinEvery_16u_I, veksMinEvery_16s_I, veksMinEvery_32s_I, veksMinEvery_32f_I);
    sp::expect_checks_all({sp::Order::PtrsThenLen, {2}}, veksMaxIndx_16s, veksMaxIndx_32s, veksMaxIndx_32f, veksMaxIndx_64f,
                          veksMinIndx_16s, veksMinIndx_32s, veksMinIndx_32f, veksMinIndx_64f, veksMaxAbsIndx_16s,
                          veksMaxAbsIndx_32s, veksMinAbsIndx_16s, veksMinAbsIndx_32s);
    ptrs_then_len(veksNorm_Inf_16s32f, veksNorm_Inf_16s32s_Sfs, veksNorm_Inf_32f, veksNorm_Inf_64f, veksNorm_Inf_32fc32f,
                  veksNorm_Inf_64fc64f, veksNorm_L1_16s32f, veksNorm_L1_16s32s_Sfs, veksNorm_L1_16s64s_Sfs, veksNorm_L1_32f,
                  veksNorm_L1_64f, veksNorm_L1_32fc64f, veksNorm_L1_64fc64f, veksNorm_L2_16s32f, veksNorm_L2_16s32s_Sfs,
                  veksNorm_L2_32f, veksNorm_L2_64f, veksNorm_L2_32fc64f, veksNorm_L2_64fc64f, veksNorm_L2Sqr_16s64s_Sfs);
    ptrs_then_len(veksNormDiff_Inf_16s32f, veksNormDiff_Inf_16s32s_Sfs, veksNormDiff_Inf_32f, veksNormDiff_Inf_64f,
                  veksNormDiff_Inf_32fc32f, veksNormDiff_Inf_64fc64f, veksNormDiff_L1_16s32f, veksNormDiff_L1_16s32s_Sfs,
                  veksNormDiff_L1_16s64s_Sfs, veksNormDiff_L1_32f, veksNormDiff_L1_64f, veksNormDiff_L1_32fc64f,
                  veksNormDiff_L1_64fc64f, veksNormDiff_L2_16s32f, veksNormDiff_L2_16s32s_Sfs, veksNormDiff_L2_32f,
                  veksNormDiff_L2_64f, veksNormDiff_L2_32fc64f, veksNormDiff_L2_64fc64f, veksNormDiff_L2Sqr_16s64s_Sfs);
    ptrs_then_len(veksDotProd_32f, veksDotProd_32fc, veksDotProd_32f32fc, veksDotProd_32f64f, veksDotProd_32fc64fc,
                  veksDotProd_32f32fc64fc, veksDotProd_64f, veksDotProd_64fc, veksDotProd_64f64fc, veksDotProd_16s64s,
                  veksDotProd_16sc64sc, veksDotProd_16s16sc64sc, veksDotProd_16s32f, veksDotProd_16sc32fc,
                  veksDotProd_16s16sc32fc, veksDotProd_16s_Sfs, veksDotProd_16sc_Sfs, veksDotProd_16s16sc_Sfs,
                  veksDotProd_16s32s_Sfs, veksDotProd_16s32s32s_Sfs, veksDotProd_16sc32sc_Sfs, veksDotProd_16s16sc32sc_Sfs,
                  veksDotProd_32s_Sfs, veksDotProd_32sc_Sfs, veksDotProd_32s32sc_Sfs);
    ptrs_then_len(veksNormalize_32f, veksNormalize_64f, veksNormalize_32fc, veksNormalize_64fc, veksNormalize_16s_Sfs,
                  veksNormalize_16sc_Sfs, veksCountInRange_32s, veksFindNearestOne_16u, veksFindNearest_16u);
    sp::expect_checks_all({sp::Order::LenThenPtrs}, veksMaxOrder_16s, veksMaxOrder_32s, veksMaxOrder_32f, veksMaxOrder_64f);
}

// The deviations need two elements; FindNearest checks the table length
// after the vector length. Nothing is written.
TEST(StatsChecks, SecondaryLengths) {
    const Vek16s s[2] = {1, 2};
    const Vek32f f[2] = {1, 2};
    const Vek64f d[2] = {1, 2};
    const Vek16u t[1] = {1};
    vt::Guarded<Vek16s> o16(2);
    vt::Guarded<Vek32s> o32(2);
    vt::Guarded<Vek32f> of(2);
    vt::Guarded<Vek64f> od(2);
    vt::Guarded<Vek16u> ov(1);
    vt::Guarded<int> oi(1);
    for (VekStatus sts : {veksStdDev_32f(f, 1, of.data()), veksStdDev_64f(d, 1, od.data()), veksStdDev_16s_Sfs(s, 1, o16.data(), 0),
                          veksStdDev_16s32s_Sfs(s, 1, o32.data(), 0), veksMeanStdDev_32f(f, 1, of.data(), of.data() + 1),
                          veksMeanStdDev_64f(d, 1, od.data(), od.data() + 1),
                          veksMeanStdDev_16s_Sfs(s, 1, o16.data(), o16.data() + 1, 0),
                          veksMeanStdDev_16s32s_Sfs(s, 1, o32.data(), o32.data() + 1, 0),
                          veksFindNearestOne_16u(1, ov.data(), oi.data(), t, 0),
                          veksFindNearest_16u(t, ov.data(), oi.data(), 1, t, 0)})
        EXPECT_EQ(sts, vekStsBadLength);
    EXPECT_TRUE(o16.intact() && o32.intact() && of.intact() && od.intact() && ov.intact() && oi.intact());
}

// The most extreme scale factors behave like merely large ones.
template <class F> void extreme_scale_factor(F f, int k) {
    EXPECT_TRUE(st::same_output(f, -2147483647 - 1, -300)) << "member " << k;
    EXPECT_TRUE(st::same_output(f, 2147483647, 300)) << "member " << k;
}
template <class... F> void extreme_scale_factors(F... f) {
    int k = 0;
    (extreme_scale_factor(f, k++), ...);
}

TEST(StatsChecks, ExtremeScaleFactors) {
    extreme_scale_factors(veksSum_16s_Sfs, veksSum_16sc_Sfs, veksSum_16s32s_Sfs, veksSum_16sc32sc_Sfs, veksSum_32s_Sfs,
                          veksMean_16s_Sfs, veksMean_16sc_Sfs, veksMean_32s_Sfs, veksStdDev_16s_Sfs, veksStdDev_16s32s_Sfs,
                          veksMeanStdDev_16s_Sfs, veksMeanStdDev_16s32s_Sfs, veksNorm_Inf_16s32s_Sfs, veksNorm_L1_16s32s_Sfs,
                          veksNorm_L1_16s64s_Sfs, veksNorm_L2_16s32s_Sfs, veksNorm_L2Sqr_16s64s_Sfs, veksNormDiff_Inf_16s32s_Sfs,
                          veksNormDiff_L1_16s32s_Sfs, veksNormDiff_L1_16s64s_Sfs, veksNormDiff_L2_16s32s_Sfs,
                          veksNormDiff_L2Sqr_16s64s_Sfs, veksDotProd_16s_Sfs, veksDotProd_16sc_Sfs, veksDotProd_16s16sc_Sfs,
                          veksDotProd_16s32s_Sfs, veksDotProd_16s32s32s_Sfs, veksDotProd_16sc32sc_Sfs, veksDotProd_16s16sc32sc_Sfs,
                          veksDotProd_32s_Sfs, veksDotProd_32sc_Sfs, veksDotProd_32s32sc_Sfs);
}

} // namespace
