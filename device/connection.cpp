#include "nivaro_sdk.h"
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

namespace {

constexpr uint8_t typeWithDetection = 12;

void showInvalidCommunication(MainWindow *window)
{
    QMessageBox::about(window, MainWindow::tr("Invalid communication"),
                       MainWindow::tr("Select an other serial port"));
}

} // namespace

void MainWindow::connectDevice()
{
    nivaro_sdk::INivaroConfig *config = nivaro_sdk::NivaroSdk::get_instance()->GetConfig();
    if (!openSerialPort(ui->selectDeviceComboBox->currentText().toStdString()))
        return;

    if (!camera->GetCameraType(cameraType)) {
        AddLog("No camera type found");
        disconnectDevice();
        return;
    }

    // A camera that does not answer the first read stays held, and the connection bar
    // stays as it was so that the user can try again.
    if (ReadParamsUser()) {
        ui->scanDeviceButton->setEnabled(false);
        ui->selectDeviceComboBox->setEnabled(false);
        ui->connectDeviceButton->setEnabled(false);
        ui->disconnectDeviceButton->setEnabled(true);
        ui->resetParamButtonUser->setEnabled(true);
        ui->applyParamsButtonUser->setEnabled(true);
        ui->readParamButtonUser->setEnabled(true);
        ui->UserMode->setEnabled(true);
    }
    InitParamsExpert();
    if (config->IsExpertModeEnabled())
        ReadParamsExpert();

    if (cameraType == typeWithDetection) {
        ReadParamsIA();
        ui->IAControl->setEnabled(true);
    } else {
        // Looked up by page, not by position: after the Expert tab or an earlier removal,
        // a fixed index would take the wrong tab.
        const int iaTab = ui->tabWidget->indexOf(ui->IAControl);
        if (iaTab != -1)
            ui->tabWidget->removeTab(iaTab);
    }
}

bool MainWindow::openSerialPort(std::string name)
{
    nivaro_sdk::INivaroSdk *sdk = nivaro_sdk::NivaroSdk::get_instance();
    // A closed library may answer no text at all; that is no "UART" either.
    const char *answeredLinkType = sdk->GetConfig()->GetLinkType();
    const std::string linkType = answeredLinkType ? answeredLinkType : "";
    if (linkType != "UART") {
        showInvalidCommunication(this);
        return false;
    }

    portName = std::move(name);
    AddLog("ALTERNATIVE SERIAL PORT : " + portName);

    releaseHeldCamera();
    connection = sdk->CreateConnection();
    camera = connection->OpenCamera(portName.c_str());
    if (camera)
        return true;
    showInvalidCommunication(this);
    return false;
}

void MainWindow::disconnectDevice()
{
    releaseHeldCamera();

    ui->scanDeviceButton->setEnabled(true);
    ui->selectDeviceComboBox->setEnabled(true);
    ui->connectDeviceButton->setEnabled(true);
    ui->disconnectDeviceButton->setEnabled(false);
    ui->applyParamsButtonUser->setEnabled(false);
    ui->resetParamButtonUser->setEnabled(false);
    ui->readParamButtonUser->setEnabled(false);
    ui->UserMode->setEnabled(false);
    ui->IAControl->setEnabled(false);
}

void MainWindow::releaseHeldCamera()
{
    // An earlier attempt may have left a connection without a camera (OpenCamera gave null).
    if (camera)
        connection->CloseCamera(camera);
    if (connection)
        nivaro_sdk::NivaroSdk::get_instance()->ReleaseConnection(&connection);
    camera = nullptr;
    connection = nullptr;
}
