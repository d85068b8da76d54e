#include "modalanswerer.h"
#include "simulatedsdk.h"
#include "simulator_control.h"
#include "ui/mainwindow.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <limits>
#include <memory>

// Construction, the tab-bar rule, the Expert controls loaded from the configuration,
// the About box and closing: what the window does around the camera operations.
class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void startsDisconnectedWithOnlyScanUsable();
    void expertModeOffRemovesOnlyTheExpertTab();
    void initParamsExpertLoadsBoundsAndCurrentValues_data();
    void initParamsExpertLoadsBoundsAndCurrentValues();
    void gmsSpinBoxKeepsItsWideRange();
    void expertControlsTakeAnyConfiguredBounds_data();
    void expertControlsTakeAnyConfiguredBounds();
    void tabClicksDoNothingBeforeConnection();
    void tabClicksSwitchUserButtonsWhileConnected();
    void aboutBoxShowsProductAndVersionEveryTime();
    void closingWhileConnectedMakesNoSdkCall();

private:
    static void connectTo(MainWindow &window, const QString &port);
    static void clickTab(MainWindow &window, int index);
    static bool userButtonsEnabled(MainWindow &window);
    // The same bounds and current value for GSK, GFID, TINT and GMS.
    static void setEveryExpertParameter(int minimum, int maximum, int current);
};

void tst_MainWindow::init()
{
    nivaro_sim::reset();
}

void tst_MainWindow::connectTo(MainWindow &window, const QString &port)
{
    auto *ports = child<QComboBox>(window, "selectDeviceComboBox");
    ports->clear();
    ports->addItem(port);
    window.connectDevice();
}

void tst_MainWindow::setEveryExpertParameter(int minimum, int maximum, int current)
{
    nivaro_sdk::INivaroConfig &config = nivaro_sim::configuration();
    config.gskMin = config.gfidMin = config.tintMin = config.gmsMin = minimum;
    config.gskMax = config.gfidMax = config.tintMax = config.gmsMax = maximum;
    config.currentGsk = config.currentGfid = config.currentTint = config.currentGms = current;
}

void tst_MainWindow::clickTab(MainWindow &window, int index)
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

bool tst_MainWindow::userButtonsEnabled(MainWindow &window)
{
    const bool read = child<QPushButton>(window, "readParamButtonUser")->isEnabled();
    const bool write = child<QPushButton>(window, "applyParamsButtonUser")->isEnabled();
    const bool reset = child<QPushButton>(window, "resetParamButtonUser")->isEnabled();
    if (read != write || write != reset)
        qFatal("the three User buttons disagree");
    return read;
}

void tst_MainWindow::startsDisconnectedWithOnlyScanUsable()
{
    MainWindow window;
    QVERIFY(child<QPushButton>(window, "scanDeviceButton")->isEnabled());
    QVERIFY(child<QComboBox>(window, "selectDeviceComboBox")->isEnabled());
    QVERIFY(!child<QPushButton>(window, "connectDeviceButton")->isEnabled());
    QVERIFY(!child<QPushButton>(window, "disconnectDeviceButton")->isEnabled());
    QVERIFY(!userButtonsEnabled(window));
    QCOMPARE(child<QComboBox>(window, "selectDeviceComboBox")->count(), 0);

    auto *tabs = child<QTabWidget>(window, "tabWidget");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(!tabs->widget(0)->isEnabled());
    QVERIFY(!tabs->widget(1)->isEnabled());
    QVERIFY(tabs->widget(2)->isEnabled());
    QVERIFY(child<QPlainTextEdit>(window, "logView")->toPlainText().isEmpty());

    // The window's own construction talks to the SDK but logs nothing.
    QVERIFY(nivaro_sim::logRecords().empty());
}

void tst_MainWindow::expertModeOffRemovesOnlyTheExpertTab()
{
    nivaro_sim::configurationValues().expertMode = false;
    nivaro_sim::configuration().currentGfid = 321;
    MainWindow window;

    auto *tabs = child<QTabWidget>(window, "tabWidget");
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("User"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("IA control"));

    // The page left the tab bar only: its controls are alive, loaded and still coupled.
    auto *gfidSlider = child<QSlider>(window, "gfidSlider");
    auto *gfidEdit = child<QDoubleSpinBox>(window, "gfidEdit");
    QCOMPARE(gfidSlider->value(), 321);
    QCOMPARE(gfidEdit->value(), 321.0);
    gfidSlider->setValue(400);
    QCOMPARE(gfidEdit->value(), 400.0);
}

