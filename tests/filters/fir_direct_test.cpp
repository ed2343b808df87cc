// Stateless FIR forms: every delay index, one-sample calls, in place, checks.
#include "fir_reference.h"

namespace {

using namespace firt;

// A doubled circular buffer whose window at index holds hist (newest first).
template <class Data>
std::vector<Data> circular(const std::vector<Data>& hist, int L, int index) {
    std::vector<Data> buf(static_cast<std::size_t>(2 * L));
    for (int m = 0; m < L; ++m) {
        const int pos = (index + m) % L;
        buf[std::size_t(pos)] = buf[std::size_t(pos + L)] = hist[std::size_t(L - 1 - m)];
    }
    return buf;
}

template <class Tap, class Data>
struct DirectApi {
    std::string name;
    std::function<VekStatus(const Data*, Data*, int, const Tap*, int, Data*, int*)> block;
    std::function<VekStatus(Data*, int, const Tap*, int, Data*, int*)> block_i;
    std::function<VekStatus(Data, Data*, const Tap*, int, Data*, int*)> one;
    std::function<VekStatus(Data*, const Tap*, int, Data*, int*)> one_i;
    LD tol;
    int sf;        // integer data
    int factor;    // integer taps
};

// TAPS: the taps count (and factor for integer taps); TAIL: the scale factor, if any.
#define FIRT_ARGS(...) __VA_ARGS__
#define FIRT_DIRECT_API(TP, DS, SFX, ISFX, TAP, DATA, TOL, SF, FACTOR, TAPS, TAIL)                                     \
    DirectApi<TAP, DATA> {                                                                                           \
        #TP #DS,                                                                                                     \
            [](const DATA* s, DATA* d, int n, const TAP* t, int L, DATA* b, int* i) {                                \
                return veksFIR##TP##_Direct##DS##SFX(s, d, n, t, FIRT_ARGS TAPS, b, i FIRT_ARGS TAIL);               \
            },                                                                                                       \
            [](DATA* s, int n, const TAP* t, int L, DATA* b, int* i) {                                               \
                return veksFIR##TP##_Direct##DS##ISFX(s, n, t, FIRT_ARGS TAPS, b, i FIRT_ARGS TAIL);                 \
            },                                                                                                       \
            [](DATA x, DATA* d, const TAP* t, int L, DATA* b, int* i) {                                              \
                return veksFIROne##TP##_Direct##DS##SFX(x, d, t, FIRT_ARGS TAPS, b, i FIRT_ARGS TAIL);               \
            },                                                                                                       \
            [](DATA* s, const TAP* t, int L, DATA* b, int* i) {                                                      \
                return veksFIROne##TP##_Direct##DS##ISFX(s, t, FIRT_ARGS TAPS, b, i FIRT_ARGS TAIL);                 \
            },                                                                                                       \
            TOL, SF, FACTOR                                                                                          \
    }
#define FIRT_DIRECT(TP, DS, TAP, DATA, TOL) FIRT_DIRECT_API(TP, DS, , _I, TAP, DATA, TOL, 0, 0, (L), ())
#define FIRT_DIRECT_SFS(TP, DS, TAP, DATA, SF) FIRT_DIRECT_API(TP, DS, _Sfs, _ISfs, TAP, DATA, 0, SF, 0, (L), (, SF))
#define FIRT_DIRECT_INT(TP, DS, TAP, DATA, FACTOR, SF)                                                                 \
    FIRT_DIRECT_API(TP, DS, _Sfs, _ISfs, TAP, DATA, 0, SF, FACTOR, (L, FACTOR), (, SF))

template <class Tap, class Data>
void check_direct(const DirectApi<Tap, Data>& api) {
    vt::Rng rng(17);
    for (int L : {1, 2, 3, 5, 8, 33}) {
        const auto taps = random_vector<Tap>(rng, std::size_t(L), 3000);
        const auto hist = random_vector<Data>(rng, std::size_t(L), 3000);
        const auto input = random_vector<Data>(rng, 40, 3000);
        for (int index = 0; index < L; ++index) {
            auto buf = circular(hist, L, index);
            int idx = index;
            std::vector<Data> out(input.size());
            ASSERT_EQ(api.block(input.data(), out.data(), int(input.size()), taps.data(), L, buf.data(), &idx), vekStsOk);
            EXPECT_EQ(idx, int((index + input.size()) % std::size_t(L)));
            // Integer taps: exact; floating taps: within tol of the product magnitudes.
            const Reference ref = direct_sums(taps, hist, input);
            if constexpr (!float_data<Tap>)
                EXPECT_TRUE(same_bits(out.data(), wrapped_outputs<Data>(ref.y, api.factor - api.sf, -62)));
            else
                expect_close(ref, out.data(), out.size(), api.tol, api.sf, false, api.name);
            // One sample at a time, and in place, give the same values.
            auto buf1 = circular(hist, L, index), buf2 = buf1, buf3 = buf1;
            int i1 = index, i2 = index, i3 = index;
            std::vector<Data> one(input.size()), one_i = input, block_i = input;
            for (std::size_t k = 0; k < input.size(); ++k) {
                ASSERT_EQ(api.one(input[k], &one[k], taps.data(), L, buf1.data(), &i1), vekStsOk);
                ASSERT_EQ(api.one_i(&one_i[k], taps.data(), L, buf2.data(), &i2), vekStsOk);
            }
            ASSERT_EQ(api.block_i(block_i.data(), int(input.size()), taps.data(), L, buf3.data(), &i3), vekStsOk);
            EXPECT_TRUE(same_bits(one.data(), out) && same_bits(one_i.data(), out) && same_bits(block_i.data(), out))
                << api.name;
            EXPECT_TRUE(same_bits(buf1.data(), buf3) && same_bits(buf1.data(), buf));
            EXPECT_EQ(i1, idx);
        }
    }
    // Checks: pointers, length, taps, tapsLen, delay pointers, then the index.
    std::vector<Tap> taps(4);
    std::vector<Data> in(8), buf(8);
    vt::Guarded<Data> out(8);
    for (int bad : {-1, 4, 5}) {
        int idx = bad;
        EXPECT_EQ(api.block(in.data(), out.data(), 8, taps.data(), 4, buf.data(), &idx), vekStsBadDelayIndex);
        EXPECT_EQ(api.one(Data{}, out.data(), taps.data(), 4, buf.data(), &idx), vekStsBadDelayIndex);
        EXPECT_EQ(idx, bad);
    }
    int idx = 9;
    EXPECT_EQ(api.block(nullptr, out.data(), 0, nullptr, 0, nullptr, &idx), vekStsNullPtr);
    EXPECT_EQ(api.block(in.data(), nullptr, 0, taps.data(), 4, buf.data(), &idx), vekStsNullPtr);
    EXPECT_EQ(api.block(in.data(), out.data(), 0, nullptr, 0, nullptr, &idx), vekStsBadLength);
    EXPECT_EQ(api.block(in.data(), out.data(), 8, nullptr, 0, nullptr, &idx), vekStsNullPtr);
    EXPECT_EQ(api.block(in.data(), out.data(), 8, taps.data(), 0, nullptr, &idx), vekStsBadTapCount);
    EXPECT_EQ(api.block(in.data(), out.data(), 8, taps.data(), 4, nullptr, &idx), vekStsNullPtr);
    EXPECT_EQ(api.block(in.data(), out.data(), 8, taps.data(), 4, buf.data(), nullptr), vekStsNullPtr);
    EXPECT_EQ(api.one(Data{}, nullptr, taps.data(), 0, nullptr, &idx), vekStsNullPtr);
    EXPECT_EQ(api.one(Data{}, out.data(), nullptr, 0, nullptr, &idx), vekStsNullPtr);
    EXPECT_EQ(api.one(Data{}, out.data(), taps.data(), 0, nullptr, &idx), vekStsBadTapCount);
    EXPECT_EQ(api.one(Data{}, out.data(), taps.data(), 4, nullptr, &idx), vekStsNullPtr);
    EXPECT_EQ(api.one_i(nullptr, taps.data(), 4, buf.data(), &idx), vekStsNullPtr);
    EXPECT_EQ(api.block_i(nullptr, 8, taps.data(), 4, buf.data(), &idx), vekStsNullPtr);
    EXPECT_TRUE(out.intact()) << api.name;
    EXPECT_TRUE(same_bits(buf.data(), std::vector<Data>(8)));
}

TEST(FirDirect, EveryForm) {
    check_direct(FIRT_DIRECT(, _32f, Vek32f, Vek32f, 1.2e-7L));
    check_direct(FIRT_DIRECT(, _32fc, Vek32fc, Vek32fc, 1.2e-7L));
    check_direct(FIRT_DIRECT(, _64f, Vek64f, Vek64f, 1e-15L));
    check_direct(FIRT_DIRECT(, _64fc, Vek64fc, Vek64fc, 1e-15L));
    check_direct(FIRT_DIRECT(64f, _32f, Vek64f, Vek32f, 1.2e-7L));
    check_direct(FIRT_DIRECT(64fc, _32fc, Vek64fc, Vek32fc, 1.2e-7L));
    check_direct(FIRT_DIRECT_SFS(32f, _16s, Vek32f, Vek16s, 3));
    check_direct(FIRT_DIRECT_SFS(32fc, _16sc, Vek32fc, Vek16sc, 0));
    check_direct(FIRT_DIRECT_SFS(64f, _16s, Vek64f, Vek16s, -1));
    check_direct(FIRT_DIRECT_SFS(64fc, _16sc, Vek64fc, Vek16sc, 2));
    check_direct(FIRT_DIRECT_SFS(64f, _32s, Vek64f, Vek32s, 1));
    check_direct(FIRT_DIRECT_SFS(64fc, _32sc, Vek64fc, Vek32sc, 0));
    check_direct(FIRT_DIRECT_INT(32s, _16s, Vek32s, Vek16s, -15, 0));
    check_direct(FIRT_DIRECT_INT(32s, _16s, Vek32s, Vek16s, 3, 4));
    check_direct(FIRT_DIRECT_INT(32sc, _16sc, Vek32sc, Vek16sc, -10, -2));
    // Q15 block: history read from the index on, returned at the start with index 0.
    vt::Rng rng(12);
    for (int L : {1, 2, 7, 40}) {
        for (int sf : {-2, 0, 3}) {
            const auto taps = random_vector<Vek16s>(rng, std::size_t(L), 32768);
            const auto input = random_vector<Vek16s>(rng, 100, 32768);
            for (int index = 0; index < L; index += 3) {
                const auto start = random_vector<Vek16s>(rng, std::size_t(2 * L), 32768);
                const std::vector<Vek16s> hist(start.begin() + index, start.begin() + index + L);
                auto buf = start, buf_i = start;
                int idx = index;
                std::vector<Vek16s> out(100), in_place = input;
                ASSERT_EQ(veksFIR_Direct_16s_Sfs(input.data(), out.data(), 100, taps.data(), L, buf.data(), &idx, sf), vekStsOk);
                EXPECT_EQ(idx, 0);
                EXPECT_EQ(out, wrapped_outputs<Vek16s>(direct_sums(taps, hist, input).y, -15 - sf, -62));
                EXPECT_TRUE(same_bits(buf.data(), newest_first(hist, input, std::size_t(L))));
                int idx_i = index;
                ASSERT_EQ(veksFIR_Direct_16s_ISfs(in_place.data(), 100, taps.data(), L, buf_i.data(), &idx_i, sf), vekStsOk);
                EXPECT_EQ(in_place, out);
                EXPECT_EQ(buf_i, buf);
                auto circ = circular(hist, L, index);
                std::vector<Vek16s> one(100);
                for (int k = 0, i = index; k < 100; ++k)
                    ASSERT_EQ(veksFIROne_Direct_16s_Sfs(input[k], &one[k], taps.data(), L, circ.data(), &i, sf), vekStsOk);
                EXPECT_EQ(one, out);
            }
        }
    }
    std::vector<Vek16s> taps(3), buf(6), in(4);
    vt::Guarded<Vek16s> out(4);
    int idx = 3;
    EXPECT_EQ(veksFIR_Direct_16s_Sfs(in.data(), out.data(), 0, taps.data(), 0, buf.data(), &idx, 0), vekStsBadLength);
    EXPECT_EQ(veksFIR_Direct_16s_Sfs(in.data(), out.data(), 4, taps.data(), 0, buf.data(), &idx, 0), vekStsBadTapCount);
    EXPECT_EQ(veksFIR_Direct_16s_Sfs(in.data(), out.data(), 4, taps.data(), 3, buf.data(), &idx, 0), vekStsBadDelayIndex);
    EXPECT_EQ(veksFIR_Direct_16s_Sfs(in.data(), nullptr, 0, taps.data(), 0, buf.data(), &idx, 0), vekStsNullPtr);
    EXPECT_EQ(veksFIROne_Direct_16s_Sfs(1, out.data(), taps.data(), 3, buf.data(), &idx, 0), vekStsBadDelayIndex);
    EXPECT_TRUE(out.intact());
    EXPECT_EQ(idx, 3);
}

} // namespace
