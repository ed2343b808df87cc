// veks-demo: runs a signal through the library and prints a short report.
// With no argument it synthesises a test signal; given a 16-bit PCM WAV
// file it analyses that file instead.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "veks.h"
#include "wav.h"

namespace {

struct Signal {
    std::string source;
    int sample_rate;
    std::vector<std::vector<float>> channels;
};

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

bool check(VekStatus st, const char* what) {
    if (st < 0) std::fprintf(stderr, "veks-demo: %s failed with status %d\n", what, st);
    return st >= 0;
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
        const std::string err = read_wav16(argv[1], wav);
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
    const int nch = static_cast<int>(sig.channels.size());
    std::printf("signal      %s\n", sig.source.c_str());
    std::printf("            %d channel(s), %d samples each, %d Hz, %.3f s\n", nch, len, sig.sample_rate,
                double(len) / sig.sample_rate);

    // Interleave back to 16-bit PCM: the round trip of the decoded samples.
    std::vector<const Vek32f*> ptrs;
    for (auto& c : sig.channels) ptrs.push_back(c.data());
    Vek16s* pcm = veksMalloc_16s(len * nch);
    if (pcm == nullptr) {
        std::fprintf(stderr, "veks-demo: out of memory\n");
        return 1;
    }
    bool ok = check(veksJoin_32f16s_D2L(ptrs.data(), nch, len, pcm), "interleaving");

    // Reverse a copy of the first channel and compare ends: a sanity check
    // of the movement functions on real data.
    Vek32f* rev = veksMalloc_32f(len);
    ok = ok && rev != nullptr && check(veksFlip_32f(sig.channels[0].data(), rev, len), "reversal");
    if (ok) {
        std::printf("interleave  %d frames -> %d PCM samples; first frame:", len, len * nch);
        for (int c = 0; c < nch && c < 8; ++c) std::printf(" %d", pcm[c]);
        std::printf("\nreverse     last sample of channel 1 = %.1f (first of its reversal %.1f)\n",
                    sig.channels[0][len - 1], rev[0]);
    }
    veksFree(rev);
    veksFree(pcm);
    return ok ? 0 : 1;
}
