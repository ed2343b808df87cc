// Audio files through libsndfile, block by block, as planar single-precision
// channels with full scale at +-1. Samples are converted by the library's
// scaled conversions: 16- and 24-bit data through SplitScaled / JoinScaled,
// 32-bit data through the scaled integer conversions (rounding to nearest,
// saturating), float data as it is.
#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

#include "veks.h"

// How samples are held in a file, as far as conversion is concerned.
enum class Encoding { Pcm16, Pcm24, Pcm32, Float };

// Planar block: channel c is ch[c], frames valid samples long.
struct Block {
    std::vector<std::vector<Vek32f>> ch;
    int frames = 0;
    Block(int channels, int capacity) : ch(channels, std::vector<Vek32f>(capacity)) {}
    int capacity() const { return ch.empty() ? 0 : static_cast<int>(ch[0].size()); }
};

class AudioReader {
public:
    explicit AudioReader(const std::string& path); // throws CliError
    ~AudioReader();
    AudioReader(const AudioReader&) = delete;
    AudioReader& operator=(const AudioReader&) = delete;

    int channels() const { return info_.channels; }
    int rate() const { return info_.samplerate; }
    long long frames() const { return info_.frames; }
    int format() const { return info_.format; }
    Encoding encoding() const { return encoding_; }
    std::string describe() const; // "WAV, 16-bit integer"

    // Fills the block with up to its capacity of frames; returns the count
    // read (0 at the end of the file).
    int read(Block& block);

private:
    std::string path_;
    SF_INFO info_{};
    SNDFILE* file_ = nullptr;
    Encoding encoding_ = Encoding::Float;
    std::vector<Vek32s> ints_;
    std::vector<Vek16s> shorts_;
    std::vector<Vek8u> packed_;
    std::vector<Vek32f> floats_;
};

// Writes to a temporary file beside the destination and renames it over the
// destination on commit(); if the writer goes away uncommitted (an error, an
// interrupt) the temporary file is removed, so no partial output is left.
class AudioWriter {
public:
    AudioWriter(const std::string& path, int rate, int channels, int format); // throws CliError
    ~AudioWriter();
    AudioWriter(const AudioWriter&) = delete;
    AudioWriter& operator=(const AudioWriter&) = delete;

    void write(const Block& block); // block.frames frames
    void commit();

private:
    std::string path_, temp_;
    SNDFILE* file_ = nullptr;
    int channels_ = 0;
    Encoding encoding_ = Encoding::Float;
    std::vector<Vek32s> ints_;
    std::vector<Vek16s> shorts_;
    std::vector<Vek8u> packed_;
    std::vector<Vek32f> floats_;
};

// The libsndfile format for an output file: the container from the file
// name's extension (.wav, .flac, .aif/.aiff, .au), else fallbackFormat's; the
// sample type from formatName (wav16, wav24, wav32, float) when it is not
// empty, else fallbackFormat's. Throws CliError for an unknown name or a
// combination the container cannot hold.
int output_format(const std::string& path, const std::string& formatName, int fallbackFormat, int rate, int channels);

// Removes the temporary file of a writer that is still open (from a signal
// handler: async-signal-safe).
void remove_pending_output();
