#include "simulated_connection.h"

#include "trace_format.h"

#include <algorithm>

namespace nivaro_sim {

namespace {
constexpr const char *released = "ReleaseConnection";
constexpr const char *closed = "CloseCamera";
} // namespace

SimulatedConnection::SimulatedConnection(int number, CameraPorts &ports, TraceSink &trace,
                                         ReturnedObjects &returned)
    : self("connection#" + std::to_string(number)), ports(ports), trace(trace), returned(returned)
{ }

nivaro_sdk::INivaroCamera *SimulatedConnection::OpenCamera(const char *portName)
{
    const bool handedBackBefore = self.recordIfHandedBack("OpenCamera");
    auto camera = portName && !handedBackBefore ? ports.open(portName) : nullptr;
    trace.call(self.traceName(), "OpenCamera", traceText(portName),
               camera ? camera->handedOut().traceName() : "null");
    if (!camera) {
        return nullptr;
    }
    cameras.push_back(std::move(camera));
    return cameras.back().get();
}

void SimulatedConnection::CloseCamera(nivaro_sdk::INivaroCamera *camera)
{
    self.recordIfHandedBack(closed);
    // A connection handed back holds no camera, so this finds none on it.
    const auto held = std::find_if(cameras.begin(), cameras.end(),
                                   [camera](const auto &owned) { return owned.get() == camera; });
    if (held != cameras.end()) {
        trace.call(self.traceName(), closed, (*held)->handedOut().traceName());
        std::unique_ptr<SimulatedCamera> closedCamera = std::move(*held);
        cameras.erase(held);
        returned.keep(std::move(closedCamera), closed);
        return;
    }
    const SimulatedCamera *again = returned.camera(camera);
    if (again) {
        again->handedOut().recordUse(self.name() + ".CloseCamera(" + again->handedOut().name()
                                     + ')');
    }
    trace.call(self.traceName(), closed,
               again        ? again->handedOut().traceName()
                   : camera ? "unknown"
                            : "null");
}

void SimulatedConnection::handBack()
{
    for (auto &camera : cameras) {
        returned.keep(std::move(camera), released);
    }
    cameras.clear();
    self.handBack(returned, released);
}

} // namespace nivaro_sim
