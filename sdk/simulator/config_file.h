#pragma once

#include "nivaro_config.h"
#include "simulator_control.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace nivaro_sim {

// What a configuration file may set.
struct ConfigurationTarget
{
    ConfigurationValues &values;
    nivaro_sdk::INivaroConfig &object; // Expert current values and bounds, sensor size
    std::map<std::string, CameraScript> &ports;
    // When given, receives the dotted path of every key the reader looks for.
    std::set<std::string> *keysAsked = nullptr;
};

// Applies the keys of a JSON configuration file over what the target holds. Answers one
// line per problem (unreadable file, malformed JSON, wrong type, unknown key); whatever
// a problem concerns keeps its value.
std::vector<std::string> applyConfigurationFile(const std::filesystem::path &file,
                                                const ConfigurationTarget &target);

// The same for a file's text; fileLabel names the file in the problem lines.
std::vector<std::string> applyConfigurationText(const std::string &text,
                                                const std::string &fileLabel,
                                                const ConfigurationTarget &target);

} // namespace nivaro_sim
