// SVG plot of a spectrum: level in dB against frequency, linear or
// logarithmic frequency axis, grid, labelled axes and the listed peaks.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "cli.h"
#include "spectrum.h"

namespace {

constexpr double kWidth = 960, kHeight = 540, kLeft = 80, kRight = 30, kTop = 50, kBottom = 70;

std::string xml_escape(const std::string& s) {
    std::string out;
    for (char ch : s) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // Control characters are not allowed in XML 1.0 text.
            if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t') out += ch;
        }
    }
    return out;
}

std::string hz_label(double f) {
    char buf[32];
    if (f >= 1000) std::snprintf(buf, sizeof buf, "%gk", f / 1000);
    else std::snprintf(buf, sizeof buf, "%g", f);
    return buf;
}

struct Axes {
    double f_lo, f_hi, db_lo, db_hi;
    bool log;
    double x(double f) const {
        const double t = log ? std::log10(f / f_lo) / std::log10(f_hi / f_lo) : (f - f_lo) / (f_hi - f_lo);
        return kLeft + t * (kWidth - kLeft - kRight);
    }
    double y(double db) const {
        const double t = (std::clamp(db, db_lo, db_hi) - db_lo) / (db_hi - db_lo);
        return kHeight - kBottom - t * (kHeight - kTop - kBottom);
    }
};

// Frequencies for grid lines: 1-2-5 steps on a log axis, about ten even
// steps on a linear one.
std::vector<double> frequency_ticks(const Axes& a) {
    std::vector<double> t;
    if (a.log) {
        for (double decade = std::pow(10.0, std::floor(std::log10(a.f_lo))); decade <= a.f_hi; decade *= 10)
            for (double m : {1.0, 2.0, 5.0})
                if (m * decade >= a.f_lo && m * decade <= a.f_hi) t.push_back(m * decade);
    } else {
        const double raw = (a.f_hi - a.f_lo) / 10, mag = std::pow(10.0, std::floor(std::log10(raw)));
        const double step = raw / mag < 2 ? 2 * mag : raw / mag < 5 ? 5 * mag : 10 * mag;
        for (double f = 0; f <= a.f_hi; f += step) t.push_back(f);
    }
    return t;
}

void write_atomically(const std::string& path, const std::string& content) {
    const std::size_t slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) throw CliError(path + ": not a file name");
    std::string templ = dir + "." + base + ".veks-XXXXXX";
    std::vector<char> name(templ.begin(), templ.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) throw CliError(path + ": cannot create output (" + std::strerror(errno) + ")");
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t w = ::write(fd, content.data() + done, content.size() - done);
        if (w <= 0) break;
        done += static_cast<std::size_t>(w);
    }
    const mode_t mask = umask(0);
    umask(mask);
    const bool ok = done == content.size() && fchmod(fd, 0666 & ~mask) == 0 && close(fd) == 0 &&
                    rename(name.data(), path.c_str()) == 0;
    if (!ok) {
        const std::string why = std::strerror(errno);
        unlink(name.data());
        throw CliError(path + ": cannot write (" + why + ")");
    }
}

} // namespace

void write_spectrum_svg(const std::string& path, const Spectrum& s, const std::vector<Peak>& peaks, bool logFrequency,
                        const std::string& title) {
    const int bins = static_cast<int>(s.level.size());
    const double top = *std::max_element(s.level.begin() + 1, s.level.end());
    Axes a;
    a.log = logFrequency;
    a.f_lo = logFrequency ? std::max(s.bin_hz(), 10.0) : 0.0;
    a.f_hi = s.rate / 2;
    a.db_hi = std::ceil(top / 10) * 10 + 10;
    a.db_lo = a.db_hi - 140;

    std::ostringstream o;
    o.setf(std::ios::fixed);
    o.precision(1);
    o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\"" << kHeight
      << "\" viewBox=\"0 0 " << kWidth << ' ' << kHeight << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
      << "<text x=\"" << kWidth / 2 << "\" y=\"28\" text-anchor=\"middle\" font-size=\"15\">" << xml_escape(title)
      << "</text>\n<g stroke=\"#ddd\" stroke-width=\"1\">\n";
    const double x0 = kLeft, x1 = kWidth - kRight, y0 = kTop, y1 = kHeight - kBottom;
    std::ostringstream labels;
    labels.setf(std::ios::fixed);
    labels.precision(1);
    for (double f : frequency_ticks(a)) {
        o << "<line x1=\"" << a.x(f) << "\" y1=\"" << y0 << "\" x2=\"" << a.x(f) << "\" y2=\"" << y1 << "\"/>\n";
        labels << "<text x=\"" << a.x(f) << "\" y=\"" << y1 + 18 << "\" text-anchor=\"middle\">" << hz_label(f)
               << "</text>\n";
    }
    for (double db = a.db_lo; db <= a.db_hi; db += 20) {
        o << "<line x1=\"" << x0 << "\" y1=\"" << a.y(db) << "\" x2=\"" << x1 << "\" y2=\"" << a.y(db) << "\"/>\n";
        labels << "<text x=\"" << x0 - 8 << "\" y=\"" << a.y(db) + 4 << "\" text-anchor=\"end\">" << std::lround(db)
               << "</text>\n";
    }
    o << "</g>\n<rect x=\"" << x0 << "\" y=\"" << y0 << "\" width=\"" << x1 - x0 << "\" height=\"" << y1 - y0
      << "\" fill=\"none\" stroke=\"black\"/>\n"
      << labels.str() << "<text x=\"" << (x0 + x1) / 2 << "\" y=\"" << kHeight - 22
      << "\" text-anchor=\"middle\">Frequency (Hz" << (logFrequency ? ", logarithmic" : "") << ")</text>\n"
      << "<text transform=\"translate(22 " << (y0 + y1) / 2
      << ") rotate(-90)\" text-anchor=\"middle\">Level (dBFS of a sine)</text>\n";

    // The curve: bins at or above the axis' lowest frequency, at most one
    // point per half pixel (the highest of the bins it covers).
    o << "<polyline fill=\"none\" stroke=\"#1f5fbf\" stroke-width=\"1.2\" points=\"";
    double last_x = -1, best = -1e9;
    for (int k = 0; k < bins; ++k) {
        const double f = k * s.step_hz();
        if (f < a.f_lo) continue;
        const double x = a.x(f);
        best = std::max(best, s.level[k]);
        if (x - last_x >= 0.5 || k == bins - 1) {
            o << x << ',' << a.y(best) << ' ';
            last_x = x;
            best = -1e9;
        }
    }
    o << "\"/>\n";
    // Peak markers; a label that would overlap an earlier one is left out.
    std::vector<std::pair<double, double>> placed;
    for (const Peak& p : peaks) {
        if (p.freq < a.f_lo) continue;
        const double x = a.x(p.freq), y = a.y(p.level);
        o << "<circle cx=\"" << x << "\" cy=\"" << y << "\" r=\"3\" fill=\"#c0392b\"/>\n";
        const bool crowded = std::any_of(placed.begin(), placed.end(), [&](const auto& q) {
            return std::fabs(q.first - x) < 70 && std::fabs(q.second - y) < 14;
        });
        if (crowded) continue;
        placed.emplace_back(x, y);
        char label[32];
        std::snprintf(label, sizeof label, p.freq >= 100 ? "%.0f Hz" : "%.1f Hz", p.freq);
        o << "<text x=\"" << x + 5 << "\" y=\"" << y - 6 << "\" fill=\"#c0392b\">" << label << "</text>\n";
    }
    o << "</svg>\n";
    write_atomically(path, o.str());
}
