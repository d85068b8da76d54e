#include "parameters/parameterboxes.h"

#include "parameters/boxpresenter.h"

namespace parameterboxes {

void showCameraNotConnected(BoxPresenter &boxes, const std::string &portName)
{
    boxes.about(windowText("Camera not connected"),
                windowText("Unable to connect to %1").arg(QString::fromStdString(portName)));
}

} // namespace parameterboxes
