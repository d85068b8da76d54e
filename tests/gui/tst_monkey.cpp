#include "modalanswerer.h"
#include "simulatedsdk.h"
#include "simulator_control.h"
#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <random>
#include <vector>

// Random users on the real window against randomly faulty cameras. Each episode scripts a
// fresh simulated SDK and builds a fresh window, then makes random moves a user could make
// (enabled controls on the page shown only), answers every box at random, and after every
// move checks the window against the camera's answers and the SDK's log.
//
// VELMORA_MONKEY_SEED picks the run, VELMORA_MONKEY_ACTIONS its length (20000 moves);
// VELMORA_MONKEY_REPLAY replays the short move list a failure prints.
class tst_Monkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomMovesKeepTheWindowConsistent();
};

namespace {

using nivaro_sim::CameraScript;
constexpr int32_t int32Least = std::numeric_limits<int32_t>::min();
constexpr int32_t int32Most = std::numeric_limits<int32_t>::max();
constexpr uint32_t uint32Most = std::numeric_limits<uint32_t>::max();

// The same moves from the same seed with every compiler: <random>'s distributions differ
// between standard libraries, its engines do not.
class Dice
{
public:
    explicit Dice(quint64 seed) : engine(seed) { }
    quint64 next() { return engine(); }
    int below(int count) { return int(engine() % quint64(count)); }
    bool percent(int chance) { return below(100) < chance; }
    template<typename Value> Value pick(const std::vector<Value> &values)
    {
        return values[std::size_t(below(int(values.size())))];
    }

private:
    std::mt19937_64 engine;
};

// Values at and beyond every edge a configuration, a register or a control may have.
const std::vector<int32_t> edgeInt32s {
    0, 1, -1, 2, 3, 50, 100, 5000, 100000, int32Least, int32Least + 1, int32Most, int32Most - 1};
const std::vector<uint32_t> edgeUint32s {
    0, 1, 4, 5, 1019, 1020, 1275, 1276, 65535, 65536, 0x7FFFFFFF, 0x80000000, uint32Most};
const std::vector<double> edgeDoubles {0,
                                       -0.5,
                                       0.45,
                                       0.5,
                                       1.25,
                                       2.5,
                                       2.55,
                                       4.05,
                                       30000.4,
                                       1e9,
                                       -1e9,
                                       1e300,
                                       -1e300,
                                       std::numeric_limits<double>::infinity(),
                                       std::numeric_limits<double>::quiet_NaN()};
const std::vector<float> edgeFloats {0.0f,
                                     0.99f,
                                     1.0f,
                                     8.0f,
                                     8.05f,
                                     1e38f,
                                     -1e38f,
                                     std::numeric_limits<float>::infinity(),
                                     std::numeric_limits<float>::quiet_NaN()};
const std::vector<uint8_t> edgeBytes {0, 1, 2, 3, 4, 5, 100, 101, 255};

// ---- The episode's world: ports, camera scripts and configuration ----

struct Setup
{
    QStringList ports; // what the scan lists
    std::map<QString, CameraScript> scripts;
    bool expertMode = true;
    QStringList notes; // what the faults did, for a failure report
};

CameraScript &somePort(Dice &dice, Setup &setup)
{
    // With no port listed the script goes nowhere the program can reach, which is fine.
    const int count = int(setup.ports.size());
    return setup.scripts[count == 0 ? QStringLiteral("COM3") : setup.ports[dice.below(count)]];
}

void refuseSetters(Dice &dice, Setup &setup)
{
    static const QStringList setters
        = QStringLiteral(
              "SetGamma SetClhe SetSharpening SetPolarity SetRoiX1 SetRoiX2 SetRoiY1 SetRoiY2 "
              "SetContrastType ConfigureZoom SetHorizontalFlip SetVerticalFlip SetNucEnabled "
              "SetGsk "
              "SetVignettingCorrection SetColumnCorrection SetGfid SetGms SetTint SetBpr "
              "SetIaConfig "
              "SetGainCorrection SetOffsetCorrection")
              .split(QLatin1Char(' '));
    CameraScript &script = somePort(dice, setup);
    for (int count = 1 + dice.below(6); count > 0; --count)
        script.refusedSetters.insert(setters.value(dice.below(int(setters.size()))).toStdString());
}

QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// Puts edge values into some of the fields, noting each one put under its name (the names
// given space-separated, in the fields' order).
template<typename Value>
void drawEdges(Dice &dice, QStringList &notes, const char *names,
               std::initializer_list<Value *> fields, const std::vector<Value> &values)
{
    const QStringList named = QString::fromLatin1(names).split(QLatin1Char(' '));
    int index = 0;
    for (Value *field : fields) {
        if (dice.percent(40)) {
            *field = dice.pick(values);
            notes << named.value(index) + ' ' + number(double(*field));
        }
        ++index;
    }
}

void extremeRegisters(Dice &dice, Setup &setup)
{
    CameraScript &script = somePort(dice, setup);
    script.hasInitialRegisters = true;
    nivaro_sim::Registers &r = script.initialRegisters;
    QStringList drawn;
    drawEdges<uint32_t>(dice, drawn, "gamma clhe sharpening roiX1 roiY1 roiX2 roiY2",
                        {&r.gamma, &r.clhe, &r.sharpening, &r.roiX1, &r.roiY1, &r.roiX2, &r.roiY2},
                        edgeUint32s);
    drawEdges<int32_t>(dice, drawn, "gsk gfid gms tint zoom.centerX zoom.centerY",
                       {&r.gsk, &r.gfid, &r.gms, &r.tint, &r.zoom.centerX, &r.zoom.centerY},
                       edgeInt32s);
    drawEdges<uint8_t>(dice, drawn,
                       "contrastType nucEnabled zoom.method ia.resizeMode ia.maxBoxes "
                       "ia.sensitivity ia.iou ia.outputType",
                       {&r.contrastType, &r.nucEnabled, &r.zoom.interpolationMethod,
                        &r.ia.resizeMode, &r.ia.maxBoxes, &r.ia.sensitivity, &r.ia.iouThreshold,
                        &r.ia.outputType},
                       edgeBytes);
    drawEdges<float>(dice, drawn, "zoom.factor", {&r.zoom.zoomFactor}, edgeFloats);
    setup.notes << "registers " + drawn.join(QStringLiteral(", "));
}

void extremeExpertBounds(Dice &dice, Setup &setup)
{
    nivaro_sdk::INivaroConfig &c = nivaro_sim::configuration();
    QStringList drawn;
    drawEdges<int32_t>(dice, drawn,
                       "currentGsk gskMin gskMax currentGfid gfidMin gfidMax currentTint tintMin "
                       "tintMax currentGms gmsMin gmsMax",
                       {&c.currentGsk, &c.gskMin, &c.gskMax, &c.currentGfid, &c.gfidMin, &c.gfidMax,
                        &c.currentTint, &c.tintMin, &c.tintMax, &c.currentGms, &c.gmsMin,
                        &c.gmsMax},
                       edgeInt32s);
    setup.notes << "Expert " + drawn.join(QStringLiteral(", "));
}

void extremeDefaults(Dice &dice, Setup &setup)
{
    nivaro_sim::ConfigurationValues &v = nivaro_sim::configurationValues();
    QStringList drawn;
    drawEdges<double>(dice, drawn, "gamma clhe sharpening roiX1 roiY1 roiX2 roiY2",
                      {&v.gamma, &v.clhe, &v.sharpening, &v.roiX1, &v.roiY1, &v.roiX2, &v.roiY2},
                      edgeDoubles);
    drawEdges<int32_t>(dice, drawn, "gsk gfid tint gms zoomCenterX zoomCenterY",
                       {&v.gsk, &v.gfid, &v.tint, &v.gms, &v.zoomCenterX, &v.zoomCenterY},
                       edgeInt32s);
    drawEdges<uint8_t>(
        dice, drawn,
        "contrastType zoomMethod iaMaxBoxes iaSensitivity iaIou iaResizeMode iaOutputType",
        {&v.contrastType, &v.zoomMethod, &v.iaMaxBoxes, &v.iaSensitivity, &v.iaIou, &v.iaResizeMode,
         &v.iaOutputType},
        edgeBytes);
    drawEdges<float>(dice, drawn, "zoomFactor", {&v.zoomFactor}, edgeFloats);
    setup.notes << "defaults " + drawn.join(QStringLiteral(", "));
}

// One kind of trouble the outside world can bring; an episode draws a few.
struct Fault
{
    const char *name;
    std::function<void(Dice &, Setup &)> apply;
};

const std::vector<Fault> faults {
    {"refusing setters", refuseSetters},
    {"silent from the start", [](Dice &d, Setup &s) { somePort(d, s).silent = true; }},
    {"silent after N calls",
     [](Dice &d, Setup &s) { somePort(d, s).silentAfterCalls = d.below(120); }},
    {"failing type query", [](Dice &d, Setup &s) { somePort(d, s).typeQueryFails = true; }},
    {"absent camera", [](Dice &d, Setup &s) { somePort(d, s).present = false; }},
    {"failing IA read", [](Dice &d, Setup &s) { somePort(d, s).iaReadFails = true; }},
    {"failing NUC request", [](Dice &d, Setup &s) { somePort(d, s).nucRequestFails = true; }},
    {"other camera type",
     [](Dice &d, Setup &s) {
         somePort(d, s).cameraType = d.pick<uint8_t>({0, 5, 11, 13, 255});
     }},
    {"zero version words",
     [](Dice &d, Setup &s) {
         CameraScript &script = somePort(d, s);
         script.riscvVersion = 0;
         script.fpgaVersion = d.percent(50) ? 0 : 0x0120;
     }},
    {"expert mode off", [](Dice &, Setup &s) { s.expertMode = false; }},
    {"link type not UART",
     [](Dice &d, Setup &) {
         nivaro_sim::ConfigurationValues &values = nivaro_sim::configurationValues();
         values.linkType = d.pick<std::string>({"uart", "UART ", "USB", ""});
         values.linkTypeIsNull = d.percent(30);
     }},
    {"no serial port", [](Dice &, Setup &s) { s.ports.clear(); }},
    {"extreme registers", extremeRegisters},
    {"extreme Expert bounds", extremeExpertBounds},
    {"extreme defaults", extremeDefaults},
};

Setup prepare(quint64 seed)
{
    Dice dice(seed);
    Setup setup;
    QStringList names {"COM1", "COM3", "COM4", "COM7", "COM10", "/dev/ttyUSB0"};
    for (int count = 1 + dice.below(3); count > 0; --count)
        setup.ports << names.takeAt(dice.below(int(names.size())));
    for (int count = dice.below(4); count > 0; --count) {
        const Fault &fault = faults[std::size_t(dice.below(int(faults.size())))];
        setup.notes << QString::fromLatin1(fault.name);
        fault.apply(dice, setup);
    }
    nivaro_sim::configurationValues().expertMode = setup.expertMode;
    for (const auto &[port, script] : setup.scripts) {
        QStringList refused;
        for (const std::string &setter : script.refusedSetters)
            refused << QString::fromStdString(setter);
        setup.notes << QStringLiteral("%1: present %2 type %3 silent %4 after %5 type query "
                                      "fails %6 IA read fails %7 NUC fails %8 versions %9/%10 "
                                      "own registers %11 refuses %12")
                           .arg(port)
                           .arg(script.present)
                           .arg(script.cameraType)
                           .arg(script.silent)
                           .arg(script.silentAfterCalls)
                           .arg(script.typeQueryFails)
                           .arg(script.iaReadFails)
                           .arg(script.nucRequestFails)
                           .arg(script.riscvVersion)
                           .arg(script.fpgaVersion)
                           .arg(script.hasInitialRegisters)
                           .arg(refused.join(QLatin1Char(' ')));
        nivaro_sim::scriptPort(port.toStdString(), script);
    }
    return setup;
}

// ---- Moves ----

struct Move
{
    QString kind;
    QString target; // object name
    QString value;
    quint64 answers = 0; // seeds the answers to the boxes the move raises

