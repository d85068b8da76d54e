#include "simulator_control.h"
#include "ui/displayscaling.h"
#include "ui/windowplacement.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTabBar>

#include <limits>
#include <memory>

// One step of a user around the tab bar.
struct TabStep
{
    // clang-format off
    enum Kind { connect, click, show, keyRight, disconnect } kind;
    // clang-format on
    int index = 0;
};
Q_DECLARE_METATYPE(QList<TabStep>)

// Construction, the tab-bar rule, the Expert controls loaded from the configuration,
// the About box and closing: what the window does around the camera operations. And how it
// opens: within the screen, every text whole at the display's scale.
class tst_MainWindow : public QObject
{
    Q_OBJECT

public:
    // The window is checked as the program shows it, scaled with the display.
    static void initMain() { enableDisplayScaling(); }

private slots:
    void init();
    void startsDisconnectedWithOnlyScanUsable_data();
    void startsDisconnectedWithOnlyScanUsable();
    void expertControlsTakeAnyConfiguredBounds_data();
    void expertControlsTakeAnyConfiguredBounds();
    void tabClicksSwitchUserButtonsOnlyWhileConnected_data();
    void tabClicksSwitchUserButtonsOnlyWhileConnected();
    void aboutBoxShowsProductAndVersionEveryTime();
    void closingWhileConnectedMakesNoSdkCall();
    void opensWithinTheAvailableArea_data();
    void opensWithinTheAvailableArea();
    void everyTextShowsWhole();
    void everyTextShowsWholeAtLargerFonts_data();
    void everyTextShowsWholeAtLargerFonts();

private:
    static void connectTo(MainWindow &window, const QString &port);
    // The labels, buttons, check boxes and group-box titles shown now that have less room
    // than their text needs, each as "name: text, given WxH, needs WxH".
    static QStringList cutTexts(const QWidget &window);
    static QStringList cutTabTitles(const QTabBar &bar);
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

void tst_MainWindow::startsDisconnectedWithOnlyScanUsable_data()
{
    QTest::addColumn<bool>("expertMode");
    QTest::addColumn<QStringList>("tabs");

    QTest::newRow("expert mode on") << true << QStringList {"User", "IA control", "Expert"};
    QTest::newRow("expert mode off") << false << QStringList {"User", "IA control"};
}

void tst_MainWindow::startsDisconnectedWithOnlyScanUsable()
{
    QFETCH(bool, expertMode);
    QFETCH(QStringList, tabs);

    nivaro_sim::configurationValues().expertMode = expertMode;
    nivaro_sim::configuration().currentGfid = 321;
    MainWindow window;
    QCOMPARE(barState(window), beforeAnyScan);
    QCOMPARE(comboItems(window, "selectDeviceComboBox"), QStringList());
    QCOMPARE(tabTexts(window), tabs);
    QCOMPARE(child<QTabWidget>(window, "tabWidget")->currentIndex(), 0);
    QVERIFY(!child<QWidget>(window, "IAControl")->isEnabled());
    QVERIFY(child<QWidget>(window, "ExpertMode")->isEnabled());
    QCOMPARE(child<QPlainTextEdit>(window, "logView")->toPlainText(), QString());
    // The window's own construction talks to the SDK but logs nothing.
    QVERIFY(nivaro_sim::logRecords().empty());

    // Out of the tab bar or not, the Expert controls are alive, loaded and coupled.
    const Settings loaded = {{"gfidSlider", 321}, {"gfidEdit", 321}};
    QCOMPARE(showing(window, loaded), loaded);
    QVERIFY(setControls(window, {{"gfidSlider", 400}}));
    QCOMPARE(showing(window, {{"gfidEdit", 0}}), Settings({{"gfidEdit", 400}}));
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

    // GSK and TINT above the form's initial spin box maxima of 3 must still land on both controls.
    QTest::newRow("GSK above the form's range") << 1 << 40 << 25 << 1 << 40 << 25 << 25;
    QTest::newRow("up to 4000") << 10 << 4000 << 3500 << 10 << 4000 << 3500 << 3500;
    QTest::newRow("TINT above the form's range") << 0 << 60 << 45 << 0 << 60 << 45 << 45;
    QTest::newRow("up to 500000") << 0 << 500000 << 250000 << 0 << 500000 << 250000 << 250000;
    QTest::newRow("GMS spin box keeps its wide range") << 5 << 900 << 600 << 5 << 900 << 600 << 600;

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
        QCOMPARE(QList<int>({slider->singleStep(), slider->pageStep(), slider->tickInterval()}),
                 QList<int>({1, 10, 1}));
        QVERIFY(slider->isEnabled());
        QCOMPARE(spinBox->value(), double(pair == "gms" ? shownGms : shownCurrent));
        QCOMPARE(spinBox->singleStep(), 1.0);
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
    // The GMS spin box reaches below zero only as far as the slider does.
    const auto *gmsEdit = child<QDoubleSpinBox>(window, "gmsEdit");
    QCOMPARE(gmsEdit->maximum(), 4294967296.0);
    QCOMPARE(gmsEdit->minimum(), double(qMin(0, shownMinimum)));

    // Apply sends values within the bounds shown, whatever the camera held: for inverted
    // bounds, the configured minimum (which the simulated camera refuses as out of bounds).
    connectTo(window, QStringLiteral("COM3"));
    const QStringList sent
        = sdk.clickAndCollect(window, "applyParamsButtonExpert")
              .trace.filter(QRegularExpression(QStringLiteral("\\.Set(Gsk|Gfid|Tint)\\(")));
    QCOMPARE(sent.size(), 3);
    for (const QString &call : sent) {
        const int value = call.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0).toInt();
        QVERIFY2(value >= shownMinimum && value <= shownMaximum, qPrintable(call));
    }
}

