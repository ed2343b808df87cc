// Integer members of the power family against exact references: 128-bit
// integers for squares and roots, 113-bit floating point for exponentials.
#include "core_test_util.h"

namespace {

using vt::i128;
using u128 = unsigned __int128;

// Exact v * 2^-sf, rounded half to even, saturated to D (|v| < 2^64); left
// shifts beyond 60 places saturate every non-zero value.
template <class D> D ref_scaled(i128 v, int sf) {
    return vt::sat<D>(sf < -60 && v != 0 ? (v > 0 ? vt::pow2(100) : -vt::pow2(100)) : vt::scale_half_even(v, sf));
}

const std::vector<int> kScaleFactors = {-2147483647 - 1, -100, -32, -31, -20, -17, -16, -15, -14, -9, -8, -7, -3, -2, -1,
                                        0, 1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 18, 29, 30, 31, 32, 33, 40, 63, 100, 2147483647};

template <class T> std::vector<T> all_values() {
    std::vector<T> v;
    for (std::int64_t x = std::numeric_limits<T>::min(); x <= std::numeric_limits<T>::max(); ++x) v.push_back(static_cast<T>(x));
    return v;
}

// fn against want(x, sf) at every factor, fi (or nullptr) against fn, and the checks of both.
template <class S, class D, class FI, class Want>
void expect_each(VekStatus (*fn)(const S*, D*, int, int), FI fi, const std::vector<S>& src, const std::vector<int>& sfs, Want want,
                 VekStatus status = vekStsOk) {
    std::vector<D> dst(src.size());
    for (int sf : sfs) {
        ASSERT_EQ(fn(src.data(), dst.data(), int(src.size()), sf), status) << "sf " << sf;
        for (std::size_t i = 0; i < src.size(); ++i) ASSERT_TRUE(vt::same_bits(dst[i], want(src[i], sf))) << "element " << i << " sf " << sf;
        sp::expect_checks(fn, ct::with_other(sf));
        if constexpr (!std::is_null_pointer_v<FI>) ct::expect_inplace_matches(fn, fi, src, sf);
        if constexpr (!std::is_null_pointer_v<FI>) sp::expect_checks(fi, ct::with_other(sf));
    }
}

// Sign of m^(1/N) * 2^-sf - h/2, exactly.
int cmp_root_half(int N, u128 m, int sf, u128 h) {
    u128 lhs = m << N, rhs = h;
    for (int i = 1; i < N; ++i) rhs *= h;
    if (sf > 0) rhs <<= N * sf;
    else lhs <<= N * -sf;
    return lhs > rhs ? 1 : (lhs == rhs ? 0 : -1);
}

// m^(1/N) * 2^-sf rounded half to even, capped: a long double estimate
// stepped to the largest r with value >= r - 1/2. The caller keeps
// m * 2^(N*(1-sf)) and (2*cap+2)^N * 2^(N*sf) inside 128 bits.
std::uint64_t ref_root(int N, std::uint64_t m, int sf, std::uint64_t cap) {
    if (sf > 40) return 0;
    if (sf < -40) return m == 0 ? 0 : cap;
    const long double estimate = std::ldexp(N == 2 ? std::sqrt((long double)m) : std::cbrt((long double)m), -sf);
    u128 r = estimate < (long double)cap ? u128(estimate + 0.5L) : u128(cap) + 1;
    while (r > 0 && cmp_root_half(N, m, sf, 2 * r - 1) < 0) --r;
    while (r <= cap && cmp_root_half(N, m, sf, 2 * r + 1) >= 0) ++r;
    if (r > 0 && cmp_root_half(N, m, sf, 2 * r - 1) == 0 && (r & 1)) r -= 1;
    return std::uint64_t(r > cap ? cap : r);
}

// from..to and the factors beyond every threshold.
std::vector<int> range(int from, int to) {
    std::vector<int> v = {-2147483647 - 1, -1000, -63, 41, 1000, 2147483647};
    for (int k = from; k <= to; ++k) v.push_back(k);
    return v;
}

// Every element against the exact root: square roots of negative values
// give 0 and a warning, cube roots keep the sign.
template <int N, class S, class D, class FI = std::nullptr_t>
void check_root(VekStatus (*fn)(const S*, D*, int, int), const std::vector<S>& src, const std::vector<int>& sfs, FI fi = nullptr) {
    const bool negative = std::any_of(src.begin(), src.end(), [](S x) { return x < 0; });
    expect_each(fn, fi, src, sfs, [](S s, int sf) {
        const std::int64_t x = s;
        const std::uint64_t cap = std::uint64_t(std::numeric_limits<D>::max()) + (x < 0 ? 1 : 0);
        const std::int64_t r = N == 2 && x < 0 ? 0 : std::int64_t(ref_root(N, std::uint64_t(x < 0 ? -x : x), sf, cap));
        return D(x < 0 ? -r : r);
    }, N == 2 && negative ? vekStsSqrtNegativeArg : vekStsOk);
}

// Powers and their neighbours across the range, the saturation edge, and random values.
template <class S> std::vector<S> root_probes(std::uint64_t top_root, int n_random, int power = 2) {
    std::vector<S> v = {0, 1, 2, 3, std::numeric_limits<S>::max()};
    vt::Rng rng(5);
    for (int i = 0; i < n_random; ++i) {
        const std::uint64_t k = rng.integer<std::uint64_t>(0, top_root);
        const std::uint64_t p = power == 2 ? k * k : k * k * k;
        for (std::int64_t d : {-1, 0, 1})
            if (p + d <= std::uint64_t(std::numeric_limits<S>::max())) v.push_back(S(p + d));
        v.push_back(S(rng.integer<std::uint64_t>(0, std::uint64_t(std::numeric_limits<S>::max())) >> rng.integer<int>(0, 8 * sizeof(S) - 2)));
    }
    return v;
}

// Components of the principal root, scaled and rounded half to even; long double resolves
// every non-tie far better than its distance from a half-integer, so near-halves are ties.
Vek16s ref_component(long double v, int sf) {
    v = std::ldexp(v, -sf);
    long double f = std::floor(v), r = v - f;
    long double k = std::fabs(r - 0.5L) < 1e-12L ? (std::fmod(f, 2.0L) == 0 ? f : f + 1) : std::floor(v + 0.5L);
    return vt::sat<Vek16s>(i128(std::fmax(std::fmin(k, 1e6L), -1e6L)));
}

TEST(PowerInt, SquaresAndRootsAgainstExactReference) {
    const auto sqr = [](auto x, int sf) {
        using T = decltype(x);
        if constexpr (std::is_integral_v<T>) return ref_scaled<T>(i128(x) * x, sf);
        else return T{ref_scaled<Vek16s>(i128(x.re) * x.re - i128(x.im) * x.im, sf), ref_scaled<Vek16s>(2 * i128(x.re) * x.im, sf)};
    };
    expect_each(veksSqr_8u_Sfs, veksSqr_8u_ISfs, all_values<Vek8u>(), kScaleFactors, sqr);
    expect_each(veksSqr_16u_Sfs, veksSqr_16u_ISfs, all_values<Vek16u>(), kScaleFactors, sqr);
    expect_each(veksSqr_16s_Sfs, veksSqr_16s_ISfs, all_values<Vek16s>(), kScaleFactors, sqr);
    std::vector<Vek16sc> pairs;
    const Vek16s edge[] = {-32768, -32767, -181, -1, 0, 1, 2, 181, 32767};
    for (Vek16s a : edge)
        for (Vek16s b : edge) pairs.push_back({a, b});
    vt::Rng rng(11);
    for (int i = 0; i < 2000; ++i) pairs.push_back({rng.any<Vek16s>(), rng.any<Vek16s>()});
    expect_each(veksSqr_16sc_Sfs, veksSqr_16sc_ISfs, pairs, kScaleFactors, sqr);
    check_root<2>(veksSqrt_8u_Sfs, all_values<Vek8u>(), range(-18, 12), veksSqrt_8u_ISfs);
    check_root<2>(veksSqrt_16u_Sfs, all_values<Vek16u>(), range(-18, 12), veksSqrt_16u_ISfs);
    check_root<2>(veksSqrt_16s_Sfs, all_values<Vek16s>(), range(-18, 12), veksSqrt_16s_ISfs);
    std::vector<Vek32s> s32 = root_probes<Vek32s>(46341, 20000);
    for (Vek32s x : {1073676289, 1073676290, 1073709056, 1073709057, -1, -2147483647 - 1}) s32.push_back(x);
    check_root<2>(veksSqrt_32s16s_Sfs, s32, range(-18, 20));
    std::vector<Vek64s> s64 = root_probes<Vek64s>(3037000499ull, 3000);
    check_root<2>(veksSqrt_64s_Sfs, s64, range(-20, 42));
    check_root<2>(veksSqrt_64s16s_Sfs, s64, range(-20, 42));
    s64.push_back(-5);
    check_root<2>(veksSqrt_64s_Sfs, s64, {-3, 0, 2}, veksSqrt_64s_ISfs);
    std::vector<Vek32s> c32 = {-2147483647 - 1};
    for (Vek32s x : root_probes<Vek32s>(1290, 5000, 3)) c32.insert(c32.end(), {x, Vek32s(-x)});
    check_root<3>(veksCubrt_32s16s_Sfs, c32, {-100, -16, -15, -14, -5, -4, -3, -1, 0, 1, 2, 3, 5, 10, 11, 12, 13, 100});
    // sqrt(2^62) * 2^32 = 2^63 saturates.
    const std::vector<Vek64s> big = {Vek64s(1) << 62, (Vek64s(1) << 62) - 1, 1, 0};
    std::vector<Vek64s> out(4);
    ASSERT_EQ(veksSqrt_64s_Sfs(big.data(), out.data(), 4, -32), vekStsOk);
    const Vek64s below = Vek64s(std::floor(std::sqrt((long double)big[1]) * 4294967296.0L + 0.5L));
    EXPECT_EQ(out, (std::vector<Vek64s>{INT64_MAX, below, Vek64s(1) << 32, 0}));
    std::vector<Vek16sc> src;
    for (int re = -40; re <= 40; ++re)
        for (int im = -40; im <= 40; ++im) src.push_back({Vek16s(re), Vek16s(im)});
    for (int re = -32768; re <= 32767; re += 331)
        for (int im = -32768; im <= 32767; im += 257) src.push_back({Vek16s(re), Vek16s(im)});
    src.insert(src.end(), {{3, 4}, {-32768, 0}, {-32768, -32768}});
    expect_each(veksSqrt_16sc_Sfs, veksSqrt_16sc_ISfs, src, {-100, -9, -8, -7, -1, 0, 1, 2, 3, 7, 8, 9, 100}, [](Vek16sc x, int sf) {
        const std::complex<long double> w = std::sqrt(std::complex<long double>(x.re, x.im));
        return Vek16sc{ref_component(w.real(), sf), ref_component(w.imag(), sf)};
    });
}

using quad = __float128;

quad quad_ln2() {
    quad s = 0, p = 0.5;
    for (int k = 1; k < 140; ++k, p *= 0.5) s += p / k;
    return s;
}

// exp(x) * 2^-sf rounded half up, capped: 2^t with t = x*log2(e) - sf in
// 113-bit arithmetic and a Taylor series for the fractional power.
std::uint64_t ref_exp(std::int64_t x, int sf, std::uint64_t cap) {
    static const quad ln2 = quad_ln2(), log2e = 1 / ln2;
    const quad t = quad(x) * log2e - quad(sf);
    if (t > 66) return cap;
    if (t < -3) return 0;
    long long n = (long long)t;
    if (quad(n) > t) --n;
    const quad u = (t - quad(n)) * ln2;
    quad s = 1, term = 1;
    for (int k = 1; k < 40; ++k) { term *= u / k; s += term; }
    for (long long i = 0; i < n; ++i) s *= 2;
    for (long long i = n; i < 0; ++i) s /= 2;
    const u128 r = u128(s + quad(0.5));
    return r > cap ? cap : std::uint64_t(r);
}

// Every x whose result is neither 0 nor saturated, with margins and extremes.
template <class T> void check_exp(VekStatus (*fn)(const T*, T*, int, int), VekStatus (*fi)(T*, int, int), int sf) {
    const double centre = sf * 0.6931471805599453;
    std::vector<T> src = {std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), 0, 1, -1};
    for (double x = std::floor(centre - 4); x <= centre + 48; ++x)
        if (x >= double(std::numeric_limits<T>::min()) && x <= double(std::numeric_limits<T>::max())) src.push_back(T(x));
    expect_each(fn, fi, src, {sf}, [](T x, int sf) { return T(ref_exp(x, sf, std::uint64_t(std::numeric_limits<T>::max()))); });
}

