// Life-cycle steps every transform spec header shares: an identifier, an
// "owned" flag (1: made by InitAlloc) and the bytes of work it needs.
#pragma once

#include <cstdint>

#include "core/checks.h"
#include "core/unaligned.h"
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

// The work buffer a spec asks of its caller: its own size plus room to align
// it, or 0 when it needs none.
template <class Header>
VekStatus spec_work_size(const void* spec, std::uint32_t id, int* size) {
    VEKS_CHECK(check_ptrs(spec, size));
    const auto* h = static_cast<const Header*>(spec);
    if (h->id != id) return vekStsBadContext;
    store_elem(size, 0, h->work_bytes ? static_cast<int>(h->work_bytes) + 32 : 0);
    return vekStsOk;
}

} // namespace veks
