// FIR designs against the windowed ideal response, IIR designs against their bilinear-transformed prototypes.
#include <cmath>
#include <numeric>
#include <vector>

#include "byte_offset.h"
#include "design_reference.h"
#include "veks_test.h"

namespace {

using designref::LD;

VekStatus gen_fir(designref::Band band, double f1, double f2, Vek64f* taps, int n, int win, int normal) {
    if (band == designref::kPass) return veksFIRGenBandpass_64f(f1, f2, taps, n, win, normal);
    if (band == designref::kStop) return veksFIRGenBandstop_64f(f1, f2, taps, n, win, normal);
    return (band == designref::kLow ? veksFIRGenLowpass_64f : veksFIRGenHighpass_64f)(f1, taps, n, win, normal);
}

TEST(FirDesign, TapsMatchWindowedIdealResponse) {
    struct Case { designref::Band band; double f1, f2; };
    const Case cases[] = {{designref::kLow, 0.13, 0}, {designref::kLow, 0.5, 0}, {designref::kHigh, 0.31, 0},
                          {designref::kPass, 0.1, 0.27}, {designref::kStop, 0.2, 0.35}, {designref::kStop, 0.01, 0.5}};
    for (const Case& c : cases)
        for (int n : {5, 6, 21, 32, 101})
            for (int win : {0, 1, 2, 3, 7})
                for (int normal : {0, 1}) {
                    vt::Misaligned<Vek64f> taps(n, 1);
                    ASSERT_EQ(gen_fir(c.band, c.f1, c.f2, taps.data(), n, win, normal), vekStsOk);
                    const auto want = designref::fir(c.band, c.f1, c.f2, n, win, normal);
                    const auto got = taps.values();
                    for (int i = 0; i < n; ++i)
                        ASSERT_NEAR(got[i], static_cast<double>(want[i]), 1e-13)
                            << "band " << c.band << " n " << n << " win " << win << " normal " << normal << " i " << i;
                }
}

TEST(Design, ChecksWriteNothing) {
    vt::Guarded<double> t(8);
    EXPECT_EQ(veksFIRGenLowpass_64f(0.2, nullptr, 2, 0, 1), vekStsNullPtr);
    EXPECT_EQ(veksFIRGenLowpass_64f(0.2, t.data(), 4, 0, 1), vekStsBadLength);
    EXPECT_EQ(veksFIRGenHighpass_64f(0.0, t.data(), 8, 0, 1), vekStsBadLength);
    EXPECT_EQ(veksFIRGenHighpass_64f(0.51, t.data(), 8, 0, 1), vekStsBadLength);
    EXPECT_EQ(veksFIRGenLowpass_64f(NAN, t.data(), 8, 0, 1), vekStsBadLength);
    EXPECT_EQ(veksFIRGenBandpass_64f(0.3, 0.3, t.data(), 8, 0, 1), vekStsBadLength);
    EXPECT_EQ(veksFIRGenBandstop_64f(0.1, 0.6, t.data(), 8, 0, 1), vekStsBadLength);
    EXPECT_TRUE(t.intact());
    EXPECT_EQ(veksFIRGenLowpass_64f(0.5, t.data(), 5, 0, 1), vekStsOk);
    EXPECT_TRUE(t.guard_intact());
    vt::Guarded<double> u(26);
    EXPECT_EQ(veksIIRGenLowpass_64f(0.2, 1, 4, nullptr, 0), vekStsNullPtr);
    EXPECT_EQ(veksIIRGenLowpass_64f(0.5, 1, 0, u.data(), 0), vekStsBadCutoff);
    EXPECT_EQ(veksIIRGenHighpass_64f(0.0, 1, 0, u.data(), 0), vekStsBadCutoff);
    EXPECT_EQ(veksIIRGenLowpass_64f(0.2, 1, 13, u.data(), 0), vekStsBadDesignOrder);
    EXPECT_EQ(veksIIRGenLowpass_64f(0.2, 1, 0, u.data(), 1), vekStsBadDesignOrder);
    EXPECT_EQ(veksIIRGenLowpass_64f(0.2, 29.5, 4, u.data(), 1), vekStsBadTolerance);
    EXPECT_EQ(veksIIRGenHighpass_64f(0.2, 0.0, 4, u.data(), 1), vekStsBadTolerance);
    EXPECT_EQ(veksIIRGenLowpass_64f(0.2, 0.0, 4, u.data(), 2), vekStsOk); // other types: nothing written
    EXPECT_TRUE(u.intact());
    EXPECT_EQ(veksIIRGenLowpass_64f(0.2, 29.0, 12, u.data(), 1), vekStsOk);
    EXPECT_TRUE(u.guard_intact());
}

TEST(IirDesign, MatchesPrototypeResponse) {
    for (int high : {0, 1})
        for (int type : {0, 1})
            for (int order = 1; order <= 12; ++order)
                for (double fc : {0.07, 0.19, 0.33, 0.45})
                    for (double tol : {0.5, 3.0}) {
                        if (type == 0 && tol != 0.5) continue;
                        vt::Guarded<double> taps(2 * (order + 1));
                        const auto gen = high ? veksIIRGenHighpass_64f : veksIIRGenLowpass_64f;
                        ASSERT_EQ(gen(fc, tol, order, taps.data(), type), vekStsOk);
                        ASSERT_TRUE(taps.guard_intact());
                        const auto t = taps.values();
                        EXPECT_EQ(t[order + 1], 1.0);
                        // Rounding taps to double moves |B/A| by about eps (sum |b| + |H| sum |a|) / |A|.
                        const auto abs_sum = [](LD acc, double v) { return acc + std::fabs(v); };
                        const LD sb = std::accumulate(t.begin(), t.begin() + order + 1, LD(0), abs_sum);
                        const LD sa = std::accumulate(t.begin() + order + 1, t.end(), LD(0), abs_sum);
                        const std::vector<LD> a(t.begin() + order + 1, t.end());
                        for (int i = 1; i < 64; ++i) {
                            const LD f = 0.5L * i / 64;
                            const LD want = designref::prototype_gain(high, type, tol, order, fc, f);
                            const LD got = designref::iir_gain(t, order, f);
                            const LD a_mag = std::abs(designref::poly_at(a.data(), order + 1, f));
                            const double tol = static_cast<double>(1e-12L + 16 * 2.2e-16L * (sb + want * sa) / a_mag);
                            ASSERT_NEAR(static_cast<double>(got), static_cast<double>(want), tol)
                                << "high " << high << " type " << type << " order " << order << " fc " << fc
                                << " f " << static_cast<double>(f);
                        }
                    }
}

} // namespace
