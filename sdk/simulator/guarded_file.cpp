#include "guarded_file.h"

#include "escaped_text.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <system_error>

namespace nivaro_sim {
namespace {

constexpr std::uintmax_t largestFile = std::uintmax_t {4} * 1024 * 1024;

std::string cannotBeRead(const std::string &reason)
{
    return "cannot be read (" + reason + ")";
}

// Only the regular file of a sensible size passes.
std::string unreadableBecause(const std::filesystem::path &file)
{
    using Kind = PathCheck::Kind;
    const PathCheck check = checkPath(file);
    switch (check.kind) {
    case Kind::regular:
        break;
    case Kind::missing:
        return "does not exist";
    case Kind::failed:
        return cannotBeRead(check.reason);
    case Kind::folder:
        return cannotBeRead("it is a folder");
    case Kind::blocking:
    case Kind::other:
        return "is not a regular file";
    }
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error) {
        return cannotBeRead(shownText(error.message()));
    }
    if (size > largestFile) {
        return "is larger than 4 MiB (" + std::to_string(size) + " bytes)";
    }
    return {};
}

} // namespace

PathCheck checkPath(const std::filesystem::path &path)
{
    using std::filesystem::file_type;
    using Kind = PathCheck::Kind;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == file_type::not_found
        && (!error || error == std::errc::no_such_file_or_directory)) {
        return {Kind::missing, {}};
    }
    if (error) {
        return {Kind::failed, shownText(error.message())};
    }
    switch (status.type()) {
    case file_type::regular:
        return {Kind::regular, {}};
    case file_type::directory:
        return {Kind::folder, {}};
    case file_type::fifo:
    case file_type::socket:
    case file_type::block:
        return {Kind::blocking, {}};
    default:
        return {Kind::other, {}};
    }
}

FileText readSmallRegularFile(const std::filesystem::path &file)
{
    if (std::string reason = unreadableBecause(file); !reason.empty()) {
        return {{}, reason};
    }
    try {
        errno = 0;
        std::ifstream stream(file, std::ios::binary);
        if (!stream.is_open()) {
            return {{}, "cannot be opened (" + systemReason() + ")"};
        }
        // At most one byte beyond the limit: a file that grew since it was measured is
        // still refused, never read whole.
        std::string text(largestFile + 1, '\0');
        stream.read(text.data(), static_cast<std::streamsize>(text.size()));
        if (stream.bad()) {
            return {{}, cannotBeRead(systemReason())};
        }
        text.resize(static_cast<std::size_t>(stream.gcount()));
        if (text.size() > largestFile) {
            return {{}, "is larger than 4 MiB"};
        }
        return {text, {}};
    } catch (const std::exception &error) {
        // The standard library may report a failed read by throwing from the stream buffer.
        return {{}, cannotBeRead(shownText(error.what()))};
    }
}

} // namespace nivaro_sim
