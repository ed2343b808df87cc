// Linear convolution against a plain direct loop computing the same sums
// (16 x 16: direct sums; 1 Ki x 1 Ki: one transform; 64 Ki x 1 Ki:
// threaded overlap-save).
#include <cstring>
#include <memory>
#include <random>

#include "bench_util.h"
#include "veks.h"

namespace {

std::shared_ptr<float> filled_32f(int n, std::uint64_t seed) {
    std::shared_ptr<float> p(veksMalloc_32f(n), veksFree);
    std::mt19937_64 g(seed);
    for (int i = 0; i < n; ++i) p.get()[i] = static_cast<float>(std::uniform_real_distribution<double>(-1, 1)(g));
    return p;
}

// dst[i + j] += a[i] * b[j], the output zeroed first.
void plain_conv_32f(const float* a, int la, const float* b, int lb, float* dst) {
    std::memset(dst, 0, sizeof(float) * (la + lb - 1));
    for (int i = 0; i < la; ++i)
        for (int j = 0; j < lb; ++j) dst[i + j] += a[i] * b[j];
}

void register_conv(int la, int lb) {
    auto a = filled_32f(la, 1), b = filled_32f(lb, 2), d = filled_32f(la + lb - 1, 3);
    const std::string op = "Conv_32f_x" + std::to_string(lb);
    const double bytes = 4.0 * (la + lb + la + lb - 1) / la;
    vb::add(op, "veks", la, bytes, [=] { veksConv_32f(a.get(), la, b.get(), lb, d.get()); });
    vb::add(op, "plain", la, bytes, [=] { plain_conv_32f(a.get(), la, b.get(), lb, d.get()); });
}

const bool registered = [] {
    register_conv(16, 16);
    register_conv(1 << 10, 1 << 10);
    register_conv(1 << 16, 1 << 10);
    return true;
}();

} // namespace
