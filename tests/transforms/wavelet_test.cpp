// Wavelet transforms: Haar in every type against exact references, and the
// streaming two-filter transform against its definition, block splits,
// delay lines, integer variants and check orders.
#include <memory>

#include "byte_offset.h"
#include "fft_test_util.h"
#include "wavelet_reference.h"

namespace {

const int kScales[] = {-2147483647 - 1, -70, -64, -63, -33, -32, -17, -16, -9, -8, -2, -1, 0, 1, 2, 3, 7, 8, 9,
                       15, 16, 17, 31, 32, 33, 62, 63, 64, 65, 2147483647};

template <class T>
std::vector<T> random_ints(vt::Rng& rng, std::size_t n) {
    using L = std::numeric_limits<T>;
    std::vector<T> v(n);
    for (auto& x : v) {
        const int pick = rng.integer(0, 9);
        x = pick == 0 ? L::max() : pick == 1 ? L::min() : pick < 4 ? rng.integer<T>(-3, 3) : rng.any<T>();
    }
    return v;
}

template <class T, auto Fwd, auto Inv, auto FwdSfs, auto InvSfs>
void check_haar_int() {
    vt::Rng rng(sizeof(T));
    for (int len : {1, 2, 5, 64, 67}) {
        const auto x = random_ints<T>(rng, len), lo = random_ints<T>(rng, (len + 1) / 2), hi = random_ints<T>(rng, len / 2 + 1);
        for (int sf : kScales) {
            vt::Guarded<T> gl((len + 1) / 2), gh(len / 2 == 0 ? 1 : len / 2), gd(len);
            const VekStatus fwd = sf == 0 ? Fwd(x.data(), len, gl.data(), gh.data())
                                          : FwdSfs(x.data(), len, gl.data(), gh.data(), sf);
            ASSERT_EQ(fwd, vekStsOk);
            for (int k = 0; k < len / 2; ++k) {
                const wtref::Int128 x0 = x[2 * k], x1 = x[2 * k + 1];
                ASSERT_EQ(gl[k], wtref::scaled<T>(x0 + x1, sf + 1LL)) << len << " sf " << sf << " k " << k;
                ASSERT_EQ(gh[k], wtref::scaled<T>(x1 - x0, sf + 1LL)) << len << " sf " << sf << " k " << k;
            }
            if (len & 1) { ASSERT_EQ(gl[len / 2], wtref::scaled<T>(x[len - 1], sf)); }
            ASSERT_TRUE(gl.guard_intact() && (len > 1 ? gh.guard_intact() : gh.intact()));

            const VekStatus inv = sf == 0 ? Inv(lo.data(), hi.data(), gd.data(), len)
                                          : InvSfs(lo.data(), hi.data(), gd.data(), len, sf);
            ASSERT_EQ(inv, vekStsOk);
            for (int k = 0; k < len / 2; ++k) {
                ASSERT_EQ(gd[2 * k], wtref::scaled<T>(wtref::Int128(lo[k]) - hi[k], sf)) << len << " sf " << sf;
                ASSERT_EQ(gd[2 * k + 1], wtref::scaled<T>(wtref::Int128(lo[k]) + hi[k], sf)) << len << " sf " << sf;
            }
            if (len & 1) { ASSERT_EQ(gd[len - 1], wtref::scaled<T>(lo[len / 2], sf)); }
            ASSERT_TRUE(gd.guard_intact());
        }
    }
    sp::expect_checks(FwdSfs);
    sp::expect_checks(Inv);
    T in[1] = {}, out[1];
    EXPECT_EQ(Fwd(in, 1, out, nullptr), vekStsNullPtr) << "one sample still needs the high band";
}

TEST(WaveletHaar, Int8) { check_haar_int<Vek8s, veksWTHaarFwd_8s, veksWTHaarInv_8s, veksWTHaarFwd_8s_Sfs, veksWTHaarInv_8s_Sfs>(); }
TEST(WaveletHaar, Int16) { check_haar_int<Vek16s, veksWTHaarFwd_16s, veksWTHaarInv_16s, veksWTHaarFwd_16s_Sfs, veksWTHaarInv_16s_Sfs>(); }
TEST(WaveletHaar, Int32) { check_haar_int<Vek32s, veksWTHaarFwd_32s, veksWTHaarInv_32s, veksWTHaarFwd_32s_Sfs, veksWTHaarInv_32s_Sfs>(); }
TEST(WaveletHaar, Int64) { check_haar_int<Vek64s, veksWTHaarFwd_64s, veksWTHaarInv_64s, veksWTHaarFwd_64s_Sfs, veksWTHaarInv_64s_Sfs>(); }

template <class F, auto Fwd, auto Inv>
void check_haar_float() {
    vt::Rng rng(7);
    for (int len : {1, 2, 9, 100, 101}) {
        std::vector<F> x(len), ints(len);
        for (int i = 0; i < len; ++i) { x[i] = F(rng.real(-1e3, 1e3)); ints[i] = F(rng.integer(-1000, 1000)); }
        // Odd byte offsets: the arrays need not be aligned to their element size.
        vt::Misaligned<F> src(x, 1), lo((len + 1) / 2, 3), hi(len / 2 + 1, 5);
        ASSERT_EQ(Fwd(src.data(), len, lo.data(), hi.data()), vekStsOk);
        const std::vector<F> got_l = lo.values(), got_h = hi.values();
        for (int k = 0; 2 * k + 1 < len; ++k) {
            const F want_h = (x[2 * k + 1] - x[2 * k]) * F(0.5);
            ASSERT_TRUE(vt::same_bits(got_h[k], want_h));
            ASSERT_TRUE(vt::same_bits(got_l[k], F(x[2 * k] + want_h)));
        }
        if (len & 1) { ASSERT_TRUE(vt::same_bits(got_l[len / 2], x[len - 1])); }
        // Inverse after forward returns the input (exactly on integer values).
        std::vector<F> l((len + 1) / 2), h(len / 2 + 1), y(len);
        ASSERT_EQ(Fwd(ints.data(), len, l.data(), h.data()), vekStsOk);
        ASSERT_EQ(Inv(l.data(), h.data(), y.data(), len), vekStsOk);
        EXPECT_EQ(y, ints);
    }
}

TEST(WaveletHaar, Float32) { check_haar_float<Vek32f, veksWTHaarFwd_32f, veksWTHaarInv_32f>(); }
TEST(WaveletHaar, Float64) { check_haar_float<Vek64f, veksWTHaarFwd_64f, veksWTHaarInv_64f>(); }

struct Config {
    int len_low, off_low, len_high, off_high;
};
const Config kConfigs[] = {{8, 0, 8, 0}, {4, -1, 6, 3}, {1, -1, 1, 0}, {5, 2, 3, -1}, {2, 7, 9, 1}, {300, 5, 2, -1}};

std::vector<float> random_floats(vt::Rng& rng, std::size_t n, double lo = -1, double hi = 1) {
    std::vector<float> v(n);
    for (auto& x : v) x = float(rng.real(lo, hi));
    return v;
}
std::vector<long double> widen(const std::vector<float>& v) { return {v.begin(), v.end()}; }

// |got - want| within the rounding of a single-precision sum of len terms.
void expect_close(const std::vector<float>& got, const std::vector<long double>& want, double len) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_NEAR(got[i], double(want[i]), 1e-6 * len) << "at " << i;
}

