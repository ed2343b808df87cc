#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "cli.h"

void check_status(VekStatus st, const char* what) {
    if (st < 0) throw CliError(std::string(what) + " failed with status " + std::to_string(st));
}

double parse_number(const std::string& text, const std::string& what) {
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(v))
        throw CliError(what + ": '" + text + "' is not a number");
    return v;
}

long parse_integer(const std::string& text, const std::string& what, long lo, long hi) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE)
        throw CliError(what + ": '" + text + "' is not a whole number");
    if (v < lo || v > hi)
        throw CliError(what + " must be between " + std::to_string(lo) + " and " + std::to_string(hi) + ", not " + text);
    return v;
}

bool wants_help(const std::vector<std::string>& argv) {
    return std::any_of(argv.begin(), argv.end(), [](const std::string& a) { return a == "-h" || a == "--help"; });
}

Args::Args(const std::vector<std::string>& argv, const std::vector<std::string>& known) {
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        // "-" alone and negative numbers ("-3") are positional values.
        const bool is_option = a.size() > 1 && a[0] == '-' && !(std::isdigit(static_cast<unsigned char>(a[1])) || a[1] == '.');
        if (!is_option) {
            positional_.push_back(a);
            continue;
        }
        const std::size_t eq = a.find('=');
        const std::string name = a.substr(0, eq);
        if (std::find(known.begin(), known.end(), name + "!") != known.end()) {
            if (eq != std::string::npos) throw CliError("option " + name + " takes no value");
            flags_.push_back(name);
        } else if (std::find(known.begin(), known.end(), name) != known.end()) {
            std::string value;
            if (eq != std::string::npos) {
                value = a.substr(eq + 1);
            } else {
                if (i + 1 >= argv.size()) throw CliError("option " + name + " needs a value");
                value = argv[++i];
            }
            values_.emplace_back(name, value);
        } else {
            throw CliError("unknown option " + name + " (see --help)");
        }
    }
}

bool Args::flag(const std::string& name) const {
    return std::find(flags_.begin(), flags_.end(), name) != flags_.end();
}

bool Args::has(const std::string& name) const {
    return std::any_of(values_.begin(), values_.end(), [&](const auto& v) { return v.first == name; });
}

std::string Args::text(const std::string& name, const std::string& fallback) const {
    std::string out = fallback;
    for (const auto& v : values_)
        if (v.first == name) out = v.second; // the last one given wins
    return out;
}

double Args::number(const std::string& name, double fallback) const {
    return has(name) ? parse_number(text(name, ""), name) : fallback;
}

long Args::integer(const std::string& name, long fallback, long lo, long hi) const {
    return has(name) ? parse_integer(text(name, ""), name, lo, hi) : fallback;
}

void Args::expect_positional(std::size_t n, const char* usage) const {
    if (positional_.size() != n) throw CliError(std::string("usage: ") + usage);
}
