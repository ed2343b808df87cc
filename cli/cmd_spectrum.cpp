// veks spectrum: averaged spectrum, its strongest distinct peaks, a plot.
#include <cstdio>

#include "audio_io.h"
#include "cli.h"
#include "progress.h"
#include "spectrum.h"

int run_spectrum(const std::vector<std::string>& argv) {
    Args args(argv, {"-o", "--size", "--window", "--log!", "--peaks", "--quiet!"});
    args.expect_positional(1, "veks spectrum IN [-o FILE.svg] [--size N] [--window W] [--log]");
    const std::string& path = args.positional()[0];
    const long size = args.integer("--size", 4096, 64, 65536);
    if (size & (size - 1)) throw CliError("--size must be a power of two, not " + std::to_string(size));
    const WindowKind kind = parse_window_kind(args.text("--window", "hann"));
    const int count = static_cast<int>(args.integer("--peaks", 8, 1, 100));
    const std::string svg = args.text("-o", "");

    AudioReader in(path);
    int order = 0;
    while ((2L << order) <= size) ++order;
    // A file shorter than one frame gets the longest frame that fits.
    while (order > 6 && (1LL << order) > in.frames()) --order;
    if ((1LL << order) > in.frames())
        throw CliError(path + ": too short for a spectrum (" + std::to_string(in.frames()) + " frames, at least 64)");

    WelchAverager welch(order, kind, in.channels(), in.rate());
    Block block(in.channels(), 1 << 14);
    long long done = 0;
    Progress progress("spectrum", in.frames(), args.flag("--quiet"));
    while (int n = in.read(block)) {
        welch.feed(block);
        done += n;
        progress.update(done);
    }
    const Spectrum s = welch.result();
    const std::vector<Peak> peaks = find_peaks(s, count, 10.0);

    // The plot first: if it cannot be written, nothing else is printed.
    if (!svg.empty())
        write_spectrum_svg(svg, s, peaks, args.flag("--log"),
                           "Spectrum of " + path + " (" + std::to_string(s.size) + "-point " + s.window + ")");
    std::printf("%s: %d-point frames (%s window), %lld averaged over %d channel%s, bin %.3f Hz\n", path.c_str(), s.size,
                s.window.c_str(), s.frames, in.channels(), in.channels() == 1 ? "" : "s", s.bin_hz());
    std::printf("strongest peaks:\n");
    for (const Peak& p : peaks) std::printf("  %12.3f Hz  %8.2f dBFS\n", p.freq, p.level);
    if (peaks.empty()) std::printf("  (none: no local maximum stands 10 dB above its surroundings)\n");
    if (!svg.empty()) std::printf("plot written to %s\n", svg.c_str());
    return 0;
}
