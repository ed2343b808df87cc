// Conjugation, conjugation with reversal, parts and complex construction.
#include "convert_test_util.h"

namespace {

template <class C> struct Api;
#define PARTS_ROW(c, r)                                                                     \
    template <> struct Api<Vek##c> {                                                        \
        using R = Vek##r;                                                                   \
        static constexpr auto conj = veksConj_##c, conj_flip = veksConjFlip_##c;            \
        static constexpr auto conj_i = veksConj_##c##_I;                                    \
        static constexpr auto real = veksReal_##c, imag = veksImag_##c;                     \
        static constexpr auto split = veksCplxToReal_##c;                                   \
        static constexpr auto join = veksRealToCplx_##r;                                    \
    };
PARTS_ROW(16sc, 16s) PARTS_ROW(32fc, 32f) PARTS_ROW(64fc, 64f)
#undef PARTS_ROW

// Integer imaginary parts negate with saturation; floating ones are
// subtracted from +0 (so -0 and +0 both give +0).
template <class C>
C conj_reference(C v) {
    using R = typename Api<C>::R;
    const long double negated = 0.0L - v.im;
    return C{v.re, static_cast<R>(std::is_integral_v<R> ? std::min<long double>(negated, std::numeric_limits<R>::max()) : negated)};
}

template <class C> class ComplexParts : public ::testing::Test {};
using PartTypes = ::testing::Types<Vek16sc, Vek32fc, Vek64fc>;
TYPED_TEST_SUITE(ComplexParts, PartTypes);

// Conj, Conj_I and ConjFlip (out of place and on one buffer, odd and even
// lengths) agree with the reference; taking parts and joining them back
// gives the source, a missing part reading as 0.
TYPED_TEST(ComplexParts, AgainstReference) {
    using C = TypeParam;
    using A = Api<C>;
    using R = typename A::R;
    vt::Rng rng;
    const auto parts = ct::test_parts<R>(rng, 300);
    const auto src = parts.template interleaved<C>();
    const int n = parts.size();
    for (int len : {n, n - 1, 1}) {
        std::vector<C> want(src.begin(), src.begin() + len), in_place = want, flip_in_place = want;
        for (C& v : want) v = conj_reference(v);
        const std::vector<C> flipped(want.rbegin(), want.rend());
        vt::Guarded<C> out(ct::bounded(len)), flip(ct::bounded(len));
        ASSERT_EQ(A::conj(src.data(), out.data(), len), vekStsOk);
        ASSERT_EQ(A::conj_flip(src.data(), flip.data(), len), vekStsOk);
        ASSERT_EQ(A::conj_i(in_place.data(), len), vekStsOk);
        ASSERT_EQ(A::conj_flip(flip_in_place.data(), flip_in_place.data(), len), vekStsOk);
        EXPECT_TRUE(ct::holds(out, want) && ct::holds(in_place, want)) << len;
        EXPECT_TRUE(ct::holds(flip, flipped) && ct::holds(flip_in_place, flipped)) << len;
    }
    const std::vector<R> zeros(parts.count());
    vt::Guarded<R> re(parts.count()), im(parts.count()), re2(parts.count()), im2(parts.count());
    vt::Guarded<C> both(parts.count()), re_only(parts.count()), im_only(parts.count());
    ASSERT_EQ(A::real(src.data(), re.data(), n), vekStsOk);
    ASSERT_EQ(A::imag(src.data(), im.data(), n), vekStsOk);
    ASSERT_EQ(A::split(src.data(), re2.data(), im2.data(), n), vekStsOk);
    ASSERT_EQ(A::join(parts.re.data(), parts.im.data(), both.data(), n), vekStsOk);
    ASSERT_EQ(A::join(parts.re.data(), nullptr, re_only.data(), n), vekStsOk);
    ASSERT_EQ(A::join(nullptr, parts.im.data(), im_only.data(), n), vekStsOk);
    EXPECT_TRUE(ct::holds(re, parts.re) && ct::holds(re2, parts.re) && ct::holds(im, parts.im) && ct::holds(im2, parts.im));
    EXPECT_TRUE(ct::holds(both, src));
    EXPECT_TRUE(ct::holds(re_only, ct::Parts<R>{parts.re, zeros}.template interleaved<C>()));
    EXPECT_TRUE(ct::holds(im_only, ct::Parts<R>{zeros, parts.im}.template interleaved<C>()));
}

} // namespace
