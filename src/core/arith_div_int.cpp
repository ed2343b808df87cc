// Integer division: Div, DivC, Div_Round and DivCRev of the integer types.
// Each type has its own quotient rule, fixed to the last bit: where the
// quotient is formed in floating point, the precision, the order of the
// operations and the rounding step are part of the result.
#include <cmath>

#include "core/unaligned.h"
#include "core/arith_div_kernels.h"
#include "core/arith_float_round.h"
#include "core/rounding.h"

namespace veks::arith {
namespace {


// Vek16s: q = (dividend * 2^-sf) / divisor in single precision.
struct Div16s {
    static bool copies_on(Vek16s, int) { return false; }
    template <class A, class B, class D> static VekStatus run(A divisor, B dividend, D* d, Index n, int sf) {
        const float p = two_to_minus<float>(sf);
        return divide_each(divisor, dividend, d, n,
                           [p](Vek16s y, Vek16s x) { return round_saturate_16s((float(y) * p) / float(x)); },
                           integer_zero_divisor_value<Vek16s, Vek16s>);
    }
    // The factor 2^-sf / val is formed once; within [-0.9999, 1] no product
    // can leave the range, so that loop has no range test.
    static VekStatus run_const(Vek16s val, const Vek16s* s, Vek16s* d, Index n, int sf) {
        const float f = two_to_minus<float>(sf) / float(val);
        Index i = 0;
#if defined(__SSE2__)
        if (apart_or_same(s, d, n)) i = sse2::scale16_by_float(s, f, d, n);
#endif
        if (f >= -0.9999f && f <= 1.0f) {
            for (; i < n; ++i) store_elem(d, i, round_biased_16s(float(load_elem(s, i)) * f));
        } else {
            for (; i < n; ++i) store_elem(d, i, round_saturate_16s(float(load_elem(s, i)) * f));
        }
        return vekStsOk;
    }
};

// Vek8u: single precision, t = q + 0.5 truncated with ties to even.
struct Div8u {
    static bool copies_on(Vek8u, int) { return false; }
    template <class A, class B, class D> static VekStatus run(A divisor, B dividend, D* d, Index n, int sf) {
        const float p = two_to_minus<float>(sf);
        return divide_each(divisor, dividend, d, n,
                           [p](Vek8u y, Vek8u x) { return round_saturate_8u((float(y) * p) / float(x)); },
                           integer_zero_divisor_value<Vek8u, Vek8u>);
    }
    static VekStatus run_const(Vek8u val, const Vek8u* s, Vek8u* d, Index n, int sf) {
        const float f = two_to_minus<float>(sf) * (1.0f / float(val));
        for (Index i = 0; i < n; ++i) store_elem(d, i, round_saturate_8u(float(load_elem(s, i)) * f));
        return vekStsOk;
    }
};

// Vek16u: a 16-bit binary fraction in integer arithmetic. Scale factors of
// 17 and more give 0, below -31 give 65535 for every non-zero dividend.
struct Div16u {
    static bool copies_on(Vek16u val, int sf) { return val == 1 && sf == 0; }
    template <class A, class B> static VekStatus run_any(A divisor, B dividend, Vek16u* d, Index n, int sf) {
        const auto zero = integer_zero_divisor_value<Vek16u, Vek16u>;
        if (sf >= 17)
            return divide_each(divisor, dividend, d, n, [](Vek16u, Vek16u) { return Vek16u(0); }, zero);
        if (sf < -31)
            return divide_each(divisor, dividend, d, n, [](Vek16u y, Vek16u) { return Vek16u(y == 0 ? 0 : 65535); }, zero);
        const int num_shift = 16 + (sf < 0 ? -sf : 0), den_shift = sf > 0 ? sf : 0;
        return divide_each(divisor, dividend, d, n,
                           [=](Vek16u y, Vek16u x) {
                               return round_fraction_16u((std::uint64_t(y) << num_shift) / (std::uint64_t(x) << den_shift));
                           },
                           zero);
    }
    template <class A, class B> static VekStatus run(A divisor, B dividend, Vek16u* d, Index n, int sf) {
        return run_any(divisor, dividend, d, n, sf);
    }
    static VekStatus run_const(Vek16u val, const Vek16u* s, Vek16u* d, Index n, int sf) {
        return run_any(Scalar<Vek16u>{val}, s, d, n, sf);
    }
};

// Vek32s quotient (Vek32s or Vek16s result): double precision, ties to even.
struct Div32s {
    template <class A, class B, class D> static VekStatus run(A divisor, B dividend, D* d, Index n, int sf) {
        using Y = elem_of<B>;
        using X = elem_of<A>;
        const auto zero = integer_zero_divisor_value<D, Y>;
        if (sf > 32) return divide_each(divisor, dividend, d, n, [](Y, X) { return D(0); }, zero);
        if (sf < -62)
            return divide_each(divisor, dividend, d, n,
                               [](Y y, X x) { return y == 0 ? D(0) : ((y > 0) == (x > 0) ? std::numeric_limits<D>::max() : std::numeric_limits<D>::min()); },
                               zero);
        const double p = std::ldexp(1.0, -sf);
        return divide_each(divisor, dividend, d, n,
                           [p](Y y, X x) { return round_saturate<D, vekRoundHalfEven>((double(y) * p) / double(x)); }, zero);
    }
};

// Vek16sc: double precision, the divisor's conjugate over its squared magnitude.
struct Div16sc {
    static bool copies_on(Vek16sc, int) { return false; }
    static Vek16sc round(double re, double im) { return Vek16sc{round_saturate_16s(re), round_saturate_16s(im)}; }
    template <class A, class B, class D> static VekStatus run(A divisor, B dividend, D* d, Index n, int sf) {
        const double p = two_to_minus<double>(sf);
        return divide_each(divisor, dividend, d, n,
                           [p](Vek16sc m, Vek16sc c) {
                               const double s = p / (double(c.re) * c.re + double(c.im) * c.im);
                               return round((double(c.re) * m.re + double(c.im) * m.im) * s,
                                            (double(c.re) * m.im - double(c.im) * m.re) * s);
                           },
                           integer_zero_divisor_value<Vek16sc, Vek16sc>);
    }
    static VekStatus run_const(Vek16sc c, const Vek16sc* src, Vek16sc* d, Index n, int sf) {
        const double s = two_to_minus<double>(sf) / (double(c.re) * c.re + double(c.im) * c.im);
        const double fr = c.re * s, fi = -c.im * s;
        for (Index i = 0; i < n; ++i) {
            const Vek16sc m = load_elem(src, i);
            store_elem(d, i, round(m.re * fr - m.im * fi, m.re * fi + m.im * fr));
        }
        return vekStsOk;
    }
};

// Div_Round: double precision (operands through single precision), the
// rounding mode chosen per call. Scale factors above 15 give 0, below -30
// the quotient's sign saturated.
template <class T> struct DivRound {
    template <class R> static T store(double r) {
        using L = std::numeric_limits<T>;
        return r >= double(L::max()) ? L::max() : (r <= double(L::min()) ? L::min() : static_cast<T>(R{}(r)));
    }
    struct Trunc { double operator()(double q) const { return std::trunc(q); } };
    struct HalfEven { double operator()(double q) const { return round_half_even(q); } };
    struct HalfAway { double operator()(double q) const { return round_half_away(q); } };

    template <class R, class A, class B> static VekStatus run_mode(A divisor, B dividend, T* d, Index n, double p) {
        return divide_each(divisor, dividend, d, n,
                           [p](T y, T x) { return store<R>((double(float(y)) * p) / double(float(x))); },
                           integer_zero_divisor_value<T, T>);
    }
    template <class A, class B> static VekStatus run(A divisor, B dividend, T* d, Index n, int mode, int sf) {
        const auto zero = integer_zero_divisor_value<T, T>;
        if (sf > 15) return divide_each(divisor, dividend, d, n, [](T, T) { return T(0); }, zero);
        if (sf < -30)
            return divide_each(divisor, dividend, d, n,
                               [](T y, T x) { return y == 0 ? T(0) : ((y > 0) == (x > 0) ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min()); },
                               zero);
        const double p = std::ldexp(1.0, -sf);
        if (mode == vekRoundTowardZero) return run_mode<Trunc>(divisor, dividend, d, n, p);
        if (mode == vekRoundHalfEven) return run_mode<HalfEven>(divisor, dividend, d, n, p);
        return run_mode<HalfAway>(divisor, dividend, d, n, p);
    }
};

constexpr bool valid_round_mode(int mode) {
    return mode == vekRoundTowardZero || mode == vekRoundHalfEven || mode == vekRoundHalfAway;
}

template <class T> VekStatus div_round(const T* s1, const T* s2, T* d, int len, int mode, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s1, s2, d));
    if (!valid_round_mode(mode)) return vekStsBadRoundMode;
    return DivRound<T>::run(s1, s2, d, len, mode, sf);
}
template <class T> VekStatus div_round_i(const T* s, T* sd, int len, int mode, int sf) {
    VEKS_CHECK(check_ptrs_len(len, s, sd));
    if (!valid_round_mode(mode)) return vekStsBadRoundMode;
    return DivRound<T>::run(s, sd, sd, len, mode, sf);
}

