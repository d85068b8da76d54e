#include "configuration_file.h"
#include "device/portsources.h"

namespace portsources {

// Read by the SDK's own reader, so that the list holds the ports the SDK uses, and none when it
// cannot use the file.
QStringList configuredPorts()
{
    QStringList names;
    for (const std::string &name : nivaro_sim::configuredPortNames())
        names << QString::fromStdString(name);
    return names;
}

PortSource sdkPorts()
{
    return [] { return systemThenConfigured(systemPorts(), configuredPorts()); };
}

} // namespace portsources
