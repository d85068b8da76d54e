#pragma once

#include "line_file.h"
#include "simulator_control.h"

#include <mutex>
#include <vector>

namespace nivaro_sim {

// Where SDKLogger records go: one JSON object per line in the log file, and memory.
class LogSink
{
public:
    void openFile(const std::filesystem::path &path);
    void write(int severity, const std::string &text);
    std::vector<LogRecord> records() const;
    void forget();

private:
    // Records may be made from any thread of the program.
    mutable std::mutex guard;
    std::vector<LogRecord> memory;
    LineFile file;
};

} // namespace nivaro_sim
