#pragma once

#include "controls.h"
#include "modalanswerer.h"
#include "simulator_control.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstddef>
#include <memory>

class MainWindow;

// The simulated SDK as one test sees it: fresh on construction, with the cameras the
// test scripts, the log records and the SDK calls the program made.
class SimulatedSdk
{
public:
    static constexpr int logPaneSeverity = 2;

    // A point in the SDK's log and trace, to look only at what came after it.
    struct Mark
    {
        std::size_t logRecords = 0;
        std::size_t traceLines = 0;
    };

    SimulatedSdk();
    ~SimulatedSdk();
    SimulatedSdk(const SimulatedSdk &) = delete;
    SimulatedSdk &operator=(const SimulatedSdk &) = delete;

    nivaro_sim::ConfigurationValues &configuration();
    // Sets the configuration's defaults these "key=value" settings name: "gamma=2", "iaIou=30".
    void setDefaults(const QStringList &settings);
    void scriptPort(const QString &port, const nivaro_sim::CameraScript &script = {});
    nivaro_sim::Registers registers(const QString &port) const;

    Mark mark() const;
    // The texts sent to the SDK log at a severity (the log pane's by default), oldest first.
    QStringList logTexts(int severity = logPaneSeverity) const;
    QStringList logTextsSince(const Mark &from, int severity = logPaneSeverity) const;
    QStringList traceSince(const Mark &from) const;
    // Trace lines without arguments and results: "sdk.GetConfig", "camera[COM3].GetGamma".
    static QStringList operations(const QStringList &trace);

    // A window whose scans list exactly these port names.
    static std::unique_ptr<MainWindow> makeWindow(const QStringList &ports = {});
    // A window listing the one port, scripted with the camera, scanned and connected
    // through its buttons. The caller checks the outcome: a script may make it fail.
    std::unique_ptr<MainWindow> makeConnectedWindow(const QString &port,
                                                    const nivaro_sim::CameraScript &script = {});

    static void click(QWidget &window, const char *buttonName);

    // What one click brought: the log pane's records, the SDK trace and the message boxes,
    // each box answered with `answer`.
    struct Clicked
    {
        QStringList log;
        QStringList trace;
        QStringList boxes;
        QStringList operations() const { return SimulatedSdk::operations(trace); }
    };
    Clicked clickAndCollect(QWidget &window, const char *buttonName,
                            QMessageBox::StandardButton answer = QMessageBox::Ok) const;
};

// Registers are written "name=value" as the camera holds them, named as the configuration's
// defaults: "gamma=72089", "zoomFactor=2.5", "iaMaxBoxes=65", switches as 1 or 0.

// A camera whose registers start from their defaults but for these settings; the firmware
// words riscvVersion and fpgaVersion can be set the same way.
nivaro_sim::CameraScript scriptWith(const QStringList &settings);
// A camera on which only the setter `refused` ("SetGamma"; none when empty) answers false.
nivaro_sim::CameraScript scriptRefusing(const QString &refused);

// The registers `expected` names, each with what the camera holds, so that
// QCOMPARE(holding(registers, expected), expected) names the first register that differs.
QStringList holding(const nivaro_sim::Registers &registers, const QStringList &expected);
