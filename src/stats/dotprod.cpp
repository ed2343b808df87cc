// DotProd: sum of pSrc1[k] * pSrc2[k] over real, complex and mixed
// operands (complex products are not conjugated).
#include <cstddef>
#include <cstdint>
#include <type_traits>
#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

#include "core/unaligned.h"
#include "core/checks.h"
#include "core/elem.h"
#include "core/export.h"
#include "core/rounding.h"
#include "stats/accumulate.h"
#include "stats/sum_scale.h"

namespace veks::stats {
namespace {

__extension__ typedef __int128 Int128;

template <class A, class B>
constexpr int parts_of = (is_complex_v<A> || is_complex_v<B>) ? 2 : 1;

// The product of one element pair in Acc arithmetic, by parts.
template <class Acc, class A, class B>
void product(const A& a, const B& b, Acc* p) {
    if constexpr (!is_complex_v<A> && !is_complex_v<B>) {
        p[0] = Acc(a) * Acc(b);
    } else if constexpr (!is_complex_v<A>) {
        p[0] = Acc(a) * Acc(b.re);
        p[1] = Acc(a) * Acc(b.im);
    } else {
        p[0] = Acc(a.re) * Acc(b.re) - Acc(a.im) * Acc(b.im);
        p[1] = Acc(a.re) * Acc(b.im) + Acc(a.im) * Acc(b.re);
    }
}

// Floating-point accumulation: element k goes to partial sum k % P of each
// part; the partial sums combine by halving, then the last n % P products
// follow one by one.
template <class Acc, int P, class A, class B>
void dot_float(const A* a, const B* b, std::size_t n, Acc* out) {
    constexpr int parts = parts_of<A, B>;
    Acc s[parts][P] = {};
    const std::size_t groups = n / P * P;
    Acc p[parts];
    for (std::size_t i = 0; i < groups; i += P)
        for (int k = 0; k < P; ++k) {
            product(load_elem(a, i + k), load_elem(b, i + k), p);
            for (int c = 0; c < parts; ++c) s[c][k] += p[c];
        }
    for (int c = 0; c < parts; ++c) out[c] = combine_halving(s[c]);
    for (std::size_t i = groups; i < n; ++i) {
        product(load_elem(a, i), load_elem(b, i), p);
        for (int c = 0; c < parts; ++c) out[c] += p[c];
    }
}

#if defined(__SSE2__)
// Real single precision: two vectors of four lanes hold the eight partial
// sums, folded as combine_halving does.
template <>
void dot_float<float, 8, float, float>(const float* a, const float* b, std::size_t n, float* out) {
    const std::size_t groups = n / 8 * 8;
    __m128 s0 = _mm_setzero_ps(), s1 = s0;
    for (std::size_t i = 0; i < groups; i += 8) {
        s0 = _mm_add_ps(s0, _mm_mul_ps(_mm_loadu_ps(a + i), _mm_loadu_ps(b + i)));
        s1 = _mm_add_ps(s1, _mm_mul_ps(_mm_loadu_ps(a + i + 4), _mm_loadu_ps(b + i + 4)));
    }
    const __m128 t = _mm_add_ps(s0, s1);
    const __m128 u = _mm_add_ps(t, _mm_movehl_ps(t, t));
    float total = _mm_cvtss_f32(u) + _mm_cvtss_f32(_mm_shuffle_ps(u, u, 1));
    for (std::size_t i = groups; i < n; ++i) total += load_elem(a, i) * load_elem(b, i);
    store_elem(out, 0, total);
}
#endif

// Integer accumulation is exact: 64-bit sums over blocks of 65536 products
// (which cannot overflow for 16- and 32-bit components), added in 128 bits.
template <class A, class B>
void dot_exact(const A* a, const B* b, std::size_t n, Int128* out) {
    constexpr int parts = parts_of<A, B>;
    constexpr std::size_t kBlock = 65536;
    for (int c = 0; c < parts; ++c) out[c] = 0;
    for (std::size_t blk = 0; blk < n; blk += kBlock) {
        const std::size_t e = n - blk < kBlock ? n : blk + kBlock;
        std::int64_t s[parts] = {}, p[parts];
        for (std::size_t i = blk; i < e; ++i) {
            product(load_elem(a, i), load_elem(b, i), p);
            for (int c = 0; c < parts; ++c) s[c] += p[c];
        }
        for (int c = 0; c < parts; ++c) out[c] += s[c];
    }
}

// Stores the parts of a result through a real or complex destination.
template <class D, class Convert>
void store(D* dst, Convert conv) {
    if constexpr (is_complex_v<D>) {
        store_elem(dst, 0, D{conv(0), conv(1)});
    } else {
        store_elem(dst, 0, conv(0));
    }
}

// Single precision in eight partial sums (complex data: four per part).
template <class A, class B, class D>
VekStatus dot_single(const A* a, const B* b, int len, D* dst) {
    VEKS_CHECK(check_ptrs_len(len, a, b, dst));
    float r[2];
    dot_float<float, parts_of<A, B> == 1 ? 8 : 4>(a, b, std::size_t(len), r);
    store(dst, [&](int c) { return r[c]; });
    return vekStsOk;
}

// Double precision in four partial sums per part.
template <class A, class B, class D>
VekStatus dot_double(const A* a, const B* b, int len, D* dst) {
    VEKS_CHECK(check_ptrs_len(len, a, b, dst));
    double r[2];
    dot_float<double, 4>(a, b, std::size_t(len), r);
    store(dst, [&](int c) { return r[c]; });
    return vekStsOk;
}

// Exact sums, stored as 64-bit integers or rounded to single precision.
template <class A, class B, class D>
VekStatus dot_integer(const A* a, const B* b, int len, D* dst) {
    VEKS_CHECK(check_ptrs_len(len, a, b, dst));
    Int128 r[2];
    dot_exact(a, b, std::size_t(len), r);
    store(dst, [&](int c) { return static_cast<component_t<D>>(static_cast<std::int64_t>(r[c])); });
    return vekStsOk;
}

// Exact sums scaled and saturated. Beyond +-2^62 every scale factor the
// rule allows saturates, so the total is clamped there first.
template <class A, class B, class D>
VekStatus dot_scaled(const A* a, const B* b, int len, D* dst, int sf) {
    VEKS_CHECK(check_ptrs_len(len, a, b, dst));
    Int128 r[2];
    dot_exact(a, b, std::size_t(len), r);
    constexpr Int128 lim = Int128(1) << 62;
    store(dst, [&](int c) {
        const Int128 v = r[c] > lim ? lim : (r[c] < -lim ? -lim : r[c]);
        return scale_dot_total<component_t<D>>(static_cast<std::int64_t>(v), sf);
    });
    return vekStsOk;
}

// 32-bit data: products and sums in double (four partial sums), times
// 2^-sf with sf clamped to -31..93, then clamped and rounded half to even.
template <class A, class B, class D>
VekStatus dot_scaled_double(const A* a, const B* b, int len, D* dst, int sf) {
    VEKS_CHECK(check_ptrs_len(len, a, b, dst));
    double r[2];
    dot_float<double, 4>(a, b, std::size_t(len), r);
    const int s = sf < -31 ? -31 : (sf > 93 ? 93 : sf);
    store(dst, [&](int c) { return round_saturate<Vek32s, vekRoundHalfEven>(std::ldexp(r[c], -s)); });
    return vekStsOk;
}

} // namespace
} // namespace veks::stats

