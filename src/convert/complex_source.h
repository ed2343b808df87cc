// Complex operands as the complex family reads them: interleaved elements
// or two separate real vectors. One operation template serves both; the
// pointer check follows argument order (sources, then the outputs).
#pragma once

#include <cmath>
#include <limits>

#include "core/checks.h"
#include "core/elem.h"
#include "core/unaligned.h"

namespace veks {

template <class R>
struct SplitSource {
    using component = R;
    const R* re;
    const R* im;
    R real(int k) const { return load_elem(re, k); }
    R imag(int k) const { return load_elem(im, k); }
    template <class... P>
    VekStatus check(int len, const P*... outs) const { return check_ptrs_len(len, re, im, outs...); }
};

template <class C>
struct InterleavedSource {
    using component = component_t<C>;
    const C* p;
    component real(int k) const { return load_elem(p, k).re; }
    component imag(int k) const { return load_elem(p, k).im; }
    template <class... P>
    VekStatus check(int len, const P*... outs) const { return check_ptrs_len(len, p, outs...); }
};

template <class R> SplitSource<R> split(const R* re, const R* im) { return {re, im}; }
template <class C> InterleavedSource<C> interleaved(const C* p) { return {p}; }

// A double that already holds an integral value (or is about to be
// truncated), stored into I with saturation; NaN gives 0.
template <class I>
inline I saturate_integral(double v) {
    constexpr double lo = static_cast<double>(std::numeric_limits<I>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<I>::max());
    if (v >= hi) return std::numeric_limits<I>::max();
    if (v <= lo) return std::numeric_limits<I>::min();
    if (v != v) return I(0);
    return static_cast<I>(v);
}

// 2^e in double precision by repeated doubling or halving (exact for every
// e the integer forms pass).
inline double power_of_two(int e) {
    double f = 1.0;
    for (; e > 0; --e) f *= 2.0;
    for (; e < 0; ++e) f *= 0.5;
    return f;
}

} // namespace veks
