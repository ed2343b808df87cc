// Benchmark registration helpers. Every comparison registers a pair (or
// more) of benchmarks named "<operation>/<implementation>/<elements>"; the
// implementation "veks" is the library, the others are references.
// bench/ratios.py turns one run into speed ratios veks : reference.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vb {

// Sizes every element-wise comparison runs at: in cache and from memory.
inline const std::vector<int>& element_sizes() {
    static const std::vector<int> s = {1 << 10, 1 << 16, 1 << 24};
    return s;
}

// Registers body(n) as "<op>/<impl>/<n>"; bytes_per_element counts the
// bytes read and written per element, for the bytes-per-second column.
inline void add(const std::string& op, const std::string& impl, int n, double bytes_per_element,
                std::function<void()> body) {
    benchmark::RegisterBenchmark((op + "/" + impl + "/" + std::to_string(n)).c_str(),
                                 [body, n, bytes_per_element](benchmark::State& st) {
                                     for (auto _ : st) {
                                         body();
                                         benchmark::ClobberMemory();
                                     }
                                     st.SetBytesProcessed(static_cast<int64_t>(st.iterations() * n * bytes_per_element));
                                 })
        ->MinTime(0.2)
        ->UseRealTime();
}

} // namespace vb
