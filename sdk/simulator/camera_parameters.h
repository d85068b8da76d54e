#pragma once

// The camera's parameters, each named once: the structs that hold them, the configuration
// file's keys, the configuration object's getters, the new camera's registers and the setters a
// script may refuse all expand these lists, so that no place can leave one out.

#include "nivaro_records.h"

#include <type_traits>

// The defaults the configuration object answers, in the order of its getters:
// X(type, key, getter after "GetDefault", built-in value, register it starts, conversion to
// the register's units).
#define NIVARO_SIM_DEFAULTS(X)                                                                     \
    X(double, gamma, Gamma, 1.0, gamma, toFixed16_16)                                              \
    X(double, clhe, Clhe, 1500.0, clhe, truncated)                                                 \
    X(double, sharpening, Sharpening, 1.0, sharpening, toFixed8_8)                                 \
    X(int32_t, gsk, Gsk, 2, gsk, asIs)                                                             \
    X(int32_t, gfid, Gfid, 500, gfid, asIs)                                                        \
    X(int32_t, tint, Tint, 1, tint, asIs)                                                          \
    X(int32_t, gms, Gms, 50, gms, asIs)                                                            \
    X(double, roiX1, RoiX1, 160.0, roiX1, truncated)                                               \
    X(double, roiY1, RoiY1, 128.0, roiY1, truncated)                                               \
    X(double, roiX2, RoiX2, 1120.0, roiX2, truncated)                                              \
    X(double, roiY2, RoiY2, 896.0, roiY2, truncated)                                               \
    X(uint8_t, contrastType, ContrastType, 0, contrastType, asIs)                                  \
    X(bool, polarity, Polarity, false, polarity, asIs)                                             \
    X(float, zoomFactor, ZoomFactor, 1.0f, zoom.zoomFactor, asIs)                                  \
    X(uint8_t, zoomMethod, ZoomMethod, 0, zoom.interpolationMethod, asIs)                          \
    X(int32_t, zoomCenterX, ZoomCenterX, 640, zoom.centerX, asIs)                                  \
    X(int32_t, zoomCenterY, ZoomCenterY, 512, zoom.centerY, asIs)                                  \
    X(bool, horizontalFlip, HorizontalFlip, false, horizontalFlip, asIs)                           \
    X(bool, verticalFlip, VerticalFlip, false, verticalFlip, asIs)                                 \
    X(bool, vignettingCorrection, VignettingCorrection, false, vignettingCorrection, asIs)         \
    X(bool, columnCorrection, ColumnCorrection, false, columnCorrection, asIs)                     \
    X(uint8_t, iaMaxBoxes, IaMaxBoxes, 10, ia.maxBoxes, asIs)                                      \
    X(uint8_t, iaSensitivity, IaSensitivity, 50, ia.sensitivity, asIs)                             \
    X(uint8_t, iaIou, IaIou, 50, ia.iouThreshold, asIs)                                            \
    X(uint8_t, iaResizeMode, IaResizeMode, 1, ia.resizeMode, asIs)                                 \
    X(uint8_t, iaOutputType, IaOutputType, 0, ia.outputType, asIs)

// The camera's registers, in its own units: X(type, key, setter, power-on value). Gamma is
// unsigned 16.16, sharpening unsigned 8.8, NUC enable 0 or 2.
#define NIVARO_SIM_REGISTERS(X)                                                                    \
    X(uint32_t, gamma, SetGamma, 65536)                                                            \
    X(uint32_t, clhe, SetClhe, 0)                                                                  \
    X(uint32_t, sharpening, SetSharpening, 256)                                                    \
    X(uint32_t, roiX1, SetRoiX1, 5)                                                                \
    X(uint32_t, roiY1, SetRoiY1, 5)                                                                \
    X(uint32_t, roiX2, SetRoiX2, 1275)                                                             \
    X(uint32_t, roiY2, SetRoiY2, 1019)                                                             \
    X(bool, polarity, SetPolarity, false)                                                          \
    X(nivaro_sdk::ZoomConfig, zoom, ConfigureZoom, (nivaro_sdk::ZoomConfig {1.0f, 640, 512, 0}))   \
    X(uint8_t, contrastType, SetContrastType, 0)                                                   \
    X(uint8_t, nucEnabled, SetNucEnabled, 0)                                                       \
    X(bool, horizontalFlip, SetHorizontalFlip, false)                                              \
    X(bool, verticalFlip, SetVerticalFlip, false)                                                  \
    X(bool, vignettingCorrection, SetVignettingCorrection, false)                                  \
    X(bool, columnCorrection, SetColumnCorrection, false)                                          \
    X(int32_t, gsk, SetGsk, 0)                                                                     \
    X(int32_t, gfid, SetGfid, 0)                                                                   \
    X(int32_t, gms, SetGms, 0)                                                                     \
    X(int32_t, tint, SetTint, 0)                                                                   \
    X(bool, bpr, SetBpr, true)                                                                     \
    X(bool, offsetCorrection, SetOffsetCorrection, true)                                           \
    X(bool, gainCorrection, SetGainCorrection, true)                                               \
    X(nivaro_sdk::IaConfig, ia, SetIaConfig, (nivaro_sdk::IaConfig {1, 10, 50, 50, 0}))

namespace nivaro_sim {

// Calls visit(name, field) for each field of a record, in declaration order: the names are
// those of the trace and of the configuration file's registers.
template<typename Record, typename Visit> void forEachField(Record &record, Visit &&visit)
{
    using Type = std::remove_const_t<Record>;
    if constexpr (std::is_same_v<Type, nivaro_sdk::VersionInfo>) {
        visit("riscvVersion", record.riscvVersion);
        visit("fpgaVersion", record.fpgaVersion);
    } else if constexpr (std::is_same_v<Type, nivaro_sdk::ZoomConfig>) {
        visit("zoomFactor", record.zoomFactor);
        visit("centerX", record.centerX);
        visit("centerY", record.centerY);
        visit("interpolationMethod", record.interpolationMethod);
    } else {
        static_assert(std::is_same_v<Type, nivaro_sdk::IaConfig>, "a record of the SDK");
        visit("resizeMode", record.resizeMode);
        visit("maxBoxes", record.maxBoxes);
        visit("sensitivity", record.sensitivity);
        visit("iouThreshold", record.iouThreshold);
        visit("outputType", record.outputType);
    }
}

} // namespace nivaro_sim
