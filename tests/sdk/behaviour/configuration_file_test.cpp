// The configuration file: what it sets, and how each kind of mistake in it is reported.
#include "configuration_file.h"
#include "configuration_schema.h"
#include "documentation.h"
#include "example_configuration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using nivaro_sim::CameraScript;
using nlohmann::json;

namespace {

struct Loaded
{
    nivaro_sim::ConfigurationValues values;
    nivaro_sim::ConfigurationMembers members;
    std::map<std::string, CameraScript> ports;
    std::vector<std::string> order; // the ports' names, as given
    std::vector<std::string> problems;
};

Loaded load(const std::string &text, const char *fileName = "test.json")
{
    const auto reading = nivaro_sim::readConfigurationText(text, fileName);
    Loaded loaded {
        reading.configuration.values, reading.configuration.members, {}, {}, reading.problems};
    for (const auto &[name, script] : reading.configuration.ports) {
        loaded.ports.emplace(name, script);
        loaded.order.push_back(name);
    }
    return loaded;
}

// Every key a schema describes by its dotted path, "*" for any member of an object whose members
// are not named, with its built-in value (null when it has none).
std::map<std::string, json> schemaKeys(const json &schema, const std::string &path = "")
{
    std::map<std::string, json> keys;
    const json named = schema.value("properties", json::object());
    for (const auto &[key, member] : named.items()) {
        keys[path + key] = member.value("default", json());
        keys.merge(schemaKeys(member, path + key + '.'));
    }
    if (schema.value("additionalProperties", json()).is_object()) {
        keys.merge(schemaKeys(schema["additionalProperties"], path + "*."));
    }
    return keys;
}

// The keys the documentation's tables list, in the same form: a table row names keys in its
// first cell and their built-in values, one for all or one each, in its third.
std::map<std::string, json> documentedKeys()
{
    const std::map<std::string, std::string> sections {
        {"### Top level", ""},       {"### `defaults`", "defaults."},
        {"### `expert`", "expert."}, {"### `sensor`", "sensor."},
        {"### `ports`", "ports.*."}, {"### `registers`", "ports.*.registers."}};
    const auto quoted = [](const std::string &cell) {
        const std::regex code("`([^`]*)`");
        std::vector<std::string> items;
        for (auto at = std::sregex_iterator(cell.begin(), cell.end(), code);
             at != std::sregex_iterator(); ++at) {
            items.push_back((*at)[1]);
        }
        return items;
    };
    std::map<std::string, json> keys;
    const std::string *section = nullptr;
    std::istringstream text(documentation);
    for (std::string line; std::getline(text, line);) {
        if (line.rfind('#', 0) == 0) {
            const auto named = sections.find(line);
            section = named != sections.end() ? &named->second : nullptr;
        } else if (section && line.rfind("| `", 0) == 0) {
            std::vector<std::string> cells;
            for (std::istringstream row(line); std::getline(row, cells.emplace_back(), '|');) {
            }
            const auto names = quoted(cells[1]);
            const auto builtIn = quoted(cells[3]);
            for (std::size_t at = 0; at < names.size(); ++at) {
                keys[*section + names[at]]
                    = builtIn.empty() ? json() : json::parse(builtIn[builtIn.size() == 1 ? 0 : at]);
            }
        }
    }
    return keys;
}

// A dotted key path with the port name after "ports." folded into "*".
std::string withPortNameFolded(std::string path)
{
    if (path.rfind("ports.", 0) == 0) {
        path.replace(6, path.find('.', 6) - 6, "*");
    }
    return path;
}

// The dotted paths of every key in a document and of the objects around it, port names folded.
std::set<std::string> keyPaths(const json &document)
{
    std::set<std::string> paths;
    const json leaves = document.flatten();
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

TEST(ConfigurationSchema, describesWhatTheDocumentationAndTheSimulatorsTablesName)
{
    const auto described = schemaKeys(nivaro_sim::configurationSchema());
    EXPECT_EQ(documentedKeys(), described);
    std::string undescribed;
    const auto expect
        = [&](const std::string &path) { undescribed += described.count(path) ? "" : ' ' + path; };
#define DESCRIBED(type, key, ...) expect(std::string(SECTION) + #key);
#define SECTION "defaults."
    NIVARO_SIM_DEFAULTS(DESCRIBED)
#undef SECTION
#define SECTION "ports.*."
    NIVARO_SIM_SCRIPT(DESCRIBED)
#undef SECTION
#define SECTION "ports.*.registers."
    NIVARO_SIM_REGISTERS(DESCRIBED)
#undef SECTION
#undef DESCRIBED
    EXPECT_EQ(undescribed, "");
}

TEST(ConfigurationFile, documentedExampleUsesEveryKeyWithoutProblems)
{
    const Loaded loaded = load(exampleConfiguration, "demo-config.json");
    EXPECT_EQ(loaded.problems, std::vector<std::string> {});

    const auto used = keyPaths(json::parse(exampleConfiguration));
    std::string unused;
    for (const auto &key : schemaKeys(nivaro_sim::configurationSchema())) {
        unused += used.count(key.first) ? "" : ' ' + key.first;
    }
    EXPECT_EQ(unused, "") << "keys the example leaves out";

    EXPECT_DOUBLE_EQ(loaded.values.gamma, 1.2);
    EXPECT_TRUE(loaded.values.columnCorrection);
    EXPECT_EQ(loaded.members.gms.maximum, 100000);
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
    std::string text;
    std::string reported; // the first problem line after the file's name; empty when there is none
    std::function<void(const Loaded &)> kept;
    std::size_t lines = 1;

    friend void PrintTo(const Mistake &row, std::ostream *out) { *out << row.name; }
};

// count texts, the n-th made by make(n), with separator between them.
std::string repeated(int count, const std::function<std::string(int)> &make,
                     const char *separator = ",")
{
    std::string all;
    for (int n = 0; n < count; ++n) {
        all += (n == 0 ? "" : separator) + make(n);
    }
    return all;
}

// A number of 5,001 digits, too large for a double.
const std::string hugeNumber = R"({"defaults": {"gamma": 1)" + std::string(5000, '0') + "}}";
// 100,000 objects one in another: a reader that costs the square of the depth takes gigabytes.
const std::string deepObjects = R"({"defaults": {"gamma": 2.0}, "x":)"
    + repeated(
                                    99999, [](int) { return R"({"a":)"; }, "")
    + "{}" + std::string(100000, '}');
// Nested 64 deep, the top-level object counted: still a file, though not a configuration.
const std::string deepestRead = R"({"x": )" + std::string(63, '[') + std::string(63, ']') + "}";
// Files that once took minutes: each object closed scanned its parent, each duplicate was a
// container left open.
const std::string manyPorts = R"({"ports": {)"
    + repeated(100000, [](int n) { return "\"COM" + std::to_string(n) + "\": {}"; }) + "}}";
const std::string manyEmptyObjects
    = R"({"x": [)" + repeated(100000, [](int) { return "{}"; }) + "]}";
const std::string manyDuplicatedObjects = R"({"ports": {)"
    + repeated(50000, [](int n) { return n ? R"("COM3": {"silent": true})" : R"("COM3": {})"; })
    + R"(}, "defaults": {"gama": 2.0}, "expertMode": false})";
const std::string manyUnknownNames = R"({"ports": {"COM3": {"refusedSetters": ["SetGfid", )"
    + repeated(100000, [](int n) { return "\"Set" + std::to_string(n) + '"'; }) + "]}}}";
const std::string portNamesOfEveryLength = R"({"ports": {")" + std::string(64, 'A') + R"(": {}, ")"
    + repeated(
                                               64, [](int) { return "\u00e9"; }, "")
    + R"(": {}, ")" + std::string(65, 'B') + R"(": {}, ")" + std::string(300, 'C') + R"(": {}, ")"
    + std::string(1000000, 'D') + R"(": {}}})";

