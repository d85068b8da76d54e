#pragma once

#include "nivaro_export.h"

namespace nivaro_sdk {

class INivaroConfig;
class INivaroConnection;

class INivaroSdk
{
public:
    virtual bool Init() = 0;
    virtual INivaroConfig *GetConfig() = 0;
    virtual void NotifyParametersApplied() = 0;
    virtual INivaroConnection *CreateConnection() = 0;
    virtual void ReleaseConnection(INivaroConnection **connection) = 0;

protected:
    ~INivaroSdk() = default;
};

class NivaroSdk
{
public:
    NIVARO_SDK_API static INivaroSdk *get_instance();
};

} // namespace nivaro_sdk