void tst_MainWindow::tabClicksSwitchUserButtonsOnlyWhileConnected_data()
{
    // Connect with the Expert tab shown, click the tab at an index (-1 beside the tabs), show
    // a tab by program, press the right arrow key on the bar, disconnect.
    QTest::addColumn<QList<TabStep>>("steps");
    QTest::addColumn<QString>("state");

    const TabStep connect {TabStep::connect}, disconnect {TabStep::disconnect},
        keyRight {TabStep::keyRight};
    const auto click = [](int index) { return TabStep {TabStep::click, index}; };
    const auto show = [](int index) { return TabStep {TabStep::show, index}; };
    const QString off = QStringLiteral("disconnect, User page");

    QTest::newRow("before any connection")
        << QList<TabStep> {click(1), click(2), click(0), click(-1)} << beforeAnyScan;
    // Connected while another tab shows, the buttons stay on until the next click; a click
    // beside the tabs and a change by keyboard or program leave them alone.
    QTest::newRow("connected on the Expert tab") << QList<TabStep> {connect} << connected;
    QTest::newRow("User again") << QList<TabStep> {connect, click(1), click(0)} << connected;
    QTest::newRow("beside the tabs, buttons on")
        << QList<TabStep> {connect, click(0), click(-1)} << connected;
    QTest::newRow("by program") << QList<TabStep> {connect, click(0), show(2)} << connected;
    QTest::newRow("IA control") << QList<TabStep> {connect, click(1)} << off;
    QTest::newRow("Expert") << QList<TabStep> {connect, click(2)} << off;
    QTest::newRow("the tab already shown applies the rule again")
        << QList<TabStep> {connect, click(2), click(2)} << off;
    QTest::newRow("beside the tabs, buttons off")
        << QList<TabStep> {connect, click(2), click(-1)} << off;
    QTest::newRow("by keyboard") << QList<TabStep> {connect, click(2), show(0), keyRight} << off;
    QTest::newRow("disconnected") << QList<TabStep> {connect, disconnect} << portsListed;
    QTest::newRow("a click after the disconnection")
        << QList<TabStep> {connect, disconnect, click(0)} << portsListed;
}

void tst_MainWindow::tabClicksSwitchUserButtonsOnlyWhileConnected()
{
    QFETCH(QList<TabStep>, steps);
    QFETCH(QString, state);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *tabs = child<QTabWidget>(window, "tabWidget");
    for (const TabStep &step : steps) {
        switch (step.kind) {
        case TabStep::connect:
            tabs->setCurrentIndex(2);
            connectTo(window, QStringLiteral("COM3"));
            break;
        case TabStep::click:
            clickTab(window, step.index);
            break;
        case TabStep::show:
            tabs->setCurrentIndex(step.index);
            break;
        case TabStep::keyRight:
            QTest::keyClick(tabs->tabBar(), Qt::Key_Right);
            break;
        case TabStep::disconnect:
            window.disconnectDevice();
            break;
        }
    }
    QCOMPARE(barState(window), state);
}

