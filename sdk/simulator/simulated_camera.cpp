#include "simulated_camera.h"

#include "camera_limits.h"
#include "escaped_text.h"
#include "trace_format.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace nivaro_sim {
const std::vector<std::string> &refusableSetters()
{
    static const std::vector<std::string> names {
#define NIVARO_SIM_SETTER(type, key, setter, powerOn) #setter,
        NIVARO_SIM_REGISTERS(NIVARO_SIM_SETTER)
#undef NIVARO_SIM_SETTER
    };
    return names;
}

bool isRefusableSetter(const std::string &operation)
{
    const auto &names = refusableSetters();
    return std::find(names.begin(), names.end(), operation) != names.end();
}

SimulatedCamera::SimulatedCamera(const std::string &port, CameraScript script,
                                 std::shared_ptr<Registers> registers,
                                 const nivaro_sdk::INivaroConfig &bounds, TraceSink &trace)
    // Escaped so that no port name can end the bracket early or split the trace line.
    : self("camera[" + escapedText(port, "]") + "]")
    , script(std::move(script))
    , registers(std::move(registers))
    , bounds(bounds)
    , trace(trace)
{ }

bool SimulatedCamera::answers(const char *operation)
{
    if (self.recordIfHandedBack(operation)) {
        return false;
    }
    if (script.latencyMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(script.latencyMs));
    }
    ++operations;
    const bool unplugged = script.silentAfterCalls >= 0 && operations > script.silentAfterCalls;
    return !script.silent && !unplugged;
}

template<typename Value> Value SimulatedCamera::get(const char *operation, Value value)
{
    const Value answer = answers(operation) ? value : Value {};
    trace.call(self.traceName(), operation, "", traceText(answer));
    return answer;
}

template<typename Value, typename Register>
bool SimulatedCamera::set(const char *operation, const Value &value, Register &target,
                          bool accepted)
{
    const bool stored
        = answers(operation) && accepted && script.refusedSetters.count(operation) == 0;
    if (stored) {
        target = value;
    }
    trace.call(self.traceName(), operation, traceText(value), traceText(stored));
    return stored;
}

bool SimulatedCamera::GetVersions(nivaro_sdk::VersionInfo &versions)
{
    const bool answered = answers("GetVersions");
    versions = answered ? nivaro_sdk::VersionInfo {script.riscvVersion, script.fpgaVersion}
                        : nivaro_sdk::VersionInfo {0, 0};
    trace.call(self.traceName(), "GetVersions", outText(true, versions), traceText(answered));
    return answered;
}

void SimulatedCamera::BeginRead()
{
    answers("BeginRead");
    trace.call(self.traceName(), "BeginRead", "");
}

uint32_t SimulatedCamera::GetRoiX1()
{
    return get("GetRoiX1", registers->roiX1);
}

uint32_t SimulatedCamera::GetRoiX2()
{
    return get("GetRoiX2", registers->roiX2);
}

uint32_t SimulatedCamera::GetRoiY1()
{
    return get("GetRoiY1", registers->roiY1);
}

uint32_t SimulatedCamera::GetRoiY2()
{
    return get("GetRoiY2", registers->roiY2);
}

uint32_t SimulatedCamera::GetGsk()
{
    return get("GetGsk", static_cast<uint32_t>(registers->gsk));
}

bool SimulatedCamera::SetGsk(int32_t value)
{
    return set("SetGsk", value, registers->gsk,
               limits::withinBounds(value, bounds.gskMin, bounds.gskMax));
}

bool SimulatedCamera::SetGfid(int32_t value)
{
    return set("SetGfid", value, registers->gfid,
               limits::withinBounds(value, bounds.gfidMin, bounds.gfidMax));
}

bool SimulatedCamera::SetGms(int32_t value)
{
    return set("SetGms", value, registers->gms,
               limits::withinBounds(value, bounds.gmsMin, bounds.gmsMax));
}

uint32_t SimulatedCamera::GetGfid()
{
    return get("GetGfid", static_cast<uint32_t>(registers->gfid));
}

uint32_t SimulatedCamera::GetGms()
{
    return get("GetGms", static_cast<uint32_t>(registers->gms));
}

uint32_t SimulatedCamera::GetTint()
{
    return get("GetTint", static_cast<uint32_t>(registers->tint));
}

bool SimulatedCamera::SetTint(int32_t value)
{
    return set("SetTint", value, registers->tint,
               limits::withinBounds(value, bounds.tintMin, bounds.tintMax));
}

bool SimulatedCamera::GetBpr()
{
    return get("GetBpr", registers->bpr);
}

bool SimulatedCamera::SetBpr(bool enabled)
{
    return set("SetBpr", enabled, registers->bpr, true);
}

bool SimulatedCamera::GetOffsetCorrection()
{
    return get("GetOffsetCorrection", registers->offsetCorrection);
}

bool SimulatedCamera::SetOffsetCorrection(bool enabled)
{
    return set("SetOffsetCorrection", enabled, registers->offsetCorrection, true);
}

bool SimulatedCamera::GetGainCorrection()
{
    return get("GetGainCorrection", registers->gainCorrection);
}

bool SimulatedCamera::SetGainCorrection(bool enabled)
{
    return set("SetGainCorrection", enabled, registers->gainCorrection, true);
}

