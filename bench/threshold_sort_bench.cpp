// Thresholds against plain loops that produce the same results, at 1 Ki
// elements (in cache) and 16 Mi (from memory); sorts against the standard
// library's sorts. Every sort iteration first copies the unsorted input
// back, in the library's run and the reference's alike.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "bench_util.h"
#include "veks.h"

namespace {

template <class T>
std::shared_ptr<T> buffer(int n) {
    return std::shared_ptr<T>(reinterpret_cast<T*>(veksMalloc_8u(int(n * sizeof(T)))), veksFree);
}

// Values in [-1, 1): about half of them on each side of the levels used.
template <class T>
std::shared_ptr<T> filled(int n, std::uint64_t seed) {
    auto p = buffer<T>(n);
    std::mt19937_64 g(seed);
    std::uniform_real_distribution<float> u(-1, 1);
    float* f = reinterpret_cast<float*>(p.get());
    for (std::size_t i = 0; i < n * sizeof(T) / sizeof(float); ++i) f[i] = u(g);
    return p;
}

// ---- plain loops ---------------------------------------------------------------------
void plain_lt_32f(const float* s, float* d, int n, float level) {
    for (int i = 0; i < n; ++i) d[i] = s[i] > level ? s[i] : level;
}

void plain_gtval_32fc(const Vek32fc* s, Vek32fc* d, int n, float level, Vek32fc value) {
    const double level_sq = double(level) * double(level);
    for (int i = 0; i < n; ++i) {
        const double m = double(s[i].re) * double(s[i].re) + double(s[i].im) * double(s[i].im);
        d[i] = m <= level_sq ? s[i] : value;
    }
}

void plain_ltinv_32f(const float* s, float* d, int n, float level) {
    const float inv = 1.0f / level;
    for (int i = 0; i < n; ++i) d[i] = std::fabs(s[i]) > level ? 1.0f / s[i] : (s[i] >= 0 ? inv : -inv);
}

// Stable sort of (key, index) pairs by key, then the indices.
void pairs_stable_sort(const float* keys, int* index, int n, std::vector<std::pair<float, int>>& pairs) {
    for (int i = 0; i < n; ++i) pairs[i] = {keys[i], i};
    std::stable_sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (int i = 0; i < n; ++i) index[i] = pairs[i].second;
}

struct Registrar {
    Registrar() {
        for (int n : {1 << 10, 1 << 24}) {
            auto f = filled<Vek32f>(n, 1), fd = buffer<Vek32f>(n);
            auto c = filled<Vek32fc>(n, 2), cd = buffer<Vek32fc>(n);
            const Vek32fc v{9, 9};
            vb::add("Threshold_LT_32f", "veks", n, 8, [=] { veksThreshold_LT_32f(f.get(), fd.get(), n, 0.25f); });
            vb::add("Threshold_LT_32f", "loop", n, 8, [=] { plain_lt_32f(f.get(), fd.get(), n, 0.25f); });
            vb::add("Threshold_GTVal_32fc", "veks", n, 16, [=] { veksThreshold_GTVal_32fc(c.get(), cd.get(), n, 0.8f, v); });
            vb::add("Threshold_GTVal_32fc", "loop", n, 16, [=] { plain_gtval_32fc(c.get(), cd.get(), n, 0.8f, v); });
            vb::add("Threshold_LTInv_32f", "veks", n, 8, [=] { veksThreshold_LTInv_32f(f.get(), fd.get(), n, 0.5f); });
            vb::add("Threshold_LTInv_32f", "loop", n, 8, [=] { plain_ltinv_32f(f.get(), fd.get(), n, 0.5f); });
        }
        for (int n : {1 << 10, 1 << 20}) {
            auto keys = filled<Vek32f>(n, 3), work = buffer<Vek32f>(n), tmp = buffer<Vek32f>(n);
            auto index = buffer<int>(n), tmp_index = buffer<int>(n);
            auto pairs = std::make_shared<std::vector<std::pair<float, int>>>(n);
            auto reload = [=] { std::memcpy(work.get(), keys.get(), n * sizeof(Vek32f)); };
            vb::add("SortAscend_32f_I", "veks", n, 4, [=] { reload(); veksSortAscend_32f_I(work.get(), n); });
            vb::add("SortAscend_32f_I", "std_sort", n, 4, [=] { reload(); std::sort(work.get(), work.get() + n); });
            if (n < (1 << 20)) continue;
            vb::add("SortRadixAscend_32f_I", "veks", n, 4, [=] { reload(); veksSortRadixAscend_32f_I(work.get(), tmp.get(), n); });
            vb::add("SortRadixAscend_32f_I", "std_sort", n, 4, [=] { reload(); std::sort(work.get(), work.get() + n); });
            vb::add("SortRadixIndexAscend_32f", "veks", n, 4,
                    [=] { veksSortRadixIndexAscend_32f(keys.get(), 4, index.get(), tmp_index.get(), n); });
            vb::add("SortRadixIndexAscend_32f", "std_stable_sort_pairs", n, 4,
                    [=] { pairs_stable_sort(keys.get(), index.get(), n, *pairs); });
        }
    }
} registrar;

} // namespace
