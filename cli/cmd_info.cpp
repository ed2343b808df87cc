// veks info: format, duration, levels and channel correlation, in one pass.
#include <cmath>
#include <cstdio>

#include "audio_io.h"
#include "cli.h"
#include "progress.h"

namespace {

double dbfs(double amplitude) { return amplitude > 0 ? 20.0 * std::log10(amplitude) : -INFINITY; }

} // namespace

int run_info(const std::vector<std::string>& argv) {
    Args args(argv, {"--quiet!"});
    args.expect_positional(1, "veks info IN");
    const std::string& path = args.positional()[0];
    AudioReader in(path);
    const int nch = in.channels();

    // Running sums in double: per channel sum and sum of squares, per pair
    // the sum of products; the peak is the largest magnitude.
    std::vector<double> sum(nch, 0), sumsq(nch, 0), peak(nch, 0);
    std::vector<std::vector<double>> cross(nch, std::vector<double>(nch, 0));
    std::vector<Vek64f> wide(1 << 14);
    Block block(nch, 1 << 14);
    long long frames = 0;
    Progress progress("info", in.frames(), args.flag("--quiet"));
    while (int n = in.read(block)) {
        for (int c = 0; c < nch; ++c) {
            const Vek32f* x = block.ch[c].data();
            Vek64f s = 0, sq = 0;
            Vek32f mx = 0;
            check_status(veksConvert_32f64f(x, wide.data(), n), "widening");
            check_status(veksSum_64f(wide.data(), n, &s), "sum");
            check_status(veksDotProd_32f64f(x, x, n, &sq), "sum of squares");
            check_status(veksNorm_Inf_32f(x, n, &mx), "peak");
            sum[c] += s;
            sumsq[c] += sq;
            peak[c] = std::fmax(peak[c], mx);
            for (int d = c + 1; d < nch; ++d) {
                Vek64f dp = 0;
                check_status(veksDotProd_32f64f(x, block.ch[d].data(), n, &dp), "cross product");
                cross[c][d] += dp;
            }
        }
        frames += n;
        progress.update(frames);
    }

    std::printf("file        %s\n", path.c_str());
    std::printf("format      %s, %d Hz, %d channel%s\n", in.describe().c_str(), in.rate(), nch, nch == 1 ? "" : "s");
    std::printf("length      %lld frames, %.3f s\n", frames, double(frames) / in.rate());
    if (frames == 0) return 0;
    std::printf("\nchannel         mean   RMS dBFS  peak dBFS\n");
    for (int c = 0; c < nch; ++c) {
        const double rms = std::sqrt(sumsq[c] / double(frames));
        std::printf("%7d  %+11.6f %10.2f %10.2f\n", c + 1, sum[c] / double(frames), dbfs(rms), dbfs(peak[c]));
    }
    if (nch > 1) {
        std::printf("\ncorrelation (Pearson, after removing each channel's mean)\n");
        for (int c = 0; c < nch; ++c)
            for (int d = c + 1; d < nch; ++d) {
                const double n = double(frames);
                const double cov = cross[c][d] - sum[c] * sum[d] / n;
                const double vc = sumsq[c] - sum[c] * sum[c] / n, vd = sumsq[d] - sum[d] * sum[d] / n;
                if (vc > 0 && vd > 0)
                    std::printf("  channels %d and %d: %+.4f\n", c + 1, d + 1, cov / std::sqrt(vc * vd));
                else
                    std::printf("  channels %d and %d: undefined (a silent or constant channel)\n", c + 1, d + 1);
            }
    }
    return 0;
}
