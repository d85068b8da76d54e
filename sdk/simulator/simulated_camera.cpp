#include "simulated_camera.h"

#include "camera_limits.h"
#include "configuration_schema.h"
#include "escaped_text.h"
#include "trace_format.h"

#include <chrono>
#include <thread>

namespace nivaro_sim {

const std::vector<std::string> &refusableSetters()
{
    static const auto names
        = configurationSchema()
              .at(nlohmann::json::json_pointer("/properties/ports/additionalProperties/"
                                               "properties/refusedSetters/items/enum"))
              .get<std::vector<std::string>>();
    return names;
}

SimulatedCamera::SimulatedCamera(const std::string &port, CameraScript script,
                                 std::shared_ptr<Registers> registers,
                                 const nivaro_sdk::INivaroConfig &bounds, TraceSink &trace)
    // Escaped so that no port name can end the bracket early or split the trace line.
    : self("camera[" + escapedText(port, "]") + "]")
    , script(std::move(script))
    , registers(std::move(registers))
    , bounds(bounds)
    , trace(trace)
{ }

bool SimulatedCamera::answers(const char *operation)
{
    if (self.recordIfHandedBack(operation)) {
        return false;
    }
    if (script.latencyMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(script.latencyMs));
    }
    ++operations;
    const bool unplugged = script.silentAfterCalls >= 0 && operations > script.silentAfterCalls;
    return !script.silent && !unplugged;
}

template<typename Value> Value SimulatedCamera::get(const char *operation, Value value)
{
    const Value answer = answers(operation) ? value : Value {};
    trace.call(self.traceName(), operation, "", traceText(answer));
    return answer;
}

template<typename Value, typename Register>
bool SimulatedCamera::set(const char *operation, const Value &value, Register &target,
                          bool accepted)
{
    const bool stored
        = answers(operation) && accepted && script.refusedSetters.count(operation) == 0;
    if (stored) {
        target = value;
    }
    trace.call(self.traceName(), operation, traceText(value), traceText(stored));
    return stored;
}

bool SimulatedCamera::GetVersions(nivaro_sdk::VersionInfo &versions)
{
    const bool answered = answers("GetVersions");
    versions = answered ? nivaro_sdk::VersionInfo {script.riscvVersion, script.fpgaVersion}
                        : nivaro_sdk::VersionInfo {0, 0};
    trace.call(self.traceName(), "GetVersions", outText(true, versions), traceText(answered));
    return answered;
}

void SimulatedCamera::BeginRead()
{
    answers("BeginRead");
    trace.call(self.traceName(), "BeginRead", "");
}

#define NIVARO_SIM_READ_WRITE(type, key, Name, accepted)                                           \
    type SimulatedCamera::Get##Name()                                                              \
    {                                                                                              \
        return get("Get" #Name, registers->key);                                                   \
    }                                                                                              \
    bool SimulatedCamera::Set##Name(type value)                                                    \
    {                                                                                              \
        return set("Set" #Name, value, registers->key, accepted);                                  \
    }
NIVARO_SIM_READ_WRITE_REGISTERS(NIVARO_SIM_READ_WRITE)
#undef NIVARO_SIM_READ_WRITE

// The Expert registers, each held to the configuration object's bounds as they stand at the call.
#define NIVARO_SIM_EXPERT_REGISTER(key, Name)                                                      \
    uint32_t SimulatedCamera::Get##Name()                                                          \
    {                                                                                              \
        return get("Get" #Name, static_cast<uint32_t>(registers->key));                            \
    }                                                                                              \
    bool SimulatedCamera::Set##Name(int32_t value)                                                 \
    {                                                                                              \
        return set("Set" #Name, value, registers->key,                                             \
                   limits::withinBounds(value, bounds.key##Min, bounds.key##Max));                 \
    }
NIVARO_SIM_EXPERT(NIVARO_SIM_EXPERT_REGISTER)
#undef NIVARO_SIM_EXPERT_REGISTER

bool SimulatedCamera::ConfigureZoom(const nivaro_sdk::ZoomConfig &zoom)
{
    return set("ConfigureZoom", zoom, registers->zoom, limits::zoomAccepted(zoom));
}

void SimulatedCamera::GetZoom(nivaro_sdk::ZoomConfig &zoom)
{
    const bool answered = answers("GetZoom");
    if (answered) {
        zoom = registers->zoom;
    }
    trace.call(self.traceName(), "GetZoom", outText(answered, zoom));
}

bool SimulatedCamera::SetIaConfig(const nivaro_sdk::IaConfig &config)
{
    return set("SetIaConfig", config, registers->ia, limits::iaConfigAccepted(config));
}

bool SimulatedCamera::GetIaConfig(nivaro_sdk::IaConfig &config)
{
    const bool filled = answers("GetIaConfig") && !script.iaReadFails;
    if (filled) {
        config = registers->ia;
    }
    trace.call(self.traceName(), "GetIaConfig", outText(filled, config), traceText(filled));
    return filled;
}

bool SimulatedCamera::GetCameraType(uint8_t &type)
{
    const bool filled = answers("GetCameraType") && !script.typeQueryFails;
    if (filled) {
        type = script.cameraType;
    }
    trace.call(self.traceName(), "GetCameraType", outText(filled, type), traceText(filled));
    return filled;
}

bool SimulatedCamera::RequestNuc()
{
    const bool done = answers("RequestNuc") && !script.nucRequestFails;
    if (done) {
        // A NUC leaves the correction it computed switched on.
        registers->nucEnabled = limits::nucEnabled;
    }
    trace.call(self.traceName(), "RequestNuc", "", traceText(done));
    return done;
}

bool SimulatedCamera::SetNucEnabled(uint8_t state)
{
    return set("SetNucEnabled", state, registers->nucEnabled, limits::nucStateAccepted(state));
}

bool SimulatedCamera::GetNucEnabled()
{
    return get("GetNucEnabled", registers->nucEnabled != limits::nucDisabled);
}

} // namespace nivaro_sim
