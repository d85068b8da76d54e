#include "device/cameralink.h"

#include "nivaro_sdk.h"

#include <utility>

namespace {

constexpr uint8_t typeWithDetection = 12;

} // namespace

CameraLink::CameraLink() : portSource(&portsources::systemPorts) { }

void CameraLink::setPortSource(portsources::PortSource source)
{
    portSource = std::move(source);
}

const QStringList &CameraLink::scan()
{
    portList = portSource();
    return portList;
}

bool CameraLink::isSerialLink()
{
    // A closed library may answer no text at all; that is no "UART" either.
    const char *answered = nivaro_sdk::NivaroSdk::get_instance()->GetConfig()->GetLinkType();
    return answered && std::string(answered) == "UART";
}

bool CameraLink::open(std::string name)
{
    portName = std::move(name);
    close();
    connection = nivaro_sdk::NivaroSdk::get_instance()->CreateConnection();
    heldCamera = connection->OpenCamera(portName.c_str());
    return heldCamera != nullptr;
}

bool CameraLink::queryType()
{
    return heldCamera->GetCameraType(cameraType);
}

void CameraLink::close()
{
    // An attempt whose OpenCamera gave null holds a connection without a camera.
    if (heldCamera)
        connection->CloseCamera(heldCamera);
    if (connection)
        nivaro_sdk::NivaroSdk::get_instance()->ReleaseConnection(&connection);
    heldCamera = nullptr;
    connection = nullptr;
}

bool CameraLink::hasDetection() const
{
    return cameraType == typeWithDetection;
}
