// Stable least-significant-digit radix sort, of values in place (with a
// caller buffer of the same size) and of record keys read at a byte stride
// (returning the permutation). Keys are mapped to unsigned integers whose
// order is the wanted order, so every pass is a plain stable counting
// scatter; descending order complements the ascending key, which keeps
// equal keys in input order in both directions.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

#include "core/checks.h"
#include "core/export.h"
#include "core/unaligned.h"

namespace veks::sorting {
namespace {

// The unsigned key of a value, in ascending order: signed integers flip the
// sign bit; floats flip every bit when negative and the sign bit otherwise
// (-0.0 sorts before +0.0, NaNs beyond the infinities by their sign).
template <class T> struct Key;
template <> struct Key<Vek8u>  { using U = std::uint8_t;  static U of(Vek8u v) { return v; } };
template <> struct Key<Vek16u> { using U = std::uint16_t; static U of(Vek16u v) { return v; } };
template <> struct Key<Vek16s> { using U = std::uint16_t; static U of(Vek16s v) { return U(U(v) ^ 0x8000u); } };
template <> struct Key<Vek32u> { using U = std::uint32_t; static U of(Vek32u v) { return v; } };
template <> struct Key<Vek32s> { using U = std::uint32_t; static U of(Vek32s v) { return U(v) ^ 0x80000000u; } };
template <> struct Key<Vek32f> {
    using U = std::uint32_t;
    static U of(Vek32f v) {
        U b;
        std::memcpy(&b, &v, sizeof b);
        return b ^ ((b >> 31) ? 0xFFFFFFFFu : 0x80000000u);
    }
};

template <class T, bool Descend>
typename Key<T>::U key_of(T v) {
    using U = typename Key<T>::U;
    const U k = Key<T>::of(v);
    return Descend ? U(~k) : k;
}

// Digits from the least significant: 8-bit keys one of 8 bits, 16-bit keys
// two of 8 bits, 32-bit keys 11, 11 and 10 bits.
template <class U> struct Digits;
template <> struct Digits<std::uint8_t>  { static constexpr int count = 1, bits[1] = {8}; };
template <> struct Digits<std::uint16_t> { static constexpr int count = 2, bits[2] = {8, 8}; };
template <> struct Digits<std::uint32_t> { static constexpr int count = 3, bits[3] = {11, 11, 10}; };

constexpr int kMaxBuckets = 2048;

// Start offsets of every bucket of every digit, from one counting pass.
// A digit whose keys all fall in one bucket moves nothing and is skipped.
template <class U>
struct Histograms {
    using D = Digits<U>;
    std::uint32_t start[D::count][kMaxBuckets];
    bool moves[D::count];

    static constexpr int shift(int d) {
        int s = 0;
        for (int k = 0; k < d; ++k) s += D::bits[k];
        return s;
    }
    static constexpr unsigned digit(U key, int d) { return unsigned(key >> shift(d)) & ((1u << D::bits[d]) - 1u); }

