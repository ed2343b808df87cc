// LMS filters against literal transcriptions of their recurrences.
#include <tuple>

#include "byte_offset.h"
#include "fir_reference.h"
#include "iir_reference.h"
#include "lms_reference.h"
#include "signature_probe.h"

namespace {

using iref::random_vec;

// Blocks of any size against the transcription (single within 1e-5, 16 bits within half a unit of the clamp);
// the one-sample form at odd offsets, and a new state given the delay line and taps read back, give the same bits.
template <class D, class State, class... Fn>
void check_single_rate(Fn... fn) {
    const auto [init, filter, one, get_taps, get_dly, set_dly, release] = std::tuple(fn...);
    constexpr bool real = std::is_floating_point_v<D>;
    const double amp = real ? 1.0 : 3000.0;
    vt::Rng rng(real ? 3 : 4);
    for (int L : {1, 2, 7, 8, 9, 16, 33, 64}) {
        SCOPED_TRACE("L " + std::to_string(L));
        const auto taps = random_vec<float>(L, rng, real ? 0.5 : 0.3);
        const auto dly = random_vec<D>(L, rng, amp), x = random_vec<D>(300, rng, amp), r = random_vec<D>(300, rng, amp);
        const float mu = real ? 0.2f / L : 1e-8f;
        State *s = nullptr, *s2 = nullptr;
        ASSERT_EQ(init(&s, taps.data(), L, dly.data(), L / 2), vekStsOk);
        std::vector<D> y(x.size()), y2(x.size()), y3(x.size());
        firt::run_blocks({1, 5, 64, 17}, x.size(), [&, block = filter](std::size_t at, int n) {
            EXPECT_EQ(block(x.data() + at, r.data() + at, y.data() + at, n, mu, s), vekStsOk);
        });

        lmsref::Lms<D> ref(taps, dly, L / 2);
        vt::Misaligned<float> tinv(ref.taps_inv, 1);
        vt::Misaligned<D> dbuf(ref.dly, 3);
        int one_idx = L / 2;
        for (std::size_t k = 0; k < x.size(); ++k) {
            const long double want = ref.step(x[k], r[k], mu);
            const long double clamped = real ? want : std::fmin(32767.0L, std::fmax(-32768.0L, want));
            ASSERT_LE(std::fabs(y[k] - clamped), real ? 1e-5 : 0.5 + 1e-3) << "sample " << k;
            D out;
            ASSERT_EQ(one(x[k], r[k], &out, tinv.data(), L, mu, dbuf.data(), &one_idx), vekStsOk);
            ASSERT_TRUE(vt::same_bits(out, y[k])) << "one-sample form, sample " << k;
        }
        // The taps and delay line read back continue the stream only if they are the state's.
        std::vector<float> got(L);
        ASSERT_EQ(get_taps(s, got.data()), vekStsOk);
        std::vector<D> line(L);
        int idx = -1;
        ASSERT_EQ(get_dly(s, line.data(), &idx), vekStsOk);
        ASSERT_EQ(init(&s2, got.data(), L, nullptr, 0), vekStsOk);
        ASSERT_EQ(set_dly(s2, line.data(), idx), vekStsOk);
        ASSERT_EQ(filter(x.data(), r.data(), y2.data(), 300, mu, s), vekStsOk);
        ASSERT_EQ(filter(x.data(), r.data(), y3.data(), 300, mu, s2), vekStsOk);
        EXPECT_EQ(y2, y3);
        EXPECT_EQ(release(s), vekStsOk);
        EXPECT_EQ(release(s2), vekStsOk);
    }
}

#define VEKS_LMS_CALLS(s, one)                                                                     \
    veksFIRLMSInitAlloc##s, veksFIRLMS##s, one, veksFIRLMSGetTaps##s, veksFIRLMSGetDlyLine##s, \
        veksFIRLMSSetDlyLine##s, veksFIRLMSFree##s
TEST(Lms, MatchesTranscriptionOneSampleFormAndDelayLine) {
    check_single_rate<Vek32f, VeksFIRLMSState_32f>(VEKS_LMS_CALLS(_32f, veksFIRLMSOne_Direct_32f));
    check_single_rate<Vek16s, VeksFIRLMSState32f_16s>(VEKS_LMS_CALLS(32f_16s, veksFIRLMSOne_Direct32f_16s));
}

TEST(Lms, ChecksOrderAndWritesNothing) {
    float taps[4] = {1, 2, 3, 4}, src[4] = {}, ref[4] = {};
    VeksFIRLMSState_32f* s = nullptr;
    sp::expect_checks(veksFIRLMSInitAlloc_32f, {sp::Order::PtrsThenLen, {1, 2}, -1, 4, 0, vekStsBadDelayIndex});
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
    VeksFIRLMSState32f_16s* s16 = nullptr; // a foreign object
    ASSERT_EQ(veksFIRLMSInitAlloc32f_16s(&s16, taps, 4, nullptr, 0), vekStsOk);
    auto* as32f = reinterpret_cast<VeksFIRLMSState_32f*>(s16);
    EXPECT_EQ(veksFIRLMS_32f(src, ref, dst.data(), 4, 0.1f, as32f), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSGetTaps_32f(as32f, dst.data()), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSGetDlyLine_32f(as32f, dst.data(), &idx), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSSetDlyLine_32f(as32f, taps, 0), vekStsBadContext);
    EXPECT_EQ(veksFIRLMSFree_32f(as32f), vekStsBadContext);
    EXPECT_TRUE(dst.intact());
    EXPECT_EQ(idx, 7);
    EXPECT_EQ(veksFIRLMSFree32f_16s(s16), vekStsOk);
    EXPECT_EQ(veksFIRLMSFree_32f(s), vekStsOk);
    EXPECT_EQ(veksFIRLMSFree_32f(nullptr), vekStsNullPtr);

    // The one-sample forms: pointers, then the length, then the delay index
    // (the probe's index reads negative; Q15 checks the upper end on its own).
    const sp::Options o{sp::Order::PtrsThenLen, {}, -1, 0, 0, vekStsBadDelayIndex};
    sp::expect_checks_all(o, veksFIRLMSOne_Direct_32f, veksFIRLMSOne_Direct32f_16s, veksFIRLMSOne_DirectQ15_16s);
    Vek32s qt[3] = {};
    Vek16s qd[6] = {}, y = 7;
    idx = 3;
    EXPECT_EQ(veksFIRLMSOne_DirectQ15_16s(1, 1, &y, qt, 3, 100, qd, &idx), vekStsBadDelayIndex);
    EXPECT_EQ(y, 7);

    // Multirate (the probe's other ints are 0: a factor of 0 is refused after the length).
    VeksFIRLMSMRState32s_16s* m = nullptr;
    sp::expect_checks(veksFIRLMSMRInitAlloc32s_16s, {sp::Order::PtrsThenLen, {1, 2}, -1, 0, 0, vekStsBadLength});
    EXPECT_EQ(veksFIRLMSMRInitAlloc32s_16s(&m, nullptr, 2, nullptr, 0, 1, -1, 0), vekStsBadLength);
    EXPECT_EQ(veksFIRLMSMRInitAlloc32s_16s(&m, nullptr, 2, nullptr, 7, 2, 3, 0), vekStsBadLength);
    EXPECT_EQ(m, nullptr);
    ASSERT_EQ(veksFIRLMSMRInitAlloc32s_16s(&m, nullptr, 2, nullptr, 6, 2, 3, 0), vekStsOk);
    Vek32s out = 5;
    EXPECT_EQ(veksFIRLMSMROne32s_16s(nullptr, m), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSMROneVal32s_16s(1, &out, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSMRGetDlyVal32s_16s(m, nullptr, 0), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSMRGetTapsPointer32s_16s(m, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRLMSMRSetDlyLine32s_16s(m, nullptr), vekStsNullPtr);
    auto* c = reinterpret_cast<VeksFIRLMSMRState32sc_16sc*>(m);
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
    EXPECT_EQ(veksFIRLMSMRFree32s_16s(m), vekStsOk);
}

TEST(LmsQ15, MatchesExactIntegerTranscription) {
    vt::Rng rng(21);
    for (int L : {1, 5, 32})
        for (int mu : {0, 300, 32767}) {
            std::vector<Vek32s> t = random_vec<Vek32s>(L, rng, 1 << 28), tref = t;
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

// Parts of the multirate types (real: im = 0).
template <class T> std::int64_t re_of(const T& v) { return std::int64_t(firt::to_cl(v).real()); }
template <class T> std::int64_t im_of(const T& v) { return std::int64_t(firt::to_cl(v).imag()); }

// Drives the multirate state and the transcription with the same calls.
template <class T, class S, class State, class... Fn>
void check_multirate(Fn... fn) {
    const auto [init, put, one, one_val, update, get_taps, set_taps, get_ptr, get_dly, set_dly, get_dly_val, set_mu,
                release] = std::tuple(fn...);
    constexpr bool cx = !std::is_arithmetic_v<T>;
    vt::Rng rng(cx ? 31 : 32);
    for (auto [factor, step] : {std::pair{1, 0}, {1, 2}, {3, 0}, {3, 2}}) {
        SCOPED_TRACE("factor " + std::to_string(factor) + " step " + std::to_string(step));
        const int L = 5, D = L * factor + step, mu = 9000;
        const auto taps = firt::random_vector<T>(rng, L, 1 << 29);
        const auto dly = firt::random_vector<S>(rng, D, 32767);
        lmsref::Mr ref(L, factor, step, mu);
        std::transform(taps.rbegin(), taps.rend(), ref.tre.begin(), re_of<T>);
        std::transform(taps.rbegin(), taps.rend(), ref.tim.begin(), im_of<T>);
        for (int j = 0; j < D; ++j) // raw delay values with index 2: the history starts there
            ref.put(re_of(dly[(2 + j) % D]), im_of(dly[(2 + j) % D]));
        State* s = nullptr;
        ASSERT_EQ(init(&s, taps.data(), L, dly.data(), 2 % D, factor, step, mu), vekStsOk);
        for (int k = 0; k < 120; ++k) {
            const S v = firt::random_vector<S>(rng, 1, 32767)[0];
            T out{};
            if (k % 3 == 0) {
                ASSERT_EQ(put(v, s), vekStsOk);
                ASSERT_EQ(one(&out, s), vekStsOk);
            } else {
                ASSERT_EQ(one_val(v, &out, s), vekStsOk);
            }
            ref.put(re_of(v), im_of(v));
            ASSERT_EQ(std::pair(re_of(out), im_of(out)), ref.out()) << "k " << k;
            const T e = firt::random_vector<T>(rng, 1, 1 << 30)[0];
            const Vek32s er = Vek32s(re_of(e)) >> rng.integer<int>(0, 20);
            const Vek32s ei = cx ? Vek32s(im_of(e)) >> rng.integer<int>(0, 20) : 0;
            ASSERT_EQ(update(firt::from_parts<T>(er, ei), s), vekStsOk);
            ref.update(er, ei);
        }
        std::vector<T> got(L);
        ASSERT_EQ(get_taps(s, got.data()), vekStsOk);
        for (int j = 0; j < L; ++j)
            EXPECT_EQ(std::pair(re_of(got[j]), im_of(got[j])), std::pair(ref.tre[L - 1 - j], ref.tim[L - 1 - j]));
        // Delay values: newest is index 0; the line comes oldest first.
        std::vector<S> line(D);
        ASSERT_EQ(get_dly(s, line.data()), vekStsOk);
        for (int i = 0; i < D; ++i) {
            S v;
            ASSERT_EQ(get_dly_val(s, &v, i), vekStsOk);
            EXPECT_TRUE(vt::same_bits(v, line[D - 1 - i]));
        }
        S v0 = firt::random_vector<S>(rng, 1, 9)[0], v1 = v0;
        EXPECT_EQ(get_dly_val(s, &v0, D), vekStsIndexOutOfRange);
        EXPECT_EQ(get_dly_val(s, &v0, -1), vekStsIndexOutOfRange);
        EXPECT_TRUE(vt::same_bits(v0, v1));
        T before{}, after{}; // SetDlyLine(GetDlyLine) keeps the output
        one(&before, s);
        ASSERT_EQ(set_dly(s, line.data()), vekStsOk);
        one(&after, s);
        EXPECT_TRUE(vt::same_bits(before, after));
        T* p = nullptr;
        ASSERT_EQ(get_ptr(s, &p), vekStsOk);
        EXPECT_TRUE(vt::same_bits(*p, got[L - 1]));
        ASSERT_EQ(set_taps(s, taps.data()), vekStsOk);
        ASSERT_EQ(get_taps(s, got.data()), vekStsOk);
        EXPECT_EQ(std::memcmp(got.data(), taps.data(), sizeof(T) * L), 0);
        EXPECT_EQ(set_mu(s, 0), vekStsOk);
        update(firt::from_parts<T>(1 << 20, 1 << 20), s);
        get_taps(s, got.data());
        EXPECT_EQ(std::memcmp(got.data(), taps.data(), sizeof(T) * L), 0) << "mu 0 keeps the taps";
        EXPECT_EQ(release(s), vekStsOk);
    }
}

#define VEKS_MR_CALLS(s)                                                                                       \
    veksFIRLMSMRInitAlloc##s, veksFIRLMSMRPutVal##s, veksFIRLMSMROne##s, veksFIRLMSMROneVal##s,                   \
        veksFIRLMSMRUpdateTaps##s, veksFIRLMSMRGetTaps##s, veksFIRLMSMRSetTaps##s, veksFIRLMSMRGetTapsPointer##s, \
        veksFIRLMSMRGetDlyLine##s, veksFIRLMSMRSetDlyLine##s, veksFIRLMSMRGetDlyVal##s, veksFIRLMSMRSetMu##s,     \
        veksFIRLMSMRFree##s

TEST(LmsMultirate, MatchesExactTranscription) {
    check_multirate<Vek32s, Vek16s, VeksFIRLMSMRState32s_16s>(VEKS_MR_CALLS(32s_16s));
    check_multirate<Vek32sc, Vek16sc, VeksFIRLMSMRState32sc_16sc>(VEKS_MR_CALLS(32sc_16sc));
}

} // namespace
