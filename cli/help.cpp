#include "help.h"

namespace {

const char* const kOverview = R"(usage: veks [COMMAND] [ARGUMENTS] [--quiet]

Spectra, filtering and resampling of audio files (WAV, FLAC, AIFF, AU with
8/16/24/32-bit integer or float samples) through the vekszn library.

  veks                          the demo report on a synthesised signal
  veks info IN                  format, duration, levels, channel correlation
  veks spectrum IN [options]    averaged spectrum, strongest peaks, SVG plot
  veks filter TYPE F... IN OUT  low-pass, high-pass, band-pass, band-stop
  veks resample RATE IN OUT     change the sample rate
  veks tone FREQ OUT [options]  write a test signal

Files are processed block by block; a progress bar appears on a terminal for
work that takes more than a second (--quiet hides it). Output keeps the
input's sample format and channel count unless --format says otherwise; an
output file appears only when the command succeeds. Bad input gives one line
on stderr and exit status 1.

`veks COMMAND --help` describes each command.
)";

const char* const kInfo = R"(usage: veks info IN [--quiet]

Prints the file's format, sample rate, channels, length and duration, then
per channel the mean, the RMS level and the peak level in dBFS (full scale
is +-1, so a full-scale sine has RMS -3.01 dBFS and peak 0 dBFS), and the
correlation of every pair of channels.

  --quiet       no progress bar
)";

const char* const kSpectrum = R"(usage: veks spectrum IN [-o FILE.svg] [--size N] [--window W] [--log]
                     [--peaks K] [--quiet]

Averaged magnitude spectrum (Welch's method): frames of N samples, half
overlapping, windowed, through the real FFT; the power of all frames and
channels is averaged. Prints the strongest distinct peaks: local maxima of
the averaged spectrum that stand at least 10 dB above the lowest point
between them and any higher part of the spectrum (so ripples of one broad
feature count once) and above the window leakage of every stronger peak.
Each peak's frequency and level are refined between bins (the transform is
zero-padded to four points per bin, then a parabola is fitted through the
dB levels around the top). Levels are in dBFS of a sine: a full-scale sine
shows 0 dBFS.

  -o FILE.svg   also write a plot: level in dB against frequency
  --log         logarithmic frequency axis in the plot
  --size N      frame length, a power of two from 64 to 65536 (default 4096;
                reduced to fit a shorter file)
  --window W    hann (default), hamming, blackman or kaiser (beta 9)
  --peaks K     how many peaks to list, 1 to 100 (default 8)
  --quiet       no progress bar
)";

const char* const kFilter = R"(usage: veks filter lowpass|highpass F IN OUT [--taps N] [--window W]
                                            [--iir ORDER] [--format FMT]
       veks filter bandpass|bandstop F1 F2 IN OUT [--taps N] [--window W]
                                            [--format FMT]

Filters every channel. Frequencies are in Hz, above 0 and below half the
sample rate (F1 < F2). By default an FIR filter designed by the window
method: linear phase, delaying the signal by (N-1)/2 samples (the output
has as many samples as the input).

  --taps N      FIR length, 5 to 32767 (default 255; band-stop needs odd N)
  --window W    design window: blackman (default), hamming, hann, bartlett
                or rect (no window)
  --iir ORDER   instead an IIR Butterworth filter of order 1 to 12
                (low-pass and high-pass only)
  --format FMT  output samples: wav16, wav24, wav32 or float
  --quiet       no progress bar
)";

const char* const kResample = R"(usage: veks resample RATE IN OUT [--format FMT] [--quiet]

Converts to RATE Hz (1000 to 768000) by a rational factor up/down = RATE /
input rate in lowest terms (each at most 1024): zero insertion, a low-pass
filter and decimation in one multirate FIR pass. The low-pass is designed by
the window method (Blackman) with its edge at 0.45 of the lower of the two
rates, 64 taps per phase (at least 2048); its delay is taken out, so the
output is aligned with the input and has ceil(frames * up / down) frames.

  --format FMT  output samples: wav16, wav24, wav32 or float
  --quiet       no progress bar
)";

const char* const kTone = R"(usage: veks tone FREQ[,FREQ...] OUT [--seconds S] [--rate R] [--level DBFS]
                 [--noise DBFS] [--channels C] [--fade MS] [--format FMT]

Writes a test signal: one cosine per frequency, each with peak level DBFS,
plus optional Gaussian noise with RMS level DBFS, in every channel. The
container follows OUT's extension (.wav, .flac, .aif/.aiff, .au).

  --seconds S   length, up to 3600 (default 1)
  --rate R      sample rate in Hz, 1000 to 768000 (default 48000)
  --level DBFS  peak level of each tone, at most 0 (default -6)
  --noise DBFS  add noise at this RMS level (default none)
  --channels C  1 to 16 (default 1); the tones are alike, the noise differs
  --fade MS     raised-cosine fade in and out, in milliseconds (default 0)
  --format FMT  wav16 (default), wav24, wav32 or float
  --quiet       no progress bar
)";

} // namespace

const char* help_text(const std::string& command) {
    if (command == "info") return kInfo;
    if (command == "spectrum") return kSpectrum;
    if (command == "filter") return kFilter;
    if (command == "resample") return kResample;
    if (command == "tone") return kTone;
    return kOverview;
}
