// Wavelet transforms against plain loops that compute the same results:
// the two-filter forward transform (8 taps per band, 1 Mi input samples)
// against the two decimated convolutions written out, and the Haar forward
// transform against its pair loop.
#include <memory>
#include <random>
#include <vector>

#include "bench_util.h"
#include "veks.h"

namespace {

constexpr int kSamples = 1 << 20;
constexpr int kTaps = 8;

std::vector<float> random_floats(int n, unsigned seed) {
    std::vector<float> v(n);
    std::mt19937 g(seed);
    for (auto& x : v) x = std::uniform_real_distribution<float>(-1, 1)(g);
    return v;
}

// band[k] = sum_j h[j] x[2k - j] for both bands, zero before the start.
void plain_wt_fwd(const float* x, int n, const float* hl, const float* hh, float* lo, float* hi) {
    constexpr int kWarm = kTaps / 2; // outputs that reach before the first sample
    for (int k = 0; k < n; ++k) {
        float a = 0, b = 0;
        if (k < kWarm) {
            for (int j = 0; j <= 2 * k; ++j) {
                a += hl[j] * x[2 * k - j];
                b += hh[j] * x[2 * k - j];
            }
        } else {
            for (int j = 0; j < kTaps; ++j) {
                a += hl[j] * x[2 * k - j];
                b += hh[j] * x[2 * k - j];
            }
        }
        lo[k] = a;
        hi[k] = b;
    }
}

void plain_haar_fwd(const float* x, int len, float* lo, float* hi) {
    for (int k = 0; k < len / 2; ++k) {
        const float h = (x[2 * k + 1] - x[2 * k]) * 0.5f;
        hi[k] = h;
        lo[k] = x[2 * k] + h;
    }
}

struct Data {
    std::vector<float> x = random_floats(kSamples, 1), hl = random_floats(kTaps, 2), hh = random_floats(kTaps, 3);
    std::vector<float> lo = std::vector<float>(kSamples / 2), hi = std::vector<float>(kSamples / 2);
};

const int registered = [] {
    auto d = std::make_shared<Data>();
    const int n = kSamples / 2;
    std::shared_ptr<VeksWTFwdState_32f> st;
    {
        VeksWTFwdState_32f* p = nullptr;
        veksWTFwdInitAlloc_32f(&p, d->hl.data(), kTaps, 0, d->hh.data(), kTaps, 0);
        st.reset(p, veksWTFwdFree_32f);
    }
    vb::add("WTFwd_32f_8taps", "veks", kSamples, 12, [d, st, n] {
        veksWTFwd_32f(d->x.data(), d->lo.data(), d->hi.data(), n, st.get());
    });
    vb::add("WTFwd_32f_8taps", "plain", kSamples, 12, [d, n] {
        plain_wt_fwd(d->x.data(), n, d->hl.data(), d->hh.data(), d->lo.data(), d->hi.data());
    });
    vb::add("WTHaarFwd_32f", "veks", kSamples, 8, [d] {
        veksWTHaarFwd_32f(d->x.data(), kSamples, d->lo.data(), d->hi.data());
    });
    vb::add("WTHaarFwd_32f", "plain", kSamples, 8, [d] {
        plain_haar_fwd(d->x.data(), kSamples, d->lo.data(), d->hi.data());
    });
    return 0;
}();

} // namespace
