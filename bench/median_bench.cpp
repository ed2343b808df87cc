// Running median of Vek32f data (1 Mi samples, masks 3, 15, 63) against a
// loop that sorts each window (edges replicated as the filter does).
#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "bench_util.h"
#include "veks.h"

namespace {

void sort_per_window(const float* x, float* y, int len, int mask, float* win) {
    const int half = mask / 2;
    for (int k = 0; k < len; ++k) {
        for (int j = 0; j < mask; ++j) win[j] = x[std::clamp(k - half + j, 0, len - 1)];
        std::sort(win, win + mask);
        y[k] = win[half];
    }
}

const bool registered = [] {
    constexpr int n = 1 << 20;
    auto x = std::make_shared<std::vector<float>>(n);
    std::mt19937_64 g(7);
    for (auto& v : *x) v = static_cast<float>(std::uniform_real_distribution<double>(-1, 1)(g));
    auto y = std::make_shared<std::vector<float>>(n);
    for (int mask : {3, 15, 63}) {
        const std::string op = "FilterMedian_32f_mask" + std::to_string(mask);
        vb::add(op, "veks", n, 8, [=] { veksFilterMedian_32f(x->data(), y->data(), n, mask); });
        auto win = std::make_shared<std::vector<float>>(mask);
        vb::add(op, "sort", n, 8, [=] { sort_per_window(x->data(), y->data(), n, mask, win->data()); });
    }
    return true;
}();

} // namespace
