#include "device/portsources.h"

#include <QSerialPortInfo>

namespace portsources {

QStringList systemPorts()
{
    QStringList names;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts())
        names << port.portName();
    return names;
}

QStringList systemThenConfigured(const QStringList &system, const QStringList &configured)
{
    QStringList names = system;
    for (const QString &name : configured) {
        if (!names.contains(name))
            names << name;
    }
    return names;
}

MainWindow::PortSource forSdk(Sdk sdk)
{
    if (sdk == Sdk::Vendor)
        return &systemPorts;
    return [] {
        return systemThenConfigured(systemPorts(),
                                    portsNamedIn(qEnvironmentVariable("NIVARO_SDK_CONFIG")));
    };
}

} // namespace portsources
