#pragma once

#include "simulator_control.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace nivaro_sim {

// A text file that receives whole lines, each flushed at once so that a crash of the program
// loses none of what came before it.
class LineFile
{
public:
    // An empty path leaves the file closed. A path that cannot take lines without blocking
    // (a FIFO, a socket, a folder) or a file that cannot be opened is reported once on
    // standard error, naming what the file was for and why. start: append or truncate.
    void open(const std::filesystem::path &path, std::ios::openmode start, const char *purpose);

    // The first line that cannot be written is reported once; later ones are tried again.
    void writeLine(const std::string &line);

private:
    std::ofstream stream;
    std::string description; // "SDK log file "…"", for the messages
    bool writeFailureReported = false;
};

// A stream of entries that may run for days, each written as one line to a file when one is
// named. The file keeps the whole of it, memory the latest 4096 entries: enough for a test to
// read back what it just provoked, and a fixed cost however long the session.
template<typename Entry> class LineSink
{
public:
    static constexpr std::size_t kept = 4096;

    void openFile(const std::filesystem::path &path, std::ios::openmode start, const char *purpose)
    {
        file.open(path, start, purpose);
    }

    void add(Entry entry, const std::string &line)
    {
        const std::lock_guard<std::mutex> lock(guard);
        file.writeLine(line);
        if (entries.size() == kept) {
            entries.pop_front();
        }
        entries.push_back(std::move(entry));
        ++added;
    }

    // The entries after the first `mark` since the last forget(), as far as they are still kept.
    std::vector<Entry> since(std::size_t mark = 0) const
    {
        const std::lock_guard<std::mutex> lock(guard);
        const std::size_t firstKept = added - entries.size();
        const std::size_t skipped
            = mark > firstKept ? std::min(mark - firstKept, entries.size()) : 0;
        return {entries.begin() + static_cast<std::ptrdiff_t>(skipped), entries.end()};
    }

    // How many entries there were since the last forget(), the ones no longer kept included.
    std::size_t count() const
    {
        const std::lock_guard<std::mutex> lock(guard);
        return added;
    }

    void forget()
    {
        const std::lock_guard<std::mutex> lock(guard);
        entries.clear();
        added = 0;
    }

private:
    // Entries may be made from any thread of the program.
    mutable std::mutex guard;
    LineFile file;
    std::deque<Entry> entries;
    std::size_t added = 0;
};

// Where SDKLogger records go: one JSON object per line in the log file, which keeps what
// earlier runs wrote.
class LogSink : public LineSink<LogRecord>
{
public:
    void write(int severity, const std::string &text);
};

// The call trace: one line per SDK operation; the trace file holds this run alone.
class TraceSink : public LineSink<std::string>
{
public:
    // "object.operation(arguments)", then " -> result" for an operation that answers one.
    void call(const std::string &object, const char *operation, const std::string &arguments,
              const std::string &result = {})
    {
        const std::string line = object + '.' + operation + '(' + arguments + ')'
            + (result.empty() ? "" : " -> " + result);
        add(line, line);
    }

    // Each use of an object the program had handed back ("camera[COM3].GetGamma after
    // CloseCamera"); kept in memory only.
    LineSink<std::string> usesAfterHandBack;
};

} // namespace nivaro_sim
