// Scaled interleaving: channel counts around the stereo block path, values
// at the saturation edges and half-way points, and the check order.
#include "convert_test_util.h"

namespace {

// v * (max + 0.5) - 0.5 with v clamped to [-1, 1] (NaN as 0), rounded to
// even: step by step in single precision for 16 bits, exactly for 24.
long long reference_join(float v, bool wide) {
    v = std::isnan(v) ? 0.0f : std::clamp(v, -1.0f, 1.0f);
    if (wide) return static_cast<long long>(std::nearbyint(static_cast<long double>(v) * 8388607.5L - 0.5L));
    volatile float p = v * 32767.5f;
    volatile float y = p - 0.5f;
    return static_cast<long long>(std::nearbyint(static_cast<long double>(y)));
}

std::vector<float> unit_sweep(vt::Rng& rng, int n) {
    std::vector<float> v;
    for (int i = 0; i < n; ++i) {
        switch (i % 4) {
        case 0: v.push_back(float(rng.real(-1.2, 1.2))); break;
        case 1: v.push_back(float((rng.integer(-32768, 32767) + 0.5) / 32767.5)); break; // half-way for 16 bits
        case 2: v.push_back(float((rng.integer(-8388608, 8388607) + 0.5) / 8388607.5)); break;
        default: v.push_back(std::nextafter(1.0f, float(rng.integer(0, 1) ? 2 : 0)) * (rng.integer(0, 1) ? 1 : -1)); break;
        }
    }
    const float specials[] = {1.0f, -1.0f, 0.0f, -0.0f, 2.0f, -2.0f, INFINITY, -INFINITY, NAN, 1e-30f};
    for (int i = 0; i < 10 && i < n; ++i) v[rng.integer(0, n - 1)] = specials[i];
    return v;
}

// Join rounds in the stated precision; split of the result is exact
// arithmetic in the stated precision.
TEST(JoinSplitScaled, EveryChannelCountAgainstReference) {
    vt::Rng rng(31);
    const float a = 0x1.0001p-15f, b = 0x1.0001p-16f; // the single-precision 1/32767.5 and 0.5/32767.5
    for (int channels : {1, 2, 3, 5}) {
        for (int len : {1, 7, 8, 9, 31, 1000}) {
            std::vector<std::vector<float>> ch, back16(channels, std::vector<float>(len)), back24 = back16;
            std::vector<const Vek32f*> ptrs;
            std::vector<Vek32f*> out16, out24;
            for (int c = 0; c < channels; ++c) {
                ch.push_back(unit_sweep(rng, len));
                ptrs.push_back(ch[c].data());
                out16.push_back(back16[c].data());
                out24.push_back(back24[c].data());
            }
            vt::Guarded<Vek16s> d16(std::size_t(len) * channels);
            vt::Guarded<Vek8u> d24(std::size_t(len) * channels * 3);
            ASSERT_EQ(veksJoinScaled_32f16s_D2L(ptrs.data(), channels, len, d16.data()), vekStsOk);
            ASSERT_EQ(veksJoinScaled_32f24s_D2L(ptrs.data(), channels, len, d24.data()), vekStsOk);
            EXPECT_TRUE(d16.guard_intact() && d24.guard_intact());
            ASSERT_EQ(veksSplitScaled_16s32f_D2L(d16.data(), channels, out16.data(), len), vekStsOk);
            ASSERT_EQ(veksSplitScaled_24s32f_D2L(d24.data(), channels, out24.data(), len), vekStsOk);
            for (int k = 0; k < len; ++k)
                for (int c = 0; c < channels; ++c) {
                    const std::size_t at = std::size_t(k) * channels + c;
                    const Vek32s x24 = ct::get24s(d24.data() + 3 * at);
                    ASSERT_EQ(d16[at], reference_join(ch[c][k], false)) << ch[c][k] << " channels " << channels;
                    ASSERT_EQ(x24, reference_join(ch[c][k], true)) << ch[c][k];
                    volatile float p = float(d16[at]) * a;
                    ASSERT_EQ(back16[c][k], p + b) << d16[at];
                    ASSERT_EQ(back24[c][k], static_cast<float>(x24 * (1.0 / 8388607.5) + 0.5 / 8388607.5)) << x24;
                }
        }
    }
}

// Flat buffer, counts, the array, each channel; nothing is written.
TEST(JoinSplitScaled, CheckOrderWritesNothing) {
    vt::Guarded<Vek32f> c0(8), c1(8);
    Vek32f* good[] = {c0.data(), c1.data()};
    Vek32f* bad[] = {c0.data(), nullptr};
    vt::Guarded<Vek16s> d16(16);
    vt::Guarded<Vek8u> d24(48);
    struct Probe { const char* what; int nch, len; bool null_flat, null_array, null_channel; VekStatus want; };
    const Probe probes[] = {
        {"flat null beats bad counts", 0, 0, true, true, true, vekStsNullPtr},
        {"counts beat a null array", 0, 8, false, true, false, vekStsBadLength},
        {"length below 1", 2, -1, false, false, true, vekStsBadLength},
        {"null array", 2, 8, false, true, false, vekStsNullPtr},
        {"null last channel", 2, 8, false, false, true, vekStsNullPtr},
    };
    for (const Probe& p : probes) {
        Vek32f* const* channels = p.null_array ? nullptr : (p.null_channel ? bad : good);
        EXPECT_EQ(veksJoinScaled_32f16s_D2L(channels, p.nch, p.len, p.null_flat ? nullptr : d16.data()), p.want) << p.what;
        EXPECT_EQ(veksJoinScaled_32f24s_D2L(channels, p.nch, p.len, p.null_flat ? nullptr : d24.data()), p.want) << p.what;
        EXPECT_EQ(veksSplitScaled_16s32f_D2L(p.null_flat ? nullptr : d16.data(), p.nch, channels, p.len), p.want) << p.what;
        EXPECT_EQ(veksSplitScaled_24s32f_D2L(p.null_flat ? nullptr : d24.data(), p.nch, channels, p.len), p.want) << p.what;
        EXPECT_TRUE(d16.intact() && d24.intact() && c0.intact()) << p.what;
    }
}

} // namespace
