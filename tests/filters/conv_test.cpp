// Linear, biased and cyclic convolution against long-double and exact sums.
#include <cstring>

#include "byte_offset.h"
#include "conv_reference.h"
#include "signature_probe.h"
#include "veks_test.h"

namespace {

using ct::CLD;

template <class F> struct ConvFn;
template <> struct ConvFn<Vek32f> { static constexpr auto call = veksConv_32f; };
template <> struct ConvFn<Vek64f> { static constexpr auto call = veksConv_64f; };

// Conv on copies of a and b off their natural alignment when `odd`.
template <class F>
void check_conv(const std::vector<F>& a, const std::vector<F>& b, bool odd = false) {
    const int la = int(a.size()), lb = int(b.size()), dlen = la + lb - 1;
    vt::Misaligned<F> pa(a, odd ? 1 : 0), pb(b, odd ? 3 : 0);
    vt::Guarded<char> out(dlen * sizeof(F) + 1);
    F* dst = reinterpret_cast<F*>(out.data() + (odd ? 1 : 0));
    ASSERT_EQ(ConvFn<F>::call(pa.data(), la, pb.data(), lb, dst), vekStsOk);
    if (!odd) {
        EXPECT_TRUE(out.guard_intact());
    }
    EXPECT_LE(ct::max_error(dst, ct::conv(a, b)), ct::tolerance(a, b)) << la << " x " << lb;
}

template <class F> class ConvFloat : public ::testing::Test {};
using FloatTypes = ::testing::Types<Vek32f, Vek64f>;
TYPED_TEST_SUITE(ConvFloat, FloatTypes);

TYPED_TEST(ConvFloat, EveryShortLengthPair) {
    vt::Rng rng(1);
    for (int la = 1; la <= 64; ++la)
        for (int lb = 1; lb <= 64; ++lb)
            check_conv(ct::random_vec<TypeParam>(rng, la), ct::random_vec<TypeParam>(rng, lb), (la + lb) % 7 == 0);
}

// Both sides of each size rule (result 149/150, short operand 31/32, long
// below/above three times the short), chunked and threaded paths.
TYPED_TEST(ConvFloat, LongOperandsAroundTheSizeRules) {
    vt::Rng rng(2);
    const int pairs[][2] = {{100, 50}, {101, 50}, {118, 32}, {119, 32}, {95, 32}, {96, 32}, {400, 31},
                            {5000, 31}, {9000, 7}, {4096, 100}, {4097, 100}, {1024, 1024}, {3000, 1001},
                            {3003, 1001}, {20000, 300}, {12289, 33}, {4097, 1}};
    for (const auto& p : pairs) {
        const auto a = ct::random_vec<TypeParam>(rng, p[0]), b = ct::random_vec<TypeParam>(rng, p[1]);
        check_conv(a, b, p[0] % 2 == 1);
        // Operand order does not matter: the same evaluation runs.
        std::vector<TypeParam> ab(a.size() + b.size() - 1), ba(ab.size());
        ASSERT_EQ(ConvFn<TypeParam>::call(a.data(), p[0], b.data(), p[1], ab.data()), vekStsOk);
        ASSERT_EQ(ConvFn<TypeParam>::call(b.data(), p[1], a.data(), p[0], ba.data()), vekStsOk);
        EXPECT_EQ(0, std::memcmp(ab.data(), ba.data(), ab.size() * sizeof(TypeParam))) << p[0] << " x " << p[1];
    }
}

TYPED_TEST(ConvFloat, ChecksInOrderAndWritesNothing) {
    for (int len_at : {1, 3}) sp::expect_checks(ConvFn<TypeParam>::call, {sp::Order::PtrsThenLen, {}, len_at, 4});
}

// 16-bit: small values keep the single-precision sums exact.
TEST(Conv16s, ExactSumsScaledAndSaturated) {
    vt::Rng rng(4);
    for (int la : {1, 3, 17, 64, 100, 700})
        for (int lb : {1, 2, 31, 32, 64, 250}) {
            const auto a = ct::random_vec<Vek16s>(rng, la, -60, 60), b = ct::random_vec<Vek16s>(rng, lb, -60, 60);
            const auto want = ct::cross_exact(std::vector<Vek16s>(a.rbegin(), a.rend()), b, -(la - 1), la + lb - 1);
            const bool direct = la + lb - 1 < 150 || std::min(la, lb) < 32;
            for (int sf : {-3, 0, 1, 2, 5, 40}) {
                vt::Guarded<Vek16s> dst(la + lb - 1);
                ASSERT_EQ(veksConv_16s_Sfs(a.data(), la, b.data(), lb, dst.data(), sf), vekStsOk);
                EXPECT_TRUE(dst.guard_intact());
                for (int k = 0; k < la + lb - 1; ++k)
                    ASSERT_LE(std::abs(dst[k] - ct::scale_16s(want[k], sf)), direct ? 0 : 1) << la << "x" << lb << " sf " << sf;
            }
        }
    Vek16s big[2] = {32767, 32767};
    vt::Guarded<Vek16s> dst(3);
    ASSERT_EQ(veksConv_16s_Sfs(big, 2, big, 2, dst.data(), 0), vekStsOk);
    EXPECT_EQ(dst.values(), (std::vector<Vek16s>{32767, 32767, 32767}));
    for (int len_at : {1, 3}) sp::expect_checks(veksConv_16s_Sfs, {sp::Order::PtrsThenLen, {}, len_at, 4});
}

TEST(ConvBiased, MatchesTheSumWithTermsOutsideOmitted) {
    vt::Rng rng(5);
    struct Case { int lb, la, dlen, bias; };
    std::vector<Case> cases = {{45, 4, 41, 4}, {50, 11, 40, 10}, {56, 16, 40, 16}, {70, 31, 40, 30}, {110, 31, 80, 30},
                               {40, 40, 40, 0}, {40, 40, 79, 0}, {10, 3, 20, -5}, {5, 9, 30, 7}, {1, 1, 1, 0}};
    for (int i = 0; i < 200; ++i)
        cases.push_back({rng.integer(1, 50), rng.integer(1, 50), rng.integer(1, 120), rng.integer(-60, 60)});
    for (const Case& c : cases) {
        const auto a = ct::random_vec<Vek32f>(rng, c.la), b = ct::random_vec<Vek32f>(rng, c.lb);
        vt::Guarded<Vek32f> dst(c.dlen);
        ASSERT_EQ(veksConvBiased_32f(a.data(), c.la, b.data(), c.lb, dst.data(), c.dlen, c.bias), vekStsOk);
        EXPECT_TRUE(dst.guard_intact());
        // dst[k] = sum_j a[j] b[k + bias - j] is the correlation of reversed a with b.
        const auto want = ct::cross(std::vector<Vek32f>(a.rbegin(), a.rend()), b, c.bias - (c.la - 1), c.dlen);
        EXPECT_LE(ct::max_error(dst.data(), want), ct::tolerance(a, b)) << c.lb << " " << c.la << " " << c.dlen << " " << c.bias;
    }
    for (int len_at : {1, 3, 5}) sp::expect_checks(veksConvBiased_32f, {sp::Order::PtrsThenLen, {}, len_at, 2});
}

TEST(ConvCyclic, FixedSizesAgainstTheDefinition) {
    vt::Rng rng(6);
    for (int rep = 0; rep < 50; ++rep) {
        const auto s = ct::random_vec<Vek32f>(rng, 8), h = ct::random_vec<Vek32f>(rng, 8);
        Vek32f d[8];
        ASSERT_EQ(veksConvCyclic8x8_32f(s.data(), h.data(), d), vekStsOk);
        for (int k = 0; k < 8; ++k) {
            long double want = 0;
            for (int j = 0; j < 8; ++j) want += (long double)s[j] * h[(k - j + 8) % 8];
            EXPECT_NEAR(d[k], want, 1e-5);
        }
        const auto si = ct::random_vec<Vek16s>(rng, 8, -32768, 32767), hi = ct::random_vec<Vek16s>(rng, 8, -32768, 32767);
        for (int sf : {-20, -1, 0, 1, 15, 16, 17, 33, 40}) {
            Vek16s di[8];
            ASSERT_EQ(veksConvCyclic8x8_16s_Sfs(si.data(), hi.data(), di, sf), vekStsOk);
            for (int k = 0; k < 8; ++k) {
                std::int64_t want = 0;
                for (int j = 0; j < 8; ++j) want += std::int64_t(si[j]) * hi[(k - j + 8) % 8];
                ASSERT_EQ(di[k], ct::scale_16s(want, sf)) << "sf " << sf;
            }
        }
        const auto r = ct::random_vec<Vek32f>(rng, 4);
        const auto c = ct::random_vec<Vek32fc>(rng, 4);
        Vek32fc dc[4];
        ASSERT_EQ(veksConvCyclic4x4_32f32fc(r.data(), c.data(), dc), vekStsOk);
        for (int k = 0; k < 4; ++k) {
            ct::CLD want = 0;
            for (int j = 0; j < 4; ++j) want += ct::LD(r[j]) * ct::wide(c[(k - j + 4) % 4]);
            EXPECT_LE(std::abs(ct::wide(dc[k]) - want), 1e-5L);
        }
    }
}

} // namespace
