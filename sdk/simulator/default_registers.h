#pragma once

#include "configuration_model.h"

namespace nivaro_sim {

// What a new camera holds: the configuration's defaults in the camera's units;
// settings the configuration has no default for keep the registers' power-on values.
Registers registersFromConfiguration(const ConfigurationValues &values);

} // namespace nivaro_sim
