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
    if constexpr (std::is_integral_v<R>)
        return C{v.re, static_cast<R>(std::min<long long>(-static_cast<long long>(v.im), std::numeric_limits<R>::max()))};
    else
        return C{v.re, static_cast<R>(0.0L - v.im)};
}

template <class C>
bool same(const C& a, const C& b) { return vt::same_bits(a.re, b.re) && vt::same_bits(a.im, b.im); }

template <class C> class ComplexParts : public ::testing::Test {};
using PartTypes = ::testing::Types<Vek16sc, Vek32fc, Vek64fc>;
TYPED_TEST_SUITE(ComplexParts, PartTypes);

// Conj, Conj_I and ConjFlip (out of place and on one buffer, odd and even
// lengths) all agree with the reference.
TYPED_TEST(ComplexParts, Conjugate) {
    using C = TypeParam;
    using A = Api<C>;
    vt::Rng rng;
    const auto src = ct::test_parts<typename A::R>(rng, 300).template interleaved<C>();
    for (int len : {static_cast<int>(ct::bounded(src.size())), static_cast<int>(ct::bounded(src.size())) - 1, 1}) {
        vt::Guarded<C> out(ct::bounded(len)), flip(ct::bounded(len));
        std::vector<C> in_place(src.begin(), src.begin() + len), flip_in_place = in_place;
        ASSERT_EQ(A::conj(src.data(), out.data(), len), vekStsOk);
        ASSERT_EQ(A::conj_flip(src.data(), flip.data(), len), vekStsOk);
        ASSERT_EQ(A::conj_i(in_place.data(), len), vekStsOk);
        ASSERT_EQ(A::conj_flip(flip_in_place.data(), flip_in_place.data(), len), vekStsOk);
        for (int k = 0; k < len; ++k) {
            const C want = conj_reference(src[k]);
            EXPECT_TRUE(same(out[k], want) && same(in_place[k], want)) << k;
            EXPECT_TRUE(same(flip[len - 1 - k], want) && same(flip_in_place[len - 1 - k], want)) << k;
        }
        EXPECT_TRUE(out.guard_intact() && flip.guard_intact());
    }
}

// Taking parts and joining them back gives the source; a missing part reads as 0.
TYPED_TEST(ComplexParts, SplitAndJoin) {
    using C = TypeParam;
    using A = Api<C>;
    using R = typename A::R;
    vt::Rng rng(7);
    const auto parts = ct::test_parts<R>(rng, 101);
    const auto src = parts.template interleaved<C>();
    const int n = parts.size();
    vt::Guarded<R> re(parts.count()), im(parts.count()), re2(parts.count()), im2(parts.count());
    vt::Guarded<C> both(parts.count()), re_only(parts.count()), im_only(parts.count());
    ASSERT_EQ(A::real(src.data(), re.data(), n), vekStsOk);
    ASSERT_EQ(A::imag(src.data(), im.data(), n), vekStsOk);
    ASSERT_EQ(A::split(src.data(), re2.data(), im2.data(), n), vekStsOk);
    ASSERT_EQ(A::join(re.data(), im.data(), both.data(), n), vekStsOk);
    ASSERT_EQ(A::join(re.data(), nullptr, re_only.data(), n), vekStsOk);
    ASSERT_EQ(A::join(nullptr, im.data(), im_only.data(), n), vekStsOk);
    for (int k = 0; k < n; ++k) {
        EXPECT_TRUE(vt::same_bits(re[k], parts.re[k]) && vt::same_bits(re2[k], parts.re[k])) << k;
        EXPECT_TRUE(vt::same_bits(im[k], parts.im[k]) && vt::same_bits(im2[k], parts.im[k])) << k;
        EXPECT_TRUE(same(both[k], src[k]) && same(re_only[k], C{parts.re[k], R(0)}) && same(im_only[k], C{R(0), parts.im[k]})) << k;
    }
    for (auto* g : {&both, &re_only, &im_only}) EXPECT_TRUE(g->guard_intact());
    EXPECT_TRUE(re.guard_intact() && im.guard_intact() && re2.guard_intact() && im2.guard_intact());
}

} // namespace
