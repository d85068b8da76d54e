#include "nivaro_sdk.h"
#include "parameters/conversions.h"
#include "parameters/logformat.h"
#include "parameters/parameterboxes.h"
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

using conversions::lowByte;

void MainWindow::ApplyParamsIA()
{
    if (!camera)
        return;
    nivaro_sdk::IaConfig config {};
    config.resizeMode = lowByte(ui->iAResizeModeComboBox->currentIndex());
    config.maxBoxes = lowByte(ui->nbBoxesSpinBox->value());
    config.sensitivity = lowByte(ui->iASensitivitySpinBox->value());
    config.iouThreshold = lowByte(ui->interOverUnionSpinBox->value());
    config.outputType = lowByte(ui->iAOutputTypeComboBox->currentIndex());
    logStep(camera->SetIaConfig(config), "Set IA config");
}

void MainWindow::ReadParamsIA()
{
    if (!camera)
        return;
    AddLog("Start read IA parameters");
    nivaro_sdk::IaConfig config {};
    if (camera->GetIaConfig(config)) {
        using logformat::byteNumber;
        ui->iAResizeModeComboBox->setCurrentIndex(config.resizeMode);
        AddLog("IA resize mode = " + byteNumber(config.resizeMode));
        ui->nbBoxesSpinBox->setValue(config.maxBoxes);
        AddLog("IA max boxes = " + byteNumber(config.maxBoxes));
        ui->iASensitivitySpinBox->setValue(config.sensitivity);
        AddLog("IA sensitivity = " + byteNumber(config.sensitivity));
        ui->interOverUnionSpinBox->setValue(config.iouThreshold);
        AddLog("IA InterOU = " + byteNumber(config.iouThreshold));
        ui->iAOutputTypeComboBox->setCurrentIndex(config.outputType);
        AddLog("IA Output type = " + byteNumber(config.outputType));
    } else {
        AddLog("Unable to read IA configuration");
    }
    AddLog("End read IA parameters");
}

void MainWindow::ResetParamsIA()
{
    if (!camera)
        return;
    if (!parameterboxes::confirmReset(tr("Do you really want to reset IA settings?")))
        return;
    nivaro_sdk::INivaroConfig *config = nivaro_sdk::NivaroSdk::get_instance()->GetConfig();
    ui->iAResizeModeComboBox->setCurrentIndex(config->GetDefaultIaResizeMode());
    ui->nbBoxesSpinBox->setValue(config->GetDefaultIaMaxBoxes());
    ui->iASensitivitySpinBox->setValue(config->GetDefaultIaSensitivity());
    ui->interOverUnionSpinBox->setValue(config->GetDefaultIaIou());
    ui->iAOutputTypeComboBox->setCurrentIndex(config->GetDefaultIaOutputType());
    ApplyParamsIA();
}
