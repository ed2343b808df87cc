// Linear, biased and cyclic convolution against long-double and exact sums.
#include "byte_offset.h"
#include "fir_reference.h"
#include "signature_probe.h"

namespace {

using namespace firt;

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
    EXPECT_TRUE(out.guard_intact());
    EXPECT_LE(max_error(dst, conv(a, b, 0, dlen)), tolerance(a, b)) << la << " x " << lb;
}

template <class F> class ConvFloat : public ::testing::Test {};
using FloatTypes = ::testing::Types<Vek32f, Vek64f>;
TYPED_TEST_SUITE(ConvFloat, FloatTypes);

// Every pair up to 64; both sides of each size rule (149/150, 31/32, three times the short).
TYPED_TEST(ConvFloat, MatchesTheSumsAroundTheSizeRules) {
    vt::Rng rng(1);
    for (int la = 1; la <= 64; ++la)
        for (int lb = 1; lb <= 64; ++lb)
            check_conv(random_vector<TypeParam>(rng, la), random_vector<TypeParam>(rng, lb), (la + lb) % 7 == 0);
    const int pairs[][2] = {{100, 50}, {101, 50}, {118, 32}, {119, 32}, {95, 32}, {96, 32}, {400, 31},
                            {5000, 31}, {9000, 7}, {4096, 100}, {4097, 100}, {1024, 1024}, {3000, 1001},
                            {3003, 1001}, {20000, 300}, {12289, 33}, {4097, 1}};
    for (const auto& p : pairs) {
        const auto a = random_vector<TypeParam>(rng, p[0]), b = random_vector<TypeParam>(rng, p[1]);
        check_conv(a, b, p[0] % 2 == 1);
        // Operand order does not matter: the same evaluation runs.
        std::vector<TypeParam> ab(a.size() + b.size() - 1), ba(ab.size());
        ASSERT_EQ(ConvFn<TypeParam>::call(a.data(), p[0], b.data(), p[1], ab.data()), vekStsOk);
        ASSERT_EQ(ConvFn<TypeParam>::call(b.data(), p[1], a.data(), p[0], ba.data()), vekStsOk);
        EXPECT_TRUE(same_bits(ab.data(), ba)) << p[0] << " x " << p[1];
    }
    for (int len_at : {1, 3}) sp::expect_checks(ConvFn<TypeParam>::call, {sp::Order::PtrsThenLen, {}, len_at, 4});
}

// 16-bit: small values keep the single-precision sums exact; sf -3 saturates.
TEST(Conv16s, ExactSumsScaledAndSaturated) {
    vt::Rng rng(4);
    for (int la : {1, 3, 17, 64, 100, 700})
        for (int lb : {1, 2, 31, 32, 64, 250}) {
            const auto a = random_vector<Vek16s>(rng, la, 60), b = random_vector<Vek16s>(rng, lb, 60);
            const auto want = exact(conv(a, b, 0, la + lb - 1));
            const bool direct = la + lb - 1 < 150 || std::min(la, lb) < 32;
            for (int sf : {-3, 0, 1, 2, 5, 40}) {
                vt::Guarded<Vek16s> dst(la + lb - 1);
                ASSERT_EQ(veksConv_16s_Sfs(a.data(), la, b.data(), lb, dst.data(), sf), vekStsOk);
                EXPECT_TRUE(dst.guard_intact());
                for (int k = 0; k < la + lb - 1; ++k)
                    ASSERT_LE(std::abs(dst[k] - scale_16s(want[k], sf)), direct ? 0 : 1) << la << "x" << lb << " sf " << sf;
            }
        }
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
        const auto a = random_vector<Vek32f>(rng, c.la), b = random_vector<Vek32f>(rng, c.lb);
        vt::Guarded<Vek32f> dst(c.dlen);
        ASSERT_EQ(veksConvBiased_32f(a.data(), c.la, b.data(), c.lb, dst.data(), c.dlen, c.bias), vekStsOk);
        EXPECT_TRUE(dst.guard_intact());
        EXPECT_LE(max_error(dst.data(), conv(a, b, c.bias, c.dlen)), tolerance(a, b))
            << c.lb << " " << c.la << " " << c.dlen << " " << c.bias;
    }
    for (int len_at : {1, 3, 5}) sp::expect_checks(veksConvBiased_32f, {sp::Order::PtrsThenLen, {}, len_at, 2});
}

// Cyclic sums of n outputs: the linear convolution folded.
template <class T> std::vector<CL> cyclic(const std::vector<T>& s, const std::vector<T>& h, int n) {
    const auto lin = conv(s, h, 0, 2 * n - 1);
    std::vector<CL> r(static_cast<std::size_t>(n));
    for (int k = 0; k < 2 * n - 1; ++k) r[std::size_t(k % n)] += lin[std::size_t(k)];
    return r;
}

TEST(ConvCyclic, FixedSizesAgainstTheDefinition) {
    vt::Rng rng(6);
    for (int rep = 0; rep < 50; ++rep) {
        const auto s = random_vector<Vek32f>(rng, 8), h = random_vector<Vek32f>(rng, 8);
        Vek32f d[8];
        ASSERT_EQ(veksConvCyclic8x8_32f(s.data(), h.data(), d), vekStsOk);
        EXPECT_LE(max_error(d, cyclic(s, h, 8)), 1e-5L);
        const auto si = random_vector<Vek16s>(rng, 8, 32767), hi = random_vector<Vek16s>(rng, 8, 32767);
        const auto want = exact(cyclic(si, hi, 8));
        for (int sf : {-20, -1, 0, 1, 15, 16, 17, 33, 40}) {
            Vek16s di[8];
            ASSERT_EQ(veksConvCyclic8x8_16s_Sfs(si.data(), hi.data(), di, sf), vekStsOk);
            for (int k = 0; k < 8; ++k) ASSERT_EQ(di[k], scale_16s(want[k], sf)) << "sf " << sf;
        }
        const auto r = random_vector<Vek32f>(rng, 4);
        const auto c = random_vector<Vek32fc>(rng, 4);
        std::vector<Vek32fc> rc;
        for (Vek32f v : r) rc.push_back({v, 0});
        Vek32fc dc[4];
        ASSERT_EQ(veksConvCyclic4x4_32f32fc(r.data(), c.data(), dc), vekStsOk);
        EXPECT_LE(max_error(dc, cyclic(rc, c, 4)), 1e-5L);
    }
}

} // namespace