// A state made by InitAlloc from two tap vectors, freed at scope exit.
template <class St, auto Init, auto Free>
std::unique_ptr<St, VekStatus (*)(St*)> make_state(const std::vector<float>& tl, int ol, const std::vector<float>& th, int oh) {
    St* st = nullptr;
    EXPECT_EQ(Init(&st, tl.data(), int(tl.size()), ol, th.data(), int(th.size()), oh), vekStsOk);
    return {st, Free};
}
const auto fwd_state = make_state<VeksWTFwdState_32f, veksWTFwdInitAlloc_32f, veksWTFwdFree_32f>;
const auto inv_state = make_state<VeksWTInvState_32f, veksWTInvInitAlloc_32f, veksWTInvFree_32f>;

// Blocks of every size from 1 up (mostly short): run(first, count).
void in_blocks(vt::Rng& rng, int n, const std::function<void(int, int)>& run) {
    for (int k = 0; k < n;) {
        const int m = std::min(n - k, 1 + rng.integer(0, 300) * (rng.integer(0, 3) == 0));
        run(k, m);
        k += m;
    }
}

// The delay lines hold the newest inputs: the forward's last len - 1 + off
// samples, the inverse's last (len + off) / 2 band values.
TEST(WaveletTransform, MatchesDefinitionInBlocksWithDelayLines) {
    vt::Rng rng(3);
    for (const Config& c : kConfigs) {
        const auto tl = random_floats(rng, c.len_low), th = random_floats(rng, c.len_high);
        const int n = 700;
        const auto x = random_floats(rng, 2 * n), ul = random_floats(rng, n), uh = random_floats(rng, n);
        auto one = fwd_state(tl, c.off_low, th, c.off_high), parts = fwd_state(tl, c.off_low, th, c.off_high);
        std::vector<float> lo(n), hi(n), lo2(n), hi2(n);
        ASSERT_EQ(veksWTFwd_32f(x.data(), lo.data(), hi.data(), n, one.get()), vekStsOk);
        expect_close(lo, wtref::forward(widen(x), tl, c.off_low), c.len_low);
        expect_close(hi, wtref::forward(widen(x), th, c.off_high), c.len_high);
        in_blocks(rng, n, [&](int k, int m) {
            ASSERT_EQ(veksWTFwd_32f(x.data() + 2 * k, lo2.data() + k, hi2.data() + k, m, parts.get()), vekStsOk);
        });
        EXPECT_EQ(lo, lo2); // bit for bit
        EXPECT_EQ(hi, hi2);
        const int fl = std::max(0, c.len_low - 1 + c.off_low), fh = std::max(0, c.len_high - 1 + c.off_high);
        vt::Guarded<float> dl(fl), dh(fh);
        ASSERT_EQ(veksWTFwdGetDlyLine_32f(parts.get(), dl.data(), dh.data()), vekStsOk);
        EXPECT_TRUE(dl.guard_intact() && dh.guard_intact());
        for (int i = 0; i < fl; ++i) ASSERT_EQ(dl[i], x[i - fl + 2 * n]);
        for (int i = 0; i < fh; ++i) ASSERT_EQ(dh[i], x[i - fh + 2 * n]);

        auto inv_one = inv_state(tl, c.off_low, th, c.off_high), inv_parts = inv_state(tl, c.off_low, th, c.off_high);
        std::vector<float> y(2 * n), y2(2 * n);
        ASSERT_EQ(veksWTInv_32f(ul.data(), uh.data(), n, y.data(), inv_one.get()), vekStsOk);
        auto want = wtref::inverse(widen(ul), tl, c.off_low);
        const auto want_h = wtref::inverse(widen(uh), th, c.off_high);
        for (int i = 0; i < 2 * n; ++i) want[i] += want_h[i];
        expect_close(y, want, c.len_low + c.len_high);
        in_blocks(rng, n, [&](int k, int m) {
            ASSERT_EQ(veksWTInv_32f(ul.data() + k, uh.data() + k, m, y2.data() + 2 * k, inv_parts.get()), vekStsOk);
        });
        EXPECT_EQ(y, y2);
        const int il = (c.len_low + c.off_low) / 2, ih = (c.len_high + c.off_high) / 2;
        vt::Guarded<float> el(il), eh(ih);
        ASSERT_EQ(veksWTInvGetDlyLine_32f(inv_parts.get(), el.data(), eh.data()), vekStsOk);
        for (int i = 0; i < il; ++i) ASSERT_EQ(el[i], ul[n - il + i]);
        for (int i = 0; i < ih; ++i) ASSERT_EQ(eh[i], uh[n - ih + i]);
        EXPECT_TRUE(el.guard_intact() && eh.guard_intact());
    }
}

