#include "simulated_connection.h"

#include "trace_format.h"

#include <algorithm>

namespace nivaro_sim {

SimulatedConnection::SimulatedConnection(int number, CameraPorts &ports, TraceSink &trace)
    : traceName("connection#" + std::to_string(number)), ports(ports), trace(trace)
{ }

nivaro_sdk::INivaroCamera *SimulatedConnection::OpenCamera(const char *portName)
{
    auto camera = portName ? ports.open(portName) : nullptr;
    trace.call(traceName, "OpenCamera", traceText(portName), camera ? camera->name() : "null");
    if (!camera) {
        return nullptr;
    }
    cameras.push_back(std::move(camera));
    return cameras.back().get();
}

void SimulatedConnection::CloseCamera(nivaro_sdk::INivaroCamera *camera)
{
    const auto held = std::find_if(cameras.begin(), cameras.end(),
                                   [camera](const auto &owned) { return owned.get() == camera; });
    if (held == cameras.end()) {
        trace.call(traceName, "CloseCamera", camera ? "unknown" : "null");
        return;
    }
    trace.call(traceName, "CloseCamera", (*held)->name());
    cameras.erase(held);
}

} // namespace nivaro_sim
