// Q15 tone and triangle generators: parameters in Q15 (value * 2^15),
// converted once to doubles; samples follow the direct forms and are
// truncated toward zero. The state forms keep the phase between calls.
#include <cstdint>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "gen/elem_io.h"
#include "gen/wave.h"

namespace veks::gen {
namespace {

constexpr double kQ15 = 3.0517578125e-05; // 2^-15
constexpr int kMaxFreqQ15 = 16383;        // below 0.5
constexpr int kMaxPhaseQ15 = 205886;      // below 2 pi

#pragma pack(push, 4)
struct ToneStateQ15 {
    char id[4]; // "HAMC"
    double magn, rel_freq, phase;
    std::int32_t samples, owned, reserved;
};
struct TriangleStateQ15 {
    char id[4]; // "HAMT"
    double magn, rel_freq, phase, asym;
    std::int32_t samples, owned, reserved;
};
#pragma pack(pop)
static_assert(sizeof(ToneStateQ15) == 40 && sizeof(TriangleStateQ15) == 48, "Q15 state sizes");

constexpr char kToneId[4] = {'H', 'A', 'M', 'C'};
constexpr char kTriangleId[4] = {'H', 'A', 'M', 'T'};

struct ToneParams {
    double magn, rel_freq, phase;
    static constexpr const char* id = kToneId;
    static VekStatus make(int magn, int freq_q15, int phase_q15, ToneParams* out) {
        if (magn < 1) return vekStsBadToneMagnitude;
        if (freq_q15 < 0 || freq_q15 > kMaxFreqQ15) return vekStsBadToneFrequency;
        if (phase_q15 < 0 || phase_q15 > kMaxPhaseQ15) return vekStsBadTonePhase;
        *out = ToneParams{double(magn), freq_q15 * kQ15, phase_q15 * kQ15};
        return vekStsOk;
    }
    void generate(Vek16s* dst, int len) const {
        tone_samples<false>(magn, rel_freq, phase, len, [&](int n, double x) { store(dst, n, sample_to<Vek16s>(x)); });
    }
};

struct TriangleParams {
    double magn, rel_freq, phase, asym;
    static constexpr const char* id = kTriangleId;
    static VekStatus make(int magn, int freq_q15, int asym_q15, int phase_q15, TriangleParams* out) {
        const double asym = asym_q15 * kQ15;
        if (magn < 1) return vekStsBadTriangleMagnitude;
        if (freq_q15 < 0 || freq_q15 > kMaxFreqQ15) return vekStsBadTriangleFrequency;
        if (!in_half_open(asym, -kPi, kPi)) return vekStsBadTriangleAsymmetry;
        if (phase_q15 < 0 || phase_q15 > kMaxPhaseQ15) return vekStsBadTrianglePhase;
        *out = TriangleParams{double(magn), freq_q15 * kQ15, phase_q15 * kQ15, asym};
        return vekStsOk;
    }
    void generate(Vek16s* dst, int len) const {
        TriangleWave wave(magn, rel_freq, asym, phase);
        for (int n = 0; n < len; ++n) store(dst, n, sample_to<Vek16s>(wave()));
    }
};

void put(ToneStateQ15* st, const ToneParams& p, int owned) {
    *st = ToneStateQ15{{'H', 'A', 'M', 'C'}, p.magn, p.rel_freq, p.phase, 0, owned, 0};
}
void put(TriangleStateQ15* st, const TriangleParams& p, int owned) {
    *st = TriangleStateQ15{{'H', 'A', 'M', 'T'}, p.magn, p.rel_freq, p.phase, p.asym, 0, owned, 0};
}
ToneParams get(const ToneStateQ15* st) { return ToneParams{st->magn, st->rel_freq, st->phase}; }
TriangleParams get(const TriangleStateQ15* st) { return TriangleParams{st->magn, st->rel_freq, st->phase, st->asym}; }

template <class State, class Params>
bool has_id(const State* st) { return std::memcmp(st->id, Params::id, 4) == 0; }

template <class State, class Params, class... Q>
VekStatus init_q15(void* state, Q... q) {
    VEKS_CHECK(check_ptrs(state));
    Params p;
    VEKS_CHECK(Params::make(q..., &p));
    put(static_cast<State*>(state), p, 0);
    return vekStsOk;
}

template <class State, class Params, class S, class... Q>
VekStatus init_alloc_q15(S** out, Q... q) {
    VEKS_CHECK(check_ptrs(out));
    Params p;
    VEKS_CHECK(Params::make(q..., &p));
    auto* st = static_cast<State*>(static_cast<void*>(veksMalloc_8u(static_cast<int>(sizeof(State)))));
    if (st == nullptr) return vekStsNoMemory;
    put(st, p, 1);
    *out = reinterpret_cast<S*>(st);
    return vekStsOk;
}

template <class State, class Params>
VekStatus generate_q15(Vek16s* dst, int len, void* state) {
    VEKS_CHECK(check_ptrs_len(len, dst, state));
    auto* st = static_cast<State*>(state);
    if (!has_id<State, Params>(st)) return vekStsBadContext;
    get(st).generate(dst, len);
    st->phase = advanced_phase<double>(st->phase, len, st->rel_freq);
    st->samples = static_cast<std::int32_t>(static_cast<std::uint32_t>(st->samples) + static_cast<std::uint32_t>(len));
    return vekStsOk;
}

template <class Params, class... Q>
VekStatus direct_q15(Vek16s* dst, int len, Q... q) {
    VEKS_CHECK(check_ptrs_len(len, dst));
    Params p;
    VEKS_CHECK(Params::make(q..., &p));
    p.generate(dst, len);
    return vekStsOk;
}

template <class State, class Params>
VekStatus free_q15(void* state) {
    VEKS_CHECK(check_ptrs(state));
    auto* st = static_cast<State*>(state);
    if (!has_id<State, Params>(st)) return vekStsBadContext;
    std::memset(st->id, 0, 4);
    if (st->owned) veksFree(st);
    return vekStsOk;
}

} // namespace
} // namespace veks::gen

