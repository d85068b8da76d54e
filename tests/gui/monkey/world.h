#pragma once

// The episode's world: the ports a scan lists, the cameras on them and the SDK's
// configuration, drawn from the episode's dice with a few faults.

#include "camera_parameters.h"
#include "simulatedsdk.h"

#include <QtWidgets>

#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

using nivaro_sim::CameraScript;
constexpr int32_t int32Least = std::numeric_limits<int32_t>::min();
constexpr int32_t int32Most = std::numeric_limits<int32_t>::max();
constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// Values at and beyond every edge a configuration, a register or a control may have.
inline const std::vector<int32_t> edgeInt32s {
    0, 1, -1, 2, 3, 50, 100, 5000, 100000, int32Least, int32Least + 1, int32Most, int32Most - 1};
inline const std::vector<uint32_t> edgeUint32s {
    0, 1, 4, 5, 1019, 1020, 1275, 1276, 65535, 65536, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
inline const std::vector<double> edgeDoubles {0,    -0.5,  0.45,   0.5,      1.25,
                                              2.5,  2.55,  4.05,   30000.4,  1e9,
                                              -1e9, 1e300, -1e300, infinity, notANumber};
inline const std::vector<float> edgeFloats {
    0.0f, 0.99f, 1.0f, 8.0f, 8.05f, 1e38f, -1e38f, float(infinity), float(notANumber)};
inline const std::vector<uint8_t> edgeBytes {0, 1, 2, 3, 4, 5, 100, 101, 255};

inline bool percent(QRandomGenerator &dice, int chance)
{
    return dice.bounded(100) < chance;
}

template<typename List> auto pick(QRandomGenerator &dice, const List &values)
{
    return *std::next(std::begin(values), dice.bounded(int(std::size(values))));
}

inline QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

struct Setup
{
    QStringList ports; // what the scan lists
    std::map<QString, CameraScript> scripts;
    bool expertMode = true;
    QStringList notes; // what the faults did, for a failure report
};

inline CameraScript &somePort(QRandomGenerator &dice, Setup &setup)
{
    // With no port listed the script goes nowhere the program can reach, which is fine.
    return setup.scripts[setup.ports.isEmpty() ? QStringLiteral("COM3") : pick(dice, setup.ports)];
}

// Now and then an edge value of its type into the field, noted under its name on the newest note; a
// record's fields each in turn. Switches have no edge beyond their two values.
template<typename Value>
void drawEdge(QRandomGenerator &dice, Setup &setup, const QString &name, Value &field)
{
    if constexpr (std::is_class_v<Value>) {
        nivaro_sim::forEachField(field, [&](const char *member, auto &value) {
            drawEdge(dice, setup, name + '.' + QLatin1String(member), value);
        });
    } else if constexpr (!std::is_same_v<Value, bool>) {
        if (percent(dice, 40)) {
            field = pick(dice,
                         std::get<const std::vector<Value> &>(std::tie(
                             edgeInt32s, edgeUint32s, edgeDoubles, edgeFloats, edgeBytes)));
            setup.notes.last() += ' ' + name + ' ' + number(double(field));
        }
    }
}

// Every register of the stand-in's table, so that a new one gets its edges too.
inline void extremeRegisters(QRandomGenerator &dice, Setup &setup)
{
    CameraScript &script = somePort(dice, setup);
    script.hasInitialRegisters = true;
#define VELMORA_MONKEY_REGISTER(type, key, ...)                                                    \
    drawEdge(dice, setup, QStringLiteral(#key), script.initialRegisters.key);
    NIVARO_SIM_REGISTERS(VELMORA_MONKEY_REGISTER)
#undef VELMORA_MONKEY_REGISTER
}

inline void extremeExpertBounds(QRandomGenerator &dice, Setup &setup)
{
    nivaro_sdk::INivaroConfig &c = nivaro_sim::configuration();
#define VELMORA_MONKEY_EXPERT(key, Name)                                                           \
    drawEdge(dice, setup, QStringLiteral("current" #Name), c.current##Name);                       \
    drawEdge(dice, setup, QStringLiteral(#key "Min"), c.key##Min);                                 \
    drawEdge(dice, setup, QStringLiteral(#key "Max"), c.key##Max);
    NIVARO_SIM_EXPERT(VELMORA_MONKEY_EXPERT)
#undef VELMORA_MONKEY_EXPERT
}

// Every default of the stand-in's table, likewise.
inline void extremeDefaults(QRandomGenerator &dice, Setup &setup)
{
#define VELMORA_MONKEY_DEFAULT(type, key, ...)                                                     \
    drawEdge(dice, setup, QStringLiteral(#key), nivaro_sim::configurationValues().key);
    NIVARO_SIM_DEFAULTS(VELMORA_MONKEY_DEFAULT)
#undef VELMORA_MONKEY_DEFAULT
}

// One kind of trouble the outside world can bring; an episode draws a few.
struct Fault
{
    const char *name;
    std::function<void(QRandomGenerator &, Setup &)> apply;
};

// A fault that is one switch of some camera's script.
inline Fault turned(const char *name, bool CameraScript::*member, bool value = true)
{
    return {name,
            [member, value](QRandomGenerator &d, Setup &s) { somePort(d, s).*member = value; }};
}

inline const std::vector<Fault> faults {
    {"refusing setters",
     [](QRandomGenerator &d, Setup &s) {
         CameraScript &script = somePort(d, s);
         for (int count = 1 + d.bounded(6); count > 0; --count)
             script.refusedSetters.insert(pick(d, nivaro_sim::refusableSetters()));
     }},
    turned("silent from the start", &CameraScript::silent),
    {"silent after N calls",
     [](QRandomGenerator &d, Setup &s) { somePort(d, s).silentAfterCalls = d.bounded(120); }},
    turned("failing type query", &CameraScript::typeQueryFails),
    turned("absent camera", &CameraScript::present, false),
    turned("failing IA read", &CameraScript::iaReadFails),
    turned("failing NUC request", &CameraScript::nucRequestFails),
    {"other camera type",
     [](QRandomGenerator &d, Setup &s) {
         somePort(d, s).cameraType = pick(d, std::vector<uint8_t> {0, 5, 11, 13, 255});
     }},
    {"zero version words",
     [](QRandomGenerator &d, Setup &s) {
         CameraScript &script = somePort(d, s);
         script.riscvVersion = 0;
         script.fpgaVersion = percent(d, 50) ? 0 : 0x0120;
     }},
    {"expert mode off", [](QRandomGenerator &, Setup &s) { s.expertMode = false; }},
    {"link type not UART",
     [](QRandomGenerator &d, Setup &) {
         nivaro_sim::ConfigurationValues &values = nivaro_sim::configurationValues();
         values.linkType = pick(d, std::vector<std::string> {"uart", "UART ", "USB", ""});
         values.linkTypeIsNull = percent(d, 30);
     }},
    {"no serial port", [](QRandomGenerator &, Setup &s) { s.ports.clear(); }},
    {"extreme registers", extremeRegisters},
    {"extreme Expert bounds", extremeExpertBounds},
    {"extreme defaults", extremeDefaults},
};

// Draws the episode's world and hands it to the simulated SDK.
inline Setup prepare(QRandomGenerator &dice, SimulatedSdk &sdk)
{
    Setup setup;
    QStringList names {"COM1", "COM3", "COM4", "COM7", "COM10", "/dev/ttyUSB0"};
    for (int count = 1 + dice.bounded(3); count > 0; --count)
        setup.ports << names.takeAt(dice.bounded(int(names.size())));
    for (int count = dice.bounded(4); count > 0; --count) {
        const Fault &fault = pick(dice, faults);
        setup.notes << QString::fromLatin1(fault.name);
        fault.apply(dice, setup);
    }
    sdk.configuration().expertMode = setup.expertMode;
    for (const auto &[port, script] : setup.scripts) {
        std::string refused;
        for (const std::string &setter : script.refusedSetters)
            refused += ' ' + setter;
        setup.notes << QString::asprintf(
            "%s: present %d type %d silent %d after %ld type query fails %d IA read fails %d NUC "
            "fails %d versions %d/%d own registers %d refuses%s",
            qPrintable(port), script.present, script.cameraType, script.silent,
            script.silentAfterCalls, script.typeQueryFails, script.iaReadFails,
            script.nucRequestFails, script.riscvVersion, script.fpgaVersion,
            script.hasInitialRegisters, refused.c_str());
        sdk.scriptPort(port, script);
    }
    return setup;
}
