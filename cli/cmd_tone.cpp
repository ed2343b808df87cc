// veks tone: cosines and Gaussian noise from the library's generators.
#include <cmath>
#include <memory>
#include <sstream>

#include "audio_io.h"
#include "cli.h"
#include "progress.h"

namespace {

std::vector<double> parse_frequencies(const std::string& list, double rate) {
    std::vector<double> out;
    std::stringstream ss(list);
    std::string item;
    while (std::getline(ss, item, ',')) {
        const double f = parse_number(item, "frequency");
        if (f <= 0 || f >= rate / 2)
            throw CliError("frequency " + item + " Hz must be above 0 and below half the sample rate (" +
                           std::to_string(static_cast<long>(rate / 2)) + " Hz)");
        out.push_back(f);
    }
    if (out.empty()) throw CliError("no frequency given");
    return out;
}

struct GaussDeleter {
    void operator()(VeksRandGaussState_32f* s) const { veksRandGaussFree_32f(s); }
};
using GaussState = std::unique_ptr<VeksRandGaussState_32f, GaussDeleter>;

} // namespace

int run_tone(const std::vector<std::string>& argv) {
    Args args(argv, {"--seconds", "--rate", "--level", "--noise", "--channels", "--fade", "--format", "--quiet!"});
    args.expect_positional(2, "veks tone FREQ[,FREQ...] OUT [options] (see veks tone --help)");
    const long rate = args.integer("--rate", 48000, 1000, 768000);
    const std::vector<double> freqs = parse_frequencies(args.positional()[0], double(rate));
    const std::string& out_path = args.positional()[1];
    const double seconds = args.number("--seconds", 1.0);
    if (!(seconds > 0 && seconds <= 3600)) throw CliError("--seconds must be above 0 and at most 3600");
    const double level = args.number("--level", -6.0);
    if (level > 0) throw CliError("--level must be at most 0 dBFS");
    const bool with_noise = args.has("--noise");
    const double noise = args.number("--noise", 0);
    if (noise > 0) throw CliError("--noise must be at most 0 dBFS");
    const int nch = static_cast<int>(args.integer("--channels", 1, 1, 16));
    const double fade_ms = args.number("--fade", 0);
    if (fade_ms < 0 || fade_ms * 0.001 * 2 > seconds) throw CliError("--fade must be at least 0 and at most half the length");

    const long long total = std::llround(seconds * rate);
    if (total < 1) throw CliError("--seconds gives no samples at this rate");
    const long long fade = std::llround(fade_ms * 0.001 * rate);
    const int format = output_format(out_path, args.text("--format", ""), SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                                     static_cast<int>(rate), nch);

    std::vector<GaussState> noise_states;
    if (with_noise) {
        for (int c = 0; c < nch; ++c) {
            VeksRandGaussState_32f* s = nullptr;
            check_status(veksRandGaussInitAlloc_32f(&s, 0.0f, static_cast<Vek32f>(std::pow(10.0, noise / 20)), 1u + c),
                         "noise generator");
            noise_states.emplace_back(s);
        }
    }

    AudioWriter out(out_path, static_cast<int>(rate), nch, format);
    const int cap = 1 << 13;
    Block block(nch, cap);
    std::vector<Vek64f> sum(cap), one(cap);
    std::vector<Vek32f> grain(cap);
    std::vector<Vek64f> phase(freqs.size(), 0.0);
    const Vek64f magn = std::pow(10.0, level / 20);
    Progress progress("tone", total, args.flag("--quiet"));
    for (long long done = 0; done < total;) {
        const int n = static_cast<int>(std::min<long long>(cap, total - done));
        check_status(veksZero_64f(sum.data(), n), "zero fill");
        for (std::size_t i = 0; i < freqs.size(); ++i) {
            check_status(veksTone_Direct_64f(one.data(), n, magn, freqs[i] / rate, &phase[i]), "tone generator");
            check_status(veksAdd_64f_I(one.data(), sum.data(), n), "mixing");
        }
        check_status(veksConvert_64f32f(sum.data(), block.ch[0].data(), n), "narrowing");
        // Raised-cosine fades at both ends.
        for (int k = 0; k < n; ++k) {
            const long long pos = done + k, edge = std::min(pos, total - 1 - pos);
            if (edge < fade) block.ch[0][k] *= static_cast<Vek32f>(0.5 - 0.5 * std::cos(M_PI * (edge + 0.5) / fade));
        }
        for (int c = 0; c < nch; ++c) {
            if (c > 0) check_status(veksCopy_32f(block.ch[0].data(), block.ch[c].data(), n), "copy");
            if (with_noise) {
                check_status(veksRandGauss_32f(grain.data(), n, noise_states[c].get()), "noise generator");
                check_status(veksAdd_32f_I(grain.data(), block.ch[c].data(), n), "mixing");
            }
        }
        block.frames = n;
        out.write(block);
        done += n;
        progress.update(done);
    }
    out.commit();
    return 0;
}
