// Noise generators: sequences bit-exact against a literal transcription of
// the combined generator, block splits, seed write-back, moments of long
// runs, state sizes and life cycle, argument checks.
#include <cmath>
#include <cstring>
#include <vector>

#include "gen_reference.h"
#include "veks_test.h"

namespace {

template <class T> T trunc_to(double v) {
    if constexpr (std::is_floating_point_v<T>) return T(v);
    else {
        const double lo = std::numeric_limits<T>::min(), hi = std::numeric_limits<T>::max();
        const double t = std::trunc(v);
        return T(t < lo ? lo : t > hi ? hi : t);
    }
}

template <class T> std::vector<T> stored(const std::vector<double>& v) {
    std::vector<T> out;
    for (double x : v) out.push_back(trunc_to<T>(x));
    return out;
}

TEST(Rand, UniformDirectMatchesTranscription) {
    for (unsigned seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
        unsigned s = seed;
        std::vector<Vek32f> f(50);
        ASSERT_EQ(veksRandUniform_Direct_32f(f.data(), 50, -2.0f, 3.0f, &s), vekStsOk);
        EXPECT_EQ(f, stored<Vek32f>(gref::uniform(seed, 50, -2.0, 3.0)));
        // The seed written back is the last subtract-with-borrow word.
        gref::Rng r(seed);
        for (int i = 0; i < 50; ++i) r.next();
        EXPECT_EQ(s, r.x1);
        // A second call continues those words but restarts the congruential one.
        std::vector<Vek64f> d(20);
        unsigned s2 = s;
        ASSERT_EQ(veksRandUniform_Direct_64f(d.data(), 20, 0.0, 1.0, &s2), vekStsOk);
        EXPECT_EQ(d, stored<Vek64f>(gref::uniform(s, 20, 0.0, 1.0)));
        std::vector<Vek16s> i16(64);
        s = seed;
        ASSERT_EQ(veksRandUniform_Direct_16s(i16.data(), 64, -1000, 1000, &s), vekStsOk);
        EXPECT_EQ(i16, stored<Vek16s>(gref::uniform(seed, 64, -1000, 1000)));
    }
}

TEST(Rand, UniformStatesSplitAnywhere) {
    VeksRandUniState_16s* a = nullptr;
    ASSERT_EQ(veksRandUniformInitAlloc_16s(&a, -300, 300, 77), vekStsOk);
    int size = 0;
    ASSERT_EQ(veksRandUniformGetSize_16s(&size), vekStsOk);
    EXPECT_EQ(size, 48);
    std::vector<unsigned char> mem(size + 32);
    auto* b = reinterpret_cast<VeksRandUniState_16s*>(mem.data() + (32 - reinterpret_cast<std::uintptr_t>(mem.data()) % 32) % 32);
    ASSERT_EQ(veksRandUniformInit_16s(b, -300, 300, 77), vekStsOk);
    std::vector<Vek16s> one(10), split(10);
    ASSERT_EQ(veksRandUniform_16s(one.data(), 10, a), vekStsOk);
    ASSERT_EQ(veksRandUniform_16s(split.data(), 4, b), vekStsOk);
    ASSERT_EQ(veksRandUniform_16s(split.data() + 4, 6, b), vekStsOk);
    EXPECT_EQ(one, split);
    EXPECT_EQ(one, stored<Vek16s>(gref::uniform(77, 10, -300, 300)));
    EXPECT_EQ(veksRandUniformFree_16s(a), vekStsOk);

    VeksRandUniState_8u* u8 = nullptr;
    VeksRandUniState_32f* u32 = nullptr;
    ASSERT_EQ(veksRandUniformInitAlloc_8u(&u8, 10, 200, 5), vekStsOk);
    ASSERT_EQ(veksRandUniformInitAlloc_32f(&u32, -1.0f, 1.0f, 5), vekStsOk);
    std::vector<Vek8u> b8(33);
    std::vector<Vek32f> f32(33);
    ASSERT_EQ(veksRandUniform_8u(b8.data(), 33, u8), vekStsOk);
    ASSERT_EQ(veksRandUniform_32f(f32.data(), 33, u32), vekStsOk);
    EXPECT_EQ(b8, stored<Vek8u>(gref::uniform(5, 33, 10, 200)));
    EXPECT_EQ(f32, stored<Vek32f>(gref::uniform(5, 33, -1, 1)));
    // A state of another kind is refused.
    EXPECT_EQ(veksRandUniform_8u(b8.data(), 3, reinterpret_cast<VeksRandUniState_8u*>(u32)), vekStsBadContext);
    EXPECT_EQ(veksRandUniformFree_8u(reinterpret_cast<VeksRandUniState_8u*>(u32)), vekStsBadContext);
    EXPECT_EQ(veksRandUniformFree_8u(u8), vekStsOk);
    EXPECT_EQ(veksRandUniformFree_32f(u32), vekStsOk);
}

TEST(Rand, GaussMatchesTranscription) {
    for (unsigned seed : {3u, 999u}) {
        unsigned s = seed;
        std::vector<Vek32f> f(41);
        ASSERT_EQ(veksRandGauss_Direct_32f(f.data(), 41, 1.5f, 2.0f, &s), vekStsOk);
        EXPECT_EQ(f, stored<Vek32f>(gref::gauss(seed, 41, 1.5, 2.0)));
        std::vector<Vek64f> d(40);
        s = seed;
        ASSERT_EQ(veksRandGauss_Direct_64f(d.data(), 40, 0.0, 1.0, &s), vekStsOk);
        EXPECT_EQ(d, stored<Vek64f>(gref::gauss(seed, 40, 0.0, 1.0)));
        std::vector<Vek16s> i16(40);
        s = seed;
        ASSERT_EQ(veksRandGauss_Direct_16s(i16.data(), 40, 0, 20000, &s), vekStsOk); // saturates now and then
        EXPECT_EQ(i16, stored<Vek16s>(gref::gauss(seed, 40, 0, 20000)));
    }
}

TEST(Rand, GaussStatesKeepThePendingValue) {
    int size = 0;
    ASSERT_EQ(veksRandGaussGetSize_16s(&size), vekStsOk);
    EXPECT_EQ(size, 60);
    VeksRandGaussState_32f* g = nullptr;
    ASSERT_EQ(veksRandGaussInitAlloc_32f(&g, 0.0f, 1.0f, 42), vekStsOk);
    std::vector<Vek32f> v(11);
    ASSERT_EQ(veksRandGauss_32f(v.data(), 1, g), vekStsOk);
    ASSERT_EQ(veksRandGauss_32f(v.data() + 1, 1, g), vekStsOk); // the other half of the pair
    ASSERT_EQ(veksRandGauss_32f(v.data() + 2, 9, g), vekStsOk);
    EXPECT_EQ(v, stored<Vek32f>(gref::gauss(42, 11, 0.0, 1.0)));
    EXPECT_EQ(veksRandGaussFree_32f(g), vekStsOk);

    std::vector<unsigned char> mem(size + 32);
    auto* st = reinterpret_cast<VeksRandGaussState_16s*>(mem.data() + (32 - reinterpret_cast<std::uintptr_t>(mem.data()) % 32) % 32);
    ASSERT_EQ(veksRandGaussInit_16s(st, 100, 30, 8), vekStsOk);
    std::vector<Vek16s> a(7);
    ASSERT_EQ(veksRandGauss_16s(a.data(), 3, st), vekStsOk);
    ASSERT_EQ(veksRandGauss_16s(a.data() + 3, 4, st), vekStsOk);
    EXPECT_EQ(a, stored<Vek16s>(gref::gauss(8, 7, 100, 30)));

    VeksRandGaussState_8u* g8 = nullptr;
    ASSERT_EQ(veksRandGaussInitAlloc_8u(&g8, 10, 40, 1), vekStsOk); // clamps below 0
    std::vector<Vek8u> b(30);
    ASSERT_EQ(veksRandGauss_8u(b.data(), 30, g8), vekStsOk);
    EXPECT_EQ(b, stored<Vek8u>(gref::gauss(1, 30, 10, 40)));
    EXPECT_EQ(veksRandGauss_16s(a.data(), 1, reinterpret_cast<VeksRandGaussState_16s*>(g8)), vekStsBadContext);
    EXPECT_EQ(veksRandGaussFree_8u(g8), vekStsOk);
}

// Moments of long runs: the mean within 5 standard errors, the variance
// within 2% (the standard error of a sample variance of 2^18 values is 0.3%
// for a normal and 0.2% for a uniform distribution).
TEST(Rand, Moments) {
    const int n = 1 << 18;
    std::vector<Vek64f> v(n);
    unsigned s = 2024;
    auto moments = [&](double& mean, double& var) {
        long double a = 0, b = 0;
        for (double x : v) a += x;
        mean = double(a / n);
        for (double x : v) b += (x - mean) * (x - mean);
        var = double(b / (n - 1));
    };
    double mean, var;
    ASSERT_EQ(veksRandUniform_Direct_64f(v.data(), n, -1.0, 3.0, &s), vekStsOk);
    moments(mean, var);
    EXPECT_NEAR(mean, 1.0, 5 * std::sqrt(16.0 / 12 / n));
    EXPECT_NEAR(var, 16.0 / 12, 0.02 * 16.0 / 12);
    for (double x : v) ASSERT_TRUE(x >= -1.0 && x < 3.0);
    ASSERT_EQ(veksRandGauss_Direct_64f(v.data(), n, 5.0, 2.0, &s), vekStsOk);
    moments(mean, var);
    EXPECT_NEAR(mean, 5.0, 5 * 2.0 / std::sqrt(double(n)));
    EXPECT_NEAR(var, 4.0, 0.02 * 4.0);
}

TEST(Rand, ChecksWriteNothing) {
    vt::Guarded<Vek32f> d(4);
    unsigned seed = 1;
    EXPECT_EQ(veksRandUniform_Direct_32f(nullptr, 4, 0, 1, &seed), vekStsNullPtr);
    EXPECT_EQ(veksRandUniform_Direct_32f(d.data(), 0, 0, 1, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksRandUniform_Direct_32f(d.data(), 0, 0, 1, &seed), vekStsBadLength);
    EXPECT_EQ(veksRandGauss_Direct_32f(d.data(), -3, 0, 1, &seed), vekStsBadLength);
    EXPECT_EQ(veksRandGauss_Direct_32f(d.data(), 4, 0, 1, nullptr), vekStsNullPtr);
    EXPECT_EQ(seed, 1u);
    EXPECT_TRUE(d.intact());
    VeksRandUniState_32f* u = nullptr;
    ASSERT_EQ(veksRandUniformInitAlloc_32f(&u, 0, 1, 1), vekStsOk);
    EXPECT_EQ(veksRandUniform_32f(nullptr, 4, u), vekStsNullPtr);
    EXPECT_EQ(veksRandUniform_32f(d.data(), 4, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksRandUniform_32f(d.data(), 0, u), vekStsBadLength);
    EXPECT_TRUE(d.intact());
    EXPECT_EQ(veksRandUniformFree_32f(u), vekStsOk);
    EXPECT_EQ(veksRandUniformInitAlloc_32f(nullptr, 0, 1, 1), vekStsNullPtr);
    EXPECT_EQ(veksRandGaussInitAlloc_32f(nullptr, 0, 1, 1), vekStsNullPtr);
    EXPECT_EQ(veksRandUniformInit_16s(nullptr, 0, 1, 1), vekStsNullPtr);
    EXPECT_EQ(veksRandGaussInit_16s(nullptr, 0, 1, 1), vekStsNullPtr);
    EXPECT_EQ(veksRandUniformFree_16s(nullptr), vekStsNullPtr);
    EXPECT_EQ(veksRandGaussGetSize_16s(nullptr), vekStsNullPtr);
    EXPECT_EQ(veksRandUniformGetSize_16s(nullptr), vekStsNullPtr);
}

TEST(Rand, UnalignedDestination) {
    std::vector<unsigned char> raw(64 * sizeof(Vek32f) + 4);
    unsigned s = 9;
    Vek32f* p = reinterpret_cast<Vek32f*>(raw.data() + 1);
    ASSERT_EQ(veksRandGauss_Direct_32f(p, 64, 0, 1, &s), vekStsOk);
    std::vector<Vek32f> got(64);
    std::memcpy(got.data(), p, sizeof(Vek32f) * 64);
    EXPECT_EQ(got, stored<Vek32f>(gref::gauss(9, 64, 0, 1)));
}

} // namespace
