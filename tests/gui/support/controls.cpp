#include "controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>

namespace {

// What the control shows, as `like` is written: a combo box's index or item text.
QVariant shownBy(const QWidget *control, const QVariant &like)
{
    if (const auto *slider = qobject_cast<const QSlider *>(control))
        return slider->value();
    if (const auto *spin = qobject_cast<const QSpinBox *>(control))
        return spin->value();
    if (const auto *spin = qobject_cast<const QDoubleSpinBox *>(control))
        return spin->value();
    if (const auto *combo = qobject_cast<const QComboBox *>(control)) {
        return like.userType() == QMetaType::QString ? QVariant(combo->currentText())
                                                     : QVariant(combo->currentIndex());
    }
    if (const auto *check = qobject_cast<const QCheckBox *>(control)) {
        if (check->checkState() == Qt::PartiallyChecked)
            return QStringLiteral("partially checked");
        return check->isChecked();
    }
    return QStringLiteral("<no value control>");
}

} // namespace

char *toString(const Setting &setting)
{
    return qstrdup(qPrintable(QString::fromLatin1(setting.name) + '=' + setting.value.toString()));
}

bool setControls(const QWidget &window, const Settings &settings)
{
    for (const Setting &setting : settings) {
        auto *control = window.findChild<QWidget *>(QString::fromLatin1(setting.name));
        if (auto *slider = qobject_cast<QSlider *>(control))
            slider->setValue(setting.value.toInt());
        else if (auto *spin = qobject_cast<QSpinBox *>(control))
            spin->setValue(setting.value.toInt());
        else if (auto *spin = qobject_cast<QDoubleSpinBox *>(control))
            spin->setValue(setting.value.toDouble());
        else if (auto *combo = qobject_cast<QComboBox *>(control))
            combo->setCurrentIndex(setting.value.toInt());
        else if (auto *check = qobject_cast<QCheckBox *>(control))
            check->setChecked(setting.value.toBool());
        else
            return false;
    }
    return true;
}

Settings showing(const QWidget &window, const Settings &expected)
{
    Settings shown;
    for (const Setting &setting : expected) {
        const auto *control = window.findChild<QWidget *>(QString::fromLatin1(setting.name));
        shown << Setting {setting.name, shownBy(control, setting.value)};
    }
    return shown;
}

Settings everyControl(const QWidget &window)
{
    Settings shown;
    for (const QWidget *control : window.findChildren<QWidget *>()) {
        const bool valueControl = qobject_cast<const QSlider *>(control)
            || qobject_cast<const QAbstractSpinBox *>(control)
            || qobject_cast<const QComboBox *>(control) || qobject_cast<const QCheckBox *>(control);
        if (valueControl && !control->objectName().isEmpty())
            shown << Setting {control->objectName().toLatin1(), shownBy(control, 0)};
    }
    return shown;
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
