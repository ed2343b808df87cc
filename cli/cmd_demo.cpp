// veks with no arguments: the demo report on a synthesised two-channel signal.
#include <cmath>
#include <cstdio>

#include "cli.h"
#include "demo_report.h"

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

int run_demo() {
    const Signal sig = synthesise();
    const VekLibraryVersion* v = veksGetLibVersion();
    std::printf("%s %s (%s)\n", v->Name, v->Version, v->BuildDate);
    const int len = static_cast<int>(sig.channels[0].size());
    std::printf("signal      %s\n", sig.source.c_str());
    std::printf("            %zu channel(s), %d samples each, %d Hz, %.3f s\n", sig.channels.size(), len,
                sig.sample_rate, double(len) / sig.sample_rate);
    const bool ok = report_levels(sig) && report_spectrum(sig) && report_pcm_round_trip(sig);
    if (ok) std::printf("\nveks --help lists the commands that work on audio files.\n");
    return ok ? 0 : 1;
}
