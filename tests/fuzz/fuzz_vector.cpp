// Fuzz target over every vector-shaped function of a family group. The table
// is generated from the group's headers at build time (FUZZ_TABLE names it).
#include "fuzz_support.h"

namespace {
const fz::Entry kTable[] = {
#include FUZZ_TABLE
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fz::run_table(kTable, data, size);
}
