// Interleaving float channels into one scaled integer vector and back.
// [-1, 1] maps onto the full integer range: y = v * (max + 0.5) - 0.5.
// Samples are visited frame by frame (every channel of sample k before
// sample k + 1), which fixes the result when caller buffers overlap.
#include "core/checks.h"
#include "core/export.h"
#include "convert/convert_kernels.h"

namespace veks::conv {
namespace {

// Destination, counts, then the pointer array and every channel pointer:
// all checked before anything is written.
template <class P, class Q>
VekStatus check_channels(const Q* flat, int nChannels, int count, const P* const* channels) {
    VEKS_CHECK(check_ptrs(flat));
    if (nChannels < 1 || count < 1) return vekStsBadLength;
    VEKS_CHECK(check_ptrs(channels));
    for (int c = 0; c < nChannels; ++c) VEKS_CHECK(check_ptrs(channels[c]));
    return vekStsOk;
}

// Clamped to [-1, 1] with NaN as 0 (which then rounds -0.5 to 0).
inline float clamp_unit(float v) { return v != v ? 0.0f : (v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v)); }

inline Vek16s scale_to_16(float v) {
    const float y = clamp_unit(v) * 32767.5f - 0.5f;
    return static_cast<Vek16s>(round_to_int<vekRoundHalfEven>(y));
}
inline std::int32_t scale_to_24(float v) {
    const double y = static_cast<double>(clamp_unit(v)) * 8388607.5 - 0.5;
    return round_to_int<vekRoundHalfEven>(y);
}

#if defined(__SSE2__)
inline __m128i scale_to_16x4(const float* p) {
    __m128 v = _mm_loadu_ps(p);
    v = simd::clamp_ps(v, _mm_set1_ps(-1.0f), _mm_set1_ps(1.0f));
    v = _mm_sub_ps(_mm_mul_ps(v, _mm_set1_ps(32767.5f)), _mm_set1_ps(0.5f));
    return simd::round_ps<vekRoundHalfEven>(v);
}
#endif

// Stereo, the common case: eight frames per step; returns the frames done.
std::size_t join16_stereo(const Vek32f* left, const Vek32f* right, Vek16s* dst, std::size_t n) {
    std::size_t k = 0;
#if defined(__SSE2__)
    for (; k + 8 <= n; k += 8) {
        const __m128i l = _mm_packs_epi32(scale_to_16x4(left + k), scale_to_16x4(left + k + 4));
        const __m128i r = _mm_packs_epi32(scale_to_16x4(right + k), scale_to_16x4(right + k + 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 2 * k), _mm_unpacklo_epi16(l, r));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 2 * k + 8), _mm_unpackhi_epi16(l, r));
    }
#endif
    (void)left, (void)right, (void)dst, (void)n;
    return k;
}

VekStatus join16(const Vek32f* const* src, int nChannels, int chanLen, Vek16s* dst) {
    VEKS_CHECK(check_channels(dst, nChannels, chanLen, src));
    const std::size_t n = static_cast<std::size_t>(chanLen), channels = static_cast<std::size_t>(nChannels);
    std::size_t k = channels == 2 ? join16_stereo(src[0], src[1], dst, n) : 0;
    for (; k < n; ++k)
        for (std::size_t c = 0; c < channels; ++c) dst[k * channels + c] = scale_to_16(src[c][k]);
    return vekStsOk;
}

VekStatus join24(const Vek32f* const* src, int nChannels, int chanLen, Vek8u* dst) {
    VEKS_CHECK(check_channels(dst, nChannels, chanLen, src));
    const std::size_t n = static_cast<std::size_t>(chanLen), channels = static_cast<std::size_t>(nChannels);
    for (std::size_t k = 0; k < n; ++k)
        for (std::size_t c = 0; c < channels; ++c)
            store_24(dst + 3 * (k * channels + c), static_cast<std::uint32_t>(scale_to_24(src[c][k])));
    return vekStsOk;
}

// Single-precision constants 1/32767.5 and 0.5/32767.5.
constexpr float kSplit16Scale = 0x1.000100p-15f;  // bits 0x38000080
constexpr float kSplit16Offset = 0x1.000100p-16f; // bits 0x37800080

VekStatus split16(const Vek16s* src, int nChannels, Vek32f* const* dst, int dstLen) {
    VEKS_CHECK(check_channels(src, nChannels, dstLen, dst));
    const std::size_t n = static_cast<std::size_t>(dstLen), channels = static_cast<std::size_t>(nChannels);
    for (std::size_t k = 0; k < n; ++k)
        for (std::size_t c = 0; c < channels; ++c)
            dst[c][k] = static_cast<float>(src[k * channels + c]) * kSplit16Scale + kSplit16Offset;
    return vekStsOk;
}

VekStatus split24(const Vek8u* src, int nChannels, Vek32f* const* dst, int dstLen) {
    VEKS_CHECK(check_channels(src, nChannels, dstLen, dst));
    const std::size_t n = static_cast<std::size_t>(dstLen), channels = static_cast<std::size_t>(nChannels);
    constexpr double scale = 1.0 / 8388607.5, offset = 0.5 / 8388607.5;
    for (std::size_t k = 0; k < n; ++k)
        for (std::size_t c = 0; c < channels; ++c)
            dst[c][k] = static_cast<float>(static_cast<double>(load_24s(src + 3 * (k * channels + c))) * scale + offset);
    return vekStsOk;
}

} // namespace
} // namespace veks::conv

using namespace veks::conv;

VEKS_API VekStatus veksJoinScaled_32f16s_D2L(const Vek32f* const* pSrc, int nChannels, int chanLen, Vek16s* pDst) {
    return join16(pSrc, nChannels, chanLen, pDst);
}
VEKS_API VekStatus veksJoinScaled_32f24s_D2L(const Vek32f* const* pSrc, int nChannels, int chanLen, Vek8u* pDst) {
    return join24(pSrc, nChannels, chanLen, pDst);
}
VEKS_API VekStatus veksSplitScaled_16s32f_D2L(const Vek16s* pSrc, int nChannels, Vek32f* const* pDst, int dstLen) {
    return split16(pSrc, nChannels, pDst, dstLen);
}
VEKS_API VekStatus veksSplitScaled_24s32f_D2L(const Vek8u* pSrc, int nChannels, Vek32f* const* pDst, int dstLen) {
    return split24(pSrc, nChannels, pDst, dstLen);
}
