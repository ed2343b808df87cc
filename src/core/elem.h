// Compile-time facts about element types: complex or real, component type,
// the wide integer that holds exact intermediate results.
#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>

#include "veks.h"

namespace veks {

template <class T> struct complex_of { using type = void; };
template <> struct complex_of<Vek8s>  { using type = Vek8sc; };
template <> struct complex_of<Vek16s> { using type = Vek16sc; };
template <> struct complex_of<Vek32s> { using type = Vek32sc; };
template <> struct complex_of<Vek64s> { using type = Vek64sc; };
template <> struct complex_of<Vek32f> { using type = Vek32fc; };
template <> struct complex_of<Vek64f> { using type = Vek64fc; };

template <class T> struct component { using type = T; static constexpr bool is_complex = false; };
#define VEKS_COMPLEX_COMPONENT(C, R) \
    template <> struct component<C> { using type = R; static constexpr bool is_complex = true; };
VEKS_COMPLEX_COMPONENT(Vek8sc, Vek8s)
VEKS_COMPLEX_COMPONENT(Vek16sc, Vek16s)
VEKS_COMPLEX_COMPONENT(Vek32sc, Vek32s)
VEKS_COMPLEX_COMPONENT(Vek64sc, Vek64s)
VEKS_COMPLEX_COMPONENT(Vek32fc, Vek32f)
VEKS_COMPLEX_COMPONENT(Vek64fc, Vek64f)
#undef VEKS_COMPLEX_COMPONENT

template <class T> using component_t = typename component<T>::type;
template <class T> constexpr bool is_complex_v = component<T>::is_complex;

// The wide signed integer that holds exact sums and products: 32 bits for
// 8- and 16-bit operands, 64 bits once an operand is 32-bit.
template <class T>
using wide_t = std::conditional_t<(sizeof(component_t<T>) <= 2), std::int32_t, std::int64_t>;

template <class T> constexpr int bit_width_of = int(sizeof(T) * 8);

} // namespace veks
