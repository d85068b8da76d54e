#pragma once

#include "parameters/roicorners.h"

#include <string>

class BoxPresenter;
class ExpertParameters;
class LogSink;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSlider;
class QSpinBox;

namespace nivaro_sdk {
class INivaroCamera;
}

// The User tab's controls, named as the form names them.
struct UserControls
{
    QSlider *gammaSlider;
    QDoubleSpinBox *gammaEdit;
    QSlider *clheSlider;
    QDoubleSpinBox *clheEdit;
    QSlider *sharpeningSlider;
    QDoubleSpinBox *sharpeningEdit;
    QSpinBox *x1RoiEdit;
    QSpinBox *y1RoiEdit;
    QSpinBox *x2RoiEdit;
    QSpinBox *y2RoiEdit;
    QCheckBox *polarityCheckBox;
    QDoubleSpinBox *factorZoomEdit;
    QSpinBox *xCenterZoomEdit;
    QSpinBox *yCenterZoomEdit;
    QComboBox *methodZoomEdit;
    QComboBox *contrastTypeEdit;
    QCheckBox *userNucCheckBox;
    QCheckBox *horizontalFlipCheckBox;
    QCheckBox *verticalFlipCheckBox;
    QCheckBox *VignettingCorrectionCheckBox;
    QCheckBox *ColumnCorrectionCheckBox;
};

// The camera's everyday image settings, between the User tab and the camera. Every operation
// is told the camera of the moment, null when none is connected.
class UserParameters
{
public:
    UserParameters(const UserControls &controls, LogSink &log, BoxPresenter &boxes);

    // Every value from the camera into the form, each logged. False, with a box, when there is
    // no camera or it does not answer; the port names the camera in the box.
    bool read(nivaro_sdk::INivaroCamera *camera, const std::string &port);
    // Every value of the form to the camera, one OK or KO line a step; crossed ROI corners are
    // corrected before they go. Nothing without a camera.
    void write(nivaro_sdk::INivaroCamera *camera);
    // Asked first: the configuration's defaults into the form, the Expert sliders' included
    // (not sent), then the write. Nothing without a camera.
    void reset(nivaro_sdk::INivaroCamera *camera, ExpertParameters &expert);

    // The check the write applies to a corner, with the corner given this value.
    void checkRoiCorner(RoiCorner corner, int value);

private:
    UserControls form;
    LogSink &log;
    BoxPresenter &boxes;
    RoiCorners roi;
};
