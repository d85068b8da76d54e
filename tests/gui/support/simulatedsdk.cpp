#include "simulatedsdk.h"

#include "ui/mainwindow.h"

#include <QAbstractButton>
#include <QtTest>

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

SimulatedSdk::Clicked SimulatedSdk::clickAndCollect(QWidget &window, const char *buttonName,
                                                    QMessageBox::StandardButton answer) const
{
    const Mark from = mark();
    ModalAnswerer answerer(answer);
    click(window, buttonName);
    return {logTextsSince(from), traceSince(from), answerer.shown()};
}

namespace {

// Calls visit(name, member) for every register, each named as the configuration default that
// starts it ("zoomMethod", "iaIou"); the four that no default starts, by their own names.
template<typename Registers, typename Visit> void forEachRegister(Registers &r, Visit &&visit)
{
#define NIVARO_SIM_VISIT(type, key, getter, member, conversion) visit(#key, r.member);
    NIVARO_SIM_DEFAULTS(NIVARO_SIM_VISIT)
#undef NIVARO_SIM_VISIT
    visit("nucEnabled", r.nucEnabled);
    visit("bpr", r.bpr);
    visit("offsetCorrection", r.offsetCorrection);
    visit("gainCorrection", r.gainCorrection);
}

// Gives each setting's value to the member that forEach(set) names so; a name of no member
// fails the test row.
template<typename ForEach> void assign(const Settings &settings, ForEach &&forEach)
{
    for (const Setting &setting : settings) {
        bool found = false;
        forEach([&](const char *field, auto &member) {
            if (setting.name == field) {
                member = static_cast<std::decay_t<decltype(member)>>(setting.value.toDouble());
                found = true;
            }
        });
        if (!found)
            QTest::qFail(("nothing named " + setting.name).constData(), __FILE__, __LINE__);
    }
}

} // namespace

void SimulatedSdk::setDefaults(const Settings &settings)
{
    assign(settings, [this](auto &&set) {
#define NIVARO_SIM_SET(type, key, ...) set(#key, configuration().key);
        NIVARO_SIM_DEFAULTS(NIVARO_SIM_SET)
#undef NIVARO_SIM_SET
    });
}

nivaro_sim::CameraScript scriptWith(const Settings &settings)
{
    nivaro_sim::CameraScript script;
    script.hasInitialRegisters = true;
    assign(settings, [&script](auto &&set) {
        set("riscvVersion", script.riscvVersion);
        set("fpgaVersion", script.fpgaVersion);
        forEachRegister(script.initialRegisters, set);
    });
    return script;
}

nivaro_sim::CameraScript scriptRefusing(const QString &refused)
{
    nivaro_sim::CameraScript script;
    if (!refused.isEmpty())
        script.refusedSetters = {refused.toStdString()};
    return script;
}

QString setterIn(const QString &traceLine)
{
    return traceLine.section(QLatin1Char('.'), 1).section(QLatin1Char('('), 0, 0);
}

QStringList refusedAt(QStringList lines, int refused)
{
    if (refused >= 0) {
        QString &line = lines[refused];
        if (line.endsWith(QLatin1String(" OK")))
            line.replace(line.size() - 2, 2, QStringLiteral("KO"));
        else
            line.replace(QStringLiteral("-> true"), QStringLiteral("-> false"));
    }
    return lines;
}

Settings holding(const nivaro_sim::Registers &registers, const Settings &expected)
{
    Settings held;
    for (const Setting &setting : expected) {
        QVariant value = QStringLiteral("<no such register>");
        forEachRegister(registers, [&](const char *name, const auto &member) {
            if (setting.name == name)
                value = double(member);
        });
        held << Setting {setting.name, value};
    }
    return held;
}
