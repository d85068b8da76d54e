#pragma once

#include "line_file.h"
#include "recent_window.h"

#include <mutex>
#include <string>
#include <vector>

namespace nivaro_sim {

// The call trace: one line per SDK operation in the trace file, and the latest lines in
// memory.
class TraceSink
{
public:
    void openFile(const std::filesystem::path &path);

    // "object.operation(arguments)", then " -> result" for operations that answer one.
    void call(const std::string &object, const char *operation, const std::string &arguments);
    void call(const std::string &object, const char *operation, const std::string &arguments,
              const std::string &result);

    // The latest of them, and how many there were since the last forget().
    std::vector<std::string> lines(std::size_t since = 0) const;
    std::size_t count() const;
    void forget();

private:
    void add(std::string line);

    mutable std::mutex guard;
    RecentWindow<std::string> memory;
    LineFile file;
};

} // namespace nivaro_sim
