// Integer-tap FIR states and their floating-tap views: exact outputs, normalised taps.
#include "fir_reference.h"

namespace {

using namespace firt;

// The taps halved h times (arithmetic shifts: floor of the quotient).
template <class Tap> std::vector<Tap> halved(const std::vector<Tap>& taps, int h) {
    std::vector<Tap> v;
    auto half = [h](LD x) { return std::floor(std::ldexp(x, -h)); };
    for (const Tap& t : taps) v.push_back(from_parts<Tap>(half(to_cl(t).real()), half(to_cl(t).imag())));
    return v;
}

// Blocks from caller memory of the reported size; then in place from InitAlloc and SetTaps.
template <class Tap, class Data, class State, int Code, auto Size, auto Init, auto InitAlloc, auto Free, auto GetTaps,
          auto SetTaps, auto GetDly, auto Fir, auto FirI, auto One>
void check_int_stream(int L, int factor, int sf, long tap_mag, std::uint64_t seed) {
    const ThreadScope threads(L == 65 ? 2 : 1); // one size also through the parallel split
    vt::Rng rng(seed);
    const auto taps = random_vector<Tap>(rng, std::size_t(L), tap_mag);
    const auto hist = random_vector<Data>(rng, std::size_t(L), 30000);
    const auto input = random_vector<Data>(rng, 2500, 30000);
    int size = 0;
    ASSERT_EQ(Size(L, &size), vekStsOk);
    vt::Guarded<Vek8u> mem(std::size_t(size) + seed % 16);
    State* s = nullptr;
    ASSERT_EQ(Init(&s, taps.data(), L, factor, hist.data(), mem.data() + seed % 16), vekStsOk);
    EXPECT_EQ(std::uint32_t(state_field(s, 0)), fir_id(Code));
    std::vector<Tap> stored(static_cast<std::size_t>(L));
    int eff = 0;
    ASSERT_EQ(GetTaps(s, stored.data(), &eff), vekStsOk);
    // Stored taps: the caller's halved `shift` times, the least count giving magnitudes <= 32766.
    const int shift = eff - factor;
    ASSERT_GE(shift, 0);
    auto peak = [&](int h) {
        LD m = 0;
        for (const Tap& t : halved(taps, h)) m = std::max({m, std::fabs(to_cl(t).real()), std::fabs(to_cl(t).imag())});
        return m;
    };
    EXPECT_LE(peak(shift), 32766);
    EXPECT_GT(shift > 0 ? peak(shift - 1) : 32767, 32766);
    EXPECT_TRUE(same_bits(stored.data(), halved(taps, shift)));
    if (Code == 9) { // the real form's header: short-block limit, effective factor
        EXPECT_EQ(state_field(s, 4), ((L + 3) & ~3) | 1);
        EXPECT_EQ(state_field(s, 5), eff);
    }
    // Exact: the 32-bit wrapped sum shifted by factor - sf, halves to even, saturated.
    const auto want = wrapped_outputs<Data>(direct_sums(stored, hist, input).y, eff - sf, -31);
    std::vector<Data> out(input.size());
    run_blocks({1, 0, 5, 64, 0, 700, 1601, 3}, input.size(), [&](std::size_t pos, int n) {
        if (n == 0) ASSERT_EQ(One(input[pos], &out[pos], s, sf), vekStsOk);
        else ASSERT_EQ(Fir(input.data() + pos, out.data() + pos, n, s, sf), vekStsOk);
    });
    EXPECT_TRUE(same_bits(out.data(), want)) << "L " << L << " sf " << sf;
    std::vector<Data> dly(static_cast<std::size_t>(L));
    ASSERT_EQ(GetDly(s, dly.data()), vekStsOk);
    EXPECT_TRUE(same_bits(dly.data(), newest_first(hist, input, std::size_t(L))));
    ASSERT_EQ(Free(s), vekStsOk);
    EXPECT_TRUE(mem.guard_intact());
    // SetTaps normalises the same way.
    ASSERT_EQ(InitAlloc(&s, std::vector<Tap>(std::size_t(L)).data(), L, 0, hist.data()), vekStsOk);
    ASSERT_EQ(SetTaps(taps.data(), s, factor), vekStsOk);
    auto data = input;
    ASSERT_EQ(FirI(data.data(), int(data.size()), s, sf), vekStsOk);
    EXPECT_TRUE(same_bits(data.data(), want));
    ASSERT_EQ(Free(s), vekStsOk);
}

#define CHECK_INT_STREAM(T, D, S, CODE, ...)                                                                      \
    check_int_stream<T, D, VeksFIRState##S, CODE, veksFIRGetStateSize##S, veksFIRInit##S, veksFIRInitAlloc##S,        \
                     veksFIRFree##S, veksFIRGetTaps##S, veksFIRSetTaps##S, veksFIRGetDlyLine##S, veksFIR##S##_Sfs,    \
                     veksFIR##S##_ISfs, veksFIROne##S##_Sfs>(__VA_ARGS__)

TEST(FirStateInt, StreamsMatchExactSums) {
    int seed = 0;
    for (int L : {1, 2, 3, 5, 17, 65, 200}) {
        for (auto [factor, sf] : {std::pair{-15, 0}, std::pair{0, 14}, std::pair{-3, -5}, std::pair{2, 40}}) {
            CHECK_INT_STREAM(Vek32s, Vek16s, 32s_16s, 9, L, factor, sf, L < 5 ? 90000 : 20000, std::uint64_t(++seed));
            CHECK_INT_STREAM(Vek32sc, Vek16sc, 32sc_16sc, 10, L, factor, sf, L < 5 ? 90000 : 20000, std::uint64_t(++seed));
        }
    }
}

// Floating taps on integer data round halves away from zero and saturate.
TEST(FirStateInt, FloatingTaps) {
    const Vek32f tap = 0.5f;
    VeksFIRState32f_16s* f = nullptr;
    ASSERT_EQ(veksFIRInitAlloc32f_16s(&f, &tap, 1, nullptr), vekStsOk);
    const std::vector<Vek16s> in = {1, 3, 5, -1, -3, 32767};
    std::vector<Vek16s> out(6);
    ASSERT_EQ(veksFIR32f_16s_Sfs(in.data(), out.data(), 6, f, 0), vekStsOk);
    EXPECT_EQ(out, (std::vector<Vek16s>{1, 2, 3, -1, -2, 16384}));
    ASSERT_EQ(veksFIR32f_16s_Sfs(in.data(), out.data(), 6, f, -2), vekStsOk);
    EXPECT_EQ(out, (std::vector<Vek16s>{2, 6, 10, -2, -6, 32767}));
    EXPECT_EQ(veksFIRFree32f_16s(f), vekStsOk);
    // Floating views keep integer taps and a factor: stored * 2^factor near the taps, magnitudes <= 32766.
    vt::Rng rng(3);
    for (double scale : {1e-6, 0.01, 1.0, 3e5}) {
        std::vector<Vek32f> taps(9), zero(9);
        for (auto& t : taps) t = float(rng.real(-scale, scale));
        // Small scales through Init, large ones through SetTaps.
        VeksFIRState32s_16s* s = nullptr;
        ASSERT_EQ(veksFIRInitAlloc32s_16s32f(&s, (scale < 1 ? taps : zero).data(), 9, nullptr), vekStsOk);
        ASSERT_EQ(scale < 1 ? vekStsOk : veksFIRSetTaps32s_16s32f(taps.data(), s), vekStsOk);
        std::vector<Vek32f> back(9);
        ASSERT_EQ(veksFIRGetTaps32s_16s32f(s, back.data()), vekStsOk);
        std::vector<Vek32s> stored(9);
        int factor = 0;
        ASSERT_EQ(veksFIRGetTaps32s_16s(s, stored.data(), &factor), vekStsOk);
        long long m = 0;
        for (int k = 0; k < 9; ++k) {
            EXPECT_NEAR(back[k], taps[k], scale * 1e-4);
            EXPECT_EQ(back[k], float(std::ldexp(double(stored[k]), factor)));
            m = std::max(m, std::llabs(stored[k]));
        }
        EXPECT_LE(m, 32766);
        EXPECT_GE(m, 16383);
        EXPECT_EQ(veksFIRFree32s_16s(s), vekStsOk);
    }
    std::vector<Vek32fc> ctaps = {{0.25f, -0.5f}, {0.125f, 0}};
    VeksFIRState32sc_16sc* c = nullptr;
    ASSERT_EQ(veksFIRInitAlloc32sc_16sc32fc(&c, ctaps.data(), 2, nullptr), vekStsOk);
    std::vector<Vek32fc> back(2);
    ASSERT_EQ(veksFIRGetTaps32sc_16sc32fc(c, back.data()), vekStsOk);
    EXPECT_TRUE(same_bits(back.data(), ctaps));
    ASSERT_EQ(veksFIRSetTaps32sc_16sc32fc(ctaps.data(), c), vekStsOk);
    EXPECT_EQ(veksFIRFree32sc_16sc(c), vekStsOk);
}

} // namespace
