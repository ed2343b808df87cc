// Sparse FIR filter: few non-zero taps at arbitrary delays. The state keeps
// the taps and their offsets from the largest delay, and a delay line of
// `order` samples with room for a block of as many again.
#include <cstdint>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "filters/conv_fft.h"

// The state type is opaque to callers; its fields are laid out in the
// caller's buffer from the next 16-byte boundary on.
struct VeksFIRSparseState_32f {
    std::uint32_t id;
    std::int32_t nz_taps;
    std::int32_t order;
    std::uint32_t taps_at;   // reversed taps (bytes from the state's start)
    std::uint32_t offsets_at; // offset of each reversed tap from the largest delay
    std::uint32_t delay_at;  // 2 * order samples: history, then room for a block
    std::uint32_t reserved[2];
};

namespace veks::filt {
namespace {

constexpr std::uint32_t kSparseId = 0x53524946; // bytes "FIRS" in memory
constexpr std::size_t kStateAlign = 16;

constexpr std::int64_t round16(std::int64_t x) { return (x + 15) / 16 * 16; }

// Header plus alignment slack, then the three arrays.
std::int64_t sparse_state_bytes(int nz, int order) {
    return round16(8LL * order) + 2 * round16(4LL * nz) + 48;
}

template <class T> T* field(VeksFIRSparseState_32f* s, std::uint32_t at) {
    return reinterpret_cast<T*>(reinterpret_cast<char*>(s) + at);
}

VekStatus get_size(int nz, int order, int* size) {
    VEKS_CHECK(check_ptrs(size));
    if (nz < 1 || order < 1) return vekStsBadTapCount;
    const std::int64_t bytes = sparse_state_bytes(nz, order);
    if (bytes > INT32_MAX) return vekStsNoMemory;
    *size = static_cast<int>(bytes);
    return vekStsOk;
}

VekStatus init(VeksFIRSparseState_32f** out, const Vek32f* taps, const Vek32s* pos, int nz, const Vek32f* dly,
               Vek8u* buffer) {
    VEKS_CHECK(check_ptrs(out, taps, pos, buffer));
    if (nz < 1) return vekStsBadTapCount;
    Vek32s prev = -1;
    for (int i = 0; i < nz; ++i) {
        const Vek32s p = load(pos + i);
        if (p <= prev) return vekStsBadSparseTaps;
        prev = p;
    }
    const int order = prev;
    const std::uintptr_t base = (reinterpret_cast<std::uintptr_t>(buffer) + kStateAlign - 1) / kStateAlign * kStateAlign;
    auto* s = reinterpret_cast<VeksFIRSparseState_32f*>(base);
    const std::uint32_t header = 32;
    s->nz_taps = nz;
    s->order = order;
    s->taps_at = header;
    s->offsets_at = header + static_cast<std::uint32_t>(round16(4LL * nz));
    s->delay_at = s->offsets_at + static_cast<std::uint32_t>(round16(4LL * nz));
    s->reserved[0] = s->reserved[1] = 0;
    Vek32f* t = field<Vek32f>(s, s->taps_at);
    std::int32_t* off = field<std::int32_t>(s, s->offsets_at);
    for (int r = 0; r < nz; ++r) {
        t[r] = load(taps + (nz - 1 - r));
        off[r] = order - load(pos + (nz - 1 - r));
    }
    // History in time order: d[j] = x[j - order]; the caller's line is newest first.
    Vek32f* d = field<Vek32f>(s, s->delay_at);
    for (int j = 0; j < order; ++j) d[j] = dly != nullptr ? load(dly + (order - 1 - j)) : 0.0f;
    s->id = kSparseId;
    *out = s;
    return vekStsOk;
}

// y[n] = sum over taps of tap * x[n - pos]: dst zeroed, then one scaled,
// shifted copy of the input added per tap.
VekStatus filter(const Vek32f* src, Vek32f* dst, int len, VeksFIRSparseState_32f* s) {
    VEKS_CHECK(check_ptrs(s, src, dst));
    if (len < 1) return vekStsBadLength;
    if (s->id != kSparseId) return vekStsBadContext;
    const int nz = s->nz_taps, order = s->order;
    const Vek32f* t = field<Vek32f>(s, s->taps_at);
    const std::int32_t* off = field<std::int32_t>(s, s->offsets_at);
    Vek32f* d = field<Vek32f>(s, s->delay_at);
    veksZero_32f(dst, len);
    if (len <= order) {
        // The block follows the history; outputs read from there.
        std::memcpy(d + order, src, sizeof(Vek32f) * len);
        for (int r = 0; r < nz; ++r) veksAddProductC_32f(d + off[r], t[r], dst, len);
        std::memmove(d, d + len, sizeof(Vek32f) * order);
        return vekStsOk;
    }
    if (order > 0) {
        std::memcpy(d + order, src, sizeof(Vek32f) * order);
        for (int r = 0; r < nz; ++r) veksAddProductC_32f(d + off[r], t[r], dst, order);
    }
    for (int r = 0; r < nz; ++r) veksAddProductC_32f(src + off[r], t[r], dst + order, len - order);
    std::memcpy(d, src + (len - order), sizeof(Vek32f) * order);
    return vekStsOk;
}

} // namespace
} // namespace veks::filt

VEKS_API VekStatus veksFIRSparseGetStateSize_32f(int nzTapsLen, int order, int* pStateSize) {
    return veks::filt::get_size(nzTapsLen, order, pStateSize);
}
VEKS_API VekStatus veksFIRSparseInit_32f(VeksFIRSparseState_32f** ppState, const Vek32f* pNZTaps, const Vek32s* pNZTapPos,
                                         int nzTapsLen, const Vek32f* pDlyLine, Vek8u* pBuffer) {
    return veks::filt::init(ppState, pNZTaps, pNZTapPos, nzTapsLen, pDlyLine, pBuffer);
}
VEKS_API VekStatus veksFIRSparse_32f(const Vek32f* pSrc, Vek32f* pDst, int len, VeksFIRSparseState_32f* pState) {
    return veks::filt::filter(pSrc, pDst, len, pState);
}
