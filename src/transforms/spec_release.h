// Releasing a transform spec: every spec header starts its life-cycle fields
// with an identifier and an "owned" flag (1: made by InitAlloc).
#pragma once

#include <cstdint>

#include "veks.h"

namespace veks {

// The identifier is cleared so that a stale pointer is refused later; only
// memory the library allocated is given back.
template <class Header>
VekStatus release_spec(void* spec, std::uint32_t id) {
    if (!spec) return vekStsNullPtr;
    auto* h = static_cast<Header*>(spec);
    if (h->id != id) return vekStsBadContext;
    h->id = 0;
    if (h->owned) veksFree(spec);
    return vekStsOk;
}

} // namespace veks
