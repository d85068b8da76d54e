#include "sdk_process.h"

#include <cstdlib>
#include <fstream>
#include <random>

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
    const auto subfolder = file(name);
    std::filesystem::create_directories(subfolder);
    return subfolder;
}

void SdkProcessTest::setEnvironment(const char *variable, const std::filesystem::path &value)
{
#ifdef _WIN32
    const std::string name(variable);
    const std::wstring assignment = std::wstring(name.begin(), name.end()) + L'=' + value.wstring();
    ASSERT_EQ(_wputenv(assignment.c_str()), 0);
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
