#pragma once

#include <string>

class BoxPresenter;
class LogSink;
class QCheckBox;
class QDoubleSpinBox;
class QSlider;

namespace nivaro_sdk {
class INivaroCamera;
class INivaroConfig;
} // namespace nivaro_sdk

// One Expert number's slider and spin box.
struct ExpertPair
{
    QSlider *slider;
    QDoubleSpinBox *edit;
};

// The Expert tab's controls.
struct ExpertControls
{
    ExpertPair gsk;
    ExpertPair gfid;
    ExpertPair gms;
    ExpertPair tint;
    QCheckBox *BPRCheckBox;
    QCheckBox *offsetCheckBox;
    QCheckBox *gainCheckBox;
    QCheckBox *nucCheckBox;
};

// The detector settings, between the Expert tab, the SDK's configuration and the camera.
// Every operation is told the camera of the moment, null when none is connected.
class ExpertParameters
{
public:
    ExpertParameters(const ExpertControls &controls, LogSink &log, BoxPresenter &boxes);

    // The four pairs sized and set from the configuration's bounds and current values.
    void load();
    // Every value from the camera into the form, each logged; a box when there is no camera.
    void read(nivaro_sdk::INivaroCamera *camera, const std::string &port);
    // Every value of the form to the camera, one OK or KO line a step, then the SDK told; a
    // box instead when the last step, NUC, is refused. Without a camera the four numbers are
    // kept in the configuration, for the next load.
    void write(nivaro_sdk::INivaroCamera *camera);
    // The configuration's defaults onto the four sliders, as the User reset has it.
    void showDefaults(nivaro_sdk::INivaroConfig &config);

private:
    ExpertControls form;
    LogSink &log;
    BoxPresenter &boxes;
};
