// The configuration file: what it sets, and how each kind of mistake in it is reported.
#include "config_file.h"
#include "example_configuration.h"
#include "simulator_fixture.h"

#include <algorithm>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

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
    Loaded load(const std::string &text, const char *fileName = "test.json",
                std::set<std::string> *asked = nullptr)
    {
        Loaded loaded;
        loaded.problems = nivaro_sim::applyConfigurationText(
            text, fileName, {loaded.values, nivaro_sim::configuration(), loaded.ports, asked});
        return loaded;
    }
};

// A dotted key path with the port name after "ports." folded into "*".
std::string withPortNameFolded(std::string path)
{
    if (path.rfind("ports.", 0) == 0) {
        path.replace(6, path.find('.', 6) - 6, "*");
    }
    return path;
}

// The dotted paths of every key in a document and of the objects around it, port names folded.
std::set<std::string> keyPaths(const nlohmann::json &document)
{
    std::set<std::string> paths;
    const nlohmann::json leaves = document.flatten();
    for (const auto &leaf : leaves.items()) {
        std::string path = leaf.key().substr(1); // a JSON pointer: "/defaults/gamma"
        std::replace(path.begin(), path.end(), '/', '.');
        for (auto end = path.find('.'); end != std::string::npos; end = path.find('.', end + 1)) {
            paths.insert(withPortNameFolded(path.substr(0, end)));
        }
        paths.insert(withPortNameFolded(path));
    }
    return paths;
}

