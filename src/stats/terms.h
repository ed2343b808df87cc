// Term sources for the accumulation orders of accumulate.h: the elements of
// a real float vector, their magnitudes or squares, optionally of the
// element-wise difference of two vectors (formed in the element type).
#pragma once

#include <cmath>
#include <cstddef>
#include <type_traits>

#include "core/unaligned.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veks::stats {

enum class TermOp { Value, Abs, Square };

#if defined(__SSE2__)
// Two consecutive elements as doubles.
inline __m128d two_as_double(const float* p) {
    return _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
}
inline __m128d two_as_double(const double* p) { return _mm_loadu_pd(p); }
#endif

template <class F, TermOp Op, bool Diff = false>
struct RealTerms {
    static_assert(std::is_floating_point_v<F>, "float or double data");
    const F* a;
    const F* b = nullptr; // the subtrahend when Diff

    F element(std::size_t i) const {
        if constexpr (Diff) return load_elem(a, i) - load_elem(b, i);
        else return load_elem(a, i);
    }
    double at(std::size_t i) const {
        const double x = element(i);
        if constexpr (Op == TermOp::Abs) return std::fabs(x);
        else if constexpr (Op == TermOp::Square) return x * x;
        else return x;
    }

#if defined(__SSE2__)
    static constexpr bool has_quad = true;
    static __m128d apply(__m128d x) {
        if constexpr (Op == TermOp::Abs) return _mm_andnot_pd(_mm_set1_pd(-0.0), x);
        else if constexpr (Op == TermOp::Square) return _mm_mul_pd(x, x);
        else return x;
    }
    // Terms i..i+3 as two pairs.
    void quad(std::size_t i, __m128d& lo, __m128d& hi) const {
        if constexpr (std::is_same_v<F, float> && Diff) {
            const __m128 x = _mm_sub_ps(_mm_loadu_ps(a + i), _mm_loadu_ps(b + i)); // rounds to single, as at() does
            lo = apply(_mm_cvtps_pd(x));
            hi = apply(_mm_cvtps_pd(_mm_movehl_ps(x, x)));
        } else if constexpr (std::is_same_v<F, float>) {
            // Two 8-byte loads fold into the conversions.
            lo = apply(two_as_double(a + i));
            hi = apply(two_as_double(a + i + 2));
        } else {
            __m128d x = _mm_loadu_pd(a + i), y = _mm_loadu_pd(a + i + 2);
            if constexpr (Diff) {
                x = _mm_sub_pd(x, _mm_loadu_pd(b + i));
                y = _mm_sub_pd(y, _mm_loadu_pd(b + i + 2));
            }
            lo = apply(x);
            hi = apply(y);
        }
    }
#else
    static constexpr bool has_quad = false;
#endif
};

// Any per-element function of an index, scalar only.
template <class Fn>
struct IndexTerms {
    Fn fn;
    static constexpr bool has_quad = false;
    double at(std::size_t i) const { return fn(i); }
};
template <class Fn> IndexTerms(Fn) -> IndexTerms<Fn>;

} // namespace veks::stats

