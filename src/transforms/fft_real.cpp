// Real forward and inverse FFTs in the Perm, Pack and CCS layouts: a
// complex transform of half the length plus a recombination pass.
#include <cstring>

#include "convert/convert_kernels.h"
#include "core/unaligned.h"
#include "core/checks.h"
#include "core/export.h"
#include "transforms/fft_engine.h"
#include "transforms/fft_fixed.h"
#include "transforms/fft_spec.h"

namespace veks::fft {
namespace {

enum class Layout { Perm, Pack, Ccs };

// Perm (in place at p, n values, CCS arrays hold n + 2) to another layout.
template <class T>
void perm_to_layout(T* p, idx n, Layout l) {
    if (l == Layout::Pack && n > 2) {
        const T r = load_elem(p, 1);
        std::memmove(p + 1, p + 2, static_cast<std::size_t>(n - 2) * sizeof(T));
        store_elem(p, n - 1, r);
    } else if (l == Layout::Ccs) {
        if (n >= 2) {
            store_elem(p, n, load_elem(p, 1));
            store_elem(p, n + 1, T(0));
        }
        store_elem(p, 1, T(0));
    }
}

// A layout into Perm order at dst (src may equal dst).
template <class S, class D>
void layout_to_perm(const S* src, D* dst, idx n, Layout l) {
    if (l == Layout::Perm || n == 1) {
        if (static_cast<const void*>(src) != static_cast<const void*>(dst))
            for (idx i = 0; i < n; ++i) store_elem(dst, i, static_cast<D>(load_elem(src, i)));
        return;
    }
    const S first = load_elem(src, 0), nyquist = l == Layout::Pack ? load_elem(src, n - 1) : load_elem(src, n);
    if (l == Layout::Pack) {
        for (idx i = n - 2; i >= 1; --i) store_elem(dst, i + 1, static_cast<D>(load_elem(src, i))); // values move one place up
    } else if (static_cast<const void*>(src) != static_cast<const void*>(dst)) {
        for (idx i = 2; i < n; ++i) store_elem(dst, i, static_cast<D>(load_elem(src, i)));
    }
    store_elem(dst, 0, static_cast<D>(first));
    store_elem(dst, 1, static_cast<D>(nyquist));
}

// ---- float engine ---------------------------------------------------------------

template <class T, bool Inv>
void real_small(int m, const T* src, T* dst, bool scaled, T f) {
#define VEKS_REAL_CASE(N)                                                                      \
    case N:                                                                                   \
        if (scaled) { if (Inv) real_inv##N##_scaled(src, dst, f); else real_fwd##N##_scaled(src, dst, f); } \
        else { if (Inv) real_inv##N(src, dst); else real_fwd##N(src, dst); }                  \
        break;
    switch (1 << m) {
        VEKS_REAL_CASE(1)
        VEKS_REAL_CASE(2)
        VEKS_REAL_CASE(4)
        VEKS_REAL_CASE(8)
    }
#undef VEKS_REAL_CASE
}

// Recombination of bins k and half - k for 1 <= k < half/2, several k at a
// time (bins half - k read and written in reversed lane order), then the
// remaining ones one by one. tab holds the (c_k, s_k) pairs.
template <class V, class Body>
void recombine_pairs(idx half, Body body) {
    idx k = 1;
    for (; k + V::lanes - 1 < half / 2; k += V::lanes) body(V{}, k);
    for (; 2 * k < half; ++k) body(Scalar<typename V::elem>{}, k);
}

template <class V, class T>
void recombine_forward(T* dst, idx half, const T* tab) {
    recombine_pairs<V>(half, [&](auto tag, idx k) {
        using W = decltype(tag);
        W ur, ui, vr, vi, c, s;
        W::load_ci(dst + 2 * k, ur, ui);
        W::load_ci(dst + 2 * (half - k - W::lanes + 1), vr, vi);
        vr = vr.reversed();
        vi = vi.reversed();
        W::load_ci(tab + 2 * k, c, s);
        const W dr = ur - vr, si = ui + vi;
        const W p = s * dr + c * si, q = s * si - c * dr;
        W::store_ci(dst + 2 * k, vr + p, q - vi);
        W::store_ci(dst + 2 * (half - k - W::lanes + 1), (ur - p).reversed(), (q - ui).reversed());
    });
}

template <class V, class T>
void recombine_inverse(const T* src, T* dst, idx half, const T* tab, T r0, T rn) {
    store_elem(dst, 0, r0 + rn);
    store_elem(dst, 1, r0 - rn);
    recombine_pairs<V>(half, [&](auto tag, idx k) {
        using W = decltype(tag);
        W ur, ui, vr, vi, c, s;
        W::load_ci(src + 2 * k, ur, ui);
        W::load_ci(src + 2 * (half - k - W::lanes + 1), vr, vi);
        vr = vr.reversed();
        vi = vi.reversed();
        W::load_ci(tab + 2 * k, c, s);
        const W dr = ur - vr, si = ui + vi, sr = ur + vr, di = ui - vi;
        const W p = s * dr - c * si, q = c * dr + s * si;
        W::store_ci(dst + 2 * k, sr + p, di + q);
        W::store_ci(dst + 2 * (half - k - W::lanes + 1), (sr - p).reversed(), (q - di).reversed());
    });
}

// Forward: Perm into dst (n values, n + 2 in the CCS layout), then the layout.
template <class T>
void real_forward(const FloatSpecHeader<T>* h, const T* src, T* dst, T* work, Layout l) {
    const int m = h->order;
    const idx n = idx(1) << m;
    if (m <= 3) {
        real_small<T, false>(m, src, dst, h->fwd_scaled, h->factor);
    } else {
        Engine<T, false>::template transform<false>(h, m - 1, h->fwd_scaled, src, nullptr, dst, nullptr, work);
        const idx half = n / 2;
        const T a = load_elem(dst, 0), b = load_elem(dst, 1);
        store_elem(dst, 0, a + b);
        store_elem(dst, 1, a - b);
        recombine_forward<Wide<T>>(dst, half, at_offset<const T>(h, h->recomb_fwd));
        store_elem(dst, half + 1, -load_elem(dst, half + 1));
    }
    perm_to_layout(dst, n, l);
}

// Inverse: src in a layout, dst gets the n signal values.
template <class T>
void real_inverse(const FloatSpecHeader<T>* h, const T* src, T* dst, T* work, Layout l) {
    const int m = h->order;
    const idx n = idx(1) << m;
    if (m <= 3) {
        T perm[8];
        layout_to_perm(src, perm, n, l);
        real_small<T, true>(m, perm, dst, h->inv_scaled, h->factor);
        return;
    }
    // Perm and CCS keep bins 1.. at the same places; Pack is rebuilt first.
    const T r0 = load_elem(src, 0), rn = l == Layout::Perm ? load_elem(src, 1) : l == Layout::Ccs ? load_elem(src, n) : load_elem(src, n - 1);
    if (l == Layout::Pack) {
        layout_to_perm(src, dst, n, l);
        src = dst;
    }
    const idx half = n / 2;
    // In-core sizes recombine into a stack copy so that the permutation can
    // run out of place (fused with the first pass); larger ones in place.
    constexpr int kStackOrder = incore_limit(sizeof(T) == 8);
    alignas(32) T stack[2 << kStackOrder];
    T* z = m - 1 <= kStackOrder ? stack : dst;
    recombine_inverse<Wide<T>>(src, z, half, at_offset<const T>(h, h->recomb_inv), r0, rn);
    const T mr = load_elem(src, half), mi = load_elem(src, half + 1);
    store_elem(z, half, T(2) * mr);
    store_elem(z, half + 1, T(-2) * mi);
    Engine<T, false>::template transform<true>(h, m - 1, h->inv_scaled, z, nullptr, dst, nullptr, work);
}

template <class T, bool Inv, Layout L, std::uint32_t Id>
VekStatus float_real(const void* spec, const T* src, T* dst, Vek8u* buf) {
    if (!spec) return vekStsNullPtr;
    const auto* h = static_cast<const FloatSpecHeader<T>*>(spec);
    if (h->id != Id) return vekStsBadContext;
    VEKS_CHECK(check_ptrs(src, dst));
    const WorkArea work(buf, h->work_bytes);
    if (!work.ok()) return vekStsNoMemory;
    if (Inv) real_inverse(h, src, dst, work.as<T>(), L);
    else real_forward(h, src, dst, work.as<T>(), L);
    return vekStsOk;
}

// ---- integer data through a float spec ------------------------------------------------

// Converts src (layout L when Inv) into Perm floats at x, transforms in
// place, converts back into dst (layout L when forward).
template <class S, class D, class F, bool Inv>
void int_via_float(const FloatSpecHeader<F>* inner, const S* src, D* dst, F* x, F* inner_work, Layout l, int sf) {
    const idx n = idx(1) << inner->order;
    const auto out = [&](const F* from, D* to, idx count) {
        conv::float_to_int_sfs<D, vekRoundHalfEven>(from, to, static_cast<std::size_t>(count), sf);
    };
    if (Inv) {
        layout_to_perm(src, x, n, l);
        real_inverse(inner, x, x, inner_work, Layout::Perm);
        out(x, dst, n);
        return;
    }
    conv::int_to_float(src, x, static_cast<std::size_t>(n));
    real_forward(inner, x, x, inner_work, Layout::Perm);
    if (l == Layout::Perm || n == 1) {
        out(x, dst, n);
        if (l == Layout::Ccs) store_elem(dst, 1, 0);
        return;
    }
    out(x, dst, 1);
    if (l == Layout::Pack) {
        out(x + 2, dst + 1, n - 2);
        out(x + 1, dst + n - 1, 1);
    } else {
        out(x + 2, dst + 2, n - 2);
        out(x + 1, dst + n, 1);
        store_elem(dst, 1, 0);
        store_elem(dst, n + 1, 0);
    }
}

// ---- 16-bit fixed point -------------------------------------------------------------

// Q14 product rounded to nearest (half up), in 64 bits.
inline std::int64_t q14(std::int64_t v, std::int64_t w) { return (v * w + 8192) >> 14; }

// Fraction bits of the real fixed-point engine: one fewer than the complex
// forms give, as the recombination doubles the values.
inline int real_pre_shift(int m) { return 14 - m; }

void fixed_real_forward(const ShortSpecHeader* h, const Vek16s* src, Vek16s* dst, std::int32_t* x, Layout l, int sf) {
    const int m = h->order;
    const idx n = idx(1) << m, half = n / 2;
    const int s0 = real_pre_shift(m);
    for (idx i = 0; i < n; ++i) x[i] = static_cast<std::int32_t>(load_elem(src, i)) * (1 << s0);
    fixed_transform(h, x, false, m - 1);
    const int s = h->fwd_shift + cap_scale(sf) + s0 + 1; // the recombination gives 2 X
    Vek16s* out = dst;
    store_elem(out, 0, narrow_q(2 * (std::int64_t(x[0]) + x[1]), s));
    store_elem(out, 1, narrow_q(2 * (std::int64_t(x[0]) - x[1]), s));
    const short* tab = at_offset<const short>(h, h->recomb);
    for (idx k = 1; 2 * k < half; ++k) {
        const std::int64_t ur = x[2 * k], ui = x[2 * k + 1], vr = x[2 * (half - k)], vi = x[2 * (half - k) + 1];
        const std::int64_t c = tab[2 * k], sn = tab[2 * k + 1];
        const std::int64_t dr = ur - vr, si = ui + vi;
        const std::int64_t tr = q14(si, c) - q14(dr, sn), ti = -q14(dr, c) - q14(si, sn);
        store_elem(out, 2 * k, narrow_q(ur + vr + tr, s));
        store_elem(out, 2 * k + 1, narrow_q(ui - vi + ti, s));
        store_elem(out, 2 * (half - k), narrow_q(ur + vr - tr, s));
        store_elem(out, 2 * (half - k) + 1, narrow_q(ti - ui + vi, s));
    }
    if (half >= 2) {
        store_elem(out, half, narrow_q(2 * std::int64_t(x[half]), s));
        store_elem(out, half + 1, narrow_q(-2 * std::int64_t(x[half + 1]), s));
    }
    perm_to_layout(dst, n, l);
}

void fixed_real_inverse(const ShortSpecHeader* h, const Vek16s* src, Vek16s* dst, std::int32_t* x, Layout l, int sf) {
    const int m = h->order;
    const idx n = idx(1) << m, half = n / 2;
    const int s0 = real_pre_shift(m);
    layout_to_perm(src, x, n, l);
    for (idx i = 0; i < n; ++i) x[i] *= (1 << s0);
    const std::int32_t r0 = x[0], rn = x[1];
    x[0] = r0 + rn;
    x[1] = r0 - rn;
    const short* tab = at_offset<const short>(h, h->recomb);
    for (idx k = 1; 2 * k < half; ++k) {
        const std::int64_t ur = x[2 * k], ui = x[2 * k + 1], vr = x[2 * (half - k)], vi = x[2 * (half - k) + 1];
        const std::int64_t c = tab[2 * k], sn = tab[2 * k + 1];
        const std::int64_t dr = ur - vr, si = ui + vi, sr = ur + vr, di = ui - vi;
        const std::int64_t p = -q14(dr, sn) - q14(si, c), q = q14(dr, c) - q14(si, sn);
        x[2 * k] = static_cast<std::int32_t>(sr + p);
        x[2 * k + 1] = static_cast<std::int32_t>(di + q);
        x[2 * (half - k)] = static_cast<std::int32_t>(sr - p);
        x[2 * (half - k) + 1] = static_cast<std::int32_t>(q - di);
    }
    if (half >= 2) {
        x[half] *= 2;
        x[half + 1] *= -2;
    }
    fixed_transform(h, x, true, m - 1);
    const int s = h->inv_shift + cap_scale(sf) + s0;
    for (idx i = 0; i < n; ++i) store_elem(dst, i, narrow_q(x[i], s));
}

template <bool Inv, Layout L>
VekStatus short_real(const void* spec, const Vek16s* src, Vek16s* dst, int sf, Vek8u* buf) {
    if (!spec) return vekStsNullPtr;
    const auto* h = static_cast<const ShortSpecHeader*>(spec);
    if (h->id != kIdR16s) return vekStsBadContext;
    VEKS_CHECK(check_ptrs(src, dst));
    if (h->order == 0) {
        store_elem(dst, 0, narrow_q(load_elem(src, 0), sf));
        if (!Inv && L == Layout::Ccs) store_elem(dst, 1, 0);
        return vekStsOk;
    }
    const WorkArea work(buf, h->work_bytes);
    if (!work.ok()) return vekStsNoMemory;
    if (!h->float_engine) {
        if (Inv) fixed_real_inverse(h, src, dst, work.as<std::int32_t>(), L, sf);
        else fixed_real_forward(h, src, dst, work.as<std::int32_t>(), L, sf);
        return vekStsOk;
    }
    const auto* inner = at_offset<const FloatSpecHeader<float>>(h, h->inner);
    const idx n = idx(1) << h->order;
    int_via_float<Vek16s, Vek16s, float, Inv>(inner, src, dst, work.as<float>(), work.as<float>() + 2 * n, L, sf);
    return vekStsOk;
}

template <class S, class D, class F, bool Inv, Layout L, std::uint32_t Id>
VekStatus int_real(const void* spec, const S* src, D* dst, int sf, Vek8u* buf) {
    if (!spec) return vekStsNullPtr;
    const auto* h = static_cast<const IntSpecHeader*>(spec);
    if (h->id != Id) return vekStsBadContext;
    VEKS_CHECK(check_ptrs(src, dst));
    const WorkArea work(buf, h->work_bytes);
    if (!work.ok()) return vekStsNoMemory;
    const auto* inner = at_offset<const FloatSpecHeader<F>>(h, h->inner);
    const idx n = idx(1) << h->order;
    F* x = work.as<F>();
    int_via_float<S, D, F, Inv>(inner, src, dst, x, x + n, L, sf);
    return vekStsOk;
}

} // namespace
} // namespace veks::fft

using namespace veks::fft;

// One row per element type: the six real transforms and their in-place twins.
#define VEKS_REAL_FLOAT_ONE(FW, LAY, T, L, INV)                                                                 \
    VEKS_API VekStatus veksFFT##FW##_##LAY##_##T(const Vek##T* pSrc, Vek##T* pDst, const VeksFFTSpec_R_##T* pFFTSpec, Vek8u* pBuffer) { \
        return float_real<Vek##T, INV, Layout::L, kIdR##T>(pFFTSpec, pSrc, pDst, pBuffer); }                    \
    VEKS_API VekStatus veksFFT##FW##_##LAY##_##T##_I(Vek##T* pSrcDst, const VeksFFTSpec_R_##T* pFFTSpec, Vek8u* pBuffer) { \
        return float_real<Vek##T, INV, Layout::L, kIdR##T>(pFFTSpec, pSrcDst, pSrcDst, pBuffer); }
#define VEKS_REAL_FLOAT(T)                                                                                    \
    VEKS_REAL_FLOAT_ONE(Fwd, RToPerm, T, Perm, false) VEKS_REAL_FLOAT_ONE(Fwd, RToPack, T, Pack, false)        \
    VEKS_REAL_FLOAT_ONE(Fwd, RToCCS, T, Ccs, false) VEKS_REAL_FLOAT_ONE(Inv, PermToR, T, Perm, true)           \
    VEKS_REAL_FLOAT_ONE(Inv, PackToR, T, Pack, true) VEKS_REAL_FLOAT_ONE(Inv, CCSToR, T, Ccs, true)

#define VEKS_REAL_INT_ONE(FW, LAY, T, L, INV, CALL)                                                            \
    VEKS_API VekStatus veksFFT##FW##_##LAY##_##T##_Sfs(const Vek##T* pSrc, Vek##T* pDst, const VeksFFTSpec_R_##T* pFFTSpec, int scaleFactor, Vek8u* pBuffer) { \
        return CALL(INV, Layout::L)(pFFTSpec, pSrc, pDst, scaleFactor, pBuffer); }                              \
    VEKS_API VekStatus veksFFT##FW##_##LAY##_##T##_ISfs(Vek##T* pSrcDst, const VeksFFTSpec_R_##T* pFFTSpec, int scaleFactor, Vek8u* pBuffer) { \
        return CALL(INV, Layout::L)(pFFTSpec, pSrcDst, pSrcDst, scaleFactor, pBuffer); }
