// G.711: every code through both expanders, every 16-bit sample through
// both compressors (against step-by-step encoders and against the codec's
// quantisation properties), every code through the transcoding tables.
#include <algorithm>
#include <cmath>

#include "convert_test_util.h"

namespace {

// Straight transcriptions of the codec steps, one sample at a time.
int alaw_expand(int code) {
    const int b = code ^ 0x55, seg = (b >> 4) & 7;
    int t = (b & 15) << 4;
    t = seg == 0 ? t + 8 : seg == 1 ? t + 0x108 : (t + 0x108) << (seg - 1);
    return (b & 0x80) ? t : -t;
}
int mulaw_expand(int code) {
    const int b = ~code & 0xFF;
    const int t = (((b & 15) << 3) + 0x84) << ((b >> 4) & 7);
    return (b & 0x80) ? 0x84 - t : t - 0x84;
}
int alaw_compress(int x) {
    int p = x >> 3, mask = 0xD5;
    if (p < 0) mask = 0x55, p = -p - 1;
    const int stored_end[8] = {0x00FF, 0x01FF, 0x03FF, 0x07FF, 0x0FFF, 0x1FFF, 0x3FFF, 0x7FFF};
    int seg = 0;
    while (seg < 8 && p > (stored_end[seg] >> 3)) ++seg;
    return ((seg << 4) | ((seg < 2 ? p >> 1 : p >> seg) & 15)) ^ mask;
}
int mulaw_compress(int x) {
    int a = std::min((x >= 0 ? x >> 2 : (~x) >> 2) + 33, 8191);
    int bitlen = 0;
    while ((a >> 6) >> bitlen) ++bitlen;
    const int seg = 1 + bitlen;
    const int code = ((8 - seg) << 4) | (15 - ((a >> seg) & 15));
    return x >= 0 ? code | 0x80 : code;
}

std::vector<Vek8u> every_code() {
    std::vector<Vek8u> c(256);
    for (int i = 0; i < 256; ++i) c[i] = Vek8u(i);
    return c;
}
std::vector<Vek16s> every_sample() {
    std::vector<Vek16s> s(65536);
    for (int i = 0; i < 65536; ++i) s[i] = Vek16s(i - 32768);
    return s;
}

TEST(G711, ExpandEveryCode) {
    const auto codes = every_code();
    ct::expect_each<Vek16s>(veksALawToLin_8u16s, codes, alaw_expand);
    ct::expect_each<Vek16s>(veksMuLawToLin_8u16s, codes, mulaw_expand);
    ct::expect_each<Vek32f>(veksALawToLin_8u32f, codes, [](int c) { return alaw_expand(c) * 0x1p-15f; });
    ct::expect_each<Vek32f>(veksMuLawToLin_8u32f, codes, [](int c) { return mulaw_expand(c) * 0x1p-15f; });
}

// Every sample, and back: the decoded level never decreases with the
// sample and lies within half a quantisation step (about 1/32 of the
// magnitude) of it; every code survives decoding and encoding again.
TEST(G711, CompressEverySampleAndBack) {
    const auto s = every_sample();
    ct::expect_each<Vek8u>(veksLinToALaw_16s8u, s, alaw_compress);
    ct::expect_each<Vek8u>(veksLinToMuLaw_16s8u, s, mulaw_compress);
    int prev_a = -40000, prev_m = -40000;
    for (const int x : s) {
        const int da = alaw_expand(alaw_compress(x)), dm = mulaw_expand(mulaw_compress(x));
        ASSERT_GE(da, prev_a);
        ASSERT_GE(dm, prev_m);
        prev_a = da, prev_m = dm;
        ASSERT_LE(std::abs(da - x), (std::abs(x) + 8) / 32 + 8) << x;
        ASSERT_LE(std::abs(dm - x), std::abs(x) <= 32124 ? (std::abs(x) + 132) / 32 + 1 : 700) << x;
    }
    std::vector<Vek16s> levels;
    for (int c = 0; c < 256; ++c) levels.push_back(Vek16s(alaw_expand(c)));
    ct::expect_each<Vek8u>(veksLinToALaw_16s8u, levels, alaw_compress);
    for (int c = 0; c < 256; ++c) ASSERT_EQ(alaw_compress(levels[c]), c);
    for (int c = 0; c < 256; ++c) levels[c] = Vek16s(mulaw_expand(c));
    ct::expect_each<Vek8u>(veksLinToMuLaw_16s8u, levels, mulaw_compress);
    for (int c = 0; c < 256; ++c) ASSERT_EQ(mulaw_compress(levels[c]), c == 0x7F ? 0xFF : c); // two codes for 0
}

// Float input: x * 32768 saturated and rounded half away from zero, then the
// 16-bit encoder; the mu-law sign comes from the float.
TEST(G711, CompressFloatSamples) {
    vt::Rng rng(17);
    std::vector<float> x;
    for (int i = -32770; i <= 32770; ++i) {
        x.push_back(i / 32768.0f);
        x.push_back((i + 0.5f) / 32768.0f);
    }
    for (int i = 0; i < 20000; ++i) x.push_back(float(rng.real(-1.5, 1.5)));
    for (float s : {0.0f, -0.0f, -1e-7f, 1e-7f, 2.0f, -2.0f, INFINITY, -INFINITY, NAN, -NAN, 0x1.fffffep-17f, -0x1.fffffep-17f})
        x.push_back(s);
    const auto sample = [](float f) {
        const long double v = static_cast<long double>(f) * 32768;
        return std::isnan(v) ? 0 : static_cast<int>(std::clamp(std::round(v), -32768.0L, 32767.0L));
    };
    ct::expect_each<Vek8u>(veksLinToALaw_32f8u, x, [&](float f) { return alaw_compress(sample(f)); });
    ct::expect_each<Vek8u>(veksLinToMuLaw_32f8u, x, [&](float f) { return (mulaw_compress(sample(f)) & 0x7F) | (f >= 0 ? 0x80 : 0); });
}

TEST(G711, Transcoding) {
    const auto codes = every_code();
    Vek8u am[256], ma[256];
    ASSERT_EQ(veksALawToMuLaw_8u(codes.data(), am, 256), vekStsOk);
    ASSERT_EQ(veksMuLawToALaw_8u(codes.data(), ma, 256), vekStsOk);
    for (int c = 0; c < 128; ++c) {
        EXPECT_EQ(am[c + 128], am[c] | 0x80);
        EXPECT_EQ(ma[c + 128], ma[c] | 0x80);
    }
    for (int c = 0; c < 256; ++c) {
        // Transcoding keeps the sign and stays close to the level.
        const int la = alaw_expand(c), lm = mulaw_expand(am[c]);
        EXPECT_EQ(la > 0, lm > 0) << c;
        EXPECT_LE(std::abs(la - lm), std::abs(la) / 8 + 16) << c;
        const int lm2 = mulaw_expand(c), la2 = alaw_expand(ma[c]);
        EXPECT_LE(std::abs(la2 - lm2), std::abs(lm2) / 8 + 16) << c;
    }
    // Corners of the fixed tables.
    EXPECT_EQ(am[0x00], 0x2A);
    EXPECT_EQ(am[0x6A], 0x3F);
    EXPECT_EQ(am[0x7F], 0x51);
    EXPECT_EQ(ma[0x2F], 0x1A);
    EXPECT_EQ(ma[0x7F], 0x55);
    EXPECT_EQ(ma[0xFF], 0xD5);
}

} // namespace
