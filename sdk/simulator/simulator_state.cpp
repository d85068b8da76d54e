#include "simulator_state.h"

#include "configuration_file.h"
#include "environment.h"

#include <iostream>
#include <string>

namespace nivaro_sim {

namespace {

// Whatever the environment names, the program must start: a step that fails in a way
// nobody foresaw is one line on standard error, never an exception out of the SDK.
template<typename Step> bool survived(const char *what, const char *consequence, Step step)
{
    std::string reason;
    try {
        step();
        return true;
    } catch (const std::exception &error) {
        reason = std::string(" (") + error.what() + ')';
    } catch (...) {
    }
    std::cerr << "nivaro sdk: " << what << " failed" << reason << "; " << consequence << '\n';
    return false;
}

} // namespace

SimulatorState::SimulatorState()
{
    survived("opening the SDK log file", "nothing is written to it",
             [this] { log.openFile(pathFromEnvironment("NIVARO_SDK_LOG")); });
    survived("opening the SDK trace file", "nothing is written to it",
             [this] { trace.openFile(pathFromEnvironment("NIVARO_SDK_TRACE")); });
    if (!survived("reading the configuration file", "built-in values kept", [this] {
            for (const auto &problem : applyConfigurationFile(configurationSource())) {
                std::cerr << "nivaro sdk: " << problem << '\n';
            }
        })) {
        ports.forget();
        apply(Configuration {});
    }
}

void SimulatorState::reset()
{
    service.forget();
    returned.forget();
    ports.forget();
    apply(Configuration {});
    log.forget();
    trace.forget();
}

std::vector<std::string> SimulatorState::applyConfigurationFile(const ConfigurationSource &source)
{
    ConfigurationReading reading = readConfiguration(source);
    apply(reading.configuration);
    return reading.problems;
}

void SimulatorState::apply(const Configuration &configuration)
{
    values = configuration.values;
    config.storeMembers(configuration.members);
    for (const auto &[port, script] : configuration.ports) {
        ports.script(port, script);
    }
}

SimulatorState &simulatorState()
{
    static SimulatorState state;
    return state;
}

} // namespace nivaro_sim
