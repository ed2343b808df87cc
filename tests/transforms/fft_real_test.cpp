// Integer real transforms in the three layouts against the exact rounded
// result, and round trips. (The float real kinds run with the other float
// kinds in fft_float_test.)
#include "float_kinds.h"

namespace {

using fftref::cld;
using fftt::kind;

const char* const kLayName[] = {"Perm", "Pack", "CCS"};

// Forward of one integer kind in a layout; Fwd: Perm, Pack, CCS (null where
// the kind lacks the layout).
template <class I, class O, class S, auto... Fwd>
std::vector<long long> run_fwd(const void* spec, const std::vector<long double>& x, int layout, int vals, int sf) {
    using Op = VekStatus (*)(const I*, O*, const S*, int, Vek8u*);
    const Op ops[] = {Fwd...};
    std::vector<I> s(x.begin(), x.end());
    std::vector<O> d(vals);
    EXPECT_EQ(ops[layout](s.data(), d.data(), static_cast<const S*>(spec), sf, nullptr), vekStsOk);
    return {d.begin(), d.end()};
}

long long expected_int(long double v, long double factor, int sf, bool wide) {
    const long double hi = wide ? 2147483647.0L : 32767.0L;
    return static_cast<long long>(std::clamp(std::nearbyint(std::ldexp(v * factor, -sf)), -hi - 1, hi));
}

TEST(FftReal, IntegerFormsAgainstReference) {
    struct Case {
        const char* name;
        int hint, layouts; // bit l: layout l exists
        bool wide_in, wide_out;
        long long tol;
        std::vector<long long> (*run)(const void*, const std::vector<long double>&, int, int, int);
    };
    // fixed point (R_16s, hint 0, order <= 8): Q14 twiddles add about 2^-13
    // of the values' size per twiddled pass, a few units here
    const auto r32 = run_fwd<Vek32s, Vek32s, VeksFFTSpec_R_32s, veksFFTFwd_RToPerm_32s_Sfs, veksFFTFwd_RToPack_32s_Sfs,
                             veksFFTFwd_RToCCS_32s_Sfs>;
    const auto r16 = run_fwd<Vek16s, Vek16s, VeksFFTSpec_R_16s, veksFFTFwd_RToPerm_16s_Sfs, veksFFTFwd_RToPack_16s_Sfs,
                             veksFFTFwd_RToCCS_16s_Sfs>;
    const auto r1632 = run_fwd<Vek16s, Vek32s, VeksFFTSpec_R_16s32s, nullptr, nullptr, veksFFTFwd_RToCCS_16s32s_Sfs>;
    const Case cases[] = {{"R_32s", 0, 7, true, true, 1, r32}, {"R_16s", 2, 7, false, false, 1, r16},
                          {"R_16s32s", 0, 4, false, true, 1, r1632}, {"R_16s", 0, 7, false, false, 4, r16}};
    for (const auto& c : cases)
        for (int order : {0, 1, 2, 3, 4, 6, 9, 12}) {
            const int n = 1 << order;
            vt::Rng rng(order);
            std::vector<long double> x(n);
            for (auto& v : x) v = static_cast<long double>(rng.integer<long long>(c.wide_in ? -(1 << 28) : -20000, c.wide_in ? 1 << 28 : 20000));
            const auto X = fftref::transform(std::vector<cld>(x.begin(), x.end()), -1);
            fftt::Spec spec(kind(c.name), order, vekFftNormFwd, c.hint);
            ASSERT_EQ(spec.status(), vekStsOk) << c.name;
            if (c.tol > 1 && order > 8) continue;
            for (int l = 0; l < 3; ++l) {
                if (!(c.layouts >> l & 1)) continue;
                const int vals = dftt::layout_values(l, n);
                dftt::Bytes<long double> want(vals, 0);
                dftt::put_spectrum(want, X, n, l);
                const auto got = c.run(spec.get(), x, l, vals, -2);
                for (int i = 0; i < vals; ++i)
                    EXPECT_LE(std::llabs(got[i] - expected_int(want.get(i), 1.0L / n, -2, c.wide_out)), c.tol)
                        << c.name << " " << kLayName[l] << " order " << order << " at " << i;
            }
        }
}

// Integer round trips, including the 16-bit fixed-point engine (hint 0,
// order <= 8): forward by 1/N with three extra bits, inverse taking them off.
TEST(FftReal, IntegerRoundTrips) {
    using Op = VekStatus (*)(const Vek16s*, Vek16s*, const VeksFFTSpec_R_16s*, int, Vek8u*);
    const Op fwd[] = {veksFFTFwd_RToPerm_16s_Sfs, veksFFTFwd_RToPack_16s_Sfs, veksFFTFwd_RToCCS_16s_Sfs};
    const Op inv[] = {veksFFTInv_PermToR_16s_Sfs, veksFFTInv_PackToR_16s_Sfs, veksFFTInv_CCSToR_16s_Sfs};
    for (int hint : {0, 2})
        for (int order : {0, 1, 2, 3, 4, 5, 8, 10}) {
            const std::size_t n = std::size_t(1) << order;
            vt::Rng rng(order + 9);
            std::vector<Vek16s> x(n), s(n + 2), y(n);
            for (auto& v : x) v = rng.integer<Vek16s>(-3000, 3000);
            fftt::Spec spec(kind("R_16s"), order, vekFftNormFwd, hint);
            for (int l = 0; l < 3; ++l) {
                ASSERT_EQ(fwd[l](x.data(), s.data(), spec.as<VeksFFTSpec_R_16s>(), -3, nullptr), vekStsOk);
                ASSERT_EQ(inv[l](s.data(), y.data(), spec.as<VeksFFTSpec_R_16s>(), 3, nullptr), vekStsOk);
                long long d = 0;
                for (std::size_t i = 0; i < n; ++i) d = std::max(d, std::llabs(static_cast<long long>(x[i]) - y[i]));
                EXPECT_LE(d, 2 + (1LL << (order / 2)) / 4 + order) << "hint " << hint << " " << kLayName[l] << " order " << order;
            }
        }
}

} // namespace