void tst_MainWindow::aboutBoxShowsProductAndVersionEveryTime()
{
    MainWindow window;
    ModalAnswerer answerer;
    auto *about = child<QPushButton>(window, "aboutButton");
    about->click();
    about->click();

    const QString dialog = box::window("Dialog", "About");
    QCOMPARE(answerer.shown(), QStringList({dialog, dialog}));
    for (const ModalAnswerer::Seen &box : answerer.seen()) {
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

static QString describeCut(const QWidget &widget, const QString &text, QSize given, QSize needed)
{
    const QString name
        = widget.objectName().isEmpty() ? widget.metaObject()->className() : widget.objectName();
    return QStringLiteral("%1 \"%2\": given %3x%4, needs %5x%6")
        .arg(name, text)
        .arg(given.width())
        .arg(given.height())
        .arg(needed.width())
        .arg(needed.height());
}

QStringList tst_MainWindow::cutTexts(const QWidget &window)
{
    QStringList cut;
    // A layout gives these widgets less than their size hint (text, indicator, icon, margins
    // and frame at the current font and style) only where an explicit minimum size lets it
    // squeeze them, and what is missing is cut off the text.
    const auto check = [&cut](const QWidget *widget, const QString &text, QSize needed) {
        if (text.isEmpty() || !widget->isVisible())
            return;
        const QSize given = widget->size();
        if (given.width() < needed.width() || given.height() < needed.height())
            cut << describeCut(*widget, text, given, needed);
    };
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        QSize needed = label->sizeHint();
        if (label->wordWrap())
            needed = QSize(label->minimumSizeHint().width(), label->heightForWidth(label->width()));
        check(label, label->text(), needed);
    }
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>())
        check(button, button->text(), button->sizeHint());
    // A group box's size hint is its contents'; its minimum holds the title.
    for (const QGroupBox *box : window.findChildren<QGroupBox *>())
        check(box, box->title(), box->minimumSizeHint());
    return cut;
}

QStringList tst_MainWindow::cutTabTitles(const QTabBar &bar)
{
    QStringList cut;
    const int padding = bar.style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, &bar);
    for (int index = 0; index < bar.count(); ++index) {
        const QString text = bar.tabText(index);
        const QRect tab = bar.tabRect(index);
        const QSize needed(bar.fontMetrics().size(Qt::TextShowMnemonic, text).width() + padding,
                           bar.fontMetrics().height());
        // A tab scrolled out of the bar or narrower than its title shows part of it.
        if (!bar.rect().contains(tab) || tab.width() < needed.width()
            || tab.height() < needed.height())
            cut << describeCut(bar, text, tab.size(), needed);
    }
    return cut;
}

// The form's designed size, in a frame like that of Windows at 100 %.
static const QSize formSize(960, 872);
static const QMargins windowsFrame(8, 31, 8, 8);

void tst_MainWindow::opensWithinTheAvailableArea_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("opened"); // empty: the smallest the form can be made
    QTest::addColumn<bool>("compacted");

    QTest::newRow("screen holds it") << QRect(0, 0, 1920, 1040) << formSize << false;
    QTest::newRow("holds it exactly") << QRect(0, 0, 976, 911) << formSize << false;
    QTest::newRow("short: as short as fits") << QRect(0, 0, 1280, 850) << QSize(960, 811) << false;
    QTest::newRow("task bar at the top") << QRect(0, 40, 1280, 850) << QSize(960, 811) << false;
    QTest::newRow("second screen") << QRect(1920, 0, 1280, 850) << QSize(960, 811) << false;
    QTest::newRow("shorter than the form") << QRect(0, 0, 1280, 790) << QSize(960, 751) << true;
    QTest::newRow("1366 x 768 less task bar") << QRect(0, 0, 1366, 728) << QSize(960, 689) << true;
    QTest::newRow("too short: the minimum") << QRect(0, 0, 1280, 600) << QSize() << true;
    QTest::newRow("too narrow: the minimum width") << QRect(0, 0, 800, 600) << QSize() << true;
}

