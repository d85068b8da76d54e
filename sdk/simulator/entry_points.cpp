// The four entry points of the SDK; compiled once into the shared library (exported)
// and once into the static one (for programs that link the simulator directly).
#include "nivaro_logger.h"
#include "nivaro_service.h"
#include "simulator_state.h"

#include <new>

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

namespace nivaro_sdk {

INivaroSdk *NivaroSdk::get_instance()
{
    return &nivaro_sim::simulatorState().service;
}

SDKLogger::SDKLogger(severity_level severity)
    : record(new (std::nothrow) LogRecordBuilder(severity))
{
    if (!record) {
        record = &discardedRecord;
    }
}

SDKLogger::~SDKLogger()
{
    if (record == &discardedRecord) {
        return;
    }
    auto *builder = static_cast<LogRecordBuilder *>(record);
    try {
        nivaro_sim::simulatorState().log.write(builder->severity, builder->text);
    } catch (...) {
        // Called from a destructor: the record is lost rather than the program.
    }
    delete builder;
}

ILogger &SDKLogger::GetILogger()
{
    return *record;
}

} // namespace nivaro_sdk
