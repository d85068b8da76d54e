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

} // namespace portsources
