#include "controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>

namespace {

const QStringList checkStates = {"unchecked", "partial", "checked"};

QString nameOf(const QString &setting)
{
    return setting.section(QLatin1Char('='), 0, 0);
}

QString valueOf(const QString &setting)
{
    return setting.section(QLatin1Char('='), 1);
}

QString shownBy(const QWidget *control, const QString &expected)
{
    if (const auto *slider = qobject_cast<const QSlider *>(control))
        return QString::number(slider->value());
    if (const auto *spin = qobject_cast<const QSpinBox *>(control))
        return QString::number(spin->value());
    if (const auto *spin = qobject_cast<const QDoubleSpinBox *>(control))
        return QString::number(spin->value(), 'g', 15);
    if (const auto *combo = qobject_cast<const QComboBox *>(control)) {
        // Expected as a number, it is read as the index; otherwise as the item's text.
        static const QRegularExpression number(QStringLiteral("^-?[0-9]+$"));
        return number.match(expected).hasMatch() ? QString::number(combo->currentIndex())
                                                 : combo->currentText();
    }
    if (const auto *check = qobject_cast<const QCheckBox *>(control))
        return checkStates.value(check->checkState());
    return QStringLiteral("<not a value control>");
}

} // namespace

QStringList settings(const QString &commaSeparated)
{
    return commaSeparated.split(QStringLiteral(", "), Qt::SkipEmptyParts);
}

void setControls(const QWidget &window, const QStringList &wanted)
{
    for (const QString &setting : wanted) {
        const QByteArray name = nameOf(setting).toLatin1();
        const QString value = valueOf(setting);
        auto *control = child<QWidget>(window, name.constData());
        if (auto *slider = qobject_cast<QSlider *>(control))
            slider->setValue(value.toInt());
        else if (auto *spin = qobject_cast<QSpinBox *>(control))
            spin->setValue(value.toInt());
        else if (auto *spin = qobject_cast<QDoubleSpinBox *>(control))
            spin->setValue(value.toDouble());
        else if (auto *combo = qobject_cast<QComboBox *>(control))
            combo->setCurrentIndex(value.toInt());
        else if (auto *check = qobject_cast<QCheckBox *>(control))
            check->setCheckState(Qt::CheckState(checkStates.indexOf(value)));
        else
            qFatal("%s is no value control", name.constData());
    }
}

QStringList showing(const QWidget &window, const QStringList &expected)
{
    QStringList shown;
    for (const QString &setting : expected) {
        const QString name = nameOf(setting);
        const QWidget *control = child<QWidget>(window, name.toLatin1().constData());
        shown << name + '=' + shownBy(control, valueOf(setting));
    }
    return shown;
}

QStringList everyControl(const QWidget &window)
{
    QStringList shown;
    for (const QWidget *control : window.findChildren<QWidget *>()) {
        const bool valueControl = qobject_cast<const QSlider *>(control)
            || qobject_cast<const QAbstractSpinBox *>(control)
            || qobject_cast<const QComboBox *>(control) || qobject_cast<const QCheckBox *>(control);
        if (valueControl && !control->objectName().isEmpty())
            shown << control->objectName() + '=' + shownBy(control, QStringLiteral("0"));
    }
    return shown;
}

QTestData &newTextRow(const QString &row, QStringList &parts)
{
    const int colon = row.indexOf(QStringLiteral(": "));
    parts = row.mid(colon + 2).split(QStringLiteral(" => "));
    return QTest::newRow(qPrintable(row.left(colon)));
}

QStringList tabTexts(const QWidget &window)
{
    const auto *tabs = child<QTabWidget>(window, "tabWidget");
    QStringList texts;
    for (int index = 0; index < tabs->count(); ++index)
        texts << tabs->tabText(index);
    return texts;
}

QStringList comboItems(const QWidget &window, const char *comboName)
{
    const auto *combo = child<QComboBox>(window, comboName);
    QStringList items;
    for (int index = 0; index < combo->count(); ++index)
        items << combo->itemText(index);
    return items;
}

void clickTab(const QWidget &window, int index)
{
    auto *tabs = child<QTabWidget>(window, "tabWidget");
    // The bar is only as wide as its tabs, so no point of it is beside them: a click
    // there is what the tab widget reports for it.
    if (index < 0) {
        emit tabs->tabBarClicked(-1);
        return;
    }
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

QString barState(const QWidget &window)
{
    const QStringList userButtons
        = {"readParamButtonUser", "applyParamsButtonUser", "resetParamButtonUser"};
    const QList<QPair<QString, QString>> controls
        = {{"scan", "scanDeviceButton"},          {"combo", "selectDeviceComboBox"},
           {"connect", "connectDeviceButton"},    {"disconnect", "disconnectDeviceButton"},
           {"User buttons", userButtons.first()}, {"User page", "UserMode"}};
    const auto enabled = [&window](const QString &name) {
        return child<QWidget>(window, name.toLatin1().constData())->isEnabled();
    };
    if (!std::all_of(userButtons.begin(), userButtons.end(), enabled)
        && std::any_of(userButtons.begin(), userButtons.end(), enabled))
        qFatal("the three User buttons disagree");
    QStringList shown;
    for (const auto &[shownAs, name] : controls) {
        if (enabled(name))
            shown << shownAs;
    }
    return shown.join(QStringLiteral(", "));
}
