// Element access for caller arrays of any address: loads and stores go
// through memcpy, which compiles to plain moves.
#pragma once

#include <cstddef>
#include <cstring>

namespace veks::wt {

template <class T> inline T load(const T* p, std::size_t i) {
    T v;
    std::memcpy(&v, p + i, sizeof v);
    return v;
}

template <class T> inline void store(T* p, std::size_t i, T v) { std::memcpy(p + i, &v, sizeof v); }

} // namespace veks::wt
