// Real transforms in the three layouts against long double references,
// layout consistency, round trips and the integer forms.
#include <algorithm>
#include <cstdio>

#include "fft_reference.h"
#include "fft_test_util.h"

namespace {

using fftref::cld;
using fftt::kind;

enum Lay { kPerm, kPack, kCcs };
const char* const kLayName[] = {"Perm", "Pack", "CCS"};

// The spectrum of n points in a layout, from the full complex spectrum.
std::vector<long double> pack(const std::vector<cld>& X, Lay l) {
    const std::size_t n = X.size();
    std::vector<long double> p(l == kCcs ? (n == 1 ? 2 : n + 2) : n);
    p[0] = X[0].real();
    if (l == kCcs) p[1] = 0;
    if (n == 1) return p;
    const long double nyq = X[n / 2].real();
    for (std::size_t k = 1; k < n / 2; ++k) {
        const std::size_t at = l == kPack ? 2 * k - 1 : 2 * k;
        p[at] = X[k].real();
        p[at + 1] = X[k].imag();
    }
    if (l == kPerm) p[1] = nyq;
    if (l == kPack) p[n - 1] = nyq;
    if (l == kCcs) { p[n] = nyq; p[n + 1] = 0; }
    return p;
}

long double rel_rms(const std::vector<long double>& want, const std::vector<long double>& got, long double scale = 1) {
    long double num = 0, den = 0;
    for (std::size_t i = 0; i < want.size(); ++i) {
        num += (got[i] - want[i] * scale) * (got[i] - want[i] * scale);
        den += want[i] * scale * want[i] * scale;
    }
    return std::sqrt(num / (den > 0 ? den : 1));
}

template <class T>
struct RealFns {
    VekStatus (*fwd[3])(const T*, T*, const void*, Vek8u*);
    VekStatus (*inv[3])(const T*, T*, const void*, Vek8u*);
    VekStatus (*fwd_i[3])(T*, const void*, Vek8u*);
    VekStatus (*inv_i[3])(T*, const void*, Vek8u*);
};

#define FFTT_REAL(T, S)                                                                                          \
    RealFns<Vek##T> {                                                                                            \
        {[](const Vek##T* s, Vek##T* d, const void* p, Vek8u* b) { return veksFFTFwd_RToPerm_##T(s, d, static_cast<const S*>(p), b); }, \
         [](const Vek##T* s, Vek##T* d, const void* p, Vek8u* b) { return veksFFTFwd_RToPack_##T(s, d, static_cast<const S*>(p), b); }, \
         [](const Vek##T* s, Vek##T* d, const void* p, Vek8u* b) { return veksFFTFwd_RToCCS_##T(s, d, static_cast<const S*>(p), b); }}, \
        {[](const Vek##T* s, Vek##T* d, const void* p, Vek8u* b) { return veksFFTInv_PermToR_##T(s, d, static_cast<const S*>(p), b); }, \
         [](const Vek##T* s, Vek##T* d, const void* p, Vek8u* b) { return veksFFTInv_PackToR_##T(s, d, static_cast<const S*>(p), b); }, \
         [](const Vek##T* s, Vek##T* d, const void* p, Vek8u* b) { return veksFFTInv_CCSToR_##T(s, d, static_cast<const S*>(p), b); }}, \
        {[](Vek##T* d, const void* p, Vek8u* b) { return veksFFTFwd_RToPerm_##T##_I(d, static_cast<const S*>(p), b); }, \
         [](Vek##T* d, const void* p, Vek8u* b) { return veksFFTFwd_RToPack_##T##_I(d, static_cast<const S*>(p), b); }, \
         [](Vek##T* d, const void* p, Vek8u* b) { return veksFFTFwd_RToCCS_##T##_I(d, static_cast<const S*>(p), b); }}, \
        {[](Vek##T* d, const void* p, Vek8u* b) { return veksFFTInv_PermToR_##T##_I(d, static_cast<const S*>(p), b); }, \
         [](Vek##T* d, const void* p, Vek8u* b) { return veksFFTInv_PackToR_##T##_I(d, static_cast<const S*>(p), b); }, \
         [](Vek##T* d, const void* p, Vek8u* b) { return veksFFTInv_CCSToR_##T##_I(d, static_cast<const S*>(p), b); }} \
    }

const RealFns<Vek32f> k32 = FFTT_REAL(32f, VeksFFTSpec_R_32f);
const RealFns<Vek64f> k64 = FFTT_REAL(64f, VeksFFTSpec_R_64f);

std::vector<long double> random_real(int order, std::uint64_t seed) {
    vt::Rng rng(seed);
    std::vector<long double> x(std::size_t(1) << order);
    for (auto& v : x) v = static_cast<float>(rng.real(-1, 1));
    return x;
}

std::vector<cld> spectrum(const std::vector<long double>& x) {
    std::vector<cld> c(x.begin(), x.end());
    return fftref::transform(c, -1);
}

TEST(FftReal, SmallExamples) {
    fftt::Spec s(kind("R_32f"), 2, vekFftNormNone);
    const Vek32f x[4] = {1, 2, 3, 4};
    const std::vector<std::vector<Vek32f>> want = {{10, -2, -2, 2}, {10, -2, 2, -2}, {10, 0, -2, 2, -2, 0}};
    for (int l = 0; l < 3; ++l) {
        vt::Guarded<Vek32f> d(want[l].size());
        ASSERT_EQ(k32.fwd[l](x, d.data(), s.get(), nullptr), vekStsOk);
        EXPECT_EQ(d.values(), want[l]) << kLayName[l];
        EXPECT_TRUE(d.guard_intact());
    }
    for (int order : {0, 1}) {
        fftt::Spec t(kind("R_64f"), order, vekFftNormNone);
        const Vek64f y[2] = {5, 3};
        std::vector<Vek64f> d(4, -1);
        k64.fwd[kCcs](y, d.data(), t.get(), nullptr);
        const std::vector<Vek64f> want = order == 0 ? std::vector<Vek64f>{5, 0, -1, -1} : std::vector<Vek64f>{8, 0, 2, 0};
        EXPECT_EQ(d, want);
        k64.fwd[kPack](y, d.data(), t.get(), nullptr);
        EXPECT_EQ(d[0], order == 0 ? 5 : 8);
    }
}

template <class T>
void check_kind(const char* name, const RealFns<T>& fn, bool dbl, int max_order) {
    for (int order = 0; order <= max_order; ++order) {
        const std::size_t n = std::size_t(1) << order;
        const auto x = random_real(order, 300 + order);
        const auto X = spectrum(x);
        long double worst = 0;
        for (int flag : fftt::kFlags) {
            fftt::Spec spec(kind(name), order, flag);
            ASSERT_EQ(spec.status(), vekStsOk);
            const long double ff = fftt::fwd_factor(flag, order), fi = fftt::inv_factor(flag, order);
            const long double tol = (dbl ? 4e-15L : 2e-6L) * std::max(order, 1);
            std::vector<T> perm;
            for (int l = 0; l < 3; ++l) {
                const auto want = pack(X, static_cast<Lay>(l));
                std::vector<T> src(x.begin(), x.end()), out(want.size() + 1, T(-9)), in(want.size());
                std::copy(x.begin(), x.end(), in.begin());
                ASSERT_EQ(fn.fwd[l](src.data(), out.data(), spec.get(), nullptr), vekStsOk);
                ASSERT_EQ(fn.fwd_i[l](in.data(), spec.get(), nullptr), vekStsOk);
                EXPECT_EQ(out[want.size()], T(-9)) << "wrote past the layout";
                out.pop_back();
                EXPECT_EQ(out, in) << name << " " << kLayName[l] << " order " << order << ": in place differs";
                const long double e = rel_rms(want, std::vector<long double>(out.begin(), out.end()), ff);
                worst = std::max(worst, e);
                EXPECT_LT(e, tol) << name << " " << kLayName[l] << " order " << order << " flag " << flag;
                // the layouts hold the same values
                if (l == kPerm) {
                    perm = out;
                } else {
                    for (std::size_t k = 0; k < n && n > 1; ++k) {
                        const std::size_t at = l == kCcs ? (k == 1 ? n : k) : (k == 0 ? 0 : k == 1 ? n - 1 : k - 1);
                        EXPECT_EQ(out[at], perm[k]) << kLayName[l] << " " << k;
                    }
                }
                // inverse from the exact spectrum in this layout
                std::vector<T> spec_in(want.begin(), want.end()), back(n + 1, T(-9)), back_i(spec_in);
                ASSERT_EQ(fn.inv[l](spec_in.data(), back.data(), spec.get(), nullptr), vekStsOk);
                ASSERT_EQ(fn.inv_i[l](back_i.data(), spec.get(), nullptr), vekStsOk);
                EXPECT_EQ(back[n], T(-9));
                back.pop_back();
                back_i.resize(n);
                EXPECT_EQ(back, back_i) << name << " inverse " << kLayName[l] << " order " << order << ": in place differs";
                const long double ei = rel_rms(x, std::vector<long double>(back.begin(), back.end()), fi * static_cast<long double>(n));
                EXPECT_LT(ei, tol) << name << " inverse " << kLayName[l] << " order " << order << " flag " << flag;
            }
        }
        if (order == max_order || order % 4 == 0) std::printf("%s order %d: max relative RMS error %.2Lg\n", name, order, worst);
    }
}

TEST(FftReal, Float32AllLayoutsFlagsAndDirections) { check_kind("R_32f", k32, false, 17); }
TEST(FftReal, Float64AllLayoutsFlagsAndDirections) { check_kind("R_64f", k64, true, 17); }

TEST(FftReal, RoundTripScalesByN) {
    for (int order : {1, 3, 4, 9, 12, 14}) {
        const auto x = random_real(order, order);
        fftt::Spec s(kind("R_32f"), order, vekFftNormNone);
        std::vector<Vek32f> a(x.begin(), x.end()), b(a.size());
        k32.fwd[kPerm](a.data(), b.data(), s.get(), nullptr);
        k32.inv[kPerm](b.data(), b.data(), s.get(), nullptr);
        EXPECT_LT(rel_rms(x, std::vector<long double>(b.begin(), b.end()), std::ldexp(1.0L, order)), 2e-6L * order);
    }
}

// Integer real forms against the exact rounded result.
template <class I, class O>
using IntRealFn = VekStatus (*)(const I*, O*, const void*, int, Vek8u*);

long long expected_int(long double v, long double factor, int sf, bool wide) {
    const long double hi = wide ? 2147483647.0L : 32767.0L;
    return static_cast<long long>(std::clamp(std::nearbyint(std::ldexp(v * factor, -sf)), -hi - 1, hi));
}

TEST(FftReal, IntegerFormsAgainstReference) {
    struct Case { const char* name; int hint; bool wide_in, wide_out; long long tol; };
    // fixed point (R_16s, hint 0, order <= 8): Q14 twiddles add about 2^-13
    // of the values' size per twiddled pass, a few units here
    const Case cases[] = {{"R_32s", 0, true, true, 1}, {"R_16s", 2, false, false, 1}, {"R_16s32s", 0, false, true, 1},
                          {"R_16s", 0, false, false, 4}};
    for (const auto& c : cases) {
        for (int order : {0, 1, 2, 3, 4, 6, 9, 12}) {
            const std::size_t n = std::size_t(1) << order;
            vt::Rng rng(order);
            std::vector<long double> x(n);
            for (auto& v : x) v = static_cast<long double>(rng.integer<long long>(c.wide_in ? -(1 << 28) : -20000, c.wide_in ? 1 << 28 : 20000));
            const auto X = spectrum(x);
            fftt::Spec spec(kind(c.name), order, vekFftNormFwd, c.hint);
            ASSERT_EQ(spec.status(), vekStsOk) << c.name;
            if (c.tol > 1 && order > 8) continue;
            for (int l = 0; l < 3; ++l) {
                if (std::string(c.name) == "R_16s32s" && l != kCcs) continue;
                const auto want = pack(X, static_cast<Lay>(l));
                std::vector<long long> got(want.size());
                if (std::string(c.name) == "R_32s") {
                    const IntRealFn<Vek32s, Vek32s> f[3] = {
                        [](const Vek32s* s, Vek32s* d, const void* p, int sf, Vek8u* b) { return veksFFTFwd_RToPerm_32s_Sfs(s, d, static_cast<const VeksFFTSpec_R_32s*>(p), sf, b); },
                        [](const Vek32s* s, Vek32s* d, const void* p, int sf, Vek8u* b) { return veksFFTFwd_RToPack_32s_Sfs(s, d, static_cast<const VeksFFTSpec_R_32s*>(p), sf, b); },
                        [](const Vek32s* s, Vek32s* d, const void* p, int sf, Vek8u* b) { return veksFFTFwd_RToCCS_32s_Sfs(s, d, static_cast<const VeksFFTSpec_R_32s*>(p), sf, b); }};
                    std::vector<Vek32s> s(x.begin(), x.end()), d(want.size());
                    ASSERT_EQ(f[l](s.data(), d.data(), spec.get(), -2, nullptr), vekStsOk);
                    got.assign(d.begin(), d.end());
                } else if (std::string(c.name) == "R_16s") {
                    const IntRealFn<Vek16s, Vek16s> f[3] = {
                        [](const Vek16s* s, Vek16s* d, const void* p, int sf, Vek8u* b) { return veksFFTFwd_RToPerm_16s_Sfs(s, d, static_cast<const VeksFFTSpec_R_16s*>(p), sf, b); },
                        [](const Vek16s* s, Vek16s* d, const void* p, int sf, Vek8u* b) { return veksFFTFwd_RToPack_16s_Sfs(s, d, static_cast<const VeksFFTSpec_R_16s*>(p), sf, b); },
                        [](const Vek16s* s, Vek16s* d, const void* p, int sf, Vek8u* b) { return veksFFTFwd_RToCCS_16s_Sfs(s, d, static_cast<const VeksFFTSpec_R_16s*>(p), sf, b); }};
                    std::vector<Vek16s> s(x.begin(), x.end()), d(want.size());
                    ASSERT_EQ(f[l](s.data(), d.data(), spec.get(), -2, nullptr), vekStsOk);
                    got.assign(d.begin(), d.end());
                } else {
                    std::vector<Vek16s> s(x.begin(), x.end());
                    std::vector<Vek32s> d(want.size());
                    ASSERT_EQ(veksFFTFwd_RToCCS_16s32s_Sfs(s.data(), d.data(), spec.as<VeksFFTSpec_R_16s32s>(), -2, nullptr), vekStsOk);
                    got.assign(d.begin(), d.end());
                }
                for (std::size_t i = 0; i < want.size(); ++i)
                    EXPECT_LE(std::llabs(got[i] - expected_int(want[i], 1.0L / n, -2, c.wide_out)), c.tol)
                        << c.name << " " << kLayName[l] << " order " << order << " at " << i;
            }
        }
    }
}

// Integer round trips, including the 16-bit fixed-point engine (hint 0,
// order <= 8): forward by 1/N with three extra bits, inverse taking them off.
TEST(FftReal, IntegerRoundTrips) {
    for (int hint : {0, 2}) {
        for (int order : {0, 1, 2, 3, 4, 5, 8, 10}) {
            const std::size_t n = std::size_t(1) << order;
            vt::Rng rng(order + 9);
            std::vector<Vek16s> x(n), s(n + 2), y(n);
            for (auto& v : x) v = rng.integer<Vek16s>(-3000, 3000);
            fftt::Spec spec(kind("R_16s"), order, vekFftNormFwd, hint);
            for (int l = 0; l < 3; ++l) {
                const auto* sp = spec.as<VeksFFTSpec_R_16s>();
                VekStatus a, b;
                if (l == kPerm) { a = veksFFTFwd_RToPerm_16s_Sfs(x.data(), s.data(), sp, -3, nullptr); b = veksFFTInv_PermToR_16s_Sfs(s.data(), y.data(), sp, 3, nullptr); }
                else if (l == kPack) { a = veksFFTFwd_RToPack_16s_Sfs(x.data(), s.data(), sp, -3, nullptr); b = veksFFTInv_PackToR_16s_Sfs(s.data(), y.data(), sp, 3, nullptr); }
                else { a = veksFFTFwd_RToCCS_16s_Sfs(x.data(), s.data(), sp, -3, nullptr); b = veksFFTInv_CCSToR_16s_Sfs(s.data(), y.data(), sp, 3, nullptr); }
                ASSERT_EQ(a, vekStsOk);
                ASSERT_EQ(b, vekStsOk);
                long long d = 0;
                for (std::size_t i = 0; i < n; ++i) d = std::max(d, std::llabs(static_cast<long long>(x[i]) - y[i]));
                EXPECT_LE(d, 2 + (1LL << (order / 2)) / 4 + order) << "hint " << hint << " " << kLayName[l] << " order " << order;
            }
        }
    }
}

TEST(FftReal, CheckOrderWritesNothing) {
    fftt::Spec r(kind("R_32f"), 5, vekFftNormNone), c(kind("C_32fc"), 5, vekFftNormNone);
    std::vector<Vek32f> src(32);
    vt::Guarded<Vek32f> dst(34);
    for (int l = 0; l < 3; ++l) {
        EXPECT_EQ(k32.fwd[l](src.data(), dst.data(), nullptr, nullptr), vekStsNullPtr);
        EXPECT_EQ(k32.fwd[l](nullptr, nullptr, c.get(), nullptr), vekStsBadContext);
        EXPECT_EQ(k32.inv[l](nullptr, dst.data(), r.get(), nullptr), vekStsNullPtr);
        EXPECT_EQ(k32.inv[l](src.data(), nullptr, r.get(), nullptr), vekStsNullPtr);
    }
    EXPECT_TRUE(dst.intact());
    fftt::Spec s16(kind("R_16s"), 5, vekFftNormNone);
    std::vector<Vek16s> a(32);
    vt::Guarded<Vek32s> d32(34);
    EXPECT_EQ(veksFFTFwd_RToCCS_16s32s_Sfs(a.data(), d32.data(), s16.as<VeksFFTSpec_R_16s32s>(), 0, nullptr), vekStsBadContext);
    EXPECT_EQ(veksFFTInv_CCSToR_32s16s_Sfs(nullptr, a.data(), nullptr, 0, nullptr), vekStsNullPtr);
    EXPECT_TRUE(d32.intact());
}

} // namespace