    QString text() const
    {
        return QStringLiteral("%1(%2,%3)#%4").arg(kind, target, value).arg(answers);
    }
};

// The window's named controls, found once per episode: a lookup by name after every move
// would cost more than the move.
class Controls
{
public:
    explicit Controls(const MainWindow &window)
    {
        for (QWidget *widget : window.findChildren<QWidget *>()) {
            if (!widget->objectName().isEmpty() && widget->window() == &window) {
                inOrder << widget;
                byName.insert(widget->objectName(), widget);
            }
        }
    }

    template<typename Widget> Widget *get(const QString &name) const
    {
        auto *widget = qobject_cast<Widget *>(byName.value(name));
        if (!widget)
            qFatal("no %s named %s", Widget::staticMetaObject.className(), qPrintable(name));
        return widget;
    }

    // The controls of one class a user can reach now: enabled, on the page shown.
    template<typename Widget> QStringList reachable() const
    {
        QStringList names;
        for (QWidget *widget : inOrder) {
            if (qobject_cast<Widget *>(widget) && widget->isVisible() && widget->isEnabled())
                names << widget->objectName();
        }
        return names;
    }

private:
    QList<QWidget *> inOrder;
    QHash<QString, QWidget *> byName;
};

QStringList reachableSpinBoxes(const Controls &controls)
{
    return controls.reachable<QAbstractSpinBox>();
}

// The About dialog is a move of its own, made rarely: it is the one button always reachable
// while disconnected, and it reaches nothing else.
QStringList reachableButtons(const Controls &controls)
{
    QStringList names = controls.reachable<QPushButton>();
    names.removeOne(QStringLiteral("aboutButton"));
    return names;
}

// A value a drag or the arrows could aim at: anywhere between the ends, the ends, just
// beyond them, or far off.
QString anyPosition(Dice &dice, double minimum, double maximum)
{
    static const std::vector<double> farOff {
        0, double(int32Least), double(int32Most), 4294967295.0, 4294967296.0, 1e12};
    switch (dice.below(4)) {
    case 0:
        return number(dice.pick(farOff));
    case 1:
        return number(dice.pick<double>({minimum, maximum, minimum - 1, maximum + 1}));
    default:
        return number(minimum + (maximum - minimum) * dice.below(1001) / 1000);
    }
}

QString spinBoxAim(Dice &dice, QWidget *widget)
{
    if (auto *spin = qobject_cast<QDoubleSpinBox *>(widget)) {
        const double aim = anyPosition(dice, spin->minimum(), spin->maximum()).toDouble();
        return number(dice.percent(30) ? aim + dice.pick<double>({0.05, -0.05, 0.5}) : aim);
    }
    auto *spin = qobject_cast<QSpinBox *>(widget);
    return anyPosition(dice, spin->minimum(), spin->maximum());
}

// Keys a user may type into a spin box, sense or not.
QString typedText(Dice &dice, QWidget *)
{
    const double value = dice.percent(50) ? double(dice.pick(edgeInt32s))
                                          : double(dice.pick(edgeUint32s)) + dice.below(3);
    QString text = QString::number(value, 'f', dice.below(3));
    if (dice.percent(10))
        text.prepend(QLatin1Char('-'));
    return text;
}

// What the user can do: the controls each kind of move applies to, a value for it, and
// the move itself. Only button clicks may talk to the camera.
struct MoveKind
{
    const char *name;
    int weight;
    bool talksToCamera;
    std::function<QStringList(const Controls &)> targets;
    std::function<QString(Dice &, QWidget *)> value;
    // False when the value no longer fits the control (a shrunk replay).
    std::function<bool(QWidget *, const QString &)> perform;
};

bool click(QWidget *button, const QString &)
{
    qobject_cast<QAbstractButton *>(button)->click();
    return true;
}

const std::vector<MoveKind> moveKinds {
    {"click", 40, true, reachableButtons, [](Dice &, QWidget *) { return QString(); }, click},
    {"about", 1, false,
     [](const Controls &c) { return c.reachable<QPushButton>().filter("about"); },
     [](Dice &, QWidget *) { return QString(); }, click},
    {"tab", 10, false, [](const Controls &) { return QStringList {"tabWidget"}; },
     [](Dice &dice, QWidget *widget) {
         return QString::number(dice.below(qobject_cast<QTabWidget *>(widget)->count() + 1) - 1);
     },
     [](QWidget *widget, const QString &value) {
         QTabBar *bar = qobject_cast<QTabWidget *>(widget)->tabBar();
         const int index = value.toInt();
         if (index >= bar->count())
             return false;
         // The bar is only as wide as its tabs: a click beside them is what it reports so.
         if (index < 0)
             emit qobject_cast<QTabWidget *>(widget)->tabBarClicked(-1);
         else
             QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
         return true;
     }},
    {"tabkey", 3, false, [](const Controls &) { return QStringList {"tabWidget"}; },
     [](Dice &dice, QWidget *) { return QString::fromLatin1(dice.percent(50) ? "Left" : "Right"); },
     [](QWidget *widget, const QString &value) {
         QTest::keyClick(qobject_cast<QTabWidget *>(widget)->tabBar(),
                         value == "Left" ? Qt::Key_Left : Qt::Key_Right);
         return true;
     }},
    {"slide", 12, false, [](const Controls &c) { return c.reachable<QSlider>(); },
     [](Dice &dice, QWidget *widget) {
         auto *slider = qobject_cast<QSlider *>(widget);
         return anyPosition(dice, slider->minimum(), slider->maximum());
     },
     [](QWidget *widget, const QString &value) {
         qobject_cast<QSlider *>(widget)->setValue(
             int(std::clamp(value.toDouble(), double(int32Least), double(int32Most))));
         return true;
     }},
    {"spin", 12, false, reachableSpinBoxes, spinBoxAim,
     [](QWidget *widget, const QString &value) {
         if (auto *spin = qobject_cast<QDoubleSpinBox *>(widget))
             spin->setValue(value.toDouble());
         else
             qobject_cast<QSpinBox *>(widget)->setValue(
                 int(std::clamp(value.toDouble(), double(int32Least), double(int32Most))));
         return true;
     }},
    {"type", 8, false, reachableSpinBoxes, typedText,
     [](QWidget *widget, const QString &value) {
         auto *spin = qobject_cast<QAbstractSpinBox *>(widget);
         spin->selectAll();
         QTest::keyClicks(spin, value);
         QTest::keyClick(spin, Qt::Key_Return);
         return true;
     }},
    {"pick", 8, false, [](const Controls &c) { return c.reachable<QComboBox>(); },
     [](Dice &dice, QWidget *widget) {
         return QString::number(dice.below(qMax(1, qobject_cast<QComboBox *>(widget)->count())));
     },
     [](QWidget *widget, const QString &value) {
         auto *combo = qobject_cast<QComboBox *>(widget);
         if (value.toInt() >= combo->count())
             return false;
         combo->setCurrentIndex(value.toInt());
         return true;
     }},
    {"check", 7, false, [](const Controls &c) { return c.reachable<QCheckBox>(); },
     [](Dice &, QWidget *) { return QString(); }, click},
};

const MoveKind *kindNamed(const QString &name)
{
    for (const MoveKind &kind : moveKinds) {
        if (name == QLatin1String(kind.name))
            return &kind;
    }
    return nullptr;
}

std::optional<Move> randomMove(Dice &dice, const Controls &controls)
{
    int total = 0;
    std::vector<std::pair<const MoveKind *, QStringList>> open;
    for (const MoveKind &kind : moveKinds) {
        QStringList targets = kind.targets(controls);
        if (!targets.isEmpty()) {
            total += kind.weight;
            open.emplace_back(&kind, targets);
        }
    }
    int roll = dice.below(total);
    for (const auto &[kind, targets] : open) {
        if ((roll -= kind->weight) >= 0)
            continue;
        const QString target = targets.value(dice.below(int(targets.size())));
        auto *widget = controls.get<QWidget>(target);
        return Move {QString::fromLatin1(kind->name), target, kind->value(dice, widget),
                     dice.next() % 1000};
    }
    return std::nullopt;
}

// ---- What must hold after every move ----

// The connection bar and the pages, as the controller's table of enabled states says
// they stand after the moves made so far.
struct Expected
{
    bool scan = true;
    bool combo = true;
    bool connect = false;
    bool disconnect = false;
    bool userButtons = false;
    bool userPage = false;
    bool iaPage = false;
    bool iaTab = true;
    bool expertTab = true;

