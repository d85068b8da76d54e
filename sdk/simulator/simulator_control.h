#pragma once

// Scripting of the simulated camera SDK, for tests and demos in the same process.
// Not part of the camera maker's interfaces and not exported from the shared library.

#include "camera_parameters.h"
#include "nivaro_config.h"
#include "nivaro_records.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace nivaro_sim {

// What a camera's registers hold, in the camera's own units.
struct Registers
{
#define NIVARO_SIM_REGISTER(type, key, setter, powerOn) type key = powerOn;
    NIVARO_SIM_REGISTERS(NIVARO_SIM_REGISTER)
#undef NIVARO_SIM_REGISTER
};

// The setters a script may make refuse ("SetGamma", "ConfigureZoom", …): one per register.
const std::vector<std::string> &refusableSetters();

// How the camera on one port behaves; every field has the camera's normal answer as default.
struct CameraScript
{
    bool present = true; // false: OpenCamera answers null
    uint8_t cameraType = 12;
    uint16_t riscvVersion = 0x1230;
    uint16_t fpgaVersion = 0x04A0;
    bool typeQueryFails = false;
    bool silent = false; // silent from the start
    long silentAfterCalls = -1; // silent once this many operations were made; -1 never
    std::set<std::string> refusedSetters; // operation names such as "SetGfid"
    bool iaReadFails = false;
    bool nucRequestFails = false;
    unsigned latencyMs = 0;
    bool hasInitialRegisters = false; // false: registers start at the configuration's defaults
    Registers initialRegisters;
};

// What the configuration object answers; the object reads these live, so a test may
// change them at any time. Defaults suit the program's form.
struct ConfigurationValues
{
    std::string linkType = "UART";
    bool linkTypeIsNull = false; // GetLinkType answers a null pointer
    bool expertMode = true;
#define NIVARO_SIM_DEFAULT(type, key, getter, builtIn, ...) type key = builtIn;
    NIVARO_SIM_DEFAULTS(NIVARO_SIM_DEFAULT)
#undef NIVARO_SIM_DEFAULT
};

struct LogRecord
{
    int severity = 0;
    std::string text;
};

// Back to the state of a new process: built-in configuration (the NIVARO_SDK_CONFIG
// file is not read again), no scripted ports, no cameras, empty log and trace memory.
void reset();

// reset(), then the configuration file read as if NIVARO_SDK_CONFIG named it at start:
// its port scripts and values apply, and the problem lines it gives are answered (they
// are not written to standard error).
std::vector<std::string> loadConfigurationFile(const std::string &path);

// The answers of the one configuration object GetConfig() hands out.
ConfigurationValues &configurationValues();

// That object itself, for its public current-value and bound members.
nivaro_sdk::INivaroConfig &configuration();

// Scripts the camera on a port; takes effect for cameras opened afterwards and
// forgets the registers a previous camera on that port held.
void scriptPort(const std::string &port, const CameraScript &script);

// The registers of the camera on a port as they stand (default registers when none was opened).
Registers registers(const std::string &port);

// The records the process sent to SDKLogger since the last reset, oldest first, after the
// first `since` of them. Only the latest 4096 are kept, so that a long session's memory is
// its log pane's alone: mark a point with logRecordCount() and read what came after it.
std::vector<LogRecord> logRecords(std::size_t since = 0);
// How many records there were since the last reset, the ones no longer kept included.
std::size_t logRecordCount();

// The same for the lines of the call trace, in the trace file's format.
std::vector<std::string> traceLines(std::size_t since = 0);
std::size_t traceLineCount();

// Each use of a camera after CloseCamera or of a connection after ReleaseConnection since
// the last reset, as "camera[COM3].GetGamma after CloseCamera" or
// "sdk.ReleaseConnection(&connection#1) after ReleaseConnection" (the latest 4096).
std::vector<std::string> usesAfterHandBack();

} // namespace nivaro_sim