// A delay line set before the first call acts as the samples before it.
TEST(WaveletTransform, DelayLineSetActsAsEarlierSamples) {
    vt::Rng rng(5);
    const auto tl = random_floats(rng, 6), th = random_floats(rng, 3);
    auto st = fwd_state(tl, 2, th, -1);
    const auto before_l = random_floats(rng, 7), before_h = random_floats(rng, 1), x = random_floats(rng, 40);
    ASSERT_EQ(veksWTFwdSetDlyLine_32f(st.get(), before_l.data(), before_h.data()), vekStsOk);
    std::vector<float> lo(20), hi(20);
    ASSERT_EQ(veksWTFwd_32f(x.data(), lo.data(), hi.data(), 20, st.get()), vekStsOk);
    expect_close(lo, wtref::forward(widen(x), tl, 2, widen(before_l)), 6);
    expect_close(hi, wtref::forward(widen(x), th, -1, widen(before_h)), 3);
}

// Integer inputs convert exactly (any address), in two blocks; integer
// outputs round half to even and saturate.
template <class I, class St, auto Init, auto Fwd, auto Free>
void check_int_forward() {
    vt::Rng rng(8);
    const auto tl = random_floats(rng, 5), th = random_floats(rng, 4);
    const auto xi = random_ints<I>(rng, 202);
    const std::vector<float> xf(xi.begin(), xi.end());
    vt::Misaligned<I> odd(xi, 1);
    const I* src = odd.data();
    auto st = make_state<St, Init, Free>(tl, 1, th, 0);
    auto ref = fwd_state(tl, 1, th, 0);
    std::vector<float> lo(101), hi(101), lo2(101), hi2(101);
    ASSERT_EQ(veksWTFwd_32f(xf.data(), lo.data(), hi.data(), 101, ref.get()), vekStsOk);
    ASSERT_EQ(Fwd(src, lo2.data(), hi2.data(), 60, st.get()), vekStsOk);
    ASSERT_EQ(Fwd(src + 120, lo2.data() + 60, hi2.data() + 60, 41, st.get()), vekStsOk);
    EXPECT_EQ(lo, lo2);
    EXPECT_EQ(hi, hi2);
}

