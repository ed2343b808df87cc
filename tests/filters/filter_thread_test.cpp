// Filter states and OpenMP-divided paths used from many threads at once:
// every thread gets the result of a lone run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <thread>
#include <vector>

#include "veks.h"

namespace {

constexpr int kThreads = 6;

// Runs job(t, out) serially, then all at once in threads, and compares (a
// long FIR call may split its work differently by thread count: a small tolerance).
void expect_same_in_threads(std::size_t out_elems, const std::function<void(int, std::vector<double>&)>& job) {
    std::vector<std::vector<double>> want(kThreads, std::vector<double>(out_elems)), got = want;
    for (int t = 0; t < kThreads; ++t) job(t, want[t]);
    std::vector<std::thread> pool;
    for (int t = 0; t < kThreads; ++t) pool.emplace_back([&, t] { job(t, got[t]); });
    for (auto& th : pool) th.join();
    for (int t = 0; t < kThreads; ++t) {
        double scale = 1e-30, worst = 0;
        for (std::size_t i = 0; i < out_elems; ++i) {
            scale = std::max(scale, std::fabs(want[t][i]));
            worst = std::max(worst, std::fabs(got[t][i] - want[t][i]));
        }
        EXPECT_LE(worst, 1e-5 * scale) << "thread " << t;
    }
}

std::vector<float> signal(std::size_t n, int seed) {
    std::vector<float> x(n);
    for (std::size_t i = 0; i < n; ++i) x[i] = float(int((i * 131 + std::size_t(seed) * 17) % 97) - 48) / 48.0f;
    return x;
}

// Blocks for the direct, transform and OpenMP-split paths.
TEST(FilterThreads, FirStatePerThread) {
    const int blocks[] = {7, 300, 600, 1700, 2500, 1};
    const std::size_t total = 7 + 300 + 600 + 1700 + 2500 + 1;
    for (int taps : {20, 100}) {
        expect_same_in_threads(total, [&](int t, std::vector<double>& out) {
            const auto h = signal(std::size_t(taps), 3 + t);
            const auto x = signal(total, t);
            std::vector<float> y(total);
            VeksFIRState_32f* s = nullptr;
            ASSERT_EQ(veksFIRInitAlloc_32f(&s, h.data(), taps, nullptr), vekStsOk);
            std::size_t at = 0;
            for (int b : blocks) {
                ASSERT_EQ(veksFIR_32f(x.data() + at, y.data() + at, b, s), vekStsOk);
                at += std::size_t(b);
            }
            veksFIRFree_32f(s);
            std::copy(y.begin(), y.end(), out.begin());
        });
    }
}

TEST(FilterThreads, MultirateFirStatePerThread) {
    const int iters = 2000;  // over the OpenMP threshold
    expect_same_in_threads(std::size_t(iters) * 3, [&](int t, std::vector<double>& out) {
        const auto h = signal(70, 5 + t);
        const auto x = signal(std::size_t(iters) * 2, t);
        std::vector<Vek64f> h64(h.begin(), h.end());
        std::vector<Vek32f> y(std::size_t(iters) * 3);
        VeksFIRState64f_32f* s = nullptr;
        ASSERT_EQ(veksFIRMRInitAlloc64f_32f(&s, h64.data(), 70, 3, 1, 2, 0, nullptr), vekStsOk);
        ASSERT_EQ(veksFIR64f_32f(x.data(), y.data(), iters, s), vekStsOk);
        veksFIRFree64f_32f(s);
        std::copy(y.begin(), y.end(), out.begin());
    });
}

TEST(FilterThreads, IirStatePerThread) {
    const std::size_t n = 3000;
    expect_same_in_threads(2 * n, [&](int t, std::vector<double>& out) {
        const float g = 0.1f * float(t + 1);
        const Vek32f arb[] = {g, g, 0, 1, -0.5f, 0};
        const Vek32f bq[] = {1, 0.5f, 0.25f, 1, -0.5f, 0.125f, g, 0, g, 1, 0.1f, 0.2f};
        const auto x = signal(n, t);
        std::vector<Vek32f> y(2 * n);
        VeksIIRState_32f* a = nullptr;
        VeksIIRState_32f* b = nullptr;
        ASSERT_EQ(veksIIRInitAlloc_32f(&a, arb, 2, nullptr), vekStsOk);
        ASSERT_EQ(veksIIRInitAlloc_BiQuad_32f(&b, bq, 2, nullptr), vekStsOk);
        ASSERT_EQ(veksIIR_32f(x.data(), y.data(), 1000, a), vekStsOk);
        ASSERT_EQ(veksIIR_32f(x.data() + 1000, y.data() + 1000, 2000, a), vekStsOk);
        ASSERT_EQ(veksIIR_32f(x.data(), y.data() + n, int(n), b), vekStsOk);
        veksIIRFree_32f(a);
        veksIIRFree_32f(b);
        std::copy(y.begin(), y.end(), out.begin());
    });
}

TEST(FilterThreads, LongConvolutionAndCorrelation) {
    const int la = 40000, lb = 300;
    expect_same_in_threads(std::size_t(la + lb - 1) + 1000, [&](int t, std::vector<double>& out) {
        const auto a = signal(std::size_t(la), t), b = signal(std::size_t(lb), 9 + t);
        std::vector<Vek32f> y(std::size_t(la + lb - 1) + 1000);
        ASSERT_EQ(veksConv_32f(a.data(), la, b.data(), lb, y.data()), vekStsOk);
        ASSERT_EQ(veksCrossCorr_32f(b.data(), lb, a.data(), 3000, y.data() + la + lb - 1, 1000, 0), vekStsOk);
        std::copy(y.begin(), y.end(), out.begin());
    });
}

} // namespace
