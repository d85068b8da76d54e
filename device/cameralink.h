#pragma once

#include "device/portsources.h"

#include <QStringList>

#include <cstdint>
#include <string>

namespace nivaro_sdk {
class INivaroCamera;
class INivaroConnection;
} // namespace nivaro_sdk

// The link to one camera through the SDK: the ports a scan lists, the opening of one of them,
// the camera's type, and the hand-back. It holds the camera, its connection and its port from
// an open until the hand-back, and never deletes them: they belong to the SDK.
class CameraLink
{
public:
    CameraLink();

    // Where the scan takes its ports from; the system's serial ports unless replaced.
    void setPortSource(portsources::PortSource source);
    // The ports listed now, in the source's order; they stay the last scan's until the next.
    const QStringList &scan();

    // Whether the SDK's configuration names the serial link, the only one a port opens on.
    static bool isSerialLink();
    // Remembers the port and opens the camera on it through a new SDK connection, after
    // handing back whatever an earlier attempt still holds. False when no camera was opened.
    bool open(std::string name);
    // Asks the opened camera its type; false when it does not say.
    bool queryType();
    // Gives the camera and its connection back to the SDK; nothing is held afterwards.
    void close();

    // The opened camera; null while none is.
    nivaro_sdk::INivaroCamera *camera() const { return heldCamera; }
    // The port last tried, empty before any.
    const std::string &port() const { return portName; }
    // Whether the camera's type runs the on-board detection, whose settings the IA tab holds.
    bool hasDetection() const;

private:
    portsources::PortSource portSource;
    QStringList portList;
    std::string portName;
    nivaro_sdk::INivaroConnection *connection = nullptr;
    nivaro_sdk::INivaroCamera *heldCamera = nullptr;
    uint8_t cameraType = 0;
};
