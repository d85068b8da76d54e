#include "parameters/userparameters.h"

#include "nivaro_sdk.h"
#include "parameters/boxpresenter.h"
#include "parameters/conversions.h"
#include "parameters/expertparameters.h"
#include "parameters/formstates.h"
#include "parameters/logformat.h"
#include "parameters/logsink.h"
#include "parameters/parameterboxes.h"
#include "parameters/readout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSlider>
#include <QSpinBox>

using conversions::saturatingToInt;
using conversions::saturatingToUint32;
using formstates::checkStateFor;
using formstates::isChecked;

namespace {

nivaro_sdk::ZoomConfig zoomFromForm(const UserControls &form)
{
    nivaro_sdk::ZoomConfig zoom {};
    zoom.zoomFactor = static_cast<float>(form.factorZoomEdit->value());
    zoom.centerX = form.xCenterZoomEdit->value();
    zoom.centerY = form.yCenterZoomEdit->value();
    zoom.interpolationMethod = conversions::lowByte(form.methodZoomEdit->currentIndex());
    return zoom;
}

} // namespace

UserParameters::UserParameters(const UserControls &controls, LogSink &log, BoxPresenter &boxes)
    : form(controls)
    , log(log)
    , boxes(boxes)
    , roi(controls.x1RoiEdit, controls.y1RoiEdit, controls.x2RoiEdit, controls.y2RoiEdit, boxes)
{ }

bool UserParameters::read(nivaro_sdk::INivaroCamera *camera, const std::string &port)
{
    if (!camera) {
        parameterboxes::showCameraNotConnected(boxes, port);
        return false;
    }
    log.add("Start Read camera parameters");

    nivaro_sdk::VersionInfo versions {};
    camera->GetVersions(versions);
    // The SDK answers zeroed words when the camera stayed silent; its result flag says nothing.
    if (versions.riscvVersion == 0 && versions.fpgaVersion == 0) {
        parameterboxes::showCameraNotConnected(boxes, port);
        log.add("End Read camera parameters : COM Error");
        return false;
    }
    camera->BeginRead();
    log.add("RISC-V version = " + logformat::versionDigits(versions.riscvVersion)
            + "\nFPGA version = " + logformat::versionDigits(versions.fpgaVersion));

    // Only the sliders are set: the pairs bring their spin boxes along.
    const float gamma = conversions::fromFixed16_16(camera->GetGamma());
    form.gammaSlider->setValue(conversions::gammaToPosition(gamma));
    log.add("Gamma value = " + logformat::floating(gamma));

    const uint32_t clhe = camera->GetClhe();
    form.clheSlider->setValue(saturatingToInt(clhe));
    log.add("CLHE value = " + logformat::floating(clhe));

    const float sharpening = conversions::fromFixed8_8(camera->GetSharpening());
    form.sharpeningSlider->setValue(conversions::sharpeningToPosition(sharpening));
    log.add("Sharpening value = " + logformat::floating(sharpening));

    const auto readCorner = [this](uint32_t value, QSpinBox *edit, const char *label) {
        edit->setValue(saturatingToInt(value));
        log.add(label + logformat::unsignedNumber(value));
    };
    readCorner(camera->GetRoiX1(), form.x1RoiEdit, "ROI X1 value = ");
    readCorner(camera->GetRoiY1(), form.y1RoiEdit, "ROI Y1 value = ");
    readCorner(camera->GetRoiX2(), form.x2RoiEdit, "ROI X2 value = ");
    readCorner(camera->GetRoiY2(), form.y2RoiEdit, "ROI Y2 value = ");

    using logformat::enabledState;
    using logformat::oneOrZero;
    using readout::showSwitch;
    showSwitch(log, form.polarityCheckBox, camera->GetPolarity(), "Polarity value = ", oneOrZero);

    // A camera may leave the record unfilled: starting from what the form shows keeps it as is.
    nivaro_sdk::ZoomConfig zoom = zoomFromForm(form);
    camera->GetZoom(zoom);
    form.factorZoomEdit->setValue(zoom.zoomFactor);
    form.methodZoomEdit->setCurrentIndex(zoom.interpolationMethod);
    form.xCenterZoomEdit->setValue(zoom.centerX);
    form.yCenterZoomEdit->setValue(zoom.centerY);
    log.add("ZOOM factor value = " + logformat::floating(zoom.zoomFactor));

    const uint8_t contrastType = camera->GetContrastType();
    form.contrastTypeEdit->setCurrentIndex(contrastType);
    log.add(std::string("Contrast type = ") + (contrastType == 0 ? "CLHE (ROI)" : "CLAHE (LOCAL)"));

    showSwitch(log, form.userNucCheckBox, camera->GetNucEnabled(), "NUC state = ", enabledState);
    showSwitch(log, form.horizontalFlipCheckBox, camera->GetHorizontalFlip(),
               "Horizontal value = ", oneOrZero);
    showSwitch(log, form.verticalFlipCheckBox, camera->GetVerticalFlip(),
               "vertical value = ", oneOrZero);
    showSwitch(log, form.VignettingCorrectionCheckBox, camera->GetVignettingCorrection(),
               "Vignetting Correction state = ", enabledState);
    showSwitch(log, form.ColumnCorrectionCheckBox, camera->GetColumnCorrection(),
               "Column Correction state = ", enabledState);

    log.add("End Read camera parameters");
    return true;
}

