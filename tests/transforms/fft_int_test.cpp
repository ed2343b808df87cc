// Integer complex transforms: the fixed-point engine, the float engines of
// the 16- and 32-bit forms, scaling, rounding and saturation.
#include <algorithm>
#include <climits>
#include <cstdio>

#include "float_kinds.h"

namespace {

using fftref::cld;

// One integer form on interleaved data held as long long pairs; the spec
// life cycle takes the number of points. In place runs the _I forms where
// the kind has them (FFT), else the call with the source as destination.
struct IntKind {
    const char* name;
    bool wide, dft; // 32-bit data; a DFT kind
    VekStatus (*init_alloc)(void**, int, int, int);
    VekStatus (*free)(void*);
    VekStatus (*get_buf_size)(const void*, int*);
    std::vector<long long> (*run)(const void* spec, const std::vector<long long>& x, bool inverse, bool in_place, int sf);
};

template <class I, class C, class S, auto Fwd, auto Inv, auto FwdI = nullptr, auto InvI = nullptr>
std::vector<long long> run_c(const void* spec, const std::vector<long long>& x, bool inverse, bool in_place, int sf) {
    std::vector<I> src(x.begin(), x.end());
    vt::Guarded<I> dst(x.size());
    const S* s = static_cast<const S*>(spec);
    C* out = reinterpret_cast<C*>(in_place ? src.data() : dst.data());
    if constexpr (!std::is_null_pointer_v<decltype(FwdI)>) {
        if (in_place) {
            EXPECT_EQ((inverse ? InvI : FwdI)(out, s, sf, nullptr), vekStsOk);
            return {src.begin(), src.end()};
        }
    }
    EXPECT_EQ((inverse ? Inv : Fwd)(reinterpret_cast<const C*>(src.data()), out, s, sf, nullptr), vekStsOk);
    EXPECT_TRUE(dst.guard_intact());
    return in_place ? std::vector<long long>(src.begin(), src.end()) : std::vector<long long>(dst.data(), dst.data() + x.size());
}

template <class I, class S, auto Fwd, auto Inv, auto FwdI = nullptr, auto InvI = nullptr>
std::vector<long long> run_split(const void* spec, const std::vector<long long>& x, bool inverse, bool in_place, int sf) {
    const std::size_t n = x.size() / 2;
    std::vector<I> re(n), im(n);
    for (std::size_t i = 0; i < n; ++i) { re[i] = static_cast<I>(x[2 * i]); im[i] = static_cast<I>(x[2 * i + 1]); }
    vt::Guarded<I> dre(n), dim(n);
    I* ore = in_place ? re.data() : dre.data();
    I* oim = in_place ? im.data() : dim.data();
    const S* s = static_cast<const S*>(spec);
    if constexpr (!std::is_null_pointer_v<decltype(FwdI)>) {
        if (in_place) EXPECT_EQ((inverse ? InvI : FwdI)(re.data(), im.data(), s, sf, nullptr), vekStsOk);
    }
    if (!in_place || std::is_null_pointer_v<decltype(FwdI)>) {
        EXPECT_EQ((inverse ? Inv : Fwd)(re.data(), im.data(), ore, oim, s, sf, nullptr), vekStsOk);
    }
    EXPECT_TRUE(dre.guard_intact() && dim.guard_intact());
    std::vector<long long> y(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        y[2 * i] = ore[i];
        y[2 * i + 1] = oim[i];
    }
    return y;
}

#define FFTI_FFT(T, RUN, ...)                                                                                       \
    [](void** p, int n, int f, int h) { return veksFFTInitAlloc_C_##T(reinterpret_cast<VeksFFTSpec_C_##T**>(p), dftt::order_of(n), f, h); }, \
        [](void* s) { return veksFFTFree_C_##T(static_cast<VeksFFTSpec_C_##T*>(s)); },                               \
        [](const void* s, int* b) { return veksFFTGetBufSize_C_##T(static_cast<const VeksFFTSpec_C_##T*>(s), b); },  \
        RUN<__VA_ARGS__, VeksFFTSpec_C_##T, veksFFTFwd_CToC_##T##_Sfs, veksFFTInv_CToC_##T##_Sfs, veksFFTFwd_CToC_##T##_ISfs, veksFFTInv_CToC_##T##_ISfs>
#define FFTI_DFT(T, RUN, ...)                                                                                       \
    DFTT_LIFE(DFT, C_##T, n), RUN<__VA_ARGS__, VeksDFTSpec_C_##T, veksDFTFwd_CToC_##T##_Sfs, veksDFTInv_CToC_##T##_Sfs>

const IntKind kKinds[] = {
    {"C_16sc", false, false, FFTI_FFT(16sc, run_c, Vek16s, Vek16sc)},
    {"C_16s", false, false, FFTI_FFT(16s, run_split, Vek16s)},
    {"C_32sc", true, false, FFTI_FFT(32sc, run_c, Vek32s, Vek32sc)},
    {"C_32s", true, false, FFTI_FFT(32s, run_split, Vek32s)},
    {"DFT C_16sc", false, true, FFTI_DFT(16sc, run_c, Vek16s, Vek16sc)},
    {"DFT C_16s", false, true, FFTI_DFT(16s, run_split, Vek16s)},
};
using IntSpec = fftt::SpecOf<IntKind>;

std::vector<long long> random_ints(int n, long long amp, std::uint64_t seed) {
    vt::Rng rng(seed);
    std::vector<long long> x(std::size_t(2) * n);
    for (auto& v : x) v = rng.integer<long long>(-amp, amp);
    return x;
}

// The exact result: reference transform, times the flag's factor and
// 2^-sf, rounded to nearest (ties to even) and saturated.
std::vector<cld> reference(const std::vector<long long>& x, bool inverse) {
    std::vector<cld> c(x.size() / 2);
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = cld(x[2 * i], x[2 * i + 1]);
    return fftref::transform(c, inverse ? 1 : -1);
}

std::vector<long long> expected(const std::vector<cld>& y, long double factor, int sf, bool wide) {
    const long double hi = wide ? 2147483647.0L : 32767.0L, lo = -hi - 1;
    std::vector<long long> r(2 * y.size());
    for (std::size_t i = 0; i < y.size(); ++i) {
        for (int part = 0; part < 2; ++part) {
            const long double v = std::ldexp((part ? y[i].imag() : y[i].real()) * factor, -sf);
            r[2 * i + part] = static_cast<long long>(std::clamp(std::nearbyint(v), lo, hi));
        }
    }
    return r;
}

long long max_diff(const std::vector<long long>& a, const std::vector<long long>& b) {
    long long d = 0;
    for (std::size_t i = 0; i < a.size(); ++i) d = std::max(d, std::llabs(a[i] - b[i]));
    return d;
}

// The scale factor that brings the transform back to the input's range
// (lg: log2 N rounded up).
int natural_sf(int flag, bool inverse, int lg) {
    const bool scaled = inverse ? flag == vekFftNormInv : flag == vekFftNormFwd;
    if (scaled) return 0;
    return flag == vekFftNormSqrt ? lg - lg / 2 : lg;
}

// Fixed point (16-bit FFT kinds, hint 0, order <= 8): the inputs are
// carried with 15 - order fraction bits and the twiddles in Q14, so every
// twiddled pass adds an error of about 2^-14 of the values' size; over
// ceil(order/2) passes that stays below order * 2^-13 of the largest
// output, plus one unit for the final rounding. The float engines (16-bit
// FFTs beyond order 8 or with hint 2, every 32-bit form, the DFTs): the
// float error is far below one unit, so only ties may round apart. Scale
// factors two below the natural one saturate, two above it round.
TEST(FftInt, EnginesAgainstReference) {
    const std::vector<int> fft_lengths = {1, 2, 4, 8, 16, 32, 128, 256, 512, 2048, 8192};
    const std::vector<int> dft_lengths = {1, 2, 3, 5, 6, 7, 12, 16, 45, 151, 302};
    for (const auto& k : kKinds) {
        for (int n : k.dft ? dft_lengths : fft_lengths) {
            if (!k.wide && !k.dft && n == 1) continue; // order 0 of the 16-bit forms is the plain shift
            const int lg = n > 1 ? 32 - __builtin_clz(unsigned(n - 1)) : 0;
            const auto x = random_ints(n, k.wide ? 1000000000LL : 20000, 60 + n);
            const std::vector<cld> ref[2] = {reference(x, false), reference(x, true)};
            for (int hint : {vekHintSpeed, vekHintPrecision}) {
                const bool fixed = !k.wide && !k.dft && hint == vekHintSpeed && n <= 256;
                if (hint == vekHintSpeed && !fixed) continue;
                for (int flag : fftt::kFlags) {
                    IntSpec spec(k, n, flag, hint);
                    ASSERT_EQ(spec.status(), vekStsOk);
                    for (int v = 0; v < 6; ++v) {
                        const bool inverse = v % 2;
                        const int sf = natural_sf(flag, inverse, lg) + (v / 2 == 2 ? -2 : v / 2 == 1 ? 2 : 0);
                        const long double f = inverse ? dftt::inv_factor(flag, n) : dftt::fwd_factor(flag, n);
                        const auto want = expected(ref[inverse], f, sf, k.wide);
                        long long peak = 0;
                        for (long long w : want) peak = std::max(peak, std::llabs(w));
                        const long long tol = fixed ? 1 + static_cast<long long>(std::ldexp(static_cast<double>(peak) * lg, -13)) : 1;
                        EXPECT_LE(max_diff(k.run(spec.get(), x, inverse, v / 2 == 1, sf), want), tol)
                            << k.name << " n " << n << " hint " << hint << " flag " << flag << " inverse " << inverse << " sf " << sf;
                    }
                }
            }
        }
    }
}

TEST(FftInt, OrderZeroShiftsRoundingHalfUp) {
    struct Row { int in, sf, out; };
    const Row rows[] = {{3, 1, 2}, {-3, 1, -1}, {5, 1, 3}, {-5, 1, -2}, {6, 2, 2}, {-6, 2, -1}, {7, 0, 7},
                        {20000, -1, 32767}, {-20000, -1, -32768}, {1, -16, 32767}, {0, -16, 0}, {-32768, 40, 0}, {32767, 16, 0}};
    for (const auto& k : {kKinds[0], kKinds[1]}) {
        for (int flag : fftt::kFlags) {
            for (int hint : {0, 2}) {
                IntSpec spec(k, 1, flag, hint);
                for (const auto& r : rows) {
                    for (bool inverse : {false, true}) {
                        const auto y = k.run(spec.get(), {r.in, -r.in}, inverse, false, r.sf);
                        EXPECT_EQ(y[0], r.out) << k.name << " " << r.in << " sf " << r.sf;
                    }
                }
            }
        }
    }
}

// The most extreme scale factors saturate or vanish without overflow.
TEST(FftInt, ExtremeScaleFactors) {
    for (const auto& k : kKinds) {
        for (int hint : {0, 2}) {
            IntSpec spec(k, 16, vekFftNormNone, hint);
            const long long amp = k.wide ? (1LL << 30) : 30000;
            std::vector<long long> x(32);
            for (std::size_t i = 0; i < 16; ++i) { x[2 * i] = amp; x[2 * i + 1] = -amp; }
            EXPECT_EQ(k.run(spec.get(), x, true, false, INT_MIN)[0], k.wide ? 2147483647LL : 32767) << k.name;
            const auto zero = k.run(spec.get(), x, true, false, INT_MAX);
            EXPECT_TRUE(std::all_of(zero.begin(), zero.end(), [](long long v) { return v == 0; })) << k.name;
        }
    }
}

} // namespace