    void disconnected()
    {
        scan = combo = connect = true;
        disconnect = userButtons = userPage = iaPage = false;
    }

    // A Connect click, told by the SDK's answers in its trace.
    void connectAnswered(const QStringList &trace)
    {
        const QString typeQuery = trace.filter(QStringLiteral(".GetCameraType(")).value(0);
        if (typeQuery.isEmpty())
            return; // refused link type, or no camera on the port
        if (typeQuery.endsWith(QLatin1String("-> false"))) {
            disconnected();
            return;
        }
        // Zero version words leave the camera held but not confirmed: the bar stays as it
        // was, and the IA step still runs.
        if (trace.filter(QStringLiteral("riscvVersion=0, fpgaVersion=0}")).isEmpty()) {
            scan = combo = connect = false;
            disconnect = userButtons = userPage = true;
        }
        static const QRegularExpression type(QStringLiteral("GetCameraType\\(out (\\d+)\\)"));
        if (type.match(typeQuery).captured(1) == QLatin1String("12"))
            iaPage = true;
        else
            iaTab = false;
    }
};

QString enabledStateMismatch(const Controls &controls, const Expected &expected)
{
    // A control's own state, whatever its page's.
    const auto own = [&controls](const char *name) {
        auto *widget = controls.get<QWidget>(QLatin1String(name));
        return widget->isEnabledTo(widget->parentWidget());
    };
    const std::vector<std::pair<const char *, bool>> states {
        {"scanDeviceButton", expected.scan},
        {"selectDeviceComboBox", expected.combo},
        {"connectDeviceButton", expected.connect},
        {"disconnectDeviceButton", expected.disconnect},
        {"resetParamButtonUser", expected.userButtons},
        {"applyParamsButtonUser", expected.userButtons},
        {"readParamButtonUser", expected.userButtons},
        {"UserMode", expected.userPage},
        {"IAControl", expected.iaPage},
        {"ExpertMode", true},
        {"gskSlider", true},
        {"gfidSlider", true},
        {"gmsSlider", true},
        {"tintSlider", true},
    };
    QStringList wrong;
    for (const auto &[name, enabled] : states) {
        if (own(name) != enabled)
            wrong << QStringLiteral("%1 %2").arg(name, enabled ? "disabled" : "enabled");
    }
    QStringList shown;
    const auto *tabs = controls.get<QTabWidget>(QStringLiteral("tabWidget"));
    for (int index = 0; index < tabs->count(); ++index)
        shown << tabs->tabText(index);
    QStringList tabTexts {"User"};
    if (expected.iaTab)
        tabTexts << "IA control";
    if (expected.expertTab)
        tabTexts << "Expert";
    if (shown != tabTexts)
        wrong << "tabs " + shown.join(QLatin1Char('/'));
    return wrong.join(QStringLiteral(", "));
}

// Slider position a spin box value stands for, saturated to int.
int saturatedRound(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::clamp(std::round(value), double(int32Least), double(int32Most)));
}

