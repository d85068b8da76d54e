// Cameras scripted by the configuration file alone and reached through the shared
// library, as a user without a camera meets them: where the in-process tests link the
// simulator directly, these prove the same behaviour across the library's boundary.
#include "nivaro_sdk.h"
#include "sdk_process.h"
#include "silent_camera.h"

#include <functional>
#include <stdexcept>
#include <string>

using nivaro_sdk::INivaroCamera;
using nivaro_sdk::INivaroConnection;
using nivaro_sdk::NivaroSdk;

namespace {

// Opens ports as the program does: a connection of its own for each camera.
class Program
{
public:
    INivaroCamera &open(const char *port)
    {
        connection = NivaroSdk::get_instance()->CreateConnection();
        camera = connection->OpenCamera(port);
        if (!camera) {
            throw std::runtime_error(std::string("no camera on ") + port);
        }
        return *camera;
    }

    void disconnect()
    {
        connection->CloseCamera(camera);
        NivaroSdk::get_instance()->ReleaseConnection(&connection);
    }

private:
    INivaroConnection *connection = nullptr;
    INivaroCamera *camera = nullptr;
};

struct ScriptedCamera
{
    const char *name;
    const char *configuration;
    std::function<void(Program &)> check;
};

void PrintTo(const ScriptedCamera &row, std::ostream *out)
{
    *out << row.name;
}

const ScriptedCamera scriptedCameras[] = {
    {"valuesRoundTripInCameraUnitsAcrossAReconnect",
     R"({"ports": {"COM3": {"registers": {"gamma": 98304, "sharpening": 320}}}})",
     [](Program &program) {
         INivaroCamera &camera = program.open("COM3");
         EXPECT_EQ(camera.GetGamma(), 98304u);
         EXPECT_EQ(camera.GetSharpening(), 320u);
         EXPECT_TRUE(camera.SetGamma(72090)); // 1.1 in unsigned 16.16
         EXPECT_TRUE(camera.SetSharpening(384)); // 1.5 in unsigned 8.8
         EXPECT_TRUE(camera.ConfigureZoom({2.5f, 700, 400, 1}));
         EXPECT_TRUE(camera.SetIaConfig({4, 100, 0, 99, 3}));
         program.disconnect();

         INivaroCamera &again = program.open("COM3");
         EXPECT_EQ(again.GetGamma(), 72090u);
         EXPECT_EQ(again.GetSharpening(), 384u);
         nivaro_sdk::ZoomConfig zoom {};
         again.GetZoom(zoom);
         EXPECT_EQ(zoom.zoomFactor, 2.5f);
         EXPECT_EQ(zoom.centerX, 700);
         EXPECT_EQ(zoom.centerY, 400);
         EXPECT_EQ(zoom.interpolationMethod, 1);
         nivaro_sdk::IaConfig ia {};
         EXPECT_TRUE(again.GetIaConfig(ia));
         EXPECT_EQ(ia.resizeMode, 4);
         EXPECT_EQ(ia.maxBoxes, 100);
         EXPECT_EQ(ia.sensitivity, 0);
         EXPECT_EQ(ia.iouThreshold, 99);
         EXPECT_EQ(ia.outputType, 3);
     }},
    {"valueBeyondALimitIsRefusedAndTheOldValueStays",
     R"({"expert": {"gfid": {"current": 500, "min": 100, "max": 900}},
         "ports": {"COM3": {"registers": {"roiY2": 800, "gfid": 400}}}})",
     [](Program &program) {
         INivaroCamera &camera = program.open("COM3");
         EXPECT_FALSE(camera.SetRoiY2(1020));
         EXPECT_EQ(camera.GetRoiY2(), 800u);
         EXPECT_FALSE(camera.SetGfid(901)); // the file's bound, not the built-in 1000
         EXPECT_EQ(camera.GetGfid(), 400u);
         EXPECT_TRUE(camera.SetGfid(900));
         EXPECT_EQ(camera.GetGfid(), 900u);
     }},
    {"namedSetterRefusesWhileTheOthersStore",
     R"({"ports": {"COM3": {"refusedSetters": ["SetGamma", "SetIaConfig"]}}})",
     [](Program &program) {
         INivaroCamera &camera = program.open("COM3");
         EXPECT_FALSE(camera.SetGamma(72090));
         EXPECT_EQ(camera.GetGamma(), 65536u);
         EXPECT_FALSE(camera.SetIaConfig({2, 20, 30, 40, 1}));
         nivaro_sdk::IaConfig ia {};
         EXPECT_TRUE(camera.GetIaConfig(ia));
         EXPECT_EQ(ia.maxBoxes, 10);
         EXPECT_TRUE(camera.SetSharpening(300));
         EXPECT_EQ(camera.GetSharpening(), 300u);
     }},
    {"silentCameraAnswersNothing",
     R"({"ports": {"COM3": {"silent": true}, "COM4": {"silentAfterCalls": 1}}})",
     [](Program &program) {
         expectSilent(program.open("COM3"));
         program.disconnect();

         INivaroCamera &unplugged = program.open("COM4");
         EXPECT_EQ(unplugged.GetGamma(), 65536u);
         EXPECT_EQ(unplugged.GetGamma(), 0u);
     }},
};

class ScriptedThroughTheFile : public SdkProcessTest,
                               public ::testing::WithParamInterface<ScriptedCamera>
{ };

TEST_P(ScriptedThroughTheFile, cameraBehavesAsScripted)
{
    const auto config = file("velmora.json");
    writeText(config, GetParam().configuration);
    setEnvironment("NIVARO_SDK_CONFIG", config);

    testing::internal::CaptureStderr();
    Program program;
    GetParam().check(program);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the file holds no mistake";
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptedThroughTheFile, ::testing::ValuesIn(scriptedCameras),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
