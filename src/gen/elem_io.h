// Element loads and stores through memcpy: callers may pass arrays that are
// not aligned to their element size, and memcpy compiles to plain moves.
#pragma once

#include <cstddef>
#include <cstring>

namespace veks::gen {

template <class T>
inline T load(const T* p, std::size_t i) {
    T v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(p) + i * sizeof(T), sizeof(T));
    return v;
}

template <class T>
inline void store(T* p, std::size_t i, const T& v) {
    std::memcpy(reinterpret_cast<unsigned char*>(p) + i * sizeof(T), &v, sizeof(T));
}

} // namespace veks::gen
