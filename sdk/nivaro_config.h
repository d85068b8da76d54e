#pragma once

#include <cstdint>

namespace nivaro_sdk {

class INivaroConfig
{
public:
    virtual const char *GetLinkType() = 0;

    virtual double GetDefaultGamma() = 0;
    virtual double GetDefaultClhe() = 0;
    virtual double GetDefaultSharpening() = 0;
    virtual int32_t GetDefaultGsk() = 0;
    virtual int32_t GetDefaultGfid() = 0;
    virtual int32_t GetDefaultTint() = 0;
    virtual int32_t GetDefaultGms() = 0;
    virtual double GetDefaultRoiX1() = 0;
    virtual double GetDefaultRoiY1() = 0;
    virtual double GetDefaultRoiX2() = 0;
    virtual double GetDefaultRoiY2() = 0;
    virtual uint8_t GetDefaultContrastType() = 0;
    virtual bool GetDefaultPolarity() = 0;
    virtual float GetDefaultZoomFactor() = 0;
    virtual uint8_t GetDefaultZoomMethod() = 0;
    virtual int32_t GetDefaultZoomCenterX() = 0;
    virtual int32_t GetDefaultZoomCenterY() = 0;
    virtual bool GetDefaultHorizontalFlip() = 0;
    virtual bool GetDefaultVerticalFlip() = 0;
    virtual bool GetDefaultVignettingCorrection() = 0;
    virtual bool GetDefaultColumnCorrection() = 0;
    virtual uint8_t GetDefaultIaMaxBoxes() = 0;
    virtual uint8_t GetDefaultIaSensitivity() = 0;
    virtual uint8_t GetDefaultIaIou() = 0;
    virtual uint8_t GetDefaultIaResizeMode() = 0;
    virtual uint8_t GetDefaultIaOutputType() = 0;

    virtual bool IsExpertModeEnabled() = 0;

    // Read and written directly by the program: the Expert controls start from
    // the current values, and an Expert write without a camera stores into them.
    int32_t currentGsk = 0;
    int32_t currentGms = 0;
    int32_t currentGfid = 0;
    int32_t currentTint = 0;

    int32_t sensorWidth = 1280;
    int32_t sensorHeight = 1024;

    int32_t gskMin = 0;
    int32_t gskMax = 0;
    int32_t gfidMin = 0;
    int32_t gfidMax = 0;
    int32_t tintMin = 0;
    int32_t tintMax = 0;
    int32_t gmsMin = 0;
    int32_t gmsMax = 0;

protected:
    INivaroConfig() = default;
    ~INivaroConfig() = default;
    INivaroConfig(const INivaroConfig &) = default;
    INivaroConfig &operator=(const INivaroConfig &) = default;
};

} // namespace nivaro_sdk
