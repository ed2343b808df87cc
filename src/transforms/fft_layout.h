// Spec headers, identifiers and the size rules of every FFT spec kind.
// Specs hold 32-bit offsets from their own start instead of pointers, so a
// spec is position independent and its header stays as compact as the
// reported sizes assume.
#pragma once

#include <cstddef>
#include <cstdint>

#include "veks.h"

namespace veks::fft {

enum SpecId : std::uint32_t {
    kIdC16sc = 1, kIdC16s = 2, kIdR16s = 3,
    kIdC32fc = 4, kIdC32f = 5, kIdR32f = 6,
    kIdC64fc = 7, kIdC64f = 8, kIdR64f = 9,
    kIdC32sc = 0x434D414C, kIdC32s = 0x434D414D, kIdR32s = 0x434D414E, kIdR16s32s = 0x434D414F, // "LAMC".."OAMC"
};

constexpr int kMaxOrder = 30;

// Header of the float and double specs: 21 words (22 with a double factor).
template <class T>
struct FloatSpecHeader {
    std::uint32_t id;
    std::int32_t order;
    std::uint32_t fwd_scaled;
    std::uint32_t inv_scaled;
    T factor;
    std::uint32_t hint;
    std::uint32_t work_bytes;
    std::uint32_t owned;
    std::uint32_t bitrev;      // bit-reversal table
    std::uint32_t radix4;      // radix-4 twiddles of the in-core transforms
    std::uint32_t merge;       // blocked path: merge twiddles
    std::uint32_t steps[2 * 4]; // decomposition steps: radix-4 twiddles of order k, step twiddles
    std::uint32_t recomb_fwd;  // real kinds
    std::uint32_t recomb_inv;
};
static_assert(sizeof(FloatSpecHeader<float>) == 21 * 4, "21-word header");
static_assert(sizeof(FloatSpecHeader<double>) == 22 * 4, "22-word header");

// Header of the 16-bit specs: 13 words.
struct ShortSpecHeader {
    std::uint32_t id;
    std::int32_t order;
    std::int32_t fwd_shift;
    std::int32_t inv_shift;
    std::uint32_t sqrt_half; // results also times 1/sqrt(2)
    std::uint32_t hint;
    std::uint32_t work_bytes;
    std::uint32_t float_engine;
    std::uint32_t owned;
    std::uint32_t bitrev;
    std::uint32_t radix4;
    std::uint32_t inner;     // the single-precision spec of the float engine
    std::uint32_t recomb;    // real kind: Q14 recombination twiddles
};
static_assert(sizeof(ShortSpecHeader) == 13 * 4, "13-word header");

// Header of the 32-bit integer specs: 6 words.
struct IntSpecHeader {
    std::uint32_t id;
    std::int32_t order;
    std::uint32_t hint;
    std::uint32_t work_bytes;
    std::uint32_t owned;
    std::uint32_t inner;
};
static_assert(sizeof(IntSpecHeader) == 6 * 4, "6-word header");

template <class P> inline P* at_offset(const void* base, std::uint32_t off) {
    return reinterpret_cast<P*>(reinterpret_cast<std::uintptr_t>(base) + off);
}
inline std::uint8_t* align_up32(void* p) {
    return reinterpret_cast<std::uint8_t*>((reinterpret_cast<std::uintptr_t>(p) + 31) & ~std::uintptr_t(31));
}
constexpr std::int64_t down32(std::int64_t v) { return v & ~std::int64_t(31); }
constexpr std::int64_t up32(std::int64_t v) { return down32(v + 31); }

inline bool valid_flag(int flag) { return flag == 1 || flag == 2 || flag == 4 || flag == 8; }

// ---- the plan of a float transform ------------------------------------------
// Split table: outer factor 2^k of the decomposition step by order; 0 means
// in-core (up to the in-core limit) or the blocked path.
inline int split_entry(bool dbl, int m) {
    static const signed char f32[31] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 6, 7, 8, 8, 8, 10, 10, 10, 10, 8, 8, 10, 10, 10, 10, 10, 10};
    static const signed char f64[31] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 5, 6, 7, 7, 8, 9, 9, 9, 8, 8, 9, 9, 9, 9, 9, 9, 9, 9};
    return dbl ? f64[m] : f32[m];
}
constexpr int incore_limit(bool dbl) { return dbl ? 9 : 10; }
constexpr int block_sub_order(bool dbl) { return dbl ? 9 : 10; }

