#include "simulatedsdk.h"

#include "ui/mainwindow.h"

#include <QAbstractButton>

SimulatedSdk::SimulatedSdk()
{
    nivaro_sim::reset();
}

SimulatedSdk::~SimulatedSdk()
{
    nivaro_sim::reset();
}

nivaro_sim::ConfigurationValues &SimulatedSdk::configuration()
{
    return nivaro_sim::configurationValues();
}

void SimulatedSdk::scriptPort(const QString &port, const nivaro_sim::CameraScript &script)
{
    nivaro_sim::scriptPort(port.toStdString(), script);
}

nivaro_sim::Registers SimulatedSdk::registers(const QString &port) const
{
    return nivaro_sim::registers(port.toStdString());
}

SimulatedSdk::Mark SimulatedSdk::mark() const
{
    return {nivaro_sim::logRecordCount(), nivaro_sim::traceLineCount()};
}

QStringList SimulatedSdk::logTexts(int severity) const
{
    return logTextsSince(Mark {}, severity);
}

QStringList SimulatedSdk::logTextsSince(const Mark &from, int severity) const
{
    QStringList texts;
    for (const nivaro_sim::LogRecord &record : nivaro_sim::logRecords(from.logRecords)) {
        if (record.severity == severity)
            texts << QString::fromStdString(record.text);
    }
    return texts;
}

QStringList SimulatedSdk::traceSince(const Mark &from) const
{
    QStringList lines;
    for (const std::string &line : nivaro_sim::traceLines(from.traceLines))
        lines << QString::fromStdString(line);
    return lines;
}

QStringList SimulatedSdk::operations(const QStringList &trace)
{
    QStringList names;
    for (const QString &line : trace)
        names << line.left(line.indexOf(QLatin1Char('(')));
    return names;
}

std::unique_ptr<MainWindow> SimulatedSdk::makeWindow(const QStringList &ports)
{
    auto window = std::make_unique<MainWindow>();
    window->setPortSource([ports] { return ports; });
    return window;
}

std::unique_ptr<MainWindow>
SimulatedSdk::makeConnectedWindow(const QString &port, const nivaro_sim::CameraScript &script)
{
    scriptPort(port, script);
    std::unique_ptr<MainWindow> window = makeWindow({port});
    click(*window, "scanDeviceButton");
    click(*window, "connectDeviceButton");
    return window;
}

void SimulatedSdk::click(QWidget &window, const char *buttonName)
{
    child<QAbstractButton>(window, buttonName)->click();
}

nivaro_sim::CameraScript scriptWithRegisters(const nivaro_sim::Registers &registers)
{
    nivaro_sim::CameraScript script;
    script.hasInitialRegisters = true;
    script.initialRegisters = registers;
    return script;
}
