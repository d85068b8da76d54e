#pragma once

namespace nivaro_sdk {

class INivaroCamera;

class INivaroConnection
{
public:
    // Null when no camera link could be opened on the port.
    virtual INivaroCamera *OpenCamera(const char *portName) = 0;
    virtual void CloseCamera(INivaroCamera *camera) = 0;

protected:
    ~INivaroConnection() = default;
};

} // namespace nivaro_sdk
