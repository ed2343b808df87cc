// Set, zero-fill, copy, move, reverse and byte-swap vectors.
// These work on raw element bits, so members of the same element size share
// one kernel instantiated on an unsigned "bits" type. Arrays may start at
// any byte address (packet data): elements move through memcpy-based loads
// and stores.
#include <cstdint>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "core/movement_kernels.h"

namespace veks {
namespace {

// A 16-byte element moved as one unit.
struct Bits128 { std::uint64_t lo, hi; };

template <std::size_t N> struct bits_of;
template <> struct bits_of<1> { using type = std::uint8_t; };
template <> struct bits_of<2> { using type = std::uint16_t; };
template <> struct bits_of<4> { using type = std::uint32_t; };
template <> struct bits_of<8> { using type = std::uint64_t; };
template <> struct bits_of<16> { using type = Bits128; };
template <class T> using bits_t = typename bits_of<sizeof(T)>::type;

template <class T> bits_t<T> to_bits(const T& v) {
    bits_t<T> b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

template <class T>
VekStatus set(T val, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, dst));
    fill_bits(to_bits(val), reinterpret_cast<bits_t<T>*>(dst), len);
    return vekStsOk;
}

template <class T>
VekStatus zero(T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, dst));
    std::memset(dst, 0, static_cast<std::size_t>(len) * sizeof(T));
    return vekStsOk;
}

template <class T>
VekStatus copy(const T* src, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    copy_bytes_ascending(src, dst, static_cast<std::size_t>(len) * sizeof(T));
    return vekStsOk;
}

template <class T>
VekStatus move(const T* src, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if (src != dst) std::memmove(dst, src, static_cast<std::size_t>(len) * sizeof(T));
    return vekStsOk;
}

template <class T>
VekStatus flip(const T* src, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    if (src == dst) {
        reverse_in_place(reinterpret_cast<bits_t<T>*>(dst), len);
    } else {
        auto s = reinterpret_cast<const bits_t<T>*>(src);
        auto d = reinterpret_cast<bits_t<T>*>(dst);
        for (int n = 0; n < len; ++n) store_elem(d, std::size_t(n), load_elem(s, std::size_t(len - 1 - n)));
    }
    return vekStsOk;
}

template <class T>
VekStatus flip_inplace(T* srcdst, int len) {
    VEKS_CHECK(check_ptrs_len(len, srcdst));
    reverse_in_place(reinterpret_cast<bits_t<T>*>(srcdst), len);
    return vekStsOk;
}

template <class T>
VekStatus swap_bytes(const T* src, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (int n = 0; n < len; ++n) store_elem(dst, std::size_t(n), byte_swap(load_elem(src, std::size_t(n))));
    return vekStsOk;
}

template <class T>
VekStatus swap_bytes_inplace(T* srcdst, int len) { return swap_bytes<T>(srcdst, srcdst, len); }

// 24-bit elements are three packed bytes; the middle byte stays.
VekStatus swap_bytes_24(const Vek8u* src, Vek8u* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    for (std::size_t k = 0; k < 3 * static_cast<std::size_t>(len); k += 3) {
        const Vek8u b0 = src[k], b1 = src[k + 1], b2 = src[k + 2];
        dst[k] = b2;
        dst[k + 1] = b1;
        dst[k + 2] = b0;
    }
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

#define VEKS_SET(s)  VEKS_API VekStatus veksSet_##s(Vek##s val, Vek##s* pDst, int len) { return set(val, pDst, len); }
#define VEKS_ZERO(s) VEKS_API VekStatus veksZero_##s(Vek##s* pDst, int len) { return zero(pDst, len); }
#define VEKS_COPY(s) VEKS_API VekStatus veksCopy_##s(const Vek##s* pSrc, Vek##s* pDst, int len) { return copy(pSrc, pDst, len); }
#define VEKS_MOVE(s) VEKS_API VekStatus veksMove_##s(const Vek##s* pSrc, Vek##s* pDst, int len) { return move(pSrc, pDst, len); }
#define VEKS_FLIP(s) \
    VEKS_API VekStatus veksFlip_##s(const Vek##s* pSrc, Vek##s* pDst, int len) { return flip(pSrc, pDst, len); } \
    VEKS_API VekStatus veksFlip_##s##_I(Vek##s* pSrcDst, int len) { return flip_inplace(pSrcDst, len); }
#define VEKS_SWAP(s) \
    VEKS_API VekStatus veksSwapBytes_##s(const Vek##s* pSrc, Vek##s* pDst, int len) { return swap_bytes(pSrc, pDst, len); } \
    VEKS_API VekStatus veksSwapBytes_##s##_I(Vek##s* pSrcDst, int len) { return swap_bytes_inplace(pSrcDst, len); }
// One table row per element type: the families each type has.
#define VEKS_SET_ZERO_COPY_MOVE(s) VEKS_SET(s) VEKS_ZERO(s) VEKS_COPY(s) VEKS_MOVE(s)

VEKS_SET_ZERO_COPY_MOVE(8u)
VEKS_SET_ZERO_COPY_MOVE(16s)
VEKS_SET_ZERO_COPY_MOVE(16sc)
VEKS_SET_ZERO_COPY_MOVE(32s)
VEKS_SET_ZERO_COPY_MOVE(32sc)
VEKS_SET_ZERO_COPY_MOVE(32f)
VEKS_SET_ZERO_COPY_MOVE(32fc)
VEKS_SET_ZERO_COPY_MOVE(64s)
VEKS_SET_ZERO_COPY_MOVE(64sc)
VEKS_SET_ZERO_COPY_MOVE(64f)
VEKS_SET_ZERO_COPY_MOVE(64fc)

VEKS_FLIP(8u)
VEKS_FLIP(16u)
VEKS_FLIP(32f)
VEKS_FLIP(64f)
VEKS_FLIP(32fc)
VEKS_FLIP(64fc)

VEKS_SWAP(16u)
VEKS_SWAP(32u)
VEKS_SWAP(64u)
VEKS_API VekStatus veksSwapBytes_24u(const Vek8u* pSrc, Vek8u* pDst, int len) { return swap_bytes_24(pSrc, pDst, len); }
VEKS_API VekStatus veksSwapBytes_24u_I(Vek8u* pSrcDst, int len) { return swap_bytes_24(pSrcDst, pSrcDst, len); }
