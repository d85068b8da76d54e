#include "simulatedsdk.h"

#include "ui/mainwindow.h"

#include <QAbstractButton>

#include <algorithm>

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

QStringList holding(const nivaro_sim::Registers &registers, const QStringList &expected)
{
    const auto n = [](auto value) { return QString::number(value); };
    const nivaro_sim::Registers &r = registers;
    const nivaro_sdk::ZoomConfig &zoom = r.zoom;
    const nivaro_sdk::IaConfig &ia = r.ia;
    const QStringList zoomFields
        = {n(zoom.zoomFactor), n(zoom.centerX), n(zoom.centerY), n(zoom.interpolationMethod)};
    const QStringList iaFields = {n(ia.resizeMode), n(ia.maxBoxes), n(ia.sensitivity),
                                  n(ia.iouThreshold), n(ia.outputType)};
    const QList<QPair<QString, QString>> all = {{"gamma", n(r.gamma)},
                                                {"clhe", n(r.clhe)},
                                                {"sharpening", n(r.sharpening)},
                                                {"roiX1", n(r.roiX1)},
                                                {"roiY1", n(r.roiY1)},
                                                {"roiX2", n(r.roiX2)},
                                                {"roiY2", n(r.roiY2)},
                                                {"polarity", n(r.polarity)},
                                                {"zoom", zoomFields.join(' ')},
                                                {"contrastType", n(r.contrastType)},
                                                {"nucEnabled", n(r.nucEnabled)},
                                                {"horizontalFlip", n(r.horizontalFlip)},
                                                {"verticalFlip", n(r.verticalFlip)},
                                                {"vignettingCorrection", n(r.vignettingCorrection)},
                                                {"columnCorrection", n(r.columnCorrection)},
                                                {"gsk", n(r.gsk)},
                                                {"gfid", n(r.gfid)},
                                                {"gms", n(r.gms)},
                                                {"tint", n(r.tint)},
                                                {"bpr", n(r.bpr)},
                                                {"offsetCorrection", n(r.offsetCorrection)},
                                                {"gainCorrection", n(r.gainCorrection)},
                                                {"ia", iaFields.join(' ')}};
    QStringList held;
    for (const QString &entry : expected) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        const auto found = std::find_if(all.begin(), all.end(),
                                        [&name](const auto &one) { return one.first == name; });
        if (found == all.end())
            qFatal("no register named %s", qPrintable(name));
        held << name + '=' + found->second;
    }
    return held;
}
