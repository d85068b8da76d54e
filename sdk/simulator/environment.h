#pragma once

#include <filesystem>
#include <string>

namespace nivaro_sim {

// The file an environment variable names; empty when the variable is unset or empty.
// On Windows the variable is read as wide text from the process environment, so any
// folder name survives.
std::filesystem::path pathFromEnvironment(const char *variable);

// A path as UTF-8 text, for messages; never throws.
std::string displayText(const std::filesystem::path &path);

} // namespace nivaro_sim
