// Multirate FIR against zero insertion at the up-phase, convolution and
// decimation from the down-phase; streaming, delay lines, methods, sizes,
// SampleUp / SampleDown and check orders.
#include "fir_reference.h"

namespace {

using namespace firt;

struct RateCase {
    int up, up_phase, down, down_phase;
};

std::vector<RateCase> every_phase(int up, int down) {
    std::vector<RateCase> v;
    for (int a = 0; a < up; ++a)
        for (int b = 0; b < down; ++b) v.push_back({up, a, down, b});
    return v;
}

int hist_len(int L, int up) { return (L + up - 1) / up; }

// y[j] = v[downPhase + j down], v = taps * u, u[upPhase + m up] = x[m]
// (m < 0 from the history, newest first).
template <class Tap, class Data>
std::vector<CL> mr_reference(const std::vector<Tap>& taps, const RateCase& r, const std::vector<Data>& hist,
                             const std::vector<Data>& x, int iters) {
    const std::int64_t P = std::int64_t(hist.size()), B = P * r.up, L = std::int64_t(taps.size());
    std::vector<CL> u(std::size_t(B + std::int64_t(x.size()) * r.up + r.up), CL(0));
    for (std::int64_t m = -P; m < std::int64_t(x.size()); ++m)
        u[std::size_t(B + r.up_phase + m * r.up)] = m < 0 ? to_cl(hist[std::size_t(-1 - m)]) : to_cl(x[std::size_t(m)]);
    std::vector<CL> y;
    for (std::int64_t j = 0; j < std::int64_t(iters) * r.up; ++j) {
        const std::int64_t n = r.down_phase + j * r.down;
        CL s = 0;
        for (std::int64_t k = 0; k < L; ++k)
            if (B + n - k >= 0) s += to_cl(taps[std::size_t(k)]) * u[std::size_t(B + n - k)];
        y.push_back(s);
    }
    return y;
}

template <class T> bool close(const T& got, const CL& want, LD tol) { return std::abs(to_cl(got) - want) <= tol; }

// The _32f and _64f states: streams split into calls of any size.
template <class T, class State, auto InitAlloc, auto Fir, auto FirI, auto GetDly, auto Free>
void check_float_state(const RateCase& r, int L, LD tol, std::uint64_t seed) {
    const ThreadScope one_thread(1);
    vt::Rng rng(seed);
    const int P = hist_len(L, r.up);
    const auto taps = random_vector<T>(rng, std::size_t(L));
    const auto hist = random_vector<T>(rng, std::size_t(P));
    const int iters = 60;
    const auto x = random_vector<T>(rng, std::size_t(iters * r.down));
    const auto want = mr_reference(taps, r, hist, x, iters);
    State* s = nullptr;
    ASSERT_EQ(InitAlloc(&s, taps.data(), L, r.up, r.up_phase, r.down, r.down_phase, hist.data()), vekStsOk);
    std::vector<T> y(std::size_t(iters * r.up));
    int done = 0;
    for (int step : {1, 7, 2, 30, 100}) {
        const int k = std::min(step, iters - done);
        if (k <= 0) break;
        ASSERT_EQ(Fir(x.data() + done * r.down, y.data() + done * r.up, k, s), vekStsOk);
        done += k;
    }
    for (std::size_t j = 0; j < y.size(); ++j)
        ASSERT_TRUE(close(y[j], want[j], tol)) << "up " << r.up << "/" << r.up_phase << " down " << r.down << "/"
                                               << r.down_phase << " L " << L << " output " << j;
    std::vector<T> dly(static_cast<std::size_t>(P));
    ASSERT_EQ(GetDly(s, dly.data()), vekStsOk);
    EXPECT_EQ(dly, newest_first(hist, x, std::size_t(P)));
    ASSERT_EQ(Free(s), vekStsOk);
    // In place from the same start.
    ASSERT_EQ(InitAlloc(&s, taps.data(), L, r.up, r.up_phase, r.down, r.down_phase, hist.data()), vekStsOk);
    std::vector<T> io(std::size_t(iters) * std::size_t(std::max(r.up, r.down)));
    std::copy(x.begin(), x.end(), io.begin());
    ASSERT_EQ(FirI(io.data(), iters, s), vekStsOk);
    for (std::size_t j = 0; j < y.size(); ++j) ASSERT_TRUE(close(io[j], want[j], tol)) << "in place " << j;
    ASSERT_EQ(Free(s), vekStsOk);
}

// The stateless form: the same outputs and the newest history.
template <class T, auto Direct>
void check_float_direct(const RateCase& r, int L, LD tol, std::uint64_t seed) {
    vt::Rng rng(seed);
    const int P = hist_len(L, r.up);
    const auto taps = random_vector<T>(rng, std::size_t(L));
    auto dly = random_vector<T>(rng, std::size_t(P));
    const auto hist = dly;
    const int iters = 25;
    const auto x = random_vector<T>(rng, std::size_t(iters * r.down));
    const auto want = mr_reference(taps, r, hist, x, iters);
    std::vector<T> y(std::size_t(iters * r.up));
    ASSERT_EQ(Direct(x.data(), y.data(), iters, taps.data(), L, r.up, r.up_phase, r.down, r.down_phase, dly.data()), vekStsOk);
    for (std::size_t j = 0; j < y.size(); ++j) ASSERT_TRUE(close(y[j], want[j], tol)) << j;
    EXPECT_EQ(dly, newest_first(hist, x, std::size_t(P)));
}

const std::vector<std::pair<int, int>> kFactors = {{1, 1}, {2, 1}, {1, 2}, {3, 2}, {2, 3}, {5, 7}};

TEST(FirMultirate, StatesMatchReferenceEveryPhase) {
    std::uint64_t seed = 1;
    for (auto [up, down] : kFactors)
        for (const RateCase& r : every_phase(up, down))
            for (int L : {1, 5, 10, 33}) {
                check_float_state<Vek32f, VeksFIRState_32f, veksFIRMRInitAlloc_32f, veksFIR_32f, veksFIR_32f_I,
                                  veksFIRGetDlyLine_32f, veksFIRFree_32f>(r, L, 1e-5L, ++seed);
                check_float_state<Vek64f, VeksFIRState_64f, veksFIRMRInitAlloc_64f, veksFIR_64f, veksFIR_64f_I,
                                  veksFIRGetDlyLine_64f, veksFIRFree_64f>(r, L, 1e-13L, ++seed);
            }
}

TEST(FirMultirate, DirectMatchesReferenceEveryPhase) {
    std::uint64_t seed = 1000;
    for (auto [up, down] : kFactors)
        for (const RateCase& r : every_phase(up, down))
            for (int L : {1, 4, 11}) {
                check_float_direct<Vek32f, veksFIRMR_Direct_32f>(r, L, 1e-6L, ++seed);
                check_float_direct<Vek64f, veksFIRMR_Direct_64f>(r, L, 1e-14L, ++seed);
            }
}

// Integer taps: exact wrapped sums scaled by the taps factor.
TEST(FirMultirate, IntegerTapsExact) {
    vt::Rng rng(9);
    for (auto [up, down] : kFactors) {
        const RateCase r{up, up - 1, down, down / 2};
        const int L = 13, P = hist_len(L, up), iters = 40, factor = -4, sf = 2;
        const auto taps = random_vector<Vek32s>(rng, L, 2000);
        const auto hist = random_vector<Vek16s>(rng, std::size_t(P), 2000);
        const auto x = random_vector<Vek16s>(rng, std::size_t(iters * down), 2000);
        const auto ref = mr_reference(taps, r, hist, x, iters);
        std::vector<Vek16s> want;
        for (const CL& v : ref) {
            const LD s = std::ldexp(v.real(), factor - sf);
            const LD f = std::floor(s), frac = s - f;
            const LD rounded = frac > 0.5L || (frac == 0.5L && std::fmod(f, 2.0L) != 0) ? f + 1 : f;
            want.push_back(Vek16s(std::clamp<LD>(rounded, -32768, 32767)));
        }
        VeksFIRState32s_16s* s = nullptr;
        ASSERT_EQ(veksFIRMRInitAlloc32s_16s(&s, taps.data(), L, factor, up, r.up_phase, down, r.down_phase, hist.data()), vekStsOk);
        std::vector<Vek16s> y(std::size_t(iters * up));
        ASSERT_EQ(veksFIR32s_16s_Sfs(x.data(), y.data(), iters, s, sf), vekStsOk);
        EXPECT_EQ(y, want) << up << "/" << down;
        std::vector<Vek32s> back(L);
        int f = 0;
        ASSERT_EQ(veksFIRGetTaps32s_16s(s, back.data(), &f), vekStsOk);
        EXPECT_EQ(back, taps);
        EXPECT_EQ(f, factor);
        ASSERT_EQ(veksFIRFree32s_16s(s), vekStsOk);
        auto dly = hist;
        std::vector<Vek16s> yd(y.size());
        ASSERT_EQ(veksFIRMR32s_Direct_16s_Sfs(x.data(), yd.data(), iters, taps.data(), L, factor, up, r.up_phase, down,
                                             r.down_phase, dly.data(), sf), vekStsOk);
        EXPECT_EQ(yd, want);
    }
}

TEST(FirMultirate, SmallCases) {
    // Up 2 with taps (1, 1) repeats every sample.
    const std::vector<Vek32f> two = {1, 1}, one = {1};
    const std::vector<Vek32f> x = {1, 2, 3, 4, 5, 6};
    std::vector<Vek32f> y(12), dly(1);
    ASSERT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 6, two.data(), 2, 2, 0, 1, 0, dly.data()), vekStsOk);
    EXPECT_EQ(y, (std::vector<Vek32f>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6}));
    // Down 2 from phase 1 keeps the odd samples.
    std::vector<Vek32f> z(3), d1(1);
    ASSERT_EQ(veksFIRMR_Direct_32f(x.data(), z.data(), 3, one.data(), 1, 1, 0, 2, 1, d1.data()), vekStsOk);
    EXPECT_EQ(z, (std::vector<Vek32f>{2, 4, 6}));
    // Method choice: tapsLen 10, down 3 gives r = 10/19 (direct); 9 gives 0.5 (decimating).
    for (auto [L, method] : {std::pair{10, 1}, std::pair{9, 2}}) {
        std::vector<Vek32f> t(static_cast<std::size_t>(L), 1.0f);
        VeksFIRState_32f* s = nullptr;
        ASSERT_EQ(veksFIRMRInitAlloc_32f(&s, t.data(), L, 1, 0, 3, 0, nullptr), vekStsOk);
        EXPECT_EQ(std::uint32_t(state_field(s, 0)), 0x46493033u);
        EXPECT_EQ(state_field(s, 8), method);
        Vek32f v = 0;
        EXPECT_EQ(veksFIROne_32f(1.0f, &v, s), vekStsBadContext);
        ASSERT_EQ(veksFIRFree_32f(s), vekStsOk);
    }
    // Up 1, down 1 is the single-rate state.
    VeksFIRState_32f* s = nullptr;
    ASSERT_EQ(veksFIRMRInitAlloc_32f(&s, two.data(), 2, 1, 0, 1, 0, nullptr), vekStsOk);
    Vek32f v = 0;
    EXPECT_EQ(veksFIROne_32f(1.0f, &v, s), vekStsOk);
    ASSERT_EQ(veksFIRFree_32f(s), vekStsOk);
}

