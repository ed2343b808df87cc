// Multirate FIR sums bit for bit: every output of the states and of the
// stateless form equals the plain sum over the taps of one phase, newest
// input first, with the form's product and sum types (single-precision
// products summed in double precision for the single-precision forms).
// Long calls cross the work-area chunks, the groups of outputs computed
// together and the thread split; odd byte offsets, in place, and tap
// tables too large for the stack work area are covered.
#include "byte_offset.h"
#include "fir_reference.h"

namespace {

using namespace firt;

struct Rate {
    int up, up_phase, down, down_phase;
};

template <class T> struct Cxs { T re, im; };
template <class T> Cxs<T> operator*(Cxs<T> a, Cxs<T> b) { return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re}; }

// The product / sum arithmetic of a data type.
template <class D> struct Arith;
template <> struct Arith<Vek32f> {
    using prod = float;
    using acc = double;
    static prod p(Vek32f v) { return v; }
    static Vek32f out(acc a) { return Vek32f(a); }
};
template <> struct Arith<Vek64f> {
    using prod = double;
    using acc = double;
    static prod p(Vek64f v) { return v; }
    static Vek64f out(acc a) { return a; }
};
template <> struct Arith<Vek32fc> {
    using prod = Cxs<float>;
    using acc = Cxs<double>;
    static prod p(Vek32fc v) { return {v.re, v.im}; }
    static Vek32fc out(acc a) { return {Vek32f(a.re), Vek32f(a.im)}; }
};

template <class A> void add_to(A& a, float v) { a += double(v); }
template <class A> void add_to(A& a, double v) { a += v; }
template <class A> void add_to(A& a, Cxs<float> v) { a.re += double(v.re); a.im += double(v.im); }

// y[j] = sum over i of taps[p + i up] * x[m0 - i], i = 0, 1, ... (hist newest first).
template <class D>
std::vector<D> plain_sums(const std::vector<D>& taps, const Rate& r, const std::vector<D>& hist, const std::vector<D>& x,
                          int iters) {
    using A = Arith<D>;
    const std::int64_t L = std::int64_t(taps.size());
    auto input = [&](std::int64_t m) { return m >= 0 ? x[std::size_t(m)] : hist[std::size_t(-1 - m)]; };
    std::vector<D> y;
    for (std::int64_t j = 0; j < std::int64_t(iters) * r.up; ++j) {
        const std::int64_t n = r.down_phase + j * r.down - r.up_phase;
        const std::int64_t m0 = n >= 0 ? n / r.up : -((-n + r.up - 1) / r.up);
        typename A::acc a{};
        for (std::int64_t k = n - m0 * r.up, m = m0; k < L; k += r.up, --m) add_to(a, A::p(taps[std::size_t(k)]) * A::p(input(m)));
        y.push_back(A::out(a));
    }
    return y;
}

// Small integers times 2^-20, 1 or 2^20: the large products often cancel
// exactly, so the double sums round away small terms depending on the
// order in which they come, and a change of order shows in the outputs.
template <class D> std::vector<D> spread_values(vt::Rng& rng, std::size_t n) {
    auto part = [&] { return LD(rng.integer(-3, 3)) * std::ldexp(1.0L, 20 * rng.integer(-1, 1)); };
    std::vector<D> v(n);
    for (auto& e : v) e = from_parts<D>(part(), part());
    return v;
}

template <class D> bool same_bits(const std::vector<D>& a, const std::vector<D>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(D)) == 0;
}

