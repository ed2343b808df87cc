// veks filter: low-pass, high-pass, band-pass and band-stop filtering.
#include <cstdio>

#include "audio_io.h"
#include "cli.h"
#include "filters.h"
#include "progress.h"

namespace {

const char* const kUsage =
    "veks filter lowpass|highpass F IN OUT [options] or veks filter bandpass|bandstop F1 F2 IN OUT [options]";

Band parse_band(const std::string& name) {
    if (name == "lowpass") return Band::Lowpass;
    if (name == "highpass") return Band::Highpass;
    if (name == "bandpass") return Band::Bandpass;
    if (name == "bandstop") return Band::Bandstop;
    throw CliError("unknown filter type '" + name + "' (lowpass, highpass, bandpass or bandstop)");
}

// A frequency in Hz, checked against the file's rate, relative to it.
double relative_frequency(const std::string& text, int rate) {
    const double f = parse_number(text, "frequency");
    if (f <= 0 || f >= rate / 2.0)
        throw CliError("frequency " + text + " Hz must be above 0 and below half the sample rate (" +
                       std::to_string(rate / 2) + " Hz)");
    return f / rate;
}

} // namespace

int run_filter(const std::vector<std::string>& argv) {
    Args args(argv, {"--taps", "--window", "--iir", "--format", "--quiet!"});
    const std::vector<std::string>& pos = args.positional();
    if (pos.empty()) throw CliError(std::string("usage: ") + kUsage);
    const Band band = parse_band(pos[0]);
    const bool two = band == Band::Bandpass || band == Band::Bandstop;
    args.expect_positional(two ? 5 : 4, kUsage);
    const std::string& in_path = pos[two ? 3 : 2];
    const std::string& out_path = pos[two ? 4 : 3];

    const bool iir = args.has("--iir");
    if (iir && two) throw CliError("--iir is for lowpass and highpass filters");
    if (iir && (args.has("--taps") || args.has("--window"))) throw CliError("--iir does not take --taps or --window");
    const int order = static_cast<int>(args.integer("--iir", 4, 1, 12));
    const int taps = static_cast<int>(args.integer("--taps", 255, 5, 32767));
    if (band == Band::Bandstop && taps % 2 == 0) throw CliError("a band-stop filter needs an odd --taps");
    const int window = fir_window_code(args.text("--window", "blackman"));

    AudioReader in(in_path);
    const int rate = in.rate(), nch = in.channels();
    const double f1 = relative_frequency(pos[1], rate);
    const double f2 = two ? relative_frequency(pos[2], rate) : 0;
    if (two && f1 >= f2) throw CliError("F1 (" + pos[1] + " Hz) must be below F2 (" + pos[2] + " Hz)");
    const int format = output_format(out_path, args.text("--format", ""), in.format(), rate, nch);

    std::vector<std::unique_ptr<StreamFilter>> filters;
    if (iir) {
        const std::vector<Vek64f> t = design_iir(band, f1, order);
        for (int c = 0; c < nch; ++c) filters.push_back(make_iir(t, order));
    } else {
        const std::vector<Vek64f> t = design_fir(band, f1, f2, taps, window);
        for (int c = 0; c < nch; ++c) filters.push_back(make_fir(t));
    }

    AudioWriter out(out_path, rate, nch, format);
    Block block(nch, 1 << 14), filtered(nch, 1 << 14);
    long long done = 0;
    Progress progress("filter", in.frames(), args.flag("--quiet"));
    while (int n = in.read(block)) {
        for (int c = 0; c < nch; ++c) filters[c]->run(block.ch[c].data(), filtered.ch[c].data(), n);
        filtered.frames = n;
        out.write(filtered);
        done += n;
        progress.update(done);
    }
    out.commit();
    return 0;
}
