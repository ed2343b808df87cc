// Ramps and the Jaehne chirp: the stated formulas, rounding half away from
// zero, saturation, checks.
#include <cmath>
#include <limits>
#include <vector>

#include "veks_test.h"

namespace {

template <class T> T away(double v) {
    const double r = v <= 0 ? v - 0.5 : v + 0.5;
    const double lo = double(std::numeric_limits<T>::min()), hi = double(std::numeric_limits<T>::max());
    return r >= hi ? std::numeric_limits<T>::max() : r <= lo ? std::numeric_limits<T>::min() : T(std::int64_t(r));
}

template <class T, class F>
void check_ramp(F fn, float offset, float slope) {
    const int n = 300;
    vt::Guarded<T> d(n);
    ASSERT_EQ(fn(d.data(), n, offset, slope), vekStsOk);
    EXPECT_TRUE(d.guard_intact());
    for (int i = 0; i < n; ++i) {
        T want;
        if constexpr (std::is_same_v<T, Vek32f>) want = float(i) * slope + offset;
        else if constexpr (std::is_same_v<T, Vek64f>) want = double(float(i)) * slope + double(offset);
        else want = away<T>(double(float(i)) * slope + double(offset));
        ASSERT_EQ(d[i], want) << i;
    }
    vt::Guarded<T> g(2);
    EXPECT_EQ(fn(nullptr, 2, offset, slope), vekStsNullPtr);
    EXPECT_EQ(fn(g.data(), 0, offset, slope), vekStsBadLength);
    EXPECT_TRUE(g.intact());
}

TEST(Ramp, EveryMember) {
    for (auto [o, s] : {std::pair{0.5f, 1.0f}, {-1000.5f, 17.25f}, {3e9f, -2.5e7f}, {0.0f, 0.1f}}) {
        check_ramp<Vek8u>(veksVectorRamp_8u, o, s);
        check_ramp<Vek8s>(veksVectorRamp_8s, o, s);
        check_ramp<Vek16u>(veksVectorRamp_16u, o, s);
        check_ramp<Vek16s>(veksVectorRamp_16s, o, s);
        check_ramp<Vek32u>(veksVectorRamp_32u, o, s);
        check_ramp<Vek32s>(veksVectorRamp_32s, o, s);
        check_ramp<Vek32f>(veksVectorRamp_32f, o, s);
        check_ramp<Vek64f>(veksVectorRamp_64f, o, s);
        check_ramp<Vek8u>(veksVectorSlope_8u, o, s);
        check_ramp<Vek8s>(veksVectorSlope_8s, o, s);
        check_ramp<Vek16u>(veksVectorSlope_16u, o, s);
        check_ramp<Vek16s>(veksVectorSlope_16s, o, s);
        check_ramp<Vek32u>(veksVectorSlope_32u, o, s);
        check_ramp<Vek32s>(veksVectorSlope_32s, o, s);
        check_ramp<Vek32f>(veksVectorSlope_32f, o, s);
        check_ramp<Vek64f>(veksVectorSlope_64f, o, s);
    }
    Vek16s r[4];
    ASSERT_EQ(veksVectorRamp_16s(r, 4, 0.5f, 1.0f), vekStsOk);
    EXPECT_EQ(std::vector<Vek16s>(r, r + 4), (std::vector<Vek16s>{1, 2, 3, 4}));
}

template <class T, class F>
void check_jaehne(F fn, T magn) {
    for (int n : {1, 2, 7, 256}) {
        vt::Guarded<T> d(n);
        ASSERT_EQ(fn(d.data(), n, magn), vekStsOk);
        EXPECT_TRUE(d.guard_intact());
        for (int i = 0; i < n; ++i) {
            const double v = double(magn) * std::sin(1.5707963267948966 * (double(i) * i) / n);
            T want;
            if constexpr (std::is_floating_point_v<T>) want = T(v);
            else want = away<T>(v);
            ASSERT_EQ(d[i], want) << n << " " << i;
        }
        if (n == 1) {
            EXPECT_EQ(d[0], T(0));
        }
    }
    vt::Guarded<T> g(2);
    EXPECT_EQ(fn(nullptr, 0, magn), vekStsNullPtr);
    EXPECT_EQ(fn(g.data(), 0, magn), vekStsBadLength);
    EXPECT_TRUE(g.intact());
}

TEST(Jaehne, EveryMember) {
    check_jaehne<Vek8s>(veksVectorJaehne_8s, 127);
    check_jaehne<Vek8u>(veksVectorJaehne_8u, 255);
    check_jaehne<Vek16s>(veksVectorJaehne_16s, 32767);
    check_jaehne<Vek16u>(veksVectorJaehne_16u, 1000);
    check_jaehne<Vek32s>(veksVectorJaehne_32s, 2147483647);
    check_jaehne<Vek32u>(veksVectorJaehne_32u, 4000000000u);
    check_jaehne<Vek32f>(veksVectorJaehne_32f, 2.5f);
    check_jaehne<Vek64f>(veksVectorJaehne_64f, 1.0);
    vt::Guarded<Vek32f> g(3);
    EXPECT_EQ(veksVectorJaehne_32f(g.data(), 3, -1.0f), vekStsNegativeMagnitude);
    EXPECT_EQ(veksVectorJaehne_16s(nullptr, 3, -1), vekStsNullPtr);
    EXPECT_TRUE(g.intact());
}

} // namespace
