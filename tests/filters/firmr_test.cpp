// Multirate FIR bit for bit against plain sums in the form's product and sum types.
#include "byte_offset.h"
#include "fir_reference.h"
#include "signature_probe.h"

namespace {

using namespace firt;

struct Rate { int up, up_phase, down, down_phase; };

// y[j] = sum over i of taps[p + i up] * x[m0 - i] (hist newest first), products in P, sums in A.
template <class P, class A, class Tap, class D>
std::vector<CL> plain_sums(const std::vector<Tap>& taps, const Rate& r, const std::vector<D>& hist, const std::vector<D>& x,
                           int iters) {
    auto as_p = [](const auto& v) {
        if constexpr (std::is_class_v<P>) return P(to_cl(v).real(), to_cl(v).imag());
        else return P(to_cl(v).real());
    };
    const std::int64_t L = std::int64_t(taps.size());
    auto input = [&](std::int64_t m) { return m >= 0 ? x[std::size_t(m)] : hist[std::size_t(-1 - m)]; };
    std::vector<CL> y;
    for (std::int64_t j = 0; j < std::int64_t(iters) * r.up; ++j) {
        const std::int64_t n = r.down_phase + j * r.down - r.up_phase;
        const std::int64_t m0 = n >= 0 ? n / r.up : -((-n + r.up - 1) / r.up);
        A a{};
        for (std::int64_t k = n - m0 * r.up, m = m0; k < L; k += r.up, --m) a += A(as_p(taps[std::size_t(k)]) * as_p(input(m)));
        y.push_back(CL(std::real(a), std::imag(a)));
    }
    return y;
}

// Small integers times 2^-20, 1 or 2^20: a change in the order of the sums shows.
template <class D> std::vector<D> spread_values(vt::Rng& rng, std::size_t n) {
    auto part = [&] { return LD(rng.integer(-3, 3)) * std::ldexp(1.0L, 20 * rng.integer(-1, 1)); };
    std::vector<D> v(n);
    for (auto& e : v) e = from_parts<D>(part(), part());
    return v;
}

// Blocks (one long call on threads) at odd offsets; the delay line; in place; stateless.
template <class D, class State, auto InitAlloc, auto Fir, auto FirI, auto GetDly, auto SetDly, auto Direct, auto Free>
void check_exact(const Rate& r, int L, int iters, int threads, std::uint64_t seed) {
    const ThreadScope scope(threads);
    vt::Rng rng(seed);
    const int P = (L + r.up - 1) / r.up;
    const auto taps = spread_values<D>(rng, std::size_t(L));
    const auto hist = spread_values<D>(rng, std::size_t(P));
    const auto x = spread_values<D>(rng, std::size_t(iters) * std::size_t(r.down));
    constexpr bool cx = is_cx_elem<D>::value;
    using Prod = std::conditional_t<std::is_same_v<D, Vek64f>, double, std::conditional_t<cx, std::complex<float>, float>>;
    std::vector<D> want;
    for (const CL& v : plain_sums<Prod, std::conditional_t<cx, std::complex<double>, double>>(taps, r, hist, x, iters))
        want.push_back(from_parts<D>(v.real(), v.imag()));
    SCOPED_TRACE(testing::Message() << "up " << r.up << "/" << r.up_phase << " down " << r.down << "/" << r.down_phase
                                    << " L " << L << " iters " << iters << " threads " << threads);
    State* s = nullptr;
    ASSERT_EQ(InitAlloc(&s, taps.data(), L, r.up, r.up_phase, r.down, r.down_phase, hist.data()), vekStsOk);
    vt::Misaligned<D> src(x, 1), dst(want.size(), 3);
    const std::vector<int> blocks = threads > 1 ? std::vector<int>{iters} : std::vector<int>{1, 7, 2, 30, 100, iters};
    run_blocks(blocks, std::size_t(iters), [&](std::size_t done, int k) {
        ASSERT_EQ(Fir(src.data() + done * std::size_t(r.down), dst.data() + done * std::size_t(r.up), k, s), vekStsOk);
    });
    EXPECT_TRUE(same_bits(dst.values().data(), want));
    std::vector<D> dly(static_cast<std::size_t>(P));
    ASSERT_EQ(GetDly(s, dly.data()), vekStsOk);
    EXPECT_TRUE(same_bits(dly.data(), newest_first(hist, x, std::size_t(P))));
    ASSERT_EQ(SetDly(s, hist.data()), vekStsOk);
    std::vector<D> io(std::size_t(iters) * std::size_t(std::max(r.up, r.down)));
    std::copy(x.begin(), x.end(), io.begin());
    ASSERT_EQ(FirI(io.data(), iters, s), vekStsOk);
    EXPECT_TRUE(same_bits(io.data(), want)) << "in place";
    ASSERT_EQ(Free(s), vekStsOk);
    auto direct_dly = hist;
    std::vector<D> y(want.size());
    ASSERT_EQ(Direct(x.data(), y.data(), iters, taps.data(), L, r.up, r.up_phase, r.down, r.down_phase, direct_dly.data()),
              vekStsOk);
    EXPECT_TRUE(same_bits(y.data(), want)) << "direct";
    EXPECT_TRUE(same_bits(direct_dly.data(), dly)) << "direct";
}

#define CHECK_EXACT(D, S, r, L, iters, threads, seed)                                                                 \
    check_exact<D, VeksFIRState##S, veksFIRMRInitAlloc##S, veksFIR##S, veksFIR##S##_I, veksFIRGetDlyLine##S,         \
                veksFIRSetDlyLine##S, veksFIRMR_Direct##S, veksFIRFree##S>(r, L, iters, threads, seed)

const std::vector<std::pair<int, int>> kFactors = {{2, 1}, {1, 2}, {3, 2}, {2, 3}, {5, 7}};

TEST(FirMultirate, MatchesPlainSums) {
    std::uint64_t seed = 1;
    // Every phase of every factor; long calls of 3/2 run the lane kernels.
    for (auto [up, down] : kFactors)
        for (int up_phase = 0; up_phase < up; ++up_phase)
            for (int down_phase = 0; down_phase < down; ++down_phase)
                for (int L : {1, 5, 10, 33, 64}) {
                    const int iters = up == 3 && down == 2 ? 1500 : 160;
                    CHECK_EXACT(Vek32f, _32f, (Rate{up, up_phase, down, down_phase}), L, iters, 1, ++seed);
                    CHECK_EXACT(Vek64f, _64f, (Rate{up, up_phase, down, down_phase}), L, iters, 1, ++seed);
                }
    // Calls split across threads, complex data.
    for (const Rate& r : {Rate{1, 0, 4, 3}, Rate{2, 1, 3, 0}, Rate{5, 4, 7, 2}, Rate{4, 2, 1, 0}, Rate{1, 0, 9, 8}})
        for (int L : {3, 64, 200})
            for (int threads : {1, 2}) {
                CHECK_EXACT(Vek32f, _32f, r, L, 2100, threads, ++seed);
                CHECK_EXACT(Vek64f, _64f, r, L, 700, threads, ++seed);
                CHECK_EXACT(Vek32fc, _32fc, r, L, 300, threads, ++seed);
            }
    // Tap tables too large for the stack work area.
    CHECK_EXACT(Vek32f, _32f, (Rate{2, 1, 3, 2}), 6001, 400, 1, 5);
    CHECK_EXACT(Vek64f, _64f, (Rate{3, 0, 1, 0}), 2500, 300, 1, 6);
    // Integer taps: exact sums scaled by the taps factor.
    vt::Rng rng(9);
    for (auto [up, down] : kFactors) {
        const Rate r{up, up - 1, down, down / 2};
        const int L = 13, P = (L + up - 1) / up, iters = 40, factor = -4, sf = 2;
        const auto taps = random_vector<Vek32s>(rng, L, 2000);
        const auto hist = random_vector<Vek16s>(rng, std::size_t(P), 2000);
        const auto x = random_vector<Vek16s>(rng, std::size_t(iters * down), 2000);
        const auto want = wrapped_outputs<Vek16s>(plain_sums<std::int64_t, std::int64_t>(taps, r, hist, x, iters), factor - sf, -31);
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

// _32f sizes, Init into exactly that memory, method (r = L / (3 down + L): 10/19 direct, 0.5 decimating), id.
TEST(FirMultirate, Sizes32f) {
    auto A = [](std::int64_t x) { return (x + 15) & ~std::int64_t(15); };
    for (auto [L, up, down] : {std::tuple{64, 1, 4}, std::tuple{64, 3, 2}, std::tuple{9, 1, 3}, std::tuple{10, 1, 3},
                               std::tuple{200, 2, 3}, std::tuple{5, 4, 1}, std::tuple{1000, 7, 5}}) {
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
        EXPECT_EQ(std::uint32_t(state_field(s, 0)), fir_id(3));
        EXPECT_EQ(state_field(s, 8), method);
        EXPECT_EQ(veksFIROne_32f(1.0f, y.data(), s), vekStsBadContext);
        ASSERT_EQ(veksFIR_32f(x.data(), y.data(), 5000, s), vekStsOk);
        EXPECT_EQ(veksFIRFree_32f(s), vekStsOk);
        EXPECT_TRUE(mem.guard_intact());
    }
}

TEST(FirMultirate, CheckOrdersAndUnitFactors) {
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
    std::vector<Vek32f> x(12);
    vt::Guarded<Vek32f> y(12);
    EXPECT_EQ(veksFIRMR_Direct_32f(nullptr, y.data(), 0, nullptr, 0, 0, 0, 0, 0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 0, nullptr, 0, 0, 0, 0, 0, nullptr), vekStsBadLength);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 2, nullptr, 0, 0, 0, 0, 0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 2, t.data(), 0, 0, 0, 0, 0, nullptr), vekStsBadTapCount);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 2, t.data(), 3, 0, 0, 1, 0, nullptr), vekStsBadMultirateFactor);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 2, t.data(), 3, 2, 2, 1, 0, nullptr), vekStsBadMultiratePhase);
    EXPECT_EQ(veksFIRMR_Direct_32f(x.data(), y.data(), 2, t.data(), 3, 2, 1, 1, 0, nullptr), vekStsNullPtr);
    EXPECT_TRUE(y.intact());
    // Up = down = 1 makes a single-rate state, which FIROne accepts.
    ASSERT_EQ(veksFIRMRInitAlloc_32f(&s, t.data(), 3, 1, 0, 1, 0, nullptr), vekStsOk);
    EXPECT_EQ(std::uint32_t(state_field(s, 0)), fir_id(1));
    EXPECT_EQ(veksFIROne_32f(1.0f, x.data(), s), vekStsOk);
    ASSERT_EQ(veksFIRFree_32f(s), vekStsOk);
}

