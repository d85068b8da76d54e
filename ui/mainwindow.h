#pragma once

#include "device/portsources.h"

#include <QMainWindow>

#include <memory>
#include <string>

class CameraLink;
class ConnectionStates;
class ExpertParameters;
class IaParameters;
class LogPane;
class MessageBoxes;
class NucRequest;
class UserParameters;
class ValuePairs;

namespace Ui {
class MainWindow;
}

// The only window: it holds the form and wires each control to the class that owns its
// concern. Every slot hands its work to one of them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    bool ReadParamsUser();
    void InitParamsExpert();
    bool openSerialPort(std::string name);
    void AddLog(std::string message);

    // Where the scan takes its ports from; the system's serial ports unless replaced.
    void setPortSource(portsources::PortSource source);

public slots:
    void ResetParamsUser();
    void ResetParamsIA();
    void ApplyParamsUser();
    void ApplyParamsExpert();
    void ReadParamsExpert();
    void ApplyNucRequest();
    void ApplyParamsIA();
    void ReadParamsIA();
    void TabIndexChanged(int index);
    void GammaUserValueChanged(double value);
    void ClheUserValueChanged(double value);
    void SharpeningUserValueChanged(double value);
    void GSKExpertValueChanged(double value);
    void GFIDExpertValueChanged(double value);
    void GMSExpertValueChanged(double value);
    void TINTExpertValueChanged(double value);
    void NbBoxesValueChanged(int value);
    void IASensitivityValueChanged(int value);
    void InterOUValueChanged(int value);
    void GammaUserSliderChanged(int value);
    void ClheUserSliderChanged(int value);
    void SharpeningUserSliderChanged(int value);
    void GSKExpertSliderChanged(int value);
    void GFIDExpertSliderChanged(int value);
    void GMSExpertSliderChanged(int value);
    void TINTExpertSliderChanged(int value);
    void NbBoxesSliderChanged(int value);
    void IASensitivitySliderChanged(int value);
    void InterOUSliderChanged(int value);
    void x1RoiUserValueChanged(int value);
    void x2RoiUserValueChanged(int value);
    void y1RoiUserValueChanged(int value);
    void y2RoiUserValueChanged(int value);
    void scanDevice();
    void connectDevice();
    void disconnectDevice();
    void createAboutWindow();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectValueControls();
    void connectButtons();

    Ui::MainWindow *ui;
    // Built on the form in this order, each from those before it.
    std::unique_ptr<LogPane> log;
    std::unique_ptr<MessageBoxes> boxes;
    std::unique_ptr<ConnectionStates> states;
    // The camera, its connection, its port and type, and the ports of the last scan.
    std::unique_ptr<CameraLink> link;
    std::unique_ptr<ValuePairs> pairs;
    std::unique_ptr<UserParameters> user;
    std::unique_ptr<ExpertParameters> expert;
    std::unique_ptr<IaParameters> ia;
    std::unique_ptr<NucRequest> nuc;
};