template <class S, class D, class Exact, class FI = std::nullptr_t>
void check_log(VekStatus (*fn)(const S*, D*, int, int), const std::vector<S>& src, Exact exact, FI fi = nullptr) {
    // x <= 0 gives the minimum; the first such element decides the warning.
    const auto special = std::find_if(src.begin(), src.end(), [](S x) { return x <= 0; });
    const VekStatus want = special == src.end() ? vekStsOk : (*special == 0 ? vekStsLogZeroArg : vekStsLogNegativeArg);
    std::vector<D> dst(src.size());
    for (int sf : {-2147483647 - 1, -40, -27, -26, -20, -16, -15, -10, -3, -1, 0, 1, 2, 3, 4, 5, 31, 32, 100}) {
        ASSERT_EQ(fn(src.data(), dst.data(), int(src.size()), sf), want) << "sf " << sf;
        for (std::size_t i = 0; i < src.size(); ++i) {
            const long double v = src[i] > 0 ? exact(src[i]) : 0;
            const long double scaled = std::ldexp(v, sf < -200 ? 200 : -sf);
            if (src[i] <= 0) {
                ASSERT_EQ(dst[i], std::numeric_limits<D>::min()) << src[i] << " sf " << sf;
            } else if (sf >= 0) {
                ASSERT_EQ(dst[i], D(std::llroundl(v) >> (sf > 62 ? 62 : sf))) << src[i] << " sf " << sf;
            } else if (scaled >= std::numeric_limits<D>::max() + 0.5L) {
                ASSERT_EQ(dst[i], std::numeric_limits<D>::max());
            } else {
                ASSERT_LE(std::fabs(dst[i] - scaled), 0.5L + 1e-12L * scaled) << src[i] << " sf " << sf;
            }
        }
        sp::expect_checks(fn, ct::with_other(sf));
        if constexpr (!std::is_null_pointer_v<FI>) ct::expect_inplace_matches(fn, fi, src, sf);
        if constexpr (!std::is_null_pointer_v<FI>) sp::expect_checks(fi, ct::with_other(sf));
    }
}

