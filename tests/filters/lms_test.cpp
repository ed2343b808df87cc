// LMS filters against literal transcriptions of their recurrences.
#include <cmath>
#include <cstring>
#include <vector>

#include "lms_reference.h"
#include "veks_test.h"

namespace {

std::vector<float> random_floats(vt::Rng& rng, int n, double amp) {
    std::vector<float> v(n);
    for (auto& x : v) x = static_cast<float>(rng.real(-amp, amp));
    return v;
}
std::vector<Vek16s> random_16s(vt::Rng& rng, int n, int amp) {
    std::vector<Vek16s> v(n);
    for (auto& x : v) x = rng.integer<Vek16s>(-amp, amp);
    return v;
}

// Runs the state block form in the given block sizes; returns outputs.
template <class D, class State, class Filter>
std::vector<D> run_blocks(State* s, const std::vector<D>& x, const std::vector<D>& r, float mu,
                          const std::vector<int>& sizes, Filter filter) {
    std::vector<D> y(x.size());
    std::size_t at = 0;
    for (std::size_t b = 0; at < x.size(); ++b) {
        const int n = std::min<int>(sizes[b % sizes.size()], int(x.size() - at));
        EXPECT_EQ(filter(x.data() + at, r.data() + at, y.data() + at, n, mu, s), vekStsOk);
        at += n;
    }
    return y;
}

TEST(Lms32f, BlocksMatchLongDoubleTranscription) {
    vt::Rng rng(3);
    for (int L : {1, 2, 7, 8, 9, 16, 33, 64}) {
        const auto taps = random_floats(rng, L, 0.5);
        const auto x = random_floats(rng, 300, 1.0), r = random_floats(rng, 300, 1.0);
        const float mu = 0.2f / L;
        VeksFIRLMSState_32f* s = nullptr;
        ASSERT_EQ(veksFIRLMSInitAlloc_32f(&s, taps.data(), L, nullptr, L / 2), vekStsOk);
        const auto y = run_blocks(s, x, r, mu, {1, 5, 64, 17}, veksFIRLMS_32f);
        lmsref::Lms<float> ref(taps, L / 2);
        for (std::size_t k = 0; k < x.size(); ++k) {
            const long double want = ref.step(x[k], r[k], mu);
            ASSERT_NEAR(y[k], static_cast<double>(want), 1e-5) << "L " << L << " sample " << k;
        }
        std::vector<float> got(L);
        ASSERT_EQ(veksFIRLMSGetTaps_32f(s, got.data()), vekStsOk);
        const auto want = ref.natural();
        for (int j = 0; j < L; ++j) EXPECT_NEAR(got[j], want[j], 1e-5) << "L " << L << " tap " << j;
        EXPECT_EQ(veksFIRLMSFree_32f(s), vekStsOk);
    }
}

TEST(Lms32f16s, BlocksMatchTranscriptionWithRounding) {
    vt::Rng rng(4);
    for (int L : {1, 9, 40}) {
        const auto taps = random_floats(rng, L, 0.3);
        const auto x = random_16s(rng, 200, 3000), r = random_16s(rng, 200, 3000);
        const float mu = 1e-8f;
        const auto dly = random_16s(rng, L, 3000);
        VeksFIRLMSState32f_16s* s = nullptr;
        ASSERT_EQ(veksFIRLMSInitAlloc32f_16s(&s, taps.data(), L, dly.data(), 0), vekStsOk);
        const auto y = run_blocks(s, x, r, mu, {3, 50}, veksFIRLMS32f_16s);
        lmsref::Lms<Vek16s> ref(taps);
        std::copy(dly.begin(), dly.end(), ref.dly.begin());
        std::copy(dly.begin(), dly.end(), ref.dly.begin() + L);
        for (std::size_t k = 0; k < x.size(); ++k) {
            const long double want = ref.step(x[k], r[k], mu);
            const long double clamped = std::fmin(32767.0L, std::fmax(-32768.0L, want));
            ASSERT_LE(std::fabs(y[k] - clamped), 0.5 + 1e-3) << "L " << L << " sample " << k;
        }
        veksFIRLMSFree32f_16s(s);
    }
}

// The block form, the one-sample direct form at odd byte offsets and any
// block split give the same bits.
TEST(Lms32f, BlockEqualsOneSampleFormBitExact) {
    vt::Rng rng(5);
    const int L = 21;
    const auto taps = random_floats(rng, L, 0.5);
    const auto x = random_floats(rng, 150, 1.0), r = random_floats(rng, 150, 1.0);
    VeksFIRLMSState_32f* s = nullptr;
    ASSERT_EQ(veksFIRLMSInitAlloc_32f(&s, taps.data(), L, nullptr, 0), vekStsOk);
    const auto y = run_blocks(s, x, r, 0.01f, {150}, veksFIRLMS_32f);

    std::vector<unsigned char> raw(12 * L + 64, 0);
    auto* tinv = reinterpret_cast<Vek32f*>(raw.data() + 1);
    auto* dly = reinterpret_cast<Vek32f*>(raw.data() + 4 * L + 3);
    for (int j = 0; j < L; ++j) std::memcpy(tinv + j, &taps[L - 1 - j], 4);
    int idx = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        Vek32f out;
        ASSERT_EQ(veksFIRLMSOne_Direct_32f(x[k], r[k], &out, tinv, L, 0.01f, dly, &idx), vekStsOk);
        ASSERT_TRUE(vt::same_bits(out, y[k])) << k;
    }
    std::vector<float> got(L);
    veksFIRLMSGetTaps_32f(s, got.data());
    for (int j = 0; j < L; ++j) {
        float t;
        std::memcpy(&t, tinv + (L - 1 - j), 4);
        EXPECT_TRUE(vt::same_bits(t, got[j])) << j;
    }
    veksFIRLMSFree_32f(s);
}

