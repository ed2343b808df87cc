// Sparse FIR, pre-emphasis, window sums and updates against their formulas.
#include "fir_reference.h"
#include "iir_reference.h"
#include "signature_probe.h"

namespace {

// Blocks of any length from caller memory of the reported size: y[n] = sum tap_i * x[n - pos_i].
TEST(FIRSparse, StreamsSizesAndChecks) {
    vt::Rng rng(31);
    for (int rep = 0; rep < 30; ++rep) {
        const int nz = rng.integer(1, 6);
        std::vector<Vek32s> pos(nz);
        int p = rng.integer(0, 3);
        for (auto& q : pos) { q = p; p += rng.integer(1, 20); }
        const auto taps = iref::random_vec<float>(std::size_t(nz), rng, 1);
        const int order = pos.back();
        const auto dly = iref::random_vec<float>(std::size_t(std::max(order, 1)), rng, 1);
        const bool with_dly = rep % 2 == 0;
        int size = 0;
        ASSERT_EQ(veksFIRSparseGetStateSize_32f(nz, std::max(1, order), &size), vekStsOk);
        vt::Guarded<Vek8u> mem(std::size_t(size) + rep % 16);
        VeksFIRSparseState_32f* st = nullptr;
        const Vek32f* history = with_dly ? dly.data() : nullptr;
        ASSERT_EQ(veksFIRSparseInit_32f(&st, taps.data(), pos.data(), nz, history, mem.data() + rep % 16), vekStsOk);
        const int total = 400;
        const auto x = iref::random_vec<float>(std::size_t(total), rng, 1);
        std::vector<Vek32f> y(total, 0);
        for (int done = 0; done < total;) {
            const int len = std::min(total - done, rng.integer(1, 2 * order + 3));
            ASSERT_EQ(veksFIRSparse_32f(x.data() + done, y.data() + done, len, st), vekStsOk);
            done += len;
        }
        EXPECT_TRUE(mem.guard_intact());
        std::vector<Vek32f> dense(std::size_t(order) + 1);
        for (int i = 0; i < nz; ++i) dense[std::size_t(pos[i])] = taps[i];
        const auto want = firt::direct_sums(dense, with_dly ? dly : std::vector<float>{}, x).y;
        for (int n = 0; n < total; ++n) ASSERT_NEAR(y[n], want[n].real(), 1e-5) << "rep " << rep << " n " << n;
    }
    // The size formula, the checks.
    auto a = [](long long x) { return (x + 15) / 16 * 16; };
    for (int nz : {1, 2, 3, 4, 5, 17})
        for (int order : {1, 2, 3, 7, 100, 1001}) {
            int size = -1;
            ASSERT_EQ(veksFIRSparseGetStateSize_32f(nz, order, &size), vekStsOk);
            EXPECT_EQ(size, a(8LL * order) + 2 * a(4LL * nz) + 48) << nz << " " << order;
        }
    int size = 7;
    EXPECT_EQ(veksFIRSparseGetStateSize_32f(1, 1, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRSparseGetStateSize_32f(0, 1, &size), vekStsBadTapCount);
    EXPECT_EQ(veksFIRSparseGetStateSize_32f(1, 0, &size), vekStsBadTapCount);
    EXPECT_EQ(size, 7);
    const Vek32f taps[3] = {1, 2, 3};
    std::vector<Vek8u> mem(512);
    VeksFIRSparseState_32f* st = nullptr;
    const Vek32s bad1[3] = {-1, 2, 3}, bad2[3] = {0, 2, 2}, good[3] = {0, 2, 5};
    EXPECT_EQ(veksFIRSparseInit_32f(nullptr, taps, good, 3, nullptr, mem.data()), vekStsNullPtr);
    EXPECT_EQ(veksFIRSparseInit_32f(&st, taps, good, 3, nullptr, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRSparseInit_32f(&st, taps, nullptr, 0, nullptr, mem.data()), vekStsNullPtr);
    EXPECT_EQ(veksFIRSparseInit_32f(&st, taps, good, 0, nullptr, mem.data()), vekStsBadTapCount);
    EXPECT_EQ(veksFIRSparseInit_32f(&st, taps, bad1, 3, nullptr, mem.data()), vekStsBadSparseTaps);
    EXPECT_EQ(veksFIRSparseInit_32f(&st, taps, bad2, 3, nullptr, mem.data()), vekStsBadSparseTaps);
    EXPECT_EQ(st, nullptr);
    // Filtering on a foreign (sentinel) state: pointers, length, then the identifier.
    sp::expect_checks(+[](const Vek32f* x, Vek32f* y, int n, std::uint32_t* foreign) {
        return veksFIRSparse_32f(x, y, n, reinterpret_cast<VeksFIRSparseState_32f*>(foreign));
    }, {sp::Order::PtrsThenLen, {}, -1, 0, 0, vekStsBadContext});
}

TEST(Preemphasize, FormulaInSinglePrecision) {
    vt::Rng rng(32);
    for (float val : {0.0f, 0.95f, -1.5f, 3.0f}) {
        const auto x = iref::random_vec<float>(100, rng, 1000);
        auto y = x;
        ASSERT_EQ(veksPreemphasize_32f(y.data(), 100, val), vekStsOk);
        EXPECT_EQ(y[0], x[0]);
        for (int n = 1; n < 100; ++n) ASSERT_EQ(y[n], x[n] - val * x[n - 1]) << n;
        const auto s = firt::random_vector<Vek16s>(rng, 100, 32768);
        auto t = s;
        ASSERT_EQ(veksPreemphasize_16s(t.data(), 100, val), vekStsOk);
        EXPECT_EQ(t[0], s[0]);
        for (int n = 1; n < 100; ++n) {
            const float f = float(s[n]) - val * float(s[n - 1]);
            const double r = std::clamp(std::nearbyint(double(f)), -32768.0, 32767.0);
            ASSERT_EQ(t[n], Vek16s(r)) << n << " val " << val;
        }
    }
    sp::expect_checks_all({}, veksPreemphasize_32f, veksPreemphasize_16s);
}

TEST(SumWindow, RunningSumsMatchExactSums) {
    vt::Rng rng(33);
    for (int mask : {1, 2, 5, 64}) {
        const int len = 300;
        const auto a = firt::random_vector<Vek8u>(rng, len + mask - 1, 255);
        const auto b = firt::random_vector<Vek16s>(rng, len + mask - 1, 32768);
        vt::Guarded<Vek32f> da(len), db(len);
        ASSERT_EQ(veksSumWindow_8u32f(a.data(), da.data(), len, mask), vekStsOk);
        ASSERT_EQ(veksSumWindow_16s32f(b.data(), db.data(), len, mask), vekStsOk);
        EXPECT_TRUE(da.guard_intact() && db.guard_intact());
        for (int k = 0; k < len; ++k) {
            long long sa = 0, sb = 0;
            for (int j = 0; j < mask; ++j) sa += a[k + j], sb += b[k + j];
            ASSERT_EQ(da[k], float(sa)) << k;
            ASSERT_EQ(db[k], float(sb)) << k;
        }
    }
    Vek16s x[2] = {};
    vt::Guarded<Vek32f> out(2);
    EXPECT_EQ(veksSumWindow_16s32f(nullptr, out.data(), 2, 1), vekStsNullPtr);
    EXPECT_EQ(veksSumWindow_16s32f(x, nullptr, 0, 0), vekStsNullPtr);
    EXPECT_EQ(veksSumWindow_16s32f(x, out.data(), 0, 0), vekStsBadWindowLength);
    EXPECT_EQ(veksSumWindow_8u32f(reinterpret_cast<Vek8u*>(x), out.data(), 0, 3), vekStsOk);
    EXPECT_EQ(veksSumWindow_16s32f(x, out.data(), -4, 1), vekStsOk);
    EXPECT_TRUE(out.intact());
}

TEST(Update, LinearAndPowerRecurrences) {
    vt::Rng rng(34);
    auto expect = [](double s) { return Vek32s(std::clamp(std::nearbyint(s), -2147483648.0, 2147483647.0)); };
    for (int alpha : {0, 1, -1, 2})
        for (int shift : {-3, 0, 4, 15, 20, 31, 40}) {
            auto x = firt::random_vector<Vek16s>(rng, 7, 32768);
            x[0] = -32768;
            const Vek32s start = rng.integer(-1000, 1000);
            double sl = start, sp = start;
            const int shl = std::clamp(shift, 0, 15), shp = std::clamp(shift, 0, 31);
            for (Vek16s v : x) {
                sl = sl * alpha + double(v >> shl) * (1 - alpha);
                sp = sp * alpha + double(std::uint32_t(int(v) * int(v)) >> shp) * (1 - alpha);
            }
            Vek32s lin = start, pow = start;
            ASSERT_EQ(veksUpdateLinear_16s32s_I(x.data(), 7, &lin, shift, Vek16s(alpha)), vekStsOk);
            ASSERT_EQ(veksUpdatePower_16s32s_I(x.data(), 7, &pow, shift, Vek16s(alpha)), vekStsOk);
            EXPECT_EQ(lin, expect(sl)) << alpha << " " << shift;
            EXPECT_EQ(pow, expect(sp)) << alpha << " " << shift;
        }
    sp::expect_checks_all({}, veksUpdateLinear_16s32s_I, veksUpdatePower_16s32s_I);
}

} // namespace
