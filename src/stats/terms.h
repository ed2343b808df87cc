// Term sources for the accumulation orders of accumulate.h: the elements of
// a real float vector, their magnitudes or squares, optionally of the
// element-wise difference of two vectors (formed in the element type).
#pragma once

#include <cmath>
#include <cstddef>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veks::stats {

enum class TermOp { Value, Abs, Square };

template <class F, TermOp Op, bool Diff = false>
struct RealTerms {
    static_assert(std::is_floating_point_v<F>, "float or double data");
    const F* a;
    const F* b = nullptr; // the subtrahend when Diff

    F element(std::size_t i) const {
        if constexpr (Diff) return a[i] - b[i];
        else return a[i];
    }
    double at(std::size_t i) const {
        const double x = element(i);
        if constexpr (Op == TermOp::Abs) return std::fabs(x);
        else if constexpr (Op == TermOp::Square) return x * x;
        else return x;
    }

#if defined(__SSE2__)
    static constexpr bool has_pair = true;
    __m128d load_pair(const F* p) const {
        if constexpr (std::is_same_v<F, float>)
            return _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
        else
            return _mm_loadu_pd(p);
    }
    __m128d pair(std::size_t i) const {
        __m128d x;
        if constexpr (Diff && std::is_same_v<F, float>) {
            // The difference rounds to single first, as at() does.
            const __m128 d = _mm_sub_ps(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a + i))),
                                        _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + i))));
            x = _mm_cvtps_pd(d);
        } else if constexpr (Diff) {
            x = _mm_sub_pd(load_pair(a + i), load_pair(b + i));
        } else {
            x = load_pair(a + i);
        }
        if constexpr (Op == TermOp::Abs) return _mm_andnot_pd(_mm_set1_pd(-0.0), x);
        else if constexpr (Op == TermOp::Square) return _mm_mul_pd(x, x);
        else return x;
    }
#else
    static constexpr bool has_pair = false;
#endif
};

// Any per-element function of an index, scalar only.
template <class Fn>
struct IndexTerms {
    Fn fn;
    static constexpr bool has_pair = false;
    double at(std::size_t i) const { return fn(i); }
};
template <class Fn> IndexTerms(Fn) -> IndexTerms<Fn>;

} // namespace veks::stats