TEST(Lms32f, MuZeroIsPlainFirAndMatchingReferenceKeepsTaps) {
    const std::vector<float> taps = {0.5f, -0.25f, 0.125f};
    VeksFIRLMSState_32f* s = nullptr;
    ASSERT_EQ(veksFIRLMSInitAlloc_32f(&s, taps.data(), 3, nullptr, 0), vekStsOk);
    const std::vector<float> x = {1, 2, 3, 4, 5};
    std::vector<float> y(5), r(5, 100.0f);
    ASSERT_EQ(veksFIRLMS_32f(x.data(), r.data(), y.data(), 5, 0.0f, s), vekStsOk);
    EXPECT_EQ(y, (std::vector<float>{0.5f, 0.75f, 1.125f, 1.5f, 1.875f}));
    // The output itself as the reference: the error is zero, the taps stay.
    const std::vector<float> x2 = {-1, 2}, r2 = {-1.25f, 1.875f};
    std::vector<float> y2(2), got(3);
    ASSERT_EQ(veksFIRLMS_32f(x2.data(), r2.data(), y2.data(), 2, 0.5f, s), vekStsOk);
    EXPECT_EQ(y2, r2);
    veksFIRLMSGetTaps_32f(s, got.data());
    EXPECT_EQ(got, taps);
    veksFIRLMSFree_32f(s);
}

// An LMS identifies a known FIR system driven by white noise.
TEST(Lms32f, IdentifiesUnknownSystem) {
    const std::vector<float> h = {0.3f, -0.5f, 0.8f, 0.1f, -0.2f, 0.05f, 0.0f, 0.4f};
    const int L = 12, n = 6000;
    vt::Rng rng(9);
    const auto x = random_floats(rng, n, 1.0);
    std::vector<float> d(n, 0.0f), y(n);
    for (int k = 0; k < n; ++k)
        for (std::size_t j = 0; j < h.size() && j <= std::size_t(k); ++j) d[k] += h[j] * x[k - j];
    VeksFIRLMSState_32f* s = nullptr;
    ASSERT_EQ(veksFIRLMSInitAlloc_32f(&s, nullptr, L, nullptr, 0), vekStsOk);
    ASSERT_EQ(veksFIRLMS_32f(x.data(), d.data(), y.data(), n, 0.02f, s), vekStsOk);
    std::vector<float> got(L);
    veksFIRLMSGetTaps_32f(s, got.data());
    for (int j = 0; j < L; ++j) EXPECT_NEAR(got[j], j < int(h.size()) ? h[j] : 0.0f, 1e-4) << j;
    veksFIRLMSFree_32f(s);
}

