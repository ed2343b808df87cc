// Averaged (Welch) spectra, their distinct peaks and an SVG plot of them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "audio_io.h"

enum class WindowKind { Hann, Hamming, Blackman, Kaiser };
WindowKind parse_window_kind(const std::string& name); // throws CliError

struct Spectrum {
    static constexpr int kOversampling = 4; // points per bin
    int size = 0;              // frame length N
    double rate = 0;           // sample rate, Hz
    long long frames = 0;      // frames averaged (over all channels)
    std::string window;        // window name
    std::vector<double> level; // N * kOversampling / 2 + 1 points from 0 Hz to
                               // half the rate: dBFS of a sine at that frequency
    std::vector<double> leakage; // level of a sine's window leakage i points away
                                 // from it, dB below the sine (non-increasing)
    double bin_hz() const { return rate / size; }                    // resolution
    double step_hz() const { return rate / (size * kOversampling); } // point spacing
};

// Feeds blocks of all channels; every full frame of N samples (hop N/2) is
// windowed, transformed by the real FFT and its power added up.
class WelchAverager {
public:
    WelchAverager(int order, WindowKind kind, int channels, double rate);
    ~WelchAverager();
    WelchAverager(const WelchAverager&) = delete;
    WelchAverager& operator=(const WelchAverager&) = delete;

    void feed(const Block& block);
    Spectrum result() const; // throws CliError when no frame was complete

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

struct Peak {
    double freq;  // Hz, between bins
    double level; // dBFS of a sine
};

// The count strongest distinct peaks, strongest first: local maxima whose
// prominence (height above the higher of the lowest points on either side
// before a higher bin or the end) is at least minProminence dB, and that
// rise above the window leakage of every stronger peak.
std::vector<Peak> find_peaks(const Spectrum& s, int count, double minProminence);

// Writes the plot through a temporary file renamed at the end.
void write_spectrum_svg(const std::string& path, const Spectrum& s, const std::vector<Peak>& peaks, bool logFrequency,
                        const std::string& title);
