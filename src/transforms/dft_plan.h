// Building and running the complex engine of one length.
#pragma once

#include <cstdint>

#include "transforms/dft_spec.h"

namespace veks::dft {

// W^k = (cos(2 pi k/n), -sin(2 pi k/n)), k < n, interleaved; null when the
// allocation fails. Release with veksFree.
template <class T> T* base_table(int n);

// Chooses and builds the engine of length n: straight-line (n <= 4),
// mixed radix, direct (unfactorisable n <= direct_limit) or chirp. base is
// a table of W_(n*step)^k as base_table makes it. On failure the caller
// releases what was built with free_plan.
template <class T> VekStatus build_plan(Plan<T>& p, int n, int direct_limit, const T* base, int step);
template <class T> void free_plan(Plan<T>& p);

// The transform of a plan on interleaved (re, im) data, without scaling;
// src may equal dst; work holds p.work bytes.
template <class T, bool Inv> void run_plan(const Plan<T>& p, const T* src, T* dst, T* work);

// False when a call of the plan leaves its work area untouched (the
// straight-line kernels), so that none needs to be set up.
template <class T> bool plan_uses_work(const Plan<T>& p);

// Bytes rounded up to a multiple of 32, for areas laid one after another.
std::uint32_t work_slot(std::uint64_t bytes);

} // namespace veks::dft
