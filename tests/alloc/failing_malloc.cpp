// glibc's own entry points serve the real allocations.
#include "failing_malloc.h"

#include <cstdint>

extern "C" void* __libc_malloc(std::size_t);
extern "C" void __libc_free(void*);

namespace {

bool armed = false;
long attempts = 0, fail_at = 0;
// Blocks made while armed: a fixed table, since the tracker cannot allocate.
constexpr int kSlots = 4096;
void* live[kSlots];

} // namespace

namespace failing_malloc {

void fail_from(long n) {
    attempts = 0;
    fail_at = n;
    for (auto& p : live) p = nullptr;
    armed = true;
}

long disarm() {
    armed = false;
    return attempts;
}

long live_blocks() {
    long n = 0;
    for (void* p : live) n += p != nullptr;
    return n;
}

} // namespace failing_malloc

extern "C" void* malloc(std::size_t n) {
    if (!armed) return __libc_malloc(n);
    if (attempts++ >= fail_at) return nullptr;
    void* p = __libc_malloc(n);
    for (auto& slot : live)
        if (slot == nullptr) {
            slot = p;
            break;
        }
    return p;
}

extern "C" void free(void* p) {
    if (p != nullptr)
        for (auto& slot : live)
            if (slot == p) slot = nullptr;
    __libc_free(p);
}