// The documented _32f size, and Init into memory of exactly that size.
TEST(FirMultirate, Sizes32f) {
    auto A = [](std::int64_t x) { return (x + 15) & ~std::int64_t(15); };
    for (auto [L, up, down] : {std::tuple{64, 1, 4}, std::tuple{64, 3, 2}, std::tuple{9, 1, 3}, std::tuple{200, 2, 3},
                               std::tuple{5, 4, 1}, std::tuple{1000, 7, 5}}) {
        const std::int64_t P = (L + up - 1) / up, W = (3 * down + L + up - 1) / up * up, c = (P + down - 1) / down;
        const float ratio = float(L) / float(3 * down + L);
        const int method = up == 1 ? (ratio > 0.5f ? 1 : 2) : (ratio > 0.3f ? 1 : 3);
        std::int64_t D = 4 * down;
        while (D <= (method == 1 ? W / up : P)) D += 4 * down;
        std::int64_t E = D + 1;
        for (std::int64_t t = c * up; t % (4 * up) != 0; t += up) E += down;
        const std::int64_t want = method == 1
            ? A(4 * L) + 16 * W + A(4 * up + 4) + 4 * std::max<std::int64_t>(4 * W, 4096) + A(4 * (P + E) + 4) + 128
            : A(4 * L) + 16 * W + A(16 * up + 4) + 4 * std::max<std::int64_t>(8 * W, 4096) + A(4 * (P + E) + 4) + 112;
        int got = 0;
        ASSERT_EQ(veksFIRMRGetStateSize_32f(L, up, down, &got), vekStsOk);
        EXPECT_EQ(got, want) << L << " " << up << " " << down;
        vt::Guarded<Vek8u> mem(std::size_t(got) + 5);
        std::vector<Vek32f> t(static_cast<std::size_t>(L), 0.5f), x(std::size_t(5000 * down), 1.0f), y(std::size_t(5000 * up));
        VeksFIRState_32f* s = nullptr;
        ASSERT_EQ(veksFIRMRInit_32f(&s, t.data(), L, up, 0, down, 0, nullptr, mem.data() + 5), vekStsOk);
        ASSERT_EQ(veksFIR_32f(x.data(), y.data(), 5000, s), vekStsOk);
        EXPECT_EQ(veksFIRFree_32f(s), vekStsOk);
        EXPECT_TRUE(mem.guard_intact());
    }
}

