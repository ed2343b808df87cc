// Gaussian noise by the polar method: a pair (u1, u2) uniform in the unit
// disc gives two values f u2 and f u1 with f = sqrt(-2 ln(s) / s); the
// second one waits in the state (or in the call, for the Direct forms).
#include <algorithm>
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

constexpr double k2m31 = 4.656612873077393e-10; // 2^-31
constexpr int kBlockPairs = 128;

// Accepted polar pairs, drawn in generator order. The rejection test only
// decides whether the slot is kept, so the loop has no unpredictable branch.
struct PolarBlock {
    double u1[kBlockPairs], u2[kBlockPairs], s[kBlockPairs];
    void draw(CombinedRng& rng, int pairs) {
        for (int k = 0; k < pairs;) {
            const double a = static_cast<double>(rng()) * k2m31;
            const double b = static_cast<double>(rng()) * k2m31;
            const double r = a * a + b * b;
            u1[k] = a;
            u2[k] = b;
            s[k] = r;
            k += (r < 1.0) & (r != 0.0);
        }
    }
    // f = sqrt(-2 ln(s) / s) of the first count pairs: the logarithms first
    // (independent calls), then roots and quotients in a loop the compiler
    // vectorises (the same correctly rounded operations).
    void factors(int count, double* f) const {
        for (int k = 0; k < count; ++k) f[k] = std::log(s[k]);
        for (int k = 0; k < count; ++k) f[k] = std::sqrt(-2.0 * f[k] / s[k]);
    }
};

// Writes len values: a pending value first, then whole pairs (u2, then u1)
// block by block; an odd tail leaves the u1 half pending. The pairs of a
// block are independent, so their logarithms and roots overlap.
template <class T>
void fill_gauss(T* dst, int len, double mean, double std_dev, CombinedRng& rng, PolarPair& pair) {
    const auto value = [&](double f, double u) { return noise_to<T>(mean + std_dev * f * u); };
    int n = 0;
    if (!pair.none_pending && len > 0) {
        store(dst, n++, value(pair.factor, pair.pending));
        pair.none_pending = 1;
    }
    PolarBlock block;
    double f[kBlockPairs];
    while (n < len) {
        const int pairs = std::min(kBlockPairs, (len - n + 1) / 2);
        block.draw(rng, pairs);
        block.factors(pairs, f);
        const int whole = std::min(pairs, (len - n) / 2);
        for (int k = 0; k < whole; ++k) {
            store(dst, n + 2 * k, value(f[k], block.u2[k]));
            store(dst, n + 2 * k + 1, value(f[k], block.u1[k]));
        }
        n += 2 * whole;
        if (whole < pairs) { // one value left: the pair's second half waits
            store(dst, n++, value(f[whole], block.u2[whole]));
            pair = PolarPair{0, f[whole], block.u1[whole]};
        }
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
