// Packed spectrum operations: expansion (Conj*) and products (Mul*).
#include "byte_offset.h"
#include "fft_test_util.h"
#include "wavelet_reference.h"

namespace {

using cf = std::complex<double>;

// Reference expansion of a packed layout of length len (layout 0 Pack,
// 1 Perm, 2 CCS), written from the layout tables.
std::vector<cf> expand(const std::vector<double>& p, int len, int layout) {
    std::vector<cf> x(len);
    const bool even = len % 2 == 0;
    const int bins = even ? len / 2 - 1 : (len - 1) / 2;
    const int first = layout == 2 || (layout == 1 && even) ? 2 : 1;
    x[0] = cf(p[0], layout == 2 ? p[1] : 0);
    if (even) x[len / 2] = layout == 0 ? cf(p[len - 1], 0) : layout == 1 ? cf(p[1], 0) : cf(p[len], p[len + 1]);
    for (int k = 1; k <= bins; ++k) {
        x[k] = cf(p[first + 2 * (k - 1)], p[first + 2 * (k - 1) + 1]);
        x[len - k] = std::conj(x[k]);
    }
    return x;
}

template <class T> std::vector<T> random_packed(int n, std::uint64_t seed) {
    vt::Rng rng(seed);
    std::vector<T> v(n);
    for (auto& x : v) x = static_cast<T>(rng.integer<int>(-300, 300)) / T(8);
    return v;
}

using ConjFn = VekStatus (*)(const Vek32f*, Vek32fc*, int);
using ConjIFn = VekStatus (*)(Vek32fc*, int);
const ConjFn kConj[] = {veksConjPack_32fc, veksConjPerm_32fc, veksConjCcs_32fc};
const ConjIFn kConjI[] = {veksConjPack_32fc_I, veksConjPerm_32fc_I, veksConjCcs_32fc_I};

TEST(FftPacked, ExpansionMatchesTheLayouts) {
    for (int layout = 0; layout < 3; ++layout)
        for (int len = 1; len <= 13; ++len) {
            const int stored = layout == 2 ? (len % 2 ? len + 1 : len + 2) : len;
            const auto p = random_packed<Vek32f>(stored, len * 3 + layout);
            vt::Misaligned<Vek32f> src(p, 3); // sources and in-place data at odd byte addresses
            vt::Guarded<Vek32fc> d(len);
            ASSERT_EQ(kConj[layout](src.data(), d.data(), len), vekStsOk);
            EXPECT_TRUE(d.guard_intact());
            std::vector<Vek32fc> in(len + 1);
            std::memcpy(in.data(), p.data(), p.size() * sizeof(Vek32f));
            vt::Misaligned<Vek32fc> odd(in, 1 + len % 7);
            ASSERT_EQ(kConjI[layout](odd.data(), len), vekStsOk);
            const auto want = expand(std::vector<double>(p.begin(), p.end()), len, layout);
            for (int k = 0; k < len; ++k) {
                EXPECT_EQ(cf(d[k].re, d[k].im), want[k]) << "layout " << layout << " len " << len << " bin " << k;
                EXPECT_TRUE(vt::same_bits(odd.values()[k], d[k])) << "in place differs, layout " << layout << " len " << len;
            }
        }
}

TEST(FftPacked, SixteenBitConjugationSaturates) {
    const Vek16s p[4] = {7, 5, -32768, -32768};
    Vek16sc d[4];
    ASSERT_EQ(veksConjPack_16sc(p, d, 3), vekStsOk);
    EXPECT_EQ(d[1].im, -32768);
    EXPECT_EQ(d[2].im, 32767) << "-(-32768) saturates";
    EXPECT_EQ(d[2].re, 5);
    ASSERT_EQ(veksConjCcs_16sc(p + 2, d, 1), vekStsOk);
    EXPECT_EQ(d[0].im, -32768) << "bin 0 carries its stored imaginary part";
}

// Products in packed form equal the complex products of the expanded spectra.
TEST(FftPacked, ProductsMatchExpandedComplexProducts) {
    for (int len = 1; len <= 12; ++len) {
        const auto a = random_packed<Vek64f>(len, len), b = random_packed<Vek64f>(len, 100 + len);
        const std::vector<double> ad(a.begin(), a.end()), bd(b.begin(), b.end());
        for (int layout = 0; layout < 2; ++layout) {
            vt::Misaligned<Vek64f> odd_a(a, 1), odd_d(std::size_t(len), 5); // odd byte addresses
            ASSERT_EQ((layout ? veksMulPerm_64f : veksMulPack_64f)(odd_a.data(), b.data(), odd_d.data(), len), vekStsOk);
            const std::vector<Vek64f> d = odd_d.values();
            std::vector<Vek64f> di(b);
            ASSERT_EQ((layout ? veksMulPerm_64f_I : veksMulPack_64f_I)(a.data(), di.data(), len), vekStsOk);
            EXPECT_EQ(d, di);
            const auto ea = expand(ad, len, layout), eb = expand(bd, len, layout), ed = expand(std::vector<double>(d.begin(), d.end()), len, layout);
            for (int k = 0; k < len; ++k) EXPECT_EQ(ed[k], ea[k] * eb[k]) << "layout " << layout << " len " << len << " bin " << k;
        }
        std::vector<Vek64f> d(b);
        ASSERT_EQ(veksMulPackConj_64f_I(a.data(), d.data(), len), vekStsOk);
        const auto ea = expand(ad, len, 0), eb = expand(bd, len, 0), ed = expand(std::vector<double>(d.begin(), d.end()), len, 0);
        for (int k = 0; k < len; ++k) EXPECT_EQ(ed[k], ea[k] * std::conj(eb[k])) << "conj product, len " << len << " bin " << k;
    }
}

// 16-bit products: the exact complex products of the expanded spectra,
// scaled by the scale-factor rule (ties to even, saturated).
TEST(FftPacked, SixteenBitProductsScaleAndSaturate) {
    const auto wide = [](const std::vector<Vek16s>& v) { return std::vector<double>(v.begin(), v.end()); };
    vt::Rng rng(8);
    for (int len : {1, 2, 5, 8}) {
        std::vector<Vek16s> a(len), b(len);
        for (int i = 0; i < len; ++i) { a[i] = rng.integer<Vek16s>(-32768, 32767); b[i] = rng.integer<Vek16s>(-32768, 32767); }
        a[0] = b[0] = -32768;
        for (int sf : {-2, 0, 1, 3, 15, 16, 31, 33})
            for (int layout = 0; layout < 2; ++layout) {
                vt::Guarded<Vek16s> d(len);
                ASSERT_EQ((layout ? veksMulPerm_16s_Sfs : veksMulPack_16s_Sfs)(a.data(), b.data(), d.data(), len, sf), vekStsOk);
                EXPECT_TRUE(d.guard_intact());
                const auto ea = expand(wide(a), len, layout), eb = expand(wide(b), len, layout);
                const auto ed = expand(wide(d.values()), len, layout);
                for (int k = 0; 2 * k <= len; ++k) {
                    const cf p = ea[k] * eb[k]; // exact in double
                    const cf want(wtref::scaled<Vek16s>((long long)p.real(), sf), wtref::scaled<Vek16s>((long long)p.imag(), sf));
                    EXPECT_EQ(ed[k], want) << len << " sf " << sf << " layout " << layout << " bin " << k;
                }
                std::vector<Vek16s> di(b);
                ASSERT_EQ((layout ? veksMulPerm_16s_ISfs : veksMulPack_16s_ISfs)(a.data(), di.data(), len, sf), vekStsOk);
                EXPECT_EQ(di, d.values());
            }
    }
}

TEST(FftPacked, CheckOrderWritesNothing) {
    sp::Options o;
    o.other = 40; // the scale factor
    sp::expect_checks_all(o, veksMulPack_32f, veksMulPackConj_32f_I, veksMulPerm_16s_Sfs, veksMulPack_64f_I, veksConjCcs_32fc,
                          veksConjPerm_32fc_I, veksConjPack_16sc);
}

} // namespace
