// The in-process control interface over the process's simulator state.
#include "simulator_control.h"
#include "simulator_state.h"

namespace nivaro_sim {

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
    return simulatorState().returned.uses();
}

} // namespace nivaro_sim
