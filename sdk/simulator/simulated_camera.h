#pragma once

#include "nivaro_camera.h"
#include "nivaro_config.h"
#include "returned_objects.h"
#include "simulator_control.h"
#include "trace_sink.h"

#include <memory>
#include <string>

namespace nivaro_sim {

// Whether a name is that of a camera operation a script may make refuse.
bool isRefusableSetter(const std::string &operation);

// The camera on one port, as one open of it: the registers belong to the port and
// outlive the object; the script's faults and the operation count belong to the object.
class SimulatedCamera final : public nivaro_sdk::INivaroCamera
{
public:
    SimulatedCamera(const std::string &port, CameraScript script,
                    std::shared_ptr<Registers> registers, const nivaro_sdk::INivaroConfig &bounds,
                    TraceSink &trace);

    // Once handed back, every operation is a use after hand-back: recorded, traced under
    // the name "returned camera[PORT]", answered as by a silent camera.
    HandedOut &handedOut() { return self; }
    const HandedOut &handedOut() const { return self; }

    bool GetVersions(nivaro_sdk::VersionInfo &versions) override;
    void BeginRead() override;

    uint32_t GetRoiX1() override;
    uint32_t GetRoiX2() override;
    uint32_t GetRoiY1() override;
    uint32_t GetRoiY2() override;

    uint32_t GetGsk() override;
    bool SetGsk(int32_t value) override;
    bool SetGfid(int32_t value) override;
    bool SetGms(int32_t value) override;
    uint32_t GetGfid() override;
    uint32_t GetGms() override;
    uint32_t GetTint() override;
    bool SetTint(int32_t value) override;

    bool GetBpr() override;
    bool SetBpr(bool enabled) override;
    bool GetOffsetCorrection() override;
    bool SetOffsetCorrection(bool enabled) override;
    bool GetGainCorrection() override;
    bool SetGainCorrection(bool enabled) override;
    bool GetHorizontalFlip() override;
    bool SetHorizontalFlip(bool enabled) override;
    bool GetVerticalFlip() override;
    bool SetVerticalFlip(bool enabled) override;
    bool GetVignettingCorrection() override;
    bool SetVignettingCorrection(bool enabled) override;
    bool GetColumnCorrection() override;
    bool SetColumnCorrection(bool enabled) override;

    bool ConfigureZoom(const nivaro_sdk::ZoomConfig &zoom) override;
    void GetZoom(nivaro_sdk::ZoomConfig &zoom) override;

    uint8_t GetContrastType() override;
    bool SetContrastType(uint8_t type) override;

    bool SetIaConfig(const nivaro_sdk::IaConfig &config) override;
    bool GetIaConfig(nivaro_sdk::IaConfig &config) override;

    bool GetCameraType(uint8_t &type) override;

    uint32_t GetGamma() override;
    bool SetGamma(uint32_t value) override;
    uint32_t GetClhe() override;
    bool SetClhe(uint32_t value) override;
    uint32_t GetSharpening() override;
    bool SetSharpening(uint32_t value) override;
    bool GetPolarity() override;
    bool SetPolarity(bool inverted) override;

    bool SetRoiX1(uint32_t value) override;
    bool SetRoiX2(uint32_t value) override;
    bool SetRoiY1(uint32_t value) override;
    bool SetRoiY2(uint32_t value) override;

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

    HandedOut self;
    CameraScript script;
    std::shared_ptr<Registers> registers;
    const nivaro_sdk::INivaroConfig &bounds;
    TraceSink &trace;
    long operations = 0;
};

} // namespace nivaro_sim
