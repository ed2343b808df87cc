// Integer complex transforms: the fixed-point engine, the float engines of
// the 16- and 32-bit forms, scaling, rounding and saturation.
#include <climits>

#include "float_kinds.h"

namespace {

using fftref::cld;

// One integer complex form; run is a float kind's runner with the scale
// factor in place of the layout.
struct IntKind {
    const char* name;
    bool wide, dft; // 32-bit data; a DFT kind
    VekStatus (*init_alloc)(void**, int, int, int);
    VekStatus (*free)(void*);
    VekStatus (*get_buf_size)(const void*, int*);
    decltype(dftt::Kind::run) run;
};

#define FFTI_FFT(K, T, C)                                                                                           \
    DFTT_LIFE(FFT, C_##K, dftt::order_of(n)),                                                                        \
        dftt::run_complex<T, C, VeksFFTSpec_C_##K, veksFFTFwd_CToC_##K##_Sfs, veksFFTInv_CToC_##K##_Sfs,              \
                  veksFFTFwd_CToC_##K##_ISfs, veksFFTInv_CToC_##K##_ISfs>
#define FFTI_DFT(K, T, C)                                                                                           \
    DFTT_LIFE(DFT, C_##K, n), dftt::run_complex<T, C, VeksDFTSpec_C_##K, veksDFTFwd_CToC_##K##_Sfs, veksDFTInv_CToC_##K##_Sfs>

const IntKind kKinds[] = {
    {"C_16sc", false, false, FFTI_FFT(16sc, Vek16s, Vek16sc)},
    {"C_16s", false, false, FFTI_FFT(16s, Vek16s, Vek16s)},
    {"C_32sc", true, false, FFTI_FFT(32sc, Vek32s, Vek32sc)},
    {"C_32s", true, false, FFTI_FFT(32s, Vek32s, Vek32s)},
    {"DFT C_16sc", false, true, FFTI_DFT(16sc, Vek16s, Vek16sc)},
    {"DFT C_16s", false, true, FFTI_DFT(16s, Vek16s, Vek16s)},
};
using IntSpec = fftt::SpecOf<IntKind>;

// One transform of n points on a spec of kind k; the inverse's data start at an odd byte address.
std::vector<cld> run(const IntKind& k, const IntSpec& spec, const std::vector<cld>& x, bool inverse, bool in_place, int sf) {
    return k.run(spec.get(), x, int(x.size()), inverse, in_place, sf, nullptr, inverse ? 1 : 0);
}

// The exact result: the reference transform times the flag's factor and
// 2^-sf, rounded to nearest (ties to even) and saturated.
std::vector<cld> expected(const std::vector<cld>& y, long double factor, int sf, bool wide) {
    const long double hi = wide ? 2147483647.0L : 32767.0L, lo = -hi - 1;
    const auto one = [&](long double v) { return std::clamp(std::nearbyint(std::ldexp(v * factor, -sf)), lo, hi); };
    std::vector<cld> r(y.size());
    for (std::size_t i = 0; i < y.size(); ++i) r[i] = cld(one(y[i].real()), one(y[i].imag()));
    return r;
}

long double max_diff(const std::vector<cld>& a, const std::vector<cld>& b) {
    long double d = 0;
    for (std::size_t i = 0; i < a.size(); ++i) d = std::max({d, std::fabs(a[i].real() - b[i].real()), std::fabs(a[i].imag() - b[i].imag())});
    return d;
}

// The scale factor that brings the transform back to the input's range
// (lg: log2 N rounded up).
int natural_sf(int flag, bool inverse, int lg) {
    const bool scaled = inverse ? flag == vekFftNormInv : flag == vekFftNormFwd;
    if (scaled) return 0;
    return flag == vekFftNormSqrt ? lg - lg / 2 : lg;
}

// Fixed point (16-bit FFT kinds, hint 0, order <= 8): Q14 twiddles add about 2^-14 of the values' size
// per twiddled pass; over ceil(order/2) passes that stays below order * 2^-13 of the largest output, plus
// one unit for the final rounding. The float engines (16-bit FFTs beyond order 8 or with hint 2, every
// 32-bit form, the DFTs) err far below one unit: only ties may round apart. Scale factors two below the
// natural one saturate, two above it round.
TEST(FftInt, EnginesAgainstReference) {
    const std::vector<int> fft_lengths = {1, 2, 4, 8, 16, 32, 128, 256, 512, 2048, 8192};
    const std::vector<int> dft_lengths = {1, 2, 3, 5, 6, 7, 12, 16, 45, 151, 302};
    for (const auto& k : kKinds)
        for (int n : k.dft ? dft_lengths : fft_lengths) {
            if (!k.wide && !k.dft && n == 1) continue; // order 0 of the 16-bit forms is the plain shift
            const int lg = n > 1 ? 32 - __builtin_clz(unsigned(n - 1)) : 0;
            const auto x = dftt::random_signal(n, false, 60 + n, k.wide ? 1000000000LL : 20000);
            const std::vector<cld> ref[2] = {fftref::transform(x, -1), fftref::transform(x, 1)};
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
                        long double peak = 0;
                        for (const cld& w : want) peak = std::max({peak, std::fabs(w.real()), std::fabs(w.imag())});
                        const long double tol = fixed ? 1 + std::floor(std::ldexp(peak * lg, -13)) : 1;
                        EXPECT_LE(max_diff(run(k, spec, x, inverse, v / 2 == 1, sf), want), tol)
                            << k.name << " n " << n << " hint " << hint << " flag " << flag << " inverse " << inverse << " sf " << sf;
                    }
                }
            }
        }
}

TEST(FftInt, OrderZeroShiftsRoundingHalfUp) {
    struct Row { int in, sf, out; };
    const Row rows[] = {{3, 1, 2}, {-3, 1, -1}, {5, 1, 3}, {-5, 1, -2}, {6, 2, 2}, {-6, 2, -1}, {7, 0, 7},
                        {20000, -1, 32767}, {-20000, -1, -32768}, {1, -16, 32767}, {0, -16, 0}, {-32768, 40, 0}, {32767, 16, 0}};
    for (const auto& k : {kKinds[0], kKinds[1]})
        for (int flag : fftt::kFlags)
            for (int hint : {0, 2}) {
                IntSpec spec(k, 1, flag, hint);
                for (const auto& r : rows)
                    for (bool inverse : {false, true}) {
                        const auto y = run(k, spec, {cld(r.in, -r.in)}, inverse, false, r.sf);
                        EXPECT_EQ(y[0].real(), r.out) << k.name << " " << r.in << " sf " << r.sf;
                    }
            }
}

// The most extreme scale factors saturate or vanish without overflow.
TEST(FftInt, ExtremeScaleFactors) {
    for (const auto& k : kKinds)
        for (int hint : {0, 2}) {
            IntSpec spec(k, 16, vekFftNormNone, hint);
            const long long amp = k.wide ? (1LL << 30) : 30000;
            const std::vector<cld> x(16, cld(amp, -amp));
            EXPECT_EQ(run(k, spec, x, true, false, INT_MIN)[0].real(), k.wide ? 2147483647LL : 32767) << k.name;
            const auto zero = run(k, spec, x, true, false, INT_MAX);
            EXPECT_TRUE(std::all_of(zero.begin(), zero.end(), [](cld v) { return v == cld(0); })) << k.name;
        }
}

} // namespace
