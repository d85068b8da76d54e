#include "trace_sink.h"

namespace nivaro_sim {

TraceSink::TraceSink() : LineSink(LineFile::Start::Replace, "SDK trace") { }

void TraceSink::call(const std::string &object, const char *operation, const std::string &arguments)
{
    const std::string line = object + '.' + operation + '(' + arguments + ')';
    add(line, line);
}

void TraceSink::call(const std::string &object, const char *operation, const std::string &arguments,
                     const std::string &result)
{
    const std::string line = object + '.' + operation + '(' + arguments + ") -> " + result;
    add(line, line);
}

} // namespace nivaro_sim
