#include "sdk_objects.h"

#include "simulator_state.h"

#include <new>

namespace nivaro_sim {
namespace {

// The text of one SDKLogger record as its insertions arrive.
class LogRecordBuilder final : public nivaro_sdk::ILogger
{
public:
    explicit LogRecordBuilder(int severity) : severity(severity) { }

    ILogger &operator<<(const std::string &text) override
    {
        this->text += text;
        return *this;
    }
    ILogger &operator<<(const char *text) override
    {
        return *this << std::string(text ? text : "");
    }

    const int severity;
    std::string text;
};

// The record of a logger that could not get memory for its own: it takes the insertions
// and keeps nothing, since an exception must not leave an entry point.
class DiscardedRecord final : public nivaro_sdk::ILogger
{
public:
    ILogger &operator<<(const std::string &) override { return *this; }
    ILogger &operator<<(const char *) override { return *this; }
};

DiscardedRecord discardedRecord;

} // namespace

nivaro_sdk::INivaroSdk &serviceObject()
{
    return simulatorState().service;
}

nivaro_sdk::ILogger *openLogRecord(nivaro_sdk::severity_level severity) noexcept
{
    auto *builder = new (std::nothrow) LogRecordBuilder(severity);
    return builder ? static_cast<nivaro_sdk::ILogger *>(builder) : &discardedRecord;
}

void closeLogRecord(nivaro_sdk::ILogger *record) noexcept
{
    if (record == &discardedRecord) {
        return;
    }
    auto *builder = static_cast<LogRecordBuilder *>(record);
    try {
        simulatorState().log.write(builder->severity, builder->text);
    } catch (...) {
        // Called from a destructor: the record is lost rather than the program.
    }
    delete builder;
}

} // namespace nivaro_sim
