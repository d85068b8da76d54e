#include "config_file.h"

#include "default_registers.h"
#include "environment.h"
#include "escaped_text.h"
#include "guarded_file.h"
#include "json_depth.h"
#include "json_keys.h"
#include "simulated_camera.h"

#include <limits>
#include <set>
#include <type_traits>
#include <utility>

namespace nivaro_sim {
namespace {

void readDefaults(JsonKeys &keys, ConfigurationValues &values)
{
#define NIVARO_SIM_READ(type, key, ...) keys.read(#key, values.key);
    NIVARO_SIM_DEFAULTS(NIVARO_SIM_READ)
#undef NIVARO_SIM_READ
    keys.finish();
}

// The three numbers of one Expert parameter apply together or not at all: bounds that
// cross, or a current value outside them, would leave the program's controls no value.
void readExpertParameter(JsonKeys &expert, const char *key, int32_t &current, int32_t &minimum,
                         int32_t &maximum)
{
    auto keys = expert.section(key);
    if (!keys) {
        return;
    }
    int32_t wanted[] = {current, minimum, maximum};
    keys->read("current", wanted[0]);
    keys->read("min", wanted[1]);
    keys->read("max", wanted[2]);
    keys->finish();
    const auto [newCurrent, newMinimum, newMaximum] = wanted;
    if (newMinimum > newMaximum) {
        keys->problem("min",
                      "is above max (" + std::to_string(newMinimum) + " > "
                          + std::to_string(newMaximum)
                          + "); built-in current value and bounds kept");
    } else if (newCurrent < newMinimum || newCurrent > newMaximum) {
        keys->problem("current",
                      std::to_string(newCurrent) + " lies outside min..max ("
                          + std::to_string(newMinimum) + ".." + std::to_string(newMaximum)
                          + "); built-in current value and bounds kept");
    } else {
        current = newCurrent;
        minimum = newMinimum;
        maximum = newMaximum;
    }
}

void readExpert(JsonKeys &keys, nivaro_sdk::INivaroConfig &object)
{
    readExpertParameter(keys, "gsk", object.currentGsk, object.gskMin, object.gskMax);
    readExpertParameter(keys, "gfid", object.currentGfid, object.gfidMin, object.gfidMax);
    readExpertParameter(keys, "tint", object.currentTint, object.tintMin, object.tintMax);
    readExpertParameter(keys, "gms", object.currentGms, object.gmsMin, object.gmsMax);
    keys.finish();
}

void readSensor(JsonKeys &keys, nivaro_sdk::INivaroConfig &object)
{
    constexpr long long noSize = 1;
    constexpr long long largestSize = std::numeric_limits<int32_t>::max();
    keys.read("width", object.sensorWidth, noSize, largestSize);
    keys.read("height", object.sensorHeight, noSize, largestSize);
    keys.finish();
}

// A record register is an object of its fields.
template<typename Register> void readRegister(JsonKeys &keys, const char *key, Register &value)
{
    if constexpr (std::is_class_v<Register>) {
        if (auto fields = keys.section(key)) {
            forEachField(value,
                         [&fields](const char *name, auto &field) { fields->read(name, field); });
            fields->finish();
        }
    } else {
        keys.read(key, value);
    }
}

void readRegisters(JsonKeys &keys, Registers &registers)
{
#define NIVARO_SIM_READ(type, key, ...) readRegister(keys, #key, registers.key);
    NIVARO_SIM_REGISTERS(NIVARO_SIM_READ)
#undef NIVARO_SIM_READ
    keys.finish();
}

// Longer than this would make the program look hung rather than slow.
constexpr long long longestLatencyMs = 10000;

CameraScript readPort(JsonKeys &keys, const ConfigurationValues &values)
{
    CameraScript script;
    keys.read("present", script.present);
    keys.read("cameraType", script.cameraType);
    keys.read("riscvVersion", script.riscvVersion);
    keys.read("fpgaVersion", script.fpgaVersion);
    keys.read("typeQueryFails", script.typeQueryFails);
    keys.read("silent", script.silent);
    keys.read("silentAfterCalls", script.silentAfterCalls, -1);
    keys.read("refusedSetters", script.refusedSetters, isRefusableSetter);
    keys.read("iaReadFails", script.iaReadFails);
    keys.read("nucRequestFails", script.nucRequestFails);
    keys.read("latencyMs", script.latencyMs, 0, longestLatencyMs);
    if (auto registers = keys.section("registers")) {
        // Registers not named in the file start at the configuration's defaults.
        script.hasInitialRegisters = true;
        script.initialRegisters = registersFromConfiguration(values);
        readRegisters(*registers, script.initialRegisters);
    }
    keys.finish();
    return script;
}

// Reports every key an object holds twice and keeps the first: which of two values a
// reader takes is a guess, and the file's author meant one of them.
class DuplicateKeys
{
public:
    DuplicateKeys(std::string fileText, std::vector<std::string> &problems)
        : fileText(std::move(fileText)), problems(problems)
    { }

