// Minimal reader for 16-bit PCM WAV files, with one-line error messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WavData {
    int channels = 0;
    int sample_rate = 0;
    std::vector<std::vector<float>> samples; // per channel, raw 16-bit values as floats
};

// Returns an empty string on success, otherwise a one-line description.
std::string read_wav16(const std::string& path, WavData& out);
