#include "simulatedsdk.h"

#include "ui/mainwindow.h"

#include <QAbstractButton>

namespace {

QStringList toStringList(const std::vector<std::string> &lines, std::size_t from)
{
    QStringList result;
    for (std::size_t index = from; index < lines.size(); ++index)
        result << QString::fromStdString(lines[index]);
    return result;
}

} // namespace

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
    return {nivaro_sim::logRecords().size(), nivaro_sim::traceLines().size()};
}

QStringList SimulatedSdk::logTexts(int severity) const
{
    return logTextsSince(Mark {}, severity);
}

QStringList SimulatedSdk::logTextsSince(const Mark &from, int severity) const
{
    const std::vector<nivaro_sim::LogRecord> records = nivaro_sim::logRecords();
    QStringList texts;
    for (std::size_t index = from.logRecords; index < records.size(); ++index) {
        if (records[index].severity == severity)
            texts << QString::fromStdString(records[index].text);
    }
    return texts;
}

QStringList SimulatedSdk::traceSince(const Mark &from) const
{
    return toStringList(nivaro_sim::traceLines(), from.traceLines);
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
