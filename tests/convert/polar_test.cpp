// Cartesian <-> polar conversion.
#include "convert_test_util.h"

namespace {

// The paired single-precision sine and cosine: reduction by pi, reflection
// beyond pi/2, odd degree-9 polynomial, signs flipped for odd multiples of pi.
struct SinCos { float sin, cos; };

SinCos paired_reference(float phi) {
    auto poly = [](double r) {
        const double z = r * r;
        return r + r * z * (((2.630033909762885e-6 * z - 0.00019820663968799938) * z + 0.008333215738643764) * z - 0.16666665094466732);
    };
    const double pi = 3.141592653589793, half_pi = 1.5707963267948966, sg = std::signbit(phi) ? -1.0 : 1.0;
    const double n = std::trunc(double(phi) * 0.3183098861837907);
    double r = double(phi) - n * pi;
    const bool reflect = std::fabs(r) > half_pi;
    if (reflect) r = pi * sg - r;
    float s = static_cast<float>(poly(r)), c = static_cast<float>(poly(std::fabs(half_pi * sg - r)));
    if (reflect) c = -c;
    const bool odd = std::fmod(n, 2.0) != 0;
    return {odd ? -s : s, odd ? -c : c};
}

// Bit-exact, except that the sign of a NaN is not part of the result.
template <class T>
bool same_value(T got, T want) { return vt::same_bits(got, want) || (std::isnan(got) && std::isnan(want)); }

template <class R>
R trunc_saturate(double v) { return static_cast<R>(std::clamp<double>(std::trunc(v), std::numeric_limits<R>::min(), std::numeric_limits<R>::max())); }

// Pairs of singles follow the polynomial bit for bit; a single trailing
// element, and every double, uses the standard functions.
template <class R, class C>
void expect_polar_to_cart(VekStatus (*split)(const R*, const R*, R*, R*, int), VekStatus (*cplx)(const R*, const R*, C*, int)) {
    vt::Rng rng(37);
    for (double range : {4.0, 1e5}) {
        std::vector<R> phase = {0.0f, -0.0f, 1.5707964f, -1.5707964f, 3.1415927f, -3.1415927f, 4.712389f, 6.2831855f,
                                -6.2831855f, 1e-20f, 100.0f, -1000.5f, 1e9f, 3e38f, INFINITY, NAN};
        for (int k = 0; k < 2001; ++k) phase.push_back(static_cast<R>(rng.real(-range, range)));
        std::vector<R> magn(phase.size());
        for (auto& m : magn) m = static_cast<R>(rng.real(-100, 100));
        const int n = static_cast<int>(ct::bounded(phase.size()));
        for (int len : {n, n - 1, 1, 2, 3}) {
            vt::Guarded<R> re(ct::bounded(len)), im(ct::bounded(len));
            vt::Guarded<C> c(ct::bounded(len));
            ASSERT_EQ(split(magn.data(), phase.data(), re.data(), im.data(), len), vekStsOk);
            ASSERT_EQ(cplx(magn.data(), phase.data(), c.data(), len), vekStsOk);
            for (int k = 0; k < len; ++k) {
                const R m = magn[k], phi = phase[k];
                const bool paired = sizeof(R) == 4 && len > 1 && k < (len & ~1);
                const SinCos sc = paired_reference(float(phi));
                const R want_re = m * (paired ? R(sc.cos) : std::cos(phi)), want_im = m * (paired ? R(sc.sin) : std::sin(phi));
                EXPECT_TRUE(same_value(re[k], want_re) && same_value(im[k], want_im)) << "len " << len << " k " << k << " phi " << phi;
                EXPECT_TRUE(same_value(c[k].re, want_re) && same_value(c[k].im, want_im)) << "len " << len << " k " << k;
            }
            EXPECT_TRUE(re.guard_intact() && im.guard_intact() && c.guard_intact());
        }
    }
}

TEST(Polar, FloatingForms) {
    expect_polar_to_cart<Vek32f, Vek32fc>(veksPolarToCart_32f, veksPolarToCart_32fc);
    expect_polar_to_cart<Vek64f, Vek64fc>(veksPolarToCart_64f, veksPolarToCart_64fc);
}

// Phase p 2^-fp (exact in single for 16 bits): 16-bit pairs take the polynomial,
// the rest the double functions; products truncate and saturate.
template <class R, class C>
void expect_fixed_point(const ct::Parts<R>& p, VekStatus (*fn)(const R*, const R*, int, C*, int), int fp, int len) {
    vt::Guarded<C> d(ct::bounded(len));
    ASSERT_EQ(fn(p.re.data(), p.im.data(), fp, d.data(), len), vekStsOk);
    for (int k = 0; k < len; ++k) {
        const double phi = std::ldexp(double(p.im[k]), -fp);
        const bool paired = sizeof(R) == 2 && len > 1 && k < (len & ~1);
        const SinCos sc = paired ? paired_reference(float(phi)) : SinCos{0, 0};
        const double c = paired ? sc.cos : std::cos(phi), s = paired ? sc.sin : std::sin(phi);
        EXPECT_TRUE(d[k].re == trunc_saturate<R>(p.re[k] * c) && d[k].im == trunc_saturate<R>(p.re[k] * s)) << fp << " k " << k;
    }
    EXPECT_TRUE(d.guard_intact());
}

// The scaled form takes both inputs scaled (factors clamped to -31..31),
// rounds half away from zero and saturates.
TEST(Polar, IntegerForms) {
    vt::Rng rng(43);
    const auto p16 = ct::test_parts<Vek16s>(rng, 301);
    const auto p32 = ct::test_parts<Vek32s>(rng, 300);
    for (int fp = 0; fp <= 15; ++fp)
        for (int len : {p16.size(), p16.size() - 1, 1}) expect_fixed_point(p16, veksPolarToCart_16sc, fp, len);
    for (int fp = 0; fp <= 31; ++fp) expect_fixed_point(p32, veksPolarToCart_32sc, fp, p32.size());
    auto round_saturate = [](double v) { return static_cast<Vek16s>(v > 0 ? std::trunc(std::min(v + 0.5, 32767.0)) : std::trunc(std::max(v - 0.5, -32768.0))); };
    for (int msf : {-2147483647 - 1, -40, -31, -16, -15, -3, 0, 1, 5, 15, 16, 31, 40, 2147483647}) {
        for (int psf : {-40, -31, -2, 0, 3, 13, 15, 31, 40}) {
            vt::Guarded<Vek16sc> d(p16.count());
            ASSERT_EQ(veksPolarToCart_16sc_Sfs(p16.re.data(), p16.im.data(), d.data(), p16.size(), msf, psf), vekStsOk);
            const double mf = std::ldexp(1.0, -std::clamp(msf, -31, 31)), pf = std::ldexp(1.0, -std::clamp(psf, -31, 31));
            for (int k = 0; k < p16.size(); ++k) {
                const double m = p16.re[k] * mf, phi = p16.im[k] * pf;
                EXPECT_TRUE(d[k].re == round_saturate(m * std::cos(phi)) && d[k].im == round_saturate(m * std::sin(phi))) << msf << " " << psf << " k " << k;
            }
            EXPECT_TRUE(d.guard_intact());
        }
    }
    const Vek16sc s[2] = {{3, 4}, {-1, 0}};
    Vek16s sm[2], sp[2];
    ASSERT_EQ(veksCartToPolar_16sc_Sfs(s, sm, sp, 2, 1, -13), vekStsOk);
    EXPECT_TRUE(sm[0] == 2 && sp[0] == 7596 && sp[1] == 25736); // sf 1 and -13: atan2(4, 3) 8192 = 7596.3
}

} // namespace
