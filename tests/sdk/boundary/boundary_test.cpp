// The SDK as the program meets it: the shared library's entry points, and the
// configuration, log and trace files named by the environment.
#include "nivaro_sdk.h"
#include "scripted_cameras.h"
#include "sdk_process.h"
#include "unusable_config_files.h"

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
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

// Which file the SDK reads: the one NIVARO_SDK_CONFIG names, or else the one beside the
// program, whose absence is no mistake. The rows named beside_… run from a copy of this
// program with the demo configuration beside it, the others from where nothing lies beside.
struct ConfigurationChoice
{
    const char *name;
    const char *named; // null: the variable unset; "": empty; "<missing>": no such file
    const char *errors; // on standard error, PATH for the named file
    double gamma;
    bool expertMode;
};

void PrintTo(const ConfigurationChoice &row, std::ostream *out)
{
    *out << row.name;
}

const ConfigurationChoice configurationChoices[] = {
    {"unsetWithNothingBesideKeepsTheBuiltInValues", nullptr, "", 1.0, true},
    {"mistakeIsOneLineOnStandardErrorAndTheRestApplies",
     R"({"defaults": {"gamma": "high"}, "expertMode": false})",
     "nivaro sdk: configuration file \"PATH\", key \"defaults.gamma\": expected a number, found "
     "string; built-in value kept\n",
     1.0, false},
    {"beside_unsetReadsTheFileBesideTheProgram", nullptr, "", 1.2, true},
    {"beside_emptyReadsTheFileBesideTheProgram", "", "", 1.2, true},
    {"beside_namedFileWins", R"({"defaults": {"gamma": 1.25}})", "", 1.25, true},
    {"beside_namedFileMissingIsReportedAndTheOneBesideUnread", "<missing>",
     "nivaro sdk: configuration file \"PATH\" does not exist; built-in values kept\n", 1.0, true},
};

class ConfigurationFileChoice : public SdkProcessTest,
                                public ::testing::WithParamInterface<ConfigurationChoice>
{ };

TEST_P(ConfigurationFileChoice, isTheNamedOneElseTheOneBesideTheProgram)
{
    const ConfigurationChoice &row = GetParam();
    const auto named = file("velmora.json");
    if (row.named) {
        const std::string text = row.named;
        if (!text.empty() && text != "<missing>") {
            writeText(named, text);
        }
        setEnvironment("NIVARO_SDK_CONFIG", text.empty() ? std::filesystem::path() : named);
    }

    CaptureStdout();
    CaptureStderr();
    nivaro_sdk::INivaroConfig *configuration = NivaroSdk::get_instance()->GetConfig();
    std::string errors = row.errors;
    if (const auto at = errors.find("PATH"); at != std::string::npos) {
        errors.replace(at, 4, named.u8string());
    }
    EXPECT_EQ(GetCapturedStderr(), errors);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_DOUBLE_EQ(configuration->GetDefaultGamma(), row.gamma);
    EXPECT_EQ(configuration->IsExpertModeEnabled(), row.expertMode);
}

INSTANTIATE_TEST_SUITE_P(Environment, ConfigurationFileChoice,
                         ::testing::ValuesIn(configurationChoices),
                         [](const auto &info) { return std::string(info.param.name); });

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

class ScriptedThroughTheFile : public SdkProcessTest,
                               public ::testing::WithParamInterface<ScriptedCamera>
{ };

TEST_P(ScriptedThroughTheFile, cameraBehavesAsScripted)
{
    const auto config = file("velmora.json");
    const auto trace = file("sdk.trace");
    const auto log = file("sdk.log");
    writeText(config, GetParam().configuration);
    writeText(trace, "a line of an earlier run\n"); // the trace file holds this run alone
    writeText(log, "{\"severity\":2,\"text\":\"earlier run\"}\n"); // the log file keeps it
    setEnvironment("NIVARO_SDK_CONFIG", config);
    setEnvironment("NIVARO_SDK_TRACE", trace);
    setEnvironment("NIVARO_SDK_LOG", log);

    CaptureStdout();
    CaptureStderr();
    Program program;
    program.traceLines = [&trace] { return readLines(trace); };
    program.logRecords = [&log] {
        std::vector<nivaro_sim::LogRecord> records;
        for (const auto &line : readLines(log)) {
            const auto record = nlohmann::json::parse(line);
            records.push_back({record.at("severity"), record.at("text")});
        }
        EXPECT_EQ(records.front().text, "earlier run");
        return std::vector<nivaro_sim::LogRecord>(records.begin() + 1, records.end());
    };
    program.registers = [](const std::string &) { return std::optional<nivaro_sim::Registers>(); };
    GetParam().check(program.open("COM3"), program);
    EXPECT_EQ(GetCapturedStderr(), "") << "the file holds no mistake";
    EXPECT_EQ(GetCapturedStdout(), "");
}

INSTANTIATE_TEST_SUITE_P(Library, ScriptedThroughTheFile, ::testing::ValuesIn(scriptedCameras),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
