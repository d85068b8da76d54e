#include "config_file.h"

#include "default_registers.h"
#include "environment.h"
#include "json_keys.h"
#include "simulated_camera.h"

#include <fstream>
#include <iterator>
#include <optional>

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

void readExpertParameter(JsonKeys &expert, const char *key, int32_t &current, int32_t &minimum,
                         int32_t &maximum)
{
    if (auto keys = expert.section(key)) {
        keys->read("current", current);
        keys->read("min", minimum);
        keys->read("max", maximum);
        keys->finish();
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
    keys.read("width", object.sensorWidth);
    keys.read("height", object.sensorHeight);
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

// The whole file, or none when it cannot be opened or a read fails midway.
std::optional<std::string> readWholeFile(const std::filesystem::path &file)
{
    try {
        std::ifstream stream(file, std::ios::binary);
        if (!stream.is_open()) {
            return std::nullopt;
        }
        std::string text((std::istreambuf_iterator<char>(stream)),
                         std::istreambuf_iterator<char>());
        if (stream.bad()) {
            return std::nullopt;
        }
        return text;
    } catch (const std::exception &) {
        // The standard library reports a failed read by throwing from the stream buffer.
        return std::nullopt;
    }
}

// A system's message may end in a line break or hold control characters.
std::string oneLine(std::string text)
{
    for (auto &c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = ' ';
        }
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

} // namespace

std::vector<std::string> applyConfigurationFile(const std::filesystem::path &file,
                                                const ConfigurationTarget &target)
{
    const std::string label = displayText(file);
    const auto unusable = [&label](const std::string &reason) {
        return std::vector<std::string> {"configuration file \"" + label + "\" " + reason
                                         + "; built-in values kept"};
    };
    // Only the non-throwing forms: a name too long for the system, or a folder that cannot
    // be searched, must end in a line on standard error, not in a crash.
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return unusable("does not exist");
    }
    if (status.type() == std::filesystem::file_type::directory) {
        return unusable("cannot be read (it is a folder)");
    }
    if (error) {
        return unusable("cannot be read (" + oneLine(error.message()) + ")");
    }
    const auto text = readWholeFile(file);
    if (!text) {
        return unusable("cannot be read");
    }
    return applyConfigurationText(*text, label, target);
}

std::vector<std::string> applyConfigurationText(const std::string &text,
                                                const std::string &fileLabel,
                                                const ConfigurationTarget &target)
{
    const std::string fileText = "configuration file \"" + fileLabel + "\"";
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception &error) {
        // Not only syntax errors: a number beyond a double's range (1e400) is refused too.
        return {fileText + ": malformed JSON (" + error.what() + "); built-in values kept"};
    }
    if (!document.is_object()) {
        return {fileText + ": expected a JSON object, found " + document.type_name()
                + "; built-in values kept"};
    }

    std::vector<std::string> problems;
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
            target.ports[port] = readPort(portKeys, target.values);
        }
    }
    keys.finish();
    return problems;
}

} // namespace nivaro_sim
