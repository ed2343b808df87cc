// Life cycle of the wavelet states: creation, checks, delay-line access, release.
#include "transforms/wavelet_state.h"

#include <climits>
#include <cstring>
#include <utility>

#include "core/checks.h"
#include "core/export.h"
#include "transforms/wavelet_access.h"

namespace veks::wt {
namespace {

constexpr std::int64_t align_bytes(std::int64_t v) { return (v + 31) & ~std::int64_t(31); }

// Scratch floats of one band: the even and odd halves of a forward chunk,
// or the band values an inverse chunk reads.
constexpr std::int64_t scratch_of(Dir dir, std::int64_t len, std::int64_t history) {
    return dir == Dir::Fwd ? 2 * (kChunk + len / 2 + 1) : kChunk + history;
}

struct BandLayout {
    std::int64_t history, taps, delay, scratch, end;
};

BandLayout layout_band(Dir dir, std::int64_t at, int len, int offset) {
    BandLayout l{};
    l.history = history_of(dir, len, offset);
    l.taps = align_bytes(at + std::int64_t(sizeof(Band)));
    l.delay = align_bytes(l.taps + 4 * std::int64_t(len));
    l.scratch = align_bytes(l.delay + 4 * l.history);
    l.end = align_bytes(l.scratch + 4 * scratch_of(dir, len, l.history));
    return l;
}

void build_band(State* s, std::uint32_t at, const BandLayout& l, const Vek32f* taps, int len, int offset) {
    Band* b = band_of(s, at);
    b->tag = kBandTag;
    b->len = len;
    b->offset = offset;
    b->history = static_cast<std::int32_t>(l.history);
    b->taps = static_cast<std::uint32_t>(l.taps);
    b->delay = static_cast<std::uint32_t>(l.delay);
    b->scratch = static_cast<std::uint32_t>(l.scratch);
    float* t = taps_of(s, b);
    for (int i = 0; i < len; ++i) t[i] = load(taps, static_cast<std::size_t>(len - 1 - i));
    std::memset(delay_of(s, b), 0, 4 * static_cast<std::size_t>(l.history));
}

bool band_valid(const State* s, std::uint32_t off, Dir dir) {
    if (off == 0) return false;
    const Band* b = band_of(s, off);
    return b->tag == kBandTag && b->len >= 1 && b->offset >= -1 &&
           b->history == history_of(dir, b->len, b->offset);
}

VekStatus copy_delay(const State* s, std::uint32_t off, Vek32f* out) {
    const Band* b = band_of(s, off);
    std::memcpy(out, delay_of(s, b), 4 * static_cast<std::size_t>(b->history));
    return vekStsOk;
}

} // namespace

VekStatus create_state(Dir dir, void** out, const Vek32f* taps_low, int len_low, int offs_low,
                       const Vek32f* taps_high, int len_high, int offs_high) {
    VEKS_CHECK(check_ptrs(out, taps_low));
    VEKS_CHECK(check_len(len_low));
    VEKS_CHECK(check_ptrs(taps_high));
    VEKS_CHECK(check_len(len_high));
    if (offs_low < -1 || offs_high < -1) return vekStsBadFilterOffset;

    const std::int64_t low_at = align_bytes(sizeof(State));
    const BandLayout low = layout_band(dir, low_at, len_low, offs_low);
    const BandLayout high = layout_band(dir, low.end, len_high, offs_high);
    if (high.end > INT_MAX - 64) {
        *out = nullptr;
        return vekStsNoMemory;
    }
    Vek8u* mem = veksMalloc_8u(static_cast<int>(high.end));
    if (!mem) {
        *out = nullptr;
        return vekStsNoMemory;
    }
    auto* s = reinterpret_cast<State*>(mem);
    s->id = 0;
    s->low = static_cast<std::uint32_t>(low_at);
    s->high = static_cast<std::uint32_t>(low.end);
    s->buf = 0;
    s->buf_len = 0;
    build_band(s, s->low, low, taps_low, len_low, offs_low);
    build_band(s, s->high, high, taps_high, len_high, offs_high);
    s->id = dir == Dir::Fwd ? kFwdId : kInvId; // last: the object is complete
    *out = s;
    return vekStsOk;
}

VekStatus check_state(const void* state, Dir dir) {
    if (!state) return vekStsNullPtr;
    const auto* s = static_cast<const State*>(state);
    if (s->id != (dir == Dir::Fwd ? kFwdId : kInvId)) return vekStsBadContext;
    if (!band_valid(s, s->low, dir) || !band_valid(s, s->high, dir)) return vekStsBadContext;
    if (s->buf_len < 0 || (s->buf == 0) != (s->buf_len == 0)) return vekStsBadContext;
    return vekStsOk;
}

VekStatus free_state(void* state, Dir dir) {
    VEKS_CHECK(check_state(state, dir));
    auto* s = static_cast<State*>(state);
    s->id = 0;
    band_of(s, s->low)->tag = 0;
    band_of(s, s->high)->tag = 0;
    veksFree(s);
    return vekStsOk;
}

VekStatus get_delay(const void* state, Dir dir, Vek32f* dly_low, Vek32f* dly_high) {
    VEKS_CHECK(check_state(state, dir));
    VEKS_CHECK(check_ptrs(dly_low, dly_high));
    const auto* s = static_cast<const State*>(state);
    copy_delay(s, s->low, dly_low);
    return copy_delay(s, s->high, dly_high);
}

VekStatus set_delay(void* state, Dir dir, const Vek32f* dly_low, const Vek32f* dly_high) {
    VEKS_CHECK(check_state(state, dir));
    VEKS_CHECK(check_ptrs(dly_low, dly_high));
    auto* s = static_cast<State*>(state);
    for (auto [off, src] : {std::pair{s->low, dly_low}, std::pair{s->high, dly_high}}) {
        const Band* b = band_of(s, off);
        std::memcpy(delay_of(s, b), src, 4 * static_cast<std::size_t>(b->history));
    }
    return vekStsOk;
}

} // namespace veks::wt
