#include "simulator_fixture.h"

void SimulatorTest::SetUp()
{
    nivaro_sim::reset();
    program.traceLines = [] { return nivaro_sim::traceLines(); };
    program.logRecords = [] { return nivaro_sim::logRecords(); };
    program.registers = [](const std::string &port) { return nivaro_sim::registers(port); };
}

nivaro_sdk::INivaroSdk &SimulatorTest::sdk()
{
    return *nivaro_sdk::NivaroSdk::get_instance();
}
