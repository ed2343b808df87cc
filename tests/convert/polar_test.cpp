// Cartesian <-> polar conversion.
#include <cstdint>

#include "complex_test_data.h"

namespace {

// The paired single-precision sine and cosine, written out from their
// definition: reduction by pi, reflection beyond pi/2, a degree-9 odd
// polynomial, signs flipped for an odd multiple of pi.
double sine_poly(double r) {
    const double z = r * r;
    return r + r * z * (((2.630033909762885e-6 * z - 0.00019820663968799938) * z + 0.008333215738643764) * z - 0.16666665094466732);
}

struct SinCos { float sin, cos; };

SinCos paired_reference(float phi) {
    const double pi = 3.141592653589793, half_pi = 1.5707963267948966;
    const double n = std::trunc(double(phi) * 0.3183098861837907);
    const double sg = std::signbit(phi) ? -1.0 : 1.0;
    double r = double(phi) - n * pi;
    bool negate_cos = false;
    if (std::fabs(r) > half_pi) {
        r = pi * sg - r;
        negate_cos = true;
    }
    float s = static_cast<float>(sine_poly(r));
    float c = static_cast<float>(sine_poly(std::fabs(half_pi * sg - r)));
    if (negate_cos) c = -c;
    if (std::fmod(n, 2.0) != 0) {
        s = -s;
        c = -c;
    }
    return {s, c};
}

std::vector<float> test_phases(vt::Rng& rng, int n_random, double range) {
    std::vector<float> v = {0.0f, -0.0f, 1.5707964f, -1.5707964f, 3.1415927f, -3.1415927f, 4.712389f, 6.2831855f,
                            -6.2831855f, 1e-20f, 100.0f, -1000.5f, 1e9f, 3e38f, INFINITY, NAN};
    for (int k = 0; k < n_random; ++k) v.push_back(static_cast<float>(rng.real(-range, range)));
    return v;
}

// Bit-exact, except that the sign of a NaN is not part of the result.
template <class T>
bool same_value(T got, T want) { return vt::same_bits(got, want) || (std::isnan(got) && std::isnan(want)); }
template <class T>
bool same_pair(T re, T im, T want_re, T want_im) { return same_value(re, want_re) && same_value(im, want_im); }

TEST(Polar, CheckOrder) {
    Vek32f f[4] = {}, g[4] = {};
    Vek16s s[4] = {};
    Vek32s i[4] = {};
    vt::Guarded<Vek32f> a(4), b(4);
    vt::Guarded<Vek32fc> ac(4);
    vt::Guarded<Vek16sc> as(4);
    vt::Guarded<Vek32sc> ai(4);
    auto intact = [&] { return a.intact() && b.intact() && ac.intact() && as.intact() && ai.intact(); };
    using vt::ptr_or_null;
    vt::expect_ptrs_then_len(4, [&](int n, int len) { return veksPolarToCart_32f(ptr_or_null(f, 0, n), ptr_or_null(g, 1, n), ptr_or_null(a.data(), 2, n), ptr_or_null(b.data(), 3, n), len); }, intact);
    vt::expect_ptrs_then_len(3, [&](int n, int len) { return veksPolarToCart_32fc(ptr_or_null(f, 0, n), ptr_or_null(g, 1, n), ptr_or_null(ac.data(), 2, n), len); }, intact);
    vt::expect_ptrs_then_len(3, [&](int n, int len) { return veksPolarToCart_16sc(ptr_or_null(s, 0, n), ptr_or_null(s, 1, n), 15, ptr_or_null(as.data(), 2, n), len); }, intact);
    vt::expect_ptrs_then_len(3, [&](int n, int len) { return veksPolarToCart_32sc(ptr_or_null(i, 0, n), ptr_or_null(i, 1, n), 31, ptr_or_null(ai.data(), 2, n), len); }, intact);
    vt::expect_ptrs_then_len(3, [&](int n, int len) { return veksPolarToCart_16sc_Sfs(ptr_or_null(s, 0, n), ptr_or_null(s, 1, n), ptr_or_null(as.data(), 2, n), len, 0, 0); }, intact);

    // The fixed-point position is a length-class error, tested after the pointers.
    for (int fp : {-1, 16, 100}) {
        EXPECT_EQ(veksPolarToCart_16sc(s, s, fp, as.data(), 4), vekStsBadLength) << fp;
        EXPECT_EQ(veksPolarToCart_16sc(s, s, fp, nullptr, 4), vekStsNullPtr) << fp;
    }
    for (int fp : {-1, 32}) {
        EXPECT_EQ(veksPolarToCart_32sc(i, i, fp, ai.data(), 4), vekStsBadLength) << fp;
        EXPECT_EQ(veksPolarToCart_32sc(nullptr, i, fp, ai.data(), 4), vekStsNullPtr) << fp;
    }
    EXPECT_TRUE(intact());
}

// Each half of the floating CartToPolar runs on its own; the magnitude's
// status is reported first. The integer form stops after a failed magnitude.
TEST(Polar, CartToPolarStatusPrecedence) {
    const Vek32f re[3] = {3, -1, 0}, im[3] = {4, 0, -2};
    Vek32f want_m[3], want_p[3];
    ASSERT_EQ(veksMagnitude_32f(re, im, want_m, 3), vekStsOk);
    ASSERT_EQ(veksPhase_32f(re, im, want_p, 3), vekStsOk);

    vt::Guarded<Vek32f> m(3), p(3);
    EXPECT_EQ(veksCartToPolar_32f(re, im, nullptr, p.data(), 3), vekStsNullPtr);
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(vt::same_bits(p[k], want_p[k]));
    EXPECT_EQ(veksCartToPolar_32f(re, im, m.data(), nullptr, 3), vekStsNullPtr);
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(vt::same_bits(m[k], want_m[k]));
    m.reset();
    p.reset();
    EXPECT_EQ(veksCartToPolar_32f(nullptr, im, m.data(), p.data(), 3), vekStsNullPtr);
    EXPECT_EQ(veksCartToPolar_32f(re, im, m.data(), p.data(), 0), vekStsBadLength);
    EXPECT_EQ(veksCartToPolar_32f(re, im, m.data(), nullptr, 0), vekStsBadLength); // the magnitude's status wins
    EXPECT_TRUE(m.intact() && p.intact());

    const Vek32fc c[1] = {{1, 1}};
    EXPECT_EQ(veksCartToPolar_32fc(c, nullptr, p.data(), 1), vekStsNullPtr);
    EXPECT_TRUE(std::fabs(p[0] - 0.7853982f) < 1e-7f);

    const Vek16sc s[2] = {{3, 4}, {-1, 0}};
    vt::Guarded<Vek16s> sm(2), sp(2);
    EXPECT_EQ(veksCartToPolar_16sc_Sfs(s, nullptr, sp.data(), 2, 0, -13), vekStsNullPtr);
    EXPECT_TRUE(sp.intact());
    EXPECT_EQ(veksCartToPolar_16sc_Sfs(s, sm.data(), nullptr, 2, 0, -13), vekStsNullPtr);
    EXPECT_TRUE(sm[0] == 5 && sm[1] == 1);
    ASSERT_EQ(veksCartToPolar_16sc_Sfs(s, sm.data(), sp.data(), 2, 1, -13), vekStsOk);
    EXPECT_TRUE(sm[0] == 2 && sp[0] == 7596 && sp[1] == 25736) << sp[0]; // atan2(4,3) * 8192 = 7596.3
}

// CartToPolar equals Magnitude and Phase; PolarToCart inverts it.
TEST(Polar, CartToPolarMatchesPartsAndRoundTrips) {
    vt::Rng rng(31);
    const auto p64 = ct::test_parts<Vek64f>(rng, 500, false);
    const auto c64 = ct::interleave<Vek64fc>(p64);
    const int n = p64.size();
    vt::Guarded<Vek64f> m(p64.count()), ph(p64.count()), m2(p64.count()), ph2(p64.count()), re(p64.count()), im(p64.count());
    vt::Guarded<Vek64fc> back(p64.count());
    ASSERT_EQ(veksCartToPolar_64f(p64.re.data(), p64.im.data(), m.data(), ph.data(), n), vekStsOk);
    ASSERT_EQ(veksCartToPolar_64fc(c64.data(), m2.data(), ph2.data(), n), vekStsOk);
    ASSERT_EQ(veksPolarToCart_64f(m.data(), ph.data(), re.data(), im.data(), n), vekStsOk);
    ASSERT_EQ(veksPolarToCart_64fc(m.data(), ph.data(), back.data(), n), vekStsOk);
    for (int k = 0; k < n; ++k) {
        EXPECT_TRUE(vt::same_bits(m[k], m2[k]) && vt::same_bits(ph[k], ph2[k])) << k;
        EXPECT_NEAR(re[k], p64.re[k], 1e-12 * m[k]) << k;
        EXPECT_NEAR(im[k], p64.im[k], 1e-12 * m[k]) << k;
        EXPECT_TRUE(same_pair(back[k].re, back[k].im, re[k], im[k])) << k;
    }

    const auto p32 = ct::test_parts<Vek32f>(rng, 501, false);
    const int n32 = p32.size();
    vt::Guarded<Vek32f> fm(p32.count()), fp(p32.count()), fre(p32.count()), fim(p32.count());
    ASSERT_EQ(veksCartToPolar_32f(p32.re.data(), p32.im.data(), fm.data(), fp.data(), n32), vekStsOk);
    ASSERT_EQ(veksPolarToCart_32f(fm.data(), fp.data(), fre.data(), fim.data(), n32), vekStsOk);
    for (int k = 0; k < n32; ++k) {
        EXPECT_NEAR(fre[k], p32.re[k], 4e-7 * fm[k]) << k;
        EXPECT_NEAR(fim[k], p32.im[k], 4e-7 * fm[k]) << k;
    }
    EXPECT_TRUE(m.guard_intact() && ph.guard_intact() && re.guard_intact() && im.guard_intact() && back.guard_intact());
}

// Pairs follow the polynomial bit for bit; a single trailing element uses
// the standard single-precision functions. Against the true sine and
// cosine the paired values are within 6e-8 (2.3e-8 polynomial error plus
// rounding to single), and the product adds half an ulp.
TEST(Polar, SinglePrecisionPairsAndTail) {
    vt::Rng rng(37);
    for (double range : {4.0, 1e5}) {
        auto phase = test_phases(rng, 2001, range);
        const int n = static_cast<int>(ct::bounded(phase.size()));
        std::vector<float> magn(phase.size());
        for (auto& m : magn) m = static_cast<float>(rng.real(-100, 100));
        for (int len : {n, n - 1, 1, 2, 3}) {
            vt::Guarded<Vek32f> re(ct::bounded(len)), im(ct::bounded(len));
            vt::Guarded<Vek32fc> c(ct::bounded(len));
            ASSERT_EQ(veksPolarToCart_32f(magn.data(), phase.data(), re.data(), im.data(), len), vekStsOk);
            ASSERT_EQ(veksPolarToCart_32fc(magn.data(), phase.data(), c.data(), len), vekStsOk);
            const int paired = len == 1 ? 0 : len & ~1;
            for (int k = 0; k < len; ++k) {
                const float m = magn[k], phi = phase[k];
                float want_re, want_im;
                if (k < paired) {
                    const SinCos sc = paired_reference(phi);
                    want_re = m * sc.cos;
                    want_im = m * sc.sin;
                    if (std::fabs(phi) <= 1e5) {
                        const long double tc = std::cos(static_cast<long double>(phi)), ts = std::sin(static_cast<long double>(phi));
                        EXPECT_LE(std::fabs(sc.cos - tc), 6e-8L) << phi;
                        EXPECT_LE(std::fabs(sc.sin - ts), 6e-8L) << phi;
                        EXPECT_LE(std::fabs(re[k] - m * tc), std::fabs(m) * 6e-8L + std::fabs(re[k]) * 0x1p-24L) << phi;
                    }
                } else {
                    want_re = m * std::cos(phi);
                    want_im = m * std::sin(phi);
                }
                EXPECT_TRUE(same_pair(re[k], im[k], want_re, want_im)) << "len " << len << " k " << k << " phi " << phi;
                EXPECT_TRUE(same_pair(c[k].re, c[k].im, want_re, want_im)) << "len " << len << " k " << k;
            }
            EXPECT_TRUE(re.guard_intact() && im.guard_intact() && c.guard_intact());
        }
    }
}

TEST(Polar, DoublePrecisionAgainstLongDouble) {
    vt::Rng rng(41);
    std::vector<double> magn, phase;
    for (int k = 0; k < 2000; ++k) {
        magn.push_back(rng.real(-1e3, 1e3));
        phase.push_back(rng.real(-1e3, 1e3));
    }
    vt::Guarded<Vek64f> re(2000), im(2000);
    ASSERT_EQ(veksPolarToCart_64f(magn.data(), phase.data(), re.data(), im.data(), 2000), vekStsOk);
    for (int k = 0; k < 2000; ++k) {
        // One ulp for the function and half an ulp for the product.
        const long double tol = std::fabs(magn[k]) * 0x1p-51L;
        EXPECT_LE(std::fabs(re[k] - magn[k] * std::cos(static_cast<long double>(phase[k]))), tol);
        EXPECT_LE(std::fabs(im[k] - magn[k] * std::sin(static_cast<long double>(phase[k]))), tol);
    }
}

template <class R>
R trunc_saturate(double v) {
    const double lo = std::numeric_limits<R>::min(), hi = std::numeric_limits<R>::max();
    const double t = std::trunc(v);
    return static_cast<R>(t > hi ? hi : (t < lo ? lo : t));
}

TEST(Polar, FixedPointPhase) {
    vt::Rng rng(43);
    auto mag16 = ct::test_parts<Vek16s>(rng, 301);
    const int n16 = mag16.size();
    for (int fp = 0; fp <= 15; ++fp) {
        for (int len : {n16, n16 - 1, 1}) {
            vt::Guarded<Vek16sc> d(ct::bounded(len));
            ASSERT_EQ(veksPolarToCart_16sc(mag16.re.data(), mag16.im.data(), fp, d.data(), len), vekStsOk);
            const int paired = len == 1 ? 0 : len & ~1;
            for (int k = 0; k < len; ++k) {
                const float phi = static_cast<float>(mag16.im[k]) * std::ldexp(1.0f, -fp);
                const double m = mag16.re[k];
                double c, s;
                if (k < paired) {
                    const SinCos sc = paired_reference(phi);
                    c = sc.cos;
                    s = sc.sin;
                } else {
                    c = std::cos(double(phi));
                    s = std::sin(double(phi));
                }
                EXPECT_EQ(d[k].re, trunc_saturate<Vek16s>(m * c)) << "fp " << fp << " k " << k;
                EXPECT_EQ(d[k].im, trunc_saturate<Vek16s>(m * s)) << "fp " << fp << " k " << k;
            }
            EXPECT_TRUE(d.guard_intact());
        }
    }

    const auto mag32 = ct::test_parts<Vek32s>(rng, 300);
    for (int fp = 0; fp <= 31; ++fp) {
        vt::Guarded<Vek32sc> d(mag32.count());
        ASSERT_EQ(veksPolarToCart_32sc(mag32.re.data(), mag32.im.data(), fp, d.data(), mag32.size()), vekStsOk);
        for (int k = 0; k < mag32.size(); ++k) {
            const double phi = std::ldexp(double(mag32.im[k]), -fp), m = mag32.re[k];
            EXPECT_EQ(d[k].re, trunc_saturate<Vek32s>(m * std::cos(phi))) << "fp " << fp << " k " << k;
            EXPECT_EQ(d[k].im, trunc_saturate<Vek32s>(m * std::sin(phi))) << "fp " << fp << " k " << k;
        }
        EXPECT_TRUE(d.guard_intact());
    }
}

Vek16s round_away_saturate(double v) {
    const double r = v > 0 ? std::trunc(std::min(v + 0.5, 32767.0)) : std::trunc(std::max(v - 0.5, -32768.0));
    return static_cast<Vek16s>(r);
}

TEST(Polar, ScaledIntegerInputs) {
    vt::Rng rng(47);
    const auto in = ct::test_parts<Vek16s>(rng, 200);
    const int n = in.size();
    for (int msf : {-2147483647 - 1, -40, -31, -16, -15, -3, 0, 1, 5, 15, 16, 31, 40, 2147483647}) {
        for (int psf : {-40, -31, -2, 0, 3, 13, 15, 31, 40}) {
            vt::Guarded<Vek16sc> d(in.count());
            ASSERT_EQ(veksPolarToCart_16sc_Sfs(in.re.data(), in.im.data(), d.data(), n, msf, psf), vekStsOk);
            const double mf = std::ldexp(1.0, -std::clamp(msf, -31, 31)), pf = std::ldexp(1.0, -std::clamp(psf, -31, 31));
            for (int k = 0; k < n; ++k) {
                const double m = in.re[k] * mf, phi = in.im[k] * pf;
                EXPECT_EQ(d[k].re, round_away_saturate(m * std::cos(phi))) << msf << " " << psf << " k " << k;
                EXPECT_EQ(d[k].im, round_away_saturate(m * std::sin(phi))) << msf << " " << psf << " k " << k;
            }
            EXPECT_TRUE(d.guard_intact());
        }
    }
}

} // namespace
