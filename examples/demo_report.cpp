#include "demo_report.h"

#include <cmath>
#include <cstdio>

#include "veks.h"

namespace {

bool check(VekStatus st, const char* what) {
    if (st < 0) std::fprintf(stderr, "veks-demo: %s failed with status %d\n", what, st);
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

bool report_spectrum(const Signal&) { return true; }

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
