// Cross-correlation over a window of lags and autocorrelation with its
// normalisations, by direct sums or by transforms as the sizes decide.
#include <algorithm>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "filters/conv_fft.h"
#include "filters/corr_terms.h"

namespace veks::filt {
namespace {

// Transforms pay off above these products of window length and operand ratio.
constexpr float kCrossFftAboveReal = 383.0f;
constexpr float kCrossFftAboveComplex = 255.0f;
// Autocorrelations with at least this many outputs use a transform.
constexpr int kAutoFftFromReal = 600;
constexpr int kAutoFftFromComplex = 96;

enum class Norm { None, A, B };

template <class T> constexpr bool is_cplx = corr_traits<T>::is_complex;

// The lags that overlap both operands, after the outputs of the others are
// zeroed: outputs skip .. skip + n - 1 belong to lags lo .. lo + n - 1.
struct LagWindow {
    int skip = 0;
    int n = 0;
    long long lo = 0;
};

template <class T>
LagWindow clip_lags(T* dst, int dlen, int la, int lb, long long lo) {
    LagWindow w;
    const long long before = std::min<long long>(1 - la - lo, dlen);
    if (before > 0) {
        std::memset(dst, 0, sizeof(T) * before);
        w.skip = static_cast<int>(before);
        lo += before;
    }
    long long n = dlen - w.skip;
    if (n == 0) return w;
    const long long keep = std::max<long long>(lb - lo, 0);
    if (keep < n) {
        std::memset(dst + w.skip + keep, 0, sizeof(T) * (n - keep));
        n = keep;
    }
    w.n = static_cast<int>(n);
    w.lo = lo;
    return w;
}

// The parts of the operands that some lag of the window uses: a[ia .. ia+na),
// b[jb .. jb+nb); lag lo + k of the originals is lag d + k of the parts.
struct Parts {
    int ia, na, jb, nb;
    long long d;
};

inline Parts parts_for(int la, int lb, long long lo, int n) {
    const long long ia0 = std::max<long long>(0, -(lo + n - 1));
    const long long ia1 = std::min<long long>(la, lb - lo);
    const long long jb0 = std::max<long long>(0, ia0 + lo);
    const long long jb1 = std::min<long long>(lb, ia1 + lo + n - 1);
    return {int(ia0), int(ia1 - ia0), int(jb0), int(jb1 - jb0), lo + ia0 - jb0};
}

template <class T>
bool cross_uses_fft(int n, int la, int lb) {
    const float ratio_n = static_cast<float>(n) * static_cast<float>(std::min(la, lb)) / static_cast<float>(std::max(la, lb));
    return static_cast<long long>(ratio_n) > (is_cplx<T> ? kCrossFftAboveComplex : kCrossFftAboveReal);
}

template <class F>
void zero_pad(F* x, std::size_t from, std::size_t to) {
    std::memset(x + from, 0, sizeof(F) * (to - from));
}

// Lags d .. d + n - 1 of the parts x (nx) and y (ny), both aligned, by one
// transform of length N >= nx + ny - 1 (no lag wraps onto another).
template <class F>
VekStatus cross_fft(const F* x, int nx, const F* y, int ny, long long d, int n, F* out) {
    using Api = RealFft<F>;
    const int order = order_at_least(static_cast<long long>(nx) + ny - 1, 2);
    const std::size_t len = std::size_t(1) << order;
    Scratch<F> mem(2 * len);
    if (mem.empty()) return vekStsNoMemory;
    CallFft<Api> fft(order);
    if (!fft.ok()) return fft.status();
    F* u = mem.get();
    F* v = u + len;
    std::memcpy(u, x, sizeof(F) * nx);
    zero_pad(u, nx, len);
    std::memcpy(v, y, sizeof(F) * ny);
    zero_pad(v, ny, len);
    VekStatus st = Api::fwd_pack(u, fft.spec(), fft.buffer(0));
    if (st == vekStsOk) st = Api::fwd_pack(v, fft.spec(), fft.buffer(0));
    if (st == vekStsOk) st = Api::mul_pack_conj(v, u, int(len)); // u = V * conj(U)
    if (st == vekStsOk) st = Api::inv_pack(u, fft.spec(), fft.buffer(0));
    if (st != vekStsOk) return st;
    // Circular lag r sits at r mod N.
    for (int k = 0; k < n; ++k) {
        const long long r = d + k;
        out[k] = u[r < 0 ? r + static_cast<long long>(len) : r];
    }
    return vekStsOk;
}

// Complex data: the conjugated, reversed first part convolved with the
// second; lag r sits at r + nx - 1 of the convolution.
template <class C>
VekStatus cross_fft_cplx(const C* x, int nx, const C* y, int ny, long long d, int n, C* out) {
    using Api = CplxFft<C>;
    const int order = order_at_least(static_cast<long long>(nx) + ny - 1, 2);
    const std::size_t len = std::size_t(1) << order;
    Scratch<C> mem(2 * len);
    if (mem.empty()) return vekStsNoMemory;
    CallFft<Api> fft(order);
    if (!fft.ok()) return fft.status();
    C* u = mem.get();
    C* v = u + len;
    std::memcpy(u, x, sizeof(C) * nx);
    Api::flip(u, nx);
    Api::conj(u, nx);
    zero_pad(u, nx, len);
    std::memcpy(v, y, sizeof(C) * ny);
    zero_pad(v, ny, len);
    VekStatus st = Api::fwd(u, fft.spec(), fft.buffer(0));
    if (st == vekStsOk) st = Api::fwd(v, fft.spec(), fft.buffer(0));
    if (st == vekStsOk) st = Api::mul(v, u, int(len));
    if (st == vekStsOk) st = Api::inv(u, fft.spec(), fft.buffer(0));
    if (st != vekStsOk) return st;
    for (int k = 0; k < n; ++k) out[k] = u[d + k + nx - 1];
    return vekStsOk;
}

// Lags lo .. lo + n - 1 (all overlapping) into out (any address).
template <class T>
VekStatus cross_window(const T* a, int la, const T* b, int lb, long long lo, int n, bool fft, T* out) {
    const Parts p = parts_for(la, lb, lo, n);
    Scratch<T> mem(static_cast<std::size_t>(p.na) + p.nb + n);
    if (mem.empty()) return vekStsNoMemory;
    T* x = mem.get();
    T* y = x + p.na;
    T* r = y + p.nb;
    std::memcpy(x, a + p.ia, sizeof(T) * p.na);
    std::memcpy(y, b + p.jb, sizeof(T) * p.nb);
    if (fft) {
        if constexpr (is_cplx<T>) VEKS_CHECK(cross_fft_cplx(x, p.na, y, p.nb, p.d, n, r));
        else VEKS_CHECK(cross_fft(x, p.na, y, p.nb, p.d, n, r));
    } else {
        corr_direct(x, p.na, y, p.nb, p.d, n, r);
    }
    std::memcpy(out, r, sizeof(T) * n);
    return vekStsOk;
}

VekStatus check_cross(const void* a, int la, const void* b, int lb, const void* dst, int dlen) {
    VEKS_CHECK(check_ptrs(a, b, dst));
    if (la < 1 || lb < 1 || dlen < 1) return vekStsBadLength;
    return vekStsOk;
}

template <class T>
VekStatus cross_corr(const T* a, int la, const T* b, int lb, T* dst, int dlen, int low_lag) {
    VEKS_CHECK(check_cross(a, la, b, lb, dst, dlen));
    const LagWindow w = clip_lags(dst, dlen, la, lb, low_lag);
    if (w.n == 0) return vekStsOk;
    return cross_window(a, la, b, lb, w.lo, w.n, cross_uses_fft<T>(w.n, la, lb), dst + w.skip);
}

// 16-bit data: exact integer sums (or a single-precision transform where
// the size rule asks for one), scaled by 2^-sf, rounded to nearest (ties
// to even) and saturated.
VekStatus cross_corr_16s(const Vek16s* a, int la, const Vek16s* b, int lb, Vek16s* dst, int dlen, int low_lag, int sf) {
    VEKS_CHECK(check_cross(a, la, b, lb, dst, dlen));
    const LagWindow w = clip_lags(dst, dlen, la, lb, low_lag);
    if (w.n == 0) return vekStsOk;
    const Parts p = parts_for(la, lb, w.lo, w.n);
    if (cross_uses_fft<Vek16s>(w.n, la, lb)) {
        Scratch<Vek32f> mem(static_cast<std::size_t>(p.na) + p.nb + w.n);
        if (mem.empty()) return vekStsNoMemory;
        Vek32f* x = mem.get();
        Vek32f* y = x + p.na;
        Vek32f* r = y + p.nb;
        veksConvert_16s32f(a + p.ia, x, p.na);
        veksConvert_16s32f(b + p.jb, y, p.nb);
        VEKS_CHECK(cross_fft(x, p.na, y, p.nb, p.d, w.n, r));
        return veksConvert_32f16s_Sfs(r, dst + w.skip, w.n, vekRoundHalfEven, sf);
    }
    Scratch<std::int64_t> sums(w.n);
    Scratch<Vek64f> exact(w.n);
    if (sums.empty() || exact.empty()) return vekStsNoMemory;
    corr_direct(a + p.ia, p.na, b + p.jb, p.nb, p.d, w.n, sums.get());
    for (int k = 0; k < w.n; ++k) exact[k] = static_cast<Vek64f>(sums[k]);
    return veksConvert_64f16s_Sfs(exact.get(), dst + w.skip, w.n, vekRoundHalfEven, sf);
}

// The 64-bit result is exact, so this form always sums directly.
VekStatus cross_corr_16s64s(const Vek16s* a, int la, const Vek16s* b, int lb, Vek64s* dst, int dlen, int low_lag) {
    VEKS_CHECK(check_cross(a, la, b, lb, dst, dlen));
    const LagWindow w = clip_lags(dst, dlen, la, lb, low_lag);
    if (w.n == 0) return vekStsOk;
    const Parts p = parts_for(la, lb, w.lo, w.n);
    Scratch<std::int64_t> sums(w.n);
    if (sums.empty()) return vekStsNoMemory;
    corr_direct(a + p.ia, p.na, b + p.jb, p.nb, p.d, w.n, sums.get());
    std::memcpy(dst + w.skip, sums.get(), sizeof(Vek64s) * w.n);
    return vekStsOk;
}

// ---- autocorrelation -------------------------------------------------------

// r[k] = sum over i of x[i + k] * conj(x[i]), k < m, by one transform of
// length N >= 2 len: the spectrum times its own conjugate.
template <class F>
VekStatus auto_fft(const F* x, int len, int m, F* r) {
    using Api = RealFft<F>;
    const int order = order_at_least(2LL * len, 2);
    const std::size_t n = std::size_t(1) << order;
    Scratch<F> mem(n);
    if (mem.empty()) return vekStsNoMemory;
    CallFft<Api> fft(order);
    if (!fft.ok()) return fft.status();
    F* u = mem.get();
    std::memcpy(u, x, sizeof(F) * len);
    zero_pad(u, len, n);
    VekStatus st = Api::fwd_pack(u, fft.spec(), fft.buffer(0));
    if (st == vekStsOk) st = Api::mul_pack_conj(u, u, int(n));
    if (st == vekStsOk) st = Api::inv_pack(u, fft.spec(), fft.buffer(0));
    if (st != vekStsOk) return st;
    std::memcpy(r, u, sizeof(F) * m);
    return vekStsOk;
}

template <class C>
VekStatus auto_fft_cplx(const C* x, int len, int m, C* r) {
    using Api = CplxFft<C>;
    const int order = order_at_least(2LL * len, 2);
    const std::size_t n = std::size_t(1) << order;
    Scratch<C> mem(n);
    if (mem.empty()) return vekStsNoMemory;
    CallFft<Api> fft(order);
    if (!fft.ok()) return fft.status();
    C* u = mem.get();
    std::memcpy(u, x, sizeof(C) * len);
    zero_pad(u, len, n);
    VekStatus st = Api::fwd(u, fft.spec(), fft.buffer(0));
    if (st != vekStsOk) return st;
    for (std::size_t i = 0; i < n; ++i) u[i] = C{u[i].re * u[i].re + u[i].im * u[i].im, 0};
    VEKS_CHECK(Api::inv(u, fft.spec(), fft.buffer(0)));
    std::memcpy(r, u, sizeof(C) * m);
    return vekStsOk;
}

// Scale factor of the normalisations in the element's precision: NormA by
// the reciprocal of len, NormB by 1 / (len - k).
template <class R, class V>
void normalise(V* r, int m, int len, Norm norm) {
    if (norm == Norm::A) {
        const R inv = R(1) / static_cast<R>(len);
        for (int k = 0; k < m; ++k) {
            if constexpr (is_cplx<V>) { r[k].re *= inv; r[k].im *= inv; }
            else r[k] *= inv;
        }
    } else if (norm == Norm::B) {
        for (int k = 0; k < m; ++k) {
            const R div = static_cast<R>(len - k);
            if constexpr (is_cplx<V>) { r[k].re /= div; r[k].im /= div; }
            else r[k] /= div;
        }
    }
}

template <class T> struct real_of { using type = T; };
template <> struct real_of<Vek32fc> { using type = Vek32f; };
template <> struct real_of<Vek64fc> { using type = Vek64f; };

VekStatus check_auto(const void* src, int len, const void* dst, int dlen) {
    VEKS_CHECK(check_ptrs(src, dst));
    if (len < 1 || dlen < 1) return vekStsBadLength;
    return vekStsOk;
}

template <class T>
VekStatus auto_corr(const T* src, int len, T* dst, int dlen, Norm norm) {
    VEKS_CHECK(check_auto(src, len, dst, dlen));
    const int m = std::min(len, dlen);
    Scratch<T> mem(static_cast<std::size_t>(len) + m);
    if (mem.empty()) return vekStsNoMemory;
    T* x = mem.get();
    T* r = x + len;
    std::memcpy(x, src, sizeof(T) * len);
    if constexpr (is_cplx<T>) {
        if (m >= kAutoFftFromComplex) VEKS_CHECK(auto_fft_cplx(x, len, m, r));
        else corr_direct(x, len, x, len, 0, m, r);
    } else {
        if (m >= kAutoFftFromReal) VEKS_CHECK(auto_fft(x, len, m, r));
        else corr_direct(x, len, x, len, 0, m, r);
    }
    normalise<typename real_of<T>::type>(r, m, len, norm);
    std::memcpy(dst, r, sizeof(T) * m);
    std::memset(dst + m, 0, sizeof(T) * (dlen - m));
    return vekStsOk;
}

// 16-bit data: exact integer sums, or the single-precision transform of the
// converted source from the same size on as Vek32f; normalised in double
// precision (NormA by the single-precision reciprocal), then scaled,
// rounded to nearest (ties to even) and saturated.
VekStatus auto_corr_16s(const Vek16s* src, int len, Vek16s* dst, int dlen, int sf, Norm norm) {
    VEKS_CHECK(check_auto(src, len, dst, dlen));
    const int m = std::min(len, dlen);
    Scratch<Vek64f> values(m);
    if (values.empty()) return vekStsNoMemory;
    if (m >= kAutoFftFromReal) {
        Scratch<Vek32f> mem(static_cast<std::size_t>(len) + m);
        if (mem.empty()) return vekStsNoMemory;
        veksConvert_16s32f(src, mem.get(), len);
        VEKS_CHECK(auto_fft(mem.get(), len, m, mem.get() + len));
        for (int k = 0; k < m; ++k) values[k] = mem[len + k];
    } else {
        Scratch<std::int64_t> sums(m);
        if (sums.empty()) return vekStsNoMemory;
        corr_direct(src, len, src, len, 0, m, sums.get());
        for (int k = 0; k < m; ++k) values[k] = static_cast<Vek64f>(sums[k]);
    }
    if (norm == Norm::A) {
        const Vek64f inv = 1.0f / static_cast<Vek32f>(len);
        for (int k = 0; k < m; ++k) values[k] *= inv;
    } else {
        normalise<Vek64f>(values.get(), m, len, norm);
    }
    VEKS_CHECK(veksConvert_64f16s_Sfs(values.get(), dst, m, vekRoundHalfEven, sf));
    std::memset(dst + m, 0, sizeof(Vek16s) * (dlen - m));
    return vekStsOk;
}

} // namespace
} // namespace veks::filt

