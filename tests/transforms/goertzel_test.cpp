// Goertzel: every member against the exact DFT bin, the integer forms
// against the recurrence they define, pairs against single calls (one
// template for every type), checks.
#include "byte_offset.h"
#include "dct_reference.h"
#include "signature_probe.h"

namespace {

using dctref::ld;
using cld = std::complex<ld>;

const double kFreqs[] = {0.0, 0.5, 0.125, 0.3217, 0.999, 1.0 / 3.0, 0.01};

// Float members: single and pair forms against the long double bin.
template <class S, class D, class F, class One, class Two>
void check_float(One one, Two two, bool complex_input) {
    using T = decltype(D::re);
    for (int len : {1, 2, 17, 300}) {
        vt::Rng rng(static_cast<std::uint64_t>(len));
        std::vector<S> x(static_cast<std::size_t>(len));
        std::vector<cld> xc(x.size());
        for (std::size_t i = 0; i < x.size(); ++i) {
            const T re = static_cast<T>(rng.real(-1, 1)), im = complex_input ? static_cast<T>(rng.real(-1, 1)) : T(0);
            std::memcpy(&x[i], &re, sizeof re);
            if (complex_input) std::memcpy(reinterpret_cast<char*>(&x[i]) + sizeof(T), &im, sizeof im);
            xc[i] = cld(re, im);
        }
        ld norm = 1;
        for (const auto& v : xc) norm += std::abs(v);
        const double tol = double(norm) * (4 * std::numeric_limits<T>::epsilon() + 1e-13 * len);
        for (double f : kFreqs) {
            SCOPED_TRACE(testing::Message() << "len " << len << " f " << f);
            const F ff = static_cast<F>(f);
            const cld want = dctref::bin(xc, static_cast<ld>(ff));
            D out{};
            ASSERT_EQ(one(x.data(), len, &out, ff), vekStsOk);
            EXPECT_LE(std::abs(cld(out.re, out.im) - want), tol);
            vt::Misaligned<S> odd_x(x, 3); // samples and result at addresses that are not multiples of their size
            vt::Misaligned<D> odd_out(1, 1);
            ASSERT_EQ(one(odd_x.data(), len, odd_out.data(), ff), vekStsOk);
            EXPECT_TRUE(vt::same_bits(odd_out.values()[0], out));
            const F pair[2] = {ff, static_cast<F>(0.25)};
            D outs[2];
            ASSERT_EQ(two(x.data(), len, outs, pair), vekStsOk);
            EXPECT_TRUE(vt::same_bits(outs[0], out));
            EXPECT_LE(std::abs(cld(outs[1].re, outs[1].im) - dctref::bin(xc, 0.25L)), tol);
        }
    }
}

TEST(Goertz, FloatForms) {
    check_float<Vek32f, Vek32fc, Vek32f>(veksGoertz_32f, veksGoertzTwo_32f, false);
    check_float<Vek32fc, Vek32fc, Vek32f>(veksGoertz_32fc, veksGoertzTwo_32fc, true);
    check_float<Vek64f, Vek64fc, Vek64f>(veksGoertz_64f, veksGoertzTwo_64f, false);
    check_float<Vek64fc, Vek64fc, Vek64f>(veksGoertz_64fc, veksGoertzTwo_64fc, true);
}

// The integer forms: the double recurrence written out again, scaled,
// rounded half away from zero and saturated; bit-exact.
Vek16sc expected_16sc(const std::vector<Vek16sc>& x, double f, int sf) {
    const double th = 6.28318530717958647692528676655900577 * f, c = std::cos(th), s = std::sin(th);
    double re = 0, im = 0;
    for (int n = static_cast<int>(x.size()) - 1; n >= 0; --n) {
        const double r = re * c + im * s + x[static_cast<std::size_t>(n)].re;
        im = im * c - re * s + x[static_cast<std::size_t>(n)].im;
        re = r;
    }
    const auto narrow = [sf](double v) {
        v = std::ldexp(v, -sf);
        v = v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5);
        return static_cast<Vek16s>(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
    };
    return {narrow(re), narrow(im)};
}

TEST(Goertz, ShortFormsFollowTheRecurrence) {
    for (int len : {1, 5, 64, 257}) {
        vt::Rng rng(static_cast<std::uint64_t>(len) + 99);
        std::vector<Vek16sc> x(static_cast<std::size_t>(len));
        std::vector<Vek16s> real(x.size());
        std::vector<Vek16sc> real_c(x.size());
        for (std::size_t i = 0; i < x.size(); ++i) {
            x[i] = {rng.integer<Vek16s>(-32768, 32767), rng.integer<Vek16s>(-32768, 32767)};
            real[i] = x[i].re;
            real_c[i] = {real[i], 0};
        }
        for (int sf : {-3, 0, 1, 4, 12, 40})
            for (double fd : kFreqs) {
                SCOPED_TRACE(testing::Message() << "len " << len << " sf " << sf << " f " << fd);
                const float f = static_cast<float>(fd);
                Vek16sc out{};
                ASSERT_EQ(veksGoertz_16sc_Sfs(x.data(), len, &out, f, sf), vekStsOk);
                EXPECT_TRUE(vt::same_bits(out, expected_16sc(x, f, sf)));
                ASSERT_EQ(veksGoertz_16s_Sfs(real.data(), len, &out, f, sf), vekStsOk);
                EXPECT_TRUE(vt::same_bits(out, expected_16sc(real_c, f, sf)));
                // Q15 frequencies stand for q / 32768; a pair gives the single calls' results.
                const Vek16s q[2] = {static_cast<Vek16s>(fd * 32768), 32767};
                Vek16sc two[2];
                ASSERT_EQ(veksGoertzTwoQ15_16sc_Sfs(x.data(), len, two, q, sf), vekStsOk);
                EXPECT_TRUE(vt::same_bits(two[0], expected_16sc(x, static_cast<float>(q[0]) / 32768.0f, sf)));
                ASSERT_EQ(veksGoertzQ15_16sc_Sfs(x.data(), len, &out, q[1], sf), vekStsOk);
                EXPECT_TRUE(vt::same_bits(out, two[1]));
            }
    }
}

// Pointers, then the length, then the frequencies ([0, 1); NaN is refused);
// the Q15 forms check their fraction first. No error writes anything.
TEST(Goertz, CheckOrder) {
    sp::Options o;
    o.scalar = 0.25;
    o.then = vekStsBadRelFrequency; // the pair forms read the sentinel bytes as negative frequencies
    sp::expect_checks(veksGoertzTwo_16sc_Sfs, o);
    o.then = vekStsOk;
    sp::expect_checks(veksGoertz_32f, o);
    const std::vector<float> x(8, 1.0f);
    vt::Guarded<Vek32fc> out(2);
    for (float f : {1.0f, -0.0001f, std::numeric_limits<float>::quiet_NaN()}) {
        const float second[2] = {0.1f, f};
        EXPECT_EQ(veksGoertz_32f(x.data(), 8, out.data(), f), vekStsBadRelFrequency) << f;
        EXPECT_EQ(veksGoertzTwo_32f(x.data(), 8, out.data(), second), vekStsBadRelFrequency) << f;
    }
    EXPECT_TRUE(out.intact());

    const std::vector<Vek16sc> s(4, Vek16sc{1, 1});
    vt::Guarded<Vek16sc> so(2);
    EXPECT_EQ(veksGoertzQ15_16sc_Sfs(nullptr, 4, so.data(), -1, 0), vekStsBadRelFrequency);
    EXPECT_EQ(veksGoertzQ15_16sc_Sfs(nullptr, 4, so.data(), 1, 0), vekStsNullPtr);
    EXPECT_EQ(veksGoertzQ15_16sc_Sfs(s.data(), -4, so.data(), 1, 0), vekStsBadLength);
    const Vek16s qneg[2] = {5, -5};
    EXPECT_EQ(veksGoertzTwoQ15_16sc_Sfs(s.data(), 4, so.data(), qneg, 0), vekStsBadRelFrequency);
    EXPECT_EQ(veksGoertzTwoQ15_16sc_Sfs(s.data(), 4, so.data(), nullptr, 0), vekStsNullPtr);
    EXPECT_TRUE(so.intact());
}

} // namespace
