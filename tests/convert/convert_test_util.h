// Conversion test helpers: sweeps through rounding ties and saturation edges,
// packed 24-bit access, complex inputs (awkward pairs, then random ones).
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

#include "veks_test.h"

namespace ct {

inline std::uint32_t get24u(const Vek8u* p) { return p[0] | (p[1] << 8) | (std::uint32_t(p[2]) << 16); }
inline std::int32_t get24s(const Vek8u* p) { return std::int32_t(get24u(p) << 8) >> 8; }

template <class R>
std::vector<R> awkward_values() {
    using L = std::numeric_limits<R>;
    if constexpr (std::is_integral_v<R>)
        return {0, 1, -1, 3, 4, L::max(), L::min(), static_cast<R>(L::min() + 1), static_cast<R>(L::max() / 2)};
    else
        return {R(0), -R(0), R(1), R(-1), R(3), R(4), R(1e-30), R(-2.5), L::infinity(), -L::infinity(),
                L::quiet_NaN(), L::denorm_min(), L::max()};
}

// Halves, near-halves and edges of [lo, hi] scaled by 2^sf, so that the
// library's 2^-sf brings them back; specials and random magnitudes.
template <class F>
std::vector<F> sweep_values(double lo, double hi, int sf, vt::Rng& rng, int random_count = 2000) {
    std::vector<double> v;
    const double span = hi - lo;
    for (double edge : {lo, hi, 0.0, 1.0, -1.0, (lo + hi) / 2})
        for (double d : {-1.5, -1.0, -0.75, -0.5, -0.25, 0.0, 0.25, 0.5, 0.75, 1.0, 1.5})
            v.push_back(edge + d);
    for (int i = 0; i < random_count; ++i) {
        const double half = std::floor(rng.real(lo - span * 0.1 - 2, hi + span * 0.1 + 2)) + 0.5;
        const double picks[] = {half, std::nextafter(half, 1e300), std::nextafter(half, -1e300), rng.real(lo - span, hi + span)};
        v.push_back(picks[i % 4]); // an exact half, just above, just below, anywhere
    }
    // Unscaled: a near-half narrowed to a single may round to the half.
    std::vector<F> out = awkward_values<F>();
    using L = std::numeric_limits<F>;
    for (F s : {-L::quiet_NaN(), -L::max(), F(0.49999997f), F(-0.49999997f), F(0.5), F(-0.5)}) out.push_back(s);
    if constexpr (sizeof(F) == 8) out.push_back(0.49999999999999994), out.push_back(-0.49999999999999994);
    for (double x : v) out.push_back(static_cast<F>(std::ldexp(x, sf)));
    return out;
}

// Every value of a type of at most 16 bits, in increasing order.
template <class T>
std::vector<T> every_value() {
    std::vector<T> v;
    for (long long x = std::numeric_limits<T>::min(); x <= std::numeric_limits<T>::max(); ++x) v.push_back(T(x));
    return v;
}

// Runs call(src, dst, len) and compares every output bit for bit with want(src[i]).
template <class D, class S, class Call, class Want>
void expect_each(Call call, const std::vector<S>& src, Want want) {
    vt::Guarded<D> dst(src.size());
    ASSERT_EQ(call(src.data(), dst.data(), int(src.size())), vekStsOk);
    EXPECT_TRUE(dst.guard_intact());
    for (std::size_t i = 0; i < src.size(); ++i)
        ASSERT_TRUE(vt::same_bits(dst[i], static_cast<D>(want(src[i])))) << "element " << i << " got " << +dst[i];
}

// The values bit for bit; for a guarded output also nothing written past them.
template <class T>
bool holds(const std::vector<T>& got, const std::vector<T>& want) {
    return got.size() == want.size() && std::memcmp(got.data(), want.data(), want.size() * sizeof(T)) == 0;
}
template <class T>
bool holds(const vt::Guarded<T>& got, const std::vector<T>& want) { return got.guard_intact() && holds(got.values(), want); }

// A length visibly bounded, to quiet the compiler's buffer size analysis.
inline std::size_t bounded(std::size_t n) {
    if (n > (std::size_t(1) << 24)) std::abort();
    return n;
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
Parts<R> test_parts(vt::Rng& rng, int n_random, double scale = 1000.0) {
    Parts<R> p;
    const auto a = awkward_values<R>();
    for (R x : a)
        for (R y : a) p.re.push_back(x), p.im.push_back(y);
    auto random = [&] {
        if constexpr (std::is_integral_v<R>) return rng.integer<R>(std::numeric_limits<R>::min(), std::numeric_limits<R>::max());
        else return static_cast<R>(rng.real(-scale, scale));
    };
    for (int k = 0; k < n_random; ++k) p.re.push_back(random()), p.im.push_back(random());
    return p;
}

// Runs the separate-parts member (unless null) and the interleaved one on
// the same values; both must agree and write nothing past len.
template <class R, class S, class C, class D, class... X>
std::vector<D> both_forms(const Parts<R>& p, S split, VekStatus (*cplx)(const C*, D*, int, X...), X... extra) {
    vt::Guarded<D> a(p.count()), b(p.count());
    const auto c = p.template interleaved<C>();
    EXPECT_EQ(cplx(c.data(), b.data(), p.size(), extra...), vekStsOk);
    if constexpr (!std::is_null_pointer_v<S>) {
        EXPECT_EQ(split(p.re.data(), p.im.data(), a.data(), p.size(), extra...), vekStsOk);
        EXPECT_TRUE(holds(a, b.values()));
    }
    EXPECT_TRUE(b.guard_intact());
    return b.values();
}

} // namespace ct
