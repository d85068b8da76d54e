// The SDK as the program meets it: the shared library's entry points, and the
// configuration, log and trace files named by the environment.
#include "nivaro_sdk.h"
#include "sdk_process.h"
#include "unusable_config_files.h"

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using nivaro_sdk::NivaroSdk;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

class SdkBoundary : public SdkProcessTest
{ };

// The last connection is never released, as the program leaves it: the SDK frees it at
// exit, which a leak-checking build of this test verifies.
TEST_F(SdkBoundary, configurationFileShapesWhatTheProgramSees)
{
    const auto config = file("velmora.json");
    writeText(config, R"({
        "defaults": {"gamma": 1.25},
        "expert": {"gsk": {"current": 4, "min": 0, "max": 7}},
        "ports": {"COM1": {"present": false},
                  "COM8": {"cameraType": 7, "registers": {"gamma": 131072}}}
    })");
    setEnvironment("NIVARO_SDK_CONFIG", config);

    nivaro_sdk::INivaroSdk *sdk = NivaroSdk::get_instance();
    EXPECT_TRUE(sdk->Init());
    EXPECT_TRUE(sdk->Init());
    nivaro_sdk::INivaroConfig *configuration = sdk->GetConfig();
    EXPECT_DOUBLE_EQ(configuration->GetDefaultGamma(), 1.25);
    EXPECT_EQ(configuration->currentGsk, 4);
    EXPECT_EQ(configuration->gskMax, 7);
    EXPECT_STREQ(configuration->GetLinkType(), "UART");

    nivaro_sdk::INivaroConnection *connection = sdk->CreateConnection();
    EXPECT_EQ(connection->OpenCamera("COM1"), nullptr);
    nivaro_sdk::INivaroCamera *camera = connection->OpenCamera("COM8");
    ASSERT_NE(camera, nullptr);
    uint8_t type = 0;
    EXPECT_TRUE(camera->GetCameraType(type));
    EXPECT_EQ(type, 7);
    EXPECT_EQ(camera->GetGamma(), 131072u);
    EXPECT_TRUE(camera->SetGsk(7));
    EXPECT_FALSE(camera->SetGsk(8));
}

TEST_F(SdkBoundary, configurationMistakeIsOneLineOnStandardErrorAndTheRestApplies)
{
    const auto config = file("velmora.json");
    writeText(config, R"({"defaults": {"gamma": "high"}, "expertMode": false})");
    setEnvironment("NIVARO_SDK_CONFIG", config);

    CaptureStdout();
    CaptureStderr();
    nivaro_sdk::INivaroConfig *configuration = NivaroSdk::get_instance()->GetConfig();
    const std::string errors = GetCapturedStderr();
    EXPECT_EQ(GetCapturedStdout(), "");

    EXPECT_EQ(errors,
              "nivaro sdk: configuration file \"" + config.u8string()
                  + "\", key \"defaults.gamma\": expected a number, found string; "
                    "built-in value kept\n");
    EXPECT_DOUBLE_EQ(configuration->GetDefaultGamma(), 1.0);
    EXPECT_FALSE(configuration->IsExpertModeEnabled());
}

class UnusableConfigurationFile : public SdkProcessTest,
                                  public ::testing::WithParamInterface<UnusableFile>
{ };

TEST_P(UnusableConfigurationFile, isOneLineOnStandardErrorAndBuiltInValuesServe)
{
    const UnusableFile &row = GetParam();
    const auto config = makeUnusableFile(makeSubfolder("config"), row);
    setEnvironment("NIVARO_SDK_CONFIG", config);

    CaptureStdout();
    CaptureStderr();
    nivaro_sdk::INivaroSdk *sdk = NivaroSdk::get_instance();
    const std::string errors = GetCapturedStderr();
    EXPECT_EQ(GetCapturedStdout(), "");

    const std::string prefix = "nivaro sdk: ";
    ASSERT_GT(errors.size(), prefix.size()) << errors;
    EXPECT_EQ(errors.substr(0, prefix.size()), prefix);
    EXPECT_EQ(errors.back(), '\n');
    expectUnusableFileLine(errors.substr(prefix.size(), errors.size() - prefix.size() - 1),
                           config.u8string(), row);

    EXPECT_TRUE(sdk->GetConfig()->IsExpertModeEnabled());
    EXPECT_DOUBLE_EQ(sdk->GetConfig()->GetDefaultSharpening(), 1.0);
    nivaro_sdk::INivaroCamera *camera = sdk->CreateConnection()->OpenCamera("COM3");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->GetGamma(), 65536u);
}

