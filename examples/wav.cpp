#include "wav.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
std::uint32_t le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// The whole file as it reads now: read in blocks until the end, so a file
// that grows or shrinks meanwhile gives what was read. A directory or a
// read error gives a message instead.
std::string read_all(const std::string& path, std::vector<unsigned char>& b) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!f) return "cannot open '" + path + "': " + std::strerror(errno);
    unsigned char block[65536];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, f.get())) > 0) b.insert(b.end(), block, block + got);
    if (std::ferror(f.get())) return "cannot read '" + path + "': " + std::strerror(errno);
    return "";
}
} // namespace

std::string read_wav16(const std::string& path, WavData& out) {
    std::vector<unsigned char> b;
    if (std::string err = read_all(path, b); !err.empty()) return err;
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return "'" + path + "' is not a RIFF/WAVE file";
    std::size_t pos = 12;
    bool have_fmt = false;
    int bits = 0;
    while (pos + 8 <= b.size()) {
        const std::uint32_t size = le32(&b[pos + 4]);
        const std::size_t body = pos + 8;
        if (size > b.size() - body) return "'" + path + "' has a truncated chunk";
        if (std::memcmp(&b[pos], "fmt ", 4) == 0) {
            if (size < 16) return "'" + path + "' has a malformed fmt chunk";
            const int format = le16(&b[body]);
            out.channels = le16(&b[body + 2]);
            out.sample_rate = static_cast<int>(le32(&b[body + 4]));
            bits = le16(&b[body + 14]);
            if (format != 1 || bits != 16) return "'" + path + "' is not 16-bit PCM (only 16-bit PCM is supported)";
            if (out.channels < 1 || out.sample_rate < 1) return "'" + path + "' has no channels or no sample rate";
            have_fmt = true;
        } else if (std::memcmp(&b[pos], "data", 4) == 0) {
            if (!have_fmt) return "'" + path + "' has data before its fmt chunk";
            const std::size_t frames = size / (2 * out.channels);
            if (frames == 0) return "'" + path + "' holds no samples";
            out.samples.assign(out.channels, std::vector<float>(frames));
            for (std::size_t n = 0; n < frames; ++n)
                for (int c = 0; c < out.channels; ++c)
                    out.samples[c][n] = static_cast<std::int16_t>(le16(&b[body + 2 * (n * out.channels + c)]));
            return "";
        }
        pos = body + size + (size & 1);
    }
    return have_fmt ? "'" + path + "' has no data chunk" : "'" + path + "' has no fmt chunk";
}
