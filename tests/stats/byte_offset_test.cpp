// Every kernel family of the statistics at odd byte offsets.
#include "stats_test_util.h"

namespace {

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
