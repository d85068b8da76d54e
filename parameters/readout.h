#pragma once

#include <string>

class MainWindow;
class QCheckBox;

namespace readout {

using SwitchFormat = std::string (*)(bool);

// A switch read from the camera: checked or unchecked in the form, then one log line.
void showSwitch(MainWindow &window, QCheckBox *box, bool on, const char *label,
                SwitchFormat format);

} // namespace readout
