// Filter states and OpenMP-divided paths used from many threads at once.
#include <thread>

#include "fir_reference.h"

namespace {

constexpr int kThreads = 6;

// job(t, out) serially, then in threads at once; each section (ending at `ends`) on its own scale.
void expect_same_in_threads(const std::vector<std::size_t>& ends, const std::function<void(int, std::vector<float>&)>& job) {
    std::vector<std::vector<float>> want(kThreads, std::vector<float>(ends.back())), got = want;
    for (int t = 0; t < kThreads; ++t) job(t, want[t]);
    std::vector<std::thread> pool;
    for (int t = 0; t < kThreads; ++t) pool.emplace_back([&, t] { job(t, got[t]); });
    for (auto& th : pool) th.join();
    for (int t = 0; t < kThreads; ++t)
        for (std::size_t from = 0, e = 0; e < ends.size(); from = ends[e++]) {
            double scale = 1e-30, worst = 0;
            for (std::size_t i = from; i < ends[e]; ++i) {
                scale = std::max(scale, std::fabs(double(want[t][i])));
                worst = std::max(worst, std::fabs(double(got[t][i]) - want[t][i]));
            }
            EXPECT_LE(worst, 1e-5 * scale) << "thread " << t << " section " << e;
        }
}

std::vector<float> signal(std::size_t n, int seed) {
    vt::Rng rng{std::uint64_t(seed)};
    return firt::random_vector<float>(rng, n);
}

// FIR and multirate states on their split paths, IIR states, long convolution and correlation.
TEST(FilterThreads, EachThreadGetsTheLoneResult) {
    const int blocks[] = {7, 300, 600, 1700, 2500, 1};
    const std::size_t total = 7 + 300 + 600 + 1700 + 2500 + 1, iters = 2000, n = 3000;
    const int la = 40000, lb = 300;
    const std::size_t conv_len = std::size_t(la + lb - 1) + 1000;
    const std::size_t mr_at = 2 * total, iir_at = mr_at + 3 * iters, conv_at = iir_at + 2 * n;
    expect_same_in_threads({total, mr_at, iir_at, conv_at, conv_at + conv_len}, [&](int t, std::vector<float>& y) {
        for (int taps : {20, 100}) {
            const auto h = signal(std::size_t(taps), 3 + t);
            const auto x = signal(total, t);
            VeksFIRState_32f* s = nullptr;
            ASSERT_EQ(veksFIRInitAlloc_32f(&s, h.data(), taps, nullptr), vekStsOk);
            Vek32f* dst = y.data() + (taps == 20 ? 0 : total);
            std::size_t at = 0;
            for (int b : blocks) {
                ASSERT_EQ(veksFIR_32f(x.data() + at, dst + at, b, s), vekStsOk);
                at += std::size_t(b);
            }
            veksFIRFree_32f(s);
        }
        Vek32f* dst = y.data() + mr_at;
        const auto h = signal(70, 5 + t);
        std::vector<Vek64f> h64(h.begin(), h.end());
        VeksFIRState64f_32f* mr = nullptr;
        ASSERT_EQ(veksFIRMRInitAlloc64f_32f(&mr, h64.data(), 70, 3, 1, 2, 0, nullptr), vekStsOk);
        ASSERT_EQ(veksFIR64f_32f(signal(iters * 2, t).data(), dst, int(iters), mr), vekStsOk);
        veksFIRFree64f_32f(mr);
        dst = y.data() + iir_at;
        const float g = 0.1f * float(t + 1);
        const Vek32f arb[] = {g, g, 0, 1, -0.5f, 0};
        const Vek32f bq[] = {1, 0.5f, 0.25f, 1, -0.5f, 0.125f, g, 0, g, 1, 0.1f, 0.2f};
        const auto x = signal(n, t);
        VeksIIRState_32f* a = nullptr;
        VeksIIRState_32f* b = nullptr;
        ASSERT_EQ(veksIIRInitAlloc_32f(&a, arb, 2, nullptr), vekStsOk);
        ASSERT_EQ(veksIIRInitAlloc_BiQuad_32f(&b, bq, 2, nullptr), vekStsOk);
        ASSERT_EQ(veksIIR_32f(x.data(), dst, 1000, a), vekStsOk);
        ASSERT_EQ(veksIIR_32f(x.data() + 1000, dst + 1000, 2000, a), vekStsOk);
        ASSERT_EQ(veksIIR_32f(x.data(), dst + n, int(n), b), vekStsOk);
        veksIIRFree_32f(a);
        veksIIRFree_32f(b);
        dst = y.data() + conv_at;
        const auto ca = signal(std::size_t(la), t), cb = signal(std::size_t(lb), 9 + t);
        ASSERT_EQ(veksConv_32f(ca.data(), la, cb.data(), lb, dst), vekStsOk);
        ASSERT_EQ(veksCrossCorr_32f(cb.data(), lb, ca.data(), 3000, dst + la + lb - 1, 1000, 0), vekStsOk);
    });
}

} // namespace
