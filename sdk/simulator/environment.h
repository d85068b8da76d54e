#pragma once

#include <filesystem>
#include <string>

namespace nivaro_sim {

// The file an environment variable names; empty when the variable is unset or empty.
// On Windows the variable is read as wide text from the process environment, so any
// folder name survives.
std::filesystem::path pathFromEnvironment(const char *variable);

// The configuration file the SDK reads, and the stand-in's port scan with it: the one
// NIVARO_SDK_CONFIG names, or else nivaro-sdk-config.json in the running program's folder,
// where an installed demo keeps it since nobody sets a variable for a program started from
// a menu. That one is optional: when it is missing, nothing is said.
struct ConfigurationSource
{
    std::filesystem::path path; // empty when there is none to read
    bool optional = false;
};
ConfigurationSource configurationSource();

// A path as UTF-8 text, for messages; never throws.
std::string displayText(const std::filesystem::path &path);

} // namespace nivaro_sim
