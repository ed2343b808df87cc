// Tap setting, integer output rules and integer taps with their tapsFactor.
#include <cmath>
#include <cstring>
#include <limits>

#include "iir_reference.h"
#include "veks_test.h"

namespace {

std::vector<float> filter32f(VeksIIRState_32f* st, const std::vector<float>& x) {
    std::vector<float> y(x.size());
    EXPECT_EQ(veksIIR_32f(x.data(), y.data(), int(x.size()), st), vekStsOk);
    return y;
}

// A zero a0 (biquads: a0 or b0) refuses the taps and keeps the old ones;
// sections are normalised in order, so the first bad one stops there.
TEST(IirTaps, ZeroLeadingTapKeepsTheOldTaps) {
    const float good[] = {1, 0, 1, -0.5f}, bad[] = {3, 1, 0, 2};
    VeksIIRState_32f* st = nullptr;
    ASSERT_EQ(veksIIRInitAlloc_32f(&st, bad, 1, nullptr), vekStsDivByZeroError);
    EXPECT_EQ(st, nullptr);
    ASSERT_EQ(veksIIRInitAlloc_32f(&st, good, 1, nullptr), vekStsOk);
    EXPECT_EQ(veksIIRSetTaps_32f(bad, st), vekStsDivByZeroError);
    EXPECT_EQ(filter32f(st, {1, 0, 0}), (std::vector<float>{1, 0.5f, 0.25f}));
    const float nan_a0[] = {1, 0, std::numeric_limits<float>::quiet_NaN(), 0};
    EXPECT_EQ(veksIIRSetTaps_32f(nan_a0, st), vekStsOk) << "NaN is not zero";
    veksIIRFree_32f(st);

    // Complex: zero only when both parts are.
    const Vek32fc c0[] = {{1, 0}, {0, 0}, {0, 0}, {0, 0}}, c1[] = {{1, 0}, {0, 0}, {0, 2}, {0, 0}};
    VeksIIRState_32fc* cs = nullptr;
    EXPECT_EQ(veksIIRInitAlloc_32fc(&cs, c0, 1, nullptr), vekStsDivByZeroError);
    ASSERT_EQ(veksIIRInitAlloc_32fc(&cs, c1, 1, nullptr), vekStsOk);
    Vek32fc y{};
    ASSERT_EQ(veksIIROne_32fc(Vek32fc{2, 0}, &y, cs), vekStsOk);
    EXPECT_TRUE(vt::same_bits(y, Vek32fc{0, -1})); // 2 / (2i) = -i
    veksIIRFree_32fc(cs);

    const std::vector<float> bq = {1, 0, 0, 1, -0.5f, 0, 2, 0, 0, 1, 0, 0};
    std::vector<float> bq_bad = bq;
    bq_bad[6] = 0; // second section b0
    std::vector<Vek8u> mem(1024);
    EXPECT_EQ(veksIIRInit_BiQuad_32f(&st, bq_bad.data(), 2, nullptr, mem.data()), vekStsDivByZeroError);
    EXPECT_EQ(veksIIRInitAlloc_BiQuad_32f(&st, bq_bad.data(), 2, nullptr), vekStsDivByZeroError);
    bq_bad[6] = 2;
    bq_bad[9] = 0; // second section a0
    EXPECT_EQ(veksIIRInitAlloc_BiQuad_32f(&st, bq_bad.data(), 2, nullptr), vekStsDivByZeroError);
    ASSERT_EQ(veksIIRInitAlloc_BiQuad_32f(&st, bq.data(), 2, nullptr), vekStsOk);
    std::vector<float> next = {4, 0, 0, 2, 0, 0, 0, 0, 0, 1, 0, 0}; // section 0 becomes 2, section 1 is bad
    EXPECT_EQ(veksIIRSetTaps_32f(next.data(), st), vekStsDivByZeroError);
    // Section 0 now passes x * 2, section 1 still multiplies by 2.
    EXPECT_EQ(filter32f(st, {1, 0, 0}), (std::vector<float>{4, 0, 0}));
    veksIIRFree_32f(st);
}

// Integer output: times 2^-scaleFactor (modulo 128), halves away from zero,
// saturated; infinities saturate, NaN gives 0 (inf * 0 is NaN, which makes
// the delay line NaN: restart for each sample).
TEST(IirTaps, IntegerOutputRoundsHalfAwayAndSaturates) {
    const double taps[] = {1, 0, 1, 0}, inf_taps[] = {std::numeric_limits<double>::infinity(), 0, 1, 0};
    VeksIIRState64f_32s* st = nullptr;
    ASSERT_EQ(veksIIRInitAlloc64f_32s(&st, taps, 1, nullptr), vekStsOk);
    const std::vector<Vek32s> x = {5, -5, 3, -3, 2147483647, -2147483647 - 1, 7};
    std::vector<Vek32s> y(7);
    ASSERT_EQ(veksIIR64f_32s_Sfs(x.data(), y.data(), 7, st, 1), vekStsOk);
    EXPECT_EQ(y, (std::vector<Vek32s>{3, -3, 2, -2, 1073741824, -1073741824, 4}));
    ASSERT_EQ(veksIIR64f_32s_Sfs(x.data(), y.data(), 7, st, -1), vekStsOk);
    EXPECT_EQ(y, (std::vector<Vek32s>{10, -10, 6, -6, 2147483647, -2147483647 - 1, 14}));
    ASSERT_EQ(veksIIR64f_32s_Sfs(x.data(), y.data(), 7, st, 129), vekStsOk); // as 1
    EXPECT_EQ(y[0], 3);
    ASSERT_EQ(veksIIRSetTaps64f_32s(inf_taps, st), vekStsOk);
    for (auto [v, want] : {std::pair<Vek32s, Vek32s>{1, 2147483647}, {-1, -2147483647 - 1}, {0, 0}}) {
        ASSERT_EQ(veksIIRSetDlyLine64f_32s(st, nullptr), vekStsOk);
        ASSERT_EQ(veksIIROne64f_32s_Sfs(v, &y[0], st, 0), vekStsOk);
        EXPECT_EQ(y[0], want) << v;
    }
    veksIIRFree64f_32s(st);
}

// Integer taps equal single-precision taps times 2^-tapsFactor, over the
// whole factor range (clamped to -96..126), through Init and SetTaps.
TEST(IirTaps, IntegerTapsFollowTheirFactor) {
    vt::Rng rng(4);
    for (int tf : {-200, -96, -20, -1, 0, 1, 7, 15, 24, 30, 126, 127, 300}) {
        SCOPED_TRACE(tf);
        const int e = std::max(-96, std::min(126, tf));
        for (bool bq : {false, true}) {
            std::vector<Vek32s> ti;
            std::vector<float> tfl;
            for (int k = 0; k < (bq ? 12 : 8); ++k) {
                Vek32s v = rng.integer<Vek32s>(-30000, 30000);
                if (k == 3 || (!bq && k == 5)) v = 1 << 14; // a0 taps
                ti.push_back(v);
                tfl.push_back(std::ldexp(float(v), -e));
            }
            VeksIIRState32s_16s *a = nullptr, *b = nullptr;
            const int order = bq ? 2 : 3;
            ASSERT_EQ((bq ? veksIIRInitAlloc32s_BiQuad_16s : veksIIRInitAlloc32s_16s)(&a, ti.data(), order, tf, nullptr),
                      vekStsOk);
            ASSERT_EQ((bq ? veksIIRInitAlloc32s_BiQuad_16s32f : veksIIRInitAlloc32s_16s32f)(&b, tfl.data(), order, nullptr),
                      vekStsOk);
            const auto x = iref::random_vec<Vek16s>(300, rng, 2000);
            std::vector<Vek16s> ya(300), yb(300);
            ASSERT_EQ(veksIIR32s_16s_Sfs(x.data(), ya.data(), 300, a, 0), vekStsOk);
            ASSERT_EQ(veksIIR32s_16s_Sfs(x.data(), yb.data(), 300, b, 0), vekStsOk);
            EXPECT_EQ(ya, yb) << "Init";
            // The state set up with floating taps takes the integer ones, from a zero delay line.
            ASSERT_EQ(veksIIRSetTaps32s_16s(ti.data(), b, tf), vekStsOk);
            ASSERT_EQ(veksIIRSetDlyLine32s_16s(b, nullptr), vekStsOk);
            ASSERT_EQ(veksIIR32s_16s_Sfs(x.data(), yb.data(), 300, b, 0), vekStsOk);
            EXPECT_EQ(ya, yb) << "SetTaps";
            veksIIRFree32s_16s(a);
            veksIIRFree32s_16s(b);
        }
    }
    // Complex integer taps, both parts scaled: taps (1 + 0.5i) / 2.
    const Vek32sc ci[] = {{8, 4}, {0, 0}, {16, 0}, {0, 0}};
    VeksIIRState32sc_16sc* cs = nullptr;
    ASSERT_EQ(veksIIRInitAlloc32sc_16sc(&cs, ci, 1, 3, nullptr), vekStsOk);
    Vek16sc y{};
    ASSERT_EQ(veksIIROne32sc_16sc_Sfs(Vek16sc{100, -50}, &y, cs, 0), vekStsOk);
    EXPECT_TRUE(vt::same_bits(y, Vek16sc{63, 0})); // (100 - 50i)(1 + 0.5i) / 2 = 62.5 + 0i
    veksIIRFree32sc_16sc(cs);
}

} // namespace
