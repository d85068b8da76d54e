#pragma once

#include "line_sink.h"

#include <string>

namespace nivaro_sim {

// The call trace: one line per SDK operation; the trace file holds this run alone.
class TraceSink : public LineSink<std::string>
{
public:
    TraceSink() : LineSink(LineFile::Start::Replace, "SDK trace") { }

    // "object.operation(arguments)", then " -> result" for an operation that answers one.
    void call(const std::string &object, const char *operation, const std::string &arguments,
              const std::string &result = {})
    {
        const std::string line = object + '.' + operation + '(' + arguments + ')'
            + (result.empty() ? "" : " -> " + result);
        add(line, line);
    }
};

} // namespace nivaro_sim
