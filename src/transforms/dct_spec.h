// DCT specs: identifiers, headers, the engine chosen by the length, and the
// size rules. Like the FFT specs they hold 32-bit offsets from their own
// start, so a spec is position independent.
#pragma once

#include <cstddef>
#include <cstdint>

#include "transforms/fft_layout.h"
#include "veks.h"

namespace veks::dct {

using fft::at_offset;
using fft::up32;
using idx = std::ptrdiff_t;

enum DctId : std::uint32_t {
    kIdFwd16s = 19, kIdInv16s = 20,
    kIdFwd32f = 21, kIdInv32f = 22,
    kIdFwd64f = 23, kIdInv64f = 24,
};

enum class Method { Kernel, PowerOfTwo, Fft, Direct, Chirp };

// Header of the float and double specs: 21 words (24 with double factors).
template <class T>
struct FloatHeader {
    std::uint32_t id;
    std::int32_t n;
    std::uint32_t hint;
    std::uint32_t work_bytes;
    std::uint32_t owned;
    T c0;              // 1/sqrt(N)
    T ck;              // sqrt(2)/sqrt(N)
    std::uint32_t kernel, pow2, fft, chirp; // engine flags (none set: direct)
    std::uint32_t direct_table;  // cos(2 pi m / 4N), m < 4N
    std::uint32_t pow2_table;    // 1 / (2 cos(pi (2i+1) / 2L)) for every level L
    std::uint32_t fft_spec;      // real FFT of length 2N
    std::uint32_t post_twiddle;  // (c_k cos(pi k/2N), c_k sin(pi k/2N)), k < N
    std::uint32_t chirp_spec;    // complex FFT of length M
    std::uint32_t chirp_filter;  // spectrum of the chirp filter over M, times 1/M
    std::uint32_t chirp_pre;     // forward: e^(-i pi n^2/N)
    std::uint32_t chirp_post;    // forward: c_k e^(-i pi (2k^2 + k)/2N)
    std::uint32_t chirp_inv_pre; // inverse: s_k e^(i pi (2k^2 + k)/2N)
    std::uint32_t chirp_order;   // log2 M
};
static_assert(sizeof(FloatHeader<float>) == 21 * 4, "21-word header");
static_assert(sizeof(FloatHeader<double>) == 24 * 4, "23 words and the pad that aligns the doubles");

// Header of the 16-bit specs: 6 words, the single-precision spec behind it.
struct ShortHeader {
    std::uint32_t id;
    std::int32_t n;
    std::uint32_t hint;
    std::uint32_t work_bytes;
    std::uint32_t owned;
    std::uint32_t inner;
};
static_assert(sizeof(ShortHeader) == 6 * 4, "6-word header");

constexpr std::int64_t kHeaderBytes = 96; // either float header, rounded up to 32 bytes
constexpr std::int64_t kShortHeaderBytes = 32;

inline bool is_pow2(std::int64_t n) { return n > 0 && (n & (n - 1)) == 0; }
inline int log2_of(std::int64_t n) {
    int m = 0;
    while ((std::int64_t(1) << m) < n) ++m;
    return m;
}

inline Method method_for(int n, int hint) {
    if (n == 1 || n == 2 || n == 4 || n == 8) return Method::Kernel;
    if (is_pow2(n)) return hint == vekHintPrecision && n >= 513 ? Method::Fft : Method::PowerOfTwo;
    return n <= 100 ? Method::Direct : Method::Chirp;
}

// Length of the chirp convolution: the smallest power of two >= 2N - 1.
inline std::int64_t chirp_length(int n) { return std::int64_t(1) << log2_of(2 * std::int64_t(n) - 1); }

struct Sizes { std::int64_t spec, init, work; };

} // namespace veks::dct
