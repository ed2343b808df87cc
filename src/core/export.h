// How a library function becomes an exported C symbol. Every family file
// defines its operations as templates and exports each member with one
// table line that uses VEKS_API.
#pragma once

#include "veks.h"

#define VEKS_API extern "C" __attribute__((visibility("default")))

// Returns from the enclosing function when a check fails.
#define VEKS_CHECK(expr)                          \
    do {                                          \
        const VekStatus veks_check_ = (expr);     \
        if (veks_check_ != vekStsOk) return veks_check_; \
    } while (0)
