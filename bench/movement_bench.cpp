// Set, Copy and Move against the C library's memset, memcpy and memmove.
#include <cstring>
#include <memory>

#include "bench_util.h"
#include "veks.h"

namespace {

struct Registrar {
    Registrar() {
        for (int n : vb::element_sizes()) {
            auto src = std::shared_ptr<Vek32f>(veksMalloc_32f(n + 16), veksFree);
            auto dst = std::shared_ptr<Vek32f>(veksMalloc_32f(n + 16), veksFree);
            std::memset(src.get(), 0, (n + 16) * sizeof(Vek32f));
            std::memset(dst.get(), 0, (n + 16) * sizeof(Vek32f));
            const std::size_t bytes = n * sizeof(Vek32f);
            vb::add("Copy_32f", "veks", n, 8, [=] { veksCopy_32f(src.get(), dst.get(), n); });
            vb::add("Copy_32f", "memcpy", n, 8, [=] { std::memcpy(dst.get(), src.get(), bytes); });
            vb::add("Set_32f", "veks", n, 4, [=] { veksSet_32f(0.0f, dst.get(), n); });
            vb::add("Set_32f", "memset", n, 4, [=] { std::memset(dst.get(), 0, bytes); });
            vb::add("Set_32f_1.5", "veks", n, 4, [=] { veksSet_32f(1.5f, dst.get(), n); });
            vb::add("Set_32f_1.5", "memset", n, 4, [=] { std::memset(dst.get(), 0x3F, bytes); });
            // Overlapping move by 3 elements, as callers shifting a delay line do.
            vb::add("Move_32f", "veks", n, 8, [=] { veksMove_32f(src.get() + 3, src.get(), n); });
            vb::add("Move_32f", "memmove", n, 8, [=] { std::memmove(src.get(), src.get() + 3, bytes); });
        }
    }
} registrar;

} // namespace