void tst_MainWindow::opensWithinTheAvailableArea()
{
    QFETCH(QRect, available);
    QFETCH(QSize, opened);
    QFETCH(bool, compacted);

    MainWindow window, designed;
    placeWithin(window, available, windowsFrame);
    placeWithin(designed, QRect(QPoint(), formSize).marginsAdded(windowsFrame), windowsFrame);
    QCOMPARE(window.size(), opened.isEmpty() ? window.minimumSize() : opened);
    QCOMPARE(window.minimumSizeHint() != designed.minimumSizeHint(), compacted);
    const QRect framed = window.geometry().marginsAdded(windowsFrame);
    // Along each side the frame is centred in the area where it fits, and starts where the area
    // starts where it does not, so the title bar can be reached.
    const auto placed = [](int start, int length, int areaStart, int areaLength) {
        if (length > areaLength)
            return start == areaStart;
        return qAbs(2 * (start - areaStart) + length - areaLength) <= 1;
    };
    QVERIFY2(placed(framed.x(), framed.width(), available.x(), available.width()),
             "placed wrongly across");
    QVERIFY2(placed(framed.y(), framed.height(), available.y(), available.height()),
             "placed wrongly down");
}

void tst_MainWindow::everyTextShowsWhole()
{
    MainWindow window;
    showWithinScreen(window);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    qInfo("window %dx%d at %d,%d, frame %dx%d; screen %dx%d, %d dpi, scale %g; style %s, font %s",
          window.width(), window.height(), window.x(), window.y(), window.frameSize().width(),
          window.frameSize().height(), window.screen()->size().width(),
          window.screen()->size().height(), window.logicalDpiX(), window.devicePixelRatioF(),
          qPrintable(window.style()->objectName()), qPrintable(QFontInfo(window.font()).family()));

    // Where the screen can hold the form at its smallest, the whole window is on it, the log
    // pane with room for its newest line.
    const QRect area = window.screen()->availableGeometry();
    const QSize smallestFramed = window.minimumSize() + window.frameSize() - window.size();
    if (smallestFramed.boundedTo(area.size()) == smallestFramed)
        QVERIFY2(area.contains(window.frameGeometry()), "the window reaches past the screen");
    const auto *log = child<QPlainTextEdit>(window, "logView");
    QVERIFY(log->viewport()->height() >= log->fontMetrics().lineSpacing());

    auto *tabs = child<QTabWidget>(window, "tabWidget");
    QStringList cut = cutTabTitles(*tabs->tabBar());
    // Only the page shown is laid out.
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QCoreApplication::sendPostedEvents();
        cut << cutTexts(window);
    }
    cut.removeDuplicates();
    // One line each, since a long failure message is truncated.
    for (const QString &line : qAsConst(cut))
        qWarning("cut: %s", qPrintable(line));
    QStringList names;
    for (const QString &line : qAsConst(cut))
        names << line.section(QLatin1Char(' '), 0, 0);
    QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("texts cut: ") + names.join(", ")));
}

void tst_MainWindow::everyTextShowsWholeAtLargerFonts_data()
{
    QTest::addColumn<int>("fontDpi");
    // What a desktop set to 125, 150 and 200 % gives a Qt 5 program.
    QTest::newRow("125 %") << 120;
    QTest::newRow("150 %") << 144;
    QTest::newRow("200 %") << 192;
}

void tst_MainWindow::everyTextShowsWholeAtLargerFonts()
{
    QFETCH(int, fontDpi);
    // Qt reads the font DPI once per process, so the check runs again in a process of its own.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_FONT_DPI"), QString::number(fontDpi));
    environment.remove(QStringLiteral("NIVARO_SDK_LOG"));
    environment.remove(QStringLiteral("NIVARO_SDK_TRACE"));
    QProcess check;
    check.setProcessEnvironment(environment);
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(QCoreApplication::applicationFilePath(), {QStringLiteral("everyTextShowsWhole")});
    QVERIFY2(check.waitForFinished(60000), qPrintable(check.errorString()));
    const QByteArray output = check.readAll();
    QByteArrayList failures;
    for (const QByteArray &line : output.split('\n')) {
        if (line.startsWith("FAIL!"))
            failures << line;
    }
    QVERIFY2(check.exitStatus() == QProcess::NormalExit && check.exitCode() == 0,
             (failures.isEmpty() ? output : failures.join('\n')).constData());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