// val / pSrc[n] with the 16-bit fraction; a zero constant writes zeros.
VekStatus divcrev_16u(const Vek16u* s, Vek16u val, Vek16u* d, int len) {
    VEKS_CHECK(check_ptrs_len(len, s, d));
    const Index n = len;
    if (val == 0) {
        bool zero_met = false; // scanned before writing: d may overlap s
        for (Index i = 0; i < n; ++i) zero_met |= load_elem(s, i) == 0;
        zero_fill(d, n);
        return zero_met ? vekStsDivByZero : vekStsOk;
    }
    return divide_each(s, Scalar<Vek16u>{val}, d, n,
                       [](Vek16u y, Vek16u x) { return round_fraction_16u((std::uint64_t(y) << 16) / x); },
                       integer_zero_divisor_value<Vek16u, Vek16u>);
}

} // namespace
} // namespace veks::arith

using namespace veks;
using namespace veks::arith;

#define DIV_SFS(name, Rule, D, A, B) \
    VEKS_API VekStatus name(const A* pSrc1, const B* pSrc2, D* pDst, int len, int scaleFactor) { return div_vv<Rule>(pSrc1, pSrc2, pDst, len, scaleFactor); }
#define DIV_ISFS(name, Rule, T) \
    VEKS_API VekStatus name(const T* pSrc, T* pSrcDst, int len, int scaleFactor) { return div_vv_i<Rule>(pSrc, pSrcDst, len, scaleFactor); }
