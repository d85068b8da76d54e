// What the camera stores and answers, in its own units, and what a new camera holds.
#include "simulator_fixture.h"

#include <functional>

using nivaro_sdk::INivaroCamera;

namespace {

struct RoundTrip
{
    const char *name;
    std::function<bool(INivaroCamera &, uint32_t)> set;
    std::function<uint32_t(INivaroCamera &)> get;
    uint32_t written;
    uint32_t readBack;
    const char *setTrace;
    const char *getTrace;
};

void PrintTo(const RoundTrip &row, std::ostream *out)
{
    *out << row.name;
}

const RoundTrip roundTrips[] = {
    {"gamma 1.1 in 16.16", [](INivaroCamera &c, uint32_t v) { return c.SetGamma(v); },
     [](INivaroCamera &c) { return c.GetGamma(); }, 72090, 72090, "SetGamma(72090) -> true",
     "GetGamma() -> 72090"},
    {"sharpening 1.5 in 8.8", [](INivaroCamera &c, uint32_t v) { return c.SetSharpening(v); },
     [](INivaroCamera &c) { return c.GetSharpening(); }, 384, 384, "SetSharpening(384) -> true",
     "GetSharpening() -> 384"},
    {"contrast strength", [](INivaroCamera &c, uint32_t v) { return c.SetClhe(v); },
     [](INivaroCamera &c) { return c.GetClhe(); }, 2000, 2000, "SetClhe(2000) -> true",
     "GetClhe() -> 2000"},
    {"ROI x1", [](INivaroCamera &c, uint32_t v) { return c.SetRoiX1(v); },
     [](INivaroCamera &c) { return c.GetRoiX1(); }, 300, 300, "SetRoiX1(300) -> true",
     "GetRoiX1() -> 300"},
    {"ROI x2", [](INivaroCamera &c, uint32_t v) { return c.SetRoiX2(v); },
     [](INivaroCamera &c) { return c.GetRoiX2(); }, 1000, 1000, "SetRoiX2(1000) -> true",
     "GetRoiX2() -> 1000"},
    {"ROI y1", [](INivaroCamera &c, uint32_t v) { return c.SetRoiY1(v); },
     [](INivaroCamera &c) { return c.GetRoiY1(); }, 100, 100, "SetRoiY1(100) -> true",
     "GetRoiY1() -> 100"},
    {"ROI y2", [](INivaroCamera &c, uint32_t v) { return c.SetRoiY2(v); },
     [](INivaroCamera &c) { return c.GetRoiY2(); }, 900, 900, "SetRoiY2(900) -> true",
     "GetRoiY2() -> 900"},
    {"GSK", [](INivaroCamera &c, uint32_t v) { return c.SetGsk(static_cast<int32_t>(v)); },
     [](INivaroCamera &c) { return c.GetGsk(); }, 3, 3, "SetGsk(3) -> true", "GetGsk() -> 3"},
    {"GFID", [](INivaroCamera &c, uint32_t v) { return c.SetGfid(static_cast<int32_t>(v)); },
     [](INivaroCamera &c) { return c.GetGfid(); }, 1000, 1000, "SetGfid(1000) -> true",
     "GetGfid() -> 1000"},
    {"GMS", [](INivaroCamera &c, uint32_t v) { return c.SetGms(static_cast<int32_t>(v)); },
     [](INivaroCamera &c) { return c.GetGms(); }, 100000, 100000, "SetGms(100000) -> true",
     "GetGms() -> 100000"},
    {"TINT", [](INivaroCamera &c, uint32_t v) { return c.SetTint(static_cast<int32_t>(v)); },
     [](INivaroCamera &c) { return c.GetTint(); }, 0, 0, "SetTint(0) -> true", "GetTint() -> 0"},
    {"contrast type",
     [](INivaroCamera &c, uint32_t v) { return c.SetContrastType(static_cast<uint8_t>(v)); },
     [](INivaroCamera &c) { return c.GetContrastType(); }, 1, 1, "SetContrastType(1) -> true",
     "GetContrastType() -> 1"},
    {"NUC enabled as 2",
     [](INivaroCamera &c, uint32_t v) { return c.SetNucEnabled(static_cast<uint8_t>(v)); },
     [](INivaroCamera &c) { return c.GetNucEnabled(); }, 2, 1, "SetNucEnabled(2) -> true",
     "GetNucEnabled() -> true"},
    {"polarity", [](INivaroCamera &c, uint32_t v) { return c.SetPolarity(v != 0); },
     [](INivaroCamera &c) { return c.GetPolarity(); }, 1, 1, "SetPolarity(true) -> true",
     "GetPolarity() -> true"},
    {"horizontal flip", [](INivaroCamera &c, uint32_t v) { return c.SetHorizontalFlip(v != 0); },
     [](INivaroCamera &c) { return c.GetHorizontalFlip(); }, 1, 1,
     "SetHorizontalFlip(true) -> true", "GetHorizontalFlip() -> true"},
    {"vertical flip", [](INivaroCamera &c, uint32_t v) { return c.SetVerticalFlip(v != 0); },
     [](INivaroCamera &c) { return c.GetVerticalFlip(); }, 1, 1, "SetVerticalFlip(true) -> true",
     "GetVerticalFlip() -> true"},
    {"vignetting correction",
     [](INivaroCamera &c, uint32_t v) { return c.SetVignettingCorrection(v != 0); },
     [](INivaroCamera &c) { return c.GetVignettingCorrection(); }, 1, 1,
     "SetVignettingCorrection(true) -> true", "GetVignettingCorrection() -> true"},
    {"column correction",
     [](INivaroCamera &c, uint32_t v) { return c.SetColumnCorrection(v != 0); },
     [](INivaroCamera &c) { return c.GetColumnCorrection(); }, 1, 1,
     "SetColumnCorrection(true) -> true", "GetColumnCorrection() -> true"},
    {"bad-pixel replacement off", [](INivaroCamera &c, uint32_t v) { return c.SetBpr(v != 0); },
     [](INivaroCamera &c) { return c.GetBpr(); }, 0, 0, "SetBpr(false) -> true",
     "GetBpr() -> false"},
    {"offset correction off",
     [](INivaroCamera &c, uint32_t v) { return c.SetOffsetCorrection(v != 0); },
     [](INivaroCamera &c) { return c.GetOffsetCorrection(); }, 0, 0,
     "SetOffsetCorrection(false) -> true", "GetOffsetCorrection() -> false"},
    {"gain correction off",
     [](INivaroCamera &c, uint32_t v) { return c.SetGainCorrection(v != 0); },
     [](INivaroCamera &c) { return c.GetGainCorrection(); }, 0, 0,
     "SetGainCorrection(false) -> true", "GetGainCorrection() -> false"},
};

class RegisterRoundTrip : public SimulatorTest, public ::testing::WithParamInterface<RoundTrip>
{ };

TEST_P(RegisterRoundTrip, valueWrittenIsReadBackAfterReconnecting)
{
    const RoundTrip &row = GetParam();
    INivaroCamera *camera = open("COM3");
    ASSERT_NE(camera, nullptr);
    startTraceHere();
    EXPECT_TRUE(row.set(*camera, row.written));
    disconnect(camera);

    camera = open("COM3");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(row.get(*camera), row.readBack);
    const auto lines = newTraceLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), std::string("camera[COM3].") + row.setTrace);
    EXPECT_EQ(lines.back(), std::string("camera[COM3].") + row.getTrace);
}

