// Conjugation, conjugation with reversal, parts and complex construction.
#include <cstring>

#include "complex_test_data.h"

namespace {

template <class C> struct PartsApi;
#define PARTS_ROW(c, r)                                                   \
    template <> struct PartsApi<Vek##c> {                                 \
        using R = Vek##r;                                                 \
        static constexpr auto conj = veksConj_##c;                        \
        static constexpr auto conj_i = veksConj_##c##_I;                  \
        static constexpr auto conj_flip = veksConjFlip_##c;               \
        static constexpr auto real = veksReal_##c;                        \
        static constexpr auto imag = veksImag_##c;                        \
        static constexpr auto cplx_to_real = veksCplxToReal_##c;          \
        static constexpr auto real_to_cplx = veksRealToCplx_##r;          \
    };
PARTS_ROW(16sc, 16s) PARTS_ROW(32fc, 32f) PARTS_ROW(64fc, 64f)
#undef PARTS_ROW

// The conjugate written out: integer imaginary parts negate with
// saturation, floating ones are subtracted from +0.
template <class C>
C conj_reference(C v) {
    using R = typename PartsApi<C>::R;
    if constexpr (std::is_integral_v<R>) {
        const long long n = -static_cast<long long>(v.im);
        return C{v.re, static_cast<R>(n > std::numeric_limits<R>::max() ? std::numeric_limits<R>::max() : n)};
    } else {
        return C{v.re, static_cast<R>(0.0L - static_cast<long double>(v.im))};
    }
}

template <class C>
bool same(const C& a, const C& b) { return vt::same_bits(a.re, b.re) && vt::same_bits(a.im, b.im); }

template <class C> class ComplexParts : public ::testing::Test {};
using PartTypes = ::testing::Types<Vek16sc, Vek32fc, Vek64fc>;
TYPED_TEST_SUITE(ComplexParts, PartTypes);

TYPED_TEST(ComplexParts, CheckOrder) {
    using C = TypeParam;
    using A = PartsApi<C>;
    using R = typename A::R;
    std::vector<C> src(4);
    std::vector<R> re(4), im(4);
    vt::Guarded<C> dst(4);
    vt::Guarded<R> d1(4), d2(4);
    auto dst_intact = [&] { return dst.intact(); };
    auto parts_intact = [&] { return d1.intact() && d2.intact(); };
    for (auto fn : {A::conj, A::conj_flip})
        vt::expect_ptrs_then_len(2, [&](int nul, int len) { return fn(vt::ptr_or_null(src.data(), 0, nul), vt::ptr_or_null(dst.data(), 1, nul), len); }, dst_intact);
    vt::expect_ptrs_then_len(1, [&](int nul, int len) { return A::conj_i(vt::ptr_or_null(dst.data(), 0, nul), len); }, dst_intact);
    for (auto fn : {A::real, A::imag})
        vt::expect_ptrs_then_len(2, [&](int nul, int len) { return fn(vt::ptr_or_null(src.data(), 0, nul), vt::ptr_or_null(d1.data(), 1, nul), len); }, parts_intact);
    vt::expect_ptrs_then_len(3, [&](int nul, int len) {
        return A::cplx_to_real(vt::ptr_or_null(src.data(), 0, nul), vt::ptr_or_null(d1.data(), 1, nul), vt::ptr_or_null(d2.data(), 2, nul), len);
    }, parts_intact);

    // RealToCplx: destination, then length, then "both sources missing".
    vt::expect_ptrs_then_len(1, [&](int nul, int len) { return A::real_to_cplx(re.data(), im.data(), vt::ptr_or_null(dst.data(), 0, nul), len); }, dst_intact);
    EXPECT_EQ(A::real_to_cplx(nullptr, nullptr, nullptr, 0), vekStsNullPtr);
    EXPECT_EQ(A::real_to_cplx(nullptr, nullptr, dst.data(), 0), vekStsBadLength);
    EXPECT_EQ(A::real_to_cplx(nullptr, nullptr, dst.data(), 4), vekStsNullPtr);
    EXPECT_TRUE(dst.intact());
}

