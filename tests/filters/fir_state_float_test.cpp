// Floating-point-tap FIR states: every form against direct sums over
// streams split into blocks of every size (both methods, one-sample calls
// mixed in), delay lines, in-place calls and thread independence.
#include "fir_api.h"

namespace {

using namespace firt;

const auto k32f = FIRT_FLOAT_API(_32f, Vek32f, Vek32f, 1, 64, false, 4e-6L);
const auto k32fc = FIRT_FLOAT_API(_32fc, Vek32fc, Vek32fc, 2, 16, true, 4e-6L);
const auto k64f = FIRT_FLOAT_API(_64f, Vek64f, Vek64f, 13, 32, false, 1e-14L);
const auto k64fc = FIRT_FLOAT_API(_64fc, Vek64fc, Vek64fc, 14, 16, true, 1e-14L);
const auto k64f_32f = FIRT_FLOAT_API(64f_32f, Vek64f, Vek32f, 17, 32, false, 1.2e-7L);
const auto k64fc_32fc = FIRT_FLOAT_API(64fc_32fc, Vek64fc, Vek32fc, 18, 16, true, 1.2e-7L);
const auto k32f_16s = FIRT_SFS_API(32f_16s, Vek32f, Vek16s, 5, 64, false, 2);
const auto k32fc_16sc = FIRT_SFS_API(32fc_16sc, Vek32fc, Vek16sc, 6, 16, true, -1);
const auto k64f_16s = FIRT_SFS_API(64f_16s, Vek64f, Vek16s, 25, 32, false, 0);
const auto k64fc_16sc = FIRT_SFS_API(64fc_16sc, Vek64fc, Vek16sc, 26, 16, true, 1);
const auto k64f_32s = FIRT_SFS_API(64f_32s, Vek64f, Vek32s, 21, 32, false, 3);
const auto k64fc_32sc = FIRT_SFS_API(64fc_32sc, Vek64fc, Vek32sc, 22, 16, true, -2);

// Splits a stream into blocks of the given sizes (cycled; 0 = one FIROne
// call), compares every output and the delay line after each call.
template <class Api>
void check_stream(const Api& api, int L, const std::vector<int>& blocks, std::size_t total, std::uint64_t seed) {
    const ThreadScope one_thread(1);
    using Tap = typename Api::tap_t;
    using Data = typename Api::data_t;
    vt::Rng rng(seed);
    const auto taps = random_vector<Tap>(rng, std::size_t(L), 1000);
    const auto hist = random_vector<Data>(rng, std::size_t(L), 1000);
    const auto input = random_vector<Data>(rng, total, 1000);
    const Reference ref = direct_sums(taps, hist, input);
    OwnedState<Api> st(api, taps, hist.data());
    std::vector<Data> out(total);
    std::size_t pos = 0;
    for (std::size_t b = 0; pos < total; ++b) {
        const int want = blocks[b % blocks.size()];
        const std::size_t n = std::min<std::size_t>(want == 0 ? 1 : std::size_t(want), total - pos);
        if (want == 0) ASSERT_EQ(api.one(input[pos], &out[pos], st.s), vekStsOk);
        else ASSERT_EQ(api.fir(input.data() + pos, out.data() + pos, int(n), st.s), vekStsOk);
        pos += n;
        std::vector<Data> dly(static_cast<std::size_t>(L));
        ASSERT_EQ(api.get_dly(st.s, dly.data()), vekStsOk);
        const auto want_dly = newest_first(hist, input, std::size_t(L), pos);
        ASSERT_EQ(0, std::memcmp(dly.data(), want_dly.data(), dly.size() * sizeof(Data)))
            << api.name << " L " << L << " delay line after " << pos;
    }
    expect_matches(api, ref, out.data(), total, api.name + " L " + std::to_string(L));
}

template <class Api>
void check_form(const Api& api) {
    const std::vector<int> tap_counts = {1, 2, 3, 4, 5, 15, 16, 17, 31, 32, 33, 63, 64, 65, 129};
    const std::vector<int> blocks = {1, 7, 0, 255, 256, 0, 0, 511, 512, 3, 1700, 2};
    for (int L : tap_counts) check_stream(api, L, blocks, 4600, 100 + std::uint64_t(L));
    check_stream(api, 700, {600, 1, 4000, 0, 513}, 6000, 7);
}

TEST(FirStateFloat, StreamsMatchDirectSums32f) { check_form(k32f); }
TEST(FirStateFloat, StreamsMatchDirectSums32fc) { check_form(k32fc); }
TEST(FirStateFloat, StreamsMatchDirectSums64f) { check_form(k64f); }
TEST(FirStateFloat, StreamsMatchDirectSums64fc) { check_form(k64fc); }
TEST(FirStateFloat, StreamsMatchDirectSums64f_32f) { check_form(k64f_32f); }
TEST(FirStateFloat, StreamsMatchDirectSums64fc_32fc) { check_form(k64fc_32fc); }
TEST(FirStateFloat, StreamsMatchDirectSums32f_16s) { check_form(k32f_16s); }
TEST(FirStateFloat, StreamsMatchDirectSums32fc_16sc) { check_form(k32fc_16sc); }
TEST(FirStateFloat, StreamsMatchDirectSums64f_16s) { check_form(k64f_16s); }
TEST(FirStateFloat, StreamsMatchDirectSums64fc_16sc) { check_form(k64fc_16sc); }
TEST(FirStateFloat, StreamsMatchDirectSums64f_32s) { check_form(k64f_32s); }
TEST(FirStateFloat, StreamsMatchDirectSums64fc_32sc) { check_form(k64fc_32sc); }

TEST(FirStateFloat, LongFilters32f) {
    for (int L : {1024, 4096}) check_stream(k32f, L, {5000, 100, 0}, 5200, std::uint64_t(L));
}

// In place runs in chunks of 4096 through the scratch area.
template <class Api>
void check_in_place(const Api& api, int L, int n) {
    const ThreadScope one_thread(1);
    using Data = typename Api::data_t;
    vt::Rng rng(std::uint64_t(L) * 31 + std::uint64_t(n));
    const auto taps = random_vector<typename Api::tap_t>(rng, std::size_t(L), 1000);
    const auto input = random_vector<Data>(rng, std::size_t(n), 1000);
    const Reference ref = direct_sums(taps, std::vector<Data>{}, input);
    OwnedState<Api> st(api, taps, nullptr);
    auto data = input;
    ASSERT_EQ(api.fir_i(data.data(), n, st.s), vekStsOk);
    expect_matches(api, ref, data.data(), data.size(), api.name + " in place");
    std::vector<Data> dly(static_cast<std::size_t>(L));
    ASSERT_EQ(api.get_dly(st.s, dly.data()), vekStsOk);
    const auto want = newest_first(std::vector<Data>{}, input, std::size_t(L));
    EXPECT_EQ(0, std::memcmp(dly.data(), want.data(), dly.size() * sizeof(Data)));
}

TEST(FirStateFloat, InPlaceMatchesDirectSums) {
    for (int n : {1, 100, 4096, 4097, 4608, 4609, 9000}) {
        check_in_place(k32f, 70, n);
        check_in_place(k32fc, 20, n);
        check_in_place(k64f_32f, 40, n);
        check_in_place(k32f_16s, 65, n);
    }
}

// Outputs do not depend on how many threads run a call.
template <class Api>
void check_threads(const Api& api, int L, int n) {
    if (!threads_settable()) GTEST_SKIP() << "no OpenMP runtime reachable";
    using Data = typename Api::data_t;
    vt::Rng rng(5);
    const auto taps = random_vector<typename Api::tap_t>(rng, std::size_t(L), 1000);
    const auto input = random_vector<Data>(rng, std::size_t(n), 1000);
    set_threads(2);
    std::vector<std::vector<Data>> outs;
    {
        OwnedState<Api> st(api, taps, nullptr);
        for (int threads : {1, 2, 1}) {
            set_threads(threads);
            ASSERT_EQ(api.set_dly(st.s, nullptr), vekStsOk);
            std::vector<Data> out(static_cast<std::size_t>(n));
            ASSERT_EQ(api.fir(input.data(), out.data(), n, st.s), vekStsOk);
            auto in_place = input;
            ASSERT_EQ(api.set_dly(st.s, nullptr), vekStsOk);
            ASSERT_EQ(api.fir_i(in_place.data(), n, st.s), vekStsOk);
            outs.push_back(out);
            outs.push_back(in_place);
        }
    }
    set_threads(2);
    for (std::size_t k = 2; k < outs.size(); ++k)
        EXPECT_EQ(0, std::memcmp(outs[k % 2].data(), outs[k].data(), std::size_t(n) * sizeof(Data))) << api.name << " run " << k;
}

TEST(FirStateFloat, ThreadCountDoesNotChangeResults) {
    check_threads(k32f, 40, 6000);    // direct method split across threads
    check_threads(k32f, 100, 20000);  // overlap-save blocks split across threads
    check_threads(k32fc, 10, 3000);
    check_threads(k32fc, 40, 9000);
    check_threads(k64f_32f, 20, 7000);
    check_threads(k64f_16s, 100, 9000);
}

// The transform exists from the form's threshold on; its length is the
// power of two above the taps count, doubled.
template <class Api>
void check_layout_fields(const Api& api) {
    for (int L : {1, api.fft_threshold - 1, api.fft_threshold, 64, 128, 129}) {
        if (L < 1) continue;
        std::vector<typename Api::tap_t> taps(static_cast<std::size_t>(L));
        OwnedState<Api> st(api, taps, nullptr);
        int k = 2;
        while ((1 << k) <= L) ++k;
        EXPECT_EQ(std::uint32_t(state_field(st.s, 0)), 0x46490000u + (('0' + api.code / 10) << 8) + ('0' + api.code % 10));
        EXPECT_EQ(state_field(st.s, 3), L);
        EXPECT_EQ(state_field(st.s, 4), api.cx ? ((L + 3) & ~3) : ((L + 3) & ~3) + 1) << api.name;
        EXPECT_EQ(state_field(st.s, 7), L >= api.fft_threshold ? (2 << k) : -1) << api.name << " L " << L;
        EXPECT_EQ(state_field(st.s, 8), 0);
        EXPECT_EQ(state_field(st.s, 9), L);
        EXPECT_EQ(state_field(st.s, 15), 1);
    }
}

TEST(FirStateFloat, HeaderFields) {
    check_layout_fields(k32f);
    check_layout_fields(k32fc);
    check_layout_fields(k64f);
    check_layout_fields(k64fc);
    check_layout_fields(k64f_32f);
    check_layout_fields(k32f_16s);
    check_layout_fields(k64fc_32sc);
}

// Init into caller memory of exactly the reported size, at any address,
// behaves as InitAlloc; Free leaves that memory alone.
template <class Api>
void check_caller_memory(const Api& api, int L, std::size_t offset) {
    const ThreadScope one_thread(1);
    using Data = typename Api::data_t;
    vt::Rng rng(11);
    const auto taps = random_vector<typename Api::tap_t>(rng, std::size_t(L), 1000);
    const auto hist = random_vector<Data>(rng, std::size_t(L), 1000);
    const auto input = random_vector<Data>(rng, 3000, 1000);
    int size = 0;
    ASSERT_EQ(api.size(L, &size), vekStsOk);
    vt::Guarded<Vek8u> mem(std::size_t(size) + offset);
    typename Api::state_t* s = nullptr;
    ASSERT_EQ(api.init(&s, taps.data(), L, hist.data(), mem.data() + offset), vekStsOk);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(s) % 16, 0u);
    EXPECT_LT(reinterpret_cast<Vek8u*>(s) - (mem.data() + offset), 16);
    EXPECT_EQ(state_field(s, 15), 0);
    OwnedState<Api> ref(api, taps, hist.data());
    std::vector<Data> a(input.size()), b(input.size());
    for (int n : {3000}) {
        ASSERT_EQ(api.fir(input.data(), a.data(), n, s), vekStsOk);
        ASSERT_EQ(api.fir(input.data(), b.data(), n, ref.s), vekStsOk);
        EXPECT_EQ(0, std::memcmp(a.data(), b.data(), a.size() * sizeof(Data))) << api.name;
    }
    ASSERT_EQ(api.fir_i(a.data(), 3000, s), vekStsOk);
    EXPECT_EQ(api.release(s), vekStsOk);
    EXPECT_TRUE(mem.guard_intact()) << api.name << " wrote past the reported size";
    EXPECT_EQ(std::uint32_t(state_field(s, 0)), std::uint32_t(state_field(ref.s, 0))); // Free left it alone
}

