// One spec shared by several threads at once gives every thread the result
// of a lone call.
#include <thread>

#include "fft_test_util.h"

namespace {

TEST(FftThreads, SharedSpecGivesSameResults) {
    constexpr int kThreads = 4;
    fftt::Spec fs(fftt::kind("C_32fc"), 13, vekFftNormSqrt);       // decomposition step: uses a work buffer
    fftt::Spec is(fftt::kind("C_16sc"), 8, vekFftNormNone, 0);      // fixed point
    const auto* f = fs.as<VeksFFTSpec_C_32fc>();
    const auto* s = is.as<VeksFFTSpec_C_16sc>();
    std::vector<std::vector<Vek32fc>> fin(kThreads, std::vector<Vek32fc>(1 << 13)), fout = fin, fwant = fin;
    std::vector<std::vector<Vek16sc>> sin(kThreads, std::vector<Vek16sc>(1 << 8)), sout = sin, swant = sin;
    vt::Rng rng(3);
    for (int t = 0; t < kThreads; ++t) {
        for (auto& v : fin[t]) v = {static_cast<float>(rng.real(-1, 1)), static_cast<float>(rng.real(-1, 1))};
        for (auto& v : sin[t]) v = {rng.integer<Vek16s>(-9000, 9000), rng.integer<Vek16s>(-9000, 9000)};
        ASSERT_EQ(veksFFTFwd_CToC_32fc(fin[t].data(), fwant[t].data(), f, nullptr), vekStsOk);
        ASSERT_EQ(veksFFTInv_CToC_16sc_Sfs(sin[t].data(), swant[t].data(), s, 8, nullptr), vekStsOk);
    }
    std::vector<std::thread> pool;
    for (int t = 0; t < kThreads; ++t) {
        pool.emplace_back([&, t] {
            std::vector<Vek8u> buf(fs.buf_size());
            for (int rep = 0; rep < 20; ++rep) {
                veksFFTFwd_CToC_32fc(fin[t].data(), fout[t].data(), f, rep % 2 ? buf.data() : nullptr);
                veksFFTInv_CToC_16sc_Sfs(sin[t].data(), sout[t].data(), s, 8, nullptr);
            }
        });
    }
    for (auto& th : pool) th.join();
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(0, std::memcmp(fout[t].data(), fwant[t].data(), fout[t].size() * sizeof(Vek32fc))) << t;
        EXPECT_EQ(0, std::memcmp(sout[t].data(), swant[t].data(), sout[t].size() * sizeof(Vek16sc))) << t;
    }
}

} // namespace
