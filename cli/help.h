// The --help texts of veks and its commands.
#pragma once

#include <string>

// The help of a command ("info", "spectrum", ...); the overview for "" or
// an unknown name.
const char* help_text(const std::string& command);
