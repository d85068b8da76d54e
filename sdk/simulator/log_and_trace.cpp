#include "log_and_trace.h"

#include "escaped_text.h"
#include "files.h"

#include <cerrno>
#include <iostream>
#include <nlohmann/json.hpp>

namespace nivaro_sim {

void LineFile::open(const std::filesystem::path &path, std::ios::openmode start,
                    const char *purpose)
{
    if (path.empty()) {
        return;
    }
    description = std::string(purpose) + " file \"" + shownText(displayText(path)) + '"';
    // Missing files are created; devices such as the null device take lines at once.
    std::string reason;
    switch (fileType(path, reason)) {
    case std::filesystem::file_type::directory:
        reason = "it is a folder";
        break;
    case std::filesystem::file_type::fifo:
    case std::filesystem::file_type::socket:
    case std::filesystem::file_type::block:
        // Opening a FIFO for writing waits for a reader, which may never come.
        reason = "it is not a regular file";
        break;
    default:
        // Binary, so that a line ends with a single line feed on every system.
        errno = 0;
        stream.open(path, std::ios::out | std::ios::binary | start);
        reason = stream ? "" : systemReason();
    }
    if (!reason.empty()) {
        std::cerr << "nivaro sdk: cannot open the " << description << " (" << reason
                  << "); nothing is written to it\n";
    }
}

void LineFile::writeLine(const std::string &line)
{
    if (!stream.is_open()) {
        return;
    }
    errno = 0;
    stream << line << '\n';
    stream.flush();
    if (!stream) {
        if (!writeFailureReported) {
            const std::string reason = systemReason();
            std::cerr << "nivaro sdk: writing to the " << description << " failed (" << reason
                      << "); lines that cannot be written are lost\n";
            writeFailureReported = true;
        }
        stream.clear();
    }
}

void LogSink::write(int severity, const std::string &text)
{
    const nlohmann::json line {{"severity", severity}, {"text", text}};
    // In ASCII, every other character as a \u escape: no line holds a character that hides,
    // turns or splits the text, and a JSON reader gets the text back as it was. Text that is
    // not UTF-8 is written with replacement characters rather than lost.
    add({severity, text}, line.dump(-1, ' ', true, nlohmann::json::error_handler_t::replace));
}

std::string traceText(const char *text)
{
    return text ? '"' + escapedText(text, "\\\"") + '"' : "null";
}

} // namespace nivaro_sim
