// Bit packing against a bit-at-a-time reference, clamped lengths included.
#include "convert_test_util.h"

namespace {

// Writes bit after bit, most significant first; bit 0 is the top of byte 0.
// Returns the bit count; a length outside 0..32 is clamped and reported.
int reference_pack(const std::vector<Vek32u>& src, const std::vector<int>& lens, std::vector<Vek8u>& dst, int offset,
                   VekStatus& status) {
    long long pos = offset & 7;
    int total = 0;
    for (std::size_t i = 0; i < src.size(); ++i) {
        int n = lens[i];
        if (n < 0 || n > 32) status = vekStsBitLenClamped, n = std::clamp(n, 0, 32);
        for (int b = n - 1; b >= 0; --b, ++pos) {
            const int bit = (src[i] >> b) & 1;
            Vek8u& byte = dst[pos / 8];
            const Vek8u mask = Vek8u(0x80 >> (pos % 8));
            byte = bit ? (byte | mask) : (byte & ~mask);
        }
        total += n;
    }
    return total;
}

TEST(PackBits, RandomFieldsAgainstBitwiseReference) {
    vt::Rng rng(51);
    for (int trial = 0; trial < 400; ++trial) {
        const int len = rng.integer(1, 60);
        std::vector<Vek32u> src(len);
        std::vector<int> lens(len);
        const bool clamp_some = trial % 5 == 0;
        for (int i = 0; i < len; ++i) {
            src[i] = rng.any<Vek32u>();
            lens[i] = clamp_some && rng.integer(0, 6) == 0 ? (rng.integer(0, 1) ? rng.integer(33, 1000) : -rng.integer(1, 9))
                                                           : rng.integer(0, 32);
        }
        const int offset = trial % 3 == 0 ? rng.integer(0, 7) : rng.integer(0, 100);
        std::vector<Vek8u> want(len * 4 + 16);
        for (auto& b : want) b = Vek8u(rng.integer(0, 255));
        std::vector<Vek8u> got = want;
        VekStatus want_status = vekStsOk;
        const int want_total = reference_pack(src, lens, want, offset, want_status);
        int total = -1;
        ASSERT_EQ(veksPackBits_32u8u(src.data(), lens.data(), len, got.data(), offset, &total), want_status);
        ASSERT_EQ(total, want_total);
        ASSERT_EQ(got, want) << "trial " << trial << " offset " << offset;
    }
}

} // namespace
