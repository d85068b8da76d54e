#pragma once

#include <QMainWindow>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <string>

namespace Ui {
class MainWindow;
}

namespace nivaro_sdk {
class INivaroCamera;
class INivaroConnection;
} // namespace nivaro_sdk

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The names of the serial ports a scan lists, in the system's order. Names rather than
    // QSerialPortInfo: an info made from a name the system does not list has an empty name.
    using PortSource = std::function<QStringList()>;

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    bool ReadParamsUser();
    void InitParamsExpert();
    bool openSerialPort(std::string name);
    void AddLog(std::string message);

    // Where the scan takes its ports from; the system's serial ports unless replaced.
    void setPortSource(PortSource source);

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
    // One write step: "<what> OK" or "<what> KO" in the log; true when accepted.
    bool logStep(bool accepted, const char *what);
    void releaseHeldCamera();

    Ui::MainWindow *ui;
    nivaro_sdk::INivaroCamera *camera = nullptr;
    nivaro_sdk::INivaroConnection *connection = nullptr;
    std::string portName;
    QStringList portList;
    uint8_t cameraType = 0;
    PortSource portSource;
};
