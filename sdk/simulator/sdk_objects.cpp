#include "sdk_objects.h"

namespace nivaro_sim {
namespace {
constexpr const char *released = "ReleaseConnection";
constexpr const char *closed = "CloseCamera";
} // namespace

SimulatedConfig::SimulatedConfig(const ConfigurationValues &values, TraceSink &trace)
    : values(values), trace(trace)
{
    storeMembers(ConfigurationMembers {});
}

void SimulatedConfig::storeMembers(const ConfigurationMembers &members)
{
#define NIVARO_SIM_STORE(key, Name)                                                                \
    current##Name = members.key.current;                                                           \
    key##Min = members.key.minimum;                                                                \
    key##Max = members.key.maximum;
    NIVARO_SIM_EXPERT(NIVARO_SIM_STORE)
#undef NIVARO_SIM_STORE
    sensorWidth = members.sensorWidth;
    sensorHeight = members.sensorHeight;
}

SimulatedConnection::SimulatedConnection(int number, CameraPorts &ports, TraceSink &trace,
                                         Returned<SimulatedCamera> &returnedCameras)
    : HandedOut("connection#" + std::to_string(number), trace)
    , ports(ports)
    , returnedCameras(returnedCameras)
{ }

nivaro_sdk::INivaroCamera *SimulatedConnection::OpenCamera(const char *portName)
{
    const bool handedBackBefore = recordIfHandedBack("OpenCamera");
    auto camera = portName && !handedBackBefore ? ports.open(portName) : nullptr;
    traceCall("OpenCamera", traceText(portName), camera ? camera->traceName() : "null");
    if (!camera) {
        return nullptr;
    }
    cameras.push_back(std::move(camera));
    return cameras.back().get();
}

void SimulatedConnection::CloseCamera(nivaro_sdk::INivaroCamera *camera)
{
    recordIfHandedBack(closed);
    // A connection handed back holds no camera, so this finds none on it.
    traceCall(closed, returnedCameras.handBack(cameras, camera, closed, name() + ".CloseCamera("));
}

void SimulatedConnection::handBack(const char *how)
{
    for (auto &camera : cameras) {
        returnedCameras.keep(std::move(camera), how);
    }
    cameras.clear();
    HandedOut::handBack(how);
}

SimulatedSdk::SimulatedSdk(SimulatedConfig &config, CameraPorts &ports, TraceSink &trace)
    : config(config), ports(ports), trace(trace)
{ }

bool SimulatedSdk::Init()
{
    // Everything is ready once the service object exists; a repeated call changes nothing.
    trace.call("sdk", "Init", "", traceText(true));
    return true;
}

nivaro_sdk::INivaroConfig *SimulatedSdk::GetConfig()
{
    trace.call("sdk", "GetConfig", "", "config");
    return &config;
}

void SimulatedSdk::NotifyParametersApplied()
{
    trace.call("sdk", "NotifyParametersApplied", "");
}

nivaro_sdk::INivaroConnection *SimulatedSdk::CreateConnection()
{
    connections.push_back(
        std::make_unique<SimulatedConnection>(++connectionsMade, ports, trace, returnedCameras));
    trace.call("sdk", "CreateConnection", "", connections.back()->traceName());
    return connections.back().get();
}

void SimulatedSdk::ReleaseConnection(nivaro_sdk::INivaroConnection **connection)
{
    if (!connection) {
        trace.call("sdk", released, "null");
        return;
    }
    const std::string name = returnedConnections.handBack(connections, *connection, released,
                                                          "sdk.ReleaseConnection(&");
    trace.call("sdk", released, '&' + name);
    *connection = nullptr;
}

void SimulatedSdk::forget()
{
    connections.clear();
    returnedConnections.forget();
    returnedCameras.forget();
    connectionsMade = 0;
}

} // namespace nivaro_sim
