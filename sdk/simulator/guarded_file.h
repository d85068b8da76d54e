#pragma once

// The files the stand-in opens, each checked first: opening a FIFO, a socket or a device
// may wait for a writer or a reader that never comes, before the program's window appears.

#include <filesystem>
#include <string>

namespace nivaro_sim {

// What a path names, as far as opening it goes.
struct PathCheck
{
    enum class Kind
    {
        missing,
        regular,
        folder,
        blocking, // a FIFO, a socket or a block device
        other, // a character device, or a kind the system does not name
        failed, // the system could not tell; see reason
    };
    Kind kind;
    std::string reason; // for failed: the system's, as shownText
};

// Never throws: a name too long for the system, or a folder that cannot be searched, is a
// reason, not a crash.
PathCheck checkPath(const std::filesystem::path &path);

// The whole of a file, or why there is none (failure, worded to follow the file's name):
// only a regular file of at most 4 MiB is read. No configuration comes near that size; a
// larger file is more likely a mistake (a log, an image) and would delay the start.
struct FileText
{
    std::string text;
    std::string failure; // empty when the text was read
};
FileText readSmallRegularFile(const std::filesystem::path &file);

} // namespace nivaro_sim
