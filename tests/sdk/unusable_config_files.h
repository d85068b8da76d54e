#pragma once

// Configuration files the SDK cannot use, and the one line it must give for each: shared by
// the in-process tests and those that go through the shared library.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

struct UnusableFile
{
    enum class Make
    {
        nothing,
        folder,
        pathThroughAFile, // the path's first part is a regular file
        largeFile,
        emptyFile,
        fifo,
    };

    const char *name;
    std::string path; // UTF-8, below a fresh folder, unless absolute
    Make make;
    std::vector<std::string> reasons; // what the line may say after the file's quoted name
};

inline void PrintTo(const UnusableFile &row, std::ostream *out)
{
    *out << row.name;
}

inline const UnusableFile unusableFiles[] = {
    {"missing", "absent.json", UnusableFile::Make::nothing, {" does not exist"}},
    {"folder", "settings.json", UnusableFile::Make::folder, {" cannot be read (it is a folder)"}},
    // Beyond any system's limit on a name: here the system refuses it, while Windows
    // reports such a name as not found.
    {"nameTooLong",
     std::string(5000, 'x') + "/velmora.json",
     UnusableFile::Make::nothing,
     {" cannot be read (", " does not exist"}},
    // Not the same as missing: here "Not a directory", while Windows finds no such path.
    {"pathThroughAFile",
     "plain.json/velmora.json",
     UnusableFile::Make::pathThroughAFile,
     {" cannot be read (Not a directory)", " does not exist"}},
    {"largerThan4MiB", "big.json", UnusableFile::Make::largeFile, {" is larger than 4 MiB"}},
    {"empty", "empty.json", UnusableFile::Make::emptyFile, {": malformed JSON ("}},
#ifndef _WIN32
    // Reading either would block the program's start, or never end.
    {"fifo", "pipe.json", UnusableFile::Make::fifo, {" is not a regular file"}},
    {"device", "/dev/zero", UnusableFile::Make::nothing, {" is not a regular file"}},
#endif
};

// Makes below folder what the row names; answers the path to give the SDK.
inline std::filesystem::path makeUnusableFile(const std::filesystem::path &folder,
                                              const UnusableFile &row)
{
    using Make = UnusableFile::Make;
    auto path = folder / std::filesystem::u8path(row.path);
    std::filesystem::create_directories(row.make == Make::folder ? path : folder);
    switch (row.make) {
    case Make::nothing:
    case Make::folder:
        break;
    case Make::pathThroughAFile:
        std::ofstream(path.parent_path()) << "{}";
        break;
    case Make::largeFile:
        std::ofstream(path) << "{}" << std::string(std::size_t {4} * 1024 * 1024, ' ');
        break;
    case Make::emptyFile:
        std::ofstream(path).close();
        break;
    case Make::fifo:
#ifndef _WIN32
        ::mkfifo(path.c_str(), 0600);
#endif
        break;
    }
    return path;
}

// A path as a message names it: the first 160 characters, then an ellipsis.
inline std::string shownPath(const std::string &pathText)
{
    return pathText.size() <= 160 ? pathText : pathText.substr(0, 160) + "\xE2\x80\xA6";
}

// line: the problem as the SDK words it, without a line end.
inline void expectUnusableFileLine(const std::string &line, const std::string &pathText,
                                   const UnusableFile &row)
{
    const std::string head = "configuration file \"" + shownPath(pathText) + '"';
    const std::string tail = "; built-in values kept";
    ASSERT_GT(line.size(), head.size() + tail.size()) << line;
    EXPECT_EQ(line.substr(0, head.size()), head);
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
    EXPECT_EQ(line.find('\n'), std::string::npos) << "one line";
    const std::string said = line.substr(head.size());
    EXPECT_TRUE(
        std::any_of(row.reasons.begin(), row.reasons.end(),
                    [&said](const std::string &reason) { return said.rfind(reason, 0) == 0; }))
        << said;
}