struct Pair
{
    const char *slider;
    const char *spinBox;
    std::function<int(double)> position;
    // The GMS spin box reaches beyond its slider: a typed, read or stored value there
    // leaves the slider at the end it reached.
    bool spinBoxReachesBeyond;
};

const std::vector<Pair> pairs {
    {"gammaSlider", "gammaEdit", [](double v) { return saturatedRound((v - 0.5) * 10); }, false},
    {"sharpeningSlider", "sharpeningEdit", [](double v) { return saturatedRound(v * 10); }, false},
    {"clheSlider", "clheEdit", saturatedRound, false},
    {"gskSlider", "gskEdit", saturatedRound, false},
    {"gfidSlider", "gfidEdit", saturatedRound, false},
    {"gmsSlider", "gmsEdit", saturatedRound, true},
    {"tintSlider", "tintEdit", saturatedRound, false},
    {"nbBoxesSlider", "nbBoxesSpinBox", saturatedRound, false},
    {"iASensitivitySlider", "iASensitivitySpinBox", saturatedRound, false},
    {"interOverUnionSlider", "interOverUnionSpinBox", saturatedRound, false},
};

QString pairMismatch(const Controls &controls)
{
    QStringList wrong;
    for (const Pair &pair : pairs) {
        const auto *slider = controls.get<QSlider>(QLatin1String(pair.slider));
        const auto *spinBox = controls.get<QWidget>(QLatin1String(pair.spinBox));
        const auto *doubleSpin = qobject_cast<const QDoubleSpinBox *>(spinBox);
        const double value
            = doubleSpin ? doubleSpin->value() : qobject_cast<const QSpinBox *>(spinBox)->value();
        const int wanted = pair.position(value);
        const int at = slider->value();
        const bool atEndBeyond
            = (at == slider->maximum() && wanted > at) || (at == slider->minimum() && wanted < at);
        if (at != wanted && !(pair.spinBoxReachesBeyond && atEndBeyond))
            wrong << QStringLiteral("%1 at %2 (%3..%4), %5 shows %6")
                         .arg(pair.slider)
                         .arg(at)
                         .arg(slider->minimum())
                         .arg(slider->maximum())
                         .arg(pair.spinBox, number(value));
    }
    return wrong.join(QStringLiteral(", "));
}

