// Float FFTs of every kind against long double references, for every order,
// flag, direction, placement and real layout; work buffers.
#include <algorithm>

#include "float_kinds.h"

namespace {

using dftt::cld;
using dftt::Kind;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kMaxRefOrder = 16;
#else
constexpr int kMaxRefOrder = 20;
#endif

TEST(FftFloat, EveryKindFlagDirectionPlacementAndLayout) {
    for (int order = 0; order <= kMaxRefOrder; ++order)
        for (const Kind& k : dftt::fft_kinds())
            for (int flag : fftt::kFlags) {
                const dftt::Spec spec(k, 1 << order, flag);
                ASSERT_EQ(spec.status(), vekStsOk) << k.name << " order " << order;
                for (int v = 0; v < (k.real ? 12 : 4) && !(k.real && order > 17); ++v)
                    dftt::check_spec(k, spec, 1 << order, flag, v % 2, v / 2 % 2, v / 4, (order + v) % 2, false);
            }
}

// A caller buffer at any alignment gives the same result as an internal one.
TEST(FftFloat, WorkBufferAlignmentAndAllocation) {
    for (const Kind& k : dftt::fft_kinds()) {
        for (int order : {12, 13, 15}) {
            const int n = 1 << order;
            dftt::Spec spec(k, n, vekFftNormSqrt);
            const int size = spec.buf_size();
            EXPECT_TRUE(order < 13 || k.real || size > 0) << k.name << " " << order;
            const auto x = dftt::random_signal(n, k.real, 5);
            const auto own = k.run(spec.get(), x, n, false, false, 1, nullptr, 0);
            for (int skew : {0, 4, 31}) {
                vt::Guarded<Vek8u> buf(size + skew + 1, 64);
                const auto given = k.run(spec.get(), x, n, false, false, 1, buf.data() + skew, 0);
                EXPECT_TRUE(std::equal(own.begin(), own.end(), given.begin())) << k.name << " " << order;
                EXPECT_TRUE(buf.guard_intact());
            }
        }
    }
}

} // namespace
