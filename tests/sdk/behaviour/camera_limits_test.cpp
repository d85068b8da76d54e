// A value outside the sensor's limits is refused and the register keeps its value.
#include "simulator_fixture.h"
#include "trace_format.h"

#include <cmath>
#include <functional>
#include <limits>

using nivaro_sdk::INivaroCamera;
using nivaro_sim::Registers;
using nivaro_sim::traceText;

namespace {

struct Limit
{
    const char *name;
    std::function<bool(INivaroCamera &, long long)> set;
    std::function<long long(const Registers &)> held;
    std::vector<long long> accepted; // the limits themselves
    std::vector<long long> refused; // just beyond them
};

void PrintTo(const Limit &row, std::ostream *out)
{
    *out << row.name;
}

const Limit limits[] = {
    {"ROI x1",
     [](INivaroCamera &c, long long v) { return c.SetRoiX1(static_cast<uint32_t>(v)); },
     [](const Registers &r) { return r.roiX1; },
     {5, 1275},
     {4, 1276, 0}},
    {"ROI x2",
     [](INivaroCamera &c, long long v) { return c.SetRoiX2(static_cast<uint32_t>(v)); },
     [](const Registers &r) { return r.roiX2; },
     {5, 1275},
     {4, 1276}},
    {"ROI y1",
     [](INivaroCamera &c, long long v) { return c.SetRoiY1(static_cast<uint32_t>(v)); },
     [](const Registers &r) { return r.roiY1; },
     {5, 1019},
     {4, 1020}},
    {"ROI y2",
     [](INivaroCamera &c, long long v) { return c.SetRoiY2(static_cast<uint32_t>(v)); },
     [](const Registers &r) { return r.roiY2; },
     {5, 1019},
     {4, 1020}},
    {"GSK",
     [](INivaroCamera &c, long long v) { return c.SetGsk(static_cast<int32_t>(v)); },
     [](const Registers &r) { return r.gsk; },
     {1, 3},
     {0, 4, -1}},
    {"GFID",
     [](INivaroCamera &c, long long v) { return c.SetGfid(static_cast<int32_t>(v)); },
     [](const Registers &r) { return r.gfid; },
     {0, 1000},
     {-1, 1001}},
    {"GMS",
     [](INivaroCamera &c, long long v) { return c.SetGms(static_cast<int32_t>(v)); },
     [](const Registers &r) { return r.gms; },
     {0, 100000},
     {-1, 100001}},
    {"TINT",
     [](INivaroCamera &c, long long v) { return c.SetTint(static_cast<int32_t>(v)); },
     [](const Registers &r) { return r.tint; },
     {0, 2},
     {-1, 3}},
    {"contrast type",
     [](INivaroCamera &c, long long v) { return c.SetContrastType(static_cast<uint8_t>(v)); },
     [](const Registers &r) { return r.contrastType; },
     {0, 1},
     {2, 255}},
    {"NUC enable",
     [](INivaroCamera &c, long long v) { return c.SetNucEnabled(static_cast<uint8_t>(v)); },
     [](const Registers &r) { return r.nucEnabled; },
     {2, 0},
     {1, 3}},
    {"zoom factor in hundredths",
     [](INivaroCamera &c, long long v) {
         return c.ConfigureZoom({static_cast<float>(v) / 100.0f, 640, 512, 0});
     },
     [](const Registers &r) { return std::lround(r.zoom.zoomFactor * 100.0f); },
     {100, 800},
     {99, 801, 0}},
    {"zoom interpolation method",
     [](INivaroCamera &c, long long v) {
         return c.ConfigureZoom({1.0f, 640, 512, static_cast<uint8_t>(v)});
     },
     [](const Registers &r) { return r.zoom.interpolationMethod; },
     {0, 1},
     {2}},
    {"IA resize mode",
     [](INivaroCamera &c, long long v) {
         return c.SetIaConfig({static_cast<uint8_t>(v), 10, 50, 50, 0});
     },
     [](const Registers &r) { return r.ia.resizeMode; },
     {0, 4},
     {5}},
    {"IA maximum boxes",
     [](INivaroCamera &c, long long v) {
         return c.SetIaConfig({1, static_cast<uint8_t>(v), 50, 50, 0});
     },
     [](const Registers &r) { return r.ia.maxBoxes; },
     {0, 100},
     {101}},
    {"IA sensitivity",
     [](INivaroCamera &c, long long v) {
         return c.SetIaConfig({1, 10, static_cast<uint8_t>(v), 50, 0});
     },
     [](const Registers &r) { return r.ia.sensitivity; },
     {0, 100},
     {101}},
    {"IA intersection over union",
     [](INivaroCamera &c, long long v) {
         return c.SetIaConfig({1, 10, 50, static_cast<uint8_t>(v), 0});
     },
     [](const Registers &r) { return r.ia.iouThreshold; },
     {0, 100},
     {101}},
    {"IA output type",
     [](INivaroCamera &c, long long v) {
         return c.SetIaConfig({1, 10, 50, 50, static_cast<uint8_t>(v)});
     },
     [](const Registers &r) { return r.ia.outputType; },
     {0, 3},
     {4}},
};

class SensorLimit : public SimulatorTest, public ::testing::WithParamInterface<Limit>
{ };

TEST_P(SensorLimit, valueBeyondTheLimitIsRefusedAndTheOldValueStays)
{
    const Limit &row = GetParam();
    INivaroCamera *camera = open("COM3");
    ASSERT_NE(camera, nullptr);
    for (const long long value : row.accepted) {
        EXPECT_TRUE(row.set(*camera, value)) << value;
        EXPECT_EQ(row.held(nivaro_sim::registers("COM3")), value);
    }
    const long long lastAccepted = row.accepted.back();
    for (const long long value : row.refused) {
        EXPECT_FALSE(row.set(*camera, value)) << value;
        EXPECT_EQ(row.held(nivaro_sim::registers("COM3")), lastAccepted) << value;
        EXPECT_NE(nivaro_sim::traceLines().back().find(" -> false"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Camera, SensorLimit, ::testing::ValuesIn(limits));

class RoiCorners : public SimulatorTest
{ };

TEST_F(RoiCorners, eachCornerIsCheckedAgainstTheSensorOnly)
{
    INivaroCamera *camera = open("COM3");
    ASSERT_NE(camera, nullptr);
    ASSERT_TRUE(camera->SetRoiX2(5));
    ASSERT_TRUE(camera->SetRoiY2(5));
    EXPECT_TRUE(camera->SetRoiX1(1275));
    EXPECT_TRUE(camera->SetRoiY1(1019));
    const Registers held = nivaro_sim::registers("COM3");
    EXPECT_EQ(held.roiX1, 1275u);
    EXPECT_EQ(held.roiY1, 1019u);
}

class ExpertBounds : public SimulatorTest
{ };

TEST_F(ExpertBounds, followTheConfigurationObjectAsItStandsAtTheCall)
{
    INivaroCamera *camera = open("COM3");
    ASSERT_NE(camera, nullptr);
    EXPECT_FALSE(camera->SetGfid(2000));
    nivaro_sim::configuration().gfidMax = 4000;
    EXPECT_TRUE(camera->SetGfid(2000));
    EXPECT_EQ(camera->GetGfid(), 2000u);
}

// A record with one field beyond its limit is refused as a whole: no other field of it
// may reach the register, so each refused record differs from the stored one everywhere.
class WholeRecord : public SimulatorTest
{ };

TEST_F(WholeRecord, zoomWithOneFieldBeyondItsLimitIsRefusedEntirely)
{
    INivaroCamera *camera = open("COM3");
    ASSERT_NE(camera, nullptr);
    const nivaro_sdk::ZoomConfig stored {2.5f, 700, 400, 1};
    ASSERT_TRUE(camera->ConfigureZoom(stored));
    const nivaro_sdk::ZoomConfig refused[] = {
        {0.5f, 100, 200, 0},
        {8.5f, 100, 200, 0},
        {std::numeric_limits<float>::quiet_NaN(), 100, 200, 0},
        {3.0f, 100, 200, 2},
    };
    for (const auto &record : refused) {
        SCOPED_TRACE(traceText(record));
        ASSERT_TRUE(!(record.zoomFactor == stored.zoomFactor) && record.centerX != stored.centerX
                    && record.centerY != stored.centerY
                    && record.interpolationMethod != stored.interpolationMethod);
        EXPECT_FALSE(camera->ConfigureZoom(record));
        EXPECT_EQ(traceText(nivaro_sim::registers("COM3").zoom), traceText(stored));
    }
}

TEST_F(WholeRecord, detectionSettingsWithOneFieldBeyondItsLimitAreRefusedEntirely)
{
    INivaroCamera *camera = open("COM3");
    ASSERT_NE(camera, nullptr);
    const nivaro_sdk::IaConfig stored {4, 90, 80, 70, 3};
    ASSERT_TRUE(camera->SetIaConfig(stored));
    const nivaro_sdk::IaConfig refused[] = {
        {5, 10, 20, 30, 1},  {0, 101, 20, 30, 1}, {0, 10, 101, 30, 1},
        {0, 10, 20, 101, 1}, {0, 10, 20, 30, 4},
    };
    for (const auto &record : refused) {
        SCOPED_TRACE(traceText(record));
        ASSERT_TRUE(record.resizeMode != stored.resizeMode && record.maxBoxes != stored.maxBoxes
                    && record.sensitivity != stored.sensitivity
                    && record.iouThreshold != stored.iouThreshold
                    && record.outputType != stored.outputType);
        EXPECT_FALSE(camera->SetIaConfig(record));
        EXPECT_EQ(traceText(nivaro_sim::registers("COM3").ia), traceText(stored));
    }
}

} // namespace
