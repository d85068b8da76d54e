#pragma once

#include "camera_ports.h"
#include "nivaro_service.h"
#include "returned_objects.h"
#include "simulated_config.h"
#include "simulated_connection.h"
#include "trace_sink.h"

#include <memory>
#include <vector>

namespace nivaro_sim {

// The service object. It owns every connection it hands out until the connection is
// released (then the returned objects keep it) or the process ends, so a program that never
// releases its last one leaks nothing.
class SimulatedSdk final : public nivaro_sdk::INivaroSdk
{
public:
    SimulatedSdk(SimulatedConfig &config, CameraPorts &ports, TraceSink &trace,
                 ReturnedObjects &returned);

    bool Init() override;
    nivaro_sdk::INivaroConfig *GetConfig() override;
    void NotifyParametersApplied() override;
    nivaro_sdk::INivaroConnection *CreateConnection() override;
    void ReleaseConnection(nivaro_sdk::INivaroConnection **connection) override;

    // Frees every connection and numbers the next one 1 again.
    void forget();

private:
    SimulatedConfig &config;
    CameraPorts &ports;
    TraceSink &trace;
    ReturnedObjects &returned;
    std::vector<std::unique_ptr<SimulatedConnection>> connections;
    int connectionsMade = 0;
};

} // namespace nivaro_sim
