// What every core test uses: the standard headers, the exact and
// signature-driven references, and in place against out of place.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "byte_offset.h"
#include "core/vekcore/vekcore.h"
#include "exact_ref.h"
#include "signature_probe.h"

namespace ct {

// The out-of-place and in-place members agree bit for bit and in status.
template <class T, class... A>
void expect_inplace_matches(VekStatus (*fn)(const T*, T*, int, A...), VekStatus (*fi)(T*, int, A...),
                            const std::vector<T>& src, A... extra) {
    const int n = static_cast<int>(src.size());
    std::vector<T> out(src.size()), ip = src;
    EXPECT_EQ(fn(src.data(), out.data(), n, extra...), fi(ip.data(), n, extra...));
    for (int i = 0; i < n; ++i) ASSERT_TRUE(vt::same_bits(out[i], ip[i])) << "element " << i;
}

// The probe with every other int argument (a scale factor, a count) set to `other`.
inline sp::Options with_other(int other, sp::Order order = sp::Order::PtrsThenLen) { return {order, {}, -1, other}; }

} // namespace ct
