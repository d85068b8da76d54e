#pragma once

#include "nivaro_sdk.h"
#include "scripted_cameras.h"
#include "simulator_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Every case starts from a fresh simulator, as a new process would.
class SimulatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        nivaro_sim::reset();
        program.traceLines = [] { return nivaro_sim::traceLines(); };
        program.logRecords = [] { return nivaro_sim::logRecords(); };
        program.registers = [](const std::string &port) { return nivaro_sim::registers(port); };
    }

    static nivaro_sdk::INivaroSdk &sdk() { return *nivaro_sdk::NivaroSdk::get_instance(); }
    // Opens the camera on a port as the program does; the case fails when none answers.
    nivaro_sdk::INivaroCamera &open(const char *port) { return program.open(port); }
    // Closes the camera opened last and releases its connection.
    void disconnect() { program.disconnect(); }

    // Reads the simulator's trace, log and registers.
    Program program;
};

// Camera operations and registers as table columns, every value carried as a long long.
using Setter = std::function<bool(nivaro_sdk::INivaroCamera &, long long)>;
using Getter = std::function<long long(nivaro_sdk::INivaroCamera &)>;
using Held = std::function<long long(const nivaro_sim::Registers &)>;

template<typename Value> Setter setter(bool (nivaro_sdk::INivaroCamera::*set)(Value))
{
    return [set](nivaro_sdk::INivaroCamera &camera, long long value) {
        return (camera.*set)(static_cast<Value>(value));
    };
}

template<typename Result> Getter getter(Result (nivaro_sdk::INivaroCamera::*get)())
{
    return [get](nivaro_sdk::INivaroCamera &camera) {
        return static_cast<long long>((camera.*get)());
    };
}

template<typename Value> Held held(Value nivaro_sim::Registers::*member)
{
    return [member](const nivaro_sim::Registers &registers) {
        return static_cast<long long>(registers.*member);
    };
}
