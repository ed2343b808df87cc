// Complex family against plain loops: the standard hypot / atan2 / sin / cos
// and the plain arithmetic each operation amounts to.
#include <cmath>
#include <memory>
#include <vector>

#include "bench_util.h"
#include "veks.h"

namespace {

// Buffers live as long as the program: the registered bodies keep raw pointers.
std::vector<std::shared_ptr<void>>& keep_alive() {
    static std::vector<std::shared_ptr<void>> held;
    return held;
}
template <class T> T* buffer(int n);
template <> Vek32f* buffer<Vek32f>(int n) { keep_alive().emplace_back(veksMalloc_32f(n), veksFree); return static_cast<Vek32f*>(keep_alive().back().get()); }
template <> Vek32fc* buffer<Vek32fc>(int n) { keep_alive().emplace_back(veksMalloc_32fc(n), veksFree); return static_cast<Vek32fc*>(keep_alive().back().get()); }

struct Registrar {
    Registrar() {
        for (int n : {1 << 10, 1 << 24}) {
            auto c = buffer<Vek32fc>(n);
            auto cd = buffer<Vek32fc>(n);
            auto a = buffer<Vek32f>(n);
            auto b = buffer<Vek32f>(n);
            auto d1 = buffer<Vek32f>(n);
            auto d2 = buffer<Vek32f>(n);
            for (int i = 0; i < n; ++i) {
                // Phases spread over several turns, magnitudes of mixed size.
                a[i] = 0.5f + static_cast<float>((i * 7919) % 1000) * 0.01f;
                b[i] = static_cast<float>((i * 104729) % 20001 - 10000) * 0.0015f;
                c[i] = Vek32fc{b[i], a[i] - 5.0f};
                cd[i] = Vek32fc{0.0f, 0.0f}; // touch every page before timing
                d1[i] = d2[i] = 0.0f;
            }
            const Vek32fc* src = c;
            Vek32fc* cdst = cd;
            const Vek32f* magn = a;
            const Vek32f* phase = b;
            Vek32f* o1 = d1;
            Vek32f* o2 = d2;

            vb::add("Magnitude_32fc", "veks", n, 12, [=] { veksMagnitude_32fc(src, o1, n); });
            vb::add("Magnitude_32fc", "hypot", n, 12, [=] {
                for (int i = 0; i < n; ++i) o1[i] = std::hypot(src[i].re, src[i].im);
            });
            vb::add("Magnitude_32fc", "sqrt", n, 12, [=] {
                for (int i = 0; i < n; ++i) {
                    const double re = src[i].re, im = src[i].im;
                    o1[i] = static_cast<float>(std::sqrt(re * re + im * im));
                }
            });

            vb::add("Phase_32fc", "veks", n, 12, [=] { veksPhase_32fc(src, o1, n); });
            vb::add("Phase_32fc", "atan2f", n, 12, [=] {
                for (int i = 0; i < n; ++i) o1[i] = std::atan2(src[i].im, src[i].re);
            });
            vb::add("Phase_32fc", "atan2", n, 12, [=] {
                for (int i = 0; i < n; ++i)
                    o1[i] = static_cast<float>(std::atan2(static_cast<double>(src[i].im), static_cast<double>(src[i].re)));
            });

            vb::add("PowerSpectr_32fc", "veks", n, 12, [=] { veksPowerSpectr_32fc(src, o1, n); });
            vb::add("PowerSpectr_32fc", "plain", n, 12, [=] {
                for (int i = 0; i < n; ++i) o1[i] = src[i].re * src[i].re + src[i].im * src[i].im;
            });

            vb::add("PolarToCart_32f", "veks", n, 16, [=] { veksPolarToCart_32f(magn, phase, o1, o2, n); });
            vb::add("PolarToCart_32f", "sincosf", n, 16, [=] {
                for (int i = 0; i < n; ++i) {
                    o1[i] = magn[i] * std::cos(phase[i]);
                    o2[i] = magn[i] * std::sin(phase[i]);
                }
            });

            vb::add("Conj_32fc", "veks", n, 16, [=] { veksConj_32fc(src, cdst, n); });
            vb::add("Conj_32fc", "plain", n, 16, [=] {
                for (int i = 0; i < n; ++i) cdst[i] = Vek32fc{src[i].re, 0.0f - src[i].im};
            });
        }
    }
} registrar;

} // namespace
