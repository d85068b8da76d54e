// The SDK as the program meets it: the shared library's entry points, and the
// configuration, log and trace files named by the environment.
#include "nivaro_sdk.h"
#include "scripted_cameras.h"
#include "sdk_process.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
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

    friend void PrintTo(const ConfigurationChoice &row, std::ostream *out) { *out << row.name; }
};

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

using ConfigurationFileChoice = WithRows<SdkProcessTest, ConfigurationChoice>;

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
                         ::testing::ValuesIn(configurationChoices), rowName);

// A file the environment names that cannot serve, and the one line said of it.
enum class Make
{
    nothing,
    folder,
    pathThroughAFile, // the path's first part is a regular file
    largeFile,
    emptyFile,
    fifo,
};

struct UnusableFile
{
    const char *name;
    const char *variable;
    std::string path; // UTF-8, below the case's folder, unless absolute
    Make make;
    std::string said; // how the line starts, PATH for the file's name
    const char *ending;
    std::string orSaid = {}; // how Windows starts it, where it words the fault otherwise

    friend void PrintTo(const UnusableFile &row, std::ostream *out) { *out << row.name; }
};

constexpr const char *builtIn = "; built-in values kept";
constexpr const char *unwritten = "; nothing is written to it";
constexpr const char *lost = "; lines that cannot be written are lost";
const std::string configuration = "configuration file \"PATH\"";

const UnusableFile unusableFiles[] = {
    {"missing", "NIVARO_SDK_CONFIG", "absent.json", Make::nothing,
     configuration + " does not exist", builtIn},
    {"folder", "NIVARO_SDK_CONFIG", "settings.json", Make::folder,
     configuration + " cannot be read (it is a folder)", builtIn},
    // Beyond any system's limit on a name: here the system refuses it, while Windows
    // reports such a name as not found.
    {"nameTooLong", "NIVARO_SDK_CONFIG", std::string(5000, 'x') + "/velmora.json", Make::nothing,
     configuration + " cannot be read (", builtIn, configuration + " does not exist"},
    // Not the same as missing: here "Not a directory", while Windows finds no such path.
    {"pathThroughAFile", "NIVARO_SDK_CONFIG", "plain.json/velmora.json", Make::pathThroughAFile,
     configuration + " cannot be read (Not a directory)", builtIn,
     configuration + " does not exist"},
    {"largerThan4MiB", "NIVARO_SDK_CONFIG", "big.json", Make::largeFile,
     configuration + " is larger than 4 MiB", builtIn},
    {"empty", "NIVARO_SDK_CONFIG", "empty.json", Make::emptyFile,
     configuration + ": malformed JSON (", builtIn},
#ifndef _WIN32
    // Reading or writing any of these would block the program's start, or never end.
    {"fifo", "NIVARO_SDK_CONFIG", "pipe.json", Make::fifo, configuration + " is not a regular file",
     builtIn},
    {"device", "NIVARO_SDK_CONFIG", "/dev/zero", Make::nothing,
     configuration + " is not a regular file", builtIn},
    {"logIsAFifo", "NIVARO_SDK_LOG", "sdk.log", Make::fifo,
     "cannot open the SDK log file \"PATH\" (it is not a regular file)", unwritten},
    {"traceIsAFifo", "NIVARO_SDK_TRACE", "sdk.trace", Make::fifo,
     "cannot open the SDK trace file \"PATH\" (it is not a regular file)", unwritten},
#endif
    {"logInAFolder", "NIVARO_SDK_LOG", "logs", Make::folder,
     "cannot open the SDK log file \"PATH\" (it is a folder)", unwritten},
    {"traceInAMissingFolder", "NIVARO_SDK_TRACE", "absent/sdk.trace", Make::nothing,
     "cannot open the SDK trace file \"PATH\" (", unwritten},
#ifdef __linux__
    // Every write fails: said once, however many lines are lost.
    {"logOnAFullDevice", "NIVARO_SDK_LOG", "/dev/full", Make::nothing,
     "writing to the SDK log file \"PATH\" failed (No space left on device)", lost},
    {"traceOnAFullDevice", "NIVARO_SDK_TRACE", "/dev/full", Make::nothing,
     "writing to the SDK trace file \"PATH\" failed (No space left on device)", lost},
#endif
};