// Bytes of the radix-4 twiddle table of order m as the sizes count them.
constexpr std::int64_t radix4_bytes(bool dbl, int m) {
    return dbl ? down32(16 * (std::int64_t(1) << m) + 47) : down32(8 * (std::int64_t(1) << m) + 39);
}
// Bytes of the bit-reversal term of order m.
constexpr std::int64_t bitrev_bytes(int m) { return down32((std::int64_t(1) << m) + 35); }

struct LargeSizes { std::int64_t spec, init, work; };

inline LargeSizes large_sizes(bool dbl, int m) {
    const std::int64_t elem = dbl ? 16 : 8;
    const int k = split_entry(dbl, m);
    const std::int64_t n = std::int64_t(1) << m;
    if (k == 0) return {up32(n / 4 * elem) + radix4_bytes(dbl, block_sub_order(dbl)), 0, 0};
    const int inner = m - k;
    LargeSizes s = inner <= incore_limit(dbl) ? LargeSizes{radix4_bytes(dbl, inner), 0, 0} : large_sizes(dbl, inner);
    const std::int64_t p = std::int64_t(1) << k;
    s.spec += radix4_bytes(dbl, k) + elem * n;
    s.init += 32 * (((p + 35) >> 5) + p);
    s.work = s.work > 4 * elem * p ? s.work : 4 * elem * p;
    return s;
}

struct Sizes { std::int64_t spec, init, work; };

// Complex float kinds (C_32fc, C_32f, C_64fc, C_64f).
inline Sizes complex_float_sizes(bool dbl, int m) {
    const std::int64_t n = std::int64_t(1) << m;
    if (m <= 3) return {dbl ? 120 : 116, 0, 0};
    if (m <= incore_limit(dbl)) return {bitrev_bytes(m) + radix4_bytes(dbl, m) + 128, 0, 0};
    const LargeSizes l = large_sizes(dbl, m);
    const std::int64_t quarter = dbl ? (m >= 11 ? down32(n / 4 * 8 + 39) : 0) : bitrev_bytes(m);
    const std::int64_t init = (dbl && m < 11) ? 0 : quarter + l.init + 32;
    return {bitrev_bytes(m) + l.spec + 128, init, l.work > 0 ? l.work + 32 : 0};
}

// Real float kinds (R_32f, R_64f): a complex transform of half the length
// and the two recombination tables.
inline Sizes real_float_sizes(bool dbl, int m) {
    const std::int64_t n = std::int64_t(1) << m;
    if (m <= 3) return {dbl ? 120 : 116, 0, 0};
    const int h = m - 1;
    Sizes s = complex_float_sizes(dbl, h);
    const std::int64_t elem = dbl ? 16 : 8;
    s.spec += ((n / 4 * elem + 31) >> 5) * 64 + 128;
    const std::int64_t large_init = h > incore_limit(dbl) ? large_sizes(dbl, h).init : 0;
    s.init = m >= 11 ? down32(n / 4 * 4 + 35) + large_init + 32 : 0;
    return s;
}

// 16-bit kinds: the fixed-point engine for order <= 8 with hint 0 or 1,
// else a single-precision inner spec (complex, or real for R_16s).
inline bool short_uses_float(int m, int hint) { return m >= 1 && (m >= 9 || (hint != 0 && hint != 1)); }

inline Sizes short_sizes(bool real, int m, int hint) {
    const std::int64_t n = std::int64_t(1) << m;
    if (m == 0) return {84, 0, 0};
    Sizes s;
    if (short_uses_float(m, hint)) {
        s = real ? real_float_sizes(false, m) : complex_float_sizes(false, m);
        s.work += 8 * n;
    } else {
        s = {down32(8 * n + 31) + bitrev_bytes(m), down32(n / 4 * 2 + 33), 8 * n};
    }
    return {s.spec + 96, s.init + 32, s.work + 32};
}

// 32-bit integer kinds wrap a float spec; the work buffer also holds the
// converted data.
inline Sizes int_sizes(std::uint32_t id, int m) {
    const std::int64_t n = std::int64_t(1) << m;
    Sizes s{};
    switch (id) {
    case kIdC32sc: case kIdC32s: s = complex_float_sizes(true, m); s.work += 16 * n; break;
    case kIdR32s: s = real_float_sizes(true, m); s.work += 8 * n; break;
    default: s = real_float_sizes(false, m); s.work += 4 * n; break; // R_16s32s
    }
    s.spec += 64;
    if (s.init) s.init += 32;
    if (s.work) s.work += 32;
    return s;
}

} // namespace veks::fft
