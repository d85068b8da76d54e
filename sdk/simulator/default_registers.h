#pragma once

#include "simulator_control.h"

#include <cstdint>

namespace nivaro_sim {

// Register values in the camera's units, saturated to the register's range.
uint32_t toFixed16_16(double value);
uint32_t toFixed8_8(double value);
uint32_t truncatedToRegister(double value);

// What a new camera holds: the configuration's defaults in the camera's units;
// settings the configuration has no default for keep the registers' power-on values.
Registers registersFromConfiguration(const ConfigurationValues &values);

} // namespace nivaro_sim
