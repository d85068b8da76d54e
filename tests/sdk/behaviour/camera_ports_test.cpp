// Cameras per port, their life across reconnects, and the objects the SDK hands out.
#include "simulator_fixture.h"

#include <functional>

using nivaro_sdk::INivaroCamera;
using nivaro_sdk::INivaroConnection;

namespace {

using CameraPorts = SimulatorTest;

// A port's registers come from the defaults as they stand at its first open, or when it is
// scripted anew; each port holds its own.
TEST_F(CameraPorts, eachPortHoldsItsOwnRegistersFromItsFirstOpenUntilScriptedAnew)
{
    INivaroCamera &com3 = open("COM3");
    ASSERT_TRUE(com3.SetGamma(98304));
    EXPECT_EQ(open("COM4").GetGamma(), 65536u);
    nivaro_sim::configurationValues().gamma = 2.0;
    EXPECT_EQ(open("COM3").GetGamma(), 98304u);
    EXPECT_EQ(open("COM4").GetGamma(), 65536u);
    EXPECT_EQ(open("COM5").GetGamma(), 131072u);
    EXPECT_EQ(nivaro_sim::registers("COM3").gamma, 98304u);
    nivaro_sim::scriptPort("COM3", {});
    EXPECT_EQ(nivaro_sim::registers("COM3").gamma, 131072u);
    EXPECT_EQ(open("COM3").GetGamma(), 131072u);
}

TEST_F(CameraPorts, resetForgetsCamerasScriptsAndConfiguration)
{
    nivaro_sdk::INivaroConfig *config = sdk().GetConfig();
    nivaro_sim::CameraScript absent;
    absent.present = false;
    nivaro_sim::scriptPort("COM1", absent);
    ASSERT_TRUE(open("COM3").SetClhe(777));
    nivaro_sim::configurationValues().linkType = "USB";
    config->currentGsk = 3;
    config->gskMax = 9;
    nivaro_sdk::SDKLogger(nivaro_sdk::info).GetILogger() << "before the reset";

    nivaro_sim::reset();

    EXPECT_TRUE(nivaro_sim::logRecords().empty());
    EXPECT_TRUE(nivaro_sim::traceLines().empty());
    EXPECT_NO_THROW(open("COM1"));
    EXPECT_EQ(nivaro_sim::traceLines().front(), "sdk.CreateConnection() -> connection#1");
    EXPECT_EQ(open("COM3").GetClhe(), 1500u);
    EXPECT_EQ(sdk().GetConfig(), config);
    EXPECT_STREQ(config->GetLinkType(), "UART");
    EXPECT_EQ(config->currentGsk, 2);
    EXPECT_EQ(config->gskMax, 3);
}

// A built-in default outside the range of the control it fills would be clamped by the
// form, so a Reset on the simulated camera would write something else than the default.
struct FormRange
{
    const char *name;
    std::function<double(nivaro_sdk::INivaroConfig &)> value;
    double minimum;
    double maximum;

