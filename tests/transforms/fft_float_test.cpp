// Complex float transforms against long double references, for every kind,
// flag, direction and placement; round trips; large orders by their exact
// single-tone spectra; work buffers; check order.
#include <algorithm>
#include <cstdio>
#include <map>

#include "fft_reference.h"
#include "fft_test_util.h"

namespace {

using fftref::cld;
using fftt::kind;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define FFT_TEST_SANITIZED 1
#endif
#ifdef FFT_TEST_SANITIZED
constexpr int kMaxRefOrder = 16;
constexpr int kMaxToneOrder = 20;
#else
constexpr int kMaxRefOrder = 20;
constexpr int kMaxToneOrder = 22;
#endif

// One transform call of a float kind on interleaved long double data.
struct FloatKind {
    const char* name;
    bool dbl, split;
    // runs the transform on x (converted to the kind's type) and returns the
    // result; in_place chooses the _I form
    std::vector<cld> (*run)(const void* spec, const std::vector<cld>& x, bool inverse, bool in_place, Vek8u* buf);
};

template <class T> std::vector<T> to_interleaved(const std::vector<cld>& x) {
    std::vector<T> v(2 * x.size());
    for (std::size_t i = 0; i < x.size(); ++i) { v[2 * i] = static_cast<T>(x[i].real()); v[2 * i + 1] = static_cast<T>(x[i].imag()); }
    return v;
}

template <class T, class C, class S, auto Fwd, auto Inv, auto FwdI, auto InvI>
std::vector<cld> run_interleaved(const void* spec, const std::vector<cld>& x, bool inverse, bool in_place, Vek8u* buf) {
    std::vector<T> src = to_interleaved<T>(x), dst(src.size() + 2, T(-7));
    const S* s = static_cast<const S*>(spec);
    VekStatus st;
    if (in_place) {
        st = (inverse ? InvI : FwdI)(reinterpret_cast<C*>(src.data()), s, buf);
    } else {
        st = (inverse ? Inv : Fwd)(reinterpret_cast<const C*>(src.data()), reinterpret_cast<C*>(dst.data()), s, buf);
    }
    EXPECT_EQ(st, vekStsOk);
    const std::vector<T>& out = in_place ? src : dst;
    EXPECT_TRUE(in_place || dst[2 * x.size()] == T(-7)) << "wrote past the end";
    std::vector<cld> y(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) y[i] = cld(out[2 * i], out[2 * i + 1]);
    return y;
}

template <class T, class S, auto Fwd, auto Inv, auto FwdI, auto InvI>
std::vector<cld> run_split(const void* spec, const std::vector<cld>& x, bool inverse, bool in_place, Vek8u* buf) {
    const std::size_t n = x.size();
    std::vector<T> re(n), im(n), dre(n + 1, T(-7)), dim(n + 1, T(-7));
    for (std::size_t i = 0; i < n; ++i) { re[i] = static_cast<T>(x[i].real()); im[i] = static_cast<T>(x[i].imag()); }
    const S* s = static_cast<const S*>(spec);
    VekStatus st;
    if (in_place) {
        st = (inverse ? InvI : FwdI)(re.data(), im.data(), s, buf);
    } else {
        st = (inverse ? Inv : Fwd)(re.data(), im.data(), dre.data(), dim.data(), s, buf);
    }
    EXPECT_EQ(st, vekStsOk);
    EXPECT_TRUE(in_place || (dre[n] == T(-7) && dim[n] == T(-7))) << "wrote past the end";
    std::vector<cld> y(n);
    for (std::size_t i = 0; i < n; ++i) y[i] = in_place ? cld(re[i], im[i]) : cld(dre[i], dim[i]);
    return y;
}

const FloatKind kKinds[] = {
    {"C_32fc", false, false, run_interleaved<float, Vek32fc, VeksFFTSpec_C_32fc, veksFFTFwd_CToC_32fc, veksFFTInv_CToC_32fc, veksFFTFwd_CToC_32fc_I, veksFFTInv_CToC_32fc_I>},
    {"C_64fc", true, false, run_interleaved<double, Vek64fc, VeksFFTSpec_C_64fc, veksFFTFwd_CToC_64fc, veksFFTInv_CToC_64fc, veksFFTFwd_CToC_64fc_I, veksFFTInv_CToC_64fc_I>},
    {"C_32f", false, true, run_split<float, VeksFFTSpec_C_32f, veksFFTFwd_CToC_32f, veksFFTInv_CToC_32f, veksFFTFwd_CToC_32f_I, veksFFTInv_CToC_32f_I>},
    {"C_64f", true, true, run_split<double, VeksFFTSpec_C_64f, veksFFTFwd_CToC_64f, veksFFTInv_CToC_64f, veksFFTFwd_CToC_64f_I, veksFFTInv_CToC_64f_I>},
};

// Random data exactly representable in single precision, so every kind
// transforms the same values.
std::vector<cld> random_signal(int order, std::uint64_t seed) {
    vt::Rng rng(seed);
    std::vector<cld> x(std::size_t(1) << order);
    for (auto& v : x) v = cld(static_cast<float>(rng.real(-1, 1)), static_cast<float>(rng.real(-1, 1)));
    return x;
}

// Relative RMS error bound: single precision grows with log2 N (a radix-4
// pass rounds every value a few times, each rounding at most 2^-24
// relative); 1e-6 per doubling of N leaves room for the scaling and the
// twiddles' own rounding. Double precision: the same argument with 2^-53.
long double bound(bool dbl, int order) {
    const long double per = dbl ? 2e-15L : 1e-6L;
    return per * std::max(order, 1);
}

TEST(FftReference, RadixTwoAgreesWithNaiveDft) {
    for (int order : {0, 1, 5, 10}) {
        const auto x = random_signal(order, 11);
        for (int sign : {-1, 1}) {
            const auto a = fftref::naive_dft(x, sign), b = fftref::fft(x, sign);
            EXPECT_LT(fftref::rel_rms(a, 1, [&](std::size_t k) { return b[k]; }), 1e-15L) << order;
        }
    }
}

TEST(FftFloat, EveryKindFlagDirectionAndPlacementAgainstReference) {
    std::map<std::pair<std::string, int>, long double> worst;
    for (int order = 0; order <= kMaxRefOrder; ++order) {
        const auto x = random_signal(order, 100 + order);
        const auto want_fwd = fftref::transform(x, -1), want_inv = fftref::transform(x, +1);
        for (const auto& k : kKinds) {
            for (int flag : fftt::kFlags) {
                fftt::Spec spec(kind(k.name), order, flag);
                ASSERT_EQ(spec.status(), vekStsOk);
                for (bool inverse : {false, true}) {
                    const auto out = k.run(spec.get(), x, inverse, false, nullptr);
                    const auto in = k.run(spec.get(), x, inverse, true, nullptr);
                    const long double f = inverse ? fftt::inv_factor(flag, order) : fftt::fwd_factor(flag, order);
                    const long double err = fftref::rel_rms(inverse ? want_inv : want_fwd, f, [&](std::size_t i) { return out[i]; });
                    EXPECT_LT(err, bound(k.dbl, order)) << k.name << " order " << order << " flag " << flag << " inverse " << inverse;
                    auto& w = worst[{k.name, order}];
                    w = std::max(w, err);
                    EXPECT_TRUE(std::equal(out.begin(), out.end(), in.begin())) << k.name << " order " << order << ": in place differs";
                }
            }
        }
    }
    for (const auto& k : kKinds) {
        std::printf("%-7s max relative RMS error by order:", k.name);
        for (int order = 0; order <= kMaxRefOrder; ++order) std::printf(" %d:%.2Lg", order, worst[{k.name, order}]);
        std::printf("\n");
    }
}

// Inverse after forward returns N times the input (flag 8) or the input.
TEST(FftFloat, RoundTrips) {
    for (const auto& k : kKinds) {
        for (int order : {0, 1, 3, 4, 7, 11, 12, 13, 16}) {
            const auto x = random_signal(order, 7 + order);
            for (int flag : fftt::kFlags) {
                fftt::Spec spec(kind(k.name), order, flag);
                const auto y = k.run(spec.get(), k.run(spec.get(), x, false, false, nullptr), true, true, nullptr);
                const long double f = fftt::fwd_factor(flag, order) * fftt::inv_factor(flag, order) * std::ldexp(1.0L, order);
                EXPECT_LT(fftref::rel_rms(x, f, [&](std::size_t i) { return y[i]; }), 2 * bound(k.dbl, order)) << k.name << " " << order;
            }
        }
    }
}

// Large orders: a single tone e^(2 pi i f n/N) transforms into N at bin f
// (forward) and the inverse of a single bin is a tone; both known exactly.
TEST(FftFloat, LargeOrdersSingleTone) {
    for (const auto& k : kKinds) {
        const int top = k.dbl ? kMaxToneOrder - 1 : kMaxToneOrder;
        for (int order = kMaxRefOrder + 1; order <= top; ++order) {
            const std::size_t n = std::size_t(1) << order, f = n / 3 + 5;
            std::vector<cld> x(n), bin(n);
            for (std::size_t i = 0; i < n; ++i) {
                const long double a = fftref::kTwoPi * static_cast<long double>((i * f) % n) / static_cast<long double>(n);
                x[i] = cld(std::cos(a), std::sin(a));
            }
            bin[f] = cld(static_cast<long double>(n), 0);
            fftt::Spec spec(kind(k.name), order, vekFftNormInv);
            ASSERT_EQ(spec.status(), vekStsOk) << k.name << " " << order;
            const auto fwd = k.run(spec.get(), x, false, order % 2 == 0, nullptr);
            EXPECT_LT(fftref::rel_rms(bin, 1, [&](std::size_t i) { return fwd[i]; }), bound(k.dbl, order)) << k.name << " " << order;
            const auto inv = k.run(spec.get(), bin, true, order % 2 == 1, nullptr);
            EXPECT_LT(fftref::rel_rms(x, 1, [&](std::size_t i) { return inv[i]; }), bound(k.dbl, order)) << k.name << " " << order;
        }
    }
}

// A caller buffer at any alignment gives the same result as an internal one.
TEST(FftFloat, WorkBufferAlignmentAndAllocation) {
    for (const auto& k : kKinds) {
        for (int order : {12, 13, 15}) {
            fftt::Spec spec(kind(k.name), order, vekFftNormSqrt);
            const int size = spec.buf_size();
            EXPECT_TRUE(order < 13 || size > 0) << k.name << " " << order;
            const auto x = random_signal(order, 5);
            const auto own = k.run(spec.get(), x, false, false, nullptr);
            for (int skew : {0, 4, 31}) {
                vt::Guarded<Vek8u> buf(size + skew + 1, 64);
                const auto given = k.run(spec.get(), x, false, false, buf.data() + skew);
                EXPECT_TRUE(std::equal(own.begin(), own.end(), given.begin())) << k.name << " " << order;
                EXPECT_TRUE(buf.guard_intact());
            }
        }
    }
}

TEST(FftFloat, NPointsOneIsTheScaledCopy) {
    const Vek32fc x{3.0f, -5.0f};
    for (int flag : fftt::kFlags) {
        fftt::Spec spec(kind("C_32fc"), 0, flag);
        Vek32fc y{0, 0};
        ASSERT_EQ(veksFFTFwd_CToC_32fc(&x, &y, spec.as<VeksFFTSpec_C_32fc>(), nullptr), vekStsOk);
        EXPECT_EQ(y.re, 3.0f);
        EXPECT_EQ(y.im, -5.0f);
    }
}

TEST(FftFloat, CheckOrderWritesNothing) {
    fftt::Spec c(kind("C_32fc"), 4, vekFftNormNone), r(kind("R_32f"), 4, vekFftNormNone);
    fftt::Spec s(kind("C_32f"), 4, vekFftNormNone);
    std::vector<Vek32fc> src(16);
    vt::Guarded<Vek32fc> dst(16);
    const auto* cs = c.as<VeksFFTSpec_C_32fc>();
    EXPECT_EQ(veksFFTFwd_CToC_32fc(nullptr, nullptr, nullptr, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFFTFwd_CToC_32fc(nullptr, nullptr, r.as<VeksFFTSpec_C_32fc>(), nullptr), vekStsBadContext);
    EXPECT_EQ(veksFFTInv_CToC_32fc(src.data(), dst.data(), s.as<VeksFFTSpec_C_32fc>(), nullptr), vekStsBadContext);
    EXPECT_EQ(veksFFTFwd_CToC_32fc(nullptr, dst.data(), cs, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFFTInv_CToC_32fc(src.data(), nullptr, cs, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFFTFwd_CToC_32fc_I(nullptr, cs, nullptr), vekStsNullPtr);
    EXPECT_TRUE(dst.intact());
    vt::Guarded<Vek32f> re(16), im(16);
    std::vector<Vek32f> a(16);
    const auto* ss = s.as<VeksFFTSpec_C_32f>();
    for (int nul = 0; nul < 4; ++nul) {
        EXPECT_EQ(veksFFTFwd_CToC_32f(vt::ptr_or_null(a.data(), 0, nul), vt::ptr_or_null(a.data(), 1, nul),
                                      vt::ptr_or_null(re.data(), 2, nul), vt::ptr_or_null(im.data(), 3, nul), ss, nullptr),
                  vekStsNullPtr);
    }
    EXPECT_EQ(veksFFTFwd_CToC_32f(a.data(), a.data(), re.data(), im.data(), c.as<VeksFFTSpec_C_32f>(), nullptr), vekStsBadContext);
    EXPECT_TRUE(re.intact() && im.intact());
}

} // namespace
