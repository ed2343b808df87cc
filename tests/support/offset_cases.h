// One call of a kernel family at byte offset 1 (every buffer) against the
// same call on 16-byte aligned buffers: the outputs must match bit for bit.
// Run under the sanitizer build, a typed access at an unaligned address
// fails the test.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "byte_offset.h"
#include "veks.h"

namespace vt {

// A buffer of a case: its bytes (random values of its element type for an
// input, zeros for an output) and whether the kernel writes it.
struct OffsetBuffer {
    std::vector<unsigned char> bytes;
    bool output;
};

template <class T>
OffsetBuffer offset_input(std::size_t n, double lo = -1000, double hi = 1000) {
    std::mt19937 gen(static_cast<unsigned>(n * 31 + sizeof(T)));
    std::uniform_real_distribution<double> value(lo, hi);
    std::vector<T> v(n);
    for (auto& x : v) {
        if constexpr (std::is_arithmetic_v<T>) x = static_cast<T>(value(gen));
        else x = T{static_cast<decltype(x.re)>(value(gen)), static_cast<decltype(x.im)>(value(gen))};
    }
    OffsetBuffer b{std::vector<unsigned char>(n * sizeof(T)), false};
    std::memcpy(b.bytes.data(), v.data(), b.bytes.size());
    return b;
}

template <class T> OffsetBuffer offset_output(std::size_t n) { return {std::vector<unsigned char>(n * sizeof(T)), true}; }

struct OffsetCase {
    std::string name;
    std::vector<OffsetBuffer> buffers;
    std::function<VekStatus(const std::vector<void*>&)> call;
};

// Runs the call with every buffer at byte offset `offset` past a 16-byte
// boundary; returns the status and the final contents of every buffer.
inline std::pair<VekStatus, std::vector<std::vector<unsigned char>>> run_at(const OffsetCase& c, std::size_t offset) {
    std::vector<Misaligned<unsigned char>> storage;
    storage.reserve(c.buffers.size());
    std::vector<void*> ptrs;
    for (const auto& b : c.buffers) {
        storage.emplace_back(b.bytes, offset);
        ptrs.push_back(storage.back().data());
    }
    const VekStatus sts = c.call(ptrs);
    std::vector<std::vector<unsigned char>> out;
    for (const auto& s : storage) out.push_back(s.values());
    return {sts, out};
}

inline void expect_offset_independent(const OffsetCase& c) {
    SCOPED_TRACE(c.name);
    const auto aligned = run_at(c, 0), odd = run_at(c, 1);
    EXPECT_EQ(odd.first, aligned.first);
    for (std::size_t k = 0; k < c.buffers.size(); ++k)
        EXPECT_TRUE(odd.second[k] == aligned.second[k]) << "buffer " << k;
}

// Typed views of a case's pointers.
template <class T> T* as(void* p) { return static_cast<T*>(p); }

} // namespace vt
