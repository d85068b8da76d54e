#pragma once

// The SDK log and the call trace: the files and the memory their lines go to, how the trace writes
// values, and the names the objects the SDK hands out go by in it.

#include "camera_parameters.h"
#include "simulator_control.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <type_traits>
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
template<typename Entry> class LineSink : LineFile
{
public:
    static constexpr std::size_t kept = 4096;

    using LineFile::open;

    void add(Entry entry, const std::string &line)
    {
        const std::lock_guard<std::mutex> lock(guard);
        writeLine(line);
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

// How values appear in the call trace: numbers in decimal (floating point in the fewest digits
// that read back exactly), switches as true/false, texts quoted, records field by field in
// declaration order.
std::string traceText(const char *text);

// A number, a switch or a record of the SDK.
template<typename Value> std::string traceText(const Value &value)
{
    if constexpr (std::is_same_v<Value, bool>) {
        return value ? "true" : "false";
    } else if constexpr (std::is_integral_v<Value>) {
        // The unary plus keeps a byte a number rather than a character.
        return std::to_string(+value);
    } else if constexpr (std::is_floating_point_v<Value>) {
        // Below 1e17 a number of one or more units is written in full, so that 1500 reads 1500
        // rather than 1.5e+03; the others take whichever form is shorter.
        const bool inFull = std::fabs(value) >= 1 && std::fabs(value) < 1e17;
        char text[64];
        const auto written = inFull
            ? std::to_chars(text, std::end(text), value, std::chars_format::fixed)
            : std::to_chars(text, std::end(text), value);
        return std::string(text, written.ptr);
    } else {
        std::string fields;
        forEachField(value, [&fields](const char *name, const auto &field) {
            fields += (fields.empty() ? "" : ", ") + std::string(name) + '=' + traceText(field);
        });
        return '{' + fields + '}';
    }
}

// An argument the SDK fills in: "out " and what it wrote, or "out unfilled".
template<typename Value> std::string outText(bool filled, const Value &value)
{
    return filled ? "out " + traceText(value) : std::string("out unfilled");
}

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

// An object the SDK hands out: the name it goes by in the trace, and what becomes of its uses
// once the program has handed it back.
class HandedOut
{
public:
    HandedOut(std::string name, TraceSink &trace) : trace(trace), inUse(std::move(name)) { }

    // Its name while in use ("camera[COM3]").
    const std::string &name() const { return inUse; }
    // Its name in the trace: "returned camera[COM3]" once handed back.
    std::string traceName() const { return how ? "returned " + inUse : inUse; }

    // `how` names the operation that handed it back ("CloseCamera").
    virtual void handBack(const char *how) { this->how = how; }

    // "connection#1.CloseCamera(camera[COM3])" is recorded as "… after CloseCamera".
    void recordUse(const std::string &use) const
    {
        trace.usesAfterHandBack.add(use + " after " + how, {});
    }
    // True, with "<name>.<operation>" recorded, once the object was handed back.
    bool recordIfHandedBack(const char *operation) const
    {
        if (how) {
            recordUse(inUse + '.' + operation);
        }
        return how != nullptr;
    }

protected:
    ~HandedOut() = default;

    // One line of the trace, under the object's trace name.
    void traceCall(const char *operation, const std::string &arguments,
                   const std::string &result = {}) const
    {
        trace.call(traceName(), operation, arguments, result);
    }

    TraceSink &trace;

private:
    std::string inUse;
    const char *how = nullptr;
};

} // namespace nivaro_sim
