// Tone and triangle generators, direct forms: the caller passes the phase
// and receives it advanced by the generated length.
#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"
#include "gen/elem_io.h"
#include "gen/wave.h"

namespace veks::gen {
namespace {

// Writes magn cos(...) to dst, and magn sin(...) to the imaginary parts of
// a complex dst.
template <class T>
void write_tone(T* dst, int len, double magn, double rel_freq, double phase) {
    using R = component_t<T>;
    if constexpr (is_complex_v<T>) {
        R* parts = reinterpret_cast<R*>(dst);
        tone_samples<false>(magn, rel_freq, phase, len, [&](int n, double x) { store(parts, 2 * n, sample_to<R>(x)); });
        tone_samples<true>(magn, rel_freq, phase, len, [&](int n, double x) { store(parts, 2 * n + 1, sample_to<R>(x)); });
    } else {
        tone_samples<false>(magn, rel_freq, phase, len, [&](int n, double x) { store(dst, n, sample_to<R>(x)); });
    }
}

template <class T>
void write_triangle(T* dst, int len, double magn, double rel_freq, double asym, double phase) {
    using R = component_t<T>;
    R* parts = reinterpret_cast<R*>(dst);
    constexpr int stride = is_complex_v<T> ? 2 : 1;
    TriangleWave re(magn, rel_freq, asym, phase);
    for (int n = 0; n < len; ++n) store(parts, stride * n, sample_to<R>(re()));
    if constexpr (is_complex_v<T>) {
        TriangleWave im(magn, rel_freq, asym, quarter_later(phase));
        for (int n = 0; n < len; ++n) store(parts, 2 * n + 1, sample_to<R>(im()));
    }
}

// M: magnitude type, P: frequency and phase type.
template <class T, class M, class P>
VekStatus tone_direct(T* dst, int len, M magn, P rel_freq, P* phase) {
    VEKS_CHECK(check_ptrs(phase));
    if (!(magn > 0)) return vekStsBadToneMagnitude;
    if (!valid_rel_freq(rel_freq)) return vekStsBadToneFrequency;
    if (!valid_phase(load_elem(phase))) return vekStsBadTonePhase;
    VEKS_CHECK(check_ptrs_len(len, dst));
    write_tone(dst, len, static_cast<double>(magn), static_cast<double>(rel_freq), static_cast<double>(load_elem(phase)));
    store_elem(phase, 0, advanced_phase<P>(load_elem(phase), len, rel_freq));
    return vekStsOk;
}

inline bool valid_asym(double a) { return in_half_open(a, -kPi, kPi); }

template <class T, class M, class P>
VekStatus triangle_direct(T* dst, int len, M magn, P rel_freq, P asym, P* phase) {
    VEKS_CHECK(check_ptrs(phase));
    if (!(magn > 0)) return vekStsBadTriangleMagnitude;
    if (!valid_rel_freq(rel_freq)) return vekStsBadTriangleFrequency;
    if (!valid_asym(asym)) return vekStsBadTriangleAsymmetry;
    if (!valid_phase(load_elem(phase))) return vekStsBadTrianglePhase;
    VEKS_CHECK(check_ptrs_len(len, dst));
    write_triangle(dst, len, static_cast<double>(magn), static_cast<double>(rel_freq), static_cast<double>(asym),
                   static_cast<double>(load_elem(phase)));
    store_elem(phase, 0, advanced_phase<P>(load_elem(phase), len, rel_freq));
    return vekStsOk;
}

} // namespace
} // namespace veks::gen

using namespace veks;
using namespace veks::gen;

// s: element suffix, M: magnitude type, P: frequency, asymmetry and phase type.
#define VEKS_TONE_DIRECT(s, M, P)                                                                                \
    VEKS_API VekStatus veksTone_Direct_##s(Vek##s* pDst, int len, M magn, P rFreq, P* pPhase) {                 \
        return tone_direct(pDst, len, magn, rFreq, pPhase);                                                      \
    }                                                                                                            \
    VEKS_API VekStatus veksTriangle_Direct_##s(Vek##s* pDst, int len, M magn, P rFreq, P asym, P* pPhase) {     \
        return triangle_direct(pDst, len, magn, rFreq, asym, pPhase);                                            \
    }

VEKS_TONE_DIRECT(16s, Vek16s, Vek32f)
VEKS_TONE_DIRECT(16sc, Vek16s, Vek32f)
VEKS_TONE_DIRECT(32f, Vek32f, Vek32f)
VEKS_TONE_DIRECT(32fc, Vek32f, Vek32f)
VEKS_TONE_DIRECT(64f, Vek64f, Vek64f)
VEKS_TONE_DIRECT(64fc, Vek64f, Vek64f)
