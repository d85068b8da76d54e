#pragma once

// What the camera's sensor accepts; a setter given anything else refuses it.

#include "nivaro_records.h"

#include <cstdint>

namespace nivaro_sim::limits {

constexpr uint8_t nucDisabled = 0;
constexpr uint8_t nucEnabled = 2;

// Each corner is held to the sensor alone: the program sends corners one at a time,
// so a check against the opposite corner would refuse a legitimate move.
inline bool roiXAccepted(uint32_t x)
{
    return x >= 5 && x <= 1275;
}
inline bool roiYAccepted(uint32_t y)
{
    return y >= 5 && y <= 1019;
}

// Written so that a NaN factor fails both comparisons and is refused.
inline bool zoomAccepted(const nivaro_sdk::ZoomConfig &zoom)
{
    return zoom.zoomFactor >= 1.0f && zoom.zoomFactor <= 8.0f && zoom.interpolationMethod <= 1;
}

inline bool contrastTypeAccepted(uint8_t type)
{
    return type <= 1;
}
inline bool nucStateAccepted(uint8_t state)
{
    return state == nucDisabled || state == nucEnabled;
}

inline bool iaConfigAccepted(const nivaro_sdk::IaConfig &config)
{
    return config.resizeMode <= 4 && config.maxBoxes <= 100 && config.sensitivity <= 100
        && config.iouThreshold <= 100 && config.outputType <= 3;
}

inline bool withinBounds(int32_t value, int32_t minimum, int32_t maximum)
{
    return value >= minimum && value <= maximum;
}

} // namespace nivaro_sim::limits