using namespace veks::stats;

// One row per member: name suffix, operation, source types, result type.
#define VEKS_DOT(name, op, A, B, D)                                                                      \
    VEKS_API VekStatus veksDotProd_##name(const A* pSrc1, const B* pSrc2, int len, D* pDp) { return op(pSrc1, pSrc2, len, pDp); }
#define VEKS_DOT_SFS(name, op, A, B, D)                                                                  \
    VEKS_API VekStatus veksDotProd_##name(const A* pSrc1, const B* pSrc2, int len, D* pDp, int sf) { return op(pSrc1, pSrc2, len, pDp, sf); }

VEKS_DOT(32f, dot_single, Vek32f, Vek32f, Vek32f)
VEKS_DOT(32fc, dot_single, Vek32fc, Vek32fc, Vek32fc)
VEKS_DOT(32f32fc, dot_single, Vek32f, Vek32fc, Vek32fc)
VEKS_DOT(32f64f, dot_double, Vek32f, Vek32f, Vek64f)
VEKS_DOT(32fc64fc, dot_double, Vek32fc, Vek32fc, Vek64fc)
VEKS_DOT(32f32fc64fc, dot_double, Vek32f, Vek32fc, Vek64fc)
VEKS_DOT(64f, dot_double, Vek64f, Vek64f, Vek64f)
VEKS_DOT(64fc, dot_double, Vek64fc, Vek64fc, Vek64fc)
VEKS_DOT(64f64fc, dot_double, Vek64f, Vek64fc, Vek64fc)
VEKS_DOT(16s64s, dot_integer, Vek16s, Vek16s, Vek64s)
VEKS_DOT(16sc64sc, dot_integer, Vek16sc, Vek16sc, Vek64sc)
VEKS_DOT(16s16sc64sc, dot_integer, Vek16s, Vek16sc, Vek64sc)
VEKS_DOT(16s32f, dot_integer, Vek16s, Vek16s, Vek32f)
VEKS_DOT(16sc32fc, dot_integer, Vek16sc, Vek16sc, Vek32fc)
VEKS_DOT(16s16sc32fc, dot_integer, Vek16s, Vek16sc, Vek32fc)
VEKS_DOT_SFS(16s_Sfs, dot_scaled, Vek16s, Vek16s, Vek16s)
VEKS_DOT_SFS(16sc_Sfs, dot_scaled, Vek16sc, Vek16sc, Vek16sc)
VEKS_DOT_SFS(16s16sc_Sfs, dot_scaled, Vek16s, Vek16sc, Vek16sc)
VEKS_DOT_SFS(16s32s_Sfs, dot_scaled, Vek16s, Vek16s, Vek32s)
VEKS_DOT_SFS(16s32s32s_Sfs, dot_scaled, Vek16s, Vek32s, Vek32s)
VEKS_DOT_SFS(16sc32sc_Sfs, dot_scaled, Vek16sc, Vek16sc, Vek32sc)
VEKS_DOT_SFS(16s16sc32sc_Sfs, dot_scaled, Vek16s, Vek16sc, Vek32sc)
VEKS_DOT_SFS(32s_Sfs, dot_scaled_double, Vek32s, Vek32s, Vek32s)
VEKS_DOT_SFS(32sc_Sfs, dot_scaled_double, Vek32sc, Vek32sc, Vek32sc)
VEKS_DOT_SFS(32s32sc_Sfs, dot_scaled_double, Vek32s, Vek32sc, Vek32sc)