#define DIVC_SFS(name, Rule, T) \
    VEKS_API VekStatus name(const T* pSrc, T val, T* pDst, int len, int scaleFactor) { return divc<Rule>(pSrc, val, pDst, len, scaleFactor); }
#define DIVC_ISFS(name, Rule, T) \
    VEKS_API VekStatus name(T val, T* pSrcDst, int len, int scaleFactor) { return divc_i<Rule>(val, pSrcDst, len, scaleFactor); }
#define DIV_ROUND_SFS(name, T) \
    VEKS_API VekStatus name(const T* pSrc1, const T* pSrc2, T* pDst, int len, int rndMode, int scaleFactor) { return div_round(pSrc1, pSrc2, pDst, len, rndMode, scaleFactor); }
#define DIV_ROUND_ISFS(name, T) \
    VEKS_API VekStatus name(const T* pSrc, T* pSrcDst, int len, int rndMode, int scaleFactor) { return div_round_i(pSrc, pSrcDst, len, rndMode, scaleFactor); }

// ---- Div: pSrc2 / pSrc1 ---------------------------------------------------------------
DIV_SFS (veksDiv_8u_Sfs,      Div8u,   Vek8u, Vek8u, Vek8u)
DIV_ISFS(veksDiv_8u_ISfs,     Div8u,   Vek8u)
DIV_SFS (veksDiv_16u_Sfs,     Div16u,  Vek16u, Vek16u, Vek16u)
DIV_ISFS(veksDiv_16u_ISfs,    Div16u,  Vek16u)
DIV_SFS (veksDiv_16s_Sfs,     Div16s,  Vek16s, Vek16s, Vek16s)
DIV_ISFS(veksDiv_16s_ISfs,    Div16s,  Vek16s)
DIV_SFS (veksDiv_32s_Sfs,     Div32s,  Vek32s, Vek32s, Vek32s)
DIV_ISFS(veksDiv_32s_ISfs,    Div32s,  Vek32s)
DIV_SFS (veksDiv_16sc_Sfs,    Div16sc, Vek16sc, Vek16sc, Vek16sc)
DIV_ISFS(veksDiv_16sc_ISfs,   Div16sc, Vek16sc)
DIV_SFS (veksDiv_32s16s_Sfs,  Div32s,  Vek16s, Vek16s, Vek32s)

// ---- Div_Round ------------------------------------------------------------------------
DIV_ROUND_SFS (veksDiv_Round_8u_Sfs,   Vek8u)
DIV_ROUND_ISFS(veksDiv_Round_8u_ISfs,  Vek8u)
DIV_ROUND_SFS (veksDiv_Round_16u_Sfs,  Vek16u)
DIV_ROUND_ISFS(veksDiv_Round_16u_ISfs, Vek16u)
DIV_ROUND_SFS (veksDiv_Round_16s_Sfs,  Vek16s)
DIV_ROUND_ISFS(veksDiv_Round_16s_ISfs, Vek16s)

// ---- DivC: pSrc / val -----------------------------------------------------------------
DIVC_SFS (veksDivC_8u_Sfs,    Div8u,   Vek8u)
DIVC_ISFS(veksDivC_8u_ISfs,   Div8u,   Vek8u)
DIVC_SFS (veksDivC_16u_Sfs,   Div16u,  Vek16u)
DIVC_ISFS(veksDivC_16u_ISfs,  Div16u,  Vek16u)
DIVC_SFS (veksDivC_16s_Sfs,   Div16s,  Vek16s)
DIVC_ISFS(veksDivC_16s_ISfs,  Div16s,  Vek16s)
DIVC_SFS (veksDivC_16sc_Sfs,  Div16sc, Vek16sc)
DIVC_ISFS(veksDivC_16sc_ISfs, Div16sc, Vek16sc)

// ---- DivCRev: val / pSrc --------------------------------------------------------------
VEKS_API VekStatus veksDivCRev_16u(const Vek16u* pSrc, Vek16u val, Vek16u* pDst, int len) { return divcrev_16u(pSrc, val, pDst, len); }
VEKS_API VekStatus veksDivCRev_16u_I(Vek16u val, Vek16u* pSrcDst, int len) { return divcrev_16u(pSrcDst, val, pSrcDst, len); }