INSTANTIATE_TEST_SUITE_P(CameraUnits, RegisterRoundTrip, ::testing::ValuesIn(roundTrips));

class RecordRegisters : public SimulatorTest
{ };

TEST_F(RecordRegisters, zoomIsStoredFieldByField)
{
    INivaroCamera *camera = open("COM3");
    ASSERT_NE(camera, nullptr);
    ASSERT_TRUE(camera->ConfigureZoom({2.5f, 700, 400, 1}));

    nivaro_sdk::ZoomConfig zoom {};
    camera->GetZoom(zoom);
    EXPECT_FLOAT_EQ(zoom.zoomFactor, 2.5f);
    EXPECT_EQ(zoom.centerX, 700);
    EXPECT_EQ(zoom.centerY, 400);
    EXPECT_EQ(zoom.interpolationMethod, 1);
}

TEST_F(RecordRegisters, detectionSettingsAreStoredFieldByField)
{
    INivaroCamera *camera = open("COM3");
    ASSERT_NE(camera, nullptr);
    ASSERT_TRUE(camera->SetIaConfig({4, 100, 0, 100, 3}));

    nivaro_sdk::IaConfig config {};
    ASSERT_TRUE(camera->GetIaConfig(config));
    EXPECT_EQ(config.resizeMode, 4);
    EXPECT_EQ(config.maxBoxes, 100);
    EXPECT_EQ(config.sensitivity, 0);
    EXPECT_EQ(config.iouThreshold, 100);
    EXPECT_EQ(config.outputType, 3);
}

