// Analytic signal against a long double reference from the definition (positive frequencies doubled,
// negative ones cleared); life cycle and check order.
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

struct Spec32f {
    VeksHilbertSpec_32f32fc* p = nullptr;
    explicit Spec32f(int n) { EXPECT_EQ(veksHilbertInitAlloc_32f32fc(&p, n, vekHintDefault), vekStsOk); }
    ~Spec32f() { if (p) { EXPECT_EQ(veksHilbertFree_32f32fc(p), vekStsOk); } }
};

// Integer-valued input, so the 16-bit kinds see the same signal: 16s32fc
// runs the float transform bit for bit; 16s16sc halves (scale factor 1),
// rounds to nearest and saturates.
TEST(Hilbert, EveryKindAgainstDefinition) {
    std::vector<int> lengths = {45, 64, 97, 128, 151, 302, 1000};
    for (int n = 1; n <= 40; ++n) lengths.push_back(n);
    for (int n : lengths) {
        vt::Rng rng(n);
        std::vector<long double> x(n);
        for (auto& v : x) v = std::round(rng.real(-20000, 20000));
        const std::vector<cld> want = analytic_reference(x);
        const std::vector<Vek32f> src(x.begin(), x.end());
        const std::vector<Vek16s> src16(x.begin(), x.end());
        Spec32f s(n);
        VeksHilbertSpec_16s32fc* a = nullptr;
        VeksHilbertSpec_16s16sc* b = nullptr;
        ASSERT_EQ(veksHilbertInitAlloc_16s32fc(&a, n, vekHintDefault), vekStsOk);
        ASSERT_EQ(veksHilbertInitAlloc_16s16sc(&b, n, 1), vekStsOk);
        vt::Guarded<Vek32fc> dst(n);
        std::vector<Vek32fc> f(n);
        std::vector<Vek16sc> h(n);
        ASSERT_EQ(veksHilbert_32f32fc(src.data(), dst.data(), s.p), vekStsOk);
        ASSERT_EQ(veksHilbert_16s32fc(src16.data(), f.data(), a), vekStsOk);
        ASSERT_EQ(veksHilbert_16s16sc_Sfs(src16.data(), h.data(), b, 1), vekStsOk);
        EXPECT_TRUE(dst.guard_intact());
        EXPECT_EQ(std::memcmp(f.data(), dst.data(), n * sizeof(Vek32fc)), 0) << "n " << n;
        long double num = 0, den = 0;
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(dst[i].re, x[i], 2e-2 * std::log2(n + 1.0)) << "n " << n << " i " << i;
            num += (dst[i].im - want[i].imag()) * (dst[i].im - want[i].imag());
            den += x[i] * x[i];
            const long double wi = std::max(-32768.0L, std::min(32767.0L, want[i].imag() / 2));
            EXPECT_LE(std::fabs(h[i].re - x[i] / 2), 0.5L + 1e-3L);
            EXPECT_LE(std::fabs(h[i].im - wi), 0.5L + 1e-2L) << "n " << n;
            if (n <= 2) { EXPECT_EQ(dst[i].im, 0.0f); }
        }
        // relative to the signal: single precision, about 1e-6 log2 N
        EXPECT_LT(std::sqrt(num / den), 1e-6 * std::max(1.0, std::log2(double(n)))) << "n " << n;
        EXPECT_EQ(veksHilbertFree_16s32fc(a), vekStsOk);
        EXPECT_EQ(veksHilbertFree_16s16sc(b), vekStsOk);
    }
}

// A call checks its pointers (the spec among them) before the spec's kind,
// and writes nothing on an error.
TEST(Hilbert, LifeCycleAndCheckOrder) {
    VeksHilbertSpec_32f32fc* p = nullptr;
    EXPECT_EQ(veksHilbertInitAlloc_32f32fc(nullptr, 0, 0), vekStsNullPtr);
    EXPECT_EQ(veksHilbertInitAlloc_32f32fc(&p, 0, 0), vekStsBadLength);
    EXPECT_EQ(veksHilbertFree_32f32fc(nullptr), vekStsNullPtr);
    Spec32f s(8);
    VeksDFTSpec_C_32fc* dft = nullptr; // another family's object
    ASSERT_EQ(veksDFTInitAlloc_C_32fc(&dft, 8, 2, 0), vekStsOk);
    auto* wrong = reinterpret_cast<VeksHilbertSpec_32f32fc*>(dft);
    std::vector<Vek32f> x(8, 1.0f);
    std::vector<Vek16s> x16(8, 1);
    vt::Guarded<Vek32fc> y(8);
    vt::Guarded<Vek16sc> y16(8);
    EXPECT_EQ(veksHilbert_32f32fc(nullptr, y.data(), wrong), vekStsNullPtr);
    EXPECT_EQ(veksHilbert_32f32fc(x.data(), nullptr, wrong), vekStsNullPtr);
    EXPECT_EQ(veksHilbert_32f32fc(x.data(), y.data(), nullptr), vekStsNullPtr);
    EXPECT_EQ(veksHilbert_16s16sc_Sfs(x16.data(), y16.data(), nullptr, 0), vekStsNullPtr);
    EXPECT_EQ(veksHilbert_32f32fc(x.data(), y.data(), wrong), vekStsBadContext);
    EXPECT_EQ(veksHilbert_16s16sc_Sfs(x16.data(), y16.data(), reinterpret_cast<VeksHilbertSpec_16s16sc*>(dft), 0), vekStsBadContext);
    EXPECT_EQ(veksHilbertFree_32f32fc(wrong), vekStsBadContext);
    EXPECT_EQ(veksDFTFree_C_32fc(dft), vekStsOk);
    EXPECT_TRUE(y.intact() && y16.intact());
    // every kind carries the same identifier
    EXPECT_EQ(veksHilbert_16s32fc(x16.data(), y.data(), reinterpret_cast<VeksHilbertSpec_16s32fc*>(s.p)), vekStsOk);
}

} // namespace
