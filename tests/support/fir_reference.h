// Reference FIR sums for the filter tests: every value as a complex long
// double, outputs as direct sums over the history and the input, and the
// sum of the magnitudes of the products (the scale of the rounding error).
#pragma once

#include <dlfcn.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <vector>

#include "veks.h"
#include "veks_test.h"

namespace firt {

using LD = long double;
using CL = std::complex<LD>;

template <class T> struct is_cx_elem : std::false_type {};
template <> struct is_cx_elem<Vek16sc> : std::true_type {};
template <> struct is_cx_elem<Vek32sc> : std::true_type {};
template <> struct is_cx_elem<Vek32fc> : std::true_type {};
template <> struct is_cx_elem<Vek64fc> : std::true_type {};

template <class T> CL to_cl(const T& v) {
    if constexpr (is_cx_elem<T>::value) return CL(LD(v.re), LD(v.im));
    else return CL(LD(v), 0);
}
template <class T> T from_parts(LD re, LD im) {
    if constexpr (is_cx_elem<T>::value) {
        using P = decltype(T{}.re);
        return T{static_cast<P>(re), static_cast<P>(im)};
    } else {
        (void)im;
        return static_cast<T>(re);
    }
}

// A random value of T: floats in [-1, 1], integers in [-mag, mag].
template <class T> T random_value(vt::Rng& rng, long mag = 1000) {
    auto part = [&](auto tag) -> LD {
        using P = decltype(tag);
        if constexpr (std::is_floating_point_v<P>) return LD(rng.real(-1, 1));
        else return LD(rng.integer<long>(-mag, mag));
    };
    if constexpr (is_cx_elem<T>::value) {
        using P = decltype(T{}.re);
        return from_parts<T>(part(P{}), part(P{}));
    } else {
        return from_parts<T>(part(T{}), 0);
    }
}
template <class T> std::vector<T> random_vector(vt::Rng& rng, std::size_t n, long mag = 1000) {
    std::vector<T> v(n);
    for (auto& x : v) x = random_value<T>(rng, mag);
    return v;
}

struct Reference {
    std::vector<CL> y;    // exact outputs
    std::vector<LD> mag;  // sum of |taps[j]| * |x[k-j]| per output
};

// y[k] = sum taps[j] * x[k - j]; x before the input comes from history
// (newest first; missing entries are 0).
template <class Tap, class Data>
Reference direct_sums(const std::vector<Tap>& taps, const std::vector<Data>& history, const std::vector<Data>& input) {
    const std::size_t L = taps.size();
    std::vector<CL> x;
    for (std::size_t k = L; k-- > 1;) x.push_back(k - 1 < history.size() ? to_cl(history[k - 1]) : CL(0));
    for (const auto& v : input) x.push_back(to_cl(v));
    Reference r;
    r.y.resize(input.size());
    r.mag.resize(input.size());
    std::vector<CL> t;
    for (const auto& v : taps) t.push_back(to_cl(v));
    const bool real = !is_cx_elem<Tap>::value && !is_cx_elem<Data>::value;
    for (std::size_t k = 0; k < input.size(); ++k) {
        if (real) {
            LD s = 0, m = 0;
            for (std::size_t j = 0; j < L; ++j) {
                const LD p = t[j].real() * x[k + L - 1 - j].real();
                s += p;
                m += std::fabs(p);
            }
            r.y[k] = CL(s, 0);
            r.mag[k] = m;
        } else {
            LD sr = 0, si = 0, m = 0;
            for (std::size_t j = 0; j < L; ++j) {
                const CL a = t[j], b = x[k + L - 1 - j];
                const LD pr = a.real() * b.real() - a.imag() * b.imag(), pi = a.real() * b.imag() + a.imag() * b.real();
                sr += pr;
                si += pi;
                m += (std::fabs(a.real()) + std::fabs(a.imag())) * (std::fabs(b.real()) + std::fabs(b.imag()));
            }
            r.y[k] = CL(sr, si);
            r.mag[k] = m;
        }
    }
    return r;
}

// The last n samples of history + the first `used` inputs, newest first.
template <class Data>
std::vector<Data> newest_first(const std::vector<Data>& history, const std::vector<Data>& input, std::size_t n,
                               std::size_t used = SIZE_MAX) {
    if (used > input.size()) used = input.size();
    std::vector<Data> out;
    for (std::size_t k = 0; k < n; ++k)
        out.push_back(k < used ? input[used - 1 - k] : (k - used < history.size() ? history[k - used] : Data{}));
    return out;
}

// Floating sums into integers: times 2^-sf, saturated, half away from zero.
template <class I> LD round_away_sat(LD v) {
    const LD lo = LD(std::numeric_limits<I>::min()), hi = LD(std::numeric_limits<I>::max());
    if (v <= lo) return lo;
    if (v >= hi) return hi;
    return v < 0 ? -std::floor(-v + 0.5L) : std::floor(v + 0.5L);
}

// The thread count of the OpenMP runtime the library runs on (reached at
// run time, so the tests need no OpenMP of their own).
inline void set_threads(int n) {
    using Fn = void (*)(int);
    static Fn fn = reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"));
    if (fn) fn(n);
}
inline bool threads_settable() { return dlsym(RTLD_DEFAULT, "omp_set_num_threads") != nullptr; }
inline int max_threads() {
    using Fn = int (*)();
    static Fn fn = reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, "omp_get_max_threads"));
    return fn ? fn() : 1;
}

// Runs a scope with n threads and restores the previous count. The
// property tests run on one thread (forking costs much on a busy machine);
// the thread tests compare thread counts.
class ThreadScope {
public:
    explicit ThreadScope(int n) : saved_(max_threads()) { set_threads(n); }
    ~ThreadScope() { set_threads(saved_); }

private:
    int saved_;
};

// Reads 32-bit field i of a state.
inline std::int32_t state_field(const void* state, int i) {
    std::int32_t v;
    std::memcpy(&v, static_cast<const char*>(state) + 4 * i, 4);
    return v;
}

} // namespace firt
