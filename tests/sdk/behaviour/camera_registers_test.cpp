// What the camera stores and answers, in its own units, and what a new camera holds.
#include "log_and_trace.h"
#include "simulator_fixture.h"

#include <algorithm>

using Camera = nivaro_sdk::INivaroCamera;

namespace {

struct RoundTrip
{
    const char *name;
    Setter set;
    Getter get;
    long long written;
    long long readBack;
    const char *setTrace;
    const char *getTrace;

    friend void PrintTo(const RoundTrip &row, std::ostream *out) { *out << row.name; }
};

// A camera value written through SetNAME and read back through GetNAME, with the values as
// the trace shows them.
#define ROUND_TRIP(name, written, readBack, writtenText, readText)                                 \
    {                                                                                              \
#name, setter(&Camera::Set##name), getter(&Camera::Get##name), written, readBack,          \
            "Set" #name "(" writtenText ") -> true", "Get" #name "() -> " readText                 \
    }

const RoundTrip roundTrips[] = {
    ROUND_TRIP(Gamma, 72090, 72090, "72090", "72090"), // 1.1 in 16.16
    ROUND_TRIP(Sharpening, 384, 384, "384", "384"), // 1.5 in 8.8
    ROUND_TRIP(Clhe, 2000, 2000, "2000", "2000"),
    ROUND_TRIP(RoiX1, 300, 300, "300", "300"),
    ROUND_TRIP(RoiX2, 1000, 1000, "1000", "1000"),
    ROUND_TRIP(RoiY1, 100, 100, "100", "100"),
    ROUND_TRIP(RoiY2, 900, 900, "900", "900"),
    ROUND_TRIP(Gsk, 3, 3, "3", "3"),
    ROUND_TRIP(Gfid, 1000, 1000, "1000", "1000"),
    ROUND_TRIP(Gms, 100000, 100000, "100000", "100000"),
    ROUND_TRIP(Tint, 0, 0, "0", "0"),
    ROUND_TRIP(ContrastType, 1, 1, "1", "1"),
    ROUND_TRIP(NucEnabled, 2, 1, "2", "true"), // 2 enables; the getter answers a switch
    ROUND_TRIP(Polarity, 1, 1, "true", "true"),
    ROUND_TRIP(HorizontalFlip, 1, 1, "true", "true"),
    ROUND_TRIP(VerticalFlip, 1, 1, "true", "true"),
    ROUND_TRIP(VignettingCorrection, 1, 1, "true", "true"),
    ROUND_TRIP(ColumnCorrection, 1, 1, "true", "true"),
    ROUND_TRIP(Bpr, 0, 0, "false", "false"), // on at power-on
    ROUND_TRIP(OffsetCorrection, 0, 0, "false", "false"),
    ROUND_TRIP(GainCorrection, 0, 0, "false", "false"),
};
#undef ROUND_TRIP

using RegisterRoundTrip = WithRows<SimulatorTest, RoundTrip>;

// A script may make the same setter refuse: its name is one of those a script may name.
TEST_P(RegisterRoundTrip, valueWrittenIsReadBackAfterReconnectingUnlessItsSetterIsRefused)
{
    const RoundTrip &row = GetParam();
    Camera &camera = open("COM3");
    const std::size_t mark = nivaro_sim::traceLineCount();
    EXPECT_TRUE(row.set(camera, row.written));
    disconnect();

    EXPECT_EQ(row.get(open("COM3")), row.readBack);
    const auto lines = nivaro_sim::traceLines(mark);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), std::string("camera[COM3].") + row.setTrace);
    EXPECT_EQ(lines.back(), std::string("camera[COM3].") + row.getTrace);

    const std::string setterName(row.setTrace, std::string(row.setTrace).find('('));
    nivaro_sim::CameraScript refusing;
    refusing.refusedSetters = {setterName};
    nivaro_sim::scriptPort("COM4", refusing);
    EXPECT_FALSE(row.set(open("COM4"), row.written));
    const auto &refusable = nivaro_sim::refusableSetters();
    EXPECT_NE(std::find(refusable.begin(), refusable.end(), setterName), refusable.end());
}

INSTANTIATE_TEST_SUITE_P(CameraUnits, RegisterRoundTrip, ::testing::ValuesIn(roundTrips));

using RecordRegisters = SimulatorTest;

TEST_F(RecordRegisters, nucRequestLeavesTheCorrectionEnabled)
{
    Camera &camera = open("COM3");
    ASSERT_TRUE(camera.SetNucEnabled(0));
    EXPECT_TRUE(camera.RequestNuc());
    EXPECT_TRUE(camera.GetNucEnabled());
    EXPECT_EQ(nivaro_sim::registers("COM3").nucEnabled, 2);
}

struct StartValue
{
    const char *name;
    std::function<void(nivaro_sim::ConfigurationValues &)> configure;
    Getter read;
    long long expected;

    friend void PrintTo(const StartValue &row, std::ostream *out) { *out << row.name; }
};

const StartValue startValues[] = {
    {"built-in gamma 1.0", [](auto &) {}, getter(&Camera::GetGamma), 65536},
    {"gamma 2.2 rounded to 16.16", [](auto &v) { v.gamma = 2.2; }, getter(&Camera::GetGamma),
     144179},
    {"negative gamma saturated", [](auto &v) { v.gamma = -1.0; }, getter(&Camera::GetGamma), 0},
    {"built-in sharpening 1.0", [](auto &) {}, getter(&Camera::GetSharpening), 256},
    {"sharpening 1.3 rounded to 8.8", [](auto &v) { v.sharpening = 1.3; },
     getter(&Camera::GetSharpening), 333},
    {"contrast strength truncated", [](auto &v) { v.clhe = 1500.9; }, getter(&Camera::GetClhe),
     1500},
    {"ROI x1 truncated", [](auto &v) { v.roiX1 = 160.9; }, getter(&Camera::GetRoiX1), 160},
    {"built-in ROI y2", [](auto &) {}, getter(&Camera::GetRoiY2), 896},
    {"built-in GFID", [](auto &) {}, getter(&Camera::GetGfid), 500},
    {"polarity", [](auto &v) { v.polarity = true; }, getter(&Camera::GetPolarity), 1},
    {"NUC off at power-on", [](auto &) {}, getter(&Camera::GetNucEnabled), 0},
    {"bad-pixel replacement on at power-on", [](auto &) {}, getter(&Camera::GetBpr), 1},
};

using NewCameraRegisters = WithRows<SimulatorTest, StartValue>;

TEST_P(NewCameraRegisters, startFromTheConfigurationDefaults)
{
    GetParam().configure(nivaro_sim::configurationValues());
    Camera &camera = open("COM5");
    EXPECT_EQ(GetParam().read(camera), GetParam().expected);
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
    Camera &camera = open("COM5");
    const std::size_t mark = nivaro_sim::traceLineCount();

    nivaro_sdk::ZoomConfig zoom {};
    camera.GetZoom(zoom);
    nivaro_sdk::IaConfig config {};
    camera.GetIaConfig(config);
    EXPECT_EQ(nivaro_sim::traceLines(mark),
              (std::vector<std::string> {
                  "camera[COM5].GetZoom(out {zoomFactor=2, centerX=320, centerY=512, "
                  "interpolationMethod=1})",
                  "camera[COM5].GetIaConfig(out {resizeMode=3, maxBoxes=10, sensitivity=50, "
                  "iouThreshold=50, outputType=2}) -> true"}));
}

} // namespace
