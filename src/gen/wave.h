// Sample sequences of the tone and triangle generators, and the phase
// rules they share: phase in [0, 2 pi), advanced by len * 2 pi * rFreq and
// reduced after each call so that consecutive calls join.
#pragma once

#include <cmath>
#include <type_traits>

#include "core/rounding.h"
#include "gen/window_weights.h"
#include "veks.h"

namespace veks::gen {

constexpr double kFourPi = 12.566370614359172;
constexpr double kInvTwoPi = 0.15915494309189535;
constexpr double kHalfPi = 1.5707963267948966;

// Range tests written so that NaN fails them too.
inline bool in_half_open(double v, double lo, double hi) { return v >= lo && v < hi; }
inline bool valid_rel_freq(double f) { return in_half_open(f, 0.0, 0.5); }
inline bool valid_phase(double p) { return in_half_open(p, 0.0, kTwoPi); }

// The phase after len samples, reduced modulo 2 pi; a result outside
// [0, 2 pi) becomes 0. Stored as P: a single-precision phase that rounds up
// to 2 pi is stored as 0 too, so the next call accepts it.
template <class P>
P advanced_phase(double phase, int len, double rel_freq) {
    double p = phase + static_cast<double>(len) * kTwoPi * rel_freq;
    p = p - std::floor(p * kInvTwoPi) * kTwoPi;
    if (!valid_phase(p)) p = 0.0;
    const P stored = static_cast<P>(p);
    return valid_phase(static_cast<double>(stored)) ? stored : P(0);
}

// magn cos(w n + phase) (or sin): two library values, then
// x[n] = c2 x[n-1] - x[n-2] for n = 2, 3 and x[n] = (c2^2 - 2) x[n-2] - x[n-4]
// from n = 4 on, with c2 = 2 cos w. emit(n, x) receives each sample.
template <bool Sine, class Emit>
void tone_samples(double magn, double rel_freq, double phase, int len, Emit&& emit) {
    const double w = kTwoPi * rel_freq;
    const auto wave = [](double a) { return Sine ? std::sin(a) : std::cos(a); };
    const double c2 = 2.0 * std::cos(w);
    const double x0 = magn * wave(phase);
    const double x1 = magn * wave(w + phase);
    const double x2 = c2 * x1 - x0;
    const double x3 = c2 * x2 - x1;
    emit(0, x0);
    if (len > 1) emit(1, x1);
    if (len > 2) emit(2, x2);
    if (len > 3) emit(3, x3);
    const double d = c2 * c2 - 2.0;
    double e4 = x0, o4 = x1, e2 = x2, o2 = x3; // x[n-4], x[n-3], x[n-2], x[n-1]
    int n = 4;
    for (; n + 1 < len; n += 2) {
        const double e = d * e2 - e4;
        const double o = d * o2 - o4;
        emit(n, e);
        emit(n + 1, o);
        e4 = e2;
        e2 = e;
        o4 = o2;
        o2 = o;
    }
    if (n < len) emit(n, d * e2 - e4);
}

// A triangle of period 2 pi split at pi + asym: falling from +magn to -magn
// on [0, pi + asym), rising back on [pi + asym, 2 pi). Each sample adds the
// slope of its part; a value past an extreme folds back onto the other
// slope, or, when the fold would pass the opposite extreme too, moves by a
// whole excursion (2 magn) and keeps its direction.
class TriangleWave {
public:
    TriangleWave(double magn, double rel_freq, double asym, double phase)
        : magn_(magn), fall_len_(kPi + asym), rise_len_(kPi - asym) {
        rising_ = !(phase < fall_len_);
        v_ = rising_ ? magn * (2.0 * (phase - fall_len_) / rise_len_ - 1.0) : magn * (1.0 - 2.0 * phase / fall_len_);
        down_ = -(kFourPi * magn * rel_freq / fall_len_);
        up_ = kFourPi * magn * rel_freq / rise_len_;
    }
    double operator()() {
        const double r = v_;
        if (rising_) {
            v_ += up_;
            if (v_ > magn_) {
                const double f = magn_ + (v_ - magn_) * -(rise_len_ / fall_len_);
                if (f < -magn_) {
                    v_ -= 2.0 * magn_;
                } else {
                    v_ = f;
                    rising_ = false;
                }
            }
        } else {
            v_ += down_;
            if (v_ < -magn_) {
                const double f = -magn_ + (v_ + magn_) * -(fall_len_ / rise_len_);
                if (f > magn_) {
                    v_ += 2.0 * magn_;
                } else {
                    v_ = f;
                    rising_ = true;
                }
            }
        }
        return r;
    }

private:
    double magn_, fall_len_, rise_len_, down_, up_, v_;
    bool rising_;
};

// The imaginary part of a complex triangle: the wave a quarter period
// later, as the sine is to the cosine (phase - pi/2, taken modulo 2 pi).
inline double quarter_later(double phase) {
    const double p = phase - kHalfPi;
    return p < 0.0 ? p + kTwoPi : p;
}

// A generated sample stored to the element type: floating point rounds,
// 16-bit integers truncate toward zero (saturating).
template <class R>
inline R sample_to(double v) {
    if constexpr (std::is_floating_point_v<R>)
        return static_cast<R>(v);
    else
        return round_saturate<R, vekRoundTowardZero>(v);
}

} // namespace veks::gen
