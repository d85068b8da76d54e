#include "nivaro_sdk.h"
#include "parameters/conversions.h"
#include "parameters/formstates.h"
#include "parameters/logformat.h"
#include "parameters/parameterboxes.h"
#include "parameters/readout.h"
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

using conversions::saturatingToInt32;
using formstates::isNotUnchecked;

void MainWindow::ApplyParamsExpert()
{
    if (!camera) {
        // Kept for the next InitParamsExpert; GMS comes from its spin box, which reaches
        // beyond the slider's range.
        nivaro_sdk::INivaroConfig *config = nivaro_sdk::NivaroSdk::get_instance()->GetConfig();
        config->currentGsk = ui->gskSlider->value();
        config->currentGfid = ui->gfidSlider->value();
        config->currentTint = ui->tintSlider->value();
        config->currentGms = saturatingToInt32(ui->gmsEdit->value());
        return;
    }

    logStep(camera->SetGsk(saturatingToInt32(ui->gskEdit->value())), "Set GSK value");
    logStep(camera->SetGfid(saturatingToInt32(ui->gfidEdit->value())), "Set GFID value");
    logStep(camera->SetTint(saturatingToInt32(ui->tintEdit->value())), "Set TINT value");
    // The GMS spin box reaches 2^32, beyond the camera's signed 32-bit word.
    logStep(camera->SetGms(saturatingToInt32(ui->gmsEdit->value())), "Set GMS value");
    logStep(camera->SetBpr(isNotUnchecked(ui->BPRCheckBox)), "Set BPR value");
    logStep(camera->SetOffsetCorrection(isNotUnchecked(ui->offsetCheckBox)),
            "Set Offset correction value");
    logStep(camera->SetGainCorrection(isNotUnchecked(ui->gainCheckBox)),
            "Set Gain correction value");
    if (logStep(camera->SetNucEnabled(formstates::nucState(ui->nucCheckBox)), "Enable NUC"))
        nivaro_sdk::NivaroSdk::get_instance()->NotifyParametersApplied();
    else
        QMessageBox::warning(this, QString(),
                             tr("Problem transmitting expert parameters values\n"));
}

void MainWindow::ReadParamsExpert()
{
    if (!camera) {
        parameterboxes::showCameraNotConnected(this, portName);
        return;
    }
    AddLog("Start Read camera Expert parameters");

    const auto showNumber
        = [this](uint32_t value, QSlider *slider, QDoubleSpinBox *edit, const char *label) {
              slider->setValue(conversions::saturatingToInt(value));
              edit->setValue(value);
              AddLog(label + logformat::unsignedNumber(value));
          };
    showNumber(camera->GetGsk(), ui->gskSlider, ui->gskEdit, "GSK value = ");
    showNumber(camera->GetGfid(), ui->gfidSlider, ui->gfidEdit, "GFID value = ");
    showNumber(camera->GetGms(), ui->gmsSlider, ui->gmsEdit, "GMS value = ");
    showNumber(camera->GetTint(), ui->tintSlider, ui->tintEdit, "TINT value = ");

    using logformat::enabledState;
    using readout::showSwitch;
    showSwitch(*this, ui->BPRCheckBox, camera->GetBpr(), "BPR state = ", enabledState);
    showSwitch(*this, ui->offsetCheckBox, camera->GetOffsetCorrection(),
               "OFFSET state = ", enabledState);
    showSwitch(*this, ui->gainCheckBox, camera->GetGainCorrection(), "GAIN state = ", enabledState);
    showSwitch(*this, ui->nucCheckBox, camera->GetNucEnabled(), "NUC state = ", enabledState);

    AddLog("End Read camera Expert parameters");
}

void MainWindow::ApplyNucRequest()
{
    if (!camera)
        return;
    // Only the User tab's box follows: the Expert one waits for the next Expert read.
    if (camera->RequestNuc())
        ui->userNucCheckBox->setCheckState(formstates::checkStateFor(camera->GetNucEnabled()));
    else
        QMessageBox::warning(this, QString(), tr("Error on processing the NUC request"));
}
