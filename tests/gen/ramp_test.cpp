// Ramps and the Jaehne chirp against their formulas.
#include <cmath>
#include <limits>
#include <vector>

#include "signature_probe.h"

namespace {

// Floating types take the value as it is; integers round half away from
// zero and saturate.
template <class T> T stored(double v) {
    if constexpr (std::is_floating_point_v<T>) return T(v);
    const double r = v <= 0 ? v - 0.5 : v + 0.5;
    const double lo = double(std::numeric_limits<T>::min()), hi = double(std::numeric_limits<T>::max());
    return r >= hi ? std::numeric_limits<T>::max() : r <= lo ? std::numeric_limits<T>::min() : T(std::int64_t(r));
}

template <class T>
void check_type(VekStatus (*ramp)(T*, int, float, float), VekStatus (*slope)(T*, int, float, float),
                VekStatus (*jaehne)(T*, int, T), T magn) {
    const int n = 300;
    for (auto fn : {ramp, slope})
        for (const auto& [o, s] : {std::pair{0.5f, 1.0f}, {-1000.5f, 17.25f}, {3e9f, -2.5e7f}, {0.0f, 0.1f}}) {
            vt::Guarded<T> d(n);
            ASSERT_EQ(fn(d.data(), n, o, s), vekStsOk);
            EXPECT_TRUE(d.guard_intact());
            for (int i = 0; i < n; ++i) {
                // 32f multiplies and adds in single precision, the others in double.
                const T want = std::is_same_v<T, Vek32f> ? T(float(i) * s + o) : stored<T>(double(float(i)) * s + double(o));
                ASSERT_EQ(d[i], want) << i;
            }
        }
    for (int n : {1, 2, 7, 256}) {
        vt::Guarded<T> d(n);
        ASSERT_EQ(jaehne(d.data(), n, magn), vekStsOk);
        EXPECT_TRUE(d.guard_intact());
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(d[i], stored<T>(double(magn) * std::sin(1.5707963267948966 * (double(i) * i) / n))) << n << " " << i;
    }
    sp::expect_checks_all({}, ramp, slope, jaehne);
    vt::Guarded<T> g(3);
    if constexpr (std::is_signed_v<T>) {
        EXPECT_EQ(jaehne(g.data(), 3, T(-1)), vekStsNegativeMagnitude);
        EXPECT_EQ(jaehne(nullptr, 3, T(-1)), vekStsNullPtr);
        EXPECT_EQ(jaehne(g.data(), 0, T(-1)), vekStsBadLength);
        EXPECT_TRUE(g.intact());
    }
}

#define CHECK_TYPE(s, magn) check_type<Vek##s>(veksVectorRamp_##s, veksVectorSlope_##s, veksVectorJaehne_##s, magn)

TEST(Ramp, EveryMember) {
    CHECK_TYPE(8s, 127);
    CHECK_TYPE(8u, 255);
    CHECK_TYPE(16s, 32767);
    CHECK_TYPE(16u, 1000);
    CHECK_TYPE(32s, 2147483647);
    CHECK_TYPE(32u, 4000000000u);
    CHECK_TYPE(32f, 2.5f);
    CHECK_TYPE(64f, 1.0);
}

} // namespace
