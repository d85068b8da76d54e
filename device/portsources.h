#pragma once

#include "ui/mainwindow.h"

#include <QString>
#include <QStringList>

// Where a scan takes its port names from.
namespace portsources {

// The computer's serial ports, in the system's order.
QStringList systemPorts();

// The names a configuration file of the stand-in SDK gives its simulated cameras, in the
// file's order (a name given twice comes twice): the members of its top-level "ports" object. None
// when the file cannot be used (missing, not a regular file, too large, not JSON): the SDK reports
// that itself. A name that is empty or holds a NUL character is left out, since no NUL-terminated
// port name can reach it.
QStringList portsNamedIn(const QString &configurationFile);

// The system's ports, then each configured one the system did not list, once.
QStringList systemThenConfigured(const QStringList &system, const QStringList &configured);

// The stand-in SDK simulates cameras on ports the computer may not have, named in the file
// NIVARO_SDK_CONFIG gives; its scan lists them after the system's. The maker's SDK reaches
// real ports only.
enum class Sdk
{
    StandIn,
    Vendor
};
MainWindow::PortSource forSdk(Sdk sdk);

} // namespace portsources