template <class D, class State, auto InitAlloc, auto Fir, auto FirI, auto Direct, auto Free>
void check_exact(const Rate& r, int L, int iters, int threads, std::uint64_t seed) {
    const ThreadScope scope(threads);
    vt::Rng rng(seed);
    const int P = (L + r.up - 1) / r.up;
    const auto taps = spread_values<D>(rng, std::size_t(L));
    const auto hist = spread_values<D>(rng, std::size_t(P));
    const auto x = spread_values<D>(rng, std::size_t(iters) * std::size_t(r.down));
    const auto want = plain_sums(taps, r, hist, x, iters);
    const std::string what = "up " + std::to_string(r.up) + "/" + std::to_string(r.up_phase) + " down " +
                             std::to_string(r.down) + "/" + std::to_string(r.down_phase) + " L " + std::to_string(L) +
                             " iters " + std::to_string(iters) + " threads " + std::to_string(threads);
    // State, source and destination at odd byte offsets.
    State* s = nullptr;
    ASSERT_EQ(InitAlloc(&s, taps.data(), L, r.up, r.up_phase, r.down, r.down_phase, hist.data()), vekStsOk) << what;
    vt::Misaligned<D> src(x, 1);
    vt::Misaligned<D> dst(want.size(), 3);
    ASSERT_EQ(Fir(src.data(), dst.data(), iters, s), vekStsOk);
    EXPECT_TRUE(same_bits(dst.values(), want)) << what;
    ASSERT_EQ(Free(s), vekStsOk);
    // In place.
    ASSERT_EQ(InitAlloc(&s, taps.data(), L, r.up, r.up_phase, r.down, r.down_phase, hist.data()), vekStsOk);
    std::vector<D> io(std::size_t(iters) * std::size_t(std::max(r.up, r.down)));
    std::copy(x.begin(), x.end(), io.begin());
    ASSERT_EQ(FirI(io.data(), iters, s), vekStsOk);
    io.resize(want.size());
    EXPECT_TRUE(same_bits(io, want)) << what << " in place";
    ASSERT_EQ(Free(s), vekStsOk);
    // Stateless.
    auto dly = hist;
    std::vector<D> y(want.size());
    ASSERT_EQ(Direct(x.data(), y.data(), iters, taps.data(), L, r.up, r.up_phase, r.down, r.down_phase, dly.data()), vekStsOk);
    EXPECT_TRUE(same_bits(y, want)) << what << " direct";
}

#define CHECK_EXACT(D, S, r, L, iters, threads, seed)                                                                 \
    check_exact<D, VeksFIRState##S, veksFIRMRInitAlloc##S, veksFIR##S, veksFIR##S##_I, veksFIRMR_Direct##S,          \
                veksFIRFree##S>(r, L, iters, threads, seed)

TEST(FirMultirateExact, EveryPhaseShortAndLong) {
    std::uint64_t seed = 7;
    for (int up_phase = 0; up_phase < 3; ++up_phase)
        for (int down_phase = 0; down_phase < 2; ++down_phase)
            for (int L : {1, 7, 64}) {
                const Rate r{3, up_phase, 2, down_phase};
                CHECK_EXACT(Vek32f, _32f, r, L, 37, 1, ++seed);
                CHECK_EXACT(Vek32f, _32f, r, L, 1500, 1, ++seed);
            }
}

TEST(FirMultirateExact, FactorsFormsAndThreads) {
    std::uint64_t seed = 100;
    for (const Rate& r : {Rate{1, 0, 4, 3}, Rate{2, 1, 3, 0}, Rate{5, 4, 7, 2}, Rate{4, 2, 1, 0}, Rate{1, 0, 9, 8}})
        for (int L : {3, 64, 200})
            for (int threads : {1, 2}) {
                CHECK_EXACT(Vek32f, _32f, r, L, 2100, threads, ++seed);
                CHECK_EXACT(Vek64f, _64f, r, L, 700, threads, ++seed);
                CHECK_EXACT(Vek32fc, _32fc, r, L, 300, threads, ++seed);
            }
}

// Tap tables too large for the stack work area.
TEST(FirMultirateExact, LongTaps) {
    CHECK_EXACT(Vek32f, _32f, (Rate{2, 1, 3, 2}), 6001, 400, 1, 5);
    CHECK_EXACT(Vek64f, _64f, (Rate{3, 0, 1, 0}), 2500, 300, 1, 6);
}

} // namespace