const Mistake mistakes[] = {
    {"integral numbers in any notation",
     R"({"defaults": {"iaMaxBoxes": 1e2, "gsk": 3.0, "tint": -2E0}})", "",
     [](const Loaded &l) {
         EXPECT_EQ(l.values.iaMaxBoxes, 100);
         EXPECT_EQ(l.values.gsk, 3);
         EXPECT_EQ(l.values.tint, -2);
     }},
    {"null link type answered as null", R"({"linkType": null, "expertMode": false})", "",
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
     [](const Loaded &l) { EXPECT_EQ(l.members.gsk.maximum, 3); }},
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
     [](const Loaded &l) { EXPECT_EQ(l.members.gfid.maximum, 1000); }},
    {"port that is not an object", R"({"ports": {"COM3": true, "COM4": {}}})",
     ", key \"ports.COM3\": expected an object, found boolean; built-in value kept",
     [](const Loaded &l) { EXPECT_EQ(l.order, std::vector<std::string> {"COM4"}); }},
    {"unknown setter name", R"({"ports": {"COM3": {"refusedSetters": ["SetGama", "SetGfid"]}}})",
     R"(, key "ports.COM3.refusedSetters": "SetGama" is not known; ignored)",
     [](const Loaded &l) {
         EXPECT_EQ(l.ports.at("COM3").refusedSetters, std::set<std::string> {"SetGfid"});
     }},
    {"100,000 unknown setter names: 20 lines, then how many more", manyUnknownNames,
     R"(, key "ports.COM3.refusedSetters": "Set0" is not known; ignored)",
     [](const Loaded &l) {
         EXPECT_EQ(l.ports.at("COM3").refusedSetters, std::set<std::string> {"SetGfid"});
         EXPECT_EQ(l.problems.back(),
                   "configuration file \"test.json\": 99980 more unknown names, "
                   "not listed one by one");
     },
     21},
    {"latency beyond ten seconds", R"({"ports": {"COM3": {"latencyMs": 60000}}})",
     ", key \"ports.COM3.latencyMs\": expected an integer from 0 to 10000, found 60000; built-in "
     "value kept",
     [](const Loaded &l) { EXPECT_EQ(l.ports.at("COM3").latencyMs, 0u); }},
    {"setter list holding an item that is not a name",
     R"({"ports": {"COM3": {"refusedSetters": ["SetGfid", 7, "SetGamma"]}}})",
     ", key \"ports.COM3.refusedSetters\": expected a list of texts, found number in it; built-in "
     "value kept",
     [](const Loaded &l) { EXPECT_TRUE(l.ports.at("COM3").refusedSetters.empty()); }},
    {"number beyond a double's range", R"({"defaults": {"gamma": 1e400, "sharpening": 2.0}})",
     ": malformed JSON (",
     [](const Loaded &l) {
         EXPECT_DOUBLE_EQ(l.values.gamma, 1.0);
         EXPECT_DOUBLE_EQ(l.values.sharpening, 1.0);
     }},
    {"zoom factor beyond a float's range", R"({"defaults": {"zoomFactor": 1e39, "gamma": 2.0}})",
     ", key \"defaults.zoomFactor\": expected a number from -3.4028234663852886e+38 to "
     "3.4028234663852886e+38, found 1e+39; built-in value kept",
     [](const Loaded &l) {
         EXPECT_EQ(l.values.zoomFactor, 1.0f);
         EXPECT_DOUBLE_EQ(l.values.gamma, 2.0);
     }},
    {"negative zoom register beyond a float's range",
     R"({"ports": {"COM3": {"registers": {"zoom": {"zoomFactor": -3.5e38}}}}})",
     ", key \"ports.COM3.registers.zoom.zoomFactor\": expected a number from "
     "-3.4028234663852886e+38 to 3.4028234663852886e+38, found -3.5e+38; built-in value kept",
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
    // The port scan reads the same file the same way: it lists COM3 alone.
    {"ports given twice: the first kept, the key after them too",
     R"({"ports": {"COM3": {}}, "ports": {"COM7": {}}, "expertMode": false})",
     ", key \"ports\": given more than once; the first kept, this one ignored",
     [](const Loaded &l) {
         EXPECT_EQ(l.order, std::vector<std::string> {"COM3"});
         EXPECT_FALSE(l.values.expertMode);
     }},
    {"50,000 duplicated objects: 20 lines with their true paths, then how many more",
     manyDuplicatedObjects,
     ", key \"ports.COM3\": given more than once; the first kept, this one ignored",
     [](const Loaded &l) {
         EXPECT_FALSE(l.ports.at("COM3").silent);
         EXPECT_FALSE(l.values.expertMode);
         EXPECT_EQ(l.problems[20],
                   "configuration file \"test.json\", key \"defaults.gama\": unknown key; ignored");
         EXPECT_EQ(l.problems.back(),
                   "configuration file \"test.json\": 49979 more keys given "
                   "more than once, not listed one by one");
     },
     22},
    {"100,000 ports, in the file's order", manyPorts, "",
     [](const Loaded &l) {
         ASSERT_EQ(l.order.size(), 100000u);
         EXPECT_EQ(l.order[10], "COM10");
     }},
    {"100,000 empty objects under an unknown key", manyEmptyObjects,
     ", key \"x\": unknown key; ignored", [](const Loaded &) {}},
    {"inverted Expert bounds", R"({"expert": {"gms": {"min": 10, "max": 5}}})",
     ", key \"expert.gms.min\": is above max (10 > 5); built-in current value and bounds kept",
     [](const Loaded &l) {
         EXPECT_EQ(l.members.gms.minimum, 0);
         EXPECT_EQ(l.members.gms.maximum, 100000);
     }},
    {"Expert current value outside its bounds", R"({"expert": {"gsk": {"current": 9}}})",
     ", key \"expert.gsk.current\": 9 lies outside min..max (1..3); built-in current value and "
     "bounds kept",
     [](const Loaded &l) { EXPECT_EQ(l.members.gsk.current, 2); }},
    {"negative sensor size", R"({"sensor": {"width": -5, "height": 480}})",
     ", key \"sensor.width\": expected an integer from 1 to 2147483647, found -5; built-in value "
     "kept",
     [](const Loaded &l) {
         EXPECT_EQ(l.members.sensorWidth, 1280);
         EXPECT_EQ(l.members.sensorHeight, 480);
     }},
    {"port name holding a NUL", R"({"ports": {"COM\u00003": {}}})",
     R"(, key "ports.COM\x003": a port name that holds \x00, a character that does not display as itself; ignored)",
     [](const Loaded &l) { EXPECT_TRUE(l.ports.empty()); }},
    {"port names with characters that hide, turn or split the text",
     R"({"ports": {"C1\u0085": {}, "C2\u009b": {}, "C3\u2028": {}, "C4\u2029": {}, "C5\u202e": {},
                   "C6\u200b": {}, "C7\ufffe": {}, "C\u00e9": {}}})",
     R"(, key "ports.C1\xC2\x85": a port name that holds \xC2\x85, a character that does not display as itself; ignored)",
     [](const Loaded &l) { EXPECT_EQ(l.order, std::vector<std::string> {"C\u00e9"}); }, 7},
    {"port names longer than 64 characters", portNamesOfEveryLength,
     ", key \"ports." + std::string(65, 'B')
         + "\": a port name that is not 1 to 64 characters long; ignored",
     [](const Loaded &l) {
         EXPECT_EQ(l.order,
                   (std::vector<std::string> {std::string(64, 'A'),
                                              repeated(
                                                  64, [](int) { return "\u00e9"; }, "")}));
     },
     3},
    {"link type holding a NUL", R"({"linkType": "UA\u0000RT", "expertMode": false})",
     ", key \"linkType\": a text cannot hold a NUL character; built-in value kept",
     [](const Loaded &l) {
         EXPECT_EQ(l.values.linkType, "UART");
         EXPECT_FALSE(l.values.expertMode);
     }},
    {"objects nested 100,000 deep", deepObjects,
     ": objects and arrays nested more than 64 deep; built-in values kept",
     [](const Loaded &l) { EXPECT_DOUBLE_EQ(l.values.gamma, 1.0); }},
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
     [](const Loaded &l) {
         EXPECT_FLOAT_EQ(l.ports.at("COM3").initialRegisters.zoom.zoomFactor, 1.0f);
     }},
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

} // namespace
