#pragma once

#include <cstddef>
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

// The records cross the boundary to the maker's DLL by reference, so their layout is
// part of its binary interface: a packing option or a changed field breaks the build
// here rather than the values on the camera.
static_assert(sizeof(VersionInfo) == 4, "VersionInfo: two 16-bit words");
static_assert(offsetof(VersionInfo, riscvVersion) == 0 && offsetof(VersionInfo, fpgaVersion) == 2,
              "VersionInfo: field offsets");
static_assert(sizeof(float) == 4, "ZoomConfig: the zoom factor is a 32-bit float");
static_assert(sizeof(ZoomConfig) == 16, "ZoomConfig: 13 bytes of fields, padded to 16");
static_assert(offsetof(ZoomConfig, zoomFactor) == 0 && offsetof(ZoomConfig, centerX) == 4
                  && offsetof(ZoomConfig, centerY) == 8
                  && offsetof(ZoomConfig, interpolationMethod) == 12,
              "ZoomConfig: field offsets");
static_assert(sizeof(IaConfig) == 5, "IaConfig: five bytes, no padding");
static_assert(offsetof(IaConfig, resizeMode) == 0 && offsetof(IaConfig, maxBoxes) == 1
                  && offsetof(IaConfig, sensitivity) == 2 && offsetof(IaConfig, iouThreshold) == 3
                  && offsetof(IaConfig, outputType) == 4,
              "IaConfig: field offsets");

} // namespace nivaro_sdk
