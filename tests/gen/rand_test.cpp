// Noise generators against a literal transcription of the combined generator.
#include <cmath>
#include <cstring>
#include <vector>

#include "gen_reference.h"
#include "signature_probe.h"
#include "veks_test.h"

namespace {

// The stored values: truncated toward zero and saturated for integers.
template <class T> std::vector<T> stored(const std::vector<double>& v) {
    std::vector<T> out;
    for (double x : v) {
        const double lo = std::numeric_limits<T>::lowest(), hi = std::numeric_limits<T>::max(), t = std::trunc(x);
        out.push_back(std::is_floating_point_v<T> ? T(x) : T(t < lo ? lo : t > hi ? hi : t));
    }
    return out;
}

// The values of a Direct call from `seed`; the seed written back goes to `back`.
template <class T, class F> std::vector<T> direct(F fn, unsigned seed, int len, T a, T b, unsigned* back = nullptr) {
    std::vector<T> v(len);
    EXPECT_EQ(fn(v.data(), len, a, b, &seed), vekStsOk);
    if (back) *back = seed;
    return v;
}

// A state placed by Init in caller memory aligned up to 32 bytes.
template <class S> S* placed(std::vector<unsigned char>& mem) {
    return reinterpret_cast<S*>(mem.data() + (32 - reinterpret_cast<std::uintptr_t>(mem.data()) % 32) % 32);
}

// The values of a state run in calls of the given lengths.
template <class T, class S> std::vector<T> run_state(VekStatus (*gen)(T*, int, S*), S* st, std::initializer_list<int> calls) {
    std::vector<T> out;
    for (int len : calls) {
        std::vector<T> part(len);
        EXPECT_EQ(gen(part.data(), len, st), vekStsOk);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

TEST(Rand, DirectFormsMatchTranscription) {
    for (unsigned seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
        unsigned s = 0;
        EXPECT_EQ(direct<Vek32f>(veksRandUniform_Direct_32f, seed, 50, -2, 3, &s),
                  stored<Vek32f>(gref::uniform(seed, 50, -2.0, 3.0)));
        EXPECT_EQ(direct<Vek16s>(veksRandUniform_Direct_16s, seed, 64, -1000, 1000),
                  stored<Vek16s>(gref::uniform(seed, 64, -1000, 1000)));
        // Past the first block of 128 pairs, ending on half a pair.
        EXPECT_EQ(direct<Vek32f>(veksRandGauss_Direct_32f, seed, 301, 1.5f, 2.0f),
                  stored<Vek32f>(gref::gauss(seed, 301, 1.5, 2.0)));
        EXPECT_EQ(direct<Vek16s>(veksRandGauss_Direct_16s, seed, 40, 0, 20000), // saturates now and then
                  stored<Vek16s>(gref::gauss(seed, 40, 0, 20000)));
        // The seed written back is the last subtract-with-borrow word; a second
        // call continues those words but restarts the congruential one.
        gref::Rng r(seed);
        for (int i = 0; i < 50; ++i) r.next();
        EXPECT_EQ(s, r.x1);
        EXPECT_EQ(direct<Vek64f>(veksRandUniform_Direct_64f, s, 20, 0, 1), stored<Vek64f>(gref::uniform(s, 20, 0, 1)));
    }
}

// Calls of any length continue one stream: the Direct transcription from the
// state's seed, a Gaussian pair's other half kept pending between calls.
TEST(Rand, StatesContinueOneStreamAndCheckTheirKind) {
    int size = 0;
    ASSERT_EQ(veksRandUniformGetSize_16s(&size), vekStsOk);
    EXPECT_EQ(size, 48);
    ASSERT_EQ(veksRandGaussGetSize_16s(&size), vekStsOk);
    EXPECT_EQ(size, 60);
    std::vector<unsigned char> umem(48 + 32), gmem(60 + 32);
    auto* u = placed<VeksRandUniState_16s>(umem);
    auto* g = placed<VeksRandGaussState_16s>(gmem);
    ASSERT_EQ(veksRandUniformInit_16s(u, -300, 300, 77), vekStsOk);
    ASSERT_EQ(veksRandGaussInit_16s(g, 100, 30, 8), vekStsOk);
    EXPECT_EQ(run_state(veksRandUniform_16s, u, {4, 6}), stored<Vek16s>(gref::uniform(77, 10, -300, 300)));
    EXPECT_EQ(run_state(veksRandGauss_16s, g, {3, 4}), stored<Vek16s>(gref::gauss(8, 7, 100, 30)));
    VeksRandGaussState_8u* g8 = nullptr;
    ASSERT_EQ(veksRandGaussInitAlloc_8u(&g8, 10, 40, 1), vekStsOk);
    EXPECT_EQ(run_state(veksRandGauss_8u, g8, {1, 1, 28}), stored<Vek8u>(gref::gauss(1, 30, 10, 40))); // clamps below 0
    EXPECT_EQ(veksRandGaussFree_8u(g8), vekStsOk);
    // A state of another type or kind is refused.
    std::vector<Vek8u> b8(3);
    EXPECT_EQ(veksRandUniform_8u(b8.data(), 3, reinterpret_cast<VeksRandUniState_8u*>(u)), vekStsBadContext);
    EXPECT_EQ(veksRandGauss_8u(b8.data(), 3, reinterpret_cast<VeksRandGaussState_8u*>(g)), vekStsBadContext);
    EXPECT_EQ(veksRandUniformFree_16s(reinterpret_cast<VeksRandUniState_16s*>(g)), vekStsBadContext);
}

TEST(Rand, ChecksWriteNothing) {
    vt::Guarded<Vek32f> d(4);
    sp::expect_checks_all({}, veksRandUniform_Direct_32f, veksRandGauss_Direct_32f, veksRandUniform_Direct_16s,
                          veksRandGauss_Direct_16s);
    VeksRandUniState_32f* u = nullptr;
    ASSERT_EQ(veksRandUniformInitAlloc_32f(&u, 0, 1, 1), vekStsOk);
    EXPECT_EQ(run_state(veksRandUniform_32f, u, {5}), stored<Vek32f>(gref::uniform(1, 5, 0.0, 1.0)));
    vt::expect_ptrs_then_len(2, [&](int p, int len) {
        return veksRandUniform_32f(vt::ptr_or_null(d.data(), 0, p), len, vt::ptr_or_null(u, 1, p));
    }, [&] { return d.intact(); });
    EXPECT_EQ(veksRandUniformFree_32f(u), vekStsOk);
    EXPECT_EQ(veksRandUniformInitAlloc_32f(nullptr, 0, 1, 1), vekStsNullPtr);
    EXPECT_EQ(veksRandUniformInit_16s(nullptr, 0, 1, 1), vekStsNullPtr);
    EXPECT_EQ(veksRandGaussInit_16s(nullptr, 0, 1, 1), vekStsNullPtr);
    EXPECT_EQ(veksRandUniformFree_16s(nullptr), vekStsNullPtr);
    EXPECT_EQ(veksRandGaussGetSize_16s(nullptr), vekStsNullPtr);
    EXPECT_EQ(veksRandUniformGetSize_16s(nullptr), vekStsNullPtr);
}

} // namespace