#define VEKS_REAL_INT(T, CALL)                                                                                \
    VEKS_REAL_INT_ONE(Fwd, RToPerm, T, Perm, false, CALL) VEKS_REAL_INT_ONE(Fwd, RToPack, T, Pack, false, CALL) \
    VEKS_REAL_INT_ONE(Fwd, RToCCS, T, Ccs, false, CALL) VEKS_REAL_INT_ONE(Inv, PermToR, T, Perm, true, CALL)    \
    VEKS_REAL_INT_ONE(Inv, PackToR, T, Pack, true, CALL) VEKS_REAL_INT_ONE(Inv, CCSToR, T, Ccs, true, CALL)

#define VEKS_CALL_16S(INV, L) short_real<INV, L>
#define VEKS_CALL_32S(INV, L) int_real<Vek32s, Vek32s, double, INV, L, kIdR32s>

VEKS_REAL_FLOAT(32f)
VEKS_REAL_FLOAT(64f)
VEKS_REAL_INT(16s, VEKS_CALL_16S)
VEKS_REAL_INT(32s, VEKS_CALL_32S)

VEKS_API VekStatus veksFFTFwd_RToCCS_16s32s_Sfs(const Vek16s* pSrc, Vek32s* pDst, const VeksFFTSpec_R_16s32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer) {
    return int_real<Vek16s, Vek32s, float, false, Layout::Ccs, kIdR16s32s>(pFFTSpec, pSrc, pDst, scaleFactor, pBuffer);
}
VEKS_API VekStatus veksFFTInv_CCSToR_32s16s_Sfs(const Vek32s* pSrc, Vek16s* pDst, const VeksFFTSpec_R_16s32s* pFFTSpec, int scaleFactor, Vek8u* pBuffer) {
    return int_real<Vek32s, Vek16s, float, true, Layout::Ccs, kIdR16s32s>(pFFTSpec, pSrc, pDst, scaleFactor, pBuffer);
}
