// Tones and triangles against a transcription of the recurrence and the closed form.
#include <cmath>
#include <cstring>
#include <vector>

#include "gen_reference.h"
#include "veks_test.h"

namespace {

using gref::kTwoPi;

double reduced_phase(double phase, int len, double f) {
    double p = phase + double(len) * kTwoPi * f;
    p -= std::floor(p * 0.15915494309189535) * kTwoPi;
    return (p >= 0 && p < kTwoPi) ? p : 0.0;
}

// Call k repairs the first k bad arguments in the order the checks run, so
// each call fails with the status of the next check; nothing is written.
template <class Call> void expect_check_order(std::initializer_list<VekStatus> order, Call call) {
    int k = 0;
    for (VekStatus want : order) EXPECT_EQ(call(k++), want) << "step " << k - 1;
}

struct ToneCase {
    double magn, f, phase;
    int len;
};
const ToneCase kTones[] = {{1, 0.1, 0, 1}, {2.5, 0.37, 1.0, 2}, {3, 0.01, 6.0, 3}, {1, 0.2, 0.5, 4}, {7, 0.123, 2.0, 5},
                           {1, 0.0, 0.3, 9}, {100, 0.4999, 3.14, 1000}, {1, 0.3, 4.0, 4097}};

TEST(Tone, MatchesTranscription) {
    for (const auto& c : kTones) {
        std::vector<Vek64f> x(c.len);
        double ph = c.phase;
        ASSERT_EQ(veksTone_Direct_64f(x.data(), c.len, c.magn, c.f, &ph), vekStsOk);
        EXPECT_EQ(x, gref::tone(c.magn, c.f, c.phase, c.len)) << c.f;
        EXPECT_EQ(ph, reduced_phase(c.phase, c.len, c.f));
        std::vector<Vek64fc> z(c.len);
        ph = c.phase;
        ASSERT_EQ(veksTone_Direct_64fc(z.data(), c.len, c.magn, c.f, &ph), vekStsOk);
        const auto s = gref::tone(c.magn, c.f, c.phase, c.len, true);
        for (int n = 0; n < c.len; ++n) ASSERT_TRUE(z[n].re == x[n] && z[n].im == s[n]) << n;
        // Narrow forms round the double form's values from the same single-precision
        // parameters (one complex float and one real 16-bit form: the others share their paths).
        const float f = float(c.f), p = float(c.phase);
        double pd = p;
        ASSERT_EQ(veksTone_Direct_64fc(z.data(), c.len, 30000.0 * c.magn / 100, f, &pd), vekStsOk);
        std::vector<Vek32fc> z32(c.len);
        std::vector<Vek16s> i(c.len);
        float p1 = p, p2 = p;
        const float m32 = float(30000.0 * c.magn / 100);
        ASSERT_EQ(veksTone_Direct_32fc(z32.data(), c.len, m32, f, &p1), vekStsOk);
        ASSERT_EQ(veksTone_Direct_16s(i.data(), c.len, Vek16s(m32), f, &p2), vekStsOk);
        for (int n = 0; n < c.len; ++n) ASSERT_TRUE(z32[n].re == float(z[n].re) && z32[n].im == float(z[n].im)) << n;
        // An integral magnitude: the 16-bit form truncates the same values.
        for (int n = 0; n < c.len && double(m32) == double(Vek16s(m32)); ++n)
            ASSERT_EQ(i[n], Vek16s(std::trunc(z[n].re))) << n;
        EXPECT_EQ(p1, float(pd));
    }
}

// Phase pointer, magnitude, frequency, (asymmetry,) phase value, dst, length;
// then the lower bounds and NaN.
TEST(Tone, CheckOrder) {
    vt::Guarded<Vek64f> g(4);
    double p = 0;
    expect_check_order({vekStsNullPtr, vekStsBadToneMagnitude, vekStsBadToneFrequency, vekStsBadTonePhase, vekStsNullPtr,
                        vekStsBadLength}, [&](int k) {
        p = k > 3 ? 1.0 : kTwoPi;
        return veksTone_Direct_64f(k > 4 ? g.data() : nullptr, 0, double(k > 1), k > 2 ? 0.1 : 0.5, k > 0 ? &p : nullptr);
    });
    EXPECT_EQ(p, 1.0);
    expect_check_order({vekStsNullPtr, vekStsBadTriangleMagnitude, vekStsBadTriangleFrequency, vekStsBadTriangleAsymmetry,
                        vekStsBadTrianglePhase, vekStsNullPtr, vekStsBadLength}, [&](int k) {
        p = k > 4 ? 1.0 : kTwoPi;
        return veksTriangle_Direct_64f(k > 5 ? g.data() : nullptr, -2, k > 1 ? 1.0 : 0.0, k > 2 ? 0.1 : 0.5,
                                       k > 3 ? 0.0 : 3.141592653589793, k > 0 ? &p : nullptr);
    });
    EXPECT_EQ(p, 1.0);
    float bad = -0.0001f;
    EXPECT_EQ(veksTone_Direct_32f(nullptr, 0, 1.0f, 0.1f, &bad), vekStsBadTonePhase);
    EXPECT_EQ(veksTone_Direct_32f(nullptr, 0, 1.0f, -0.1f, &bad), vekStsBadToneFrequency);
    EXPECT_EQ(veksTone_Direct_64fc(nullptr, 1, 1.0, std::nan(""), &p), vekStsBadToneFrequency);
    EXPECT_EQ(veksTriangle_Direct_32f(nullptr, 0, 1, 0.1f, -3.1415927f, &bad), vekStsBadTriangleAsymmetry);
    EXPECT_TRUE(g.intact());
}

double triangle_at(double magn, double asym, double theta) {
    const double pi = 3.141592653589793, fall = pi + asym, rise = pi - asym;
    theta = std::fmod(theta, kTwoPi);
    return theta < fall ? magn * (1 - 2 * theta / fall) : magn * (2 * (theta - fall) / rise - 1);
}

TEST(Triangle, FollowsTheClosedForm) {
    for (double asym : {0.0, 1.0, -2.5, 3.0})
        for (double f : {0.01, 0.0625, 0.17, 0.49})
            for (double phase : {0.0, 1.0, 5.9}) {
                // Folding reproduces the closed form while one step's phase
                // stays shorter than either part of the period.
                if (kTwoPi * f >= std::min(3.141592653589793 + asym, 3.141592653589793 - asym)) continue;
                const int len = 2000;
                std::vector<Vek64fc> z(len);
                double p = phase;
                ASSERT_EQ(veksTriangle_Direct_64fc(z.data(), len, 3.0, f, asym, &p), vekStsOk);
                EXPECT_NEAR(p, reduced_phase(phase, len, f), 1e-12);
                const double p_im = phase + 4.71238898038469; // a quarter period later
                for (int n = 0; n < len; ++n) {
                    // Accumulated slopes drift by about one rounding per sample.
                    const double tol = 3.0 * 1e-14 * (n + 1);
                    ASSERT_NEAR(z[n].re, triangle_at(3.0, asym, phase + kTwoPi * f * n), tol) << asym << " " << f << " " << n;
                    ASSERT_NEAR(z[n].im, triangle_at(3.0, asym, p_im + kTwoPi * f * n), tol) << asym << " " << f << " " << n;
                }
            }
    // asym = -pi leaves no falling part: a rising sawtooth.
    std::vector<Vek64f> saw(16);
    double pd = 0;
    ASSERT_EQ(veksTriangle_Direct_64f(saw.data(), 16, 1.0, 0.125, -3.141592653589793, &pd), vekStsOk);
    for (int n = 1; n < 16; ++n) // at a whole period the value reaches +1 exactly and folds one step later
        EXPECT_NEAR(saw[n], n % 8 ? -1.0 + 0.25 * (n % 8) : 1.0, 1e-12) << n;
}

TEST(ToneQ15, MatchesDirectFormsKeepsPhaseAndChecks) {
    int size = 0;
    ASSERT_EQ(veksToneGetStateSizeQ15_16s(&size), vekStsOk);
    EXPECT_EQ(size, 40);
    ASSERT_EQ(veksTriangleGetStateSizeQ15_16s(&size), vekStsOk);
    EXPECT_EQ(size, 48);
    const int fq = 3000, pq = 100000, aq = -20000;
    const float f = fq / 32768.0f, ph = pq / 32768.0f, as = aq / 32768.0f;
    std::vector<Vek16s> want(300), got(300);
    float p = ph;
    ASSERT_EQ(veksTone_Direct_16s(want.data(), 300, 12000, f, &p), vekStsOk);
    ASSERT_EQ(veksToneQ15_Direct_16s(got.data(), 300, 12000, fq, pq), vekStsOk);
    EXPECT_EQ(got, want);
    VeksToneState_16s* st = nullptr;
    ASSERT_EQ(veksToneInitAllocQ15_16s(&st, 12000, fq, pq), vekStsOk);
    ASSERT_EQ(veksToneQ15_16s(got.data(), 100, st), vekStsOk);
    ASSERT_EQ(veksToneQ15_16s(got.data() + 100, 200, st), vekStsOk);
    for (int n = 0; n < 300; ++n) ASSERT_NEAR(got[n], want[n], 1) << n;
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + 100, want.begin()));
    EXPECT_EQ(veksToneFree(st), vekStsOk);

    p = ph;
    ASSERT_EQ(veksTriangle_Direct_16s(want.data(), 300, 12000, f, as, &p), vekStsOk);
    ASSERT_EQ(veksTriangleQ15_Direct_16s(got.data(), 300, 12000, fq, aq, pq), vekStsOk);
    EXPECT_EQ(got, want);
    std::vector<unsigned char> mem(48 + 32);
    auto* tst = reinterpret_cast<VeksTriangleState_16s*>(mem.data() + (32 - reinterpret_cast<std::uintptr_t>(mem.data()) % 32) % 32);
    ASSERT_EQ(veksTriangleInitQ15_16s(tst, 12000, fq, aq, pq), vekStsOk);
    ASSERT_EQ(veksTriangleQ15_16s(got.data(), 150, tst), vekStsOk);
    ASSERT_EQ(veksTriangleQ15_16s(got.data() + 150, 150, tst), vekStsOk);
    for (int n = 0; n < 300; ++n) ASSERT_NEAR(got[n], want[n], 1) << n;
    EXPECT_EQ(veksToneQ15_16s(got.data(), 1, reinterpret_cast<VeksToneState_16s*>(tst)), vekStsBadContext);
    EXPECT_EQ(veksTriangleFree(tst), vekStsOk); // placed by Init: invalidated, not freed
    EXPECT_EQ(veksTriangleQ15_16s(got.data(), 1, tst), vekStsBadContext);
    EXPECT_EQ(veksTriangleFree(tst), vekStsBadContext);
    // Init: state, magnitude, frequency, phase (bounds 16383 and 205886). The
    // Direct forms test the length before the parameters.
    st = reinterpret_cast<VeksToneState_16s*>(mem.data());
    expect_check_order({vekStsNullPtr, vekStsBadToneMagnitude, vekStsBadToneFrequency, vekStsBadTonePhase,
                        vekStsOk}, [&](int k) {
        return veksToneInitQ15_16s(k > 0 ? st : nullptr, k > 1 ? 1 : 0, k > 2 ? 16383 : 16384, k > 3 ? 205886 : 205887);
    });
    EXPECT_EQ(veksToneInitQ15_16s(st, 1, -1, 0), vekStsBadToneFrequency);
    VeksToneState_16s* out = st;
    EXPECT_EQ(veksToneInitAllocQ15_16s(&out, 1, 20000, 0), vekStsBadToneFrequency);
    EXPECT_EQ(out, st);
    EXPECT_EQ(veksToneInitAllocQ15_16s(nullptr, 1, 0, 0), vekStsNullPtr);
    vt::Guarded<Vek16s> g(4);
    EXPECT_EQ(veksToneQ15_16s(nullptr, 4, st), vekStsNullPtr);
    EXPECT_EQ(veksToneQ15_16s(g.data(), 4, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksToneQ15_16s(g.data(), 0, st), vekStsBadLength);
    EXPECT_EQ(veksToneQ15_Direct_16s(g.data(), 0, 0, 0, 0), vekStsBadLength);
    EXPECT_EQ(veksToneQ15_Direct_16s(g.data(), 4, 0, 0, 0), vekStsBadToneMagnitude);
    expect_check_order({vekStsNullPtr, vekStsBadLength, vekStsBadTriangleMagnitude, vekStsBadTriangleFrequency,
                        vekStsBadTriangleAsymmetry, vekStsBadTrianglePhase}, [&](int k) {
        return veksTriangleQ15_Direct_16s(k > 0 ? g.data() : nullptr, k > 1 ? 4 : 0, k > 2 ? 1 : 0, k > 3 ? 16383 : 16384,
                                          k > 4 ? -102943 : 102944, 205887);
    });
    EXPECT_TRUE(g.intact());
    EXPECT_EQ(veksToneFree(nullptr), vekStsNullPtr);
    EXPECT_EQ(veksToneFree(st), vekStsOk);
    EXPECT_EQ(veksToneFree(st), vekStsBadContext);
    EXPECT_EQ(veksTriangleGetStateSizeQ15_16s(nullptr), vekStsNullPtr);
}

} // namespace
