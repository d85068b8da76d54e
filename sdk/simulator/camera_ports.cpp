#include "camera_ports.h"

namespace nivaro_sim {

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
