// Version record and the aligned allocation family.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/export.h"

namespace {

const VekLibraryVersion kVersion = {
    5, 3, 85, 508, {'z', 'n', '\0', '\0'},
    "libvekszn-5.3.dylib", "5.3 Update 3 build 85.25", "Apr 26 2008"};

constexpr std::uintptr_t kAlign = 32;
// The address malloc returned is kept just before the block: a whole
// pointer, so the block starts at least sizeof(void*) bytes in.
constexpr std::size_t kSlack = kAlign + sizeof(void*) - 1;

void* aligned_alloc_bytes(int len, std::size_t elem_size) {
    if (len < 1) return nullptr;
    void* raw = std::malloc(static_cast<std::size_t>(len) * elem_size + kSlack + 1);
    if (raw == nullptr) return nullptr;
    const std::uintptr_t p = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t q = (p + kSlack) & ~(kAlign - 1);
    std::memcpy(reinterpret_cast<void*>(q - sizeof(void*)), &raw, sizeof(void*));
    return reinterpret_cast<void*>(q);
}

} // namespace

VEKS_API const VekLibraryVersion* veksGetLibVersion(void) { return &kVersion; }

VEKS_API void veksFree(void* ptr) {
    if (ptr == nullptr) return;
    void* raw;
    std::memcpy(&raw, static_cast<char*>(ptr) - sizeof(void*), sizeof(void*));
    std::free(raw);
}

// One line per exported allocator.
#define VEKS_MALLOC(suffix) \
    VEKS_API Vek##suffix* veksMalloc_##suffix(int len) { \
        return static_cast<Vek##suffix*>(aligned_alloc_bytes(len, sizeof(Vek##suffix))); }
VEKS_MALLOC(8u)
VEKS_MALLOC(8s)
VEKS_MALLOC(8sc)
VEKS_MALLOC(16s)
VEKS_MALLOC(16u)
VEKS_MALLOC(16sc)
VEKS_MALLOC(32s)
VEKS_MALLOC(32u)
VEKS_MALLOC(32f)
VEKS_MALLOC(32sc)
VEKS_MALLOC(32fc)
VEKS_MALLOC(64s)
VEKS_MALLOC(64f)
VEKS_MALLOC(64sc)
VEKS_MALLOC(64fc)
