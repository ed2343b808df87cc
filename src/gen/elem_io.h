// Element loads and stores of the generators: the shared unaligned access
// under the short names the generator code uses.
#pragma once

#include <cstddef>

#include "core/unaligned.h"

namespace veks::gen {

template <class T>
inline T load(const T* p, std::size_t i) {
    return load_elem(p, i);
}

template <class T>
inline void store(T* p, std::size_t i, const T& v) {
    store_elem(p, i, v);
}

} // namespace veks::gen
