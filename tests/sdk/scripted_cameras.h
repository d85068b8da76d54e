#pragma once

// Cameras scripted by the configuration file alone, as a user without a camera meets them.
// The same rows run in-process and through the shared library, so that a fault behaves the
// same on both sides of the library's boundary.
#include "nivaro_sdk.h"
#include "simulator_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// A fixture whose cases run once for each row of a table, and a case's name after its row's.
template<typename Fixture, typename Row>
class WithRows : public Fixture, public ::testing::WithParamInterface<Row>
{ };
inline const auto rowName = [](const auto &info) { return std::string(info.param.name); };

// The type a camera answers (none: its query fails and leaves the type unset), and its
// version words.
inline void expectIdentity(nivaro_sdk::INivaroCamera &camera, std::optional<uint8_t> type,
                           uint16_t riscvVersion, uint16_t fpgaVersion)
{
    uint8_t answered = 99;
    EXPECT_EQ(camera.GetCameraType(answered), type.has_value());
    EXPECT_EQ(answered, type.value_or(99));
    nivaro_sdk::VersionInfo versions {1, 1};
    camera.GetVersions(versions);
    EXPECT_EQ(versions.riscvVersion, riscvVersion);
    EXPECT_EQ(versions.fpgaVersion, fpgaVersion);
}

// Every kind of answer a silent camera gives, with what it leaves in place.
inline void expectSilent(nivaro_sdk::INivaroCamera &camera)
{
    expectIdentity(camera, std::nullopt, 0, 0);
    EXPECT_EQ(camera.GetGamma(), 0u);
    EXPECT_EQ(camera.GetRoiX1(), 0u);
    EXPECT_EQ(camera.GetContrastType(), 0);
    EXPECT_FALSE(camera.GetBpr());
    EXPECT_FALSE(camera.SetGamma(70000));
    EXPECT_FALSE(camera.SetPolarity(true));

    nivaro_sdk::ZoomConfig zoom {7.0f, 7, 7, 7};
    camera.GetZoom(zoom);
    EXPECT_EQ(zoom.centerX, 7);
    nivaro_sdk::IaConfig ia {7, 7, 7, 7, 7};
    EXPECT_FALSE(camera.GetIaConfig(ia));
    EXPECT_EQ(ia.maxBoxes, 7);
    EXPECT_FALSE(camera.RequestNuc());
}

// Opens ports as the program does: a connection of its own for each camera.
class Program
{
public:
    // Every trace line and log record of this run so far.
    std::function<std::vector<std::string>()> traceLines;
    std::function<std::vector<nivaro_sim::LogRecord>()> logRecords;
    // What a port's camera holds, where a test can see it (in-process only).
    std::function<std::optional<nivaro_sim::Registers>(const std::string &)> registers;

    nivaro_sdk::INivaroCamera &open(const char *port)
    {
        connection = nivaro_sdk::NivaroSdk::get_instance()->CreateConnection();
        camera = connection->OpenCamera(port);
        if (!camera) {
            throw std::runtime_error(std::string("no camera on ") + port);
        }
        return *camera;
    }

    void disconnect()
    {
        connection->CloseCamera(camera);
        nivaro_sdk::NivaroSdk::get_instance()->ReleaseConnection(&connection);
        EXPECT_EQ(connection, nullptr) << "the holder is cleared";
    }

private:
    nivaro_sdk::INivaroConnection *connection = nullptr;
    nivaro_sdk::INivaroCamera *camera = nullptr;
};

// check gets the camera on COM3, opened as the program opens it.
struct ScriptedCamera
{
    const char *name;
    const char *configuration;
    std::function<void(nivaro_sdk::INivaroCamera &, Program &)> check;

    friend void PrintTo(const ScriptedCamera &row, std::ostream *out) { *out << row.name; }
};

// A record's fields, to compare records whole.
template<typename Record> std::vector<double> fieldValues(const Record &record)
{
    std::vector<double> values;
    nivaro_sim::forEachField(record, [&values](const char *, auto field) {
        values.push_back(static_cast<double>(field));
    });
    return values;
}