TEST(FirMultirate, CheckOrders) {
    int size = 0;
    EXPECT_EQ(veksFIRMRGetStateSize_32f(0, 0, 0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRMRGetStateSize_32f(0, 0, 0, &size), vekStsBadTapCount);
    EXPECT_EQ(veksFIRMRGetStateSize_32f(3, 0, 1, &size), vekStsBadMultirateFactor);
    const std::vector<Vek32f> t(3, 1.0f);
    VeksFIRState_32f* s = nullptr;
    EXPECT_EQ(veksFIRMRInitAlloc_32f(&s, nullptr, 0, 0, 0, 0, 0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRMRInitAlloc_32f(&s, t.data(), 0, 0, 0, 0, 0, nullptr), vekStsBadTapCount);
    EXPECT_EQ(veksFIRMRInitAlloc_32f(&s, t.data(), 3, 2, 5, 0, 0, nullptr), vekStsBadMultirateFactor);
    EXPECT_EQ(veksFIRMRInitAlloc_32f(&s, t.data(), 3, 2, 2, 1, 0, nullptr), vekStsBadMultiratePhase);
    EXPECT_EQ(veksFIRMRInitAlloc_32f(&s, t.data(), 3, 2, 0, 3, 3, nullptr), vekStsBadMultiratePhase);
    EXPECT_EQ(veksFIRMRInit_32f(&s, t.data(), 3, 2, 0, 3, 0, nullptr, nullptr), vekStsNullPtr);
    std::vector<Vek32f> x(12), dly(2);
    vt::Guarded<Vek32f> y(12);
    EXPECT_EQ(veksFIRMR_Direct_32f(nullptr, y.data(), 0, nullptr, 0, 0, 0, 0, 0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 0, nullptr, 0, 0, 0, 0, 0, nullptr), vekStsBadLength);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 2, nullptr, 0, 0, 0, 0, 0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 2, t.data(), 0, 0, 0, 0, 0, nullptr), vekStsBadTapCount);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 2, t.data(), 3, 0, 0, 1, 0, nullptr), vekStsBadMultirateFactor);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 2, t.data(), 3, 2, 2, 1, 0, nullptr), vekStsBadMultiratePhase);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 2, t.data(), 3, 2, 1, 1, 0, nullptr), vekStsNullPtr);
    EXPECT_TRUE(y.intact());
}

