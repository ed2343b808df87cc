// State objects of the two-filter wavelet transform.
//
// One allocated block holds the state header and the two band filters;
// every reference is a 32-bit offset from the header's address. A band
// keeps its taps reversed (so a band output is a dot product with a forward
// run of the input), its offset, its history (oldest first) and a scratch
// area for the even/odd split of one chunk of input.
#pragma once

#include <cstdint>

#include "veks.h"

namespace veks::wt {

enum StateId : std::uint32_t { kFwdId = 41, kInvId = 50 };
enum class Dir { Fwd, Inv };

// Outputs per band computed in one pass over a chunk.
constexpr int kChunk = 256;

struct Band {
    std::uint32_t tag;     // kBandTag while the band is valid
    std::int32_t len;      // tap count
    std::int32_t offset;   // >= -1
    std::int32_t history;  // values of history kept (the delay line Get/Set copy)
    std::uint32_t taps;    // len values, reversed
    std::uint32_t delay;   // history values, oldest first
    std::uint32_t scratch; // chunk split area
};

struct State {
    std::uint32_t id;
    std::uint32_t low;  // Band
    std::uint32_t high; // Band
    std::uint32_t buf;  // caller work buffer: unused, 0
    std::int32_t buf_len;
};

constexpr std::uint32_t kBandTag = 0x57544246; // "FBTW"

// History a band needs: forward in input samples, inverse in band values.
constexpr std::int64_t history_of(Dir dir, std::int64_t len, std::int64_t offset) {
    if (dir == Dir::Fwd) return len - 1 + offset > 0 ? len - 1 + offset : 0;
    return (len + offset) / 2;
}

template <class P> inline P* at(const State* s, std::uint32_t off) {
    return reinterpret_cast<P*>(reinterpret_cast<std::uintptr_t>(s) + off);
}
inline Band* band_of(const State* s, std::uint32_t off) { return at<Band>(s, off); }
inline float* taps_of(const State* s, const Band* b) { return at<float>(s, b->taps); }
inline float* delay_of(const State* s, const Band* b) { return at<float>(s, b->delay); }
inline float* scratch_of(const State* s, const Band* b) { return at<float>(s, b->scratch); }

VekStatus create_state(Dir dir, void** out, const Vek32f* taps_low, int len_low, int offs_low,
                       const Vek32f* taps_high, int len_high, int offs_high);
// Identifier and consistency of a state given to any operation.
VekStatus check_state(const void* state, Dir dir);
VekStatus free_state(void* state, Dir dir);
VekStatus get_delay(const void* state, Dir dir, Vek32f* dly_low, Vek32f* dly_high);
VekStatus set_delay(void* state, Dir dir, const Vek32f* dly_low, const Vek32f* dly_high);

} // namespace veks::wt