// Makes below folder what the row names; answers the path to give the SDK.
std::filesystem::path makeUnusableFile(const std::filesystem::path &folder, const UnusableFile &row)
{
    auto path = folder / std::filesystem::u8path(row.path);
    std::filesystem::create_directories(row.make == Make::folder ? path : folder);
    if (row.make == Make::pathThroughAFile) {
        std::ofstream(path.parent_path()) << "{}";
    } else if (row.make == Make::largeFile) {
        std::ofstream(path) << "{}" << std::string(std::size_t {4} * 1024 * 1024, ' ');
    } else if (row.make == Make::emptyFile) {
        std::ofstream(path).close();
    } else if (row.make == Make::fifo) {
#ifndef _WIN32
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
#endif
    }
    return path;
}

using UnusableEnvironmentFile = WithRows<SdkProcessTest, UnusableFile>;

TEST_P(UnusableEnvironmentFile, isOneLineOnStandardErrorAndTheProgramRunsOnBuiltInValues)
{
    const UnusableFile &row = GetParam();
    const auto path = makeUnusableFile(makeSubfolder("files"), row);
    setEnvironment(row.variable, path);

    CaptureStdout();
    CaptureStderr();
    nivaro_sdk::INivaroSdk *sdk = NivaroSdk::get_instance();
    for (int record = 0; record < 3; ++record) {
        nivaro_sdk::SDKLogger(nivaro_sdk::info).GetILogger() << "Set GAMMA value OK";
        EXPECT_DOUBLE_EQ(sdk->GetConfig()->GetDefaultSharpening(), 1.0);
    }
    const std::string errors = GetCapturedStderr();
    EXPECT_EQ(GetCapturedStdout(), "");

    // A name is shown up to 160 characters, then an ellipsis.
    const std::string pathText = path.u8string();
    const std::string shown
        = pathText.size() <= 160 ? pathText : pathText.substr(0, 160) + "\xE2\x80\xA6";
    const auto startsAs = [&](std::string said) {
        said.replace(said.find("PATH"), 4, shown);
        return errors.rfind("nivaro sdk: " + said, 0) == 0;
    };
    EXPECT_TRUE(startsAs(row.said) || (!row.orSaid.empty() && startsAs(row.orSaid))) << errors;
    const std::string ending = row.ending + std::string("\n");
    EXPECT_EQ(errors.substr(errors.size() - std::min(errors.size(), ending.size())), ending);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;

    EXPECT_TRUE(sdk->GetConfig()->IsExpertModeEnabled());
    nivaro_sdk::INivaroCamera *camera = sdk->CreateConnection()->OpenCamera("COM3");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->GetGamma(), 65536u);
}

INSTANTIATE_TEST_SUITE_P(Environment, UnusableEnvironmentFile, ::testing::ValuesIn(unusableFiles),
                         rowName);

using ScriptedThroughTheFile = WithRows<SdkProcessTest, ScriptedCamera>;

TEST_P(ScriptedThroughTheFile, cameraBehavesAsScripted)
{
    // "données-камера": Latin and Cyrillic letters, beyond any single Windows code page.
    const auto folder = makeSubfolder("donn\xc3\xa9"
                                      "es-\xd0\xba\xd0\xb0\xd0\xbc\xd0\xb5\xd1\x80\xd0\xb0");
    const auto config = folder / "velmora.json";
    const auto trace = folder / "sdk.trace";
    const auto log = folder / "sdk.log";
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
            EXPECT_EQ(line.find("\u2028"), std::string::npos) << "a line separator written raw";
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
                         rowName);

} // namespace