INSTANTIATE_TEST_SUITE_P(Environment, UnusableConfigurationFile, ::testing::ValuesIn(unusableFiles),
                         [](const auto &info) { return std::string(info.param.name); });

void expectLogLine(const std::string &line, int severity, const std::string &text)
{
    const auto record = nlohmann::json::parse(line);
    EXPECT_EQ(record.at("severity"), severity) << line;
    EXPECT_EQ(record.at("text"), text) << line;
}

TEST_F(SdkBoundary, logFileGetsOneJsonObjectPerRecordAfterWhatItHeld)
{
    const auto log = file("sdk.log");
    writeText(log, "{\"severity\":2,\"text\":\"earlier run\"}\n");
    setEnvironment("NIVARO_SDK_LOG", log);

    CaptureStdout();
    nivaro_sdk::SDKLogger(nivaro_sdk::trace).GetILogger() << "Qt version: 5.15.8\nDebug build";
    nivaro_sdk::SDKLogger(nivaro_sdk::info).GetILogger() << std::string("Gamma value = ") << "1.2"
                                                         << " \xc2\xb0"; // a degree sign, in UTF-8
    EXPECT_EQ(GetCapturedStdout(), "");

    const auto lines = readLines(log);
    ASSERT_EQ(lines.size(), 3u);
    expectLogLine(lines[0], 2, "earlier run");
    expectLogLine(lines[1], 0, "Qt version: 5.15.8\nDebug build");
    expectLogLine(lines[2], 2, "Gamma value = 1.2 \xc2\xb0");
}

// A log or trace path that cannot take lines, and the one line said of it.
struct UnwritableFile
{
    const char *name;
    const char *variable;
    const char *path; // below the case's folder unless absolute; "" makes it a folder
    bool isFifo;
    const char *said; // after "nivaro sdk: "
};

void PrintTo(const UnwritableFile &row, std::ostream *out)
{
    *out << row.name;
}

const UnwritableFile unwritableFiles[] = {
    {"logInAFolder", "NIVARO_SDK_LOG", "", false,
     "cannot open the SDK log file \"PATH\" (it is a folder); nothing is written to it"},
    {"traceInAMissingFolder", "NIVARO_SDK_TRACE", "absent/sdk.trace", false,
     "cannot open the SDK trace file \"PATH\" ("},
#ifndef _WIN32
    // Opening a FIFO for writing waits for a reader: the program would never start.
    {"logIsAFifo", "NIVARO_SDK_LOG", "sdk.log", true,
     "cannot open the SDK log file \"PATH\" (it is not a regular file); nothing is written to it"},
    {"traceIsAFifo", "NIVARO_SDK_TRACE", "sdk.trace", true,
     "cannot open the SDK trace file \"PATH\" (it is not a regular file); nothing is written to "
     "it"},
#endif
#ifdef __linux__
    // Every write fails: said once, however many lines are lost.
    {"logOnAFullDevice", "NIVARO_SDK_LOG", "/dev/full", false,
     "writing to the SDK log file \"PATH\" failed (No space left on device); lines that cannot "
     "be written are lost"},
    {"traceOnAFullDevice", "NIVARO_SDK_TRACE", "/dev/full", false,
     "writing to the SDK trace file \"PATH\" failed (No space left on device); lines that "
     "cannot be written are lost"},
#endif
};

class UnwritableLogOrTrace : public SdkProcessTest,
                             public ::testing::WithParamInterface<UnwritableFile>
{ };

