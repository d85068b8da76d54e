#include "parameters/readout.h"

#include "parameters/formstates.h"
#include "parameters/logsink.h"

#include <QCheckBox>

namespace readout {

void showSwitch(LogSink &log, QCheckBox *box, bool on, const char *label, SwitchFormat format)
{
    box->setCheckState(formstates::checkStateFor(on));
    log.add(label + format(on));
}

} // namespace readout
