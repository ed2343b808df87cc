// Arrays that start at an odd byte offset, as byte buffers and packet data
// do: kernels must read and write them without assuming element alignment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vt {

template <class T>
class Misaligned {
public:
    explicit Misaligned(std::size_t len, std::size_t offset = 1) : len_(len), offset_(offset), bytes_(len * sizeof(T) + 64) {}
    explicit Misaligned(const std::vector<T>& v, std::size_t offset = 1) : Misaligned(v.size(), offset) { assign(v); }
    T* data() { return reinterpret_cast<T*>(start()); }
    std::size_t size() const { return len_; }
    void assign(const std::vector<T>& v) {
        const std::size_t n = v.size() < len_ ? v.size() : len_;
        if (n * sizeof(T) + offset_ + 16 > bytes_.size()) std::abort(); // keeps the size analysis bounded
        std::memcpy(start(), v.data(), n * sizeof(T));
    }
    std::vector<T> values() const {
        std::vector<T> v(len_);
        std::memcpy(v.data(), const_cast<Misaligned*>(this)->start(), len_ * sizeof(T));
        return v;
    }

private:
    // One byte past a 16-byte boundary (or `offset` bytes).
    unsigned char* start() {
        const auto base = reinterpret_cast<std::uintptr_t>(bytes_.data());
        return bytes_.data() + (16 - base % 16) % 16 + offset_;
    }
    std::size_t len_, offset_;
    std::vector<unsigned char> bytes_;
};

} // namespace vt
