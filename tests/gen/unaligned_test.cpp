// Every kernel family on arrays placed at odd byte offsets gives the bytes
// it gives on aligned arrays.
#include <cstring>
#include <functional>
#include <vector>

#include "veks_test.h"

namespace {

// run(p) fills (or windows in place) bytes bytes at p; the result must not
// depend on where p lies.
void expect_offset_free(std::size_t bytes, const std::vector<unsigned char>& init,
                        const std::function<VekStatus(void*)>& run) {
    std::vector<unsigned char> aligned_buf(bytes + 64), odd(bytes + 64);
    unsigned char* a = aligned_buf.data() + (64 - reinterpret_cast<std::uintptr_t>(aligned_buf.data()) % 64) % 64;
    std::memcpy(a, init.data(), bytes);
    ASSERT_EQ(run(a), vekStsOk);
    for (int off : {1, 3, 5}) {
        unsigned char* p = odd.data() + off;
        std::memcpy(p, init.data(), bytes);
        ASSERT_EQ(run(p), vekStsOk);
        EXPECT_EQ(0, std::memcmp(p, a, bytes)) << "offset " << off;
    }
}

std::vector<unsigned char> noise_bytes(std::size_t n) {
    vt::Rng r(5);
    std::vector<unsigned char> v(n);
    for (auto& b : v) b = r.integer<unsigned char>(0, 255);
    return v;
}

TEST(GenUnaligned, EveryFamily) {
    const int n = 29;
    auto shorts = noise_bytes(n * sizeof(Vek16sc));
    expect_offset_free(n * sizeof(Vek16sc), shorts, [&](void* p) { return veksWinKaiser_16sc_I(static_cast<Vek16sc*>(p), n, 2.0f); });
    expect_offset_free(n * sizeof(Vek16sc), shorts, [&](void* p) { return veksWinHann_16sc_I(static_cast<Vek16sc*>(p), n); });
    std::vector<unsigned char> doubles(n * sizeof(Vek64f));
    for (int i = 0; i < n; ++i) {
        const double v = 0.25 * i - 3;
        std::memcpy(doubles.data() + i * sizeof(Vek64f), &v, sizeof v);
    }
    expect_offset_free(n * sizeof(Vek64f), doubles, [&](void* p) { return veksWinBlackmanOpt_64f_I(static_cast<Vek64f*>(p), n); });
    const std::vector<unsigned char> zeros(n * sizeof(Vek64fc));
    expect_offset_free(n * sizeof(Vek64fc), zeros, [&](void* p) {
        double ph = 1.0;
        return veksTone_Direct_64fc(static_cast<Vek64fc*>(p), n, 2.0, 0.1, &ph);
    });
    expect_offset_free(n * sizeof(Vek16sc), zeros, [&](void* p) {
        float ph = 1.0f;
        return veksTriangle_Direct_16sc(static_cast<Vek16sc*>(p), n, 1000, 0.1f, 0.5f, &ph);
    });
    expect_offset_free(n * sizeof(Vek32s), zeros, [&](void* p) { return veksVectorRamp_32s(static_cast<Vek32s*>(p), n, -7.5f, 3.25f); });
    expect_offset_free(n * sizeof(Vek64f), zeros, [&](void* p) { return veksVectorJaehne_64f(static_cast<Vek64f*>(p), n, 3.0); });
    expect_offset_free(n * sizeof(Vek16s), zeros, [&](void* p) {
        unsigned seed = 3;
        return veksRandUniform_Direct_16s(static_cast<Vek16s*>(p), n, -9, 9, &seed);
    });
    expect_offset_free(n * sizeof(Vek64f), zeros, [&](void* p) {
        unsigned seed = 3;
        return veksRandGauss_Direct_64f(static_cast<Vek64f*>(p), n, 0.0, 1.0, &seed);
    });
}

} // namespace
