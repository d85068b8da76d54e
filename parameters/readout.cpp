#include "parameters/readout.h"

#include "parameters/formstates.h"
#include "ui/mainwindow.h"

#include <QCheckBox>

namespace readout {

void showSwitch(MainWindow &window, QCheckBox *box, bool on, const char *label, SwitchFormat format)
{
    box->setCheckState(formstates::checkStateFor(on));
    window.AddLog(label + format(on));
}

} // namespace readout
