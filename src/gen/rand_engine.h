// The combined random generator behind every noise function: a 32-bit
// linear congruential word plus a three-word subtract-with-borrow
// generator. Fixed constants make each sequence reproducible from its seed.
#pragma once

#include <cstdint>

namespace veks::gen {

constexpr std::uint32_t kLcgMul = 69069u;
constexpr std::uint32_t kLcgAdd = 1013904243u;
constexpr std::uint32_t kLcgStart = 1131199209u;
constexpr std::uint32_t kBorrowSet = 0xFFFFFFFFu;

// The five generator words in the order the state objects store them.
struct RandWords {
    std::uint32_t lcg, x1, x2, x3, carry;
};

inline RandWords seeded_words(std::uint32_t seed) {
    const std::uint32_t x2 = seed * kLcgMul + kLcgAdd;
    const std::uint32_t x3 = x2 * kLcgMul + kLcgAdd;
    return RandWords{kLcgStart, seed, x2, x3, kBorrowSet};
}

// One step: advance both generators and return their sum as a signed value.
// The words live in locals while a call runs (see RandWords for storage).
struct CombinedRng {
    std::uint32_t lcg, x1, x2, x3, carry;

    explicit CombinedRng(const RandWords& w) : lcg(w.lcg), x1(w.x1), x2(w.x2), x3(w.x3), carry(w.carry) {}
    RandWords words() const { return RandWords{lcg, x1, x2, x3, carry}; }

    std::int32_t operator()() {
        lcg = lcg * kLcgMul + kLcgAdd;
        const std::uint32_t t = x2 - x3 + carry; // carry reads as 0 or -1
        carry = static_cast<std::int32_t>(t) < 0 ? kBorrowSet : 0u;
        const std::uint32_t x = carry ? t - 18u : t;
        x3 = x2;
        x2 = x1;
        x1 = x;
        return static_cast<std::int32_t>(x + lcg);
    }
};

} // namespace veks::gen
