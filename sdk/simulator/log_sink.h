#pragma once

#include "line_file.h"
#include "recent_window.h"
#include "simulator_control.h"

#include <mutex>
#include <vector>

namespace nivaro_sim {

// Where SDKLogger records go: one JSON object per line in the log file, and the latest
// records in memory.
class LogSink
{
public:
    void openFile(const std::filesystem::path &path);
    void write(int severity, const std::string &text);
    // The latest of them, and how many there were since the last forget().
    std::vector<LogRecord> records(std::size_t since = 0) const;
    std::size_t count() const;
    void forget();

private:
    // Records may be made from any thread of the program.
    mutable std::mutex guard;
    RecentWindow<LogRecord> memory;
    LineFile file;
};

} // namespace nivaro_sim