using namespace veks::filt;

#define VEKS_EXPORT_CROSS(s)                                                                                   \
    VEKS_API VekStatus veksCrossCorr_##s(const Vek##s* pSrc1, int src1Len, const Vek##s* pSrc2, int src2Len, \
                                         Vek##s* pDst, int dstLen, int lowLag) {                              \
        return cross_corr(pSrc1, src1Len, pSrc2, src2Len, pDst, dstLen, lowLag);                              \
    }
VEKS_EXPORT_CROSS(32f)
VEKS_EXPORT_CROSS(64f)
VEKS_EXPORT_CROSS(32fc)
VEKS_EXPORT_CROSS(64fc)
#undef VEKS_EXPORT_CROSS

VEKS_API VekStatus veksCrossCorr_16s_Sfs(const Vek16s* pSrc1, int src1Len, const Vek16s* pSrc2, int src2Len,
                                         Vek16s* pDst, int dstLen, int lowLag, int scaleFactor) {
    return cross_corr_16s(pSrc1, src1Len, pSrc2, src2Len, pDst, dstLen, lowLag, scaleFactor);
}
VEKS_API VekStatus veksCrossCorr_16s64s(const Vek16s* pSrc1, int src1Len, const Vek16s* pSrc2, int src2Len,
                                        Vek64s* pDst, int dstLen, int lowLag) {
    return cross_corr_16s64s(pSrc1, src1Len, pSrc2, src2Len, pDst, dstLen, lowLag);
}

