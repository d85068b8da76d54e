#pragma once

#include "nivaro_config.h"
#include "simulated_camera.h"

#include <map>
#include <memory>
#include <string>

namespace nivaro_sim {

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
