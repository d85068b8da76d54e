#include "parameters/expertparameters.h"

#include "nivaro_sdk.h"
#include "parameters/boxpresenter.h"
#include "parameters/conversions.h"
#include "parameters/formstates.h"
#include "parameters/logformat.h"
#include "parameters/logsink.h"
#include "parameters/parameterboxes.h"
#include "parameters/readout.h"
#include "parameters/widgetrange.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QSlider>

#include <algorithm>

using conversions::saturatingToInt32;
using formstates::isNotUnchecked;
using nivaro_sdk::INivaroCamera;
using nivaro_sdk::INivaroConfig;

namespace {

// What the program knows of each Expert number: where it sits in the form, in the
// configuration and on the camera, and how the log names it.
struct ExpertNumber
{
    ExpertPair ExpertControls::*pair;
    int32_t INivaroConfig::*current;
    int32_t INivaroConfig::*minimum;
    int32_t INivaroConfig::*maximum;
    int32_t (INivaroConfig::*defaultValue)();
    uint32_t (INivaroCamera::*get)();
    bool (INivaroCamera::*set)(int32_t);
    const char *setText;
    const char *readLabel;
    // GMS values beyond the slider's range can only be typed, so its spin box keeps the form's
    // range up to 2^32, and a value kept without a camera is the spin box's.
    bool spinBoxReachesBeyond;
};

enum ExpertNumberIndex
{
    gsk,
    gfid,
    gms,
    tint
};

// In the order the loading and the read take them.
const ExpertNumber numbers[] = {
    {&ExpertControls::gsk, &INivaroConfig::currentGsk, &INivaroConfig::gskMin,
     &INivaroConfig::gskMax, &INivaroConfig::GetDefaultGsk, &INivaroCamera::GetGsk,
     &INivaroCamera::SetGsk, "Set GSK value", "GSK value = ", false},
    {&ExpertControls::gfid, &INivaroConfig::currentGfid, &INivaroConfig::gfidMin,
     &INivaroConfig::gfidMax, &INivaroConfig::GetDefaultGfid, &INivaroCamera::GetGfid,
     &INivaroCamera::SetGfid, "Set GFID value", "GFID value = ", false},
    {&ExpertControls::gms, &INivaroConfig::currentGms, &INivaroConfig::gmsMin,
     &INivaroConfig::gmsMax, &INivaroConfig::GetDefaultGms, &INivaroCamera::GetGms,
     &INivaroCamera::SetGms, "Set GMS value", "GMS value = ", true},
    {&ExpertControls::tint, &INivaroConfig::currentTint, &INivaroConfig::tintMin,
     &INivaroConfig::tintMax, &INivaroConfig::GetDefaultTint, &INivaroCamera::GetTint,
     &INivaroCamera::SetTint, "Set TINT value", "TINT value = ", false},
};

// The write sends TINT before GMS; the User reset asks for GFID's default first.
constexpr ExpertNumberIndex writeOrder[] = {gsk, gfid, tint, gms};
constexpr ExpertNumberIndex defaultsOrder[] = {gfid, gsk, tint, gms};

} // namespace

ExpertParameters::ExpertParameters(const ExpertControls &controls, LogSink &log,
                                   BoxPresenter &boxes)
    : form(controls), log(log), boxes(boxes)
{ }

void ExpertParameters::load()
{
    INivaroConfig *config = nivaro_sdk::NivaroSdk::get_instance()->GetConfig();
    // The GMS spin box reaches down to the slider's minimum, though: a slider position the
    // spin box cannot show would leave the two on different values.
    constexpr double gmsFormMinimum = 0.0;
    for (const ExpertNumber &number : numbers) {
        const ExpertPair &pair = form.*number.pair;
        const int32_t current = config->*number.current;
        const WidgetRange range
            = widgetRangeFor(config->*number.minimum, config->*number.maximum, current);
        pair.slider->setRange(range.minimum, range.maximum);
        pair.slider->setEnabled(true);
        pair.slider->setOrientation(Qt::Horizontal);
        pair.slider->setTickInterval(1);
        pair.slider->setSingleStep(1);
        pair.slider->setPageStep(10);
        pair.slider->setValue(range.current);

        if (number.spinBoxReachesBeyond) {
            pair.edit->setMinimum(std::min(gmsFormMinimum, double(range.minimum)));
            pair.edit->setValue(current);
        } else {
            pair.edit->setRange(range.minimum, range.maximum);
            pair.edit->setValue(range.current);
        }
        pair.edit->setSingleStep(1.0);
    }
}

void ExpertParameters::read(INivaroCamera *camera, const std::string &port)
{
    if (!camera) {
        parameterboxes::showCameraNotConnected(boxes, port);
        return;
    }
    log.add("Start Read camera Expert parameters");
    for (const ExpertNumber &number : numbers) {
        const ExpertPair &pair = form.*number.pair;
        const uint32_t value = (camera->*number.get)();
        pair.slider->setValue(conversions::saturatingToInt(value));
        pair.edit->setValue(value);
        log.add(number.readLabel + logformat::unsignedNumber(value));
    }

    using logformat::enabledState;
    using readout::showSwitch;
    showSwitch(log, form.BPRCheckBox, camera->GetBpr(), "BPR state = ", enabledState);
    showSwitch(log, form.offsetCheckBox, camera->GetOffsetCorrection(),
               "OFFSET state = ", enabledState);
    showSwitch(log, form.gainCheckBox, camera->GetGainCorrection(), "GAIN state = ", enabledState);
    showSwitch(log, form.nucCheckBox, camera->GetNucEnabled(), "NUC state = ", enabledState);

    log.add("End Read camera Expert parameters");
}

void ExpertParameters::write(INivaroCamera *camera)
{
    if (!camera) {
        INivaroConfig *config = nivaro_sdk::NivaroSdk::get_instance()->GetConfig();
        for (const ExpertNumberIndex index : writeOrder) {
            const ExpertNumber &number = numbers[index];
            const ExpertPair &pair = form.*number.pair;
            config->*number.current = number.spinBoxReachesBeyond
                ? saturatingToInt32(pair.edit->value())
                : pair.slider->value();
        }
        return;
    }

    for (const ExpertNumberIndex index : writeOrder) {
        const ExpertNumber &number = numbers[index];
        // The GMS spin box reaches 2^32, beyond the camera's signed 32-bit word.
        log.step((camera->*number.set)(saturatingToInt32((form.*number.pair).edit->value())),
                 number.setText);
    }
    log.step(camera->SetBpr(isNotUnchecked(form.BPRCheckBox)), "Set BPR value");
    log.step(camera->SetOffsetCorrection(isNotUnchecked(form.offsetCheckBox)),
             "Set Offset correction value");
    log.step(camera->SetGainCorrection(isNotUnchecked(form.gainCheckBox)),
             "Set Gain correction value");
    if (log.step(camera->SetNucEnabled(formstates::nucState(form.nucCheckBox)), "Enable NUC"))
        nivaro_sdk::NivaroSdk::get_instance()->NotifyParametersApplied();
    else
        boxes.warning(windowText("Problem transmitting expert parameters values\n"));
}

void ExpertParameters::showDefaults(INivaroConfig &config)
{
    for (const ExpertNumberIndex index : defaultsOrder) {
        const ExpertNumber &number = numbers[index];
        (form.*number.pair).slider->setValue((config.*number.defaultValue)());
    }
}