TEST_F(ConfigurationFile, documentedExampleUsesEveryKeyWithoutProblems)
{
    std::set<std::string> asked;
    const Loaded loaded = load(exampleConfiguration, "demo-config.json", &asked);
    EXPECT_TRUE(loaded.problems.empty()) << loaded.problems.front();

    // Every key in the file is known (no problem line), so only the reverse needs checking.
    const auto used = keyPaths(nlohmann::json::parse(exampleConfiguration));
    std::string unused;
    for (const auto &path : asked) {
        if (used.count(withPortNameFolded(path)) == 0) {
            unused += ' ' + withPortNameFolded(path);
        }
    }
    EXPECT_EQ(unused, "") << "keys the example leaves out";

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

struct Mistake
{
    const char *name;
    const char *text;
    const char *reported; // the problem line after the file's name; null when there is none
    std::function<void(const Loaded &)> kept;

    friend void PrintTo(const Mistake &row, std::ostream *out) { *out << row.name; }
};

std::string repeated(const std::string &text, int times)
{
    std::string all;
    for (int time = 0; time < times; ++time) {
        all += text;
    }
    return all;
}

// A number of 5,001 digits, too large for a double.
const std::string hugeNumber = R"({"defaults": {"gamma": 1)" + std::string(5000, '0') + "}}";
// 100,000 objects one in another: a reader that costs the square of the depth takes gigabytes.
const std::string deepObjects = R"({"defaults": {"gamma": 2.0}, "x":)" + repeated(R"({"a":)", 99999)
    + "{}" + std::string(100000, '}');
// Nested 64 deep, the top-level object counted: still a file, though not a configuration.
const std::string deepestRead = R"({"x": )" + std::string(63, '[') + std::string(63, ']') + "}";

const Mistake mistakes[] = {
    {"integral numbers in any notation",
     R"({"defaults": {"iaMaxBoxes": 1e2, "gsk": 3.0, "tint": -2E0}})", nullptr,
     [](const Loaded &l) {
         EXPECT_EQ(l.values.iaMaxBoxes, 100);
         EXPECT_EQ(l.values.gsk, 3);
         EXPECT_EQ(l.values.tint, -2);
     }},
    {"null link type answered as null", R"({"linkType": null, "expertMode": false})", nullptr,
     [](const Loaded &l) {
         EXPECT_TRUE(l.values.linkTypeIsNull);
         EXPECT_FALSE(l.values.expertMode);
     }},
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
     R"(, key "ports.COM3.refusedSetters": "SetGama" is not known; ignored)",
     [](const Loaded &l) {
         EXPECT_EQ(l.ports.at("COM3").refusedSetters, std::set<std::string> {"SetGfid"});
     }},
    {"latency beyond ten seconds", R"({"ports": {"COM3": {"latencyMs": 60000}}})",
     ", key \"ports.COM3.latencyMs\": expected an integer from 0 to 10000, found 60000; built-in "
     "value kept",
     [](const Loaded &l) { EXPECT_EQ(l.ports.at("COM3").latencyMs, 0u); }},
    {"setter list holding an item that is not a name",
     R"({"ports": {"COM3": {"refusedSetters": ["SetGfid", 7, "SetGamma"]}}})",
     ", key \"ports.COM3.refusedSetters\": expected a list of names, found number in it; built-in "
     "value kept",
     [](const Loaded &l) { EXPECT_TRUE(l.ports.at("COM3").refusedSetters.empty()); }},
    {"number beyond a double's range", R"({"defaults": {"gamma": 1e400, "sharpening": 2.0}})",
     ": malformed JSON (",
     [](const Loaded &l) {
         EXPECT_DOUBLE_EQ(l.values.gamma, 1.0);
         EXPECT_DOUBLE_EQ(l.values.sharpening, 1.0);
     }},
    {"zoom factor beyond a float's range", R"({"defaults": {"zoomFactor": 1e39, "gamma": 2.0}})",
     ", key \"defaults.zoomFactor\": expected a number within the range of a 32-bit float, found "
     "1e+39; built-in value kept",
     [](const Loaded &l) {
         EXPECT_EQ(l.values.zoomFactor, 1.0f);
         EXPECT_DOUBLE_EQ(l.values.gamma, 2.0);
     }},
    {"negative zoom register beyond a float's range",
     R"({"ports": {"COM3": {"registers": {"zoom": {"zoomFactor": -3.5e38}}}}})",
     ", key \"ports.COM3.registers.zoom.zoomFactor\": expected a number within the range of a "
     "32-bit float, found -3.5e+38; built-in value kept",
     [](const Loaded &l) { EXPECT_EQ(l.ports.at("COM3").initialRegisters.zoom.zoomFactor, 1.0f); }},
    {"key given twice", R"({"linkType": "UART", "expertMode": true, "linkType": "USB"})",
     ", key \"linkType\": given more than once; the first kept, this one ignored",
     [](const Loaded &l) { EXPECT_EQ(l.values.linkType, "UART"); }},
    {"register given twice",
     R"({"ports": {"COM3": {"registers": {"zoom": {"centerX": 1, "centerX": 2}}}}})",
     ", key \"ports.COM3.registers.zoom.centerX\": given more than once; the first kept, this one "
     "ignored",
     [](const Loaded &l) { EXPECT_EQ(l.ports.at("COM3").initialRegisters.zoom.centerX, 1); }},
    {"port named twice", R"({"ports": {"COM3": {"silent": true}, "COM3": {}}})",
     ", key \"ports.COM3\": given more than once; the first kept, this one ignored",
     [](const Loaded &l) { EXPECT_TRUE(l.ports.at("COM3").silent); }},
    {"inverted Expert bounds", R"({"expert": {"gms": {"min": 10, "max": 5}}})",
     ", key \"expert.gms.min\": is above max (10 > 5); built-in current value and bounds kept",
     [](const Loaded &) {
         EXPECT_EQ(nivaro_sim::configuration().gmsMin, 0);
         EXPECT_EQ(nivaro_sim::configuration().gmsMax, 100000);
     }},
    {"Expert current value outside its bounds", R"({"expert": {"gsk": {"current": 9}}})",
     ", key \"expert.gsk.current\": 9 lies outside min..max (1..3); built-in current value and "
     "bounds kept",
     [](const Loaded &) { EXPECT_EQ(nivaro_sim::configuration().currentGsk, 2); }},
    {"negative sensor size", R"({"sensor": {"width": -5, "height": 480}})",
     ", key \"sensor.width\": expected an integer from 1 to 2147483647, found -5; built-in value "
     "kept",
     [](const Loaded &) {
         EXPECT_EQ(nivaro_sim::configuration().sensorWidth, 1280);
         EXPECT_EQ(nivaro_sim::configuration().sensorHeight, 480);
     }},
    {"port name holding a NUL", R"({"ports": {"COM\u00003": {}}})",
     R"(, key "ports.COM\x003": a port name cannot hold a NUL character; ignored)",
     [](const Loaded &l) { EXPECT_TRUE(l.ports.empty()); }},
    {"link type holding a NUL", R"({"linkType": "UA\u0000RT", "expertMode": false})",
     ", key \"linkType\": a text cannot hold a NUL character; built-in value kept",
     [](const Loaded &l) {
         EXPECT_EQ(l.values.linkType, "UART");
         EXPECT_FALSE(l.values.expertMode);
     }},
    {"objects nested 100,000 deep", deepObjects.c_str(),
     ": objects and arrays nested more than 64 deep; built-in values kept",
     [](const Loaded &l) { EXPECT_DOUBLE_EQ(l.values.gamma, 1.0); }},
    {"arrays nested 64 deep are read", deepestRead.c_str(), ", key \"x\": unknown key; ignored",
     [](const Loaded &) {}},
    {"key holding a line feed", R"({"defaults": {"ga\nmma\u001b[2J": 1}})",
     R"(, key "defaults.ga\x0Amma\x1B[2J": unknown key; ignored)", [](const Loaded &) {}},
    {"bytes that are not UTF-8", "{\"linkType\": \"U\xff\xfeRT\"}", ": malformed JSON (",
     [](const Loaded &l) {
         EXPECT_EQ(l.problems.front().find('\xff'), std::string::npos) << "echoed raw";
         EXPECT_NE(l.problems.front().find("\\xFF"), std::string::npos) << l.problems.front();
     }},
    {"5,001 digits", hugeNumber.c_str(), ": malformed JSON (",
     [](const Loaded &l) { EXPECT_LT(l.problems.front().size(), 400u) << l.problems.front(); }},
    {"unknown register", R"({"ports": {"COM3": {"registers": {"zoom": {"factor": 2}}}}})",
     ", key \"ports.COM3.registers.zoom.factor\": unknown key; ignored",
     [](const Loaded &l) {
         EXPECT_FLOAT_EQ(l.ports.at("COM3").initialRegisters.zoom.zoomFactor, 1.0f);
     }},
};

using ConfigurationText = WithRows<ConfigurationFile, Mistake>;

TEST_P(ConfigurationText, reportsEachMistakeOnOneLineAndKeepsTheBuiltInValue)
{
    const Mistake &row = GetParam();
    const Loaded loaded = load(row.text);
    if (!row.reported) {
        EXPECT_EQ(loaded.problems, std::vector<std::string> {});
        return row.kept(loaded);
    }
    ASSERT_EQ(loaded.problems.size(), 1u);
    const std::string expectedStart
        = std::string("configuration file \"test.json\"") + row.reported;
    EXPECT_EQ(loaded.problems.front().substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(loaded.problems.front().find('\n'), std::string::npos);
    row.kept(loaded);
}

INSTANTIATE_TEST_SUITE_P(Rows, ConfigurationText, ::testing::ValuesIn(mistakes));

} // namespace
