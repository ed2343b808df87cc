// G.711: every code expanded, every sample compressed against step-by-step
// codecs, every entry of the fixed transcoding tables.
#include <string>

#include "convert_test_util.h"

namespace {

// Straight transcriptions of the codec steps, one sample at a time.
int alaw_expand(int code) {
    const int b = code ^ 0x55, seg = (b >> 4) & 7, t = ((b & 15) << 4) + (seg == 0 ? 8 : 0x108);
    return (b & 0x80) ? t << std::max(seg - 1, 0) : -(t << std::max(seg - 1, 0));
}
int mulaw_expand(int code) {
    const int b = ~code & 0xFF;
    const int t = (((b & 15) << 3) + 0x84) << ((b >> 4) & 7);
    return (b & 0x80) ? 0x84 - t : t - 0x84;
}
int alaw_compress(int x) {
    int p = x >> 3, mask = 0xD5;
    if (p < 0) mask = 0x55, p = -p - 1;
    int seg = 0;
    while (seg < 8 && p >= (0x20 << seg)) ++seg; // p counts steps of 8; segment seg ends below 0x100 << seg
    return ((seg << 4) | ((seg < 2 ? p >> 1 : p >> seg) & 15)) ^ mask;
}
int mulaw_compress(int x) {
    const int a = std::min((x >= 0 ? x >> 2 : (~x) >> 2) + 33, 8191);
    int seg = 1;
    while (a >> (5 + seg)) ++seg;
    const int code = ((8 - seg) << 4) | (15 - ((a >> seg) & 15));
    return x >= 0 ? code | 0x80 : code;
}

// The transcoding tables are fixed: every entry is checked. Entries
// 0..127 as listed; entry i + 128 is entry i with the sign bit set.
std::vector<int> fixed_table(const char* low_hex) {
    std::vector<int> t;
    for (const char* p = low_hex; *p; p += 2) t.push_back(int(std::strtol(std::string(p, 2).c_str(), nullptr, 16)));
    for (int i = 0; i < 128; ++i) t.push_back(t[i] | 0x80);
    return t;
}

TEST(G711, EveryCode) {
    const auto alaw_to_mulaw = fixed_table(
        "2A2B28292E2F2C2D2223202126272425"
        "393A37383D3E3B3C31322F3035363334"
        "0A0B08090E0F0C0D0203000106070405"
        "1A1B18191E1F1C1D1213101116171415"
        "62636061666764655D5D5C5C5F5F5E5E"
        "747670727C7E787A6A6B68696E6F6C6D"
        "484946474C4D4A4B40413F3F44454243"
        "565754555A5B58594F4F4E4E52535051");
    const auto mulaw_to_alaw = fixed_table(
        "2A2B28292E2F2C2D2223202126272425"
        "3A3B38393E3F3C3D3233303136373435"
        "0A0B08090E0F0C0D020300010607041A"
        "1B18191E1F1C1D12131011161714156A"
        "68696E6F6C6D62636061666764657A78"
        "7E7F7C7D72737071767774754B494F4D"
        "42434041464744455A5B58595E5F5C5D"
        "52525353505051515656575754545555");
    const auto codes = ct::every_value<Vek8u>();
    ct::expect_each<Vek16s>(veksALawToLin_8u16s, codes, alaw_expand);
    ct::expect_each<Vek16s>(veksMuLawToLin_8u16s, codes, mulaw_expand);
    ct::expect_each<Vek32f>(veksALawToLin_8u32f, codes, [](int c) { return alaw_expand(c) * 0x1p-15f; });
    ct::expect_each<Vek32f>(veksMuLawToLin_8u32f, codes, [](int c) { return mulaw_expand(c) * 0x1p-15f; });
    ct::expect_each<Vek8u>(veksALawToMuLaw_8u, codes, [&](int c) { return alaw_to_mulaw.at(c); });
    ct::expect_each<Vek8u>(veksMuLawToALaw_8u, codes, [&](int c) { return mulaw_to_alaw.at(c); });
}

// Every 16-bit sample; a float is x * 32768 saturated and rounded half away
// from zero, then encoded as 16 bits, the mu-law sign taken from the float.
TEST(G711, CompressEverySample) {
    ct::expect_each<Vek8u>(veksLinToALaw_16s8u, ct::every_value<Vek16s>(), alaw_compress);
    ct::expect_each<Vek8u>(veksLinToMuLaw_16s8u, ct::every_value<Vek16s>(), mulaw_compress);
    std::vector<float> x;
    for (int i = -32770; i <= 32770; ++i)
        for (float d : {0.0f, 0.3f, 0.5f}) x.push_back((i + d) / 32768.0f);
    for (float s : {0.0f, -0.0f, -1e-7f, 1e-7f, 2.0f, -2.0f, INFINITY, -INFINITY, NAN, -NAN, 0x1.fffffep-17f, -0x1.fffffep-17f})
        x.push_back(s);
    const auto sample = [](float f) {
        const long double v = static_cast<long double>(f) * 32768;
        return std::isnan(v) ? 0 : static_cast<int>(std::clamp(std::round(v), -32768.0L, 32767.0L));
    };
    ct::expect_each<Vek8u>(veksLinToALaw_32f8u, x, [&](float f) { return alaw_compress(sample(f)); });
    ct::expect_each<Vek8u>(veksLinToMuLaw_32f8u, x, [&](float f) { return (mulaw_compress(sample(f)) & 0x7F) | (f >= 0 ? 0x80 : 0); });
}

} // namespace
