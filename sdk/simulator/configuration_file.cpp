#include "configuration_file.h"

#include "configuration_reading.h"
#include "escaped_text.h"

#include <cmath>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <type_traits>
#include <utility>

namespace nivaro_sim {
namespace {

using Json = nlohmann::json;

// Register values in the camera's units, as a whole number of units (unitsPerOne of them make
// 1.0) saturated to the register's range: a new camera holds the unit nearest its default. The
// contrast strength and the ROI, counted in whole units, are truncated.
template<int unitsPerOne> uint32_t inUnits(double value)
{
    const double units = unitsPerOne == 1 ? std::trunc(value) : std::round(value * unitsPerOne);
    // fmax turns a NaN into 0.
    return static_cast<uint32_t>(
        std::fmin(std::fmax(units, 0.0), std::numeric_limits<uint32_t>::max()));
}

template<typename Value> Value asIs(Value value)
{
    return value;
}

// Takes a key's value out of an object the schema has passed into a setting: what the reading
// leaves is what the schema knows and the simulator does not read, reported at the end.
template<typename Setting> void take(Json &object, const char *key, Setting &setting)
{
    const auto found = object.find(key);
    if (found == object.end()) {
        return;
    }
    if constexpr (std::is_aggregate_v<Setting>) {
        forEachField(setting,
                     [&found](const char *field, auto &value) { take(*found, field, value); });
    } else {
        setting = found->template get<Setting>();
        object.erase(found);
    }
}

Json *objectAt(Json &object, const std::string &key)
{
    const auto found = object.find(key);
    return found != object.end() ? &*found : nullptr;
}

void reportUnread(const Json &object, const std::string &path, ProblemLines &problems)
{
    for (const auto &[key, value] : object.items()) {
        if (value.is_object()) {
            reportUnread(value, keyPath(path, key), problems);
        } else {
            problems.add(ProblemLines::unknownKey, keyPath(path, key), "unknown key; ignored");
        }
    }
}

// The three numbers of one Expert parameter apply together or not at all: bounds that
// cross, or a current value outside them, would leave the program's controls no value.
void readExpertParameter(Json *numbers, const std::string &path, ExpertParameter &parameter,
                         ProblemLines &problems)
{
    if (!numbers) {
        return;
    }
    ExpertParameter wanted = parameter;
    take(*numbers, "current", wanted.current);
    take(*numbers, "min", wanted.minimum);
    take(*numbers, "max", wanted.maximum);
    const auto [current, minimum, maximum] = wanted;
    const std::string kept = "; built-in current value and bounds kept";
    if (minimum > maximum) {
        problems.add(ProblemLines::unusableValue, path + ".min",
                     "is above max (" + std::to_string(minimum) + " > " + std::to_string(maximum)
                         + ')' + kept);
    } else if (current < minimum || current > maximum) {
        problems.add(ProblemLines::unusableValue, path + ".current",
                     std::to_string(current) + " lies outside min..max (" + std::to_string(minimum)
                         + ".." + std::to_string(maximum) + ')' + kept);
    } else {
        parameter = wanted;
    }
}

CameraScript readPort(Json &keys, const ConfigurationValues &values)
{
    CameraScript script;
#define NIVARO_SIM_TAKE(type, key) take(keys, #key, script.key);
    NIVARO_SIM_SCRIPT(NIVARO_SIM_TAKE)
#undef NIVARO_SIM_TAKE
    if (Json *registers = objectAt(keys, "registers")) {
        // Registers not named in the file start at the configuration's defaults.
        script.hasInitialRegisters = true;
        script.initialRegisters = registersFromConfiguration(values);
#define NIVARO_SIM_TAKE(type, key, ...) take(*registers, #key, script.initialRegisters.key);
        NIVARO_SIM_REGISTERS(NIVARO_SIM_TAKE)
#undef NIVARO_SIM_TAKE
    }
    return script;
}

// The program hands a port name to the SDK as NUL-terminated text, and shows it in its list and
// its log: a name that cannot go whole, or would hide, turn or split the text around it, is
// left out.
void leaveOutUnusablePortNames(Json &document, ProblemLines &problems)
{
    Json *ports = objectAt(document, "ports");
    if (!ports || !ports->is_object()) {
        return;
    }
    for (auto port = ports->begin(); port != ports->end();) {
        const std::string reason = unshowableBecause(port.key(), longestPortName);
        if (!reason.empty()) {
            problems.add(ProblemLines::unusablePortName, "ports." + port.key(),
                         "a port name that " + reason + "; ignored");
        }
        port = reason.empty() ? std::next(port) : ports->erase(port);
    }
}

Configuration readDocument(Json &document, const std::vector<std::string> &portOrder,
                           ProblemLines &problems)
{
    Configuration configuration;
    ConfigurationValues &values = configuration.values;
    if (Json *linkType = objectAt(document, "linkType")) {
        // The program reads the text as NUL-terminated: it would see only what comes before.
        if (linkType->is_string() && linkType->get<std::string>().find('\0') != std::string::npos) {
            problems.add(ProblemLines::unusableValue, "linkType",
                         "a text cannot hold a NUL character; built-in value kept");
        } else {
            values.linkTypeIsNull = linkType->is_null();
            values.linkType = linkType->is_null() ? "" : linkType->get<std::string>();
        }
        document.erase("linkType");
    }
    document.erase("$schema");
    take(document, "expertMode", values.expertMode);
    if (Json *defaults = objectAt(document, "defaults")) {
#define NIVARO_SIM_TAKE(type, key, ...) take(*defaults, #key, values.key);
        NIVARO_SIM_DEFAULTS(NIVARO_SIM_TAKE)
#undef NIVARO_SIM_TAKE
    }
    if (Json *expert = objectAt(document, "expert")) {
#define NIVARO_SIM_TAKE(key, Name)                                                                 \
    readExpertParameter(objectAt(*expert, #key), "expert." #key, configuration.members.key,        \
                        problems);
        NIVARO_SIM_EXPERT(NIVARO_SIM_TAKE)
#undef NIVARO_SIM_TAKE
    }
    if (Json *sensor = objectAt(document, "sensor")) {
        take(*sensor, "width", configuration.members.sensorWidth);
        take(*sensor, "height", configuration.members.sensorHeight);
    }
    if (Json *ports = objectAt(document, "ports")) {
        for (const std::string &name : portOrder) {
            if (Json *keys = objectAt(*ports, name)) {
                configuration.ports.emplace_back(name, readPort(*keys, values));
            }
        }
    }
    reportUnread(document, "", problems);
    return configuration;
}

} // namespace

Registers registersFromConfiguration(const ConfigurationValues &values)
{
    Registers registers;
#define NIVARO_SIM_START(type, key, getter, target, convert) registers.target = convert(values.key);
    NIVARO_SIM_DEFAULTS(NIVARO_SIM_START)
#undef NIVARO_SIM_START
    return registers;
}

ConfigurationReading readConfigurationText(const std::string &text, const std::string &fileLabel)
{
    ProblemLines problems(fileLabel);
    Json document;
    std::vector<std::string> portOrder;
    std::string failure = readJson(text, "ports", document, portOrder, problems);
    if (failure.empty() && !document.is_object()) {
        failure = std::string("expected a JSON object, found ") + document.type_name();
    }
    if (!failure.empty()) {
        return {{}, problems.unusableFile(": " + failure)};
    }
    leaveOutUnusablePortNames(document, problems);
    keepWhatTheSchemaAccepts(document, problems);
    Configuration configuration = readDocument(document, portOrder, problems);
    return {std::move(configuration), problems.lines()};
}

ConfigurationReading readConfiguration(const ConfigurationSource &source)
{
    std::string unused;
    if (source.path.empty()
        || (source.optional
            && fileType(source.path, unused) == std::filesystem::file_type::not_found)) {
        return {};
    }
    const std::string label = displayText(source.path);
    const FileText read = readSmallRegularFile(source.path);
    if (!read.failure.empty()) {
        return {{}, ProblemLines(label).unusableFile(' ' + read.failure)};
    }
    return readConfigurationText(read.text, label);
}

std::vector<std::string> configuredPortNames()
{
    std::vector<std::string> names;
    for (const auto &port : readConfiguration(configurationSource()).configuration.ports) {
        names.push_back(port.first);
    }
    return names;
}

} // namespace nivaro_sim
