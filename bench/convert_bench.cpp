// Conversions against plain loops computing the same results.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>

#include "bench_util.h"
#include "veks.h"

namespace {

template <class T> std::shared_ptr<T> buffer(std::size_t n) {
    return std::shared_ptr<T>(reinterpret_cast<T*>(veksMalloc_8u(int(n * sizeof(T)))), veksFree);
}

// Nearest with ties to even via the default rounding mode.
Vek16s to_16s_nearest(double v) {
    if (v != v) return 0;
    if (v > 32767) return 32767;
    if (v < -32768) return -32768;
    return static_cast<Vek16s>(std::lrint(v));
}

Vek16f plain_32f16f(float x) {
    std::uint32_t b;
    std::memcpy(&b, &x, 4);
    const std::uint16_t sign = (b >> 16) & 0x8000;
    const std::uint32_t a = b & 0x7FFFFFFF, e = a >> 23;
    if (a > 0x7F800000) return sign | 0x7DFF;
    if (e >= 113) {
        const std::uint32_t r = a + 0xFFF + ((a >> 13) & 1);
        return r >= (143u << 23) ? (sign | 0x7C00) : std::uint16_t(sign | ((r >> 13) - (112 << 10)));
    }
    if (e == 102) return sign | 1;
    if (e < 102) return sign;
    const std::uint32_t m = (a & 0x7FFFFF) | 0x800000;
    const int k = int(126 - e);
    return std::uint16_t(sign | ((m + (1u << (k - 1)) - 1 + ((m >> k) & 1)) >> k));
}

float plain_16f32f(Vek16f h) {
    const std::uint32_t sign = std::uint32_t(h & 0x8000) << 16, e = (h >> 10) & 31, m = h & 1023;
    std::uint32_t b;
    if (e == 31) b = sign | 0x7F800000 | m << 13;
    else if (e) b = sign | (e + 112) << 23 | m << 13;
    else if (m) { float f = m * 0x1p-24f; std::memcpy(&b, &f, 4); b |= sign; }
    else b = sign;
    float f;
    std::memcpy(&f, &b, 4);
    return f;
}

Vek8u plain_mulaw(Vek16s x) {
    int a = (x >= 0 ? x >> 2 : (~x) >> 2) + 33;
    if (a > 8191) a = 8191;
    int seg = 1;
    for (int r = a >> 6; r; r >>= 1) ++seg;
    const int code = ((8 - seg) << 4) | (15 - ((a >> seg) & 15));
    return Vek8u(x >= 0 ? code | 0x80 : code);
}

Vek16s plain_join_scaled(float v) {
    if (v != v) return 0;
    if (v > 1) return 32767;
    if (v < -1) return -32768;
    return static_cast<Vek16s>(std::lrint(v * 32767.5f - 0.5f));
}

struct Registrar {
    Registrar() {
        for (int n : {1 << 10, 1 << 24}) {
            std::mt19937 rng(1);
            std::uniform_real_distribution<float> unit(-1.1f, 1.1f);
            auto f32 = buffer<Vek32f>(n), f32b = buffer<Vek32f>(n), out32 = buffer<Vek32f>(n);
            auto s16 = buffer<Vek16s>(n), out16 = buffer<Vek16s>(2 * n);
            auto h16 = buffer<Vek16f>(n);
            auto out8 = buffer<Vek8u>(n);
            for (int i = 0; i < n; ++i) {
                f32.get()[i] = unit(rng) * 40000.0f;
                f32b.get()[i] = unit(rng);
                s16.get()[i] = Vek16s(rng());
                h16.get()[i] = Vek16f(rng() & 0x7BFF); // finite halves of both signs
                if (i & 1) h16.get()[i] |= 0x8000;
            }
            vb::add("Convert_16s32f", "veks", n, 6, [=] { veksConvert_16s32f(s16.get(), out32.get(), n); });
            vb::add("Convert_16s32f", "loop", n, 6, [=] {
                for (int i = 0; i < n; ++i) out32.get()[i] = s16.get()[i];
            });
            vb::add("Convert_32f16s_Sfs", "veks", n, 6, [=] { veksConvert_32f16s_Sfs(f32.get(), out16.get(), n, vekRoundHalfEven, 0); });
            vb::add("Convert_32f16s_Sfs", "loop", n, 6, [=] {
                for (int i = 0; i < n; ++i) out16.get()[i] = to_16s_nearest(f32.get()[i]);
            });
            vb::add("Convert_32f16f", "veks", n, 6, [=] { veksConvert_32f16f(f32b.get(), h16.get(), n, vekRoundHalfEven); });
            vb::add("Convert_32f16f", "loop", n, 6, [=] {
                for (int i = 0; i < n; ++i) h16.get()[i] = plain_32f16f(f32b.get()[i]);
            });
            vb::add("Convert_16f32f", "veks", n, 6, [=] { veksConvert_16f32f(h16.get(), out32.get(), n); });
            vb::add("Convert_16f32f", "loop", n, 6, [=] {
                for (int i = 0; i < n; ++i) out32.get()[i] = plain_16f32f(h16.get()[i]);
            });
            vb::add("LinToMuLaw_16s8u", "veks", n, 3, [=] { veksLinToMuLaw_16s8u(s16.get(), out8.get(), n); });
            vb::add("LinToMuLaw_16s8u", "loop", n, 3, [=] {
                for (int i = 0; i < n; ++i) out8.get()[i] = plain_mulaw(s16.get()[i]);
            });
            // Two channels of n / 2 samples each.
            const int half = n / 2;
            vb::add("JoinScaled_32f16s_D2L", "veks", n, 6, [=] {
                const Vek32f* ch[2] = {f32b.get(), f32b.get() + half};
                veksJoinScaled_32f16s_D2L(ch, 2, half, out16.get());
            });
            vb::add("JoinScaled_32f16s_D2L", "loop", n, 6, [=] {
                const Vek32f* ch[2] = {f32b.get(), f32b.get() + half};
                for (int k = 0; k < half; ++k)
                    for (int c = 0; c < 2; ++c) out16.get()[2 * k + c] = plain_join_scaled(ch[c][k]);
            });
        }
    }
} registrar;

} // namespace
