#include "nivaro_sdk.h"
#include "parameters/conversions.h"
#include "parameters/formstates.h"
#include "parameters/logformat.h"
#include "parameters/parameterboxes.h"
#include "parameters/readout.h"
#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

using conversions::saturatingToInt;
using formstates::checkStateFor;
using formstates::isChecked;

namespace {

nivaro_sdk::ZoomConfig zoomFromForm(const Ui::MainWindow &form)
{
    nivaro_sdk::ZoomConfig zoom {};
    zoom.zoomFactor = static_cast<float>(form.factorZoomEdit->value());
    zoom.centerX = form.xCenterZoomEdit->value();
    zoom.centerY = form.yCenterZoomEdit->value();
    zoom.interpolationMethod = conversions::lowByte(form.methodZoomEdit->currentIndex());
    return zoom;
}

} // namespace

bool MainWindow::ReadParamsUser()
{
    if (!camera) {
        parameterboxes::showCameraNotConnected(this, portName);
        return false;
    }
    AddLog("Start Read camera parameters");

    nivaro_sdk::VersionInfo versions {};
    camera->GetVersions(versions);
    // The SDK answers zeroed words when the camera stayed silent; its result flag says nothing.
    if (versions.riscvVersion == 0 && versions.fpgaVersion == 0) {
        parameterboxes::showCameraNotConnected(this, portName);
        AddLog("End Read camera parameters : COM Error");
        return false;
    }
    camera->BeginRead();
    AddLog("RISC-V version = " + logformat::versionDigits(versions.riscvVersion)
           + "\nFPGA version = " + logformat::versionDigits(versions.fpgaVersion));

    const float gamma = conversions::fromFixed16_16(camera->GetGamma());
    ui->gammaSlider->setValue(conversions::gammaToPosition(gamma));
    AddLog("Gamma value = " + logformat::floating(gamma));

    const uint32_t clhe = camera->GetClhe();
    ui->clheSlider->setValue(saturatingToInt(clhe));
    AddLog("CLHE value = " + logformat::floating(clhe));

    const float sharpening = conversions::fromFixed8_8(camera->GetSharpening());
    ui->sharpeningSlider->setValue(conversions::sharpeningToPosition(sharpening));
    AddLog("Sharpening value = " + logformat::floating(sharpening));

    const auto readCorner = [this](uint32_t value, QSpinBox *edit, const char *label) {
        edit->setValue(saturatingToInt(value));
        AddLog(label + logformat::unsignedNumber(value));
    };
    readCorner(camera->GetRoiX1(), ui->x1RoiEdit, "ROI X1 value = ");
    readCorner(camera->GetRoiY1(), ui->y1RoiEdit, "ROI Y1 value = ");
    readCorner(camera->GetRoiX2(), ui->x2RoiEdit, "ROI X2 value = ");
    readCorner(camera->GetRoiY2(), ui->y2RoiEdit, "ROI Y2 value = ");

    using logformat::enabledState;
    using logformat::oneOrZero;
    using readout::showSwitch;
    showSwitch(*this, ui->polarityCheckBox, camera->GetPolarity(), "Polarity value = ", oneOrZero);

    // A camera may leave the record unfilled: starting from what the form shows keeps it as is.
    nivaro_sdk::ZoomConfig zoom = zoomFromForm(*ui);
    camera->GetZoom(zoom);
    ui->factorZoomEdit->setValue(zoom.zoomFactor);
    ui->methodZoomEdit->setCurrentIndex(zoom.interpolationMethod);
    ui->xCenterZoomEdit->setValue(zoom.centerX);
    ui->yCenterZoomEdit->setValue(zoom.centerY);
    AddLog("ZOOM factor value = " + logformat::floating(zoom.zoomFactor));

    const uint8_t contrastType = camera->GetContrastType();
    ui->contrastTypeEdit->setCurrentIndex(contrastType);
    AddLog(std::string("Contrast type = ") + (contrastType == 0 ? "CLHE (ROI)" : "CLAHE (LOCAL)"));

    showSwitch(*this, ui->userNucCheckBox, camera->GetNucEnabled(), "NUC state = ", enabledState);
    showSwitch(*this, ui->horizontalFlipCheckBox, camera->GetHorizontalFlip(),
               "Horizontal value = ", oneOrZero);
    showSwitch(*this, ui->verticalFlipCheckBox, camera->GetVerticalFlip(),
               "vertical value = ", oneOrZero);
    showSwitch(*this, ui->VignettingCorrectionCheckBox, camera->GetVignettingCorrection(),
               "Vignetting Correction state = ", enabledState);
    showSwitch(*this, ui->ColumnCorrectionCheckBox, camera->GetColumnCorrection(),
               "Column Correction state = ", enabledState);

    AddLog("End Read camera parameters");
    return true;
}

