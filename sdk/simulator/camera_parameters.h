#pragma once

// The camera's parameters, each named once: the structs that hold them, the configuration
// file's keys, the configuration object's getters and members, the new camera's registers and
// the camera's operations all expand these lists, so that no place can leave one out. Their
// built-in values, types and ranges are those of the configuration file's schema
// (docs/examples/nivaro-sdk-config.schema.json), from which the build takes the
// NIVARO_SIM_BUILT_IN_<path> values.

#include "configuration_built_ins.h"
#include "nivaro_records.h"

#include <cstdint>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#define NIVARO_SIM_BUILT_IN(section, key) NIVARO_SIM_BUILT_IN_##section##_##key

// The defaults the configuration object answers, in the order of its getters:
// X(type, key, getter after "GetDefault", register it starts, conversion to the register's units).
#define NIVARO_SIM_DEFAULTS(X)                                                                     \
    X(double, gamma, Gamma, gamma, inUnits<65536>)                                                 \
    X(double, clhe, Clhe, clhe, inUnits<1>)                                                        \
    X(double, sharpening, Sharpening, sharpening, inUnits<256>)                                    \
    X(int32_t, gsk, Gsk, gsk, asIs)                                                                \
    X(int32_t, gfid, Gfid, gfid, asIs)                                                             \
    X(int32_t, tint, Tint, tint, asIs)                                                             \
    X(int32_t, gms, Gms, gms, asIs)                                                                \
    X(double, roiX1, RoiX1, roiX1, inUnits<1>)                                                     \
    X(double, roiY1, RoiY1, roiY1, inUnits<1>)                                                     \
    X(double, roiX2, RoiX2, roiX2, inUnits<1>)                                                     \
    X(double, roiY2, RoiY2, roiY2, inUnits<1>)                                                     \
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

// The camera's registers, in its own units. Those the program reads back as they are and sets to
// any value `accepted` allows (an expression of `value`): X(type, key, power-on value, Name of
// Get<Name> and Set<Name>, accepted). Each ROI corner is held to the sensor alone: the program
// sends corners one at a time, so a check against the opposite corner would refuse a legitimate
// move. Gamma is unsigned 16.16, sharpening unsigned 8.8.
#define NIVARO_SIM_READ_WRITE_REGISTERS(X)                                                         \
    X(uint32_t, gamma, 65536, Gamma, true)                                                         \
    X(uint32_t, clhe, 0, Clhe, true)                                                               \
    X(uint32_t, sharpening, 256, Sharpening, true)                                                 \
    X(uint32_t, roiX1, 5, RoiX1, within(value, 5, 1275))                                           \
    X(uint32_t, roiY1, 5, RoiY1, within(value, 5, 1019))                                           \
    X(uint32_t, roiX2, 1275, RoiX2, within(value, 5, 1275))                                        \
    X(uint32_t, roiY2, 1019, RoiY2, within(value, 5, 1019))                                        \
    X(bool, polarity, false, Polarity, true)                                                       \
    X(uint8_t, contrastType, 0, ContrastType, value <= 1)                                          \
    X(bool, horizontalFlip, false, HorizontalFlip, true)                                           \
    X(bool, verticalFlip, false, VerticalFlip, true)                                               \
    X(bool, vignettingCorrection, false, VignettingCorrection, true)                               \
    X(bool, columnCorrection, false, ColumnCorrection, true)                                       \
    X(bool, bpr, true, Bpr, true)                                                                  \
    X(bool, offsetCorrection, true, OffsetCorrection, true)                                        \
    X(bool, gainCorrection, true, GainCorrection, true)

// Every register: X(type, key, power-on value, …). Those after the read-write ones have
// operations of their own; NUC enable holds 0 or 2, and the Expert registers (NIVARO_SIM_EXPERT)
// are held to the configuration object's bounds.
#define NIVARO_SIM_REGISTERS(X)                                                                    \
    NIVARO_SIM_READ_WRITE_REGISTERS(X)                                                             \
    X(nivaro_sdk::ZoomConfig, zoom, (nivaro_sdk::ZoomConfig {1.0f, 640, 512, 0}))                  \
    X(uint8_t, nucEnabled, 0)                                                                      \
    X(int32_t, gsk, 0)                                                                             \
    X(int32_t, gfid, 0)                                                                            \
    X(int32_t, gms, 0)                                                                             \
    X(int32_t, tint, 0)                                                                            \
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

// What a configuration file sets: the answers of the configuration object and the cameras on
// the ports. Default-constructed, each is the built-in configuration.

// What a camera's registers hold, in the camera's own units.
struct Registers
{
#define NIVARO_SIM_REGISTER(type, key, powerOn, ...) type key = powerOn;
    NIVARO_SIM_REGISTERS(NIVARO_SIM_REGISTER)
#undef NIVARO_SIM_REGISTER
};

// How the camera on one port behaves (see NIVARO_SIM_SCRIPT).
struct CameraScript
{
#define NIVARO_SIM_SCRIPT_FIELD(type, key) type key = NIVARO_SIM_BUILT_IN(ports_each, key);
    NIVARO_SIM_SCRIPT(NIVARO_SIM_SCRIPT_FIELD)
#undef NIVARO_SIM_SCRIPT_FIELD
    bool hasInitialRegisters = false; // false: registers start at the configuration's defaults
    Registers initialRegisters;
};

// What the configuration object answers; the object reads these live, so a test may
// change them at any time.
struct ConfigurationValues
{
    std::string linkType = NIVARO_SIM_BUILT_IN_linkType;
    bool linkTypeIsNull = false; // GetLinkType answers a null pointer
    bool expertMode = NIVARO_SIM_BUILT_IN_expertMode;
#define NIVARO_SIM_DEFAULT(type, key, ...) type key = NIVARO_SIM_BUILT_IN(defaults, key);
    NIVARO_SIM_DEFAULTS(NIVARO_SIM_DEFAULT)
#undef NIVARO_SIM_DEFAULT
};

struct ExpertParameter
{
    int32_t current;
    int32_t minimum;
    int32_t maximum;
};

// The configuration object's public members, which the program reads and writes directly.
struct ConfigurationMembers
{
#define NIVARO_SIM_EXPERT_MEMBER(key, Name)                                                        \
    ExpertParameter key {NIVARO_SIM_BUILT_IN(defaults, key),                                       \
                         NIVARO_SIM_BUILT_IN(expert_##key, min),                                   \
                         NIVARO_SIM_BUILT_IN(expert_##key, max)};
    NIVARO_SIM_EXPERT(NIVARO_SIM_EXPERT_MEMBER)
#undef NIVARO_SIM_EXPERT_MEMBER
    int32_t sensorWidth = NIVARO_SIM_BUILT_IN(sensor, width);
    int32_t sensorHeight = NIVARO_SIM_BUILT_IN(sensor, height);
};

struct Configuration
{
    ConfigurationValues values;
    ConfigurationMembers members;
    std::vector<std::pair<std::string, CameraScript>> ports; // in the file's order
};

// What a new camera holds: the configuration's defaults in the camera's units;
// settings the configuration has no default for keep the registers' power-on values.
Registers registersFromConfiguration(const ConfigurationValues &values);

} // namespace nivaro_sim
