#include "progress.h"

#include <unistd.h>

#include <cstdio>

Progress::Progress(std::string label, long long total, bool quiet)
    : label_(std::move(label)), total_(total), enabled_(!quiet && total > 0 && isatty(STDERR_FILENO)),
      start_(std::chrono::steady_clock::now()) {}

Progress::~Progress() {
    if (drawn_) std::fputc('\n', stderr);
}

void Progress::update(long long done) {
    if (!enabled_) return;
    if (!drawn_ && std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1)) return;
    const int percent = static_cast<int>(100 * (done < total_ ? done : total_) / total_);
    if (drawn_ && percent == last_percent_) return;
    const int width = 40, filled = percent * width / 100;
    char bar[width + 1];
    for (int i = 0; i < width; ++i) bar[i] = i < filled ? '#' : '.';
    bar[width] = '\0';
    std::fprintf(stderr, "\r%s [%s] %3d%%", label_.c_str(), bar, percent);
    std::fflush(stderr);
    drawn_ = true;
    last_percent_ = percent;
}