void tst_MainWindow::initParamsExpertLoadsBoundsAndCurrentValues_data()
{
    QTest::addColumn<QByteArray>("slider");
    QTest::addColumn<QByteArray>("spinBox");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("current");

    // GSK above the form's initial spin box maximum of 3 must still land on both controls.
    QTest::newRow("GSK above the form's range")
        << QByteArray("gskSlider") << QByteArray("gskEdit") << 1 << 40 << 25;
    QTest::newRow("GFID") << QByteArray("gfidSlider") << QByteArray("gfidEdit") << 10 << 4000
                          << 3500;
    QTest::newRow("TINT above the form's range")
        << QByteArray("tintSlider") << QByteArray("tintEdit") << 0 << 60 << 45;
    QTest::newRow("GMS") << QByteArray("gmsSlider") << QByteArray("gmsEdit") << 0 << 500000
                         << 250000;
}

void tst_MainWindow::initParamsExpertLoadsBoundsAndCurrentValues()
{
    QFETCH(QByteArray, slider);
    QFETCH(QByteArray, spinBox);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, current);

    setEveryExpertParameter(minimum, maximum, current);
    MainWindow window;

    auto *expertSlider = child<QSlider>(window, slider.constData());
    auto *expertSpinBox = child<QDoubleSpinBox>(window, spinBox.constData());
    QCOMPARE(expertSlider->minimum(), minimum);
    QCOMPARE(expertSlider->maximum(), maximum);
    QCOMPARE(expertSlider->singleStep(), 1);
    QCOMPARE(expertSlider->pageStep(), 10);
    QCOMPARE(expertSlider->tickInterval(), 1);
    QVERIFY(expertSlider->isEnabled());
    QCOMPARE(expertSlider->value(), current);
    QCOMPARE(expertSpinBox->value(), double(current));
    QCOMPARE(expertSpinBox->singleStep(), 1.0);
}

void tst_MainWindow::gmsSpinBoxKeepsItsWideRange()
{
    nivaro_sdk::INivaroConfig &config = nivaro_sim::configuration();
    config.gmsMin = 5;
    config.gmsMax = 900;
    config.currentGms = 600;
    MainWindow window;

    auto *gmsEdit = child<QDoubleSpinBox>(window, "gmsEdit");
    QCOMPARE(gmsEdit->minimum(), 0.0);
    QCOMPARE(gmsEdit->maximum(), 4294967296.0);
    QCOMPARE(gmsEdit->value(), 600.0);
    QCOMPARE(child<QSlider>(window, "gmsSlider")->maximum(), 900);
}

void tst_MainWindow::expertControlsTakeAnyConfiguredBounds_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("shownMinimum");
    QTest::addColumn<int>("shownMaximum");
    QTest::addColumn<int>("shownCurrent");
    // The GMS spin box keeps its own range, and shows a stored value the slider cannot reach.
    QTest::addColumn<int>("shownGms");

    constexpr int most = std::numeric_limits<int>::max();
    constexpr int least = std::numeric_limits<int>::min();
    // Spans of 2^31 and more used to divide by zero inside Qt as soon as a slider was painted.
    QTest::newRow("span of 2^31, current low") << -most << 1 << -5 << -most << 0 << -5 << -5;
    QTest::newRow("span of 2^31, current at the top")
        << -most << 1 << 1 << -most + 1 << 1 << 1 << 1;
    QTest::newRow("span of 2^31 above zero") << -1 << most << 7 << -1 << most - 1 << 7 << 7;
    QTest::newRow("the whole int32 range") << least << most << 0 << 0 << most << 0 << 0;
    QTest::newRow("the whole int32 range, current low")
        << least << most << -2 << least << -1 << -2 << -2;
    // As Qt's setRange has it: the configured minimum is the one value both controls hold.
    QTest::newRow("inverted") << 900 << 5 << 600 << 900 << 900 << 900 << 600;
    QTest::newRow("current below the bounds") << 10 << 20 << -3 << 10 << 20 << 10 << 0;
    QTest::newRow("current above the bounds") << 10 << 20 << 400 << 10 << 20 << 20 << 400;
    QTest::newRow("negative bounds") << -1000 << -10 << -990 << -1000 << -10 << -990 << -990;
}

