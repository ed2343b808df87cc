// Reductions against plain loops that produce the same results, at 1 Ki
// elements (in cache) and 16 Mi elements (from memory). "memcpy_read"
// measures the memory bandwidth the reductions are compared with: its
// bytes column counts the bytes memcpy reads.
#include <cmath>
#include <cstring>
#include <memory>
#include <random>

#include "bench_util.h"
#include "veks.h"

namespace {

template <class T>
std::shared_ptr<T> filled(int n, std::uint64_t seed) {
    std::shared_ptr<T> p(reinterpret_cast<T*>(veksMalloc_8u(int(n * sizeof(T)))), veksFree);
    std::mt19937_64 g(seed);
    for (int i = 0; i < n; ++i) {
        if constexpr (std::is_floating_point_v<T>) p.get()[i] = static_cast<T>(std::uniform_real_distribution<double>(-1, 1)(g));
        else p.get()[i] = static_cast<T>(g());
    }
    return p;
}

// ---- plain loops ------------------------------------------------------------------------
// Two double sums over groups of four, then the rest.
float plain_sum_32f(const float* x, int n) {
    double a = 0, b = 0;
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        a += x[i];
        b += x[i + 1];
        a += x[i + 2];
        b += x[i + 3];
    }
    double t = a + b;
    for (; i < n; ++i) t += x[i];
    return static_cast<float>(t);
}

// Eight single partial sums combined by halving, then the rest.
float plain_dot_32f(const float* a, const float* b, int n) {
    float s[8] = {};
    int i = 0;
    for (; i + 8 <= n; i += 8)
        for (int k = 0; k < 8; ++k) s[k] += a[i + k] * b[i + k];
    for (int h = 4; h >= 1; h /= 2)
        for (int j = 0; j < h; ++j) s[j] += s[j + h];
    for (; i < n; ++i) s[0] += a[i] * b[i];
    return s[0];
}

int plain_max_indx_32f(const float* x, int n, float* m) {
    float v = x[0];
    int at = 0;
    for (int i = 1; i < n; ++i)
        if (x[i] > v) v = x[i], at = i;
    *m = v;
    return at;
}

// Eight double partial sums of squares combined by halving, then the rest.
float plain_norm_l2_32f(const float* x, int n) {
    double s[8] = {};
    int i = 0;
    for (; i + 8 <= n; i += 8)
        for (int k = 0; k < 8; ++k) s[k] += double(x[i + k]) * double(x[i + k]);
    for (int h = 4; h >= 1; h /= 2)
        for (int j = 0; j < h; ++j) s[j] += s[j + h];
    for (; i < n; ++i) s[0] += double(x[i]) * double(x[i]);
    return static_cast<float>(std::sqrt(s[0]));
}

Vek32s plain_sum_16s32s(const Vek16s* x, int n) {
    std::int64_t s = 0;
    for (int i = 0; i < n; ++i) s += x[i];
    return s > 2147483647 ? 2147483647 : s < -2147483648LL ? -2147483647 - 1 : Vek32s(s);
}

void plain_min_max_16s(const Vek16s* x, int n, Vek16s* lo, Vek16s* hi) {
    Vek16s a = x[0], b = x[0];
    for (int i = 1; i < n; ++i) {
        a = x[i] < a ? x[i] : a;
        b = x[i] > b ? x[i] : b;
    }
    *lo = a;
    *hi = b;
}

template <class T> void keep(T v) { benchmark::DoNotOptimize(v); }

struct Registrar {
    Registrar() {
        for (int n : {1 << 10, 1 << 24}) {
            auto f = filled<Vek32f>(n, 1), g = filled<Vek32f>(n, 2);
            auto s = filled<Vek16s>(n, 3);
            auto d = std::shared_ptr<Vek32f>(veksMalloc_32f(n), veksFree);
            std::memset(d.get(), 0, n * sizeof(Vek32f));
            vb::add("memcpy_read_32f", "memcpy", n, 4, [=] { std::memcpy(d.get(), f.get(), n * sizeof(Vek32f)); });

            vb::add("Sum_32f", "veks", n, 4, [=] { Vek32f r; veksSum_32f(f.get(), n, &r); keep(r); });
            vb::add("Sum_32f", "loop", n, 4, [=] { keep(plain_sum_32f(f.get(), n)); });
            vb::add("DotProd_32f", "veks", n, 8, [=] { Vek32f r; veksDotProd_32f(f.get(), g.get(), n, &r); keep(r); });
            vb::add("DotProd_32f", "loop", n, 8, [=] { keep(plain_dot_32f(f.get(), g.get(), n)); });
            vb::add("MaxIndx_32f", "veks", n, 4, [=] { Vek32f m; int i; veksMaxIndx_32f(f.get(), n, &m, &i); keep(i); });
            vb::add("MaxIndx_32f", "loop", n, 4, [=] { Vek32f m; keep(plain_max_indx_32f(f.get(), n, &m)); keep(m); });
            vb::add("Norm_L2_32f", "veks", n, 4, [=] { Vek32f r; veksNorm_L2_32f(f.get(), n, &r); keep(r); });
            vb::add("Norm_L2_32f", "loop", n, 4, [=] { keep(plain_norm_l2_32f(f.get(), n)); });
            vb::add("Sum_16s32s_Sfs", "veks", n, 2, [=] { Vek32s r; veksSum_16s32s_Sfs(s.get(), n, &r, 0); keep(r); });
            vb::add("Sum_16s32s_Sfs", "loop", n, 2, [=] { keep(plain_sum_16s32s(s.get(), n)); });
            vb::add("MinMax_16s", "veks", n, 2, [=] { Vek16s a, b; veksMinMax_16s(s.get(), n, &a, &b); keep(a); keep(b); });
            vb::add("MinMax_16s", "loop", n, 2, [=] { Vek16s a, b; plain_min_max_16s(s.get(), n, &a, &b); keep(a); keep(b); });
        }
    }
} registrar;

} // namespace
