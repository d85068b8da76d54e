#pragma once

// What a user can do on the window: the moves, the controls they reach and the drawing of
// one move a user could make now.

#include "world.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

struct Move
{
    QString kind, target, value; // the target by its object name
    quint32 answers = 0; // seeds the answers to the boxes the move raises
};

// A value as a position of a control: rounded, saturated to int.
inline int saturatedRound(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::clamp(std::round(value), double(int32Least), double(int32Most)));
}

// The controls of one class a user can reach now: named, enabled, on the page shown.
template<typename Widget> QStringList reachable(const QWidget &window)
{
    QStringList names;
    for (const Widget *widget : window.findChildren<Widget *>()) {
        if (widget->window() == &window && widget->isVisible() && widget->isEnabled()
            && !widget->objectName().isEmpty())
            names << widget->objectName();
    }
    return names;
}

// A value a drag or the arrows could aim at: anywhere between the control's ends, the ends,
// just beyond them, or far off; for a double spin box, now and then off its decimals.
inline QString anyPosition(QRandomGenerator &dice, QWidget *control)
{
    const double minimum = control->property("minimum").toDouble();
    const double maximum = control->property("maximum").toDouble();
    double aim = minimum + (maximum - minimum) * dice.bounded(1001) / 1000;
    if (percent(dice, 25))
        aim = pick(dice,
                   std::vector<double> {0, double(int32Least), double(int32Most), 4294967295.0,
                                        4294967296.0, 1e12});
    else if (percent(dice, 33))
        aim = pick(dice, std::vector<double> {minimum, maximum, minimum - 1, maximum + 1});
    if (qobject_cast<QDoubleSpinBox *>(control) && percent(dice, 30))
        aim += pick(dice, std::vector<double> {0.05, -0.05, 0.5});
    return number(aim);
}

// Sets a slider or a spin box as a program would.
inline void setValue(QWidget *control, const QString &value)
{
    if (qobject_cast<QDoubleSpinBox *>(control))
        control->setProperty("value", value.toDouble());
    else
        control->setProperty("value", saturatedRound(value.toDouble()));
}

// Keys a user may type into a spin box, sense or not.
inline QString typedText(QRandomGenerator &dice, QWidget *)
{
    const double value = percent(dice, 50) ? double(pick(dice, edgeInt32s))
                                           : double(pick(dice, edgeUint32s)) + dice.bounded(3);
    QString text = QString::number(value, 'f', dice.bounded(3));
    if (percent(dice, 10))
        text.prepend(QLatin1Char('-'));
    return text;
}

// What the user can do: the controls each kind of move applies to, a value for it (none
// when empty), and the move itself, which does nothing with a value that no longer fits
// (a shrunk replay's). Only button clicks may talk to the camera.
struct MoveKind
{
    const char *name;
    int weight;
    bool talksToCamera;
    std::function<QStringList(const QWidget &)> targets;
    std::function<QString(QRandomGenerator &, QWidget *)> value;
    std::function<void(QWidget *, const QString &)> perform;
};

inline void click(QWidget *button, const QString &)
{
    qobject_cast<QAbstractButton *>(button)->click();
}

inline const std::vector<MoveKind> moveKinds {
    // The About dialog is a move of its own, made rarely: it is the one button always
    // reachable while disconnected, and it reaches nothing else.
    {"click", 40, true,
     [](const QWidget &w) {
         QStringList names = reachable<QPushButton>(w);
         names.removeOne(QStringLiteral("aboutButton"));
         return names;
     },
     nullptr, click},
    {"about", 1, false, [](const QWidget &w) { return reachable<QPushButton>(w).filter("about"); },
     nullptr, click},
    {"tab", 10, false, [](const QWidget &) { return QStringList {"tabWidget"}; },
     [](QRandomGenerator &dice, QWidget *widget) {
         return QString::number(dice.bounded(qobject_cast<QTabWidget *>(widget)->count() + 1) - 1);
     },
     [](QWidget *widget, const QString &value) {
         QTabBar *bar = qobject_cast<QTabWidget *>(widget)->tabBar();
         const int index = value.toInt();
         // The bar is only as wide as its tabs: a click beside them is what it reports so.
         if (index < 0)
             emit qobject_cast<QTabWidget *>(widget)->tabBarClicked(-1);
         else if (index < bar->count())
             QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
     }},
    {"tabkey", 3, false, [](const QWidget &) { return QStringList {"tabWidget"}; },
     [](QRandomGenerator &dice, QWidget *) {
         return QString::fromLatin1(percent(dice, 50) ? "Left" : "Right");
     },
     [](QWidget *widget, const QString &value) {
         QTest::keyClick(qobject_cast<QTabWidget *>(widget)->tabBar(),
                         value == "Left" ? Qt::Key_Left : Qt::Key_Right);
     }},
    {"slide", 12, false, reachable<QSlider>, anyPosition, setValue},
    {"spin", 12, false, reachable<QAbstractSpinBox>, anyPosition, setValue},
    {"type", 8, false, reachable<QAbstractSpinBox>, typedText,
     [](QWidget *widget, const QString &value) {
         auto *spin = qobject_cast<QAbstractSpinBox *>(widget);
         spin->selectAll();
         QTest::keyClicks(spin, value);
         QTest::keyClick(spin, Qt::Key_Return);
     }},
    {"pick", 8, false, reachable<QComboBox>,
     [](QRandomGenerator &dice, QWidget *widget) {
         return QString::number(dice.bounded(qMax(1, qobject_cast<QComboBox *>(widget)->count())));
     },
     [](QWidget *widget, const QString &value) {
         auto *combo = qobject_cast<QComboBox *>(widget);
         if (value.toInt() < combo->count())
             combo->setCurrentIndex(value.toInt());
     }},
    {"check", 7, false, reachable<QCheckBox>, nullptr, click},
};

inline const MoveKind *kindNamed(const QString &name)
{
    const auto kind = std::find_if(moveKinds.begin(), moveKinds.end(),
                                   [&name](const MoveKind &k) { return name == k.name; });
    return kind == moveKinds.end() ? nullptr : &*kind;
}

inline Move randomMove(QRandomGenerator &dice, const QWidget &window)
{
    std::vector<std::pair<const MoveKind *, QStringList>> open;
    int total = 0;
    for (const MoveKind &kind : moveKinds) {
        if (QStringList targets = kind.targets(window); !targets.isEmpty()) {
            total += kind.weight;
            open.emplace_back(&kind, targets);
        }
    }
    // The tab bar is always there, so some move is always open.
    int roll = dice.bounded(total);
    auto drawn = open.begin();
    while ((roll -= drawn->first->weight) >= 0)
        ++drawn;
    const MoveKind &kind = *drawn->first;
    const QString target = pick(dice, drawn->second);
    const QString value
        = kind.value ? kind.value(dice, child<QWidget>(window, qPrintable(target))) : QString();
    return Move {QString::fromLatin1(kind.name), target, value, dice.bounded(1000u)};
}
