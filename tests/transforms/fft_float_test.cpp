// Float FFTs of every kind against long double references, for every order,
// flag, direction, placement and real layout, at odd byte addresses and
// with caller work buffers in turn.
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
                    dftt::check_spec(k, spec, 1 << order, flag, v % 2, v / 2 % 2, v / 4, (order + v) % 2, v % 3 == 0);
            }
}

} // namespace
