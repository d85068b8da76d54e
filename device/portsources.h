#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Where a scan takes its port names from.
namespace portsources {

// The names of the serial ports a scan lists, in the system's order. Names rather than
// QSerialPortInfo: an info made from a name the system does not list has an empty name.
using PortSource = std::function<QStringList()>;

// The computer's serial ports, in the system's order.
QStringList systemPorts();

// The system's ports, then each configured one the system did not list, once.
QStringList systemThenConfigured(const QStringList &system, const QStringList &configured);

// The scan that goes with the SDK the program is built with; the build compiles the one file
// that defines it. The stand-in SDK simulates cameras on ports the computer may not have, named
// in its configuration file (the one NIVARO_SDK_CONFIG names, or else the one beside the
// program): its scan lists them after the system's, leaving out names the SDK leaves out (see
// its docs). The maker's SDK reaches real ports only: its scan lists the system's alone.
PortSource sdkPorts();

// The stand-in's configured ports alone: the ports of its configuration file that the SDK uses,
// in the file's order, each name once. None when the file cannot be used: the SDK reports that
// itself. Only builds with the stand-in SDK have it.
QStringList configuredPorts();

} // namespace portsources
