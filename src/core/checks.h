// The argument-check order every function follows: pointers in argument
// order (vekStsNullPtr), then lengths (vekStsBadLength), then the other
// parameters. Families compose these; none writes its own null test.
#pragma once

#include "veks.h"

namespace veks {

template <class... P>
constexpr bool any_null(const P*... ptrs) {
    return ((ptrs == nullptr) || ... || false);
}

// Pointers first, then one length.
template <class... P>
constexpr VekStatus check_ptrs_len(int len, const P*... ptrs) {
    if (any_null(ptrs...)) return vekStsNullPtr;
    if (len < 1) return vekStsBadLength;
    return vekStsOk;
}

constexpr VekStatus check_len(int len) { return len < 1 ? vekStsBadLength : vekStsOk; }

template <class... P>
constexpr VekStatus check_ptrs(const P*... ptrs) {
    return any_null(ptrs...) ? vekStsNullPtr : vekStsOk;
}

} // namespace veks
