// Running median against a sort-per-window reference with replicated edges.
#include "byte_offset.h"
#include "fir_reference.h"
#include "signature_probe.h"

namespace {

// The element type and its entry points.
template <class T, auto InPlace, auto OutOfPlace> struct Form {
    using type = T;
    static constexpr auto in_place = InPlace;
    static constexpr auto out_of_place = OutOfPlace;
};
#define MEDIAN_FORM(s) Form<Vek##s, veksFilterMedian_##s##_I, veksFilterMedian_##s>

// Total order: integers by value, floats by sign-flipped bits (-NaN < -inf < ... < -0 < +0 < ... < +NaN).
template <class T>
long long order_key(T v) {
    if constexpr (std::is_floating_point_v<T>) {
        using I = std::conditional_t<sizeof(T) == 4, std::int32_t, std::int64_t>;
        I b;
        std::memcpy(&b, &v, sizeof b);
        return b < 0 ? (long long)(b ^ std::numeric_limits<I>::max()) : (long long)b;
    } else {
        return v;
    }
}

// Even masks act as one less.
template <class T>
std::vector<T> reference_median(const std::vector<T>& x, int mask) {
    mask -= 1 - mask % 2;
    const int len = int(x.size()), half = mask / 2;
    if (mask == 1 || len < 3) return x;
    std::vector<T> out(len), win(mask);
    for (int k = 0; k < len; ++k) {
        for (int j = 0; j < mask; ++j) win[j] = x[std::clamp(k - half + j, 0, len - 1)];
        std::nth_element(win.begin(), win.begin() + half, win.end(),
                         [](T a, T b) { return order_key(a) < order_key(b); });
        out[k] = win[half];
    }
    return out;
}

// Kind 0: few distinct values; 1: any; 2: special floating values (NaNs, infinities, zeros).
template <class T>
std::vector<T> random_data(vt::Rng& rng, int n, int kind) {
    std::vector<T> v(n);
    for (auto& x : v) {
        if constexpr (std::is_floating_point_v<T>) {
            const T inf = std::numeric_limits<T>::infinity(), nan = std::numeric_limits<T>::quiet_NaN();
            const T pool[] = {inf, -inf, nan, -nan, T(0), T(-0.0), T(1), T(-1), std::numeric_limits<T>::denorm_min()};
            const double plain = kind == 0 ? rng.integer(-3, 3) * 0.5 : rng.real(-100, 100);
            x = kind == 2 ? pool[rng.integer(0, 8)] : static_cast<T>(plain);
        } else {
            x = kind == 0 ? static_cast<T>(rng.integer(0, 4)) : rng.any<T>();
        }
    }
    return v;
}

// Out of place, and in place at an odd address (even masks warn).
template <class F, class T = typename F::type>
void check_median(const std::vector<T>& x, int mask) {
    const int len = int(x.size());
    const auto want = reference_median(x, mask);
    const VekStatus expect = mask % 2 == 0 ? vekStsEvenMaskSize : vekStsOk;
    vt::Guarded<T> out(len);
    ASSERT_EQ(F::out_of_place(x.data(), out.data(), len, mask), expect);
    EXPECT_TRUE(out.guard_intact());
    ASSERT_TRUE(firt::same_bits(out.data(), want)) << "mask " << mask << " len " << len;
    vt::Misaligned<T> odd(x, 1);
    ASSERT_EQ(F::in_place(odd.data(), len, mask), expect);
    ASSERT_TRUE(firt::same_bits(odd.data(), want)) << "in place, mask " << mask << " len " << len;
}

template <class F> class Median : public ::testing::Test {};
using MedianTypes = ::testing::Types<MEDIAN_FORM(8u), MEDIAN_FORM(16s), MEDIAN_FORM(32s), MEDIAN_FORM(32f), MEDIAN_FORM(64f)>;
TYPED_TEST_SUITE(Median, MedianTypes);

// Masks 1..31, then those of the branch-free, stack and heap windows; the checks.
TYPED_TEST(Median, MatchesSortPerWindowAndChecks) {
    using T = typename TypeParam::type;
    vt::Rng rng(21);
    for (int mask = 1; mask <= 31; ++mask)
        for (int len : {1, 2, 3, 4, 5, 9, 31, 40, 300})
            for (int kind : {0, 1, 2}) check_median<TypeParam>(random_data<T>(rng, len, kind), mask);
    for (int mask : {63, 255, 256, 301, 1001}) check_median<TypeParam>(random_data<T>(rng, 1200, mask % 2 == 0), mask);
    for (int len_at : {2, 3}) sp::expect_checks(TypeParam::out_of_place, {sp::Order::PtrsThenLen, {}, len_at, 3});
    for (int len_at : {1, 2}) sp::expect_checks(TypeParam::in_place, {sp::Order::PtrsThenLen, {}, len_at, 3});
    // A window too large for any work array.
    vt::Guarded<T> out(4);
    EXPECT_EQ(TypeParam::in_place(out.data(), 4, 2147483647), vekStsNoMemory);
    EXPECT_TRUE(out.intact());
}

} // namespace
