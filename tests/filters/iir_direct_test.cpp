// Stateless 16-bit IIR filters against exact integer recurrences, and the sparse IIR against long double.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "iir_reference.h"
#include "lms_reference.h"
#include "veks_test.h"

namespace {

// 64-bit reference (values stay far from wrapping); taps b0..bN q a1..aN, biquads b0 b1 b2 q a1 a2.
Vek16s ref_one(Vek16s x16, const std::vector<Vek16s>& t, bool bq, int n, std::vector<std::int64_t>& d) {
    std::int64_t x = x16;
    for (int s = 0; s < (bq ? n : 1); ++s) {
        const int order = bq ? 2 : n;
        const Vek16s* b = &t[6 * s];
        const Vek16s* a = b + order + 1; // a[0] is q
        std::int64_t* ds = &d[2 * s];
        const std::int64_t acc = b[0] * x + ds[0];
        const std::int64_t y = a[0] ? lmsref::round_shift(acc, a[0]) : acc; // ties to even
        for (int k = 0; k < order; ++k) ds[k] = b[k + 1] * x - a[k + 1] * y + (k + 1 < order ? ds[k + 1] : 0);
        x = y;
    }
    return Vek16s(std::clamp<std::int64_t>(x, -32768, 32767));
}

// Stable taps: feedback sums at most 2^q / 4 (arbitrary order), about unit gain per biquad section.
std::vector<Vek16s> direct_taps(bool bq, int n, int q, vt::Rng& rng) {
    std::vector<Vek16s> t;
    for (int s = 0; s < (bq ? n : 1); ++s) {
        const int order = bq ? 2 : n, amax = (1 << q) / (bq ? 8 : 4 * n), bmax = bq ? std::max(1, (1 << q) / 3) : 60;
        for (int k = 0; k <= order; ++k) t.push_back(rng.integer<Vek16s>(-bmax, bmax));
        t.push_back(Vek16s(q));
        for (int k = 0; k < order; ++k) t.push_back(rng.integer<Vek16s>(-amax, amax));
    }
    return t;
}

const auto kOne = [](bool bq) { return bq ? veksIIROne_BiQuadDirect_16s : veksIIROne_Direct_16s; };
const auto kOneI = [](bool bq) { return bq ? veksIIROne_BiQuadDirect_16s_I : veksIIROne_Direct_16s_I; };
const auto kBlockI = [](bool bq) { return bq ? veksIIR_BiQuadDirect_16s_I : veksIIR_Direct_16s_I; };

// One-sample forms against the exact recurrence; block forms run in single precision, exact here for q = 0.
TEST(IirDirect, OneSampleFormsAreExactIntegerArithmetic) {
    vt::Rng rng(31);
    for (int q : {0, 1, 4, 8, 12})
        for (bool bq : {false, true})
            for (int n = 1; n <= (bq ? 4 : 6); ++n) {
                SCOPED_TRACE("q " + std::to_string(q) + (bq ? " sections " : " order ") + std::to_string(n));
                const auto t = direct_taps(bq, n, q, rng);
                const auto d0 = iref::random_vec<Vek32s>(bq ? 2 * n : n, rng, 500);
                const auto x = iref::random_vec<Vek16s>(200, rng, 1000);
                std::vector<std::int64_t> rd(d0.begin(), d0.end());
                rd.push_back(0);
                std::vector<Vek32s> d = d0;
                std::vector<Vek16s> y(200);
                for (int i = 0; i < 200; ++i) {
                    std::vector<Vek32s> d2 = d;
                    ASSERT_EQ(kOne(bq)(x[i], &y[i], t.data(), n, d.data()), vekStsOk);
                    ASSERT_EQ(y[i], ref_one(x[i], t, bq, n, rd)) << i;
                    ASSERT_TRUE(std::equal(d.begin(), d.end(), rd.begin())) << i;
                    Vek16s z = x[i];
                    ASSERT_EQ(kOneI(bq)(&z, t.data(), n, d2.data()), vekStsOk);
                    ASSERT_EQ(z, y[i]);
                    ASSERT_EQ(d2, d);
                }
                if (q != 0) continue;
                std::vector<Vek32s> d1 = d0;
                std::vector<Vek16s> yb = x;
                ASSERT_EQ(kBlockI(bq)(yb.data(), 200, t.data(), n, d1.data()), vekStsOk);
                EXPECT_EQ(yb, y);
                EXPECT_EQ(d1, d);
            }
}

// Delay values come back times 2^q, halves away from zero (arbitrary order) or to even (biquads): 0.5 here.
TEST(IirDirect, DelayWriteBackRounding) {
    const Vek16s t[] = {0, 0, 1, -1}, tb[] = {0, 0, 0, 1, -1, 0};
    std::vector<Vek32s> d = {1}, db = {1, 0};
    Vek16s y = 0, yb = 0;
    ASSERT_EQ(veksIIR_Direct_16s(&y, &y, 1, t, 1, d.data()), vekStsOk);
    ASSERT_EQ(veksIIR_BiQuadDirect_16s(&yb, &yb, 1, tb, 1, db.data()), vekStsOk);
    EXPECT_EQ(y, 1); // 0.5 away from zero
    EXPECT_EQ(yb, 1);
    EXPECT_EQ(d, std::vector<Vek32s>{1});
    EXPECT_EQ(db, std::vector<Vek32s>(2, 0));
}

// Order, pointers, then the shift (arbitrary order) or length then each section's shift
// (biquads); errors write nothing but earlier sections' delay updates of a one-sample biquad call.
TEST(IirDirect, CheckOrder) {
    const Vek16s t[] = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    const Vek16s neg[] = {1, 0, -1, 0};
    const Vek16s bq_neg[] = {1, 0, 0, 0, 0, 0, 1, 0, 0, -2, 0, 0};
    Vek16s x[4] = {1, 2, 3, 4};
    vt::Guarded<Vek16s> y(4);
    Vek32s d[4] = {5, 6, 7, 8};
    const auto intact = [&] { return y.intact() && x[0] == 1 && d[0] == 5 && d[1] == 6 && d[2] == 7 && d[3] == 8; };
    vt::expect_ptrs_then_len(4, [&](int p, int len) {
        const auto call = [&](auto f) {
            return f(vt::ptr_or_null(x, 0, p), vt::ptr_or_null(y.data(), 1, p), len, vt::ptr_or_null(t, 2, p), 1,
                     vt::ptr_or_null(d, 3, p));
        };
        const VekStatus a = call(veksIIR_Direct_16s), b = call(veksIIR_BiQuadDirect_16s);
        return a == b ? a : vekStsInternalFailure;
    }, intact);
    EXPECT_EQ(veksIIR_Direct_16s(nullptr, y.data(), 0, t, 0, d), vekStsBadOrder);
    EXPECT_EQ(veksIIR_BiQuadDirect_16s(nullptr, y.data(), 0, t, 0, d), vekStsBadOrder);
    EXPECT_EQ(veksIIR_Direct_16s(x, y.data(), 0, neg, 1, d), vekStsBadTapScale);
    EXPECT_EQ(veksIIR_BiQuadDirect_16s(x, y.data(), 0, bq_neg, 2, d), vekStsBadLength);
    EXPECT_EQ(veksIIR_BiQuadDirect_16s(x, y.data(), 4, bq_neg, 2, d), vekStsBadTapScale);
    EXPECT_EQ(veksIIROne_Direct_16s(1, nullptr, t, 0, d), vekStsBadOrder);
    EXPECT_EQ(veksIIROne_Direct_16s(1, nullptr, t, 1, d), vekStsNullPtr);
    EXPECT_EQ(veksIIROne_Direct_16s(1, y.data(), t, 1, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksIIROne_Direct_16s(1, y.data(), neg, 1, d), vekStsBadTapScale);
    EXPECT_EQ(veksIIROne_Direct_16s_I(nullptr, t, 1, d), vekStsNullPtr);
    EXPECT_EQ(veksIIROne_BiQuadDirect_16s(1, y.data(), t, 0, d), vekStsBadOrder);
    EXPECT_EQ(veksIIROne_BiQuadDirect_16s(1, y.data(), nullptr, 1, d), vekStsNullPtr);
    EXPECT_EQ(veksIIROne_BiQuadDirect_16s_I(x, t, -1, d), vekStsBadOrder);
    EXPECT_TRUE(intact());
    EXPECT_EQ(veksIIROne_BiQuadDirect_16s(3, y.data(), bq_neg, 2, d), vekStsBadTapScale);
    EXPECT_TRUE(y.intact());
    EXPECT_EQ(std::vector<Vek32s>(d, d + 3), (std::vector<Vek32s>{6, 0, 7})); // b1 x + d1 - a1 y = 0 + 6 - 0
}

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

// y[n] = sum b_i x[n - pb_i] + sum a_j y[n - pa_j]; history newest first, inputs then outputs.
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

// Against the reference, with and without feedback and history; blocks split anywhere give the same stream.
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
