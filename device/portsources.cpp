#include "device/portsources.h"

#include <QSerialPortInfo>
#include <QSet>

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
    // A set beside the list: a configuration may name a hundred thousand ports.
    QSet<QString> listed(system.begin(), system.end());
    for (const QString &name : configured) {
        if (!listed.contains(name)) {
            listed.insert(name);
            names << name;
        }
    }
    return names;
}

} // namespace portsources
