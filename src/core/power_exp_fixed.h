// exp(x) * 2^-sf for integer x, rounded to an integer, in 128-bit fixed
// point. exp(x) = 2^t with t = x*log2(e) split into an integer n and a
// 120-bit fraction f; 2^f = 2^(c/256) * exp(r*ln2) with c the top 8 bits of
// f, the first factor from a table and the second from its Taylor series.
// Mantissas are Q126 values (1.0 = 2^126); their relative error stays below
// 2^-118, far below what rounding a 63-bit result needs. Everything is
// constexpr so that the small-scale-factor tables are built by the compiler.
#pragma once

#include <array>
#include <cstdint>

namespace veks {
namespace expfix {

using u128 = unsigned __int128;
using i128 = __int128;

constexpr u128 make_u128(std::uint64_t hi, std::uint64_t lo) { return (u128(hi) << 64) | lo; }

// floor(a*b / 2^128).
constexpr u128 mulhi(u128 a, u128 b) {
    const std::uint64_t a1 = std::uint64_t(a >> 64), a0 = std::uint64_t(a);
    const std::uint64_t b1 = std::uint64_t(b >> 64), b0 = std::uint64_t(b);
    const u128 p00 = u128(a0) * b0, p01 = u128(a0) * b1, p10 = u128(a1) * b0, p11 = u128(a1) * b1;
    const u128 mid = (p00 >> 64) + std::uint64_t(p01) + std::uint64_t(p10);
    return p11 + (p01 >> 64) + (p10 >> 64) + (mid >> 64);
}

// Product of two Q126 values below 2.
constexpr u128 mul_q126(u128 a, u128 b) { return mulhi(a << 1, b << 1); }

constexpr u128 kOne = u128(1) << 126;
constexpr u128 kLn2Q128 = make_u128(0xb17217f7d1cf79abull, 0xc9e3b39803f2f6afull);
// log2(e) * 2^184 in three limbs: 2^-56 units, then two 64-bit limbs.
constexpr std::int64_t kLog2eHi = 0x171547652b82fe1ll;
constexpr std::uint64_t kLog2eMid = 0x777d0ffda0d23a7dull;
constexpr std::uint64_t kLog2eLo = 0x11d6aef551bad2b4ull;

constexpr int kMaxTerm = 33; // 33! < 2^126 < 34!

constexpr std::array<u128, kMaxTerm + 1> make_inverse_factorials() {
    std::array<u128, kMaxTerm + 1> t{};
    u128 f = 1;
    for (int k = 0; k <= kMaxTerm; ++k) {
        if (k > 0) f *= u128(k);
        t[k] = kOne / f;
    }
    return t;
}
constexpr auto kInvFact = make_inverse_factorials();

// exp(u) for a Q126 u with exp(u) < 2, summing the series up to u^terms.
constexpr u128 exp_series(u128 u, int terms) {
    u128 s = kInvFact[terms];
    for (int k = terms - 1; k >= 0; --k) s = kInvFact[k] + mul_q126(u, s);
    return s;
}

// 2^(c/256), c = 0..255.
constexpr std::array<u128, 256> make_exp2_table() {
    std::array<u128, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = exp_series(mulhi(kLn2Q128, u128(c) << 118), kMaxTerm);
    return t;
}
constexpr auto kExp2Table = make_exp2_table();

// exp(x) = mant * 2^(exp2 - 126), mant a Q126 value in [1, 2).
struct Power2 {
    u128 mant;
    std::int64_t exp2;
};

// |x| < 2^31.
constexpr Power2 exp_of_integer(std::int64_t x) {
    const i128 p1 = i128(x) * kLog2eHi;   // 2^-56 units
    const i128 p2 = i128(x) * i128(kLog2eMid);  // 2^-120 units
    const i128 p3 = i128(x) * i128(kLog2eLo);   // 2^-184 units
    const i128 frac1 = p1 & ((i128(1) << 56) - 1);
    const i128 f = (frac1 << 64) + p2 + (p3 >> 64);
    const std::int64_t n = std::int64_t(p1 >> 56) + std::int64_t(f >> 120);
    const u128 frac = u128(f) & ((u128(1) << 120) - 1);
    const int c = int(frac >> 112);
    const u128 r = frac & ((u128(1) << 112) - 1);
    const u128 u = mulhi(r << 6, kLn2Q128); // r * ln2 as Q126, below ln2/256
    return {mul_q126(kExp2Table[c], exp_series(u, 12)), n};
}

// mant * 2^(e - 126) rounded to nearest (a half up), capped at cap.
constexpr std::uint64_t round_capped(u128 mant, std::int64_t e, std::uint64_t cap) {
    if (e >= 64) return cap;
    const std::int64_t s = 126 - e;
    if (s > 127) return 0;
    const u128 r = (mant + (u128(1) << (s - 1))) >> s;
    return r > cap ? cap : std::uint64_t(r);
}

// exp(x) * 2^-sf rounded to nearest (a half up), capped at cap (< 2^64).
constexpr std::uint64_t exp_scaled(std::int64_t x, int sf, std::uint64_t cap) {
    constexpr double ln2 = 0.6931471805599453;
    // Outside this window the value is above 2^64 or below 1/4.
    if (double(x) > (double(sf) + 64.0) * ln2 + 1.0) return cap;
    if (double(x) < (double(sf) - 2.0) * ln2 - 1.0) return 0;
    const Power2 p = exp_of_integer(x);
    return round_capped(p.mant, p.exp2 - sf, cap);
}

} // namespace expfix
} // namespace veks
