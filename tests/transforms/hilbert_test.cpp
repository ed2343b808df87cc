// Analytic signal: real part equals the input, imaginary part against a
// long double reference built from the definition (positive frequencies
// doubled, negative ones cleared); life cycle and check order.
#include "fft_reference.h"
#include "veks_test.h"

namespace {

using fftref::cld;

// The analytic signal of x by its definition, in long double.
std::vector<cld> analytic_reference(const std::vector<long double>& x) {
    const std::size_t n = x.size();
    std::vector<cld> in(x.begin(), x.end());
    std::vector<cld> spec = fftref::naive_dft(in, -1);
    for (std::size_t k = 1; k < n; ++k) spec[k] *= 2 * k < n ? 2.0L : 2 * k == n ? 1.0L : 0.0L;
    std::vector<cld> z = fftref::naive_dft(spec, +1);
    for (auto& v : z) v /= static_cast<long double>(n);
    return z;
}

std::vector<long double> random_real(int n, int seed, double amp) {
    vt::Rng rng(seed);
    std::vector<long double> x(n);
    for (auto& v : x) v = std::round(rng.real(-amp, amp));
    return x;
}

struct Spec32f {
    VeksHilbertSpec_32f32fc* p = nullptr;
    explicit Spec32f(int n) { EXPECT_EQ(veksHilbertInitAlloc_32f32fc(&p, n, vekHintDefault), vekStsOk); }
    ~Spec32f() { if (p) EXPECT_EQ(veksHilbertFree_32f32fc(p), vekStsOk); }
};

TEST(Hilbert, FloatAgainstDefinition) {
    std::vector<int> lengths = {64, 97, 128, 151, 302, 1000};
    for (int n = 1; n <= 40; ++n) lengths.push_back(n);
    for (int n : lengths) {
        const std::vector<long double> x = random_real(n, n, 1000);
        const std::vector<cld> want = analytic_reference(x);
        Spec32f s(n);
        std::vector<Vek32f> src(x.begin(), x.end());
        vt::Guarded<Vek32fc> dst(n);
        ASSERT_EQ(veksHilbert_32f32fc(src.data(), dst.data(), s.p), vekStsOk);
        EXPECT_TRUE(dst.guard_intact());
        long double num = 0, den = 0;
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(dst[i].re, x[i], 1e-6 * 1000 * std::log2(n + 1.0)) << "n " << n << " i " << i;
            num += (dst[i].im - want[i].imag()) * (dst[i].im - want[i].imag());
            den += x[i] * x[i];
        }
        // relative to the signal: single precision, about 1e-6 log2 N
        EXPECT_LT(std::sqrt(num / den), 1e-6 * std::max(1.0, std::log2(double(n)))) << "n " << n;
        if (n <= 2)
            for (int i = 0; i < n; ++i) EXPECT_EQ(dst[i].im, 0.0f);
    }
}

TEST(Hilbert, ShortInput) {
    for (int n : {1, 2, 3, 16, 45, 151}) {
        const std::vector<long double> x = random_real(n, n + 5, 20000);
        const std::vector<cld> want = analytic_reference(x);
        std::vector<Vek16s> src(x.begin(), x.end());
        VeksHilbertSpec_16s32fc* a = nullptr;
        VeksHilbertSpec_16s16sc* b = nullptr;
        ASSERT_EQ(veksHilbertInitAlloc_16s32fc(&a, n, 0), vekStsOk);
        ASSERT_EQ(veksHilbertInitAlloc_16s16sc(&b, n, 1), vekStsOk);
        std::vector<Vek32fc> f(n);
        std::vector<Vek16sc> s(n);
        ASSERT_EQ(veksHilbert_16s32fc(src.data(), f.data(), a), vekStsOk);
        ASSERT_EQ(veksHilbert_16s16sc_Sfs(src.data(), s.data(), b, 1), vekStsOk);
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(f[i].re, x[i], 0.05);
            EXPECT_NEAR(f[i].im, want[i].imag(), 0.05) << "n " << n;
            // halved, rounded to nearest, saturated
            const long double wr = x[i] / 2, wi = std::max(-32768.0L, std::min(32767.0L, want[i].imag() / 2));
            EXPECT_LE(std::fabs(s[i].re - wr), 0.5L + 1e-3L);
            EXPECT_LE(std::fabs(s[i].im - wi), 0.5L + 1e-2L) << "n " << n;
        }
        EXPECT_EQ(veksHilbertFree_16s32fc(a), vekStsOk);
        EXPECT_EQ(veksHilbertFree_16s16sc(b), vekStsOk);
    }
}

TEST(Hilbert, LifeCycleAndCheckOrder) {
    VeksHilbertSpec_32f32fc* p = nullptr;
    EXPECT_EQ(veksHilbertInitAlloc_32f32fc(nullptr, 0, 0), vekStsNullPtr);
    EXPECT_EQ(veksHilbertInitAlloc_32f32fc(&p, 0, 0), vekStsBadLength);
    EXPECT_EQ(veksHilbertInitAlloc_16s16sc(nullptr, 5, 0), vekStsNullPtr);
    EXPECT_EQ(veksHilbertInitAlloc_16s32fc(reinterpret_cast<VeksHilbertSpec_16s32fc**>(&p), -3, 0), vekStsBadLength);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(veksHilbertFree_32f32fc(nullptr), vekStsNullPtr);
    Spec32f s(8);
    std::vector<Vek32f> x(8, 1.0f);
    std::vector<Vek16s> x16(8, 1);
    vt::Guarded<Vek32fc> y(8);
    vt::Guarded<Vek16sc> y16(8);
    EXPECT_EQ(veksHilbert_32f32fc(nullptr, y.data(), s.p), vekStsNullPtr);
    EXPECT_EQ(veksHilbert_32f32fc(x.data(), nullptr, s.p), vekStsNullPtr);
    EXPECT_EQ(veksHilbert_32f32fc(x.data(), y.data(), nullptr), vekStsNullPtr);
    EXPECT_EQ(veksHilbert_16s16sc_Sfs(x16.data(), y16.data(), nullptr, 0), vekStsNullPtr);
    // another family's object
    VeksDFTSpec_C_32fc* dft = nullptr;
    ASSERT_EQ(veksDFTInitAlloc_C_32fc(&dft, 8, 2, 0), vekStsOk);
    auto* wrong = reinterpret_cast<VeksHilbertSpec_32f32fc*>(dft);
    EXPECT_EQ(veksHilbert_32f32fc(x.data(), y.data(), wrong), vekStsBadContext);
    EXPECT_EQ(veksHilbert_16s32fc(x16.data(), y.data(), reinterpret_cast<VeksHilbertSpec_16s32fc*>(dft)), vekStsBadContext);
    EXPECT_EQ(veksHilbert_16s16sc_Sfs(x16.data(), y16.data(), reinterpret_cast<VeksHilbertSpec_16s16sc*>(dft), 0), vekStsBadContext);
    EXPECT_EQ(veksHilbertFree_32f32fc(wrong), vekStsBadContext);
    EXPECT_EQ(veksDFTFree_C_32fc(dft), vekStsOk);
    EXPECT_TRUE(y.intact());
    EXPECT_TRUE(y16.intact());
    // every kind carries the same identifier
    EXPECT_EQ(veksHilbert_16s32fc(x16.data(), y.data(), reinterpret_cast<VeksHilbertSpec_16s32fc*>(s.p)), vekStsOk);
}

} // namespace
