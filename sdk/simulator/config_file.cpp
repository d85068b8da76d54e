#include "config_file.h"

#include "default_registers.h"
#include "environment.h"
#include "escaped_text.h"
#include "json_keys.h"
#include "simulated_camera.h"

#include <cerrno>
#include <fstream>
#include <limits>
#include <set>
#include <system_error>
#include <utility>

namespace nivaro_sim {
namespace {

void readDefaults(JsonKeys &keys, ConfigurationValues &values)
{
    keys.read("gamma", values.gamma);
    keys.read("clhe", values.clhe);
    keys.read("sharpening", values.sharpening);
    keys.read("gsk", values.gsk);
    keys.read("gfid", values.gfid);
    keys.read("tint", values.tint);
    keys.read("gms", values.gms);
    keys.read("roiX1", values.roiX1);
    keys.read("roiY1", values.roiY1);
    keys.read("roiX2", values.roiX2);
    keys.read("roiY2", values.roiY2);
    keys.read("contrastType", values.contrastType);
    keys.read("polarity", values.polarity);
    keys.read("zoomFactor", values.zoomFactor);
    keys.read("zoomMethod", values.zoomMethod);
    keys.read("zoomCenterX", values.zoomCenterX);
    keys.read("zoomCenterY", values.zoomCenterY);
    keys.read("horizontalFlip", values.horizontalFlip);
    keys.read("verticalFlip", values.verticalFlip);
    keys.read("vignettingCorrection", values.vignettingCorrection);
    keys.read("columnCorrection", values.columnCorrection);
    keys.read("iaMaxBoxes", values.iaMaxBoxes);
    keys.read("iaSensitivity", values.iaSensitivity);
    keys.read("iaIou", values.iaIou);
    keys.read("iaResizeMode", values.iaResizeMode);
    keys.read("iaOutputType", values.iaOutputType);
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

void readRegisters(JsonKeys &keys, Registers &registers)
{
    keys.read("gamma", registers.gamma);
    keys.read("clhe", registers.clhe);
    keys.read("sharpening", registers.sharpening);
    keys.read("roiX1", registers.roiX1);
    keys.read("roiY1", registers.roiY1);
    keys.read("roiX2", registers.roiX2);
    keys.read("roiY2", registers.roiY2);
    keys.read("polarity", registers.polarity);
    if (auto zoom = keys.section("zoom")) {
        zoom->read("zoomFactor", registers.zoom.zoomFactor);
        zoom->read("centerX", registers.zoom.centerX);
        zoom->read("centerY", registers.zoom.centerY);
        zoom->read("interpolationMethod", registers.zoom.interpolationMethod);
        zoom->finish();
    }
    keys.read("contrastType", registers.contrastType);
    keys.read("nucEnabled", registers.nucEnabled);
    keys.read("horizontalFlip", registers.horizontalFlip);
    keys.read("verticalFlip", registers.verticalFlip);
    keys.read("vignettingCorrection", registers.vignettingCorrection);
    keys.read("columnCorrection", registers.columnCorrection);
    keys.read("gsk", registers.gsk);
    keys.read("gfid", registers.gfid);
    keys.read("gms", registers.gms);
    keys.read("tint", registers.tint);
    keys.read("bpr", registers.bpr);
    keys.read("offsetCorrection", registers.offsetCorrection);
    keys.read("gainCorrection", registers.gainCorrection);
    if (auto ia = keys.section("ia")) {
        ia->read("resizeMode", registers.ia.resizeMode);
        ia->read("maxBoxes", registers.ia.maxBoxes);
        ia->read("sensitivity", registers.ia.sensitivity);
        ia->read("iouThreshold", registers.ia.iouThreshold);
        ia->read("outputType", registers.ia.outputType);
        ia->finish();
    }
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

// No real configuration comes near this; a larger file is more likely a mistake (a log,
// an image) than settings, and reading it would make the program start slowly or not at all.
constexpr std::uintmax_t largestFile = std::uintmax_t {4} * 1024 * 1024;

// The whole file, or the reason it could not be read.
struct FileText
{
    std::string text;
    std::string failure; // empty when the text was read
};

FileText readWholeFile(const std::filesystem::path &file)
{
    try {
        errno = 0;
        std::ifstream stream(file, std::ios::binary);
        if (!stream.is_open()) {
            return {{}, "cannot be opened (" + systemReason() + ")"};
        }
        // At most one byte beyond the limit: a file that grew since it was measured is
        // still refused, never read whole.
        std::string text(largestFile + 1, '\0');
        stream.read(text.data(), static_cast<std::streamsize>(text.size()));
        if (stream.bad()) {
            return {{}, "cannot be read (" + systemReason() + ")"};
        }
        text.resize(static_cast<std::size_t>(stream.gcount()));
        if (text.size() > largestFile) {
            return {{}, "is larger than 4 MiB"};
        }
        return {text, {}};
    } catch (const std::exception &error) {
        // The standard library may report a failed read by throwing from the stream buffer.
        return {{}, "cannot be read (" + shownText(error.what()) + ")"};
    }
}

// Why a path is no file to read, or empty when it is a regular file of a sensible size.
// Only the non-throwing forms: a name too long for the system, or a folder that cannot
// be searched, must end in a line on standard error, not in a crash.
std::string unusableBecause(const std::filesystem::path &file)
{
    using std::filesystem::file_type;
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == file_type::not_found
        && (!error || error == std::errc::no_such_file_or_directory)) {
        return "does not exist";
    }
    if (error) {
        return "cannot be read (" + shownText(error.message()) + ")";
    }
    switch (status.type()) {
    case file_type::regular:
        break;
    case file_type::directory:
        return "cannot be read (it is a folder)";
    default:
        // Reading a FIFO or a device waits for a writer, or never ends.
        return "is not a regular file";
    }
    const auto size = std::filesystem::file_size(file, error);
    if (error) {
        return "cannot be read (" + shownText(error.message()) + ")";
    }
    if (size > largestFile) {
        return "is larger than 4 MiB (" + std::to_string(size) + " bytes)";
    }
    return {};
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
            containers.push_back({pathOfNextValue(), event == Event::object_start, {}, {}});
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
    struct Container
    {
        std::string path; // the dotted path of its members, ending in a dot when not empty
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
        problems.push_back(fileText + ", key \"" + shownText(object.path + key)
                           + "\": given more than once; the first kept, this one ignored");
        return false;
    }

    std::string pathOfNextValue() const
    {
        if (containers.empty()) {
            return {};
        }
        const Container &parent = containers.back();
        return parent.isObject ? parent.path + parent.lastKey + '.' : parent.path;
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
    if (const std::string reason = unusableBecause(file); !reason.empty()) {
        return unusable(reason);
    }
    const FileText read = readWholeFile(file);
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