TEST_F(RecordRegisters, nucRequestLeavesTheCorrectionEnabled)
{
    INivaroCamera *camera = open("COM3");
    ASSERT_NE(camera, nullptr);
    ASSERT_TRUE(camera->SetNucEnabled(0));
    EXPECT_TRUE(camera->RequestNuc());
    EXPECT_TRUE(camera->GetNucEnabled());
    EXPECT_EQ(nivaro_sim::registers("COM3").nucEnabled, 2);
}

struct StartValue
{
    const char *name;
    std::function<void(nivaro_sim::ConfigurationValues &)> configure;
    std::function<uint32_t(INivaroCamera &)> read;
    uint32_t expected;
};

void PrintTo(const StartValue &row, std::ostream *out)
{
    *out << row.name;
}

const StartValue startValues[] = {
    {"built-in gamma 1.0", [](auto &) {}, [](INivaroCamera &c) { return c.GetGamma(); }, 65536},
    {"gamma 2.2 rounded to 16.16", [](auto &v) { v.gamma = 2.2; },
     [](INivaroCamera &c) { return c.GetGamma(); }, 144179},
    {"negative gamma saturated", [](auto &v) { v.gamma = -1.0; },
     [](INivaroCamera &c) { return c.GetGamma(); }, 0},
    {"built-in sharpening 1.0", [](auto &) {}, [](INivaroCamera &c) { return c.GetSharpening(); },
     256},
    {"sharpening 1.3 rounded to 8.8", [](auto &v) { v.sharpening = 1.3; },
     [](INivaroCamera &c) { return c.GetSharpening(); }, 333},
    {"contrast strength truncated", [](auto &v) { v.clhe = 1500.9; },
     [](INivaroCamera &c) { return c.GetClhe(); }, 1500},
    {"ROI x1 truncated", [](auto &v) { v.roiX1 = 160.9; },
     [](INivaroCamera &c) { return c.GetRoiX1(); }, 160},
    {"built-in ROI y2", [](auto &) {}, [](INivaroCamera &c) { return c.GetRoiY2(); }, 896},
    {"built-in GFID", [](auto &) {}, [](INivaroCamera &c) { return c.GetGfid(); }, 500},
    {"polarity", [](auto &v) { v.polarity = true; },
     [](INivaroCamera &c) { return c.GetPolarity(); }, 1},
    {"NUC off at power-on", [](auto &) {}, [](INivaroCamera &c) { return c.GetNucEnabled(); }, 0},
    {"bad-pixel replacement on at power-on", [](auto &) {},
     [](INivaroCamera &c) { return c.GetBpr(); }, 1},
};

class NewCameraRegisters : public SimulatorTest, public ::testing::WithParamInterface<StartValue>
{ };

TEST_P(NewCameraRegisters, startFromTheConfigurationDefaults)
{
    GetParam().configure(nivaro_sim::configurationValues());
    INivaroCamera *camera = open("COM5");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(GetParam().read(*camera), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Defaults, NewCameraRegisters, ::testing::ValuesIn(startValues));

TEST_F(RecordRegisters, newCameraRecordsStartFromTheConfigurationDefaults)
{
    auto &values = nivaro_sim::configurationValues();
    values.zoomFactor = 2.0f;
    values.zoomCenterX = 320;
    values.zoomMethod = 1;
    values.iaResizeMode = 3;
    values.iaOutputType = 2;
    INivaroCamera *camera = open("COM5");
    ASSERT_NE(camera, nullptr);
    startTraceHere();

    nivaro_sdk::ZoomConfig zoom {};
    camera->GetZoom(zoom);
    nivaro_sdk::IaConfig config {};
    camera->GetIaConfig(config);
    EXPECT_EQ(newTraceLines(),
              (std::vector<std::string> {
                  "camera[COM5].GetZoom(out {zoomFactor=2, centerX=320, centerY=512, "
                  "interpolationMethod=1})",
                  "camera[COM5].GetIaConfig(out {resizeMode=3, maxBoxes=10, sensitivity=50, "
                  "iouThreshold=50, outputType=2}) -> true"}));
}

} // namespace
