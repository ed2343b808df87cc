#include "core_test_util.h"

namespace {

// One row per logic type: each operation with its reference.
template <class T> struct LogicRow {
    const char* name;
    VekStatus (*vv)(const T*, const T*, T*, int);
    VekStatus (*vvi)(const T*, T*, int);
    VekStatus (*vc)(const T*, T, T*, int);
    VekStatus (*vci)(T, T*, int);
    T (*ref)(T, T);
};
template <class T> std::vector<LogicRow<T>> logic_rows();
#define LOGIC_ROWS(s)                                                                                       \
    template <> std::vector<LogicRow<Vek##s>> logic_rows() {                                              \
        return {{"And", veksAnd_##s, veksAnd_##s##_I, veksAndC_##s, veksAndC_##s##_I, [](Vek##s a, Vek##s b) { return Vek##s(a & b); }}, \
                {"Or", veksOr_##s, veksOr_##s##_I, veksOrC_##s, veksOrC_##s##_I, [](Vek##s a, Vek##s b) { return Vek##s(a | b); }},     \
                {"Xor", veksXor_##s, veksXor_##s##_I, veksXorC_##s, veksXorC_##s##_I, [](Vek##s a, Vek##s b) { return Vek##s(a ^ b); }}}; \
    }
LOGIC_ROWS(8u) LOGIC_ROWS(16u) LOGIC_ROWS(32u)
#undef LOGIC_ROWS

template <class T> struct NotFns;
#define NOT_ROW(s) template <> struct NotFns<Vek##s> { static constexpr auto f = veksNot_##s; static constexpr auto fi = veksNot_##s##_I; };
NOT_ROW(8u) NOT_ROW(16u) NOT_ROW(32u)
#undef NOT_ROW

template <class T> class LogicTyped : public ::testing::Test {};
using LogicTypes = ::testing::Types<Vek8u, Vek16u, Vek32u>;
TYPED_TEST_SUITE(LogicTyped, LogicTypes);

// A zero constant takes a shortcut (zeros for And, a copy otherwise) that
// still checks every pointer first.
TYPED_TEST(LogicTyped, EveryOperationMatchesReferenceAfterChecks) {
    using T = TypeParam;
    vt::Rng rng(7);
    for (int len : {1, 3, 15, 16, 17, 64, 129}) {
        std::vector<T> a(len), b(len);
        for (auto& v : a) v = rng.any<T>();
        for (auto& v : b) v = rng.any<T>();
        for (const T c : {T(0), T(rng.any<T>() | 1)}) {
            for (const auto& row : logic_rows<T>()) {
                vt::Guarded<T> d(len), dc(len);
                ASSERT_EQ(row.vv(a.data(), b.data(), d.data(), len), vekStsOk);
                ASSERT_EQ(row.vc(a.data(), c, dc.data(), len), vekStsOk);
                std::vector<T> ip = b, ipc = a;
                ASSERT_EQ(row.vvi(a.data(), ip.data(), len), vekStsOk);
                ASSERT_EQ(row.vci(c, ipc.data(), len), vekStsOk);
                for (int i = 0; i < len; ++i) {
                    ASSERT_EQ(d[i], row.ref(a[i], b[i])) << row.name;
                    ASSERT_EQ(ip[i], row.ref(b[i], a[i])) << row.name;
                    ASSERT_EQ(dc[i], row.ref(a[i], c)) << row.name;
                    ASSERT_EQ(ipc[i], row.ref(a[i], c)) << row.name;
                }
                EXPECT_TRUE(d.guard_intact() && dc.guard_intact());
            }
        }
        for (const auto& row : logic_rows<T>()) { // destination one above the source: ascending, element by element
            std::vector<T> v = b, w = b, vc = a, wc = a;
            row.vv(a.data(), v.data(), v.data() + 1, len - 1);
            row.vc(vc.data(), a[0], vc.data() + 1, len - 1);
            for (int i = 0; i + 1 < len; ++i) {
                row.vv(a.data() + i, w.data() + i, w.data() + i + 1, 1);
                row.vc(wc.data() + i, a[0], wc.data() + i + 1, 1);
            }
            ASSERT_TRUE(v == w && vc == wc) << row.name;
        }
        vt::Guarded<T> d(len);
        std::vector<T> ip = a;
        ASSERT_EQ(NotFns<T>::f(a.data(), d.data(), len), vekStsOk);
        ASSERT_EQ(NotFns<T>::fi(ip.data(), len), vekStsOk);
        for (int i = 0; i < len; ++i) ASSERT_TRUE(d[i] == T(~a[i]) && ip[i] == T(~a[i]));
    }
    for (const auto& row : logic_rows<T>())
        for (int c : {0, 5}) sp::expect_checks_all({sp::Order::PtrsThenLen, {}, -1, 0, double(c)}, row.vv, row.vvi, row.vc, row.vci);
    sp::expect_checks_all({}, NotFns<T>::f, NotFns<T>::fi);
}

template <class T> struct ShiftRow {
    VekStatus (*l)(const T*, int, T*, int);
    VekStatus (*li)(int, T*, int);
    VekStatus (*r)(const T*, int, T*, int);
    VekStatus (*ri)(int, T*, int);
};
template <class T> ShiftRow<T> shift_row();
#define SHIFT_ROW(s) \
    template <> ShiftRow<Vek##s> shift_row() { return {veksLShiftC_##s, veksLShiftC_##s##_I, veksRShiftC_##s, veksRShiftC_##s##_I}; }
SHIFT_ROW(8u) SHIFT_ROW(16u) SHIFT_ROW(16s) SHIFT_ROW(32s)
#undef SHIFT_ROW

// Left shift of the raw bits modulo 2^width; right shift as floor(x / 2^count).
template <class T> T ref_lshift(T x, int c) {
    return c >= int(sizeof(T) * 8) ? T(0) : static_cast<T>(std::uint64_t(std::make_unsigned_t<T>(x)) << c);
}
template <class T> T ref_rshift(T x, int c) {
    return static_cast<T>(std::floor(static_cast<long double>(x) / std::ldexp(1.0L, c > 60 ? 60 : c)));
}

template <class T> class ShiftTyped : public ::testing::Test {};
using ShiftTypes = ::testing::Types<Vek8u, Vek16u, Vek16s, Vek32s>;
TYPED_TEST_SUITE(ShiftTyped, ShiftTypes);

TYPED_TEST(ShiftTyped, EveryCountMatchesReferenceAfterChecks) {
    using T = TypeParam;
    const auto row = shift_row<T>();
    for (int c : {-1, -5, -2147483647 - 1, 0, 3}) {
        const VekStatus then = c < 0 ? vekStsBadShift : vekStsOk;
        sp::expect_checks_all({sp::Order::PtrsThenLen, {}, 3, c, 0, then}, row.l, row.r);
        sp::expect_checks_all({sp::Order::PtrsThenLen, {}, 2, c, 0, then}, row.li, row.ri);
    }
    // Every value (random ones for 32 bits), then a tail shorter than the vector blocks.
    vt::Rng rng(3);
    std::vector<T> src;
    if (sizeof(T) <= 2) {
        for (std::int64_t v = std::numeric_limits<T>::min(); v <= std::numeric_limits<T>::max(); ++v) src.push_back(T(v));
    } else {
        for (int i = 0; i < 4000; ++i) src.push_back(rng.any<T>());
        for (T v : {T(0), T(1), T(-1), std::numeric_limits<T>::min(), std::numeric_limits<T>::max()}) src.push_back(v);
    }
    for (int i = 0; i < 37; ++i) src.push_back(rng.any<T>());
    const int n = int(src.size()), w = int(sizeof(T) * 8);
    for (int c : {0, 1, 2, 3, w / 2, w - 2, w - 1, w, w + 1, 40, 2147483647}) {
        vt::Guarded<T> l(n), r(n);
        std::vector<T> li = src, ri = src;
        ASSERT_EQ(row.l(src.data(), c, l.data(), n), vekStsOk);
        ASSERT_EQ(row.r(src.data(), c, r.data(), n), vekStsOk);
        ASSERT_EQ(row.li(c, li.data(), n), vekStsOk);
        ASSERT_EQ(row.ri(c, ri.data(), n), vekStsOk);
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(l[i], ref_lshift(src[i], c)) << +src[i] << " << " << c;
            ASSERT_EQ(r[i], ref_rshift(src[i], c)) << +src[i] << " >> " << c;
            ASSERT_TRUE(li[i] == l[i] && ri[i] == r[i]);
        }
        EXPECT_TRUE(l.guard_intact() && r.guard_intact());
    }
    // Destination one element above the source: each result feeds the next.
    std::vector<T> buf(src.begin(), src.begin() + 41), want = buf;
    for (int i = 0; i < 40; ++i) want[i + 1] = ref_rshift(want[i], 1);
    ASSERT_EQ(row.r(buf.data(), 1, buf.data() + 1, 40), vekStsOk);
    EXPECT_EQ(buf, want);
}

} // namespace
