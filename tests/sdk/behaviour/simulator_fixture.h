#pragma once

#include "nivaro_sdk.h"
#include "simulator_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Every case starts from a fresh simulator, as a new process would.
class SimulatorTest : public ::testing::Test
{
protected:
    void SetUp() override;

    static nivaro_sdk::INivaroSdk &sdk();
    // Opens the camera on a port through a connection of its own; null when none answers.
    nivaro_sdk::INivaroCamera *open(const std::string &port);
    // Closes the camera and releases its connection, as the program's disconnection does.
    void disconnect(nivaro_sdk::INivaroCamera *camera);
    // Trace lines made from now on.
    void startTraceHere();
    std::vector<std::string> newTraceLines() const;

private:
    std::vector<std::pair<nivaro_sdk::INivaroConnection *, nivaro_sdk::INivaroCamera *>> opened;
    size_t traceStart = 0;
};
