// Fills large enough to take the streaming path, at every start address
// within a 16-byte line, with the bytes just past the end untouched.
#include "core_test_util.h"

namespace {

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

TEST(Movement, LargeFillsAtAnyAddress) {
    expect_large_fill<Vek32f>(1.5f, veksSet_32f);
    expect_large_fill<Vek16s>(static_cast<Vek16s>(0x1234), veksSet_16s);
    expect_large_fill<Vek64s>(0x0102030401020304LL, veksSet_64s);
}

} // namespace
