#pragma once

// What the camera's sensor accepts; a setter given anything else refuses it.

#include "nivaro_records.h"

#include <cstdint>

namespace nivaro_sim::limits {

constexpr uint32_t roiMinimum = 5;
constexpr uint32_t roiXMaximum = 1275;
constexpr uint32_t roiYMaximum = 1019;
constexpr float zoomFactorMinimum = 1.0f;
constexpr float zoomFactorMaximum = 8.0f;
constexpr uint8_t nucDisabled = 0;
constexpr uint8_t nucEnabled = 2;
constexpr uint8_t iaResizeModeMaximum = 4;
constexpr uint8_t iaOutputTypeMaximum = 3;
constexpr uint8_t iaPercentMaximum = 100;

// Each corner is held to the sensor alone: the program sends corners one at a time,
// so a check against the opposite corner would refuse a legitimate move.
bool roiXAccepted(uint32_t x);
bool roiYAccepted(uint32_t y);

bool zoomAccepted(const nivaro_sdk::ZoomConfig &zoom);
bool contrastTypeAccepted(uint8_t type);
bool nucStateAccepted(uint8_t state);
bool iaConfigAccepted(const nivaro_sdk::IaConfig &config);
bool withinBounds(int32_t value, int32_t minimum, int32_t maximum);

} // namespace nivaro_sim::limits
