// The configuration file: what it sets, the cameras it scripts, how each kind of mistake in it
// is reported, and its documentation.
#include "configuration_file.h"
#include "configuration_reading.h"
#include "demo_configuration_text.h"
#include "documentation_text.h"
#include "scripted_cameras.h"
#include "simulator_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using nivaro_sim::CameraScript;

namespace {

struct Loaded
{
    nivaro_sim::ConfigurationValues values;
    nivaro_sim::ConfigurationMembers members;
    std::map<std::string, CameraScript> ports;
    std::vector<std::string> order; // the ports' names, as given
    std::vector<std::string> problems;
};

Loaded load(const std::string &text)
{
    const auto [configuration, problems] = nivaro_sim::readConfigurationText(text, "test.json");
    Loaded loaded {configuration.values, configuration.members, {}, {}, problems};
    for (const auto &[name, script] : configuration.ports) {
        loaded.ports.emplace(name, script);
        loaded.order.push_back(name);
    }
    return loaded;
}

struct Mistake
{
    const char *name;
    std::string text;
    std::string reported; // the first problem line after the file's name; empty when there is none
    std::function<void(const Loaded &)> kept;
    std::size_t lines = 1;

    friend void PrintTo(const Mistake &row, std::ostream *out) { *out << row.name; }
};

// count copies of text, separated by separator, a # in each replaced by the copy's number.
std::string repeated(const std::string &text, int count, const char *separator = "")
{
    const auto number = text.find('#');
    std::string all;
    for (int n = 0; n < count; ++n) {
        all += (n ? separator : "") + text.substr(0, number)
            + (number == std::string::npos ? "" : std::to_string(n) + text.substr(number + 1));
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
// Files that once took minutes: each object closed scanned its parent, each duplicate was a
// container left open.
const std::string manyPorts = R"({"ports": {)" + repeated(R"("COM#": {})", 100000, ", ") + "}}";
const std::string manyEmptyObjects = R"({"x": [)" + repeated("{}", 100000, ", ") + "]}";
const std::string manyDuplicatedObjects = R"({"ports": {"COM3": {})"
    + repeated(R"(, "COM3": {"silent": true})", 49999)
    + R"(}, "defaults": {"gama": 2.0}, "expertMode": false})";
const std::string manyUnknownNames = R"({"ports": {"COM3": {"refusedSetters": ["SetGfid", )"
    + repeated(R"("Set#")", 100000, ", ") + "]}}}";
const std::string e64 = repeated("\u00e9", 64); // 64 characters, 128 bytes
const std::string portNamesOfEveryLength = R"({"ports": {")" + std::string(64, 'A') + R"(": {}, ")"
    + e64 + R"(": {}, ")" + std::string(65, 'B') + R"(": {}, ")" + std::string(300, 'C')
    + R"(": {}, ")" + std::string(1000000, 'D') + R"(": {}}})";
using Names = std::vector<std::string>;

const Mistake mistakes[] = {
    {"integral numbers in any notation",
     R"({"defaults": {"iaMaxBoxes": 1e2, "gsk": 3.0, "tint": -2E0}})", "",
     [](const Loaded &l) {
         EXPECT_EQ(std::tuple(l.values.iaMaxBoxes, l.values.gsk, l.values.tint),
                   std::tuple(100, 3, -2));
     }},
    {"null link type answered as null", R"({"linkType": null, "expertMode": false})", "",
     [](const Loaded &l) { EXPECT_TRUE(l.values.linkTypeIsNull && !l.values.expertMode); }},
    {"malformed JSON", R"({"defaults": {"gamma": 2.0,}})", ": malformed JSON (",
     [](const Loaded &l) { EXPECT_EQ(l.values.gamma, 1.0); }},
    {"not an object", "[1, 2]", ": expected a JSON object, found array; built-in values kept",
     [](const Loaded &l) { EXPECT_TRUE(l.ports.empty()); }},
    {"wrong type", R"({"defaults": {"gamma": "2.0", "sharpening": 2.0}})",
     ", key \"defaults.gamma\": expected a number, found string; built-in value kept",
     [](const Loaded &l) {
         EXPECT_EQ(std::tuple(l.values.gamma, l.values.sharpening), std::tuple(1.0, 2.0));
     }},
    {"integer out of range", R"({"defaults": {"iaMaxBoxes": 300}})",
     ", key \"defaults.iaMaxBoxes\": expected an integer from 0 to 255, found 300; built-in "
     "value kept",
     [](const Loaded &l) { EXPECT_EQ(l.values.iaMaxBoxes, 10); }},
    {"fraction for an integer", R"({"expert": {"gsk": {"max": 2.5}}})",
     ", key \"expert.gsk.max\": expected an integer from -2147483648 to 2147483647, found 2.5; "
     "built-in value kept",
     [](const Loaded &l) { EXPECT_EQ(l.members.gsk.maximum, 3); }},
    {"switch given as a number", R"({"expertMode": 1})",
     ", key \"expertMode\": expected true or false, found number; built-in value kept",
     [](const Loaded &l) { EXPECT_TRUE(l.values.expertMode); }},
    {"link type given as a number", R"({"linkType": 5})",
     ", key \"linkType\": expected a text or null, found number; built-in value kept",
     [](const Loaded &l) { EXPECT_EQ(l.values.linkType, "UART"); }},
    {"section that is not an object, even an empty list", R"({"expert": []})",
     ", key \"expert\": expected an object, found array; built-in value kept",
     [](const Loaded &l) { EXPECT_EQ(l.members.gfid.maximum, 1000); }},
    {"port that is not an object", R"({"ports": {"COM3": true, "COM4": {}}})",
     ", key \"ports.COM3\": expected an object, found boolean; built-in value kept",
     [](const Loaded &l) { EXPECT_EQ(l.order, Names {"COM4"}); }},
    {"unknown setter name", R"({"ports": {"COM3": {"refusedSetters": ["SetGama", "SetGfid"]}}})",
     R"(, key "ports.COM3.refusedSetters": "SetGama" is not known; ignored)",
     [](const Loaded &l) {
         EXPECT_EQ(l.ports.at("COM3").refusedSetters, std::set<std::string> {"SetGfid"});
     }},
    {"100,000 unknown setter names: 20 lines, then how many more", manyUnknownNames,
     R"(, key "ports.COM3.refusedSetters": "Set0" is not known; ignored)",
     [](const Loaded &l) {
         EXPECT_EQ(l.problems.back(),
                   "configuration file \"test.json\": 99980 more unknown names, "
                   "not listed one by one");
     },
     21},
    {"setter list holding an item that is not a name",
     R"({"ports": {"COM3": {"refusedSetters": ["SetGfid", 7, "SetGamma"]}}})",
     ", key \"ports.COM3.refusedSetters\": expected a list of texts, found number in it; built-in "
     "value kept",
     [](const Loaded &l) { EXPECT_TRUE(l.ports.at("COM3").refusedSetters.empty()); }},
    {"number beyond a double's range", R"({"defaults": {"gamma": 1e400, "sharpening": 2.0}})",
     ": malformed JSON (",
     [](const Loaded &l) {
         EXPECT_EQ(std::tuple(l.values.gamma, l.values.sharpening), std::tuple(1.0, 1.0));
     }},
    {"zoom factor beyond a float's range", R"({"defaults": {"zoomFactor": 1e39, "gamma": 2.0}})",
     ", key \"defaults.zoomFactor\": expected a number from -3.4028234663852886e+38 to "
     "3.4028234663852886e+38, found 1e+39; built-in value kept",
     [](const Loaded &l) {
         EXPECT_EQ(std::tuple(l.values.zoomFactor, l.values.gamma), std::tuple(1.0f, 2.0));
     }},
    {"key given twice", R"({"linkType": "UART", "expertMode": true, "linkType": "USB"})",
     ", key \"linkType\": given more than once; the first kept, this one ignored",
     [](const Loaded &l) { EXPECT_EQ(l.values.linkType, "UART"); }},
    {"register given twice",
     R"({"ports": {"COM3": {"registers": {"zoom": {"centerX": 1, "centerX": 2}}}}})",
     ", key \"ports.COM3.registers.zoom.centerX\": given more than once; the first kept, this one "
     "ignored",
     [](const Loaded &l) { EXPECT_EQ(l.ports.at("COM3").initialRegisters.zoom.centerX, 1); }},
    // The port scan reads the same file the same way: it lists COM3 alone.
    {"ports given twice: the first kept, the key after them too",
     R"({"ports": {"COM3": {}}, "ports": {"COM7": {}}, "expertMode": false})",
     ", key \"ports\": given more than once; the first kept, this one ignored",
     [](const Loaded &l) { EXPECT_TRUE(l.order == Names {"COM3"} && !l.values.expertMode); }},
    {"50,000 duplicated objects: 20 lines with their true paths, then how many more",
     manyDuplicatedObjects,
     ", key \"ports.COM3\": given more than once; the first kept, this one ignored",
     [](const Loaded &l) {
         EXPECT_TRUE(!l.ports.at("COM3").silent && !l.values.expertMode);
         EXPECT_EQ(l.problems[20],
                   "configuration file \"test.json\", key \"defaults.gama\": unknown key; ignored");
         EXPECT_EQ(l.problems.back(),
                   "configuration file \"test.json\": 49979 more keys given "
                   "more than once, not listed one by one");
     },
     22},
    {"100,000 ports, in the file's order", manyPorts, "",
     [](const Loaded &l) { EXPECT_TRUE(l.order.size() == 100000 && l.order[10] == "COM10"); }},
    {"100,000 empty objects under an unknown key", manyEmptyObjects,
     ", key \"x\": unknown key; ignored", [](const Loaded &) {}},
    {"inverted Expert bounds", R"({"expert": {"gms": {"min": 10, "max": 5}}})",
     ", key \"expert.gms.min\": is above max (10 > 5); built-in current value and bounds kept",
     [](const Loaded &l) {
         EXPECT_EQ(std::tuple(l.members.gms.minimum, l.members.gms.maximum), std::tuple(0, 100000));
     }},
    {"Expert current value outside its bounds", R"({"expert": {"gsk": {"current": 9}}})",
     ", key \"expert.gsk.current\": 9 lies outside min..max (1..3); built-in current value and "
     "bounds kept",
     [](const Loaded &l) { EXPECT_EQ(l.members.gsk.current, 2); }},
    {"port names with characters that hide, turn or split the text",
     R"({"ports": {"C0\u0000": {}, "C1\u0085": {}, "C2\u009b": {}, "C3\u2028": {}, "C4\u2029": {},
                   "C5\u202e": {}, "C6\u200b": {}, "C7\ufffe": {}, "C\u00e9": {}}})",
     R"(, key "ports.C0\x00": a port name that holds \x00, a character that does not display as itself; ignored)",
     [](const Loaded &l) { EXPECT_EQ(l.order, Names {"C\u00e9"}); }, 8},
    {"port names longer than 64 characters", portNamesOfEveryLength,
     ", key \"ports." + std::string(65, 'B')
         + "\": a port name that is not 1 to 64 characters long; ignored",
     [](const Loaded &l) {
         EXPECT_EQ(l.order, (Names {std::string(64, 'A'), e64}));
     },
     3},
    {"link type holding a NUL", R"({"linkType": "UA\u0000RT", "expertMode": false})",
     ", key \"linkType\": a text cannot hold a NUL character; built-in value kept",
     [](const Loaded &l) { EXPECT_TRUE(l.values.linkType == "UART" && !l.values.expertMode); }},
    {"objects nested 100,000 deep", deepObjects,
     ": objects and arrays nested more than 64 deep; built-in values kept",
     [](const Loaded &l) { EXPECT_EQ(l.values.gamma, 1.0); }},
    {"arrays nested 64 deep are read", deepestRead, ", key \"x\": unknown key; ignored",
     [](const Loaded &) {}},
    {"key holding a line feed", R"({"defaults": {"ga\nmma\u001b[2J": 1}})",
     R"(, key "defaults.ga\x0Amma\x1B[2J": unknown key; ignored)", [](const Loaded &) {}},
    {"bytes that are not UTF-8", "{\"linkType\": \"U\xff\xfeRT\"}", ": malformed JSON (",
     [](const Loaded &l) {
         EXPECT_EQ(l.problems.front().find('\xff'), std::string::npos) << "echoed raw";
         EXPECT_NE(l.problems.front().find("\\xFF"), std::string::npos) << l.problems.front();
     }},
    {"5,001 digits", hugeNumber, ": malformed JSON (",
     [](const Loaded &l) { EXPECT_LT(l.problems.front().size(), 400u) << l.problems.front(); }},
    {"unknown register", R"({"ports": {"COM3": {"registers": {"zoom": {"factor": 2}}}}})",
     ", key \"ports.COM3.registers.zoom.factor\": unknown key; ignored",
     [](const Loaded &l) { EXPECT_EQ(l.ports.at("COM3").initialRegisters.zoom.zoomFactor, 1.0f); }},
};

using ConfigurationText = ::testing::TestWithParam<Mistake>;

TEST_P(ConfigurationText, reportsEachMistakeOnOneLineAndKeepsTheBuiltInValue)
{
    const Mistake &row = GetParam();
    const Loaded loaded = load(row.text);
    ASSERT_EQ(loaded.problems.size(), row.reported.empty() ? 0 : row.lines)
        << (loaded.problems.empty() ? "" : loaded.problems.front());
    if (!row.reported.empty()) {
        const std::string expectedStart = "configuration file \"test.json\"" + row.reported;
        EXPECT_EQ(loaded.problems.front().substr(0, expectedStart.size()), expectedStart);
    }
    for (const std::string &line : loaded.problems) {
        EXPECT_EQ(line.find('\n'), std::string::npos);
    }
    row.kept(loaded);
}

INSTANTIATE_TEST_SUITE_P(Rows, ConfigurationText, ::testing::ValuesIn(mistakes));

// The faults a port can be scripted with, as the program meets them in-process.
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

// The documentation's key tables and the demo configuration, held to the schema. A key by its
// dotted path, a port's name as *, with its "built-in value|range" as the tables write them.
using Keys = std::map<std::string, std::string>;

Keys schemaKeys(const nlohmann::json &schema, const std::string &path = "")
{
    Keys keys;
    const auto properties = schema.value("properties", nlohmann::json::object());
    for (const auto &[name, member] : properties.items()) {
        const std::string minimum = member.value("minimum", nlohmann::json()).dump(),
                          maximum = member.value("maximum", nlohmann::json()).dump();
        const std::string range = std::string(minimum).append("..").append(maximum);
        keys[path + name] = member.value("default", nlohmann::json()).dump() + '|'
            + (maximum == "null"                        ? ""
                   : range == "-2147483648..2147483647" ? "(32-bit)"
                   : minimum == '-' + maximum           ? "±" + maximum
                                                        : range);
        keys.merge(schemaKeys(member, path + name + '.'));
    }
    if (schema.value("additionalProperties", nlohmann::json()).is_object()) {
        keys.merge(schemaKeys(schema["additionalProperties"], path + "*."));
    }
    return keys;
}

// A table row names keys in its first cell, their range in its second ("integer 0..255",
// "±3.4e+38", "(32-bit)") and their built-in values in its third, one for all or one each.
Keys documentedKeys(const std::string &markdown)
{
    const std::map<std::string, std::string> sections {
        {"Top level", ""},     {"defaults", "defaults."}, {"expert", "expert."},
        {"sensor", "sensor."}, {"ports", "ports.*."},     {"registers", "ports.*.registers."}};
    const std::regex line(R"(^#+ `?(.*?)`?$|^\| (`[^|]*) \|([^|]*)\|([^|]*)\|)"),
        quoted("`([^`]*)`"), range(R"(-?\d+\.\.\d+|±[^ ]+|\(32-bit\))");
    const auto quotedIn = [&quoted](const std::string &cell) {
        return std::vector<std::string>(
            std::sregex_token_iterator(cell.begin(), cell.end(), quoted, 1), {});
    };
    Keys keys;
    const std::string *section = nullptr;
    std::istringstream lines(markdown);
    std::smatch match, bounds;
    for (std::string text; std::getline(lines, text);) {
        if (std::regex_search(text, match, line) && match[1].matched) {
            const auto named = sections.find(match[1]);
            section = named == sections.end() ? nullptr : &named->second;
        } else if (section && !match.empty()) {
            const std::string type = match[3];
            const auto names = quotedIn(match[2]), values = quotedIn(match[4]);
            for (std::size_t at = 0; at < names.size(); ++at) {
                keys[*section + names[at]]
                    = (values.empty() ? "null" : values[values.size() == 1 ? 0 : at]) + '|'
                    + (std::regex_search(type, bounds, range) ? bounds.str() : "");
            }
        }
    }
    return keys;
}

TEST(ConfigurationDocumentation, tablesListEveryKeyOfTheSchemaWithItsBuiltInValueAndRange)
{
    const Keys described = schemaKeys(nivaro_sim::configurationSchema());
    const Keys documented = documentedKeys(documentationText);
    std::vector<std::pair<std::string, std::string>> differing;
    std::set_symmetric_difference(described.begin(), described.end(), documented.begin(),
                                  documented.end(), std::back_inserter(differing));
    EXPECT_EQ(differing, decltype(differing) {}) << "the schema and the tables differ in these";
}

TEST(ConfigurationDocumentation, demoConfigurationUsesEveryKey)
{
    // The JSON pointers of what the demo gives, a port's name as *: "/ports/*/registers/gamma".
    const std::string given
        = std::regex_replace(nlohmann::json::parse(demoConfigurationText).flatten().dump(),
                             std::regex(R"("/ports/[^/"]+)"), "\"/ports/*");
    for (const auto &[key, builtIn] : schemaKeys(nivaro_sim::configurationSchema())) {
        const std::string pointer = "\"/" + std::regex_replace(key, std::regex(R"(\.)"), "/");
        const auto used = [&](char end) { return given.find(pointer + end) != std::string::npos; };
        EXPECT_TRUE(used('/') || used('"')) << key << " is left out of the demo configuration";
    }
}

} // namespace
