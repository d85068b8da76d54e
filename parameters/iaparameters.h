#pragma once

class BoxPresenter;
class LogSink;
class QComboBox;
class QSpinBox;

namespace nivaro_sdk {
class INivaroCamera;
}

// The IA control tab's controls, in the order of the camera's record.
struct IaControls
{
    QComboBox *iAResizeModeComboBox;
    QSpinBox *nbBoxesSpinBox;
    QSpinBox *iASensitivitySpinBox;
    QSpinBox *interOverUnionSpinBox;
    QComboBox *iAOutputTypeComboBox;
};

// The camera's on-board detection settings, five bytes in one record, between the IA control
// tab and the camera. Every operation is told the camera of the moment and does nothing
// without one.
class IaParameters
{
public:
    IaParameters(const IaControls &controls, LogSink &log, BoxPresenter &boxes);

    // The record from the camera into the form, each value logged.
    void read(nivaro_sdk::INivaroCamera *camera);
    // The record of the form to the camera, with one OK or KO line.
    void write(nivaro_sdk::INivaroCamera *camera);
    // Asked first: the configuration's defaults into the form, then the write.
    void reset(nivaro_sdk::INivaroCamera *camera);

private:
    IaControls form;
    LogSink &log;
    BoxPresenter &boxes;
};
