// Half precision both ways, from 16-bit integers and to them at many scales.
#include "convert_test_util.h"

namespace {

float from_bits(std::uint32_t b) { float f; std::memcpy(&f, &b, 4); return f; }

// The value of a half pattern from its fields.
long double half_value(std::uint16_t h) {
    const int e = (h >> 10) & 31, m = h & 1023;
    const long double s = (h & 0x8000) ? -1.0L : 1.0L;
    if (e == 31) return m ? std::numeric_limits<long double>::quiet_NaN() : s * std::numeric_limits<long double>::infinity();
    return s * (e == 0 ? std::ldexp(static_cast<long double>(m), -24) : std::ldexp(1024.0L + m, e - 25));
}

// Nearest-even (mode 1) or truncated n quanta of the half grid; a carry out
// of the mantissa moves on to the next exponent, up to infinity.
std::uint16_t reference_half(float x, int mode) {
    const std::uint16_t sign = std::signbit(x) ? 0x8000 : 0;
    if (std::isnan(x)) return sign | 0x7DFF;
    const long double a = std::fabs(static_cast<long double>(x));
    if (a >= 65536.0L) return sign | 0x7C00;
    const int exp2 = a < 0x1p-14L ? -14 : std::ilogb(a);
    const long double q = std::ldexp(1.0L, exp2 - 10);
    long double n = mode == 1 ? std::nearbyint(a / q) : std::trunc(a / q);
    if (mode == 1 && a >= 0x1p-25L && a < 0x1p-24L) n = 1; // smallest subnormal, not the even zero
    return sign | std::min(((exp2 + 14) << 10) + int(n), 0x7C00);
}

TEST(ConvertHalf, SinglesAndIntegersAroundEveryLimit) {
    vt::Rng rng(21);
    std::vector<float> grid;
    // Every single with a few mantissa patterns in the exponents where the
    // half grid changes (subnormal start, normal start, the top).
    for (std::uint32_t e : {0u, 1u, 100u, 101u, 102u, 103u, 104u, 111u, 112u, 113u, 114u, 127u, 141u, 142u, 143u, 144u, 254u, 255u})
        for (std::uint32_t m : {0u, 1u, 0xFFFu, 0x1000u, 0x1001u, 0x2000u, 0x3000u, 0x7FEFFFu, 0x7FF000u, 0x7FF001u, 0x7FFFFFu,
                                0x400000u, 0x400001u, 0x3FFFFFu, 0x7FE000u, 0x7FDFFFu})
            for (std::uint32_t s : {0u, 0x80000000u}) grid.push_back(from_bits(s | e << 23 | m));
    std::vector<float> src = grid;
    for (int i = 0; i < 200000; ++i) { // random magnitudes within and around the half range
        const std::uint32_t e = std::uint32_t(rng.integer(95, 150));
        src.push_back(from_bits(std::uint32_t(rng.integer(0, 1)) << 31 | e << 23 | rng.integer(0, 0x7FFFFF)));
    }
    for (int h = 0; h < 65536; ++h) src.push_back(static_cast<float>(half_value(std::uint16_t(h)))); // every half value
    std::shuffle(src.begin(), src.end(), rng.engine());
    const float zeros_among_normals[] = {1.0f, -0.0f, 2.0f, 0.0f, -0.0f, 0.0f, 0.0f, -0.0f};
    src.insert(src.begin(), std::begin(zeros_among_normals), std::end(zeros_among_normals));
    // Every 16-bit integer goes through single precision exactly, then rounds as singles do.
    for (int mode : {0, 1, 3, -1}) {
        const auto to_half = [mode](auto* s, auto* d, int n) { return veksConvert_32f16f(s, d, n, mode); };
        const auto want = [mode](float x) { return reference_half(x, mode == 1); };
        ct::expect_each<Vek16f>(to_half, src, want);
        for (float x : grid) // one value per call: the element-by-element path
            ct::expect_each<Vek16f>(to_half, std::vector<float>{x}, want);
        ct::expect_each<Vek16f>([mode](auto* s, auto* d, int n) { return veksConvert_16s16f(s, d, n, mode); },
                                ct::every_value<Vek16s>(), [mode](Vek16s x) { return reference_half(float(x), mode == 1); });
    }
}

// Every half to single (a NaN's payload moves to the top of the single
// mantissa) and to integers at many scales.
TEST(ConvertHalf, EveryHalf) {
    const auto h = ct::every_value<Vek16f>();
    ct::expect_each<Vek32f>(veksConvert_16f32f, h, [](Vek16f x) {
        const long double v = half_value(x);
        return std::isnan(v) ? from_bits(((x & 0x8000u) << 16) | 0x7F800000u | ((x & 0x3FFu) << 13)) : static_cast<float>(v);
    });
    for (int mode : {0, 1, 4}) {
        for (int sf : {0, 1, -1, 2, 5, 10, 11, 12, 13, 20, 30, -5, -10, -15, -16, -24, -40, 100, -100, INT_MAX, INT_MIN}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " sf " << sf);
            ct::expect_each<Vek16s>([&](auto* s, auto* d, int n) { return veksConvert_16f16s_Sfs(s, d, n, mode, sf); }, h,
                                    [&](Vek16f x) {
                                        const long double v = std::ldexp(half_value(x), -std::clamp(sf, -100, 100));
                                        const long double r = mode == 1 ? std::nearbyint(v) : std::trunc(v);
                                        return std::isnan(v) ? Vek16s(0) : static_cast<Vek16s>(std::clamp(r, -32768.0L, 32767.0L));
                                    });
        }
    }
}

} // namespace
