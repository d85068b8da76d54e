#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

// The window's controls as a user sees and moves them, named by object name.

// The window's control of that object name; a wrong name ends the test program.
template<typename Widget> Widget *child(const QWidget &window, const char *objectName)
{
    auto *widget = window.findChild<Widget *>(QString::fromLatin1(objectName));
    if (!widget)
        qFatal("no %s named %s", Widget::staticMetaObject.className(), objectName);
    return widget;
}

// One named thing with a value: a control of the window (a slider's or spin box's number, a
// combo box's index as an int or its item's text as a QString, a check box's checked as a bool),
// a camera register or a configuration default.
struct Setting
{
    QByteArray name;
    QVariant value;
    bool operator==(const Setting &other) const
    {
        return name == other.name && value == other.value;
    }
};
using Settings = QList<Setting>;
Q_DECLARE_METATYPE(Settings)

// "name=value", as a failed comparison shows it.
char *toString(const Setting &setting);

// Sets each control; false when one is not a value control of the window.
bool setControls(const QWidget &window, const Settings &settings);
// The same controls as `expected` names, each with what it shows now, so that
// QCOMPARE(showing(window, expected), expected) names the first control that differs.
Settings showing(const QWidget &window, const Settings &expected);
// Every named slider, spin box, combo box and check box with what it shows.
Settings everyControl(const QWidget &window);

QStringList tabTexts(const QWidget &window);
QStringList comboItems(const QWidget &window, const char *comboName);
// A mouse click on the tab at that index of tabWidget; -1 is a click on the bar beside the tabs.
void clickTab(const QWidget &window, int index);

// Which of the connection bar's controls, the User command buttons and the User page are
// enabled, as "scan, combo, connect, disconnect, User buttons, User page" less the others.
QString barState(const QWidget &window);
inline const QString beforeAnyScan = QStringLiteral("scan, combo");
inline const QString portsListed = QStringLiteral("scan, combo, connect");
inline const QString connected = QStringLiteral("disconnect, User buttons, User page");