// The camera operation behind each write step's OK/KO line.
const std::map<QString, QString> stepOperations {
    {"Set GAMMA value", "SetGamma"},
    {"Set CLHE value", "SetClhe"},
    {"Set SHARPENING value", "SetSharpening"},
    {"Set ROI X1 value", "SetRoiX1"},
    {"Set ROI Y1 value", "SetRoiY1"},
    {"Set ROI X2 value", "SetRoiX2"},
    {"Set ROI Y2 value", "SetRoiY2"},
    {"Set POLARITY value", "SetPolarity"},
    {"Configure Zoom", "ConfigureZoom"},
    {"Configure contrast type", "SetContrastType"},
    {"Enable NUC", "SetNucEnabled"},
    {"Set IMAGE horizontal FLIP value", "SetHorizontalFlip"},
    {"Set IMAGE vertical FLIP value", "SetVerticalFlip"},
    {"Set vignetting correction value", "SetVignettingCorrection"},
    {"Set column correction value", "SetColumnCorrection"},
    {"Set GSK value", "SetGsk"},
    {"Set GFID value", "SetGfid"},
    {"Set TINT value", "SetTint"},
    {"Set GMS value", "SetGms"},
    {"Set BPR value", "SetBpr"},
    {"Set Offset correction value", "SetOffsetCorrection"},
    {"Set Gain correction value", "SetGainCorrection"},
    {"Set IA config", "SetIaConfig"},
};

