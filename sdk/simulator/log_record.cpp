#include "log_record.h"

namespace nivaro_sim {

LogRecordBuilder::LogRecordBuilder(int severity) : recordSeverity(severity) { }

nivaro_sdk::ILogger &LogRecordBuilder::operator<<(const std::string &text)
{
    recordText += text;
    return *this;
}

nivaro_sdk::ILogger &LogRecordBuilder::operator<<(const char *text)
{
    if (text) {
        recordText += text;
    }
    return *this;
}

} // namespace nivaro_sim
