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
    Vek16s a[256], m[256];
    Vek32f af[256], mf[256];
    ASSERT_EQ(veksALawToLin_8u16s(codes.data(), a, 256), vekStsOk);
    ASSERT_EQ(veksMuLawToLin_8u16s(codes.data(), m, 256), vekStsOk);
    ASSERT_EQ(veksALawToLin_8u32f(codes.data(), af, 256), vekStsOk);
    ASSERT_EQ(veksMuLawToLin_8u32f(codes.data(), mf, 256), vekStsOk);
    for (int c = 0; c < 256; ++c) {
        ASSERT_EQ(a[c], alaw_expand(c)) << c;
        ASSERT_EQ(m[c], mulaw_expand(c)) << c;
        ASSERT_EQ(af[c], a[c] * 3.0517578125e-05f) << c;
        ASSERT_EQ(mf[c], m[c] * 3.0517578125e-05f) << c;
        ASSERT_EQ(a[c ^ 0x80], -a[c]) << c; // the sign bit is the only difference
        ASSERT_EQ(m[c ^ 0x80], -m[c]) << c;
    }
}

TEST(G711, CompressEverySample) {
    const auto s = every_sample();
    vt::Guarded<Vek8u> a(65536), m(65536);
    ASSERT_EQ(veksLinToALaw_16s8u(s.data(), a.data(), 65536), vekStsOk);
    ASSERT_EQ(veksLinToMuLaw_16s8u(s.data(), m.data(), 65536), vekStsOk);
    EXPECT_TRUE(a.guard_intact() && m.guard_intact());
    int prev_a = -40000, prev_m = -40000;
    for (int i = 0; i < 65536; ++i) {
        const int x = s[i];
        ASSERT_EQ(a[i], alaw_compress(x)) << x;
        ASSERT_EQ(m[i], mulaw_compress(x)) << x;
        // Decoding gives a level that never decreases with x and lies
        // within half a quantisation step (about 1/32 of the magnitude).
        const int da = alaw_expand(a[i]), dm = mulaw_expand(m[i]);
        ASSERT_GE(da, prev_a);
        ASSERT_GE(dm, prev_m);
        prev_a = da, prev_m = dm;
        ASSERT_LE(std::abs(da - x), std::max(8, (std::abs(x) + 8) / 32 + 8)) << x;
        if (std::abs(x) <= 32124) {
            ASSERT_LE(std::abs(dm - x), (std::abs(x) + 132) / 32 + 1) << x;
        }
    }
}

TEST(G711, EveryCodeSurvivesExpandThenCompress) {
    const auto codes = every_code();
    Vek16s a[256], m[256];
    Vek8u a2[256], m2[256];
    veksALawToLin_8u16s(codes.data(), a, 256);
    veksMuLawToLin_8u16s(codes.data(), m, 256);
    veksLinToALaw_16s8u(a, a2, 256);
    veksLinToMuLaw_16s8u(m, m2, 256);
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(a2[c], c);
        EXPECT_EQ(m2[c], c == 0x7F ? 0xFF : c); // both zero codes decode to 0
    }
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
    std::vector<Vek8u> a(x.size()), m(x.size());
    ASSERT_EQ(veksLinToALaw_32f8u(x.data(), a.data(), int(x.size())), vekStsOk);
    ASSERT_EQ(veksLinToMuLaw_32f8u(x.data(), m.data(), int(x.size())), vekStsOk);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const long double v = static_cast<long double>(x[i]) * 32768;
        const int sample = std::isnan(v) ? 0 : static_cast<int>(std::clamp(std::round(v), -32768.0L, 32767.0L));
        ASSERT_EQ(a[i], alaw_compress(sample)) << x[i];
        ASSERT_EQ(m[i], (mulaw_compress(sample) & 0x7F) | (x[i] >= 0 ? 0x80 : 0)) << x[i];
    }
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
