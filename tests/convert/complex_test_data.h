// Inputs shared by the complex-family tests: random complex vectors whose
// first elements are the awkward values of each component type.
#pragma once

#include <cmath>
#include <cstdlib>
#include <limits>
#include <type_traits>
#include <vector>

#include "veks_test.h"

namespace ct {

// A test vector length, visibly bounded so that the compiler's buffer-size
// analysis of the sentinel buffers stays quiet.
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

// n random values of R; integers over their whole range, floating values
// over [-scale, scale].
template <class R>
std::vector<R> random_values(vt::Rng& rng, int n, double scale = 1000.0) {
    std::vector<R> v(n);
    for (auto& x : v) {
        if constexpr (std::is_integral_v<R>)
            x = rng.integer<R>(std::numeric_limits<R>::min(), std::numeric_limits<R>::max());
        else
            x = static_cast<R>(rng.real(-scale, scale));
    }
    return v;
}

// re/im pairs: every combination of two awkward values first, then random.
template <class R>
struct Parts {
    std::vector<R> re, im;
    int size() const { return static_cast<int>(bounded(re.size())); }
    std::size_t count() const { return bounded(re.size()); }
};

template <class R>
Parts<R> test_parts(vt::Rng& rng, int n_random, bool with_specials = true, double scale = 1000.0) {
    Parts<R> p;
    if (with_specials) {
        const auto a = awkward_values<R>();
        for (R x : a)
            for (R y : a) {
                p.re.push_back(x);
                p.im.push_back(y);
            }
    }
    const auto r = random_values<R>(rng, n_random, scale), i = random_values<R>(rng, n_random, scale);
    p.re.insert(p.re.end(), r.begin(), r.end());
    p.im.insert(p.im.end(), i.begin(), i.end());
    return p;
}

template <class C, class R>
std::vector<C> interleave(const Parts<R>& p) {
    std::vector<C> c(p.re.size());
    for (std::size_t k = 0; k < c.size(); ++k) c[k] = C{p.re[k], p.im[k]};
    return c;
}

} // namespace ct
