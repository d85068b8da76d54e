#pragma once

#include "nivaro_export.h"

#include <string>

namespace nivaro_sdk {

enum severity_level
{
    trace = 0,
    debug = 1,
    info = 2,
    warning = 3,
    error = 4,
    fatal = 5
};

class ILogger
{
public:
    virtual ILogger &operator<<(const std::string &text) = 0;
    virtual ILogger &operator<<(const char *text) = 0;

protected:
    ~ILogger() = default;
};

// One record per instance: the record is written when the instance is destroyed.
class SDKLogger
{
public:
    NIVARO_SDK_API explicit SDKLogger(severity_level severity);
    NIVARO_SDK_API ~SDKLogger();
    NIVARO_SDK_API ILogger &GetILogger();

    SDKLogger(const SDKLogger &) = delete;
    SDKLogger &operator=(const SDKLogger &) = delete;

private:
    ILogger *record;
};

} // namespace nivaro_sdk
