// The four entry points of the SDK; compiled once into the shared library (exported)
// and once into the static one (for programs that link the simulator directly).
#include "nivaro_logger.h"
#include "nivaro_service.h"
#include "sdk_objects.h"

namespace nivaro_sdk {

INivaroSdk *NivaroSdk::get_instance()
{
    return &nivaro_sim::serviceObject();
}

SDKLogger::SDKLogger(severity_level severity) : record(nivaro_sim::openLogRecord(severity)) { }

SDKLogger::~SDKLogger()
{
    nivaro_sim::closeLogRecord(record);
}

ILogger &SDKLogger::GetILogger()
{
    return *record;
}

} // namespace nivaro_sdk
