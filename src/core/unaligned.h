// Element access at any address. Callers pass byte buffers and packet data
// whose start need not be aligned to the element size; reading or writing
// such an element through a typed pointer is undefined behaviour. A memcpy
// of a fixed size compiles to the same single load or store.
#pragma once

#include <cstddef>
#include <cstring>

namespace veks {

template <class T>
inline T load_elem(const T* p, std::size_t i = 0) {
    T v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(p) + i * sizeof(T), sizeof(T));
    return v;
}

// The value converts to T as in an assignment.
template <class T> struct elem_identity { using type = T; };

template <class T>
inline void store_elem(T* p, std::size_t i, const typename elem_identity<T>::type& v) {
    std::memcpy(reinterpret_cast<unsigned char*>(p) + i * sizeof(T), &v, sizeof(T));
}

// Stores a complex element from its two parts, converted as in assignments
// to the members.
template <class C, class R, class I>
inline void store_complex(C* p, std::size_t i, const R& re, const I& im) {
    C v;
    v.re = re;
    v.im = im;
    store_elem(p, i, v);
}

// Exchanges elements i and j.
template <class T>
inline void swap_elems(T* p, std::size_t i, std::size_t j) {
    const T a = load_elem(p, i), b = load_elem(p, j);
    store_elem(p, i, b);
    store_elem(p, j, a);
}

} // namespace veks