template <class D, class St, auto Init, auto Inv, auto Free>
void check_int_inverse() {
    vt::Rng rng(9);
    const auto tl = random_floats(rng, 4), th = random_floats(rng, 7);
    const double big = 2.5 * double(std::numeric_limits<D>::max());
    auto ul = random_floats(rng, 150, -big, big), uh = random_floats(rng, 150, -big, big);
    auto st = make_state<St, Init, Free>(tl, 0, th, -1);
    auto ref = inv_state(tl, 0, th, -1);
    std::vector<float> yf(300);
    ASSERT_EQ(veksWTInv_32f(ul.data(), uh.data(), 150, yf.data(), ref.get()), vekStsOk);
    vt::Guarded<D> y(300);
    ASSERT_EQ(Inv(ul.data(), uh.data(), 150, y.data(), st.get()), vekStsOk);
    for (int i = 0; i < 300; ++i) {
        const double r = std::nearbyint(double(yf[i])); // ties to even in the default mode
        const double c = std::min<double>(std::max<double>(r, std::numeric_limits<D>::min()), std::numeric_limits<D>::max());
        ASSERT_EQ(double(y[i]), c) << i << " from " << yf[i];
    }
    EXPECT_TRUE(y.guard_intact());
}

TEST(WaveletTransform, IntegerVariants) {
    check_int_forward<Vek8u, VeksWTFwdState_8u32f, veksWTFwdInitAlloc_8u32f, veksWTFwd_8u32f, veksWTFwdFree_8u32f>();
    check_int_forward<Vek8s, VeksWTFwdState_8s32f, veksWTFwdInitAlloc_8s32f, veksWTFwd_8s32f, veksWTFwdFree_8s32f>();
    check_int_forward<Vek16u, VeksWTFwdState_16u32f, veksWTFwdInitAlloc_16u32f, veksWTFwd_16u32f, veksWTFwdFree_16u32f>();
    check_int_forward<Vek16s, VeksWTFwdState_16s32f, veksWTFwdInitAlloc_16s32f, veksWTFwd_16s32f, veksWTFwdFree_16s32f>();
    check_int_inverse<Vek8u, VeksWTInvState_32f8u, veksWTInvInitAlloc_32f8u, veksWTInv_32f8u, veksWTInvFree_32f8u>();
    check_int_inverse<Vek8s, VeksWTInvState_32f8s, veksWTInvInitAlloc_32f8s, veksWTInv_32f8s, veksWTInvFree_32f8s>();
    check_int_inverse<Vek16u, VeksWTInvState_32f16u, veksWTInvInitAlloc_32f16u, veksWTInv_32f16u, veksWTInvFree_32f16u>();
    check_int_inverse<Vek16s, VeksWTInvState_32f16s, veksWTInvInitAlloc_32f16s, veksWTInv_32f16s, veksWTInvFree_32f16s>();
    // Exact halves round to even.
    const float one = 1.0f, zero = 0.0f, u[4] = {0.5f, 1.5f, 2.5f, -0.5f}, z[4] = {};
    auto st = make_state<VeksWTInvState_32f16s, veksWTInvInitAlloc_32f16s, veksWTInvFree_32f16s>({one}, -1, {zero}, -1);
    Vek16s y[8];
    ASSERT_EQ(veksWTInv_32f16s(u, z, 4, y, st.get()), vekStsOk);
    const Vek16s want[8] = {0, 0, 2, 0, 2, 0, 0, 0};
    EXPECT_EQ(std::vector<Vek16s>(y, y + 8), std::vector<Vek16s>(want, want + 8));
}

