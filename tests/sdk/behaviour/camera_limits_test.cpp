// A value outside the sensor's limits is refused and the register keeps its value.
#include "log_and_trace.h"
#include "simulator_fixture.h"

#include <cmath>
#include <functional>
#include <limits>

using nivaro_sim::Registers;
using nivaro_sim::traceText;

using Camera = nivaro_sdk::INivaroCamera;

namespace {

struct Limit
{
    const char *name;
    Setter set;
    Held held;
    std::vector<long long> accepted; // the limits themselves
    std::vector<long long> refused; // just beyond them

    friend void PrintTo(const Limit &row, std::ostream *out) { *out << row.name; }
};

// One field of the detection settings, from 0 to its maximum, set with the others at their
// power-on values.
Limit iaLimit(const char *name, uint8_t nivaro_sdk::IaConfig::*field, long long maximum)
{
    return {name,
            [field](Camera &c, long long v) {
                nivaro_sdk::IaConfig config {1, 10, 50, 50, 0};
                config.*field = static_cast<uint8_t>(v);
                return c.SetIaConfig(config);
            },
            [field](const Registers &r) { return r.ia.*field; },
            {0, maximum},
            {maximum + 1}};
}

// The other corner of the ROI stays at its start (x1 160, y1 128, x2 1120, y2 896), so each
// corner's limits cross it: a corner is held to the sensor alone, never to the opposite one.
// The Expert registers are held to the configuration object's bounds as they stand at the call.
const Limit limits[] = {
    {"ROI x1", setter(&Camera::SetRoiX1), held(&Registers::roiX1), {5, 1275}, {4, 1276, 0}},
    {"ROI x2", setter(&Camera::SetRoiX2), held(&Registers::roiX2), {5, 1275}, {4, 1276}},
    {"ROI y1", setter(&Camera::SetRoiY1), held(&Registers::roiY1), {5, 1019}, {4, 1020}},
    {"ROI y2", setter(&Camera::SetRoiY2), held(&Registers::roiY2), {5, 1019}, {4, 1020}},
    {"GSK", setter(&Camera::SetGsk), held(&Registers::gsk), {1, 3}, {0, 4, -1}},
    {"GFID", setter(&Camera::SetGfid), held(&Registers::gfid), {0, 1000}, {-1, 1001}},
    {"GMS", setter(&Camera::SetGms), held(&Registers::gms), {0, 100000}, {-1, 100001}},
    {"TINT", setter(&Camera::SetTint), held(&Registers::tint), {0, 2}, {-1, 3}},
    {"GFID with its maximum raised beyond the built-in 1000",
     [](Camera &c, long long v) {
         nivaro_sim::configuration().gfidMax = 4000;
         return c.SetGfid(static_cast<int32_t>(v));
     },
     held(&Registers::gfid),
     {2000, 4000},
     {4001}},
    {"contrast type",
     setter(&Camera::SetContrastType),
     held(&Registers::contrastType),
     {0, 1},
     {2, 255}},
    {"NUC enable", setter(&Camera::SetNucEnabled), held(&Registers::nucEnabled), {2, 0}, {1, 3}},
    {"zoom factor in hundredths",
     [](Camera &c, long long v) {
         return c.ConfigureZoom({static_cast<float>(v) / 100.0f, 640, 512, 0});
     },
     [](const Registers &r) { return std::lround(r.zoom.zoomFactor * 100.0f); },
     {100, 800},
     {99, 801, 0}},
    {"zoom interpolation method",
     [](Camera &c, long long v) {
         return c.ConfigureZoom({1.0f, 640, 512, static_cast<uint8_t>(v)});
     },
     [](const Registers &r) { return r.zoom.interpolationMethod; },
     {0, 1},
     {2}},
    iaLimit("IA resize mode", &nivaro_sdk::IaConfig::resizeMode, 4),
    iaLimit("IA maximum boxes", &nivaro_sdk::IaConfig::maxBoxes, 100),
    iaLimit("IA sensitivity", &nivaro_sdk::IaConfig::sensitivity, 100),
    iaLimit("IA intersection over union", &nivaro_sdk::IaConfig::iouThreshold, 100),
    iaLimit("IA output type", &nivaro_sdk::IaConfig::outputType, 3),
};

using SensorLimit = WithRows<SimulatorTest, Limit>;

TEST_P(SensorLimit, valueBeyondTheLimitIsRefusedAndTheOldValueStays)
{
    const Limit &row = GetParam();
    Camera &camera = open("COM3");
    for (const long long value : row.accepted) {
        EXPECT_TRUE(row.set(camera, value)) << value;
        EXPECT_EQ(row.held(nivaro_sim::registers("COM3")), value);
    }
    const long long lastAccepted = row.accepted.back();
    for (const long long value : row.refused) {
        EXPECT_FALSE(row.set(camera, value)) << value;
        EXPECT_EQ(row.held(nivaro_sim::registers("COM3")), lastAccepted) << value;
        EXPECT_NE(nivaro_sim::traceLines().back().find(" -> false"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Camera, SensorLimit, ::testing::ValuesIn(limits));

// A record with one field beyond its limit is refused as a whole: no other field of it
// may reach the register, so each refused record differs from the stored one everywhere.
template<typename Record>
void expectRefusedWhole(Camera &camera, bool (Camera::*set)(const Record &),
                        Record Registers::*held, const Record &stored,
                        const std::vector<Record> &refused)
{
    ASSERT_TRUE((camera.*set)(stored));
    for (const Record &record : refused) {
        SCOPED_TRACE(traceText(record));
        const auto fields = fieldValues(record);
        const auto storedFields = fieldValues(stored);
        for (std::size_t field = 0; field < fields.size(); ++field) {
            ASSERT_FALSE(fields[field] == storedFields[field]) << "field " << field;
        }
        EXPECT_FALSE((camera.*set)(record));
        EXPECT_EQ(traceText(nivaro_sim::registers("COM3").*held), traceText(stored));
    }
}

using WholeRecord = SimulatorTest;

TEST_F(WholeRecord, recordWithOneFieldBeyondItsLimitIsRefusedEntirely)
{
    Camera &camera = open("COM3");
    constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();
    expectRefusedWhole(
        camera, &Camera::ConfigureZoom, &Registers::zoom, {2.5f, 700, 400, 1},
        {{0.5f, 100, 200, 0}, {8.5f, 100, 200, 0}, {notANumber, 100, 200, 0}, {3.0f, 100, 200, 2}});
    expectRefusedWhole(camera, &Camera::SetIaConfig, &Registers::ia, {4, 90, 80, 70, 3},
                       {{5, 10, 20, 30, 1},
                        {0, 101, 20, 30, 1},
                        {0, 10, 101, 30, 1},
                        {0, 10, 20, 101, 1},
                        {0, 10, 20, 30, 4}});
}

} // namespace
