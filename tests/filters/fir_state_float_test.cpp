// Floating-point-tap FIR states of every form against direct sums.
#include "byte_offset.h"
#include "fir_reference.h"

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

// Blocks (0: FIROne) at odd offsets from caller memory of the reported size; then in place.
template <class Api>
void check_stream(const Api& api, int L, const std::vector<int>& blocks, std::size_t total, std::uint64_t seed) {
    const ThreadScope threads(L == 33 || L == 65 ? 2 : 1); // long blocks split across threads, direct and transform
    using Tap = typename Api::tap_t;
    using Data = typename Api::data_t;
    vt::Rng rng(seed);
    const auto taps = random_vector<Tap>(rng, std::size_t(L), 1000);
    const auto hist = random_vector<Data>(rng, std::size_t(L), 1000);
    auto input = random_vector<Data>(rng, total, 1000);
    const Reference ref = direct_sums(taps, hist, input);
    const std::string what = api.name + " L " + std::to_string(L);
    int size = 0;
    ASSERT_EQ(api.size(L, &size), vekStsOk);
    vt::Guarded<Vek8u> mem(std::size_t(size) + seed % 16);
    typename Api::state_t* s = nullptr;
    ASSERT_EQ(api.init(&s, taps.data(), L, hist.data(), mem.data() + seed % 16), vekStsOk);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(s) % 16, 0u);
    EXPECT_LT(reinterpret_cast<Vek8u*>(s) - (mem.data() + seed % 16), 16);
    // Header: identifier, L, short-block limit, transform length (power of two above L, doubled), index...
    int k = 2;
    while ((1 << k) <= L) ++k;
    const int limit = ((L + 3) & ~3) + (api.cx ? 0 : 1), fft_len = L >= api.fft_threshold ? 2 << k : -1;
    for (auto [field, want] : {std::pair{0, int(fir_id(api.code))}, {3, L}, {4, limit}, {7, fft_len}, {8, 0}, {9, L}, {15, 0}})
        EXPECT_EQ(state_field(s, field), want) << what << " field " << field;
    vt::Misaligned<Data> src(input, 1), out(total, 3);
    std::vector<Data> dly(static_cast<std::size_t>(L));
    run_blocks(blocks, total, [&](std::size_t pos, int n) {
        if (n == 0) ASSERT_EQ(api.one(input[pos], out.data() + pos, s), vekStsOk);
        else ASSERT_EQ(api.fir(src.data() + pos, out.data() + pos, n, s), vekStsOk);
    }, [&](std::size_t pos) {
        ASSERT_EQ(api.get_dly(s, dly.data()), vekStsOk);
        ASSERT_TRUE(same_bits(dly.data(), newest_first(hist, input, std::size_t(L), pos))) << what << " delay line " << pos;
    });
    expect_close(ref, out.values().data(), total, api.tol, api.sf, true, what);
    // Taps round-trip, a null delay line zeroes it; new taps and history take effect.
    std::vector<Tap> neg, got(static_cast<std::size_t>(L));
    for (const Tap& t : taps) neg.push_back(from_parts<Tap>(-to_cl(t).real(), -to_cl(t).imag()));
    ASSERT_EQ(api.get_taps(s, got.data()), vekStsOk);
    EXPECT_TRUE(same_bits(got.data(), taps)) << what;
    ASSERT_EQ(api.set_taps(neg.data(), s), vekStsOk);
    ASSERT_EQ(api.set_dly(s, nullptr), vekStsOk);
    ASSERT_EQ(api.get_dly(s, dly.data()), vekStsOk);
    EXPECT_TRUE(same_bits(dly.data(), std::vector<Data>(std::size_t(L)))) << what;
    ASSERT_EQ(api.set_dly(s, hist.data()), vekStsOk);
    ASSERT_EQ(api.fir_i(input.data(), int(total), s), vekStsOk);
    Reference negated = ref;
    for (CL& y : negated.y) y = -y;
    expect_close(negated, input.data(), total, api.tol, api.sf, true, what + " in place");
    ASSERT_EQ(api.get_dly(s, dly.data()), vekStsOk);
    EXPECT_TRUE(same_bits(dly.data(), newest_first(hist, src.values(), std::size_t(L)))) << what << " in place";
    EXPECT_EQ(api.release(s), vekStsOk);
    EXPECT_TRUE(mem.guard_intact()) << what << " wrote past the reported size";
    EXPECT_EQ(std::uint32_t(state_field(s, 0)), fir_id(api.code)); // Free left caller memory alone
}

template <class Api>
void check_form(const Api& api) {
    const std::vector<int> tap_counts = {1, 2, 3, 4, 5, 15, 16, 17, 31, 32, 33, 63, 64, 65, 129};
    const std::vector<int> blocks = {1, 7, 0, 255, 256, 0, 0, 511, 512, 3, 1700, 2};
    for (int L : tap_counts) check_stream(api, L, blocks, 4600, 100 + std::uint64_t(L));
    check_stream(api, api.code == 1 ? 4096 : 700, {600, 1, 4000, 0, 513}, 6000, 7); // 4096: the in-place chunk
    check_stream(api, 3, {4096}, 8193, 8); // the in-place chunk boundaries
}

TEST(FirStateFloat, StreamsMatchDirectSums) {
    std::apply([](const auto&... api) { (check_form(api), ...); }, std::tie(k32f, k32fc, k64f, k64fc, k64f_32f, k64fc_32fc,
               k32f_16s, k32fc_16sc, k64f_16s, k64fc_16sc, k64f_32s, k64fc_32sc));
}

} // namespace
