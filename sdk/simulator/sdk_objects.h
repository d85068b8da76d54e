#pragma once

// The objects the service hands out, and the service itself; the cameras are simulated_camera.h's.

#include "nivaro_config.h"
#include "nivaro_connection.h"
#include "nivaro_service.h"
#include "simulated_camera.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace nivaro_sim {

// Objects of one kind the program handed back. Freeing them at once would turn a later use into
// a silent use-after-free that only a sanitizer sees; the latest 16 stay alive instead, answer
// like a silent camera and report every use. Older ones are freed, so a session of any length
// holds a bounded number.
template<typename Object> class Returned
{
public:
    static constexpr std::size_t kept = 16;

    void keep(std::unique_ptr<Object> object, const char *how)
    {
        object->handBack(how);
        if (objects.size() == kept) {
            objects.pop_front();
        }
        objects.push_back(std::move(object));
    }

    // Hands back the object behind a pointer the program passes: from those held into these, by
    // the operation `how`, or, when it is among these already, as a use after hand-back in the
    // call that names it (`call` up to its name: "sdk.ReleaseConnection(&"). Answers its name
    // for the trace, "unknown" when the SDK did not hand it out, "null" for a null pointer.
    template<typename Interface>
    std::string handBack(std::vector<std::unique_ptr<Object>> &held, const Interface *pointer,
                         const char *how, const std::string &call)
    {
        const auto isBehind = [pointer](const std::unique_ptr<Object> &object) {
            return static_cast<const Interface *>(object.get()) == pointer;
        };
        if (const auto inUse = std::find_if(held.begin(), held.end(), isBehind);
            inUse != held.end()) {
            std::string name = (*inUse)->traceName();
            keep(std::move(*inUse), how);
            held.erase(inUse);
            return name;
        }
        if (const auto again = std::find_if(objects.begin(), objects.end(), isBehind);
            again != objects.end()) {
            (*again)->recordUse(call + (*again)->name() + ')');
            return (*again)->traceName();
        }
        return pointer ? "unknown" : "null";
    }

    void forget() { objects.clear(); }

private:
    std::deque<std::unique_ptr<Object>> objects;
};

// The one configuration object of the process. Its answers are read live from the
// values it is given, so a change made through the control interface shows at once.
class SimulatedConfig final : public nivaro_sdk::INivaroConfig
{
public:
    SimulatedConfig(const ConfigurationValues &values, TraceSink &trace);

    // The Expert current values and bounds, and the sensor size.
    void storeMembers(const ConfigurationMembers &members);

    const char *GetLinkType() override
    {
        return answer("GetLinkType", values.linkTypeIsNull ? nullptr : values.linkType.c_str());
    }
#define NIVARO_SIM_GETTER(type, key, getter, ...)                                                  \
    type GetDefault##getter() override                                                             \
    {                                                                                              \
        return answer("GetDefault" #getter, values.key);                                           \
    }
    NIVARO_SIM_DEFAULTS(NIVARO_SIM_GETTER)
#undef NIVARO_SIM_GETTER
    bool IsExpertModeEnabled() override
    {
        return answer("IsExpertModeEnabled", values.expertMode);
    }

private:
    template<typename Value> Value answer(const char *operation, Value value)
    {
        trace.call("config", operation, "", traceText(value));
        return value;
    }

    const ConfigurationValues &values;
    TraceSink &trace;
};

// One connection attempt; it owns the cameras opened through it until they are closed.
class SimulatedConnection final : public nivaro_sdk::INivaroConnection, public HandedOut
{
public:
    SimulatedConnection(int number, CameraPorts &ports, TraceSink &trace,
                        Returned<SimulatedCamera> &returnedCameras);

    nivaro_sdk::INivaroCamera *OpenCamera(const char *portName) override;
    void CloseCamera(nivaro_sdk::INivaroCamera *camera) override;

    // Its cameras are handed back with it.
    void handBack(const char *how) override;

private:
    CameraPorts &ports;
    Returned<SimulatedCamera> &returnedCameras;
    std::vector<std::unique_ptr<SimulatedCamera>> cameras;
};

// The service object. It owns every connection it hands out, and keeps the latest ones
// handed back, until the process ends: a program that never releases its last one leaks
// nothing.
class SimulatedSdk final : public nivaro_sdk::INivaroSdk
{
public:
    SimulatedSdk(SimulatedConfig &config, CameraPorts &ports, TraceSink &trace);

    bool Init() override;
    nivaro_sdk::INivaroConfig *GetConfig() override;
    void NotifyParametersApplied() override;
    nivaro_sdk::INivaroConnection *CreateConnection() override;
    void ReleaseConnection(nivaro_sdk::INivaroConnection **connection) override;

    // Frees every connection and camera, returned ones included, and numbers the next
    // connection 1 again.
    void forget();

private:
    SimulatedConfig &config;
    CameraPorts &ports;
    TraceSink &trace;
    std::vector<std::unique_ptr<SimulatedConnection>> connections;
    Returned<SimulatedConnection> returnedConnections;
    Returned<SimulatedCamera> returnedCameras;
    int connectionsMade = 0;
};

} // namespace nivaro_sim
