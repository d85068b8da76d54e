#include "parameters/parameterboxes.h"

#include "ui/mainwindow.h"

#include <QMessageBox>

namespace parameterboxes {

void showCameraNotConnected(QWidget *parent, const std::string &portName)
{
    QMessageBox::about(
        parent, MainWindow::tr("Camera not connected"),
        MainWindow::tr("Unable to connect to %1").arg(QString::fromStdString(portName)));
}

bool confirmReset(const QString &question)
{
    QMessageBox box;
    box.setText(question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace parameterboxes
