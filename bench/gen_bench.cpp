// Windows and generators against plain loops that evaluate each element
// with the C library (cos, std::cyl_bessel_i, sinf) or the standard
// library's Gaussian distribution.
#include <cmath>
#include <memory>
#include <random>

#include "bench_util.h"
#include "veks.h"

namespace {

std::shared_ptr<float> floats(int n, unsigned seed) {
    std::shared_ptr<float> p(veksMalloc_32f(n), veksFree);
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> dist(-1, 1);
    for (int i = 0; i < n; ++i) p.get()[i] = dist(gen);
    return p;
}

constexpr double kTwoPi = 6.283185307179586;

// Registers veks and a per-element reference loop computing w(i) for a window.
template <class Veks, class Weight>
void add_window(const char* op, const char* ref, int n, Veks veks, Weight weight) {
    auto src = floats(n, 1), dst = floats(n, 2);
    vb::add(op, "veks", n, 8, [=] { veks(src.get(), dst.get(), n); });
    vb::add(op, ref, n, 8, [=] {
        const float* s = src.get();
        float* d = dst.get();
        for (int i = 0; i < n; ++i) d[i] = float(s[i] * weight(i));
    });
}

struct Registrar {
    Registrar() {
        for (int n : {1 << 10, 1 << 20}) {
            const double x = kTwoPi / (n - 1);
            add_window("WinHann_32f", "cos_loop", n, veksWinHann_32f, [x](int i) { return 0.5 * (1 - std::cos(x * i)); });
            add_window("WinBlackman_32f", "cos_loop", n,
                       [](const float* s, float* d, int len) { veksWinBlackman_32f(s, d, len, -0.16f); },
                       [x](int i) { return 0.42 - 0.5 * std::cos(x * i) + 0.08 * std::cos(2 * x * i); });
            const float alpha = 30.0f / float(n); // |alpha| (N-1) / 2 about 15
            const double den = std::cyl_bessel_i(0.0, std::fabs(alpha * (n - 1) * 0.5));
            add_window("WinKaiser_32f", "cyl_bessel_i_loop", n,
                       [alpha](const float* s, float* d, int len) { veksWinKaiser_32f(s, d, len, alpha); },
                       [alpha, den, n](int i) { return std::cyl_bessel_i(0.0, alpha * std::sqrt(double(i) * (n - 1 - i))) / den; });
        }
        for (int n : {1 << 10, 1 << 16}) {
            auto dst = floats(n, 3);
            vb::add("RandGauss_Direct_32f", "veks", n, 4, [=] {
                unsigned seed = 7;
                veksRandGauss_Direct_32f(dst.get(), n, 0.0f, 1.0f, &seed);
            });
            vb::add("RandGauss_Direct_32f", "std_normal_mt19937", n, 4, [=] {
                std::mt19937 gen(7);
                std::normal_distribution<float> dist(0.0f, 1.0f);
                float* d = dst.get();
                for (int i = 0; i < n; ++i) d[i] = dist(gen);
            });
            vb::add("Tone_Direct_32f", "veks", n, 4, [=] {
                float phase = 0.5f;
                veksTone_Direct_32f(dst.get(), n, 1.0f, 0.0123f, &phase);
            });
            vb::add("Tone_Direct_32f", "sinf_loop", n, 4, [=] {
                float* d = dst.get();
                const float w = float(kTwoPi * 0.0123);
                for (int i = 0; i < n; ++i) d[i] = 1.0f * sinf(w * float(i) + 0.5f);
            });
        }
    }
} registrar;

} // namespace
