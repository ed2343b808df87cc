// Integer narrowing with scale factors, widening, and integer to float,
// against exact 128-bit and long double references.
#include <algorithm>
#include <climits>

#include "convert_test_util.h"

namespace {

using i128 = __int128;

// x / 2^n (n > 0) or x * 2^-n (n < 0) rounded by mode, exactly.
i128 scaled_exact(i128 x, int n, int mode) {
    if (n <= 0) return x * (i128(1) << -n);
    const i128 d = i128(1) << n;
    i128 q = x / d, r = x % d; // toward zero
    if (mode == 0 || r == 0) return q;
    const i128 twice = (r < 0 ? -r : r) * 2;
    const int dir = x < 0 ? -1 : 1;
    if (twice > d || (twice == d && (mode == 2 || (q & 1)))) q += dir;
    return q;
}
long long clamp128(i128 v, long long lo, long long hi) { return v < lo ? lo : (v > hi ? hi : static_cast<long long>(v)); }

// Left shifts are limited to max_left places, right shifts to max_right.
int limited(int sf, int max_left, int max_right) { return sf < 0 ? std::max(sf, -max_left) : std::min(sf, max_right); }

template <class S>
std::vector<S> int_sweep(vt::Rng& rng) {
    std::vector<S> v;
    using L = std::numeric_limits<S>;
    for (long long base : {0LL, 1LL, 2LL, 3LL, 5LL, 7LL, 32767LL, 32768LL, 8388607LL, 8388608LL, 16777215LL, 16777216LL,
                           static_cast<long long>(L::max()), static_cast<long long>(L::min())})
        for (long long d : {-2, -1, 0, 1, 2}) {
            v.push_back(static_cast<S>(i128(base) + d)); // wraps at the type's ends
            v.push_back(static_cast<S>(-(i128(base) + d)));
        }
    for (int i = 0; i < 3000; ++i) {
        const int bits = rng.integer(1, int(sizeof(S) * 8));
        S x = rng.any<S>();
        if (bits < int(sizeof(S) * 8)) x = static_cast<S>(x >> (sizeof(S) * 8 - bits));
        v.push_back(x);
    }
    // Exact halves and quarters at assorted shifts.
    for (int n = 1; n < int(sizeof(S) * 8) - 1; ++n)
        for (long long k : {1LL, 3LL, 5LL, -1LL, -3LL})
            v.push_back(static_cast<S>(k * (1LL << (n - 1))));
    return v;
}

TEST(ConvertIntNarrow, SweepAgainstExactReference) {
    vt::Rng rng(11);
    const int sfs[] = {0, 1, 2, 3, 8, 15, 16, 23, 24, 30, 31, 32, 40, 62, 63, 64, 100, INT_MAX,
                       -1, -2, -8, -14, -15, -16, -23, -24, -30, -31, -32, -100, INT_MIN};
    const auto s32 = int_sweep<Vek32s>(rng);
    const auto u32 = int_sweep<Vek32u>(rng);
    const auto s64 = int_sweep<Vek64s>(rng);
    for (int sf : sfs) {
        vt::Guarded<Vek16s> d16(s32.size());
        ASSERT_EQ(veksConvert_32s16s_Sfs(s32.data(), d16.data(), int(s32.size()), sf), vekStsOk);
        for (std::size_t i = 0; i < s32.size(); ++i)
            ASSERT_EQ(d16[i], clamp128(scaled_exact(s32[i], limited(sf, 15, 31), 1), -32768, 32767)) << s32[i] << " sf " << sf;
        EXPECT_TRUE(d16.guard_intact());

        vt::Guarded<Vek8u> d24(3 * s32.size());
        ASSERT_EQ(veksConvert_32s24s_Sfs(s32.data(), d24.data(), int(s32.size()), sf), vekStsOk);
        for (std::size_t i = 0; i < s32.size(); ++i)
            ASSERT_EQ(ct::get24s(d24.data() + 3 * i), clamp128(scaled_exact(s32[i], limited(sf, 31, 31), 1), -8388608, 8388607))
                << s32[i] << " sf " << sf;
        EXPECT_TRUE(d24.guard_intact());

        vt::Guarded<Vek8u> d24u(3 * u32.size());
        ASSERT_EQ(veksConvert_32u24u_Sfs(u32.data(), d24u.data(), int(u32.size()), sf), vekStsOk);
        for (std::size_t i = 0; i < u32.size(); ++i)
            ASSERT_EQ(ct::get24u(d24u.data() + 3 * i), clamp128(scaled_exact(u32[i], limited(sf, 31, 31), 1), 0, 16777215))
                << u32[i] << " sf " << sf;

        for (int mode : {0, 1, 2, 7}) {
            vt::Guarded<Vek32s> d32(s64.size());
            ASSERT_EQ(veksConvert_64s32s_Sfs(s64.data(), d32.data(), int(s64.size()), mode, sf), vekStsOk);
            for (std::size_t i = 0; i < s64.size(); ++i)
                ASSERT_EQ(d32[i], clamp128(scaled_exact(s64[i], limited(sf, 31, 63), mode == 0 || mode == 1 ? mode : 2),
                                           INT_MIN, INT_MAX))
                    << s64[i] << " sf " << sf << " mode " << mode;
        }
    }
}

// Every 8- and 16-bit source converts exactly.
template <class S, class D>
void expect_exact_for_every_value(VekStatus (*fn)(const S*, D*, int)) {
    const long long lo = std::numeric_limits<S>::min(), count = 1LL << (8 * sizeof(S));
    std::vector<S> src(count);
    for (long long i = 0; i < count; ++i) src[i] = static_cast<S>(lo + i);
    vt::Guarded<D> dst(count);
    ASSERT_EQ(fn(src.data(), dst.data(), int(count)), vekStsOk);
    EXPECT_TRUE(dst.guard_intact());
    for (long long i = 0; i < count; ++i) ASSERT_EQ(dst[i], static_cast<D>(lo + i));
}

TEST(ConvertWiden, ExactForEverySmallSource) {
    expect_exact_for_every_value(veksConvert_8s16s);
    expect_exact_for_every_value(veksConvert_8s32f);
    expect_exact_for_every_value(veksConvert_8u32f);
    expect_exact_for_every_value(veksConvert_16s32s);
    expect_exact_for_every_value(veksConvert_16s32f);
    expect_exact_for_every_value(veksConvert_16u32f);
}

TEST(ConvertWiden, Packed24AndWide) {
    vt::Rng rng(5);
    const auto s32 = int_sweep<Vek32s>(rng);
    const std::size_t n = s32.size();
    std::vector<Vek8u> packed(3 * n);
    for (std::size_t i = 0; i < n; ++i)
        for (int k = 0; k < 3; ++k) packed[3 * i + k] = Vek8u(std::uint32_t(s32[i]) >> (8 * k));
    std::vector<Vek32s> o32(n);
    std::vector<Vek32u> o32u(n);
    std::vector<Vek32f> of(n);
    std::vector<Vek64f> od(n);
    ASSERT_EQ(veksConvert_24s32s(packed.data(), o32.data(), int(n)), vekStsOk);
    ASSERT_EQ(veksConvert_24u32u(packed.data(), o32u.data(), int(n)), vekStsOk);
    for (std::size_t i = 0; i < n; ++i) {
        ASSERT_EQ(o32[i], ct::get24s(&packed[3 * i]));
        ASSERT_EQ(o32u[i], std::uint32_t(s32[i]) & 0xFFFFFFu);
    }
    veksConvert_24s32f(packed.data(), of.data(), int(n));
    for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(of[i], float(ct::get24s(&packed[3 * i])));
    veksConvert_24u32f(packed.data(), of.data(), int(n));
    for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(of[i], float(ct::get24u(&packed[3 * i])));

    veksConvert_32s64f(s32.data(), od.data(), int(n));
    for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(od[i], double(s32[i]));
    veksConvert_32s32f(s32.data(), of.data(), int(n));
    for (std::size_t i = 0; i < n; ++i) // the nearest single, ties to even
        ASSERT_EQ(of[i], static_cast<float>(static_cast<long double>(s32[i]))) << s32[i];
    std::vector<Vek16s> o16(n);
    veksConvert_32s16s(s32.data(), o16.data(), int(n));
    for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(o16[i], std::clamp(s32[i], -32768, 32767));
}

TEST(ConvertIntToFloat, ScaledWithClampedFactor) {
    vt::Rng rng(9);
    const auto s32 = int_sweep<Vek32s>(rng);
    std::vector<Vek16s> s16;
    for (Vek32s v : s32) s16.push_back(Vek16s(v));
    const std::size_t n = s32.size();
    for (int sf : {0, 1, -1, 15, -15, 31, -96, -97, -112, -113, 126, 127, 149, 200, -992, -993, -1008, -1009, 1022,
                   1023, 2000, INT_MIN, INT_MAX}) {
        std::vector<Vek32f> f(n);
        std::vector<Vek64f> d(n);
        ASSERT_EQ(veksConvert_16s32f_Sfs(s16.data(), f.data(), int(n), sf), vekStsOk);
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_EQ(f[i], static_cast<float>(std::ldexp(static_cast<long double>(s16[i]), -std::clamp(sf, -112, 126))));
        ASSERT_EQ(veksConvert_32s32f_Sfs(s32.data(), f.data(), int(n), sf), vekStsOk);
        for (std::size_t i = 0; i < n; ++i) // int rounded to single first, then scaled and rounded
            ASSERT_EQ(f[i], static_cast<float>(std::ldexp(static_cast<long double>(static_cast<float>(s32[i])),
                                                          -std::clamp(sf, -96, 126))))
                << s32[i] << " sf " << sf;
        ASSERT_EQ(veksConvert_16s64f_Sfs(s16.data(), d.data(), int(n), sf), vekStsOk);
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_EQ(d[i], static_cast<double>(std::ldexp(static_cast<long double>(s16[i]), -std::clamp(sf, -1008, 1022))));
        ASSERT_EQ(veksConvert_32s64f_Sfs(s32.data(), d.data(), int(n), sf), vekStsOk);
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_EQ(d[i], static_cast<double>(std::ldexp(static_cast<long double>(s32[i]), -std::clamp(sf, -992, 1022))));
    }
}

TEST(ConvertFloatWidths, SaturatingNarrowAndExactWiden) {
    const double big = 3.4028234663852886e38, inf = std::numeric_limits<double>::infinity();
    const double src[] = {inf, -inf, 1e300, -1e300, big, -big, std::nextafter(big, inf), 1.0 / 3, -0.0, 1e-50,
                          std::numeric_limits<double>::quiet_NaN()};
    const int n = sizeof src / sizeof *src;
    Vek32f out[n];
    ASSERT_EQ(veksConvert_64f32f(src, out, n), vekStsOk);
    const float fmax = std::numeric_limits<float>::max();
    const float want[] = {fmax, -fmax, fmax, -fmax, fmax, -fmax, fmax, float(1.0 / 3), -0.0f, 0.0f};
    for (int i = 0; i < n - 1; ++i) EXPECT_TRUE(vt::same_bits(out[i], want[i])) << i;
    EXPECT_TRUE(std::isnan(out[n - 1]));
    Vek64f back[n];
    ASSERT_EQ(veksConvert_32f64f(out, back, n), vekStsOk);
    for (int i = 0; i < n - 1; ++i) EXPECT_TRUE(vt::same_bits(back[i], double(out[i])));
}

} // namespace
