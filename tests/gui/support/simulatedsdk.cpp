#include "simulatedsdk.h"

#include "ui/mainwindow.h"

#include <QAbstractButton>
#include <QMap>

#include <type_traits>

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

namespace {

// Calls visit(name, member) for every register, the zoom and IA records field by field.
template<typename Registers, typename Visit> void forEachRegister(Registers &r, Visit &&visit)
{
    visit("gamma", r.gamma);
    visit("clhe", r.clhe);
    visit("sharpening", r.sharpening);
    visit("roiX1", r.roiX1);
    visit("roiY1", r.roiY1);
    visit("roiX2", r.roiX2);
    visit("roiY2", r.roiY2);
    visit("polarity", r.polarity);
    visit("zoomFactor", r.zoom.zoomFactor);
    visit("zoomCenterX", r.zoom.centerX);
    visit("zoomCenterY", r.zoom.centerY);
    visit("zoomMethod", r.zoom.interpolationMethod);
    visit("contrastType", r.contrastType);
    visit("nucEnabled", r.nucEnabled);
    visit("horizontalFlip", r.horizontalFlip);
    visit("verticalFlip", r.verticalFlip);
    visit("vignettingCorrection", r.vignettingCorrection);
    visit("columnCorrection", r.columnCorrection);
    visit("gsk", r.gsk);
    visit("gfid", r.gfid);
    visit("gms", r.gms);
    visit("tint", r.tint);
    visit("bpr", r.bpr);
    visit("offsetCorrection", r.offsetCorrection);
    visit("gainCorrection", r.gainCorrection);
    visit("iaResizeMode", r.ia.resizeMode);
    visit("iaMaxBoxes", r.ia.maxBoxes);
    visit("iaSensitivity", r.ia.sensitivity);
    visit("iaIouThreshold", r.ia.iouThreshold);
    visit("iaOutputType", r.ia.outputType);
}

} // namespace

nivaro_sim::CameraScript scriptWith(const QStringList &settings)
{
    nivaro_sim::CameraScript script;
    script.hasInitialRegisters = true;
    for (const QString &setting : settings) {
        const QString name = setting.section(QLatin1Char('='), 0, 0);
        const QString text = setting.section(QLatin1Char('='), 1);
        bool isInteger = false;
        const qlonglong integer = text.toLongLong(&isInteger, 0); // decimal or 0x hexadecimal
        const double value = isInteger ? double(integer) : text.toDouble();
        bool found = false;
        const auto set = [&](const char *field, auto &member) {
            if (name == QLatin1String(field)) {
                member = static_cast<std::decay_t<decltype(member)>>(value);
                found = true;
            }
        };
        set("riscvVersion", script.riscvVersion);
        set("fpgaVersion", script.fpgaVersion);
        forEachRegister(script.initialRegisters, set);
        if (!found)
            qFatal("no register named %s", qPrintable(name));
    }
    return script;
}

QStringList holding(const nivaro_sim::Registers &registers, const QStringList &expected)
{
    QMap<QString, QString> all;
    forEachRegister(registers, [&all](const char *name, const auto &member) {
        all[QLatin1String(name)] = QString::number(member);
    });
    QStringList held;
    for (const QString &entry : expected) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        if (!all.contains(name))
            qFatal("no register named %s", qPrintable(name));
        held << name + '=' + all.value(name);
    }
    return held;
}
