// The faults a port can be scripted with, as the program meets them in-process.
#include "configuration_file.h"
#include "scripted_cameras.h"
#include "simulator_fixture.h"

namespace {

using ScriptedThroughTheFile = WithRows<SimulatorTest, ScriptedCamera>;

TEST_P(ScriptedThroughTheFile, cameraBehavesAsScripted)
{
    const auto reading = nivaro_sim::readConfigurationText(GetParam().configuration, "row.json");
    EXPECT_EQ(reading.problems, std::vector<std::string> {}) << "the file holds no mistake";
    nivaro_sim::useConfiguration(reading.configuration);
    GetParam().check(program.open("COM3"), program);
}

INSTANTIATE_TEST_SUITE_P(InProcess, ScriptedThroughTheFile, ::testing::ValuesIn(scriptedCameras),
                         rowName);

} // namespace
