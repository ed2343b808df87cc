// IIR state forms over one table of (..., state, scaleFactor) calls; then tap setting, integer taps and outputs.
#include "byte_offset.h"
#include "fir_reference.h"
#include "iir_reference.h"

namespace {

template <class TapC, class Data, class Comp, class St>
struct Form {
    using Tap = TapC;  // what the state stores and the delay-line calls take
    using D = Data;
    using C = Comp;    // component type of the data
    using State = St;
    static constexpr bool complex = sizeof(Data) == 2 * sizeof(Comp);
    static constexpr bool integer_data = std::is_integral_v<Comp>;
    std::string name;
    int code;              // arbitrary-order code; the biquad code is code + 1
    bool single;           // single-precision computation
    VekStatus (*size[2])(int, int*); // [0] arbitrary order, [1] biquads
    VekStatus (*init[2])(St**, const Tap*, int, const Tap*, Vek8u*);
    VekStatus (*alloc[2])(St**, const Tap*, int, const Tap*);
    VekStatus (*set_taps)(const Tap*, St*);
    VekStatus (*free)(St*);
    VekStatus (*get_dly)(const St*, Tap*);
    VekStatus (*set_dly)(St*, const Tap*);
    VekStatus (*filter)(const Data*, Data*, int, St*, int);
    VekStatus (*filter_i)(Data*, int, St*, int);
    VekStatus (*one)(Data, Data*, St*, int);
};

// S names the taps calls (size, Init, SetTaps), S2 the rest; they differ for 32s states with floating taps.
#define IFORM_STATE(P, S, S2)                                                                                \
    {veksIIRGetStateSize##P##_##S, veksIIRGetStateSize##P##_BiQuad_##S}, {veksIIRInit##P##_##S,             \
        veksIIRInit##P##_BiQuad_##S}, {veksIIRInitAlloc##P##_##S, veksIIRInitAlloc##P##_BiQuad_##S},         \
        veksIIRSetTaps##P##_##S, veksIIRFree##P##_##S2, veksIIRGetDlyLine##P##_##S2, veksIIRSetDlyLine##P##_##S2
#define IFORM_FLOAT_FILTER(P, S, ST, D)                                                                     \
    [](const D* s, D* d, int n, ST* st, int) { return veksIIR##P##_##S(s, d, n, st); },                    \
        [](D* sd, int n, ST* st, int) { return veksIIR##P##_##S##_I(sd, n, st); },                         \
        [](D s, D* d, ST* st, int) { return veksIIROne##P##_##S(s, d, st); }
#define IFORM_SFS_FILTER(P, S, ST, D)                                                                       \
    [](const D* s, D* d, int n, ST* st, int sf) { return veksIIR##P##_##S##_Sfs(s, d, n, st, sf); },       \
        [](D* sd, int n, ST* st, int sf) { return veksIIR##P##_##S##_ISfs(sd, n, st, sf); },               \
        [](D s, D* d, ST* st, int sf) { return veksIIROne##P##_##S##_Sfs(s, d, st, sf); }

#define IFORM2(P, S, S2, TAP, D, C, CODE, SINGLE, KIND)                                                     \
    Form<TAP, D, C, VeksIIRState##P##_##S2>{#P "_" #S, CODE, SINGLE, IFORM_STATE(P, S, S2),                 \
                                            KIND(P, S2, VeksIIRState##P##_##S2, D)}
#define IFORM(P, S, TAP, D, C, CODE, SINGLE, KIND) IFORM2(P, S, S, TAP, D, C, CODE, SINGLE, KIND)

// Every state form (the 32s_16s and 32sc_16sc states through their floating-tap Init).
template <class Body>
void for_each_form(Body&& body) {
    body(IFORM(, 32f, Vek32f, Vek32f, Vek32f, 1, true, IFORM_FLOAT_FILTER));
    body(IFORM(, 32fc, Vek32fc, Vek32fc, Vek32f, 3, true, IFORM_FLOAT_FILTER));
    body(IFORM(, 64f, Vek64f, Vek64f, Vek64f, 13, false, IFORM_FLOAT_FILTER));
    body(IFORM(, 64fc, Vek64fc, Vek64fc, Vek64f, 15, false, IFORM_FLOAT_FILTER));
    body(IFORM(64f, 32f, Vek64f, Vek32f, Vek32f, 17, false, IFORM_FLOAT_FILTER));
    body(IFORM(64fc, 32fc, Vek64fc, Vek32fc, Vek32f, 19, false, IFORM_FLOAT_FILTER));
    body(IFORM(32f, 16s, Vek32f, Vek16s, Vek16s, 5, true, IFORM_SFS_FILTER));
    body(IFORM(32fc, 16sc, Vek32fc, Vek16sc, Vek16s, 7, true, IFORM_SFS_FILTER));
    body(IFORM2(32s, 16s32f, 16s, Vek32f, Vek16s, Vek16s, 9, true, IFORM_SFS_FILTER));
    body(IFORM2(32sc, 16sc32fc, 16sc, Vek32fc, Vek16sc, Vek16s, 11, true, IFORM_SFS_FILTER));
    body(IFORM(64f, 16s, Vek64f, Vek16s, Vek16s, 25, false, IFORM_SFS_FILTER));
    body(IFORM(64fc, 16sc, Vek64fc, Vek16sc, Vek16s, 27, false, IFORM_SFS_FILTER));
    body(IFORM(64f, 32s, Vek64f, Vek32s, Vek32s, 21, false, IFORM_SFS_FILTER));
    body(IFORM(64fc, 32sc, Vek64fc, Vek32sc, Vek32s, 23, false, IFORM_SFS_FILTER));
}

std::int64_t a16(std::int64_t v) { return (v + 15) / 16 * 16; }

template <class F> using TapVec = std::vector<typename F::Tap>;
template <class F> using DataVec = std::vector<typename F::D>;

// A state in caller memory at a byte offset of a buffer of exactly the reported size.
template <class F>
typename F::State* place(const F& f, bool bq, int n, const TapVec<F>& taps, const typename F::Tap* dly,
                         std::vector<Vek8u>& mem, int offset = 0) {
    int size = 0;
    EXPECT_EQ(f.size[bq](n, &size), vekStsOk);
    mem.assign(static_cast<std::size_t>(size + offset), 0xCD);
    typename F::State* st = nullptr;
    EXPECT_EQ(f.init[bq](&st, taps.data(), n, dly, mem.data() + offset), vekStsOk);
    return st;
}

// Random stable taps (a0 scaled for arbitrary order); complex: tap k of each polynomial times e^(0.3 i k).
template <class F>
TapVec<F> taps_for(bool bq, int n, vt::Rng& rng) {
    const std::vector<double> t = bq ? iref::random_biquad_taps(n, rng) : iref::random_order_taps(n, rng, 1.5);
    const std::size_t period = bq ? 3 : std::size_t(n) + 1;
    TapVec<F> out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const firt::CL v = firt::LD(t[i]) * std::polar(1.0L, F::complex ? 0.3L * (i % period) : 0.0L);
        out.push_back(firt::from_parts<typename F::Tap>(v.real(), v.imag()));
    }
    return out;
}

// Integer data: values of 1000 (16 bits) or 1e6 (32 bits) at most.
template <class F>
DataVec<F> signal_for(std::size_t n, vt::Rng& rng) {
    return firt::random_vector<typename F::D>(rng, n, sizeof(typename F::C) == 2 ? 1000 : 1000000);
}

template <class F>
DataVec<F> run(const F& f, typename F::State* st, const DataVec<F>& x, int sf) {
    DataVec<F> y(x.size());
    EXPECT_EQ(f.filter(x.data(), y.data(), static_cast<int>(x.size()), st, sf), vekStsOk);
    return y;
}

TEST(IirForms, SizesPlacementAndChecks) {
    for_each_form([](const auto& f) {
        using F = std::decay_t<decltype(f)>;
        SCOPED_TRACE(f.name);
        const std::int64_t e = sizeof(typename F::Tap);
        int size = -1;
        for (int n = 1; n <= 12; ++n) {
            ASSERT_EQ(f.size[0](n, &size), vekStsOk);
            EXPECT_EQ(size, a16(e * (n + 1)) + a16(e * (2 * n + 1)) + 64) << "order " << n;
            ASSERT_EQ(f.size[1](n, &size), vekStsOk);
            EXPECT_EQ(size, a16(2 * e * n) + a16(5 * e * n) + 64) << "sections " << n;
        }
        EXPECT_EQ(f.size[0](0, nullptr), vekStsNullPtr);
        EXPECT_EQ(f.size[0](0, &size), vekStsBadOrder);
        EXPECT_EQ(f.size[1](-1, &size), vekStsBadOrder);

        vt::Rng rng(7);
        for (bool bq : {false, true}) {
            const TapVec<F> taps = taps_for<F>(bq, 3, rng);
            for (int offset : {0, 1, 7, 15, 24}) {
                std::vector<Vek8u> mem;
                auto* st = place(f, bq, 3, taps, nullptr, mem, offset);
                ASSERT_NE(st, nullptr);
                const auto at = reinterpret_cast<std::uintptr_t>(st), base = reinterpret_cast<std::uintptr_t>(mem.data() + offset);
                EXPECT_EQ(at, (base + 15) & ~std::uintptr_t(15));
                const int code = f.code + bq;
                std::uint32_t id;
                std::memcpy(&id, st, 4);
                EXPECT_EQ(id, 0x49490000u + std::uint32_t('0' + code / 10) * 256 + std::uint32_t('0' + code % 10));
                EXPECT_EQ(f.free(st), vekStsOk);
            }
        }

        const TapVec<F> taps = taps_for<F>(false, 2, rng);
        DataVec<F> x = signal_for<F>(8, rng);
        std::vector<Vek8u> mem(512, 0xCD), placed;
        auto* st = place(f, false, 2, taps, nullptr, placed);
        vt::Guarded<typename F::D> out(8);
        vt::Guarded<typename F::Tap> dly(2);
        const auto intact = [&] { return out.intact() && dly.intact(); };
        vt::expect_ptrs_then_len(3, [&](int p, int len) {
            return f.filter(vt::ptr_or_null(x.data(), 0, p), vt::ptr_or_null(out.data(), 1, p), len,
                            vt::ptr_or_null(st, 2, p), 0);
        }, intact);
        EXPECT_EQ(f.one(x[0], nullptr, st, 0), vekStsNullPtr);
        EXPECT_EQ(f.one(x[0], out.data(), nullptr, 0), vekStsNullPtr);
        EXPECT_EQ(f.get_dly(st, nullptr), vekStsNullPtr);
        EXPECT_EQ(f.get_dly(nullptr, dly.data()), vekStsNullPtr);
        EXPECT_EQ(f.set_dly(nullptr, dly.data()), vekStsNullPtr);
        EXPECT_EQ(f.set_taps(nullptr, st), vekStsNullPtr);
        EXPECT_EQ(f.set_taps(taps.data(), nullptr), vekStsNullPtr);
        EXPECT_EQ(f.free(nullptr), vekStsNullPtr);

        // Init: pointers before the order, nothing placed on failure.
        typename F::State* none = nullptr;
        EXPECT_EQ(f.init[0](nullptr, taps.data(), 0, nullptr, mem.data()), vekStsNullPtr);
        EXPECT_EQ(f.init[0](&none, nullptr, 0, nullptr, mem.data()), vekStsNullPtr);
        EXPECT_EQ(f.init[0](&none, taps.data(), 0, nullptr, nullptr), vekStsNullPtr);
        EXPECT_EQ(f.init[0](&none, taps.data(), 0, nullptr, mem.data()), vekStsBadOrder);
        EXPECT_EQ(f.alloc[0](&none, taps.data(), 0, nullptr), vekStsBadOrder);
        EXPECT_EQ(f.alloc[1](nullptr, taps.data(), 1, nullptr), vekStsNullPtr);
        EXPECT_EQ(none, nullptr);
        EXPECT_TRUE(std::all_of(mem.begin(), mem.end(), [](Vek8u b) { return b == 0xCD; }));

        // A state of another form (for the 64fc form: its own freed state) is the wrong context.
        VeksIIRState_64fc* other = nullptr;
        const std::vector<Vek64fc> t64(6, Vek64fc{1, 0});
        ASSERT_EQ(veksIIRInitAlloc_64fc(&other, t64.data(), 2, nullptr), vekStsOk);
        EXPECT_EQ(f.free(st), vekStsOk);
        auto* bad = f.code == 15 ? st : reinterpret_cast<typename F::State*>(other);
        EXPECT_EQ(f.filter(x.data(), out.data(), 8, bad, 0), vekStsBadContext);
        EXPECT_EQ(f.one(x[0], out.data(), bad, 0), vekStsBadContext);
        EXPECT_EQ(f.get_dly(bad, dly.data()), vekStsBadContext);
        EXPECT_EQ(f.set_dly(bad, nullptr), vekStsBadContext);
        EXPECT_EQ(f.set_taps(taps.data(), bad), vekStsBadContext);
        EXPECT_EQ(f.free(bad), vekStsBadContext);
        veksIIRFree_64fc(other);
        EXPECT_TRUE(intact());
    });
}

// Against the long-double recurrence past one internal chunk: single precision within 1e-4 of the peak
// (poles within 0.7), double 1e-11, integers 1. Split blocks, single samples, in place, carried delay: same bits.
TEST(IirForms, MatchTheRecurrenceAndStream) {
    for_each_form([](const auto& f) {
        using F = std::decay_t<decltype(f)>;
        using D = typename F::D;
        SCOPED_TRACE(f.name);
        vt::Rng rng(11);
        const bool single_out = f.single || std::is_same_v<typename F::C, Vek32f>;
        const long double tol = single_out ? 1e-4L : 1e-11L;
        for (bool bq : {false, true})
            for (int n = 1; n <= 12; ++n) {
                SCOPED_TRACE(std::string(bq ? "sections " : "order ") + std::to_string(n));
                const TapVec<F> taps = taps_for<F>(bq, n, rng);
                const DataVec<F> x = signal_for<F>(bq ? 1100 : 600, rng);
                const int sf = F::integer_data ? (n % 3) - 1 : 0;
                typename F::State* st = nullptr;
                ASSERT_EQ(f.alloc[bq](&st, taps.data(), n, nullptr), vekStsOk);
                const DataVec<F> full = run(f, st, x, sf);

                std::vector<firt::CL> rt, rx, d;
                for (const auto& t : taps) rt.push_back(firt::to_cl(t));
                for (const auto& v : x) rx.push_back(firt::to_cl(v));
                const std::vector<firt::CL> want = bq ? iref::biquad_filter(rt, rx, d) : iref::order_filter(rt, rx, d);
                long double peak = 0;
                for (const auto& w : want) peak = std::max({peak, std::fabs(std::real(w)), std::fabs(std::imag(w))});
                const long double bound = F::integer_data ? 1.0L : tol * peak;
                for (std::size_t i = 0; i < x.size(); ++i) {
                    const firt::CL got = firt::to_cl(full[i]);
                    for (auto [g, w] : {std::pair{std::real(got), std::real(want[i])}, {std::imag(got), std::imag(want[i])}}) {
                        using L = std::numeric_limits<typename F::C>;
                        if constexpr (F::integer_data)
                            w = std::clamp(std::ldexp(w, -sf), (long double)L::min(), (long double)L::max());
                        ASSERT_LE(std::fabs(g - w), bound) << "sample " << i;
                    }
                }

                DataVec<F> y(x.size());
                ASSERT_EQ(f.set_dly(st, nullptr), vekStsOk);
                for (std::size_t pos = 0, len = 0; pos < x.size(); pos += len) {
                    len = std::min<std::size_t>(x.size() - pos, rng.integer<std::size_t>(1, 500));
                    ASSERT_EQ(f.filter(x.data() + pos, y.data() + pos, int(len), st, sf), vekStsOk);
                }
                EXPECT_TRUE(firt::same_bits(full.data(), y)) << "split blocks";
                ASSERT_EQ(f.set_dly(st, nullptr), vekStsOk);
                for (std::size_t i = 0; i < x.size(); ++i) ASSERT_EQ(f.one(x[i], &y[i], st, sf), vekStsOk);
                EXPECT_TRUE(firt::same_bits(full.data(), y)) << "one sample at a time, after SetDlyLine(null)";
                ASSERT_EQ(f.set_dly(st, nullptr), vekStsOk);
                vt::Misaligned<D> io(x, 1);
                ASSERT_EQ(f.filter_i(io.data(), int(x.size()), st, sf), vekStsOk);
                EXPECT_TRUE(firt::same_bits(full.data(), io.values())) << "in place at an odd byte offset";

                // First part, delay line out, into a new state (Init, then SetDlyLine), rest.
                ASSERT_EQ(f.set_dly(st, nullptr), vekStsOk);
                const std::size_t cut = x.size() / 2 + 3;
                const DataVec<F> head(x.begin(), x.begin() + cut), tail(x.begin() + cut, x.end());
                run(f, st, head, sf);
                TapVec<F> dly(bq ? 2 * n : n);
                ASSERT_EQ(f.get_dly(st, dly.data()), vekStsOk);
                std::vector<Vek8u> mem;
                auto* placed = place(f, bq, n, taps, dly.data(), mem, 5);
                EXPECT_TRUE(firt::same_bits(full.data() + cut, run(f, placed, tail, sf))) << "through Init";
                ASSERT_EQ(f.set_dly(placed, dly.data()), vekStsOk);
                EXPECT_TRUE(firt::same_bits(full.data() + cut, run(f, placed, tail, sf))) << "through SetDlyLine";

                // a0 = 1: output and delay line equal the form-precision recurrence bit for bit, pipelined lanes too.
                if constexpr (std::is_same_v<typename F::Tap, D> && !F::complex) {
                    const auto t0 = bq ? iref::random_biquad_taps(n, rng) : iref::random_order_taps(n, rng);
                    const std::vector<D> t1(t0.begin(), t0.end());
                    ASSERT_EQ(f.set_taps(t1.data(), st), vekStsOk);
                    ASSERT_EQ(f.set_dly(st, nullptr), vekStsOk);
                    std::vector<D> d1;
                    EXPECT_EQ(run(f, st, x, 0), bq ? iref::biquad_filter(t1, x, d1) : iref::order_filter(t1, x, d1));
                    vt::Guarded<D> dly1(bq ? 2 * n : n);
                    ASSERT_EQ(f.get_dly(st, dly1.data()), vekStsOk);
                    d1.resize(dly1.size());
                    EXPECT_EQ(dly1.values(), d1);
                    EXPECT_TRUE(dly1.guard_intact());
                }
                f.free(st);
            }
    });
}

// A zero a0 (biquads: a0 or b0) refuses the taps, keeping the old; sections normalise in order up to a bad one.
TEST(IirTaps, ZeroLeadingTapKeepsTheOldTaps) {
    const auto f32 = IFORM(, 32f, Vek32f, Vek32f, Vek32f, 1, true, IFORM_FLOAT_FILTER);
    const float good[] = {1, 0, 1, -0.5f}, bad[] = {3, 1, 0, 2};
    VeksIIRState_32f* st = nullptr;
    ASSERT_EQ(veksIIRInitAlloc_32f(&st, bad, 1, nullptr), vekStsDivByZeroError);
    EXPECT_EQ(st, nullptr);
    ASSERT_EQ(veksIIRInitAlloc_32f(&st, good, 1, nullptr), vekStsOk);
    EXPECT_EQ(veksIIRSetTaps_32f(bad, st), vekStsDivByZeroError);
    EXPECT_EQ(run(f32, st, {1, 0, 0}, 0), (std::vector<float>{1, 0.5f, 0.25f}));
    const float nan_a0[] = {1, 0, std::numeric_limits<float>::quiet_NaN(), 0};
    EXPECT_EQ(veksIIRSetTaps_32f(nan_a0, st), vekStsOk) << "NaN is not zero";
    veksIIRFree_32f(st);

    // Complex: zero only when both parts are.
    const Vek32fc c0[] = {{1, 0}, {0, 0}, {0, 0}, {0, 0}}, c1[] = {{1, 0}, {0, 0}, {0, 2}, {0, 0}};
    VeksIIRState_32fc* cs = nullptr;
    EXPECT_EQ(veksIIRInitAlloc_32fc(&cs, c0, 1, nullptr), vekStsDivByZeroError);
    ASSERT_EQ(veksIIRInitAlloc_32fc(&cs, c1, 1, nullptr), vekStsOk);
    const auto fc = IFORM(, 32fc, Vek32fc, Vek32fc, Vek32f, 3, true, IFORM_FLOAT_FILTER);
    EXPECT_TRUE(vt::same_bits(run(fc, cs, {{2, 0}}, 0)[0], Vek32fc{0, -1})); // 2 / (2i) = -i
    veksIIRFree_32fc(cs);

    const std::vector<float> bq = {1, 0, 0, 1, -0.5f, 0, 2, 0, 0, 1, 0, 0};
    std::vector<float> bq_bad = bq;
    bq_bad[6] = 0; // second section b0
    std::vector<Vek8u> mem(1024);
    EXPECT_EQ(veksIIRInit_BiQuad_32f(&st, bq_bad.data(), 2, nullptr, mem.data()), vekStsDivByZeroError);
    bq_bad[6] = 2;
    bq_bad[9] = 0; // second section a0
    EXPECT_EQ(veksIIRInitAlloc_BiQuad_32f(&st, bq_bad.data(), 2, nullptr), vekStsDivByZeroError);
    ASSERT_EQ(veksIIRInitAlloc_BiQuad_32f(&st, bq.data(), 2, nullptr), vekStsOk);
    std::vector<float> next = {4, 0, 0, 2, 0, 0, 0, 0, 0, 1, 0, 0}; // section 0 becomes 2, section 1 is bad
    EXPECT_EQ(veksIIRSetTaps_32f(next.data(), st), vekStsDivByZeroError);
    // Section 0 now passes x * 2, section 1 still multiplies by 2.
    EXPECT_EQ(run(f32, st, {1, 0, 0}, 0), (std::vector<float>{4, 0, 0}));
    veksIIRFree_32f(st);
}

// Integer output: times 2^-scaleFactor (modulo 128), halves away from zero, saturated;
// infinities saturate, NaN gives 0 (inf * 0 is NaN, so restart the delay line each sample).
TEST(IirTaps, IntegerOutputRoundsHalfAwayAndSaturates) {
    const auto f = IFORM(64f, 32s, Vek64f, Vek32s, Vek32s, 21, false, IFORM_SFS_FILTER);
    const double taps[] = {1, 0, 1, 0}, inf_taps[] = {std::numeric_limits<double>::infinity(), 0, 1, 0};
    VeksIIRState64f_32s* st = nullptr;
    ASSERT_EQ(veksIIRInitAlloc64f_32s(&st, taps, 1, nullptr), vekStsOk);
    const std::vector<Vek32s> x = {5, -5, 3, -3, 2147483647, -2147483647 - 1, 7};
    EXPECT_EQ(run(f, st, x, 1), (std::vector<Vek32s>{3, -3, 2, -2, 1073741824, -1073741824, 4}));
    EXPECT_EQ(run(f, st, x, -1), (std::vector<Vek32s>{10, -10, 6, -6, 2147483647, -2147483647 - 1, 14}));
    EXPECT_EQ(run(f, st, x, 129)[0], 3); // as 1
    ASSERT_EQ(veksIIRSetTaps64f_32s(inf_taps, st), vekStsOk);
    for (auto [v, want] : {std::pair<Vek32s, Vek32s>{1, 2147483647}, {-1, -2147483647 - 1}, {0, 0}}) {
        ASSERT_EQ(veksIIRSetDlyLine64f_32s(st, nullptr), vekStsOk);
        EXPECT_EQ(run(f, st, {v}, 0)[0], want) << v;
    }
    veksIIRFree64f_32s(st);
}

// Integer taps equal float taps times 2^-tapsFactor (clamped to -96..126), through Init and SetTaps.
TEST(IirTaps, IntegerTapsFollowTheirFactor) {
    const auto f = IFORM2(32s, 16s32f, 16s, Vek32f, Vek16s, Vek16s, 9, true, IFORM_SFS_FILTER);
    vt::Rng rng(4);
    for (int tf : {-200, -96, -20, -1, 0, 1, 7, 15, 24, 30, 126, 127, 300}) {
        SCOPED_TRACE(tf);
        const int e = std::max(-96, std::min(126, tf));
        for (bool bq : {false, true}) {
            std::vector<Vek32s> ti;
            std::vector<float> tfl;
            for (int k = 0; k < (bq ? 12 : 8); ++k) {
                Vek32s v = rng.integer<Vek32s>(-30000, 30000);
                if (k == 3 || (!bq && k == 5)) v = 1 << 14; // a0 taps
                ti.push_back(v);
                tfl.push_back(std::ldexp(float(v), -e));
            }
            VeksIIRState32s_16s *a = nullptr, *b = nullptr;
            const int order = bq ? 2 : 3;
            ASSERT_EQ((bq ? veksIIRInitAlloc32s_BiQuad_16s : veksIIRInitAlloc32s_16s)(&a, ti.data(), order, tf, nullptr),
                      vekStsOk);
            ASSERT_EQ((bq ? veksIIRInitAlloc32s_BiQuad_16s32f : veksIIRInitAlloc32s_16s32f)(&b, tfl.data(), order, nullptr),
                      vekStsOk);
            const auto x = iref::random_vec<Vek16s>(300, rng, 2000);
            const auto ya = run(f, a, x, 0);
            EXPECT_EQ(run(f, b, x, 0), ya) << "Init";
            // The state set up with floating taps takes the integer ones, from a zero delay line.
            ASSERT_EQ(veksIIRSetTaps32s_16s(ti.data(), b, tf), vekStsOk);
            ASSERT_EQ(veksIIRSetDlyLine32s_16s(b, nullptr), vekStsOk);
            EXPECT_EQ(run(f, b, x, 0), ya) << "SetTaps";
            veksIIRFree32s_16s(a);
            veksIIRFree32s_16s(b);
        }
    }
    // Complex integer taps, both parts scaled: taps (1 + 0.5i) / 2.
    const Vek32sc ci[] = {{8, 4}, {0, 0}, {16, 0}, {0, 0}};
    VeksIIRState32sc_16sc* cs = nullptr;
    ASSERT_EQ(veksIIRInitAlloc32sc_16sc(&cs, ci, 1, 3, nullptr), vekStsOk);
    Vek16sc y{};
    ASSERT_EQ(veksIIROne32sc_16sc_Sfs(Vek16sc{100, -50}, &y, cs, 0), vekStsOk);
    EXPECT_TRUE(vt::same_bits(y, Vek16sc{63, 0})); // (100 - 50i)(1 + 0.5i) / 2 = 62.5 + 0i
    veksIIRFree32sc_16sc(cs);
}

} // namespace
