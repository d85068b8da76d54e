#pragma once

// The files the environment names, each checked before it is opened: opening a FIFO, a socket
// or a device may wait for a writer or a reader that never comes, before the program's window
// appears.

#include <filesystem>
#include <string>

namespace nivaro_sim {

// The file an environment variable names; empty when the variable is unset or empty.
// On Windows the variable is read as wide text from the process environment, so any
// folder name survives.
std::filesystem::path pathFromEnvironment(const char *variable);

// The configuration file the SDK reads, and the stand-in's port scan with it: the one
// NIVARO_SDK_CONFIG names, or else nivaro-sdk-config.json in the running program's folder,
// where an installed demo keeps it since nobody sets a variable for a program started from
// a menu. That one is optional: when it is missing, nothing is said.
struct ConfigurationSource
{
    std::filesystem::path path; // empty when there is none to read
    bool optional = false;
};
ConfigurationSource configurationSource();

// A path as UTF-8 text, for messages; never throws.
std::string displayText(const std::filesystem::path &path);

// What a path names: not_found when nothing is there, none when the system cannot tell, with
// its reason (a name too long, a path through a file). Never throws.
std::filesystem::file_type fileType(const std::filesystem::path &path, std::string &reason);

// The whole of a file, or why there is none (failure, worded to follow the file's name):
// only a regular file of at most 4 MiB is read. No configuration comes near that size; a
// larger file is more likely a mistake (a log, an image) and would delay the start.
struct FileText
{
    std::string text;
    std::string failure; // empty when the text was read
};
FileText readSmallRegularFile(const std::filesystem::path &file);

// The system's reason for the last failed call of the C library (errno), as shownText.
std::string systemReason();

} // namespace nivaro_sim
