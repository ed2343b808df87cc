// Per-kind call tables of the float DFT and FFT tests: one test body covers every float kind, with data
// at a chosen byte offset so that unaligned arrays are exercised as well.
#pragma once

#include <map>

#include "fft_reference.h"
#include "fft_test_util.h"

namespace dftt {

using fftref::cld;

using fftt::Kind;
using fftt::Spec;

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

// Calls op on a..., then the scale factor where op takes one (the integer
// forms), then the work buffer.
template <class Op, class... A>
VekStatus call_sfs(Op op, int sf, Vek8u* buf, A... a) {
    if constexpr (std::is_invocable_v<Op, A..., Vek8u*>) return op(a..., buf);
    else return op(a..., sf, buf);
}

// Complex data interleaved in one array of C, or (C = T) as arrays of real and imaginary parts. In
// place runs the _I forms (FwdI, InvI) where a kind has them, else the out-of-place call on the source.
// Complex kinds take no layout: the integer ones read their scale factor from that argument.
template <class T, class C, class S, auto Fwd, auto Inv, auto FwdI = nullptr, auto InvI = nullptr>
std::vector<cld> run_complex(const void* spec, const std::vector<cld>& x, int n, bool inv, bool in_place, int sf,
                             Vek8u* buf, int offset) {
    constexpr bool split = std::is_same_v<C, T>;
    const int step = split ? 1 : 2, im = split ? 0 : 1; // position of element i's parts: step * i (+ im)
    Bytes<T> sr(step * n, offset), si(split ? n : 0, offset), dr(step * n, offset), di(split ? n : 0, offset);
    Bytes<T>& simag = split ? si : sr;
    for (int i = 0; i < n; ++i) {
        sr.set(step * i, static_cast<T>(x[i].real()));
        simag.set(step * i + im, static_cast<T>(x[i].imag()));
    }
    Bytes<T>& outr = in_place ? sr : dr;
    Bytes<T>& outi = split ? (in_place ? si : di) : outr;
    const auto* s = static_cast<const S*>(spec);
    const auto as_c = [](Bytes<T>& b) { return reinterpret_cast<C*>(b.ptr()); };
    const auto out_of_place = [&] {
        if constexpr (split) return call_sfs(inv ? Inv : Fwd, sf, buf, sr.ptr(), si.ptr(), outr.ptr(), outi.ptr(), s);
        else return call_sfs(inv ? Inv : Fwd, sf, buf, static_cast<const C*>(as_c(sr)), as_c(outr), s);
    };
    const auto own_place = [&] {
        if constexpr (std::is_null_pointer_v<decltype(FwdI)>) return out_of_place();
        else if constexpr (split) return call_sfs(inv ? InvI : FwdI, sf, buf, sr.ptr(), si.ptr(), s);
        else return call_sfs(inv ? InvI : FwdI, sf, buf, as_c(sr), s);
    };
    EXPECT_EQ(in_place ? own_place() : out_of_place(), vekStsOk);
    EXPECT_EQ(outr.raw[outr.off + step * n * sizeof(T)], 0xA5) << "wrote past the end";
    std::vector<cld> y(n);
    for (int i = 0; i < n; ++i) y[i] = cld(outr.get(step * i), outi.get(step * i + im));
    return y;
}

// Values of an n-point real spectrum in layout 0 Perm, 1 Pack, 2 CCS.
inline int layout_values(int layout, int n) { return layout != 2 ? n : n % 2 ? n + 1 : n + 2; }
// Position of Re and Im of bin k (1 <= k < n/2 or k <= (n-1)/2) in a layout.
inline int bin_pos(int layout, int n, int k) { return (layout == 1 || (layout == 0 && n % 2)) ? 2 * k - 1 : 2 * k; }
// Position of the Nyquist bin's real part (even n).
inline int nyquist_pos(int layout, int n) { return layout == 0 ? 1 : layout == 1 ? n - 1 : n; }

template <class T>
void put_spectrum(Bytes<T>& b, const std::vector<cld>& bins, int n, int layout) {
    b.set(0, static_cast<T>(bins[0].real()));
    if (layout == 2) b.set(1, T(0));
    for (int k = 1; 2 * k < n; ++k) {
        b.set(bin_pos(layout, n, k), static_cast<T>(bins[k].real()));
        b.set(bin_pos(layout, n, k) + 1, static_cast<T>(bins[k].imag()));
    }
    if (n % 2 == 0 && n >= 2) {
        b.set(nyquist_pos(layout, n), static_cast<T>(bins[n / 2].real()));
        if (layout == 2) b.set(n + 1, T(0));
    }
}

template <class T>
std::vector<cld> get_spectrum(const Bytes<T>& b, int n, int layout) {
    std::vector<cld> bins(n / 2 + 1);
    bins[0] = cld(b.get(0), layout == 2 ? b.get(1) : 0);
    for (int k = 1; 2 * k < n; ++k) bins[k] = cld(b.get(bin_pos(layout, n, k)), b.get(bin_pos(layout, n, k) + 1));
    if (n % 2 == 0 && n >= 2) bins[n / 2] = cld(b.get(nyquist_pos(layout, n)), layout == 2 ? b.get(n + 1) : 0);
    return bins;
}

// Perm, Pack, CCS forward, the three inverses, then (FFT) the six _I forms.
template <class T, class S, auto F0, auto F1, auto F2, auto I0, auto I1, auto I2, auto... InPlace>
std::vector<cld> run_real(const void* spec, const std::vector<cld>& x, int n, bool inv, bool in_place, int layout,
                          Vek8u* buf, int offset) {
    using Op = VekStatus (*)(const T*, T*, const S*, Vek8u*);
    const Op ops[] = {F0, F1, F2, I0, I1, I2};
    const int vals = layout_values(layout, n), op = layout + (inv ? 3 : 0);
    Bytes<T> src(vals, offset), dst(vals, offset);
    if (inv) put_spectrum(src, x, n, layout);
    else for (int i = 0; i < n; ++i) src.set(i, static_cast<T>(x[i].real()));
    Bytes<T>& out = in_place ? src : dst;
    const auto* s = static_cast<const S*>(spec);
    VekStatus st = vekStsOk;
    if constexpr (sizeof...(InPlace) > 0) {
        using OpI = VekStatus (*)(T*, const S*, Vek8u*);
        const OpI ops_i[] = {InPlace...};
        st = in_place ? ops_i[op](src.ptr(), s, buf) : ops[op](src.ptr(), out.ptr(), s, buf);
    } else {
        st = ops[op](src.ptr(), out.ptr(), s, buf);
    }
    EXPECT_EQ(st, vekStsOk);
    const int written = inv ? n : vals;
    if (!(inv && in_place)) {
        EXPECT_EQ(out.raw[out.off + written * sizeof(T)], 0xA5) << "wrote past the end";
    }
    if (!inv) return get_spectrum(out, n, layout);
    std::vector<cld> y(n);
    for (int i = 0; i < n; ++i) y[i] = cld(out.get(i), 0);
    return y;
}

inline int order_of(int n) { return __builtin_ctz(static_cast<unsigned>(n)); }

#define DFTT_REAL_OPS(PRE, T, I)                                                                                   \
    veks##PRE##Fwd_RToPerm_##T##I, veks##PRE##Fwd_RToPack_##T##I, veks##PRE##Fwd_RToCCS_##T##I,                     \
        veks##PRE##Inv_PermToR_##T##I, veks##PRE##Inv_PackToR_##T##I, veks##PRE##Inv_CCSToR_##T##I

inline const std::vector<Kind>& dft_kinds() {
    static const std::vector<Kind> k = {
        {"C_32fc", false, false, DFTT_LIFE(DFT, C_32fc, n), run_complex<float, Vek32fc, VeksDFTSpec_C_32fc, veksDFTFwd_CToC_32fc, veksDFTInv_CToC_32fc>},
        {"C_64fc", true, false, DFTT_LIFE(DFT, C_64fc, n), run_complex<double, Vek64fc, VeksDFTSpec_C_64fc, veksDFTFwd_CToC_64fc, veksDFTInv_CToC_64fc>},
        {"OutOrd_C_32fc", false, false, DFTT_LIFE(DFTOutOrd, C_32fc, n),
         run_complex<float, Vek32fc, VeksDFTOutOrdSpec_C_32fc, veksDFTOutOrdFwd_CToC_32fc, veksDFTOutOrdInv_CToC_32fc>},
        {"OutOrd_C_64fc", true, false, DFTT_LIFE(DFTOutOrd, C_64fc, n),
         run_complex<double, Vek64fc, VeksDFTOutOrdSpec_C_64fc, veksDFTOutOrdFwd_CToC_64fc, veksDFTOutOrdInv_CToC_64fc>},
        {"C_32f", false, false, DFTT_LIFE(DFT, C_32f, n), run_complex<float, float, VeksDFTSpec_C_32f, veksDFTFwd_CToC_32f, veksDFTInv_CToC_32f>},
        {"C_64f", true, false, DFTT_LIFE(DFT, C_64f, n), run_complex<double, double, VeksDFTSpec_C_64f, veksDFTFwd_CToC_64f, veksDFTInv_CToC_64f>},
        {"R_32f", false, true, DFTT_LIFE(DFT, R_32f, n), run_real<float, VeksDFTSpec_R_32f, DFTT_REAL_OPS(DFT, 32f, )>},
        {"R_64f", true, true, DFTT_LIFE(DFT, R_64f, n), run_real<double, VeksDFTSpec_R_64f, DFTT_REAL_OPS(DFT, 64f, )>},
    };
    return k;
}

// The 16-bit DFT kinds' life cycles (their transforms are run on their own).
inline const std::vector<Kind>& dft_int_kinds() {
    static const std::vector<Kind> k = {{"C_16sc", false, false, DFTT_LIFE(DFT, C_16sc, n), nullptr},
                                        {"C_16s", false, false, DFTT_LIFE(DFT, C_16s, n), nullptr},
                                        {"R_16s", false, true, DFTT_LIFE(DFT, R_16s, n), nullptr}};
    return k;
}

#define DFTT_FFT_C(K, T, C)                                                                                          \
    run_complex<T, C, VeksFFTSpec_C_##K, veksFFTFwd_CToC_##K, veksFFTInv_CToC_##K, veksFFTFwd_CToC_##K##_I, veksFFTInv_CToC_##K##_I>
#define DFTT_FFT_S(K, T) run_complex<T, T, VeksFFTSpec_C_##K, veksFFTFwd_CToC_##K, veksFFTInv_CToC_##K, veksFFTFwd_CToC_##K##_I, veksFFTInv_CToC_##K##_I>
#define DFTT_FFT_R(T)                                                                                                \
    run_real<Vek##T, VeksFFTSpec_R_##T, DFTT_REAL_OPS(FFT, T, ), DFTT_REAL_OPS(FFT, T, _I)>

// The float FFT kinds, n a power of two.
inline const std::vector<Kind>& fft_kinds() {
    static const std::vector<Kind> k = {
        {"FFT C_32fc", false, false, DFTT_LIFE(FFT, C_32fc, order_of(n)), DFTT_FFT_C(32fc, float, Vek32fc)},
        {"FFT C_64fc", true, false, DFTT_LIFE(FFT, C_64fc, order_of(n)), DFTT_FFT_C(64fc, double, Vek64fc)},
        {"FFT C_32f", false, false, DFTT_LIFE(FFT, C_32f, order_of(n)), DFTT_FFT_S(32f, float)},
        {"FFT C_64f", true, false, DFTT_LIFE(FFT, C_64f, order_of(n)), DFTT_FFT_S(64f, double)},
        {"FFT R_32f", false, true, DFTT_LIFE(FFT, R_32f, order_of(n)), DFTT_FFT_R(32f)},
        {"FFT R_64f", true, true, DFTT_LIFE(FFT, R_64f, order_of(n)), DFTT_FFT_R(64f)},
    };
    return k;
}

// The factors each direction applies under a flag.
inline long double fwd_factor(int flag, int n) { return flag == 1 ? 1.0L / n : flag == 4 ? 1 / std::sqrt((long double)n) : 1; }
inline long double inv_factor(int flag, int n) { return flag == 2 ? 1.0L / n : flag == 4 ? 1 / std::sqrt((long double)n) : 1; }

// Relative RMS error bound: single precision about 1e-6 log2 N (each radix-4
// pass rounds a value a few times by at most 2^-24, plus room for scaling and
// twiddle rounding; the chirp's transforms have length M < 4N); double nine digits finer.
inline long double error_bound(bool dbl, int n) {
    const long double lg = n > 2 ? std::log2((long double)n) : 1;
    return (dbl ? 2e-15L : 1e-6L) * lg;
}

// n points in [-1, 1], or integers in [-amp, amp] when amp > 0; real ones
// have zero imaginary parts.
inline std::vector<cld> random_signal(int n, bool real, std::uint64_t seed, long long amp = 0) {
    vt::Rng rng(seed);
    const auto one = [&]() -> long double { return amp > 0 ? rng.integer<long long>(-amp, amp) : rng.real(-1, 1); };
    std::vector<cld> x(n);
    for (auto& v : x) {
        const long double re = one();
        v = cld(re, real ? 0 : one());
    }
    return x;
}

// A random signal of n points (real or complex) and its two spectra,
// computed once: the latest long one and every short one are kept.
struct Reference {
    std::vector<cld> x, fwd, inv;
};
inline const Reference& reference(int n, bool real) {
    static std::map<std::uint64_t, Reference> cache;
    const std::uint64_t key = std::uint64_t(n) * 4 + real * 2;
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (n > 4096) cache.clear();
    Reference r{random_signal(n, real, key), {}, {}};
    r.fwd = fftref::transform(r.x, -1);
    if (!real) r.inv = fftref::transform(r.x, +1);
    return cache.emplace(key, std::move(r)).first->second;
}

// One transform of kind k at length n, with a spec made for it, compared
// with the reference.
inline void check_spec(const Kind& k, const Spec& spec, int n, int flag, bool inv, bool in_place, int layout, int offset,
                       bool use_buf) {
    vt::Guarded<Vek8u> buf(static_cast<std::size_t>(spec.buf_size()) + 1); // used from byte 1 on
    Vek8u* b = use_buf && spec.buf_size() > 0 ? buf.data() + 1 : nullptr;
    const Reference& ref = reference(n, k.real);
    const std::vector<cld> bins = k.real ? std::vector<cld>(ref.fwd.begin(), ref.fwd.begin() + n / 2 + 1) : std::vector<cld>();
    const bool real_inv = k.real && inv; // the spectrum of a real signal in, n times that signal out
    const std::vector<cld> got = k.run(spec.get(), real_inv ? bins : ref.x, n, inv, in_place, k.real ? layout : 0, b, offset);
    const std::vector<cld>* want = real_inv ? &ref.x : k.real ? &bins : inv ? &ref.inv : &ref.fwd;
    const long double scale = real_inv ? n * inv_factor(flag, n) : inv ? inv_factor(flag, n) : fwd_factor(flag, n);
    const long double err = fftref::rel_rms(*want, scale, [&](std::size_t i) { return got[i]; });
    EXPECT_LT(err, error_bound(k.dbl, n))
        << k.name << " n " << n << " flag " << flag << (inv ? " inverse" : " forward") << (in_place ? " in place" : "")
        << " layout " << layout << " offset " << offset;
    EXPECT_TRUE(buf.guard_intact()) << k.name << " wrote past its work buffer";
}

inline void check_one(const Kind& k, int n, int flag, bool inv, bool in_place, int layout, int offset, bool use_buf) {
    Spec spec(k, n, flag);
    ASSERT_EQ(spec.status(), vekStsOk) << k.name << " n " << n;
    check_spec(k, spec, n, flag, inv, in_place, layout, offset, use_buf);
}

} // namespace dftt
