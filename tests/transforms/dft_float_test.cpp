// Float and double DFTs of every kind against long double references: all
// lengths 1..64, primes and products with large prime factors (every
// engine), long lengths by exact single-tone spectra, every flag, both
// directions, in place and out of place, unaligned data, caller buffers.
#include "float_kinds.h"

namespace {

using dftt::cld;
using dftt::Kind;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// Powers of two from 8 up run the FFT, whose kernels take element-aligned
// arrays; the DFT's own engines also take data at odd byte addresses.
bool fft_length(int n) { return n > 4 && (n & (n - 1)) == 0; }

TEST(DftFloat, EveryLengthTo64EveryFlagAndPlacement) {
    for (const Kind& k : dftt::dft_kinds())
        for (int n = 1; n <= 64; ++n)
            for (int v = 0; v < 8; ++v) {
                const int flag = 1 << (v % 4);
                const bool inv = v / 4, in_place = (n + v) % 2;
                dftt::check_one(k, n, flag, inv, in_place, (n + v) % 3, v % 2 && !fft_length(n) ? 3 : 0, v % 3 == 0);
            }
}

// Primes and products with large prime factors reach the direct and the
// chirp engines and the generic odd radices.
TEST(DftFloat, PrimesAndLargeFactors) {
    std::vector<int> lengths = {97, 100, 121, 149, 151, 179, 181, 243, 298, 302, 360, 1000, 1009, 1536};
    if (!kSanitized) lengths.insert(lengths.end(), {2 * 1009, 4003});
    for (const Kind& k : dftt::dft_kinds())
        for (int n : lengths)
            for (int v = 0; v < 2; ++v) dftt::check_one(k, n, v ? vekFftNormInv : vekFftNormNone, v, v, n % 3, 1, true);
}

// Long lengths: a tone at bin f has the spectrum n at f (complex) or n/2 at
// f and n - f (real cosine), exact in long double.
TEST(DftFloat, LongLengthsBySingleTones) {
    std::vector<int> lengths = {10007, 100003};
    if (!kSanitized) lengths.insert(lengths.end(), {100000, 2 * 50021});
    for (int n : lengths) {
        const int f = n / 7 + 3;
        std::vector<cld> x(n);
        for (int i = 0; i < n; ++i) {
            const long double a = fftref::kTwoPi * ((long long)f * i % n) / n;
            x[i] = cld(std::cos(a), std::sin(a));
        }
        const std::vector<cld> cosine = [&] { auto c = x; for (auto& v : c) v = cld(v.real(), 0); return c; }();
        for (const Kind& k : dftt::dft_kinds()) {
            dftt::Spec spec(k, n, vekFftNormNone);
            ASSERT_EQ(spec.status(), vekStsOk);
            std::vector<cld> want(k.real ? n / 2 + 1 : n, 0);
            want[f] = k.real ? n / 2.0L : n;
            const std::vector<cld> got = k.run(spec.get(), k.real ? cosine : x, n, false, true, 2, nullptr, 0);
            const long double err = fftref::rel_rms(want, 1, [&](std::size_t i) { return got[i]; });
            EXPECT_LT(err, dftt::error_bound(k.dbl, n)) << k.name << " n " << n;
        }
    }
}

} // namespace
