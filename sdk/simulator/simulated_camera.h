#pragma once

#include "camera_parameters.h"
#include "log_and_trace.h"
#include "nivaro_camera.h"
#include "nivaro_config.h"

#include <map>
#include <memory>
#include <string>

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

#define NIVARO_SIM_DECLARE_READ_WRITE(type, key, powerOn, Name, accepted)                          \
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

// The cameras attached to the computer's ports. A camera answers on every non-empty
// port name unless a script says otherwise; its registers live as long as the process
// (or until its port is scripted anew) so that a reconnect reads back what was written.
class CameraPorts
{
public:
    CameraPorts(const ConfigurationValues &values, const nivaro_sdk::INivaroConfig &bounds,
                TraceSink &trace);

    // Null when there is no camera on the port.
    std::unique_ptr<SimulatedCamera> open(const std::string &port);

    void script(const std::string &port, const CameraScript &script);
    Registers registers(const std::string &port) const;
    void forget();

private:
    CameraScript scriptOf(const std::string &port) const;
    Registers initialRegisters(const std::string &port) const;

    const ConfigurationValues &values;
    const nivaro_sdk::INivaroConfig &bounds;
    TraceSink &trace;
    std::map<std::string, CameraScript> scripts;
    std::map<std::string, std::shared_ptr<Registers>> liveRegisters;
};

} // namespace nivaro_sim
