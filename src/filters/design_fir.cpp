// Linear-phase FIR design by the window method: the ideal response at the
// distances from the centre, a window, an optional gain normalisation at
// the band's reference frequency, then the mirrored second half.
#include <cmath>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "gen/wave.h"
#include "gen/window_internal.h"

namespace veks::filt {
namespace {

enum class Band { Low, High, Pass, Stop };

inline bool valid_freq(double f) { return f > 0.0 && f <= 0.5; }

// Adds sign * sin(2 pi f d) (or the cosine) to t[h-k] for the distances
// d = k (odd n) or k - 1/2 (even n), k = 1 .. h, from the tone recurrence.
template <bool Sine>
void add_wave(double* t, int n, double f, double sign) {
    const int h = n / 2;
    const double first = n % 2 ? 1.0 : 0.5; // the first distance
    gen::tone_samples<Sine>(1.0, f, gen::kTwoPi * f * first, h, [&](int i, double v) { t[h - 1 - i] += sign * v; });
}

// Ideal taps of the first half (and the centre of odd lengths); the rest 0.
void ideal(Band band, double f1, double f2, double* t, int n) {
    const int h = n / 2;
    const bool odd = n % 2 != 0;
    std::memset(t, 0, sizeof(double) * static_cast<std::size_t>(n));
    switch (band) {
    case Band::Low: add_wave<true>(t, n, f1, 1.0); break;
    case Band::High:
        if (odd) add_wave<true>(t, n, f1, -1.0);
        else add_wave<false>(t, n, f1, 1.0);
        break;
    case Band::Pass:
        add_wave<true>(t, n, f2, 1.0);
        add_wave<true>(t, n, f1, -1.0);
        break;
    case Band::Stop:
        add_wave<true>(t, n, f1, 1.0);
        add_wave<true>(t, n, f2, -1.0);
        // Even lengths: the all-pass term sin(pi d) / (pi d) of a half-sample
        // centre, which is 0 at the integer distances of odd lengths.
        if (!odd)
            for (int k = 1; k <= h; ++k) t[h - k] += k % 2 ? 1.0 : -1.0;
        break;
    }
    for (int k = 1; k <= h; ++k) t[h - k] /= gen::kPi * (k - (odd ? 0.0 : 0.5));
    if (odd) {
        switch (band) {
        case Band::Low: t[h] = 2.0 * f1; break;
        case Band::High: t[h] = 1.0 - 2.0 * f1; break;
        case Band::Pass: t[h] = 2.0 * (f2 - f1); break;
        case Band::Stop: t[h] = 1.0 - 2.0 * (f2 - f1); break;
        }
    }
}

// Gain at the reference frequency (DC, Nyquist or the band centre) from the
// first half and the centre.
double gain(Band band, double f1, double f2, const double* t, int n) {
    const int h = n / 2;
    const double c = (n - 1) / 2.0;
    double half = 0.0;
    for (int i = 0; i < h; ++i) {
        double weight = 1.0;
        if (band == Band::High) weight = i % 2 ? -1.0 : 1.0;
        if (band == Band::Pass) weight = std::cos(gen::kTwoPi * ((f1 + f2) / 2.0) * (i - c));
        half += weight * t[i];
    }
    double g = 2.0 * half;
    if (n % 2) g += band == Band::High && h % 2 ? -t[h] : t[h];
    return g;
}

VekStatus design(Band band, double f1, double f2, Vek64f* taps, int n, int win_type, int do_normal) {
    VEKS_CHECK(check_ptrs(taps));
    if (n < 5 || !valid_freq(f1)) return vekStsBadLength;
    if ((band == Band::Pass || band == Band::Stop) && !(valid_freq(f2) && f1 < f2)) return vekStsBadLength;
    double* t = veksMalloc_64f(n);
    if (!t) return vekStsNullPtr;
    ideal(band, f1, f2, t, n);
    static constexpr gen::WindowKind kinds[] = {gen::WindowKind::Bartlett, gen::WindowKind::BlackmanOpt,
                                                gen::WindowKind::Hamming, gen::WindowKind::Hann};
    if (win_type >= 0 && win_type <= 3) gen::window_64f_inplace(kinds[win_type], t, n);
    const int h = n / 2;
    if (do_normal) {
        const double g = std::fabs(gain(band, f1, f2, t, n));
        if (g > 0.0) {
            const double r = 1.0 / g;
            for (int i = 0; i < (n + 1) / 2; ++i) t[i] *= r;
        }
    }
    const bool antisymmetric = band == Band::High && n % 2 == 0;
    for (int i = 0; i < h; ++i) t[n - 1 - i] = antisymmetric ? -t[i] : t[i];
    std::memcpy(taps, t, sizeof(double) * static_cast<std::size_t>(n));
    veksFree(t);
    return vekStsOk;
}

} // namespace
} // namespace veks::filt

using namespace veks::filt;

VEKS_API VekStatus veksFIRGenLowpass_64f(Vek64f rFreq, Vek64f* pTaps, int tapsLen, int winType, int doNormal) {
    return design(Band::Low, rFreq, 0.0, pTaps, tapsLen, winType, doNormal);
}
VEKS_API VekStatus veksFIRGenHighpass_64f(Vek64f rFreq, Vek64f* pTaps, int tapsLen, int winType, int doNormal) {
    return design(Band::High, rFreq, 0.0, pTaps, tapsLen, winType, doNormal);
}
VEKS_API VekStatus veksFIRGenBandpass_64f(Vek64f rLowFreq, Vek64f rHighFreq, Vek64f* pTaps, int tapsLen, int winType,
                                          int doNormal) {
    return design(Band::Pass, rLowFreq, rHighFreq, pTaps, tapsLen, winType, doNormal);
}
VEKS_API VekStatus veksFIRGenBandstop_64f(Vek64f rLowFreq, Vek64f rHighFreq, Vek64f* pTaps, int tapsLen, int winType,
                                          int doNormal) {
    return design(Band::Stop, rLowFreq, rHighFreq, pTaps, tapsLen, winType, doNormal);
}
