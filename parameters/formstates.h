#pragma once

#include <QtCore/qnamespace.h>

#include <cstdint>

class QCheckBox;

// How the form's check boxes map to the camera's switches and back.
namespace formstates {

Qt::CheckState checkStateFor(bool on);

// Some switches count only a fully checked box as on, others anything but unchecked.
bool isChecked(const QCheckBox *box);
bool isNotUnchecked(const QCheckBox *box);

// The camera's NUC switch takes 2 for enabled and 0 for disabled.
uint8_t nucState(const QCheckBox *box);

} // namespace formstates
