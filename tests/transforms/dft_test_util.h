// Per-kind call tables of the DFT tests: one test body covers every float
// kind. Data are placed at a chosen byte offset so that unaligned arrays
// are exercised as well.
#pragma once

#include <cstring>
#include <vector>

#include "fft_reference.h"
#include "veks_test.h"

namespace dftt {

using fftref::cld;

// A spec of one kind with the life cycle as void* calls.
struct Kind {
    const char* name;
    bool dbl, real;
    VekStatus (*alloc)(void**, int, int, int);
    VekStatus (*free)(void*);
    VekStatus (*buf_size)(const void*, int*);
    // Complex kinds: transform of x (converted to the kind's type). Real
    // kinds: forward gives bins 0..n/2 read from the layout, inverse takes
    // bins 0..n/2 and gives n real values (as complex with zero imaginary).
    std::vector<cld> (*run)(const void* spec, const std::vector<cld>& x, int n, bool inv, bool in_place, int layout,
                            Vek8u* buf, int offset);
};

// Bytes holding values of T at a byte offset.
template <class T>
struct Bytes {
    std::vector<unsigned char> raw;
    int off;
    Bytes(std::size_t count, int offset) : raw(count * sizeof(T) + 64, 0xA5), off(offset) {}
    T* ptr() { return reinterpret_cast<T*>(raw.data() + off); }
    void set(std::size_t i, T v) { std::memcpy(raw.data() + off + i * sizeof(T), &v, sizeof v); }
    T get(std::size_t i) const { T v; std::memcpy(&v, raw.data() + off + i * sizeof(T), sizeof v); return v; }
};

template <class T, class C, class S, auto Fwd, auto Inv>
std::vector<cld> run_interleaved(const void* spec, const std::vector<cld>& x, int n, bool inv, bool in_place, int,
                                 Vek8u* buf, int offset) {
    Bytes<T> src(2 * n, offset), dst(2 * n, offset);
    for (int i = 0; i < n; ++i) {
        src.set(2 * i, static_cast<T>(x[i].real()));
        src.set(2 * i + 1, static_cast<T>(x[i].imag()));
    }
    Bytes<T>& out = in_place ? src : dst;
    const auto* s = static_cast<const S*>(spec);
    const C* sp = reinterpret_cast<const C*>(src.ptr());
    C* dp = reinterpret_cast<C*>(out.ptr());
    EXPECT_EQ(inv ? Inv(sp, dp, s, buf) : Fwd(sp, dp, s, buf), vekStsOk);
    EXPECT_EQ(out.raw[out.off + 2 * n * sizeof(T)], 0xA5) << "wrote past the end";
    std::vector<cld> y(n);
    for (int i = 0; i < n; ++i) y[i] = cld(out.get(2 * i), out.get(2 * i + 1));
    return y;
}

template <class T, class S, auto Fwd, auto Inv>
std::vector<cld> run_split(const void* spec, const std::vector<cld>& x, int n, bool inv, bool in_place, int, Vek8u* buf,
                           int offset) {
    Bytes<T> sr(n, offset), si(n, offset), dr(n, offset), di(n, offset);
    for (int i = 0; i < n; ++i) {
        sr.set(i, static_cast<T>(x[i].real()));
        si.set(i, static_cast<T>(x[i].imag()));
    }
    Bytes<T>& outr = in_place ? sr : dr;
    Bytes<T>& outi = in_place ? si : di;
    const auto* s = static_cast<const S*>(spec);
    EXPECT_EQ(inv ? Inv(sr.ptr(), si.ptr(), outr.ptr(), outi.ptr(), s, buf) : Fwd(sr.ptr(), si.ptr(), outr.ptr(), outi.ptr(), s, buf),
              vekStsOk);
    std::vector<cld> y(n);
    for (int i = 0; i < n; ++i) y[i] = cld(outr.get(i), outi.get(i));
    return y;
}

// Values of an n-point real spectrum in layout 0 Perm, 1 Pack, 2 CCS.
inline int layout_values(int layout, int n) { return layout != 2 ? n : n % 2 ? n + 1 : n + 2; }
// Position of Re and Im of bin k (1 <= k < n/2 or k <= (n-1)/2) in a layout.
inline int bin_pos(int layout, int n, int k) { return (layout == 1 || (layout == 0 && n % 2)) ? 2 * k - 1 : 2 * k; }

template <class T>
void put_spectrum(Bytes<T>& b, const std::vector<cld>& bins, int n, int layout) {
    b.set(0, static_cast<T>(bins[0].real()));
    if (layout == 2) b.set(1, T(0));
    for (int k = 1; 2 * k < n; ++k) {
        b.set(bin_pos(layout, n, k), static_cast<T>(bins[k].real()));
        b.set(bin_pos(layout, n, k) + 1, static_cast<T>(bins[k].imag()));
    }
    if (n % 2 == 0 && n >= 2) {
        const int at = layout == 0 ? 1 : layout == 1 ? n - 1 : n;
        b.set(at, static_cast<T>(bins[n / 2].real()));
        if (layout == 2) b.set(n + 1, T(0));
    }
}

template <class T>
std::vector<cld> get_spectrum(const Bytes<T>& b, int n, int layout) {
    std::vector<cld> bins(n / 2 + 1);
    bins[0] = cld(b.get(0), layout == 2 ? b.get(1) : 0);
    for (int k = 1; 2 * k < n; ++k) bins[k] = cld(b.get(bin_pos(layout, n, k)), b.get(bin_pos(layout, n, k) + 1));
    if (n % 2 == 0 && n >= 2) {
        const int at = layout == 0 ? 1 : layout == 1 ? n - 1 : n;
        bins[n / 2] = cld(b.get(at), layout == 2 ? b.get(n + 1) : 0);
    }
    return bins;
}

template <class T, class S, auto... Ops> // Perm, Pack, CCS forward, then the three inverses
std::vector<cld> run_real(const void* spec, const std::vector<cld>& x, int n, bool inv, bool in_place, int layout,
                          Vek8u* buf, int offset) {
    using Op = VekStatus (*)(const T*, T*, const S*, Vek8u*);
    const Op ops[] = {Ops...};
    const int vals = layout_values(layout, n);
    Bytes<T> src(vals, offset), dst(vals, offset);
    if (inv) put_spectrum(src, x, n, layout);
    else for (int i = 0; i < n; ++i) src.set(i, static_cast<T>(x[i].real()));
    Bytes<T>& out = in_place ? src : dst;
    EXPECT_EQ(ops[layout + (inv ? 3 : 0)](src.ptr(), out.ptr(), static_cast<const S*>(spec), buf), vekStsOk);
    const int written = inv ? n : vals;
    if (!(inv && in_place)) EXPECT_EQ(out.raw[out.off + written * sizeof(T)], 0xA5) << "wrote past the end";
    if (!inv) return get_spectrum(out, n, layout);
    std::vector<cld> y(n);
    for (int i = 0; i < n; ++i) y[i] = cld(out.get(i), 0);
    return y;
}

#define DFTT_LIFE(PRE, K)                                                                                          \
    [](void** p, int n, int f, int h) { return veks##PRE##InitAlloc_##K(reinterpret_cast<Veks##PRE##Spec_##K**>(p), n, f, h); }, \
        [](void* s) { return veks##PRE##Free_##K(static_cast<Veks##PRE##Spec_##K*>(s)); },                          \
        [](const void* s, int* b) { return veks##PRE##GetBufSize_##K(static_cast<const Veks##PRE##Spec_##K*>(s), b); }

inline const std::vector<Kind>& float_kinds() {
    static const std::vector<Kind> k = {
        {"C_32fc", false, false, DFTT_LIFE(DFT, C_32fc), run_interleaved<float, Vek32fc, VeksDFTSpec_C_32fc, veksDFTFwd_CToC_32fc, veksDFTInv_CToC_32fc>},
        {"C_64fc", true, false, DFTT_LIFE(DFT, C_64fc), run_interleaved<double, Vek64fc, VeksDFTSpec_C_64fc, veksDFTFwd_CToC_64fc, veksDFTInv_CToC_64fc>},
        {"OutOrd_C_32fc", false, false, DFTT_LIFE(DFTOutOrd, C_32fc),
         run_interleaved<float, Vek32fc, VeksDFTOutOrdSpec_C_32fc, veksDFTOutOrdFwd_CToC_32fc, veksDFTOutOrdInv_CToC_32fc>},
        {"OutOrd_C_64fc", true, false, DFTT_LIFE(DFTOutOrd, C_64fc),
         run_interleaved<double, Vek64fc, VeksDFTOutOrdSpec_C_64fc, veksDFTOutOrdFwd_CToC_64fc, veksDFTOutOrdInv_CToC_64fc>},
        {"C_32f", false, false, DFTT_LIFE(DFT, C_32f), run_split<float, VeksDFTSpec_C_32f, veksDFTFwd_CToC_32f, veksDFTInv_CToC_32f>},
        {"C_64f", true, false, DFTT_LIFE(DFT, C_64f), run_split<double, VeksDFTSpec_C_64f, veksDFTFwd_CToC_64f, veksDFTInv_CToC_64f>},
        {"R_32f", false, true, DFTT_LIFE(DFT, R_32f),
         run_real<float, VeksDFTSpec_R_32f, veksDFTFwd_RToPerm_32f, veksDFTFwd_RToPack_32f, veksDFTFwd_RToCCS_32f,
                  veksDFTInv_PermToR_32f, veksDFTInv_PackToR_32f, veksDFTInv_CCSToR_32f>},
        {"R_64f", true, true, DFTT_LIFE(DFT, R_64f),
         run_real<double, VeksDFTSpec_R_64f, veksDFTFwd_RToPerm_64f, veksDFTFwd_RToPack_64f, veksDFTFwd_RToCCS_64f,
                  veksDFTInv_PermToR_64f, veksDFTInv_PackToR_64f, veksDFTInv_CCSToR_64f>},
    };
    return k;
}

// A spec made by InitAlloc and freed at scope exit.
class Spec {
public:
    Spec(const Kind& k, int n, int flag, int hint = vekHintDefault) : k_(k) { status_ = k.alloc(&p_, n, flag, hint); }
    ~Spec() { if (p_) k_.free(p_); }
    Spec(const Spec&) = delete;
    Spec& operator=(const Spec&) = delete;
    const void* get() const { return p_; }
    VekStatus status() const { return status_; }
    int buf_size() const { int b = -1; k_.buf_size(p_, &b); return b; }

private:
    const Kind& k_;
    void* p_ = nullptr;
    VekStatus status_;
};

// The factors each direction applies under a flag.
inline long double fwd_factor(int flag, int n) { return flag == 1 ? 1.0L / n : flag == 4 ? 1 / std::sqrt((long double)n) : 1; }
inline long double inv_factor(int flag, int n) { return flag == 2 ? 1.0L / n : flag == 4 ? 1 / std::sqrt((long double)n) : 1; }

// Relative RMS error bound: single precision about 1e-6 log2 N; double
// precision nine decimal digits finer. The chirp convolution runs through
// transforms of length M < 4N and three roundings of its chirp products.
inline long double error_bound(bool dbl, int n) {
    const long double lg = n > 2 ? std::log2((long double)n) : 1;
    return (dbl ? 2e-15L : 1e-6L) * lg;
}

} // namespace dftt
