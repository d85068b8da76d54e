#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

#include <utility>

void MainWindow::setPortSource(PortSource source)
{
    portSource = std::move(source);
}

void MainWindow::scanDevice()
{
    portList = portSource();
    ui->selectDeviceComboBox->clear();
    if (portList.isEmpty()) {
        QMessageBox::warning(
            this, QString(),
            QStringLiteral("No COM port found!\nPlease, plug a COM port ans scan again."));
        return;
    }
    ui->selectDeviceComboBox->addItems(portList);
    ui->connectDeviceButton->setEnabled(true);
    ui->selectDeviceComboBox->setEnabled(true);
}
