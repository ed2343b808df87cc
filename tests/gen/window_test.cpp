// Windows bit-exact against a literal transcription of the recurrences.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "exact_ref.h"
#include "gen_reference.h"
#include "signature_probe.h"
#include "veks_test.h"

namespace {

using gref::Win;

const int kLengths[] = {3, 4, 5, 6, 7, 8, 17, 64, 255, 1000, 4097};

template <class T> std::vector<T> random_values(int n, double lo, double hi) {
    vt::Rng rng(n);
    std::vector<T> v(n);
    for (auto& x : v) x = T(std::is_integral_v<T> ? double(rng.integer<int>(int(lo), int(hi))) : rng.real(lo, hi));
    return v;
}

// Expected output from the half table of weights and a product rule; the
// odd middle is copied. Floating types round the product in double.
template <class R, class W, class P>
std::vector<R> weighted(const std::vector<R>& src, const std::vector<W>& half, P product) {
    const int n = int(src.size());
    std::vector<R> out(n);
    for (int i = 0; i < n; ++i) {
        const int k = std::min(i, n - 1 - i);
        out[i] = ((n & 1) && k == (n - 1) / 2) ? src[i] : product(src[i], half[k]);
    }
    return out;
}
template <class R> R round_product(R x, double w) { return R(double(x) * w); }

struct FloatWin {
    const char* name;
    Win kind;
    float alpha; // Blackman parameter; NaN: BlackmanOpt
    std::function<VekStatus(const Vek32f*, Vek32f*, int)> run;
    std::function<VekStatus(Vek32f*, int)> run_i;
    std::function<VekStatus(const Vek32fc*, Vek32fc*, int)> run_c;
};

float opt_alpha(int n) {
    const double h = 0.5 / std::cos(3.141592653589793 / (n - 1));
    return float(-(h * h));
}

#define FLOAT_WIN(name, kind, alpha) {#name, kind, alpha, veksWin##name##_32f, veksWin##name##_32f_I, veksWin##name##_32fc}

const FloatWin kFloatWins[] = {FLOAT_WIN(Bartlett, Win::Bartlett, 0), FLOAT_WIN(Hann, Win::Hann, 0),
                               FLOAT_WIN(Hamming, Win::Hamming, 0), FLOAT_WIN(BlackmanStd, Win::Blackman, -0.16f),
                               FLOAT_WIN(BlackmanOpt, Win::Blackman, NAN)};

TEST(Window, FloatFormsBitExactAndSymmetric) {
    for (const auto& w : kFloatWins)
        for (int n : kLengths) {
            if (std::isnan(w.alpha) && n < 4) continue;
            const float alpha = std::isnan(w.alpha) ? opt_alpha(n) : w.alpha;
            const auto src = random_values<Vek32f>(n, -100, 100);
            auto want = weighted(src, gref::cosine_weights(w.kind, n, alpha), round_product<Vek32f>);
            if (n == 3) want = {0.0f, src[1], 0.0f};
            vt::Guarded<Vek32f> dst(n);
            ASSERT_EQ(w.run(src.data(), dst.data(), n), vekStsOk);
            EXPECT_TRUE(dst.guard_intact());
            for (int i = 0; i < n; ++i) ASSERT_TRUE(vt::same_bits(dst[i], want[i])) << w.name << " N=" << n << " i=" << i;
            auto inplace = src;
            ASSERT_EQ(w.run_i(inplace.data(), n), vekStsOk);
            EXPECT_EQ(0, std::memcmp(inplace.data(), dst.data(), n * sizeof(Vek32f))) << w.name;
            // Complex: the same weight on both parts (the imaginary parts are the
            // real ones reversed and negated, and the weights are symmetric).
            std::vector<Vek32fc> csrc(n), cdst(n);
            for (int i = 0; i < n; ++i) csrc[i] = {src[i], -src[n - 1 - i]};
            ASSERT_EQ(w.run_c(csrc.data(), cdst.data(), n), vekStsOk);
            for (int i = 0; i < n; ++i)
                ASSERT_TRUE(vt::same_bits(cdst[i].re, dst[i]) && cdst[i].im == -dst[n - 1 - i]) << w.name << " N=" << n << " i=" << i;
        }
}

TEST(Window, KaiserExact) {
    for (float alpha : {0.0f, 0.5f, -2.0f, 3.3f, 7.0f})
        for (int n : {1, 2, 3, 4, 9, 10, 64, 1001}) {
            if (std::fabs(alpha) * (n - 1) * 0.5 > 38) continue;
            const auto half = gref::kaiser_weights(n, alpha);
            const auto src = random_values<Vek32f>(n, -100, 100);
            const auto want = weighted(src, half, round_product<Vek32f>);
            vt::Guarded<Vek32f> dst(n);
            ASSERT_EQ(veksWinKaiser_32f(src.data(), dst.data(), n, alpha), vekStsOk);
            for (int i = 0; i < n; ++i) ASSERT_TRUE(vt::same_bits(dst[i], want[i])) << alpha << " N=" << n << " i=" << i;
            std::vector<Vek64fc> c(n);
            for (int i = 0; i < n; ++i) c[i] = {double(src[i]), 2.0 * src[i]};
            ASSERT_EQ(veksWinKaiser_64fc_I(c.data(), n, alpha), vekStsOk);
            const auto re = weighted(std::vector<double>(src.begin(), src.end()), half, round_product<double>);
            for (int i = 0; i < n; ++i) ASSERT_TRUE(vt::same_bits(c[i].re, re[i]) && c[i].im == 2 * re[i]) << i;
        }
}

Vek16s q15_product(Vek16s x, std::int32_t w) { return Vek16s((std::int32_t(x) * w + 16384) >> 15); }
Vek16s trunc_product(Vek16s x, double w) { return Vek16s(std::trunc(double(x) * w)); }
Vek16s away_product(Vek16s x, double w) {
    const double v = double(x) * w, r = v < 0 ? v - 0.5 : v + 0.5;
    return r >= 32767 ? 32767 : r <= -32768 ? -32768 : Vek16s(std::int32_t(r));
}

std::vector<std::int32_t> bartlett_q15(int n) {
    const std::uint32_t step = std::uint32_t(std::uint64_t(2.0 / (n - 1) * 2147483648.0));
    std::vector<std::int32_t> w;
    for (int k = 0; k <= (n - 1) / 2; ++k) w.push_back(std::int32_t((std::uint32_t(k) * step + 32768u) >> 16));
    return w;
}

std::vector<std::int32_t> hann_q15(int n) {
    std::vector<std::int32_t> w;
    for (double c : gref::rotation_cosines(n)) {
        const std::int64_t cq = std::llrint(c * 1073741824.0); // ties cannot occur for these cosines but for +-1, 0
        w.push_back(std::int32_t(((((std::int64_t(1) << 30) - cq) >> 1) + 16384) >> 15));
    }
    return w;
}

TEST(Window, IntegerFormsExact) {
    for (int n : kLengths) {
        auto src = random_values<Vek16s>(n, -32768, 32767);
        src[0] = -32768, src[n - 1] = 32767;
        // One member per product rule: complex and in-place forms share the float forms' paths.
        auto check = [&](const char* name, auto fn, std::vector<Vek16s> want) {
            if (n == 3 && std::string(name) != "KaiserQ15") want = {0, src[1], 0};
            std::vector<Vek16s> got(n);
            ASSERT_EQ(fn(src.data(), got.data(), n), vekStsOk) << name;
            ASSERT_EQ(got, want) << name << " N=" << n;
        };
        check("Bartlett", veksWinBartlett_16s, weighted(src, bartlett_q15(n), q15_product));
        check("Hann", veksWinHann_16s, weighted(src, hann_q15(n), q15_product));
        check("BlackmanQ15", [](auto s, auto d, int len) { return veksWinBlackmanQ15_16s(s, d, len, -8192); },
              weighted(src, gref::cosine_weights(Win::Blackman, n, -0.25f), trunc_product));
        const int aq = std::min(3 * 32768, int(600.0 / n * 32768)); // |alpha| (N-1) / 2 within 308
        check("KaiserQ15", [aq](auto s, auto d, int len) { return veksWinKaiserQ15_16s(s, d, len, aq); },
              weighted(src, gref::kaiser_weights(n, float(aq * 3.0517578125e-05)), away_product));
        // The scaled form: the truncated product, then the scale-factor rule.
        auto base = src;
        ASSERT_EQ(veksWinBlackmanQ15_16s_I(base.data(), n, -8192), vekStsOk);
        for (int sf : {0, 1, 3, -1, 20}) {
            auto v = src;
            ASSERT_EQ(veksWinBlackmanQ15_16s_ISfs(v.data(), n, -8192, sf), vekStsOk);
            for (int i = 0; i < n; ++i) ASSERT_EQ(v[i], vt::sat<Vek16s>(vt::scale_half_even(base[i], sf))) << sf << " " << i;
        }
    }
}

// Pointers, then the length (below 1 or below the family's minimum of 3).
TEST(Window, ChecksWriteNothing) {
    sp::Options below_three;
    below_three.then = vekStsBadLength;
    below_three.then_len = 2;
    below_three.scalar = 0.1;
    sp::expect_checks_all(below_three, veksWinBartlett_32f, veksWinHann_32f, veksWinHamming_32f, veksWinBlackmanStd_32f,
                          veksWinBlackman_32f, veksWinHann_16sc_I, veksWinBlackmanQ15_16s);
    sp::Options kaiser;
    kaiser.scalar = 1.0;
    sp::expect_checks_all(kaiser, veksWinKaiser_32f, veksWinKaiser_64fc_I);
    // BlackmanOpt tests its length first.
    sp::Options opt;
    opt.order = sp::Order::LenThenPtrs;
    opt.then = vekStsBadLength;
    opt.then_len = 3;
    sp::expect_checks_all(opt, veksWinBlackmanOpt_32f, veksWinBlackmanOpt_64f_I);
    EXPECT_EQ(veksWinKaiser_16s_I(nullptr, 5, 1e9f), vekStsNullPtr);
    // Kaiser's alpha limit: |alpha| (N-1) / 2 at most 38 for 32-bit float elements, 308 for others.
    std::vector<Vek32f> src(10, 1.0f);
    vt::Guarded<Vek32f> g(10);
    EXPECT_EQ(veksWinKaiser_32f(src.data(), g.data(), 10, 10.0f), vekStsBadKaiserAlpha);
    EXPECT_TRUE(g.intact());
    std::vector<Vek64f> d(10, 1.0);
    EXPECT_EQ(veksWinKaiser_64f_I(d.data(), 10, 10.0f), vekStsOk);
    Vek16s s[10] = {};
    EXPECT_EQ(veksWinKaiserQ15_16s_I(s, 3, 308 * 32768 + 1), vekStsBadKaiserAlpha);
    EXPECT_EQ(veksWinKaiserQ15_16s_I(s, 3, 308 * 32768), vekStsOk);
    Vek32f one = 3.0f;
    EXPECT_EQ(veksWinKaiser_32f_I(&one, 1, 1e30f), vekStsOk); // N = 1: (N-1) = 0
    EXPECT_EQ(one, 3.0f);
}

} // namespace
