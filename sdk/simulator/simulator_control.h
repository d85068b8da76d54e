#pragma once

// Scripting of the simulated camera SDK, for tests and demos in the same process.
// Not part of the camera maker's interfaces and not exported from the shared library.

#include "camera_parameters.h"
#include "nivaro_config.h"

#include <cstddef>
#include <string>
#include <vector>

namespace nivaro_sim {

// The setters a script may make refuse ("SetGamma", "ConfigureZoom", …): one per register.
const std::vector<std::string> &refusableSetters();

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

// reset(), then a configuration applied as if read from a file at start.
void useConfiguration(const Configuration &configuration);

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