TEST(WaveletTransform, CheckOrder) {
    const float t[3] = {1, 2, 3};
    VeksWTFwdState_32f* const kUntouched = reinterpret_cast<VeksWTFwdState_32f*>(std::uintptr_t(0x1234));
    VeksWTFwdState_32f* st = kUntouched;
    EXPECT_EQ(veksWTFwdInitAlloc_32f(nullptr, t, 3, 0, t, 3, 0), vekStsNullPtr);
    EXPECT_EQ(veksWTFwdInitAlloc_32f(&st, nullptr, 0, 0, t, 3, 0), vekStsNullPtr);
    EXPECT_EQ(veksWTFwdInitAlloc_32f(&st, t, 0, -5, nullptr, 0, 0), vekStsBadLength);
    EXPECT_EQ(veksWTFwdInitAlloc_32f(&st, t, 3, -5, nullptr, 0, 0), vekStsNullPtr);
    EXPECT_EQ(veksWTFwdInitAlloc_32f(&st, t, 3, -5, t, 0, 0), vekStsBadLength);
    EXPECT_EQ(veksWTFwdInitAlloc_32f(&st, t, 3, -2, t, 3, 0), vekStsBadFilterOffset);
    EXPECT_EQ(veksWTFwdInitAlloc_32f(&st, t, 3, 0, t, 3, -2), vekStsBadFilterOffset);
    EXPECT_EQ(st, kUntouched);
    ASSERT_EQ(veksWTFwdInitAlloc_32f(&st, t, 3, -1, t, 3, -1), vekStsOk);
    VeksWTInvState_32f* inv = nullptr;
    ASSERT_EQ(veksWTInvInitAlloc_32f(&inv, t, 3, -1, t, 3, 4), vekStsOk);
    auto* wrong_fwd = reinterpret_cast<VeksWTFwdState_32f*>(inv);
    auto* wrong_inv = reinterpret_cast<VeksWTInvState_32f*>(st);

    // The state first, then the pointers, then the length (delay-line getters and setters share one check).
    fftt::expect_spec_checks(veksWTFwd_32f, st, wrong_fwd, 3);
    fftt::expect_spec_checks(veksWTInv_32f, inv, wrong_inv, 2);
    fftt::expect_spec_checks(veksWTFwdGetDlyLine_32f, st, wrong_fwd);
    fftt::expect_spec_checks(veksWTInvSetDlyLine_32f, inv, wrong_inv);
    EXPECT_EQ(veksWTFwdFree_32f(nullptr), vekStsNullPtr);
    EXPECT_EQ(veksWTFwdFree_32f(wrong_fwd), vekStsBadContext);
    EXPECT_EQ(veksWTInvFree_32f(wrong_inv), vekStsBadContext);
    EXPECT_EQ(veksWTFwdFree_32f(st), vekStsOk);
    EXPECT_EQ(veksWTInvFree_32f(inv), vekStsOk);
    // Sizes beyond what an allocation can hold are refused and leave a null state.
    st = kUntouched;
    EXPECT_EQ(veksWTFwdInitAlloc_32f(&st, t, 3, 2147483647, t, 3, 0), vekStsNoMemory);
    EXPECT_EQ(st, nullptr);
}

} // namespace