using namespace veks;
using namespace veks::gen;

VEKS_API VekStatus veksToneGetStateSizeQ15_16s(int* pSize) {
    VEKS_CHECK(check_ptrs(pSize));
    *pSize = static_cast<int>(sizeof(ToneStateQ15));
    return vekStsOk;
}
VEKS_API VekStatus veksToneInitQ15_16s(VeksToneState_16s* pState, Vek16s magn, int rFreqQ15, int phaseQ15) {
    return init_q15<ToneStateQ15, ToneParams>(pState, int(magn), rFreqQ15, phaseQ15);
}
VEKS_API VekStatus veksToneInitAllocQ15_16s(VeksToneState_16s** ppState, Vek16s magn, int rFreqQ15, int phaseQ15) {
    return init_alloc_q15<ToneStateQ15, ToneParams>(ppState, int(magn), rFreqQ15, phaseQ15);
}
VEKS_API VekStatus veksToneQ15_16s(Vek16s* pDst, int len, VeksToneState_16s* pState) {
    return generate_q15<ToneStateQ15, ToneParams>(pDst, len, pState);
}
VEKS_API VekStatus veksToneQ15_Direct_16s(Vek16s* pDst, int len, Vek16s magn, int rFreqQ15, int phaseQ15) {
    return direct_q15<ToneParams>(pDst, len, int(magn), rFreqQ15, phaseQ15);
}
VEKS_API VekStatus veksToneFree(VeksToneState_16s* pState) { return free_q15<ToneStateQ15, ToneParams>(pState); }

VEKS_API VekStatus veksTriangleGetStateSizeQ15_16s(int* pSize) {
    VEKS_CHECK(check_ptrs(pSize));
    *pSize = static_cast<int>(sizeof(TriangleStateQ15));
    return vekStsOk;
}
VEKS_API VekStatus veksTriangleInitQ15_16s(VeksTriangleState_16s* pState, Vek16s magn, int rFreqQ15, int asymQ15,
                                           int phaseQ15) {
    return init_q15<TriangleStateQ15, TriangleParams>(pState, int(magn), rFreqQ15, asymQ15, phaseQ15);
}
VEKS_API VekStatus veksTriangleInitAllocQ15_16s(VeksTriangleState_16s** ppState, Vek16s magn, int rFreqQ15, int asymQ15,
                                                int phaseQ15) {
    return init_alloc_q15<TriangleStateQ15, TriangleParams>(ppState, int(magn), rFreqQ15, asymQ15, phaseQ15);
}
VEKS_API VekStatus veksTriangleQ15_16s(Vek16s* pDst, int len, VeksTriangleState_16s* pState) {
    return generate_q15<TriangleStateQ15, TriangleParams>(pDst, len, pState);
}
VEKS_API VekStatus veksTriangleQ15_Direct_16s(Vek16s* pDst, int len, Vek16s magn, int rFreqQ15, int asymQ15,
                                              int phaseQ15) {
    return direct_q15<TriangleParams>(pDst, len, int(magn), rFreqQ15, asymQ15, phaseQ15);
}
VEKS_API VekStatus veksTriangleFree(VeksTriangleState_16s* pState) {
    return free_q15<TriangleStateQ15, TriangleParams>(pState);
}
