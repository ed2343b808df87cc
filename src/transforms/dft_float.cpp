// Float and double DFT specs: creation by length, and the complex, split
// and real transforms of every length.
#include <cmath>
#include <cstring>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

#include "core/checks.h"
#include "core/export.h"
#include "transforms/dft_fft.h"
#include "transforms/dft_kernels.h"
#include "transforms/dft_plan.h"
#include "transforms/fft_spec.h"

namespace veks::dft {
namespace {

using fft::WorkArea;

bool is_real(std::uint32_t id) { return id == kIdR32f || id == kIdR64f; }
bool is_split(std::uint32_t id) { return id == kIdC32f || id == kIdC64f; }
bool is_pow2(int n) { return (n & (n - 1)) == 0; }
int log2_of(int n) { int m = 0; while ((1 << m) < n) ++m; return m; }

// 1/sqrt(n) in single precision: the reciprocal-square-root estimate
// refined by one Newton step.
float rsqrt_refined(int n) {
    const float x = static_cast<float>(n);
#if defined(__SSE__)
    const float r = _mm_cvtss_f32(_mm_rsqrt_ss(_mm_set_ss(x)));
#else
    const float r = 1.0f / std::sqrt(x);
#endif
    return r * (x * r * r - 3.0f) * -0.5f;
}

template <class T>
void set_scaling(FloatDftSpec<T>* s, int n, int flag) {
    s->fwd_scaled = flag == vekFftNormFwd || flag == vekFftNormSqrt;
    s->inv_scaled = flag == vekFftNormInv || flag == vekFftNormSqrt;
    if (flag == vekFftNormFwd || flag == vekFftNormInv)
        s->factor = T(1) / static_cast<T>(static_cast<float>(n));
    else if (flag == vekFftNormSqrt)
        s->factor = sizeof(T) == 4 ? static_cast<T>(rsqrt_refined(n)) : static_cast<T>(1.0 / std::sqrt(static_cast<double>(n)));
}

template <class T>
VekStatus build_pow2(FloatDftSpec<T>* s, int flag, int hint) {
    using F = FftOf<T>;
    const int order = log2_of(s->n);
    int buf = 0;
    s->pow2 = 1;
    if (is_real(s->id)) {
        VEKS_CHECK(F::alloc_r(&s->fft, order, flag, hint));
        VEKS_CHECK(F::buf_r(s->fft, &buf));
    } else if (is_split(s->id)) {
        VEKS_CHECK(F::alloc_split(&s->fft, order, flag, hint));
        VEKS_CHECK(F::buf_split(s->fft, &buf));
    } else {
        VEKS_CHECK(F::alloc_c(&s->fft, order, flag, hint));
        VEKS_CHECK(F::buf_c(s->fft, &buf));
    }
    s->work_bytes = static_cast<std::uint32_t>(buf);
    return vekStsOk;
}

// Work area of the own engines: the plan's scratch behind a staging area
// of `stage` complex values (split data interleaved, real data as complex).
template <class T> std::uint32_t stage_bytes(std::int64_t values) { return work_slot(2 * sizeof(T) * std::uint64_t(values)); }

template <class T>
VekStatus build_engines(FloatDftSpec<T>* s) {
    const int n = s->n;
    T* base = base_table<T>(n);
    if (!base) return vekStsNoMemory;
    VekStatus st = vekStsOk;
    std::int64_t stage = 0;
    if (is_real(s->id) && n % 2 == 0) {
        st = build_plan(s->plan, n / 2, kDirectLimit, base, 2);
        stage = n / 2;
        if (st == vekStsOk) {
            if ((s->recomb = static_cast<T*>(static_cast<void*>(veksMalloc_8u(static_cast<int>(n / 2 * 2 * sizeof(T)))))))
                std::memcpy(s->recomb, base, n / 2 * 2 * sizeof(T));
            else st = vekStsNoMemory;
        }
    } else if (is_real(s->id)) {
        st = build_plan(s->plan, n, kDirectLimitRealOdd, base, 1);
        stage = n;
    } else {
        st = build_plan(s->plan, n, kDirectLimit, base, 1);
        if (is_split(s->id)) stage = n;
    }
    veksFree(base);
    const std::uint64_t need = stage_bytes<T>(stage) + std::uint64_t(s->plan.work);
    if (need > 0x7fffffffu - 64) return vekStsNoMemory;
    s->work_bytes = need ? static_cast<std::uint32_t>(need + 32) : 0;
    return st;
}

// Bytes a call needs from its work area (the stored size less the slack).
template <class T> std::uint32_t need_of(const FloatDftSpec<T>* s) { return s->work_bytes ? s->work_bytes - 32 : 0; }

template <class T, bool Inv>
void scale(const FloatDftSpec<T>* s, T* x, idx values) {
    if (!(Inv ? s->inv_scaled : s->fwd_scaled)) return;
    for (idx i = 0; i < values; ++i) {
        T v;
        std::memcpy(&v, x + i, sizeof v);
        v *= s->factor;
        std::memcpy(x + i, &v, sizeof v);
    }
}

template <class T> const FloatDftSpec<T>* spec_of(const void* spec) { return static_cast<const FloatDftSpec<T>*>(spec); }

// ---- packed real spectra ----------------------------------------------------------

template <class T> inline T ldr(const T* p, idx i) { T v; std::memcpy(&v, p + i, sizeof v); return v; }
template <class T> inline void str(T* p, idx i, T v) { std::memcpy(p + i, &v, sizeof v); }

// Bins 0..n/2 of a real signal's spectrum into a layout; bin(k) gives them.
template <class T, class Bin>
void write_layout(T* dst, idx n, Layout l, Bin bin) {
    const idx bins = (n - 1) / 2; // complex bins 1..bins; even n adds bin n/2
    const Cx<T> b0 = bin(0);
    const bool even = n % 2 == 0;
    const T nyq = even ? bin(n / 2).re : T(0);
    const idx first = l == Layout::Pack || (l == Layout::Perm && !even) ? 1 : 2; // bin 1's real part
    for (idx k = 1; k <= bins; ++k) {
        const Cx<T> v = bin(k);
        str(dst, first + 2 * (k - 1), v.re);
        str(dst, first + 2 * (k - 1) + 1, v.im);
    }
    str(dst, 0, b0.re);
    if (l == Layout::Ccs) {
        str(dst, 1, T(0));
        if (even) { str(dst, n, nyq); str(dst, n + 1, T(0)); }
    } else if (even) {
        str(dst, l == Layout::Perm ? 1 : n - 1, nyq);
    }
}

// Bin k (0 <= k <= n/2) of a spectrum in a layout; the imaginary parts of
// bins 0 and n/2 are taken as zero.
template <class T>
Cx<T> read_bin(const T* src, idx n, Layout l, idx k) {
    const bool even = n % 2 == 0;
    if (k == 0) return {ldr(src, 0), T(0)};
    if (even && 2 * k == n) return {ldr(src, l == Layout::Perm ? 1 : l == Layout::Pack ? n - 1 : n), T(0)};
    const idx first = l == Layout::Pack || (l == Layout::Perm && !even) ? 1 : 2;
    return {ldr(src, first + 2 * (k - 1)), ldr(src, first + 2 * (k - 1) + 1)};
}

} // namespace

// ---- creation ------------------------------------------------------------------------

template <class T>
void destroy_float(FloatDftSpec<T>* s) {
    if (!s) return;
    free_plan(s->plan);
    if (s->fft) {
        if (is_real(s->id)) FftOf<T>::free_r(s->fft);
        else if (is_split(s->id)) FftOf<T>::free_split(s->fft);
        else FftOf<T>::free_c(s->fft);
    }
    veksFree(s->recomb);
    s->id = 0;
    veksFree(s);
}

template <class T>
VekStatus create_float(FloatDftSpec<T>** out, std::uint32_t id, int n, int flag, int hint) {
    if (!out) return vekStsNullPtr;
    if (n < 1) return vekStsBadLength;
    auto* s = reinterpret_cast<FloatDftSpec<T>*>(veksMalloc_8u(sizeof(FloatDftSpec<T>)));
    if (!s) return vekStsNoMemory;
    std::memset(s, 0, sizeof *s);
    s->id = id;
    s->n = n;
    s->hint = static_cast<std::uint32_t>(hint);
    if (!fft::valid_flag(flag)) {
        destroy_float(s);
        return vekStsBadFftFlag;
    }
    set_scaling(s, n, flag);
    VekStatus st = vekStsOk;
    if (n <= 4) s->plan.n = n, s->plan.mode = Mode::Small;
    else if (is_pow2(n)) st = build_pow2(s, flag, hint);
    else st = build_engines(s);
    if (st != vekStsOk) {
        destroy_float(s);
        return st;
    }
    *out = s;
    return vekStsOk;
}

// ---- transforms ------------------------------------------------------------------------

template <class T, bool Inv>
VekStatus complex_call(const void* spec, std::uint32_t id, const T* src, T* dst, Vek8u* buf) {
    if (!spec) return vekStsNullPtr;
    const auto* s = spec_of<T>(spec);
    if (s->id != id) return vekStsBadContext;
    VEKS_CHECK(check_ptrs(src, dst));
    if (s->pow2 && s->n > 4) return FftOf<T>::template c<Inv>(src, dst, s->fft, buf);
    if (!plan_uses_work(s->plan)) {
        run_plan<T, Inv>(s->plan, src, dst, nullptr);
        scale<T, Inv>(s, dst, 2 * idx(s->n));
        return vekStsOk;
    }
    const WorkArea work(buf, need_of(s));
    if (!work.ok()) return vekStsNoMemory;
    run_plan<T, Inv>(s->plan, src, dst, work.as<T>());
    scale<T, Inv>(s, dst, 2 * idx(s->n));
    return vekStsOk;
}

template <class T, bool Inv>
VekStatus split_call(const void* spec, const T* sr, const T* si, T* dr, T* di, Vek8u* buf) {
    constexpr std::uint32_t id = sizeof(T) == 4 ? kIdC32f : kIdC64f;
    if (!spec) return vekStsNullPtr;
    const auto* s = spec_of<T>(spec);
    if (s->id != id) return vekStsBadContext;
    VEKS_CHECK(check_ptrs(sr, si, dr, di));
    if (s->pow2 && s->n > 4) return FftOf<T>::template split<Inv>(sr, si, dr, di, s->fft, buf);
    const idx n = s->n;
    const WorkArea work(buf, need_of(s));
    if (!work.ok()) return vekStsNoMemory;
    T small[8];
    T* x = n <= 4 ? small : work.as<T>();
    for (idx i = 0; i < n; ++i) st(x, i, Cx<T>{ldr(sr, i), ldr(si, i)});
    run_plan<T, Inv>(s->plan, x, x, work.as<T>() + (n <= 4 ? 0 : stage_bytes<T>(n) / sizeof(T)));
    scale<T, Inv>(s, x, 2 * n);
    for (idx i = 0; i < n; ++i) {
        const Cx<T> v = ld(x, i);
        str(dr, i, v.re);
        str(di, i, v.im);
    }
    return vekStsOk;
}

template <class T, bool Inv>
VekStatus real_call(const void* spec, const T* src, T* dst, Layout l, Vek8u* buf) {
    constexpr std::uint32_t id = sizeof(T) == 4 ? kIdR32f : kIdR64f;
    if (!spec) return vekStsNullPtr;
    const auto* s = spec_of<T>(spec);
    if (s->id != id) return vekStsBadContext;
    VEKS_CHECK(check_ptrs(src, dst));
    const idx n = s->n;
    if (s->pow2 && n > 4) return FftOf<T>::template real<Inv>(src, dst, s->fft, static_cast<int>(l), buf);
    const WorkArea work(buf, need_of(s));
    if (!work.ok()) return vekStsNoMemory;
    T small[8];
    const bool even = n % 2 == 0 && n > 4;
    // Staging area: odd n and n <= 4 hold the n complex points; even n the
    // n/2 complex values of the half-length transform.
    T* z = n <= 4 ? small : work.as<T>();
    T* plan_work = work.as<T>() + (n <= 4 ? 0 : stage_bytes<T>(even ? n / 2 : n) / sizeof(T));
    const T f = (Inv ? s->inv_scaled : s->fwd_scaled) ? s->factor : T(1);
    if (!Inv) {
        if (even) {
            // z[j] = x[2j] + i x[2j+1]; X[k] = (Z_k + conj Z_(h-k))/2 - i/2 W^k (Z_k - conj Z_(h-k)).
            const idx h = n / 2;
            run_plan<T, false>(s->plan, src, z, plan_work);
            const T half = T(0.5) * f;
            write_layout(dst, n, l, [&](idx k) -> Cx<T> {
                const Cx<T> a = ld(z, k % h), b = ld(z, (h - k) % h);
                if (k == 0) return {(a.re + a.im) * f, T(0)};
                if (k == h) return {(a.re - a.im) * f, T(0)};
                const Cx<T> e{a.re + b.re, a.im - b.im}, d{a.re - b.re, a.im + b.im};
                const Cx<T> o = twiddle<false>(Cx<T>{d.im, -d.re}, ld(s->recomb, k));
                return {(e.re + o.re) * half, (e.im + o.im) * half};
            });
        } else {
            for (idx i = 0; i < n; ++i) st(z, i, Cx<T>{ldr(src, i), T(0)});
            run_plan<T, false>(s->plan, z, z, plan_work);
            write_layout(dst, n, l, [&](idx k) { const Cx<T> v = ld(z, k); return Cx<T>{v.re * f, v.im * f}; });
        }
        return vekStsOk;
    }
    if (even) {
        // Z'_k = (X_k + conj X_(h-k)) + i conj(W^k) (X_k - conj X_(h-k)) = 2 Z_k.
        const idx h = n / 2;
        for (idx k = 0; k < h; ++k) {
            const Cx<T> a = read_bin(src, n, l, k), b = read_bin(src, n, l, h - k);
            const Cx<T> e{a.re + b.re, a.im - b.im}, d{a.re - b.re, a.im + b.im};
            const Cx<T> o = twiddle<true>(d, ld(s->recomb, k));
            st(z, k, Cx<T>{e.re - o.im, e.im + o.re});
        }
        run_plan<T, true>(s->plan, z, dst, plan_work);
        if (f != T(1)) scale<T, true>(s, dst, n);
        return vekStsOk;
    }
    for (idx k = 0; 2 * k <= n; ++k) {
        const Cx<T> v = read_bin(src, n, l, k);
        st(z, k, v);
        if (k > 0) st(z, n - k, Cx<T>{v.re, -v.im});
    }
    run_plan<T, true>(s->plan, z, z, plan_work);
    for (idx i = 0; i < n; ++i) str(dst, i, ld(z, i).re * f);
    return vekStsOk;
}

#define VEKS_DFT_FLOAT_INSTANCES(T)                                                                          \
    template VekStatus create_float<T>(FloatDftSpec<T>**, std::uint32_t, int, int, int);                     \
    template void destroy_float<T>(FloatDftSpec<T>*);                                                        \
    template VekStatus complex_call<T, false>(const void*, std::uint32_t, const T*, T*, Vek8u*);             \
    template VekStatus complex_call<T, true>(const void*, std::uint32_t, const T*, T*, Vek8u*);              \
    template VekStatus split_call<T, false>(const void*, const T*, const T*, T*, T*, Vek8u*);                \
    template VekStatus split_call<T, true>(const void*, const T*, const T*, T*, T*, Vek8u*);                 \
    template VekStatus real_call<T, false>(const void*, const T*, T*, Layout, Vek8u*);                       \
    template VekStatus real_call<T, true>(const void*, const T*, T*, Layout, Vek8u*);
VEKS_DFT_FLOAT_INSTANCES(float)
VEKS_DFT_FLOAT_INSTANCES(double)

} // namespace veks::dft
