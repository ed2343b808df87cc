#include "core_test_util.h"

namespace {

// One row per member type: its Set, Zero, Copy and Move.
template <class T> struct Mov;
#define MOV_ROW(s)                                                                   \
    template <> struct Mov<Vek##s> {                                                \
        static constexpr auto set = veksSet_##s;                                    \
        static constexpr auto zero = veksZero_##s;                                  \
        static constexpr auto copy = veksCopy_##s;                                  \
        static constexpr auto move = veksMove_##s;                                  \
    };
MOV_ROW(8u) MOV_ROW(16s) MOV_ROW(16sc) MOV_ROW(32s) MOV_ROW(32sc) MOV_ROW(32f) MOV_ROW(32fc)
MOV_ROW(64s) MOV_ROW(64sc) MOV_ROW(64f) MOV_ROW(64fc)
#undef MOV_ROW

template <class T> T pattern(unsigned i) {
    T v;
    unsigned char b[sizeof(T)];
    for (std::size_t k = 0; k < sizeof(T); ++k) b[k] = static_cast<unsigned char>(i * 31 + k * 7 + 1);
    std::memcpy(&v, b, sizeof(T));
    return v;
}

// Source and destination at different odd byte offsets give the bytes that aligned arrays give.
template <class T, class Call> void expect_offset_independent(Call call, int n = 37) {
    std::vector<T> src(n), want(n);
    for (int i = 0; i < n; ++i) src[i] = pattern<T>(i);
    call(src.data(), want.data(), n);
    for (std::size_t offset : {1, 3}) {
        vt::Misaligned<T> s(src, offset), d(n, offset + 2);
        call(s.data(), d.data(), n);
        EXPECT_EQ(std::memcmp(d.values().data(), want.data(), sizeof(T) * n), 0) << "offset " << offset;
    }
}

template <class T> class MovementTyped : public ::testing::Test {};
using MovementTypes = ::testing::Types<Vek8u, Vek16s, Vek16sc, Vek32s, Vek32sc, Vek32f, Vek32fc, Vek64s, Vek64sc, Vek64f, Vek64fc>;
TYPED_TEST_SUITE(MovementTyped, MovementTypes);

TYPED_TEST(MovementTyped, SetZeroCopyMoveAfterChecksAndOnOverlap) {
    using T = TypeParam;
    sp::expect_checks_all({}, Mov<T>::set, Mov<T>::zero, Mov<T>::copy, Mov<T>::move);
    for (int len : {1, 2, 7, 8, 9, 31, 33, 100, 1027}) {
        std::vector<T> src(len);
        for (int i = 0; i < len; ++i) src[i] = pattern<T>(i);
        const T val = pattern<T>(77);
        vt::Guarded<T> d(len), z(len);
        ASSERT_EQ(Mov<T>::set(val, d.data(), len), vekStsOk);
        ASSERT_EQ(Mov<T>::zero(z.data(), len), vekStsOk);
        for (int i = 0; i < len; ++i) ASSERT_TRUE(vt::same_bits(d[i], val) && vt::same_bits(z[i], T{}));
        EXPECT_TRUE(d.guard_intact() && z.guard_intact());
        for (auto fn : {Mov<T>::copy, Mov<T>::move}) {
            d.reset();
            ASSERT_EQ(fn(src.data(), d.data(), len), vekStsOk);
            EXPECT_EQ(std::memcmp(d.data(), src.data(), len * sizeof(T)), 0);
            EXPECT_TRUE(d.guard_intact());
        }
    }
    expect_offset_independent<T>([](const T*, T* d, int n) { Mov<T>::set(pattern<T>(5), d, n); });
    // Move is correct for every overlap; Copy walks bytes upward, so a
    // destination above the source repeats the leading bytes.
    const int n = 40;
    for (int shift : {-13, -3, -1, 0, 1, 3, 13}) {
        std::vector<T> buf(n + 30);
        for (std::size_t i = 0; i < buf.size(); ++i) buf[i] = pattern<T>(i);
        const std::vector<T> orig = buf;
        const int from = 15, to = from + shift;
        ASSERT_EQ(Mov<T>::move(buf.data() + from, buf.data() + to, n), vekStsOk);
        EXPECT_EQ(std::memcmp(buf.data() + to, orig.data() + from, n * sizeof(T)), 0) << shift;
        buf = orig;
        ASSERT_EQ(Mov<T>::copy(buf.data() + from, buf.data() + to, n), vekStsOk);
        std::vector<unsigned char> want(reinterpret_cast<const unsigned char*>(orig.data()),
                                         reinterpret_cast<const unsigned char*>(orig.data() + orig.size()));
        const std::size_t s = from * sizeof(T), d = to * sizeof(T);
        for (std::size_t k = 0; k < n * sizeof(T); ++k) want[d + k] = want[s + k]; // ascending bytes
        EXPECT_EQ(std::memcmp(buf.data(), want.data(), want.size()), 0) << shift;
    }
}