TEST_P(UnwritableLogOrTrace, isOneLineOnStandardErrorAndTheProgramRunsOn)
{
    const UnwritableFile &row = GetParam();
    const std::filesystem::path path = *row.path == '\0'  ? makeSubfolder("logs")
        : std::filesystem::u8path(row.path).is_absolute() ? std::filesystem::u8path(row.path)
                                                          : file(row.path);
#ifndef _WIN32
    if (row.isFifo) {
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    }
#endif
    setEnvironment(row.variable, path);

    CaptureStderr();
    for (int record = 0; record < 3; ++record) {
        nivaro_sdk::SDKLogger(nivaro_sdk::info).GetILogger() << "Set GAMMA value OK";
        NivaroSdk::get_instance()->GetConfig()->GetDefaultGamma();
    }
    const std::string errors = GetCapturedStderr();

    std::string said = row.said;
    said.replace(said.find("PATH"), 4, path.u8string());
    EXPECT_EQ(errors.rfind("nivaro sdk: " + said, 0), 0u) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

INSTANTIATE_TEST_SUITE_P(Environment, UnwritableLogOrTrace, ::testing::ValuesIn(unwritableFiles),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(SdkBoundary, traceFileListsTheOperationsOfThisRun)
{
    const auto trace = file("sdk.trace");
    writeText(trace, "a line of an earlier run\n");
    setEnvironment("NIVARO_SDK_TRACE", trace);

    CaptureStdout();
    nivaro_sdk::INivaroSdk *sdk = NivaroSdk::get_instance();
    sdk->GetConfig()->GetDefaultZoomFactor();
    nivaro_sdk::INivaroConnection *connection = sdk->CreateConnection();
    nivaro_sdk::INivaroCamera *camera = connection->OpenCamera("COM3");
    ASSERT_NE(camera, nullptr);
    camera->SetSharpening(320);
    nivaro_sdk::IaConfig ia {};
    camera->GetIaConfig(ia);
    connection->CloseCamera(camera);
    sdk->ReleaseConnection(&connection);
    EXPECT_EQ(connection, nullptr);
    EXPECT_EQ(GetCapturedStdout(), "");

    EXPECT_EQ(readLines(trace),
              (std::vector<std::string> {
                  "sdk.GetConfig() -> config",
                  "config.GetDefaultZoomFactor() -> 1",
                  "sdk.CreateConnection() -> connection#1",
                  "connection#1.OpenCamera(\"COM3\") -> camera[COM3]",
                  "camera[COM3].SetSharpening(320) -> true",
                  "camera[COM3].GetIaConfig(out {resizeMode=1, maxBoxes=10, sensitivity=50, "
                  "iouThreshold=50, outputType=0}) -> true",
                  "connection#1.CloseCamera(camera[COM3])",
                  "sdk.ReleaseConnection(&connection#1)",
              }));
}

TEST_F(SdkBoundary, filesInAFolderWithANonAsciiNameWork)
{
    // "données-камера": Latin and Cyrillic letters, beyond any single Windows code page.
    const auto folder = makeSubfolder("donn\xc3\xa9"
                                      "es-\xd0\xba\xd0\xb0\xd0\xbc\xd0\xb5\xd1\x80\xd0\xb0");
    const auto config = folder / "velmora.json";
    const auto log = folder / "sdk.log";
    const auto trace = folder / "sdk.trace";
    writeText(config, R"({"linkType": "UART", "defaults": {"sharpening": 2.0}})");
    setEnvironment("NIVARO_SDK_CONFIG", config);
    setEnvironment("NIVARO_SDK_LOG", log);
    setEnvironment("NIVARO_SDK_TRACE", trace);

    CaptureStderr();
    const double sharpening = NivaroSdk::get_instance()->GetConfig()->GetDefaultSharpening();
    nivaro_sdk::SDKLogger(nivaro_sdk::info).GetILogger() << "Connected";
    EXPECT_EQ(GetCapturedStderr(), "");

    EXPECT_DOUBLE_EQ(sharpening, 2.0);
    const auto logLines = readLines(log);
    ASSERT_EQ(logLines.size(), 1u);
    expectLogLine(logLines[0], 2, "Connected");
    EXPECT_EQ(readLines(trace),
              (std::vector<std::string> {"sdk.GetConfig() -> config",
                                         "config.GetDefaultSharpening() -> 2"}));
}

} // namespace
