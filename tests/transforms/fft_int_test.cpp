// Integer complex transforms: the fixed-point engine, the float engines of
// the 16- and 32-bit forms, scaling, rounding and saturation.
#include <algorithm>
#include <climits>
#include <cstdio>

#include "fft_reference.h"
#include "fft_test_util.h"

namespace {

using fftref::cld;
using fftt::kind;

// One integer form on interleaved data held as long long pairs.
struct IntKind {
    const char* name;
    bool wide; // 32-bit data
    std::vector<long long> (*run)(const void* spec, const std::vector<long long>& x, bool inverse, bool in_place, int sf);
};

template <class I, class C, class S, auto Fwd, auto Inv, auto FwdI, auto InvI>
std::vector<long long> run_c(const void* spec, const std::vector<long long>& x, bool inverse, bool in_place, int sf) {
    std::vector<I> src(x.begin(), x.end());
    vt::Guarded<I> dst(x.size());
    const S* s = static_cast<const S*>(spec);
    if (in_place) {
        EXPECT_EQ((inverse ? InvI : FwdI)(reinterpret_cast<C*>(src.data()), s, sf, nullptr), vekStsOk);
        return {src.begin(), src.end()};
    }
    EXPECT_EQ((inverse ? Inv : Fwd)(reinterpret_cast<const C*>(src.data()), reinterpret_cast<C*>(dst.data()), s, sf, nullptr), vekStsOk);
    EXPECT_TRUE(dst.guard_intact());
    return {dst.data(), dst.data() + x.size()};
}

template <class I, class S, auto Fwd, auto Inv, auto FwdI, auto InvI>
std::vector<long long> run_split(const void* spec, const std::vector<long long>& x, bool inverse, bool in_place, int sf) {
    const std::size_t n = x.size() / 2;
    std::vector<I> re(n), im(n);
    for (std::size_t i = 0; i < n; ++i) { re[i] = static_cast<I>(x[2 * i]); im[i] = static_cast<I>(x[2 * i + 1]); }
    vt::Guarded<I> dre(n), dim(n);
    const S* s = static_cast<const S*>(spec);
    if (in_place) {
        EXPECT_EQ((inverse ? InvI : FwdI)(re.data(), im.data(), s, sf, nullptr), vekStsOk);
    } else {
        EXPECT_EQ((inverse ? Inv : Fwd)(re.data(), im.data(), dre.data(), dim.data(), s, sf, nullptr), vekStsOk);
        EXPECT_TRUE(dre.guard_intact() && dim.guard_intact());
    }
    std::vector<long long> y(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        y[2 * i] = in_place ? re[i] : dre[i];
        y[2 * i + 1] = in_place ? im[i] : dim[i];
    }
    return y;
}

const IntKind kKinds[] = {
    {"C_16sc", false, run_c<Vek16s, Vek16sc, VeksFFTSpec_C_16sc, veksFFTFwd_CToC_16sc_Sfs, veksFFTInv_CToC_16sc_Sfs, veksFFTFwd_CToC_16sc_ISfs, veksFFTInv_CToC_16sc_ISfs>},
    {"C_16s", false, run_split<Vek16s, VeksFFTSpec_C_16s, veksFFTFwd_CToC_16s_Sfs, veksFFTInv_CToC_16s_Sfs, veksFFTFwd_CToC_16s_ISfs, veksFFTInv_CToC_16s_ISfs>},
    {"C_32sc", true, run_c<Vek32s, Vek32sc, VeksFFTSpec_C_32sc, veksFFTFwd_CToC_32sc_Sfs, veksFFTInv_CToC_32sc_Sfs, veksFFTFwd_CToC_32sc_ISfs, veksFFTInv_CToC_32sc_ISfs>},
    {"C_32s", true, run_split<Vek32s, VeksFFTSpec_C_32s, veksFFTFwd_CToC_32s_Sfs, veksFFTInv_CToC_32s_Sfs, veksFFTFwd_CToC_32s_ISfs, veksFFTInv_CToC_32s_ISfs>},
};

std::vector<long long> random_ints(int order, long long amp, std::uint64_t seed) {
    vt::Rng rng(seed);
    std::vector<long long> x(std::size_t(2) << order);
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

// The scale factor that brings the transform back to the input's range.
int natural_sf(int flag, bool inverse, int order) {
    const bool scaled = inverse ? flag == vekFftNormInv : flag == vekFftNormFwd;
    if (scaled) return 0;
    return flag == vekFftNormSqrt ? order - order / 2 : order;
}

// Fixed point: the inputs are carried with 15 - order fraction bits and the
// twiddles in Q14, so every twiddled pass adds an error of about 2^-14 of
// the values' size; over ceil(order/2) passes that stays below
// order * 2^-13 of the largest output, plus one unit for the final rounding.
TEST(FftInt, FixedPointAgainstReference) {
    long long worst[9] = {};
    for (int k = 0; k < 2; ++k) {
        for (int order = 1; order <= 8; ++order) {
            const auto x = random_ints(order, 20000, 40 + order);
            for (int flag : fftt::kFlags) {
                fftt::Spec spec(kind(kKinds[k].name), order, flag, vekHintSpeed);
                ASSERT_EQ(spec.status(), vekStsOk);
                for (bool inverse : {false, true}) {
                    const int sf = natural_sf(flag, inverse, order);
                    const long double f = inverse ? fftt::inv_factor(flag, order) : fftt::fwd_factor(flag, order);
                    const auto want = expected(reference(x, inverse), f, sf, false);
                    const auto got = kKinds[k].run(spec.get(), x, inverse, false, sf);
                    long long peak = 0;
                    for (long long v : want) peak = std::max(peak, std::llabs(v));
                    const long long tol = 1 + static_cast<long long>(std::ldexp(static_cast<double>(peak) * order, -13));
                    const long long d = max_diff(got, want);
                    worst[order] = std::max(worst[order], d);
                    EXPECT_LE(d, tol) << kKinds[k].name << " order " << order << " flag " << flag << " inverse " << inverse;
                    EXPECT_EQ(kKinds[k].run(spec.get(), x, inverse, true, sf), got) << "in place differs";
                }
            }
        }
    }
    std::printf("fixed point, max deviation from exact by order:");
    for (int order = 1; order <= 8; ++order) std::printf(" %d:%lld", order, worst[order]);
    std::printf("\n");
}

// Float engines (16-bit beyond order 8 or with hint 2; every 32-bit form):
// the float error is far below one unit, so only ties may round apart.
TEST(FftInt, FloatEnginesAgainstReference) {
    for (const auto& k : kKinds) {
        for (int order : {0, 1, 2, 3, 4, 7, 9, 11, 13}) {
            if (!k.wide && order == 0) continue; // order 0 of the 16-bit forms is the plain shift
            const auto x = random_ints(order, k.wide ? 1000000000LL : 20000, 60 + order);
            const std::vector<cld> ref[2] = {reference(x, false), reference(x, true)};
            for (int flag : fftt::kFlags) {
                fftt::Spec spec(kind(k.name), order, flag, vekHintPrecision);
                ASSERT_EQ(spec.status(), vekStsOk);
                for (bool inverse : {false, true}) {
                    for (int extra : {0, 2}) {
                        const int sf = natural_sf(flag, inverse, order) + extra;
                        const long double f = inverse ? fftt::inv_factor(flag, order) : fftt::fwd_factor(flag, order);
                        const auto got = k.run(spec.get(), x, inverse, extra == 2, sf);
                        EXPECT_LE(max_diff(got, expected(ref[inverse], f, sf, k.wide)), 1)
                            << k.name << " order " << order << " flag " << flag << " inverse " << inverse;
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
    for (const char* name : {"C_16sc", "C_16s"}) {
        const auto& k = name[5] == 'c' ? kKinds[0] : kKinds[1];
        for (int flag : fftt::kFlags) {
            for (int hint : {0, 2}) {
                fftt::Spec spec(kind(name), 0, flag, hint);
                for (const auto& r : rows) {
                    for (bool inverse : {false, true}) {
                        const auto y = k.run(spec.get(), {r.in, -r.in}, inverse, false, r.sf);
                        EXPECT_EQ(y[0], r.out) << name << " " << r.in << " sf " << r.sf;
                    }
                }
            }
        }
    }
}

TEST(FftInt, ResultsSaturate) {
    for (const auto& k : kKinds) {
        for (int hint : {0, 2}) {
            fftt::Spec spec(kind(k.name), 4, vekFftNormNone, hint);
            const long long amp = k.wide ? (1LL << 30) : 30000;
            std::vector<long long> x(32);
            for (std::size_t i = 0; i < 16; ++i) { x[2 * i] = amp; x[2 * i + 1] = -amp; }
            const auto y = k.run(spec.get(), x, false, false, 0);
            const long long hi = k.wide ? 2147483647LL : 32767;
            EXPECT_EQ(y[0], hi) << k.name;
            EXPECT_EQ(y[1], -hi - 1) << k.name;
            for (std::size_t i = 2; i < 32; ++i) EXPECT_LE(std::llabs(y[i]), 2) << k.name << " " << i;
            // The most extreme scale factors saturate or vanish without overflow.
            EXPECT_EQ(k.run(spec.get(), x, true, false, INT_MIN)[0], hi) << k.name;
            const auto zero = k.run(spec.get(), x, true, false, INT_MAX);
            EXPECT_TRUE(std::all_of(zero.begin(), zero.end(), [](long long v) { return v == 0; })) << k.name;
        }
    }
}

// Forward by 1/N with three extra bits, inverse taking them off: the
// spectrum is rounded to 1/8 of a unit, so the inverse sums N errors of at
// most 1/16 each (a few times sqrt(N)/16 at worst); the fixed-point engine adds
// its twiddle error.
TEST(FftInt, RoundTripReturnsTheInput) {
    for (const auto& k : kKinds) {
        for (int order : {2, 5, 8, 10}) {
            const auto x = random_ints(order, k.wide ? 1 << 28 : 3000, order);
            fftt::Spec spec(kind(k.name), order, vekFftNormFwd);
            const auto y = k.run(spec.get(), k.run(spec.get(), x, false, false, -3), true, true, 3);
            const long long tol = 2 + (1LL << (order / 2)) / 4 + (k.wide ? 0 : order);
            EXPECT_LE(max_diff(x, y), tol) << k.name << " order " << order;
        }
    }
}

TEST(FftInt, CheckOrderWritesNothing) {
    fftt::Spec sc(kind("C_16sc"), 3, vekFftNormNone), ss(kind("C_16s"), 3, vekFftNormNone);
    fftt::Spec wc(kind("C_32sc"), 3, vekFftNormNone), ws(kind("C_32s"), 3, vekFftNormNone);
    std::vector<Vek16sc> a(8);
    std::vector<Vek32s> r(8);
    vt::Guarded<Vek16sc> d(8);
    vt::Guarded<Vek32s> dr(8), di(8);
    vt::Guarded<Vek32sc> c(8);
    const auto intact = [&] { return d.intact() && dr.intact() && di.intact() && c.intact(); };
    using vt::ptr_or_null;
    fftt::expect_spec_then_ptrs(2, sc.get(), ss.get(), [&](const void* sp, int nul) {
        return veksFFTInv_CToC_16sc_Sfs(ptr_or_null(a.data(), 0, nul), ptr_or_null(d.data(), 1, nul),
                                        static_cast<const VeksFFTSpec_C_16sc*>(sp), 0, nullptr);
    }, intact);
    fftt::expect_spec_then_ptrs(4, ws.get(), wc.get(), [&](const void* sp, int nul) {
        return veksFFTFwd_CToC_32s_Sfs(ptr_or_null(r.data(), 0, nul), ptr_or_null(r.data(), 1, nul), ptr_or_null(dr.data(), 2, nul),
                                       ptr_or_null(di.data(), 3, nul), static_cast<const VeksFFTSpec_C_32s*>(sp), 0, nullptr);
    }, intact);
    fftt::expect_spec_then_ptrs(1, wc.get(), ws.get(), [&](const void* sp, int nul) {
        return veksFFTFwd_CToC_32sc_ISfs(ptr_or_null(c.data(), 0, nul), static_cast<const VeksFFTSpec_C_32sc*>(sp), 0, nullptr);
    }, intact);
}

} // namespace
