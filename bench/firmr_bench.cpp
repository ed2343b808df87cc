// Multirate FIR: veksFIR_32f on a multirate state (64 taps; up 3 down 2,
// up 1 down 4) against a plain polyphase loop computing the same outputs.
// Names: "FIRMR_32f/up<u>down<d>/<impl>/<iterations>".
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "bench_util.h"
#include "veks.h"

namespace {

constexpr int kIters = 4096;
constexpr int kTaps = 64;

std::vector<float> wave(std::size_t n, int salt) {
    std::vector<float> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = float(std::sin(0.29 * double(i) + salt));
    return v;
}

// Registers veks and loop with their data held by the closures.
void register_pair(int up, int down) {
    const std::string op = "FIRMR_32f/up" + std::to_string(up) + "down" + std::to_string(down);
    const auto taps = std::make_shared<std::vector<float>>(wave(kTaps, 1));
    const int P = (kTaps + up - 1) / up;
    auto x = std::make_shared<std::vector<float>>(std::size_t(P) + std::size_t(kIters * down));
    const auto in = wave(std::size_t(kIters * down), 2);
    std::copy(in.begin(), in.end(), x->begin() + P);
    auto y = std::make_shared<std::vector<float>>(std::size_t(kIters * up));
    VeksFIRState_32f* s = nullptr;
    veksFIRMRInitAlloc_32f(&s, taps->data(), kTaps, up, 0, down, 0, nullptr);
    std::shared_ptr<VeksFIRState_32f> state(s, [](VeksFIRState_32f* p) { veksFIRFree_32f(p); });
    vb::add(op, "veks", kIters, 0, [state, x, y, P, up] {
        veksFIR_32f(x->data() + P, y->data(), kIters, state.get());
        (void)up;
    });
    // Polyphase loop: output j at u-step n = j * down; newest input m0 = n / up,
    // phase p = n % up; taps p, p + up, ... against inputs m0, m0 - 1, ...
    vb::add(op, "loop", kIters, 0, [taps, x, y, P, up, down] {
        const float* xp = x->data() + P;
        const float* h = taps->data();
        for (int j = 0; j < kIters * up; ++j) {
            const int n = j * down, m0 = n / up, p = n % up;
            float acc = 0;
            for (int k = p, m = m0; k < kTaps; k += up, --m) acc += h[k] * xp[m];
            (*y)[std::size_t(j)] = acc;
        }
    });
}

int register_all() {
    register_pair(3, 2);
    register_pair(1, 4);
    return 0;
}
const int registered = register_all();

} // namespace
