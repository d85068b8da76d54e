#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QTestData;

// The window's controls as a user sees and moves them, named by object name.

// The window's control of that object name; a wrong name ends the test program.
template<typename Widget> Widget *child(const QWidget &window, const char *objectName)
{
    auto *widget = window.findChild<Widget *>(QString::fromLatin1(objectName));
    if (!widget)
        qFatal("no %s named %s", Widget::staticMetaObject.className(), objectName);
    return widget;
}

// Settings and readings are written "objectName=value": a slider's or spin box's number, a
// combo box's index or item text, a check box's "checked", "unchecked" or "partial".
// settings("gammaEdit=1.1, clheEdit=1234") is the list of them.
QStringList settings(const QString &commaSeparated);
void setControls(const QWidget &window, const QStringList &wanted);
// The same controls as `expected` names, each with what it shows now, so that
// QCOMPARE(showing(window, expected), expected) names the first control that differs.
QStringList showing(const QWidget &window, const QStringList &expected);
// Every named slider, spin box, combo box and check box with what it shows.
QStringList everyControl(const QWidget &window);

// A data row written as text, "name: part => part …": starts the row of that name and
// gives its parts, for the caller to stream into it.
QTestData &newTextRow(const QString &row, QStringList &parts);

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
