#include "simulator_state.h"

#include "config_file.h"
#include "environment.h"

#include <iostream>

namespace nivaro_sim {

SimulatorState::SimulatorState()
{
    log.openFile(pathFromEnvironment("NIVARO_SDK_LOG"));
    trace.openFile(pathFromEnvironment("NIVARO_SDK_TRACE"));
    applyConfigurationFile();
}

void SimulatorState::reset()
{
    service.forget();
    ports.forget();
    values = ConfigurationValues {};
    config.restoreBuiltInMembers();
    log.forget();
    trace.forget();
}

void SimulatorState::applyConfigurationFile()
{
    const auto file = pathFromEnvironment("NIVARO_SDK_CONFIG");
    if (file.empty()) {
        return;
    }
    std::map<std::string, CameraScript> scripts;
    for (const auto &problem :
         nivaro_sim::applyConfigurationFile(file, {values, config, scripts})) {
        std::cerr << "nivaro sdk: " << problem << '\n';
    }
    for (const auto &[port, script] : scripts) {
        ports.script(port, script);
    }
}

SimulatorState &simulatorState()
{
    static SimulatorState state;
    return state;
}

} // namespace nivaro_sim
