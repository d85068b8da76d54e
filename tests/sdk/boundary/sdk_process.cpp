#include "sdk_process.h"

#include <cstdlib>
#include <fstream>
#include <random>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

bool sdkUsedInThisProcess = false;

std::string randomSuffix()
{
    std::random_device random;
    return std::to_string(random()) + std::to_string(random());
}

} // namespace

void SdkProcessTest::SetUp()
{
    if (sdkUsedInThisProcess) {
        GTEST_SKIP() << "the SDK reads its environment once per process: run each case alone "
                        "(--gtest_filter), as ctest does";
    }
    sdkUsedInThisProcess = true;
#ifdef _WIN32
    // A program's C runtime copies the environment early on (on Windows, the wide copy
    // from the narrow one, in the code page). Copied here before the case sets anything,
    // the copies lack what the case sets: an SDK that reads them, not the process
    // environment itself, fails every case.
    size_t length = 0;
    _wgetenv_s(&length, nullptr, 0, L"PATH");
#endif
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = std::filesystem::temp_directory_path()
        / (std::string("nivaro-sdk-") + test->name() + '-' + randomSuffix());
    std::filesystem::create_directories(folder);
}

void SdkProcessTest::TearDown()
{
    // On Windows the SDK still holds its log and trace files open; what cannot go stays.
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::filesystem::path SdkProcessTest::file(const std::string &name) const
{
    return folder / std::filesystem::u8path(name);
}

std::filesystem::path SdkProcessTest::makeSubfolder(const std::string &name) const
{
    auto subfolder = file(name);
    std::filesystem::create_directories(subfolder);
    return subfolder;
}

void SdkProcessTest::setEnvironment(const char *variable, const std::filesystem::path &value)
{
#ifdef _WIN32
    // Into the process environment only, not the C runtime's copies (see SetUp).
    const std::string name(variable);
    ASSERT_TRUE(SetEnvironmentVariableW(std::wstring(name.begin(), name.end()).c_str(),
                                        value.wstring().c_str()));
#else
    ASSERT_EQ(setenv(variable, value.c_str(), 1), 0);
#endif
}

void SdkProcessTest::writeText(const std::filesystem::path &file, const std::string &text)
{
    std::ofstream out(file, std::ios::binary);
    out << text;
    ASSERT_TRUE(out.good()) << file.u8string();
}

std::vector<std::string> SdkProcessTest::readLines(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    EXPECT_TRUE(in.good()) << file.u8string();
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}
