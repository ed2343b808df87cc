// Gaussian noise by the polar method: a pair (u1, u2) uniform in the unit
// disc gives two values f u2 and f u1 with f = sqrt(-2 ln(s) / s); the
// second one waits in the state (or in the call, for the Direct forms).
#include <cmath>

#include "gen/rand_common.h"
#include "gen/rand_state.h"

namespace veks::gen {
namespace {

// The pending half of a polar pair, carried across calls by the states.
struct PolarPair {
    std::int32_t none_pending = 1;
    double factor = 0.0, pending = 0.0;
};

template <class T>
void fill_gauss(T* dst, int len, double mean, double std_dev, CombinedRng& rng, PolarPair& pair) {
    constexpr double k2m31 = 4.656612873077393e-10; // 2^-31
    for (int n = 0; n < len; ++n) {
        double f, u;
        if (pair.none_pending) {
            double u1, u2, s;
            do {
                u1 = static_cast<double>(rng()) * k2m31;
                u2 = static_cast<double>(rng()) * k2m31;
                s = u1 * u1 + u2 * u2;
            } while (s >= 1.0 || s == 0.0);
            f = std::sqrt(-2.0 * std::log(s) / s);
            u = u2;
            pair = PolarPair{0, f, u1};
        } else {
            f = pair.factor;
            u = pair.pending;
            pair.none_pending = 1;
        }
        store(dst, n, noise_to<T>(mean + std_dev * f * u));
    }
}

template <class T>
void init_gauss(GaussState<T>* st, T mean, T std_dev, unsigned int seed) {
    st->id = gauss_id<T>;
    st->seed = seed;
    st->mean = mean;
    st->std_dev = std_dev;
    st->words = seeded_words(seed);
    st->none_pending = 1;
    st->factor = 0.0;
    st->pending = 0.0;
    for (auto& b : st->reserved) b = 0;
}

template <class T>
VekStatus gauss_init(void* state, T mean, T std_dev, unsigned int seed) {
    VEKS_CHECK(check_ptrs(state));
    init_gauss(static_cast<GaussState<T>*>(state), mean, std_dev, seed);
    return vekStsOk;
}

template <class T, class S>
VekStatus gauss_init_alloc(S** out, T mean, T std_dev, unsigned int seed) {
    return alloc_state(reinterpret_cast<GaussState<T>**>(out),
                       [&](GaussState<T>* st) { init_gauss(st, mean, std_dev, seed); });
}

template <class T>
VekStatus gauss(T* dst, int len, void* state) {
    VEKS_CHECK(check_ptrs_len(len, dst, state));
    auto* st = static_cast<GaussState<T>*>(state);
    VEKS_CHECK(check_state(st, gauss_id<T>));
    CombinedRng rng(st->words);
    PolarPair pair{st->none_pending, st->factor, st->pending};
    fill_gauss(dst, len, static_cast<double>(st->mean), static_cast<double>(st->std_dev), rng, pair);
    st->words = rng.words();
    st->none_pending = pair.none_pending;
    st->factor = pair.factor;
    st->pending = pair.pending;
    return vekStsOk;
}

template <class T>
VekStatus gauss_free(void* state) {
    return free_state(static_cast<GaussState<T>*>(state), gauss_id<T>);
}

template <class T>
VekStatus gauss_direct(T* dst, int len, T mean, T std_dev, unsigned int* seed) {
    VEKS_CHECK(check_ptrs_len(len, dst, seed));
    CombinedRng rng(seeded_words(*seed));
    PolarPair pair;
    fill_gauss(dst, len, static_cast<double>(mean), static_cast<double>(std_dev), rng, pair);
    *seed = rng.x1;
    return vekStsOk;
}

} // namespace
} // namespace veks::gen

using namespace veks;
using namespace veks::gen;

VEKS_API VekStatus veksRandGaussGetSize_16s(int* pSize) {
    VEKS_CHECK(check_ptrs(pSize));
    *pSize = static_cast<int>(sizeof(GaussState<Vek16s>));
    return vekStsOk;
}
VEKS_API VekStatus veksRandGaussInit_16s(VeksRandGaussState_16s* pState, Vek16s mean, Vek16s stdDev, unsigned int seed) {
    return gauss_init(pState, mean, stdDev, seed);
}

#define VEKS_RAND_GAUSS(s)                                                                                       \
    VEKS_API VekStatus veksRandGaussInitAlloc_##s(VeksRandGaussState_##s** ppState, Vek##s mean, Vek##s stdDev, \
                                                  unsigned int seed) {                                           \
        return gauss_init_alloc(ppState, mean, stdDev, seed);                                                    \
    }                                                                                                            \
    VEKS_API VekStatus veksRandGauss_##s(Vek##s* pDst, int len, VeksRandGaussState_##s* pState) {               \
        return gauss(pDst, len, static_cast<void*>(pState));                                                     \
    }                                                                                                            \
    VEKS_API VekStatus veksRandGaussFree_##s(VeksRandGaussState_##s* pState) { return gauss_free<Vek##s>(pState); }

VEKS_RAND_GAUSS(8u)
VEKS_RAND_GAUSS(16s)
VEKS_RAND_GAUSS(32f)

#define VEKS_RAND_GAUSS_DIRECT(s)                                                                                \
    VEKS_API VekStatus veksRandGauss_Direct_##s(Vek##s* pDst, int len, Vek##s mean, Vek##s stdDev,              \
                                                unsigned int* pSeed) {                                           \
        return gauss_direct(pDst, len, mean, stdDev, pSeed);                                                     \
    }

VEKS_RAND_GAUSS_DIRECT(16s)
VEKS_RAND_GAUSS_DIRECT(32f)
VEKS_RAND_GAUSS_DIRECT(64f)