    friend void PrintTo(const FormRange &row, std::ostream *out) { *out << row.name; }
};

using Config = nivaro_sdk::INivaroConfig;

const FormRange formRanges[] = {
    {"gamma", [](Config &c) { return c.GetDefaultGamma(); }, 0.5, 2.5},
    {"sharpening", [](Config &c) { return c.GetDefaultSharpening(); }, 0.0, 4.0},
    {"contrast strength", [](Config &c) { return c.GetDefaultClhe(); }, 0.0, 30000.0},
    {"contrast type", [](Config &c) { return c.GetDefaultContrastType(); }, 0, 1},
    {"zoom factor", [](Config &c) { return c.GetDefaultZoomFactor(); }, 1.0, 8.0},
    {"zoom method", [](Config &c) { return c.GetDefaultZoomMethod(); }, 0, 1},
    {"zoom centre x", [](Config &c) { return c.GetDefaultZoomCenterX(); }, 0, 1920},
    {"zoom centre y", [](Config &c) { return c.GetDefaultZoomCenterY(); }, 0, 1080},
    {"ROI x1", [](Config &c) { return c.GetDefaultRoiX1(); }, 5, 1275},
    {"ROI x2", [](Config &c) { return c.GetDefaultRoiX2(); }, 5, 1275},
    {"ROI y1", [](Config &c) { return c.GetDefaultRoiY1(); }, 5, 1019},
    {"ROI y2", [](Config &c) { return c.GetDefaultRoiY2(); }, 5, 1019},
    {"IA maximum boxes", [](Config &c) { return c.GetDefaultIaMaxBoxes(); }, 0, 100},
    {"IA sensitivity", [](Config &c) { return c.GetDefaultIaSensitivity(); }, 0, 100},
    {"IA intersection over union", [](Config &c) { return c.GetDefaultIaIou(); }, 0, 100},
    {"IA resize mode", [](Config &c) { return c.GetDefaultIaResizeMode(); }, 0, 4},
    {"IA output type", [](Config &c) { return c.GetDefaultIaOutputType(); }, 0, 3},
    // The Expert controls take their ranges from the bounds, except the GMS spin box.
    {"GMS minimum", [](Config &c) { return c.gmsMin; }, 0, 4294967296.0},
};

using BuiltInDefault = WithRows<SimulatorTest, FormRange>;

TEST_P(BuiltInDefault, liesWithinTheRangeOfItsControl)
{
    const double value = GetParam().value(*sdk().GetConfig());
    EXPECT_GE(value, GetParam().minimum);
    EXPECT_LE(value, GetParam().maximum);
}

INSTANTIATE_TEST_SUITE_P(Form, BuiltInDefault, ::testing::ValuesIn(formRanges));

TEST_F(CameraPorts, builtInConfigurationSuitsTheProgramsForm)
{
    nivaro_sdk::INivaroConfig *config = sdk().GetConfig();
    EXPECT_STREQ(config->GetLinkType(), "UART");
    EXPECT_TRUE(config->IsExpertModeEnabled());
#define WITHIN_BOUNDS(key, Name)                                                                   \
    EXPECT_TRUE(config->key##Min <= config->current##Name                                          \
                && config->current##Name <= config->key##Max);
    NIVARO_SIM_EXPERT(WITHIN_BOUNDS)
    EXPECT_LT(config->GetDefaultRoiX1(), config->GetDefaultRoiX2());
    EXPECT_LT(config->GetDefaultRoiY1(), config->GetDefaultRoiY2());
    EXPECT_DOUBLE_EQ(config->GetDefaultRoiX1() + config->GetDefaultRoiX2(), 1280.0);
    EXPECT_DOUBLE_EQ(config->GetDefaultRoiY1() + config->GetDefaultRoiY2(), 1024.0);
}

using HandedOutObjects = SimulatorTest;

TEST_F(HandedOutObjects, unknownAndNullObjectsAreHarmless)
{
    // An object of the program's own that the SDK never handed out.
    class NotHandedOut final : public INivaroConnection
    {
        INivaroCamera *OpenCamera(const char *) override { return nullptr; }
        void CloseCamera(INivaroCamera *) override { }
    } programsOwn;

    INivaroConnection *first = sdk().CreateConnection();
    INivaroConnection *second = sdk().CreateConnection();
    INivaroCamera *camera = first->OpenCamera("COM3");
    second->CloseCamera(camera);
    first->CloseCamera(nullptr);
    INivaroConnection *unknown = &programsOwn;
    sdk().ReleaseConnection(&unknown);
    INivaroConnection *none = nullptr;
    sdk().ReleaseConnection(&none);
    sdk().ReleaseConnection(nullptr);
    EXPECT_EQ(unknown, nullptr);
    EXPECT_NE(camera->GetGamma(), 0u); // still open on its own connection

    EXPECT_EQ(
        nivaro_sim::traceLines(),
        (std::vector<std::string> {
            "sdk.CreateConnection() -> connection#1", "sdk.CreateConnection() -> connection#2",
            "connection#1.OpenCamera(\"COM3\") -> camera[COM3]",
            "connection#2.CloseCamera(unknown)", "connection#1.CloseCamera(null)",
            "sdk.ReleaseConnection(&unknown)", "sdk.ReleaseConnection(&null)",
            "sdk.ReleaseConnection(null)", "camera[COM3].GetGamma() -> 65536"}));
    EXPECT_TRUE(nivaro_sim::usesAfterHandBack().empty());
}

// Freed at once, a camera or connection used afterwards would be a use-after-free that only
// a sanitizer sees; the latest ones handed back stay alive instead and report every use.
TEST_F(HandedOutObjects, objectsHandedBackReportEveryLaterUse)
{
    INivaroConnection *connection = sdk().CreateConnection();
    INivaroCamera *closed = connection->OpenCamera("COM3");
    INivaroCamera *releasedWithIt = connection->OpenCamera("COM4");
    connection->CloseCamera(closed);
    INivaroConnection *released = connection;
    sdk().ReleaseConnection(&connection);
    const std::size_t mark = nivaro_sim::traceLineCount();

    EXPECT_EQ(closed->GetGamma(), 0u);
    EXPECT_FALSE(releasedWithIt->SetPolarity(true));
    released->CloseCamera(closed);
    EXPECT_EQ(released->OpenCamera("COM3"), nullptr);
    sdk().ReleaseConnection(&released);
    EXPECT_EQ(released, nullptr);

    EXPECT_EQ(nivaro_sim::usesAfterHandBack(),
              (std::vector<std::string> {
                  "camera[COM3].GetGamma after CloseCamera",
                  "camera[COM4].SetPolarity after ReleaseConnection",
                  "connection#1.CloseCamera after ReleaseConnection",
                  "connection#1.CloseCamera(camera[COM3]) after CloseCamera",
                  "connection#1.OpenCamera after ReleaseConnection",
                  "sdk.ReleaseConnection(&connection#1) after ReleaseConnection"}));
    EXPECT_EQ(nivaro_sim::traceLines(mark),
              (std::vector<std::string> {"returned camera[COM3].GetGamma() -> 0",
                                         "returned camera[COM4].SetPolarity(true) -> false",
                                         "returned connection#1.CloseCamera(returned camera[COM3])",
                                         "returned connection#1.OpenCamera(\"COM3\") -> null",
                                         "sdk.ReleaseConnection(&returned connection#1)"}));
    EXPECT_FALSE(nivaro_sim::registers("COM4").polarity);
    expectSilent(*closed);

    nivaro_sim::reset();
    EXPECT_TRUE(nivaro_sim::usesAfterHandBack().empty());
}

} // namespace
