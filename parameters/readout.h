#pragma once

#include <string>

class LogSink;
class QCheckBox;

namespace readout {

using SwitchFormat = std::string (*)(bool);

// A switch read from the camera: checked or unchecked in the form, then one log line.
void showSwitch(LogSink &log, QCheckBox *box, bool on, const char *label, SwitchFormat format);

} // namespace readout
