// Integer narrowing with scale factors, widening, and integer to float,
// against exact 128-bit and long double references.
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
    if (twice > d || (twice == d && (mode == 2 || (q & 1)))) q += x < 0 ? -1 : 1;
    return q;
}
long long clamp128(i128 v, long long lo, long long hi) { return v < lo ? lo : (v > hi ? hi : static_cast<long long>(v)); }

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

// Narrowing rounds the exact quotient and saturates; to float, the exact
// product is rounded once (32s32f: rounded to single first).
TEST(ConvertIntScaled, SweepAgainstExactReference) {
    vt::Rng rng(11);
    const auto s32 = int_sweep<Vek32s>(rng);
    const auto u32 = int_sweep<Vek32u>(rng);
    const auto s64 = int_sweep<Vek64s>(rng);
    const std::vector<Vek16s> s16(s32.begin(), s32.end());
    const auto scaled = [](long double x, int sf, int lo, int hi) { return std::ldexp(x, -std::clamp(sf, lo, hi)); };
    for (int sf : {0, 1, 2, 3, 8, 15, 16, 23, 24, 30, 31, 32, 40, 62, 63, 64, 100, 126, 127, 149, 200, 1022, 1023, 2000,
                   INT_MAX, -1, -2, -8, -14, -15, -16, -23, -24, -30, -31, -32, -96, -97, -100, -112, -113, -992, -993,
                   -1008, -1009, INT_MIN}) {
        SCOPED_TRACE(testing::Message() << "sf " << sf);
        const auto call = [sf](auto fn) { return [fn, sf](auto* s, auto* d, int n) { return fn(s, d, n, sf); }; };
        ct::expect_each<Vek16s>(call(veksConvert_32s16s_Sfs), s32,
                                [sf](Vek32s x) { return clamp128(scaled_exact(x, std::clamp(sf, -15, 31), 1), -32768, 32767); });
        auto packed = [sf](auto fn, const auto& src, auto read, long long lo, long long hi) {
            vt::Guarded<Vek8u> d(3 * src.size());
            ASSERT_EQ(fn(src.data(), d.data(), int(src.size()), sf), vekStsOk);
            EXPECT_TRUE(d.guard_intact());
            for (std::size_t i = 0; i < src.size(); ++i)
                ASSERT_EQ(read(d.data() + 3 * i), clamp128(scaled_exact(src[i], std::clamp(sf, -31, 31), 1), lo, hi)) << src[i];
        };
        packed(veksConvert_32s24s_Sfs, s32, ct::get24s, -8388608, 8388607);
        packed(veksConvert_32u24u_Sfs, u32, ct::get24u, 0, 16777215);
        for (int mode : {0, 1, 2, 7})
            ct::expect_each<Vek32s>([sf, mode](auto* s, auto* d, int n) { return veksConvert_64s32s_Sfs(s, d, n, mode, sf); },
                                    s64, [sf, mode](Vek64s x) {
                                        const int m = mode == 0 || mode == 1 ? mode : 2;
                                        return clamp128(scaled_exact(x, std::clamp(sf, -31, 63), m), INT_MIN, INT_MAX);
                                    });
        ct::expect_each<Vek32f>(call(veksConvert_16s32f_Sfs), s16, [&](Vek16s x) { return scaled(x, sf, -112, 126); });
        ct::expect_each<Vek32f>(call(veksConvert_32s32f_Sfs), s32, [&](Vek32s x) { return scaled(float(x), sf, -96, 126); });
        ct::expect_each<Vek64f>(call(veksConvert_16s64f_Sfs), s16, [&](Vek16s x) { return scaled(x, sf, -1008, 1022); });
        ct::expect_each<Vek64f>(call(veksConvert_32s64f_Sfs), s32, [&](Vek32s x) { return scaled(x, sf, -992, 1022); });
    }
}

// Widening is exact; packed element i is bytes 3i (lowest) to 3i + 2; double
// to single saturates beyond the largest finite single, infinities included.
TEST(ConvertWiden, ExactPackedAndSaturating) {
    const auto exact = [](auto x) { return x; };
    ct::expect_each<Vek16s>(veksConvert_8s16s, ct::every_value<Vek8s>(), exact);
    ct::expect_each<Vek32f>(veksConvert_8s32f, ct::every_value<Vek8s>(), exact);
    ct::expect_each<Vek32f>(veksConvert_8u32f, ct::every_value<Vek8u>(), exact);
    ct::expect_each<Vek32s>(veksConvert_16s32s, ct::every_value<Vek16s>(), exact);
    ct::expect_each<Vek32f>(veksConvert_16s32f, ct::every_value<Vek16s>(), exact);
    ct::expect_each<Vek32f>(veksConvert_16u32f, ct::every_value<Vek16u>(), exact);
    vt::Rng rng(5);
    const auto s32 = int_sweep<Vek32s>(rng);
    ct::expect_each<Vek64f>(veksConvert_32s64f, s32, exact);
    ct::expect_each<Vek32f>(veksConvert_32s32f, s32, [](Vek32s x) { return float(static_cast<long double>(x)); });
    ct::expect_each<Vek16s>(veksConvert_32s16s, s32, [](Vek32s x) { return std::clamp(x, -32768, 32767); });
    std::vector<Vek8u> packed;
    for (Vek32s x : s32)
        for (int k = 0; k < 3; ++k) packed.push_back(Vek8u(std::uint32_t(x) >> (8 * k)));
    const auto from_packed = [&packed](auto fn) { return [&packed, fn](const Vek32s*, auto* d, int n) { return fn(packed.data(), d, n); }; };
    const auto u24 = [](Vek32s x) { return std::uint32_t(x) & 0xFFFFFF; };
    const auto s24 = [&u24](Vek32s x) { return u24(x) >= 0x800000 ? Vek32s(u24(x)) - 0x1000000 : Vek32s(u24(x)); };
    ct::expect_each<Vek32s>(from_packed(veksConvert_24s32s), s32, s24);
    ct::expect_each<Vek32u>(from_packed(veksConvert_24u32u), s32, u24);
    ct::expect_each<Vek32f>(from_packed(veksConvert_24s32f), s32, [&s24](Vek32s x) { return float(s24(x)); });
    ct::expect_each<Vek32f>(from_packed(veksConvert_24u32f), s32, [&u24](Vek32s x) { return float(u24(x)); });
    const double big = 3.4028234663852886e38, inf = INFINITY;
    const std::vector<double> src = {inf, -inf, NAN, 1e300, -1e300, big, -big, std::nextafter(big, inf), 1.0 / 3, -0.0, 1e-50};
    ct::expect_each<Vek32f>(veksConvert_64f32f, src, [&](double x) { return std::clamp(x, -big, big); });
    const std::vector<float> singles = {NAN, -0.0f, 1e-45f, 3.4e38f, -INFINITY};
    ct::expect_each<Vek64f>(veksConvert_32f64f, singles, [](float x) { return double(x); });
}

} // namespace
