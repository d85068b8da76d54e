#pragma once

// What a configuration file sets: the answers of the configuration object and the cameras on
// the ports. Default-constructed, each is the built-in configuration.

#include "camera_parameters.h"

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace nivaro_sim {

// What a camera's registers hold, in the camera's own units.
struct Registers
{
#define NIVARO_SIM_REGISTER(type, key, powerOn, ...) type key = powerOn;
    NIVARO_SIM_REGISTERS(NIVARO_SIM_REGISTER)
#undef NIVARO_SIM_REGISTER
};

// How the camera on one port behaves (see NIVARO_SIM_SCRIPT).
struct CameraScript
{
#define NIVARO_SIM_SCRIPT_FIELD(type, key) type key = NIVARO_SIM_BUILT_IN(ports_each, key);
    NIVARO_SIM_SCRIPT(NIVARO_SIM_SCRIPT_FIELD)
#undef NIVARO_SIM_SCRIPT_FIELD
    bool hasInitialRegisters = false; // false: registers start at the configuration's defaults
    Registers initialRegisters;
};

// What the configuration object answers; the object reads these live, so a test may
// change them at any time.
struct ConfigurationValues
{
    std::string linkType = NIVARO_SIM_BUILT_IN_linkType;
    bool linkTypeIsNull = false; // GetLinkType answers a null pointer
    bool expertMode = NIVARO_SIM_BUILT_IN_expertMode;
#define NIVARO_SIM_DEFAULT(type, key, ...) type key = NIVARO_SIM_BUILT_IN(defaults, key);
    NIVARO_SIM_DEFAULTS(NIVARO_SIM_DEFAULT)
#undef NIVARO_SIM_DEFAULT
};

struct ExpertParameter
{
    int32_t current;
    int32_t minimum;
    int32_t maximum;
};

// The configuration object's public members, which the program reads and writes directly.
struct ConfigurationMembers
{
#define NIVARO_SIM_EXPERT_MEMBER(key, Name)                                                        \
    ExpertParameter key {NIVARO_SIM_BUILT_IN(defaults, key),                                       \
                         NIVARO_SIM_BUILT_IN(expert_##key, min),                                   \
                         NIVARO_SIM_BUILT_IN(expert_##key, max)};
    NIVARO_SIM_EXPERT(NIVARO_SIM_EXPERT_MEMBER)
#undef NIVARO_SIM_EXPERT_MEMBER
    int32_t sensorWidth = NIVARO_SIM_BUILT_IN(sensor, width);
    int32_t sensorHeight = NIVARO_SIM_BUILT_IN(sensor, height);
};

struct Configuration
{
    ConfigurationValues values;
    ConfigurationMembers members;
    std::vector<std::pair<std::string, CameraScript>> ports; // in the file's order
};

// What a new camera holds: the configuration's defaults in the camera's units;
// settings the configuration has no default for keep the registers' power-on values.
Registers registersFromConfiguration(const ConfigurationValues &values);

} // namespace nivaro_sim
