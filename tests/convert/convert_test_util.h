// Helpers shared by the conversion tests: value sweeps that hit rounding
// ties and saturation edges, and packed 24-bit access.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "veks_test.h"

namespace ct {

inline std::int32_t get24s(const Vek8u* p) {
    const std::uint32_t u = p[0] | (p[1] << 8) | (std::uint32_t(p[2]) << 16);
    return (u & 0x800000u) ? std::int32_t(u) - 0x1000000 : std::int32_t(u);
}
inline std::uint32_t get24u(const Vek8u* p) { return p[0] | (p[1] << 8) | (std::uint32_t(p[2]) << 16); }

// Values around the integers of [lo, hi] and its edges, scaled by 2^sf so
// that after the library's 2^-sf they land on halves, near-halves, the range
// limits, NaN, infinities, zeros and random magnitudes.
template <class F>
std::vector<F> sweep_values(double lo, double hi, int sf, vt::Rng& rng, int random_count = 2000) {
    std::vector<double> v;
    const double span = hi - lo;
    for (double edge : {lo, hi, 0.0, 1.0, -1.0, (lo + hi) / 2})
        for (double d : {-1.5, -1.0, -0.75, -0.5, -0.25, 0.0, 0.25, 0.5, 0.75, 1.0, 1.5})
            v.push_back(edge + d);
    for (int i = 0; i < random_count; ++i) {
        const double base = std::floor(rng.real(lo - span * 0.1 - 2, hi + span * 0.1 + 2));
        switch (i % 4) {
        case 0: v.push_back(base + 0.5); break;                              // exact half
        case 1: v.push_back(std::nextafter(base + 0.5, 1e300)); break;       // just above
        case 2: v.push_back(std::nextafter(base + 0.5, -1e300)); break;      // just below
        default: v.push_back(rng.real(lo - span, hi + span)); break;
        }
    }
    std::vector<F> out;
    for (double x : v) out.push_back(static_cast<F>(std::ldexp(x, sf)));
    // Halves of a single near the edges may not survive the narrowing to F;
    // the specials are added as they are.
    const F inf = std::numeric_limits<F>::infinity();
    for (F s : {inf, -inf, std::numeric_limits<F>::quiet_NaN(), -std::numeric_limits<F>::quiet_NaN(), F(0), F(-0.0),
                std::numeric_limits<F>::denorm_min(), std::numeric_limits<F>::max(), -std::numeric_limits<F>::max(),
                F(0.49999997f), F(-0.49999997f), F(0.5), F(-0.5)})
        out.push_back(s);
    if constexpr (sizeof(F) == 8) out.push_back(0.49999999999999994), out.push_back(-0.49999999999999994);
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

} // namespace ct
