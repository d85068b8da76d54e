// The process's simulator state, and the in-process control interface over it.
#include "simulator_state.h"

#include "configuration_file.h"
#include "simulator_control.h"

#include <iostream>

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
             [this] { log.open(pathFromEnvironment("NIVARO_SDK_LOG"), std::ios::app, "SDK log"); });
    survived("opening the SDK trace file", "nothing is written to it", [this] {
        trace.open(pathFromEnvironment("NIVARO_SDK_TRACE"), std::ios::trunc, "SDK trace");
    });
    if (!survived("reading the configuration file", "built-in values kept", [this] {
            for (const auto &problem : applyConfigurationFile(configurationSource())) {
                std::cerr << "nivaro sdk: " << problem << '\n';
            }
        })) {
        reset();
    }
}

void SimulatorState::reset()
{
    service.forget();
    ports.forget();
    apply(Configuration {});
    log.forget();
    trace.forget();
    trace.usesAfterHandBack.forget();
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

void reset()
{
    simulatorState().reset();
}

std::vector<std::string> loadConfigurationFile(const std::string &path)
{
    simulatorState().reset();
    return simulatorState().applyConfigurationFile({std::filesystem::u8path(path)});
}

void useConfiguration(const Configuration &configuration)
{
    simulatorState().reset();
    simulatorState().apply(configuration);
}

ConfigurationValues &configurationValues()
{
    return simulatorState().values;
}

nivaro_sdk::INivaroConfig &configuration()
{
    return simulatorState().config;
}

void scriptPort(const std::string &port, const CameraScript &script)
{
    simulatorState().ports.script(port, script);
}

Registers registers(const std::string &port)
{
    return simulatorState().ports.registers(port);
}

std::vector<LogRecord> logRecords(std::size_t since)
{
    return simulatorState().log.since(since);
}

std::size_t logRecordCount()
{
    return simulatorState().log.count();
}

std::vector<std::string> traceLines(std::size_t since)
{
    return simulatorState().trace.since(since);
}

std::size_t traceLineCount()
{
    return simulatorState().trace.count();
}

std::vector<std::string> usesAfterHandBack()
{
    return simulatorState().trace.usesAfterHandBack.since();
}

} // namespace nivaro_sim