TEST(FirStateFloat, InitIntoCallerMemoryOfReportedSize) {
    for (std::size_t off : {0u, 1u, 7u, 15u}) {
        for (int L : {1, 20, 64, 300}) {
            check_caller_memory(k32f, L, off);
            check_caller_memory(k32fc, L, off);
            check_caller_memory(k64f, L, off);
            check_caller_memory(k64fc, L, off);
            check_caller_memory(k64f_32f, L, off);
            check_caller_memory(k32fc_16sc, L, off);
            check_caller_memory(k64f_32s, L, off);
        }
    }
}

// Taps round-trip; new taps take effect (and renew the transform).
template <class Api>
void check_set_taps(const Api& api, int L) {
    using Tap = typename Api::tap_t;
    using Data = typename Api::data_t;
    vt::Rng rng(21);
    const auto taps = random_vector<Tap>(rng, std::size_t(L), 1000);
    const auto taps2 = random_vector<Tap>(rng, std::size_t(L), 1000);
    const auto input = random_vector<Data>(rng, 2000, 1000);
    OwnedState<Api> st(api, taps, nullptr);
    std::vector<Tap> got(static_cast<std::size_t>(L));
    ASSERT_EQ(api.get_taps(st.s, got.data()), vekStsOk);
    EXPECT_EQ(0, std::memcmp(got.data(), taps.data(), got.size() * sizeof(Tap)));
    ASSERT_EQ(api.set_taps(taps2.data(), st.s), vekStsOk);
    ASSERT_EQ(api.get_taps(st.s, got.data()), vekStsOk);
    EXPECT_EQ(0, std::memcmp(got.data(), taps2.data(), got.size() * sizeof(Tap)));
    std::vector<Data> out(input.size());
    ASSERT_EQ(api.fir(input.data(), out.data(), int(input.size()), st.s), vekStsOk);
    expect_matches(api, direct_sums(taps2, std::vector<Data>{}, input), out.data(), out.size(), api.name + " new taps");
}

