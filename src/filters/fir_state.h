// FIR state objects: identifiers, the two header layouts, sizes and the
// carving of one state block into its regions.
//
// Every region is addressed by a 32-bit offset from the state's start (0 for
// none), so a state holds no pointers and works wherever Init places it.
// The only address kept is that of a transform specification made by the
// allocating initialiser, which lives outside the block (extension word).
#pragma once

#include <cstddef>
#include <cstdint>

#include "veks.h"

namespace veks::fir {

// Identifier of code c: 0x4649 followed by the two decimal digits of c.
constexpr std::uint32_t state_id(int code) {
    return 0x46490000u | std::uint32_t('0' + code / 10) << 8 | std::uint32_t('0' + code % 10);
}
// The multirate state of a form carries the single-rate code plus 2.
constexpr int multirate_code(int single_code) { return single_code + 2; }

inline std::uint32_t read_id(const void* state) {
    std::uint32_t id;
    __builtin_memcpy(&id, state, sizeof id);
    return id;
}

constexpr std::int64_t round16(std::int64_t x) { return (x + 15) & ~std::int64_t(15); }

// Where the state starts inside the caller's buffer.
inline std::uint8_t* state_base(void* buffer) {
    const auto a = reinterpret_cast<std::uintptr_t>(buffer);
    return reinterpret_cast<std::uint8_t*>((a + 15) & ~std::uintptr_t(15));
}

template <class T>
inline T* region(const void* base, std::uint32_t off) {
    return off == 0 ? nullptr : reinterpret_cast<T*>(const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(base)) + off);
}

// Floating-point state (and the Vek32s-data state with Vek64f taps): the
// sixteen 32-bit fields in their fixed order, then the implementation's
// extension words.
struct FloatHeader {
    std::uint32_t id;
    std::uint32_t taps;         // reversed taps
    std::uint32_t dly;          // delay buffer, 3L + 4 elements
    std::int32_t taps_len;
    std::int32_t short_limit;   // blocks up to this length are appended to the history
    std::uint32_t spec;         // transform specification; kExternalSpec: see spec_addr
    std::uint32_t spectrum;     // taps spectrum
    std::int32_t fft_len;       // -1: no transform
    std::int32_t dly_index;
    std::int32_t dly_len;
    std::uint32_t blocks;       // T transform blocks of fft_len elements
    std::uint32_t work;         // T work buffers, or 0
    std::int32_t work_size;     // bytes of one work buffer
    std::uint32_t scratch;      // 4096 data elements for in-place calls
    std::uint32_t status;       // T statuses
    std::int32_t owned;         // 1: made by InitAlloc
    // extension
    std::int32_t threads;       // T at build time
    std::int32_t reserved;
    std::uint64_t spec_addr;    // specification made by the allocating initialiser
};
static_assert(sizeof(FloatHeader) == 80, "header budget");
constexpr std::uint32_t kExternalSpec = 0xFFFFFFFFu;

// Integer-tap state (Vek32s taps with Vek16s data, and the complex twin).
struct IntHeader {
    std::uint32_t id;
    std::uint32_t taps;         // reversed, normalised taps
    std::uint32_t dly;          // delay buffer, 3L + 4 elements
    std::int32_t taps_len;
    std::int32_t short_limit;
    std::int32_t taps_factor;   // effective: the caller's factor plus the normalising shift
    std::int32_t dly_index;
    std::uint32_t taps16;       // low 16 bits of each stored tap (real form)
    std::uint32_t scratch;
    // extension
    std::int32_t owned;
    std::int32_t reserved[2];
};
static_assert(sizeof(IntHeader) == 48, "header budget");

// Bump allocator for the regions of one block, each at a multiple of 16.
class Carver {
public:
    explicit Carver(std::uint32_t start) : next_(start) {}
    std::uint32_t take(std::int64_t bytes) {
        const std::uint32_t off = next_;
        next_ += static_cast<std::uint32_t>(round16(bytes));
        return off;
    }
    std::uint32_t used() const { return next_; }

private:
    std::uint32_t next_;
};

} // namespace veks::fir