void UserParameters::write(nivaro_sdk::INivaroCamera *camera)
{
    if (!camera)
        return;
    log.step(camera->SetGamma(conversions::toFixed16_16(form.gammaEdit->value())),
             "Set GAMMA value");
    log.step(camera->SetClhe(saturatingToUint32(form.clheEdit->value())), "Set CLHE value");
    log.step(camera->SetSharpening(conversions::toFixed8_8(form.sharpeningEdit->value())),
             "Set SHARPENING value");

    // Each corner is checked against the other right before it is sent, so a crossed
    // corner is corrected in the form and the corrected value is the one the camera gets.
    using Camera = nivaro_sdk::INivaroCamera;
    const auto sendCorner
        = [this, camera](RoiCorner corner, bool (Camera::*set)(uint32_t), const char *what) {
              QSpinBox *edit = roi.spinBox(corner);
              checkRoiCorner(corner, edit->value());
              log.step((camera->*set)(saturatingToUint32(edit->value())), what);
          };
    sendCorner(RoiCorner::x1, &Camera::SetRoiX1, "Set ROI X1 value");
    sendCorner(RoiCorner::y1, &Camera::SetRoiY1, "Set ROI Y1 value");
    sendCorner(RoiCorner::x2, &Camera::SetRoiX2, "Set ROI X2 value");
    sendCorner(RoiCorner::y2, &Camera::SetRoiY2, "Set ROI Y2 value");

    log.step(camera->SetPolarity(isChecked(form.polarityCheckBox)), "Set POLARITY value");
    log.step(camera->ConfigureZoom(zoomFromForm(form)), "Configure Zoom");
    log.step(camera->SetContrastType(conversions::lowByte(form.contrastTypeEdit->currentIndex())),
             "Configure contrast type");
    log.step(camera->SetNucEnabled(formstates::nucState(form.userNucCheckBox)), "Enable NUC");
    log.step(camera->SetHorizontalFlip(isChecked(form.horizontalFlipCheckBox)),
             "Set IMAGE horizontal FLIP value");
    log.step(camera->SetVerticalFlip(isChecked(form.verticalFlipCheckBox)),
             "Set IMAGE vertical FLIP value");
    log.step(camera->SetVignettingCorrection(isChecked(form.VignettingCorrectionCheckBox)),
             "Set vignetting correction value");
    log.step(camera->SetColumnCorrection(isChecked(form.ColumnCorrectionCheckBox)),
             "Set column correction value");

    nivaro_sdk::NivaroSdk::get_instance()->NotifyParametersApplied();
}

void UserParameters::reset(nivaro_sdk::INivaroCamera *camera, ExpertParameters &expert)
{
    if (!camera)
        return;
    if (!boxes.confirm(windowText("Do you really want to reset settings?")))
        return;
    nivaro_sdk::INivaroConfig *config = nivaro_sdk::NivaroSdk::get_instance()->GetConfig();

    form.gammaSlider->setValue(conversions::gammaToPosition(config->GetDefaultGamma()));
    form.clheSlider->setValue(conversions::roundToInt(config->GetDefaultClhe()));
    form.sharpeningSlider->setValue(
        conversions::sharpeningToPosition(config->GetDefaultSharpening()));
    // The Expert defaults go into the form only: the write below does not send them.
    expert.showDefaults(*config);

    form.x1RoiEdit->setValue(saturatingToInt(config->GetDefaultRoiX1()));
    form.y1RoiEdit->setValue(saturatingToInt(config->GetDefaultRoiY1()));
    form.x2RoiEdit->setValue(saturatingToInt(config->GetDefaultRoiX2()));
    form.y2RoiEdit->setValue(saturatingToInt(config->GetDefaultRoiY2()));

    form.polarityCheckBox->setCheckState(checkStateFor(config->GetDefaultPolarity()));
    form.factorZoomEdit->setValue(config->GetDefaultZoomFactor());
    form.methodZoomEdit->setCurrentIndex(config->GetDefaultZoomMethod());
    form.xCenterZoomEdit->setValue(config->GetDefaultZoomCenterX());
    form.yCenterZoomEdit->setValue(config->GetDefaultZoomCenterY());
    form.contrastTypeEdit->setCurrentIndex(config->GetDefaultContrastType());
    form.contrastTypeEdit->setCurrentText(QStringLiteral("CLHE (ROI)"));

    form.horizontalFlipCheckBox->setCheckState(checkStateFor(config->GetDefaultHorizontalFlip()));
    form.verticalFlipCheckBox->setCheckState(checkStateFor(config->GetDefaultVerticalFlip()));
    form.VignettingCorrectionCheckBox->setCheckState(
        checkStateFor(config->GetDefaultVignettingCorrection()));
    form.ColumnCorrectionCheckBox->setCheckState(
        checkStateFor(config->GetDefaultColumnCorrection()));

    write(camera);
}

void UserParameters::checkRoiCorner(RoiCorner corner, int value)
{
    roi.check(corner, value);
}
