// Half precision to and from single precision and 16-bit integers.
#include "core/checks.h"
#include "core/export.h"
#include "core/unaligned.h"
#include "convert/convert_half.h"

namespace veks::conv {
namespace {

// Half-precision forms reject mode 2 and truncate for every mode but 1.
VekStatus check_half_mode(int mode) { return mode == vekRoundHalfAway ? vekStsBadRoundMode : vekStsOk; }

void halves_to_singles(const Vek16f* src, Vek32f* dst, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= n; i += 8) {
        const __m128i h = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i z = _mm_setzero_si128();
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), simd::half_to_single4(_mm_unpacklo_epi16(h, z)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 4), simd::half_to_single4(_mm_unpackhi_epi16(h, z)));
    }
#endif
    for (; i < n; ++i) store_elem(dst, i, float_of(half_to_single(load_elem(src, i))));
}

template <int Mode>
void singles_to_halves(const Vek32f* src, Vek16f* dst, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= n; i += 8) {
        const __m128i a = simd::single_to_half4<Mode>(_mm_castps_si128(_mm_loadu_ps(src + i)));
        const __m128i b = simd::single_to_half4<Mode>(_mm_castps_si128(_mm_loadu_ps(src + i + 4)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), simd::pack_low16(a, b));
    }
#endif
    for (; i < n; ++i) store_elem(dst, i, Vek16f(single_to_half<Mode>(bits_of(load_elem(src, i)))));
}

template <int Mode>
void ints_to_halves(const Vek16s* src, Vek16f* dst, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= n; i += 8) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i lo = _mm_srai_epi32(_mm_unpacklo_epi16(x, x), 16), hi = _mm_srai_epi32(_mm_unpackhi_epi16(x, x), 16);
        const __m128i a = simd::single_to_half4<Mode>(_mm_castps_si128(_mm_cvtepi32_ps(lo)));
        const __m128i b = simd::single_to_half4<Mode>(_mm_castps_si128(_mm_cvtepi32_ps(hi)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), simd::pack_low16(a, b));
    }
#endif
    for (; i < n; ++i) store_elem(dst, i, Vek16f(single_to_half<Mode>(bits_of(static_cast<float>(load_elem(src, i))))));
}

// Half times 2^-sf to a 16-bit integer. The magnitude is an integer
// significand times 2^p; right shifts round by mode, the sign comes last.
template <int Mode>
Vek16s half_to_int(std::uint16_t h, int sf) {
    const bool negative = (h & 0x8000u) != 0;
    const int e = (h >> 10) & 0x1F;
    const std::int64_t m = h & 0x3FF;
    if (e == 0x1F) return m != 0 ? Vek16s(0) : (negative ? Vek16s(-32768) : Vek16s(32767));
    const std::int64_t sig = e == 0 ? m : (m | 0x400);
    const std::int64_t p = (e == 0 ? -24 : e - 25) - static_cast<std::int64_t>(sf);
    std::int64_t mag;
    if (sig == 0) {
        mag = 0;
    } else if (p >= 0) {
        mag = p >= 16 ? 32768 : sig << p; // 2^16 already exceeds the range
    } else if (p <= -12) {
        mag = 0; // below half of the smallest step
    } else {
        const int k = static_cast<int>(-p);
        mag = Mode == 1 ? round_shift_half_even(sig, k) : sig >> k;
    }
    if (mag >= 32768) return negative ? Vek16s(-32768) : Vek16s(32767);
    return static_cast<Vek16s>(negative ? -mag : mag);
}

template <int Mode>
void halves_to_ints(const Vek16f* src, Vek16s* dst, std::size_t n, int sf) {
    for (std::size_t i = 0; i < n; ++i) store_elem(dst, i, half_to_int<Mode>(load_elem(src, i), sf));
}

} // namespace
} // namespace veks::conv

using namespace veks::conv;

VEKS_API VekStatus veksConvert_16f32f(const Vek16f* pSrc, Vek32f* pDst, int len) {
    VEKS_CHECK(veks::check_ptrs_len(len, pSrc, pDst));
    halves_to_singles(pSrc, pDst, static_cast<std::size_t>(len));
    return vekStsOk;
}

VEKS_API VekStatus veksConvert_32f16f(const Vek32f* pSrc, Vek16f* pDst, int len, int roundMode) {
    VEKS_CHECK(veks::check_ptrs_len(len, pSrc, pDst));
    VEKS_CHECK(check_half_mode(roundMode));
    if (roundMode == vekRoundHalfEven) singles_to_halves<1>(pSrc, pDst, static_cast<std::size_t>(len));
    else singles_to_halves<0>(pSrc, pDst, static_cast<std::size_t>(len));
    return vekStsOk;
}

VEKS_API VekStatus veksConvert_16s16f(const Vek16s* pSrc, Vek16f* pDst, int len, int roundMode) {
    VEKS_CHECK(veks::check_ptrs_len(len, pSrc, pDst));
    VEKS_CHECK(check_half_mode(roundMode));
    if (roundMode == vekRoundHalfEven) ints_to_halves<1>(pSrc, pDst, static_cast<std::size_t>(len));
    else ints_to_halves<0>(pSrc, pDst, static_cast<std::size_t>(len));
    return vekStsOk;
}

VEKS_API VekStatus veksConvert_16f16s_Sfs(const Vek16f* pSrc, Vek16s* pDst, int len, int roundMode, int sf) {
    VEKS_CHECK(veks::check_ptrs_len(len, pSrc, pDst));
    VEKS_CHECK(check_half_mode(roundMode));
    if (roundMode == vekRoundHalfEven) halves_to_ints<1>(pSrc, pDst, static_cast<std::size_t>(len), sf);
    else halves_to_ints<0>(pSrc, pDst, static_cast<std::size_t>(len), sf);
    return vekStsOk;
}
