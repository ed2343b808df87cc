// Shared helpers of the power-family tests: check-order probes for the
// unary signatures and exact references.
#pragma once

#include <vector>

#include "veks_test.h"

namespace pt {

using u128 = unsigned __int128;
using i128 = __int128;

// fn(pSrc, pDst, len, extra...): pointers in order, then len; nothing written.
template <class S, class D, class... A, class... B>
void expect_checks(VekStatus (*fn)(const S*, D*, int, A...), B... extra) {
    vt::Guarded<D> d(4);
    std::vector<S> s(4);
    vt::expect_ptrs_then_len(2, [&](int nul, int len) { return fn(vt::ptr_or_null(s.data(), 0, nul), vt::ptr_or_null(d.data(), 1, nul), len, extra...); },
                             [&] { return d.intact(); });
}

// fn(pSrcDst, len, extra...).
template <class T, class... A, class... B>
void expect_checks_inplace(VekStatus (*fn)(T*, int, A...), B... extra) {
    vt::Guarded<T> d(4);
    vt::expect_ptrs_then_len(1, [&](int nul, int len) { return fn(vt::ptr_or_null(d.data(), 0, nul), len, extra...); },
                             [&] { return d.intact(); });
}

// Runs the out-of-place and in-place members on the same input and checks
// that they agree bit for bit and return the same status.
template <class T, class... A>
void expect_inplace_matches(VekStatus (*fn)(const T*, T*, int, A...), VekStatus (*fi)(T*, int, A...),
                            const std::vector<T>& src, A... extra) {
    const int n = static_cast<int>(src.size());
    std::vector<T> out(src.size()), ip = src;
    const VekStatus s1 = fn(src.data(), out.data(), n, extra...);
    const VekStatus s2 = fi(ip.data(), n, extra...);
    EXPECT_EQ(s1, s2);
    for (int i = 0; i < n; ++i) ASSERT_TRUE(vt::same_bits(out[i], ip[i])) << "element " << i;
}

} // namespace pt
