#pragma once

#include "camera_ports.h"
#include "environment.h"
#include "log_sink.h"
#include "returned_objects.h"
#include "simulated_config.h"
#include "simulated_service.h"
#include "simulator_control.h"
#include "trace_sink.h"

#include <string>
#include <vector>

namespace nivaro_sim {

// Everything the SDK holds for the process, created at its first use: the log and
// trace files named by the environment are opened and the configuration file is
// read then, once.
class SimulatorState
{
public:
    SimulatorState();

    // Back to the built-in configuration with no scripts, cameras or connections.
    void reset();

    // Applies a configuration file over the state; answers its problem lines.
    std::vector<std::string> applyConfigurationFile(const ConfigurationSource &source);
    void apply(const Configuration &configuration);

    LogSink log;
    TraceSink trace;
    ConfigurationValues values;
    SimulatedConfig config {values, trace};
    CameraPorts ports {values, config, trace};
    ReturnedObjects returned;
    SimulatedSdk service {config, ports, trace, returned};
};

SimulatorState &simulatorState();

} // namespace nivaro_sim
