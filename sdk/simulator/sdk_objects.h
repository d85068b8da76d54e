#pragma once

// What the entry points hand out, reached without exporting anything else.

#include "nivaro_logger.h"
#include "nivaro_service.h"

namespace nivaro_sim {

nivaro_sdk::INivaroSdk &serviceObject();

// A record under construction; closing it writes it to the SDK log and frees it.
nivaro_sdk::ILogger *openLogRecord(nivaro_sdk::severity_level severity) noexcept;
void closeLogRecord(nivaro_sdk::ILogger *record) noexcept;

} // namespace nivaro_sim