void MainWindow::ApplyParamsUser()
{
    if (!camera)
        return;
    using conversions::saturatingToUint32;

    logStep(camera->SetGamma(conversions::toFixed16_16(ui->gammaEdit->value())), "Set GAMMA value");
    logStep(camera->SetClhe(saturatingToUint32(ui->clheEdit->value())), "Set CLHE value");
    logStep(camera->SetSharpening(conversions::toFixed8_8(ui->sharpeningEdit->value())),
            "Set SHARPENING value");

    // Each corner is checked against the other right before it is sent, so a crossed
    // corner is corrected in the form and the corrected value is the one the camera gets.
    x1RoiUserValueChanged(ui->x1RoiEdit->value());
    logStep(camera->SetRoiX1(saturatingToUint32(ui->x1RoiEdit->value())), "Set ROI X1 value");
    y1RoiUserValueChanged(ui->y1RoiEdit->value());
    logStep(camera->SetRoiY1(saturatingToUint32(ui->y1RoiEdit->value())), "Set ROI Y1 value");
    x2RoiUserValueChanged(ui->x2RoiEdit->value());
    logStep(camera->SetRoiX2(saturatingToUint32(ui->x2RoiEdit->value())), "Set ROI X2 value");
    y2RoiUserValueChanged(ui->y2RoiEdit->value());
    logStep(camera->SetRoiY2(saturatingToUint32(ui->y2RoiEdit->value())), "Set ROI Y2 value");

    logStep(camera->SetPolarity(isChecked(ui->polarityCheckBox)), "Set POLARITY value");

    logStep(camera->ConfigureZoom(zoomFromForm(*ui)), "Configure Zoom");

    logStep(camera->SetContrastType(conversions::lowByte(ui->contrastTypeEdit->currentIndex())),
            "Configure contrast type");
    logStep(camera->SetNucEnabled(formstates::nucState(ui->userNucCheckBox)), "Enable NUC");
    logStep(camera->SetHorizontalFlip(isChecked(ui->horizontalFlipCheckBox)),
            "Set IMAGE horizontal FLIP value");
    logStep(camera->SetVerticalFlip(isChecked(ui->verticalFlipCheckBox)),
            "Set IMAGE vertical FLIP value");
    logStep(camera->SetVignettingCorrection(isChecked(ui->VignettingCorrectionCheckBox)),
            "Set vignetting correction value");
    logStep(camera->SetColumnCorrection(isChecked(ui->ColumnCorrectionCheckBox)),
            "Set column correction value");

    nivaro_sdk::NivaroSdk::get_instance()->NotifyParametersApplied();
}

void MainWindow::ResetParamsUser()
{
    if (!camera)
        return;
    if (!parameterboxes::confirmReset(tr("Do you really want to reset settings?")))
        return;
    nivaro_sdk::INivaroConfig *config = nivaro_sdk::NivaroSdk::get_instance()->GetConfig();

    ui->gammaSlider->setValue(conversions::gammaToPosition(config->GetDefaultGamma()));
    ui->clheSlider->setValue(conversions::roundToInt(config->GetDefaultClhe()));
    ui->sharpeningSlider->setValue(
        conversions::sharpeningToPosition(config->GetDefaultSharpening()));
    // The Expert defaults go into the form only: the Write below does not send them.
    ui->gfidSlider->setValue(config->GetDefaultGfid());
    ui->gskSlider->setValue(config->GetDefaultGsk());
    ui->tintSlider->setValue(config->GetDefaultTint());
    ui->gmsSlider->setValue(config->GetDefaultGms());

    ui->x1RoiEdit->setValue(saturatingToInt(config->GetDefaultRoiX1()));
    ui->y1RoiEdit->setValue(saturatingToInt(config->GetDefaultRoiY1()));
    ui->x2RoiEdit->setValue(saturatingToInt(config->GetDefaultRoiX2()));
    ui->y2RoiEdit->setValue(saturatingToInt(config->GetDefaultRoiY2()));

    ui->polarityCheckBox->setCheckState(checkStateFor(config->GetDefaultPolarity()));
    ui->factorZoomEdit->setValue(config->GetDefaultZoomFactor());
    ui->methodZoomEdit->setCurrentIndex(config->GetDefaultZoomMethod());
    ui->xCenterZoomEdit->setValue(config->GetDefaultZoomCenterX());
    ui->yCenterZoomEdit->setValue(config->GetDefaultZoomCenterY());
    ui->contrastTypeEdit->setCurrentIndex(config->GetDefaultContrastType());
    ui->contrastTypeEdit->setCurrentText(QStringLiteral("CLHE (ROI)"));

    ui->horizontalFlipCheckBox->setCheckState(checkStateFor(config->GetDefaultHorizontalFlip()));
    ui->verticalFlipCheckBox->setCheckState(checkStateFor(config->GetDefaultVerticalFlip()));
    ui->VignettingCorrectionCheckBox->setCheckState(
        checkStateFor(config->GetDefaultVignettingCorrection()));
    ui->ColumnCorrectionCheckBox->setCheckState(
        checkStateFor(config->GetDefaultColumnCorrection()));

    ApplyParamsUser();
}
