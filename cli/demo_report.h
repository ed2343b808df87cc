// Report sections of the demo (veks with no arguments); each returns false
// after printing a one-line error when a library call fails.
#pragma once

#include <string>
#include <vector>

struct Signal {
    std::string source;
    int sample_rate = 0;
    std::vector<std::vector<float>> channels; // equal lengths, 16-bit sample values
};

bool report_levels(const Signal& sig);          // statistics per channel
bool report_spectrum(const Signal& sig);        // strongest spectral peaks
bool report_pcm_round_trip(const Signal& sig);  // interleave to 16-bit and back