bool SimulatedCamera::GetHorizontalFlip()
{
    return get("GetHorizontalFlip", registers->horizontalFlip);
}

bool SimulatedCamera::SetHorizontalFlip(bool enabled)
{
    return set("SetHorizontalFlip", enabled, registers->horizontalFlip, true);
}

bool SimulatedCamera::GetVerticalFlip()
{
    return get("GetVerticalFlip", registers->verticalFlip);
}

bool SimulatedCamera::SetVerticalFlip(bool enabled)
{
    return set("SetVerticalFlip", enabled, registers->verticalFlip, true);
}

bool SimulatedCamera::GetVignettingCorrection()
{
    return get("GetVignettingCorrection", registers->vignettingCorrection);
}

bool SimulatedCamera::SetVignettingCorrection(bool enabled)
{
    return set("SetVignettingCorrection", enabled, registers->vignettingCorrection, true);
}

bool SimulatedCamera::GetColumnCorrection()
{
    return get("GetColumnCorrection", registers->columnCorrection);
}

bool SimulatedCamera::SetColumnCorrection(bool enabled)
{
    return set("SetColumnCorrection", enabled, registers->columnCorrection, true);
}

bool SimulatedCamera::ConfigureZoom(const nivaro_sdk::ZoomConfig &zoom)
{
    return set("ConfigureZoom", zoom, registers->zoom, limits::zoomAccepted(zoom));
}

void SimulatedCamera::GetZoom(nivaro_sdk::ZoomConfig &zoom)
{
    const bool answered = answers("GetZoom");
    if (answered) {
        zoom = registers->zoom;
    }
    trace.call(self.traceName(), "GetZoom", outText(answered, zoom));
}

uint8_t SimulatedCamera::GetContrastType()
{
    return get("GetContrastType", registers->contrastType);
}

bool SimulatedCamera::SetContrastType(uint8_t type)
{
    return set("SetContrastType", type, registers->contrastType,
               limits::contrastTypeAccepted(type));
}

bool SimulatedCamera::SetIaConfig(const nivaro_sdk::IaConfig &config)
{
    return set("SetIaConfig", config, registers->ia, limits::iaConfigAccepted(config));
}

bool SimulatedCamera::GetIaConfig(nivaro_sdk::IaConfig &config)
{
    const bool filled = answers("GetIaConfig") && !script.iaReadFails;
    if (filled) {
        config = registers->ia;
    }
    trace.call(self.traceName(), "GetIaConfig", outText(filled, config), traceText(filled));
    return filled;
}

bool SimulatedCamera::GetCameraType(uint8_t &type)
{
    const bool filled = answers("GetCameraType") && !script.typeQueryFails;
    if (filled) {
        type = script.cameraType;
    }
    trace.call(self.traceName(), "GetCameraType", outText(filled, type), traceText(filled));
    return filled;
}

uint32_t SimulatedCamera::GetGamma()
{
    return get("GetGamma", registers->gamma);
}

bool SimulatedCamera::SetGamma(uint32_t value)
{
    return set("SetGamma", value, registers->gamma, true);
}

uint32_t SimulatedCamera::GetClhe()
{
    return get("GetClhe", registers->clhe);
}

bool SimulatedCamera::SetClhe(uint32_t value)
{
    return set("SetClhe", value, registers->clhe, true);
}

uint32_t SimulatedCamera::GetSharpening()
{
    return get("GetSharpening", registers->sharpening);
}

bool SimulatedCamera::SetSharpening(uint32_t value)
{
    return set("SetSharpening", value, registers->sharpening, true);
}

bool SimulatedCamera::GetPolarity()
{
    return get("GetPolarity", registers->polarity);
}

bool SimulatedCamera::SetPolarity(bool inverted)
{
    return set("SetPolarity", inverted, registers->polarity, true);
}

bool SimulatedCamera::SetRoiX1(uint32_t value)
{
    return set("SetRoiX1", value, registers->roiX1, limits::roiXAccepted(value));
}

bool SimulatedCamera::SetRoiX2(uint32_t value)
{
    return set("SetRoiX2", value, registers->roiX2, limits::roiXAccepted(value));
}

bool SimulatedCamera::SetRoiY1(uint32_t value)
{
    return set("SetRoiY1", value, registers->roiY1, limits::roiYAccepted(value));
}

bool SimulatedCamera::SetRoiY2(uint32_t value)
{
    return set("SetRoiY2", value, registers->roiY2, limits::roiYAccepted(value));
}

bool SimulatedCamera::RequestNuc()
{
    const bool done = answers("RequestNuc") && !script.nucRequestFails;
    if (done) {
        // A NUC leaves the correction it computed switched on.
        registers->nucEnabled = limits::nucEnabled;
    }
    trace.call(self.traceName(), "RequestNuc", "", traceText(done));
    return done;
}

bool SimulatedCamera::SetNucEnabled(uint8_t state)
{
    return set("SetNucEnabled", state, registers->nucEnabled, limits::nucStateAccepted(state));
}

bool SimulatedCamera::GetNucEnabled()
{
    return get("GetNucEnabled", registers->nucEnabled != limits::nucDisabled);
}

} // namespace nivaro_sim