TYPED_TEST(ComplexParts, ConjugateAgainstReference) {
    using C = TypeParam;
    using A = PartsApi<C>;
    using R = typename A::R;
    vt::Rng rng;
    const auto parts = ct::test_parts<R>(rng, 300);
    const auto src = ct::interleave<C>(parts);
    const int n = parts.size();

    vt::Guarded<C> out(parts.count()), flip(parts.count());
    ASSERT_EQ(A::conj(src.data(), out.data(), n), vekStsOk);
    ASSERT_EQ(A::conj_flip(src.data(), flip.data(), n), vekStsOk);
    for (int k = 0; k < n; ++k) {
        const C want = conj_reference(src[k]);
        EXPECT_TRUE(same(out[k], want)) << k;
        EXPECT_TRUE(same(flip[n - 1 - k], want)) << k;
    }
    EXPECT_TRUE(out.guard_intact() && flip.guard_intact());

    // In place equals out of place, for Conj_I and for ConjFlip on one buffer
    // (odd and even lengths).
    for (int len : {n, n - 1, 1}) {
        std::vector<C> a(src.begin(), src.begin() + len), b = a;
        ASSERT_EQ(A::conj_i(a.data(), len), vekStsOk);
        ASSERT_EQ(A::conj_flip(b.data(), b.data(), len), vekStsOk);
        for (int k = 0; k < len; ++k) {
            EXPECT_TRUE(same(a[k], out[k])) << k;
            EXPECT_TRUE(same(b[len - 1 - k], out[k])) << k;
        }
    }
}

TYPED_TEST(ComplexParts, SplitAndJoin) {
    using C = TypeParam;
    using A = PartsApi<C>;
    using R = typename A::R;
    vt::Rng rng(7);
    const auto parts = ct::test_parts<R>(rng, 101);
    const auto src = ct::interleave<C>(parts);
    const int n = parts.size();

    const std::size_t un = parts.count();
    vt::Guarded<R> re(un), im(un), re2(un), im2(un);
    ASSERT_EQ(A::real(src.data(), re.data(), n), vekStsOk);
    ASSERT_EQ(A::imag(src.data(), im.data(), n), vekStsOk);
    ASSERT_EQ(A::cplx_to_real(src.data(), re2.data(), im2.data(), n), vekStsOk);
    for (int k = 0; k < n; ++k) {
        EXPECT_TRUE(vt::same_bits(re[k], parts.re[k]) && vt::same_bits(re2[k], parts.re[k])) << k;
        EXPECT_TRUE(vt::same_bits(im[k], parts.im[k]) && vt::same_bits(im2[k], parts.im[k])) << k;
    }
    EXPECT_TRUE(re.guard_intact() && im.guard_intact() && re2.guard_intact() && im2.guard_intact());

    // Joining the parts back gives the source; a missing part reads as zero.
    vt::Guarded<C> both(un), re_only(un), im_only(un);
    ASSERT_EQ(A::real_to_cplx(re.data(), im.data(), both.data(), n), vekStsOk);
    ASSERT_EQ(A::real_to_cplx(re.data(), nullptr, re_only.data(), n), vekStsOk);
    ASSERT_EQ(A::real_to_cplx(nullptr, im.data(), im_only.data(), n), vekStsOk);
    for (int k = 0; k < n; ++k) {
        EXPECT_TRUE(same(both[k], src[k])) << k;
        EXPECT_TRUE(same(re_only[k], C{parts.re[k], R(0)})) << k;
        EXPECT_TRUE(same(im_only[k], C{R(0), parts.im[k]})) << k;
    }
    EXPECT_TRUE(both.guard_intact() && re_only.guard_intact() && im_only.guard_intact());
}

TEST(ComplexParts, NamedValues) {
    Vek16sc s[2] = {{5, -32768}, {5, 7}}, d[2];
    ASSERT_EQ(veksConj_16sc(s, d, 2), vekStsOk);
    EXPECT_EQ(d[0].re, 5);
    EXPECT_EQ(d[0].im, 32767);
    EXPECT_EQ(d[1].im, -7);

    const Vek32fc f[2] = {{1.0f, 0.0f}, {1.0f, -0.0f}};
    Vek32fc g[2];
    ASSERT_EQ(veksConj_32fc(f, g, 2), vekStsOk);
    EXPECT_FALSE(std::signbit(g[0].im));
    EXPECT_FALSE(std::signbit(g[1].im));

    const Vek32fc h[2] = {{1, 2}, {3, 4}};
    Vek32fc r[2];
    ASSERT_EQ(veksConjFlip_32fc(h, r, 2), vekStsOk);
    EXPECT_TRUE(r[0].re == 3 && r[0].im == -4 && r[1].re == 1 && r[1].im == -2);
}

} // namespace