// Each OK/KO line, in order, is the answer of the camera setter called for it.
QString stepMismatch(const QStringList &log, const QStringList &trace)
{
    static const QRegularExpression setterCall(QStringLiteral(
        "^(?:returned )?camera\\[[^\\]]*\\]\\.((?:Set|ConfigureZoom)\\w*)\\(.*\\) -> "
        "(true|false)$"));
    QStringList called;
    for (const QString &line : trace) {
        const QRegularExpressionMatch call = setterCall.match(line);
        if (call.hasMatch())
            called << call.captured(1) + (call.captured(2) == "true" ? " OK" : " KO");
    }
    QStringList logged;
    for (const QString &line : log) {
        if (!line.endsWith(QLatin1String(" OK")) && !line.endsWith(QLatin1String(" KO")))
            continue;
        const auto step = stepOperations.find(line.chopped(3));
        logged << (step == stepOperations.end() ? "unknown step " + line
                                                : step->second + line.right(3));
    }
    if (called == logged)
        return {};
    return QStringLiteral("camera answered [%1], log says [%2]")
        .arg(called.join(", "), logged.join(", "));
}

// What came into the pane since the move began: its blocks from the last one, which was
// the empty line after the newest message.
QString paneTextFrom(const QPlainTextEdit &pane, int firstBlock)
{
    QStringList lines;
    for (QTextBlock block = pane.document()->findBlockByNumber(firstBlock); block.isValid();
         block = block.next())
        lines << block.text();
    return lines.join(QLatin1Char('\n'));
}

struct Failure
{
    int move = -1; // index in the moves made
    QString check;
    QString detail;
};

// One episode: its moves either given (a replay) or drawn as it goes.
class Episode
{
public:
    Episode(quint64 seed, std::optional<QVector<Move>> given = std::nullopt)
        : seed(seed), given(std::move(given))
    { }

