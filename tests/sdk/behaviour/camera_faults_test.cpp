// The faults a port can be scripted with, as the program meets them in-process.
#include "config_file.h"
#include "scripted_cameras.h"
#include "simulator_fixture.h"

#include <map>

namespace {

using ScriptedThroughTheFile = WithRows<SimulatorTest, ScriptedCamera>;

TEST_P(ScriptedThroughTheFile, cameraBehavesAsScripted)
{
    std::map<std::string, nivaro_sim::CameraScript> ports;
    const auto problems = nivaro_sim::applyConfigurationText(
        GetParam().configuration, "row.json",
        {nivaro_sim::configurationValues(), nivaro_sim::configuration(), ports});
    EXPECT_EQ(problems, std::vector<std::string> {}) << "the file holds no mistake";
    for (const auto &[port, script] : ports) {
        nivaro_sim::scriptPort(port, script);
    }
    GetParam().check(program.open("COM3"), program);
}

INSTANTIATE_TEST_SUITE_P(InProcess, ScriptedThroughTheFile, ::testing::ValuesIn(scriptedCameras),
                         rowName);

} // namespace
