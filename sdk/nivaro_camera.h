#pragma once

#include "nivaro_records.h"

#include <cstdint>

namespace nivaro_sdk {

class INivaroCamera
{
public:
    // Both words zero means the camera did not answer.
    virtual bool GetVersions(VersionInfo &versions) = 0;
    virtual void BeginRead() = 0;

    virtual uint32_t GetRoiX1() = 0;
    virtual uint32_t GetRoiX2() = 0;
    virtual uint32_t GetRoiY1() = 0;
    virtual uint32_t GetRoiY2() = 0;

    virtual uint32_t GetGsk() = 0;
    virtual bool SetGsk(int32_t value) = 0;
    virtual bool SetGfid(int32_t value) = 0;
    virtual bool SetGms(int32_t value) = 0;
    virtual uint32_t GetGfid() = 0;
    virtual uint32_t GetGms() = 0;
    virtual uint32_t GetTint() = 0;
    virtual bool SetTint(int32_t value) = 0;

    virtual bool GetBpr() = 0;
    virtual bool SetBpr(bool enabled) = 0;
    virtual bool GetOffsetCorrection() = 0;
    virtual bool SetOffsetCorrection(bool enabled) = 0;
    virtual bool GetGainCorrection() = 0;
    virtual bool SetGainCorrection(bool enabled) = 0;
    virtual bool GetHorizontalFlip() = 0;
    virtual bool SetHorizontalFlip(bool enabled) = 0;
    virtual bool GetVerticalFlip() = 0;
    virtual bool SetVerticalFlip(bool enabled) = 0;
    virtual bool GetVignettingCorrection() = 0;
    virtual bool SetVignettingCorrection(bool enabled) = 0;
    virtual bool GetColumnCorrection() = 0;
    virtual bool SetColumnCorrection(bool enabled) = 0;

    virtual bool ConfigureZoom(const ZoomConfig &zoom) = 0;
    virtual void GetZoom(ZoomConfig &zoom) = 0;

    // 0 = CLHE over the ROI, any other value = CLAHE local.
    virtual uint8_t GetContrastType() = 0;
    virtual bool SetContrastType(uint8_t type) = 0;

    virtual bool SetIaConfig(const IaConfig &config) = 0;
    // True when the record was filled.
    virtual bool GetIaConfig(IaConfig &config) = 0;

    virtual bool GetCameraType(uint8_t &type) = 0;

    // Unsigned 16.16 fixed point.
    virtual uint32_t GetGamma() = 0;
    virtual bool SetGamma(uint32_t value) = 0;
    virtual uint32_t GetClhe() = 0;
    virtual bool SetClhe(uint32_t value) = 0;
    // Unsigned 8.8 fixed point.
    virtual uint32_t GetSharpening() = 0;
    virtual bool SetSharpening(uint32_t value) = 0;
    virtual bool GetPolarity() = 0;
    virtual bool SetPolarity(bool inverted) = 0;

    virtual bool SetRoiX1(uint32_t value) = 0;
    virtual bool SetRoiX2(uint32_t value) = 0;
    virtual bool SetRoiY1(uint32_t value) = 0;
    virtual bool SetRoiY2(uint32_t value) = 0;

    virtual bool RequestNuc() = 0;
    // 2 = enabled, 0 = disabled.
    virtual bool SetNucEnabled(uint8_t state) = 0;
    virtual bool GetNucEnabled() = 0;

protected:
    ~INivaroCamera() = default;
};

} // namespace nivaro_sdk
