#pragma once

#include "files.h"
#include "log_and_trace.h"
#include "sdk_objects.h"
#include "simulated_camera.h"

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

    // Back to the built-in configuration with no scripts, cameras, connections or records.
    void reset();

    // Applies a configuration file over the state; answers its problem lines.
    std::vector<std::string> applyConfigurationFile(const ConfigurationSource &source);
    void apply(const Configuration &configuration);

    LogSink log;
    TraceSink trace;
    ConfigurationValues values;
    SimulatedConfig config {values, trace};
    CameraPorts ports {values, config, trace};
    SimulatedSdk service {config, ports, trace};
};

SimulatorState &simulatorState();

} // namespace nivaro_sim
