// State sizes by the documented formulas, check orders and identifiers.
#include "core/vekcore/vekcore.h"
#include "fir_reference.h"

namespace {

using namespace firt;

std::int64_t A(std::int64_t x) { return (x + 15) & ~std::int64_t(15); }

struct Fft { int N = 0, spec = 0, init = 0, work = 0; };
Fft fft_sizes(int L, int threshold, VekStatus (*get)(int, int, int, int*, int*, int*)) {
    Fft f;
    if (L < threshold) return f;
    int k = 2;
    while ((1 << k) <= L) ++k;
    if (get(k + 1, vekFftNormInv, vekHintDefault, &f.spec, &f.init, &f.work) != vekStsOk) return Fft{};
    f.N = 1 << (k + 1);
    return f;
}

void expect_size(std::initializer_list<VekStatus (*)(int, int*)> fns, int L, std::int64_t want) {
    for (auto fn : fns) {
        int got = 0;
        ASSERT_EQ(fn(L, &got), vekStsOk);
        EXPECT_EQ(got, want) << L;
    }
}

// Under one and three threads: T is the count in force when sizing.
TEST(FirChecks, StateSizesFollowTheFormulas) {
    for (int threads : {1, 3}) {
        const ThreadScope scope(threads);
        const std::int64_t T = std::max(1, ownGetNumThreads());
        for (int L : {1, 10, 15, 16, 31, 32, 63, 64, 100, 1000, 5000}) {
            Fft f = fft_sizes(L, 64, veksFFTGetSize_R_32f);
            expect_size({veksFIRGetStateSize_32f, veksFIRGetStateSize32f_16s}, L,
                        (f.work + A(4 * f.N)) * T + f.spec + f.init + A(4 * L) + A(12 * L + 16) + 16 * T + A(4 * T) +
                            A(4 * f.N) + 16496);
            f = fft_sizes(L, 16, veksFFTGetSize_C_32fc);
            expect_size({veksFIRGetStateSize_32fc, veksFIRGetStateSize32fc_16sc}, L,
                        (f.work + A(8 * f.N)) * T + f.spec + f.init + A(8 * L) + A(24 * L + 32) + 16 * T + A(4 * T) +
                            A(8 * f.N) + 32880);
            f = fft_sizes(L, 32, veksFFTGetSize_R_64f);
            expect_size({veksFIRGetStateSize_64f, veksFIRGetStateSize64f_32f, veksFIRGetStateSize64f_32s,
                         veksFIRGetStateSize64f_16s}, L,
                        (f.work + A(8 * f.N)) * T + f.spec + f.init + A(8 * L) + A(24 * L + 32) + 16 * T + A(4 * T) +
                            A(8 * f.N) + 32880);
            f = fft_sizes(L, 16, veksFFTGetSize_C_64fc);
            expect_size({veksFIRGetStateSize_64fc, veksFIRGetStateSize64fc_32fc, veksFIRGetStateSize64fc_32sc,
                         veksFIRGetStateSize64fc_16sc}, L,
                        (f.work + 16 * f.N) * T + f.spec + f.init + 16 * L + A(48 * L + 64) + A(4 * T) + 16 * f.N + 65664);
            expect_size({veksFIRGetStateSize32s_16s, veksFIRGetStateSize32s_16s32f}, L,
                        A(2 * (3 * L + 4)) + A(8 * L) + A(4 * L) + 16480);
            expect_size({veksFIRGetStateSize32sc_16sc32fc}, L, A(8 * L) + 80 + A(12 * L + 16) + 16400);
            expect_size({veksFIRGetStateSize_32s}, L, A(24 * L + 32) + A(8 * L) + 112 + 16 * T + 32767);
        }
    }
}

TEST(FirChecks, CheckOrdersAndIdentifiers) {
    int size = 0;
    EXPECT_EQ(veksFIRGetStateSize_32f(0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRGetStateSize_32f(0, &size), vekStsBadTapCount);
    EXPECT_EQ(veksFIRGetStateSize32s_16s(-1, &size), vekStsBadTapCount);
    const std::vector<Vek32f> taps(4, 1.0f);
    std::vector<Vek8u> mem(100000);
    VeksFIRState_32f* s = nullptr;
    EXPECT_EQ(veksFIRInit_32f(nullptr, taps.data(), 0, nullptr, mem.data()), vekStsNullPtr);
    EXPECT_EQ(veksFIRInit_32f(&s, nullptr, 0, nullptr, mem.data()), vekStsNullPtr);
    EXPECT_EQ(veksFIRInit_32f(&s, taps.data(), 0, nullptr, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRInit_32f(&s, taps.data(), 0, nullptr, mem.data()), vekStsBadTapCount);
    EXPECT_EQ(veksFIRInitAlloc_32f(nullptr, taps.data(), 0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRInitAlloc_32f(&s, nullptr, 4, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRInitAlloc_32f(&s, taps.data(), -3, nullptr), vekStsBadTapCount);
    EXPECT_EQ(s, nullptr);
    const std::vector<Vek32s> itaps(4, 1);
    VeksFIRState32s_16s* si = nullptr;
    EXPECT_EQ(veksFIRInit32s_16s(&si, itaps.data(), 4, 0, nullptr, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIRInitAlloc32s_16s(&si, itaps.data(), 0, 0, nullptr), vekStsBadTapCount);
    EXPECT_EQ(veksFIRFree32s_16s(nullptr), vekStsNullPtr);
    // The 32s state serves the 64f_32s operations (one state kind).
    VeksFIRState_32s* s32 = nullptr;
    ASSERT_EQ(veksFIRInitAlloc_32s(&s32, itaps.data(), 1, nullptr), vekStsOk);
    EXPECT_EQ(std::uint32_t(state_field(s32, 0)), fir_id(21));
    Vek32s y = 0;
    ASSERT_EQ(veksFIROne64f_32s_Sfs(5, &y, s32, 0), vekStsOk);
    EXPECT_EQ(y, 5);
    ASSERT_EQ(veksFIRGetTaps_32s(s32, &y), vekStsOk);
    EXPECT_EQ(y, 1);
    EXPECT_EQ(veksFIRFree_32s(s32), vekStsOk);
    // Operations: null state, null array, foreign identifier (filter calls: length first); nothing written.
    const std::vector<Vek32f> in(600, 1.0f);
    ASSERT_EQ(veksFIRInitAlloc_32f(&s, in.data(), 70, nullptr), vekStsOk);
    vt::Guarded<Vek32f> buf(600);
    using State = VeksFIRState_32f;
    const std::function<VekStatus(State*, Vek32f*)> ops[] = {
        [&](State* st, Vek32f* p) { return veksFIR_32f(in.data(), p, 600, st); },
        [](State* st, Vek32f* p) { return veksFIR_32f_I(p, 600, st); },
        [](State* st, Vek32f* p) { return veksFIROne_32f(1.0f, p, st); },
        [](State* st, Vek32f* p) { return veksFIRGetTaps_32f(st, p); },
        [](State* st, Vek32f* p) { return veksFIRSetTaps_32f(p, st); },
        [](State* st, Vek32f* p) { return veksFIRGetDlyLine_32f(st, p); },
        [](State* st, Vek32f* p) { return veksFIRSetDlyLine_32f(st, p); }, // a null line is allowed
        [](State* st, Vek32f*) { return veksFIRFree_32f(st); }};
    std::uint32_t id = 0;
    std::memcpy(&id, s, 4);
    for (std::size_t k = 0; k < std::size(ops); ++k) {
        EXPECT_EQ(ops[k](nullptr, buf.data()), vekStsNullPtr) << k;
        EXPECT_EQ(k < 6 ? ops[k](s, nullptr) : vekStsNullPtr, vekStsNullPtr) << k;
        for (std::uint32_t other : {0x46493032u, 0x46493035u, 0u}) {
            std::memcpy(s, &other, 4);
            EXPECT_EQ(ops[k](s, buf.data()), vekStsBadContext) << k;
        }
        std::memcpy(s, &id, 4);
        EXPECT_TRUE(buf.intact()) << k;
    }
    EXPECT_EQ(veksFIR_32f(in.data(), buf.data(), 0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksFIR_32f(nullptr, buf.data(), 0, s), vekStsNullPtr);
    std::memcpy(s, "junk", 4);
    EXPECT_EQ(veksFIR_32f(in.data(), buf.data(), 0, s), vekStsBadLength);
    EXPECT_EQ(veksFIR_32f_I(buf.data(), -1, s), vekStsBadLength);
    EXPECT_TRUE(buf.intact());
    std::memcpy(s, &id, 4);
    EXPECT_EQ(veksFIRFree_32f(s), vekStsOk);
}

} // namespace