    bool operator()(int, nlohmann::json::parse_event_t event, nlohmann::json &parsed)
    {
        using Event = nlohmann::json::parse_event_t;
        switch (event) {
        case Event::object_start:
        case Event::array_start:
            containers.push_back({event == Event::object_start, {}, {}});
            return true;
        case Event::object_end:
        case Event::array_end:
            containers.pop_back();
            return true;
        case Event::key:
            return keyIsNew(parsed.get<std::string>());
        case Event::value:
            return true;
        }
        return true;
    }

private:
    // Only the key each one is in: a dotted path held for every open container would cost
    // the square of the depth.
    struct Container
    {
        bool isObject;
        std::set<std::string> keys;
        std::string lastKey;
    };

    bool keyIsNew(const std::string &key)
    {
        Container &object = containers.back();
        object.lastKey = key;
        if (object.keys.insert(key).second) {
            return true;
        }
        std::string path;
        for (const Container &container : containers) {
            if (container.isObject) {
                path += container.lastKey + '.';
            }
        }
        path.pop_back(); // the dot after this key
        problems.push_back(fileText + ", key \"" + shownText(path)
                           + "\": given more than once; the first kept, this one ignored");
        return false;
    }

    std::string fileText;
    std::vector<std::string> &problems;
    std::vector<Container> containers;
};

} // namespace

std::vector<std::string> applyConfigurationFile(const std::filesystem::path &file,
                                                const ConfigurationTarget &target)
{
    const std::string label = displayText(file);
    const auto unusable = [&label](const std::string &reason) {
        return std::vector<std::string> {"configuration file \"" + shownText(label) + "\" " + reason
                                         + "; built-in values kept"};
    };
    const FileText read = readSmallRegularFile(file);
    if (!read.failure.empty()) {
        return unusable(read.failure);
    }
    return applyConfigurationText(read.text, label, target);
}

std::vector<std::string> applyConfigurationText(const std::string &text,
                                                const std::string &fileLabel,
                                                const ConfigurationTarget &target)
{
    const std::string fileText = "configuration file \"" + shownText(fileLabel) + "\"";
    if (nestsTooDeep(text)) {
        return {fileText + ": objects and arrays nested more than " + std::to_string(deepestNesting)
                + " deep; built-in values kept"};
    }
    std::vector<std::string> problems;
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(text, DuplicateKeys(fileText, problems));
    } catch (const nlohmann::json::exception &error) {
        // Not only syntax errors: a number beyond a double's range (1e400) is refused too.
        return {fileText + ": malformed JSON (" + shownText(error.what())
                + "); built-in values kept"};
    }
    if (!document.is_object()) {
        return {fileText + ": expected a JSON object, found " + document.type_name()
                + "; built-in values kept"};
    }

    JsonKeys keys(document, "", fileLabel, problems, target.keysAsked);
    keys.read("linkType", target.values.linkType, target.values.linkTypeIsNull);
    keys.read("expertMode", target.values.expertMode);
    if (auto defaults = keys.section("defaults")) {
        readDefaults(*defaults, target.values);
    }
    if (auto expert = keys.section("expert")) {
        readExpert(*expert, target.object);
    }
    if (auto sensor = keys.section("sensor")) {
        readSensor(*sensor, target.object);
    }
    if (auto ports = keys.section("ports")) {
        for (auto &[port, portKeys] : ports->sections()) {
            // The program hands a port name over as NUL-terminated text.
            if (port.find('\0') != std::string::npos) {
                ports->problem(port, "a port name cannot hold a NUL character; ignored");
                continue;
            }
            target.ports[port] = readPort(portKeys, target.values);
        }
    }
    keys.finish();
    return problems;
}

} // namespace nivaro_sim
