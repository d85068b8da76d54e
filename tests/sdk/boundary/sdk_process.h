#pragma once

// The SDK reads its environment once per process, so a boundary case sets the
// environment, then makes its first SDK call; each case runs in a process of its own.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class SdkProcessTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A file in this case's own folder; name is UTF-8.
    std::filesystem::path file(const std::string &name) const;
    // Points an SDK environment variable at a file, as a user would before starting the program.
    static void setEnvironment(const char *variable, const std::filesystem::path &value);

    static void writeText(const std::filesystem::path &file, const std::string &text);
    static std::vector<std::string> readLines(const std::filesystem::path &file);

    // A sub-folder of this case's folder, created; name is UTF-8.
    std::filesystem::path makeSubfolder(const std::string &name) const;

private:
    std::filesystem::path folder;
};
