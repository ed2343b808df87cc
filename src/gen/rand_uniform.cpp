// Uniform noise: each element is one generator step r mapped to
// r * scale + mean, which spreads the signed 32-bit range over [low, high).
#include "gen/rand_common.h"
#include "gen/rand_state.h"

namespace veks::gen {
namespace {

// 2^-32 plus 7 units in the last place: keeps r * scale + mean below high.
constexpr double kUniformQ = 0x1.0000000000007p-32;

struct UniformMap {
    double scale, mean;
    template <class T> static UniformMap bounds(T low, T high) {
        return UniformMap{(static_cast<double>(high) - static_cast<double>(low)) * kUniformQ,
                          (static_cast<double>(low) + static_cast<double>(high)) * 0.5};
    }
    double operator()(std::int32_t r) const { return static_cast<double>(r) * scale + mean; }
};

template <class T>
void fill_uniform(T* dst, int len, CombinedRng& rng, const UniformMap& map) {
    for (int n = 0; n < len; ++n) store(dst, n, noise_to<T>(map(rng())));
}

template <class T>
void init_uniform(UniformState<T>* st, T low, T high, unsigned int seed) {
    const UniformMap map = UniformMap::bounds(low, high);
    st->id = uniform_id<T>;
    st->seed = seed;
    st->low = low;
    st->high = high;
    st->mean = map.mean;
    st->scale = map.scale;
    st->words = seeded_words(seed);
}

template <class T>
VekStatus uniform_init(void* state, T low, T high, unsigned int seed) {
    VEKS_CHECK(check_ptrs(state));
    init_uniform(static_cast<UniformState<T>*>(state), low, high, seed);
    return vekStsOk;
}

template <class T, class S>
VekStatus uniform_init_alloc(S** out, T low, T high, unsigned int seed) {
    return alloc_state(reinterpret_cast<UniformState<T>**>(out),
                       [&](UniformState<T>* st) { init_uniform(st, low, high, seed); });
}

template <class T>
VekStatus uniform(T* dst, int len, void* state) {
    VEKS_CHECK(check_ptrs_len(len, dst, state));
    auto* st = static_cast<UniformState<T>*>(state);
    VEKS_CHECK(check_state(st, uniform_id<T>));
    CombinedRng rng(st->words);
    fill_uniform(dst, len, rng, UniformMap{st->scale, st->mean});
    st->words = rng.words();
    return vekStsOk;
}

template <class T>
VekStatus uniform_free(void* state) {
    return free_state(static_cast<UniformState<T>*>(state), uniform_id<T>);
}

// A fresh generator from *seed on every call; the last subtract-with-borrow
// word is written back as the next seed.
template <class T>
VekStatus uniform_direct(T* dst, int len, T low, T high, unsigned int* seed) {
    VEKS_CHECK(check_ptrs_len(len, dst, seed));
    CombinedRng rng(seeded_words(*seed));
    fill_uniform(dst, len, rng, UniformMap::bounds(low, high));
    *seed = rng.x1;
    return vekStsOk;
}

} // namespace
} // namespace veks::gen

using namespace veks;
using namespace veks::gen;

VEKS_API VekStatus veksRandUniformGetSize_16s(int* pSize) {
    VEKS_CHECK(check_ptrs(pSize));
    *pSize = static_cast<int>(sizeof(UniformState<Vek16s>));
    return vekStsOk;
}
VEKS_API VekStatus veksRandUniformInit_16s(VeksRandUniState_16s* pState, Vek16s low, Vek16s high, unsigned int seed) {
    return uniform_init(pState, low, high, seed);
}

#define VEKS_RAND_UNIFORM(s)                                                                                     \
    VEKS_API VekStatus veksRandUniformInitAlloc_##s(VeksRandUniState_##s** ppState, Vek##s low, Vek##s high,    \
                                                    unsigned int seed) {                                         \
        return uniform_init_alloc(ppState, low, high, seed);                                                     \
    }                                                                                                            \
    VEKS_API VekStatus veksRandUniform_##s(Vek##s* pDst, int len, VeksRandUniState_##s* pState) {               \
        return uniform(pDst, len, static_cast<void*>(pState));                                                   \
    }                                                                                                            \
    VEKS_API VekStatus veksRandUniformFree_##s(VeksRandUniState_##s* pState) { return uniform_free<Vek##s>(pState); }

VEKS_RAND_UNIFORM(8u)
VEKS_RAND_UNIFORM(16s)
VEKS_RAND_UNIFORM(32f)

#define VEKS_RAND_UNIFORM_DIRECT(s)                                                                              \
    VEKS_API VekStatus veksRandUniform_Direct_##s(Vek##s* pDst, int len, Vek##s low, Vek##s high,               \
                                                  unsigned int* pSeed) {                                         \
        return uniform_direct(pDst, len, low, high, pSeed);                                                      \
    }

VEKS_RAND_UNIFORM_DIRECT(16s)
VEKS_RAND_UNIFORM_DIRECT(32f)
VEKS_RAND_UNIFORM_DIRECT(64f)
