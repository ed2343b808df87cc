// LMS adaptive filter, 64 taps, Vek32f: the library against a plain loop of
// the same recurrence (products in single precision summed in double, update
// in double stored in single, doubled circular delay buffer).
#include <memory>
#include <random>
#include <vector>

#include "bench_util.h"
#include "veks.h"

namespace {

struct PlainLms {
    std::vector<float> taps_inv, dly;
    int idx = 0;
    explicit PlainLms(int taps) : taps_inv(taps, 0.0f), dly(2 * taps, 0.0f) {}
    void run(const float* x, const float* ref, float* y, int n, float mu) {
        const int len = static_cast<int>(taps_inv.size());
        float* t = taps_inv.data();
        float* d = dly.data();
        for (int k = 0; k < n; ++k) {
            d[idx] = d[idx + len] = x[k];
            idx = idx + 1 == len ? 0 : idx + 1;
            const float* win = d + idx;
            double acc = 0.0;
            for (int j = 0; j < len; ++j) acc += t[j] * win[j];
            y[k] = static_cast<float>(acc);
            const double w = static_cast<double>(2.0f * mu) * (static_cast<double>(ref[k]) - acc);
            for (int j = 0; j < len; ++j) t[j] = static_cast<float>(t[j] + w * win[j]);
        }
    }
};

const bool registered = [] {
    constexpr int n = 4096, taps = 64;
    constexpr float mu = 1e-3f;
    auto x = std::make_shared<std::vector<float>>(n), ref = std::make_shared<std::vector<float>>(n);
    auto y = std::make_shared<std::vector<float>>(n);
    std::mt19937_64 g(11);
    for (int k = 0; k < n; ++k) {
        (*x)[k] = static_cast<float>(std::uniform_real_distribution<double>(-1, 1)(g));
        (*ref)[k] = 0.5f * (*x)[k] + (k ? 0.25f * (*x)[k - 1] : 0.0f);
    }
    const std::string op = "FIRLMS_32f_taps64";
    std::shared_ptr<VeksFIRLMSState_32f> state(
        [] {
            VeksFIRLMSState_32f* s = nullptr;
            veksFIRLMSInitAlloc_32f(&s, nullptr, taps, nullptr, 0);
            return s;
        }(),
        veksFIRLMSFree_32f);
    vb::add(op, "veks", n, 12, [=] { veksFIRLMS_32f(x->data(), ref->data(), y->data(), n, mu, state.get()); });
    auto plain = std::make_shared<PlainLms>(taps);
    vb::add(op, "loop", n, 12, [=] { plain->run(x->data(), ref->data(), y->data(), n, mu); });
    return true;
}();

} // namespace
