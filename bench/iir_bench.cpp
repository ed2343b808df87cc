// veksIIR_32f on biquad cascades of 1, 2, 4 and 8 sections and on an
// arbitrary-order filter of order 8, blocks of 16 Ki samples, against a plain
// transposed-direct-form-II loop over the same taps and against liquid-dsp's
// iirfilt_rrrf built from the same second-order sections.
// Names: "IIR_32f_BiQuad<k>/<impl>/16384", "IIR_32f_Order8/<impl>/16384".
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "bench_util.h"
#include "veks.h"

#ifdef VEKS_BENCH_HAVE_LIQUID
#include <complex.h>
#include <liquid/liquid.h>
#endif

namespace {

constexpr int kLen = 16384;

std::vector<float> signal() {
    std::vector<float> x(kLen);
    for (int i = 0; i < kLen; ++i) x[i] = static_cast<float>(std::sin(0.37 * i) + 0.25 * std::cos(0.011 * i));
    return x;
}

// Stable sections, a0 = 1: b0 b1 b2 a0 a1 a2.
std::vector<float> sections(int nb) {
    std::vector<float> t;
    for (int s = 0; s < nb; ++s) {
        const float r = 0.6f + 0.04f * s, w = 0.3f + 0.2f * s;
        t.insert(t.end(), {0.2f, 0.1f * s, -0.05f, 1.0f, -2 * r * std::cos(w), r * r});
    }
    return t;
}

// Order 8 as one polynomial: the product of four sections.
std::vector<float> order8() {
    std::vector<double> b{1}, a{1};
    const std::vector<float> s = sections(4);
    auto mul = [](std::vector<double>& p, double c0, double c1, double c2) {
        std::vector<double> r(p.size() + 2, 0.0);
        for (std::size_t i = 0; i < p.size(); ++i) {
            r[i] += p[i] * c0;
            r[i + 1] += p[i] * c1;
            r[i + 2] += p[i] * c2;
        }
        p = r;
    };
    for (int k = 0; k < 4; ++k) {
        mul(b, s[6 * k], s[6 * k + 1], s[6 * k + 2]);
        mul(a, s[6 * k + 3], s[6 * k + 4], s[6 * k + 5]);
    }
    std::vector<float> t(b.begin(), b.end());
    t.insert(t.end(), a.begin(), a.end());
    return t;
}

void add_biquads(int nb) {
    const std::string op = "IIR_32f_BiQuad" + std::to_string(nb);
    const std::vector<float> taps = sections(nb);
    auto x = std::make_shared<std::vector<float>>(signal());
    auto y = std::make_shared<std::vector<float>>(kLen);

    VeksIIRState_32f* st = nullptr;
    veksIIRInitAlloc_BiQuad_32f(&st, taps.data(), nb, nullptr);
    std::shared_ptr<VeksIIRState_32f> state(st, [](VeksIIRState_32f* p) { veksIIRFree_32f(p); });
    vb::add(op, "veks", kLen, 8, [state, x, y] { veksIIR_32f(x->data(), y->data(), kLen, state.get()); });

    // The plain loop keeps its delay line in memory, as a generic loop must.
    auto d = std::make_shared<std::vector<float>>(2 * nb, 0.0f);
    auto norm = std::make_shared<std::vector<float>>();
    for (int s = 0; s < nb; ++s)
        for (int k : {0, 1, 2, 4, 5}) norm->push_back(taps[6 * s + k]);
    vb::add(op, "loop", kLen, 8, [nb, norm, d, x, y] {
        const float* t = norm->data();
        float* dl = d->data();
        for (int i = 0; i < kLen; ++i) {
            float v = (*x)[i];
            for (int s = 0; s < nb; ++s) {
                const float* c = t + 5 * s;
                float* ds = dl + 2 * s;
                const float out = c[0] * v + ds[0];
                ds[0] = c[1] * v + ds[1] - c[3] * out;
                ds[1] = c[2] * v - c[4] * out;
                v = out;
            }
            (*y)[i] = v;
        }
    });

#ifdef VEKS_BENCH_HAVE_LIQUID
    std::vector<float> b, a;
    for (int s = 0; s < nb; ++s) {
        b.insert(b.end(), taps.begin() + 6 * s, taps.begin() + 6 * s + 3);
        a.insert(a.end(), taps.begin() + 6 * s + 3, taps.begin() + 6 * s + 6);
    }
    std::shared_ptr<iirfilt_rrrf_s> q(iirfilt_rrrf_create_sos(b.data(), a.data(), unsigned(nb)), iirfilt_rrrf_destroy);
    vb::add(op, "liquid", kLen, 8, [q, x, y] { iirfilt_rrrf_execute_block(q.get(), x->data(), kLen, y->data()); });
#endif
}

void add_order8() {
    const std::string op = "IIR_32f_Order8";
    const std::vector<float> taps = order8();
    constexpr int n = 8;
    auto x = std::make_shared<std::vector<float>>(signal());
    auto y = std::make_shared<std::vector<float>>(kLen);
    VeksIIRState_32f* st = nullptr;
    veksIIRInitAlloc_32f(&st, taps.data(), n, nullptr);
    std::shared_ptr<VeksIIRState_32f> state(st, [](VeksIIRState_32f* p) { veksIIRFree_32f(p); });
    vb::add(op, "veks", kLen, 8, [state, x, y] { veksIIR_32f(x->data(), y->data(), kLen, state.get()); });

    auto d = std::make_shared<std::vector<float>>(n + 1, 0.0f);
    vb::add(op, "loop", kLen, 8, [taps, d, x, y] {
        const float* b = taps.data();
        const float* a = taps.data() + n + 1;
        float* dl = d->data();
        for (int i = 0; i < kLen; ++i) {
            const float xi = (*x)[i];
            const float out = b[0] * xi + dl[0];
            for (int k = 0; k < n; ++k) dl[k] = b[k + 1] * xi - a[k + 1] * out + dl[k + 1];
            (*y)[i] = out;
        }
    });
}

const int registered = [] {
    for (int nb : {1, 2, 4, 8}) add_biquads(nb);
    add_order8();
    return 0;
}();

} // namespace
