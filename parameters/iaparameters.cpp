#include "parameters/iaparameters.h"

#include "nivaro_sdk.h"
#include "parameters/boxpresenter.h"
#include "parameters/conversions.h"
#include "parameters/logformat.h"
#include "parameters/logsink.h"

#include <QComboBox>
#include <QSpinBox>

using conversions::lowByte;

IaParameters::IaParameters(const IaControls &controls, LogSink &log, BoxPresenter &boxes)
    : form(controls), log(log), boxes(boxes)
{ }

void IaParameters::read(nivaro_sdk::INivaroCamera *camera)
{
    if (!camera)
        return;
    log.add("Start read IA parameters");
    nivaro_sdk::IaConfig config {};
    if (camera->GetIaConfig(config)) {
        using logformat::byteNumber;
        form.iAResizeModeComboBox->setCurrentIndex(config.resizeMode);
        log.add("IA resize mode = " + byteNumber(config.resizeMode));
        form.nbBoxesSpinBox->setValue(config.maxBoxes);
        log.add("IA max boxes = " + byteNumber(config.maxBoxes));
        form.iASensitivitySpinBox->setValue(config.sensitivity);
        log.add("IA sensitivity = " + byteNumber(config.sensitivity));
        form.interOverUnionSpinBox->setValue(config.iouThreshold);
        log.add("IA InterOU = " + byteNumber(config.iouThreshold));
        form.iAOutputTypeComboBox->setCurrentIndex(config.outputType);
        log.add("IA Output type = " + byteNumber(config.outputType));
    } else {
        log.add("Unable to read IA configuration");
    }
    log.add("End read IA parameters");
}

void IaParameters::write(nivaro_sdk::INivaroCamera *camera)
{
    if (!camera)
        return;
    nivaro_sdk::IaConfig config {};
    config.resizeMode = lowByte(form.iAResizeModeComboBox->currentIndex());
    config.maxBoxes = lowByte(form.nbBoxesSpinBox->value());
    config.sensitivity = lowByte(form.iASensitivitySpinBox->value());
    config.iouThreshold = lowByte(form.interOverUnionSpinBox->value());
    config.outputType = lowByte(form.iAOutputTypeComboBox->currentIndex());
    log.step(camera->SetIaConfig(config), "Set IA config");
}

void IaParameters::reset(nivaro_sdk::INivaroCamera *camera)
{
    if (!camera)
        return;
    if (!boxes.confirm(windowText("Do you really want to reset IA settings?")))
        return;
    nivaro_sdk::INivaroConfig *config = nivaro_sdk::NivaroSdk::get_instance()->GetConfig();
    form.iAResizeModeComboBox->setCurrentIndex(config->GetDefaultIaResizeMode());
    form.nbBoxesSpinBox->setValue(config->GetDefaultIaMaxBoxes());
    form.iASensitivitySpinBox->setValue(config->GetDefaultIaSensitivity());
    form.interOverUnionSpinBox->setValue(config->GetDefaultIaIou());
    form.iAOutputTypeComboBox->setCurrentIndex(config->GetDefaultIaOutputType());
    write(camera);
}
