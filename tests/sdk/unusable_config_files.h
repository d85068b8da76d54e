#pragma once

// Configuration files the SDK cannot use, and the one line it must give for each: shared by
// the in-process tests and those that go through the shared library.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

struct UnusableFile
{
    const char *name;
    std::string path; // UTF-8, below a fresh folder
    bool isFolder;
    std::vector<std::string> reasons; // what the line may say of the file
};

inline void PrintTo(const UnusableFile &row, std::ostream *out)
{
    *out << row.name;
}

inline const UnusableFile unusableFiles[] = {
    {"missing", "absent.json", false, {"does not exist"}},
    {"folder", "settings.json", true, {"cannot be read (it is a folder)"}},
    // Beyond any system's limit on a name: here the system refuses it, while Windows
    // reports such a name as not found.
    {"nameTooLong",
     std::string(5000, 'x') + "/velmora.json",
     false,
     {"cannot be read", "does not exist"}},
};

// line: the problem as the SDK words it, without a line end.
inline void expectUnusableFileLine(const std::string &line, const std::string &pathText,
                                   const UnusableFile &row)
{
    const std::string head = "configuration file \"" + pathText + "\" ";
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