TEST(Lms32f, DelayLineRoundTripAndStreamContinuity) {
    vt::Rng rng(11);
    const int L = 6;
    const auto taps = random_floats(rng, L, 0.5), dly = random_floats(rng, L, 1.0);
    const auto x = random_floats(rng, 20, 1.0), r = random_floats(rng, 20, 1.0);
    VeksFIRLMSState_32f *a = nullptr, *b = nullptr;
    ASSERT_EQ(veksFIRLMSInitAlloc_32f(&a, taps.data(), L, dly.data(), 4), vekStsOk);
    std::vector<float> ya(20), yb(20), got(L), t(L);
    int idx = -1;
    ASSERT_EQ(veksFIRLMSGetDlyLine_32f(a, got.data(), &idx), vekStsOk);
    EXPECT_EQ(got, dly);
    EXPECT_EQ(idx, 4);
    veksFIRLMS_32f(x.data(), r.data(), ya.data(), 7, 0.05f, a);
    ASSERT_EQ(veksFIRLMSGetDlyLine_32f(a, got.data(), &idx), vekStsOk);
    veksFIRLMSGetTaps_32f(a, t.data());
    ASSERT_EQ(veksFIRLMSInitAlloc_32f(&b, t.data(), L, nullptr, 0), vekStsOk);
    ASSERT_EQ(veksFIRLMSSetDlyLine_32f(b, got.data(), idx), vekStsOk);
    veksFIRLMS_32f(x.data() + 7, r.data() + 7, ya.data() + 7, 13, 0.05f, a);
    veksFIRLMS_32f(x.data() + 7, r.data() + 7, yb.data() + 7, 13, 0.05f, b);
    for (int k = 7; k < 20; ++k) EXPECT_TRUE(vt::same_bits(ya[k], yb[k])) << k;
    veksFIRLMSFree_32f(a);
    veksFIRLMSFree_32f(b);
}