    // Runs until the episode's end or the first failed check.
    std::optional<Failure> run(int length);
    const QVector<Move> &moves() const { return made; }
    const Setup &setup() const { return world; }

private:
    std::optional<Failure> checkAfter(const Move &move, const SimulatedSdk &sdk,
                                      const SimulatedSdk::Mark &mark, const Controls &controls,
                                      const QPlainTextEdit &pane, int paneBlocks);

    quint64 seed;
    std::optional<QVector<Move>> given;
    QVector<Move> made;
    Setup world;
    Expected expected;
    int tabClicked = -2;
};

std::optional<Failure> Episode::run(int length)
{
    SimulatedSdk simulated;
    world = prepare(seed);
    std::unique_ptr<MainWindow> window = SimulatedSdk::makeWindow(world.ports);
    window->show();
    const Controls found(*window);
    expected = Expected {};
    expected.expertTab = world.expertMode;
    QObject::connect(found.get<QTabWidget>(QStringLiteral("tabWidget")), &QTabWidget::tabBarClicked,
                     [this](int index) { tabClicked = index; });
    const auto *pane = found.get<QPlainTextEdit>(QStringLiteral("logView"));

    ModalAnswerer answerer;
    Dice answers(0);
    answerer.setChooser([&answers](int buttons) { return answers.below(buttons); });
    Dice dice(seed ^ 0x9E3779B97F4A7C15u);
    const int count = given ? given->size() : length;
    for (int index = 0; index < count; ++index) {
        std::optional<Move> move = given ? given->at(index) : randomMove(dice, found);
        if (!move)
            break;
        const MoveKind *kind = kindNamed(move->kind);
        // A shrunk replay may reach a state where the user could not make the move.
        if (!kind || !kind->targets(found).contains(move->target))
            continue;
        auto *target = found.get<QWidget>(move->target);
        const SimulatedSdk::Mark mark = simulated.mark();
        const int paneBlocks = pane->blockCount();
        tabClicked = -2;
        answers = Dice(move->answers);
        if (!kind->perform(target, move->value))
            continue;
        made << *move;
        // What the program's event loop would do next: paint, and delete closed boxes.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (std::optional<Failure> failure
            = checkAfter(*move, simulated, mark, found, *pane, paneBlocks))
            return failure;
    }

    // Closing the window gives nothing back and calls nothing.
    const SimulatedSdk::Mark mark = simulated.mark();
    window.reset();
    if (!simulated.traceSince(mark).isEmpty())
        return Failure {int(made.size()) - 1, "closing",
                        simulated.traceSince(mark).join(QLatin1Char('\n'))};
    return std::nullopt;
}

std::optional<Failure> Episode::checkAfter(const Move &move, const SimulatedSdk &sdk,
                                           const SimulatedSdk::Mark &mark, const Controls &controls,
                                           const QPlainTextEdit &pane, int paneBlocks)
{
    const QStringList trace = sdk.traceSince(mark);
    const QStringList log = sdk.logTextsSince(mark);
    const int at = int(made.size()) - 1;
    const auto fail = [at](const char *check, const QString &detail) {
        return std::optional<Failure>(Failure {at, QString::fromLatin1(check), detail});
    };

    if (move.kind == "click" && move.target == "scanDeviceButton" && !world.ports.isEmpty())
        expected.connect = expected.combo = true;
    if (move.kind == "click" && move.target == "connectDeviceButton")
        expected.connectAnswered(trace);
    if (move.kind == "click" && move.target == "disconnectDeviceButton")
        expected.disconnected();
    // The tab rule: while connected, a click on a tab decides the User buttons.
    if (tabClicked >= 0 && !expected.scan)
        expected.userButtons = tabClicked == 0;

    const QString states = enabledStateMismatch(controls, expected);
    if (!states.isEmpty())
        return fail("enabled states", states);
    const QString pairState = pairMismatch(controls);
    if (!pairState.isEmpty())
        return fail("pairs", pairState);

    QString logged;
    for (const QString &text : log)
        logged += text + '\n';
    const QString added = paneTextFrom(pane, paneBlocks - 1);
    if (added != logged)
        return fail("log pane",
                    QStringLiteral("pane got:\n%1\nSDK log got:\n%2").arg(added, logged));
    const QString steps = stepMismatch(log, trace);
    if (!steps.isEmpty())
        return fail("OK/KO lines", steps);

    const std::vector<std::string> uses = nivaro_sim::usesAfterHandBack();
    if (!uses.empty())
        return fail("hand-back", QString::fromStdString(uses.front()));
    if (!kindNamed(move.kind)->talksToCamera && !(trace.isEmpty() && log.isEmpty()))
        return fail("local move", (trace + log).join(QLatin1Char('\n')));
    return std::nullopt;
}

// ---- Replay text and shrinking ----