std::vector<Vek32s> log_probes() {
    std::vector<Vek32s> v = {1, 2, 3, 2147483647};
    for (long double k = 0.5L; k < 21.6L; k += 1)
        for (int d = -2; d <= 2; ++d) v.push_back(Vek32s(std::fmax(1.0L, std::fmin(std::floor(std::exp(k)) + d, 2147483647.0L))));
    for (long double k = 0.5L; k < 93.4L; k += 1)
        for (int d = -2; d <= 2; ++d) v.push_back(Vek32s(std::fmax(1.0L, std::fmin(std::floor(std::pow(10.0L, k / 10)) + d, 2147483647.0L))));
    vt::Rng rng(9);
    for (int i = 0; i < 5000; ++i) v.push_back(std::max(1, rng.integer<Vek32s>(1, 2147483647) >> rng.integer<int>(0, 30)));
    for (Vek32s x = 1; x < 70000; ++x) v.push_back(x);
    return v;
}

TEST(PowerInt, ExponentialsAndLogarithmsExactUnderAnyControlWord) {
    std::vector<int> sfs;
    for (int sf = -70; sf <= 70; ++sf) sfs.push_back(sf);
    for (int sf : {-2147483647 - 1, -1000000, -1000, 500, 1000000, 2147483647}) sfs.push_back(sf);
    for (int sf : sfs) {
        check_exp<Vek16s>(veksExp_16s_Sfs, veksExp_16s_ISfs, sf);
        check_exp<Vek32s>(veksExp_32s_Sfs, veksExp_32s_ISfs, sf);
        check_exp<Vek64s>(veksExp_64s_Sfs, veksExp_64s_ISfs, sf);
    }
    // Every 16-bit input at the tabulated extremes.
    expect_each(veksExp_16s_Sfs, nullptr, all_values<Vek16s>(), {-31, 0, 31}, [](Vek16s x, int sf) { return Vek16s(ref_exp(x, sf, 32767)); });
    const unsigned int saved = ps_get_cw_fpu();
    vek_set_cw_fpu(0x27F); // 53-bit precision, a word the function must not leave behind
    const unsigned int before = ps_get_cw_fpu();
    Vek64s v[2] = {43, 44};
    EXPECT_EQ(veksExp_64s_ISfs(v, 2, 0), vekStsOk);
    EXPECT_EQ(ps_get_cw_fpu(), before);
    vek_set_cw_fpu(saved);
    EXPECT_EQ(v[0], 4727839468229346561ll);
    EXPECT_EQ(v[1], std::numeric_limits<Vek64s>::max());
    auto ln = [](std::int64_t x) { return std::log((long double)x); };
    auto db = [](std::int64_t x) { return 10 * std::log10((long double)x); };
    std::vector<Vek32s> src = log_probes();
    src.insert(src.begin() + 7, {0, -1});
    check_log(veksLn_32s_Sfs, src, ln, veksLn_32s_ISfs);
    check_log(veksLn_32s16s_Sfs, src, ln);
    std::swap(src[7], src[8]);
    check_log(veks10Log10_32s_Sfs, src, db, veks10Log10_32s_ISfs);
    check_log(veksLn_16s_Sfs, all_values<Vek16s>(), ln, veksLn_16s_ISfs);
}

} // namespace