#define VEKS_EXPORT_AUTO(name, s, norm)                                                                        \
    VEKS_API VekStatus veksAutoCorr##name##_##s(const Vek##s* pSrc, int srcLen, Vek##s* pDst, int dstLen) {    \
        return auto_corr(pSrc, srcLen, pDst, dstLen, norm);                                                    \
    }
#define VEKS_EXPORT_AUTO_16S(name, norm)                                                                       \
    VEKS_API VekStatus veksAutoCorr##name##_16s_Sfs(const Vek16s* pSrc, int srcLen, Vek16s* pDst, int dstLen,  \
                                                    int scaleFactor) {                                         \
        return auto_corr_16s(pSrc, srcLen, pDst, dstLen, scaleFactor, norm);                                   \
    }
#define VEKS_EXPORT_AUTO_ALL(name, norm)  \
    VEKS_EXPORT_AUTO(name, 32f, norm)     \
    VEKS_EXPORT_AUTO(name, 64f, norm)     \
    VEKS_EXPORT_AUTO(name, 32fc, norm)    \
    VEKS_EXPORT_AUTO(name, 64fc, norm)    \
    VEKS_EXPORT_AUTO_16S(name, norm)
VEKS_EXPORT_AUTO_ALL(, Norm::None)
VEKS_EXPORT_AUTO_ALL(_NormA, Norm::A)
VEKS_EXPORT_AUTO_ALL(_NormB, Norm::B)
#undef VEKS_EXPORT_AUTO_ALL
#undef VEKS_EXPORT_AUTO_16S
#undef VEKS_EXPORT_AUTO
