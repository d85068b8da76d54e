#include "parameters/formstates.h"

#include <QCheckBox>

namespace formstates {

Qt::CheckState checkStateFor(bool on)
{
    return on ? Qt::Checked : Qt::Unchecked;
}

bool isChecked(const QCheckBox *box)
{
    return box->checkState() == Qt::Checked;
}

bool isNotUnchecked(const QCheckBox *box)
{
    return box->checkState() != Qt::Unchecked;
}

uint8_t nucState(const QCheckBox *box)
{
    constexpr uint8_t enabled = 2;
    constexpr uint8_t disabled = 0;
    return isNotUnchecked(box) ? enabled : disabled;
}

} // namespace formstates
