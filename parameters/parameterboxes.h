#pragma once

#include <string>

class QString;
class QWidget;

// The boxes that more than one parameter operation shows.
namespace parameterboxes {

// Told when a read finds no camera, or a camera that does not answer.
void showCameraNotConnected(QWidget *parent, const std::string &portName);

// The parentless Yes/No question before a Reset; true only for Yes.
bool confirmReset(const QString &question);

} // namespace parameterboxes
