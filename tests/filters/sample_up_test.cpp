// SampleUp against its definition for every factor and phase, at odd byte
// offsets: dst[i * factor + phase] = src[i], zeros elsewhere.
#include "byte_offset.h"
#include "fir_reference.h"

namespace {

using namespace firt;

template <class T, auto Up>
void check_sample_up(int len, int factor, int phase, vt::Rng& rng) {
    const auto x = random_vector<T>(rng, std::size_t(len));
    std::vector<T> want(std::size_t(len) * std::size_t(factor), T{});
    for (int i = 0; i < len; ++i) want[std::size_t(i) * std::size_t(factor) + std::size_t(phase)] = x[std::size_t(i)];
    vt::Misaligned<T> src(x, 1);
    vt::Misaligned<T> dst(want.size(), 3);
    int got_len = 0, p = phase;
    ASSERT_EQ(Up(src.data(), len, dst.data(), &got_len, factor, &p), vekStsOk);
    EXPECT_EQ(got_len, len * factor);
    EXPECT_EQ(p, phase);
    const auto got = dst.values();
    EXPECT_EQ(std::memcmp(got.data(), want.data(), want.size() * sizeof(T)), 0) << factor << " " << phase;
}

TEST(FirMultirate, SampleUpEveryPhase) {
    vt::Rng rng(31);
    for (int factor : {1, 2, 3, 8})
        for (int phase = 0; phase < factor; ++phase)
            for (int len : {1, 5, 33}) {
                check_sample_up<Vek16s, veksSampleUp_16s>(len, factor, phase, rng);
                check_sample_up<Vek32fc, veksSampleUp_32fc>(len, factor, phase, rng);
                check_sample_up<Vek64f, veksSampleUp_64f>(len, factor, phase, rng);
            }
}

} // namespace
