#include "line_file.h"

#include "environment.h"
#include "escaped_text.h"
#include "guarded_file.h"

#include <cerrno>
#include <iostream>

namespace nivaro_sim {
namespace {

// Why lines cannot go to a path, or empty when they can. Missing files are created;
// devices such as the null device take lines at once.
std::string refusedBecause(const std::filesystem::path &path)
{
    switch (checkPath(path).kind) {
    case PathCheck::Kind::folder:
        return "it is a folder";
    case PathCheck::Kind::blocking:
        // Opening a FIFO for writing waits for a reader, which may never come.
        return "it is not a regular file";
    default:
        return {};
    }
}

} // namespace

void LineFile::open(const std::filesystem::path &path, Start start, const char *purpose)
{
    if (path.empty()) {
        return;
    }
    description = std::string(purpose) + " file \"" + shownText(displayText(path)) + '"';
    std::string reason = refusedBecause(path);
    if (reason.empty()) {
        // Binary, so that a line ends with a single line feed on every system.
        const auto mode
            = std::ios::binary | (start == Start::Append ? std::ios::app : std::ios::trunc);
        errno = 0;
        stream.open(path, std::ios::out | mode);
        if (!stream) {
            reason = systemReason();
        }
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

} // namespace nivaro_sim
