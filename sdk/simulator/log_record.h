#pragma once

#include "nivaro_logger.h"

#include <string>

namespace nivaro_sim {

// The text of one SDKLogger record as its insertions arrive.
class LogRecordBuilder final : public nivaro_sdk::ILogger
{
public:
    explicit LogRecordBuilder(int severity);

    ILogger &operator<<(const std::string &text) override;
    ILogger &operator<<(const char *text) override;

    int severity() const { return recordSeverity; }
    const std::string &text() const { return recordText; }

private:
    int recordSeverity;
    std::string recordText;
};

} // namespace nivaro_sim
