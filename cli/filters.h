// Filter design and per-channel streaming filters for the filter and
// resample commands, on the library's design functions and filter states.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "veks.h"

enum class Band { Lowpass, Highpass, Bandpass, Bandstop };

// Design-window code of the library's FIR design for a --window name
// (bartlett, blackman, hamming, hann, rect); throws CliError.
int fir_window_code(const std::string& name);

// Window-method FIR taps, gain normalised (DC, Nyquist or band centre).
// Frequencies are relative to the sample rate.
std::vector<Vek64f> design_fir(Band band, double f1, double f2, int taps, int windowCode);

// Butterworth IIR taps b0..bN, a0..aN (low-pass or high-pass).
std::vector<Vek64f> design_iir(Band band, double f, int order);

// Low-pass for rational resampling by up/down: cut-off at 0.45 of the lower
// rate, Kaiser window (beta 10), 64 taps per phase of max(up, down) plus one,
// gain up so that zero insertion keeps the level.
std::vector<Vek64f> design_resampler(int up, int down);

// One channel's filter, carrying its state from block to block.
class StreamFilter {
public:
    virtual ~StreamFilter() = default;
    virtual void run(const Vek32f* in, Vek32f* out, int n) = 0; // n >= 1
};

std::unique_ptr<StreamFilter> make_fir(const std::vector<Vek64f>& taps);
std::unique_ptr<StreamFilter> make_iir(const std::vector<Vek64f>& taps, int order);

// One channel's multirate FIR: each call of iters iterations reads iters *
// down samples and writes iters * up.
class Multirate {
public:
    Multirate(const std::vector<Vek64f>& taps, int up, int down, int downPhase);
    ~Multirate();
    Multirate(const Multirate&) = delete;
    Multirate& operator=(const Multirate&) = delete;
    void run(const Vek32f* in, Vek32f* out, int iters);

private:
    struct State;
    State* state_ = nullptr;
};
