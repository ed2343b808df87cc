// Life cycle shared by the noise states: Init in caller memory, InitAlloc
// through the library allocator, identifier test, Free.
#pragma once

#include <type_traits>

#include "core/checks.h"
#include "core/export.h"
#include "core/rounding.h"
#include "gen/elem_io.h"
#include "veks.h"

namespace veks::gen {

// A noise value in double stored to the element type: floating point
// rounds, integers truncate toward zero and saturate.
template <class T>
inline T noise_to(double v) {
    if constexpr (std::is_floating_point_v<T>)
        return static_cast<T>(v);
    else
        return round_saturate<T, vekRoundTowardZero>(v);
}

template <class State, class Init>
VekStatus alloc_state(State** out, Init&& init) {
    VEKS_CHECK(check_ptrs(out));
    auto* st = static_cast<State*>(static_cast<void*>(veksMalloc_8u(static_cast<int>(sizeof(State)))));
    if (st == nullptr) return vekStsNoMemory;
    init(st);
    *out = st;
    return vekStsOk;
}

template <class State>
VekStatus check_state(const State* st, std::int32_t id) {
    return st->id == id ? vekStsOk : vekStsBadContext;
}

template <class State>
VekStatus free_state(State* st, std::int32_t id) {
    VEKS_CHECK(check_ptrs(st));
    VEKS_CHECK(check_state(st, id));
    st->id = 0;
    veksFree(st);
    return vekStsOk;
}

} // namespace veks::gen
