#pragma once

#include "line_sink.h"
#include "simulator_control.h"

#include <string>

namespace nivaro_sim {

// Where SDKLogger records go: one JSON object per line in the log file, which keeps what
// earlier runs wrote.
class LogSink : public LineSink<LogRecord>
{
public:
    LogSink();
    void write(int severity, const std::string &text);
};

} // namespace nivaro_sim
