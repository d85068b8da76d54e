#include "simulator_fixture.h"

#include <algorithm>

void SimulatorTest::SetUp()
{
    nivaro_sim::reset();
}

nivaro_sdk::INivaroSdk &SimulatorTest::sdk()
{
    return *nivaro_sdk::NivaroSdk::get_instance();
}

nivaro_sdk::INivaroCamera *SimulatorTest::open(const std::string &port)
{
    auto *connection = sdk().CreateConnection();
    auto *camera = connection->OpenCamera(port.c_str());
    opened.emplace_back(connection, camera);
    return camera;
}

void SimulatorTest::disconnect(nivaro_sdk::INivaroCamera *camera)
{
    const auto held = std::find_if(opened.begin(), opened.end(),
                                   [camera](const auto &pair) { return pair.second == camera; });
    ASSERT_NE(held, opened.end());
    held->first->CloseCamera(camera);
    sdk().ReleaseConnection(&held->first);
    opened.erase(held);
}

void SimulatorTest::startTraceHere()
{
    traceStart = nivaro_sim::traceLineCount();
}

std::vector<std::string> SimulatorTest::newTraceLines() const
{
    return nivaro_sim::traceLines(traceStart);
}
