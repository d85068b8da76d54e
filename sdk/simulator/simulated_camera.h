#pragma once

#include "configuration_model.h"
#include "handed_out.h"
#include "nivaro_camera.h"
#include "nivaro_config.h"

#include <memory>
#include <string>

// The registers the program reads back as they are and sets to any value `accepted` allows (an
// expression of `value`): X(type, register, Name of Get<Name> and Set<Name>, accepted). Each ROI
// corner is held to the sensor alone: the program sends corners one at a time, so a check
// against the opposite corner would refuse a legitimate move. The Expert registers
// (NIVARO_SIM_EXPERT) are held to the configuration object's bounds instead.
#define NIVARO_SIM_READ_WRITE_REGISTERS(X)                                                         \
    X(uint32_t, roiX1, RoiX1, within(value, 5, 1275))                                              \
    X(uint32_t, roiX2, RoiX2, within(value, 5, 1275))                                              \
    X(uint32_t, roiY1, RoiY1, within(value, 5, 1019))                                              \
    X(uint32_t, roiY2, RoiY2, within(value, 5, 1019))                                              \
    X(uint32_t, gamma, Gamma, true)                                                                \
    X(uint32_t, clhe, Clhe, true)                                                                  \
    X(uint32_t, sharpening, Sharpening, true)                                                      \
    X(uint8_t, contrastType, ContrastType, value <= 1)                                             \
    X(bool, polarity, Polarity, true)                                                              \
    X(bool, bpr, Bpr, true)                                                                        \
    X(bool, offsetCorrection, OffsetCorrection, true)                                              \
    X(bool, gainCorrection, GainCorrection, true)                                                  \
    X(bool, horizontalFlip, HorizontalFlip, true)                                                  \
    X(bool, verticalFlip, VerticalFlip, true)                                                      \
    X(bool, vignettingCorrection, VignettingCorrection, true)                                      \
    X(bool, columnCorrection, ColumnCorrection, true)

namespace nivaro_sim {

// The camera on one port, as one open of it: the registers belong to the port and
// outlive the object; the script's faults and the operation count belong to the object.
// Once handed back, every operation is a use after hand-back: recorded, traced under the
// name "returned camera[PORT]", answered as by a silent camera.
class SimulatedCamera final : public nivaro_sdk::INivaroCamera, public HandedOut
{
public:
    SimulatedCamera(const std::string &port, CameraScript script,
                    std::shared_ptr<Registers> registers, const nivaro_sdk::INivaroConfig &bounds,
                    TraceSink &trace);

    bool GetVersions(nivaro_sdk::VersionInfo &versions) override;
    void BeginRead() override;

#define NIVARO_SIM_DECLARE_READ_WRITE(type, key, Name, accepted)                                   \
    type Get##Name() override;                                                                     \
    bool Set##Name(type value) override;
    NIVARO_SIM_READ_WRITE_REGISTERS(NIVARO_SIM_DECLARE_READ_WRITE)
#undef NIVARO_SIM_DECLARE_READ_WRITE
#define NIVARO_SIM_DECLARE_EXPERT(key, Name)                                                       \
    uint32_t Get##Name() override;                                                                 \
    bool Set##Name(int32_t value) override;
    NIVARO_SIM_EXPERT(NIVARO_SIM_DECLARE_EXPERT)
#undef NIVARO_SIM_DECLARE_EXPERT

    bool ConfigureZoom(const nivaro_sdk::ZoomConfig &zoom) override;
    void GetZoom(nivaro_sdk::ZoomConfig &zoom) override;
    bool SetIaConfig(const nivaro_sdk::IaConfig &config) override;
    bool GetIaConfig(nivaro_sdk::IaConfig &config) override;
    bool GetCameraType(uint8_t &type) override;
    bool RequestNuc() override;
    bool SetNucEnabled(uint8_t state) override;
    bool GetNucEnabled() override;

private:
    // Counts the operation and waits the link's latency; false once the camera is silent
    // or handed back.
    bool answers(const char *operation);

    template<typename Value> Value get(const char *operation, Value value);

    template<typename Value, typename Register>
    bool set(const char *operation, const Value &value, Register &target, bool accepted);

    // Writes value into the caller's out, unless the camera is silent or the script makes the
    // operation fail.
    template<typename Value>
    bool fill(const char *operation, Value &out, const Value &value, bool fails);

    CameraScript script;
    std::shared_ptr<Registers> registers;
    const nivaro_sdk::INivaroConfig &bounds;
    long operations = 0;
};

} // namespace nivaro_sim
