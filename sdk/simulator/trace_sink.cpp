#include "trace_sink.h"

namespace nivaro_sim {

void TraceSink::openFile(const std::filesystem::path &path)
{
    file.open(path, LineFile::Start::Replace, "SDK trace");
}

void TraceSink::call(const std::string &object, const char *operation, const std::string &arguments)
{
    add(object + '.' + operation + '(' + arguments + ')');
}

void TraceSink::call(const std::string &object, const char *operation, const std::string &arguments,
                     const std::string &result)
{
    add(object + '.' + operation + '(' + arguments + ") -> " + result);
}

std::vector<std::string> TraceSink::lines(std::size_t since) const
{
    const std::lock_guard<std::mutex> lock(guard);
    return memory.since(since);
}

std::size_t TraceSink::count() const
{
    const std::lock_guard<std::mutex> lock(guard);
    return memory.count();
}

void TraceSink::forget()
{
    const std::lock_guard<std::mutex> lock(guard);
    memory.clear();
}

void TraceSink::add(std::string line)
{
    const std::lock_guard<std::mutex> lock(guard);
    file.writeLine(line);
    memory.add(std::move(line));
}

} // namespace nivaro_sim
