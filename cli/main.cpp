// veks: applies the vekszn library to audio files. With no arguments it
// prints the demo report on a synthesised signal.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "audio_io.h"
#include "cli.h"
#include "help.h"

namespace {

// An interrupted command leaves no partial output behind.
extern "C" void on_signal(int sig) {
    remove_pending_output();
    _exit(128 + sig);
}

int dispatch(const std::string& command, const std::vector<std::string>& rest) {
    if (wants_help(rest)) {
        std::fputs(help_text(command), stdout);
        return 0;
    }
    if (command == "info") return run_info(rest);
    if (command == "spectrum") return run_spectrum(rest);
    if (command == "filter") return run_filter(rest);
    if (command == "resample") return run_resample(rest);
    if (command == "tone") return run_tone(rest);
    throw CliError("unknown command '" + command + "' (see veks --help)");
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, on_signal);
    std::signal(SIGTERM, on_signal);
    std::signal(SIGHUP, on_signal);
    try {
        if (argc < 2) return run_demo();
        const std::string first = argv[1];
        if (first == "-h" || first == "--help" || first == "help") {
            std::fputs(help_text(argc > 2 && first == "help" ? argv[2] : ""), stdout);
            return 0;
        }
        return dispatch(first, std::vector<std::string>(argv + 2, argv + argc));
    } catch (const CliError& e) {
        std::fprintf(stderr, "veks: %s\n", e.what());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "veks: out of memory\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "veks: %s\n", e.what());
    }
    return 1;
}
