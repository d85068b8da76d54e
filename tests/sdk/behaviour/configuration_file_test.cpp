// The configuration file: what it sets, and how each kind of mistake in it is reported.
#include "config_file.h"
#include "example_configuration.h"
#include "simulator_fixture.h"

#include <fstream>
#include <functional>
#include <random>

using nivaro_sim::CameraScript;
using nivaro_sim::ConfigurationValues;

namespace {

struct Loaded
{
    ConfigurationValues values;
    std::map<std::string, CameraScript> ports;
    std::vector<std::string> problems;
};

class ConfigurationFile : public SimulatorTest
{
protected:
    Loaded load(const std::string &text)
    {
        Loaded loaded;
        loaded.problems = nivaro_sim::applyConfigurationText(
            text, "test.json", {loaded.values, nivaro_sim::configuration(), loaded.ports});
        return loaded;
    }
};

TEST_F(ConfigurationFile, documentedExampleAppliesWithoutProblems)
{
    const Loaded loaded = load(exampleConfiguration);
    EXPECT_TRUE(loaded.problems.empty()) << loaded.problems.front();
    EXPECT_DOUBLE_EQ(loaded.values.gamma, 1.2);
    EXPECT_TRUE(loaded.values.columnCorrection);
    EXPECT_EQ(nivaro_sim::configuration().gmsMax, 100000);
    EXPECT_FALSE(loaded.ports.at("COM1").present);
    const CameraScript &com3 = loaded.ports.at("COM3");
    EXPECT_EQ(com3.latencyMs, 20u);
    ASSERT_TRUE(com3.hasInitialRegisters);
    EXPECT_EQ(com3.initialRegisters.gamma, 98304u);
    EXPECT_EQ(com3.initialRegisters.ia.maxBoxes, 20);
    EXPECT_EQ(com3.initialRegisters.sharpening, 384u) << "unnamed registers follow the defaults";
    EXPECT_EQ(loaded.ports.at("COM4").refusedSetters,
              (std::set<std::string> {"ConfigureZoom", "SetGfid"}));
    EXPECT_EQ(loaded.ports.at("COM5").silentAfterCalls, 40);
    EXPECT_TRUE(loaded.ports.at("COM6").nucRequestFails);
}

TEST_F(ConfigurationFile, nullLinkTypeIsAnsweredAsNull)
{
    const Loaded loaded = load(R"({"linkType": null, "expertMode": false})");
    EXPECT_TRUE(loaded.problems.empty());
    EXPECT_TRUE(loaded.values.linkTypeIsNull);
    EXPECT_FALSE(loaded.values.expertMode);
}

struct Mistake
{
    const char *name;
    const char *text;
    const char *reported; // the problem line after the file's name
    std::function<void(const Loaded &)> kept;
};

void PrintTo(const Mistake &row, std::ostream *out)
{
    *out << row.name;
}

const Mistake mistakes[] = {
    {"malformed JSON", R"({"defaults": {"gamma": 2.0,}})", ": malformed JSON (",
     [](const Loaded &l) { EXPECT_DOUBLE_EQ(l.values.gamma, 1.0); }},
    {"not an object", "[1, 2]", ": expected a JSON object, found array; built-in values kept",
     [](const Loaded &l) { EXPECT_TRUE(l.ports.empty()); }},
    {"wrong type", R"({"defaults": {"gamma": "2.0", "sharpening": 2.0}})",
     ", key \"defaults.gamma\": expected a number, found string; built-in value kept",
     [](const Loaded &l) {
         EXPECT_DOUBLE_EQ(l.values.gamma, 1.0);
         EXPECT_DOUBLE_EQ(l.values.sharpening, 2.0);
     }},
    {"integer out of range", R"({"defaults": {"iaMaxBoxes": 300}})",
     ", key \"defaults.iaMaxBoxes\": expected an integer from 0 to 255, found 300; built-in "
     "value kept",
     [](const Loaded &l) { EXPECT_EQ(l.values.iaMaxBoxes, 10); }},
    {"fraction for an integer", R"({"expert": {"gsk": {"max": 2.5}}})",
     ", key \"expert.gsk.max\": expected an integer from -2147483648 to 2147483647, found 2.5; "
     "built-in value kept",
     [](const Loaded &) { EXPECT_EQ(nivaro_sim::configuration().gskMax, 3); }},
    {"switch given as a number", R"({"expertMode": 1})",
     ", key \"expertMode\": expected true or false, found number; built-in value kept",
     [](const Loaded &l) { EXPECT_TRUE(l.values.expertMode); }},
    {"link type given as a number", R"({"linkType": 5})",
     ", key \"linkType\": expected a text or null, found number; built-in value kept",
     [](const Loaded &l) { EXPECT_EQ(l.values.linkType, "UART"); }},
    {"unknown key", R"({"defaults": {"gama": 2.0}})",
     ", key \"defaults.gama\": unknown key; ignored",
     [](const Loaded &l) { EXPECT_DOUBLE_EQ(l.values.gamma, 1.0); }},
    {"unknown top-level key", R"({"linktype": "USB"})", ", key \"linktype\": unknown key; ignored",
     [](const Loaded &l) { EXPECT_EQ(l.values.linkType, "UART"); }},
    {"section that is not an object", R"({"expert": []})",
     ", key \"expert\": expected an object, found array; built-in value kept",
     [](const Loaded &) { EXPECT_EQ(nivaro_sim::configuration().gfidMax, 1000); }},
    {"port that is not an object", R"({"ports": {"COM3": true, "COM4": {}}})",
     ", key \"ports.COM3\": expected an object, found boolean; built-in value kept",
     [](const Loaded &l) {
         EXPECT_EQ(l.ports.count("COM3"), 0u);
         EXPECT_EQ(l.ports.count("COM4"), 1u);
     }},
    {"unknown setter name", R"({"ports": {"COM3": {"refusedSetters": ["SetGama", "SetGfid"]}}})",
     ", key \"ports.COM3.refusedSetters\": \"SetGama\" is not known; ignored",
     [](const Loaded &l) {
         EXPECT_EQ(l.ports.at("COM3").refusedSetters, std::set<std::string> {"SetGfid"});
     }},
    {"latency beyond ten seconds", R"({"ports": {"COM3": {"latencyMs": 60000}}})",
     ", key \"ports.COM3.latencyMs\": expected an integer from 0 to 10000, found 60000; built-in "
     "value kept",
     [](const Loaded &l) { EXPECT_EQ(l.ports.at("COM3").latencyMs, 0u); }},
    {"unknown register", R"({"ports": {"COM3": {"registers": {"zoom": {"factor": 2}}}}})",
     ", key \"ports.COM3.registers.zoom.factor\": unknown key; ignored",
     [](const Loaded &l) {
         EXPECT_FLOAT_EQ(l.ports.at("COM3").initialRegisters.zoom.zoomFactor, 1.0f);
     }},
};

class ConfigurationMistake : public ConfigurationFile, public ::testing::WithParamInterface<Mistake>
{ };

TEST_P(ConfigurationMistake, isReportedOnOneLineAndTheBuiltInValueKept)
{
    const Mistake &row = GetParam();
    const Loaded loaded = load(row.text);
    ASSERT_EQ(loaded.problems.size(), 1u);
    const std::string expectedStart
        = std::string("configuration file \"test.json\"") + row.reported;
    EXPECT_EQ(loaded.problems.front().substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(loaded.problems.front().find('\n'), std::string::npos);
    row.kept(loaded);
}

INSTANTIATE_TEST_SUITE_P(Rows, ConfigurationMistake, ::testing::ValuesIn(mistakes));

TEST_F(ConfigurationFile, missingFileIsReportedWithItsName)
{
    ConfigurationValues values;
    std::map<std::string, CameraScript> ports;
    const auto problems
        = nivaro_sim::applyConfigurationFile(std::filesystem::u8path("no-such-folder/velmora.json"),
                                             {values, nivaro_sim::configuration(), ports});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems.front().find("velmora.json\" does not exist; built-in values kept"),
              std::string::npos);
    EXPECT_DOUBLE_EQ(values.gamma, 1.0);
}

TEST_F(ConfigurationFile, emptyFileIsMalformed)
{
    const auto file = std::filesystem::temp_directory_path()
        / ("velmora-empty-" + std::to_string(std::random_device()()) + ".json");
    std::ofstream {file};
    ConfigurationValues values;
    std::map<std::string, CameraScript> ports;
    const auto problems
        = nivaro_sim::applyConfigurationFile(file, {values, nivaro_sim::configuration(), ports});
    std::filesystem::remove(file);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems.front().find("\": malformed JSON ("), std::string::npos) << problems.front();
}

} // namespace