inline const ScriptedCamera scriptedCameras[] = {
    {"everyCallIsTracedInCallOrder", "{}",
     [](nivaro_sdk::INivaroCamera &camera, Program &program) {
         nivaro_sdk::INivaroSdk &service = *nivaro_sdk::NivaroSdk::get_instance();
         service.Init();
         service.GetConfig()->GetLinkType();
         service.GetConfig()->GetDefaultZoomFactor();
         uint8_t type = 0;
         camera.GetCameraType(type);
         nivaro_sdk::VersionInfo versions {};
         camera.GetVersions(versions);
         camera.BeginRead();
         camera.SetGamma(72090);
         camera.SetSharpening(320);
         camera.ConfigureZoom({1.5f, 600, 500, 1});
         camera.SetIaConfig({1, 12, 55, 45, 2});
         nivaro_sdk::IaConfig ia {};
         camera.GetIaConfig(ia);
         camera.SetRoiX1(2);
         camera.RequestNuc();
         service.NotifyParametersApplied();
         program.disconnect();

         EXPECT_EQ(
             program.traceLines(),
             (std::vector<std::string> {
                 "sdk.CreateConnection() -> connection#1",
                 "connection#1.OpenCamera(\"COM3\") -> camera[COM3]",
                 "sdk.Init() -> true",
                 "sdk.GetConfig() -> config",
                 "config.GetLinkType() -> \"UART\"",
                 "sdk.GetConfig() -> config",
                 "config.GetDefaultZoomFactor() -> 1",
                 "camera[COM3].GetCameraType(out 12) -> true",
                 "camera[COM3].GetVersions(out {riscvVersion=4656, fpgaVersion=1184}) -> true",
                 "camera[COM3].BeginRead()",
                 "camera[COM3].SetGamma(72090) -> true",
                 "camera[COM3].SetSharpening(320) -> true",
                 "camera[COM3].ConfigureZoom({zoomFactor=1.5, centerX=600, centerY=500, "
                 "interpolationMethod=1}) -> true",
                 "camera[COM3].SetIaConfig({resizeMode=1, maxBoxes=12, sensitivity=55, "
                 "iouThreshold=45, outputType=2}) -> true",
                 "camera[COM3].GetIaConfig(out {resizeMode=1, maxBoxes=12, sensitivity=55, "
                 "iouThreshold=45, outputType=2}) -> true",
                 "camera[COM3].SetRoiX1(2) -> false",
                 "camera[COM3].RequestNuc() -> true",
                 "sdk.NotifyParametersApplied()",
                 "connection#1.CloseCamera(camera[COM3])",
                 "sdk.ReleaseConnection(&connection#1)",
             }));
     }},
    // The camera is never given back, as the program leaves its last one: the SDK frees it at
    // exit, which a leak-checking build verifies.
    {"configurationShapesWhatTheProgramSees",
     R"({"defaults": {"gamma": 1.25}, "expert": {"gsk": {"current": 4, "min": 0, "max": 7}},
         "ports": {"COM1": {"present": false}, "COM3": {"cameraType": 7, "registers": {"gamma": 131072}}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &program) {
         nivaro_sdk::INivaroSdk *sdk = nivaro_sdk::NivaroSdk::get_instance();
         EXPECT_TRUE(sdk->Init());
         nivaro_sdk::INivaroConfig *configuration = sdk->GetConfig();
         EXPECT_TRUE(sdk->Init()) << "any number of times";
         EXPECT_EQ(sdk->GetConfig(), configuration);
         EXPECT_DOUBLE_EQ(configuration->GetDefaultGamma(), 1.25);
         EXPECT_EQ(configuration->currentGsk, 4);
         EXPECT_EQ(configuration->gskMax, 7);
         EXPECT_STREQ(configuration->GetLinkType(), "UART");
         EXPECT_THROW(program.open("COM1"), std::runtime_error);
         uint8_t type = 0;
         EXPECT_TRUE(camera.GetCameraType(type));
         EXPECT_EQ(type, 7);
         EXPECT_EQ(camera.GetGamma(), 131072u);
         EXPECT_TRUE(camera.SetGsk(7));
         EXPECT_FALSE(camera.SetGsk(8));
     }},
    {"eachLoggerIsOneRecordOfItsSeverityAndTextAsInsertedWrittenWhenItEnds", "{}",
     [](nivaro_sdk::INivaroCamera &, Program &program) {
         using nivaro_sdk::SDKLogger;
         SDKLogger(nivaro_sdk::info).GetILogger()
             << std::string("Gamma value = ") << "1.2"
             << " \xc2\xb0\u2028"; // a degree sign, a line separator
         SDKLogger(nivaro_sdk::trace).GetILogger() << "Qt version:\n5.15.8\n";
         SDKLogger(nivaro_sdk::warning).GetILogger();
         {
             SDKLogger logger(nivaro_sdk::info);
             logger.GetILogger() << "Set GAMMA value ";
             EXPECT_EQ(program.logRecords().size(), 3u);
             logger.GetILogger() << "OK";
         }
         const auto records = program.logRecords();
         ASSERT_EQ(records.size(), 4u);
         const std::pair<int, std::string> expected[] = {{2, "Gamma value = 1.2 \xc2\xb0\u2028"},
                                                         {0, "Qt version:\n5.15.8\n"},
                                                         {3, ""},
                                                         {2, "Set GAMMA value OK"}};
         for (std::size_t at = 0; at < records.size(); ++at) {
             EXPECT_EQ(records[at].severity, expected[at].first) << at;
             EXPECT_EQ(records[at].text, expected[at].second) << at;
         }
     }},
    {"valuesRoundTripInCameraUnitsAcrossAReconnect",
     R"({"ports": {"COM3": {"registers": {"gamma": 98304, "sharpening": 320, "roiX1": 0}}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &program) {
         EXPECT_EQ(camera.GetGamma(), 98304u);
         EXPECT_EQ(camera.GetSharpening(), 320u);
         EXPECT_EQ(camera.GetRoiX1(), 0u) << "initial values are not held to the sensor's limits";
         EXPECT_TRUE(camera.SetGamma(72090)); // 1.1 in unsigned 16.16
         EXPECT_TRUE(camera.SetSharpening(384)); // 1.5 in unsigned 8.8
         EXPECT_TRUE(camera.ConfigureZoom({2.5f, 700, 400, 1}));
         EXPECT_TRUE(camera.SetIaConfig({4, 100, 0, 99, 3}));
         program.disconnect();

         nivaro_sdk::INivaroCamera &again = program.open("COM3");
         EXPECT_EQ(again.GetGamma(), 72090u);
         EXPECT_EQ(again.GetSharpening(), 384u);
         nivaro_sdk::ZoomConfig zoom {};
         again.GetZoom(zoom);
         EXPECT_EQ(fieldValues(zoom), fieldValues(nivaro_sdk::ZoomConfig {2.5f, 700, 400, 1}));
         nivaro_sdk::IaConfig ia {};
         EXPECT_TRUE(again.GetIaConfig(ia));
         EXPECT_EQ(fieldValues(ia), fieldValues(nivaro_sdk::IaConfig {4, 100, 0, 99, 3}));
     }},
    {"valueBeyondALimitIsRefusedAndTheOldValueStays",
     R"({"expert": {"gfid": {"current": 500, "min": 100, "max": 900}},
         "ports": {"COM3": {"registers": {"roiY2": 800, "gfid": 400}}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &) {
         EXPECT_FALSE(camera.SetRoiY2(1020));
         EXPECT_EQ(camera.GetRoiY2(), 800u);
         EXPECT_FALSE(camera.SetGfid(901)); // the file's bound, not the built-in 1000
         EXPECT_EQ(camera.GetGfid(), 400u);
         EXPECT_TRUE(camera.SetGfid(900));
         EXPECT_EQ(camera.GetGfid(), 900u);
     }},
    {"namedSetterRefusesWhileTheOthersStore",
     R"({"ports": {"COM3": {"refusedSetters": ["SetGamma", "SetIaConfig", "SetGfid",
                                               "ConfigureZoom"]}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &program) {
         const std::size_t mark = program.traceLines().size();
         EXPECT_FALSE(camera.SetGfid(600));
         EXPECT_FALSE(camera.ConfigureZoom({2.0f, 640, 512, 0}));
         EXPECT_TRUE(camera.SetGsk(3));
         const auto lines = program.traceLines();
         EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(mark),
                                            lines.end()),
                   (std::vector<std::string> {"camera[COM3].SetGfid(600) -> false",
                                              "camera[COM3].ConfigureZoom({zoomFactor=2, "
                                              "centerX=640, centerY=512, interpolationMethod=0}) "
                                              "-> false",
                                              "camera[COM3].SetGsk(3) -> true"}));
         EXPECT_EQ(camera.GetGfid(), 500u);
         nivaro_sdk::ZoomConfig zoom {};
         camera.GetZoom(zoom);
         EXPECT_FLOAT_EQ(zoom.zoomFactor, 1.0f);
         EXPECT_FALSE(camera.SetGamma(72090));
         EXPECT_EQ(camera.GetGamma(), 65536u);
         EXPECT_FALSE(camera.SetIaConfig({2, 20, 30, 40, 1}));
         nivaro_sdk::IaConfig ia {};
         EXPECT_TRUE(camera.GetIaConfig(ia));
         EXPECT_EQ(ia.maxBoxes, 10);
         EXPECT_TRUE(camera.SetSharpening(300));
         EXPECT_EQ(camera.GetSharpening(), 300u);
     }},
    {"failingTypeQueryLeavesTheTypeUnsetAndTheRestAnswers",
     R"({"ports": {"COM3": {"typeQueryFails": true}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &) {
         expectIdentity(camera, std::nullopt, 0x1230, 0x04A0);
         EXPECT_EQ(camera.GetGamma(), 65536u);
     }},
    {"scriptedTypeAndVersionsAreAnswered",
     R"({"ports": {"COM3": {"cameraType": 7, "riscvVersion": 9296, "fpgaVersion": 784}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &) {
         expectIdentity(camera, 7, 0x2450, 0x0310);
     }},
    {"zeroVersionWordsOnAnAnsweringCamera",
     R"({"ports": {"COM3": {"riscvVersion": 0, "fpgaVersion": 0}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &) {
         expectIdentity(camera, 12, 0, 0);
         EXPECT_TRUE(camera.SetGamma(70000));
     }},
    {"silentCameraAnswersNothingAndKeepsItsRegisters",
     R"({"ports": {"COM3": {"silent": true}, "COM4": {"silentAfterCalls": 1}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &program) {
         const std::size_t mark = program.traceLines().size();
         expectSilent(camera);
         camera.GetNucEnabled();
         const auto lines = program.traceLines();
         EXPECT_EQ(
             std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(mark),
                                      lines.end()),
             (std::vector<std::string> {
                 "camera[COM3].GetCameraType(out unfilled) -> false",
                 "camera[COM3].GetVersions(out {riscvVersion=0, fpgaVersion=0}) -> false",
                 "camera[COM3].GetGamma() -> 0", "camera[COM3].GetRoiX1() -> 0",
                 "camera[COM3].GetContrastType() -> 0", "camera[COM3].GetBpr() -> false",
                 "camera[COM3].SetGamma(70000) -> false", "camera[COM3].SetPolarity(true) -> false",
                 "camera[COM3].GetZoom(out unfilled)",
                 "camera[COM3].GetIaConfig(out unfilled) -> false",
                 "camera[COM3].RequestNuc() -> false", "camera[COM3].GetNucEnabled() -> false"}));
         if (const auto held = program.registers("COM3")) {
             EXPECT_EQ(held->gamma, 65536u);
             EXPECT_FALSE(held->polarity);
         }
         program.disconnect();

         nivaro_sdk::INivaroCamera &unplugged = program.open("COM4");
         EXPECT_EQ(unplugged.GetGamma(), 65536u);
         EXPECT_EQ(unplugged.GetGamma(), 0u);
     }},
    {"silentAfterCallsCountsEveryOperationTheTypeQueryIncluded",
     R"({"ports": {"COM3": {"silentAfterCalls": 3}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &program) {
         uint8_t type = 0;
         EXPECT_TRUE(camera.GetCameraType(type));
         camera.BeginRead();
         EXPECT_TRUE(camera.SetGamma(70000));
         expectSilent(camera);
         program.disconnect();
         // Each open of the port counts from zero again, and finds what was stored.
         nivaro_sdk::INivaroCamera &again = program.open("COM3");
         EXPECT_EQ(again.GetGamma(), 70000u);
     }},
    {"failingDetectionReadLeavesTheRecordUnfilled", R"({"ports": {"COM3": {"iaReadFails": true}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &program) {
         EXPECT_TRUE(camera.SetIaConfig({2, 20, 30, 40, 1}));
         nivaro_sdk::IaConfig config {7, 7, 7, 7, 7};
         EXPECT_FALSE(camera.GetIaConfig(config));
         EXPECT_EQ(config.resizeMode, 7);
         EXPECT_EQ(program.traceLines().back(), "camera[COM3].GetIaConfig(out unfilled) -> false");
         if (const auto held = program.registers("COM3")) {
             EXPECT_EQ(held->ia.maxBoxes, 20);
         }
     }},
    {"failingNucRequestLeavesTheCorrectionAsItWas",
     R"({"ports": {"COM3": {"nucRequestFails": true}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &) {
         EXPECT_FALSE(camera.RequestNuc());
         EXPECT_FALSE(camera.GetNucEnabled());
     }},
    {"latencyDelaysButChangesNoAnswer", R"({"ports": {"COM3": {"latencyMs": 1}}})",
     [](nivaro_sdk::INivaroCamera &camera, Program &) {
         EXPECT_TRUE(camera.SetClhe(1234));
         EXPECT_EQ(camera.GetClhe(), 1234u);
     }},
    {"absentCameraCannotBeOpenedNorAnEmptyName", R"({"ports": {"COM9": {"present": false}}})",
     [](nivaro_sdk::INivaroCamera &, Program &program) {
         EXPECT_THROW(program.open("COM9"), std::runtime_error);
         EXPECT_EQ(program.traceLines().back(), "connection#2.OpenCamera(\"COM9\") -> null");
         EXPECT_THROW(program.open(""), std::runtime_error);
     }},
};
