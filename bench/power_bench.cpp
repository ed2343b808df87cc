// Power and logic members against plain loops over the C library's
// functions or the language's operators.
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>

#include "bench_util.h"
#include "veks.h"

namespace {

template <class T> std::shared_ptr<T> buffer(int n, double lo, double hi, unsigned seed) {
    std::shared_ptr<T> p(static_cast<T*>(static_cast<void*>(veksMalloc_8u(n * int(sizeof(T))))), veksFree);
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(lo, hi);
    for (int i = 0; i < n; ++i) p.get()[i] = static_cast<T>(dist(gen));
    return p;
}

template <class T, class Op, class Ref>
void add_unary(const char* op, const char* ref_name, int n, double lo, double hi, Op veks_op, Ref ref) {
    auto src = buffer<T>(n, lo, hi, 1), dst = buffer<T>(n, 0, 0, 2);
    vb::add(op, "veks", n, 2 * sizeof(T), [=] { veks_op(src.get(), dst.get(), n); });
    vb::add(op, ref_name, n, 2 * sizeof(T), [=] {
        const T* s = src.get();
        T* d = dst.get();
        const int len = n;
        for (int i = 0; i < len; ++i) d[i] = ref(s[i]);
    });
}

struct Registrar {
    Registrar() {
        for (int n : {1 << 10, 1 << 24}) {
            add_unary<float>("Sqrt_32f", "std_sqrt", n, 0, 1e6, veksSqrt_32f, [](float x) { return std::sqrt(x); });
            add_unary<float>("Ln_32f", "std_log", n, 1e-3, 1e3, veksLn_32f, [](float x) { return std::log(x); });
            add_unary<double>("Exp_64f", "std_exp", n, -50, 50, veksExp_64f, [](double x) { return std::exp(x); });
            add_unary<float>("Arctan_32f", "std_atan", n, -10, 10, veksArctan_32f, [](float x) { return std::atan(x); });
            add_unary<Vek16s>("RShiftC_16s", "operator", n, -32768, 32767,
                              [](const Vek16s* s, Vek16s* d, int len) { veksRShiftC_16s(s, 3, d, len); },
                              [](Vek16s x) { return Vek16s(x >> 3); });

            auto a = buffer<Vek8u>(n, 0, 255, 3), b = buffer<Vek8u>(n, 0, 255, 4), d = buffer<Vek8u>(n, 0, 0, 5);
            vb::add("And_8u", "veks", n, 3, [=] { veksAnd_8u(a.get(), b.get(), d.get(), n); });
            vb::add("And_8u", "operator", n, 3, [=] {
                const Vek8u *x = a.get(), *y = b.get();
                Vek8u* z = d.get();
                const int len = n; // a local count: byte stores could alias the captured one
                for (int i = 0; i < len; ++i) z[i] = Vek8u(x[i] & y[i]);
            });
        }
    }
} registrar;

} // namespace
