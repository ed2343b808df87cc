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

// A tone's offset from its peak bin (in bins) and its amplitude, from the
// magnitudes of the peak bin and its neighbours in a Hann-windowed
// spectrum scaled by 1/n.
struct HannPeak { double offset, amplitude; };
HannPeak hann_peak(double peak, double left, double right);

bool report_levels(const Signal& sig);          // statistics per channel
bool report_spectrum(const Signal& sig);        // strongest spectral peaks
bool report_pcm_round_trip(const Signal& sig);  // interleave to 16-bit and back
