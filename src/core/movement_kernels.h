// Unchecked movement kernels, shared by the movement family and by other
// families that fill or copy a result known in advance.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/unaligned.h"

namespace veks {

#if defined(__SSE2__)
// Fills far larger than the caches skip them: streaming stores write memory
// without first reading each line in, as the C library does for its own
// largest fills.
constexpr std::size_t kStreamingFillBytes = std::size_t(16) << 20;

inline void stream_fill(unsigned char* d, const unsigned char (&word)[4], std::size_t total) {
    const std::size_t head = (16 - reinterpret_cast<std::uintptr_t>(d) % 16) % 16;
    unsigned char lanes[16];
    for (std::size_t i = 0; i < 16; ++i) lanes[i] = word[(head + i) % 4];
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes));
    std::size_t i = 0;
    for (; i < head; ++i) d[i] = word[i % 4];
    for (; i + 16 <= total; i += 16) _mm_stream_si128(reinterpret_cast<__m128i*>(d + i), v);
    _mm_sfence();
    for (; i < total; ++i) d[i] = word[i % 4];
}
#endif

// Patterns that repeat every four bytes (any 16- or 32-bit pattern, a 64-bit
// one with equal halves) go to wmemset: the C library fills them with the same
// stores it picks for memset on the processor at hand. False: not such a pattern.
template <class B>
inline bool fill_words(const unsigned char (&bytes)[sizeof(B)], B* dst, std::size_t n) {
    if constexpr (sizeof(wchar_t) != 4 || sizeof(B) > 8) {
        return false;
    } else {
        unsigned char word[4];
        for (std::size_t i = 0; i < 4; ++i) word[i] = bytes[i % sizeof(B)];
        if (sizeof(B) == 8 && std::memcmp(word, bytes + 4, 4) != 0) return false;
        wchar_t w;
        std::memcpy(&w, word, 4);
        const std::size_t total = n * sizeof(B);
#if defined(__SSE2__)
        if (total >= kStreamingFillBytes) {
            stream_fill(reinterpret_cast<unsigned char*>(dst), word, total);
            return true;
        }
#endif
        std::wmemset(reinterpret_cast<wchar_t*>(dst), w, total / 4);
        // An odd count of 16-bit elements leaves one element over.
        if (total % 4 != 0) std::memcpy(reinterpret_cast<unsigned char*>(dst) + total - 2, word, 2);
        return true;
    }
}

// Fills n elements with one bit pattern. Patterns whose bytes are all equal
// (zero, all-ones) go to memset, which uses the widest stores the processor
// has; a loop compiled for baseline x86-64 cannot.
template <class B>
inline void fill_bits(B pattern, B* dst, std::size_t n) {
    unsigned char bytes[sizeof(B)];
    std::memcpy(bytes, &pattern, sizeof(B));
    bool uniform = true;
    for (std::size_t i = 1; i < sizeof(B); ++i) uniform = uniform && bytes[i] == bytes[0];
    if (uniform) {
        std::memset(dst, bytes[0], n * sizeof(B));
        return;
    }
    if (fill_words(bytes, dst, n)) return;
#if defined(__x86_64__)
    // The string-store instruction fills at the processor's full store width.
    if constexpr (sizeof(B) == 2 || sizeof(B) == 4 || sizeof(B) == 8) {
        void* d = dst;
        std::size_t count = n;
        if constexpr (sizeof(B) == 2)
            __asm__ volatile("rep stosw" : "+D"(d), "+c"(count) : "a"(pattern) : "memory");
        else if constexpr (sizeof(B) == 4)
            __asm__ volatile("rep stosl" : "+D"(d), "+c"(count) : "a"(pattern) : "memory");
        else
            __asm__ volatile("rep stosq" : "+D"(d), "+c"(count) : "a"(pattern) : "memory");
        return;
    }
#endif
    for (std::size_t i = 0; i < n; ++i) store_elem(dst, i, pattern);
}

// Copy in ascending byte order. Ranges that do not overlap (or whose
// destination lies below the source) give the memmove result; a destination
// that starts inside the source range sees the leading bytes repeated.
inline void copy_bytes_ascending(const void* src, void* dst, std::size_t bytes) {
    const unsigned char* s = static_cast<const unsigned char*>(src);
    unsigned char* d = static_cast<unsigned char*>(dst);
    if (d <= s || d >= s + bytes) {
        std::memmove(d, s, bytes);
        return;
    }
    // s < d < s + bytes: the result is periodic, d[i] = s[i mod period].
    // Copy one period, then keep doubling from the part already written.
    const std::size_t period = static_cast<std::size_t>(d - s);
    std::memcpy(d, s, period);
    std::size_t done = period;
    while (done < bytes) {
        const std::size_t back = done - done % period;
        const std::size_t k = back < bytes - done ? back : bytes - done;
        std::memcpy(d + done, d + done - back, k);
        done += k;
    }
}

template <class B>
inline void reverse_in_place(B* p, std::size_t n) {
    for (std::size_t i = 0, j = n - 1; i < n / 2; ++i, --j) swap_elems(p, i, j);
}

inline std::uint16_t byte_swap(std::uint16_t v) { return __builtin_bswap16(v); }
inline std::uint32_t byte_swap(std::uint32_t v) { return __builtin_bswap32(v); }
inline std::uint64_t byte_swap(std::uint64_t v) { return __builtin_bswap64(v); }

} // namespace veks
