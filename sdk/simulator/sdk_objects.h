#pragma once

// The objects the service hands out, and the service itself; the cameras are simulated_camera.h's.

#include "handed_out.h"
#include "nivaro_config.h"
#include "nivaro_connection.h"
#include "nivaro_service.h"
#include "simulated_camera.h"
#include "trace_format.h"

#include <memory>
#include <string>
#include <vector>

namespace nivaro_sim {

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

    // Released by the program: its cameras are handed back with it.
    void handBackCameras();

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
