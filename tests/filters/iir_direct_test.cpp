// Stateless 16-bit IIR filters: exact integer recurrences of the one-sample
// forms, the single-precision block forms, delay write-back and check order.
#include <algorithm>
#include <cstdint>

#include "veks_test.h"

namespace {

// acc / 2^q, ties to even, by exact integer division.
std::int64_t div_half_even(std::int64_t acc, int q) {
    if (q == 0) return acc;
    const std::int64_t p = std::int64_t(1) << q;
    std::int64_t f = acc >= 0 ? acc / p : -((-acc + p - 1) / p); // floor
    const std::int64_t r = acc - f * p;
    if (2 * r > p || (2 * r == p && (f & 1))) ++f;
    return f;
}
Vek16s sat16(std::int64_t v) { return Vek16s(std::clamp<std::int64_t>(v, -32768, 32767)); }

// Reference with 64-bit integers (the test keeps values far from wrapping).
Vek16s ref_one(Vek16s x, const std::vector<Vek16s>& t, int order, std::vector<std::int64_t>& d) {
    const int q = t[order + 1];
    const std::int64_t y = div_half_even(t[0] * std::int64_t(x) + d[0], q);
    for (int k = 0; k < order; ++k) d[k] = t[k + 1] * std::int64_t(x) - t[order + 2 + k] * y + (k + 1 < order ? d[k + 1] : 0);
    return sat16(y);
}
Vek16s ref_one_bq(Vek16s x16, const std::vector<Vek16s>& t, int nb, std::vector<std::int64_t>& d) {
    std::int64_t x = x16;
    for (int s = 0; s < nb; ++s) {
        const Vek16s* c = &t[6 * s];
        const std::int64_t y = div_half_even(c[0] * x + d[2 * s], c[3]);
        d[2 * s] = c[1] * x + d[2 * s + 1] - c[4] * y;
        d[2 * s + 1] = c[2] * x - c[5] * y;
        x = y;
    }
    return sat16(x);
}

// Stable taps: feedback taps sum to at most a quarter of 2^q.
std::vector<Vek16s> direct_taps(int order, int q, vt::Rng& rng) {
    std::vector<Vek16s> t;
    for (int k = 0; k <= order; ++k) t.push_back(rng.integer<Vek16s>(-60, 60));
    t.push_back(Vek16s(q));
    const int amax = (1 << q) / (4 * order);
    for (int k = 0; k < order; ++k) t.push_back(rng.integer<Vek16s>(-amax, amax));
    return t;
}
std::vector<Vek16s> biquad_direct_taps(int nb, int q, vt::Rng& rng) {
    std::vector<Vek16s> t;
    for (int s = 0; s < nb; ++s) {
        const int amax = (1 << q) / 8, bmax = std::max(1, (1 << q) / 3); // a gain of about 1 per section
        t.insert(t.end(), {rng.integer<Vek16s>(-bmax, bmax), rng.integer<Vek16s>(-bmax, bmax), rng.integer<Vek16s>(-bmax, bmax), Vek16s(q),
                           rng.integer<Vek16s>(-amax, amax), rng.integer<Vek16s>(-amax, amax)});
    }
    return t;
}

TEST(IirDirect, OneSampleFormsAreExactIntegerArithmetic) {
    vt::Rng rng(31);
    for (int q : {0, 1, 4, 8, 12}) {
        for (int order = 1; order <= 6; ++order) {
            SCOPED_TRACE("q " + std::to_string(q) + " order " + std::to_string(order));
            const auto t = direct_taps(order, q, rng);
            std::vector<std::int64_t> rd(order + 1, 0);
            std::vector<Vek32s> d(order, 0);
            for (int i = 0; i < 200; ++i) {
                const Vek16s x = rng.integer<Vek16s>(-1000, 1000);
                std::vector<Vek32s> d2 = d;
                Vek16s y = 0;
                ASSERT_EQ(veksIIROne_Direct_16s(x, &y, t.data(), order, d.data()), vekStsOk);
                ASSERT_EQ(y, ref_one(x, t, order, rd)) << i;
                for (int k = 0; k < order; ++k) ASSERT_EQ(d[k], rd[k]);
                Vek16s z = x;
                ASSERT_EQ(veksIIROne_Direct_16s_I(&z, t.data(), order, d2.data()), vekStsOk);
                ASSERT_EQ(z, y);
                ASSERT_EQ(d2, d);
            }
        }
        for (int nb = 1; nb <= 4; ++nb) {
            SCOPED_TRACE("q " + std::to_string(q) + " sections " + std::to_string(nb));
            const auto t = biquad_direct_taps(nb, q, rng);
            std::vector<std::int64_t> rd(2 * nb, 0);
            std::vector<Vek32s> d(2 * nb, 0);
            for (int i = 0; i < 200; ++i) {
                const Vek16s x = rng.integer<Vek16s>(-1000, 1000);
                Vek16s y = 0;
                ASSERT_EQ(veksIIROne_BiQuadDirect_16s(x, &y, t.data(), nb, d.data()), vekStsOk);
                ASSERT_EQ(y, ref_one_bq(x, t, nb, rd)) << i;
                for (int k = 0; k < 2 * nb; ++k) ASSERT_EQ(d[k], rd[k]);
            }
        }
    }
}

TEST(IirDirect, ShiftRoundsHalfToEvenAndOutputSaturates) {
    // b0 = 1, q = 1: 1/2 -> 0, 3/2 -> 2, -1/2 -> 0, -3/2 -> -2.
    const Vek16s t[] = {1, 0, 1, 0};
    for (auto [x, want] : {std::pair{1, 0}, {3, 2}, {-1, 0}, {-3, -2}, {5, 2}}) {
        Vek32s d = 0;
        Vek16s y = 99;
        ASSERT_EQ(veksIIROne_Direct_16s(Vek16s(x), &y, t, 1, &d), vekStsOk);
        EXPECT_EQ(y, want) << x;
    }
    // 32767 * 4 saturates, the delay keeps the unsaturated y's contribution.
    const Vek16s big[] = {4, 0, 0, -1};
    Vek32s d = 0;
    Vek16s y = 0;
    ASSERT_EQ(veksIIROne_Direct_16s(32767, &y, big, 1, &d), vekStsOk);
    EXPECT_EQ(y, 32767);
    EXPECT_EQ(d, 131068);
}

// The block forms compute in single precision: with integer taps, q = 0 and
// small values every step is exact, so they equal the one-sample forms.
TEST(IirDirect, BlockFormsMatchOneSampleFormsWhenExact) {
    vt::Rng rng(9);
    for (int order = 1; order <= 5; ++order) {
        std::vector<Vek16s> t = direct_taps(order, 0, rng);
        std::vector<Vek32s> d1(order), d2(order), d3(order);
        for (int k = 0; k < order; ++k) d1[k] = d2[k] = d3[k] = rng.integer<Vek32s>(-500, 500);
        std::vector<Vek16s> x(300), yb(300), yo(300), yi;
        for (auto& v : x) v = rng.integer<Vek16s>(-100, 100);
        ASSERT_EQ(veksIIR_Direct_16s(x.data(), yb.data(), 300, t.data(), order, d1.data()), vekStsOk);
        for (int i = 0; i < 300; ++i) ASSERT_EQ(veksIIROne_Direct_16s(x[i], &yo[i], t.data(), order, d2.data()), vekStsOk);
        EXPECT_EQ(yb, yo);
        EXPECT_EQ(d1, d2);
        yi = x;
        ASSERT_EQ(veksIIR_Direct_16s_I(yi.data(), 300, t.data(), order, d3.data()), vekStsOk);
        EXPECT_EQ(yi, yb);
        EXPECT_EQ(d3, d1);
    }
    for (int nb = 1; nb <= 6; ++nb) {
        std::vector<Vek16s> t;
        for (int s = 0; s < nb; ++s) t.insert(t.end(), {1, Vek16s(rng.integer<int>(-3, 3)), Vek16s(rng.integer<int>(-3, 3)), 0, 0, 0});
        std::vector<Vek32s> d1(2 * nb, 7), d2(2 * nb, 7), d3(2 * nb, 7);
        std::vector<Vek16s> x(100), yb(100), yo(100), yi;
        for (auto& v : x) v = rng.integer<Vek16s>(-20, 20);
        ASSERT_EQ(veksIIR_BiQuadDirect_16s(x.data(), yb.data(), 100, t.data(), nb, d1.data()), vekStsOk);
        for (int i = 0; i < 100; ++i) ASSERT_EQ(veksIIROne_BiQuadDirect_16s(x[i], &yo[i], t.data(), nb, d2.data()), vekStsOk);
        EXPECT_EQ(yb, yo);
        EXPECT_EQ(d1, d2);
        yi = x;
        ASSERT_EQ(veksIIR_BiQuadDirect_16s_I(yi.data(), 100, t.data(), nb, d3.data()), vekStsOk);
        EXPECT_EQ(yi, yb);
        EXPECT_EQ(d3, d1);
    }
}

// The delay values come back times 2^q: halves away from zero for the
// arbitrary order, to even for biquads. Here d0 * 2 = 0.5 after one sample.
TEST(IirDirect, DelayWriteBackRounding) {
    const Vek16s t[] = {0, 0, 1, -1};
    Vek32s d = 1;
    Vek16s y = 0;
    ASSERT_EQ(veksIIR_Direct_16s(&y, &y, 1, t, 1, &d), vekStsOk);
    EXPECT_EQ(y, 1); // 0.5 away from zero
    EXPECT_EQ(d, 1);
    const Vek16s tb[] = {0, 0, 0, 1, -1, 0};
    Vek32s db[] = {1, 0};
    y = 0;
    ASSERT_EQ(veksIIR_BiQuadDirect_16s(&y, &y, 1, tb, 1, db), vekStsOk);
    EXPECT_EQ(y, 1);
    EXPECT_EQ(db[0], 0);
    EXPECT_EQ(db[1], 0);
}

TEST(IirDirect, CheckOrder) {
    const Vek16s t[] = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    const Vek16s neg[] = {1, 0, -1, 0};
    const Vek16s bq_neg[] = {1, 0, 0, 0, 0, 0, 1, 0, 0, -2, 0, 0};
    Vek16s x[4] = {1, 2, 3, 4};
    vt::Guarded<Vek16s> y(4);
    Vek32s d[4] = {5, 6, 7, 8};
    // Order before pointers, then pointers, then the shift, then the length.
    EXPECT_EQ(veksIIR_Direct_16s(nullptr, y.data(), 0, t, 0, d), vekStsBadOrder);
    EXPECT_EQ(veksIIR_Direct_16s(nullptr, y.data(), 4, t, 1, d), vekStsNullPtr);
    EXPECT_EQ(veksIIR_Direct_16s(x, y.data(), 4, nullptr, 1, d), vekStsNullPtr);
    EXPECT_EQ(veksIIR_Direct_16s(x, y.data(), 4, t, 1, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksIIR_Direct_16s(x, nullptr, 4, t, 1, d), vekStsNullPtr);
    EXPECT_EQ(veksIIR_Direct_16s(x, y.data(), 0, neg, 1, d), vekStsBadTapScale);
    EXPECT_EQ(veksIIR_Direct_16s(x, y.data(), 0, t, 1, d), vekStsBadLength);
    EXPECT_EQ(veksIIR_Direct_16s_I(nullptr, 4, t, 1, d), vekStsNullPtr);
    EXPECT_EQ(veksIIR_BiQuadDirect_16s(nullptr, y.data(), 0, t, 0, d), vekStsBadOrder);
    EXPECT_EQ(veksIIR_BiQuadDirect_16s(x, y.data(), 4, t, 1, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksIIR_BiQuadDirect_16s(x, y.data(), 0, bq_neg, 2, d), vekStsBadLength);
    EXPECT_EQ(veksIIR_BiQuadDirect_16s(x, y.data(), 4, bq_neg, 2, d), vekStsBadTapScale);
    EXPECT_EQ(veksIIR_BiQuadDirect_16s_I(x, -1, t, 1, d), vekStsBadLength);
    EXPECT_EQ(veksIIROne_Direct_16s(1, nullptr, t, 0, d), vekStsBadOrder);
    EXPECT_EQ(veksIIROne_Direct_16s(1, nullptr, t, 1, d), vekStsNullPtr);
    EXPECT_EQ(veksIIROne_Direct_16s(1, y.data(), t, 1, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksIIROne_Direct_16s(1, y.data(), neg, 1, d), vekStsBadTapScale);
    EXPECT_EQ(veksIIROne_Direct_16s_I(nullptr, t, 1, d), vekStsNullPtr);
    EXPECT_EQ(veksIIROne_BiQuadDirect_16s(1, y.data(), t, 0, d), vekStsBadOrder);
    EXPECT_EQ(veksIIROne_BiQuadDirect_16s(1, y.data(), nullptr, 1, d), vekStsNullPtr);
    EXPECT_EQ(veksIIROne_BiQuadDirect_16s_I(x, t, -1, d), vekStsBadOrder);
    EXPECT_TRUE(y.intact());
    EXPECT_EQ(x[0], 1);
    EXPECT_EQ(std::vector<Vek32s>(d, d + 4), (std::vector<Vek32s>{5, 6, 7, 8}));
    // A bad second section: the first keeps its delay update, no output.
    EXPECT_EQ(veksIIROne_BiQuadDirect_16s(3, y.data(), bq_neg, 2, d), vekStsBadTapScale);
    EXPECT_TRUE(y.intact());
    EXPECT_EQ(d[0], 6); // b1 x + d1 - a1 y = 0 + 6 - 0
    EXPECT_EQ(d[1], 0);
    EXPECT_EQ(d[2], 7);
}

} // namespace
