// Sparse IIR: sizes, position checks, the long-double reference and streaming.
#include <algorithm>
#include <array>
#include <cmath>

#include "iir_reference.h"
#include "veks_test.h"

namespace {

struct Sparse {
    std::vector<float> taps;  // b then a
    std::vector<Vek32s> pos;  // pb then pa
    int nz, nz2;
    int order() const { return pos[nz - 1]; }
    int order2() const { return nz2 ? pos[nz + nz2 - 1] : 0; }
};

Sparse random_sparse(int nz, int nz2, vt::Rng& rng) {
    Sparse s{{}, {}, nz, nz2};
    for (int i = 0, p = rng.integer<int>(0, 3); i < nz; ++i, p += rng.integer<int>(1, 5)) {
        s.taps.push_back(float(rng.real(-1, 1)));
        s.pos.push_back(p);
    }
    for (int j = 0, p = rng.integer<int>(1, 3); j < nz2; ++j, p += rng.integer<int>(1, 6)) {
        s.taps.push_back(float(rng.real(-0.6, 0.6) / nz2)); // sum of |a| below 0.6: stable
        s.pos.push_back(p);
    }
    return s;
}

// y[n] = sum b_i x[n - pb_i] + sum a_j y[n - pa_j], earlier samples from
// the history (newest first: order inputs, then the outputs).
std::vector<long double> reference(const Sparse& s, const std::vector<float>& x, const std::vector<float>& hist) {
    std::vector<long double> y(x.size());
    auto xin = [&](long m) -> long double { return m >= 0 ? x[m] : hist[-m - 1]; };
    auto yout = [&](long m) -> long double { return m >= 0 ? y[m] : hist[s.order() - m - 1]; };
    for (long n = 0; n < long(x.size()); ++n) {
        for (int i = 0; i < s.nz; ++i) y[n] += s.taps[i] * xin(n - s.pos[i]);
        for (int j = 0; j < s.nz2; ++j) y[n] += s.taps[s.nz + j] * yout(n - s.pos[s.nz + j]);
    }
    return y;
}

VeksIIRSparseState_32f* init(const Sparse& s, const float* dly, std::vector<Vek8u>& mem, int offset = 3) {
    int size = 0;
    EXPECT_EQ(veksIIRSparseGetStateSize_32f(s.nz, s.nz2, s.order(), s.order2(), &size), vekStsOk);
    mem.assign(std::size_t(size + offset), 0);
    VeksIIRSparseState_32f* st = nullptr;
    EXPECT_EQ(veksIIRSparseInit_32f(&st, s.taps.data(), s.pos.data(), s.nz, s.nz2, dly, mem.data() + offset), vekStsOk);
    return st;
}

int a16(int v) { return (v + 15) / 16 * 16; }

TEST(IirSparse, SizesAndChecks) {
    int size = 0;
    for (auto [nz, nz2, o, o2] : {std::array{1, 0, 0, 0}, {3, 2, 10, 7}, {5, 5, 100, 33}}) {
        ASSERT_EQ(veksIIRSparseGetStateSize_32f(nz, nz2, o, o2, &size), vekStsOk);
        EXPECT_EQ(size, 2 * a16(4 * nz) + 2 * a16(4 * nz2) + a16(8 * (o + o2) + 8) + 64);
    }
    EXPECT_EQ(veksIIRSparseGetStateSize_32f(0, -1, -1, 0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksIIRSparseGetStateSize_32f(0, 0, -1, 0, &size), vekStsBadOrder);
    EXPECT_EQ(veksIIRSparseGetStateSize_32f(1, -1, 0, 0, &size), vekStsBadOrder);
    EXPECT_EQ(veksIIRSparseGetStateSize_32f(1, 0, -1, 0, &size), vekStsBadSparseTaps);
    EXPECT_EQ(veksIIRSparseGetStateSize_32f(1, 0, 0, -1, &size), vekStsBadSparseTaps);

    const float taps[] = {1, 2, 3, 4};
    std::vector<Vek8u> mem(1024);
    VeksIIRSparseState_32f* st = nullptr;
    auto call = [&](std::vector<Vek32s> pos, int nz, int nz2) {
        return veksIIRSparseInit_32f(&st, taps, pos.data(), nz, nz2, nullptr, mem.data());
    };
    EXPECT_EQ(veksIIRSparseInit_32f(nullptr, taps, nullptr, 0, 0, nullptr, mem.data()), vekStsNullPtr);
    const Vek32s good[] = {0, 1};
    EXPECT_EQ(veksIIRSparseInit_32f(&st, taps, good, 1, 1, nullptr, nullptr), vekStsNullPtr);
    EXPECT_EQ(call({0, 1}, 0, 1), vekStsBadOrder);
    EXPECT_EQ(call({0, 1}, 1, -1), vekStsBadOrder);
    EXPECT_EQ(call({-1, 1}, 1, 1), vekStsBadSparseTaps);
    EXPECT_EQ(call({0, 0}, 1, 1), vekStsBadSparseTaps) << "feedback at 0";
    EXPECT_EQ(call({0, -2}, 1, 1), vekStsBadSparseTaps);
    EXPECT_EQ(call({2, 2, 1}, 2, 1), vekStsBadSparseTaps) << "feed-forward not increasing";
    EXPECT_EQ(call({0, 3, 3}, 1, 2), vekStsBadSparseTaps) << "feedback not increasing";
    EXPECT_EQ(st, nullptr);
    ASSERT_EQ(call({0, 4, 1, 2}, 2, 2), vekStsOk);
    vt::Guarded<float> y(4);
    vt::expect_ptrs_then_len(3, [&](int p, int len) {
        return veksIIRSparse_32f(vt::ptr_or_null(taps, 0, p), vt::ptr_or_null(y.data(), 1, p), len,
                                 vt::ptr_or_null(st, 2, p));
    }, [&] { return y.intact(); });
    std::vector<Vek8u> junk(256, 0);
    const auto foreign = reinterpret_cast<VeksIIRSparseState_32f*>(junk.data());
    EXPECT_EQ(veksIIRSparse_32f(taps, y.data(), 4, foreign), vekStsBadContext);
    EXPECT_TRUE(y.intact());
}

// Against the reference, with and without feedback and an initial history;
// blocks split anywhere give the same stream.
TEST(IirSparse, MatchesReferenceAndStreams) {
    vt::Rng rng(77);
    for (auto [nz, nz2] : {std::pair{1, 0}, {4, 0}, {3, 1}, {5, 4}, {8, 6}}) {
        SCOPED_TRACE(std::to_string(nz) + "/" + std::to_string(nz2));
        const Sparse s = random_sparse(nz, nz2, rng);
        const auto hist = iref::random_vec<float>(std::size_t(s.order() + s.order2()), rng);
        const auto x = iref::random_vec<float>(400, rng);
        const auto want = reference(s, x, hist);

        std::vector<Vek8u> mem;
        auto* st = init(s, hist.data(), mem);
        vt::Guarded<float> y(400);
        ASSERT_EQ(veksIIRSparse_32f(x.data(), y.data(), 400, st), vekStsOk);
        EXPECT_TRUE(y.guard_intact());
        for (int i = 0; i < 400; ++i) ASSERT_NEAR(y[i], double(want[i]), 1e-5) << i;

        auto* st2 = init(s, hist.data(), mem, 9);
        std::vector<float> split(400);
        for (int pos = 0, len = 0; pos < 400; pos += len) {
            len = std::min(400 - pos, rng.integer<int>(1, 40));
            ASSERT_EQ(veksIIRSparse_32f(x.data() + pos, split.data() + pos, len, st2), vekStsOk);
        }
        EXPECT_EQ(split, y.values());
    }
}

} // namespace
