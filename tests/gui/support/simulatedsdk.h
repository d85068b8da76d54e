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
    // Sets the configuration's defaults named so: {"gamma", 2}, {"iaIou", 30}.
    void setDefaults(const Settings &settings);
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

// Registers are named as the configuration's defaults that start them ("gamma", "zoomFactor",
// "iaMaxBoxes"), switches 1 or 0, and hold the camera's words ({"gamma", 72089}).

// A camera whose registers start from their defaults but for these; the firmware words
// riscvVersion and fpgaVersion can be set the same way. A name that is no register fails the
// test row, here and below.
nivaro_sim::CameraScript scriptWith(const Settings &settings);
// A camera on which only the setter `refused` ("SetGamma"; none when empty) answers false.
nivaro_sim::CameraScript scriptRefusing(const QString &refused);

// The setter a trace line calls: "camera[COM3].SetGamma(72089) -> true" gives "SetGamma".
QString setterIn(const QString &traceLine);
// A write's trace lines or log lines, all accepted, as they read when only the step at index
// `refused` (none when -1) is refused: its call answers false, its line says KO.
QStringList refusedAt(QStringList lines, int refused);

// The registers `expected` names, each with what the camera holds, so that
// QCOMPARE(holding(registers, expected), expected) names the first register that differs.
Settings holding(const nivaro_sim::Registers &registers, const Settings &expected);
