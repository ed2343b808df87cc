// veks-demo: runs a signal through the library and prints a short report.
// With no argument it synthesises a test signal; given a 16-bit PCM WAV
// file it analyses that file instead.
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "demo_report.h"
#include "veks.h"
#include "wav.h"

namespace {

Signal synthesise() {
    const int rate = 48000, n = 48000;
    std::vector<float> left(n), right(n);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        left[i] = static_cast<float>(12000.0 * std::sin(2 * M_PI * 440.0 * t) + 3000.0 * std::sin(2 * M_PI * 3000.0 * t));
        right[i] = static_cast<float>(8000.0 * std::sin(2 * M_PI * 1000.0 * t + 0.3));
    }
    return {"synthesised: 440 Hz + 3 kHz (left), 1 kHz (right), 1 s at 48 kHz", rate, {left, right}};
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: veks-demo [file.wav]\n");
        return 2;
    }
    Signal sig;
    if (argc == 2) {
        WavData wav;
        std::string err;
        try {
            err = read_wav16(argv[1], wav);
        } catch (const std::exception& e) { // out of memory for a huge file
            err = std::string("cannot load '") + argv[1] + "': " + e.what();
        }
        if (!err.empty()) {
            std::fprintf(stderr, "veks-demo: %s\n", err.c_str());
            return 1;
        }
        sig = {std::string("file: ") + argv[1], wav.sample_rate, wav.samples};
    } else {
        sig = synthesise();
    }

    const VekLibraryVersion* v = veksGetLibVersion();
    std::printf("%s %s (%s)\n", v->Name, v->Version, v->BuildDate);
    const int len = static_cast<int>(sig.channels[0].size());
    std::printf("signal      %s\n", sig.source.c_str());
    std::printf("            %zu channel(s), %d samples each, %d Hz, %.3f s\n", sig.channels.size(), len,
                sig.sample_rate, double(len) / sig.sample_rate);

    const bool ok = report_levels(sig) && report_spectrum(sig) && report_pcm_round_trip(sig);
    return ok ? 0 : 1;
}
