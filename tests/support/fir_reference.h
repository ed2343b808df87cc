// Reference FIR, convolution and correlation sums in complex long double; a table entry per state form.
#pragma once

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "veks.h"
#include "veks_test.h"

namespace firt {

using LD = long double;
using CL = std::complex<LD>;

// Complex elements are the {re, im} structs.
template <class T> struct is_cx_elem : std::is_class<T> {};

template <class T, bool = is_cx_elem<T>::value> struct part_of { using type = T; };
template <class T> struct part_of<T, true> { using type = decltype(T{}.re); };
template <class T> using part_t = typename part_of<T>::type;
template <class T> constexpr bool float_data = std::is_floating_point_v<part_t<T>>;

template <class T> CL to_cl(const T& v) {
    if constexpr (is_cx_elem<T>::value) return CL(LD(v.re), LD(v.im));
    else return CL(LD(v), 0);
}
template <class T> T from_parts(LD re, [[maybe_unused]] LD im) {
    if constexpr (is_cx_elem<T>::value) return T{static_cast<part_t<T>>(re), static_cast<part_t<T>>(im)};
    else return static_cast<T>(re);
}

// Random values of T: floats in [-1, 1], integers in [-mag, mag].
template <class T> std::vector<T> random_vector(vt::Rng& rng, std::size_t n, long mag = 1000) {
    auto part = [&]() -> LD {
        if constexpr (float_data<T>) return LD(rng.real(-1, 1));
        else return LD(rng.integer<long>(-mag, mag));
    };
    std::vector<T> v(n);
    for (auto& x : v) {
        const LD re = part();
        x = from_parts<T>(re, is_cx_elem<T>::value ? part() : 0);
    }
    return v;
}

struct Reference {
    std::vector<CL> y;    // exact outputs
    std::vector<LD> mag;  // sum of |taps[j]| * |x[k-j]| per output
};

// y[k] = sum taps[j] * x[k - j]; earlier x from history (newest first, missing: 0).
template <class Tap, class Data>
Reference direct_sums(const std::vector<Tap>& taps, const std::vector<Data>& history, const std::vector<Data>& input) {
    const std::size_t L = taps.size();
    std::vector<CL> x;
    for (std::size_t k = L; k-- > 1;) x.push_back(k - 1 < history.size() ? to_cl(history[k - 1]) : CL(0));
    for (const auto& v : input) x.push_back(to_cl(v));
    Reference r;
    for (std::size_t k = 0; k < input.size(); ++k) {
        LD sr = 0, si = 0, m = 0;
        for (std::size_t j = 0; j < L; ++j) {
            const CL a = to_cl(taps[j]), b = x[k + L - 1 - j];
            sr += a.real() * b.real() - a.imag() * b.imag();
            si += a.real() * b.imag() + a.imag() * b.real();
            m += (std::fabs(a.real()) + std::fabs(a.imag())) * (std::fabs(b.real()) + std::fabs(b.imag()));
        }
        r.y.push_back(CL(sr, si));
        r.mag.push_back(m);
    }
    return r;
}

// The last n samples of history + the first `used` inputs, newest first.
template <class Data>
std::vector<Data> newest_first(const std::vector<Data>& history, const std::vector<Data>& input, std::size_t n,
                               std::size_t used = SIZE_MAX) {
    used = std::min(used, input.size());
    std::vector<Data> out;
    for (std::size_t k = 0; k < n; ++k)
        out.push_back(k < used ? input[used - 1 - k] : (k - used < history.size() ? history[k - used] : Data{}));
    return out;
}

template <class T> bool same_bits(const T* a, const std::vector<T>& b) {
    return std::memcmp(a, b.data(), b.size() * sizeof(T)) == 0;
}

// Floating sums into integers: saturated, half away from zero.
template <class I> LD round_away_sat(LD v) {
    const LD lo = LD(std::numeric_limits<I>::min()), hi = LD(std::numeric_limits<I>::max());
    return std::clamp<LD>(v < 0 ? -std::floor(-v + 0.5L) : std::floor(v + 0.5L), lo, hi);
}

// Integer-tap outputs: the sum wrapped to 32 bits, times 2^d (d in [lo, 31]), halves to even, saturated.
inline Vek16s wrapped_scaled16(std::int64_t v, int d, int lo) {
    const std::int64_t w = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    long double r = std::ldexp(static_cast<long double>(w), std::clamp(d, lo, 31));
    if (d < 0) {
        const long double f = std::floor(r), frac = r - f;
        r = frac > 0.5L || (frac == 0.5L && std::fmod(f, 2.0L) != 0) ? f + 1 : f;
    }
    return static_cast<Vek16s>(std::clamp<long double>(r, -32768, 32767));
}
// The same on every part of exact integer sums.
template <class Data> std::vector<Data> wrapped_outputs(const std::vector<CL>& y, int d, int lo) {
    std::vector<Data> out;
    for (const CL& v : y)
        out.push_back(from_parts<Data>(wrapped_scaled16(std::int64_t(v.real()), d, lo),
                                       wrapped_scaled16(std::int64_t(v.imag()), d, lo)));
    return out;
}

// Float data within tol of the product magnitudes (plus their mean if `spread`); integers within 1.
template <class D>
void expect_close(const Reference& ref, const D* got, std::size_t n, LD tol, int sf, bool spread, const std::string& what) {
    LD mean_mag = 0;
    for (std::size_t k = 0; spread && k < n; ++k) mean_mag += ref.mag[k] / LD(n);
    const LD f = std::ldexp(1.0L, -sf);
    for (std::size_t k = 0; k < n; ++k) {
        const CL g = to_cl(got[k]);
        if constexpr (float_data<D>) {
            ASSERT_LE(std::abs(g - ref.y[k]), tol * (ref.mag[k] + mean_mag) + 1e-300L) << what << " output " << k;
        } else {
            ASSERT_LE(std::fabs(g.real() - round_away_sat<part_t<D>>(ref.y[k].real() * f)), 1) << what << " output " << k;
            ASSERT_LE(std::fabs(g.imag() - round_away_sat<part_t<D>>(ref.y[k].imag() * f)), 1) << what << " output " << k;
        }
    }
}

// block(pos, n) over blocks of the sizes given (cycled; 0: one sample), then after(samples done).
inline void run_blocks(const std::vector<int>& blocks, std::size_t total, const std::function<void(std::size_t, int)>& block,
                       const std::function<void(std::size_t)>& after = [](std::size_t) {}) {
    std::size_t pos = 0;
    for (std::size_t b = 0; pos < total && !::testing::Test::HasFatalFailure(); ++b) {
        const int want = blocks[b % blocks.size()];
        const std::size_t n = std::min<std::size_t>(want == 0 ? 1 : std::size_t(want), total - pos);
        block(pos, want == 0 ? 0 : int(n));
        pos += n;
        after(pos);
    }
}

// Runs a scope with n threads of the OpenMP runtime the library runs on, then restores the count.
struct ThreadScope {
    void (*set)(int) = reinterpret_cast<void (*)(int)>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"));
    int (*get)() = reinterpret_cast<int (*)()>(dlsym(RTLD_DEFAULT, "omp_get_max_threads"));
    int saved = get ? get() : 1;
    explicit ThreadScope(int n) { if (set) set(n); }
    ~ThreadScope() { if (set) set(saved); }
};

// The identifier of the state of a form code ("FI" and two digits).
inline std::uint32_t fir_id(int code) { return 0x46490000u + std::uint32_t(('0' + code / 10) << 8) + std::uint32_t('0' + code % 10); }

// Reads 32-bit field i of a state.
inline std::int32_t state_field(const void* state, int i) {
    std::int32_t v;
    std::memcpy(&v, static_cast<const char*>(state) + 4 * i, 4);
    return v;
}

// A single-rate state form's entry points, the scale factor bound.
template <class Tap, class Data, class State>
struct StateApi {
    using tap_t = Tap;
    using data_t = Data;
    using state_t = State;
    std::string name;
    VekStatus (*size)(int, int*);
    VekStatus (*init)(State**, const Tap*, int, const Data*, Vek8u*);
    VekStatus (*init_alloc)(State**, const Tap*, int, const Data*);
    VekStatus (*release)(State*);
    VekStatus (*get_taps)(const State*, Tap*);
    VekStatus (*set_taps)(const Tap*, State*);
    VekStatus (*get_dly)(const State*, Data*);
    VekStatus (*set_dly)(State*, const Data*);
    std::function<VekStatus(const Data*, Data*, int, State*)> fir;
    std::function<VekStatus(Data*, int, State*)> fir_i;
    std::function<VekStatus(Data, Data*, State*)> one;
    int code;           // single-rate identifier code
    int fft_threshold;  // taps from which the state has a transform
    bool cx;            // complex data (method limit 255)
    LD tol;             // float data: error bound relative to the product magnitudes
    int sf;             // integer data: scale factor of the calls
};

// Suffixes empty and _I for float data, _Sfs and _ISfs (and the scale factor) for integer data.
#define FIRT_STATE_API(S, TAP, DATA, CODE, THR, CX, TOL, SF, SFX, ISFX, ...)                                                \
    firt::StateApi<TAP, DATA, VeksFIRState##S> {                                                                      \
        #S, veksFIRGetStateSize##S, veksFIRInit##S, veksFIRInitAlloc##S, veksFIRFree##S, veksFIRGetTaps##S,         \
            veksFIRSetTaps##S, veksFIRGetDlyLine##S, veksFIRSetDlyLine##S,                                           \
            [](const DATA* s, DATA* d, int n, VeksFIRState##S* st) { return veksFIR##S##SFX(s, d, n, st __VA_ARGS__); }, \
            [](DATA* s, int n, VeksFIRState##S* st) { return veksFIR##S##ISFX(s, n, st __VA_ARGS__); },            \
            [](DATA x, DATA* d, VeksFIRState##S* st) { return veksFIROne##S##SFX(x, d, st __VA_ARGS__); }, CODE, THR, CX, \
            TOL, SF                                                                                                  \
    }
#define FIRT_FLOAT_API(S, TAP, DATA, CODE, THR, CX, TOL) FIRT_STATE_API(S, TAP, DATA, CODE, THR, CX, TOL, 0, , _I, )
#define FIRT_SFS_API(S, TAP, DATA, CODE, THR, CX, SF) FIRT_STATE_API(S, TAP, DATA, CODE, THR, CX, 0, SF, _Sfs, _ISfs, , SF)

// dst[k] = sum over i of conj(a[i]) * b[i + lo + k], k < n.
template <class T>
std::vector<CL> cross(const std::vector<T>& a, const std::vector<T>& b, long long lo, int n) {
    std::vector<CL> r(n);
    const long long lb = static_cast<long long>(b.size());
    for (int k = 0; k < n; ++k) {
        const long long i1 = std::min(static_cast<long long>(a.size()), lb - lo - k);
        for (long long i = std::max(0LL, -(lo + k)); i < i1; ++i) r[k] += std::conj(to_cl(a[i])) * to_cl(b[i + lo + k]);
    }
    return r;
}

// dst[k] = sum over j of a[j] * b[k + bias - j], k < n: the correlation of reversed a with b.
template <class T>
std::vector<CL> conv(const std::vector<T>& a, const std::vector<T>& b, long long bias, int n) {
    return cross(std::vector<T>(a.rbegin(), a.rend()), b, bias - static_cast<long long>(a.size()) + 1, n);
}

// Exact sums for 16-bit data (long double holds them exactly).
inline std::vector<std::int64_t> exact(const std::vector<CL>& sums) {
    std::vector<std::int64_t> r;
    for (const CL& v : sums) r.push_back(static_cast<std::int64_t>(v.real()));
    return r;
}

// Error allowed on sums of products of a and b: epsilons per term and transform stage times |a| |b|.
template <class T>
LD tolerance(const std::vector<T>& a, const std::vector<T>& b) {
    using R = part_t<T>;
    auto norm2 = [](const std::vector<T>& v) {
        LD s = 0;
        for (const T& x : v) s += std::norm(to_cl(x));
        return std::sqrt(s);
    };
    const LD eps = std::numeric_limits<R>::epsilon();
    const LD stages = std::log2(static_cast<LD>(a.size() + b.size())) + 2;
    const LD terms = std::min<LD>(static_cast<LD>(std::min(a.size(), b.size())), 80);
    return eps * (8 * stages + terms) * norm2(a) * norm2(b) + std::numeric_limits<R>::min();
}

// Largest distance between results (at any address) and reference.
template <class T>
LD max_error(const T* got, const std::vector<CL>& want) {
    LD worst = 0;
    for (std::size_t k = 0; k < want.size(); ++k) {
        T v;
        std::memcpy(&v, got + k, sizeof v);
        worst = std::max(worst, std::abs(to_cl(v) - want[k]));
    }
    return worst;
}

// The scale-factor rule on an exact value: v * 2^-sf rounded half to even, saturated to 16 bits.
inline Vek16s scale_16s(long double v, int sf) {
    return static_cast<Vek16s>(std::clamp<long double>(std::nearbyint(std::ldexp(v, -sf)), -32768, 32767));
}

} // namespace firt