TEST(LmsChecks, StateFamilyOrderAndNoWrites) {
    float taps[4] = {1, 2, 3, 4}, src[4] = {}, ref[4] = {};
    VeksFIRLMSState_32f* s = nullptr;
    EXPECT_EQ(veksFIRLMSInitAlloc_32f(nullptr, taps, 0, nullptr, 0), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSInitAlloc_32f(&s, taps, 0, nullptr, 0), vekStsBadLength);
    EXPECT_EQ(veksFIRLMSInitAlloc_32f(&s, taps, 4, nullptr, 4), vekStsBadDelayIndex);
    EXPECT_EQ(veksFIRLMSInitAlloc_32f(&s, taps, 4, nullptr, -1), vekStsBadDelayIndex);
    EXPECT_EQ(s, nullptr);
    ASSERT_EQ(veksFIRLMSInitAlloc_32f(&s, taps, 4, nullptr, 0), vekStsOk);
    vt::Guarded<float> dst(4);
    vt::expect_ptrs_then_len(4, [&](int p, int len) {
        return veksFIRLMS_32f(vt::ptr_or_null(src, 1, p), vt::ptr_or_null(ref, 2, p), vt::ptr_or_null(dst.data(), 3, p),
                              len, 0.1f, vt::ptr_or_null(s, 0, p));
    }, [&] { return dst.intact(); });
    EXPECT_EQ(veksFIRLMSSetDlyLine_32f(s, taps, 4), vekStsBadDelayIndex);
    EXPECT_EQ(veksFIRLMSSetDlyLine_32f(s, nullptr, 0), vekStsNullPtr);
    int idx = 7;
    EXPECT_EQ(veksFIRLMSGetDlyLine_32f(s, dst.data(), nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSGetTaps_32f(s, nullptr), vekStsNullPtr);
    // Foreign objects: a 16-bit state, a multirate state.
    VeksFIRLMSState32f_16s* s16 = nullptr;
    ASSERT_EQ(veksFIRLMSInitAlloc32f_16s(&s16, taps, 4, nullptr, 0), vekStsOk);
    auto* as32f = reinterpret_cast<VeksFIRLMSState_32f*>(s16);
    EXPECT_EQ(veksFIRLMS_32f(src, ref, dst.data(), 4, 0.1f, as32f), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSGetTaps_32f(as32f, dst.data()), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSGetDlyLine_32f(as32f, dst.data(), &idx), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSSetDlyLine_32f(as32f, taps, 0), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSFree_32f(as32f), vekStsBadContext);
    VeksFIRLMSMRState32s_16s* mr = nullptr;
    ASSERT_EQ(veksFIRLMSMRInitAlloc32s_16s(&mr, nullptr, 2, nullptr, 0, 1, 0, 0), vekStsOk);
    EXPECT_EQ(veksFIRLMS_32f(src, ref, dst.data(), 4, 0.1f, reinterpret_cast<VeksFIRLMSState_32f*>(mr)),
              vekStsBadContext);
    EXPECT_TRUE(dst.intact());
    EXPECT_EQ(idx, 7);
    EXPECT_EQ(veksFIRLMSFree32f_16s(s16), vekStsOk);
    EXPECT_EQ(veksFIRLMSFree_32f(s), vekStsOk);
    EXPECT_EQ(veksFIRLMSMRFree32s_16s(mr), vekStsOk);
    EXPECT_EQ(veksFIRLMSFree_32f(nullptr), vekStsNullPtr);
}

TEST(LmsChecks, OneSampleFormsOrderAndNoWrites) {
    float tinv[3] = {1, 2, 3}, dly[6] = {};
    Vek32s qt[3] = {1 << 16, 0, 0};
    Vek16s qd[6] = {};
    int idx = 3;
    Vek32f out = 0;
    Vek16s qout = 0;
    EXPECT_EQ(veksFIRLMSOne_Direct_32f(1, 1, &out, nullptr, 0, 0.1f, dly, &idx), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSOne_Direct_32f(1, 1, &out, tinv, 3, 0.1f, nullptr, &idx), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSOne_Direct_32f(1, 1, &out, tinv, 3, 0.1f, dly, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSOne_Direct_32f(1, 1, nullptr, tinv, 0, 0.1f, dly, &idx), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSOne_Direct_32f(1, 1, &out, tinv, 0, 0.1f, dly, &idx), vekStsBadLength);
    EXPECT_EQ(veksFIRLMSOne_Direct_32f(1, 1, &out, tinv, 3, 0.1f, dly, &idx), vekStsBadDelayIndex);
    EXPECT_EQ(veksFIRLMSOne_DirectQ15_16s(1, 1, &qout, qt, 3, 100, qd, &idx), vekStsBadDelayIndex);
    EXPECT_EQ(veksFIRLMSOne_DirectQ15_16s(1, 1, &qout, qt, 0, 100, qd, &idx), vekStsBadLength);
    EXPECT_EQ(veksFIRLMSOne_DirectQ15_16s(1, 1, nullptr, qt, 0, 100, qd, &idx), vekStsNullPtr);
    idx = -1;
    EXPECT_EQ(veksFIRLMSOne_Direct32f_16s(1, 1, &qout, tinv, 3, 0.1f, qd, &idx), vekStsBadDelayIndex);
    EXPECT_EQ(out, 0.0f);
    EXPECT_EQ(qout, 0);
    EXPECT_EQ(idx, -1);
    EXPECT_EQ(tinv[0], 1.0f);
    EXPECT_EQ(qt[0], 1 << 16);
    for (int j = 0; j < 6; ++j) EXPECT_EQ(dly[j], 0.0f);
}

TEST(LmsQ15, MatchesExactIntegerTranscription) {
    vt::Rng rng(21);
    for (int L : {1, 5, 32}) {
        for (int mu : {0, 300, 32767}) {
            std::vector<Vek32s> t(L), tref;
            for (auto& v : t) v = rng.integer<Vek32s>(-(1 << 28), 1 << 28);
            tref = t;
            std::vector<Vek16s> d(2 * L, 0), dref(2 * L, 0);
            int idx = 0, iref = 0;
            for (int k = 0; k < 200; ++k) {
                const Vek16s x = rng.integer<Vek16s>(-32768, 32767), r = rng.integer<Vek16s>(-32768, 32767);
                Vek16s y;
                ASSERT_EQ(veksFIRLMSOne_DirectQ15_16s(x, r, &y, t.data(), L, mu, d.data(), &idx), vekStsOk);
                ASSERT_EQ(y, lmsref::q15_step(x, r, tref, dref, iref, mu)) << "L " << L << " k " << k;
            }
            EXPECT_EQ(t, tref);
            EXPECT_EQ(idx, iref);
        }
    }
}

TEST(LmsQ15, IdentifiesUnknownSystem) {
    const std::vector<double> h = {0.4, -0.3, 0.2, 0.1};
    const int L = 4;
    std::vector<Vek32s> t(L, 0);
    std::vector<Vek16s> d(2 * L, 0);
    std::vector<Vek16s> x(L, 0);
    int idx = 0;
    vt::Rng rng(23);
    for (int k = 0; k < 20000; ++k) {
        x.insert(x.begin(), rng.integer<Vek16s>(-8000, 8000));
        x.pop_back();
        double ref = 0;
        for (int j = 0; j < L; ++j) ref += h[j] * x[j];
        Vek16s y;
        veksFIRLMSOne_DirectQ15_16s(x[0], static_cast<Vek16s>(std::lround(ref)), &y, t.data(), L, 2000, d.data(), &idx);
    }
    for (int j = 0; j < L; ++j) EXPECT_NEAR(t[L - 1 - j] / 2147483648.0, h[j], 2e-3) << j;
}

template <class T> T err_of(Vek32s v) {
    if constexpr (std::is_same_v<T, Vek32sc>) return T{v, v};
    else return v;
}

// Drives the multirate state and the transcription with the same calls.
template <class T, class S, class State, class Api>
void check_multirate(bool complex_data, Api api) {
    vt::Rng rng(complex_data ? 31 : 32);
    for (int factor : {1, 3}) {
        for (int step : {0, 2}) {
            const int L = 5, D = L * factor + step;
            const int mu = 9000;
            std::vector<T> taps(L);
            std::vector<S> dly(D);
            lmsref::Mr ref(L, factor, step, mu);
            for (int j = 0; j < L; ++j) {
                const Vek32s re = rng.integer<Vek32s>(-(1 << 29), 1 << 29), im = complex_data ? rng.integer<Vek32s>(-(1 << 29), 1 << 29) : 0;
                if constexpr (std::is_same_v<T, Vek32sc>) taps[j] = {re, im};
                else taps[j] = re;
                ref.tre[L - 1 - j] = re;
                ref.tim[L - 1 - j] = im;
            }
            for (int j = 0; j < D; ++j) {
                const Vek16s re = rng.integer<Vek16s>(-32768, 32767), im = complex_data ? rng.integer<Vek16s>(-32768, 32767) : 0;
                if constexpr (std::is_same_v<S, Vek16sc>) dly[j] = {re, im};
                else dly[j] = re;
            }
            // Raw delay values with index 2: the history starts at element 2.
            for (int j = 0; j < D; ++j) {
                const int e = (2 + j) % D;
                if constexpr (std::is_same_v<S, Vek16sc>) { ref.hre[j] = dly[e].re; ref.him[j] = dly[e].im; }
                else { ref.hre[j] = dly[e]; ref.him[j] = 0; }
            }
            State* s = nullptr;
            ASSERT_EQ(api.init(&s, taps.data(), L, dly.data(), 2 % D, factor, step, mu), vekStsOk);
            for (int k = 0; k < 120; ++k) {
                const Vek16s re = rng.integer<Vek16s>(-32768, 32767), im = complex_data ? rng.integer<Vek16s>(-32768, 32767) : 0;
                S v;
                if constexpr (std::is_same_v<S, Vek16sc>) v = {re, im};
                else v = re;
                T out{};
                if (k % 3 == 0) {
                    ASSERT_EQ(api.put(v, s), vekStsOk);
                    ASSERT_EQ(api.one(&out, s), vekStsOk);
                } else {
                    ASSERT_EQ(api.one_val(v, &out, s), vekStsOk);
                }
                ref.put(re, im);
                std::int32_t wr, wi;
                ref.out(wr, wi);
                Vek32s gr, gi;
                if constexpr (std::is_same_v<T, Vek32sc>) { gr = out.re; gi = out.im; }
                else { gr = out; gi = 0; }
                ASSERT_EQ(gr, wr) << "factor " << factor << " step " << step << " k " << k;
                ASSERT_EQ(gi, wi);
                const Vek32s er = rng.integer<Vek32s>(-(1 << 30), 1 << 30) >> rng.integer<int>(0, 20);
                const Vek32s ei = complex_data ? rng.integer<Vek32s>(-(1 << 30), 1 << 30) >> rng.integer<int>(0, 20) : 0;
                T err;
                if constexpr (std::is_same_v<T, Vek32sc>) err = {er, ei};
                else err = er;
                ASSERT_EQ(api.update(err, s), vekStsOk);
                ref.update(er, ei);
            }
            std::vector<T> got(L);
            ASSERT_EQ(api.get_taps(s, got.data()), vekStsOk);
            for (int j = 0; j < L; ++j) {
                if constexpr (std::is_same_v<T, Vek32sc>) {
                    EXPECT_EQ(got[j].re, ref.tre[L - 1 - j]);
                    EXPECT_EQ(got[j].im, ref.tim[L - 1 - j]);
                } else {
                    EXPECT_EQ(got[j], ref.tre[L - 1 - j]);
                }
            }
            // Delay values: newest is index 0; the line comes oldest first.
            std::vector<S> line(D);
            ASSERT_EQ(api.get_dly(s, line.data()), vekStsOk);
            for (int i = 0; i < D; ++i) {
                S v;
                ASSERT_EQ(api.get_dly_val(s, &v, i), vekStsOk);
                EXPECT_EQ(std::memcmp(&v, &line[D - 1 - i], sizeof v), 0);
            }
            S v0{};
            EXPECT_EQ(api.get_dly_val(s, &v0, D), vekStsIndexOutOfRange);
            EXPECT_EQ(api.get_dly_val(s, &v0, -1), vekStsIndexOutOfRange);
            // SetDlyLine(GetDlyLine) keeps the output.
            T before{}, after{};
            api.one(&before, s);
            ASSERT_EQ(api.set_dly(s, line.data()), vekStsOk);
            api.one(&after, s);
            EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
            T* p = nullptr;
            ASSERT_EQ(api.get_ptr(s, &p), vekStsOk);
            EXPECT_EQ(std::memcmp(p, &got[L - 1], sizeof(T)), 0);
            ASSERT_EQ(api.set_taps(s, taps.data()), vekStsOk);
            ASSERT_EQ(api.get_taps(s, got.data()), vekStsOk);
            EXPECT_EQ(std::memcmp(got.data(), taps.data(), sizeof(T) * L), 0);
            EXPECT_EQ(api.set_mu(s, 0), vekStsOk);
            api.update(err_of<T>(1 << 20), s);
            api.get_taps(s, got.data());
            EXPECT_EQ(std::memcmp(got.data(), taps.data(), sizeof(T) * L), 0);
            EXPECT_EQ(api.free(s), vekStsOk);
        }
    }
}

#define VEKS_MR_API(name, s)                                                           \
    struct name {                                                                           \
        decltype(&veksFIRLMSMRInitAlloc##s) init = veksFIRLMSMRInitAlloc##s;           \
        decltype(&veksFIRLMSMRPutVal##s) put = veksFIRLMSMRPutVal##s;                  \
        decltype(&veksFIRLMSMROne##s) one = veksFIRLMSMROne##s;                        \
        decltype(&veksFIRLMSMROneVal##s) one_val = veksFIRLMSMROneVal##s;              \
        decltype(&veksFIRLMSMRUpdateTaps##s) update = veksFIRLMSMRUpdateTaps##s;       \
        decltype(&veksFIRLMSMRGetTaps##s) get_taps = veksFIRLMSMRGetTaps##s;           \
        decltype(&veksFIRLMSMRSetTaps##s) set_taps = veksFIRLMSMRSetTaps##s;           \
        decltype(&veksFIRLMSMRGetTapsPointer##s) get_ptr = veksFIRLMSMRGetTapsPointer##s; \
        decltype(&veksFIRLMSMRGetDlyLine##s) get_dly = veksFIRLMSMRGetDlyLine##s;      \
        decltype(&veksFIRLMSMRSetDlyLine##s) set_dly = veksFIRLMSMRSetDlyLine##s;      \
        decltype(&veksFIRLMSMRGetDlyVal##s) get_dly_val = veksFIRLMSMRGetDlyVal##s;    \
        decltype(&veksFIRLMSMRSetMu##s) set_mu = veksFIRLMSMRSetMu##s;                 \
        decltype(&veksFIRLMSMRFree##s) free = veksFIRLMSMRFree##s;                     \
    };
VEKS_MR_API(MrReal, 32s_16s)
VEKS_MR_API(MrComplex, 32sc_16sc)

TEST(LmsMultirate, RealMatchesExactTranscription) {
    check_multirate<Vek32s, Vek16s, VeksFIRLMSMRState32s_16s>(false, MrReal{});
}
TEST(LmsMultirate, ComplexMatchesExactTranscription) {
    check_multirate<Vek32sc, Vek16sc, VeksFIRLMSMRState32sc_16sc>(true, MrComplex{});
}

TEST(LmsMultirate, Checks) {
    VeksFIRLMSMRState32s_16s* s = nullptr;
    EXPECT_EQ(veksFIRLMSMRInitAlloc32s_16s(nullptr, nullptr, 0, nullptr, 0, 1, 0, 0), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSMRInitAlloc32s_16s(&s, nullptr, 0, nullptr, 0, 1, 0, 0), vekStsBadLength);
    EXPECT_EQ(veksFIRLMSMRInitAlloc32s_16s(&s, nullptr, 2, nullptr, 0, 0, 0, 0), vekStsBadLength);
    EXPECT_EQ(veksFIRLMSMRInitAlloc32s_16s(&s, nullptr, 2, nullptr, 0, 1, -1, 0), vekStsBadLength);
    EXPECT_EQ(veksFIRLMSMRInitAlloc32s_16s(&s, nullptr, 2, nullptr, 7, 2, 3, 0), vekStsBadLength);
    EXPECT_EQ(s, nullptr);
    ASSERT_EQ(veksFIRLMSMRInitAlloc32s_16s(&s, nullptr, 2, nullptr, 6, 2, 3, 0), vekStsOk);
    Vek32s out = 5;
    Vek16s v = 5;
    EXPECT_EQ(veksFIRLMSMROne32s_16s(nullptr, s), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSMROneVal32s_16s(1, &out, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSMRGetDlyVal32s_16s(s, nullptr, 0), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSMRGetTapsPointer32s_16s(s, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSMRSetDlyLine32s_16s(s, nullptr), vekStsNullPtr);
    auto* c = reinterpret_cast<VeksFIRLMSMRState32sc_16sc*>(s);
    Vek32sc cout{5, 5};
    Vek16sc cv{5, 5};
    EXPECT_EQ(veksFIRLMSMROne32sc_16sc(&cout, c), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSMROneVal32sc_16sc(cv, &cout, c), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSMRUpdateTaps32sc_16sc(cout, c), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSMRPutVal32sc_16sc(cv, c), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSMRGetDlyVal32sc_16sc(c, &cv, 0), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSMRSetMu32sc_16sc(c, 1), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSMRFree32sc_16sc(c), vekStsBadContext);
    EXPECT_EQ(cout.re, 5);
    EXPECT_EQ(cv.re, 5);
    EXPECT_EQ(veksFIRLMSMRGetDlyVal32s_16s(s, &v, 7), vekStsIndexOutOfRange);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(veksFIRLMSMRFree32s_16s(s), vekStsOk);
}

} // namespace
