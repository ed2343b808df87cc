// A progress bar on stderr: shown only when stderr is a terminal, the work
// has run for about a second, and --quiet was not given.
#pragma once

#include <chrono>
#include <string>

class Progress {
public:
    Progress(std::string label, long long total, bool quiet);
    ~Progress(); // ends the bar's line if one was drawn
    void update(long long done);

private:
    std::string label_;
    long long total_;
    bool enabled_;
    bool drawn_ = false;
    int last_percent_ = -1;
    std::chrono::steady_clock::time_point start_;
};
