// Inputs shared by the complex-family tests: every pair of awkward component
// values, then random ones.
#pragma once

#include <cmath>
#include <cstdlib>
#include <limits>
#include <type_traits>
#include <vector>

#include "veks_test.h"

namespace ct {

// A length, visibly bounded so that the compiler's size analysis of the
// sentinel buffers stays quiet.
inline std::size_t bounded(std::size_t n) {
    if (n > (std::size_t(1) << 24)) std::abort();
    return n;
}

template <class R>
std::vector<R> awkward_values() {
    using L = std::numeric_limits<R>;
    if constexpr (std::is_integral_v<R>)
        return {0, 1, -1, 3, 4, L::max(), L::min(), static_cast<R>(L::min() + 1), static_cast<R>(L::max() / 2)};
    else
        return {R(0), -R(0), R(1), R(-1), R(3), R(4), R(1e-30), R(-2.5), L::infinity(), -L::infinity(),
                L::quiet_NaN(), L::denorm_min(), L::max()};
}

template <class R>
struct Parts {
    std::vector<R> re, im;
    int size() const { return static_cast<int>(bounded(re.size())); }
    std::size_t count() const { return bounded(re.size()); }
    template <class C> std::vector<C> interleaved() const {
        std::vector<C> c(re.size());
        for (std::size_t k = 0; k < c.size(); ++k) c[k] = C{re[k], im[k]};
        return c;
    }
};

// Integers over their whole range, floating values over [-scale, scale].
template <class R>
Parts<R> test_parts(vt::Rng& rng, int n_random, bool with_awkward = true, double scale = 1000.0) {
    Parts<R> p;
    const auto a = with_awkward ? awkward_values<R>() : std::vector<R>{};
    for (R x : a)
        for (R y : a) p.re.push_back(x), p.im.push_back(y);
    auto random = [&] {
        if constexpr (std::is_integral_v<R>) return rng.integer<R>(std::numeric_limits<R>::min(), std::numeric_limits<R>::max());
        else return static_cast<R>(rng.real(-scale, scale));
    };
    for (int k = 0; k < n_random; ++k) p.re.push_back(random()), p.im.push_back(random());
    return p;
}

// Runs the member on separate parts and the member on interleaved data
// over the same values; checks they agree bit for bit and write nothing
// past len; returns the output. cplx may be null for a type with no
// separate-parts member.
template <class R, class S, class C, class D, class... X>
std::vector<D> both_forms(const Parts<R>& p, S split, VekStatus (*cplx)(const C*, D*, int, X...), X... extra) {
    vt::Guarded<D> a(p.count()), b(p.count());
    const auto c = p.template interleaved<C>();
    EXPECT_EQ(cplx(c.data(), b.data(), p.size(), extra...), vekStsOk);
    if constexpr (!std::is_null_pointer_v<S>) {
        EXPECT_EQ(split(p.re.data(), p.im.data(), a.data(), p.size(), extra...), vekStsOk);
        for (int k = 0; k < p.size(); ++k) EXPECT_TRUE(vt::same_bits(a[k], b[k])) << k;
    }
    EXPECT_TRUE(a.guard_intact() && b.guard_intact());
    return b.values();
}

} // namespace ct