void tst_MainWindow::expertControlsTakeAnyConfiguredBounds()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, current);
    QFETCH(int, shownMinimum);
    QFETCH(int, shownMaximum);
    QFETCH(int, shownCurrent);
    QFETCH(int, shownGms);

    const SimulatedSdk sdk;
    setEveryExpertParameter(minimum, maximum, current);
    MainWindow window;
    child<QTabWidget>(window, "tabWidget")->setCurrentIndex(2);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.grab();

    for (const char *name : {"gsk", "gfid", "tint", "gms"}) {
        const QByteArray pair(name);
        auto *slider = child<QSlider>(window, QByteArray(pair + "Slider").constData());
        auto *spinBox = child<QDoubleSpinBox>(window, QByteArray(pair + "Edit").constData());
        QCOMPARE(slider->minimum(), shownMinimum);
        QCOMPARE(slider->maximum(), shownMaximum);
        QCOMPARE(slider->value(), shownCurrent);
        QCOMPARE(spinBox->value(), double(pair == "gms" ? shownGms : shownCurrent));
        // Both ends of the slider, as a user paging through it reaches them: wherever the
        // slider moves, the spin box shows the same value.
        for (const auto action :
             {QAbstractSlider::SliderToMinimum, QAbstractSlider::SliderToMaximum,
              QAbstractSlider::SliderPageStepSub, QAbstractSlider::SliderToMinimum}) {
            const int before = slider->value();
            slider->triggerAction(action);
            slider->repaint();
            if (slider->value() != before)
                QCOMPARE(spinBox->value(), double(slider->value()));
        }
    }

    // Apply sends values within the bounds shown, whatever the camera held: for inverted
    // bounds, the configured minimum (which the simulated camera refuses as out of bounds).
    connectTo(window, QStringLiteral("COM3"));
    const SimulatedSdk::Mark mark = sdk.mark();
    SimulatedSdk::click(window, "applyParamsButtonExpert");
    const QStringList sent = sdk.traceSince(mark).filter(
        QRegularExpression(QStringLiteral("\\.Set(Gsk|Gfid|Tint)\\(")));
    QCOMPARE(sent.size(), 3);
    for (const QString &call : sent) {
        const int value = call.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0).toInt();
        QVERIFY2(value >= shownMinimum && value <= shownMaximum, qPrintable(call));
    }
}

void tst_MainWindow::tabClicksDoNothingBeforeConnection()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int index : {1, 2, 0, -1})
        clickTab(window, index);
    QVERIFY(!userButtonsEnabled(window));
    QVERIFY(child<QPushButton>(window, "scanDeviceButton")->isEnabled());
}

void tst_MainWindow::tabClicksSwitchUserButtonsWhileConnected()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *tabs = child<QTabWidget>(window, "tabWidget");

    // Connected while another tab shows: the buttons stay on until the next click.
    tabs->setCurrentIndex(2);
    connectTo(window, QStringLiteral("COM3"));
    QVERIFY(userButtonsEnabled(window));

    clickTab(window, 1);
    QVERIFY(!userButtonsEnabled(window));
    clickTab(window, 0);
    QVERIFY(userButtonsEnabled(window));
    clickTab(window, 2);
    QVERIFY(!userButtonsEnabled(window));
    clickTab(window, 2); // the tab already shown applies the rule again
    QVERIFY(!userButtonsEnabled(window));

    // A click beside the tabs and a change by keyboard or program leave them alone.
    clickTab(window, -1);
    QVERIFY(!userButtonsEnabled(window));
    tabs->setCurrentIndex(0);
    QTest::keyClick(tabs->tabBar(), Qt::Key_Right);
    QVERIFY(!userButtonsEnabled(window));

    clickTab(window, 0);
    QVERIFY(userButtonsEnabled(window));
    clickTab(window, -1);
    QVERIFY(userButtonsEnabled(window));
    tabs->setCurrentIndex(2);
    QVERIFY(userButtonsEnabled(window));
    window.disconnectDevice();
    QVERIFY(!userButtonsEnabled(window));
    clickTab(window, 0);
    QVERIFY(!userButtonsEnabled(window));
}

void tst_MainWindow::aboutBoxShowsProductAndVersionEveryTime()
{
    MainWindow window;
    ModalAnswerer answerer;
    auto *about = child<QPushButton>(window, "aboutButton");
    about->click();
    about->click();

    QCOMPARE(answerer.seen().size(), 2);
    for (const ModalAnswerer::Seen &box : answerer.seen()) {
        QCOMPARE(box.className, QStringLiteral("Dialog"));
        QCOMPARE(box.title, QStringLiteral("About"));
        QVERIFY(!box.hasParent);
        QCOMPARE(box.labels,
                 QStringList({"Nom du produit : ", "Velmora HD", "Version du produit :", "1.4.4",
                              "Produit par Dravik Technologies"}));
        QCOMPARE(box.size, QSize(324, 145));
        QVERIFY(box.widget.isNull()); // the local dialog is gone once exec returns
    }
}

void tst_MainWindow::closingWhileConnectedMakesNoSdkCall()
{
    auto window = std::make_unique<MainWindow>();
    window->show();
    connectTo(*window, QStringLiteral("COM3"));
    QVERIFY(child<QPushButton>(*window, "disconnectDeviceButton")->isEnabled());

    const size_t callsBefore = nivaro_sim::traceLineCount();
    QVERIFY2(window->close(), "the close was refused");
    window.reset();
    QCOMPARE(nivaro_sim::traceLineCount(), callsBefore);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
