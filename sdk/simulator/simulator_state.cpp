#include "simulator_state.h"

#include "config_file.h"
#include "environment.h"
#include "guarded_file.h"

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
        values = ConfigurationValues {};
        config.restoreBuiltInMembers();
    }
}

void SimulatorState::reset()
{
    service.forget();
    returned.forget();
    ports.forget();
    values = ConfigurationValues {};
    config.restoreBuiltInMembers();
    log.forget();
    trace.forget();
}

std::vector<std::string> SimulatorState::applyConfigurationFile(const ConfigurationSource &source)
{
    if (source.path.empty()
        || (source.optional && checkPath(source.path).kind == PathCheck::Kind::missing)) {
        return {};
    }
    std::map<std::string, CameraScript> scripts;
    auto problems = nivaro_sim::applyConfigurationFile(source.path, {values, config, scripts});
    for (const auto &[port, script] : scripts) {
        ports.script(port, script);
    }
    return problems;
}

SimulatorState &simulatorState()
{
    static SimulatorState state;
    return state;
}

} // namespace nivaro_sim