TEST(FirStateFloat, SetTapsTakesEffect) {
    for (int L : {5, 100}) {
        check_set_taps(k32f, L);
        check_set_taps(k32fc, L);
        check_set_taps(k64f, L);
        check_set_taps(k64fc_16sc, L);
    }
}

TEST(FirStateFloat, DelayLineRoundTripAndNullZeroes) {
    vt::Rng rng(4);
    const auto taps = random_vector<Vek32f>(rng, 70);
    const auto hist = random_vector<Vek32f>(rng, 70);
    OwnedState<decltype(k32f)> st(k32f, taps, nullptr);
    ASSERT_EQ(veksFIRSetDlyLine_32f(st.s, hist.data()), vekStsOk);
    std::vector<Vek32f> got(70);
    ASSERT_EQ(veksFIRGetDlyLine_32f(st.s, got.data()), vekStsOk);
    EXPECT_EQ(got, hist);
    ASSERT_EQ(veksFIRSetDlyLine_32f(st.s, nullptr), vekStsOk);
    ASSERT_EQ(veksFIRGetDlyLine_32f(st.s, got.data()), vekStsOk);
    EXPECT_EQ(got, std::vector<Vek32f>(70, 0.0f));
}

TEST(FirStateFloat, OneTapScalesTheInput) {
    const Vek32f tap = 3.0f;
    VeksFIRState_32f* s = nullptr;
    ASSERT_EQ(veksFIRInitAlloc_32f(&s, &tap, 1, nullptr), vekStsOk);
    const std::vector<Vek32f> in = {1, 2, -4, 0.5f};
    std::vector<Vek32f> out(4);
    ASSERT_EQ(veksFIR_32f(in.data(), out.data(), 4, s), vekStsOk);
    EXPECT_EQ(out, (std::vector<Vek32f>{3, 6, -12, 1.5f}));
    Vek32f one = 0;
    ASSERT_EQ(veksFIROne_32f(2.0f, &one, s), vekStsOk);
    EXPECT_EQ(one, 6.0f);
    EXPECT_EQ(veksFIRFree_32f(s), vekStsOk);
}

// Odd byte offsets of source and destination.
TEST(FirStateFloat, UnalignedArrays) {
    vt::Rng rng(8);
    const auto taps = random_vector<Vek32f>(rng, 80);
    const auto input = random_vector<Vek32f>(rng, 3000);
    const Reference ref = direct_sums(taps, std::vector<Vek32f>{}, input);
    for (int n : {30, 700, 3000}) {
        OwnedState<decltype(k32f)> st(k32f, taps, nullptr);
        std::vector<char> src(sizeof(Vek32f) * 3000 + 8), dst(sizeof(Vek32f) * 3000 + 8);
        std::memcpy(src.data() + 1, input.data(), sizeof(Vek32f) * std::size_t(n));
        ASSERT_EQ(veksFIR_32f(reinterpret_cast<const Vek32f*>(src.data() + 1), reinterpret_cast<Vek32f*>(dst.data() + 3), n, st.s), vekStsOk);
        std::vector<Vek32f> out(static_cast<std::size_t>(n));
        std::memcpy(out.data(), dst.data() + 3, sizeof(Vek32f) * std::size_t(n));
        expect_matches(k32f, ref, out.data(), out.size(), "unaligned");
    }
}

} // namespace
