#pragma once

#include "line_file.h"
#include "recent_window.h"

#include <cstddef>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace nivaro_sim {

// A stream of entries, each written as one line to a file when one is named and kept in
// memory among the latest.
template<typename Entry> class LineSink
{
public:
    LineSink(LineFile::Start start, const char *purpose) : start(start), purpose(purpose) { }

    void openFile(const std::filesystem::path &path) { file.open(path, start, purpose); }

    // The latest entries after the first `mark` since the last forget(), and how many there were.
    std::vector<Entry> since(std::size_t mark = 0) const
    {
        const std::lock_guard<std::mutex> lock(guard);
        return memory.since(mark);
    }

    std::size_t count() const
    {
        const std::lock_guard<std::mutex> lock(guard);
        return memory.count();
    }

    void forget()
    {
        const std::lock_guard<std::mutex> lock(guard);
        memory.clear();
    }

protected:
    void add(Entry entry, const std::string &line)
    {
        const std::lock_guard<std::mutex> lock(guard);
        file.writeLine(line);
        memory.add(std::move(entry));
    }

private:
    // Entries may be made from any thread of the program.
    mutable std::mutex guard;
    RecentWindow<Entry> memory;
    LineFile file;
    LineFile::Start start;
    const char *purpose;
};

} // namespace nivaro_sim
