#include "configuration_file.h"
#include "device/portsources.h"

namespace portsources {
namespace {

// The ports the stand-in SDK's configuration file scripts, in the file's order: read by the SDK's
// own reader, so that the list holds the ports the SDK uses, and none when it cannot use the file.
QStringList configuredPorts()
{
    QStringList names;
    for (const std::string &name : nivaro_sim::configuredPortNames())
        names << QString::fromStdString(name);
    return names;
}

} // namespace

MainWindow::PortSource standInPorts()
{
    return [] { return systemThenConfigured(systemPorts(), configuredPorts()); };
}

} // namespace portsources
