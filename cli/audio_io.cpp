#include "audio_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli.h"

namespace {

// Path of the temporary file of the open writer, for the interrupt handler.
char g_pending_output[4096];

std::string sndfile_error(SNDFILE* f) {
    std::string s = sf_strerror(f);
    while (!s.empty() && (s.back() == '.' || s.back() == '\n' || s.back() == ' ')) s.pop_back();
    return s;
}

Encoding encoding_of(int format, const std::string& path) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16: return Encoding::Pcm16;
    case SF_FORMAT_PCM_24: return Encoding::Pcm24;
    case SF_FORMAT_PCM_32: return Encoding::Pcm32;
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE: return Encoding::Float;
    default: throw CliError(path + ": unsupported sample encoding (integer PCM or float only)");
    }
}

// Interleaved frame k, channel c is element k * channels + c.
template <class T>
void deinterleave(const T* src, int channels, int frames, std::vector<std::vector<T>>& dst) {
    for (int c = 0; c < channels; ++c)
        for (int k = 0; k < frames; ++k) dst[c][k] = src[static_cast<std::size_t>(k) * channels + c];
}

template <class T>
void interleave(const std::vector<std::vector<T>>& src, int channels, int frames, T* dst) {
    for (int c = 0; c < channels; ++c)
        for (int k = 0; k < frames; ++k) dst[static_cast<std::size_t>(k) * channels + c] = src[c][k];
}

std::vector<Vek32f*> channel_pointers(Block& b) {
    std::vector<Vek32f*> p;
    for (auto& c : b.ch) p.push_back(c.data());
    return p;
}

std::vector<const Vek32f*> channel_pointers(const Block& b) {
    std::vector<const Vek32f*> p;
    for (auto& c : b.ch) p.push_back(c.data());
    return p;
}

const char* container_name(int format) {
    switch (format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV: return "WAV";
    case SF_FORMAT_WAVEX: return "WAV (extensible)";
    case SF_FORMAT_AIFF: return "AIFF";
    case SF_FORMAT_AU: return "AU";
    case SF_FORMAT_FLAC: return "FLAC";
    case SF_FORMAT_W64: return "W64";
    case SF_FORMAT_RF64: return "RF64";
    case SF_FORMAT_CAF: return "CAF";
    default: return "audio";
    }
}

const char* sample_name(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8: return "8-bit signed integer";
    case SF_FORMAT_PCM_U8: return "8-bit unsigned integer";
    case SF_FORMAT_PCM_16: return "16-bit integer";
    case SF_FORMAT_PCM_24: return "24-bit integer";
    case SF_FORMAT_PCM_32: return "32-bit integer";
    case SF_FORMAT_FLOAT: return "32-bit float";
    case SF_FORMAT_DOUBLE: return "64-bit float";
    default: return "other encoding";
    }
}

std::string lower_extension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string e = path.substr(dot + 1);
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return e;
}

} // namespace

// ---- reading ---------------------------------------------------------------------

AudioReader::AudioReader(const std::string& path) : path_(path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) throw CliError(path + ": " + std::strerror(errno));
    if (S_ISDIR(st.st_mode)) throw CliError(path + ": is a directory");
    file_ = sf_open(path.c_str(), SFM_READ, &info_);
    if (!file_) throw CliError(path + ": not a readable audio file (" + sndfile_error(nullptr) + ")");
    try {
        encoding_ = encoding_of(info_.format, path);
        if (info_.channels < 1 || info_.samplerate < 1) throw CliError(path + ": no channels or no sample rate");
    } catch (...) {
        sf_close(file_);
        throw;
    }
}

AudioReader::~AudioReader() {
    if (file_) sf_close(file_);
}

std::string AudioReader::describe() const {
    return std::string(container_name(info_.format)) + ", " + sample_name(info_.format);
}

int AudioReader::read(Block& block) {
    const int nch = info_.channels, cap = block.capacity();
    const std::size_t total = static_cast<std::size_t>(cap) * nch;
    sf_count_t got = 0;
    switch (encoding_) {
    case Encoding::Pcm16:
        shorts_.resize(total);
        got = sf_readf_short(file_, shorts_.data(), cap);
        break;
    case Encoding::Pcm24:
    case Encoding::Pcm32:
        ints_.resize(total);
        got = sf_readf_int(file_, ints_.data(), cap);
        break;
    case Encoding::Float:
        floats_.resize(total);
        got = sf_readf_float(file_, floats_.data(), cap);
        break;
    }
    if (got < 0 || sf_error(file_) != SF_ERR_NO_ERROR) throw CliError(path_ + ": read error (" + sndfile_error(file_) + ")");
    const int n = static_cast<int>(got);
    block.frames = n;
    if (n == 0) return 0;
    auto out = channel_pointers(block);
    switch (encoding_) {
    case Encoding::Pcm16:
        check_status(veksSplitScaled_16s32f_D2L(shorts_.data(), nch, out.data(), n), "16-bit conversion");
        break;
    case Encoding::Pcm24:
        // libsndfile hands 24-bit samples over left-aligned in 32 bits.
        packed_.resize(total * 3);
        check_status(veksConvert_32s24s_Sfs(ints_.data(), packed_.data(), n * nch, 8), "24-bit packing");
        check_status(veksSplitScaled_24s32f_D2L(packed_.data(), nch, out.data(), n), "24-bit conversion");
        break;
    case Encoding::Pcm32: {
        std::vector<std::vector<Vek32s>> planar(nch, std::vector<Vek32s>(n));
        deinterleave(ints_.data(), nch, n, planar);
        for (int c = 0; c < nch; ++c)
            check_status(veksConvert_32s32f_Sfs(planar[c].data(), out[c], n, 31), "32-bit conversion");
        break;
    }
    case Encoding::Float: deinterleave(floats_.data(), nch, n, block.ch); break;
    }
    return n;
}

