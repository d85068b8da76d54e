#include "simulated_service.h"

#include "trace_format.h"

#include <algorithm>

namespace nivaro_sim {

SimulatedSdk::SimulatedSdk(SimulatedConfig &config, CameraPorts &ports, TraceSink &trace,
                           ReturnedObjects &returned)
    : config(config), ports(ports), trace(trace), returned(returned)
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
        std::make_unique<SimulatedConnection>(++connectionsMade, ports, trace, returned));
    trace.call("sdk", "CreateConnection", "", connections.back()->handedOut().traceName());
    return connections.back().get();
}

void SimulatedSdk::ReleaseConnection(nivaro_sdk::INivaroConnection **connection)
{
    if (!connection) {
        trace.call("sdk", "ReleaseConnection", "null");
        return;
    }
    const auto held
        = std::find_if(connections.begin(), connections.end(),
                       [connection](const auto &owned) { return owned.get() == *connection; });
    if (held != connections.end()) {
        trace.call("sdk", "ReleaseConnection", '&' + (*held)->handedOut().traceName());
        std::unique_ptr<SimulatedConnection> released = std::move(*held);
        connections.erase(held);
        returned.keep(std::move(released));
    } else if (const SimulatedConnection *again = returned.connection(*connection)) {
        again->handedOut().recordUse("sdk.ReleaseConnection(&" + again->handedOut().name() + ')');
        trace.call("sdk", "ReleaseConnection", '&' + again->handedOut().traceName());
    } else {
        trace.call("sdk", "ReleaseConnection", *connection ? "&unknown" : "&null");
    }
    *connection = nullptr;
}

void SimulatedSdk::forget()
{
    connections.clear();
    connectionsMade = 0;
}

} // namespace nivaro_sim
