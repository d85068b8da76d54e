#include "simulated_camera.h"

#include "configuration_reading.h"
#include "escaped_text.h"
#include "simulator_control.h"

#include <chrono>
#include <thread>

namespace nivaro_sim {
namespace {

constexpr uint8_t nucDisabled = 0;
constexpr uint8_t nucEnabled = 2;

bool within(long long value, long long minimum, long long maximum)
{
    return value >= minimum && value <= maximum;
}

} // namespace

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
    : HandedOut("camera[" + escapedText(port, "\\]") + "]", trace)
    , script(std::move(script))
    , registers(std::move(registers))
    , bounds(bounds)
{ }

bool SimulatedCamera::answers(const char *operation)
{
    if (recordIfHandedBack(operation)) {
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
    traceCall(operation, "", traceText(answer));
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
    traceCall(operation, traceText(value), traceText(stored));
    return stored;
}

template<typename Value>
bool SimulatedCamera::fill(const char *operation, Value &out, const Value &value, bool fails)
{
    const bool filled = answers(operation) && !fails;
    if (filled) {
        out = value;
    }
    traceCall(operation, outText(filled, out), traceText(filled));
    return filled;
}

bool SimulatedCamera::GetVersions(nivaro_sdk::VersionInfo &versions)
{
    const bool answered = answers("GetVersions");
    versions = answered ? nivaro_sdk::VersionInfo {script.riscvVersion, script.fpgaVersion}
                        : nivaro_sdk::VersionInfo {0, 0};
    traceCall("GetVersions", outText(true, versions), traceText(answered));
    return answered;
}

void SimulatedCamera::BeginRead()
{
    answers("BeginRead");
    traceCall("BeginRead", "");
}

#define NIVARO_SIM_READ_WRITE(type, key, powerOn, Name, accepted)                                  \
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
                   within(value, bounds.key##Min, bounds.key##Max));                               \
    }
NIVARO_SIM_EXPERT(NIVARO_SIM_EXPERT_REGISTER)
#undef NIVARO_SIM_EXPERT_REGISTER

// A record is refused whole when one field is beyond its limit. Written so that a NaN factor
// fails both comparisons and is refused.
bool SimulatedCamera::ConfigureZoom(const nivaro_sdk::ZoomConfig &zoom)
{
    const bool accepted
        = zoom.zoomFactor >= 1.0f && zoom.zoomFactor <= 8.0f && zoom.interpolationMethod <= 1;
    return set("ConfigureZoom", zoom, registers->zoom, accepted);
}

void SimulatedCamera::GetZoom(nivaro_sdk::ZoomConfig &zoom)
{
    const bool answered = answers("GetZoom");
    if (answered) {
        zoom = registers->zoom;
    }
    traceCall("GetZoom", outText(answered, zoom));
}

bool SimulatedCamera::SetIaConfig(const nivaro_sdk::IaConfig &config)
{
    const bool accepted = config.resizeMode <= 4 && config.maxBoxes <= 100
        && config.sensitivity <= 100 && config.iouThreshold <= 100 && config.outputType <= 3;
    return set("SetIaConfig", config, registers->ia, accepted);
}

bool SimulatedCamera::GetIaConfig(nivaro_sdk::IaConfig &config)
{
    return fill("GetIaConfig", config, registers->ia, script.iaReadFails);
}

bool SimulatedCamera::GetCameraType(uint8_t &type)
{
    return fill("GetCameraType", type, script.cameraType, script.typeQueryFails);
}

bool SimulatedCamera::RequestNuc()
{
    const bool done = answers("RequestNuc") && !script.nucRequestFails;
    if (done) {
        // A NUC leaves the correction it computed switched on.
        registers->nucEnabled = nucEnabled;
    }
    traceCall("RequestNuc", "", traceText(done));
    return done;
}

bool SimulatedCamera::SetNucEnabled(uint8_t state)
{
    const bool accepted = state == nucDisabled || state == nucEnabled;
    return set("SetNucEnabled", state, registers->nucEnabled, accepted);
}

bool SimulatedCamera::GetNucEnabled()
{
    return get("GetNucEnabled", registers->nucEnabled != nucDisabled);
}

CameraPorts::CameraPorts(const ConfigurationValues &values, const nivaro_sdk::INivaroConfig &bounds,
                         TraceSink &trace)
    : values(values), bounds(bounds), trace(trace)
{ }

std::unique_ptr<SimulatedCamera> CameraPorts::open(const std::string &port)
{
    CameraScript portScript = scriptOf(port);
    if (port.empty() || !portScript.present) {
        return nullptr;
    }
    auto &live = liveRegisters[port];
    if (!live) {
        live = std::make_shared<Registers>(initialRegisters(port));
    }
    return std::make_unique<SimulatedCamera>(port, std::move(portScript), live, bounds, trace);
}

void CameraPorts::script(const std::string &port, const CameraScript &script)
{
    scripts[port] = script;
    // A camera still open keeps the registers it had; the next open starts anew.
    liveRegisters.erase(port);
}

Registers CameraPorts::registers(const std::string &port) const
{
    const auto live = liveRegisters.find(port);
    return live != liveRegisters.end() ? *live->second : initialRegisters(port);
}

void CameraPorts::forget()
{
    scripts.clear();
    liveRegisters.clear();
}

CameraScript CameraPorts::scriptOf(const std::string &port) const
{
    const auto scripted = scripts.find(port);
    return scripted != scripts.end() ? scripted->second : CameraScript {};
}

Registers CameraPorts::initialRegisters(const std::string &port) const
{
    const CameraScript portScript = scriptOf(port);
    return portScript.hasInitialRegisters ? portScript.initialRegisters
                                          : registersFromConfiguration(values);
}

} // namespace nivaro_sim
