#pragma once

#include <cstdint>

namespace nivaro_sdk {

struct VersionInfo
{
    uint16_t riscvVersion; // digits in bits 15-12, 11-8 and 7-4
    uint16_t fpgaVersion;
};

struct ZoomConfig
{
    float zoomFactor;
    int32_t centerX;
    int32_t centerY;
    uint8_t interpolationMethod; // 0 nearest neighbour, 1 bilinear
};

struct IaConfig
{
    uint8_t resizeMode;
    uint8_t maxBoxes;
    uint8_t sensitivity;
    uint8_t iouThreshold;
    uint8_t outputType;
};

} // namespace nivaro_sdk
