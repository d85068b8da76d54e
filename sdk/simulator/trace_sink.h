#pragma once

#include "line_sink.h"

#include <string>

namespace nivaro_sim {

// The call trace: one line per SDK operation; the trace file holds this run alone.
class TraceSink : public LineSink<std::string>
{
public:
    TraceSink();

    // "object.operation(arguments)", then " -> result" for operations that answer one.
    void call(const std::string &object, const char *operation, const std::string &arguments);
    void call(const std::string &object, const char *operation, const std::string &arguments,
              const std::string &result);
};

} // namespace nivaro_sim
