#pragma once

#include "ui/mainwindow.h"

#include <QString>
#include <QStringList>

// Where a scan takes its port names from.
namespace portsources {

// The computer's serial ports, in the system's order.
QStringList systemPorts();

// The system's ports, then each configured one the system did not list, once.
QStringList systemThenConfigured(const QStringList &system, const QStringList &configured);

// The stand-in SDK simulates cameras on ports the computer may not have, named in its
// configuration file (the one NIVARO_SDK_CONFIG names, or else the one beside the program); its
// scan lists them after the system's, leaving out names the SDK leaves out (see its docs). Only
// builds with the stand-in (VELMORA_STAND_IN_SDK) have this: the maker's SDK reaches real ports
// only, which the window scans by default.
MainWindow::PortSource standInPorts();

} // namespace portsources
