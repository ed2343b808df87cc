// Single-bin DFT at an arbitrary relative frequency: out = sum x[n]
// e^(-2 pi i f n), by the rotation recurrence a = a (c - i s) + x[n] run
// from the last sample to the first in double precision, for one frequency
// or two in the same pass.
#include <cmath>
#include <cstring>
#include <type_traits>

#include "convert/convert_kernels.h"
#include "core/checks.h"
#include "core/export.h"
#include "core/rounding.h"

namespace veks::goertzel {
namespace {

constexpr double kTwoPi = 6.28318530717958647692528676655900577;

// Unaligned loads of one sample as (re, im) in double.
template <class S> struct Sample;
template <> struct Sample<Vek32f> { static constexpr bool cplx = false; using C = float; };
template <> struct Sample<Vek64f> { static constexpr bool cplx = false; using C = double; };
template <> struct Sample<Vek16s> { static constexpr bool cplx = false; using C = Vek16s; };
template <> struct Sample<Vek32fc> { static constexpr bool cplx = true; using C = float; };
template <> struct Sample<Vek64fc> { static constexpr bool cplx = true; using C = double; };
template <> struct Sample<Vek16sc> { static constexpr bool cplx = true; using C = Vek16s; };

template <class C>
inline double load(const unsigned char* p) {
    C v;
    std::memcpy(&v, p, sizeof v);
    return static_cast<double>(v);
}

inline bool valid_frequency(double f) { return f >= 0 && f < 1; } // NaN fails too

// The K recurrences over src; re/im receive the K sums.
template <int K, class S>
void recurrence(const S* src, int len, const double* f, double* re, double* im) {
    using C = typename Sample<S>::C;
    double c[K], s[K], ar[K], ai[K];
    for (int j = 0; j < K; ++j) {
        const double theta = kTwoPi * f[j];
        c[j] = std::cos(theta);
        s[j] = std::sin(theta);
        ar[j] = 0;
        ai[j] = 0;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(src);
    for (int n = len - 1; n >= 0; --n) {
        const double xr = load<C>(p + n * sizeof(S));
        for (int j = 0; j < K; ++j) {
            const double r = ar[j] * c[j] + ai[j] * s[j] + xr;
            if constexpr (Sample<S>::cplx) ai[j] = ai[j] * c[j] - ar[j] * s[j] + load<C>(p + n * sizeof(S) + sizeof(C));
            else ai[j] = ai[j] * c[j] - ar[j] * s[j];
            ar[j] = r;
        }
    }
    for (int j = 0; j < K; ++j) {
        re[j] = ar[j];
        im[j] = ai[j];
    }
}

// Stores one complex result: rounded to the float type, or scaled by
// 2^-sf, rounded half away from zero and saturated for 16-bit outputs.
template <class D>
void store(D* out, int j, double re, double im, int sf) {
    unsigned char* p = reinterpret_cast<unsigned char*>(out) + j * sizeof(D);
    if constexpr (std::is_same_v<D, Vek16sc>) {
        const double scale = conv::pow2_neg(sf);
        const auto narrow = [scale](double v) {
            const double r = round_half_away(v * scale);
            if (r != r) return Vek16s(0);  // NaN from NaN input: 0, as conversions give
            return static_cast<Vek16s>(r > 32767 ? 32767 : r < -32768 ? -32768 : r);
        };
        const Vek16s v[2] = {narrow(re), narrow(im)};
        std::memcpy(p, v, sizeof v);
    } else {
        using C = decltype(D::re);
        const C v[2] = {static_cast<C>(re), static_cast<C>(im)};
        std::memcpy(p, v, sizeof v);
    }
}

template <class F>
inline F load_frequency(const F* f, int j) {
    F v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(f) + j * sizeof(F), sizeof v);
    return v;
}

// K = 1: freqs points at the caller's single frequency; K = 2: at its pair.
template <int K, class S, class D, class F>
VekStatus goertz(const S* src, int len, D* out, const F* freqs, int sf) {
    VEKS_CHECK(check_ptrs_len(len, src, out, freqs));
    double f[K];
    for (int j = 0; j < K; ++j) {
        f[j] = static_cast<double>(load_frequency(freqs, j));
        if (!valid_frequency(f[j])) return vekStsBadRelFrequency;
    }
    double re[K], im[K];
    recurrence<K>(src, len, f, re, im);
    for (int j = 0; j < K; ++j) store(out, j, re[j], im[j], sf);
    return vekStsOk;
}

// Q15 frequencies q >= 0 stand for q 2^-15.
template <int K>
VekStatus goertz_q15(const Vek16sc* src, int len, Vek16sc* out, const Vek16s* q, int sf) {
    float f[K];
    for (int j = 0; j < K; ++j) {
        if (!q) break; // a null pair is reported by the pointer check
        const Vek16s v = load_frequency(q, j);
        if (v < 0) return vekStsBadRelFrequency;
        f[j] = static_cast<float>(v) * (1.0f / 32768.0f);
    }
    return goertz<K>(src, len, out, q ? f : static_cast<const float*>(nullptr), sf);
}

} // namespace
} // namespace veks::goertzel

using namespace veks::goertzel;

// One row per member: single frequency, then the pair.
#define VEKS_GOERTZ(S, D, F)                                                                               \
    VEKS_API VekStatus veksGoertz_##S(const Vek##S* pSrc, int len, Vek##D* pVal, Vek##F rFreq) {         \
        return goertz<1>(pSrc, len, pVal, &rFreq, 0);                                                      \
    }                                                                                                      \
    VEKS_API VekStatus veksGoertzTwo_##S(const Vek##S* pSrc, int len, Vek##D pVal[2], const Vek##F rFreq[2]) { \
        return goertz<2>(pSrc, len, pVal, rFreq, 0);                                                       \
    }

VEKS_GOERTZ(32f, 32fc, 32f)
VEKS_GOERTZ(32fc, 32fc, 32f)
VEKS_GOERTZ(64f, 64fc, 64f)
VEKS_GOERTZ(64fc, 64fc, 64f)

VEKS_API VekStatus veksGoertz_16s_Sfs(const Vek16s* pSrc, int len, Vek16sc* pVal, Vek32f rFreq, int scaleFactor) {
    return goertz<1>(pSrc, len, pVal, &rFreq, scaleFactor);
}
VEKS_API VekStatus veksGoertz_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc* pVal, Vek32f rFreq, int scaleFactor) {
    return goertz<1>(pSrc, len, pVal, &rFreq, scaleFactor);
}
VEKS_API VekStatus veksGoertzTwo_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc pVal[2], const Vek32f rFreq[2], int scaleFactor) {
    return goertz<2>(pSrc, len, pVal, rFreq, scaleFactor);
}
VEKS_API VekStatus veksGoertzQ15_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc* pVal, Vek16s rFreqQ15, int scaleFactor) {
    return goertz_q15<1>(pSrc, len, pVal, &rFreqQ15, scaleFactor);
}
VEKS_API VekStatus veksGoertzTwoQ15_16sc_Sfs(const Vek16sc* pSrc, int len, Vek16sc pVal[2], const Vek16s rFreqQ15[2], int scaleFactor) {
    return goertz_q15<2>(pSrc, len, pVal, rFreqQ15, scaleFactor);
}
