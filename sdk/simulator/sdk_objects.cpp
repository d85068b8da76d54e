#include "sdk_objects.h"

#include "log_record.h"
#include "simulator_state.h"

namespace nivaro_sim {

nivaro_sdk::INivaroSdk &serviceObject()
{
    return simulatorState().service;
}

nivaro_sdk::ILogger *openLogRecord(nivaro_sdk::severity_level severity)
{
    return new LogRecordBuilder(severity);
}

void closeLogRecord(nivaro_sdk::ILogger *record)
{
    auto *builder = static_cast<LogRecordBuilder *>(record);
    simulatorState().log.write(builder->severity(), builder->text());
    delete builder;
}

} // namespace nivaro_sim
