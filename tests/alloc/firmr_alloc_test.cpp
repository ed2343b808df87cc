// Multirate FIR calls that cannot allocate a work area for long tap
// tables still filter (one sum at a time) to the same outputs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "failing_malloc.h"
#include "veks.h"

namespace {

TEST(AllocFailure, MultirateFirWithoutWorkArea) {
    const int L = 6001, up = 2, down = 3, iters = 200;
    std::vector<Vek32f> taps(L), x(iters * down);
    for (int k = 0; k < L; ++k) taps[std::size_t(k)] = float(std::sin(0.1 * k));
    for (std::size_t k = 0; k < x.size(); ++k) x[k] = float(std::cos(0.37 * double(k)));
    std::vector<Vek32f> with(iters * up), without(iters * up);
    VeksFIRState_32f* a = nullptr;
    VeksFIRState_32f* b = nullptr;
    ASSERT_EQ(veksFIRMRInitAlloc_32f(&a, taps.data(), L, up, 1, down, 2, nullptr), vekStsOk);
    ASSERT_EQ(veksFIRMRInitAlloc_32f(&b, taps.data(), L, up, 1, down, 2, nullptr), vekStsOk);
    ASSERT_EQ(veksFIR_32f(x.data(), with.data(), iters, a), vekStsOk);
    failing_malloc::fail_from(0);
    const VekStatus st = veksFIR_32f(x.data(), without.data(), iters, b);
    const long attempts = failing_malloc::disarm();
    EXPECT_EQ(st, vekStsOk);
    EXPECT_GT(attempts, 0) << "the call allocated nothing: the failing allocator is not in use";
    EXPECT_EQ(failing_malloc::live_blocks(), 0);
    EXPECT_EQ(std::memcmp(with.data(), without.data(), with.size() * sizeof(Vek32f)), 0);
    EXPECT_EQ(veksFIRFree_32f(a), vekStsOk);
    EXPECT_EQ(veksFIRFree_32f(b), vekStsOk);
}

} // namespace
