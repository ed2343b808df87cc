#include "demo_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "veks.h"

namespace {

bool check(VekStatus st, const char* what) {
    if (st < 0) std::fprintf(stderr, "veks: %s failed with status %d\n", what, st);
    return st >= 0;
}

double dbfs(double x) { return x > 0 ? 20.0 * std::log10(x / 32768.0) : -INFINITY; }

} // namespace

bool report_levels(const Signal& sig) {
    const int len = static_cast<int>(sig.channels[0].size());
    std::printf("\nlevels      channel     mean   std dev      min      max   RMS dBFS  peak dBFS\n");
    for (std::size_t c = 0; c < sig.channels.size(); ++c) {
        const Vek32f* x = sig.channels[c].data();
        Vek32f mean = 0, sd = 0, mn = 0, mx = 0, l2 = 0;
        if (!check(veksMeanStdDev_32f(x, len, &mean, &sd), "mean and deviation") ||
            !check(veksMinMax_32f(x, len, &mn, &mx), "extremes") || !check(veksNorm_L2_32f(x, len, &l2), "norm"))
            return false;
        const double rms = l2 / std::sqrt(double(len));
        const double peak = std::fmax(std::fabs(mn), std::fabs(mx));
        std::printf("            %7zu %8.1f %9.1f %8.0f %8.0f %10.2f %10.2f\n", c + 1, mean, sd, mn, mx, dbfs(rms),
                    dbfs(peak));
    }
    if (sig.channels.size() >= 2) {
        Vek32f dp = 0, n0 = 0, n1 = 0;
        if (!check(veksDotProd_32f(sig.channels[0].data(), sig.channels[1].data(), len, &dp), "dot product") ||
            !check(veksNorm_L2_32f(sig.channels[0].data(), len, &n0), "norm") ||
            !check(veksNorm_L2_32f(sig.channels[1].data(), len, &n1), "norm"))
            return false;
        std::printf("            correlation of channels 1 and 2: %.3f\n", n0 > 0 && n1 > 0 ? dp / (n0 * n1) : 0.0);
    }
    return true;
}

// A sinusoid of amplitude A at bin k + d (|d| < 1) under a Hann window,
// through the forward FFT scaled by 1/n, has magnitude (A / 4) * W(d) at
// bin k, with W(d) = sinc(d) / (1 - d^2). The ratio r of the larger
// neighbour to the peak is (1 + |d|) / (2 - |d|), so |d| = (2r - 1) / (r + 1)
// exactly for a lone tone between bins.
HannPeak hann_peak(double peak, double left, double right) {
    const double r = std::max(left, right) / peak;
    double d = (2 * r - 1) / (r + 1);
    d = std::clamp(d, 0.0, 0.5) * (right >= left ? 1 : -1);
    const double w = d == 0 ? 1 : std::sin(M_PI * d) / (M_PI * d) / (1 - d * d);
    return {d, 4 * peak / w};
}

bool report_spectrum(const Signal& sig) {
    // One frame of the first channel: the largest power of two that fits, at
    // most 2^16 samples, Hann-windowed, through the real FFT in CCS layout.
    const int len = static_cast<int>(sig.channels[0].size());
    int order = 0;
    while (order < 16 && (2 << order) <= len) ++order;
    const int n = 1 << order;
    if (n < 64) {
        std::printf("\nspectrum    (signal too short for a spectrum)\n");
        return true;
    }
    std::vector<Vek32f> frame(n), ccs(n + 2), mag(n / 2 + 1);
    for (int i = 0; i < n; ++i)
        frame[i] = static_cast<Vek32f>(sig.channels[0][i] * (0.5 - 0.5 * std::cos(2 * M_PI * i / n)));

    VeksFFTSpec_R_32f* spec = nullptr;
    if (!check(veksFFTInitAlloc_R_32f(&spec, order, vekFftNormFwd, vekHintDefault), "FFT set-up")) return false;
    const bool ok = check(veksFFTFwd_RToCCS_32f(frame.data(), ccs.data(), spec, nullptr), "FFT") &&
                    check(veksMagnitude_32fc(reinterpret_cast<const Vek32fc*>(ccs.data()), mag.data(), n / 2 + 1),
                          "magnitude");
    veksFFTFree_R_32f(spec);
    if (!ok) return false;

    // The strongest local maxima, each refined from its larger neighbour by
    // the shape of the Hann window's spectrum, reported in Hz.
    std::printf("\nspectrum    %d-point frame of channel 1 (Hann window), strongest peaks:\n", n);
    // Peaks more than 40 dB below the strongest are leakage, not tones.
    std::vector<Vek32f> work(mag);
    const double bin_hz = double(sig.sample_rate) / n;
    double strongest = 0;
    for (int peak = 0; peak < 4; ++peak) {
        Vek32f top = 0;
        int k = 0;
        if (!check(veksMaxIndx_32f(work.data(), n / 2 + 1, &top, &k), "peak search")) return false;
        if (top <= 0 || top < strongest / 100) break;
        strongest = std::max<double>(strongest, top);
        const double left = k > 0 ? mag[k - 1] : 0, right = k < n / 2 ? mag[k + 1] : 0;
        const HannPeak tone = hann_peak(top, left, right);
        const double offset = tone.offset, amplitude = tone.amplitude;
        std::printf("            %9.1f Hz  amplitude %8.1f  (%6.1f dBFS)\n", (k + offset) * bin_hz, amplitude,
                    dbfs(amplitude));
        for (int j = std::max(0, k - 8); j <= std::min(n / 2, k + 8); ++j) work[j] = 0;
    }
    return true;
}

bool report_pcm_round_trip(const Signal& sig) {
    const int len = static_cast<int>(sig.channels[0].size());
    const int nch = static_cast<int>(sig.channels.size());
    std::vector<const Vek32f*> ptrs;
    for (auto& c : sig.channels) ptrs.push_back(c.data());
    std::vector<Vek16s> pcm(static_cast<std::size_t>(len) * nch);
    if (!check(veksJoin_32f16s_D2L(ptrs.data(), nch, len, pcm.data()), "interleaving")) return false;

    // Back to float through the scaled split ([-1, 1]) and to 16-bit again.
    std::vector<std::vector<Vek32f>> back(nch, std::vector<Vek32f>(len));
    std::vector<Vek32f*> out;
    for (auto& c : back) out.push_back(c.data());
    if (!check(veksSplitScaled_16s32f_D2L(pcm.data(), nch, out.data(), len), "de-interleaving")) return false;
    std::vector<const Vek32f*> in(out.begin(), out.end());
    std::vector<Vek16s> again(pcm.size());
    if (!check(veksJoinScaled_32f16s_D2L(in.data(), nch, len, again.data()), "scaled interleaving")) return false;
    std::size_t same = 0;
    for (std::size_t i = 0; i < pcm.size(); ++i) same += pcm[i] == again[i];
    std::printf("\npcm         %zu samples interleaved to 16-bit; split to [-1, 1] and joined again: %zu of %zu identical\n",
                pcm.size(), same, pcm.size());
    return true;
}
