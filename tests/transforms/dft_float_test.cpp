// Float and double DFTs of every kind against long double references: all lengths 1..64, primes and
// large prime factors (every engine), every flag, direction and placement, unaligned data, caller buffers.
#include "float_kinds.h"

namespace {

using dftt::cld;
using dftt::Kind;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

TEST(DftFloat, EveryLengthTo64EveryFlagAndPlacement) {
    for (const Kind& k : dftt::dft_kinds())
        for (int n = 1; n <= 64; ++n)
            for (int v = 0; v < 8; ++v) {
                const int flag = 1 << (v % 4);
                const bool inv = v / 4, in_place = (n + v) % 2;
                dftt::check_one(k, n, flag, inv, in_place, (n + v) % 3, v % 2 ? 3 : 0, v % 3 == 0);
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

} // namespace
