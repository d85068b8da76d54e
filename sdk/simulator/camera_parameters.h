#pragma once

// The camera's parameters, each named once: the structs that hold them, the configuration
// file's keys, the configuration object's getters and members, the new camera's registers and
// the camera's operations all expand these lists, so that no place can leave one out. Their
// built-in values, types and ranges are those of the configuration file's schema
// (docs/examples/nivaro-sdk-config.schema.json), from which the build takes the
// NIVARO_SIM_BUILT_IN_<path> values.

#include "configuration_built_ins.h"
#include "nivaro_records.h"

#include <type_traits>

#define NIVARO_SIM_BUILT_IN(section, key) NIVARO_SIM_BUILT_IN_##section##_##key

// The defaults the configuration object answers, in the order of its getters:
// X(type, key, getter after "GetDefault", register it starts, conversion to the register's units).
#define NIVARO_SIM_DEFAULTS(X)                                                                     \
    X(double, gamma, Gamma, gamma, roundedToFixed16_16)                                            \
    X(double, clhe, Clhe, clhe, truncated)                                                         \
    X(double, sharpening, Sharpening, sharpening, roundedToFixed8_8)                               \
    X(int32_t, gsk, Gsk, gsk, asIs)                                                                \
    X(int32_t, gfid, Gfid, gfid, asIs)                                                             \
    X(int32_t, tint, Tint, tint, asIs)                                                             \
    X(int32_t, gms, Gms, gms, asIs)                                                                \
    X(double, roiX1, RoiX1, roiX1, truncated)                                                      \
    X(double, roiY1, RoiY1, roiY1, truncated)                                                      \
    X(double, roiX2, RoiX2, roiX2, truncated)                                                      \
    X(double, roiY2, RoiY2, roiY2, truncated)                                                      \
    X(uint8_t, contrastType, ContrastType, contrastType, asIs)                                     \
    X(bool, polarity, Polarity, polarity, asIs)                                                    \
    X(float, zoomFactor, ZoomFactor, zoom.zoomFactor, asIs)                                        \
    X(uint8_t, zoomMethod, ZoomMethod, zoom.interpolationMethod, asIs)                             \
    X(int32_t, zoomCenterX, ZoomCenterX, zoom.centerX, asIs)                                       \
    X(int32_t, zoomCenterY, ZoomCenterY, zoom.centerY, asIs)                                       \
    X(bool, horizontalFlip, HorizontalFlip, horizontalFlip, asIs)                                  \
    X(bool, verticalFlip, VerticalFlip, verticalFlip, asIs)                                        \
    X(bool, vignettingCorrection, VignettingCorrection, vignettingCorrection, asIs)                \
    X(bool, columnCorrection, ColumnCorrection, columnCorrection, asIs)                            \
    X(uint8_t, iaMaxBoxes, IaMaxBoxes, ia.maxBoxes, asIs)                                          \
    X(uint8_t, iaSensitivity, IaSensitivity, ia.sensitivity, asIs)                                 \
    X(uint8_t, iaIou, IaIou, ia.iouThreshold, asIs)                                                \
    X(uint8_t, iaResizeMode, IaResizeMode, ia.resizeMode, asIs)                                    \
    X(uint8_t, iaOutputType, IaOutputType, ia.outputType, asIs)

// The Expert parameters: X(key, Name) stands for the file's expert.<key> and defaults.<key>, the
// camera's register <key> with Set<Name> and Get<Name>, and the configuration object's members
// current<Name>, <key>Min and <key>Max. A parameter's built-in current value is its built-in
// default.
#define NIVARO_SIM_EXPERT(X) X(gsk, Gsk) X(gfid, Gfid) X(tint, Tint) X(gms, Gms)

// The camera's registers, in its own units: X(type, key, power-on value). Gamma is unsigned
// 16.16, sharpening unsigned 8.8, NUC enable 0 or 2.
#define NIVARO_SIM_REGISTERS(X)                                                                    \
    X(uint32_t, gamma, 65536)                                                                      \
    X(uint32_t, clhe, 0)                                                                           \
    X(uint32_t, sharpening, 256)                                                                   \
    X(uint32_t, roiX1, 5)                                                                          \
    X(uint32_t, roiY1, 5)                                                                          \
    X(uint32_t, roiX2, 1275)                                                                       \
    X(uint32_t, roiY2, 1019)                                                                       \
    X(bool, polarity, false)                                                                       \
    X(nivaro_sdk::ZoomConfig, zoom, (nivaro_sdk::ZoomConfig {1.0f, 640, 512, 0}))                  \
    X(uint8_t, contrastType, 0)                                                                    \
    X(uint8_t, nucEnabled, 0)                                                                      \
    X(bool, horizontalFlip, false)                                                                 \
    X(bool, verticalFlip, false)                                                                   \
    X(bool, vignettingCorrection, false)                                                           \
    X(bool, columnCorrection, false)                                                               \
    X(int32_t, gsk, 0)                                                                             \
    X(int32_t, gfid, 0)                                                                            \
    X(int32_t, gms, 0)                                                                             \
    X(int32_t, tint, 0)                                                                            \
    X(bool, bpr, true)                                                                             \
    X(bool, offsetCorrection, true)                                                                \
    X(bool, gainCorrection, true)                                                                  \
    X(nivaro_sdk::IaConfig, ia, (nivaro_sdk::IaConfig {1, 10, 50, 50, 0}))

// How the camera on one port behaves: X(type, key), each the key of a port in the configuration
// file, starting at its built-in value, the camera's normal answer.
#define NIVARO_SIM_SCRIPT(X)                                                                       \
    X(bool, present)                                                                               \
    X(uint8_t, cameraType)                                                                         \
    X(uint16_t, riscvVersion)                                                                      \
    X(uint16_t, fpgaVersion)                                                                       \
    X(bool, typeQueryFails)                                                                        \
    X(bool, silent)                                                                                \
    X(long, silentAfterCalls)                                                                      \
    X(std::set<std::string>, refusedSetters)                                                       \
    X(bool, iaReadFails)                                                                           \
    X(bool, nucRequestFails)                                                                       \
    X(unsigned, latencyMs)

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
