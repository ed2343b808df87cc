// Weight sequences of the symmetric windows. Each source yields w_0, w_1,
// ... in walking order, one call per position pair; the cosine windows
// advance a rotation started from one library cosine, so weight k costs a
// few multiplications instead of a cosine.
#pragma once

#include <cmath>
#include <cstdint>

#include "core/rounding.h"
#include "veks.h"

namespace veks::gen {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kPi = 3.141592653589793;

// Bartlett: the weight is accumulated, 0, 2/(N-1), 4/(N-1) ...
struct BartlettWeights {
    double step, w = 0.0;
    explicit BartlettWeights(int n) : step(2.0 / (n - 1)) {}
    double operator()() {
        const double r = w;
        w += step;
        return r;
    }
};

// Bartlett in fixed point: a Q31 accumulator (wrapping 32-bit sum) rounded
// to a Q15 weight.
struct BartlettWeightsQ15 {
    std::uint32_t step, w = 0;
    explicit BartlettWeightsQ15(int n)
        : step(static_cast<std::uint32_t>(static_cast<std::uint64_t>(2.0 / (n - 1) * 2147483648.0))) {}
    std::int32_t operator()() {
        const std::int32_t r = static_cast<std::int32_t>((w + 32768u) >> 16);
        w += step;
        return r;
    }
};

// cos(2 pi k / (N-1)) for k = 0, 1, ... by rotation: (cos, sin) starts at
// (1, 0) and turns by the angle whose cosine c is taken once.
struct CosineRotation {
    double c, s, cs = 1.0, sn = 0.0;
    explicit CosineRotation(int n) : c(std::cos(kTwoPi / (n - 1))), s(std::sqrt(1.0 - c * c)) {}
    double operator()() {
        const double r = cs;
        const double next_cos = cs * c - sn * s;
        sn = sn * c + cs * s;
        cs = next_cos;
        return r;
    }
};

// The generalised cosine windows as maps of cos x_k.
struct HannMap {
    double operator()(double cs) const { return 0.5 * (1.0 - cs); }
};
struct HammingMap {
    double operator()(double cs) const { return 0.54 - 0.46 * cs; }
};
struct BlackmanMap {
    double a0, a2; // (alpha + 1) / 2 and alpha / 2
    explicit BlackmanMap(float alpha) : a0((double(alpha) + 1.0) * 0.5), a2(double(alpha) * 0.5) {}
    double operator()(double cs) const { return a0 - 0.5 * cs - a2 * (2.0 * cs * cs - 1.0); }
};

template <class Map>
struct CosineWeights {
    CosineRotation rot;
    Map map;
    CosineWeights(int n, Map m) : rot(n), map(m) {}
    double operator()() { return map(rot()); }
};

// Hann in fixed point: the rotation's cosine held in Q30 (rounded to
// nearest, ties to even), halved complement rounded to a Q15 weight.
struct HannWeightsQ15 {
    CosineRotation rot;
    explicit HannWeightsQ15(int n) : rot(n) {}
    std::int32_t operator()() {
        const std::int64_t cos_q30 = static_cast<std::int64_t>(round_half_even(rot() * 1073741824.0));
        return static_cast<std::int32_t>(((((std::int64_t(1) << 30) - cos_q30) >> 1) + 16384) >> 15);
    }
};

// The Blackman parameter that places the sidelobe zeros optimally for
// length N, rounded to single precision.
inline float blackman_opt_alpha(int n) {
    const double h = 0.5 / std::cos(kPi / (n - 1));
    return static_cast<float>(-(h * h));
}

} // namespace veks::gen
