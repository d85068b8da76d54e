#include "log_sink.h"

#include <nlohmann/json.hpp>

namespace nivaro_sim {

void LogSink::openFile(const std::filesystem::path &path)
{
    file.open(path, LineFile::Start::Append, "SDK log");
}

void LogSink::write(int severity, const std::string &text)
{
    const nlohmann::json line {{"severity", severity}, {"text", text}};
    const std::lock_guard<std::mutex> lock(guard);
    memory.add({severity, text});
    // Text that is not UTF-8 is written with replacement characters rather than lost.
    file.writeLine(line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

std::vector<LogRecord> LogSink::records(std::size_t since) const
{
    const std::lock_guard<std::mutex> lock(guard);
    return memory.since(since);
}

std::size_t LogSink::count() const
{
    const std::lock_guard<std::mutex> lock(guard);
    return memory.count();
}

void LogSink::forget()
{
    const std::lock_guard<std::mutex> lock(guard);
    memory.clear();
}

} // namespace nivaro_sim