// Members that only move bytes: byte k of the result is byte from(k) of the
// source (`bytes` of them), in and out of place, at odd byte offsets.
template <class T, class From>
void check_moves(VekStatus (*fn)(const T*, T*, int), VekStatus (*fi)(T*, int), int len, int bytes, From from) {
    std::vector<T> src(bytes / sizeof(T));
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = pattern<T>(i);
    vt::Guarded<T> d(src.size());
    std::vector<T> inplace = src;
    ASSERT_EQ(fn(src.data(), d.data(), len), vekStsOk);
    ASSERT_EQ(fi(inplace.data(), len), vekStsOk);
    const auto* s8 = reinterpret_cast<const unsigned char*>(src.data());
    const auto* d8 = reinterpret_cast<const unsigned char*>(d.data());
    const auto* i8 = reinterpret_cast<const unsigned char*>(inplace.data());
    for (int k = 0; k < bytes; ++k) ASSERT_TRUE(d8[k] == s8[from(k)] && i8[k] == s8[from(k)]) << "len " << len << " byte " << k;
    EXPECT_TRUE(d.guard_intact());
    const int n = int(src.size());
    expect_offset_independent<T>([&](const T* s, T* o, int) { fn(s, o, len); }, n);
    expect_offset_independent<T>([&](const T* s, T* o, int) {
        std::memcpy(o, s, sizeof(T) * n);
        fi(o, len);
    }, n);
    sp::expect_checks_all({}, fn, fi);
}

template <class T> void check_flip(VekStatus (*fn)(const T*, T*, int), VekStatus (*fi)(T*, int)) {
    const int w = sizeof(T);
    for (int len : {1, 2, 3, 8, 17, 64}) check_moves(fn, fi, len, len * w, [&](int k) { return (len - 1 - k / w) * w + k % w; });
}
template <class T> void check_swap(VekStatus (*fn)(const T*, T*, int), VekStatus (*fi)(T*, int), int w) {
    check_moves(fn, fi, 19, 19 * w, [w](int k) { return k / w * w + w - 1 - k % w; }); // 24u packs into a byte array
}

// Bit 0 of a byte is its most significant.
void ref_copy_bits(const Vek8u* s, int so, Vek8u* d, int dof, int len) {
    for (int k = 0; k < len; ++k) {
        const int sp = (so & 7) + k, dp = (dof & 7) + k;
        const int bit = (s[sp / 8] >> (7 - sp % 8)) & 1;
        d[dp / 8] = static_cast<Vek8u>((d[dp / 8] & ~(0x80 >> (dp % 8))) | (bit << (7 - dp % 8)));
    }
}

