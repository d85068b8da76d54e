#pragma once

#include <string>

class BoxPresenter;

namespace parameterboxes {

// Told when a read finds no camera, or a camera that does not answer.
void showCameraNotConnected(BoxPresenter &boxes, const std::string &portName);

} // namespace parameterboxes
