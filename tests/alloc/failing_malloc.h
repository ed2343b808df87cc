// A malloc that fails on request, linked into the allocation-failure tests:
// the library's calls to malloc and free resolve to it (the executable's
// definitions come first), so every allocation path can be made to fail.
#pragma once

#include <cstddef>

namespace failing_malloc {

// From now on, the n-th allocation (0 = the next one) and every later one
// fails, until disarm(); the blocks made meanwhile are counted.
void fail_from(long n);
// Stops failing; returns how many allocations were attempted while armed.
long disarm();
// Blocks allocated while armed and not yet freed.
long live_blocks();

} // namespace failing_malloc