    template <class KeyAt>
    Histograms(std::size_t n, KeyAt key_at) {
        std::memset(start, 0, sizeof start);
        for (std::size_t i = 0; i < n; ++i) {
            const U k = key_at(i);
            for (int d = 0; d < D::count; ++d) ++start[d][digit(k, d)];
        }
        for (int d = 0; d < D::count; ++d) {
            std::uint32_t sum = 0;
            moves[d] = true;
            for (int b = 0; b < (1 << D::bits[d]); ++b) {
                const std::uint32_t c = start[d][b];
                if (c == n) moves[d] = false;
                start[d][b] = sum;
                sum += c;
            }
        }
    }
    int moving_passes() const { int p = 0; for (bool m : moves) p += m; return p; }
};

template <class T, bool Descend>
VekStatus radix_sort_values(T* src_dst, T* tmp, int len) {
    VEKS_CHECK(check_ptrs_len(len, src_dst, tmp));
    const std::size_t n = static_cast<std::size_t>(len);
    if constexpr (sizeof(T) == 1) {
        // One counting pass, then the vector is rewritten value by value.
        std::size_t count[256] = {};
        for (std::size_t i = 0; i < n; ++i) ++count[load_elem(src_dst, i)];
        std::size_t at = 0;
        for (int k = 0; k < 256; ++k) {
            const int v = Descend ? 255 - k : k;
            std::memset(reinterpret_cast<unsigned char*>(src_dst) + at, v, count[v]);
            at += count[v];
        }
    } else {
        using U = typename Key<T>::U;
        Histograms<U> h(n, [&](std::size_t i) { return key_of<T, Descend>(load_elem(src_dst, i)); });
        T* from = src_dst;
        T* to = tmp;
        for (int d = 0; d < Digits<U>::count; ++d) {
            if (!h.moves[d]) continue;
            std::uint32_t* next = h.start[d];
            const int shift = Histograms<U>::shift(d);
            const unsigned mask = (1u << Digits<U>::bits[d]) - 1u;
            for (std::size_t i = 0; i < n; ++i) {
                const T v = load_elem(from, i);
                store_elem(to, next[unsigned(key_of<T, Descend>(v) >> shift) & mask]++, v);
            }
            std::swap(from, to);
        }
        if (from != src_dst) std::memcpy(src_dst, from, n * sizeof(T));
    }
    return vekStsOk;
}

// Index form: key k sits at byte offset k * stride of src; src is only read.
// The passes alternate between the two index buffers, starting in the one
// that makes the last pass end in dst_index.
template <class T, bool Descend>
VekStatus radix_sort_index(const T* src, int stride_bytes, int* dst_index, int* tmp_index, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst_index, tmp_index));
    if (stride_bytes < int(sizeof(T))) return vekStsBadLength;
    using U = typename Key<T>::U;
    const std::size_t n = static_cast<std::size_t>(len);
    const unsigned char* base = reinterpret_cast<const unsigned char*>(src);
    const auto key_at = [&](std::size_t k) {
        return key_of<T, Descend>(load_elem(reinterpret_cast<const T*>(base + k * std::size_t(stride_bytes))));
    };
    Histograms<U> h(n, key_at);
    const int passes = h.moving_passes();
    if (passes == 0) {
        for (std::size_t i = 0; i < n; ++i) store_elem(dst_index, i, int(i));
        return vekStsOk;
    }
    int* to = passes % 2 ? dst_index : tmp_index;
    int* from = passes % 2 ? tmp_index : dst_index;
    bool first = true;
    for (int d = 0; d < Digits<U>::count; ++d) {
        if (!h.moves[d]) continue;
        std::uint32_t* next = h.start[d];
        const int shift = Histograms<U>::shift(d);
        const unsigned mask = (1u << Digits<U>::bits[d]) - 1u;
        for (std::size_t i = 0; i < n; ++i) {
            const int k = first ? int(i) : load_elem(from, i);
            store_elem(to, next[unsigned(key_at(std::size_t(k)) >> shift) & mask]++, k);
        }
        first = false;
        std::swap(from, to);
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::sorting

using namespace veks::sorting;

#define VEKS_SORT_RADIX(s)                                                                                    \
    VEKS_API VekStatus veksSortRadixAscend_##s##_I(Vek##s* pSrcDst, Vek##s* pTmp, int len) {                 \
        return radix_sort_values<Vek##s, false>(pSrcDst, pTmp, len);                                          \
    }                                                                                                         \
    VEKS_API VekStatus veksSortRadixDescend_##s##_I(Vek##s* pSrcDst, Vek##s* pTmp, int len) {                \
        return radix_sort_values<Vek##s, true>(pSrcDst, pTmp, len);                                           \
    }                                                                                                         \
    VEKS_API VekStatus veksSortRadixIndexAscend_##s(const Vek##s* pSrc, int srcStrideBytes, int* pDstIndx,    \
                                                    int* pTmpIndx, int len) {                                 \
        return radix_sort_index<Vek##s, false>(pSrc, srcStrideBytes, pDstIndx, pTmpIndx, len);                \
    }                                                                                                         \
    VEKS_API VekStatus veksSortRadixIndexDescend_##s(const Vek##s* pSrc, int srcStrideBytes, int* pDstIndx,   \
                                                     int* pTmpIndx, int len) {                                \
        return radix_sort_index<Vek##s, true>(pSrc, srcStrideBytes, pDstIndx, pTmpIndx, len);                 \
    }

VEKS_SORT_RADIX(8u)
VEKS_SORT_RADIX(16u)
VEKS_SORT_RADIX(16s)
VEKS_SORT_RADIX(32s)
VEKS_SORT_RADIX(32u)
VEKS_SORT_RADIX(32f)
