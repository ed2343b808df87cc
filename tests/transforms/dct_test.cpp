// DCT: every engine against the long double sums, in place, at odd byte
// addresses, the 16-bit forms, reported sizes, check order and the life cycle.
#include "byte_offset.h"
#include "dct_reference.h"
#include "fft_reference.h"
#include "fft_test_util.h"

namespace {

using dctref::ld;

// One direction of one float type, with the spec as void*.
template <class T>
struct Ops {
    VekStatus (*get_size)(int, int, int*, int*, int*);
    VekStatus (*init)(void**, int, int, Vek8u*, Vek8u*);
    VekStatus (*get_buf_size)(const void*, int*);
    VekStatus (*free)(void*);
    VekStatus (*run)(const T*, T*, const void*, Vek8u*);
    VekStatus (*run_i)(T*, const void*, Vek8u*);
    bool inverse;
};

#define DCT_OPS(D, T, INV)                                                                                    \
    Ops<Vek##T> {                                                                                             \
        veksDCT##D##GetSize_##T,                                                                              \
        [](void** p, int n, int h, Vek8u* m, Vek8u* b) { return veksDCT##D##Init_##T(reinterpret_cast<VeksDCT##D##Spec_##T**>(p), n, h, m, b); }, \
        [](const void* s, int* b) { return veksDCT##D##GetBufSize_##T(static_cast<const VeksDCT##D##Spec_##T*>(s), b); }, \
        [](void* s) { return veksDCT##D##Free_##T(static_cast<VeksDCT##D##Spec_##T*>(s)); },                 \
        [](const Vek##T* s, Vek##T* d, const void* p, Vek8u* b) { return veksDCT##D##_##T(s, d, static_cast<const VeksDCT##D##Spec_##T*>(p), b); }, \
        [](Vek##T* sd, const void* p, Vek8u* b) { return veksDCT##D##_##T##_I(sd, static_cast<const VeksDCT##D##Spec_##T*>(p), b); }, \
        INV                                                                                                   \
    }

template <class T> std::vector<Ops<T>> directions();
template <> std::vector<Ops<float>> directions() { return {DCT_OPS(Fwd, 32f, false), DCT_OPS(Inv, 32f, true)}; }
template <> std::vector<Ops<double>> directions() { return {DCT_OPS(Fwd, 64f, false), DCT_OPS(Inv, 64f, true)}; }

// Lengths covering every engine and the boundaries between them.
std::vector<std::pair<int, int>> lengths_and_hints() {
    std::vector<std::pair<int, int>> v;
    for (int n = 1; n <= 130; ++n) v.push_back({n, vekHintDefault});
    for (int n : {256, 512, 1000, 1021, 1024, 2048, 4096}) v.push_back({n, vekHintDefault});
    for (int n : {512, 1021, 1024, 2048, 4096}) v.push_back({n, vekHintPrecision});
    return v;
}

// Each spec is placed by Init in memory of exactly the reported size (at a
// skew; the init buffer is scratch once Init returns) and refused once freed.
template <class T>
void check_against_reference() {
    for (const auto& ops : directions<T>())
        for (const auto& [n, hint] : lengths_and_hints()) {
            SCOPED_TRACE(testing::Message() << (ops.inverse ? "inverse" : "forward") << " N " << n << " hint " << hint);
            int size = 0, init = 0, work = 0;
            ASSERT_EQ(ops.get_size(n, hint, &size, &init, &work), vekStsOk);
            vt::Guarded<Vek8u> mem(std::size_t(size + n % 32)), init_buf(std::size_t(init) + 1);
            void* spec = nullptr;
            ASSERT_EQ(ops.init(&spec, n, hint, mem.data() + n % 32, init ? init_buf.data() : nullptr), vekStsOk);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(spec) % 32, 0u);
            init_buf.fill(0xEE);
            int buf_size = -1;
            ASSERT_EQ(ops.get_buf_size(spec, &buf_size), vekStsOk);
            EXPECT_EQ(buf_size, work);
            vt::Rng rng(static_cast<std::uint64_t>(n) * 7 + hint);
            std::vector<T> x(static_cast<std::size_t>(n));
            for (auto& v : x) v = static_cast<T>(rng.real(-1, 1));
            const std::vector<ld> want = dctref::dct(std::vector<ld>(x.begin(), x.end()), ops.inverse);
            vt::Guarded<T> out(static_cast<std::size_t>(n));
            std::vector<Vek8u> buf(static_cast<std::size_t>(work) + 1);
            ASSERT_EQ(ops.run(x.data(), out.data(), spec, buf.data()), vekStsOk);
            EXPECT_TRUE(out.guard_intact() && mem.guard_intact());
            const std::vector<fftref::cld> exact(want.begin(), want.end());
            // Relative RMS error: a few units of rounding per level of the algorithm (log2 N levels, at least one).
            const double tol = 8 * std::numeric_limits<T>::epsilon() * (2 + std::log2(static_cast<double>(n)));
            EXPECT_LT(fftref::rel_rms(exact, 1, [&](std::size_t i) { return fftref::cld(out[i]); }), tol);
            // In place with a buffer the call allocates, and data at byte
            // addresses that are not multiples of the element size, give the same bits.
            std::vector<T> in_place = x;
            ASSERT_EQ(ops.run_i(in_place.data(), spec, nullptr), vekStsOk);
            EXPECT_EQ(0, std::memcmp(in_place.data(), out.data(), x.size() * sizeof(T)));
            vt::Misaligned<T> src(x, 1 + n % 5), dst(x.size(), 1 + n % 5);
            ASSERT_EQ(ops.run(src.data(), dst.data(), spec, nullptr), vekStsOk);
            EXPECT_EQ(0, std::memcmp(dst.values().data(), out.data(), x.size() * sizeof(T)));
            EXPECT_EQ(ops.free(spec), vekStsOk);
            EXPECT_EQ(ops.run_i(in_place.data(), spec, nullptr), vekStsBadContext);
        }
}

TEST(Dct, MatchesExactSums) {
    check_against_reference<float>();
    check_against_reference<double>();
}

// Sizes worked out by hand from the size rules (single precision).
TEST(Dct, ReportedSizes) {
    int fs, fi, fw;
    ASSERT_EQ(veksFFTGetSize_R_32f(11, vekFftNormNone, 0, &fs, &fi, &fw), vekStsOk); // FFT method, N = 1024
    int cs, ci, cw;
    ASSERT_EQ(veksFFTGetSize_C_32fc(8, vekFftNormNone, 0, &cs, &ci, &cw), vekStsOk); // chirp, N = 101: M = 256
    int ls, li, lw;
    ASSERT_EQ(veksFFTGetSize_C_32fc(11, vekFftNormNone, 0, &ls, &li, &lw), vekStsOk); // chirp, N = 1000: M = 2048
    using GetSize = VekStatus (*)(int, int, int*, int*, int*);
    struct Row { GetSize get; int n, hint, spec, init, work; };
    const GetSize f32 = veksDCTFwdGetSize_32f;
    const Row rows[] = {
        {f32, 1, 0, 116, 0, 0}, {f32, 2, 2, 116, 0, 0}, {f32, 8, 0, 116, 0, 0},
        {f32, 16, 0, 192, 0, 96}, {f32, 512, 2, 2176, 0, 2080}, {f32, 1024, 0, 4224, 0, 4128},
        {f32, 3, 0, 192, 0, 44}, {f32, 100, 0, 1728, 0, 432},
        {f32, 1024, 2, fs + 8192 + 128, fi, fw + 8192 + 32},
        {f32, 101, 0, cs + (256 + 303) * 8 + 128, (ci > cw ? ci : cw) > 0 ? (ci > cw ? ci : cw) + 32 : 0, cw + 2048 + 32},
        {f32, 1000, 1, ls + (2048 + 3000) * 8 + 128, (li > lw ? li : lw) + 32, lw + 16384 + 32},
        {veksDCTFwdGetSize_64f, 8, 0, 128, 0, 0}, {veksDCTFwdGetSize_64f, 16, 0, 256, 0, 160},
        {veksDCTInvGetSize_16s, 16, 0, 192 + 64, 0, 96 + 64 + 32}, {veksDCTInvGetSize_16s, 1, 0, 64, 0, 0},
    };
    for (const auto& r : rows) {
        // the inverse reports the forward's sizes
        for (auto get : {r.get, r.get == f32 ? veksDCTInvGetSize_32f : r.get}) {
            int s = -1, i = -1, w = -1;
            ASSERT_EQ(get(r.n, r.hint, &s, &i, &w), vekStsOk);
            EXPECT_EQ((std::array<int, 3>{s, i, w}), (std::array<int, 3>{r.spec, r.init, r.work})) << r.n;
        }
    }
}

TEST(Dct, CheckOrder) {
    int s, i, w;
    EXPECT_EQ(veksDCTFwdGetSize_32f(0, 0, nullptr, nullptr, nullptr), vekStsBadLength);
    EXPECT_EQ(veksDCTFwdGetSize_32f(4, 0, &s, nullptr, &w), vekStsNullPtr);
    VeksDCTFwdSpec_32f* spec = nullptr;
    EXPECT_EQ(veksDCTFwdInit_32f(nullptr, 0, 0, nullptr, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksDCTFwdInit_32f(&spec, 0, 0, nullptr, nullptr), vekStsBadLength);
    EXPECT_EQ(veksDCTFwdInit_32f(&spec, 4, 0, nullptr, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksDCTFwdInitAlloc_32f(nullptr, 4, 0), vekStsNullPtr);
    EXPECT_EQ(veksDCTFwdInitAlloc_32f(&spec, 0, 0), vekStsBadLength);
    EXPECT_EQ(spec, nullptr);
    // The chirp spec of N = 1000 needs an init buffer.
    ASSERT_EQ(veksDCTFwdGetSize_32f(1000, 0, &s, &i, &w), vekStsOk);
    std::vector<Vek8u> big(static_cast<std::size_t>(s));
    EXPECT_EQ(veksDCTFwdInit_32f(&spec, 1000, 0, big.data(), nullptr), vekStsNullPtr);

    ASSERT_EQ(veksDCTFwdInitAlloc_32f(&spec, 30, 0), vekStsOk);
    VeksDCTInvSpec_32f* inv = nullptr;
    ASSERT_EQ(veksDCTInvInitAlloc_32f(&inv, 30, 0), vekStsOk);
    fftt::expect_spec_checks(veksDCTFwd_32f, spec, inv);
    fftt::expect_spec_checks(veksDCTInv_32f_I, inv, spec);
    int b = -1;
    EXPECT_EQ(veksDCTFwdGetBufSize_32f(nullptr, &b), vekStsNullPtr);
    EXPECT_EQ(veksDCTFwdGetBufSize_32f(spec, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksDCTFwdGetBufSize_32f(reinterpret_cast<const VeksDCTFwdSpec_32f*>(inv), &b), vekStsBadContext);
    EXPECT_EQ(veksDCTFwdFree_32f(nullptr), vekStsNullPtr);
    EXPECT_EQ(veksDCTFwdFree_32f(reinterpret_cast<VeksDCTFwdSpec_32f*>(inv)), vekStsBadContext);
    EXPECT_EQ(veksDCTInvFree_32f(inv), vekStsOk);
    EXPECT_EQ(veksDCTFwdFree_32f(spec), vekStsOk);
}

template <class S, auto InitAlloc, auto Free, auto Run, auto RunI>
void check_short(bool inverse) {
    for (int n : {1, 2, 7, 8, 16, 64, 99, 130, 1024})
        for (int sf : {-2, 0, 3}) {
            SCOPED_TRACE(testing::Message() << inverse << " N " << n << " sf " << sf);
            S* spec = nullptr;
            ASSERT_EQ(InitAlloc(&spec, n, vekHintPrecision), vekStsOk);
            vt::Rng rng(static_cast<std::uint64_t>(n + sf));
            std::vector<Vek16s> x(static_cast<std::size_t>(n));
            for (auto& v : x) v = rng.integer<Vek16s>(-3000, 3000);
            const std::vector<ld> want = dctref::dct(std::vector<ld>(x.begin(), x.end()), inverse);
            vt::Guarded<Vek16s> out(x.size());
            ASSERT_EQ(Run(x.data(), out.data(), spec, sf, nullptr), vekStsOk);
            EXPECT_TRUE(out.guard_intact());
            for (std::size_t k = 0; k < x.size(); ++k) {
                const ld v = std::ldexp(want[k], -sf);
                const ld clamped = v > 32767 ? 32767 : v < -32768 ? -32768 : v;
                EXPECT_LE(std::fabs(out[k] - clamped), 1.0L) << k; // float rounding may move a tie
            }
            std::vector<Vek16s> y = x;
            ASSERT_EQ(RunI(y.data(), spec, sf, nullptr), vekStsOk);
            EXPECT_EQ(y, out.values());
            EXPECT_EQ(Free(spec), vekStsOk);
        }
}

TEST(Dct, ShortFormsRoundTheFloatTransform) {
    check_short<VeksDCTFwdSpec_16s, veksDCTFwdInitAlloc_16s, veksDCTFwdFree_16s, veksDCTFwd_16s_Sfs, veksDCTFwd_16s_ISfs>(false);
    check_short<VeksDCTInvSpec_16s, veksDCTInvInitAlloc_16s, veksDCTInvFree_16s, veksDCTInv_16s_Sfs, veksDCTInv_16s_ISfs>(true);
}

// Length 1 scales the sample itself: ties to even, saturated.
TEST(Dct, ShortLengthOneScalesTiesToEven) {
    VeksDCTFwdSpec_16s* spec = nullptr;
    ASSERT_EQ(veksDCTFwdInitAlloc_16s(&spec, 1, 0), vekStsOk);
    const struct { Vek16s in; int sf; Vek16s want; } rows[] = {{3, 1, 2}, {5, 1, 2}, {-3, 1, -2},
                                                               {1, 1, 0}, {7, 1, 4}, {20000, -1, 32767}};
    for (const auto& r : rows) {
        Vek16s out = 0;
        ASSERT_EQ(veksDCTFwd_16s_Sfs(&r.in, &out, spec, r.sf, nullptr), vekStsOk);
        EXPECT_EQ(out, r.want) << r.in;
    }
    EXPECT_EQ(veksDCTFwdFree_16s(spec), vekStsOk);
}

} // namespace
