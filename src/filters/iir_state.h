// IIR state objects: identifiers, the 48-byte header, the layout of taps and
// delay line, and the form table that ties each exported form to its tap,
// computing and data types.
//
// A state holds 32-bit offsets from its own start instead of pointers, so the
// header keeps the size the reported state sizes assume.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "veks.h"

namespace veks::iir {

// Complex value of the computing type; layout of Vek32fc / Vek64fc.
template <class R> struct Cx {
    R re, im;
};
template <class R> inline Cx<R> operator+(Cx<R> a, Cx<R> b) { return {a.re + b.re, a.im + b.im}; }
template <class R> inline Cx<R> operator-(Cx<R> a, Cx<R> b) { return {a.re - b.re, a.im - b.im}; }
template <class R> inline Cx<R> operator*(Cx<R> a, Cx<R> b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

template <class T> struct real_part_of { using type = T; };
template <class R> struct real_part_of<Cx<R>> { using type = R; };
template <class T> using real_t = typename real_part_of<T>::type;
template <class T> constexpr bool is_cx = !std::is_same_v<real_t<T>, T>;

// Identifier: 0x4949 then the two ASCII digits of the code.
constexpr std::uint32_t state_id(int code) {
    return 0x49490000u | std::uint32_t('0' + code / 10) << 8 | std::uint32_t('0' + code % 10);
}

struct StateHeader {
    std::uint32_t id;
    std::uint32_t taps;    // offset of the normalised taps
    std::uint32_t dly;     // offset of the delay line
    std::int32_t dly_len;  // order, or 2 * numBq
    std::int32_t num_bq;   // 0 for arbitrary order
    std::uint32_t owned;   // 1 when InitAlloc made the state
    std::uint32_t reserved[6];
};
static_assert(sizeof(StateHeader) == 48, "48-byte header");

constexpr std::int64_t up16(std::int64_t v) { return (v + 15) & ~std::int64_t(15); }

// Byte layout of a state with elements of elem bytes.
struct Layout {
    std::int64_t taps_bytes, dly_bytes;
    std::int64_t body() const { return sizeof(StateHeader) + up16(taps_bytes) + up16(dly_bytes); }
    std::int64_t size() const { return body() + 16; } // slack to reach a 16-byte boundary
};
inline Layout layout_order(int order, std::size_t elem) {
    return {std::int64_t(elem) * (2 * std::int64_t(order) + 1), std::int64_t(elem) * (std::int64_t(order) + 1)};
}
inline Layout layout_biquad(int num_bq, std::size_t elem) {
    return {std::int64_t(elem) * 5 * num_bq, std::int64_t(elem) * 2 * num_bq};
}

template <class T> inline T* taps_of(StateHeader* h) { return reinterpret_cast<T*>(reinterpret_cast<std::uint8_t*>(h) + h->taps); }
template <class T> inline T* dly_of(StateHeader* h) { return reinterpret_cast<T*>(reinterpret_cast<std::uint8_t*>(h) + h->dly); }

// Accepts the arbitrary-order code and the biquad code of one form.
inline bool has_form(const void* state, int code) {
    std::uint32_t id;
    std::memcpy(&id, state, sizeof id);
    return id == state_id(code) || id == state_id(code + 1);
}

// Form table, keyed by the arbitrary-order code: T is the tap and computing
// type, Data the type of the caller's samples.
template <int Code> struct Form;
#define VEKS_IIR_FORM(CODE, TAP, DATA)       \
    template <> struct Form<CODE> {          \
        using T = TAP;                       \
        using Data = DATA;                   \
        static constexpr int code = CODE;    \
    };
VEKS_IIR_FORM(1, float, Vek32f)
VEKS_IIR_FORM(3, Cx<float>, Vek32fc)
VEKS_IIR_FORM(5, float, Vek16s)
VEKS_IIR_FORM(7, Cx<float>, Vek16sc)
VEKS_IIR_FORM(9, float, Vek16s)
VEKS_IIR_FORM(11, Cx<float>, Vek16sc)
VEKS_IIR_FORM(13, double, Vek64f)
VEKS_IIR_FORM(15, Cx<double>, Vek64fc)
VEKS_IIR_FORM(17, double, Vek32f)
VEKS_IIR_FORM(19, Cx<double>, Vek32fc)
VEKS_IIR_FORM(21, double, Vek32s)
VEKS_IIR_FORM(23, Cx<double>, Vek32sc)
VEKS_IIR_FORM(25, double, Vek16s)
VEKS_IIR_FORM(27, Cx<double>, Vek16sc)
#undef VEKS_IIR_FORM

// Builds a state of kind code (arbitrary order when num_bq == 0) in the
// memory at base (16-byte aligned): header, zeroed taps, delay line copied
// from dly (elem-byte values) or zero-filled, extra element 0.
StateHeader* place_state(std::uint8_t* base, int code, int order, int num_bq, std::size_t elem, const void* dly,
                         std::uint32_t owned);

} // namespace veks::iir