// SampleDown over blocks of SampleUp's stream, the phase carried, takes the samples back.
template <class T, auto Up, auto Down>
void check_sampling(int len, int factor, int phase, vt::Rng& rng) {
    const auto x = random_vector<T>(rng, std::size_t(len));
    std::vector<T> want(std::size_t(len) * std::size_t(factor), T{});
    for (int i = 0; i < len; ++i) want[std::size_t(i) * std::size_t(factor) + std::size_t(phase)] = x[std::size_t(i)];
    vt::Misaligned<T> src(x, 1), dst(want.size(), 3);
    int got_len = 0, p = phase;
    ASSERT_EQ(Up(src.data(), len, dst.data(), &got_len, factor, &p), vekStsOk);
    EXPECT_EQ(got_len, len * factor);
    EXPECT_EQ(p, phase);
    EXPECT_TRUE(same_bits(dst.values().data(), want)) << factor << " " << phase;
    std::vector<T> back(x.size());
    for (int pos = 0, done = 0, b = 0; pos < len * factor; ++b) {
        const int n = std::min(len * factor - pos, 1 + (b * 5) % 11);
        ASSERT_EQ(Down(want.data() + pos, n, back.data() + done, &got_len, factor, &p), vekStsOk);
        done += got_len;
        pos += n;
    }
    EXPECT_TRUE(same_bits(back.data(), x)) << factor << " " << phase;
}

TEST(FirMultirate, SampleUpAndDownEveryPhase) {
    vt::Rng rng(31);
    for (int factor : {1, 2, 3, 8})
        for (int phase = 0; phase < factor; ++phase)
            for (int len : {1, 5, 33}) {
                check_sampling<Vek16s, veksSampleUp_16s, veksSampleDown_16s>(len, factor, phase, rng);
                check_sampling<Vek32fc, veksSampleUp_32fc, veksSampleDown_32fc>(len, factor, phase, rng);
                check_sampling<Vek64f, veksSampleUp_64f, veksSampleDown_64f>(len, factor, phase, rng);
            }
    // Factor 0, then (factor 1, the sentinel phase is negative) the phase.
    for (auto [factor, status] : {std::pair{0, vekStsBadSampleFactor}, std::pair{1, vekStsBadSamplePhase}})
        sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, factor, 0, status}, veksSampleDown_16s, veksSampleUp_16s);
}

} // namespace