// ---- writing ---------------------------------------------------------------------

int output_format(const std::string& path, const std::string& formatName, int fallbackFormat, int rate, int channels) {
    const std::string ext = lower_extension(path);
    int major = fallbackFormat & SF_FORMAT_TYPEMASK;
    if (ext == "wav") major = SF_FORMAT_WAV;
    else if (ext == "flac") major = SF_FORMAT_FLAC;
    else if (ext == "aif" || ext == "aiff") major = SF_FORMAT_AIFF;
    else if (ext == "au") major = SF_FORMAT_AU;

    int sub = fallbackFormat & SF_FORMAT_SUBMASK;
    if (formatName == "wav16") sub = SF_FORMAT_PCM_16;
    else if (formatName == "wav24") sub = SF_FORMAT_PCM_24;
    else if (formatName == "wav32") sub = SF_FORMAT_PCM_32;
    else if (formatName == "float") sub = SF_FORMAT_FLOAT;
    else if (!formatName.empty()) throw CliError("unknown --format " + formatName + " (wav16, wav24, wav32 or float)");

    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = major | sub;
    if (!sf_format_check(&info))
        throw CliError(std::string(container_name(major)) + " files cannot hold " + sample_name(sub) +
                       " samples (choose another --format or file type)");
    return info.format;
}

AudioWriter::AudioWriter(const std::string& path, int rate, int channels, int format)
    : path_(path), channels_(channels), encoding_(encoding_of(format, path)) {
    const std::size_t slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) throw CliError(path + ": not a file name");
    std::string templ = (slash == std::string::npos ? std::string() : dir) + "." + base + ".veks-XXXXXX";
    std::vector<char> name(templ.begin(), templ.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) throw CliError(path + ": cannot create output (" + std::strerror(errno) + ")");
    temp_ = name.data();
    std::snprintf(g_pending_output, sizeof g_pending_output, "%s", temp_.c_str());

    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    file_ = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (!file_) {
        const std::string why = sndfile_error(nullptr);
        close(fd);
        unlink(temp_.c_str());
        g_pending_output[0] = '\0';
        throw CliError(path + ": cannot write this format (" + why + ")");
    }
}

AudioWriter::~AudioWriter() {
    if (file_) {
        sf_close(file_);
        unlink(temp_.c_str());
        g_pending_output[0] = '\0';
    }
}

void AudioWriter::write(const Block& block) {
    const int n = block.frames, nch = channels_;
    if (n < 1) return;
    const std::size_t total = static_cast<std::size_t>(n) * nch;
    auto in = channel_pointers(block);
    sf_count_t put = 0;
    switch (encoding_) {
    case Encoding::Pcm16:
        shorts_.resize(total);
        check_status(veksJoinScaled_32f16s_D2L(in.data(), nch, n, shorts_.data()), "16-bit conversion");
        put = sf_writef_short(file_, shorts_.data(), n);
        break;
    case Encoding::Pcm24:
        packed_.resize(total * 3);
        ints_.resize(total);
        check_status(veksJoinScaled_32f24s_D2L(in.data(), nch, n, packed_.data()), "24-bit conversion");
        check_status(veksConvert_24s32s(packed_.data(), ints_.data(), static_cast<int>(total)), "24-bit unpacking");
        check_status(veksLShiftC_32s_I(8, ints_.data(), static_cast<int>(total)), "24-bit alignment");
        put = sf_writef_int(file_, ints_.data(), n);
        break;
    case Encoding::Pcm32: {
        std::vector<std::vector<Vek32s>> planar(nch, std::vector<Vek32s>(n));
        for (int c = 0; c < nch; ++c)
            check_status(veksConvert_32f32s_Sfs(in[c], planar[c].data(), n, vekRoundHalfEven, -31), "32-bit conversion");
        ints_.resize(total);
        interleave(planar, nch, n, ints_.data());
        put = sf_writef_int(file_, ints_.data(), n);
        break;
    }
    case Encoding::Float:
        floats_.resize(total);
        interleave(block.ch, nch, n, floats_.data());
        put = sf_writef_float(file_, floats_.data(), n);
        break;
    }
    if (put != n) throw CliError(path_ + ": write error (" + sndfile_error(file_) + ")");
}

void AudioWriter::commit() {
    const int err = sf_close(file_);
    file_ = nullptr;
    if (err != 0) {
        unlink(temp_.c_str());
        g_pending_output[0] = '\0';
        throw CliError(path_ + ": write error (" + sf_error_number(err) + ")");
    }
    // mkstemp made the file private; give it the mode a new file would get.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(temp_.c_str(), 0666 & ~mask);
    if (rename(temp_.c_str(), path_.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        unlink(temp_.c_str());
        g_pending_output[0] = '\0';
        throw CliError(path_ + ": cannot create output (" + why + ")");
    }
    g_pending_output[0] = '\0';
}

void remove_pending_output() {
    if (g_pending_output[0]) unlink(g_pending_output);
}
