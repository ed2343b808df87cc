// Shared pieces of the veks command-line tool: the error type that ends a
// command with one line on stderr, the argument reader, and the commands.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "veks.h"

// Any bad input: main prints "veks: <what>" and exits with status 1.
struct CliError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws CliError naming the library call when st is an error.
void check_status(VekStatus st, const char* what);

// The arguments of one command: options by name, the rest positional.
// Options may come anywhere; "--name value" and "--name=value" both work.
class Args {
public:
    // known: the options the command accepts, each "--name" (takes a value)
    // or "--name!" (a flag). Unknown options are errors.
    Args(const std::vector<std::string>& argv, const std::vector<std::string>& known);

    bool flag(const std::string& name) const;
    bool has(const std::string& name) const;
    std::string text(const std::string& name, const std::string& fallback) const;
    double number(const std::string& name, double fallback) const;
    long integer(const std::string& name, long fallback, long lo, long hi) const;

    const std::vector<std::string>& positional() const { return positional_; }
    // Throws unless there are exactly n positional arguments.
    void expect_positional(std::size_t n, const char* usage) const;

private:
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> flags_;
    std::vector<std::string> positional_;
};

double parse_number(const std::string& text, const std::string& what);
long parse_integer(const std::string& text, const std::string& what, long lo, long hi);

// Commands: each takes the arguments after its own name and returns the
// exit status; bad input throws CliError.
int run_demo();
int run_info(const std::vector<std::string>& argv);
int run_spectrum(const std::vector<std::string>& argv);
int run_filter(const std::vector<std::string>& argv);
int run_resample(const std::vector<std::string>& argv);
int run_tone(const std::vector<std::string>& argv);

// True when argv asks for help (-h or --help anywhere).
bool wants_help(const std::vector<std::string>& argv);
