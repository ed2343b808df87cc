// LMS state objects: one aligned block holding a header, the reversed taps
// and a doubled circular delay buffer. The header keeps 32-bit offsets from
// the block's start instead of pointers.
#pragma once

#include <cstdint>
#include <cstring>

#include "veks.h"

namespace veks::lms {

constexpr std::uint32_t kId32f = 0x4C4D5331;    // bytes "1SML" in memory
constexpr std::uint32_t kId32f16s = 0x4C4D5300;
constexpr std::uint32_t kIdMR32s = 0x4C4D5352;  // bytes "RSML"
constexpr std::uint32_t kIdMR32sc = 0x4C4D5343; // bytes "CSML"

constexpr std::int64_t up16(std::int64_t v) { return (v + 15) & ~std::int64_t(15); }

inline bool has_id(const void* state, std::uint32_t id) {
    std::uint32_t v;
    std::memcpy(&v, state, sizeof v);
    return v == id;
}

template <class T> inline T* at(void* base, std::uint32_t offset) {
    return reinterpret_cast<T*>(static_cast<std::uint8_t*>(base) + offset);
}

// Single-rate state: tapsLen reversed Vek32f taps, 2 * tapsLen delay samples.
struct Header {
    std::uint32_t id;
    std::uint32_t taps_at;
    std::uint32_t dly_at;
    std::int32_t index; // in [0, taps_len)
    std::int32_t taps_len;
    std::uint32_t reserved[3];
};
static_assert(sizeof(Header) == 32, "32-byte header");

// Multirate state: reversed taps, a delay line of dly_len samples held twice.
struct MRHeader {
    std::uint32_t id;
    std::uint32_t taps_at;
    std::uint32_t dly_at;
    std::int32_t taps_len;
    std::int32_t factor;   // stride between the samples a tap sees
    std::int32_t dly_len;  // taps_len * factor + dly_step
    std::int32_t dly_step; // samples between an output and its error
    std::int32_t index;    // in [0, dly_len): where the next sample goes
    std::int32_t mu;
    std::int32_t zero;
    std::uint32_t reserved[2];
};
static_assert(sizeof(MRHeader) == 48, "48-byte header");

} // namespace veks::lms