TEST(FirMultirate, SampleUpDown) {
    const std::vector<Vek32f> x = {1, 2, 3};
    std::vector<Vek32f> up(9);
    int len = 0, phase = 2;
    ASSERT_EQ(veksSampleUp_32f(x.data(), 3, up.data(), &len, 3, &phase), vekStsOk);
    EXPECT_EQ(len, 9);
    EXPECT_EQ(phase, 2);
    EXPECT_EQ(up, (std::vector<Vek32f>{0, 0, 1, 0, 0, 2, 0, 0, 3}));
    // Blocks with the phase carried take every factor-th sample of the joined stream.
    std::vector<Vek16s> stream(100);
    for (int i = 0; i < 100; ++i) stream[std::size_t(i)] = Vek16s(i);
    for (int factor : {1, 3, 7}) {
        std::vector<Vek16s> got;
        phase = factor - 1;
        for (int pos = 0, b = 0; pos < 100; ++b) {
            const int n = std::min(100 - pos, 1 + (b * 5) % 11);
            std::vector<Vek16s> out(static_cast<std::size_t>(n));
            ASSERT_EQ(veksSampleDown_16s(stream.data() + pos, n, out.data(), &len, factor, &phase), vekStsOk);
            got.insert(got.end(), out.begin(), out.begin() + len);
            pos += n;
        }
        std::vector<Vek16s> want;
        for (int i = factor - 1; i < 100; i += factor) want.push_back(Vek16s(i));
        EXPECT_EQ(got, want) << factor;
    }
    std::vector<Vek16s> out(4);
    phase = 3;
    EXPECT_EQ(veksSampleDown_16s(stream.data(), 4, out.data(), &len, 3, &phase), vekStsBadSamplePhase);
    EXPECT_EQ(veksSampleDown_16s(stream.data(), 4, out.data(), &len, 0, &phase), vekStsBadSampleFactor);
    EXPECT_EQ(veksSampleDown_16s(stream.data(), 0, out.data(), &len, 0, &phase), vekStsBadLength);
    EXPECT_EQ(veksSampleUp_16s(stream.data(), 0, nullptr, &len, 0, &phase), vekStsNullPtr);
}

} // namespace