QString replayText(quint64 seed, const QVector<Move> &moves)
{
    QStringList texts;
    for (const Move &move : moves)
        texts << move.text();
    return QString::number(seed) + ':' + texts.join(QLatin1Char(';'));
}

std::optional<std::pair<quint64, QVector<Move>>> parseReplay(const QString &text)
{
    static const QRegularExpression token(QStringLiteral("^(\\w+)\\(([^,]*),([^)]*)\\)#(\\d+)$"));
    const int colon = text.indexOf(QLatin1Char(':'));
    bool seedRead = false;
    const quint64 seed = text.left(colon).toULongLong(&seedRead);
    if (colon < 0 || !seedRead)
        return std::nullopt;
    QVector<Move> moves;
    for (const QString &part : text.mid(colon + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = token.match(part.trimmed());
        if (!match.hasMatch())
            return std::nullopt;
        moves << Move {match.captured(1), match.captured(2), match.captured(3),
                       match.captured(4).toULongLong()};
    }
    return std::make_pair(seed, moves);
}

// The shortest move list found, dropping one move at a time, that still fails the same check.
QVector<Move> shrink(quint64 seed, QVector<Move> moves, const QString &check)
{
    for (bool dropped = true; dropped;) {
        dropped = false;
        for (int index = int(moves.size()) - 1; index >= 0; --index) {
            QVector<Move> fewer = moves;
            fewer.remove(index);
            Episode attempt(seed, fewer);
            const std::optional<Failure> failure = attempt.run(0);
            if (failure && failure->check == check) {
                moves = attempt.moves().mid(0, failure->move + 1);
                dropped = true;
                index = qMin(index, int(moves.size()));
            }
        }
    }
    return moves;
}

QString report(quint64 seed, const Episode &episode, const Failure &failure,
               const QVector<Move> &shortest)
{
    Episode again(seed, shortest);
    const Failure shown = again.run(0).value_or(failure);
    return QStringLiteral("check \"%1\" failed: %2\nsetup: ports %3; %4\nreplay with "
                          "VELMORA_MONKEY_REPLAY=\"%5\"\n(%6 moves before shrinking)")
        .arg(shown.check, shown.detail, episode.setup().ports.join(QLatin1Char(' ')),
             episode.setup().notes.join(QStringLiteral("; ")), replayText(seed, shortest))
        .arg(failure.move + 1);
}

QtMessageHandler testLogHandler = nullptr;

void dropOffscreenNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support propagateSizeHints")))
        testLogHandler(type, context, message);
}

} // namespace

void tst_Monkey::initTestCase()
{
    // The offscreen platform says it on every box it shows: thousands of lines that would
    // bury a failure.
    testLogHandler = qInstallMessageHandler(dropOffscreenNotes);
}

void tst_Monkey::randomMovesKeepTheWindowConsistent()
{
    const QByteArray replay = qgetenv("VELMORA_MONKEY_REPLAY");
    if (!replay.isEmpty()) {
        const auto parsed = parseReplay(QString::fromLatin1(replay));
        QVERIFY2(parsed, "VELMORA_MONKEY_REPLAY is not SEED:kind(target,value)#answers;...");
        Episode episode(parsed->first, parsed->second);
        const std::optional<Failure> failure = episode.run(0);
        QVERIFY2(!failure,
                 failure ? qPrintable(report(parsed->first, episode, *failure, episode.moves()))
                         : "");
        return;
    }

    bool seedGiven = false;
    quint64 seed = qEnvironmentVariable("VELMORA_MONKEY_SEED").toULongLong(&seedGiven);
    if (!seedGiven)
        seed = QRandomGenerator::system()->generate64();
    bool countGiven = false;
    int total = qEnvironmentVariableIntValue("VELMORA_MONKEY_ACTIONS", &countGiven);
    if (!countGiven)
        total = 20000;
    qInfo("monkey seed %llu (VELMORA_MONKEY_SEED), %d moves (VELMORA_MONKEY_ACTIONS)", seed, total);

    Dice episodes(seed);
    int made = 0;
    int episodeCount = 0;
    while (made < total) {
        const quint64 episodeSeed = episodes.next();
        const int length = qMin(total - made, 10 + episodes.below(111));
        Episode episode(episodeSeed);
        const std::optional<Failure> failure = episode.run(length);
        made += qMax(1, int(episode.moves().size()));
        ++episodeCount;
        if (failure) {
            const QVector<Move> shortest
                = shrink(episodeSeed, episode.moves().mid(0, failure->move + 1), failure->check);
            QFAIL(qPrintable(QStringLiteral("seed %1, episode %2:\n").arg(seed).arg(episodeCount)
                             + report(episodeSeed, episode, *failure, shortest)));
        }
    }
    qInfo("%d moves in %d episodes", made, episodeCount);
}

QTEST_MAIN(tst_Monkey)
#include "tst_monkey.moc"