TEST(Movement, FlipSwapBytesAndBitCopyAgainstReferences) {
    check_flip(veksFlip_8u, veksFlip_8u_I);
    check_flip(veksFlip_16u, veksFlip_16u_I);
    check_flip(veksFlip_32f, veksFlip_32f_I);
    check_flip(veksFlip_64f, veksFlip_64f_I);
    check_flip(veksFlip_32fc, veksFlip_32fc_I);
    check_flip(veksFlip_64fc, veksFlip_64fc_I);
    check_swap(veksSwapBytes_16u, veksSwapBytes_16u_I, 2);
    check_swap(veksSwapBytes_24u, veksSwapBytes_24u_I, 3);
    check_swap(veksSwapBytes_32u, veksSwapBytes_32u_I, 4);
    check_swap(veksSwapBytes_64u, veksSwapBytes_64u_I, 8);
    vt::Rng rng(7);
    std::vector<Vek8u> src(40);
    for (auto& b : src) b = rng.any<Vek8u>();
    for (int so = 0; so < 16; ++so)
        for (int dof = 0; dof < 16; ++dof)
            for (int len : {1, 2, 7, 8, 9, 15, 16, 17, 100, 250}) {
                std::vector<Vek8u> got(40, 0x5A), want(40, 0x5A);
                ASSERT_EQ(veksCopy_1u(src.data(), so, got.data(), dof, len), vekStsOk);
                ref_copy_bits(src.data(), so, want.data(), dof, len);
                ASSERT_EQ(got, want) << so << " " << dof << " " << len;
            }
    for (int offset : {0, -1}) // a null pointer before bad offsets
        sp::expect_checks(veksCopy_1u, {sp::Order::PtrsThenLen, {}, 4, offset, 0, offset ? vekStsBadLength : vekStsOk});
    vt::Guarded<Vek8u> d(1);
    EXPECT_EQ(veksCopy_1u(src.data(), -1, d.data(), 0, 1), vekStsBadLength);
    EXPECT_EQ(veksCopy_1u(src.data(), 0, d.data(), -1, 1), vekStsBadLength);
    EXPECT_TRUE(d.intact());
}

TEST(Join, InterleavesWithHalfEvenRoundingAfterChecks) {
    const Vek32f c0[] = {0.5f, 1.5f, -0.5f, 2.5f, 32767.5f, -32768.5f, std::nanf(""), 0.49999997f};
    const Vek32f c1[] = {-2.5f, 40000.0f, -1.5f, -3.5f, -1e30f, 1e30f, -0.0f, 3.4999998f};
    const Vek32f* ch[] = {c0, c1};
    vt::Guarded<Vek16s> d(16);
    ASSERT_EQ(veksJoin_32f16s_D2L(ch, 2, 8, d.data()), vekStsOk);
    const Vek16s want[] = {0, -2, 2, 32767, 0, -2, 2, -4, 32767, -32768, -32768, 32767, 0, 0, 0, 3};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(d[i], want[i]) << i;
    EXPECT_TRUE(d.guard_intact());
    // Everything is checked before anything is written.
    const Vek32f* good[] = {c0, c1, c0};
    const Vek32f* bad[] = {c0, c1, nullptr};
    d.reset();
    EXPECT_EQ(veksJoin_32f16s_D2L(good, 3, 0, nullptr), vekStsNullPtr);
    EXPECT_EQ(veksJoin_32f16s_D2L(nullptr, 0, 2, d.data()), vekStsBadLength);
    EXPECT_EQ(veksJoin_32f16s_D2L(good, 3, -1, d.data()), vekStsBadLength);
    EXPECT_EQ(veksJoin_32f16s_D2L(nullptr, 3, 2, d.data()), vekStsNullPtr);
    EXPECT_EQ(veksJoin_32f16s_D2L(bad, 3, 2, d.data()), vekStsNullPtr);
    EXPECT_TRUE(d.intact());
}

// Fills that stream, at every start within a 16-byte line; the byte past the end survives.
template <class T, class Set>
void expect_large_fill(T val, Set set) {
    const int n = (17 << 20) / static_cast<int>(sizeof(T)) + 3;
    std::vector<unsigned char> raw(n * sizeof(T) + 64, vt::kSentinelByte);
    for (int offset : {0, 1, 2, 3, 6, 15}) {
        auto* dst = reinterpret_cast<T*>(raw.data() + offset);
        ASSERT_EQ(set(val, dst, n), vekStsOk);
        for (int i = 0; i < n; ++i) {
            T got;
            std::memcpy(&got, raw.data() + offset + std::size_t(i) * sizeof(T), sizeof(T));
            ASSERT_TRUE(vt::same_bits(got, val)) << "offset " << offset << " element " << i;
        }
        ASSERT_EQ(raw[offset + std::size_t(n) * sizeof(T)], vt::kSentinelByte) << offset;
        std::fill(raw.begin(), raw.end(), vt::kSentinelByte);
    }
}

TEST(Movement, SetKeepsBitsAndFillsLargeVectorsAtAnyAddress) {
    expect_large_fill<Vek32f>(-0.0f, veksSet_32f); // not a zero fill
    expect_large_fill<Vek16s>(static_cast<Vek16s>(0x1234), veksSet_16s);
    expect_large_fill<Vek64s>(0x0102030401020304LL, veksSet_64s);
}

} // namespace
