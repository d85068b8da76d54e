#pragma once

#include "camera_parameters.h"
#include "files.h"

#include <filesystem>
#include <string>
#include <vector>

namespace nivaro_sim {

// A configuration file applied over the built-in configuration, and one line per problem found
// in it (unreadable file, malformed JSON, wrong type, unknown key, key given twice, port name
// that cannot be used): whatever a problem concerns keeps its built-in value, the rest applies.
struct ConfigurationReading
{
    Configuration configuration;
    std::vector<std::string> problems;
};

// The file a source names; nothing, and no problem, when there is none or an optional one is
// missing.
ConfigurationReading readConfiguration(const ConfigurationSource &source);
// A file's text; fileLabel names the file in the problem lines.
ConfigurationReading readConfigurationText(const std::string &text, const std::string &fileLabel);

// The ports the configuration file of the environment scripts, in the file's order: those the
// SDK scripts from the same file, and nothing when the SDK could not use it.
std::vector<std::string> configuredPortNames();

// A configured port name is used only if it can be shown and handed on as it is: at most this
// many characters, none of which hides or breaks the line it is written in.
constexpr std::size_t longestPortName = 64;

} // namespace nivaro_sim
