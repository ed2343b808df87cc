// Cross- and autocorrelation against long-double and exact integer sums.
#include "byte_offset.h"
#include "fir_reference.h"
#include "signature_probe.h"

namespace {

using namespace firt;

// The element type and its entry points.
template <class T, auto Cross, auto Auto, auto NormA, auto NormB> struct Form {
    using type = T;
    static constexpr auto cross = Cross;
    static constexpr auto autoc = Auto;
    static constexpr auto norm_a = NormA;
    static constexpr auto norm_b = NormB;
};
#define CORR_FORM(s) Form<Vek##s, veksCrossCorr_##s, veksAutoCorr_##s, veksAutoCorr_NormA_##s, veksAutoCorr_NormB_##s>

// n outputs one byte off their alignment when `odd` (nothing written after them), read back after call(dst).
template <class T, class Call> std::vector<T> output_of(int n, bool odd, Call call) {
    vt::Guarded<char> mem(std::size_t(n) * sizeof(T) + 1);
    EXPECT_EQ(call(reinterpret_cast<T*>(mem.data() + odd)), vekStsOk);
    EXPECT_TRUE(mem.guard_intact());
    std::vector<T> v(static_cast<std::size_t>(n));
    std::memcpy(v.data(), mem.data() + odd, v.size() * sizeof(T));
    return v;
}

template <class F, class T = typename F::type>
void check_cross(const std::vector<T>& a, const std::vector<T>& b, int n, int lo, bool odd = false) {
    vt::Misaligned<T> pa(a, odd ? 1 : 0), pb(b, odd ? 5 : 0);
    const auto got = output_of<T>(n, odd, [&](T* dst) {
        return F::cross(pa.data(), int(a.size()), pb.data(), int(b.size()), dst, n, lo);
    });
    EXPECT_LE(max_error(got.data(), cross(a, b, lo, n)), tolerance(a, b))
        << a.size() << " x " << b.size() << " lags " << lo << " +" << n;
    // Lags without overlap are exactly zero.
    for (int k = 0; k < n; ++k)
        ASSERT_TRUE(to_cl(got[k]) == CL(0) || (lo + k >= 1 - int(a.size()) && lo + k < int(b.size()))) << k;
}

template <class F> class Corr : public ::testing::Test {};
using CorrTypes = ::testing::Types<CORR_FORM(32f), CORR_FORM(64f), CORR_FORM(32fc), CORR_FORM(64fc)>;
TYPED_TEST_SUITE(Corr, CorrTypes);

// Every pair up to 64 (full lags and a random window), then around the transform rule (383/384, 255/256).
TYPED_TEST(Corr, CrossMatchesTheSums) {
    using T = typename TypeParam::type;
    vt::Rng rng(11);
    for (int la = 1; la <= 64; ++la)
        for (int lb = 1; lb <= 64; ++lb) {
            const auto a = random_vector<T>(rng, la), b = random_vector<T>(rng, lb);
            check_cross<TypeParam>(a, b, la + lb + 5, -(la + 2), (la + lb) % 7 == 0);
            check_cross<TypeParam>(a, b, rng.integer(1, 40), rng.integer(-80, 80));
        }
    const int limit = is_cx_elem<T>::value ? 256 : 384;
    struct Case { int la, lb, n, lo; };
    const Case cases[] = {{1000, 1000, limit - 1, -100}, {1000, 1000, limit, -100},
                          {2000, 1000, 2 * limit + 1, -500}, {1000, 3000, 2 * limit + 2, -1300},
                          {900, 900, 1805, -905}, {700, 4000, 3000, 200}, {5000, 300, 2000, -4800}};
    for (const Case& c : cases)
        check_cross<TypeParam>(random_vector<T>(rng, c.la), random_vector<T>(rng, c.lb), c.n, c.lo, c.la < 1000);
    // Checks: every length (the source's, the second operand's, the window's) probed in turn.
    for (int len_at : {1, 3, 5}) sp::expect_checks(TypeParam::cross, {sp::Order::PtrsThenLen, {}, len_at, 4});
}

template <class F, class T = typename F::type>
void check_auto(const std::vector<T>& x, int dlen, bool odd = false) {
    using R = part_t<T>;
    const int len = int(x.size()), m = std::min(len, dlen);
    const auto base = cross(x, x, 0, m);
    const auto tol = tolerance(x, x);
    vt::Misaligned<T> px(x, odd ? 1 : 0);
    for (int norm = 0; norm < 3; ++norm) {
        auto fn = norm == 0 ? F::autoc : norm == 1 ? F::norm_a : F::norm_b;
        const auto got = output_of<T>(dlen, odd, [&](T* dst) { return fn(px.data(), len, dst, dlen); });
        for (int k = 0; k < dlen; ++k) {
            if (k >= m) {
                ASSERT_EQ(to_cl(got[k]), CL(0)) << k;
                continue;
            }
            // The normalisation applies the element-precision factor to the sum.
            const LD factor = norm == 0 ? 1.0L : norm == 1 ? LD(R(1) / R(len)) : 1.0L / (len - k);
            ASSERT_LE(std::abs(to_cl(got[k]) - base[k] * factor), tol * factor * 1.01L + std::numeric_limits<R>::min())
                << "len " << len << " k " << k << " norm " << norm;
        }
    }
}

// Every short length and output count, then around the transform rule.
TYPED_TEST(Corr, AutoMatchesTheSumsAndChecks) {
    using T = typename TypeParam::type;
    vt::Rng rng(13);
    for (int len = 1; len <= 64; ++len)
        for (int dlen : {1, len / 2 + 1, len, len + 9})
            check_auto<TypeParam>(random_vector<T>(rng, len), dlen, dlen == len);
    const int from = is_cx_elem<T>::value ? 96 : 600;
    for (int len : {from - 1, from, 3 * from + 7}) {
        const auto x = random_vector<T>(rng, len);
        check_auto<TypeParam>(x, len, true);
        check_auto<TypeParam>(x, from - 1);
        check_auto<TypeParam>(x, len + 30);
    }
    // Checks: every length probed in turn.
    for (int len_at : {1, 3})
        sp::expect_checks_all({sp::Order::PtrsThenLen, {}, len_at, 4}, TypeParam::autoc, TypeParam::norm_a,
                              TypeParam::norm_b);
}

// 16-bit forms: exact sums, scaled (within 1 where a single-precision transform runs).
TEST(Corr16s, CrossExactSumsEveryWindow) {
    vt::Rng rng(16);
    for (int la = 1; la <= 40; la += 3)
        for (int lb = 1; lb <= 40; lb += 2) {
            const auto a = random_vector<Vek16s>(rng, la, 32767), b = random_vector<Vek16s>(rng, lb, 32767);
            for (int lo : {-(la + 3), -(la - 1), -1, 0, lb - 1, lb + 1}) {
                const int n = la + lb + 4;
                const auto want = exact(cross(a, b, lo, n));
                vt::Guarded<Vek64s> wide(n);
                ASSERT_EQ(veksCrossCorr_16s64s(a.data(), la, b.data(), lb, wide.data(), n, lo), vekStsOk);
                EXPECT_TRUE(wide.guard_intact());
                EXPECT_EQ(wide.values(), want);
                for (int sf : {-2, 0, 1, 16, 20, 40}) {
                    vt::Guarded<Vek16s> dst(n);
                    ASSERT_EQ(veksCrossCorr_16s_Sfs(a.data(), la, b.data(), lb, dst.data(), n, lo, sf), vekStsOk);
                    EXPECT_TRUE(dst.guard_intact());
                    for (int k = 0; k < n; ++k) ASSERT_EQ(dst[k], scale_16s(want[k], sf)) << k << " sf " << sf;
                }
            }
        }
    const auto a = random_vector<Vek16s>(rng, 1000, 300), b = random_vector<Vek16s>(rng, 1200, 300);
    const auto want = exact(cross(a, b, -400, 1500));
    vt::Guarded<Vek16s> dst(1500);
    ASSERT_EQ(veksCrossCorr_16s_Sfs(a.data(), 1000, b.data(), 1200, dst.data(), 1500, -400, 8), vekStsOk);
    for (int k = 0; k < 1500; ++k) ASSERT_NEAR(dst[k], scale_16s(want[k], 8), 1) << k;
    for (int len_at : {1, 3, 5})
        sp::expect_checks_all({sp::Order::PtrsThenLen, {}, len_at, 4}, veksCrossCorr_16s_Sfs, veksCrossCorr_16s64s);
}

TEST(Corr16s, AutoExactAndNormalised) {
    vt::Rng rng(17);
    using Fn = VekStatus (*)(const Vek16s*, int, Vek16s*, int, int);
    const Fn fns[] = {veksAutoCorr_16s_Sfs, veksAutoCorr_NormA_16s_Sfs, veksAutoCorr_NormB_16s_Sfs};
    for (int len : {1, 2, 7, 33, 64, 599, 600, 1500}) {
        const auto x = random_vector<Vek16s>(rng, len, 200);
        for (int dlen : {1, len, len + 5}) {
            const int m = std::min(len, dlen);
            const auto sums = exact(cross(x, x, 0, m));
            for (int norm = 0; norm < 3; ++norm)
                for (int sf : {-1, 0, 3, 12}) {
                    vt::Guarded<Vek16s> dst(dlen);
                    ASSERT_EQ(fns[norm](x.data(), len, dst.data(), dlen, sf), vekStsOk);
                    EXPECT_TRUE(dst.guard_intact());
                    for (int k = 0; k < dlen; ++k) {
                        if (k >= m) { ASSERT_EQ(dst[k], 0); continue; }
                        const double v = norm == 0 ? double(sums[k])
                                        : norm == 1 ? double(sums[k]) * double(1.0f / float(len))
                                                    : double(sums[k]) / double(len - k);
                        ASSERT_LE(std::abs(dst[k] - scale_16s(v, sf)), m < 600 ? 0 : 1)
                            << len << " k " << k << " norm " << norm << " sf " << sf;
                    }
                }
        }
    }
}

} // namespace
